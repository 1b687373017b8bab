// Every file the program writes, written on a disk that takes no more than a few KiB: the
// write must be reported as failed and leave every file as it was.
#include <QDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <map>

#include "model/filebackup.h"
#include "model/marks.h"
#include "model/templates.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// Larger than the disk takes, smaller than the write buffer, so that the first write succeeds
// and only the last flush meets the full disk.
constexpr rlim_t kDiskRoom = 4096;
constexpr int kContentSize = 10000;

struct FullDiskCase {
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

QByteArray text(char c, int size) {
    return QByteArray(size, c);
}

// Runs write in a child process whose files cannot grow past kDiskRoom, as on a full disk.
// Returns what the child's write returned and the messages it showed, one per line.
QByteArray writeOnFullDisk(const std::function<bool()>& write) {
    int channel[2];
    if (pipe(channel) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const rlimit limit{kDiskRoom, kDiskRoom};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        RecordedMessages messages;
        QByteArray report = "ok=0";
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            report = "no limit";
        } else if (write()) {
            report = "ok=1";
        }
        for (const QString& shown : messages.texts()) {
            report += '\n' + shown.toUtf8();
        }
        const bool sent = ::write(channel[1], report.constData(), report.size()) == report.size();
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    QByteArray report;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
        report.append(buffer, got);
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? report : "child failed";
}

}  // namespace

Q_DECLARE_METATYPE(FullDiskCase)

class FullDiskTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        markTable = QList<MarkEntry>(1);
        generalMarks = {};
        abilityTemplates.clear();
        skillTemplates.clear();
    }

    void everyWriterFailsWholeAndSays_data() {
        QTest::addColumn<FullDiskCase>("writer");
        QTest::addColumn<QByteArray>("expected");
        const auto marks = [](const TempDataFolder& folder) {
            QVERIFY(folder.write(QStringLiteral("Mark.csv"),
                                 "1\r\n\"old\",\"x\",\"\",\"\",\"\",\"\",\"\"\r\n"));
            LoadMarks();
            for (int i = 0; i < 200; ++i) {
                markTable.append(
                    MarkEntry{QStringLiteral("n%1").arg(i), {QString::fromLatin1(text('m', 40))}});
            }
        };
        QTest::newRow("Mark.csv") << FullDiskCase{marks,
                                                  [] {
                                                      SaveMarks(0);
                                                      return true;
                                                  }}
                                  << QByteArray("ok=1\nMark.csvの保存に失敗しました");
        QTest::newRow("Capa.csv") << FullDiskCase{[](const TempDataFolder& folder) {
                                                      QVERIFY(folder.write(
                                                          QStringLiteral("Capa.csv"), "old"));
                                                      abilityTemplates.resize(200);
                                                  },
                                                  SaveAbilityTemplates}
                                  << QByteArray("ok=0\nCapa.csvの保存に失敗しました");
        QTest::newRow("Tokugi.csv")
            << FullDiskCase{[](const TempDataFolder& folder) {
                                QVERIFY(folder.write(QStringLiteral("Tokugi.csv"), "old"));
                                skillTemplates.resize(40);
                            },
                            SaveSkillTemplates}
            << QByteArray("ok=0\nTokugi.csvの保存に失敗しました");
        QTest::newRow("template copied from the shipped one")
            << FullDiskCase{[](const TempDataFolder& folder) {
                                const QByteArray entry =
                                    "\"t\",0,0\r\n0,0,0,0,0,0,0,0,0,0,\"\"\r\n";
                                QVERIFY(folder.write(QStringLiteral("Capaorg.csv"),
                                                     "250\r\n" + entry.repeated(250)));
                            },
                            [] {
                                LoadAbilityTemplates();
                                return true;
                            }}
            << QByteArray("ok=1\nCapa.csvの読み込みに失敗しました");
        QTest::newRow("backup of the person file")
            << FullDiskCase{
                   [](const TempDataFolder& folder) {
                       QVERIFY(folder.write(QStringLiteral("a.vrx"), text('\x01', kContentSize)));
                       QVERIFY(folder.write(QStringLiteral("a.vrx.bak"), "good"));
                   },
                   [] { return BackUpFile(PlayerDataFolder() + QStringLiteral("a.vrx")); }}
            << QByteArray("ok=0");
        // The unreadable Mark.csv is kept aside before it is replaced; when that fails, it
        // stays as it is.
        QTest::newRow("unreadable Mark.csv kept aside")
            << FullDiskCase{
                   [](const TempDataFolder& folder) {
                       QVERIFY(folder.write(QStringLiteral("Mark.csv"),
                                            "9\r\n\"" + text('u', kContentSize)));
                       QVERIFY(folder.write(QStringLiteral("Mark.csv.bak"), "older"));
                       LoadMarks();
                       markTable.append(MarkEntry{QStringLiteral("n"), {QStringLiteral("m")}});
                   },
                   [] {
                       SaveMarks(0);
                       return true;
                   }}
            << QByteArray("ok=1\nMark.csvの保存に失敗しました");
    }
    void everyWriterFailsWholeAndSays() {
        QFETCH(FullDiskCase, writer);
        QFETCH(QByteArray, expected);
        TempDataFolder folder;
        RecordedMessages parentMessages;
        writer.prepare(folder);
        const std::map<QString, QByteArray> before = snapshot(folder);

        QCOMPARE(writeOnFullDisk(writer.write), expected);
        QVERIFY(snapshot(folder) == before);  // no file changed, no temporary file left

        // With room on the disk the same write goes through.
        parentMessages.clear();
        QVERIFY(writer.write());
        QVERIFY(parentMessages.texts().isEmpty());
        QVERIFY(snapshot(folder) != before);
    }
};

DROVANTEL_TEST(FullDiskTest);
#include "test_fulldisk.moc"
