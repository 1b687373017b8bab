#include "widthconvert.h"

#include <unicode/utrans.h>

#include <memory>
#include <vector>

namespace {

struct TransliteratorCloser {
    void operator()(UTransliterator* t) const { utrans_close(t); }
};
using Transliterator = std::unique_ptr<UTransliterator, TransliteratorCloser>;

UTransliterator* fullToHalf() {
    static Transliterator transliterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        const std::u16string id = u"Fullwidth-Halfwidth";
        Transliterator t(utrans_openU(reinterpret_cast<const UChar*>(id.data()),
                                      static_cast<int32_t>(id.size()), UTRANS_FORWARD, nullptr, 0,
                                      nullptr, &status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    return transliterator.get();
}

}  // namespace

QString ToHalfWidth(const QString& text) {
    UTransliterator* transliterator = fullToHalf();
    if (transliterator == nullptr || text.isEmpty()) {
        return text;
    }
    // A full-width character becomes at most two half-width ones.
    const int32_t capacity = static_cast<int32_t>(text.size()) * 2 + 1;
    std::vector<UChar> buffer(capacity);
    std::copy(text.utf16(), text.utf16() + text.size(), buffer.begin());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t limit = length;
    UErrorCode status = U_ZERO_ERROR;
    utrans_transUChars(transliterator, buffer.data(), &length, capacity, 0, &limit, &status);
    if (U_FAILURE(status)) {
        return text;
    }
    return QString(reinterpret_cast<const QChar*>(buffer.data()), length);
}
