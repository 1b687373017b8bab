#include "widthconvert_system.h"

#include <QHash>

#include <utility>

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

namespace {

using Lookup = QHash<char32_t, char32_t>;

// The one character of a decomposition; 0 when it holds none or more than one.
char32_t singleCharacter(const icu::UnicodeString& text) {
    return text.countChar32() == 1 ? static_cast<char32_t>(text.char32At(0)) : 0;
}

// Enters one wide or narrow form: a wide form maps to the character it is a wide form of; a
// narrow form is found from its full compatibility decomposition (so that half-width Hangul
// answers to the conjoining jamo).
void addForm(const icu::Normalizer2& nfkd, UChar32 c, Lookup* lookup) {
    if (u_getIntPropertyValue(c, UCHAR_DECOMPOSITION_TYPE) == U_DT_WIDE) {
        icu::UnicodeString decomposed;
        nfkd.getRawDecomposition(c, decomposed);
        if (const char32_t narrow = singleCharacter(decomposed)) {
            lookup->insert(static_cast<char32_t>(c), narrow);
        }
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString decomposed = nfkd.normalize(icu::UnicodeString(c), status);
    if (const char32_t wide = singleCharacter(decomposed); U_SUCCESS(status) && wide != 0) {
        lookup->insert(wide, static_cast<char32_t>(c));
    }
}

// Built from ICU's decomposition data at first use, rather than through its transliterator,
// whose registry costs far more to set up than this conversion needs.
const Lookup& halfWidthLookup() {
    static const Lookup lookup = [] {
        Lookup result;
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
        if (U_FAILURE(status)) {
            return result;
        }
        // Every wide and narrow form lies in these two blocks; looking the property up for
        // each of their characters is far cheaper than a property set over all of Unicode,
        // which the command line would pay for at every start.
        for (const auto& [first, last] : {std::pair<UChar32, UChar32>{0x3000, 0x303F},
                                          std::pair<UChar32, UChar32>{0xFF00, 0xFFEF}}) {
            for (UChar32 c = first; c <= last; ++c) {
                const int type = u_getIntPropertyValue(c, UCHAR_DECOMPOSITION_TYPE);
                if (type == U_DT_WIDE || type == U_DT_NARROW) {
                    addForm(*nfkd, c, &result);
                }
            }
        }
        return result;
    }();
    return lookup;
}

// A character with no half-width form of its own whose canonical decomposition ends in a
// combining mark ("ガ" is "カ" and the voiced mark) becomes the half-width forms of its
// parts, when every part has one.
bool appendDecomposedHalfWidth(char32_t c, const Lookup& lookup, QString* out) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString parts;
    if (U_FAILURE(status) || !nfd->getDecomposition(static_cast<UChar32>(c), parts) ||
        u_getCombiningClass(parts.char32At(parts.length() - 1)) == 0) {
        return false;
    }
    QString converted;
    for (int32_t i = 0; i < parts.length(); i = parts.moveIndex32(i, 1)) {
        const auto found = lookup.constFind(static_cast<char32_t>(parts.char32At(i)));
        if (found == lookup.constEnd()) {
            return false;
        }
        converted += QChar::fromUcs4(*found);
    }
    *out += converted;
    return true;
}

}  // namespace

QString SystemHalfWidth(const QString& text) {
    const Lookup& lookup = halfWidthLookup();
    QString result;
    result.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        // By code point; a lone surrogate passes through as it is.
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const auto found = lookup.constFind(c);
        if (found != lookup.constEnd()) {
            result += QChar::fromUcs4(*found);
        } else if (!appendDecomposedHalfWidth(c, lookup, &result)) {
            result += QChar::fromUcs4(c);
        }
    }
    return result;
}
