// The shared list routines on the main window's kind of list (roster rows) and the chooser's.
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeWidget>

#include "listfixture.h"
#include "platform/twips.h"
#include "support/testregistry.h"

namespace {

constexpr int kWarColumn = 10;
constexpr int kStrategyColumn = 22;
constexpr int kTotsugekiColumn = kFirstSkillColumn + 7;  // skill 7, 突撃

// Four roster generals in slot order 劉備, 関羽, 張飛, 愛; by reading 愛, 関羽, 張飛, 劉備.
void fillRoster() {
    openGenerals.record(1) =
        MakePerson(QStringLiteral("劉"), QStringLiteral("備"), QStringLiteral("ﾘｭｳﾋﾞ"), 73);
    openGenerals.record(2) =
        MakePerson(QStringLiteral("関"), QStringLiteral("羽"), QStringLiteral("ｶﾝｳ"), 97);
    openGenerals.record(3) =
        MakePerson(QStringLiteral("張"), QStringLiteral("飛"), QStringLiteral("ﾁｮｳﾋ"), 98);
    openGenerals.record(4) = MakePerson(QStringLiteral("愛"), QString(), QStringLiteral("ｱｲ"), 5);
    SetSkill(openGenerals.record(2), 7, true);
    SetSkill(openGenerals.record(4), 7, true);
    openGenerals.record(3).setSetting(Setting::strategy, 7);
    openGenerals.setCount(4);
}

void addRosterRows(GeneralList* list) {
    list->showAllGenerals();
}

std::unique_ptr<GeneralList> mainList() {
    return std::make_unique<GeneralList>(
        std::make_unique<OpenFileGenerals>(ListTables::existing(), &openGenerals),
        GeneralList::Kind::Ticking);
}

std::unique_ptr<GeneralList> chooserList() {
    return std::make_unique<GeneralList>(
        std::make_unique<ExistingGeneralsSource>(ListTables::existing()),
        GeneralList::Kind::Choosing);
}

QString caption(const GeneralList& list, int column) {
    return list.model()->headerData(column, Qt::Horizontal).toString();
}

bool isBold(const GeneralList& list, int position, int column) {
    return list.rowIndex(position, column).data(Qt::FontRole).value<QFont>().bold();
}

// The colour a cell's text is drawn in: its own, or else the list's text colour.
QColor colour(const GeneralList& list, int position, int column) {
    const QVariant own = list.rowIndex(position, column).data(Qt::ForegroundRole);
    return own.isValid() ? own.value<QBrush>().color() : list.palette().color(QPalette::Text);
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
        const std::unique_ptr<GeneralList> main = mainList();
        GeneralList& mainList = *main;
        const std::unique_ptr<GeneralList> chooser = chooserList();
        GeneralList& chooserList = *chooser;
        QCOMPARE(mainList.model()->columnCount(), kListColumnCount);
        QCOMPARE(caption(mainList, 0), QStringLiteral("名前"));
        QCOMPARE(caption(mainList, 14), QStringLiteral("ﾀｲﾌﾟ"));
        QCOMPARE(caption(mainList, 27), QStringLiteral("農業"));
        QCOMPARE(caption(mainList, 68), QStringLiteral("仙人"));
        QCOMPARE(caption(mainList, 6), QStringLiteral("M5"));
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
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        QTreeWidget stock;
        stock.setFont(list.font());
        auto* captions = new QTreeWidgetItem;
        for (int column = 0; column < kListColumnCount; ++column) {
            captions->setText(column, caption(list, column));
            captions->setTextAlignment(column, GeneralList::columnAlignment(column));
        }
        stock.setHeaderItem(captions);
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
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        openGenerals.setCount(1);
        list.showAllGenerals();
        const auto alignment = [&list](int column) {
            return list.rowIndex(1, column).data(Qt::TextAlignmentRole).toInt() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(0), int(Qt::AlignLeft));
        QCOMPARE(alignment(7), int(Qt::AlignHCenter));
        QCOMPARE(alignment(8), int(Qt::AlignRight));
        QCOMPARE(alignment(30), int(Qt::AlignHCenter));
        QCOMPARE(list.rowTag(1), 1);
        QVERIFY(!(list.rowIndex(1).flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(list.rowIndex(1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

        // A click on the tick box flips it once, as a click elsewhere on the row does: the
        // view's own toggle of check boxes never adds a second flip.
        list.resize(600, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QRect rect = list.visualRect(list.rowIndex(1));
        for (int x = rect.left() + 2; x < rect.left() + 30; x += 4) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(x, rect.center().y()));
            const bool odd = (x - rect.left() - 2) / 4 % 2 == 0;
            QCOMPARE(list.isTicked(1), odd);
        }
    }

    void fillRowFromRosterAndTable() {
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        openGenerals.record(2).setBirthYear(160);
        openGenerals.record(2).setFame(350);
        openGenerals.record(2).setSetting(Setting::generalType, 1);
        openGenerals.record(2).setSetting(Setting::missionAttitude, 3);
        openGenerals.record(2).setPersonalAffinity(75);
        openGenerals.record(2).setFactionAffinity(120);  // no existing general has it
        openGenerals.marks(2).marks = {QStringLiteral("A"), QString(), QStringLiteral("C"),
                                       QString(), QStringLiteral("E")};
        GeneralRecord caoCao =
            MakeGeneral(QStringLiteral("曹"), QStringLiteral("操"), QStringLiteral("ｿｳｿｳ"), 72);
        caoCao.values.setPersonalAffinity(75);
        ListTables::addGeneral(caoCao);
        addRosterRows(&list);
        QCOMPARE(list.cellText(2, 0), QStringLiteral("関羽"));
        QCOMPARE(list.cellText(2, kKeyColumn), QStringLiteral("002"));
        QCOMPARE(list.cellText(2, 2), QStringLiteral("A"));
        QCOMPARE(list.cellText(2, 6), QStringLiteral("E"));
        QCOMPARE(list.cellText(2, 7), QStringLiteral("160"));
        QCOMPARE(list.cellText(2, 8), QStringLiteral("350"));
        QCOMPARE(list.cellText(2, kWarColumn), QStringLiteral("97"));
        QCOMPARE(list.cellText(2, 14), QStringLiteral("猛将"));
        QCOMPARE(list.cellText(2, 24), QStringLiteral("Dessk"));
        QCOMPARE(list.cellText(2, 25), QStringLiteral("曹操"));
        QCOMPARE(list.cellText(2, 26), QStringLiteral("  -"));
        QCOMPARE(list.cellText(2, kTotsugekiColumn), QStringLiteral("○"));
        QCOMPARE(list.cellText(2, kTotsugekiColumn + 1), QString());
        QCOMPARE(list.cellText(3, kStrategyColumn), QStringLiteral("不明"));

        // A chooser row: no marks even where the same index has some, zeros, code 0 labels.
        const std::unique_ptr<GeneralList> chooser = chooserList();
        openGenerals.marks(1).marks[0] = QStringLiteral("X");
        chooser->showAllGenerals();
        const auto general = [&chooser](int column) { return chooser->cellText(1, column); };
        QCOMPARE(general(0), QStringLiteral("曹操"));
        QCOMPARE(general(2), QString());
        QCOMPARE(general(7), QStringLiteral("0"));
        QCOMPARE(general(8), QStringLiteral("0"));
        QCOMPARE(general(kWarColumn), QStringLiteral("72"));
        QCOMPARE(general(14), QStringLiteral("平凡"));
        QCOMPARE(general(22), QStringLiteral("中華統一"));
        QCOMPARE(general(25), QStringLiteral("曹操"));
        QVERIFY(!chooser->rowIndex(1).data(Qt::CheckStateRole).isValid());  // no tick box here
    }

    void sortByNameAbilityAndSkill() {
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
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
        QCOMPARE(list.cellText(4, kKeyColumn), QStringLiteral("005"));
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
        QCOMPARE(list.cellText(1, kKeyColumn), QStringLiteral("7"));
        QCOMPARE(list.cellText(1, kStrategyColumn), QStringLiteral("不明"));
    }

    void keyColumnClickAndForgottenSort() {
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        addRosterRows(&list);
        qint16 last = 0;
        SortByColumn(&list, kWarColumn, last);
        const QStringList order = RowNames(&list);
        QStringList keys;
        for (int position = 1; position <= list.rowCount(); ++position) {
            keys.append(list.cellText(position, kKeyColumn));
        }
        SortByColumn(&list, kKeyColumn, last);
        QCOMPARE(RowNames(&list), order);
        QCOMPARE(last, qint16(kWarColumn));
        for (int position = 1; position <= list.rowCount(); ++position) {
            QCOMPARE(list.cellText(position, kKeyColumn), keys.at(position - 1));
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
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        addRosterRows(&list);
        qint16 last = 0;
        SortByColumn(&list, kWarColumn, last);  // 張飛, 関羽, 劉備, 愛
        list.setTicked(1, true);
        openGenerals.record(3).setAbility(1, 40);
        openGenerals.record(2).setAbility(1, 41);
        RefreshTickedRows(&list);
        QCOMPARE(list.cellText(1, kWarColumn), QStringLiteral("40"));
        QCOMPARE(list.cellText(1, kKeyColumn), QStringLiteral("003"));  // key back to index
        QCOMPARE(list.cellText(2, kWarColumn), QStringLiteral("97"));   // unticked: as it was
        QCOMPARE(RowNames(&list).first(), QStringLiteral("張飛"));      // no new sort
        QVERIFY(list.updatesEnabled());
    }

    void toggleAllTicksAndStyles() {
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        addRosterRows(&list);
        const QColor ticked(208, 64, 64);
        ToggleAllRows(&list);
        QCOMPARE(CountTickedRows(&list), 4);
        const std::array<int, 3> columns = {0, kWarColumn, kTotsugekiColumn};
        for (int position = 1; position <= list.rowCount(); ++position) {
            for (const int column : columns) {
                QVERIFY(isBold(list, position, column));
                QCOMPARE(colour(list, position, column), ticked);
            }
        }
        // One ticked row is enough for the next toggle to untick them all.
        ToggleAllRows(&list);
        list.setTicked(3, true);
        list.selectionModel()->select(list.rowIndex(3),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(!isBold(list, 3, 5));  // the look waits for the row to be styled
        StyleRow(&list, 3);
        QVERIFY(!list.isRowSelected(3));
        QVERIFY(isBold(list, 3, 5));
        QVERIFY(!isBold(list, 2, 5));
        QCOMPARE(colour(list, 2, 5), QColor(Qt::black));
        ToggleAllRows(&list);
        QCOMPARE(CountTickedRows(&list), 0);
        QVERIFY(!isBold(list, 3, 0));
        QCOMPARE(colour(list, 3, 0), QColor(Qt::black));
    }

    void drawsAsItsRolesSay() {
        // The list draws its cells from its rows directly; Qt's own delegate, reading the same
        // cells through the model's roles, must draw the very same pixels.
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
        openGenerals.marks(1).marks[0] = QStringLiteral("a\nb");
        addRosterRows(&list);
        ToggleAllRows(&list);
        list.setTicked(2, false);
        StyleRow(&list, 2);
        list.setTicked(3, false);  // ticked, not yet restyled
        list.setCurrentPosition(4);
        for (int column = 0; column < kListColumnCount; ++column) {
            list.setColumnTwips(column, GeneralList::columnTwips(column));
        }
        list.resize(3200, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QImage own = list.viewport()->grab().toImage();

        class RolesDelegate : public QStyledItemDelegate {
          public:
            explicit RolesDelegate(int height) : height_(height) {}
            QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
                return {10, height_};
            }

          private:
            int height_;
        };
        RolesDelegate roles(list.rowHeight());
        list.setItemDelegate(&roles);
        const QImage fromRoles = list.viewport()->grab().toImage();
        list.setItemDelegate(nullptr);
        QCOMPARE(own, fromRoles);
    }

    void groupTogglesSetTheirOwnColumns() {
        const std::unique_ptr<GeneralList> owned = mainList();
        GeneralList& list = *owned;
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
