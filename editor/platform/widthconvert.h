// Full-width to half-width characters, as the readings of existing generals are stored.
#pragma once

#include <QString>

// "ガッコウ" becomes "ｶﾞｯｺｳ": a voiced kana becomes two half-width characters.
QString ToHalfWidth(const QString& text);
