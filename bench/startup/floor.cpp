// The least a Qt program can do to show what the editor first shows: a main window holding a
// list with the editor's column captions (given as arguments), or with "empty", a bare main
// window. It links nothing but Qt Widgets and ends as soon as the window has been shown.
#include <QApplication>
#include <QMainWindow>
#include <QStringList>
#include <QTreeWidget>

#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "empty") != 0) {
        QStringList captions;
        for (int i = 1; i < argc; ++i) {
            captions << QString::fromUtf8(argv[i]);
        }
        auto* list = new QTreeWidget(&window);
        list->setColumnCount(static_cast<int>(captions.size()));
        list->setHeaderLabels(captions);
        window.setCentralWidget(list);
    }
    window.show();
    QApplication::processEvents();
    // What counts ends with the shown window: tearing down is left out.
    std::_Exit(0);
}
