// lumisplit: the front dialog "Criptografía Visual" over the hidden main window.

#include "princip/ShareApp.h"

int main(int argc, char** argv) {
    lumisplit::CShareApp app(argc, argv);
    return app.InitInstance();
}
