// The ability editor offscreen: its total limit, the draw of the settings OK accepts, what it
// remembers, and the template handling that it shares with the skill editor.
#include <QTest>

#include "dialogs/abilitydialog.h"
#include "model/abilitydraw.h"
#include "model/random.h"
#include "model/roster.h"
#include "model/templates.h"
#include "platform/messages.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

const QString kNoTemplate = QStringLiteral("  -");

void selectRange(AbilityDialog& dlg, int ability, int first, int second) {
    dlg.chkCapa[ability]->setChecked(true);
    dlg.cmbValue1[ability]->setCurrentIndex(100 - first);
    dlg.cmbValue2[ability]->setCurrentIndex(100 - second);
}

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->itemText(i));
    }
    return texts;
}

AbilityTemplate namedTemplate(const QString& name, int ability, int a, int b, int totalA = 0,
                              int totalB = 0) {
    AbilityTemplate entry;
    entry.name = name;
    entry.valueA[ability] = static_cast<qint16>(a);
    entry.valueB[ability] = static_cast<qint16>(b);
    entry.totalA = static_cast<qint16>(totalA);
    entry.totalB = static_cast<qint16>(totalB);
    return entry;
}

}  // namespace

class AbilityDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        folder_ = std::make_unique<TempDataFolder>();
        messages_ = std::make_unique<RecordedMessages>();
        source_.Seed(17);
        remembered_ = AbilityTemplate();
        templates_ = AbilityTemplates();
        templates_.entries() = {AbilityTemplate{kNoTemplate}};
        openGenerals.setCount(3);
        for (int index = 1; index <= 3; ++index) {
            openGenerals.record(index) = PersonRecord();
            for (int ability = 0; ability < kAbilityCount; ++ability) {
                openGenerals.record(index).setAbility(ability,
                                                      static_cast<qint16>(10 * index + ability));
            }
        }
    }
    void cleanup() {
        messages_.reset();
        folder_.reset();
    }

    void openingShowsNoAbilityAndEntryZero() {
        AbilityDialog dlg(templates_, remembered_);
        QCOMPARE(dlg.windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ - 能力値の編集"));
        QCOMPARE(dlg.cmbValue1[0]->count(), 100);
        QCOMPARE(dlg.cmbValue1[0]->itemText(0), QStringLiteral("100"));
        QCOMPARE(dlg.cmbValue2[4]->itemText(99), QStringLiteral("1"));
        for (int i = 0; i < kAbilityCount; ++i) {
            QVERIFY(!dlg.chkCapa[i]->isChecked());
            QVERIFY(dlg.fraCapa[i]->isHidden());
        }
        QVERIFY(dlg.fraTotal->isHidden());
        QCOMPARE(dlg.listTemplate->currentRow(), 0);
        QCOMPARE(dlg.txtTemplName->text(), kNoTemplate);
        QVERIFY(!dlg.txtTemplName->isEnabled());
        QVERIFY(!dlg.cmdTemplSave->isEnabled());
        QVERIFY(!dlg.cmdTemplDelete->isEnabled());
        dlg.chkCapa[1]->setChecked(true);
        QVERIFY(!dlg.fraCapa[1]->isHidden());
    }

    void totalLimitWarnings() {
        AbilityDialog dlg(templates_, remembered_);
        dlg.chkTotal->click();
        QCOMPARE(messages_->texts(), QStringList{QStringLiteral("能力値を一つ以上選んで下さい")});
        QCOMPARE(messages_->shown().first().icon, MessageIcon::Exclamation);
        QVERIFY(!dlg.chkTotal->isChecked());
        QVERIFY(dlg.fraTotal->isHidden());

        messages_->clear();
        selectRange(dlg, 0, 60, 60);
        dlg.chkTotal->click();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral(
                     "最大と最小に差がありません。合計値を制限する必要はありません")});
        QVERIFY(!dlg.chkTotal->isChecked());
        QVERIFY(dlg.chkCapa[0]->isEnabled());
    }

    void totalListsFollowTheRanges() {
        AbilityDialog dlg(templates_, remembered_);
        selectRange(dlg, 0, 50, 90);
        selectRange(dlg, 1, 80, 40);
        dlg.chkTotal->click();
        QVERIFY(messages_->shown().isEmpty());
        QVERIFY(!dlg.fraTotal->isHidden());
        QCOMPARE(dlg.labMin->text(), QStringLiteral("★ 合計最小 : ") + QStringLiteral("90"));
        QCOMPARE(dlg.labMax->text(), QStringLiteral("★ 合計最大 : ") + QStringLiteral("170"));
        QStringList expected;
        for (int total = 170; total >= 90; --total) {
            expected.append(QString::number(total));
        }
        QCOMPARE(itemTexts(dlg.cmbTotal1), expected);
        QCOMPARE(itemTexts(dlg.cmbTotal2), expected);
        QCOMPARE(dlg.cmbTotal2->currentText(), QStringLiteral("170"));
        QCOMPARE(dlg.cmbTotal1->itemData(80).toInt(), 90);
        for (int i = 0; i < kAbilityCount; ++i) {
            QVERIFY(!dlg.chkCapa[i]->isEnabled());
            QVERIFY(!dlg.fraCapa[i]->isEnabled());
        }
        dlg.cmdClear->click();
        QVERIFY(!dlg.chkTotal->isChecked());
        QVERIFY(dlg.fraTotal->isHidden());
        QVERIFY(dlg.chkCapa[0]->isEnabled() && !dlg.chkCapa[0]->isChecked());
        QCOMPARE(dlg.cmbValue2[1]->currentText(), QStringLiteral("100"));
    }

    void okDrawsWithinTheTotalAndCloses() {
        AbilityDialog dlg(templates_, remembered_);
        dlg.addTarget(GetPersonName(openGenerals.record(1)), 1);
        dlg.addTarget(GetPersonName(openGenerals.record(3)), 3);
        selectRange(dlg, 0, 50, 90);
        selectRange(dlg, 1, 40, 80);
        dlg.chkTotal->click();
        dlg.cmbTotal1->setCurrentIndex(dlg.cmbTotal1->findData(100));
        dlg.cmbTotal2->setCurrentIndex(dlg.cmbTotal2->findData(120));
        dlg.cmdOK->click();
        ApplyAbilityDraw(openGenerals.records(), dlg.targets(), dlg.settings(), source_);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        for (const int index : {1, 3}) {
            const int total =
                openGenerals.record(index).ability(0) + openGenerals.record(index).ability(1);
            QVERIFY(total >= 100 && total <= 120);
            QCOMPARE(openGenerals.record(index).ability(4), 10 * index + 4);
        }
        QCOMPARE(openGenerals.record(2).ability(0), 20);  // not a target
        QCOMPARE(remembered_.totalA, qint16(100));
        QVERIFY(!folder_->exists(QStringLiteral("Capa.csv")));
    }

    void cancelChangesNoGeneralButIsRemembered() {
        const PersonRecord before = openGenerals.record(1);
        {
            AbilityDialog dlg(templates_, remembered_);
            dlg.addTarget(GetPersonName(openGenerals.record(1)), 1);
            selectRange(dlg, 2, 60, 80);
            selectRange(dlg, 3, 30, 50);
            dlg.chkTotal->click();
            dlg.cmbTotal1->setCurrentIndex(dlg.cmbTotal1->findData(95));
            dlg.cmdCancel->click();
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
        QCOMPARE(openGenerals.record(1).bytes(), before.bytes());
        AbilityDialog again(templates_, remembered_);
        QVERIFY(again.chkCapa[2]->isChecked() && again.chkCapa[3]->isChecked());
        QVERIFY(!again.chkCapa[0]->isChecked());
        QCOMPARE(again.cmbValue1[2]->currentText(), QStringLiteral("60"));
        QCOMPARE(again.cmbValue2[3]->currentText(), QStringLiteral("50"));
        QVERIFY(again.chkTotal->isChecked());
        QCOMPARE(again.cmbTotal1->currentData().toInt(), 95);
        QCOMPARE(again.cmbTotal2->currentData().toInt(), 130);
        QVERIFY(!again.chkCapa[2]->isEnabled());
    }

    void loadingTemplates() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 50, 90, 100, 500));
        templates_.entries().last().valueA[1] = 40;
        templates_.entries().last().valueB[1] = 80;
        // Hand-edited: values outside 1..100 load clamped.
        templates_.entries().append(namedTemplate(QStringLiteral("B"), 4, 250, -3));
        AbilityDialog dlg(templates_, remembered_);
        dlg.listTemplate->setCurrentRow(1);
        QVERIFY(dlg.chkTotal->isChecked());
        QCOMPARE(dlg.cmbTotal1->currentData().toInt(), 100);
        QCOMPARE(dlg.cmbTotal2->currentData().toInt(), 170);  // 500 is not offered
        QVERIFY(dlg.txtTemplName->isEnabled());

        dlg.listTemplate->setCurrentRow(2);
        QVERIFY(!dlg.chkTotal->isChecked());
        QVERIFY(!dlg.chkCapa[0]->isChecked());
        QVERIFY(dlg.chkCapa[4]->isChecked());
        QCOMPARE(dlg.cmbValue1[4]->currentText(), QStringLiteral("100"));
        QCOMPARE(dlg.cmbValue2[4]->currentText(), QStringLiteral("1"));

        dlg.listTemplate->setCurrentRow(0);  // entry 0 loads nothing
        QVERIFY(dlg.chkCapa[4]->isChecked());
        QVERIFY(!dlg.cmdTemplDelete->isEnabled());
    }

    void newTemplateRenamedOnClose() {
        {
            AbilityDialog dlg(templates_, remembered_);
            selectRange(dlg, 1, 20, 30);
            dlg.cmdTemplNew->click();
            QCOMPARE(dlg.listTemplate->count(), 2);
            QCOMPARE(dlg.listTemplate->currentRow(), 1);
            QCOMPARE(dlg.txtTemplName->text(), QStringLiteral("新規"));
            QCOMPARE(templates_.entries()[1].valueA[1], qint16(20));
            dlg.txtTemplName->setText(QStringLiteral("速攻"));
            dlg.show();  // a hidden dialog ignores its close box
            dlg.close();
        }
        QCOMPARE(templates_.entries()[1].name, QStringLiteral("速攻"));
        QVERIFY(folder_->exists(QStringLiteral("Capa.csv")));
        QVERIFY(folder_->read(QStringLiteral("Capa.csv")).contains("\"\x91\xac\x8d\x55\""));
    }

    void selectingOnlyWritesNothing() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        templates_.entries().append(namedTemplate(QStringLiteral("B"), 1, 10, 20));
        {
            AbilityDialog dlg(templates_, remembered_);
            dlg.listTemplate->setCurrentRow(2);
            dlg.listTemplate->setCurrentRow(1);
            dlg.cmdUp->click();  // entry 1 can't move up
            dlg.listTemplate->setCurrentRow(0);
            dlg.cmdDown->click();  // nor entry 0 down
            dlg.cmdTemplDelete->click();
            dlg.cmdCancel->click();
        }
        QCOMPARE(templates_.entries()[1].name, QStringLiteral("A"));
        QVERIFY(messages_->shown().isEmpty());
        QVERIFY(!folder_->exists(QStringLiteral("Capa.csv")));
    }

    void overwriteUpAndDown() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        templates_.entries().append(namedTemplate(QStringLiteral("B"), 1, 30, 40));
        templates_.entries().append(namedTemplate(QStringLiteral("C"), 2, 50, 60));
        AbilityDialog dlg(templates_, remembered_);
        dlg.listTemplate->setCurrentRow(2);
        dlg.txtTemplName->setText(QStringLiteral("B2"));
        selectRange(dlg, 3, 70, 80);
        dlg.cmdTemplSave->click();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("テンプレート[") + QStringLiteral("B2") +
                             QStringLiteral("]に記憶しました。")});
        QCOMPARE(messages_->shown().first().icon, MessageIcon::Information);
        QCOMPARE(templates_.entries()[2].valueA[3], qint16(70));
        QCOMPARE(templates_.entries()[2].name, QStringLiteral("B"));  // named on the next selection

        dlg.cmdUp->click();
        QCOMPARE(dlg.listTemplate->currentRow(), 1);
        QCOMPARE(templates_.entries()[1].name, QStringLiteral("B2"));
        QCOMPARE(templates_.entries()[2].name, QStringLiteral("A"));
        QCOMPARE(dlg.listTemplate->item(1)->text(), QStringLiteral("B2"));
        QCOMPARE(dlg.listTemplate->item(2)->text(), QStringLiteral("A"));
        QVERIFY(dlg.chkCapa[3]->isChecked());

        dlg.listTemplate->setCurrentRow(2);
        dlg.cmdDown->click();
        QCOMPARE(dlg.listTemplate->currentRow(), 3);
        QCOMPARE(templates_.entries()[3].name, QStringLiteral("A"));
        QCOMPARE(templates_.entries()[2].name, QStringLiteral("C"));
        QVERIFY(dlg.chkCapa[0]->isChecked());
        dlg.cmdDown->click();  // the last entry can't move down
        QCOMPARE(dlg.listTemplate->currentRow(), 3);
        QVERIFY(dlg.templatePanel->templatesChanged());
    }

    void deletingTheOnlyTemplate() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        {
            AbilityDialog dlg(templates_, remembered_);
            dlg.listTemplate->setCurrentRow(1);
            dlg.txtTemplName->setText(QStringLiteral("never kept"));
            dlg.cmdTemplDelete->click();  // answered No
            QCOMPARE(messages_->texts(),
                     QStringList{QStringLiteral("[") + QStringLiteral("never kept") +
                                 QStringLiteral("]を削除してよろしいですか？")});
            QCOMPARE(templates_.entries().size(), 2);
            messages_->queueAnswer(MessageAnswer::Yes);
            dlg.cmdTemplDelete->click();
            QCOMPARE(templates_.entries().size(), 1);
            QCOMPARE(dlg.listTemplate->count(), 1);
            QCOMPARE(dlg.listTemplate->currentRow(), 0);
            QCOMPARE(dlg.txtTemplName->text(), kNoTemplate);
            QVERIFY(dlg.chkCapa[0]->isChecked());  // the settings stay
            QCOMPARE(dlg.cmbValue2[0]->currentText(), QStringLiteral("20"));
            dlg.reject();
        }
        QCOMPARE(templates_.entries()[0].name, kNoTemplate);
        QVERIFY(folder_->exists(QStringLiteral("Capa.csv")));
    }

    // A press on the entry that is already selected loads it again.
    void pressingTheSelectedEntryReloadsIt() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        AbilityDialog dlg(templates_, remembered_);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.listTemplate->setCurrentRow(1);
        selectRange(dlg, 0, 70, 80);
        const QRect row = dlg.listTemplate->visualItemRect(dlg.listTemplate->item(1));
        QTest::mouseClick(dlg.listTemplate->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(dlg.cmbValue1[0]->currentText(), QStringLiteral("10"));
        QCOMPARE(dlg.cmbValue2[0]->currentText(), QStringLiteral("20"));
    }

    // The highlight always shows the entry that the name box and the buttons act on.
    void clickBelowTheEntriesKeepsTheCurrentOne() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        templates_.entries().append(namedTemplate(QStringLiteral("B"), 1, 30, 40));
        AbilityDialog dlg(templates_, remembered_);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.listTemplate->setCurrentRow(1);
        const QPoint below(10, dlg.listTemplate->viewport()->height() - 2);
        QVERIFY(dlg.listTemplate->itemAt(below) == nullptr);
        QTest::mouseClick(dlg.listTemplate->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseDClick(dlg.listTemplate->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseClick(dlg.listTemplate->viewport(), Qt::LeftButton, Qt::ControlModifier, below);
        // Ctrl+click on the current entry would take its highlight away.
        const QRect current = dlg.listTemplate->visualItemRect(dlg.listTemplate->item(1));
        QTest::mouseClick(dlg.listTemplate->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          current.center());
        QCOMPARE(dlg.listTemplate->currentRow(), 1);
        QVERIFY(dlg.listTemplate->item(1)->isSelected());
        QCOMPARE(dlg.listTemplate->selectedItems().size(), 1);
        QCOMPARE(dlg.txtTemplName->text(), QStringLiteral("A"));
        dlg.cmdDown->click();  // still acts on the highlighted entry
        QCOMPARE(dlg.listTemplate->currentRow(), 2);
        QVERIFY(dlg.listTemplate->item(2)->isSelected());
        QCOMPARE(templates_.entries()[2].name, QStringLiteral("A"));
        // So would Ctrl+Space (which also moves to the entry its space begins).
        QTest::keyClick(dlg.listTemplate, Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(dlg.listTemplate->currentItem()->isSelected());
    }

    void nameBoxRefusesWhatTheFileCannotHold() {
        templates_.entries().append(namedTemplate(QStringLiteral("A"), 0, 10, 20));
        AbilityDialog dlg(templates_, remembered_);
        dlg.listTemplate->setCurrentRow(1);
        const QValidator* validator = dlg.txtTemplName->validator();
        QVERIFY(validator != nullptr);
        int position = 0;
        QString quoted = QStringLiteral("a\"b");
        QCOMPARE(validator->validate(quoted, position), QValidator::Invalid);
        QString outside = QStringLiteral("a\u00E9b");
        QCOMPARE(validator->validate(outside, position), QValidator::Invalid);
        QString fine = QStringLiteral("髙～①");
        QCOMPARE(validator->validate(fine, position), QValidator::Acceptable);
        QString typedOutsideWindows = QStringLiteral("\u301C\u2212\u00A5");
        QCOMPARE(validator->validate(typedOutsideWindows, position), QValidator::Acceptable);
        QCOMPARE(typedOutsideWindows, QStringLiteral("\uFF5E\uFF0D\\"));
    }

  private:
    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<RecordedMessages> messages_;
    AbilityTemplates templates_;
    ClockSeededSource source_;
    AbilityTemplate remembered_;
};

DROVANTEL_TEST(AbilityDialogTest);

#include "test_abilitydialog.moc"
