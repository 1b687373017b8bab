#include "rosterchange.h"

#include <algorithm>

RosterSnapshot RosterSnapshot::take(const OpenGenerals& generals) {
    RosterSnapshot snapshot;
    const int count = generals.count();
    snapshot.generals_.reserve(count);
    for (int index = 1; index <= count; ++index) {
        snapshot.generals_.push_back({generals.record(index).bytes(), generals.marks(index)});
    }
    return snapshot;
}

RosterChange::RosterChange(const RosterSnapshot& before, const RosterSnapshot& after) {
    const size_t count = std::min(before.generals_.size(), after.generals_.size());
    for (size_t i = 0; i < count; ++i) {
        const RosterSnapshot::General& was = before.generals_[i];
        const RosterSnapshot::General& is = after.generals_[i];
        if (was.record != is.record || was.marks != is.marks) {
            entries_.push_back({static_cast<int>(i) + 1, was, is});
        }
    }
}

QList<int> RosterChange::indexes() const {
    QList<int> result;
    result.reserve(static_cast<qsizetype>(entries_.size()));
    for (const Entry& entry : entries_) {
        result.append(entry.index);
    }
    return result;
}

void RosterChange::apply(OpenGenerals& generals, bool after) const {
    for (const Entry& entry : entries_) {
        const RosterSnapshot::General& state = after ? entry.after : entry.before;
        generals.record(entry.index) = PersonRecord(state.record);
        generals.marks(entry.index) = state.marks;
    }
}
