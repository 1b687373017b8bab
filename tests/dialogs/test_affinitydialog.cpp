#include <QPair>
#include <QTest>
#include <QTimer>

#include "dialogs/affinitydialog.h"
#include "list/generalchooser.h"
#include "model/affinitydraw.h"
#include "model/existinggenerals.h"
#include "model/random.h"
#include "model/roster.h"
#include "support/modal.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

using Range = QPair<int, int>;

GeneralRecord makeGeneral(const QString& family, const QString& given, int personal, int faction) {
    GeneralRecord general;
    general.familyName = family.leftJustified(5, u' ');
    general.givenName = given.leftJustified(5, u' ');
    general.reading = QString(11, u' ');
    general.values.setAbility(0, 80);
    general.values.setPersonalAffinity(static_cast<quint8>(personal));
    general.values.setFactionAffinity(static_cast<quint8>(faction));
    return general;
}

void resetTables() {
    openGenerals.records() = Roster{};
    openGenerals.setCount(0);
}

// Presses the choose button and, in the chooser, clicks the row of the existing general and
// confirms it; row 0 cancels the chooser instead.
bool chooseCentre(QPushButton* chooseButton, GeneralChooser& chooser, int generalRow) {
    bool answered = false;
    WhenModalAppears([&](QWidget* modal) {
        if (modal != &chooser) {
            return;
        }
        answered = true;
        if (generalRow == 0) {
            chooser.cmdCancel->click();
            return;
        }
        for (int position = 1; position <= chooser.list->rowCount(); ++position) {
            if (chooser.list->rowTag(position) == generalRow) {
                const QPoint centre =
                    chooser.list->visualRect(chooser.list->rowIndex(position)).center();
                QTest::mouseClick(chooser.list->viewport(), Qt::LeftButton, {}, centre);
            }
        }
        chooser.cmdOK->click();
    });
    // A chooser left open by a failing step must not hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    bool stuck = false;
    QObject::connect(&guard, &QTimer::timeout, &chooser, [&chooser, &stuck] {
        stuck = chooser.isVisible();
        chooser.hide();
    });
    guard.start(5000);
    chooseButton->click();
    return answered && !stuck;
}

}  // namespace

class AffinityDialogTest : public QObject {
    Q_OBJECT
  private:
    ExistingGenerals existing_;
    std::unique_ptr<GeneralChooser> chooser_;
    // Draws of tests that do not look at them.
    ClockSeededSource source_;
    static constexpr int kTargets = 4;

    void fillTargets(AffinityDialog& dialog) {
        for (int index = 1; index <= kTargets; ++index) {
            openGenerals.record(index).setPersonalAffinity(77);
            openGenerals.record(index).setFactionAffinity(88);
            dialog.addTarget(QStringLiteral("target %1").arg(index), index);
        }
        openGenerals.record(kTargets + 1).setPersonalAffinity(77);
        openGenerals.record(kTargets + 1).setFactionAffinity(88);
        openGenerals.setCount(kTargets + 1);
    }
    static QList<int> personalValues() {
        QList<int> values;
        for (int index = 1; index <= kTargets; ++index) {
            values.append(openGenerals.record(index).personalAffinity());
        }
        return values;
    }
    static QList<int> factionValues() {
        QList<int> values;
        for (int index = 1; index <= kTargets; ++index) {
            values.append(openGenerals.record(index).factionAffinity());
        }
        return values;
    }
    static bool untouchedNonTarget() {
        return openGenerals.record(kTargets + 1).personalAffinity() == 77 &&
               openGenerals.record(kTargets + 1).factionAffinity() == 88;
    }

  private slots:
    void init() {
        resetTables();
        existing_ = ExistingGenerals({
            makeGeneral(QStringLiteral("曹"), QStringLiteral("操"), 3, 146),
            makeGeneral(QStringLiteral("呂"), QStringLiteral("布"), 200, 0),
            makeGeneral(QStringLiteral("夏侯"), QStringLiteral("惇"), 50, 60),
        });
        chooser_ = std::make_unique<GeneralChooser>(existing_);
    }
    void cleanup() {
        chooser_->allowClose();
        chooser_.reset();
        resetTables();
    }

    void opensWithNothingChosen() {
        AffinityDialog dialog(chooser_.get());
        fillTargets(dialog);
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ - 相性の編集"));
        QCOMPARE(dialog.chkKojin->text(), QStringLiteral("個人相性"));
        QCOMPARE(dialog.chkSeiryoku->text(), QStringLiteral("勢力相性"));
        QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        for (QComboBox* spread : {dialog.cmbKojin, dialog.cmbSeiryoku}) {
            QCOMPARE(spread->count(), kMaxAffinitySpread + 1);
            QCOMPARE(spread->itemText(0), QStringLiteral("0"));
            QCOMPARE(spread->itemText(1), QStringLiteral("±1"));
            QCOMPARE(spread->itemText(2), QStringLiteral("±2"));
            QCOMPARE(spread->itemText(74), QStringLiteral("±74"));
            QCOMPARE(spread->currentIndex(), 0);
        }
        QVERIFY(!dialog.chkKojin->isChecked());
        QVERIFY(!dialog.chkSeiryoku->isChecked());
        QVERIFY(dialog.fraKojin->isHidden());
        QVERIFY(dialog.fraSeiryoku->isHidden());
        QVERIFY(dialog.labKojin->text().isEmpty());
        QVERIFY(dialog.fraKojin->isAncestorOf(dialog.cmbKojin));
        QVERIFY(dialog.fraSeiryoku->isAncestorOf(dialog.cmdSeiryoku));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            labels.append(label->text());
        }
        QVERIFY(labels.contains(
            QStringLiteral("相性の中心とする武将と、ばらつかせる範囲を指定します")));
        QVERIFY(labels.contains(QStringLiteral("■ 対象者")));
        QCOMPARE(labels.count(QStringLiteral("ばらつき範囲")), 2);

