#include "generallist.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QSet>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>

#include "frozennamecolumn.h"
#include "platform/twips.h"

namespace {

constexpr int kNameTwips = 1440;
constexpr int kMarkTwips = 450;
constexpr int kNumberTwips = 700;
constexpr int kWideTwips = 1200;
constexpr int kSkillTwips = 450;
// How often a drag outside the list scrolls it by one row.
constexpr int kDragScrollMilliseconds = 50;

const std::array<int, kListColumnCount>& columnWidths() {
    static const auto table = [] {
        std::array<int, kListColumnCount> result{};
        result[0] = kNameTwips;
        for (int k = 0; k < kMarkCount; ++k) {
            result[kFirstMarkColumn + k] = kMarkTwips;
        }
        for (int column = kBirthColumn; column < kFirstSettingColumn; ++column) {
            result[column] = kNumberTwips;
        }
        for (int column = kFirstSettingColumn; column <= kLastSettingColumn; ++column) {
            result[column] =
                SettingOfColumn(column) == Setting::strategy ? kWideTwips : kNumberTwips;
        }
        result[kPersonalAffinityColumn] = kWideTwips;
        result[kFactionAffinityColumn] = kWideTwips;
        for (int skill = 0; skill < kSkillCount; ++skill) {
            result[kFirstSkillColumn + skill] = kSkillTwips;
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
// scrolled sideways; a frozen column laid over the list would then drift off its rows. The
// height is asked for only when the first row is measured: an empty list needs none, and
// measuring it loads the bold faces of the fonts.
class FixedRowHeightDelegate : public QStyledItemDelegate {
  public:
    FixedRowHeightDelegate(std::function<int()> rowHeight, QObject* parent)
        : QStyledItemDelegate(parent), rowHeight_(std::move(rowHeight)) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_()};
    }

  protected:
    // The cells of the general rows are read straight from their rows: the roles the base
    // class asks for one by one would build a bold font and its metrics anew for every ticked
    // cell drawn, and looking up its faces again took most of what the list's redraw cost
    // over a plain one. The option comes out as the base class makes it from the roles.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        const auto* rows = qobject_cast<const GeneralTableModel*>(index.model());
        if (rows == nullptr || !index.isValid()) {
            QStyledItemDelegate::initStyleOption(option, index);
            return;
        }
        const int row = index.row();
        const int column = index.column();
        option->index = index;
        if (rows->looksTicked(row)) {
            takeTickedLook(option, rows);
        }
        option->displayAlignment = GeneralTableModel::alignment(column);
        if (rows->isTickable() && column == 0) {
            option->features |= QStyleOptionViewItem::HasCheckIndicator;
            option->checkState = rows->isTicked(row) ? Qt::Checked : Qt::Unchecked;
        }
        option->features |= QStyleOptionViewItem::HasDisplay;
        option->text = rows->shownText(row, column);
        if (option->text.contains(u'\n')) {
            option->text.replace(u'\n', QChar::LineSeparator);
        }
        option->backgroundBrush = QBrush();
        option->styleObject = nullptr;
    }

  private:
    // The bold font with its metrics and the palette with the ticked colour, made once for
    // the view's font and palette and shared by every ticked cell.
    void takeTickedLook(QStyleOptionViewItem* option, const GeneralTableModel* rows) const {
        if (!tickedFontMetrics_ || !option->font.isCopyOf(viewFont_)) {
            viewFont_ = option->font;
            tickedFont_ = rows->boldFont().resolve(option->font);
            tickedFontMetrics_.emplace(tickedFont_);
        }
        const QBrush brush = qvariant_cast<QBrush>(rows->data(option->index, Qt::ForegroundRole));
        if (!option->palette.isCopyOf(viewPalette_) || brush != textBrush_) {
            viewPalette_ = option->palette;
            textBrush_ = brush;
            colouredPalette_ = option->palette;
            colouredPalette_.setBrush(QPalette::Text, brush);
        }
        const QPalette::ColorGroup group = option->palette.currentColorGroup();
        option->palette = colouredPalette_;
        option->palette.setCurrentColorGroup(group);
        option->font = tickedFont_;
        option->fontMetrics = *tickedFontMetrics_;
    }

    std::function<int()> rowHeight_;
    mutable QFont viewFont_;
    mutable QFont tickedFont_;
    mutable std::optional<QFontMetrics> tickedFontMetrics_;
    mutable QPalette viewPalette_;
    mutable QBrush textBrush_;
    mutable QPalette colouredPalette_;
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

void SetUpListView(QTreeView* view, const QFont& font, std::function<int()> rowHeight) {
    // Header and font come first: a font change makes the header measure every column again.
    view->setHeader(new ListHeader(view));
    view->setFont(font);
    // Rows are drawn in black, ticked ones in their own colour.
    QPalette palette = view->palette();
    palette.setColor(QPalette::Text, Qt::black);
    view->setPalette(palette);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setItemDelegate(new FixedRowHeightDelegate(std::move(rowHeight), view));
    QHeaderView* header = view->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
}

GeneralList::GeneralList(std::unique_ptr<GeneralSource> source, Kind kind, QWidget* parent)
    : QTreeView(parent), kind_(kind) {
    const QFont font = listFont();
    SetUpListView(this, font, [this] { return rowHeight(); });
    generals_ = new GeneralTableModel(std::move(source), kind == Kind::Ticking, this);
    generals_->setFont(font);
    setModel(generals_);
    header()->setMinimumSectionSize(1);
    // No column shows the sort indicator until the list is sorted.
    header()->setSortIndicator(-1, Qt::AscendingOrder);

    // The starting columns: the main window shows birth, fame and abilities; the chooser
    // abilities and affinities.
    for (int column = 0; column < kListColumnCount; ++column) {
        bool shown = column == 0;
        if (kind_ == Kind::Ticking) {
            shown = shown || (column >= kBirthColumn && column < kFirstSettingColumn);
        } else {
            shown = shown || (column >= kFirstAbilityColumn && column < kFirstSettingColumn) ||
                    column == kPersonalAffinityColumn || column == kFactionAffinityColumn;
        }
        setColumnTwips(column, shown ? columnTwips(column) : 0);
    }

    setSelectionBehavior(QAbstractItemView::SelectRows);
    if (kind_ == Kind::Choosing) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        return;
    }
    // Presses are the list's own (drag ticking): the highlight only shows the rows a drag
    // takes in.
    setSelectionMode(QAbstractItemView::MultiSelection);
    viewport()->installEventFilter(this);
    // A move without the button held must be seen too: it ends a drag whose release was not.
    viewport()->setMouseTracking(true);
    // The frozen name column is only needed once the list is scrolled sideways.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value > 0 && nameColumn_ == nullptr) {
            nameColumn_ = new FrozenNameColumn(this);
            nameColumn_->viewport()->installEventFilter(this);
            // A click on its caption is a click on the list's.
            connect(nameColumn_->header(), &QHeaderView::sectionClicked, header(),
                    &QHeaderView::sectionClicked);
        }
    });
    dragScroll_ = new QTimer(this);
    dragScroll_->setInterval(kDragScrollMilliseconds);
    connect(dragScroll_, &QTimer::timeout, this, &GeneralList::scrollDrag);
}

