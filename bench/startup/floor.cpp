// The least a Qt program can do to show what the editor first shows: a main window holding a
// list with the editor's column captions, or a bare main window. Arguments: "empty", or
// "list" and the captions, or "list=<width>x<height>" and the captions for a window of that
// size. It links nothing but Qt Widgets and ends as soon as the window has been shown.
#include <QApplication>
#include <QMainWindow>
#include <QStringList>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "peakmemory.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "empty") != 0) {
        QStringList captions;
        for (int i = 2; i < argc; ++i) {
            captions << QString::fromUtf8(argv[i]);
        }
        auto* list = new QTreeWidget(&window);
        list->setColumnCount(static_cast<int>(captions.size()));
        list->setHeaderLabels(captions);
        window.setCentralWidget(list);
        int width = 0;
        int height = 0;
        if (std::sscanf(argv[1], "list=%dx%d", &width, &height) == 2) {
            window.resize(width, height);
        }
    }
    window.show();
    QApplication::processEvents();
    // What counts ends with the shown window: tearing down is left out.
    ReportPeakMemory();
    std::_Exit(0);
}
