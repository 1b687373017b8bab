#include <QApplication>
#include <QIcon>

#include "main/frmMain.h"
#include "platform/messagebox.h"
#include "platform/translation.h"
#include "platform/windowrules.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/drovantel.svg")));
    UseJapanesePlatformTexts();
    UseRealMessageBoxes();
    InstallWindowRules();
    frmMain window;
    window.show();
    return app.exec();
}