int GeneralList::rowHeight() const {
    if (rowHeight_ == 0) {
        rowHeight_ = ListRowHeight(this);
    }
    return rowHeight_;
}

void GeneralList::showAllGenerals() {
    dragAnchor_ = 0;
    if (dragScroll_ != nullptr) {
        dragScroll_->stop();
    }
    generals_->showAllGenerals();
}

void GeneralList::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit leftButtonReleased();
    }
}

Qt::Alignment GeneralList::columnAlignment(int column) {
    if (column < 0 || column >= kListColumnCount) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return GeneralTableModel::alignment(column);
}

int GeneralList::columnTwips(int column) {
    return column >= 0 && column < kListColumnCount ? columnWidths()[column] : 0;
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

QModelIndex GeneralList::rowIndex(int position, int column) const {
    return generals_->index(position - 1, column);
}

int GeneralList::positionAt(const QPoint& point) const {
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() + 1 : 0;
}

QString GeneralList::cellText(int position, int column) const {
    return generals_->cellText(position - 1, column);
}

bool GeneralList::isRowSelected(int position) const {
    return selectionModel()->isRowSelected(position - 1, QModelIndex());
}

int GeneralList::currentPosition() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void GeneralList::setCurrentPosition(int position) {
    selectionModel()->setCurrentIndex(rowIndex(position), QItemSelectionModel::NoUpdate);
}

void GeneralList::forgetSort() {
    sortDirection_.reset();
    header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void GeneralList::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTreeView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

// --- Ticking -------------------------------------------------------------------------------

bool GeneralList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && rowsEvent(event, QPoint())) {
        return true;
    }
    // The frozen name column is part of the list: its rows are the list's rows.
    if (nameColumn_ != nullptr && watched == nameColumn_->viewport() &&
        rowsEvent(event, nameColumn_->toListViewport(QPoint()))) {
        return true;
    }
    return QTreeView::eventFilter(watched, event);
}

