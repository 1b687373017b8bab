// Every file the program writes, written on a disk with room for only a few KiB: the write
// must be reported as failed and leave every file as it was.
#include <QDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <map>
#include <memory>

#include "model/filebackup.h"
#include "model/marks.h"
#include "model/templates.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// The marks of Mark.csv the tests read and write.
MarkTable markTable;

// Each write is smaller than the write buffer, so only the last flush meets the full disk.
constexpr rlim_t kDiskRoom = 4096;
const QByteArray kLargeContent(10000, 'x');

struct Writer {
    std::function<void(const TempDataFolder&)> prepare;
    std::function<bool()> write;
};

std::map<QString, QByteArray> snapshot(const TempDataFolder& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder.path(QString())).entryList(QDir::Files)) {
        files[name] = folder.read(name);
    }
    return files;
}

// Runs write in a child process whose files cannot grow past kDiskRoom; returns what write
// returned and the messages shown, one per line.
QByteArray writeOnFullDisk(const std::function<bool()>& write) {
    int channel[2];
    if (pipe(channel) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{kDiskRoom, kDiskRoom};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        RecordedMessages messages;
        QByteArray report = setrlimit(RLIMIT_FSIZE, &limit) != 0 ? "no limit"
                            : write()                            ? "ok=1"
                                                                 : "ok=0";
        for (const QString& shown : messages.texts()) {
            report += '\n' + shown.toUtf8();
        }
        _exit(::write(channel[1], report.constData(), report.size()) == report.size() ? 0 : 1);
    }
    close(channel[1]);
    QFile reader;
    reader.open(channel[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray report = reader.readAll();
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? report : "child failed";
}

// A template file's write, its failure shown as the window shows it.
template <typename Entry>
bool saveTemplates(TemplateFile<Entry>& file) {
    const std::optional<DataFileError> error = file.save();
    if (error) {
        ShowMessage(error->message(), MessageIcon::Critical);
    }
    return !error;
}

bool saveMarks() {
    OpenGenerals none;
    return !markTable.save(none);
}

}  // namespace

Q_DECLARE_METATYPE(Writer)

class FullDiskTest : public QObject {
    Q_OBJECT
  private slots:
    void everyWriterFailsWholeAndSays_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QByteArray>("expected");
        const auto marks = [](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Mark.csv"),
                                 "1\r\n\"a\",\"x\",\"\",\"\",\"\",\"\",\"\"\r\n"));
            markTable.load();
            markTable.entries().append(
                MarkEntry{QStringLiteral("b"), {QString::fromLatin1(kLargeContent)}});
        };
        QTest::newRow("Mark.csv") << Writer{marks, saveMarks} << QByteArray("ok=0");
        const auto abilityFile = std::make_shared<AbilityTemplates>();
        const auto capa = [abilityFile](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Capa.csv"), "old"));
            *abilityFile = AbilityTemplates();
            abilityFile->entries() = {AbilityTemplate{QString::fromLatin1(kLargeContent)}};
        };
        QTest::newRow("Capa.csv") << Writer{capa,
                                            [abilityFile] { return saveTemplates(*abilityFile); }}
                                  << QByteArray("ok=0\nCapa.csvの保存に失敗しました");
        const auto skillFile = std::make_shared<SkillTemplates>();
        const auto tokugi = [skillFile](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Tokugi.csv"), "old"));
            *skillFile = SkillTemplates();
            skillFile->entries() = {SkillTemplate{QString::fromLatin1(kLargeContent)}};
        };
        QTest::newRow("Tokugi.csv")
            << Writer{tokugi, [skillFile] { return saveTemplates(*skillFile); }}
            << QByteArray("ok=0\nTokugi.csvの保存に失敗しました");
        const auto shippedCapa = [](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Capaorg.csv"),
                                 "1\r\n\"" + kLargeContent + "\",0,0\r\n0,0,0,0,0,0,0,0,0,0,\"\""));
        };
        // The shipped templates serve as they are when they cannot be copied.
        const auto loadCapa = [abilityFile] {
            for (const DataFileError& error : abilityFile->load()) {
                ShowMessage(error.message(), MessageIcon::Critical);
            }
            return abilityFile->entries().size() == 1 &&
                   abilityFile->entries().first().name == QString::fromLatin1(kLargeContent);
        };
        QTest::newRow("copy of the shipped template")
            << Writer{shippedCapa, loadCapa}
            << QByteArray("ok=1\nCapa.csvを作成できませんでした（Capaorg.csvの内容を使います）");
        const auto personFile = [](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("a.vrx"), kLargeContent));
            QVERIFY(folder.write(QStringLiteral("a.vrx.bak"), "good"));
        };
        const auto backUp = [] { return BackUpFile(PlayerDataFolder() + QStringLiteral("a.vrx")); };
        QTest::newRow("backup of the person file")
            << Writer{personFile, backUp} << QByteArray("ok=0");
        // An unreadable Mark.csv is kept aside before it is replaced, or else left alone.
        const auto unreadableMarks = [](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Mark.csv"), "9\r\n\"" + kLargeContent));
            QVERIFY(folder.write(QStringLiteral("Mark.csv.bak"), "older"));
            markTable.load();
            markTable.entries().append(MarkEntry{QStringLiteral("n"), {QStringLiteral("m")}});
        };
        QTest::newRow("unreadable Mark.csv kept aside")
            << Writer{unreadableMarks, saveMarks} << QByteArray("ok=0");
    }
    void everyWriterFailsWholeAndSays() {
        QFETCH(Writer, writer);
        QFETCH(QByteArray, expected);
        TempDataFolder folder;
        RecordedMessages messages;
        writer.prepare(folder);
        const std::map<QString, QByteArray> before = snapshot(folder);
        QCOMPARE(writeOnFullDisk(writer.write), expected);
        QVERIFY(snapshot(folder) == before);  // no file changed, no temporary file left

        // With room on the disk the same write goes through.
        messages.clear();
        QVERIFY(writer.write());
        QVERIFY(messages.texts().isEmpty());
        QVERIFY(snapshot(folder) != before);
    }
};

DROVANTEL_TEST(FullDiskTest);
#include "test_fulldisk.moc"
