#include <QApplication>
#include <QIcon>

#include "main/frmMain.h"
#include "platform/messagebox.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/drovantel.svg")));
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
