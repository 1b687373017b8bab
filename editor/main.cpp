#include <QApplication>
#include <QIcon>

#include "main/frmMain.h"
#include "platform/messagebox.h"
#include "platform/translation.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/drovantel.svg")));
    UseJapanesePlatformTexts();
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
