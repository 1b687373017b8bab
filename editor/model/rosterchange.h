// What one edit did to the open file's generals: their records and marks before and after, for
// the generals it changed. The document keeps one per undo step.
#pragma once

#include <QList>

#include <vector>

#include "marks.h"
#include "personrecord.h"

class RosterChange {
  public:
    // Keeps the generals whose record or marks differ between the two; both hold as many.
    RosterChange(const OpenGenerals& before, const OpenGenerals& after);

    bool isEmpty() const { return entries_.empty(); }
    // The roster indexes of the changed generals, ascending.
    QList<int> indexes() const;
    // Puts the changed generals back as they were before, or as they were after.
    void applyBefore(OpenGenerals& generals) const { apply(generals, false); }
    void applyAfter(OpenGenerals& generals) const { apply(generals, true); }

  private:
    struct General {
        RecordBytes record;
        MarkEntry marks;
    };
    struct Entry {
        int index;
        General before;
        General after;
    };
    void apply(OpenGenerals& generals, bool after) const;

    std::vector<Entry> entries_;
};
