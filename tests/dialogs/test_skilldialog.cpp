// The skill editor offscreen: the count area, 反転 and クリア, the draw on OK, what it remembers,
// and its template file.
#include <QTest>

#include "dialogs/skilldialog.h"
#include "model/random.h"
#include "model/roster.h"
#include "model/skilldraw.h"
#include "model/templates.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

QString countCaption(int candidates) {
    return QStringLiteral("■ 選ぶ数（候補 ") + QString::number(candidates) + QStringLiteral(" 個)");
}

QStringList numbersUpTo(int last) {
    QStringList numbers;
    for (int n = 0; n <= last; ++n) {
        numbers.append(QString::number(n));
    }
    return numbers;
}

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->itemText(i));
    }
    return texts;
}

SkillTemplate skillTemplate(const QString& name, std::initializer_list<int> skills, int countA,
                            int countB) {
    SkillTemplate entry;
    entry.name = name;
    for (const int skill : skills) {
        entry.candidates[skill] = true;
    }
    entry.countA = static_cast<qint16>(countA);
    entry.countB = static_cast<qint16>(countB);
    return entry;
}

}  // namespace

class SkillDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        folder_ = std::make_unique<TempDataFolder>();
        messages_ = std::make_unique<RecordedMessages>();
        source_.Seed(23);
        remembered_ = SkillTemplate();
        templates_ = SkillTemplates();
        templates_.entries() = {SkillTemplate{QStringLiteral("  -")}};
        openGenerals.setCount(2);
        openGenerals.record(1) = PersonRecord();
        openGenerals.record(2) = PersonRecord();
        openGenerals.record(1).setAbility(2, 40);
        openGenerals.record(2).setAbility(2, 40);
    }
    void cleanup() {
        messages_.reset();
        folder_.reset();
    }

    void openingShowsTheGridAndNoCountArea() {
        SkillDialog dlg(templates_, remembered_);
        QCOMPARE(dlg.windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ - 特技の編集"));
        QCOMPARE(dlg.chkTokugi[0]->text(), SkillName(0));
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("chkTokugi_41")), dlg.chkTokugi[41]);
        QVERIFY(dlg.fraCount->isHidden());
        QCOMPARE(itemTexts(dlg.cmbCount1), QStringList{QStringLiteral("0")});
        QCOMPARE(dlg.listTemplate->currentRow(), 0);
        QVERIFY(!dlg.txtTemplName->isEnabled());
    }

    void countAreaFollowsTheCandidates() {
        SkillDialog dlg(templates_, remembered_);
        for (const int skill : {3, 8, 20}) {
            dlg.chkTokugi[skill]->click();
        }
        QVERIFY(!dlg.fraCount->isHidden());
        QCOMPARE(dlg.fraCount->title(), countCaption(3));
        QCOMPARE(itemTexts(dlg.cmbCount1), numbersUpTo(3));
        QCOMPARE(itemTexts(dlg.cmbCount2), numbersUpTo(3));
        QVERIFY(dlg.chkTokugi[8]->font().bold());
        QVERIFY(!dlg.chkTokugi[9]->font().bold());

        dlg.cmbCount1->setCurrentIndex(3);
        dlg.cmbCount2->setCurrentIndex(1);
        dlg.chkTokugi[8]->click();
        QVERIFY(!dlg.chkTokugi[8]->font().bold());
        QCOMPARE(dlg.fraCount->title(), countCaption(2));
        QCOMPARE(itemTexts(dlg.cmbCount1), numbersUpTo(2));
        QCOMPARE(dlg.cmbCount1->currentIndex(), 2);
        QCOMPARE(dlg.cmbCount2->currentIndex(), 1);

        dlg.chkTokugi[3]->click();
        dlg.chkTokugi[20]->click();
        QVERIFY(dlg.fraCount->isHidden());
        QCOMPARE(itemTexts(dlg.cmbCount2), QStringList{QStringLiteral("0")});
    }

    void reverseAndClear() {
        SkillDialog dlg(templates_, remembered_);
        dlg.cmdReverse->click();
        for (const ToggleButton* button : dlg.chkTokugi) {
            QVERIFY(button->isChecked());
        }
        QCOMPARE(itemTexts(dlg.cmbCount1), numbersUpTo(42));
        QCOMPARE(dlg.fraCount->title(), countCaption(42));
        dlg.chkTokugi[5]->click();
        dlg.cmdReverse->click();
        QCOMPARE(itemTexts(dlg.cmbCount2), numbersUpTo(1));
        QVERIFY(dlg.chkTokugi[5]->isChecked());

        dlg.cmbCount1->setCurrentIndex(1);
        dlg.cmdClear->click();
        QVERIFY(!dlg.chkTokugi[5]->isChecked());
        QVERIFY(dlg.fraCount->isHidden());
        QCOMPARE(dlg.cmbCount1->currentIndex(), 0);
    }

    void okDrawsForTheTargetsOnly() {
        SkillDialog dlg(templates_, remembered_);
        dlg.addTarget(GetPersonName(openGenerals.record(2)), 2);
        dlg.chkTokugi[Skill::gunshi]->click();
        dlg.chkTokugi[Skill::hanron]->click();
        dlg.cmbCount1->setCurrentIndex(2);
        dlg.cmbCount2->setCurrentIndex(2);
        dlg.cmdOK->click();
        ApplySkillDraw(openGenerals.records(), dlg.targets(), dlg.settings(), source_);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(GetSkill(openGenerals.record(2), Skill::gunshi));
        QVERIFY(GetSkill(openGenerals.record(2), Skill::hanron));
        QVERIFY(GetSkill(openGenerals.record(2), Skill::kouben));
        QCOMPARE(openGenerals.record(2).ability(2), 70);
        QVERIFY(!GetSkill(openGenerals.record(1), Skill::gunshi));
    }

    void cancelChangesNoGeneralButIsRemembered() {
        const RecordBytes before = openGenerals.record(1).bytes();
        {
            SkillDialog dlg(templates_, remembered_);
            dlg.addTarget(GetPersonName(openGenerals.record(1)), 1);
            dlg.chkTokugi[0]->click();
            dlg.chkTokugi[41]->click();
            dlg.cmbCount1->setCurrentIndex(2);
            dlg.cmbCount2->setCurrentIndex(1);
            dlg.show();
            dlg.close();  // the close box
        }
        QCOMPARE(openGenerals.record(1).bytes(), before);
        SkillDialog again(templates_, remembered_);
        QVERIFY(again.chkTokugi[0]->isChecked() && again.chkTokugi[41]->isChecked());
        QVERIFY(!again.chkTokugi[1]->isChecked());
        QCOMPARE(again.cmbCount1->currentIndex(), 2);
        QCOMPARE(again.cmbCount2->currentIndex(), 1);
        QVERIFY(!folder_->exists(QStringLiteral("Tokugi.csv")));
    }

    void templatesLoadRenameAndWrite() {
        templates_.entries().append(skillTemplate(QStringLiteral("A"), {1, 2}, 1, 2));
        // Hand-edited: a count beyond the candidates loads as their number.
        templates_.entries().append(skillTemplate(QStringLiteral("B"), {7, 8, 9}, 5, 0));
        {
            SkillDialog dlg(templates_, remembered_);
            dlg.listTemplate->setCurrentRow(2);
            QCOMPARE(dlg.cmbCount1->currentIndex(), 3);
            QCOMPARE(dlg.cmbCount2->currentIndex(), 0);
            QVERIFY(dlg.chkTokugi[9]->isChecked());

            dlg.chkTokugi[10]->click();  // unsaved, replaced by the move below
            dlg.cmdUp->click();
            QCOMPARE(templates_.entries()[1].name, QStringLiteral("B"));
            QVERIFY(!dlg.chkTokugi[10]->isChecked());
            dlg.cmdUp->click();  // entry 1 stays
            QCOMPARE(dlg.listTemplate->currentRow(), 1);

            dlg.cmdTemplNew->click();
            QCOMPARE(templates_.entries().size(), 4);
            QCOMPARE(templates_.entries()[3].countA, qint16(3));
            dlg.txtTemplName->setText(QStringLiteral("騎馬"));
            dlg.cmdCancel->click();
        }
        QCOMPARE(templates_.entries()[3].name, QStringLiteral("騎馬"));
        const QByteArray file = folder_->read(QStringLiteral("Tokugi.csv"));
        QVERIFY(file.startsWith("4"));
        QVERIFY(file.contains("\"B\""));
    }

  private:
    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<RecordedMessages> messages_;
    SkillTemplates templates_;
    ClockSeededSource source_;
    SkillTemplate remembered_;
};

DROVANTEL_TEST(SkillDialogTest);

#include "test_skilldialog.moc"
