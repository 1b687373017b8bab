// An icon read from its file only when it is first drawn or measured. The program's icon is
// an SVG: reading it loads the SVG icon engine and its library, which the first shown window
// does not need until the window system asks for the icon.
#pragma once

#include <QIcon>
#include <QString>

QIcon DeferredIcon(const QString& fileName);
