// The mark edit: chosen marks of every target set to one text each.
#pragma once

#include <QList>
#include <QString>

#include <array>

#include "marks.h"

struct MarkEditSettings {
    std::array<bool, kMarkCount> change{};
    std::array<QString, kMarkCount> text;
};

// For every target, every changed mark becomes its text exactly (an empty text erases it).
// The entries' names are left alone.
void ApplyMarkEdit(GeneralMarks& marks, const QList<int>& targets,
                   const MarkEditSettings& settings);
