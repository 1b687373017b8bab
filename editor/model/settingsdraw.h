// The hidden-settings draw: the candidate values of a setting are spread evenly over the
// targets, a priority value counting twice, and then dealt out in random order.
#pragma once

#include <QList>

#include <array>

#include "random.h"
#include "roster.h"

// The most codes any coded setting has (タイプ).
inline constexpr int kMaxSettingCodes = 6;

// The choices for one setting. A code counts only while it is pressed; its priority is kept
// but ignored while it is not.
struct SettingChoice {
    bool change = false;
    std::array<bool, kMaxSettingCodes> pressed{};
    std::array<bool, kMaxSettingCodes> priority{};
};

// Indexed by Setting.
using HiddenSettingsChoices = std::array<SettingChoice, kSettingCount>;

// The codes to deal, in code order: each pressed code once, twice in a row with priority.
QList<qint16> BuildSettingPool(Setting field, const SettingChoice& choice);

// Settings from generalType to missionAttitude; for each changed one with a non-empty pool,
// the pool is shuffled, repeated to the number of targets, shuffled again and dealt to the
// targets in order. No linked rule runs.
void ApplyHiddenSettingsDraw(Roster& records, const QList<int>& targets,
                             const HiddenSettingsChoices& choices, RandomSource& random);
