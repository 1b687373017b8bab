// A save killed at any moment leaves the person file either as it was or as saved, on the
// build folder's file system and on a tmpfs (where a kill stops a write at a page boundary).
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/personfilelibrary.h"
#include "support/testregistry.h"

namespace PFL = PersonFileLibrary;

namespace {

constexpr int kRecords = 110;
constexpr int kRecordBytes = 260 * kRecords;
constexpr long kTmpfsMagic = 0x01021994;
const QByteArray kHeader = QByteArrayLiteral("HDR!");
const QByteArray kTail(100, 'T');

// Mounts a tmpfs on folder where this process may; else takes a folder in /dev/shm when that is
// one. The folder to use, or empty.
QString tmpfsFolder(const QTemporaryDir& mountPoint, const QTemporaryDir& shm, bool* mounted) {
    *mounted = mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                     "size=16m") == 0;
    if (*mounted) {
        return mountPoint.path();
    }
    struct statfs info;
    const bool shmIsTmpfs = statfs("/dev/shm", &info) == 0 && info.f_type == kTmpfsMagic;
    return shmIsTmpfs && shm.isValid() ? shm.path() : QString();
}

// Saves all records as 0x55, then 0xAA, and so on until it is killed.
[[noreturn]] void saveForever(const QString& path) {
    RecordBytes record{};
    for (unsigned round = 0;; ++round) {
        record.fill(round % 2 == 0 ? 0xAA : 0x55);
        for (int slot = 0; slot < kRecords; ++slot) {
            PFL::writePerson(record, slot);
        }
        PFL::writePersonFile(path);
    }
}

}  // namespace

class KilledSaveTest : public QObject {
    Q_OBJECT
  private slots:
    void theFileIsOldOrNew_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("build folder") << QStringLiteral("build");
        QTest::newRow("tmpfs") << QStringLiteral("tmpfs");
    }
    void theFileIsOldOrNew() {
        QFETCH(QString, where);
        QTemporaryDir buildDir(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/killed-save-XXXXXX"));
        QTemporaryDir mountPoint;
        QTemporaryDir shm(QStringLiteral("/dev/shm/drovantel-XXXXXX"));
        bool mounted = false;
        const QString folder = where == QStringLiteral("build")
                                   ? buildDir.path()
                                   : tmpfsFolder(mountPoint, shm, &mounted);
        const auto unmount = qScopeGuard([&] {
            if (mounted) {
                umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
            }
        });
        if (folder.isEmpty()) {
            QSKIP("no tmpfs here: none can be mounted and /dev/shm is none");
        }
        const QString path = folder + QStringLiteral("/TPERSON.VRX");
        const QByteArray original = kHeader + QByteArray(kRecordBytes, '\x55') + kTail;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(original) == original.size());
        }
        // Every export is resolved before the fork, so the writer only calls into the library.
        QCOMPARE(PFL::readPersonFile(path), kRecords);
        RecordBytes record{};
        QCOMPARE(PFL::readPerson(&record, 0), 0);
        QCOMPARE(PFL::writePerson(record, 0), 0);
        QCOMPARE(PFL::writePersonFile(path), 0);

        int newSeen = 0;
        for (int kill = 0; kill < 60; ++kill) {
            const pid_t writer = fork();
            if (writer == 0) {
                saveForever(path);
            }
            QVERIFY(writer > 0);
            usleep(1000 + QRandomGenerator::global()->bounded(25000));
            ::kill(writer, SIGKILL);
            int status = 0;
            waitpid(writer, &status, 0);

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray now = file.readAll();
            QCOMPARE(now.size(), original.size());
            QCOMPARE(now.left(4), kHeader);
            QCOMPARE(now.right(kTail.size()), kTail);
            const QByteArray records = now.mid(4, kRecordBytes);
            const char first = records.at(0);
            QVERIFY2(records == QByteArray(kRecordBytes, first),
                     qPrintable(QStringLiteral("torn after kill %1 at offset %2")
                                    .arg(kill)
                                    .arg(records.indexOf(first == '\x55' ? '\xAA' : '\x55'))));
            newSeen += first == '\xAA' ? 1 : 0;
        }
        // The writer got far enough to save, so the kills fell among saves.
        QVERIFY(newSeen > 0);
    }
};

DROVANTEL_TEST(KilledSaveTest);
#include "test_killedsave.moc"
