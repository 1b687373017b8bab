#include "windowstart.h"

#include <QApplication>

#include <cstdlib>

#include "cli/commandline.h"
#include "mainwindow.h"
#include "model/programdata.h"
#include "platform/messagebox.h"
#include "programsetup.h"

namespace {

bool applicationMade = false;
QtMessageHandler qtHandler = nullptr;

// A window system that cannot be reached ends Qt with an abort while the application is made;
// the player gets one line and the usage status instead.
void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && !applicationMade) {
        ReportNoDisplay();
        std::_Exit(kExitBadUsage);
    }
    qtHandler(type, context, text);
}

}  // namespace

int RunWindow(int argc, char* argv[]) {
    qtHandler = qInstallMessageHandler(handleMessage);
    QApplication app(argc, argv);
    applicationMade = true;
    PrepareApplication();
    UseRealMessageBoxes();
    ProgramData data;
    MainWindow window(data);
    window.show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        window.openGivenFile(arguments[1]);
    }
    return app.exec();
}
