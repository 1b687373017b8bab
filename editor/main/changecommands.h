// The list's context menu entries about what changed: "変更点を表示..." (the changes since the
// file was last read or saved, in a window that follows every edit) and "バックアップから戻す..."
// (a dated backup's generals put back as one undo step).
#pragma once

#include <QObject>

#include "model/generalchanges.h"

class ChangesWindow;
class ExistingGenerals;
class GeneralList;
class PersonFileDocument;
class QAction;
class QWidget;

class ChangeCommands : public QObject {
    Q_OBJECT
  public:
    // Adds the entries to the list's context menu.
    ChangeCommands(GeneralList* list, PersonFileDocument& document,
                   const ExistingGenerals& existing, QWidget* window);

    QAction* showChangesAction;
    QAction* restoreBackupAction;

    // The differences between the open generals and the file as last read or saved.
    GeneralChanges currentChanges() const;
    // Shows the changes window and returns at once; it stays up to date until it is closed.
    void showChanges();
    // Shows the changes window and returns when it is closed (from a question).
    void showChangesUntilClosed();
    // Lets the player choose a dated backup and puts its generals back.
    void restoreBackup();
    // Brings the row of the general at a slot into view and makes it the current row.
    void putInView(int index);

    // Made on first use.
    ChangesWindow* changesWindow() const { return changesWindow_; }

  private:
    void updateEnabled();
    ChangesWindow* makeChangesWindow();

    GeneralList* list_;
    PersonFileDocument& document_;
    const ExistingGenerals& existing_;
    QWidget* window_;
    ChangesWindow* changesWindow_ = nullptr;
};
