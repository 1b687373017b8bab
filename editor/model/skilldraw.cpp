#include "skilldraw.h"

#include <QVarLengthArray>

#include <algorithm>

#include "random.h"

void ApplySkillDraw(Roster& records, const QList<int>& targets, const SkillTemplate& settings,
                    RandomSource& random) {
    QVarLengthArray<qint16, kSkillCount> candidates;
    for (int skill = 0; skill < kSkillCount; ++skill) {
        if (settings.candidates[skill]) {
            candidates.append(static_cast<qint16>(skill));
        }
    }
    const int count = static_cast<int>(candidates.size());
    if (count == 0) {
        return;  // nothing to change; the dialog offers no OK without a candidate
    }
    // Counts beyond the candidates can't be given; held to them so no slot past the array is read.
    const int low = std::clamp<int>(MinOf(settings.countA, settings.countB), 0, count);
    const int high = std::clamp<int>(MaxOf(settings.countA, settings.countB), 0, count);

    for (const int index : targets) {
        ShuffleInPlace(random, candidates);
        const int drawn = RandomInt(random, low, high);
        for (int position = drawn; position < count; ++position) {
            SetSkill(records[index], candidates[position], false);
        }
        for (int position = 0; position < drawn; ++position) {
            SetSkill(records[index], candidates[position], true);
        }
    }
}
