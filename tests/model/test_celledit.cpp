// One value set exactly, with the rules the record routines keep.
#include <QTest>

#include "model/celledit.h"
#include "model/listcolumns.h"
#include "model/roster.h"
#include "support/testregistry.h"

class CellEditTest : public QObject {
    Q_OBJECT
  private slots:
    void aValueKeepsTheRules() {
        OpenGenerals generals;
        generals.setCount(1);
        PersonRecord& record = generals.record(1);
        record.setBirthYear(180);
        record.setLinkedYear(196);
        record.setFame(300);
        record.setAbility(2, 80);
        SetSkill(record, Skill::meishi, true);
        SetSkill(record, Skill::gunshi, true);

        ApplyCellEdit(generals, 1, kFameColumn, 250);
        QVERIFY(GetSkill(record, Skill::meishi));
        ApplyCellEdit(generals, 1, kFameColumn, 199);
        QCOMPARE(record.fame(), qint16(199));
        QVERIFY(!GetSkill(record, Skill::meishi));
        ApplyCellEdit(generals, 1, kFirstAbilityColumn + 2, 69);
        QVERIFY(!GetSkill(record, Skill::gunshi));
        ApplyCellEdit(generals, 1, kBirthColumn, 190);
        QCOMPARE(record.birthYear(), qint16(190));
        QCOMPARE(record.linkedYear(), qint16(206));
        ApplyCellEdit(generals, 1, kFirstAbilityColumn, 140);  // beyond the range
        QCOMPARE(record.ability(0), qint16(100));
        ApplyCellEdit(generals, 1, kFirstSkillColumn + Skill::hanron, true);
        QVERIFY(GetSkill(record, Skill::kouben));  // brings what it needs
        ApplyCellEdit(generals, 1, kFirstSettingColumn + 3, 2);
        QCOMPARE(record.setting(SettingOfColumn(kFirstSettingColumn + 3)), quint8(2));
        ApplyCellEdit(generals, 1, kFirstMarkColumn + 1, QStringLiteral("先鋒"));
        QCOMPARE(generals.marks(1).marks[1], QStringLiteral("先鋒"));

        QCOMPARE(CellEditStepName(kFirstAbilityColumn), QStringLiteral("統率を変更"));
        QCOMPARE(CellEditKindOf(kPersonalAffinityColumn), CellEditKind::None);
        QCOMPARE(CellEditKindOf(0), CellEditKind::None);
    }
};

DROVANTEL_TEST(CellEditTest);
#include "test_celledit.moc"
