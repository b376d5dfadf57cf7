#include "shell/UnitDialog.h"

#include "shell/DialogUnits.h"
#include "shell/Interaction.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace lumisplit {

CUnitDialog::CUnitDialog(CInteraction& interaction, const QString& title, int widthDu, int heightDu,
                         QWidget* parent)
    : QDialog(parent), m_interaction(interaction) {
    setWindowTitle(title);
    setFixedSize(DialogUnits(0, 0, widthDu, heightDu).size());
}

QRect CUnitDialog::DialogUnits(int x, int y, int width, int height) const {
    return DialogUnitsRect(font(), x, y, width, height);
}

QLabel* CUnitDialog::AddStatic(const QString& text, int x, int y, int width, int height) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(DialogUnits(x, y, width, height));
    if (!text.contains(u'\n')) // one-line texts only; longer ones wrap
        FitTextToWidth(*label, text, label->width());
    return label;
}

QLineEdit* CUnitDialog::AddEdit(int id, int value, int x, int y, int width, int height) {
    auto* edit = new QLineEdit(QString::number(value), this);
    edit->setObjectName(QString::number(id));
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setGeometry(DialogUnits(x, y, width, height));
    return edit;
}

QPushButton* CUnitDialog::AddOk(int x, int y, int width, int height) {
    auto* button = new QPushButton(QStringLiteral("OK"), this);
    button->setObjectName(QStringLiteral("1"));
    button->setDefault(true);
    button->setGeometry(DialogUnits(x, y, width, height));
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
    return button;
}

std::optional<int> CUnitDialog::ReadInt(QLineEdit& edit, int low, int high) {
    bool isNumber = false;
    const int value = edit.text().trimmed().toInt(&isNumber);
    if (!isNumber) {
        m_interaction.ShowMessage(this, QStringLiteral("Please enter an integer."));
    } else if (value < low || value > high) {
        m_interaction.ShowMessage(
            this, QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high));
    } else {
        return value;
    }
    edit.setFocus();
    edit.selectAll();
    return std::nullopt;
}

} // namespace lumisplit
