#include <QApplication>

#include "cli/commandline.h"
#include "main/frmMain.h"
#include "main/programsetup.h"
#include "platform/messagebox.h"

int main(int argc, char* argv[]) {
    // The command line runs without a display: decided before any window system is touched.
    if (WantsCommandLine(argc, argv)) {
        return RunCommandLine(argc, argv);
    }
    QApplication app(argc, argv);
    PrepareApplication();
    UseRealMessageBoxes();
    frmMain window;
    window.show();
    return app.exec();
}
