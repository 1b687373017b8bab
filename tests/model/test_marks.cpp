#include <QTest>

#include <algorithm>

#include "model/marks.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// The marks of Mark.csv the tests read and write.
MarkTable markTable;

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

// Saves the marks of generals 1..count.
std::optional<MarkFileError> saveMarks(int count) {
    openGenerals.setCount(count);
    return markTable.save(openGenerals);
}

QByteArray sjis(const QString& text) {
    QByteArray bytes;
    EncodeCp932(text, &bytes);
    return bytes;
}

// Writes the name bytes of roster slot index as the person file holds them.
void nameGeneral(int index, const QString& family, const QString& given) {
    const QByteArray familyBytes = sjis(family).leftJustified(5, '\0');
    const QByteArray givenBytes = sjis(given).leftJustified(5, '\0');
    for (int i = 0; i < 5; ++i) {
        openGenerals.record(index).bytes()[81 + i] = static_cast<std::uint8_t>(familyBytes.at(i));
        openGenerals.record(index).bytes()[86 + i] = static_cast<std::uint8_t>(givenBytes.at(i));
    }
}

QByteArray markLine(const QString& name, const QStringList& marks) {
    QByteArray line = "\"" + sjis(name) + "\"";
    for (int i = 0; i < kMarkCount; ++i) {
        line += ",\"" + sjis(marks.value(i)) + "\"";
    }
    return line + ",\"\"\r\n";
}

const QString kMarkFile = QStringLiteral("Mark.csv");

}  // namespace

class MarksTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        openGenerals.records() = Roster{};
        openGenerals.allMarks() = {};
    }

    void generalsOfTheSameNameShareAndTheLaterOneWins() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(
            kMarkFile, "1\r\n" + markLine(QStringLiteral("朝霧景虎"), {QStringLiteral("甲")})));
        markTable.load();
        nameGeneral(1, QStringLiteral("朝霧"), QStringLiteral("景虎"));
        nameGeneral(2, QStringLiteral("朝霧"), QStringLiteral("景虎"));
        markTable.attach(openGenerals, 1);
        markTable.attach(openGenerals, 2);
        QCOMPARE(openGenerals.marks(1).marks[0], QStringLiteral("甲"));
        QCOMPARE(openGenerals.marks(2).marks[0], QStringLiteral("甲"));
        openGenerals.marks(1).marks[0] = QStringLiteral("first");
        openGenerals.marks(2).marks[0] = QStringLiteral("second");
        QVERIFY(!saveMarks(2));
        QCOMPARE(folder.read(kMarkFile),
                 "1\r\n" + markLine(QStringLiteral("朝霧景虎"), {QStringLiteral("second")}));
    }

    void saveMergesKeepsOthersInOrderAndDropsEmptyEntries() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(
            kMarkFile, "3\n" + markLine(QStringLiteral("他家一"), {QStringLiteral("x")}) +
                           markLine(QStringLiteral("葉山隼"), {QString(), QStringLiteral("y")}) +
                           markLine(QStringLiteral("空欄"), {})));
        markTable.load();
        QCOMPARE(markTable.entries().size(), 3);
        nameGeneral(1, QStringLiteral("葉山"), QStringLiteral("隼"));
        nameGeneral(2, QStringLiteral("湊"), QStringLiteral("篤"));
        nameGeneral(3, QStringLiteral("瀬尾"), QStringLiteral("篤"));
        for (int index = 1; index <= 3; ++index) {
            markTable.attach(openGenerals, index);
        }
        QCOMPARE(openGenerals.marks(1).marks[1], QStringLiteral("y"));
        QCOMPARE(openGenerals.marks(2).name, QStringLiteral("湊篤"));
        QVERIFY(openGenerals.marks(2).isEmpty());
        openGenerals.marks(1).marks[4] = QStringLiteral("z");
        openGenerals.marks(2).marks[2] = QStringLiteral("新");
        saveMarks(3);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(
            folder.read(kMarkFile),
            "3\r\n" + markLine(QStringLiteral("他家一"), {QStringLiteral("x")}) +
                markLine(QStringLiteral("葉山隼"), {QString(), QStringLiteral("y"), QString(),
                                                    QString(), QStringLiteral("z")}) +
                markLine(QStringLiteral("湊篤"), {QString(), QString(), QStringLiteral("新")}));
        // The unmarked general joined the table but not the file.
        QCOMPARE(markTable.entries().size(), 5);
    }

    void aGeneralWithoutAnEntryStartsEmptyInAReusedSlot() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(kMarkFile,
                             "1\r\n" + markLine(QStringLiteral("八雲篤"), {QStringLiteral("m")})));
        markTable.load();
        nameGeneral(1, QStringLiteral("八雲"), QStringLiteral("篤"));
        markTable.attach(openGenerals, 1);
        QVERIFY(!openGenerals.marks(1).isEmpty());
        nameGeneral(1, QStringLiteral("蔦"), QStringLiteral("隼"));
        markTable.attach(openGenerals, 1);
        QCOMPARE(openGenerals.marks(1).name, QStringLiteral("蔦隼"));
        QVERIFY(openGenerals.marks(1).isEmpty());
    }

    void noMarkLeftMeansNoFile() {
        TempDataFolder folder;
        RecordedMessages messages;
        markTable.load();
        saveMarks(0);
        QVERIFY(!folder.exists(kMarkFile));

        QVERIFY(folder.write(
            kMarkFile, "1\r\n" + markLine(QStringLiteral("岩城宗近"), {QStringLiteral("a")})));
        markTable.load();
        nameGeneral(1, QStringLiteral("岩城"), QStringLiteral("宗近"));
        markTable.attach(openGenerals, 1);
        openGenerals.marks(1).marks[0].clear();
        saveMarks(1);
        QVERIFY(!folder.exists(kMarkFile));
        QVERIFY(messages.shown().isEmpty());
    }

    void aFailingEntryKeepsWhatWasReadOfIt() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(kMarkFile, "3\r\n" + markLine(QStringLiteral("甲"), {}) + "\"" +
                                            sjis(QStringLiteral("乙")) + "\",\"x\",\"y\"\r\n" +
                                            QByteArray(40, ' ')));
        QVERIFY(markTable.load());
        QCOMPARE(markTable.entries().size(), 3);
        QCOMPARE(markTable.entries().at(1).name, QStringLiteral("乙"));
        QCOMPARE(markTable.entries().at(1).marks[0], QStringLiteral("x"));
        QCOMPARE(markTable.entries().at(1).marks[1], QStringLiteral("y"));
        QVERIFY(markTable.entries().at(1).marks[2].isEmpty());
        QVERIFY(markTable.entries().at(2).name.isEmpty());
    }

    // A name byte pair without a character reads as "・" and is written so; the entry matches
    // the general again on the next start.
    void namesWithoutCharactersKeepTheirMarks() {
        TempDataFolder folder;
        RecordedMessages messages;
        markTable.load();
        for (int i = 0; i < 5; ++i) {
            openGenerals.record(1).bytes()[81 + i] = 0;
            openGenerals.record(1).bytes()[86 + i] = 0;
        }
        const char family[] = "\x85\x40\x92\xA3\x82";  // unassigned, 張, a cut-off lead byte
        std::copy(family, family + 5, openGenerals.record(1).bytes().begin() + 81);
        nameGeneral(2, QStringLiteral("張"), QStringLiteral("飛"));
        for (int index = 1; index <= 2; ++index) {
            markTable.attach(openGenerals, index);
            openGenerals.marks(index).marks[0] = QStringLiteral("印") + QString::number(index);
        }
        QVERIFY(!saveMarks(2));
        QVERIFY(folder.read(kMarkFile).contains("\"\x81\x45\x92\xA3\x81\x45\""));

        markTable.load();
        openGenerals.allMarks() = {};
        markTable.attach(openGenerals, 1);
        markTable.attach(openGenerals, 2);
        QCOMPARE(openGenerals.marks(1).name, QStringLiteral("・張・"));
        QCOMPARE(openGenerals.marks(1).marks[0], QStringLiteral("印1"));
        QCOMPARE(openGenerals.marks(2).marks[0], QStringLiteral("印2"));
        QVERIFY(messages.shown().isEmpty());
    }

    void unreadableFilesKeepWhatWasReadAndABackup_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("tableSize");
        QTest::addColumn<QString>("firstName");
        const QByteArray good = markLine(QStringLiteral("小竹信綱"), {QStringLiteral("a")});
        QTest::newRow("empty file") << QByteArray() << 1 << QString();
        QTest::newRow("count of two thousand million")
            << QByteArray("2000000000\r\n") + good << 1 << QString();
        QTest::newRow("count of zero") << QByteArray("0\r\n") + good << 1 << QString();
        QTest::newRow("missing fields")
            << QByteArray("2\r\n") + good + "\"b\",\"c\"\r\n" + QByteArray(20, ' ') << 2
            << QStringLiteral("小竹信綱");
        QTest::newRow("unterminated quote")
            << QByteArray("2\r\n") + good + "\"open,\"\",\"\",\"\",\"\",\"\",\"\r\n"
            << 2 << QStringLiteral("小竹信綱");
    }
    void unreadableFilesKeepWhatWasReadAndABackup() {
        QFETCH(QByteArray, content);
        QFETCH(int, tableSize);
        QFETCH(QString, firstName);
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(kMarkFile, content));
        QVERIFY(folder.write(QStringLiteral("Mark.csv.bak"), "older backup"));
        const std::optional<MarkFileError> error = markTable.load();
        QVERIFY(error);
        QCOMPARE(error->message(), QStringLiteral("Mark.csvの読み込みに失敗しました"));
        QCOMPARE(markTable.entries().size(), tableSize);
        QCOMPARE(markTable.entries().first().name, firstName);

        nameGeneral(1, QStringLiteral("鷲尾"), QStringLiteral("篤"));
        markTable.attach(openGenerals, 1);
        openGenerals.marks(1).marks[0] = QStringLiteral("new");
        QVERIFY(!saveMarks(1));
        QCOMPARE(folder.read(QStringLiteral("Mark.csv.bak")), content);
        QVERIFY(folder.read(kMarkFile).contains("new"));
        // Only the unreadable file is kept aside, not the ones this run wrote.
        QVERIFY(!saveMarks(1));
        QCOMPARE(folder.read(QStringLiteral("Mark.csv.bak")), content);
    }

    void aFailedWriteLeavesTheFile() {
        TempDataFolder folder;
        RecordedMessages messages;
        const QByteArray before =
            "1\r\n" + markLine(QStringLiteral("楢崎頼重"), {QStringLiteral("a")});
        QVERIFY(folder.write(kMarkFile, before));
        markTable.load();
        nameGeneral(1, QStringLiteral("楢崎"), QStringLiteral("頼重"));
        markTable.attach(openGenerals, 1);
        openGenerals.marks(1).marks[3] = QString(QChar(0x00E9));
        const std::optional<MarkFileError> error = saveMarks(1);
        QVERIFY(error);
        QCOMPARE(error->message(), QStringLiteral("Mark.csvの保存に失敗しました"));
        QCOMPARE(folder.read(kMarkFile), before);
        QCOMPARE(markTable.entries().first().marks[3], QString(QChar(0x00E9)));
    }

    // Another running copy wrote Mark.csv meanwhile: its entries stay, this one's changes win
    // where both changed one, and the open generals take its marks.
    void anotherProcessesMarksAreKept() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(kMarkFile,
                             "2\r\n" + markLine(QStringLiteral("甲斐"), {QStringLiteral("a")}) +
                                 markLine(QStringLiteral("乙部"), {QStringLiteral("b")})));
        markTable.load();
        nameGeneral(1, QStringLiteral("甲"), QStringLiteral("斐"));
        nameGeneral(2, QStringLiteral("乙"), QStringLiteral("部"));
        markTable.attach(openGenerals, 1);
        markTable.attach(openGenerals, 2);
        QVERIFY(folder.write(
            kMarkFile, "3\r\n" + markLine(QStringLiteral("甲斐"), {QStringLiteral("theirs")}) +
                           markLine(QStringLiteral("乙部"), {QStringLiteral("theirs")}) +
                           markLine(QStringLiteral("丙"), {QStringLiteral("c")})));
        openGenerals.marks(1).marks[0] = QStringLiteral("mine");
        QVERIFY(!saveMarks(2));
        QCOMPARE(folder.read(kMarkFile),
                 "3\r\n" + markLine(QStringLiteral("甲斐"), {QStringLiteral("mine")}) +
                     markLine(QStringLiteral("乙部"), {QStringLiteral("theirs")}) +
                     markLine(QStringLiteral("丙"), {QStringLiteral("c")}));
        QCOMPARE(openGenerals.marks(2).marks[0], QStringLiteral("theirs"));
        QVERIFY(!markTable.writePending());
    }
};

DROVANTEL_TEST(MarksTest);
#include "test_marks.moc"
