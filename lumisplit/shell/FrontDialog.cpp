#include "shell/FrontDialog.h"

#include "basis/BasisPair.h"
#include "princip/ShareFrame.h"
#include "shell/DialogUnits.h"
#include "shell/Interaction.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <limits>

namespace lumisplit {

namespace {

constexpr int kWidthDu = 226;
constexpr int kHeightDu = 130;
constexpr int kFontPoints = 14;

QPushButton* AddButton(QWidget* parent, const QString& text, const QString& name, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // No default button: Enter in an edit must neither encrypt nor end the dialog.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(geometry);
    FitTextToWidth(*button, text,
                   geometry.width() -
                       2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button));
    return button;
}

// A whole number as the edits are read: leading blanks, an optional minus and
// digits to the end; anything else (or an int overflow) reads as 0.
int ReadWholeNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    if (i == text.size())
        return 0;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return 0;
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

CFrontDialog::CFrontDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Criptografía Visual"));
    QFont dialogFont = font();
    dialogFont.setPointSize(kFontPoints);
    setFont(dialogFont);
    setFixedSize(DialogUnits(0, 0, kWidthDu, kHeightDu).size());

    // Created in the order of the tab key.
    auto* salir = AddButton(this, QStringLiteral("SALIR"), QString::number(kSalirId),
                            DialogUnits(10, 110, 30, 9));
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);

    auto* imagen = new QGroupBox(QStringLiteral("Imagen"), this);
    imagen->setGeometry(DialogUnits(55, 0, 165, 125));
    // Above the group box, which would tint it, and out of the mouse's way.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->move(kPictureX, kPictureY);
    m_picture->hide();
    auto* labelN = new QLabel(QStringLiteral("n"), this);
    labelN->setGeometry(DialogUnits(15, 71, 8, 8));
    auto* labelK = new QLabel(QStringLiteral("k"), this);
    labelK->setGeometry(DialogUnits(15, 86, 8, 10));
    auto* parametros = new QGroupBox(QStringLiteral("Parámetros"), this);
    parametros->setGeometry(DialogUnits(5, 60, 45, 40));

    m_editN = new QLineEdit(QString::number(m_nN), this);
    m_editN->setObjectName(QString::number(kEditN));
    m_editN->setGeometry(DialogUnits(25, 70, 10, 12));
    m_editK = new QLineEdit(QString::number(m_nK), this);
    m_editK->setObjectName(QString::number(kEditK));
    m_editK->setGeometry(DialogUnits(25, 85, 10, 12));

    auto* encriptar = AddButton(this, QStringLiteral("Encriptar"), QString::number(kEncriptarId),
                                DialogUnits(5, 30, 45, 10));
    connect(encriptar, &QPushButton::clicked, this, &CFrontDialog::OnEncriptar);
    auto* desencriptar = AddButton(this, QStringLiteral("Desencriptar"),
                                   QString::number(kDesencriptarId), DialogUnits(5, 45, 45, 10));
    connect(desencriptar, &QPushButton::clicked, this, &CFrontDialog::OnDesencriptar);
    auto* abrir = AddButton(this, QStringLiteral("Abrir"), QString::number(kAbrirId),
                            DialogUnits(15, 5, 20, 10));
    connect(abrir, &QPushButton::clicked, this, &CFrontDialog::OnAbrir);

    // The only way to the main window's other schemes and methods: small, under
    // SALIR, last in the tab order.
    auto* avanzado = AddButton(this, QStringLiteral("Avanzado…"), QStringLiteral("Avanzado"),
                               DialogUnits(10, 120, 30, 8));
    connect(avanzado, &QPushButton::clicked, this, &CFrontDialog::OnAvanzado);

    salir->setFocus();
}

CFrontDialog::~CFrontDialog() = default;

QRect CFrontDialog::DialogUnits(int x, int y, int width, int height) const {
    return DialogUnitsRect(font(), x, y, width, height);
}

void CFrontDialog::DoModalWithFrame(CShareFrame* pFrame) {
    m_pFrame = pFrame;
    // Modal for its own run, yet the main window reached by Avanzado still
    // takes input: with no parent, window modality blocks no other window.
    setWindowModality(Qt::WindowModal);
    m_pFrame->Interaction().RunDialog(*this);
}

void CFrontDialog::OnAbrir() {
    m_pFrame->OnOpenSecretImage();
    // Also after a cancelled file dialog: the last secret opened is drawn again.
    DrawImageFile(m_pFrame->SecretPath());
}

void CFrontDialog::OnEncriptar() {
    const int n = ReadWholeNumber(m_editN->text());
    const int k = ReadWholeNumber(m_editK->text());
    // Refused here: the threshold construction has no meaning outside this range.
    const bool wrongN = n < kMinParticipants || n > kMaxParticipants;
    if (wrongN || k < kMinParticipants || k > n) {
        m_pFrame->Interaction().ShowMessage(
            this, QStringLiteral("n must be a whole number from 2 to 9, and k from 2 to n."));
        QLineEdit* wrong = wrongN ? m_editN : m_editK;
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    m_pFrame->SetThresholdScheme(n, k);
    m_pFrame->OnEncrypt();
}

void CFrontDialog::OnDesencriptar() {
    m_pFrame->OnCombineShares();
    // Also after an abandoned combine: an earlier result, if any, is drawn.
    DrawImageFile(QStringLiteral("resultado.bmp"));
}

void CFrontDialog::OnAvanzado() {
    m_pFrame->show();
    m_pFrame->raise();
    m_pFrame->activateWindow();
}

void CFrontDialog::DrawImageFile(const QString& path) {
    if (path.isEmpty())
        return;
    QImage picture(path);
    if (picture.isNull())
        return;
    // One picture pixel per screen pixel, cut off only by the client area.
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    m_picture->setPixmap(pixmap);
    // Resizing repaints what a larger picture covered before.
    m_picture->resize(pixmap.deviceIndependentSize().toSize());
    m_picture->show();
}

void CFrontDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses a focused button and does nothing anywhere else.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace lumisplit
