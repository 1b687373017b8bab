#include "codepage.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// A converter that stops at the first character without a mapping, instead of substituting.
Converter strictConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    return converter;
}

UConverter* sharedConverter() {
    static Converter converter = strictConverter();
    return converter.get();
}

}  // namespace

QString DecodeCp932(QByteArrayView bytes) {
    UConverter* converter = sharedConverter();
    if (converter == nullptr || bytes.isEmpty()) {
        return QString();
    }
    ucnv_resetToUnicode(converter);
    // One byte never makes more than one UTF-16 unit in this code page; the room to spare
    // keeps a stray replacement from overflowing.
    QString text(bytes.size() * 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), text.size(),
                                     bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        return QString();
    }
    text.truncate(length);
    return text;
}

bool EncodeCp932(const QString& text, QByteArray* out) {
    out->clear();
    UConverter* converter = sharedConverter();
    if (converter == nullptr) {
        return false;
    }
    if (text.isEmpty()) {
        return true;
    }
    ucnv_resetFromUnicode(converter);
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int length =
        ucnv_fromUChars(converter, bytes.data(), bytes.size(),
                        reinterpret_cast<const UChar*>(text.utf16()), text.size(), &status);
    if (U_FAILURE(status)) {
        return false;
    }
    bytes.truncate(length);
    *out = bytes;
    return true;
}

bool FitsCp932(const QString& text) {
    QByteArray ignored;
    return EncodeCp932(text, &ignored);
}

bool DecodeCp932Strict(QByteArrayView bytes, QString* out) {
    out->clear();
    static Converter converter = [] {
        Converter c = strictConverter();
        UErrorCode status = U_ZERO_ERROR;
        if (c != nullptr) {
            ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                                &status);
        }
        return U_SUCCESS(status) ? std::move(c) : nullptr;
    }();
    if (converter == nullptr) {
        return false;
    }
    if (bytes.isEmpty()) {
        return true;
    }
    ucnv_resetToUnicode(converter.get());
    QString text(bytes.size() * 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int length =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), text.size(),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        return false;
    }
    text.truncate(length);
    *out = text;
    return true;
}
