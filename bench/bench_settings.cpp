// The hidden-settings apply at its largest: every general of a full file, all eleven settings.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/random.h"
#include "model/settingsdraw.h"

namespace {

void BM_HiddenSettingsFullFile(benchmark::State& state) {
    auto records = std::make_unique<Roster>();
    QList<int> targets;
    for (int index = 1; index <= kRosterCapacity; ++index) {
        targets.append(index);
    }
    HiddenSettingsChoices choices;
    for (SettingChoice& choice : choices) {
        choice.change = true;
        choice.pressed.fill(true);
        // One priority per setting makes the pools a little longer than the plain value lists.
        choice.priority[0] = true;
    }
    ClockSeededSource source;
    source.Seed(1);
    for (auto _ : state) {
        ApplyHiddenSettingsDraw(*records, targets, choices, source);
        benchmark::DoNotOptimize(records->data());
    }
}
BENCHMARK(BM_HiddenSettingsFullFile)->Unit(benchmark::kMicrosecond);

}  // namespace
