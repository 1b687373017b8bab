#include <QTest>

#include "dialogs/famedialog.h"
#include "model/famedraw.h"
#include "model/random.h"
#include "model/roster.h"
#include "support/dialogtargets.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

}  // namespace

class FameDialogTest : public QObject {
    Q_OBJECT
  private:
    ClockSeededSource source_;

  private slots:
    void init() {
        for (PersonRecord& record : openGenerals.records()) {
            record = PersonRecord();
            record.setFame(999);
            SetSkill(record, Skill::meishi, true);
        }
        openGenerals.setCount(20);
        source_.Seed(11);
    }

    void openingStateGivesFameOne() {
        FameDialog dialog;
        for (QComboBox* box : {dialog.cmbValue1, dialog.cmbValue2}) {
            QCOMPARE(box->count(), 51);
            QCOMPARE(box->currentText(), QStringLiteral("1"));
            QCOMPARE(box->itemText(1), QStringLiteral("10"));
            QCOMPARE(box->itemData(50).toInt(), 500);
            QCOMPARE(box->itemText(50), QStringLiteral("500"));
        }
        QVERIFY(dialog.optTani[0]->isChecked());
        AddRosterTargets(dialog, openGenerals, 4);
        dialog.cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // OK only accepts the settings: the window has the document draw them.
        QCOMPARE(openGenerals.record(1).fame(), qint16(999));
        QCOMPARE(dialog.settings().bound1, 1);
        ApplyFameDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source_);
        for (int index = 1; index <= 4; ++index) {
            QCOMPARE(openGenerals.record(index).fame(), qint16(1));
            QVERIFY(!GetSkill(openGenerals.record(index), Skill::meishi));
        }
        QCOMPARE(openGenerals.record(5).fame(), qint16(999));
    }

    void swappedBoxesOnTheGridOfTen() {
        FameDialog dialog;
        AddRosterTargets(dialog, openGenerals, 20);
        dialog.cmbValue1->setCurrentIndex(30);  // 300
        dialog.cmbValue2->setCurrentIndex(20);  // 200
        dialog.optTani[2]->click();
        dialog.cmdOK->click();
        ApplyFameDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source_);
        for (int index = 1; index <= 20; ++index) {
            const int fame = openGenerals.record(index).fame();
            QVERIFY2(fame >= 200 && fame <= 300 && fame % 10 == 0,
                     qPrintable(QString::number(fame)));
            QVERIFY(GetSkill(openGenerals.record(index), Skill::meishi));
        }
    }

    void cancelAndCloseBoxChangeNothing() {
        for (const bool closeBox : {false, true}) {
            FameDialog dialog;
            AddRosterTargets(dialog, openGenerals, 2);
            dialog.show();
            closeBox ? void(dialog.close()) : dialog.cmdCancel->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(openGenerals.record(1).fame(), qint16(999));
        QVERIFY(GetSkill(openGenerals.record(2), Skill::meishi));
    }
};

DROVANTEL_TEST(FameDialogTest);
#include "test_famedialog.moc"
