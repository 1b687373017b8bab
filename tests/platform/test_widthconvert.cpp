// The half-width conversion of readings, against ICU's "Fullwidth-Halfwidth" transliterator,
// which the editor once used and which only this test still builds.
#include <QSet>
#include <QTest>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

#include "platform/codepage.h"
#include "platform/widthconvert.h"
#include "support/testregistry.h"

namespace {

QString TransliteratedHalfWidth(const QString& text) {
    static const std::unique_ptr<icu::Transliterator> transliterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            icu::UnicodeString(u"Fullwidth-Halfwidth"), UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    if (transliterator == nullptr) {
        return QString();
    }
    icu::UnicodeString converted(reinterpret_cast<const UChar*>(text.utf16()),
                                 static_cast<int32_t>(text.size()));
    transliterator->transliterate(converted);
    return QString(reinterpret_cast<const QChar*>(converted.getBuffer()), converted.length());
}

// The transliterator, except where Windows gives a form it has none for: the spacing sound
// marks, and the voiced iteration mark as its base and a half-width mark.
QString ExpectedHalfWidth(const QString& text) {
    return TransliteratedHalfWidth(text)
        .replace(QStringLiteral("゛"), QStringLiteral("ﾞ"))
        .replace(QStringLiteral("゜"), QStringLiteral("ﾟ"))
        .replace(QStringLiteral("ヾ"), QStringLiteral("ヽﾞ"));
}

// Every character that a reading decoded from code page 932 can hold: single bytes, and every
// lead byte with every trail byte.
QList<QString> ReadingCharacters() {
    QSet<QString> characters;
    const auto add = [&characters](const QByteArray& bytes) {
        const QString text = DecodeCp932(bytes);
        for (const QChar c : text) {
            characters.insert(QString(c));
        }
    };
    for (int byte = 0; byte <= 0xFF; ++byte) {
        add(QByteArray(1, char(byte)));
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            add(QByteArray(pair, 2));
        }
    }
    QList<QString> sorted = characters.values();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

bool IsKanaOrFullWidth(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0xFF00 && u <= 0xFFEF);
}

bool HoldsRange(const QList<QString>& characters, char16_t first, char16_t last) {
    for (char16_t u = first; u <= last; ++u) {
        if (!characters.contains(QString(QChar(u)))) {
            return false;
        }
    }
    return true;
}

}  // namespace

class WidthConvertTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The reference itself: without it every comparison below would pass for nothing.
        QCOMPARE(TransliteratedHalfWidth(QStringLiteral("ガ")), QStringLiteral("ｶﾞ"));
    }

    void everyReadingCharacterConvertsAsTheTransliteratorDid() {
        const QList<QString> characters = ReadingCharacters();
        // Katakana, hiragana, full-width letters and digits, half-width katakana.
        QVERIFY(HoldsRange(characters, u'ァ', u'ヶ'));
        QVERIFY(HoldsRange(characters, u'ぁ', u'ん'));
        QVERIFY(HoldsRange(characters, u'０', u'９') && HoldsRange(characters, u'Ａ', u'Ｚ'));
        QVERIFY(HoldsRange(characters, u'｡', u'ﾟ'));
        for (const QString& c : characters) {
            QCOMPARE(ToHalfWidth(c), ExpectedHalfWidth(c));
        }
        const QString all = characters.join(QString());
        QCOMPARE(ToHalfWidth(all), ExpectedHalfWidth(all));
    }

    void kanaFollowedByMarksConvertAsTheTransliteratorDid() {
        const QList<QString> marks = {QStringLiteral("゛"),     QStringLiteral("゜"),
                                      QStringLiteral("\u3099"), QStringLiteral("\u309A"),
                                      QStringLiteral("ﾞ"),      QStringLiteral("ﾟ")};
        for (const QString& c : ReadingCharacters()) {
            if (!IsKanaOrFullWidth(c.front())) {
                continue;
            }
            for (const QString& mark : marks) {
                QCOMPARE(ToHalfWidth(c + mark), ExpectedHalfWidth(c + mark));
            }
        }
    }

    void soundsKeepTheirMarksAndOtherTextStays() {
        QCOMPARE(ToHalfWidth(QStringLiteral("ヴァヷヺ")), QStringLiteral("ｳﾞｧﾜﾞｦﾞ"));
        // No half-width form: hiragana, and a voiced kana whose base has none.
        QCOMPARE(ToHalfWidth(QStringLiteral("がヸ漢")), QStringLiteral("がヸ漢"));
        QCOMPARE(ToHalfWidth(QStringLiteral("\u3000￥＼～")), QStringLiteral(" ¥\\~"));
        // Outside the basic plane and broken pairs pass through unchanged.
        const QString odd = QStringLiteral("\U0001F600") + QChar(0xD800) + QStringLiteral("ア");
        QCOMPARE(ToHalfWidth(odd),
                 QStringLiteral("\U0001F600") + QChar(0xD800) + QStringLiteral("ｱ"));
        QCOMPARE(ToHalfWidth(odd), TransliteratedHalfWidth(odd));
    }
};

DROVANTEL_TEST(WidthConvertTest);

#include "test_widthconvert.moc"
