#include "abilitydraw.h"

#include <QVarLengthArray>

#include <cmath>

#include "random.h"

namespace {

constexpr int kLowestValue = 1;
constexpr int kHighestValue = 100;
constexpr int kIntelligence = 2;
constexpr int kGunshiIntelligence = 70;

int clampValue(int value) {
    return MinOf(MaxOf(value, kLowestValue), kHighestValue);
}

}  // namespace

bool IsAbilityChosen(const AbilityTemplate& settings, int ability) {
    return settings.valueA[ability] > 0;
}

int AbilityLow(const AbilityTemplate& settings, int ability) {
    return clampValue(MinOf(settings.valueA[ability], settings.valueB[ability]));
}

int AbilityHigh(const AbilityTemplate& settings, int ability) {
    return clampValue(MaxOf(settings.valueA[ability], settings.valueB[ability]));
}

int RoundHalfToEven(double value) {
    // Written out rather than left to the floating-point environment's rounding mode.
    const double below = std::floor(value);
    const double fraction = value - below;
    auto result = static_cast<int>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

void DrawAbilitiesFree(Roster& records, const QList<int>& targets, const AbilityTemplate& settings,
                       RandomSource& random) {
    for (int ability = 0; ability < kAbilityCount; ++ability) {
        if (!IsAbilityChosen(settings, ability)) {
            continue;
        }
        const int low = AbilityLow(settings, ability);
        const int high = AbilityHigh(settings, ability);
        for (const int index : targets) {
            records[index].setAbility(ability, RandomInt(random, low, high));
        }
    }
}

void DrawAbilitiesWithinTotal(Roster& records, const QList<int>& targets,
                              const AbilityTemplate& settings, RandomSource& random) {
    int totalLow = MinOf(settings.totalA, settings.totalB);
    int totalHigh = MaxOf(settings.totalA, settings.totalB);

    QVarLengthArray<qint16, kAbilityCount> chosen;
    std::array<int, kAbilityCount> span{};
    int spanSum = 0;
    for (int ability = 0; ability < kAbilityCount; ++ability) {
        if (!IsAbilityChosen(settings, ability)) {
            continue;
        }
        chosen.append(static_cast<qint16>(ability));
        const int low = AbilityLow(settings, ability);
        span[ability] = AbilityHigh(settings, ability) - low;
        spanSum += span[ability];
        for (const int index : targets) {
            records[index].setAbility(ability, static_cast<qint16>(low));
        }
        totalLow -= low;
        totalHigh -= low;
    }
    // The dialog only offers totals between the sums of the lows and the highs. A total outside
    // them (a hand-edited template) could never be reached and the passes would not end, so it
    // is held to what the ranges can give.
    totalLow = MinOf(MaxOf(totalLow, 0), spanSum);
    totalHigh = MinOf(MaxOf(totalHigh, 0), spanSum);

    for (const int index : targets) {
        PersonRecord& record = records[index];
        std::array<int, kAbilityCount> added{};
        std::array<int, kAbilityCount> raw{};
        const int amount = RandomInt(random, totalLow, totalHigh);
        int remaining = amount;
        // The portions shrink with the amount, so that a small amount is not used up by the
        // first abilities of a pass. Equal ends fix the amount; any scale reaches it then.
        const double scale =
            totalHigh > totalLow
                ? static_cast<double>(MaxOf(amount - totalLow, 1)) / (totalHigh - totalLow)
                : 1.0;
        while (remaining > 0) {
            ShuffleInPlace(random, chosen);

            bool firstWithRoom = true;
            for (const qint16 ability : chosen) {
                const int room = span[ability] - added[ability];
                if (room > 0) {
                    raw[ability] = RandomInt(random, 0, room);
                    if (firstWithRoom) {
                        raw[ability] = MaxOf(raw[ability], 1);
                        firstWithRoom = false;
                    }
                } else {
                    raw[ability] = 0;
                }
            }
            if (firstWithRoom) {
                break;  // no room left anywhere; only a clamped total can get here
            }

            int given = 0;
            for (const qint16 ability : chosen) {
                int step = RoundHalfToEven(raw[ability] * scale);
                step = MaxOf(step, 1);
                step = MinOf(step, remaining - given);
                step = MinOf(step, span[ability] - added[ability]);
                record.setAbility(ability, static_cast<qint16>(record.ability(ability) + step));
                added[ability] += step;
                given += step;
            }
            remaining -= given;
        }
    }
}

void ApplyIntelligenceRule(Roster& records, const QList<int>& targets) {
    for (const int index : targets) {
        if (records[index].ability(kIntelligence) < kGunshiIntelligence) {
            SetSkill(records[index], Skill::gunshi, false);
        }
    }
}

void ApplyAbilityDraw(Roster& records, const QList<int>& targets, const AbilityTemplate& settings,
                      RandomSource& random) {
    if (settings.totalA > 0) {
        DrawAbilitiesWithinTotal(records, targets, settings, random);
    } else {
        DrawAbilitiesFree(records, targets, settings, random);
    }
    ApplyIntelligenceRule(records, targets);
}
