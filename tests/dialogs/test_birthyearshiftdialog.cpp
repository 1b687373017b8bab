#include <QKeyEvent>
#include <QTest>

#include <algorithm>

#include "dialogs/birthyearshiftdialog.h"
#include "model/birthshift.h"
#include "model/roster.h"
#include "platform/codepage.h"
#include "support/modal.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

void putName(PersonRecord& record, const QString& family, const QString& given) {
    for (const auto& [offset, text] : {std::pair{81, family}, std::pair{86, given}}) {
        QByteArray bytes;
        QVERIFY(EncodeCp932(text, &bytes));
        std::fill_n(record.bytes().begin() + offset, 5, 0);
        std::copy(bytes.cbegin(), bytes.cend(), record.bytes().begin() + offset);
    }
}

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->itemText(i));
    }
    return texts;
}

QString years(int shift) {
    return (shift > 0 ? QStringLiteral("+") : QString()) + QString::number(shift) +
           QStringLiteral("年");
}

}  // namespace

class BirthYearShiftDialogTest : public QObject {
    Q_OBJECT
  private:
    // Targets 1..n born in the years given, named 甲一, 乙二, ... in turn.
    void fill(BirthYearShiftDialog& dialog, const QList<int>& birthYears) {
        static const QStringList families{QStringLiteral("甲"), QStringLiteral("乙"),
                                          QStringLiteral("丙"), QStringLiteral("丁")};
        for (int i = 0; i < birthYears.size(); ++i) {
            PersonRecord& record = openGenerals.record(i + 1);
            putName(record, families[i], QStringLiteral("太郎"));
            record.setBirthYear(static_cast<qint16>(birthYears[i]));
            record.setLinkedYear(static_cast<qint16>(birthYears[i] + 20));
            dialog.addTarget(GetPersonName(openGenerals.record(i + 1)), i + 1);
        }
        openGenerals.setCount(static_cast<int>(birthYears.size()) + 1);
    }

  private slots:
    void init() {
        openGenerals.records() = Roster{};
        openGenerals.setCount(0);
    }
    void cleanup() { init(); }

    void createdWithTheShiftAreaHidden() {
        BirthYearShiftDialog dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ - 誕生年のシフト"));
        QVERIFY(dialog.fraShift->isHidden());
        QVERIFY(dialog.fraShift->isAncestorOf(dialog.cmdOK));
        QVERIFY(dialog.fraShift->isAncestorOf(dialog.cmbShift));
        QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            labels.append(label->text());
        }
        for (const QString& fixed :
             {QStringLiteral("対象者"), QStringLiteral("最新生年"), QStringLiteral("最古生年"),
              QStringLiteral("シフトさせる年を選んで下さい"),
              QStringLiteral(
                  "誕生年を変更すると、両親や配偶者との年齢差について、ありえない設定ができることが"
                  "あります。ツールは血縁データを変更しません。異常なデータが作られた結果のゲーム動"
                  "作は未知数です。自己責任において使用して下さい")}) {
            QVERIFY2(labels.contains(fixed), qPrintable(fixed));
        }
    }

    void resetDescribesTheGroupAndOffersEveryShift() {
        BirthYearShiftDialog dialog;
        fill(dialog, {200, 190, 195});
        dialog.Reset(openGenerals);
        QCOMPARE(dialog.labMin->text(), GetPersonName(openGenerals.record(2)) +
                                            QStringLiteral(" : 190年生 ( -55年まで )"));
        QCOMPARE(dialog.labMax->text(), GetPersonName(openGenerals.record(1)) +
                                            QStringLiteral(" : 200年生 ( +35年まで )"));
        QStringList expected;
        for (int shift = -55; shift <= 35; ++shift) {
            if (shift != 0) {
                expected.append(years(shift));
            }
        }
        QCOMPARE(expected.size(), 90);
        QCOMPARE(itemTexts(dialog.cmbShift), expected);
        QCOMPARE(dialog.cmbShift->itemData(54).toInt(), -1);
        QCOMPARE(dialog.cmbShift->itemData(55).toInt(), 1);
        QCOMPARE(dialog.cmbShift->currentText(), years(-55));
        QVERIFY(!dialog.fraShift->isHidden());
    }

    void groupsAtTheBoundsCanMoveOneWayOnly() {
        BirthYearShiftDialog earliest;
        fill(earliest, {135});
        earliest.Reset(openGenerals);
        QVERIFY(earliest.labMin->text().endsWith(QStringLiteral("年生 ( これ以上下げられない )")));
        QCOMPARE(earliest.cmbShift->currentText(), years(1));

        BirthYearShiftDialog latest;

        fill(latest, {180, 235});
        latest.Reset(openGenerals);
        QVERIFY(latest.labMax->text().endsWith(QStringLiteral("年生 ( これ以上上げられない )")));
    }

    void noAllowedShiftKeepsTheAreaHidden() {
        BirthYearShiftDialog dialog;
        fill(dialog, {120, 230});
        dialog.Reset(openGenerals);
        QCOMPARE(dialog.cmbShift->count(), 0);
        QVERIFY(dialog.fraShift->isHidden());
        QVERIFY(dialog.labMin->text().endsWith(QStringLiteral("( これ以上下げられない )")));
    }

    void equalYearsNameTheFirstGeneralTwice() {
        BirthYearShiftDialog dialog;
        fill(dialog, {180, 180, 180});
        dialog.Reset(openGenerals);
        const QString first = GetPersonName(openGenerals.record(1)) + QStringLiteral(" : 180年生 ");
        QVERIFY(dialog.labMin->text().startsWith(first));
        QVERIFY(dialog.labMax->text().startsWith(first));
    }

    void okMovesBothYearsOfEveryTarget() {
        BirthYearShiftDialog dialog;
        fill(dialog, {190, 200});
        openGenerals.record(3).setBirthYear(170);
        dialog.Reset(openGenerals);
        dialog.cmbShift->setCurrentIndex(dialog.cmbShift->findText(years(3)));
        dialog.cmdOK->click();
        ApplyBirthShift(openGenerals.records(), dialog.targets(), dialog.shift());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(openGenerals.record(1).birthYear(), qint16(193));
        QCOMPARE(openGenerals.record(1).linkedYear(), qint16(213));
        QCOMPARE(openGenerals.record(2).birthYear(), qint16(203));
        QCOMPARE(openGenerals.record(2).linkedYear(), qint16(223));
        QCOMPARE(openGenerals.record(3).birthYear(), qint16(170));
    }

    void cancelEscapeAndCloseBoxChangeNothing() {
        const auto unchanged = [] {
            return openGenerals.record(1).birthYear() == 190 &&
                   openGenerals.record(1).linkedYear() == 210;
        };
        {
            BirthYearShiftDialog dialog;
            fill(dialog, {190});
            dialog.Reset(openGenerals);
            dialog.cmdCancel->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(unchanged());
        }
        {
            BirthYearShiftDialog dialog;
            fill(dialog, {190});
            dialog.Reset(openGenerals);
            WhenModalAppears([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QVERIFY(unchanged());
        }
        {
            BirthYearShiftDialog dialog;
            fill(dialog, {190});
            dialog.Reset(openGenerals);
            WhenModalAppears([](QWidget* modal) { modal->close(); });
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
            QVERIFY(unchanged());
        }
    }
};

DROVANTEL_TEST(BirthYearShiftDialogTest);
#include "test_birthyearshiftdialog.moc"
