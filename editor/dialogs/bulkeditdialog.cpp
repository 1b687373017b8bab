#include "bulkeditdialog.h"

BulkEditDialog::BulkEditDialog(QWidget* parent) : QDialog(parent), list(new QListWidget(this)) {
    list->setObjectName(QStringLiteral("list"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(true);
}

QList<int> BulkEditDialog::targets() const {
    QList<int> indexes;
    indexes.reserve(list->count());
    for (int row = 0; row < list->count(); ++row) {
        indexes.append(list->item(row)->data(Qt::UserRole).toInt());
    }
    return indexes;
}

void BulkEditDialog::addTarget(const QString& name, int rosterIndex) {
    auto* item = new QListWidgetItem(name, list);
    item->setData(Qt::UserRole, rosterIndex);
}
