#include "rostereditstep.h"

#include <utility>

RosterEditStep::RosterEditStep(const QString& name, RosterChange change, Refresh refresh)
    : QUndoCommand(name), change_(std::move(change)), refresh_(std::move(refresh)) {}

void RosterEditStep::undo() {
    change_.applyBefore();
    refresh_(change_.indexes());
}

void RosterEditStep::redo() {
    // The stack redoes a step as it is pushed; the edit is already in place then.
    if (std::exchange(made_, false)) {
        return;
    }
    change_.applyAfter();
    refresh_(change_.indexes());
}
