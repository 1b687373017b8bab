// The window "バックアップから戻す": the dated backups of the open file, newest first, with
// when each was made, its size and how many generals differ from the open ones; the chosen
// copy's differences are shown as the changes window shows them. A copy that is not a person
// file of as many generals as the open one is listed as such and cannot be chosen.
#pragma once

#include <QDialog>
#include <QList>

#include "changespanel.h"
#include "model/backupcopies.h"

class ExistingGenerals;
class PersonFileDocument;
class QPushButton;
class QTreeWidget;

class BackupChooser : public QDialog {
    Q_OBJECT
  public:
    BackupChooser(const PersonFileDocument& document, const ExistingGenerals& existing,
                  QWidget* parent = nullptr);

    // The copy chosen in the list; null when none is.
    const BackupCopy* chosenCopy() const;
    const QList<BackupCopy>& copies() const { return copies_; }

    QTreeWidget* listBackups;
    ChangesPanel* panel;
    QPushButton* cmdRestore;
    QPushButton* cmdCancel;

  private:
    void showChosen();

    const PersonFileDocument& document_;
    const ExistingGenerals& existing_;
    QList<BackupCopy> copies_;
};
