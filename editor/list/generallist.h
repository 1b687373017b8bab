// The 69-column general list shared by the main window (the open file's generals, ticked by
// clicks, drags and the space bar) and the general chooser (existing generals, one picked),
// and the routines both windows use on it.
//
// Rows are numbered by position 1..rowCount() in the order shown; a row's tag is the index of
// its general in the list's source, and its tick the check state of its first cell.
#pragma once

#include <QCheckBox>
#include <QTreeView>

#include <array>
#include <memory>
#include <optional>

#include "generalsource.h"
#include "generaltablemodel.h"
#include "model/listcolumns.h"

class FrozenNameColumn;
class QTimer;

// What every view of general rows shares: a header that measures the captions in the rows'
// font, flat rows of one height that are never edited, and sortable, fixed columns. The rows
// get the height rowHeight gives the first time a row is measured.
void SetUpListView(QTreeView* view, const QFont& font, std::function<int()> rowHeight);
// The height of a ticked row with a bold CJK name in the view's font, whatever its columns.
int ListRowHeight(const QTreeView* view);

class GeneralList : public QTreeView {
    Q_OBJECT
  public:
    enum class Kind {
        // The main window's: rows carry ticks that the user sets by pressing, dragging and the
        // space bar, with a frozen name column while the list is scrolled sideways.
        Ticking,
        // The chooser's: one row is picked by clicking it.
        Choosing,
    };
    GeneralList(std::unique_ptr<GeneralSource> source, Kind kind, QWidget* parent = nullptr);

    GeneralTableModel* generals() const { return generals_; }
    // The height of every row, in every state of the list; measured on first use.
    int rowHeight() const;

    // Shows every general of the source in index order, unticked; a drag in progress ends.
    void showAllGenerals();

    // The alignment of a column's cells and caption.
    static Qt::Alignment columnAlignment(int column);
    // The width in twips that a column's group toggle gives it (column 0: its fixed width).
    static int columnTwips(int column);
    // Shows a column at a width in twips, or hides it for 0.
    void setColumnTwips(int column, int twips);

    int rowCount() const { return generals_->rowCount(); }
    QModelIndex rowIndex(int position, int column = 0) const;
    // The position of the row at a point of the viewport; 0 for none.
    int positionAt(const QPoint& point) const;
    int rowTag(int position) const { return generals_->generalIndex(position - 1); }
    QString cellText(int position, int column) const;
    bool isTicked(int position) const { return generals_->isTicked(position - 1); }
    void setTicked(int position, bool ticked) { generals_->setTicked(position - 1, ticked); }
    bool isRowSelected(int position) const;
    // The row the keyboard is on; 0 for none.
    int currentPosition() const;
    void setCurrentPosition(int position);

    // The direction of the last sort; none before the first sort and after forgetSort().
    std::optional<Qt::SortOrder> sortDirection() const { return sortDirection_; }
    void setSortDirection(Qt::SortOrder order) { sortDirection_ = order; }
    // Also takes the sort indicator off the header.
    void forgetSort();

    // Brings a row into view up or down only: the list stays where it was scrolled sideways,
    // since a row is the same row in every column.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Made the first time the list is scrolled sideways.
    FrozenNameColumn* frozenNameColumn() const { return nameColumn_; }

  signals:
    // A left-button click ended on the list, after the list has handled it.
    void leftButtonReleased();
    // Ticking lists: a drag changed the ticks (their look is settled when it ends).
    void ticksChanged();
    // Ticking lists: a drag ended or the space bar flipped a tick; every look is settled.
    void ticksSettled();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Drag ticking: a press flips the row's tick, and the drag gives every row it covers the
    // same tick; the rows covered show highlighted until the button is released.
    bool rowsEvent(QEvent* event, const QPoint& offset);
    void pressRow(const QPoint& point);
    void dragOver(const QPoint& point, bool leftButtonHeld);
    void releaseRow(const QPoint& point);
    QPoint dragPointInside(const QPoint& point) const;
    // A drag that has left the list above or below scrolls it while the button is held.
    void followDragOutside(const QPoint& point, bool leftButtonHeld);
    void scrollDrag();
    void toggleCurrentRow();

    GeneralTableModel* generals_;
    Kind kind_;
    mutable int rowHeight_ = 0;
    std::optional<Qt::SortOrder> sortDirection_;
    FrozenNameColumn* nameColumn_ = nullptr;
    int dragAnchor_ = 0;
    bool dragValue_ = false;
    std::vector<bool> dragSnapshot_;
    QTimer* dragScroll_ = nullptr;
    QPoint dragPoint_;
};

// The rows of the given record indexes take their texts again, whatever their ticks.
void RefreshRowsOf(GeneralList* list, const QList<int>& recordIndexes);
// The ticked rows take their texts again.
void RefreshTickedRows(GeneralList* list);
int CountTickedRows(const GeneralList* list);
// The record indexes of the ticked rows, in list order.
QList<int> TickedIndexes(const GeneralList* list);
// Ticks every row when none is ticked, else unticks every row; restyles all and focuses the list.
void ToggleAllRows(GeneralList* list);
// Takes the row out of the selection and draws it bold in RGB(208, 64, 64) when ticked, else
// normal black.
void StyleRow(GeneralList* list, int position);

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
