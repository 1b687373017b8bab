// The open file's generals as the document keeps them: the copy that 元に戻す puts back is the
// file as last read or written, whatever a failed save handed on; edits, undo and redo tell
// which generals changed; and one fixed session of
// edits on the shipped person file, with a fixed random seed, saves the file and Mark.csv byte
// for byte as this program has always written them.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "model/abilitydraw.h"
#include "model/affinitydraw.h"
#include "model/birthshift.h"
#include "model/edithistory.h"
#include "model/famedraw.h"
#include "model/markedit.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/random.h"
#include "model/roster.h"
#include "model/settingsdraw.h"
#include "model/skilldraw.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

QByteArray Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

}  // namespace

class PersonFileDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void restoreAfterAFailedSaveBringsBackTheFileAsSaved() {
        RecordedMessages messages;
        TempDataFolder data;
        const QString path = data.copyShippedFile();
        QVERIFY(!path.isEmpty());
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

        document.restore({1}, QStringLiteral("元に戻す"));
        QCOMPARE(document.generals().record(1).fame(), fame);
        QVERIFY(!document.isModified());
    }

    // An edit is made on a copy and put in place by its step, and the edit, its undo and its
    // redo each tell once which generals changed; an edit that changes nothing is no step.
    void editUndoAndRedoTellTheChangedGenerals() {
        RecordedMessages messages;
        TempDataFolder data;
        const QString path = data.copyShippedFile();
        QVERIFY(!path.isEmpty());
        MarkTable markTable;
        PersonFileDocument document(markTable);
        QCOMPARE(document.open(path), PersonFileDocument::OpenStatus::Opened);
        QSignalSpy changed(&document, &PersonFileDocument::generalsChanged);
        const qint16 fame = document.generals().record(2).fame();
        const QList<int> expected = {2, 5};

        bool editedTheLiveGenerals = true;
        QVERIFY(document.recordEdit(QStringLiteral("名声"), [&](OpenGenerals& edited) {
            edited.record(2).setFame(static_cast<qint16>(fame + 1));
            edited.record(4).setFame(edited.record(4).fame());
            edited.marks(5).marks[0] = QStringLiteral("印");
            editedTheLiveGenerals = document.generals().record(2).fame() != fame;
        }));
        QVERIFY(!editedTheLiveGenerals);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).value<QList<int>>(), expected);
        QCOMPARE(document.generals().record(2).fame(), qint16(fame + 1));

        document.history()->undo();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).value<QList<int>>(), expected);
        QCOMPARE(document.generals().record(2).fame(), fame);
        QVERIFY(document.generals().marks(5).marks[0].isEmpty());
        QVERIFY(!document.isModified());

        document.history()->redo();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).value<QList<int>>(), expected);
        QCOMPARE(document.generals().marks(5).marks[0], QStringLiteral("印"));

        QVERIFY(!document.recordEdit(QStringLiteral("名声"), [](OpenGenerals&) {}));
        QVERIFY(changed.isEmpty());
        QCOMPARE(document.history()->count(), 1);
    }

    void sessionSavesTheSameBytes() {
        RecordedMessages messages;
        TempDataFolder data;
        const QString path = data.copyShippedFile();
        QVERIFY(!path.isEmpty());
        ClockSeededSource source;
        source.Seed(2718);
        MarkTable markTable;
        markTable.load();

        PersonFileDocument document(markTable);
        QCOMPARE(document.open(path), PersonFileDocument::OpenStatus::Opened);
        QVERIFY(document.generalCount() >= 10);
        const QList<int> ticked = {1, 3, 4, 7, 10};
        const QList<int> others = {2, 5, 6, 8, 9};

        document.recordEdit(QStringLiteral("名声"), [&](OpenGenerals& edited) {
            ApplyFameDraw(edited.records(), ticked, {10, 300, FameStep::five}, source);
        });
        AbilityTemplate abilities;
        for (int i = 0; i < kAbilityCount; ++i) {
            abilities.valueA[i] = static_cast<qint16>(20 + 10 * i);
            abilities.valueB[i] = 90;
        }
        abilities.totalA = 250;
        abilities.totalB = 320;
        document.recordEdit(QStringLiteral("能力値"), [&](OpenGenerals& edited) {
            ApplyAbilityDraw(edited.records(), others, abilities, source);
        });
        HiddenSettingsChoices choices{};
        for (const Setting field : {Setting::belief, Setting::greed}) {
            SettingChoice& choice = choices[static_cast<int>(field)];
            choice.change = true;
            choice.pressed = {true, true, true, false, false, false};
            choice.priority[1] = true;
        }
        document.recordEdit(QStringLiteral("隠し設定"), [&](OpenGenerals& edited) {
            ApplyHiddenSettingsDraw(edited.records(), ticked, choices, source);
        });
        document.recordEdit(QStringLiteral("相性"), [&](OpenGenerals& edited) {
            ApplyAffinityDraw(edited.records(), others, {{true, 60, 12}, {true, 140, 30}}, source);
        });
        SkillTemplate skills;
        skills.countA = 2;
        skills.countB = 5;
        for (const int skill : {1, 4, 9, Skill::hanron, Skill::gunshi, Skill::meishi}) {
            skills.candidates[skill] = true;
        }
        document.recordEdit(QStringLiteral("特技"), [&](OpenGenerals& edited) {
            ApplySkillDraw(edited.records(), ticked, skills, source);
        });
        document.recordEdit(QStringLiteral("誕生年をシフト"), [&](OpenGenerals& edited) {
            ApplyBirthShift(edited.records(), others, -3);
        });
        MarkEditSettings marks;
        marks.change = {true, false, true, false, false};
        marks.text = {QStringLiteral("済"), QString(), QStringLiteral("蜀"), QString(), QString()};
        document.recordEdit(QStringLiteral("印"), [&](OpenGenerals& edited) {
            ApplyMarkEdit(edited.allMarks(), {1, 2, 3}, marks);
        });
        document.recordEdit(QStringLiteral("特技クリア"), [&](OpenGenerals& edited) {
            for (const int index : {3, 4}) {
                for (int i = 0; i < kSkillByteCount; ++i) {
                    edited.record(index).setSkillByte(i, 0);
                }
            }
        });
        document.history()->undo();
        document.history()->undo();
        document.history()->redo();
        document.restore({7, 8}, QStringLiteral("元に戻す"));
        QCOMPARE(document.history()->count(), 8);

        QCOMPARE(document.save().status, PersonFileDocument::SaveStatus::Saved);
        QCOMPARE(Sha256(data.read(QStringLiteral("TPERSON.VRX"))),
                 QByteArray("6f1936cad60c4da3e8a5f51c7a7b81a3f2f321b49c95f847f7b6bad039e21cdd"));
        QCOMPARE(Sha256(data.read(QStringLiteral("Mark.csv"))),
                 QByteArray("3ebf8df0c26d71bc48094421f6cdc0bc85c74c67120e3beb41994f5385523d19"));
    }
};

DROVANTEL_TEST(PersonFileDocumentTest);
#include "test_personfiledocument.moc"
