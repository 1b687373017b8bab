#include "settingsdraw.h"

#include <vector>

#include "random.h"

QList<qint16> BuildSettingPool(Setting field, const SettingChoice& choice) {
    QList<qint16> pool;
    const int codeCount = qMin(SettingCodeCount(field), kMaxSettingCodes);
    for (int code = 0; code < codeCount; ++code) {
        if (!choice.pressed[code]) {
            continue;
        }
        pool.append(static_cast<qint16>(code));
        if (choice.priority[code]) {
            pool.append(static_cast<qint16>(code));
        }
    }
    return pool;
}

void ApplyHiddenSettingsDraw(Roster& records, const QList<int>& targets,
                             const HiddenSettingsChoices& choices, RandomSource& random) {
    const qsizetype targetCount = targets.size();
    // A plain vector: the shuffle's gap closing then compiles to a straight copy loop.
    std::vector<qint16> assignment;
    for (int index = 0; index < kSettingCount; ++index) {
        const auto field = static_cast<Setting>(index);
        const SettingChoice& choice = choices[index];
        if (!choice.change) {
            continue;
        }
        QList<qint16> pool = BuildSettingPool(field, choice);
        if (pool.isEmpty()) {
            continue;
        }
        // The first shuffle decides which pool entries get the extra targets when the
        // targets do not divide evenly; the second decides who gets what.
        ShuffleInPlace(random, pool);
        assignment.resize(static_cast<std::size_t>(targetCount));
        for (qsizetype k = 0; k < targetCount; ++k) {
            assignment[static_cast<std::size_t>(k)] = pool[k % pool.size()];
        }
        ShuffleInPlace(random, assignment);
        for (qsizetype k = 0; k < targetCount; ++k) {
            records[targets[k]].setSetting(
                field, static_cast<quint8>(assignment[static_cast<std::size_t>(k)]));
        }
    }
}
