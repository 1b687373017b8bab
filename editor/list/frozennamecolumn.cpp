#include "frozennamecolumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include "generallist.h"

FrozenNameColumn::FrozenNameColumn(GeneralList* list) : QTreeView(list), list_(list) {
    setObjectName(QStringLiteral("frozenNameColumn"));
    // Before the model, so that the caption is measured once, as the list's is. The rows take
    // the list's height, so each name stays level with its row.
    SetUpListView(this, list->font(), [list] { return list->rowHeight(); });
    setModel(list->model());
    setSelectionModel(list->selectionModel());
    setSelectionMode(list->selectionMode());
    setSelectionBehavior(list->selectionBehavior());
    setVerticalScrollMode(list->verticalScrollMode());
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    for (int column = 1; column < kListColumnCount; ++column) {
        setColumnHidden(column, true);
    }
    // The rows a find has hidden in the list; the find hides them in both from then on.
    for (int row = 0; row < list->rowCount(); ++row) {
        setRowHidden(row, {}, list->isRowHidden(row, {}));
    }
    header()->setSortIndicator(list->header()->sortIndicatorSection(),
                               list->header()->sortIndicatorOrder());

    QScrollBar* ownBar = verticalScrollBar();
    QScrollBar* listBar = list->verticalScrollBar();
    connect(listBar, &QScrollBar::valueChanged, ownBar, &QScrollBar::setValue);
    connect(ownBar, &QScrollBar::valueChanged, listBar, &QScrollBar::setValue);
    // The column lays out its rows only once shown: take the list's position again then.
    connect(ownBar, &QScrollBar::rangeChanged, this,
            [ownBar, listBar] { ownBar->setValue(listBar->value()); });
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &FrozenNameColumn::follow);
    connect(list->header(), &QHeaderView::sectionResized, this, &FrozenNameColumn::follow);
    connect(list->header(), &QHeaderView::sortIndicatorChanged, header(),
            &QHeaderView::setSortIndicator);
    list->installEventFilter(this);
    follow();
}

QPoint FrozenNameColumn::toListViewport(const QPoint& point) const {
    QPoint mapped = list_->viewport()->mapFrom(list_, viewport()->mapTo(list_, point));
    // By the row rather than by the pixel: a press on a name acts on that name's row.
    const QModelIndex index = indexAt(point);
    if (index.isValid()) {
        mapped.setY(list_->visualRect(index).top() + point.y() - visualRect(index).top());
    }
    return mapped;
}

bool FrozenNameColumn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                             event->type() == QEvent::LayoutRequest)) {
        follow();
    }
    return QTreeView::eventFilter(watched, event);
}

// Covers the list's name column from the top of its header to the bottom of its rows, and
// only while the list is scrolled sideways (else the list shows the column itself).
void FrozenNameColumn::follow() {
    const int width = list_->columnWidth(0);
    setColumnWidth(0, width);
    header()->setFixedHeight(list_->header()->height());
    const QRect rows = list_->viewport()->geometry();
    setGeometry(rows.left(), list_->header()->geometry().top(), width,
                rows.bottom() + 1 - list_->header()->geometry().top());
    verticalScrollBar()->setValue(list_->verticalScrollBar()->value());
    setVisible(list_->horizontalScrollBar()->value() > 0);
}
