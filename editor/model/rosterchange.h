// What one edit did to the open file's generals: their records and marks before and after, for
// the generals it changed. The main window keeps one per undo step.
#pragma once

#include <QList>

#include <vector>

#include "marks.h"
#include "personrecord.h"

// The records and marks of roster slots 1..rosterCount at one moment.
class RosterSnapshot {
  public:
    static RosterSnapshot take();

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
    void applyBefore() const { apply(false); }
    void applyAfter() const { apply(true); }

  private:
    struct Entry {
        int index;
        RosterSnapshot::General before;
        RosterSnapshot::General after;
    };
    void apply(bool after) const;

    std::vector<Entry> entries_;
};
