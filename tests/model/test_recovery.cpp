// The recovery file: a session killed after its steps is offered at the next open and put back
// as one undo step; one made against other bytes becomes a dated backup; a save, or going back
// to the file, or closing, removes it; a declined one stays until the next save; a damaged one is
// not offered.
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "model/backuphistory.h"
#include "model/edithistory.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/recoveryfile.h"
#include "model/roster.h"
#include "platform/messages.h"
#include "support/readfile.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// Edits of each kind, one taken back and made again, one taken back for good.
void makeSteps(PersonFileDocument& document) {
    document.recordEdit(QStringLiteral("名声"), [](OpenGenerals& g) {
        g.record(1).setFame(static_cast<qint16>(g.record(1).fame() % 400 + 7));
    });
    document.recordEdit(QStringLiteral("能力値"),
                        [](OpenGenerals& g) { g.record(7).setAbility(1, 88); });
    document.recordEdit(QStringLiteral("印"),
                        [](OpenGenerals& g) { g.marks(3).marks[2] = QStringLiteral("先鋒"); });
    document.history()->undo();
    document.history()->redo();
    document.recordEdit(QStringLiteral("特技"), [](OpenGenerals& g) {
        SetSkill(g.record(2), 0, !GetSkill(g.record(2), 0));
    });
    document.history()->undo();
}

