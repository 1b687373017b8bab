// ICU's "windows-31j" table gives every assigned code of the code page, the NEC and IBM
// extensions and the user-defined area (F040-F9FC <-> U+E000-U+E757) as Windows does. Where
// the Windows system conversion differs, this module fixes it up around ICU:
// - bytes 00-7F are each their own character both ways (ICU swaps 1A, 1C and 7F);
// - the single bytes 80, A0, FD, FE, FF, which ICU refuses, are U+0080, U+F8F0, U+F8F1,
//   U+F8F2, U+F8F3 both ways;
// - a lead byte and any non-NUL byte after it are one double-byte code; one without a
//   character (ICU refuses it) reads as the default character U+30FB, which writes as 81 45;
//   a lead byte at the end or before a NUL reads as U+30FB on its own;
// - the JIS-style characters that input methods outside Windows type write as the code of
//   their code page look-alike (one way only): U+301C, U+2212, U+2016, U+00A2, U+00A3,
//   U+00AC, U+2014, U+00A5, U+203E.
#include "codepage.h"

#include <unicode/ucnv.h>

#include <array>
#include <memory>
#include <utility>

namespace {

constexpr char16_t kDefaultChar = u'\u30FB';

// Single bytes that ICU has no character for, and the characters Windows gives them.
constexpr std::array<std::pair<quint8, char16_t>, 5> kSingleByteFixes{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

// JIS-style characters and the code page 932 character each is written as.
constexpr std::array<std::pair<char16_t, char16_t>, 9> kLookAlikes{{
    {u'\u301C', u'\uFF5E'},  // wave dash
    {u'\u2212', u'\uFF0D'},  // minus sign
    {u'\u2016', u'\u2225'},  // double vertical line
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
    {u'\u2014', u'\u2015'},  // em dash
    {u'\u00A5', u'\u005C'},  // yen sign
    {u'\u203E', u'\u007E'},  // overline
}};

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// One converter that stops at anything without a mapping both ways, so that every refusal
// reaches the fix-ups above instead of a substitute.
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

// The one character of a byte sequence in ICU's table, or the default character.
char16_t icuCharacter(const char* bytes, int size) {
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

bool isLeadByte(quint8 byte) {
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
}

char16_t singleByteCharacter(quint8 byte) {
    if (byte < 0x80) {
        return byte;
    }
    for (const auto& [code, character] : kSingleByteFixes) {
        if (code == byte) {
            return character;
        }
    }
    const char bytes[1] = {static_cast<char>(byte)};
    return icuCharacter(bytes, 1);
}

// Looked up once per code: names are decoded again on every sort and refresh.
char16_t doubleByteCharacter(quint8 lead, quint8 trail) {
    static std::array<std::array<char16_t, 256>, 256> known{};  // 0: not looked up yet
    char16_t& character = known[lead][trail];
    if (character == 0) {
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        character = icuCharacter(bytes, 2);
    }
    return character;
}

char16_t lookAlikeOf(char16_t character) {
    for (const auto& [jisStyle, codePage] : kLookAlikes) {
        if (jisStyle == character) {
            return codePage;
        }
    }
    return character;
}

// Appends the code of one character; false when it has none.
bool appendCode(char16_t character, QByteArray* out) {
    character = lookAlikeOf(character);
    if (character < 0x80) {
        out->append(static_cast<char>(character));
        return true;
    }
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

}  // namespace

QString DecodeCp932(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<quint8>(bytes[i]);
        const bool pair = isLeadByte(byte) && i + 1 < bytes.size() && bytes[i + 1] != '\0';
        if (pair) {
            text.append(QChar(doubleByteCharacter(byte, static_cast<quint8>(bytes[++i]))));
        } else {
            text.append(QChar(singleByteCharacter(byte)));
        }
    }
    return text;
}

bool EncodeCp932(const QString& text, QByteArray* out) {
    out->clear();
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar character : text) {
        // A surrogate is half of a character outside the code page; ICU refuses it alone.
        if (!appendCode(character.unicode(), &bytes)) {
            return false;
        }
    }
    *out = bytes;
    return true;
}

bool FitsCp932(const QString& text) {
    QByteArray ignored;
    return EncodeCp932(text, &ignored);
}

QString WithCp932LookAlikes(QString text) {
    for (QChar& character : text) {
        character = QChar(lookAlikeOf(character.unicode()));
    }
    return text;
}
