// The copy of a file kept beside it before the program writes over it, and the record of what
// one edit changed that the undo history keeps.
#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

#include "model/filebackup.h"
#include "model/marks.h"
#include "model/rosterchange.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

class FileBackupTest : public QObject {
    Q_OBJECT

  private slots:
    void copiesWholeAndReplacesAnOlderCopy() {
        TempDataFolder folder;
        QByteArray content(300000, '\0');
        for (int i = 0; i < content.size(); ++i) {
            content[i] = char(i * 31 % 256);
        }
        QVERIFY(folder.write(QStringLiteral("a.vrx"), content));
        QVERIFY(folder.write(QStringLiteral("a.vrx.bak"), "older"));
        QVERIFY(BackUpFile(folder.path(QStringLiteral("a.vrx"))));
        QCOMPARE(folder.read(QStringLiteral("a.vrx.bak")), content);
        QCOMPARE(folder.read(QStringLiteral("a.vrx")), content);
    }

    void aFailureLeavesTheOlderCopy() {
        TempDataFolder folder;
        QVERIFY(folder.write(QStringLiteral("a.vrx.bak"), "older"));
        QVERIFY(!BackUpFile(folder.path(QStringLiteral("a.vrx"))));  // nothing to copy
        QVERIFY(QDir().mkdir(folder.path(QStringLiteral("d.vrx"))));
        QVERIFY(!BackUpFile(folder.path(QStringLiteral("d.vrx"))));
        const QString pipe = folder.path(QStringLiteral("p.vrx"));
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(!BackUpFile(pipe));  // refused without waiting for a writer
        QCOMPARE(folder.read(QStringLiteral("a.vrx.bak")), QByteArray("older"));
        QVERIFY(!folder.exists(QStringLiteral("p.vrx.bak")));
    }

    void aChangeKeepsOnlyTheChangedGeneralsAndGoesBothWays() {
        rosterCount = 4;
        for (int n = 1; n <= 4; ++n) {
            roster[n] = PersonRecord();
            roster[n].setFame(static_cast<qint16>(n));
            generalMarks[n] = MarkEntry{QStringLiteral("G%1").arg(n), {}};
        }
        const RosterSnapshot before = RosterSnapshot::take();
        roster[2].setFame(200);
        generalMarks[4].marks[3] = QStringLiteral("甲");
        RosterChange change(before, RosterSnapshot::take());
        QCOMPARE(change.indexes(), QList<int>({2, 4}));

        roster[1].setFame(50);  // not part of the change: neither way touches it
        change.applyBefore();
        QCOMPARE(roster[2].fame(), qint16(2));
        QVERIFY(generalMarks[4].isEmpty());
        QCOMPARE(roster[1].fame(), qint16(50));
        change.applyAfter();
        QCOMPARE(roster[2].fame(), qint16(200));
        QCOMPARE(generalMarks[4].marks[3], QStringLiteral("甲"));

        QVERIFY(RosterChange(before, before).isEmpty());
    }
};

DROVANTEL_TEST(FileBackupTest);
#include "test_filebackup.moc"
