#include "birthshift.h"

#include <algorithm>
#include <limits>

namespace {

qint16 addSaturated(qint16 year, int shift) {
    const int sum = year + shift;
    return static_cast<qint16>(std::clamp(sum, int{std::numeric_limits<qint16>::min()},
                                          int{std::numeric_limits<qint16>::max()}));
}

}  // namespace

BirthYearExtremes FindBirthYearExtremes(const Roster& records, const QList<int>& targets) {
    BirthYearExtremes extremes;
    for (const int index : targets) {
        const int year = records[index].birthYear();
        // The first target opens both ends, so that years beyond the start values (data from
        // elsewhere) still name a general. Strict comparisons after that: on a tie the target
        // listed first keeps its place.
        if (extremes.earliestIndex == 0) {
            extremes = {year, index, year, index};
            continue;
        }
        if (year < extremes.earliest) {
            extremes.earliest = year;
            extremes.earliestIndex = index;
        }
        if (year > extremes.latest) {
            extremes.latest = year;
            extremes.latestIndex = index;
        }
    }
    return extremes;
}

QList<int> AllowedBirthShifts(const BirthYearExtremes& extremes) {
    QList<int> shifts;
    // Without a target the start values would offer sixty thousand meaningless shifts.
    if (extremes.earliestIndex == 0 || extremes.latestIndex == 0) {
        return shifts;
    }
    // Worked out in int: a year near the 16-bit limits must not wrap the bounds round.
    const int lowest = kEarliestBirthYear - extremes.earliest;
    const int highest = kLatestBirthYear - extremes.latest;
    for (int shift = lowest; shift <= highest; ++shift) {
        if (shift != 0) {
            shifts.append(shift);
        }
    }
    return shifts;
}

void ApplyBirthShift(Roster& records, const QList<int>& targets, int shift) {
    for (const int index : targets) {
        PersonRecord& record = records[index];
        record.setBirthYear(addSaturated(record.birthYear(), shift));
        record.setLinkedYear(addSaturated(record.linkedYear(), shift));
    }
}
