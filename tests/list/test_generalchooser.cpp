// The general chooser, driven as the affinity editor uses it: Reset, shown modally, read back.
#include <QHeaderView>
#include <QTest>
#include <QTimer>

#include <functional>

#include "list/generalchooser.h"
#include "listfixture.h"
#include "platform/twips.h"
#include "support/modal.h"
#include "support/testregistry.h"

namespace {

constexpr int kWarColumn = 10;

void fillTable() {
    ListTables::addGeneral(
        MakeGeneral(QStringLiteral("曹"), QStringLiteral("操"), QStringLiteral("ｿｳｿｳ"), 72));
    ListTables::addGeneral(
        MakeGeneral(QStringLiteral("呂"), QStringLiteral("布"), QStringLiteral("ﾘｮﾌ"), 100));
    ListTables::addGeneral(
        MakeGeneral(QStringLiteral("夏侯"), QStringLiteral("惇"), QStringLiteral("ｶｺｳﾄﾝ"), 90));
}

QPoint rowCentre(const GeneralChooser& chooser, int position) {
    return chooser.list->visualRect(chooser.list->rowIndex(position)).center();
}

void clickRow(GeneralChooser& chooser, int position) {
    QTest::mouseClick(chooser.list->viewport(), Qt::LeftButton, {}, rowCentre(chooser, position));
}

void clickHeader(GeneralChooser& chooser, int column) {
    QHeaderView* header = chooser.list->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// One use of the chooser as its callers make it. The action runs while it is shown; a chooser
// the action left open is hidden after a while so a failing test cannot hang.
bool useChooser(GeneralChooser& chooser, const std::function<void()>& action) {
    chooser.Reset();
    bool actionRan = false;
    WhenModalAppears([&](QWidget* modal) {
        if (modal == &chooser) {
            actionRan = true;
            action();
        }
    });
    bool stuck = false;
    QTimer::singleShot(5000, &chooser, [&] {
        if (chooser.isVisible()) {
            stuck = true;
            chooser.hide();
        }
    });
    chooser.exec();
    return actionRan && !stuck;
}

}  // namespace

class GeneralChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ListTables::clear();
        fillTable();
    }
    void cleanup() { ListTables::clear(); }

    void createdFilledFromTable() {
        GeneralChooser chooser(ListTables::existing());
        QCOMPARE(chooser.windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ - 武将選び"));
        QVERIFY(!chooser.list->generals()->isTickable());
        QCOMPARE(RowNames(chooser.list),
                 QStringList(
                     {QStringLiteral("曹操"), QStringLiteral("呂布"), QStringLiteral("夏侯惇")}));
        QCOMPARE(chooser.list->rowTag(3), 3);
        QCOMPARE(chooser.list->cellText(2, kWarColumn), QStringLiteral("100"));
        QCOMPARE(chooser.list->cellText(2, kKeyColumn), QStringLiteral("002"));
        QVERIFY(!chooser.cmdOK->isEnabled());
        for (const char* name :
             {"list", "cmdOK", "cmdCancel", "chkMark", "chkSyussei", "chkCapa", "chkPers",
              "chkAisyo", "chkTokugi_0", "chkTokugi_5", "Label1", "lineWidth", "lineHeight"}) {
            QVERIFY2(chooser.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
        }
        QVERIFY(chooser.chkCapa->isChecked() && chooser.chkAisyo->isChecked());
        QVERIFY(!chooser.chkMark->isChecked() && !chooser.chkTokugi[5]->isChecked());
        QCOMPARE(chooser.list->geometry(), TwipsRect(120, 1125, 10935, 7695));
        QCOMPARE(chooser.cmdCancel->geometry(), TwipsRect(4560, 120, 1335, 495));
        QCOMPARE(chooser.chkTokugi[5]->geometry(), TwipsRect(10200, 765, 855, 270));
        chooser.show();
        QVERIFY(!chooser.lineWidth->isVisible() && !chooser.lineHeight->isVisible());
        QCOMPARE(chooser.list->geometry(), TwipsRect(120, 1125, 10935, 7695));
        chooser.allowClose();
    }

    void emptyTableAlwaysEndsCancelled() {
        ListTables::clear();
        GeneralChooser chooser(ListTables::existing());
        QCOMPARE(chooser.list->rowCount(), 0);
        QVERIFY(useChooser(chooser, [&] {
            const QPoint middle = chooser.list->viewport()->rect().center();
            QTest::mouseClick(chooser.list->viewport(), Qt::LeftButton, {}, middle);
            QVERIFY(!chooser.cmdOK->isEnabled());
            QTest::mouseDClick(chooser.list->viewport(), Qt::LeftButton, {}, middle);
            QTest::mouseRelease(chooser.list->viewport(), Qt::LeftButton, {}, middle);
            QVERIFY(chooser.isVisible());  // nothing to confirm
            QTest::mouseClick(chooser.cmdOK, Qt::LeftButton);
            QVERIFY(chooser.isVisible());
            QTest::keyClick(&chooser, Qt::Key_Escape);
        }));
        QVERIFY(chooser.cancelled);
        QCOMPARE(chooser.g_nSelected, qint16(0));
        QVERIFY(!chooser.isVisible());
    }

    void clickThenOkConfirms() {
        GeneralChooser chooser(ListTables::existing());
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 2);
            QVERIFY(chooser.cmdOK->isEnabled());
            QCOMPARE(chooser.g_nSelected, qint16(2));
            QTest::mouseClick(chooser.cmdOK, Qt::LeftButton);
        }));
        QVERIFY(!chooser.cancelled);
        QCOMPARE(chooser.g_nSelected, qint16(2));
        QCOMPARE(chooser.result(), int(QDialog::Accepted));

        // Cancel after a click: the general clicked is named, but the use is cancelled.
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 3);
            QTest::mouseClick(chooser.cmdCancel, Qt::LeftButton);
        }));
        QVERIFY(chooser.cancelled);
        QCOMPARE(chooser.g_nSelected, qint16(3));
    }

    void doubleClickConfirmsInOneStep() {
        GeneralChooser chooser(ListTables::existing());
        QVERIFY(useChooser(chooser, [&] {
            // As the window system delivers it: press, release, then the second press as a
            // double-click, and its release.
            const QPoint at = rowCentre(chooser, 3);
            QTest::mouseClick(chooser.list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(chooser.list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(chooser.list->viewport(), Qt::LeftButton, {}, at);
        }));
        QVERIFY(!chooser.cancelled);
        QCOMPARE(chooser.g_nSelected, qint16(3));
    }

    void closeBoxCancelsAndKeepsTheSortOrder() {
        GeneralChooser chooser(ListTables::existing());
        bool refused = true;
        QVERIFY(useChooser(chooser, [&] {
            clickHeader(chooser, kWarColumn);  // strongest first
            clickRow(chooser, 1);
            refused = !chooser.close();
        }));
        QVERIFY(refused);
        QVERIFY(chooser.cancelled);
        QCOMPARE(chooser.lastSortColumn(), qint16(kWarColumn));
        const QStringList sorted = {QStringLiteral("呂布"), QStringLiteral("夏侯惇"),
                                    QStringLiteral("曹操")};
        QCOMPARE(RowNames(chooser.list), sorted);

        QStringList seenNextTime;
        QVERIFY(useChooser(chooser, [&] {
            seenNextTime = RowNames(chooser.list);
            clickHeader(chooser, kWarColumn);  // the second click on the same column flips it
            QTest::keyClick(&chooser, Qt::Key_Escape);
        }));
        QCOMPARE(seenNextTime, sorted);
        QCOMPARE(RowNames(chooser.list).first(), QStringLiteral("曹操"));

        // Only a close that the program allows goes ahead.
        chooser.show();
        chooser.allowClose();
        QVERIFY(chooser.close());
    }

    void rowLeftSelectedDoesNotEnableOk() {
        GeneralChooser chooser(ListTables::existing());
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 1);
            QTest::mouseClick(chooser.cmdOK, Qt::LeftButton);
        }));
        QVERIFY(!chooser.cancelled);
        bool okEnabled = true;
        bool stillSelected = false;
        QVERIFY(useChooser(chooser, [&] {
            stillSelected = chooser.list->isRowSelected(1);
            okEnabled = chooser.cmdOK->isEnabled();
            QTest::keyClick(chooser.list, Qt::Key_Return);  // no default button: nothing happens
            QVERIFY(chooser.isVisible());
            QTest::mouseClick(chooser.cmdCancel, Qt::LeftButton);
        }));
        QVERIFY(stillSelected);
        QVERIFY(!okEnabled);
        QVERIFY(chooser.cancelled);
    }

    void clickBelowTheRowsLeavesNothingToConfirm() {
        GeneralChooser chooser(ListTables::existing());
        bool rowShownSelected = true;
        bool okEnabled = true;
        qint16 selected = -1;
        bool stayedOpen = false;
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 2);
            const QPoint below(10, chooser.list->viewport()->height() - 2);
            QVERIFY(!chooser.list->indexAt(below).isValid());
            QTest::mouseClick(chooser.list->viewport(), Qt::LeftButton, {}, below);
            rowShownSelected = !chooser.list->selectionModel()->selectedIndexes().isEmpty();
            okEnabled = chooser.cmdOK->isEnabled();
            selected = chooser.g_nSelected;
            QTest::mouseClick(chooser.cmdOK, Qt::LeftButton);
            stayedOpen = chooser.isVisible();
            QTest::keyClick(&chooser, Qt::Key_Escape);
        }));
        QVERIFY(!rowShownSelected);
        QVERIFY(!okEnabled);
        QCOMPARE(selected, qint16(0));
        QVERIFY(stayedOpen);
        QVERIFY(chooser.cancelled);
    }

    void okConfirmsTheRowTheKeyboardHighlights() {
        GeneralChooser chooser(ListTables::existing());
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 1);
            QTest::keyClick(chooser.list, Qt::Key_Down);
            QTest::keyClick(chooser.list, Qt::Key_Down);
            QTest::mouseClick(chooser.cmdOK, Qt::LeftButton);
        }));
        QVERIFY(!chooser.cancelled);
        QCOMPARE(chooser.g_nSelected, qint16(3));

        // Ctrl+Space takes the highlight away: nothing is left to confirm.
        bool okEnabled = true;
        QVERIFY(useChooser(chooser, [&] {
            clickRow(chooser, 2);
            QTest::keyClick(chooser.list, Qt::Key_Space, Qt::ControlModifier);
            QVERIFY(chooser.list->selectionModel()->selectedIndexes().isEmpty());
            okEnabled = chooser.cmdOK->isEnabled();
            QTest::keyClick(&chooser, Qt::Key_Escape);
        }));
        QVERIFY(!okEnabled);
        QCOMPARE(chooser.g_nSelected, qint16(0));
    }

    void groupBoxesToggleTheirColumns() {
        GeneralChooser chooser(ListTables::existing());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTest::mouseClick(chooser.chkPers, Qt::LeftButton);
        QCOMPARE(chooser.list->columnWidth(14), Twips(700));
        QCOMPARE(chooser.list->columnWidth(22), Twips(1200));
        QTest::mouseClick(chooser.chkCapa, Qt::LeftButton);
        QCOMPARE(chooser.list->columnWidth(kWarColumn), 0);
        QTest::mouseClick(chooser.chkTokugi[5], Qt::LeftButton);
        QCOMPARE(chooser.list->columnWidth(68), Twips(450));
        QCOMPARE(chooser.list->columnWidth(61), 0);
        QTest::mouseClick(chooser.chkMark, Qt::LeftButton);
        QCOMPARE(chooser.list->columnWidth(2), Twips(450));
        QCOMPARE(chooser.list->cellText(1, 2), QString());  // no marks in the chooser
        chooser.allowClose();
    }

    void resizeKeepsTheListAtItsMinimum() {
        GeneralChooser chooser(ListTables::existing());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        // The list follows the outer window, less its own left and top and 200 / 600 twips.
        const auto expected = [&] {
            const QRect outer = chooser.frameGeometry();
            return QSize(Twips(outer.width() * 15 - 120 - 200),
                         Twips(outer.height() * 15 - 1125 - 600));
        };
        chooser.resize(900, 700);
        QTRY_COMPARE(chooser.list->size(), expected());
        const QSize grown = chooser.list->size();
        // Too narrow for the minimum width: the list keeps its size, height included.
        chooser.resize(700, 800);
        QTest::qWait(20);
        QCOMPARE(chooser.list->size(), grown);
        // Exactly the minimum height is enough; 15 twips less is not.
        const int frameHeight = chooser.frameGeometry().height() - chooser.height();
        const int atMinimumHeight = Twips(7680 + 1125 + 600) - frameHeight;
        chooser.resize(800, atMinimumHeight - 1);
        QTest::qWait(20);
        QCOMPARE(chooser.list->size(), grown);
        chooser.resize(800, atMinimumHeight);
        QTRY_COMPARE(chooser.list->size(), expected());
        QCOMPARE(chooser.list->height(), Twips(7680));
        chooser.allowClose();
    }
};

DROVANTEL_TEST(GeneralChooserTest);

#include "test_generalchooser.moc"
