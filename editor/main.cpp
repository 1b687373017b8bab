#include <QApplication>

#include "main/frmMain.h"
#include "platform/messagebox.h"
#include "platform/windowrules.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    UseRealMessageBoxes();
    InstallWindowRules();
    frmMain window;
    window.show();
    return app.exec();
}
