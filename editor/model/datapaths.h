// Where each data file lives: all of them in DataFolder.
#pragma once

#include <QString>

#include "../platform/appinfo.h"

inline QString MarkFilePath() { return DataFolder() + QStringLiteral("Mark.csv"); }
inline QString SkillTemplateFilePath() { return DataFolder() + QStringLiteral("Tokugi.csv"); }
inline QString SkillTemplateOriginalPath() { return DataFolder() + QStringLiteral("Tokugiorg.csv"); }
inline QString AbilityTemplateFilePath() { return DataFolder() + QStringLiteral("Capa.csv"); }
inline QString AbilityTemplateOriginalPath() { return DataFolder() + QStringLiteral("Capaorg.csv"); }
inline QString GeneralFilePath() { return DataFolder() + QStringLiteral("General.csv"); }
// Where an unreadable Mark.csv is kept before it is first replaced.
