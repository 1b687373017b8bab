// Code page 932, width conversion and the message routine.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/codepage.h"
#include "platform/messagebox.h"
#include "platform/messages.h"
#include "platform/translation.h"
#include "platform/widthconvert.h"
#include "support/modal.h"
#include "support/systemiswine.h"
#include "support/testregistry.h"

namespace {

constexpr char16_t kDefaultChar = u'\u30FB';

// The single bytes that are neither ASCII, half-width katakana nor lead bytes.
const QHash<int, char16_t> kOddSingles{
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}};

bool isLeadByte(int byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isTrailByte(int byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

QByteArray pairOf(int lead, int trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return QByteArray(bytes, 2);
}

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void codePage932MapsAsWindowsDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash") << QStringLiteral("\uFF5E") << QByteArrayLiteral("\x81\x60");
        QTest::newRow("NEC circled one") << QStringLiteral("①") << QByteArrayLiteral("\x87\x40");
        QTest::newRow("IBM taka") << QStringLiteral("髙") << QByteArrayLiteral("\xFB\xFC");
        QTest::newRow("half-width kana") << QStringLiteral("ｶﾞ") << QByteArrayLiteral("\xB6\xDE");
        QTest::newRow("mixed") << QStringLiteral("張A") << QByteArrayLiteral("\x92\xA3\x41");
    }
    void codePage932MapsAsWindowsDoes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(DecodeCp932(bytes), text);
        QByteArray encoded;
        QVERIFY(EncodeCp932(text, &encoded));
        QCOMPARE(encoded, bytes);
    }

    // Duplicates that the system writes as one of their codes: JIS before NEC, NEC before
    // IBM, IBM before the NEC-selected IBM codes.
    void duplicatesWriteAsTheSystemChooses_data() {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("NEC because")
            << QByteArrayLiteral("\x87\x9A") << QByteArrayLiteral("\x81\xE6");
        QTest::newRow("IBM not sign")
            << QByteArrayLiteral("\xFA\x54") << QByteArrayLiteral("\x81\xCA");
        QTest::newRow("IBM roman one")
            << QByteArrayLiteral("\xFA\x4A") << QByteArrayLiteral("\x87\x54");
        QTest::newRow("NEC-selected IBM")
            << QByteArrayLiteral("\xED\x40") << QByteArrayLiteral("\xFA\x5C");
    }
    void duplicatesWriteAsTheSystemChooses() {
        QFETCH(QByteArray, read);
        QFETCH(QByteArray, written);
        const QString text = DecodeCp932(read);
        QCOMPARE(text, DecodeCp932(written));
        QByteArray encoded;
        QVERIFY(EncodeCp932(text, &encoded));
        QCOMPARE(encoded, written);
    }

    void everySingleByteReadsAsTheSystemDoes() {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray bytes(1, static_cast<char>(byte));
            const QString text = DecodeCp932(bytes);
            QCOMPARE(text.size(), 1);
            const char16_t character = text.at(0).unicode();
            if (isLeadByte(byte)) {
                QCOMPARE(character, kDefaultChar);  // a lead byte with nothing after it
                continue;
            }
            if (byte < 0x80) {
                QCOMPARE(character, char16_t(byte));
            } else if (byte >= 0xA1 && byte <= 0xDF) {
                QCOMPARE(character, char16_t(0xFF61 + byte - 0xA1));  // half-width katakana
            } else {
                QVERIFY2(kOddSingles.contains(byte), qPrintable(QString::number(byte, 16)));
                // Wine's own table reads them as the default character.
                if (SystemIsWine() && character == kDefaultChar) {
                    continue;
                }
                QCOMPARE(character, kOddSingles.value(byte));
            }
            QByteArray encoded;
            QVERIFY(EncodeCp932(text, &encoded));
            QCOMPARE(encoded, bytes);
        }
        // The three control bytes that ICU's own table swaps.
        QCOMPARE(DecodeCp932("\x1A\x1C\x7F"), QStringLiteral("\u001A\u001C\u007F"));
    }

    void everyDoubleByteCodeReadsAsTheSystemDoes() {
        QHash<char16_t, int> codesPerCharacter;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 1; trail < 256; ++trail) {
                if (isLeadByte(lead)) {
                    ++codesPerCharacter[DecodeCp932(pairOf(lead, trail)).at(0).unicode()];
                }
            }
        }
        int unassigned = 0;
        for (int lead = 0; lead < 256; ++lead) {
            for (int trail = 0; trail < 256; ++trail) {
                const QByteArray pair = pairOf(lead, trail);
                const QString text = DecodeCp932(pair);
                if (!isLeadByte(lead) || trail == 0) {
                    // Two single bytes; a lead byte before a NUL stands alone.
                    QCOMPARE(text, DecodeCp932(pair.left(1)) + DecodeCp932(pair.mid(1)));
                    continue;
                }
                QCOMPARE(text.size(), 1);
                const char16_t character = text.at(0).unicode();
                QByteArray encoded;
                QVERIFY(EncodeCp932(text, &encoded));
                if (!isTrailByte(trail)) {
                    QCOMPARE(character, kDefaultChar);
                    continue;
                }
                if (lead >= 0xF0 && lead <= 0xF9) {  // the user-defined area, row by row
                    const int index = (lead - 0xF0) * 188 + trail - (trail < 0x80 ? 0x40 : 0x41);
                    QCOMPARE(character, char16_t(0xE000 + index));
                }
                if (character == kDefaultChar && pair != QByteArrayLiteral("\x81\x45")) {
                    ++unassigned;
                    QCOMPARE(encoded, QByteArrayLiteral("\x81\x45"));
                    continue;
                }
                // Assigned: written as this code, or as another code of the same character.
                QCOMPARE(DecodeCp932(encoded), text);
                QVERIFY2(encoded == pair || codesPerCharacter.value(character) > 1,
                         pair.toHex().constData());
            }
        }
        QCOMPARE(unassigned, 1676);
    }

    void lookAlikesWriteOneWay_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("wave dash") << QStringLiteral("\u301C") << QByteArrayLiteral("\x81\x60");
        QTest::newRow("minus") << QStringLiteral("\u2212") << QByteArrayLiteral("\x81\x7C");
        QTest::newRow("double bar") << QStringLiteral("\u2016") << QByteArrayLiteral("\x81\x61");
        QTest::newRow("cent") << QStringLiteral("\u00A2") << QByteArrayLiteral("\x81\x91");
        QTest::newRow("pound") << QStringLiteral("\u00A3") << QByteArrayLiteral("\x81\x92");
        QTest::newRow("not") << QStringLiteral("\u00AC") << QByteArrayLiteral("\x81\xCA");
        QTest::newRow("em dash") << QStringLiteral("\u2014") << QByteArrayLiteral("\x81\x5C");
        QTest::newRow("yen") << QStringLiteral("\u00A5") << QByteArrayLiteral("\x5C");
        QTest::newRow("overline") << QStringLiteral("\u203E") << QByteArrayLiteral("\x7E");
        QTest::newRow("hiragana vu") << QStringLiteral("ゔ") << QByteArrayLiteral("\x83\x94");
        QTest::newRow("middle dot") << QStringLiteral("\u00B7") << QByteArrayLiteral("\x81\x45");
    }
    void lookAlikesWriteOneWay() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        QByteArray encoded;
        QVERIFY(EncodeCp932(QStringLiteral("a") + typed, &encoded));
        QCOMPARE(encoded, QByteArray("a" + written));
        const QString shown = WithCp932LookAlikes(QStringLiteral("a") + typed);
        QCOMPARE(shown, DecodeCp932(encoded));
        QVERIFY(shown != QStringLiteral("a") + typed);  // reading gives the look-alike back
        QCOMPARE(WithCp932LookAlikes(shown), shown);
    }

    void charactersOutsideTheCodePageAreRefused() {
        QByteArray encoded("left over");
        QVERIFY(!EncodeCp932(QStringLiteral("a\u00E9b"), &encoded));
        QVERIFY(encoded.isEmpty());
        QVERIFY(!FitsCp932(QStringLiteral("😀")));
        QVERIFY(!FitsCp932(QStringLiteral("\uFFFD")));
        QVERIFY(!FitsCp932(QString(QChar(0xD800))));    // half a surrogate pair
        QVERIFY(!FitsCp932(QStringLiteral("\uE758")));  // past the user-defined area
        QVERIFY(!FitsCp932(QStringLiteral("\uF86F")));  // has a code, which reads as "№"
        QVERIFY(FitsCp932(QStringLiteral("張飛")));
        QVERIFY(FitsCp932(QString()));
    }

    void decodingNeverFailsAndKeepsNuls() {
        QCOMPARE(DecodeCp932(QByteArray("A\0B", 3)),
                 QString(QStringLiteral("A") + QChar(0) + QStringLiteral("B")));
        // A lead byte cut off at the end, or followed by a NUL, is the default character on its
        // own; the NUL stays.
        QCOMPARE(DecodeCp932(QByteArrayLiteral("\x82\xA0\x82")), QStringLiteral("あ・"));
        QCOMPARE(DecodeCp932(QByteArray("\x82\0A", 3)),
                 QString(QStringLiteral("・") + QChar(0) + QStringLiteral("A")));
        // An unassigned code takes its trail byte along, whatever that byte is.
        QCOMPARE(DecodeCp932(QByteArrayLiteral("\x85\x40\x81\x22"
                                               "A")),
                 QStringLiteral("・・A"));
        QVERIFY(DecodeCp932(QByteArray()).isEmpty());
    }

    void fullWidthBecomesHalfWidth() {
        QCOMPARE(ToHalfWidth(QStringLiteral("ガッコウ")), QStringLiteral("ｶﾞｯｺｳ"));
        QCOMPARE(ToHalfWidth(QStringLiteral("パＡ１")), QStringLiteral("ﾊﾟA1"));
        QCOMPARE(ToHalfWidth(QStringLiteral("ｶﾝ")), QStringLiteral("ｶﾝ"));
        QCOMPARE(ToHalfWidth(QStringLiteral("ア゛イ゜ヾ")), QStringLiteral("ｱﾞｲﾟヽﾞ"));
        QCOMPARE(ToHalfWidth(QString()), QString());
    }

    void messagesAreRecordedAndAnswered() {
        {
            RecordedMessages messages;
            messages.queueAnswer(MessageAnswer::Yes);
            QCOMPARE(
                ShowMessage(QStringLiteral("one"), MessageIcon::Question, MessageButtons::YesNo),
                MessageAnswer::Yes);
            // An empty queue answers No; an OK box takes no answer from the queue.
            messages.queueAnswer(MessageAnswer::Yes);
            QCOMPARE(ShowMessage(QStringLiteral("two"), MessageIcon::Critical), MessageAnswer::Ok);
            QCOMPARE(
                ShowMessage(QStringLiteral("three"), MessageIcon::Question, MessageButtons::YesNo),
                MessageAnswer::Yes);
            QCOMPARE(
                ShowMessage(QStringLiteral("four"), MessageIcon::Question, MessageButtons::YesNo),
                MessageAnswer::No);
            QCOMPARE(messages.texts(),
                     QStringList({QStringLiteral("one"), QStringLiteral("two"),
                                  QStringLiteral("three"), QStringLiteral("four")}));
            QCOMPARE(messages.shown().at(1).icon, MessageIcon::Critical);
            QCOMPARE(messages.shown().at(1).buttons, MessageButtons::Ok);
            {
                RecordedMessages inner;
                ShowMessage(QStringLiteral("inner"), MessageIcon::Information);
                QCOMPARE(inner.texts(), QStringList{QStringLiteral("inner")});
            }
            ShowMessage(QStringLiteral("five"), MessageIcon::Exclamation);
            QCOMPARE(messages.shown().size(), 5);  // the inner recorder handed back to this one
        }
        // Without a presenter nothing waits for an answer.
        QCOMPARE(ShowMessage(QStringLiteral("q"), MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::No);
    }

    // Runs last: it leaves the translation installed.
    void platformTextsAreJapanese() {
        QVERIFY(UseJapanesePlatformTexts());
        UseRealMessageBoxes();
        QStringList buttons;
        WhenModalAppears([&buttons](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            for (const QAbstractButton* button : box->buttons()) {
                buttons.append(button->text());
            }
            box->button(QMessageBox::No)->click();
        });
        const MessageAnswer answer = ShowMessage(QStringLiteral("保存しますか"),
                                                 MessageIcon::Question, MessageButtons::YesNo);
        SetMessagePresenter({});
        QCOMPARE(answer, MessageAnswer::No);
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList texts;
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label != nullptr, name);
            texts.append(label->text());
        }
        const auto* box = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(box != nullptr);
        texts.append(box->button(QDialogButtonBox::Open)->text());
        texts.append(box->button(QDialogButtonBox::Cancel)->text());
        QCOMPARE(texts, QStringList({QStringLiteral("アドレス:"), QStringLiteral("ファイル名(&N):"),
                                     QStringLiteral("ファイルの種類:"), QStringLiteral("開く(&O)"),
                                     QStringLiteral("キャンセル")}));
    }
};

DROVANTEL_TEST(PlatformTest);

#include "test_platform.moc"
