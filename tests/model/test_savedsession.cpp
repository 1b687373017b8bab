// One fixed session of edits on the shipped person file, with a fixed random seed: the file and
// Mark.csv it saves must stay byte for byte what this program has always written.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
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

class SavedSessionTest : public QObject {
    Q_OBJECT

  private slots:
    void sessionSavesTheSameBytes() {
        RecordedMessages messages;
        TempDataFolder data;
        const QString path = data.path(QStringLiteral("TPERSON.VRX"));
        QVERIFY(QFile::copy(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TPERSON.VRX")),
            path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
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
        document.recordEdit(QStringLiteral("元に戻す"), [&](OpenGenerals&) {
            document.restore({7, 8});
        });
        QCOMPARE(document.history()->count(), 8);

        QCOMPARE(document.save().status, PersonFileDocument::SaveStatus::Saved);
        QCOMPARE(Sha256(data.read(QStringLiteral("TPERSON.VRX"))),
                 QByteArray("6f1936cad60c4da3e8a5f51c7a7b81a3f2f321b49c95f847f7b6bad039e21cdd"));
        QCOMPARE(Sha256(data.read(QStringLiteral("Mark.csv"))),
                 QByteArray("3ebf8df0c26d71bc48094421f6cdc0bc85c74c67120e3beb41994f5385523d19"));
    }
};

DROVANTEL_TEST(SavedSessionTest);
#include "test_savedsession.moc"
