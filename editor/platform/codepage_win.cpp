// Code page 932 through the Windows system conversion itself.
#include <windows.h>

#include "codepage_system.h"

namespace {

constexpr UINT kCodePage = 932;

}  // namespace

namespace SystemCodePage {

bool isLeadByte(quint8 byte) {
    return IsDBCSLeadByteEx(kCodePage, byte) != FALSE;
}

char16_t character(const char* bytes, int size) {
    // Strict, so that a code without a character is refused rather than guessed at.
    wchar_t out[2];
    const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, size, out, 2);
    return length == 1 ? static_cast<char16_t>(out[0]) : kDefaultChar;
}

bool appendCode(char16_t character, QByteArray* out) {
    // No best fit here: the characters written as another one are chosen in codepage.cpp.
    const wchar_t unit = character;
    char code[2];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &unit, 1, code,
                                           sizeof code, nullptr, &usedDefault);
    if (length < 1 || usedDefault) {
        return false;
    }
    out->append(code, length);
    return true;
}

}  // namespace SystemCodePage
