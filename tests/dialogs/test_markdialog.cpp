#include <QLineEdit>
#include <QTest>

#include "dialogs/markdialog.h"
#include "model/markedit.h"
#include "model/marks.h"
#include "support/tempdatafolder.h"
#include "support/testregistry.h"

namespace {

// The marks of Mark.csv the tests read and write.
MarkTable markTable;

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

using Marks = std::array<QString, kMarkCount>;

const Marks kStartMarks = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d"), QStringLiteral("e")};

}  // namespace

class MarkDialogTest : public QObject {
    Q_OBJECT
  private:
    void fillTargets(MarkDialog& dialog, const QList<int>& indexes) {
        for (const int index : indexes) {
            dialog.addTarget(openGenerals.marks(index).name, index);
        }
    }

    // One unnamed general with no marks and no mark in the table.
    void blankOneGeneral() {
        openGenerals.record(1) = PersonRecord();
        openGenerals.setCount(1);
        markTable.entries() = {MarkEntry()};
        openGenerals.marks(1) = MarkEntry();
        openGenerals.marks(1).name = GetPersonName(openGenerals.record(1));
    }

  private slots:
    void init() {
        for (int index = 1; index <= kRosterCapacity; ++index) {
            openGenerals.marks(index).name = QStringLiteral("G") + QString::number(index);
            openGenerals.marks(index).marks = kStartMarks;
        }
    }

    void opensEmptyWithTheSuggestions() {
        MarkDialog dialog;
        for (int mark = 0; mark < kMarkCount; ++mark) {
            QVERIFY(!dialog.chkMark[mark]->isChecked());
            QVERIFY(!dialog.fraMark[mark]->isVisibleTo(&dialog));
            QCOMPARE(dialog.cmbMark[mark]->currentText(), QString());
            QCOMPARE(dialog.cmbMark[mark]->count(), 17);
        }
        QCOMPARE(dialog.cmbMark[0]->itemText(16), QStringLiteral("△"));
        dialog.chkMark[2]->click();
        QVERIFY(dialog.fraMark[2]->isVisibleTo(&dialog));
    }

    void setsTheTickedMarksOnly() {
        MarkDialog dialog;
        fillTargets(dialog, {4, 2});
        dialog.chkMark[1]->click();
        dialog.cmbMark[1]->setCurrentIndex(2);  // 軍
        dialog.chkMark[4]->click();
        // Typed but not ticked.
        dialog.cmbMark[2]->setEditText(QStringLiteral("X"));
        dialog.cmdOK->click();
        ApplyMarkEdit(openGenerals.allMarks(), dialog.targets(), dialog.settings());
        const Marks expected = {QStringLiteral("a"), QStringLiteral("軍"), QStringLiteral("c"),
                                QStringLiteral("d"), QString()};
        QCOMPARE(openGenerals.marks(4).marks, expected);
        QCOMPARE(openGenerals.marks(2).marks, expected);
        QCOMPARE(openGenerals.marks(2).name, QStringLiteral("G2"));
        QCOMPARE(openGenerals.marks(3).marks, kStartMarks);
    }

    void keepsTypedTextWholeAndRefusesWhatMarkCsvCannotHold() {
        MarkDialog dialog;
        fillTargets(dialog, {1});
        dialog.chkMark[0]->click();
        QLineEdit* edit = dialog.cmbMark[0]->lineEdit();
        // A lower-case letter must not turn into the suggestion "A"; a quote is refused.
        QTest::keyClicks(edit, QStringLiteral("a \"b "));
        edit->insert(QStringLiteral("é"));  // no code page 932 form
        edit->insert(QStringLiteral("😀"));
        edit->insert(QStringLiteral("猛将タイプの武将に付ける長めの印ですよ①～髙"));
        QTest::keyClick(edit, Qt::Key_Return);
        const QString expected = QStringLiteral("a b 猛将タイプの武将に付ける長めの印ですよ①～髙");
        QCOMPARE(dialog.cmbMark[0]->currentText(), expected);
        dialog.cmdOK->click();
        ApplyMarkEdit(openGenerals.allMarks(), dialog.targets(), dialog.settings());
        QCOMPARE(openGenerals.marks(1).marks[0], expected);
    }

    // Input methods outside Windows type JIS-style characters; the box shows and keeps the
    // code page character each is written as.
    void lookAlikesAreTakenAsTheCodePageCharacters() {
        TempDataFolder folder;
        blankOneGeneral();
        MarkDialog dialog;
        fillTargets(dialog, {1});
        dialog.chkMark[0]->click();
        dialog.chkMark[1]->click();
        dialog.cmbMark[0]->lineEdit()->insert(QStringLiteral("a\u301C"));
        dialog.cmbMark[1]->lineEdit()->insert(QStringLiteral("\u2212b"));
        QCOMPARE(dialog.cmbMark[0]->currentText(), QStringLiteral("a\uFF5E"));
        QCOMPARE(dialog.cmbMark[1]->currentText(), QStringLiteral("\uFF0Db"));
        dialog.cmdOK->click();
        ApplyMarkEdit(openGenerals.allMarks(), dialog.targets(), dialog.settings());
        QCOMPARE(openGenerals.marks(1).marks[0], QStringLiteral("a\uFF5E"));
        markTable.save(openGenerals);
        QVERIFY(folder.read(QStringLiteral("Mark.csv"))
                    .contains("\"a\x81\x60\",\"\x81\x7C"
                              "b\""));
        openGenerals.setCount(0);
    }

    void typedMarkSurvivesMarkCsv() {
        TempDataFolder folder;
        blankOneGeneral();
        MarkDialog dialog;
        fillTargets(dialog, {1});
        const QString text = QStringLiteral("①～髙, x'y");
        dialog.chkMark[0]->click();
        dialog.cmbMark[0]->lineEdit()->insert(text);
        dialog.cmdOK->click();
        ApplyMarkEdit(openGenerals.allMarks(), dialog.targets(), dialog.settings());
        markTable.save(openGenerals);
        openGenerals.marks(1) = MarkEntry();
        markTable.load();
        markTable.attach(openGenerals, 1);
        QCOMPARE(openGenerals.marks(1).marks[0], text);
        openGenerals.setCount(0);
    }

    void cancelAndCloseBoxChangeNothing() {
        for (const bool closeBox : {false, true}) {
            MarkDialog dialog;
            fillTargets(dialog, {1});
            dialog.show();
            dialog.chkMark[0]->click();
            dialog.cmbMark[0]->setEditText(QStringLiteral("Z"));
            closeBox ? void(dialog.close()) : dialog.cmdCancel->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(openGenerals.marks(1).marks, kStartMarks);
    }
};

DROVANTEL_TEST(MarkDialogTest);
#include "test_markdialog.moc"
