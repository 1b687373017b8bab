// The ability draw with a total limit and the skill draw, each for a full file of 110 generals.
#include <benchmark/benchmark.h>

#include "model/abilitydraw.h"
#include "model/random.h"
#include "model/skilldraw.h"

namespace {

QList<int> everyGeneral() {
    QList<int> targets;
    for (int index = 1; index <= kRosterCapacity; ++index) {
        targets.append(index);
    }
    return targets;
}

void LimitedAbilityDraw110(benchmark::State& state) {
    Roster records;
    const QList<int> targets = everyGeneral();
    AbilityTemplate settings;
    // All five abilities over wide ranges, the total anywhere between the sums: many passes.
    for (int ability = 0; ability < kAbilityCount; ++ability) {
        settings.valueA[ability] = 1;
        settings.valueB[ability] = 100;
    }
    settings.totalA = 5;
    settings.totalB = 500;
    ClockSeededSource source;
    for (auto _ : state) {
        ApplyAbilityDraw(records, targets, settings, source);
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(LimitedAbilityDraw110)->Unit(benchmark::kMicrosecond);

void SkillDraw110(benchmark::State& state) {
    Roster records;
    const QList<int> targets = everyGeneral();
    SkillTemplate settings;
    settings.candidates.fill(true);
    settings.countA = 0;
    settings.countB = kSkillCount;
    ClockSeededSource source;
    for (auto _ : state) {
        ApplySkillDraw(records, targets, settings, source);
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(SkillDraw110)->Unit(benchmark::kMicrosecond);

}  // namespace
