// The common shape of the bulk edit dialogs: a modal dialog with the target list `list`, one
// row per ticked general (text = display name, Qt::UserRole = roster index), filled by the
// main window before the dialog is shown.
#pragma once

#include <QDialog>
#include <QList>
#include <QListWidget>

class BulkEditDialog : public QDialog {
    Q_OBJECT
public:
    explicit BulkEditDialog(QWidget* parent = nullptr);

    QListWidget* list;

    // The roster indexes of the rows of list, first to last.
    QList<int> targets() const;
    // Adds one target row.
    void addTarget(const QString& name, int rosterIndex);
};
