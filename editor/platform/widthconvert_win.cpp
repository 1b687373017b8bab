// Half-width forms through the Windows system conversion itself, with the Japanese rules the
// readings of the existing generals were made with.
#include <windows.h>

#include "widthconvert_system.h"

QString SystemHalfWidth(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    const auto* source = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = static_cast<int>(text.size());
    const int needed =
        LCMapStringEx(L"ja-JP", LCMAP_HALFWIDTH, source, size, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0) {
        return text;
    }
    QString result(needed, Qt::Uninitialized);
    const int written =
        LCMapStringEx(L"ja-JP", LCMAP_HALFWIDTH, source, size,
                      reinterpret_cast<wchar_t*>(result.data()), needed, nullptr, nullptr, 0);
    return written > 0 ? result.left(written) : text;
}
