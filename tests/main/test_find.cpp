// Find in the main window: what a text matches, and that hiding rows leaves the ticks, the
// count, a drag, the frozen name column and the sort as they should be.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>

#include "list/frozennamecolumn.h"
#include "list/generalfilter.h"
#include "main/findbox.h"
#include "mainwindowfixture.h"
#include "platform/messages.h"
#include "support/testregistry.h"

namespace {

// 武将1..武将4; general 2 marked "ガッコウ" (full width), general 3 "ﾊﾞﾝ" (half width), 1 and 4
// "甲".
void openMarked(MainWindowFixture& f) {
    f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(4)));
    f.window->document()->recordEdit(QStringLiteral("印"), [](OpenGenerals& g) {
        g.marks(2).marks[0] = QStringLiteral("ガッコウ");
        g.marks(3).marks[4] = QStringLiteral("ﾊﾞﾝ");
        g.marks(1).marks[1] = QStringLiteral("甲");
        g.marks(4).marks[1] = QStringLiteral("甲");
    });
}

FindBox* findBox(MainWindowFixture& f) {
    return FindBox::of(f.window->list);
}

// The record indexes of the rows shown, in list order.
QList<int> shownGenerals(const QTreeView* view, const GeneralList* list) {
    QList<int> shown;
    for (int position = 1; position <= list->rowCount(); ++position) {
        if (!view->isRowHidden(position - 1, {})) {
            shown.append(list->rowTag(position));
        }
    }
    return shown;
}

}  // namespace

class FindTest : public QObject {
    Q_OBJECT

  private slots:
    void matchesNameOrMarkInEitherWidth_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("name") << QStringLiteral("武将3") << QList<int>{3};
        QTest::newRow("every name") << QStringLiteral("将") << QList<int>{1, 2, 3, 4};
        QTest::newRow("mark, half-width typed") << QStringLiteral("ｶﾞｯｺ") << QList<int>{2};
        QTest::newRow("mark, full-width typed") << QStringLiteral("バン") << QList<int>{3};
        QTest::newRow("mark") << QStringLiteral("甲") << QList<int>{1, 4};
        QTest::newRow("none") << QStringLiteral("ガン") << QList<int>{};
        QTest::newRow("emptied") << QString() << QList<int>{1, 2, 3, 4};
    }
    void matchesNameOrMarkInEitherWidth() {
        QFETCH(QString, typed);
        QFETCH(QList<int>, shown);
        RecordedMessages messages;
        MainWindowFixture f;
        openMarked(f);
        findBox(f)->open();
        findBox(f)->setText(QStringLiteral("甲"));
        findBox(f)->setText(typed);
        QCOMPARE(shownGenerals(f.window->list, f.window->list), shown);
    }

    // Hidden generals keep their ticks and are still counted; a drag or Space acts on the rows
    // shown only; Escape, or a hidden row called into view, shows every row again.
    void ticksCountAndTheKeyboard() {
        RecordedMessages messages;
        MainWindowFixture f;
        openMarked(f);
        GeneralList* list = f.window->list;
        f.press(2);
        f.release(2);
        QVERIFY(f.window->findChild<FindBox*>() == nullptr);  // made by the first Ctrl+F
        const int listTop = list->y();
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
        FindBox* box = findBox(f);
        QVERIFY(box->hasFocus());
        QVERIFY(list->y() > listTop);
        box->setText(QStringLiteral("甲"));
        QCOMPARE(f.ticks(), (QList<bool>{true, false, true, true}));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("3/4"));
        f.press(1);
        f.moveTo(4);
        f.release(4);
        QCOMPARE(f.ticks(), (QList<bool>{false, false, true, false}));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("1/4"));
        QTest::keyClick(list, Qt::Key_Space);  // on general 1, where the drag began
        QCOMPARE(f.ticks(), (QList<bool>{true, false, true, false}));

        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(box->isHidden() && box->text().isEmpty());
        QCOMPARE(list->y(), listTop);
        QCOMPARE(shownGenerals(list, list), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(f.ticks(), (QList<bool>{true, false, true, false}));
        box->open();
        box->setText(QStringLiteral("甲"));
        list->setCurrentPosition(3);
        QVERIFY(box->isHidden());
        QCOMPARE(shownGenerals(list, list), (QList<int>{1, 2, 3, 4}));
    }

    // The frozen name column and a sort keep to the rows found, whenever they come.
    void frozenColumnAndSortShowTheSameRows() {
        RecordedMessages messages;
        MainWindowFixture f;
        openMarked(f);
        GeneralList* list = f.window->list;
        findBox(f)->open();
        findBox(f)->setText(QStringLiteral("ﾝ"));
        for (QCheckBox* box : f.window->chkTokugi) {
            box->click();
        }
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        FrozenNameColumn* names = list->frozenNameColumn();
        QVERIFY(names != nullptr);
        QCOMPARE(shownGenerals(names, list), QList<int>{3});
        findBox(f)->setText(QStringLiteral("将"));
        QCOMPARE(shownGenerals(names, list), (QList<int>{1, 2, 3, 4}));
        findBox(f)->setText(QStringLiteral("ｶﾞ"));
        emit list->header()->sectionClicked(8);  // fame, highest first: general 2 third
        QCOMPARE(list->rowTag(3), 2);
        QCOMPARE(shownGenerals(list, list), QList<int>{2});
        QCOMPARE(shownGenerals(names, list), QList<int>{2});
    }
};

DROVANTEL_TEST(FindTest);

#include "test_find.moc"
