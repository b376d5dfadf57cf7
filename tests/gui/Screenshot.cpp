// Takes the main window's picture after an encryption, for the documentation.
// Needs a real X server:  xvfb-run -a gui_screenshot <out.png> <secret.bmp>

#include "ScriptedInteraction.h"
#include "princip/ShareFrame.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: gui_screenshot <out.png> <secret.bmp>\n");
        return 2;
    }
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    lumisplit::test::TempDir dir; // the shares land here, not beside the sample
    const QString secret = QString::fromStdString(dir.File("secreto.bmp"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[2]), secret)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[2]);
        return 1;
    }
    const QString previous = QDir::currentPath();

    lumisplit::test::ScriptedInteraction ui;
    lumisplit::CShareFrame frame(ui);
    frame.show();
    ui.fileAnswers.push_back(secret);
    frame.OnOpenSecretImage();
    frame.OnEncrypt();

    int status = 1;
    QTimer::singleShot(1500, [&] {
        const QPixmap shot = frame.screen()->grabWindow(frame.winId());
        status = shot.save(out) ? 0 : 1;
        app.quit();
    });
    app.exec();
    QDir::setCurrent(previous);
    return status;
}
