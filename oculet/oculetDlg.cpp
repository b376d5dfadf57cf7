#include "oculetDlg.h"

#include <QFile>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <utility>

namespace oculet {

namespace {

// The window's size in dialog units, as the 8-point dialog font measures them.
constexpr int kWidthDu = 127;
constexpr int kHeightDu = 146;

// Dialog base units: half the alphabet's average letter width, rounded, and the line height.
QSize DialogUnitsToPixels(const QFont& font, int widthDu, int heightDu) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    const int baseY = metrics.height();
    return {widthDu * baseX / 4, heightDu * baseY / 8};
}

} // namespace

CViewerDlg::CViewerDlg(std::optional<QString> sharePath, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_strSharePath(std::move(sharePath)) {
    setWindowTitle(QStringLiteral("capa"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/oculet/oculet-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/oculet/oculet-16.png"), QSize(16, 16));
    setWindowIcon(icon);

    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    setFixedSize(DialogUnitsToPixels(dialogFont, kWidthDu, kHeightDu));
    // Every viewer opens at the origin, so the viewers of one combine lie on top of each other.
    move(0, 0);
}

CViewerDlg::~CViewerDlg() = default;

QString CViewerDlg::SharePath() const {
    if (m_strSharePath)
        return *m_strSharePath;
    // The main program rewrites the hand-off file for each layer, so it is read
    // again at every paint; only its first character counts.
    QFile handOff(QStringLiteral("kov.ini"));
    if (!handOff.open(QIODevice::ReadOnly))
        return {};
    char digit = 0;
    if (!handOff.getChar(&digit) || digit < '0' || digit > '9')
        return {};
    return QStringLiteral("capa%1.bmp").arg(QChar::fromLatin1(digit));
}

void CViewerDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    DrawShare();
}

void CViewerDlg::DrawShare() {
    const QString path = SharePath();
    if (path.isEmpty())
        return;
    // Nothing is cached: the share may be rewritten while the viewer is open.
    QImage share(path);
    if (share.isNull())
        return;
    // One picture pixel per screen pixel, cut off by the window's edges.
    share.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(0, 0, share);
}

} // namespace oculet
