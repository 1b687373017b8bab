// The copy of a file kept beside it before the program writes over it.
#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

#include "model/filebackup.h"
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
#ifndef Q_OS_WIN  // Windows has no named pipes in its file system
        const QString pipe = folder.path(QStringLiteral("p.vrx"));
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(!BackUpFile(pipe));  // refused without waiting for a writer
        QVERIFY(!folder.exists(QStringLiteral("p.vrx.bak")));
#endif
        QCOMPARE(folder.read(QStringLiteral("a.vrx.bak")), QByteArray("older"));
    }
};

DROVANTEL_TEST(FileBackupTest);
#include "test_filebackup.moc"
