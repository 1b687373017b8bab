#include <QSignalSpy>
#include <QTest>

#include "dialogs/hiddensettingsdialog.h"
#include "model/random.h"
#include "model/roster.h"
#include "model/settingsdraw.h"
#include "support/dialogtargets.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

constexpr int kInterest = static_cast<int>(Setting::interest);
constexpr int kDrinking = static_cast<int>(Setting::drinking);

// Which priority boxes of a setting would show on screen.
QList<bool> shownPriorityBoxes(const HiddenSettingsDialog& dialog, int setting) {
    QList<bool> shown;
    for (QCheckBox* box : dialog.priorityBoxes[setting]) {
        shown.append(box->isVisibleTo(&dialog));
    }
    return shown;
}

}  // namespace

class HiddenSettingsDialogTest : public QObject {
    Q_OBJECT
  private:
    ClockSeededSource source_;

  private slots:
    void init() {
        for (PersonRecord& record : openGenerals.records()) {
            record = PersonRecord();
            record.setSetting(Setting::interest, 7);
            record.setSetting(Setting::drinking, 7);
        }
        openGenerals.setCount(10);
        source_.Seed(5);
    }

    void opensPressedAndUncheckedAndKeepsHiddenButtons() {
        HiddenSettingsDialog dialog;
        for (int index = 0; index < kSettingCount; ++index) {
            QVERIFY(!dialog.chkSetting[index]->isChecked());
            QVERIFY(!dialog.fraSetting[index]->isVisibleTo(&dialog));
            for (int code = 0; code < dialog.valueButtons[index].size(); ++code) {
                QVERIFY(dialog.valueButtons[index][code]->isChecked());
                QVERIFY(dialog.valueButtons[index][code]->font().bold());
                QVERIFY(!dialog.priorityBoxes[index][code]->isChecked());
            }
        }
        QVERIFY(dialog.findChild<ToggleButton*>(QStringLiteral("chkCharType_5")) != nullptr);
        QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("chkTaidoP_3")) != nullptr);
        for (QLabel* note : dialog.labTitle) {
            QVERIFY(note->isVisibleTo(&dialog));
        }

        // The frame takes its note's place; its buttons keep their state while hidden.
        dialog.chkSetting[0]->click();
        QVERIFY(dialog.fraSetting[0]->isVisibleTo(&dialog));
        QVERIFY(!dialog.labTitle[0]->isVisibleTo(&dialog));
        dialog.valueButtons[0][3]->click();
        QVERIFY(!dialog.valueButtons[0][3]->font().bold());
        dialog.chkSetting[0]->click();
        QVERIFY(dialog.labTitle[0]->isVisibleTo(&dialog));
        QVERIFY(!dialog.choices()[0].change);
        dialog.chkSetting[0]->click();
        QVERIFY(!dialog.valueButtons[0][3]->isChecked());
        QVERIFY(!dialog.choices()[0].pressed[3]);
    }

    void priorityBoxesFollowTheVisibilityRule() {
        HiddenSettingsDialog dialog;
        dialog.chkSetting[kDrinking]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{true, true, true}));
        // Two pressed values without priority: both boxes show; once one is checked, the
        // other hides; unchecking brings it back.
        dialog.valueButtons[kDrinking][1]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{true, false, true}));
        dialog.priorityBoxes[kDrinking][0]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{true, false, false}));
        dialog.priorityBoxes[kDrinking][0]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{true, false, true}));

        // Unpressing a prioritised value hides its box and keeps its check, out of the pool;
        // pressing it again brings the priority back.
        dialog.priorityBoxes[kDrinking][0]->click();
        dialog.valueButtons[kDrinking][0]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{false, false, false}));
        QVERIFY(dialog.priorityBoxes[kDrinking][0]->isChecked());
        QCOMPARE(BuildSettingPool(Setting::drinking, dialog.choices()[kDrinking]),
                 (QList<qint16>{2}));
        dialog.valueButtons[kDrinking][0]->click();
        QCOMPARE(shownPriorityBoxes(dialog, kDrinking), (QList<bool>{true, false, false}));
        QCOMPARE(BuildSettingPool(Setting::drinking, dialog.choices()[kDrinking]),
                 (QList<qint16>{0, 0, 2}));
    }

    void okDealsTheCheckedSettings() {
        HiddenSettingsDialog dialog;
        AddRosterTargets(dialog, openGenerals, 6);
        dialog.chkSetting[kInterest]->click();
        // 飲酒 checked with every value unpressed: skipped.
        dialog.chkSetting[kDrinking]->click();
        for (ToggleButton* button : dialog.valueButtons[kDrinking]) {
            button->click();
        }
        dialog.cmdOK->click();
        ApplyHiddenSettingsDraw(openGenerals.records(), dialog.targets(), dialog.choices(),
                                source_);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QList<int> counts(3, 0);
        for (int index = 1; index <= 6; ++index) {
            const int interest = openGenerals.record(index).setting(Setting::interest);
            QVERIFY(interest < 3);
            counts[interest] += 1;
            QCOMPARE(openGenerals.record(index).setting(Setting::drinking), quint8(7));
        }
        QCOMPARE(counts, (QList<int>{2, 2, 2}));
        QCOMPARE(openGenerals.record(7).setting(Setting::interest), quint8(7));
    }

    void cancelEscapeAndCloseBoxChangeNothing() {
        for (int way = 0; way < 3; ++way) {
            HiddenSettingsDialog dialog;
            AddRosterTargets(dialog, openGenerals, 3);
            dialog.show();
            dialog.chkSetting[kInterest]->click();
            QSignalSpy cancelled(dialog.cmdCancel, &QPushButton::clicked);
            if (way == 0) {
                dialog.cmdCancel->click();
            } else if (way == 1) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
                QCOMPARE(cancelled.count(), 1);
            } else {
                dialog.close();
            }
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            for (int index = 1; index <= 3; ++index) {
                QCOMPARE(openGenerals.record(index).setting(Setting::interest), quint8(7));
            }
        }
    }
};

DROVANTEL_TEST(HiddenSettingsDialogTest);
#include "test_hiddensettingsdialog.moc"
