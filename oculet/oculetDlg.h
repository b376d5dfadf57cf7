#pragma once
// The viewer's only window: one share picture, read from disk at every paint.

#include <QDialog>
#include <QString>
#include <optional>

namespace oculet {

class CViewerDlg : public QDialog {
    Q_OBJECT
public:
    // Given a path, the window shows that file. Without one it follows the
    // hand-off file: the first character of "kov.ini" in the current folder
    // names the share "capa<digit>.bmp" beside it.
    explicit CViewerDlg(std::optional<QString> sharePath = std::nullopt, QWidget* parent = nullptr);
    ~CViewerDlg() override;

    // The file the next paint shows; empty when the hand-off file names none.
    QString SharePath() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawShare();

    std::optional<QString> m_strSharePath;
};

} // namespace oculet
