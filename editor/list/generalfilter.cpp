#include "generalfilter.h"

#include "frozennamecolumn.h"
#include "generallist.h"
#include "platform/widthconvert.h"

QString FindableText(const GeneralTableModel& rows, int row) {
    QString text = rows.shownText(row, 0);
    for (int column = kFirstMarkColumn; column < kFirstMarkColumn + kMarkCount; ++column) {
        text += u'\n';
        text += rows.shownText(row, column);
    }
    return ToHalfWidth(text);
}

QString FindKey(const QString& typed) {
    // A line break cannot be typed into the box, so a key never spans two fields.
    return ToHalfWidth(typed);
}

GeneralFilter::GeneralFilter(GeneralList* list) : QObject(list), list_(list) {
    GeneralTableModel* rows = list->generals();
    // A new file or the rows filled again show every row; the text still applies to them.
    connect(rows, &QAbstractItemModel::modelReset, this, &GeneralFilter::apply);
    // An edit may change a name or a mark: the rows it refreshed are judged again.
    connect(rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (isActive() && (roles.isEmpty() || roles.contains(Qt::DisplayRole))) {
                    apply();
                }
            });
}

void GeneralFilter::setText(const QString& text) {
    const QString key = FindKey(text);
    if (key != key_) {
        key_ = key;
        apply();
    }
}

bool GeneralFilter::matches(int row) const {
    return key_.isEmpty() ||
           FindableText(*list_->generals(), row).contains(key_, Qt::CaseInsensitive);
}

int GeneralFilter::shownRowCount() const {
    int count = 0;
    for (int row = 0; row < list_->rowCount(); ++row) {
        count += list_->isRowHidden(row, {}) ? 0 : 1;
    }
    return count;
}

void GeneralFilter::apply() {
    QTreeView* nameColumn = list_->frozenNameColumn();
    int firstShown = -1;
    for (int row = 0; row < list_->rowCount(); ++row) {
        const bool hide = !matches(row);
        if (list_->isRowHidden(row, {}) != hide) {
            list_->setRowHidden(row, {}, hide);
        }
        if (nameColumn != nullptr && nameColumn->isRowHidden(row, {}) != hide) {
            nameColumn->setRowHidden(row, {}, hide);
        }
        if (!hide && firstShown < 0) {
            firstShown = row;
        }
    }
    // Space must never flip the tick of a row the player cannot see.
    const int current = list_->currentPosition();
    if (current > 0 && list_->isRowHidden(current - 1, {})) {
        if (firstShown >= 0) {
            list_->setCurrentPosition(firstShown + 1);
        } else {
            list_->selectionModel()->clearCurrentIndex();
        }
    }
}
