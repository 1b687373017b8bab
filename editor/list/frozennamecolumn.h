// The 名前 column of a general list, laid over the list's left edge while the list is scrolled
// sideways, so that every row keeps its name in view. It shows the list's own rows (ticks,
// highlight, current row and order are the list's) and scrolls up and down with it; it never
// takes the keyboard focus.
#pragma once

#include <QTreeView>

class GeneralList;

class FrozenNameColumn : public QTreeView {
    Q_OBJECT
  public:
    explicit FrozenNameColumn(GeneralList* list);

    // A point of this column's viewport in the coordinates of the list's viewport.
    QPoint toListViewport(const QPoint& point) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow();

    GeneralList* list_;
};
