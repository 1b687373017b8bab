#include "windowicon.h"

// Windows shows the icon of the program file (its resource) on every window, and its Qt has
// no SVG icon engine: an icon set here would only hide that one.
QIcon ProgramWindowIcon() {
    return QIcon();
}
