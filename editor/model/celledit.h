// One value of one general set exactly, as the list edits a cell in place: the range each
// column allows (the editors' own), and the rules the record routines keep when it changes.
#pragma once

#include <QString>
#include <QVariant>

#include "roster.h"

enum class CellEditKind { None, Number, Label, Skill, Mark };

// How a column of the general list is edited in place; None for the name, key and affinities.
CellEditKind CellEditKindOf(int column);
// The smallest and largest number of a Number column.
int CellEditMinimum(int column);
int CellEditMaximum(int column);

// The undo step's name: the column's caption, then "を変更" ("統率を変更").
QString CellEditStepName(int column);

// The cell's value as the editor starts from it: the number, the label's code, the skill's
// state or the mark's text.
QVariant CellEditValue(const OpenGenerals& generals, int index, int column);

// Sets general index's value of column: a number within the column's range, a label's code, a
// skill on or off (bringing the skills it needs), a mark's text. Fame below 200 drops 名士 and
// 知力 below 70 drops 軍師; the birth year takes the linked year along. Values out of range are
// brought within it.
void ApplyCellEdit(OpenGenerals& generals, int index, int column, const QVariant& value);
