// The birth-year shift: every target moves by the same number of years, and the offer of
// shifts keeps every target's birth year within the years the game accepts.
#pragma once

#include <QList>

#include "roster.h"

inline constexpr int kEarliestBirthYear = 135;
inline constexpr int kLatestBirthYear = 235;

// The earliest and the latest birth year of a group, with the first target that has each.
// An empty group keeps the start values and the indexes 0.
struct BirthYearExtremes {
    int earliest = 30000;
    int earliestIndex = 0;
    int latest = -30000;
    int latestIndex = 0;
};

BirthYearExtremes FindBirthYearExtremes(const Roster& records, const QList<int>& targets);

// Every shift, in ascending order and without 0, that keeps all birth years of the group
// within kEarliestBirthYear..kLatestBirthYear. An empty group has no shifts.
QList<int> AllowedBirthShifts(const BirthYearExtremes& extremes);

// Adds the shift to birthYear and linkedYear of every target. linkedYear is not bounded by
// the offer, so both stop at the 16-bit limits instead of wrapping round.
void ApplyBirthShift(Roster& records, const QList<int>& targets, int shift);
