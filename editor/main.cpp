#include <QApplication>

#include "main/frmMain.h"
#include "platform/messagebox.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
