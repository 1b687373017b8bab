// The generals of the open person file and the routines every window shares for them.
#pragma once

#include <QString>

#include <array>

#include "personrecord.h"

inline constexpr int kRosterCapacity = 110;

// Slots 1..110; slot i holds record i-1 of the person file. Slot 0 is never used.
using Roster = std::array<PersonRecord, kRosterCapacity + 1>;

extern Roster roster;
extern int rosterCount;

// Family name then given name, each up to its first NUL character.
QString GetPersonName(const PersonRecord& record);
inline QString GetPersonName(int index) { return GetPersonName(roster[index]); }

bool GetSkill(const PersonRecord& record, int skill);
// Sets or clears a skill; setting one applies the game's linked rules.
void SetSkill(PersonRecord& record, int skill, bool on);
inline void SetSkill(int index, int skill, bool on) { SetSkill(roster[index], skill, on); }
