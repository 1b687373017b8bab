// The editor's own marks of generals (five short texts each), kept by display name in Mark.csv.
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

#include "roster.h"

// Every general ever marked, keyed by name; mirrors Mark.csv.
extern QList<MarkEntry> markTable;

// What went wrong with Mark.csv, as the player is told it.
struct MarkFileError {
    enum class Failure { Read, Write };
    QString file;
    Failure failure = Failure::Read;
    // "Mark.csvの読み込みに失敗しました" or "Mark.csvの保存に失敗しました".
    QString message() const;
};

// Reads Mark.csv into markTable (start-up). An error when the file exists but cannot be read
// whole; markTable then keeps what was read of it.
std::optional<MarkFileError> LoadMarks();
// Gives general index of generals the first markTable entry of its name, or empty marks.
void AttachMarks(OpenGenerals& generals, int index);
// Merges the marks of the generals into markTable and writes Mark.csv, deleting it when no
// entry has a mark. Marks that another process wrote to Mark.csv meanwhile are kept, and taken
// into markTable and those generals, wherever this process did not change them. An error when
// Mark.csv could not be written.
std::optional<MarkFileError> SaveMarks(OpenGenerals& generals);
// True when the last write of Mark.csv failed.
bool MarksWritePending();
