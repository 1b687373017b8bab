// The changes window over a full person file (110 generals) of which every general changed in
// every field the list shows: the differences found, the window made, filled and drawn once.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "dialogs/changeswindow.h"
#include "model/datapaths.h"
#include "model/existinggenerals.h"
#include "model/generalchanges.h"
#include "model/roster.h"

namespace {

// Every general with a name of its own and values that the edit below moves.
OpenGenerals FullFile() {
    OpenGenerals generals;
    generals.setCount(kRosterCapacity);
    for (int i = 1; i <= generals.count(); ++i) {
        PersonRecord& record = generals.record(i);
        record.bytes()[kGivenNameOffset] = static_cast<std::uint8_t>('A' + i % 26);
        record.bytes()[kGivenNameOffset + 1] = static_cast<std::uint8_t>('a' + i / 26);
        record.setBirthYear(static_cast<qint16>(150 + i % 80));
        record.setFame(static_cast<qint16>(1 + i * 4));
        for (int k = 0; k < kAbilityCount; ++k) {
            record.setAbility(k, static_cast<qint16>(1 + (i * (k + 3)) % 90));
        }
        record.setPersonalAffinity(static_cast<quint8>(1 + i % 70));
        record.setFactionAffinity(static_cast<quint8>(1 + (i * 7) % 70));
        generals.marks(i).name = GetPersonName(record);
    }
    return generals;
}

// Changes every shown field of every general: marks, birth, fame, abilities, settings,
// affinities and every skill.
OpenGenerals EditedEverywhere(const OpenGenerals& before) {
    OpenGenerals after = before;
    for (int i = 1; i <= after.count(); ++i) {
        PersonRecord& record = after.record(i);
        for (QString& mark : after.marks(i).marks) {
            mark = QStringLiteral("印");
        }
        record.setBirthYear(static_cast<qint16>(record.birthYear() + 1));
        record.setFame(static_cast<qint16>(record.fame() + 1));
        for (int k = 0; k < kAbilityCount; ++k) {
            record.setAbility(k, static_cast<qint16>(record.ability(k) + 5));
        }
        for (int k = 0; k < kSettingCount; ++k) {
            const auto field = static_cast<Setting>(k);
            record.setSetting(
                field, static_cast<quint8>((record.setting(field) + 1) % SettingCodeCount(field)));
        }
        record.setPersonalAffinity(static_cast<quint8>(record.personalAffinity() + 75));
        record.setFactionAffinity(static_cast<quint8>(record.factionAffinity() + 75));
        for (int skill = 0; skill < kSkillCount; ++skill) {
            record.setSkillByte(skill / 8, 0xFF);
        }
    }
    return after;
}

void BM_ChangesWindowOfAllGenerals(benchmark::State& state) {
    SetDataFolder(QCoreApplication::applicationDirPath());
    const ExistingGenerals existing = LoadExistingGenerals(GeneralFilePath()).generals;
    SetDataFolder(QString());
    const OpenGenerals saved = FullFile();
    const OpenGenerals edited = EditedEverywhere(saved);
    int lines = 0;
    for (auto _ : state) {
        ChangesWindow window;
        window.setChanges(GeneralChanges(saved, edited, existing));
        window.show();
        benchmark::DoNotOptimize(window.grab());
        lines = window.panel->changes().fieldCount();
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_ChangesWindowOfAllGenerals)->Unit(benchmark::kMillisecond);

}  // namespace
