#include <QApplication>
#include <QMainWindow>

#include "platform/appinfo.h"
#include "platform/messagebox.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    UseRealMessageBoxes();
    // The main window comes with the list and its commands; until then, an empty window
    // with the application title.
    QMainWindow window;
    window.setWindowTitle(AppTitle());
    window.resize(982, 694);
    window.show();
    return app.exec();
}
