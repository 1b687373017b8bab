#include "windowstart.h"

#include <QApplication>

#include <cstdlib>

#include "cli/commandline.h"
#include "mainwindow.h"
#include "model/programdata.h"
#include "model/wholefile.h"
#include "platform/appinfo.h"
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

// A desktop file finds an icon of its own only by an absolute path, and a program folder of its
// own can be moved: its drovantel.desktop is pointed at the icon where the folder now is.
void pointDesktopEntryAtIcon() {
    const QString folder = LibraryFolder();
    if (PlayerDataFolder() != folder) {
        return;
    }
    QByteArray contents;
    const QString entry = folder + QStringLiteral("drovantel.desktop");
    if (!ReadWholeFile(entry, &contents)) {
        return;
    }
    QList<QByteArray> lines = contents.split('\n');
    const QByteArray iconLine = "Icon=" + (folder + QStringLiteral("drovantel.svg")).toUtf8();
    bool changed = false;
    for (QByteArray& line : lines) {
        if (line.startsWith("Icon=") && line != iconLine) {
            line = iconLine;
            changed = true;
        }
    }
    if (changed) {
        // A failure leaves the entry as it was; the program runs on without its icon.
        WriteWholeFile(entry, lines.join('\n'));
    }
}

}  // namespace

int RunWindow(int argc, char* argv[]) {
    qtHandler = qInstallMessageHandler(handleMessage);
    QApplication app(argc, argv);
    applicationMade = true;
    PrepareApplication();
    pointDesktopEntryAtIcon();
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
