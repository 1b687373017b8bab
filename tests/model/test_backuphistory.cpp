// The dated copies of a person file in the data folder.
#include <QFileInfo>
#include <QTest>

#include "model/backuphistory.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

class BackupHistoryTest : public QObject {
    Q_OBJECT

  private slots:
    void keepsTheNewestDistinctCopies() {
        TempDataFolder folder;
        const QString file = folder.path(QStringLiteral("T.VRX"));
        const QDateTime start(QDate(2026, 1, 2), QTime(3, 4, 5));
        const auto names = [&file] {
            QStringList result;
            for (const QString& path : DatedBackups(file)) {
                result.append(QFileInfo(path).fileName());
            }
            return result;
        };

        QVERIFY(KeepDatedBackup(file, "a", start));
        QVERIFY(KeepDatedBackup(file, "a", start.addSecs(1)));  // same bytes: no copy
        QVERIFY(KeepDatedBackup(file, "b", start));             // same second
        QVERIFY(KeepDatedBackup(file, "a", start));
        QCOMPARE(names(), QStringList({QStringLiteral("20260102-030405.vrx"),
                                       QStringLiteral("20260102-030405-2.vrx"),
                                       QStringLiteral("20260102-030405-3.vrx")}));
        QCOMPARE(DatedBackupFolder(file), folder.path(QStringLiteral("backup/T.VRX/")));

        // Ten copies in one second sort by number, and only the newest twenty stay.
        for (int i = 0; i < 30; ++i) {
            QVERIFY(KeepDatedBackup(file, QByteArray::number(i), start.addSecs(i < 10 ? 0 : i)));
            if (i == 9) {
                QCOMPARE(names().last(), QStringLiteral("20260102-030405-13.vrx"));
            }
        }
        const QStringList kept = DatedBackups(file);
        QCOMPARE(kept.size(), kKeptDatedBackups);
        QFile newest(kept.last());
        QVERIFY(newest.open(QIODevice::ReadOnly));
        QCOMPARE(newest.readAll(), QByteArray("29"));
        QCOMPARE(QFileInfo(kept.first()).fileName(), QStringLiteral("20260102-030415.vrx"));
    }

    // The copy just made stays and counts as the newest, whatever the clock says.
    void theCopyJustMadeIsKept_data() {
        QTest::addColumn<int>("secondsBack");
        QTest::newRow("clock set back") << 3600;
        QTest::newRow("many in one second") << 0;
    }
    void theCopyJustMadeIsKept() {
        QFETCH(int, secondsBack);
        TempDataFolder folder;
        const QString file = folder.path(QStringLiteral("T.VRX"));
        const QDateTime start(QDate(2026, 1, 2), QTime(3, 4, 5));
        for (int i = 0; i < 25; ++i) {
            QVERIFY(KeepDatedBackup(file, QByteArray::number(i), start));
        }
        QVERIFY(KeepDatedBackup(file, "late", start.addSecs(-secondsBack)));
        const QStringList kept = DatedBackups(file);
        QCOMPARE(kept.size(), kKeptDatedBackups);
        QFile newest(kept.last());
        QVERIFY(newest.open(QIODevice::ReadOnly));
        QCOMPARE(newest.readAll(), QByteArray("late"));
        // The same bytes again make no copy: they are the newest.
        QVERIFY(KeepDatedBackup(file, "late", start));
        QCOMPARE(DatedBackups(file), kept);
    }
};

DROVANTEL_TEST(BackupHistoryTest);
#include "test_backuphistory.moc"
