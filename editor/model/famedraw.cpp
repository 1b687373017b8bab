#include "famedraw.h"

#include <cmath>

#include "random.h"

namespace {

constexpr int kMeishiFame = 200;

int drawFame(int low, int high, FameStep step, RandomSource& random) {
    if (step == FameStep::one) {
        return RandomInt(random, low, high);
    }
    const int grid = step == FameStep::five ? 5 : 10;
    // The bounds are 1 or multiples of 10, so the nearest grid point is never a tie; the
    // bound 1 becomes grid point 0, and a drawn 0 becomes the lowest fame, 1.
    const int a = static_cast<int>(std::lround(static_cast<double>(low) / grid));
    const int b = static_cast<int>(std::lround(static_cast<double>(high) / grid));
    const int fame = grid * RandomInt(random, a, b);
    return fame < 1 ? 1 : fame;
}

}  // namespace

void ApplyFameDraw(Roster& records, const QList<int>& targets, const FameDrawSettings& settings,
                   RandomSource& random) {
    const int low = qMin(settings.bound1, settings.bound2);
    const int high = qMax(settings.bound1, settings.bound2);
    for (const int index : targets) {
        const int fame = drawFame(low, high, settings.step, random);
        PersonRecord& record = records[index];
        record.setFame(static_cast<qint16>(fame));
        if (fame < kMeishiFame) {
            SetSkill(record, Skill::meishi, false);
        }
    }
}
