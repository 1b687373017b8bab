// ICU's "windows-31j" table gives every assigned code of the code page, the NEC and IBM
// extensions and the user-defined area (F040-F9FC <-> U+E000-U+E757) as Windows does. Where
// the Windows system conversion differs, it is fixed up here:
// - the single bytes 80, A0, FD, FE, FF, which ICU refuses, are U+0080, U+F8F0, U+F8F1,
//   U+F8F2, U+F8F3 both ways;
// - a code without a character (ICU refuses it) reads as the default character.
// Bytes 00-7F never reach this table (ICU swaps 1A, 1C and 7F).
#include <unicode/ucnv.h>

#include <array>
#include <memory>
#include <utility>

#include "codepage_system.h"

// The table this file's own conversion gives, made from it at build time (codepage_tablegen):
// reading text then needs no converter. The table maker itself converts through ICU.
#ifndef DROVANTEL_CODEPAGE_TABLEGEN
#include "cp932_table.h"
#define DROVANTEL_CODEPAGE_TABLE 1
#endif

namespace {

// Single bytes that ICU has no character for, and the characters Windows gives them.
constexpr std::array<std::pair<quint8, char16_t>, 5> kSingleByteFixes{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter that stops at anything without a mapping both ways, so that every refusal
// reaches the fix-ups instead of a substitute.
UConverter* converter() {
    static const Converter shared = [] {
        UErrorCode status = U_ZERO_ERROR;
        Converter c(ucnv_open("windows-31j", &status));
        if (U_SUCCESS(status)) {
            ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                                &status);
            ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                                  &status);
        }
        if (U_FAILURE(status)) {
            c.reset();
        }
        return c;
    }();
    return shared.get();
}

}  // namespace

namespace SystemCodePage {

bool isLeadByte(quint8 byte) {
#ifdef DROVANTEL_CODEPAGE_TABLE
    return byte >= 0x80 && kTableLeadBytes[byte - 0x80];
#else
    static const std::array<bool, 256> leads = [] {
        std::array<UBool, 256> starters{};
        UErrorCode status = U_ZERO_ERROR;
        if (converter() != nullptr) {
            ucnv_getStarters(converter(), starters.data(), &status);
        }
        std::array<bool, 256> result{};
        for (int i = 0; i < 256; ++i) {
            result[i] = U_SUCCESS(status) && starters[i];
        }
        return result;
    }();
    return leads[byte];
#endif
}

char16_t character(const char* bytes, int size) {
#ifdef DROVANTEL_CODEPAGE_TABLE
    if (const auto first = static_cast<quint8>(bytes[0]); first >= 0x80 && size <= 2) {
        return size == 1 ? kTableSingleBytes[first - 0x80]
                         : kTableDoubleBytes[first - 0x80][static_cast<quint8>(bytes[1])];
    }
#endif
    if (size == 1) {
        for (const auto& [code, fixed] : kSingleByteFixes) {
            if (code == static_cast<quint8>(bytes[0])) {
                return fixed;
            }
        }
    }
    UConverter* c = converter();
    if (c == nullptr) {
        return kDefaultChar;
    }
    ucnv_resetToUnicode(c);
    UChar out[2];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(c, out, 2, bytes, size, &status);
    return U_SUCCESS(status) && length == 1 ? out[0] : kDefaultChar;
}

bool appendCode(char16_t character, QByteArray* out) {
    for (const auto& [code, fixed] : kSingleByteFixes) {
        if (fixed == character) {
            out->append(static_cast<char>(code));
            return true;
        }
    }
    UConverter* c = converter();
    if (c == nullptr) {
        return false;
    }
    ucnv_resetFromUnicode(c);
    char code[4];
    UErrorCode status = U_ZERO_ERROR;
    const UChar unit = character;
    const int32_t length = ucnv_fromUChars(c, code, sizeof code, &unit, 1, &status);
    if (U_FAILURE(status) || length < 1 || length > 2) {
        return false;
    }
    out->append(code, length);
    return true;
}

}  // namespace SystemCodePage
