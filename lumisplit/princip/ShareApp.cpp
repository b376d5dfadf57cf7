#include "princip/ShareApp.h"

#include "princip/ShareFrame.h"
#include "shell/FrontDialog.h"
#include "shell/Interaction.h"
#include "shell/QtInteraction.h"

#include <QIcon>
#include <memory>

namespace lumisplit {

CShareApp::CShareApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The caption of every message box shown without one of its own.
    setApplicationName(QString(kApplicationName));
    QIcon icon;
    icon.addFile(QStringLiteral(":/desktop/lumisplit-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/desktop/lumisplit-16.png"), QSize(16, 16));
    setWindowIcon(icon);
}

CShareApp::~CShareApp() = default;

int CShareApp::InitInstance() {
    CQtInteraction interaction;
    return InitInstance(interaction);
}

int CShareApp::InitInstance(CInteraction& interaction) {
    CFrontDialog dialog;
    // The main window holds the workspace for the whole run; it is shown only
    // through the front dialog's Avanzado button.
    auto frame = std::make_unique<CShareFrame>(interaction);
    dialog.DoModalWithFrame(frame.get());
    // The viewers started meanwhile are detached and go on running.
    return 0;
}

} // namespace lumisplit
