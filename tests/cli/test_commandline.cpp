#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "main/mainwindowfixture.h"
#include "support/readfile.h"
#include "support/testregistry.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

// The program run as a command: a program folder of its own (program, library, shipped data),
// no display at all.
class CommandLineTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir folder_;
    QString person_;

    QString path(const QString& name) const { return folder_.filePath(name); }

    int run(const QStringList& arguments, QByteArray* out = nullptr, QByteArray* err = nullptr) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        process.setProcessEnvironment(environment);
        process.start(path(QStringLiteral("Drovantel")), arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        if (out != nullptr) {
            *out = process.readAllStandardOutput();
        }
        if (err != nullptr) {
            *err = process.readAllStandardError();
        }
        return process.exitCode();
    }

  private slots:
    void initTestCase() {
        const QDir built(QCoreApplication::applicationDirPath());
        QStringList names = built.entryList({QStringLiteral("*.csv")}, QDir::Files);
        names << QStringLiteral("Drovantel") << QStringLiteral("libDrovantel.so");
        for (const QString& name : names) {
            QVERIFY2(QFile::copy(built.filePath(name), path(name)), qPrintable(name));
        }
    }
    void init() {
        person_ = path(QStringLiteral("TPERSON.VRX"));
        QFile::remove(person_);
        QFile::remove(person_ + QStringLiteral(".bak"));
        QVERIFY(writeFile(person_, MakePersonFile(3)));
    }

    void exitStatuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");  // part of standard error
        const QString sheet = QStringLiteral("sheet.csv");
        const QString usage = QStringLiteral("使い方:");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QString();
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0 << QString();
        QTest::newRow("mistyped option")
            << QStringList{QStringLiteral("--exprot"), QStringLiteral("TPERSON.VRX"), sheet} << 1
            << usage;
        QTest::newRow("unknown option alone")
            << QStringList{QStringLiteral("--bogus")} << 1 << usage;
        QTest::newRow("two files")
            << QStringList{QStringLiteral("TPERSON.VRX"), sheet} << 1 << usage;
        QTest::newRow("no arguments, no display")
            << QStringList{} << 1 << QStringLiteral("ディスプレイ");
        QTest::newRow("a file, no display")
            << QStringList{QStringLiteral("TPERSON.VRX")} << 1 << QStringLiteral("ディスプレイ");
        QTest::newRow("folder as person file")
            << QStringList{QStringLiteral("--export"), QStringLiteral("dir"), sheet} << 2
            << QStringLiteral("フォルダです");
        QTest::newRow("sheet far too large")
            << QStringList{QStringLiteral("--import"), QStringLiteral("big.csv"),
                           QStringLiteral("TPERSON.VRX")}
            << 2 << QStringLiteral("大きすぎます");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0 << QString();
        QTest::newRow("one file") << QStringList{QStringLiteral("--export"), sheet} << 1
                                  << QString();
        QTest::newRow("two commands")
            << QStringList{QStringLiteral("--export"), QStringLiteral("a"), sheet,
                           QStringLiteral("--import")}
            << 1 << QString();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--export"), QStringLiteral("--bogus"),
                           QStringLiteral("a"), sheet}
            << 1 << QString();
        QTest::newRow("no person file")
            << QStringList{QStringLiteral("--export"), QStringLiteral("none.vrx"), sheet} << 2
            << QString();
        QTest::newRow("no sheet") << QStringList{QStringLiteral("--import"),
                                                 QStringLiteral("none.csv"),
                                                 QStringLiteral("TPERSON.VRX")}
                                  << 2 << QString();
        QTest::newRow("sheet with problems")
            << QStringList{QStringLiteral("--import"), QStringLiteral("bad.csv"),
                           QStringLiteral("TPERSON.VRX")}
            << 3 << QString();
    }
    void exitStatuses() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, error);
        QVERIFY(writeFile(path(QStringLiteral("bad.csv")), "番号,名前\r\n1,武将1\r\n"));
        QVERIFY(writeFile(path(QStringLiteral("big.csv")), QByteArray(1024 * 1024 + 1, ',')));
        QVERIFY(QDir(folder_.path()).mkpath(QStringLiteral("dir")));
        for (QString& argument : arguments) {
            if (!argument.startsWith(u'-')) {
                argument = path(argument);
            }
        }
        QByteArray out;
        QByteArray err;
        QCOMPARE(run(arguments, &out, &err), status);
        QVERIFY2(QString::fromUtf8(err).contains(error), err.constData());
        if (!error.isEmpty() && !error.startsWith(QStringLiteral("使い方"))) {
            QCOMPARE(err.count('\n'), 1);  // one line says it
        }
        if (arguments.value(0) == QStringLiteral("--version")) {
            QCOMPARE(out, QByteArray("Drovantel 1.2.5\n"));
        }
        QCOMPARE(ReadFile(person_), MakePersonFile(3));
    }

    void exportEditAndImport() {
        const QString sheet = path(QStringLiteral("sheet.csv"));
        QByteArray out;
        QCOMPARE(run({QStringLiteral("--export"), person_, sheet}), 0);
        const QByteArray exported = ReadFile(sheet);
        QVERIFY(exported.startsWith("\xEF\xBB\xBF番号,名前,"));

        // Unchanged: nothing to write, not even a backup.
        QCOMPARE(run({QStringLiteral("--import"), sheet, person_}, &out), 0);
        QCOMPARE(out, QByteArray());
        QCOMPARE(ReadFile(person_), MakePersonFile(3));
        QVERIFY(!QFile::exists(person_ + QStringLiteral(".bak")));

        QByteArray edited = exported;
        edited.replace("2,武将2,,,,,,182,102,", "2,武将2,,,,,,182,300,");
        QVERIFY(edited != exported);
        QVERIFY(writeFile(sheet, edited));
        const QByteArray change = "002 武将2 名声: 102 → 300\n";
        QCOMPARE(
            run({QStringLiteral("--dry-run"), QStringLiteral("--import"), sheet, person_}, &out),
            0);
        QCOMPARE(out, change);
        QCOMPARE(ReadFile(person_), MakePersonFile(3));

        QCOMPARE(run({QStringLiteral("--import"), sheet, person_}, &out), 0);
        QCOMPARE(out, change);
        QByteArray expected = MakePersonFile(3);
        expected[4 + kRecordSize + 20] = char(300 & 0xFF);
        expected[4 + kRecordSize + 21] = char(300 >> 8);
        QCOMPARE(ReadFile(person_), expected);
        QCOMPARE(ReadFile(person_ + QStringLiteral(".bak")), MakePersonFile(3));
    }

    // An export never writes over its own source, another kind of file, or what is no file.
    void exportRefusesWhatIsNoSheet_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("names swapped") << QStringLiteral("OTHER.VRX");
        QTest::newRow("its own source") << QStringLiteral("TPERSON.VRX");
        QTest::newRow("a link to its source") << QStringLiteral("link.csv");
        QTest::newRow("a device") << QStringLiteral("/dev/null");
    }
    void exportRefusesWhatIsNoSheet() {
        QFETCH(QString, target);
        QVERIFY(writeFile(path(QStringLiteral("OTHER.VRX")), MakePersonFile(2)));
        QFile::remove(path(QStringLiteral("link.csv")));
        QVERIFY(QFile::link(person_, path(QStringLiteral("link.csv"))));
        const QString targetPath = target.startsWith(u'/') ? target : path(target);
        QCOMPARE(run({QStringLiteral("--export"), person_, targetPath}), 2);
        QCOMPARE(ReadFile(person_), MakePersonFile(3));
        QCOMPARE(ReadFile(path(QStringLiteral("OTHER.VRX"))), MakePersonFile(2));
        QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());
        // An earlier sheet is written over.
        const QString sheet = path(QStringLiteral("again.csv"));
        QCOMPARE(run({QStringLiteral("--export"), person_, sheet}), 0);
        QCOMPARE(run({QStringLiteral("--export"), person_, sheet}), 0);
    }

    void aFailedImportWritesNoMarks() {
        const QString sheet = path(QStringLiteral("marks.csv"));
        QCOMPARE(run({QStringLiteral("--export"), person_, sheet}), 0);
        QByteArray edited = ReadFile(sheet);
        edited.replace("2,武将2,,", "2,武将2,甲,");
        QVERIFY(writeFile(sheet, edited));
        QFile::remove(path(QStringLiteral("Mark.csv")));
        // The backup cannot be made where a folder holds its name.
        QVERIFY(QDir().mkpath(person_ + QStringLiteral(".bak")));
        QCOMPARE(run({QStringLiteral("--import"), sheet, person_}), 2);
        QVERIFY(QDir().rmdir(person_ + QStringLiteral(".bak")));
        QCOMPARE(ReadFile(person_), MakePersonFile(3));
        QVERIFY(!QFile::exists(path(QStringLiteral("Mark.csv"))));

        QCOMPARE(run({QStringLiteral("--import"), sheet, person_}), 0);
        QVERIFY(QFile::exists(path(QStringLiteral("Mark.csv"))));
    }
};

DROVANTEL_TEST(CommandLineTest);
#include "test_commandline.moc"
