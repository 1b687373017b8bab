// The editor's own marks of generals (five short texts each), kept by display name in Mark.csv.
#pragma once

#include <QList>
#include <QString>

#include <array>

#include "roster.h"

// Every general ever marked, keyed by name; mirrors Mark.csv.
extern QList<MarkEntry> markTable;
// The marks of the open file's generals, by roster slot 1..110.
extern std::array<MarkEntry, kRosterCapacity + 1> generalMarks;

// Reads Mark.csv into markTable (start-up).
void LoadMarks();
// Gives roster general index the first markTable entry of its name, or empty marks.
void AttachMarks(int index);
// Merges the marks of the list's generals (roster slots 1..listRowCount) into markTable and
// writes Mark.csv, deleting it when no entry has a mark. Marks that another process wrote to
// Mark.csv meanwhile are kept, and taken into markTable and those generals, wherever this
// process did not change them.
void SaveMarks(int listRowCount);
// True when the last write of Mark.csv failed.
bool MarksWritePending();