// Mouse events on the rows; offset takes the event's point into the list's viewport.
bool GeneralList::rowsEvent(QEvent* event, const QPoint& offset) {
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (mouse == nullptr) {
        return false;
    }
    const QPoint point = mouse->position().toPoint() + offset;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (mouse->button() == Qt::LeftButton) {
                pressRow(point);
            }
            return true;  // the view never ticks or selects by itself
        case QEvent::MouseMove:
            dragOver(point, mouse->buttons().testFlag(Qt::LeftButton));
            return true;
        case QEvent::MouseButtonRelease:
            if (mouse->button() == Qt::LeftButton) {
                releaseRow(point);
            }
            return true;
        default:
            return false;
    }
}

void GeneralList::pressRow(const QPoint& point) {
    const int position = positionAt(point);
    if (position == 0) {
        return;
    }
    dragSnapshot_.assign(rowCount() + 1, false);
    for (int i = 1; i <= rowCount(); ++i) {
        dragSnapshot_[i] = isTicked(i);
    }
    dragAnchor_ = position;
    dragValue_ = !dragSnapshot_[position];
    // The keyboard goes on from the pressed row.
    setCurrentPosition(position);
    dragOver(point, true);
}

void GeneralList::dragOver(const QPoint& point, bool leftButtonHeld) {
    if (dragAnchor_ < 1) {
        return;
    }
    followDragOutside(point, leftButtonHeld);
    const int current = positionAt(dragPointInside(point));
    if (current == 0) {
        return;
    }
    const int first = std::min(dragAnchor_, current);
    const int last = std::max(dragAnchor_, current);
    for (int i = 1; i <= rowCount(); ++i) {
        // Rows hidden by a find between the two ends are not the drag's.
        const bool covered = i >= first && i <= last && !isRowHidden(i - 1, {});
        setTicked(i, covered ? dragValue_ : (i < int(dragSnapshot_.size()) && dragSnapshot_[i]));
    }
    selectionModel()->select(QItemSelection(rowIndex(first), rowIndex(last)),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit ticksChanged();
    if (!leftButtonHeld) {
        // The release happened outside the window: end the drag here.
        releaseRow(point);
        clearSelection();
    }
}

void GeneralList::releaseRow(const QPoint& point) {
    dragOver(point, true);
    dragAnchor_ = 0;
    dragScroll_->stop();
    for (int i = 1; i <= rowCount(); ++i) {
        StyleRow(this, i);
    }
    emit ticksSettled();
}

// Above or below the rows, the drag takes the nearest row in view, as a selection drag does.
QPoint GeneralList::dragPointInside(const QPoint& point) const {
    const int height = viewport()->height();
    if (point.y() >= 0 && point.y() < height) {
        return point;
    }
    const QHeaderView* columns = header();
    const int right = std::min(viewport()->width(), columns->length() - columns->offset());
    return {std::clamp(point.x(), 0, std::max(0, right - 1)),
            std::clamp(point.y(), 0, std::max(0, height - 1))};
}

void GeneralList::followDragOutside(const QPoint& point, bool leftButtonHeld) {
    dragPoint_ = point;
    const bool outside = point.y() < 0 || point.y() >= viewport()->height();
    if (!leftButtonHeld || !outside) {
        dragScroll_->stop();
    } else if (!dragScroll_->isActive()) {
        dragScroll_->start();
    }
}

void GeneralList::scrollDrag() {
    if (dragAnchor_ < 1) {
        dragScroll_->stop();
        return;
    }
    verticalScrollBar()->triggerAction(dragPoint_.y() < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
    dragOver(dragPoint_, QGuiApplication::mouseButtons().testFlag(Qt::LeftButton));
}

void GeneralList::keyPressEvent(QKeyEvent* event) {
    if (kind_ == Kind::Ticking) {
        if (event->matches(QKeySequence::SelectAll)) {
            return;  // the highlight only ever shows a drag
        }
        if (event->key() == Qt::Key_Space) {
            toggleCurrentRow();
            return;
        }
    }
    QTreeView::keyPressEvent(event);  // the view moves its current row itself
}

void GeneralList::toggleCurrentRow() {
    const int position = currentPosition();
    if (position == 0 || dragAnchor_ > 0) {
        return;
    }
    setTicked(position, !isTicked(position));
    StyleRow(this, position);
    emit ticksSettled();
}

// --- Routines of both windows ----------------------------------------------------------------

void RefreshTickedRows(GeneralList* list) {
    const GeneralTableModel* rows = list->generals();
    list->generals()->refreshRowsWhere([rows](int row) { return rows->isTicked(row); });
}

void RefreshRowsOf(GeneralList* list, const QList<int>& recordIndexes) {
    const QSet<int> wanted(recordIndexes.begin(), recordIndexes.end());
    const GeneralTableModel* rows = list->generals();
    list->generals()->refreshRowsWhere(
        [rows, &wanted](int row) { return wanted.contains(rows->generalIndex(row)); });
}

QList<int> TickedIndexes(const GeneralList* list) {
    QList<int> indexes;
    for (int position = 1; position <= list->rowCount(); ++position) {
        if (list->isTicked(position)) {
            indexes.append(list->rowTag(position));
        }
    }
    return indexes;
}

int CountTickedRows(const GeneralList* list) {
    int count = 0;
    for (int position = 1; position <= list->rowCount(); ++position) {
        count += list->isTicked(position) ? 1 : 0;
    }
    return count;
}

void ToggleAllRows(GeneralList* list) {
    const bool tick = CountTickedRows(list) == 0;
    list->setUpdatesEnabled(false);
    for (int position = 1; position <= list->rowCount(); ++position) {
        list->setTicked(position, tick);
        StyleRow(list, position);
    }
    list->setUpdatesEnabled(true);
    list->setFocus();
}

void StyleRow(GeneralList* list, int position) {
    if (list->isRowSelected(position)) {
        list->selectionModel()->select(list->rowIndex(position),
                                       QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
    list->generals()->settleLook(position - 1);
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
    Qt::SortOrder order;
    const std::optional<Qt::SortOrder> direction = list->sortDirection();
    if (column == lastSortColumn && direction.has_value()) {
        order = *direction == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
    } else {
        lastSortColumn = static_cast<qint16>(column);
        order = column == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    list->setSortDirection(order);
    list->generals()->sortRows(column, order);
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
