// The rows of a general list: one per general of a source, in the order shown, each with its
// tick and the cell texts of the list's columns. The texts are taken when the rows are made
// and when a row is refreshed, so a row shows its general as of its last refresh.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

#include "generalsource.h"
#include "model/listcolumns.h"

class GeneralTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // tickable: rows carry a tick box (the check state of their first cell).
    GeneralTableModel(std::unique_ptr<GeneralSource> source, bool tickable,
                      QObject* parent = nullptr);

    // The alignment of a column's cells and caption.
    static Qt::Alignment alignment(int column);

    const GeneralSource& source() const { return *source_; }
    bool isTickable() const { return tickable_; }
    // The font of the views; ticked rows are drawn in its bold.
    void setFont(const QFont& font);
    const QFont& boldFont() const { return boldFont_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Every role a delegate asks for at once: a redraw asks each cell for about ten.
    void multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Every general of the source, in index order, unticked.
    void showAllGenerals();
    // Rows 0..rowCount()-1 from here on.
    int generalIndex(int row) const { return rows_[row].index; }
    QString cellText(int row, int column) const;
    // The text shown in a cell (a null text for an empty cell of a general with none), without
    // a copy: a redraw reads every visible cell.
    const QString& shownText(int row, int column) const { return rows_[row].cells[column]; }
    bool isTicked(int row) const { return rows_[row].ticked; }
    void setTicked(int row, bool ticked);
    // The bold, coloured look follows the tick as of the last settle, not the live tick: while
    // a drag goes over rows the ticks change, and the look is settled when it ends.
    bool looksTicked(int row) const { return rows_[row].looksTicked; }
    void settleLook(int row);
    // Takes the cell texts of the rows that pass again from their generals.
    template <typename Wanted>
    void refreshRowsWhere(Wanted wanted) {
        int first = -1;
        int last = -1;
        for (int row = 0; row < rowCount(); ++row) {
            if (wanted(row)) {
                fill(rows_[row]);
                first = first < 0 ? row : first;
                last = row;
            }
        }
        if (first >= 0) {
            emit dataChanged(index(first, 0), index(last, kListColumnCount - 1), {Qt::DisplayRole});
        }
    }
    // Orders the rows by their texts in a column (the key column gets the sort keys) as a
    // stable sort: rows of equal key keep their order.
    void sortRows(int column, Qt::SortOrder order);

  private:
    struct Row {
        int index = 0;
        bool ticked = false;
        bool looksTicked = false;
        // Every column's text (the name first, then the key column), so a redraw makes no
        // strings.
        std::vector<QString> cells;
    };
    void fill(Row& row) const;
    QString sortKey(const Row& row, int column) const;
    QVariant roleData(const Row& row, int column, int role) const;

    std::unique_ptr<GeneralSource> source_;
    bool tickable_;
    QFont boldFont_;
    std::vector<Row> rows_;
};
