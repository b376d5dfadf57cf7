#pragma once
// A main window in a fresh temporary folder, driven through the scripted seam.
// The process's current folder is the temporary one for the test's lifetime
// and is restored afterwards.

#include "ScriptedInteraction.h"
#include "imaging/BmpImage.h"
#include "princip/ShareFrame.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <algorithm>
#include <functional>

namespace lumisplit::test {

class GuiWorkspace {
public:
    GuiWorkspace() : m_previousFolder(QDir::currentPath()) { QDir::setCurrent(Folder()); }
    ~GuiWorkspace() { QDir::setCurrent(m_previousFolder); }
    GuiWorkspace(const GuiWorkspace&) = delete;
    GuiWorkspace& operator=(const GuiWorkspace&) = delete;

    QString Folder() const { return QString::fromStdString(m_dir.path().string()); }
    QString Path(const QString& name) const { return Folder() + '/' + name; }
    bool Exists(const QString& name) const { return QFile::exists(Path(name)); }

    ScriptedInteraction ui;
    CShareFrame frame{ui};

private:
    TempDir m_dir;
    QString m_previousFolder;
};

// Writes a 1-bit BMP, width x height, black where isBlack(row, column) holds
// (row 0 is the first stored row); answers its path.
inline QString WriteBitmap(const QString& path, int width, int height,
                           const std::function<bool(int, int)>& isBlack) {
    CBmpImage image(QFile::encodeName(path).toStdString(), height, width);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            image.SetPixelBW(r, c, isBlack(r, c) ? 1 : 0);
    image.Write();
    return path;
}

// The image in the file, read without touching any window.
inline CBmpImage ReadBitmap(const QString& path) {
    CBmpImage image(QFile::encodeName(path).toStdString());
    image.Read();
    return image;
}

inline bool IsBlack(QRgb pixel) {
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

// Every pixel of the image that fits on the canvas stands upright from canvas row 30.
inline void VerifyCanvasShows(const CShareFrame& frame, const CBmpImage& image) {
    const int height = image.Height();
    for (int r = std::max(0, height - 738); r < height; ++r)
        for (int c = 0; c < std::min(image.Width(), 1024); ++c)
            QCOMPARE(IsBlack(frame.Canvas().pixel(c, height - r + 29)),
                     image.GetPixelBW(r, c) == 'b');
}

} // namespace lumisplit::test
