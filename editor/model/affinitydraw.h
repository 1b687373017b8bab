// The affinity draw: every target gets the centre's affinity moved by a random amount within
// the spread, wrapped onto the game's circle of affinity values.
#pragma once

#include <QList>

#include "random.h"
#include "roster.h"

inline constexpr int kMaxAffinitySpread = 74;

// One affinity to draw. A centre of 0 means no centre was chosen; such an affinity is skipped.
struct AffinitySpread {
    bool enabled = false;
    int centre = 0;  // 0..255
    int spread = 0;  // 0..74: values centre - spread .. centre + spread
};

struct AffinityDrawSettings {
    AffinitySpread personal;
    AffinitySpread faction;
};

// One wrapping step onto the circle 1..149. Centres above 149 come from General.csv as they
// are; one step leaves them on 1..180, still a byte.
int WrapAffinity(int value);

// Draws every personal affinity first, then every faction affinity, one draw per target and
// affinity (a spread of 0 draws too, so the random sequence does not depend on the spread).
void ApplyAffinityDraw(Roster& records, const QList<int>& targets,
                       const AffinityDrawSettings& settings, RandomSource& random);
