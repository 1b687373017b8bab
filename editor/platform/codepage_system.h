// The system's own code page 932 table, one code at a time: ICU's "windows-31j" fixed up to
// the Windows conversion (codepage_icu.cpp), or the Windows conversion itself
// (codepage_win.cpp). How bytes split into codes, the look-alikes and which encodings are
// accepted are decided above it, in codepage.cpp, the same on every system.
#pragma once

#include <QByteArray>

namespace SystemCodePage {

inline constexpr char16_t kDefaultChar = u'\u30FB';

bool isLeadByte(quint8 byte);

// The character of one code (one byte, or a lead byte and its trail byte), or kDefaultChar
// when the code has none.
char16_t character(const char* bytes, int size);

// Appends the code the system writes for one character; false (nothing appended) when it
// writes none.
bool appendCode(char16_t character, QByteArray* out);

}  // namespace SystemCodePage
