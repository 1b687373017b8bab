#include "rosterchange.h"

RosterChange::RosterChange(const OpenGenerals& before, const OpenGenerals& after) {
    for (const int index : before.differences(after)) {
        entries_.push_back({index,
                            {before.record(index).bytes(), before.marks(index)},
                            {after.record(index).bytes(), after.marks(index)}});
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
        const General& state = after ? entry.after : entry.before;
        generals.record(entry.index) = PersonRecord(state.record);
        generals.marks(entry.index) = state.marks;
    }
}
