// Where the library, the shipped files and the player's files are looked for.
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/appinfo.h"
#include "support/testregistry.h"

class LayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString folder(const QString& name) {
        const QString path = dir_.filePath(name);
        QDir().mkpath(path);
        return path;
    }

  private slots:
    void writableProgramFolderHoldsEverything() {
        const QString program = folder(QStringLiteral("portable/Drovantel"));
        const QString perUser = dir_.filePath(QStringLiteral("portable/home/data"));
        const ProgramLayout layout = ChooseProgramLayout(program, perUser);
        QCOMPARE(layout.libraryFolder, program + QLatin1Char('/'));
        QCOMPARE(layout.shippedDataFolder, program + QLatin1Char('/'));
        QCOMPARE(layout.playerDataFolder, program + QLatin1Char('/'));
    }

    void readOnlyProgramFolderKeepsThePlayersFilesPerUser() {
#ifdef Q_OS_WIN
        QSKIP("a folder's read-only attribute does not stop writing into it on Windows");
#else
        if (geteuid() == 0) {
            QSKIP(
                "root can write to a read-only folder; the installed-folder check runs this "
                "case as another user");
        }
#endif
        const QString program = folder(QStringLiteral("readonly/Drovantel"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        const QString perUser = dir_.filePath(QStringLiteral("readonly/home/data"));
        const ProgramLayout layout = ChooseProgramLayout(program, perUser);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(layout.libraryFolder, program + QLatin1Char('/'));
        QCOMPARE(layout.shippedDataFolder, program + QLatin1Char('/'));
        QCOMPARE(layout.playerDataFolder, perUser + QLatin1Char('/'));
        QVERIFY(QFileInfo(perUser).isDir());  // made, so that the first save can succeed
    }

    void systemInstallUsesItsFoldersWhateverTheProgramFolderAllows() {
        // bin/ is writable here, as it is for root: the player's files still go per user.
        const QString program = folder(QStringLiteral("usr/bin"));
        folder(QStringLiteral("usr/share/drovantel"));
        const QString perUser = dir_.filePath(QStringLiteral("usr-home/.local/share/Drovantel"));
        const ProgramLayout layout = ChooseProgramLayout(program, perUser);
        QCOMPARE(layout.libraryFolder, dir_.filePath(QStringLiteral("usr/lib/drovantel/")));
        QCOMPARE(layout.shippedDataFolder, dir_.filePath(QStringLiteral("usr/share/drovantel/")));
        QCOMPARE(layout.playerDataFolder, perUser + QLatin1Char('/'));
        QVERIFY(QFileInfo(perUser).isDir());
    }
};

DROVANTEL_TEST(LayoutTest);

#include "test_layout.moc"