        dialog.chkKojin->click();
        QVERIFY(!dialog.fraKojin->isHidden());
        QVERIFY(dialog.fraSeiryoku->isHidden());
        dialog.chkSeiryoku->click();
        dialog.chkKojin->click();
        QVERIFY(dialog.fraKojin->isHidden());
        QVERIFY(!dialog.fraSeiryoku->isHidden());
    }

    void spreadZeroGivesEveryTargetTheCentre() {
        ScriptedSource source;
        AffinityDialog dialog(chooser_.get());
        fillTargets(dialog);
        dialog.chkKojin->click();
        QVERIFY(chooseCentre(dialog.cmdKojin, *chooser_, 1));
        QCOMPARE(dialog.labKojin->text(), existing_.name(1));
        dialog.chkSeiryoku->click();
        QVERIFY(chooseCentre(dialog.cmdSeiryoku, *chooser_, 1));
        QCOMPARE(dialog.labSeiryoku->text(), existing_.name(1));
        dialog.cmdOK->click();
        ApplyAffinityDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(personalValues(), QList<int>(kTargets, 3));
        QCOMPARE(factionValues(), QList<int>(kTargets, 146));
        // One draw per target and affinity even without a spread.
        QCOMPARE(source.ranges, QList<Range>(2 * kTargets, Range(0, 0)));
        QVERIFY(untouchedNonTarget());
    }

    void spreadsAreDrawnPersonalFirstWithTheirRanges() {
        ScriptedSource source;
        AffinityDialog dialog(chooser_.get());
        fillTargets(dialog);
        dialog.chkKojin->click();
        dialog.chkSeiryoku->click();
        QVERIFY(chooseCentre(dialog.cmdKojin, *chooser_, 1));
        QVERIFY(chooseCentre(dialog.cmdSeiryoku, *chooser_, 3));
        dialog.cmbKojin->setCurrentIndex(5);
        dialog.cmbSeiryoku->setCurrentIndex(7);
        dialog.cmdOK->click();
        ApplyAffinityDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source);
        QCOMPARE(source.ranges,
                 QList<Range>(kTargets, Range(0, 10)) + QList<Range>(kTargets, Range(0, 14)));
        // The recording source answers the low end: centre minus spread, wrapped.
        QCOMPARE(personalValues(), QList<int>(kTargets, 147));
        QCOMPARE(factionValues(), QList<int>(kTargets, 53));
    }

    void cancelledChooserKeepsTheCentre() {
        AffinityDialog dialog(chooser_.get());
        fillTargets(dialog);
        dialog.chkKojin->click();
        QVERIFY(chooseCentre(dialog.cmdKojin, *chooser_, 3));
        QVERIFY(chooseCentre(dialog.cmdKojin, *chooser_, 0));
        QCOMPARE(dialog.labKojin->text(), existing_.name(3));
        dialog.cmdOK->click();
        ApplyAffinityDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source_);
        QCOMPARE(personalValues(), QList<int>(kTargets, 50));
    }

    void affinitiesWithoutCentreOrUntickedStayAsTheyAre() {
        AffinityDialog dialog(chooser_.get());
        fillTargets(dialog);
        // Faction: a centre whose own value is 0. Personal: ticked, never chosen.
        dialog.chkKojin->click();
        dialog.chkSeiryoku->click();
        QVERIFY(chooseCentre(dialog.cmdSeiryoku, *chooser_, 2));
        QCOMPARE(dialog.labSeiryoku->text(), existing_.name(2));
        dialog.cmdOK->click();
        ApplyAffinityDraw(openGenerals.records(), dialog.targets(), dialog.settings(), source_);
        QCOMPARE(personalValues(), QList<int>(kTargets, 77));
        QCOMPARE(factionValues(), QList<int>(kTargets, 88));

        AffinityDialog unticked(chooser_.get());
        fillTargets(unticked);
        unticked.chkKojin->click();
        QVERIFY(chooseCentre(unticked.cmdKojin, *chooser_, 1));
        unticked.chkKojin->click();
        unticked.cmdOK->click();
        ApplyAffinityDraw(openGenerals.records(), unticked.targets(), unticked.settings(), source_);
        QCOMPARE(personalValues(), QList<int>(kTargets, 77));
    }

    void cancelAndCloseBoxChangeNothing() {
        for (const bool closeBox : {false, true}) {
            AffinityDialog dialog(chooser_.get());
            fillTargets(dialog);
            dialog.chkKojin->click();
            QVERIFY(chooseCentre(dialog.cmdKojin, *chooser_, 1));
            WhenModalAppears([&dialog, closeBox](QWidget*) {
                if (closeBox) {
                    dialog.close();
                } else {
                    dialog.cmdCancel->click();
                }
            });
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QCOMPARE(personalValues(), QList<int>(kTargets, 77));
        }
        // A new opening starts from nothing chosen.
        AffinityDialog next(chooser_.get());
        QVERIFY(next.labKojin->text().isEmpty());
        QCOMPARE(next.cmbKojin->currentIndex(), 0);
    }
};

DROVANTEL_TEST(AffinityDialogTest);
#include "test_affinitydialog.moc"
