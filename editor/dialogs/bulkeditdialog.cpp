#include "bulkeditdialog.h"

#include <QShowEvent>

// A title and the close button, as a fixed dialog has: a window manager would otherwise offer
// to maximise a dialog that cannot grow, or to minimise it away from the window it blocks.
BulkEditDialog::BulkEditDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      list(new QListWidget(this)) {
    list->setObjectName(QStringLiteral("list"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(true);
}

void BulkEditDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        list->setFocus();
    }
}

QList<int> BulkEditDialog::targets() const {
    QList<int> indexes;
    indexes.reserve(list->count());
    for (int row = 0; row < list->count(); ++row) {
        indexes.append(list->item(row)->data(Qt::UserRole).toInt());
    }
    return indexes;
}

void BulkEditDialog::addTarget(const QString& name, int index) {
    auto* item = new QListWidgetItem(name, list);
    item->setData(Qt::UserRole, index);
}

namespace {

template <typename Control>
Control* addControl(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& geometry) {
    auto* control = new Control(caption, parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

}  // namespace

QLabel* BulkEditDialog::addLabel(QWidget* parent, const QString& name, const QString& caption,
                                 const QRect& geometry) {
    return addControl<QLabel>(parent, name, caption, geometry);
}

QCheckBox* BulkEditDialog::addCheckBox(QWidget* parent, const QString& name, const QString& caption,
                                       const QRect& geometry) {
    return addControl<QCheckBox>(parent, name, caption, geometry);
}

QPushButton* BulkEditDialog::addButton(QWidget* parent, const QString& name, const QString& caption,
                                       const QRect& geometry) {
    return addControl<QPushButton>(parent, name, caption, geometry);
}

QLabel* BulkEditDialog::placeTargetList(const QString& labelName, const QString& caption,
                                        const QRect& labelGeometry, const QRect& listGeometry) {
    QLabel* label = addLabel(this, labelName, caption, labelGeometry);
    list->setGeometry(listGeometry);
    return label;
}

QPushButton* BulkEditDialog::addOkButton(QWidget* parent, const QRect& geometry) {
    return addButton(parent, QStringLiteral("cmdOK"), QStringLiteral("OK"), geometry);
}

QPushButton* BulkEditDialog::addCancelButton(const QRect& geometry) {
    QPushButton* cancel =
        addButton(this, QStringLiteral("cmdCancel"), QStringLiteral("ｷｬﾝｾﾙ"), geometry);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return cancel;
}
