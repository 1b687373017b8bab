// The ability draws: each chosen ability drawn freely within its range, or a total drawn first
// and spread over the chosen abilities in random portions, each staying within its range.
#pragma once

#include <QList>

#include "random.h"
#include "roster.h"
#include "templates.h"

// An ability takes part in a draw when its first end is set; its range is its two ends in
// either order, kept within 1..100.
bool IsAbilityChosen(const AbilityTemplate& settings, int ability);
int AbilityLow(const AbilityTemplate& settings, int ability);
int AbilityHigh(const AbilityTemplate& settings, int ability);

// The integer nearest to value; a half goes to the even neighbour.
int RoundHalfToEven(double value);

// Ability by ability, and within an ability target by target: one draw from its range.
void DrawAbilitiesFree(Roster& records, const QList<int>& targets, const AbilityTemplate& settings,
                       RandomSource& random);

// Every chosen ability starts at its low; per target an amount D within the total range (less
// the lows) is drawn and given out in passes over the chosen abilities in shuffled order.
// Per target the draws come as: D, then per pass the shuffle followed by one draw per chosen
// ability that still has room, in the shuffled order. The shuffled order carries over from
// pass to pass and from target to target.
void DrawAbilitiesWithinTotal(Roster& records, const QList<int>& targets,
                              const AbilityTemplate& settings, RandomSource& random);

// 軍師 needs 知力 70: turns the skill off on every target below that.
void ApplyIntelligenceRule(Roster& records, const QList<int>& targets);

// The whole of the ability editor's OK: the draw that the settings ask for (with the total
// limit when total A is set), then the intelligence rule.
void ApplyAbilityDraw(Roster& records, const QList<int>& targets, const AbilityTemplate& settings,
                      RandomSource& random);
