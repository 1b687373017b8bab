// The skill draw: per target a number of the candidate skills turned on, the rest of the
// candidates turned off; skills outside the candidates change only through the linked rules.
#pragma once

#include <QList>

#include "random.h"
#include "roster.h"
#include "templates.h"

// Per target: the candidate array is shuffled (continuing from the previous target's order),
// then the count is drawn from the two counts' range; the candidates past the count are turned
// off, then those before it turned on in order, so a linked skill brought in stays on.
void ApplySkillDraw(Roster& records, const QList<int>& targets, const SkillTemplate& settings,
                    RandomSource& random);
