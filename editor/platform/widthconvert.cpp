#include "widthconvert.h"

#include "widthconvert_system.h"

namespace {

// Forms Windows gives that the decomposition data has no half-width form for: the spacing
// sound marks, and the voiced iteration mark, whose base has no half-width form of its own.
QString systemOnlyForm(QChar c) {
    switch (c.unicode()) {
        case u'゛':
            return QStringLiteral("ﾞ");
        case u'゜':
            return QStringLiteral("ﾟ");
        case u'ヾ':
            return QStringLiteral("ヽﾞ");
        default:
            return QString();
    }
}

}  // namespace

QString ToHalfWidth(const QString& text) {
    QString result;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString form = systemOnlyForm(text[i]);
        if (!form.isEmpty()) {
            result += SystemHalfWidth(text.mid(runStart, i - runStart)) + form;
            runStart = i + 1;
        }
    }
    if (runStart == 0) {
        return SystemHalfWidth(text);
    }
    return result + SystemHalfWidth(text.mid(runStart));
}
