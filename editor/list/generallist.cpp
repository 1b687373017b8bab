#include "generallist.h"

#include <QBrush>
#include <QColor>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "model/marks.h"
#include "model/roster.h"
#include "platform/twips.h"

namespace {

constexpr int kNameTwips = 1440;
constexpr int kMarkTwips = 450;
constexpr int kNumberTwips = 700;
constexpr int kWideTwips = 1200;
constexpr int kSkillTwips = 450;

const QColor kTickedColour(208, 64, 64);

struct ColumnInfo {
    Qt::Alignment alignment;
    int twips;
};

const std::array<ColumnInfo, kListColumnCount>& columns() {
    static const auto table = [] {
        const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
        const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        std::array<ColumnInfo, kListColumnCount> result;
        result[0] = {left, kNameTwips};
        result[kKeyColumn] = {centre, 0};
        for (int k = 0; k < kMarkCount; ++k) {
            result[kFirstMarkColumn + k] = {centre, kMarkTwips};
        }
        result[kBirthColumn] = {centre, kNumberTwips};
        result[kFameColumn] = {right, kNumberTwips};
        for (int k = 0; k < kAbilityCount; ++k) {
            result[kFirstAbilityColumn + k] = {right, kNumberTwips};
        }
        for (int column = kFirstSettingColumn; column <= kLastSettingColumn; ++column) {
            const bool wide = SettingOfColumn(column) == Setting::strategy;
            result[column] = {left, wide ? kWideTwips : kNumberTwips};
        }
        result[kPersonalAffinityColumn] = {left, kWideTwips};
        result[kFactionAffinityColumn] = {left, kWideTwips};
        for (int skill = 0; skill < kSkillCount; ++skill) {
            result[kFirstSkillColumn + skill] = {centre, kSkillTwips};
        }
        return result;
    }();
    return table;
}

QFont listFont() {
    const QString fixedSys = QStringLiteral("FixedSys");
    // An installed family of that name: hasFamily() would first ask the font configuration
    // for an alias of it, a lookup that start-up can do without.
    if (QFontDatabase::families().contains(fixedSys, Qt::CaseInsensitive)) {
        return QFont(fixedSys);
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

// "000": at least three digits, the sign in front.
QString atLeastThreeDigits(int value) {
    const QString digits = QString::number(std::abs(value)).rightJustified(3, u'0');
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

const PersonRecord& recordOf(int index, bool isRoster, const ExistingGenerals& existing) {
    return isRoster ? roster[index] : existing.at(index).values;
}

QString sortKey(const QTreeWidgetItem* row, int column, const GeneralList* list) {
    const bool isRoster = list->isRoster();
    const int index = GeneralList::rowTag(row);
    if (column == 0) {
        return isRoster ? roster[index].reading() : list->existingGenerals().at(index).reading;
    }
    if (column >= kBirthColumn && column < kFirstSettingColumn) {
        const QString shown = row->text(column);
        bool isNumber = false;
        const int value = shown.toInt(&isNumber);
        return isNumber ? atLeastThreeDigits(value) : shown;
    }
    const PersonRecord& record = recordOf(index, isRoster, list->existingGenerals());
    if (column >= kFirstSettingColumn && column <= kLastSettingColumn) {
        return QString::number(record.setting(SettingOfColumn(column)));
    }
    if (column == kPersonalAffinityColumn) {
        return atLeastThreeDigits(record.personalAffinity());
    }
    if (column == kFactionAffinityColumn) {
        return atLeastThreeDigits(record.factionAffinity());
    }
    // Marks and skills sort by what they show.
    return row->text(column);
}

// Changes the widths of a run of columns with one redraw, then hands the list the focus.
void setGroupShown(GeneralList* list, int first, int last, bool show) {
    list->setUpdatesEnabled(false);
    for (int column = first; column <= last; ++column) {
        list->setColumnTwips(column, show ? GeneralList::columnTwips(column) : 0);
    }
    list->setUpdatesEnabled(true);
    list->setFocus();
}

// The lists' header measures its captions in the list's own font. Qt's own header measures
// them in bold, ready for highlighted sections, which these lists never draw: loading bold
// fonts only to measure took a good share of the editor's start-up.
class ListHeader : public QHeaderView {
  public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

  protected:
    QSize sectionSizeFromContents(int logicalIndex) const override {
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logicalIndex);
        option.fontMetrics = fontMetrics();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }
};

// Gives every row one height. The view would measure a row from the columns in view, and
// without the name column (its tick box, its bold CJK names) that is less when the list is
// scrolled sideways; a frozen column laid over the list would then drift off its rows.
class FixedRowHeightDelegate : public QStyledItemDelegate {
  public:
    FixedRowHeightDelegate(int rowHeight, QObject* parent)
        : QStyledItemDelegate(parent), rowHeight_(rowHeight) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_};
    }

  private:
    int rowHeight_;
};

}  // namespace

