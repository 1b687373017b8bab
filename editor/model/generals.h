// The game's existing generals, read from General.csv: they name affinity values and serve as
// affinity centres.
#pragma once

#include <QList>
#include <QString>

#include "personrecord.h"

inline constexpr int kMaxGenerals = 1000;

struct GeneralRecord {
    QString familyName;   // padded with spaces
    QString givenName;    // padded with spaces
    QString reading;      // half-width, 11 characters, padded with spaces
    PersonRecord values;  // abilities and both affinities; every other field zero
};

// Rows 1..generalCount; index 0 is never used.
extern QList<GeneralRecord> generals;
extern int generalCount;

// Family name then given name, each up to its first space.
QString GetGeneralName(int row);

// Whether the half-width readings are wanted: the list shows them; the command line, which
// only names affinities, leaves them empty and is spared their conversion.
enum class GeneralReadings { halfWidth, notNeeded };

// Reads General.csv into generals (no file: an empty table, no message) and works out the
// affinity representatives.
void LoadGenerals(GeneralReadings readings = GeneralReadings::halfWidth);

// Works out, once, the general that stands for every affinity value; LoadGenerals calls it,
// tests that fill the table by hand call it too.
void ComputeAffinityRepresentatives();

// The display name of the general that stands for an affinity value (which: 0 faction,
// 1 personal), or "  -".
QString AffinityRepresentative(int value, int which);
