#pragma once
// CFrontDialog "Criptografía Visual": the window the user meets. Its buttons
// run the hidden main window's commands and draw the secret or the stacked
// result beside them.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace lumisplit {

class CShareFrame;

class CFrontDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids, also the controls' object names.
    static constexpr int kSalirId = 2;
    static constexpr int kEditN = 1006;
    static constexpr int kEditK = 1007;
    static constexpr int kEncriptarId = 1008;
    static constexpr int kDesencriptarId = 1009;
    static constexpr int kAbrirId = 1010;
    // Where drawn pictures go, in pixels of the client area.
    static constexpr int kPictureX = 160;
    static constexpr int kPictureY = 29;

    explicit CFrontDialog(QWidget* parent = nullptr);
    ~CFrontDialog() override;

    // Runs the dialog modally on the frame's commands until SALIR or Escape.
    void DoModalWithFrame(CShareFrame* pFrame);

    void OnAbrir();
    void OnEncriptar();
    void OnDesencriptar();
    // Shows the main window with its other schemes and methods.
    void OnAvanzado();
    // Draws a picture file read by Qt's own loader in place of the last one; a
    // file it cannot read changes nothing.
    void DrawImageFile(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect DialogUnits(int x, int y, int width, int height) const;

    CShareFrame* m_pFrame = nullptr; // not owned
    int m_nN = 2;
    int m_nK = 2;
    QLineEdit* m_editN = nullptr;
    QLineEdit* m_editK = nullptr;
    QLabel* m_picture = nullptr; // keeps the last picture drawn for every repaint
};

} // namespace lumisplit
