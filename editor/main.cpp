#include <QApplication>

#include "main/frmMain.h"
#include "main/programsetup.h"
#include "platform/messagebox.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PrepareApplication();
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
