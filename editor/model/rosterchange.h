// What one edit did to the open file's generals: their records and marks before and after, for
// the generals it changed. The main window keeps one per undo step.
#pragma once

#include <QList>

#include <vector>

#include "marks.h"
#include "personrecord.h"

// The records and marks of the generals' slots 1..count at one moment.
class RosterSnapshot {
  public:
    static RosterSnapshot take(const OpenGenerals& generals);

  private:
    friend class RosterChange;
    struct General {
        RecordBytes record;
        MarkEntry marks;
    };
    std::vector<General> generals_;  // slot i at i - 1
};

class RosterChange {
  public:
    // Keeps the generals whose record or marks differ between the two snapshots.
    RosterChange(const RosterSnapshot& before, const RosterSnapshot& after);

    bool isEmpty() const { return entries_.empty(); }
    // The roster indexes of the changed generals, ascending.
    QList<int> indexes() const;
    // Puts the changed generals back as they were before, or as they were after.
    void applyBefore(OpenGenerals& generals) const { apply(generals, false); }
    void applyAfter(OpenGenerals& generals) const { apply(generals, true); }

  private:
    struct Entry {
        int index;
        RosterSnapshot::General before;
        RosterSnapshot::General after;
    };
    void apply(OpenGenerals& generals, bool after) const;

    std::vector<Entry> entries_;
};
