// The shared list routines on the main window's kind of list (roster rows) and the chooser's.
#include <QHeaderView>
#include <QTest>

#include "listfixture.h"
#include "platform/twips.h"
#include "support/testregistry.h"

namespace {

constexpr int kWarColumn = 10;
constexpr int kStrategyColumn = 22;
constexpr int kTotsugekiColumn = kFirstSkillColumn + 7;  // skill 7, 突撃

// Four roster generals in slot order 劉備, 関羽, 張飛, 愛; by reading 愛, 関羽, 張飛, 劉備.
void fillRoster() {
    roster[1] = MakePerson(QStringLiteral("劉"), QStringLiteral("備"), QStringLiteral("ﾘｭｳﾋﾞ"), 73);
    roster[2] = MakePerson(QStringLiteral("関"), QStringLiteral("羽"), QStringLiteral("ｶﾝｳ"), 97);
    roster[3] = MakePerson(QStringLiteral("張"), QStringLiteral("飛"), QStringLiteral("ﾁｮｳﾋ"), 98);
    roster[4] = MakePerson(QStringLiteral("愛"), QString(), QStringLiteral("ｱｲ"), 5);
    SetSkill(roster[2], 7, true);
    SetSkill(roster[4], 7, true);
    roster[3].setSetting(Setting::strategy, 7);
    rosterCount = 4;
}

void addRosterRows(GeneralList* list) {
    for (int index = 1; index <= rosterCount; ++index) {
        FillRow(list->addRow(GetPersonName(index), index), true, ListTables::existing());
    }
}

}  // namespace

class GeneralListTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ListTables::clear();
        fillRoster();
    }
    void cleanup() { ListTables::clear(); }

    void columnsAndStartingWidths() {
        GeneralList mainList(true, ListTables::existing());
        GeneralList chooserList(false, ListTables::existing());
        QCOMPARE(mainList.columnCount(), kListColumnCount);
        QCOMPARE(mainList.headerItem()->text(0), QStringLiteral("名前"));
        QCOMPARE(mainList.headerItem()->text(14), QStringLiteral("ﾀｲﾌﾟ"));
        QCOMPARE(mainList.headerItem()->text(27), QStringLiteral("農業"));
        QCOMPARE(mainList.headerItem()->text(68), QStringLiteral("仙人"));
        QCOMPARE(mainList.headerItem()->text(6), QStringLiteral("M5"));
        for (int column = 0; column < kListColumnCount; ++column) {
            const bool mainShown = column == 0 || (column >= 7 && column <= 13);
            const bool chooserShown =
                column == 0 || (column >= 9 && column <= 13) || column == 25 || column == 26;
            const int expected = Twips(GeneralList::columnTwips(column));
            QCOMPARE(mainList.columnWidth(column), mainShown ? expected : 0);
            QCOMPARE(chooserList.columnWidth(column), chooserShown ? expected : 0);
        }
        QCOMPARE(mainList.columnWidth(0), 96);              // 1440 twips
        QCOMPARE(Twips(GeneralList::columnTwips(22)), 80);  // 戦略 is wider
        // The key column stays hidden whatever a toggle asks.
        mainList.setColumnTwips(kKeyColumn, 700);
        QCOMPARE(mainList.columnWidth(kKeyColumn), 0);
    }

    void headerLooksAsQtsOwnWould() {
        // The list's header measures captions in the list's own font rather than bold; shown
        // with every column, it must still look exactly as Qt's own header would.
        GeneralList list(true, ListTables::existing());
        QTreeWidget stock;
        stock.setFont(list.font());
        stock.setHeaderItem(list.headerItem()->clone());
        stock.header()->setStretchLastSection(false);
        for (int column = 0; column < kListColumnCount; ++column) {
            list.setColumnTwips(column, GeneralList::columnTwips(column));
            stock.setColumnWidth(column, list.columnWidth(column));
            stock.setColumnHidden(column, list.isColumnHidden(column));
        }
        list.resize(4000, 200);
        stock.resize(4000, 200);
        list.show();
        stock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list) && QTest::qWaitForWindowExposed(&stock));
        QCOMPARE(list.header()->height(), stock.header()->height());
        QCOMPARE(list.header()->grab().toImage(), stock.header()->grab().toImage());
    }

    void rowAlignmentsAndTickBox() {
        GeneralList list(true, ListTables::existing());
        QTreeWidgetItem* row = list.addRow(QStringLiteral("劉備"), 1);
        QCOMPARE(row->textAlignment(0) & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
        QCOMPARE(row->textAlignment(7) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
        QCOMPARE(row->textAlignment(8) & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
        QCOMPARE(row->textAlignment(30) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
        QCOMPARE(GeneralList::rowTag(row), 1);
        QVERIFY(!(row->flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(row->checkState(0), Qt::Unchecked);  // the box is drawn

        // A click on the tick box does not flip it: only the windows decide ticks.
        list.resize(600, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QRect rect = list.visualItemRect(row);
        for (int x = rect.left() + 2; x < rect.left() + 30; x += 4) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(x, rect.center().y()));
        }
        QCOMPARE(row->checkState(0), Qt::Unchecked);
    }

    void fillRowFromRosterAndTable() {
        GeneralList list(true, ListTables::existing());
        roster[2].setBirthYear(160);
        roster[2].setFame(350);
        roster[2].setSetting(Setting::generalType, 1);
        roster[2].setSetting(Setting::missionAttitude, 3);
        roster[2].setPersonalAffinity(75);
        roster[2].setFactionAffinity(120);  // no existing general has it
        generalMarks[2].marks = {QStringLiteral("A"), QString(), QStringLiteral("C"), QString(),
                                 QStringLiteral("E")};
        GeneralRecord caoCao =
            MakeGeneral(QStringLiteral("曹"), QStringLiteral("操"), QStringLiteral("ｿｳｿｳ"), 72);
        caoCao.values.setPersonalAffinity(75);
        ListTables::addGeneral(caoCao);
        addRosterRows(&list);
        QTreeWidgetItem* row = list.rowAt(2);
        QCOMPARE(row->text(0), QStringLiteral("関羽"));
        QCOMPARE(row->text(kKeyColumn), QStringLiteral("002"));
        QCOMPARE(row->text(2), QStringLiteral("A"));
        QCOMPARE(row->text(6), QStringLiteral("E"));
        QCOMPARE(row->text(7), QStringLiteral("160"));
        QCOMPARE(row->text(8), QStringLiteral("350"));
        QCOMPARE(row->text(kWarColumn), QStringLiteral("97"));
        QCOMPARE(row->text(14), QStringLiteral("猛将"));
        QCOMPARE(row->text(24), QStringLiteral("Dessk"));
        QCOMPARE(row->text(25), QStringLiteral("曹操"));
        QCOMPARE(row->text(26), QStringLiteral("  -"));
        QCOMPARE(row->text(kTotsugekiColumn), QStringLiteral("○"));
        QCOMPARE(row->text(kTotsugekiColumn + 1), QString());
        QCOMPARE(list.rowAt(3)->text(kStrategyColumn), QStringLiteral("不明"));

        // A chooser row: no marks even where the same index has some, zeros, code 0 labels.
        GeneralList chooserList(false, ListTables::existing());
        generalMarks[1].marks[0] = QStringLiteral("X");
        FillRow(chooserList.addRow(ListTables::existing().name(1), 1), false,
                ListTables::existing());
        QTreeWidgetItem* general = chooserList.rowAt(1);
        QCOMPARE(general->text(0), QStringLiteral("曹操"));
        QCOMPARE(general->text(2), QString());
        QCOMPARE(general->text(7), QStringLiteral("0"));
        QCOMPARE(general->text(8), QStringLiteral("0"));
        QCOMPARE(general->text(kWarColumn), QStringLiteral("72"));
        QCOMPARE(general->text(14), QStringLiteral("平凡"));
        QCOMPARE(general->text(22), QStringLiteral("中華統一"));
        QCOMPARE(general->text(25), QStringLiteral("曹操"));
        QVERIFY(!general->data(0, Qt::CheckStateRole).isValid());  // no tick box here
    }

    void sortByNameAbilityAndSkill() {
        GeneralList list(true, ListTables::existing());
        addRosterRows(&list);
        qint16 last = 0;
        // The first click on 名前 sorts ascending by reading, though 0 is also the start value.
        SortByColumn(&list, 0, last);
        QCOMPARE(RowNames(&list), QStringList({QStringLiteral("愛"), QStringLiteral("関羽"),
                                               QStringLiteral("張飛"), QStringLiteral("劉備")}));
        SortByColumn(&list, 0, last);
        QCOMPARE(RowNames(&list).first(), QStringLiteral("劉備"));

        // An ability: strongest first (with "5" padded to "005"), then the other way round.
        SortByColumn(&list, kWarColumn, last);
        QCOMPARE(last, qint16(kWarColumn));
        QCOMPARE(RowNames(&list), QStringList({QStringLiteral("張飛"), QStringLiteral("関羽"),
                                               QStringLiteral("劉備"), QStringLiteral("愛")}));
        QCOMPARE(list.rowAt(4)->text(kKeyColumn), QStringLiteral("005"));
        SortByColumn(&list, kWarColumn, last);
        QCOMPARE(RowNames(&list), QStringList({QStringLiteral("愛"), QStringLiteral("劉備"),
                                               QStringLiteral("関羽"), QStringLiteral("張飛")}));

        // A skill: the generals with "○" first, last after a second click.
        SortByColumn(&list, kTotsugekiColumn, last);
        QStringList names = RowNames(&list);
        QCOMPARE(QSet<QString>(names.begin(), names.begin() + 2),
                 QSet<QString>({QStringLiteral("関羽"), QStringLiteral("愛")}));
        SortByColumn(&list, kTotsugekiColumn, last);
        names = RowNames(&list);
        QCOMPARE(QSet<QString>(names.begin() + 2, names.end()),
                 QSet<QString>({QStringLiteral("関羽"), QStringLiteral("愛")}));

        // A code outside its table shows "不明" and sorts by the code itself.
        SortByColumn(&list, kStrategyColumn, last);
        QCOMPARE(RowNames(&list).first(), QStringLiteral("張飛"));
        QCOMPARE(list.rowAt(1)->text(kKeyColumn), QStringLiteral("7"));
        QCOMPARE(list.rowAt(1)->text(kStrategyColumn), QStringLiteral("不明"));
    }

    void keyColumnClickAndForgottenSort() {
        GeneralList list(true, ListTables::existing());
        addRosterRows(&list);
        qint16 last = 0;
        SortByColumn(&list, kWarColumn, last);
        const QStringList order = RowNames(&list);
        QStringList keys;
        for (int position = 1; position <= list.rowCount(); ++position) {
            keys.append(list.rowAt(position)->text(kKeyColumn));
        }
        SortByColumn(&list, kKeyColumn, last);
        QCOMPARE(RowNames(&list), order);
        QCOMPARE(last, qint16(kWarColumn));
        for (int position = 1; position <= list.rowCount(); ++position) {
            QCOMPARE(list.rowAt(position)->text(kKeyColumn), keys.at(position - 1));
        }

        // After an open the window forgets the direction and sets its column to 0: the first
        // click on the column of the last sort starts afresh instead of flipping.
        list.forgetSort();
        last = kWarColumn;
        SortByColumn(&list, kWarColumn, last);
        QCOMPARE(RowNames(&list).first(), QStringLiteral("張飛"));
        // Another column resets the direction to that column's first one.
        SortByColumn(&list, 0, last);
        QCOMPARE(RowNames(&list).first(), QStringLiteral("愛"));
    }

    void refreshTouchesTickedRowsOnly() {
        GeneralList list(true, ListTables::existing());
        addRosterRows(&list);
        qint16 last = 0;
        SortByColumn(&list, kWarColumn, last);  // 張飛, 関羽, 劉備, 愛
        GeneralList::setTicked(list.rowAt(1), true);
        roster[3].setAbility(1, 40);
        roster[2].setAbility(1, 41);
        RefreshTickedRows(&list);
        QCOMPARE(list.rowAt(1)->text(kWarColumn), QStringLiteral("40"));
        QCOMPARE(list.rowAt(1)->text(kKeyColumn), QStringLiteral("003"));  // key back to index
        QCOMPARE(list.rowAt(2)->text(kWarColumn), QStringLiteral("97"));   // unticked: as it was
        QCOMPARE(RowNames(&list).first(), QStringLiteral("張飛"));         // no new sort
        QVERIFY(list.updatesEnabled());
    }

    void toggleAllTicksAndStyles() {
        GeneralList list(true, ListTables::existing());
        addRosterRows(&list);
        const QColor ticked(208, 64, 64);
        ToggleAllRows(&list);
        QCOMPARE(CountTickedRows(&list), 4);
        for (int position = 1; position <= list.rowCount(); ++position) {
            QTreeWidgetItem* row = list.rowAt(position);
            for (int column : {0, kWarColumn, kTotsugekiColumn}) {
                QVERIFY(row->font(column).bold());
                QCOMPARE(row->foreground(column).color(), ticked);
            }
        }
        // One ticked row is enough for the next toggle to untick them all.
        ToggleAllRows(&list);
        GeneralList::setTicked(list.rowAt(3), true);
        list.rowAt(3)->setSelected(true);
        StyleRow(list.rowAt(3));
        QVERIFY(!list.rowAt(3)->isSelected());
        QVERIFY(list.rowAt(3)->font(5).bold());
        QVERIFY(!list.rowAt(2)->font(5).bold());
        QCOMPARE(list.rowAt(2)->foreground(5).color(), QColor(Qt::black));
        ToggleAllRows(&list);
        QCOMPARE(CountTickedRows(&list), 0);
        QVERIFY(!list.rowAt(3)->font(0).bold());
        QCOMPARE(list.rowAt(3)->foreground(0).color(), QColor(Qt::black));
    }

    void groupTogglesSetTheirOwnColumns() {
        GeneralList list(true, ListTables::existing());
        struct Case {
            std::function<void(bool)> toggle;
            int first;
            int last;
        };
        const QList<Case> cases = {
            {[&](bool show) { ShowMarkColumns(&list, show); }, 2, 6},
            {[&](bool show) { ShowBirthFameColumns(&list, show); }, 7, 8},
            {[&](bool show) { ShowAbilityColumns(&list, show); }, 9, 13},
            {[&](bool show) { ShowSettingColumns(&list, show); }, 14, 24},
            {[&](bool show) { ShowAffinityColumns(&list, show); }, 25, 26},
            {[&](bool show) { ShowSkillColumns(&list, 0, show); }, 27, 33},
            {[&](bool show) { ShowSkillColumns(&list, 3, show); }, 48, 54},
            {[&](bool show) { ShowSkillColumns(&list, 5, show); }, 62, 68},
        };
        for (const Case& test : cases) {
            for (bool show : {true, false}) {
                const QList<int> before = ColumnWidths(&list);
                test.toggle(show);
                const QList<int> after = ColumnWidths(&list);
                for (int column = 0; column < kListColumnCount; ++column) {
                    const bool inGroup = column >= test.first && column <= test.last;
                    const int expected = show ? Twips(GeneralList::columnTwips(column)) : 0;
                    QCOMPARE(after.at(column), inGroup ? expected : before.at(column));
                }
                QVERIFY(list.updatesEnabled());
            }
        }
        QCOMPARE(Twips(GeneralList::columnTwips(2)), 30);   // 450 twips
        QCOMPARE(Twips(GeneralList::columnTwips(25)), 80);  // 1200 twips
        ShowSkillColumns(&list, 6, true);                   // no such group: nothing changes
        QCOMPARE(list.columnWidth(68), 0);
    }
};

DROVANTEL_TEST(GeneralListTest);

#include "test_generallist.moc"
