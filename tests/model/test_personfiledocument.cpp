// The open file's generals as the document keeps them: the copy that 元に戻す puts back is the
// file as last read or written, whatever a failed save handed on.
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include "model/personfiledocument.h"
#include "model/roster.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

class PersonFileDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void restoreAfterAFailedSaveBringsBackTheFileAsSaved() {
        RecordedMessages messages;
        TempDataFolder data;
        const QString path = data.path(QStringLiteral("TPERSON.VRX"));
        QVERIFY(QFile::copy(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TPERSON.VRX")),
            path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        MarkTable markTable;
        PersonFileDocument document(markTable);
        QCOMPARE(document.open(path), PersonFileDocument::OpenStatus::Opened);
        const qint16 fame = document.generals().record(1).fame();
        document.recordEdit(QStringLiteral("名声"), [](OpenGenerals& edited) {
            edited.record(1).setFame(static_cast<qint16>(edited.record(1).fame() + 7));
        });
        QVERIFY(document.isModified());

        // A folder in the file's place cannot be written, even by an administrator.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        QCOMPARE(document
                     .save(PersonFileDocument::OverwriteChangedFile |
                           PersonFileDocument::SaveWithoutBackup)
                     .status,
                 PersonFileDocument::SaveStatus::OpenFailed);
        QVERIFY(document.isModified());

        document.recordEdit(QStringLiteral("元に戻す"),
                            [&](OpenGenerals&) { document.restore({1}); });
        QCOMPARE(document.generals().record(1).fame(), fame);
        QVERIFY(!document.isModified());
    }
};

DROVANTEL_TEST(PersonFileDocumentTest);
#include "test_personfiledocument.moc"
