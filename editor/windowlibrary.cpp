// The window as a library of its own: only a start of the window loads it, and with it Qt's
// widgets; the command line runs on Qt Core alone.
#include <QtGlobal>

#include "main/windowstart.h"

extern "C" Q_DECL_EXPORT int DrovantelRunWindow(int argc, char* argv[]) {
    return RunWindow(argc, argv);
}
