// The editor's own start-up, up to its shown main window, with the data folder given as the
// one argument. It ends as soon as the window has been shown, with status 1 when start-up
// reported any failure (the time would then not be the time of a good start).
#include <QApplication>

#include <cstdlib>

#include "main/mainwindow.h"
#include "main/programsetup.h"
#include "model/programdata.h"
#include "peakmemory.h"
#include "platform/appinfo.h"
#include "platform/messages.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    PrepareApplication();
    SetDataFolder(QString::fromLocal8Bit(argv[1]));
    RecordedMessages messages;
    ProgramData data;
    MainWindow window(data);
    window.show();
    QApplication::processEvents();
    ReportPeakMemory();
    std::_Exit(messages.shown().isEmpty() ? 0 : 1);
}
