#pragma once
// Dialog layouts are given in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. The average is taken
// over the alphabet, as dialog templates expect, so texts sized for a template
// fit in it.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>

namespace lumisplit {

inline QRect DialogUnitsRect(const QFont& font, int x, int y, int width, int height) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int cx = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    const int cy = metrics.height();
    return {x * cx / 4, y * cy / 8, width * cx / 4, height * cy / 8};
}

// The layouts were drawn for a narrower font than most we get: a text that
// would be cut off takes a smaller size of the same font.
inline void FitTextToWidth(QWidget& widget, const QString& text, int room) {
    constexpr int kSmallestPoints = 6;
    QFont font = widget.font();
    while (font.pointSize() > kSmallestPoints && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSize(font.pointSize() - 1);
    widget.setFont(font);
}

} // namespace lumisplit
