#pragma once
// CUnitDialog: the common ground of the parameter and count dialogs. Controls
// are placed in dialog units (x * average character width / 4, y * line
// height / 8) and whole-number edits are checked when OK is pressed.

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumisplit {

class CInteraction;

class CUnitDialog : public QDialog {
    Q_OBJECT
protected:
    // widthDu x heightDu is the client size in dialog units.
    CUnitDialog(CInteraction& interaction, const QString& title, int widthDu, int heightDu,
                QWidget* parent);

    QRect DialogUnits(int x, int y, int width, int height) const;
    QLabel* AddStatic(const QString& text, int x, int y, int width, int height);
    // A digits-only edit named by its control id, proposing value.
    QLineEdit* AddEdit(int id, int value, int x, int y, int width, int height);
    // The default button, id 1.
    QPushButton* AddOk(int x, int y, int width, int height);

    // The edit's number when it is a whole number from low to high; otherwise
    // the refusal is shown, the edit takes the focus and nothing is answered.
    std::optional<int> ReadInt(QLineEdit& edit, int low, int high);

    CInteraction& m_interaction;
};

} // namespace lumisplit
