// The generals of the open person file and the routines every window shares for them.
#pragma once

#include <QList>
#include <QString>

#include <array>

#include "personrecord.h"

inline constexpr int kRosterCapacity = VRX_MAX_RECORDS;

// Slots 1..110; slot i holds record i-1 of the person file. Slot 0 is never used.
using Roster = std::array<PersonRecord, kRosterCapacity + 1>;

inline constexpr int kMarkCount = 5;

// The editor's own marks of one general (five short texts), kept by display name in Mark.csv.
struct MarkEntry {
    QString name;
    std::array<QString, kMarkCount> marks;
    // True when all five marks are empty, whatever the name.
    bool isEmpty() const;
    bool operator==(const MarkEntry&) const = default;
};

// The marks of the open file's generals, by roster slot.
using GeneralMarks = std::array<MarkEntry, kRosterCapacity + 1>;

// The generals of an open person file: its records with their marks, slots 1..count().
class OpenGenerals {
  public:
    int count() const { return count_; }
    // Keeps slots 1..count (clamped to 0..kRosterCapacity); the slots past it are emptied.
    void setCount(int count);

    PersonRecord& record(int index) { return records_[index]; }
    const PersonRecord& record(int index) const { return records_[index]; }
    MarkEntry& marks(int index) { return marks_[index]; }
    const MarkEntry& marks(int index) const { return marks_[index]; }
    Roster& records() { return records_; }
    const Roster& records() const { return records_; }
    GeneralMarks& allMarks() { return marks_; }
    const GeneralMarks& allMarks() const { return marks_; }

    // True when slot index holds the same record as in other.
    bool sameRecord(const OpenGenerals& other, int index) const;
    // True when both hold the same count and the same records (marks aside).
    bool sameRecords(const OpenGenerals& other) const;
    // The slots whose record or marks differ from other's, ascending; other must hold as many.
    QList<int> differences(const OpenGenerals& other) const;

  private:
    Roster records_{};
    GeneralMarks marks_{};
    int count_ = 0;
};

// Family name then given name, each up to its first NUL character.
QString GetPersonName(const PersonRecord& record);

bool GetSkill(const PersonRecord& record, int skill);
// Sets or clears a skill; setting one applies the game's linked rules.
void SetSkill(PersonRecord& record, int skill, bool on);