int ListRowHeight(const QTreeView* view) {
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasCheckIndicator;
    option.checkState = Qt::Checked;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Kanji and half-width kana come from fallback fonts taller than the list's own.
    option.text = QStringLiteral("髙ｶﾞAgy");
    int height = 0;
    for (const bool bold : {false, true}) {
        option.font = view->font();
        option.font.setBold(bold);
        option.fontMetrics = QFontMetrics(option.font);
        height =
            std::max(height, view->style()
                                 ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view)
                                 .height());
    }
    return height;
}

int SetUpListView(QTreeView* view, const QFont& font, int rowHeight) {
    // Header and font come first: a font change makes the header measure every column again.
    view->setHeader(new ListHeader(view));
    view->setFont(font);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (rowHeight <= 0) {
        rowHeight = ListRowHeight(view);
    }
    view->setItemDelegate(new FixedRowHeightDelegate(rowHeight, view));
    QHeaderView* header = view->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    return rowHeight;
}

void GeneralListItem::setStyledTicked(bool ticked) {
    if (styledTicked_ != ticked) {
        styledTicked_ = ticked;
        emitDataChanged();
    }
}

QVariant GeneralListItem::data(int column, int role) const {
    switch (role) {
        case Qt::TextAlignmentRole:
            return static_cast<int>(GeneralList::columnAlignment(column));
        case Qt::FontRole:
            if (styledTicked_) {
                QFont font = treeWidget() != nullptr ? treeWidget()->font() : listFont();
                font.setBold(true);
                return font;
            }
            break;
        case Qt::ForegroundRole:
            return QBrush(styledTicked_ ? kTickedColour : QColor(Qt::black));
        default:
            break;
    }
    return QTreeWidgetItem::data(column, role);
}

bool GeneralListItem::operator<(const QTreeWidgetItem& other) const {
    return text(kKeyColumn) < other.text(kKeyColumn);
}

GeneralList::GeneralList(bool isRoster, const ExistingGenerals& existing, QWidget* parent)
    : QTreeWidget(parent), isRoster_(isRoster), existing_(existing) {
    rowHeight_ = SetUpListView(this, listFont());
    setColumnCount(kListColumnCount);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* captions = new QTreeWidgetItem;
    for (int column = 0; column < kListColumnCount; ++column) {
        captions->setText(column, ListColumnCaption(column));
        captions->setTextAlignment(column, columnAlignment(column));
    }
    setHeaderItem(captions);
    header()->setMinimumSectionSize(1);
    // No column shows the sort indicator until the list is sorted.
    header()->setSortIndicator(-1, Qt::AscendingOrder);

    // The starting columns: the main window shows birth, fame and abilities; the chooser
    // abilities and affinities.
    for (int column = 0; column < kListColumnCount; ++column) {
        bool shown = column == 0;
        if (isRoster_) {
            shown = shown || (column >= kBirthColumn && column < kFirstSettingColumn);
        } else {
            shown = shown || (column >= kFirstAbilityColumn && column < kFirstSettingColumn) ||
                    column == kPersonalAffinityColumn || column == kFactionAffinityColumn;
        }
        setColumnTwips(column, shown ? columnTwips(column) : 0);
    }
}

void GeneralList::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit leftButtonReleased();
    }
}

GeneralListItem* GeneralList::newRow(const QString& name, int recordIndex) const {
    auto* row = new GeneralListItem;
    // Not user-checkable: the windows decide every tick.
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    row->setText(0, name);
    row->setData(0, Qt::UserRole, recordIndex);
    if (isRoster_) {
        row->setCheckState(0, Qt::Unchecked);
    }
    return row;
}

QTreeWidgetItem* GeneralList::addRow(const QString& name, int recordIndex) {
    GeneralListItem* row = newRow(name, recordIndex);
    addTopLevelItem(row);
    return row;
}

