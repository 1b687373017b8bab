// Rules that hold whatever table the system has (codepage_system.h):
// - bytes 00-7F are each their own character both ways;
// - a lead byte and any non-NUL byte after it are one double-byte code; one without a
//   character reads as the default character U+30FB, which writes as 81 45; a lead byte at
//   the end or before a NUL reads as U+30FB on its own;
// - a character is written only with a code that reads back as that same character, except
//   the one-way characters below, each written as the code of another one.
#include "codepage.h"

#include <array>
#include <utility>

#include "codepage_system.h"

namespace {

using SystemCodePage::kDefaultChar;

// Characters written as the code of another one, one way only.
constexpr std::array<std::pair<char16_t, char16_t>, 11> kOneWay{{
    // The JIS-style characters that input methods outside Windows type, and their code page
    // look-alikes.
    {u'\u301C', u'\uFF5E'},  // wave dash
    {u'\u2212', u'\uFF0D'},  // minus sign
    {u'\u2016', u'\u2225'},  // double vertical line
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
    {u'\u2014', u'\u2015'},  // em dash
    {u'\u00A5', u'\u005C'},  // yen sign
    {u'\u203E', u'\u007E'},  // overline
    // Written as Windows' best fit writes them.
    {u'\u3094', u'\u30F4'},  // hiragana vu
    {u'\u00B7', u'\u30FB'},  // middle dot
}};

char16_t singleByteCharacter(quint8 byte) {
    if (byte < 0x80) {
        return byte;
    }
    const char bytes[1] = {static_cast<char>(byte)};
    return SystemCodePage::character(bytes, 1);
}

// Looked up once per code: names are decoded again on every sort and refresh.
char16_t doubleByteCharacter(quint8 lead, quint8 trail) {
    static std::array<std::array<char16_t, 256>, 256> known{};  // 0: not looked up yet
    char16_t& character = known[lead][trail];
    if (character == 0) {
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        character = SystemCodePage::character(bytes, 2);
    }
    return character;
}

char16_t oneWayTarget(char16_t character) {
    for (const auto& [from, to] : kOneWay) {
        if (from == character) {
            return to;
        }
    }
    return character;
}

// The character one code reads as.
char16_t characterOfCode(const QByteArray& bytes, qsizetype from) {
    const auto first = static_cast<quint8>(bytes[from]);
    return bytes.size() - from == 2
               ? doubleByteCharacter(first, static_cast<quint8>(bytes[from + 1]))
               : singleByteCharacter(first);
}

// Appends the code of one character; false when it has none.
bool appendCode(char16_t character, QByteArray* out) {
    character = oneWayTarget(character);
    if (character < 0x80) {
        out->append(static_cast<char>(character));
        return true;
    }
    const qsizetype from = out->size();
    // A code that reads back as something else would change the text behind the user's back.
    if (!SystemCodePage::appendCode(character, out) || characterOfCode(*out, from) != character) {
        out->truncate(from);
        return false;
    }
    return true;
}

}  // namespace

QString DecodeCp932(QByteArrayView bytes) {
    // Never more characters than bytes: written in place, then cut to what was written.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype written = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<quint8>(bytes[i]);
        if (byte < 0x80) {
            out[written++] = byte;
        } else if (!SystemCodePage::isLeadByte(byte)) {
            out[written++] = singleByteCharacter(byte);
        } else if (i + 1 < bytes.size() && bytes[i + 1] != '\0') {
            out[written++] = doubleByteCharacter(byte, static_cast<quint8>(bytes[++i]));
        } else {
            out[written++] = kDefaultChar;
        }
    }
    text.truncate(written);
    return text;
}

bool EncodeCp932(const QString& text, QByteArray* out) {
    out->clear();
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar character : text) {
        // A surrogate is half of a character outside the code page; the system refuses it alone.
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
        character = QChar(oneWayTarget(character.unicode()));
    }
    return text;
}
