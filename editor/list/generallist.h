// The 69-column general list shared by the main window (roster rows) and the general chooser
// (existing-generals rows), and the routines both windows use on it.
//
// A row's text (column 0) is the general's display name, its tag (Qt::UserRole of column 0) the
// record index, and its tick the check state of column 0. The tick box is drawn but the list
// never flips it by itself: the windows decide every tick.
#pragma once

#include <QCheckBox>
#include <QTreeWidget>

#include <array>

#include <optional>

#include "model/listcolumns.h"

// What every view of general rows shares: a header that measures the captions in the rows'
// font, flat rows of one height that are never edited, and sortable, fixed columns. The rows
// get rowHeight, or when it is 0 the height of the tallest row the view's font can show;
// returns the height they got.
int SetUpListView(QTreeView* view, const QFont& font, int rowHeight = 0);
// The height of a ticked row with a bold CJK name in the view's font, whatever its columns.
int ListRowHeight(const QTreeView* view);

// A row of the general list. Its alignments come from its column, and its bold, coloured look
// follows the tick it had at the last StyleRow, not the live tick: while the main window drags
// over rows the ticks change, and the look is settled when the drag ends.
class GeneralListItem : public QTreeWidgetItem {
  public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    GeneralListItem() : QTreeWidgetItem(kType) {}

    bool styledTicked() const { return styledTicked_; }
    void setStyledTicked(bool ticked);

    QVariant data(int column, int role) const override;
    // Rows sort by the text of the key column, compared as plain text.
    bool operator<(const QTreeWidgetItem& other) const override;

  private:
    bool styledTicked_ = false;
};

class GeneralList : public QTreeWidget {
    Q_OBJECT
  public:
    // isRoster: rows are roster slots (main window) rather than existing generals (chooser).
    // The existing generals outlive the list.
    GeneralList(bool isRoster, const ExistingGenerals& existing, QWidget* parent = nullptr);

    bool isRoster() const { return isRoster_; }
    const ExistingGenerals& existingGenerals() const { return existing_; }
    // The height of every row, in every state of the list.
    int rowHeight() const { return rowHeight_; }

    // Appends a row with the given text and record index, unticked; it is not filled.
    QTreeWidgetItem* addRow(const QString& name, int recordIndex);
    // A row that belongs to no list yet: filling rows before adding them all at once spares
    // the list a change notice per cell.
    GeneralListItem* newRow(const QString& name, int recordIndex) const;

    // The alignment of a column's cells and caption.
    static Qt::Alignment columnAlignment(int column);
    // The width in twips that a column's group toggle gives it (column 0: its fixed width).
    static int columnTwips(int column);
    // Shows a column at a width in twips, or hides it for 0.
    void setColumnTwips(int column, int twips);
    // Rows by position 1..rowCount(), in the order shown.
    int rowCount() const { return topLevelItemCount(); }
    QTreeWidgetItem* rowAt(int position) const { return topLevelItem(position - 1); }

    static int rowTag(const QTreeWidgetItem* row);
    static bool isTicked(const QTreeWidgetItem* row);
    static void setTicked(QTreeWidgetItem* row, bool ticked);

    // The direction of the last sort; none before the first sort and after forgetSort().
    std::optional<Qt::SortOrder> sortDirection() const { return sortDirection_; }
    void setSortDirection(Qt::SortOrder order) { sortDirection_ = order; }
    // Also takes the sort indicator off the header.
    void forgetSort();

    // Brings a row into view up or down only: the list stays where it was scrolled sideways,
    // since a row is the same row in every column.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  signals:
    // A left-button click ended on the list, after the list has handled it.
    void leftButtonReleased();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool isRoster_;
    const ExistingGenerals& existing_;
    int rowHeight_ = 0;
    std::optional<Qt::SortOrder> sortDirection_;
};

// Writes columns 1..68 of one row from its record (roster slot or existing-generals row, by
// the row's tag).
void FillRow(QTreeWidgetItem* row, bool isRoster, const ExistingGenerals& existing);
// FillRow for every ticked row, redrawing the list once.
void RefreshTickedRows(GeneralList* list);
// FillRow for the rows of the given record indexes, whatever their ticks, redrawing once.
void RefreshRowsOf(GeneralList* list, const QList<int>& recordIndexes);
int CountTickedRows(const GeneralList* list);
// The record indexes of the ticked rows, in list order.
QList<int> TickedIndexes(const GeneralList* list);
// Ticks every row when none is ticked, else unticks every row; restyles all and focuses the list.
void ToggleAllRows(GeneralList* list);
// Takes the row out of the selection and draws it bold in RGB(208, 64, 64) when ticked, else
// normal black.
void StyleRow(QTreeWidgetItem* row);

QString SkillMark(int index, int skill);

// Column-group toggles: the group's columns get their width when show is true, 0 otherwise.
void ShowMarkColumns(GeneralList* list, bool show);
void ShowBirthFameColumns(GeneralList* list, bool show);
void ShowAbilityColumns(GeneralList* list, bool show);
void ShowSettingColumns(GeneralList* list, bool show);
void ShowAffinityColumns(GeneralList* list, bool show);
void ShowSkillColumns(GeneralList* list, int group, bool show);

// Sorts by a clicked column; lastSortColumn is the window's own remembered column.
void SortByColumn(GeneralList* list, int column, qint16& lastSortColumn);

// The check boxes with which a window shows and hides the column groups of its list.
struct ColumnGroupBoxes {
    QCheckBox* marks;
    QCheckBox* birthFame;
    QCheckBox* abilities;
    QCheckBox* settings;
    QCheckBox* affinities;
    std::array<QCheckBox*, kSkillGroupCount> skillGroups;
};

// The caption of a skill group's box: "内政", "戦闘", "計略", "一騎", "舌戦", "称号".
QString SkillGroupCaption(int group);
QCheckBox* AddColumnGroupBox(QWidget* parent, const QString& name, const QString& caption,
                             const QRect& geometry, bool ticked);
// A click on a box calls its group toggle with show = the box's new tick.
void ConnectColumnGroupBoxes(GeneralList* list, const ColumnGroupBoxes& boxes);

// The resize rule of both windows: the list takes the window's outer size less the list's
// left and top and 200 × 600 twips of room, but only while that is at least minWidth ×
// minHeight twips; a smaller window leaves the list as it was. Returns whether it resized.
bool FitListToWindow(GeneralList* list, const QWidget* window, int minWidth, int minHeight);
