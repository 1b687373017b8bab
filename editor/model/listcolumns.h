// The columns of the general list: their order, their captions and the text of each cell. The
// list fills its rows from here and the spreadsheet export writes the same texts, so a sheet
// shows every general exactly as the list does.
#pragma once

#include <QString>

#include "existinggenerals.h"
#include "marks.h"
#include "personrecord.h"

inline constexpr int kListColumnCount = 69;
inline constexpr int kKeyColumn = 1;
inline constexpr int kFirstMarkColumn = 2;
inline constexpr int kBirthColumn = 7;
inline constexpr int kFameColumn = 8;
inline constexpr int kFirstAbilityColumn = 9;
inline constexpr int kFirstSettingColumn = 14;
inline constexpr int kLastSettingColumn = 24;
inline constexpr int kPersonalAffinityColumn = 25;
inline constexpr int kFactionAffinityColumn = 26;
inline constexpr int kFirstSkillColumn = 27;
inline constexpr int kSkillGroupCount = 6;
inline constexpr int kSkillsPerGroup = 7;

QString ListColumnCaption(int column);

// The coded field that a column of kFirstSettingColumn..kLastSettingColumn shows.
Setting SettingOfColumn(int column);

// "○" for a set skill, else the empty text.
QString SkillMarkText(const PersonRecord& record, int skill);

// The text of a cell of the columns after the key column. marks is null for rows that carry
// no marks (existing generals); their mark cells are empty. The affinity columns name the
// existing general standing for the value.
QString ListCellText(const PersonRecord& record, const MarkEntry* marks, int column,
                     const ExistingGenerals& existing);
