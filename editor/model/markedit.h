// The mark edit: chosen marks of every target set to one text each.
#pragma once

#include <QList>
#include <QString>

#include <array>

#include "marks.h"

using GeneralMarks = std::array<MarkEntry, kRosterCapacity + 1>;

struct MarkEditSettings {
    std::array<bool, kMarkCount> change{};
    std::array<QString, kMarkCount> text;
};

// True when text can be stored in Mark.csv as it is: the file is code page 932 and has no
// escaping, so a double quote or a character outside code page 932 would not come back.
bool IsStorableMarkText(const QString& text);

// For every target, every changed mark becomes its text exactly (an empty text erases it).
// The entries' names are left alone.
void ApplyMarkEdit(GeneralMarks& marks, const QList<int>& targets,
                   const MarkEditSettings& settings);
