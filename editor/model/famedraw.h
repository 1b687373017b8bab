// The fame draw: a new fame from a range, on a grid of 1, 5 or 10, and 名士 dropped from every
// general left below 200.
#pragma once

#include <QList>

#include "random.h"
#include "roster.h"

enum class FameStep { one, five, ten };

struct FameDrawSettings {
    // The two ends of the range, in either order.
    int bound1 = 1;
    int bound2 = 1;
    FameStep step = FameStep::one;
};

// One draw per target, in target order.
void ApplyFameDraw(Roster& records, const QList<int>& targets, const FameDrawSettings& settings,
                   RandomSource& random);
