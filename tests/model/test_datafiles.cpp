#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "model/datapaths.h"
#include "model/existinggenerals.h"
#include "model/programdata.h"
#include "model/templates.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

QByteArray sjis(const QString& text) {
    QByteArray bytes;
    EncodeCp932(text, &bytes);
    return bytes;
}

// One General.csv row with the given name, reading, abilities and affinities.
QByteArray generalRow(const QString& name, const QString& reading, int ability, int faction,
                      int personal) {
    return "\"" + sjis(name) + "\",\"" + sjis(reading) + "\",1550,\"x\"," +
           QByteArray::number(ability) + ',' + QByteArray::number(ability) + ",50,50,50,0," +
           QByteArray::number(faction) + ',' + QByteArray::number(personal) + "\r\n";
}

QByteArray manyRows(int count) {
    QByteArray content;
    for (int i = 0; i < count; ++i) {
        content += generalRow(QStringLiteral("林") + QString::number(i), QStringLiteral("ハヤシ"),
                              i % 100 + 1, i % 149 + 1, 149 - i % 149);
    }
    return content;
}

const QString kNoTemplate = QStringLiteral("  -");

ExistingGeneralsLoad loadGenerals() {
    return LoadExistingGenerals(GeneralFilePath());
}

}  // namespace

class DataFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void noGeneralFileMeansAnEmptyTableSilently() {
        TempDataFolder folder;
        const ExistingGeneralsLoad load = loadGenerals();
        QCOMPARE(load.generals.count(), 0);
        QVERIFY(!load.error);
        QCOMPARE(load.generals.affinityRepresentative(10, 0), kNoTemplate);
        QCOMPARE(load.generals.affinityRepresentative(10, 1), kNoTemplate);
    }

    void namesAreSplitByLengthAndPadded() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(QStringLiteral("General.csv"),
                             generalRow(QStringLiteral("林進"), QString(), 10, 1, 1) +
                                 generalRow(QStringLiteral("森重信"), QString(), 10, 1, 1) +
                                 generalRow(QStringLiteral("山田義久"), QString(), 10, 1, 1) +
                                 generalRow(QStringLiteral("長谷川秀勝"), QString(), 10, 1, 1) +
                                 generalRow(QStringLiteral("大河内左衛門"), QString(), 10, 1, 1)));
        const ExistingGeneralsLoad load = loadGenerals();
        const ExistingGenerals& generals = load.generals;
        QVERIFY(!load.error);
        QCOMPARE(generals.count(), 5);
        const QStringList family{QStringLiteral("林    "), QStringLiteral("森    "),
                                 QStringLiteral("山田   "), QStringLiteral("長谷川秀勝"),
                                 QStringLiteral("大河内左衛")};
        const QStringList given{QStringLiteral("進    "), QStringLiteral("重信   "),
                                QStringLiteral("義久   "), QStringLiteral("     "),
                                QStringLiteral("     ")};
        const QStringList display{QStringLiteral("林進"), QStringLiteral("森重信"),
                                  QStringLiteral("山田義久"), QStringLiteral("長谷川秀勝"),
                                  QStringLiteral("大河内左衛")};
        for (int row = 1; row <= 5; ++row) {
            QCOMPARE(generals.at(row).familyName, family.at(row - 1));
            QCOMPARE(generals.at(row).givenName, given.at(row - 1));
            QCOMPARE(generals.name(row), display.at(row - 1));
        }
    }

    void readingsBecomeHalfWidthCutToElevenAndValuesLand() {
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(
            QStringLiteral("General.csv"),
            generalRow(QStringLiteral("林進"), QStringLiteral("ガッコウ"), 77, 12, 140) +
                generalRow(QStringLiteral("森茂"), QStringLiteral("ゴンドウジブザエモン"), 5, 0,
                           255)));
        const ExistingGeneralsLoad load = loadGenerals();
        const ExistingGenerals& generals = load.generals;
        QVERIFY(!load.error);
        QCOMPARE(generals.reading(1), QStringLiteral("ｶﾞｯｺｳ      "));
        // Every voiced kana takes two half-width characters, so the cut falls mid-name.
        QCOMPARE(generals.reading(2), QStringLiteral("ｺﾞﾝﾄﾞｳｼﾞﾌﾞｻ"));
        const PersonRecord& values = generals.at(1).values;
        QCOMPARE(values.ability(0), qint16(77));
        QCOMPARE(values.ability(1), qint16(77));
        QCOMPARE(values.ability(4), qint16(50));
        QCOMPARE(values.factionAffinity(), quint8(12));
        QCOMPARE(values.personalAffinity(), quint8(140));
        QCOMPARE(generals.at(2).values.personalAffinity(), quint8(255));
        QCOMPARE(values.fame(), qint16(0));
    }

    void representativesTakeTheLargestTotalThenTheEarlierRow() {
        TempDataFolder folder;
        RecordedMessages messages;
        // Totals: ability*2 + 150.
        QVERIFY(folder.write(
            QStringLiteral("General.csv"),
            generalRow(QStringLiteral("甲田"), QString(), 75, 5, 20) +       // 300
                generalRow(QStringLiteral("乙田"), QString(), 100, 6, 20) +  // 350
                generalRow(QStringLiteral("丙田"), QString(), 75, 5, 30) +   // 300, later
                generalRow(QStringLiteral("丁田"), QString(), 90, 7, 30)));  // 330
        const ExistingGenerals loaded = loadGenerals().generals;
        QCOMPARE(loaded.affinityRepresentative(20, 1), QStringLiteral("乙田"));
        QCOMPARE(loaded.affinityRepresentative(30, 1), QStringLiteral("丁田"));
        QCOMPARE(loaded.affinityRepresentative(5, 0), QStringLiteral("甲田"));
        QCOMPARE(loaded.affinityRepresentative(6, 0), QStringLiteral("乙田"));
        QCOMPARE(loaded.affinityRepresentative(8, 0), kNoTemplate);
        QCOMPARE(loaded.affinityRepresentative(-1, 0), kNoTemplate);
        QCOMPARE(loaded.affinityRepresentative(256, 1), kNoTemplate);

        // A table filled by hand: a total of 0 names nothing, equal totals keep the first.
        QList<GeneralRecord> rows(3);
        rows[0].familyName = QStringLiteral("零");
        rows[1].familyName = QStringLiteral("一");
        rows[1].values.setAbility(0, 1);
        rows[2].familyName = QStringLiteral("二");
        rows[2].values.setAbility(3, 1);
        for (GeneralRecord& row : rows) {
            row.values.setFactionAffinity(9);
        }
        rows[0].values.setPersonalAffinity(40);
        const ExistingGenerals byHand(rows);
        QCOMPARE(byHand.affinityRepresentative(9, 0), QStringLiteral("一"));
        QCOMPARE(byHand.affinityRepresentative(40, 1), kNoTemplate);
    }

    void namesWithoutCharactersLoadEveryRow() {
        TempDataFolder folder;
        RecordedMessages messages;
        const QByteArray rest = ",\"\",1,2,60,60,60,60,60,0,7,8\r\n";
        QVERIFY(folder.write(QStringLiteral("General.csv"),
                             "\"\x85\x40\x92\xA3\"" + rest + "\"A\x80\"" + rest +
                                 "\"\xA0\x81\x7F\"" + rest + manyRows(1)));
        const ExistingGeneralsLoad load = loadGenerals();
        QVERIFY(!load.error);
        QCOMPARE(load.generals.count(), 4);
        QCOMPARE(load.generals.name(1), QStringLiteral("・張"));
        QCOMPARE(load.generals.name(2), QStringLiteral("A\u0080"));
        QCOMPARE(load.generals.name(3), DecodeCp932(QByteArrayLiteral("\xA0")) + u'・');
        QCOMPARE(load.generals.name(4), QStringLiteral("林0"));
    }

    void badGeneralFilesKeepTheRowsBeforeTheFault_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("rowsKept");
        const QByteArray two = manyRows(2);
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << 0;
        QTest::newRow("1001 rows") << manyRows(1001) << 1000;
        QTest::newRow("missing fields") << two + "\"林\",\"ハ\",1,2,3\r\n" + manyRows(1) << 2;
        QTest::newRow("text in an integer") << two + "\"林\",\"\",1,2,abc,1,1,1,1,0,1,1\r\n" << 2;
        QTest::newRow("affinity beyond a byte") << two + "\"林\",\"\",1,2,1,1,1,1,1,0,256,1\r\n"
                                                << 2;
        QTest::newRow("unterminated quote") << two + "\"林,\"\",1,2,1,1,1,1,1,0,1,1\r\n" << 2;
    }
    void badGeneralFilesKeepTheRowsBeforeTheFault() {
        QFETCH(QByteArray, content);
        QFETCH(int, rowsKept);
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(QStringLiteral("General.csv"), content));
        const ExistingGeneralsLoad load = loadGenerals();
        QVERIFY(load.error);
        QCOMPARE(load.error->message(), QStringLiteral("General.csvの読み込みに失敗しました"));
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(load.generals.count(), rowsKept);
        if (rowsKept > 0) {
            QCOMPARE(load.generals.name(1), QStringLiteral("林0"));
        }
    }

    void generalFilesReadAlikeWhateverTheLineEnds() {
        QByteArray crlf = manyRows(3);
        for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r")}) {
            TempDataFolder folder;
            RecordedMessages messages;
            QVERIFY(
                folder.write(QStringLiteral("General.csv"), QByteArray(crlf).replace("\r\n", end)));
            const ExistingGeneralsLoad load = loadGenerals();
            QVERIFY(!load.error);
            QCOMPARE(load.generals.count(), 3);
            QCOMPARE(load.generals.name(3), QStringLiteral("林2"));
            QCOMPARE(load.generals.at(3).values.factionAffinity(), quint8(3));
        }
    }

    void templateFilesHaveTheirExactLayout() {
        TempDataFolder folder;
        RecordedMessages messages;
        SkillTemplates skills;
        AbilityTemplates abilities;
        skills.entries() = QList<SkillTemplate>(2);
        skills.entries()[0].name = kNoTemplate;
        skills.entries()[1].name = QStringLiteral("ABC");
        skills.entries()[1].countA = 1;
        skills.entries()[1].countB = 2;
        skills.entries()[1].candidates[0] = true;
        skills.entries()[1].candidates[2] = true;
        QVERIFY(!skills.save());

        QByteArray flags0;
        QByteArray flags1 = "#TRUE#,#FALSE#,#TRUE#,";
        for (int i = 0; i < 42; ++i) {
            flags0 += "#FALSE#,";
        }
        for (int i = 0; i < 39; ++i) {
            flags1 += "#FALSE#,";
        }
        const QByteArray skillFile =
            "2\r\n\"  -\",0,0\r\n" + flags0 + "\"\"\r\n" + "\"ABC\",1,2\r\n" + flags1 + "\"\"\r\n";
        QCOMPARE(folder.read(QStringLiteral("Tokugi.csv")), skillFile);

        abilities.entries() = QList<AbilityTemplate>(2);
        abilities.entries()[0].name = kNoTemplate;
        abilities.entries()[1].name = QStringLiteral("猛将");
        abilities.entries()[1].valueA = {80, 90, 0, 0, -1};
        abilities.entries()[1].valueB = {100, 70, 0, 0, 5};
        abilities.entries()[1].totalA = 300;
        abilities.entries()[1].totalB = 250;
        QVERIFY(!abilities.save());
        const QByteArray abilityFile = "2\r\n\"  -\",0,0\r\n0,0,0,0,0,0,0,0,0,0,\"\"\r\n\"" +
                                       sjis(QStringLiteral("猛将")) +
                                       "\",300,250\r\n80,100,90,70,0,0,0,0,-1,5,\"\"\r\n";
        QCOMPARE(folder.read(QStringLiteral("Capa.csv")), abilityFile);
        QVERIFY(messages.shown().isEmpty());

        // Read back, the lists are what was written, and saving them again changes no byte.
        skills = SkillTemplates();
        abilities = AbilityTemplates();
        QVERIFY(skills.load().isEmpty());
        QVERIFY(abilities.load().isEmpty());
        QCOMPARE(skills.entries().size(), 2);
        QCOMPARE(skills.entries()[1].name, QStringLiteral("ABC"));
        QVERIFY(skills.entries()[1].candidates[2] && !skills.entries()[1].candidates[1]);
        QCOMPARE(abilities.entries()[1].valueA[4], qint16(-1));
        QCOMPARE(abilities.entries()[1].totalB, qint16(250));
        QVERIFY(folder.write(QStringLiteral("Tokugi.csv"), QByteArray()));
        QVERIFY(folder.write(QStringLiteral("Capa.csv"), QByteArray()));
        QVERIFY(!skills.save());
        QVERIFY(!abilities.save());
        QCOMPARE(folder.read(QStringLiteral("Tokugi.csv")), skillFile);
        QCOMPARE(folder.read(QStringLiteral("Capa.csv")), abilityFile);
    }

    void missingTemplateFilesComeFromTheOriginalsOrStartEmpty() {
        TempDataFolder folder;
        RecordedMessages messages;
        SkillTemplates skills;
        AbilityTemplates abilities;
        const QByteArray original = "1\r\n\"  -\",0,0\r\n1,2,3,4,5,6,7,8,9,10,\"\"\r\n";
        QVERIFY(folder.write(QStringLiteral("Capaorg.csv"), original));
        // Installed originals are read-only; the player's copy must still be theirs to save.
        QVERIFY(QFile::setPermissions(folder.path(QStringLiteral("Capaorg.csv")),
                                      QFileDevice::ReadOwner | QFileDevice::ReadOther));
        QVERIFY(abilities.load().isEmpty());
        QCOMPARE(folder.read(QStringLiteral("Capa.csv")), original);
        QVERIFY(QFile::permissions(folder.path(QStringLiteral("Capa.csv"))) &
                QFileDevice::WriteOwner);
        QCOMPARE(abilities.entries().size(), 1);
        QCOMPARE(abilities.entries()[0].valueB[4], qint16(10));
        abilities.entries()[0].name = QStringLiteral("changed");
        QVERIFY(!abilities.save());
        QCOMPARE(folder.read(QStringLiteral("Capaorg.csv")), original);

        QVERIFY(skills.load().isEmpty());
        QCOMPARE(skills.entries().size(), 1);
        QCOMPARE(skills.entries()[0].name, kNoTemplate);
        QVERIFY(!folder.exists(QStringLiteral("Tokugi.csv")));
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!skills.save());
        QVERIFY(folder.exists(QStringLiteral("Tokugi.csv")));
    }

    void badTemplateFilesAreReported_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("sums");  // of each entry's totals and values
        const QByteArray entry = "\"A\",1,2\r\n1,2,3,4,5,6,7,8,9,10,\"\"\r\n";
        QTest::newRow("empty file") << QByteArray() << QStringList{kNoTemplate} << QList<int>{0};
        QTest::newRow("unreadable count")
            << QByteArray("x\r\n") + entry << QStringList{kNoTemplate} << QList<int>{0};
        QTest::newRow("zero count")
            << QByteArray("0\r\n") + entry << QStringList{kNoTemplate} << QList<int>{0};
        QTest::newRow("negative count")
            << QByteArray("-2\r\n") + entry << QStringList{kNoTemplate} << QList<int>{0};
        QTest::newRow("count beyond the file")
            << QByteArray("2000000000\r\n") + entry << QStringList{kNoTemplate} << QList<int>{0};
        // Fits the bound, but the file ends early: the announced length stays, the failing
        // entry keeps what was read of it.
        QTest::newRow("fewer than announced")
            << QByteArray("3\r\n") + entry + entry.left(20) + QByteArray(30, ',')
            << QStringList{QStringLiteral("A"), QStringLiteral("A"), QString()}
            << QList<int>{58, 1 + 2 + 1 + 2 + 3 + 4 + 5 + 6, 0};
        QTest::newRow("text in a value")
            << QByteArray("2\r\n") + entry + QByteArray(entry).replace("5,6", "five,6")
            << QStringList{QStringLiteral("A"), QStringLiteral("A")}
            << QList<int>{58, 1 + 2 + 1 + 2 + 3 + 4};
    }
    void badTemplateFilesAreReported() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, sums);
        TempDataFolder folder;
        RecordedMessages messages;
        QVERIFY(folder.write(QStringLiteral("Capa.csv"), content));
        AbilityTemplates abilities;
        const QList<DataFileError> errors = abilities.load();
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().message(), QStringLiteral("Capa.csvの読み込みに失敗しました"));
        QStringList loaded;
        QList<int> loadedSums;
        for (const AbilityTemplate& entry : std::as_const(abilities.entries())) {
            loaded.append(entry.name);
            int sum = entry.totalA + entry.totalB;
            for (int i = 0; i < kAbilityCount; ++i) {
                sum += entry.valueA[i] + entry.valueB[i];
            }
            loadedSums.append(sum);
        }
        QCOMPARE(loaded, names);
        QCOMPARE(loadedSums, sums);

        // The first save keeps the unreadable file whole beside the new one, later saves don't
        // touch that copy.
        QVERIFY(!abilities.save());
        QCOMPARE(folder.read(QStringLiteral("Capa.csv.bak")), content);
        abilities.entries().first().name = QStringLiteral("B");
        QVERIFY(!abilities.save());
        QCOMPARE(folder.read(QStringLiteral("Capa.csv.bak")), content);
    }

    void aFailedSaveLeavesTheFileAndTheList() {
        TempDataFolder folder;
        RecordedMessages messages;
        SkillTemplates skills;
        AbilityTemplates abilities;
        const QByteArray before =
            "1\r\n\"  -\",0,0\r\n" + QByteArray("#FALSE#,").repeated(42) + "\"\"\r\n";
        QVERIFY(folder.write(QStringLiteral("Tokugi.csv"), before));
        QVERIFY(skills.load().isEmpty());
        skills.entries().append(SkillTemplate{QString(QChar(0x00E9)), 1, 1, {}});
        const std::optional<DataFileError> failed = skills.save();
        QVERIFY(failed);
        QCOMPARE(failed->message(), QStringLiteral("Tokugi.csvの保存に失敗しました"));
        QVERIFY(skills.writePending());
        QCOMPARE(folder.read(QStringLiteral("Tokugi.csv")), before);
        QCOMPARE(skills.entries().size(), 2);

        SetDataFolder(folder.path(QStringLiteral("no such folder")));
        const std::optional<DataFileError> noFolder = abilities.save();
        QVERIFY(noFolder);
        QCOMPARE(noFolder->message(), QStringLiteral("Capa.csvの保存に失敗しました"));
        QVERIFY(messages.shown().isEmpty());
    }

    // Templates that another running copy added, or removed, since the load stay so.
    void anotherProcessesTemplatesAreKept() {
        TempDataFolder folder;
        RecordedMessages messages;
        SkillTemplates skills;
        AbilityTemplates abilities;
        const auto entry = [](const char* name) {
            return "\"" + QByteArray(name) + "\",0,0\r\n" + QByteArray("#FALSE#,").repeated(42) +
                   "\"\"\r\n";
        };
        QVERIFY(folder.write(QStringLiteral("Tokugi.csv"),
                             "3\r\n" + entry("  -") + entry("a") + entry("b")));
        QVERIFY(skills.load().isEmpty());
        QVERIFY(folder.write(QStringLiteral("Tokugi.csv"),
                             "3\r\n" + entry("  -") + entry("a") + entry("theirs")));
        skills.entries().append(SkillTemplate{QStringLiteral("mine"), 1, 1, {}});
        QVERIFY(!skills.save());
        QStringList names;
        for (const SkillTemplate& skill : skills.entries()) {
            names.append(skill.name);
        }
        QCOMPARE(names, QStringList({kNoTemplate, QStringLiteral("a"), QStringLiteral("mine"),
                                     QStringLiteral("theirs")}));
        QVERIFY(folder.read(QStringLiteral("Tokugi.csv")).startsWith("4\r\n"));
        QVERIFY(messages.shown().isEmpty());
    }

    // Only a list whose last write failed is written again, and only a failure of this try
    // is told.
    void pendingTemplateWritesAreTriedAgain() {
        TempDataFolder folder;
        ProgramData data;
        QVERIFY(data.load().isEmpty());
        QVERIFY(QDir().mkpath(folder.path(QStringLiteral("Tokugi.csv"))));
        QVERIFY(data.skillTemplates().save());
        QVERIFY(!data.abilityTemplates().save());
        const QList<DataFileError> stillFailing = data.savePendingTemplates();
        QCOMPARE(stillFailing.size(), 1);
        QCOMPARE(stillFailing.first().fileName, QStringLiteral("Tokugi.csv"));
        QVERIFY(QDir().rmdir(folder.path(QStringLiteral("Tokugi.csv"))));
        QVERIFY(data.savePendingTemplates().isEmpty());
        QVERIFY(!data.skillTemplates().writePending());
        QVERIFY(folder.exists(QStringLiteral("Tokugi.csv")));
    }

    void shippedDataLoadsAndSavesUnchanged() {
        // The build puts the shipped files beside the test program.
        SetDataFolder(QString());
        const QString bin = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        QVERIFY2(QFile::exists(bin + QStringLiteral("General.csv")), "shipped data not copied");
        TempDataFolder folder;
        for (const QString& name : {QStringLiteral("General.csv"), QStringLiteral("Capaorg.csv"),
                                    QStringLiteral("Tokugiorg.csv")}) {
            QVERIFY(QFile::copy(bin + name, folder.path(name)));
        }
        RecordedMessages messages;
        const ExistingGeneralsLoad load = loadGenerals();
        const ExistingGenerals& generals = load.generals;
        QVERIFY(!load.error);
        SkillTemplates skills;
        AbilityTemplates abilities;
        QVERIFY(skills.load().isEmpty());
        QVERIFY(abilities.load().isEmpty());
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(generals.count() >= 300);
        QVERIFY(skills.entries().size() > 3 && abilities.entries().size() > 3);
        QCOMPARE(skills.entries()[0].name, kNoTemplate);
        QCOMPARE(abilities.entries()[0].name, kNoTemplate);
        for (int row = 1; row <= generals.count(); ++row) {
            const QString name = generals.name(row);
            QVERIFY(name.size() >= 2 && name.size() <= 4);
            QVERIFY(generals.at(row).values.factionAffinity() >= 1);
            QVERIFY(generals.at(row).values.personalAffinity() <= 149);
        }
        QVERIFY(!skills.save() && !abilities.save());
        QCOMPARE(folder.read(QStringLiteral("Tokugi.csv")),
                 folder.read(QStringLiteral("Tokugiorg.csv")));
        QCOMPARE(folder.read(QStringLiteral("Capa.csv")),
                 folder.read(QStringLiteral("Capaorg.csv")));
    }
};

DROVANTEL_TEST(DataFilesTest);
#include "test_datafiles.moc"
