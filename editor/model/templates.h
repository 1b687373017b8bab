// The named settings of the ability editor and the skill editor, kept in Capa.csv and
// Tokugi.csv. Entry 0 of each list is the fixed "no template" entry.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

#include "personrecord.h"

struct AbilityTemplate {
    QString name;
    // Per ability: both 0 when the ability is not part of the settings, else the two ends
    // (1..100) of its range, in either order.
    std::array<qint16, kAbilityCount> valueA{};
    std::array<qint16, kAbilityCount> valueB{};
    // Both 0 when there is no limit on the total, else its two ends in either order.
    qint16 totalA = 0;
    qint16 totalB = 0;
    bool operator==(const AbilityTemplate&) const = default;
};

struct SkillTemplate {
    QString name;
    qint16 countA = 0;
    qint16 countB = 0;
    std::array<bool, kSkillCount> candidates{};
    bool operator==(const SkillTemplate&) const = default;
};

extern QList<AbilityTemplate> abilityTemplates;
extern QList<SkillTemplate> skillTemplates;

// Fill the lists from Tokugi.csv / Capa.csv, copying Tokugiorg.csv / Capaorg.csv into place
// first when the file is missing. A failure is reported to the user.
void LoadSkillTemplates();
void LoadAbilityTemplates();

// Write the whole list back, replacing the file whole or leaving it as it was. Templates that
// another process wrote to the file since it was read are kept: they join the list. A failure is
// reported to the user; returns whether the file was written.
bool SaveSkillTemplates();
bool SaveAbilityTemplates();
// Writes again each list whose last write failed; the names of the files that still failed.
QStringList SavePendingTemplates();
