// One step of the main window's undo history: an edit of the generals, named after the command
// that made it. Undo and redo put the changed generals back and hand their indexes to refresh.
#pragma once

#include <QUndoCommand>

#include <functional>

#include "model/rosterchange.h"

class RosterEditStep : public QUndoCommand {
  public:
    using Refresh = std::function<void(const QList<int>& indexes)>;

    // The edit has already been made when the step is pushed.
    RosterEditStep(const QString& name, RosterChange change, Refresh refresh);

    void undo() override;
    void redo() override;

  private:
    RosterChange change_;
    Refresh refresh_;
    bool made_ = true;
};
