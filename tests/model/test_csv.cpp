#include <QTemporaryDir>
#include <QTest>

#include "model/csv.h"
#include "platform/codepage.h"
#include "support/testregistry.h"

namespace {

QByteArray sjis(const char16_t* text) {
    QByteArray bytes;
    EncodeCp932(QString::fromUtf16(text), &bytes);
    return bytes;
}

}  // namespace

class CsvTest : public QObject {
    Q_OBJECT
  private slots:
    void readsTheSameWhateverTheLineEnds_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("CR LF") << QByteArray("\"a b\",  12\r\n-3,#TRUE#\r\n  \"\"\r\n");
        QTest::newRow("LF") << QByteArray("\"a b\",  12\n-3,#TRUE#\n  \"\"\n");
        QTest::newRow("CR") << QByteArray("\"a b\",  12\r-3,#TRUE#\r  \"\"\r");
        QTest::newRow("commas, no final line end") << QByteArray("\"a b\",12,-3,#TRUE#,\"\"");
    }
    void readsTheSameWhateverTheLineEnds() {
        QFETCH(QByteArray, content);
        CsvReader reader(content);
        QString text;
        qint16 number = 0;
        qint16 negative = 0;
        bool flag = false;
        QString empty = QStringLiteral("x");
        QVERIFY(reader.readText(&text));
        QVERIFY(reader.readInt16(&number));
        QVERIFY(reader.readInt16(&negative));
        QVERIFY(reader.readBool(&flag));
        QVERIFY(reader.readText(&empty));
        QCOMPARE(text, QStringLiteral("a b"));
        QCOMPARE(number, qint16(12));
        QCOMPARE(negative, qint16(-3));
        QVERIFY(flag);
        QVERIFY(empty.isEmpty());
        QVERIFY(reader.atEnd());
        QVERIFY(!reader.failed());
    }

    void quotedTextKeepsCommasAndUnquotedTextIsTrimmed() {
        CsvReader reader(QByteArray("\"x,y\"  ,  plain text  ,\"after\"junk,") + sjis(u"漢字ｶﾅ") +
                         "\r\n");
        QString a, b, c, d;
        QVERIFY(reader.readText(&a) && reader.readText(&b) && reader.readText(&c) &&
                reader.readText(&d));
        QCOMPARE(a, QStringLiteral("x,y"));
        QCOMPARE(b, QStringLiteral("plain text"));
        QCOMPARE(c, QStringLiteral("after"));
        QCOMPARE(d, QStringLiteral("漢字ｶﾅ"));
    }

    // Bytes without a character read as the system reads them, instead of failing the file.
    void textWithoutCharactersStillReads() {
        CsvReader reader(QByteArray("\"\x81\x20\",\"ab\x82\",\"\x85\x40\x80\xA0\xFD\",") +
                         "\xEF\xBB\xBF\"a\",1");
        QString unassigned;
        QString cut;
        QString odd;
        QString byteOrderMark;
        qint16 one = 0;
        QVERIFY(reader.readText(&unassigned) && reader.readText(&cut) && reader.readText(&odd) &&
                reader.readText(&byteOrderMark) && reader.readInt16(&one));
        QCOMPARE(unassigned, QStringLiteral("・"));
        QCOMPARE(cut, QStringLiteral("ab・"));
        // A0 and FD as the system reads them (private-use characters on Windows).
        QCOMPARE(odd, QStringLiteral("・\u0080") + DecodeCp932(QByteArrayLiteral("\xA0\xFD")));
        QCOMPARE(byteOrderMark, QStringLiteral("・ｿ\"a\""));
        QCOMPARE(one, 1);
    }

    void badFieldsFailAndTheFailureSticks_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kind");  // 0 integer, 1 boolean, 2 text
        QTest::newRow("text in an integer") << QByteArray("abc,1") << 0;
        QTest::newRow("digits then text") << QByteArray("12x,1") << 0;
        QTest::newRow("quoted integer") << QByteArray("\"12\",1") << 0;
        QTest::newRow("empty integer") << QByteArray(",1") << 0;
        QTest::newRow("beyond 16 bits") << QByteArray("32768,1") << 0;
        QTest::newRow("huge number") << QByteArray("99999999999999999999999,1") << 0;
        QTest::newRow("boolean spelled otherwise") << QByteArray("TRUE,1") << 1;
        QTest::newRow("unterminated quote") << QByteArray("\"abc,1\r\n2\r\n") << 2;
        QTest::newRow("past the end") << QByteArray("  ") << 2;
    }
    void badFieldsFailAndTheFailureSticks() {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        CsvReader reader(content);
        qint16 number = 0;
        bool flag = false;
        QString text;
        const bool ok = kind == 0   ? reader.readInt16(&number)
                        : kind == 1 ? reader.readBool(&flag)
                                    : reader.readText(&text);
        QVERIFY(!ok);
        QVERIFY(reader.failed());
        // Later reads fail too, even of a field that would read.
        QVERIFY(!reader.skipField());
    }

    void countsAreBoundedByWhatTheFileCanHold() {
        int count = -1;
        CsvReader fits("3\r\n\"a\",\"b\"\r\n\"c\",\"d\"\r\n\"e\",\"f\"\r\n");
        QVERIFY(fits.readCount(1, 2, &count));
        QCOMPARE(count, 3);
        CsvReader tooMany("2000000000\r\n\"a\",\"b\"\r\n");
        QVERIFY(!tooMany.readCount(1, 2, &count));
        CsvReader zero("0\r\n\"a\",\"b\"\r\n");
        QVERIFY(!zero.readCount(1, 2, &count));
        CsvReader negative("-1\r\n");
        QVERIFY(!negative.readCount(0, 2, &count));
        CsvReader beyondInt("4294967297\r\n");
        QVERIFY(!beyondInt.readCount(0, 1, &count));
        QCOMPARE(count, 3);
    }

    void writerSeparatesItemsAndEndsLinesWithCrLf() {
        CsvWriter writer;
        writer.integer(2);
        writer.endLine();
        writer.text(QStringLiteral("名前"));
        writer.integer(-15);
        writer.boolean(true);
        writer.boolean(false);
        writer.text(QString());
        writer.endLine();
        QVERIFY(writer.ok());
        QCOMPARE(writer.bytes(),
                 QByteArray("2\r\n\"") + sjis(u"名前") + "\",-15,#TRUE#,#FALSE#,\"\"\r\n");
    }

    // A quote inside a text is written as two and read back as one; a name from a person
    // file may hold quotes and commas.
    void quotesInTextsComeBackWhole() {
        const QStringList texts{QStringLiteral("A\"BC"), QStringLiteral("\"a,\"\"b\""), QString()};
        CsvWriter writer;
        for (const QString& text : texts) {
            writer.text(text);
        }
        QCOMPARE(writer.bytes().left(9), QByteArray("\"A\"\"BC\",\""));
        CsvReader reader(writer.bytes());
        QStringList read(texts.size());
        QVERIFY(reader.readText(&read[0]) && reader.readText(&read[1]) &&
                reader.readText(&read[2]));
        QCOMPARE(read, texts);
    }

    void savingReplacesWholeOrNotAtAll() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        CsvWriter first;
        first.text(QStringLiteral("first"));
        first.endLine();
        QVERIFY(first.saveTo(path));

        // A character without a code page 932 form spoils the whole write: the file stays.
        CsvWriter unencodable;
        unencodable.text(QStringLiteral("ok"));
        unencodable.text(QString(QChar(0x00E9)));
        unencodable.endLine();
        QVERIFY(!unencodable.ok());
        QVERIFY(!unencodable.saveTo(path));
        QVERIFY(!CsvWriter().saveTo(dir.filePath(QStringLiteral("missing/out.csv"))));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"first\"\r\n"));
    }

    void fileReadingRefusesOversizedAndMissingFiles() {
        QTemporaryDir dir;
        CsvReader reader(QByteArray{});
        QVERIFY(!CsvReader::fromFile(dir.filePath(QStringLiteral("none.csv")), &reader));
        QFile big(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(CsvReader::kMaxFileSize + 1));
        big.close();
        QVERIFY(!CsvReader::fromFile(big.fileName(), &reader));
    }
};

DROVANTEL_TEST(CsvTest);
#include "test_csv.moc"
