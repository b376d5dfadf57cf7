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

} // namespace lumisplit::test
