// Code page 932, width conversion and the message routine.
#include <QTest>

#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/widthconvert.h"
#include "support/testregistry.h"

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

    void charactersOutsideTheCodePageAreRefused() {
        QByteArray encoded("left over");
        QVERIFY(!EncodeCp932(QStringLiteral("a\u301Cb"), &encoded));  // the JIS wave dash
        QVERIFY(encoded.isEmpty());
        QVERIFY(!FitsCp932(QStringLiteral("¥")));
        QVERIFY(!FitsCp932(QStringLiteral("😀")));
        QVERIFY(FitsCp932(QStringLiteral("張飛")));
    }

    void decodingNeverFailsAndKeepsNuls() {
        // NEC-selected IBM extension: decodes, but encodes back as the IBM code.
        QCOMPARE(DecodeCp932(QByteArrayLiteral("\xED\x40")), QStringLiteral("\u7E8A"));
        QByteArray encoded;
        QVERIFY(EncodeCp932(QStringLiteral("\u7E8A"), &encoded));
        QCOMPARE(encoded, QByteArrayLiteral("\xFA\x5C"));

        QCOMPARE(DecodeCp932(QByteArray("A\0B", 3)),
                 QString(QStringLiteral("A") + QChar(0) + QStringLiteral("B")));
        // A lead byte cut off at the end, or followed by a NUL, is one replacement; the NUL stays.
        const QString cut = DecodeCp932(QByteArrayLiteral("\x82\xA0\x82"));
        QCOMPARE(cut.size(), 2);
        QCOMPARE(cut.at(0), QChar(0x3042));
        const QString beforeNul = DecodeCp932(QByteArray("\x82\0A", 3));
        QCOMPARE(beforeNul.size(), 3);
        QCOMPARE(beforeNul.at(1), QChar(0));
        QCOMPARE(beforeNul.at(2), QLatin1Char('A'));
        QVERIFY(DecodeCp932(QByteArray()).isEmpty());
    }

    void fullWidthBecomesHalfWidth() {
        QCOMPARE(ToHalfWidth(QStringLiteral("ガッコウ")), QStringLiteral("ｶﾞｯｺｳ"));
        QCOMPARE(ToHalfWidth(QStringLiteral("パＡ１")), QStringLiteral("ﾊﾟA1"));
        QCOMPARE(ToHalfWidth(QStringLiteral("ｶﾝ")), QStringLiteral("ｶﾝ"));
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
};

DROVANTEL_TEST(PlatformTest);

#include "test_platform.moc"
