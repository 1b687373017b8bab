// The system's full-width to half-width conversion: ICU's decomposition data
// (widthconvert_icu.cpp) or Windows' LCMapStringEx (widthconvert_win.cpp).
#pragma once

#include <QString>

QString SystemHalfWidth(const QString& text);
