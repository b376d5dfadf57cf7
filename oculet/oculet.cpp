// oculet: shows one share picture in a small window of its own. The main
// program starts one viewer per layer of a combine.

#include "oculetDlg.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace oculet {

class CViewerApp : public QApplication {
public:
    CViewerApp(int& argc, char** argv) : QApplication(argc, argv) {}

    // Runs the viewer's window until the user closes it; answers the exit code.
    int InitInstance() {
        const QStringList args = arguments();
        if (args.size() > 2) {
            std::fputs("usage: oculet [SHARE.bmp]\n", stderr);
            return 2;
        }
        std::optional<QString> sharePath;
        if (args.size() == 2)
            sharePath = args.at(1);
        CViewerDlg dialog(sharePath);
        dialog.exec();
        return 0;
    }
};

} // namespace oculet

int main(int argc, char** argv) {
    oculet::CViewerApp app(argc, argv);
    return app.InitInstance();
}
