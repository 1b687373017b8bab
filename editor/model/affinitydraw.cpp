#include "affinitydraw.h"

#include "random.h"

namespace {

constexpr int kAffinityCircle = 149;

using AffinitySetter = void (PersonRecord::*)(quint8);

void drawAffinity(Roster& records, const QList<int>& targets, const AffinitySpread& affinity,
                  AffinitySetter setAffinity, RandomSource& random) {
    if (!affinity.enabled || affinity.centre == 0) {
        return;
    }
    for (const int index : targets) {
        const int offset = RandomInt(random, 0, 2 * affinity.spread) - affinity.spread;
        const int value = WrapAffinity(affinity.centre + offset);
        (records[index].*setAffinity)(static_cast<quint8>(value));
    }
}

}  // namespace

int WrapAffinity(int value) {
    if (value <= 0) {
        return value + kAffinityCircle;
    }
    if (value > kAffinityCircle) {
        return value - kAffinityCircle;
    }
    return value;
}

void ApplyAffinityDraw(Roster& records, const QList<int>& targets,
                       const AffinityDrawSettings& settings, RandomSource& random) {
    drawAffinity(records, targets, settings.personal, &PersonRecord::setPersonalAffinity, random);
    drawAffinity(records, targets, settings.faction, &PersonRecord::setFactionAffinity, random);
}
