#pragma once
// CShareApp: the application object of lumisplit. Start-up creates the main
// window hidden and runs the front dialog; the program ends with it.

#include <QApplication>

namespace lumisplit {

class CInteraction;

class CShareApp : public QApplication {
public:
    CShareApp(int& argc, char** argv);
    ~CShareApp() override;

    // The start-up with the real dialogs and message boxes; answers the exit code.
    int InitInstance();
    // The start-up sequence on the given interaction: the hidden main window,
    // then the front dialog until SALIR, Escape or the main window's Exit.
    static int InitInstance(CInteraction& interaction);
};

} // namespace lumisplit
