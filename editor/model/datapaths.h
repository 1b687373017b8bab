// Where each data file lives: the files the program writes in the player's data folder, the
// shipped originals where they were installed.
#pragma once

#include <QString>

#include "../platform/appinfo.h"

inline QString MarkFilePath() {
    return PlayerDataFolder() + QStringLiteral("Mark.csv");
}
inline QString SkillTemplateFilePath() {
    return PlayerDataFolder() + QStringLiteral("Tokugi.csv");
}
inline QString SkillTemplateOriginalPath() {
    return ShippedDataFolder() + QStringLiteral("Tokugiorg.csv");
}
inline QString AbilityTemplateFilePath() {
    return PlayerDataFolder() + QStringLiteral("Capa.csv");
}
inline QString AbilityTemplateOriginalPath() {
    return ShippedDataFolder() + QStringLiteral("Capaorg.csv");
}
inline QString GeneralFilePath() {
    return ShippedDataFolder() + QStringLiteral("General.csv");
}
