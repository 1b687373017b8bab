#include <QApplication>

#include "main/frmMain.h"
#include "platform/messagebox.h"
#include "platform/translation.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    UseJapanesePlatformTexts();
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
