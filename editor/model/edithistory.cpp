#include "edithistory.h"

void EditHistory::push(std::unique_ptr<EditStep> step) {
    // Making an edit and making it again are one path.
    step->redo();
    steps_.resize(static_cast<size_t>(index_));
    steps_.push_back(std::move(step));
    if (limit_ > 0 && count() > limit_) {
        steps_.erase(steps_.begin());
    }
    index_ = count();
    emit indexChanged(index_);
}

void EditHistory::clear() {
    steps_.clear();
    index_ = 0;
    emit indexChanged(index_);
}

QString EditHistory::undoText() const {
    return canUndo() ? steps_[static_cast<size_t>(index_ - 1)]->text() : QString();
}

QString EditHistory::redoText() const {
    return canRedo() ? steps_[static_cast<size_t>(index_)]->text() : QString();
}

void EditHistory::undo() {
    if (canUndo()) {
        --index_;
        steps_[static_cast<size_t>(index_)]->undo();
        emit indexChanged(index_);
    }
}

void EditHistory::redo() {
    if (canRedo()) {
        steps_[static_cast<size_t>(index_)]->redo();
        ++index_;
        emit indexChanged(index_);
    }
}