Qt::Alignment GeneralList::columnAlignment(int column) {
    if (column < 0 || column >= kListColumnCount) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return columns()[column].alignment;
}

int GeneralList::columnTwips(int column) {
    return column >= 0 && column < kListColumnCount ? columns()[column].twips : 0;
}

void GeneralList::setColumnTwips(int column, int twips) {
    if (column == kKeyColumn || column < 0 || column >= kListColumnCount) {
        setColumnHidden(kKeyColumn, true);
        return;
    }
    if (twips <= 0) {
        setColumnHidden(column, true);
        return;
    }
    setColumnHidden(column, false);
    setColumnWidth(column, Twips(twips));
}

void GeneralList::forgetSort() {
    sortDirection_.reset();
    header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void GeneralList::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTreeWidget::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

int GeneralList::rowTag(const QTreeWidgetItem* row) {
    return row->data(0, Qt::UserRole).toInt();
}

bool GeneralList::isTicked(const QTreeWidgetItem* row) {
    return row->checkState(0) == Qt::Checked;
}

void GeneralList::setTicked(QTreeWidgetItem* row, bool ticked) {
    row->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void FillRow(QTreeWidgetItem* row, bool isRoster, const ExistingGenerals& existing) {
    const int index = GeneralList::rowTag(row);
    const PersonRecord& record = recordOf(index, isRoster, existing);
    row->setText(kKeyColumn, atLeastThreeDigits(index));
    // Rows of existing generals carry no marks: their mark cells stay as they are.
    const MarkEntry* marks = isRoster ? &generalMarks[index] : nullptr;
    for (int column = isRoster ? kFirstMarkColumn : kBirthColumn; column < kListColumnCount;
         ++column) {
        row->setText(column, ListCellText(record, marks, column, existing));
    }
}

namespace {

// FillRow for the rows that pass, with one redraw at the end.
template <typename Wanted>
void refreshRowsWhere(GeneralList* list, Wanted wanted) {
    list->setUpdatesEnabled(false);
    {
        // The one redraw at the end covers every cell, so the list need not hear of each
        // change: the notices cost more than the changes themselves.
        const QSignalBlocker quiet(list->model());
        for (int position = 1; position <= list->rowCount(); ++position) {
            QTreeWidgetItem* row = list->rowAt(position);
            if (wanted(row)) {
                FillRow(row, list->isRoster(), list->existingGenerals());
            }
        }
    }
    list->setUpdatesEnabled(true);
    list->viewport()->update();
}

}  // namespace

void RefreshTickedRows(GeneralList* list) {
    refreshRowsWhere(list, [](const QTreeWidgetItem* row) { return GeneralList::isTicked(row); });
}

void RefreshRowsOf(GeneralList* list, const QList<int>& recordIndexes) {
    const QSet<int> wanted(recordIndexes.begin(), recordIndexes.end());
    refreshRowsWhere(list, [&wanted](const QTreeWidgetItem* row) {
        return wanted.contains(GeneralList::rowTag(row));
    });
}

QList<int> TickedIndexes(const GeneralList* list) {
    QList<int> indexes;
    for (int position = 1; position <= list->rowCount(); ++position) {
        const QTreeWidgetItem* row = list->rowAt(position);
        if (GeneralList::isTicked(row)) {
            indexes.append(GeneralList::rowTag(row));
        }
    }
    return indexes;
}

int CountTickedRows(const GeneralList* list) {
    int count = 0;
    for (int position = 1; position <= list->rowCount(); ++position) {
        if (GeneralList::isTicked(list->rowAt(position))) {
            ++count;
        }
    }
    return count;
}

void ToggleAllRows(GeneralList* list) {
    const bool tick = CountTickedRows(list) == 0;
    list->setUpdatesEnabled(false);
    for (int position = 1; position <= list->rowCount(); ++position) {
        QTreeWidgetItem* row = list->rowAt(position);
        GeneralList::setTicked(row, tick);
        StyleRow(row);
    }
    list->setUpdatesEnabled(true);
    list->setFocus();
}

void StyleRow(QTreeWidgetItem* row) {
    row->setSelected(false);
    const bool ticked = GeneralList::isTicked(row);
    if (row->type() == GeneralListItem::kType) {
        static_cast<GeneralListItem*>(row)->setStyledTicked(ticked);
        return;
    }
    // A row made elsewhere carries its look cell by cell.
    for (int column = 0; column < kListColumnCount; ++column) {
        QFont font = row->treeWidget() != nullptr ? row->treeWidget()->font() : listFont();
        font.setBold(ticked);
        row->setFont(column, font);
        row->setForeground(column, QBrush(ticked ? kTickedColour : QColor(Qt::black)));
    }
}

QString SkillMark(int index, int skill) {
    return SkillMarkText(roster[index], skill);
}

void ShowMarkColumns(GeneralList* list, bool show) {
    setGroupShown(list, kFirstMarkColumn, kFirstMarkColumn + kMarkCount - 1, show);
}

void ShowBirthFameColumns(GeneralList* list, bool show) {
    setGroupShown(list, kBirthColumn, kFameColumn, show);
}

void ShowAbilityColumns(GeneralList* list, bool show) {
    setGroupShown(list, kFirstAbilityColumn, kFirstAbilityColumn + kAbilityCount - 1, show);
}

void ShowSettingColumns(GeneralList* list, bool show) {
    setGroupShown(list, kFirstSettingColumn, kLastSettingColumn, show);
}

void ShowAffinityColumns(GeneralList* list, bool show) {
    setGroupShown(list, kPersonalAffinityColumn, kFactionAffinityColumn, show);
}

void ShowSkillColumns(GeneralList* list, int group, bool show) {
    if (group < 0 || group >= kSkillGroupCount) {
        return;
    }
    const int first = kFirstSkillColumn + kSkillsPerGroup * group;
    setGroupShown(list, first, first + kSkillsPerGroup - 1, show);
}

void SortByColumn(GeneralList* list, int column, qint16& lastSortColumn) {
    if (column == kKeyColumn || column < 0 || column >= kListColumnCount) {
        return;
    }
    for (int position = 1; position <= list->rowCount(); ++position) {
        QTreeWidgetItem* row = list->rowAt(position);
        row->setText(kKeyColumn, sortKey(row, column, list));
    }
    Qt::SortOrder order;
    const std::optional<Qt::SortOrder> direction = list->sortDirection();
    if (column == lastSortColumn && direction.has_value()) {
        order = *direction == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
    } else {
        lastSortColumn = static_cast<qint16>(column);
        order = column == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    list->setSortDirection(order);
    list->sortItems(kKeyColumn, order);
    // Rows sort by the hidden key column; the header shows the column the user sorted by.
    list->header()->setSortIndicator(column, order);
}

QString SkillGroupCaption(int group) {
    static const std::array<QString, kSkillGroupCount> captions = {
        QStringLiteral("内政"), QStringLiteral("戦闘"), QStringLiteral("計略"),
        QStringLiteral("一騎"), QStringLiteral("舌戦"), QStringLiteral("称号")};
    return group >= 0 && group < kSkillGroupCount ? captions[group] : QString();
}

QCheckBox* AddColumnGroupBox(QWidget* parent, const QString& name, const QString& caption,
                             const QRect& geometry, bool ticked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setChecked(ticked);
    return box;
}

void ConnectColumnGroupBoxes(GeneralList* list, const ColumnGroupBoxes& boxes) {
    const auto connectBox = [list](QCheckBox* box, void (*toggle)(GeneralList*, bool)) {
        QObject::connect(box, &QCheckBox::clicked, list,
                         [list, toggle](bool on) { toggle(list, on); });
    };
    connectBox(boxes.marks, ShowMarkColumns);
    connectBox(boxes.birthFame, ShowBirthFameColumns);
    connectBox(boxes.abilities, ShowAbilityColumns);
    connectBox(boxes.settings, ShowSettingColumns);
    connectBox(boxes.affinities, ShowAffinityColumns);
    for (int group = 0; group < kSkillGroupCount; ++group) {
        QObject::connect(boxes.skillGroups[group], &QCheckBox::clicked, list,
                         [list, group](bool on) { ShowSkillColumns(list, group, on); });
    }
}

bool FitListToWindow(GeneralList* list, const QWidget* window, int minWidth, int minHeight) {
    const QRect outer = window->frameGeometry();
    const int newWidth = PixelsToTwips(outer.width()) - PixelsToTwips(list->x()) - 200;
    const int newHeight = PixelsToTwips(outer.height()) - PixelsToTwips(list->y()) - 600;
    if (newWidth < minWidth || newHeight < minHeight) {
        return false;
    }
    list->resize(Twips(newWidth), Twips(newHeight));
    return true;
}