bool sameGenerals(const OpenGenerals& a, const OpenGenerals& b) {
    return a.sameRecords(b) && a.differences(b).isEmpty();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    struct Session {
        MarkTable marks;
        PersonFileDocument document{marks};
        explicit Session(const QString& path) {
            document.setKeepsRecovery(true);
            document.open(path);
        }
    };

  private slots:
    void init() {
        data_ = std::make_unique<TempDataFolder>();
        path_ = data_->copyShippedFile();
        QVERIFY(!path_.isEmpty());
    }
    void cleanup() { data_.reset(); }

    // The steps of a process killed with SIGKILL come back at the next open, as one undo step.
    void aKilledSessionIsOfferedAndApplied() {
#ifdef Q_OS_WIN
        QSKIP("the session is killed in a forked child");
#else
        RecordedMessages messages;
        OpenGenerals expected;
        {
            MarkTable marks;
            PersonFileDocument plain(marks);  // no recovery file: the expected generals only
            plain.open(path_);
            makeSteps(plain);
            expected = plain.generals();
        }
        int channel[2];
        QCOMPARE(pipe(channel), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            Session session(path_);
            makeSteps(session.document);
            session.document.finishRecoveryFile();
            const bool told = ::write(channel[1], "r", 1) == 1;
            while (told) {
                pause();
            }
            _exit(1);
        }
        char ready = 0;
        const bool stepped = ::read(channel[0], &ready, 1) == 1;
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(channel[0]);
        close(channel[1]);
        QVERIFY(stepped);
        QVERIFY(WIFSIGNALED(status));

        const QByteArray onDisk = ReadFile(path_);
        Session session(path_);
        QVERIFY(session.document.hasRecovery());
        QVERIFY(!session.document.isModified());
        QVERIFY(session.document.applyRecovery(QStringLiteral("復元")));
        QVERIFY(sameGenerals(session.document.generals(), expected));
        QCOMPARE(session.document.history()->count(), 1);
        QCOMPARE(session.document.history()->undoText(), QStringLiteral("復元"));
        QVERIFY(!session.document.hasRecovery());

        session.document.history()->undo();
        QVERIFY(!session.document.isModified());
        session.document.history()->redo();
        QCOMPARE(session.document.save(PersonFileDocument::SaveWithoutBackup).status,
                 PersonFileDocument::SaveStatus::Saved);
        session.document.finishRecoveryFile();
        QVERIFY(!QFile::exists(RecoveryFilePath(path_)));
        QCOMPARE(ReadFile(path_), SavedImage(onDisk, expected));
#endif
    }

    // Edits made against other bytes are not offered: they are kept as the newest dated copy.
    void oneMadeAgainstOtherBytesBecomesADatedBackup() {
        QByteArray image;
        {
            Session crashed(path_);
            makeSteps(crashed.document);
            image = SavedImage(ReadFile(path_), crashed.document.generals());
        }  // gone without closing, as in a crash
        QVERIFY(QFile::exists(RecoveryFilePath(path_)));
        QFile file(path_);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(1);
        file.write("\x7F", 1);
        file.close();

        Session session(path_);
        QVERIFY(!session.document.hasRecovery());
        QVERIFY(!QFile::exists(RecoveryFilePath(path_)));
        const QStringList backups = DatedBackups(path_);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(ReadFile(backups.last()), image);
    }

    // What removes the recovery file and what keeps it.
    void theRecoveryFileLivesUntilNothingIsUnsaved() {
        {
            Session session(path_);
            makeSteps(session.document);
            session.document.finishRecoveryFile();
            QVERIFY(QFile::exists(RecoveryFilePath(path_)));
            while (session.document.history()->canUndo()) {
                session.document.history()->undo();
            }
            session.document.finishRecoveryFile();
            QVERIFY(!QFile::exists(RecoveryFilePath(path_)));  // back to the file
            session.document.history()->redo();
            session.document.finishRecoveryFile();
            QVERIFY(QFile::exists(RecoveryFilePath(path_)));
        }  // gone without closing, as in a crash
        QByteArray declined;
        {
            Session session(path_);
            QVERIFY(session.document.hasRecovery());
            declined = ReadRecoveryFile(path_)->image;
            session.document.declineRecovery();
            session.document.close();
        }
        {
            Session session(path_);  // declined, then closed unchanged: offered again
            QVERIFY(session.document.hasRecovery());
            session.document.declineRecovery();
            // Its own first step writes over it, after keeping it as a dated copy.
            session.document.recordEdit(QStringLiteral("誕生"), [](OpenGenerals& g) {
                g.record(5).setBirthYear(static_cast<qint16>(g.record(5).birthYear() + 1));
            });
            session.document.finishRecoveryFile();
            QCOMPARE(DatedBackups(path_).size(), 1);
            QCOMPARE(ReadFile(DatedBackups(path_).last()), declined);
            QVERIFY(ReadRecoveryFile(path_)->image != declined);
            QCOMPARE(session.document.save(PersonFileDocument::SaveWithoutBackup).status,
                     PersonFileDocument::SaveStatus::Saved);
            session.document.finishRecoveryFile();
            QVERIFY(!QFile::exists(RecoveryFilePath(path_)));
        }
        {
            // Unsaved changes dropped on purpose, closing: not offered again.
            Session session(path_);
            makeSteps(session.document);
            QVERIFY(session.document.isModified());
            session.document.close();
            QVERIFY(!QFile::exists(RecoveryFilePath(path_)));
        }
    }

    void aDamagedOneIsNotOffered_data() {
        QTest::addColumn<int>("cut");
        QTest::addColumn<int>("flip");
        QTest::newRow("cut short") << 100 << -1;
        QTest::newRow("a byte changed") << 0 << 500;
        QTest::newRow("empty") << -1 << -1;
    }
    void aDamagedOneIsNotOffered() {
        QFETCH(int, cut);
        QFETCH(int, flip);
        {
            Session crashed(path_);
            makeSteps(crashed.document);
        }
        QByteArray bytes = ReadFile(RecoveryFilePath(path_));
        bytes = cut < 0 ? QByteArray() : bytes.left(bytes.size() - cut);
        if (flip >= 0) {
            bytes[flip] = static_cast<char>(bytes[flip] ^ 0x20);
        }
        QFile file(RecoveryFilePath(path_));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        Session session(path_);
        QVERIFY(!session.document.hasRecovery());
        QVERIFY(DatedBackups(path_).isEmpty());
    }

  private:
    std::unique_ptr<TempDataFolder> data_;
    QString path_;
};

DROVANTEL_TEST(RecoveryTest);
#include "test_recovery.moc"
