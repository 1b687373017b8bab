// The game's existing generals, read from General.csv: they name affinity values and serve as
// affinity centres. Read once at start-up; nothing changes them afterwards.
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

#include "datafileerror.h"
#include "personrecord.h"

inline constexpr int kMaxGenerals = 1000;

struct GeneralRecord {
    QString familyName;   // padded with spaces
    QString givenName;    // padded with spaces
    QString reading;      // as General.csv has it; ExistingGenerals::reading() for the list
    PersonRecord values;  // abilities and both affinities; every other field zero
};

class ExistingGenerals {
  public:
    // No generals.
    ExistingGenerals();
    // The given rows as rows 1..rows.size(), with their affinity representatives worked out.
    explicit ExistingGenerals(QList<GeneralRecord> rows);

    // Rows 1..count().
    int count() const { return static_cast<int>(rows_.size()) - 1; }
    const GeneralRecord& at(int row) const { return rows_.at(row); }
    // Family name then given name, each up to its first space.
    QString name(int row) const;
    // The reading in half-width, 11 characters padded with spaces. Converted for every row
    // on first use: only the chooser shows readings, and start-up can do without them.
    QString reading(int row) const;
    // The display name of the general that stands for an affinity value (which: 0 faction,
    // 1 personal), or "  -".
    QString affinityRepresentative(int value, int which) const;

  private:
    void computeAffinityRepresentatives();

    // Index 0 is never used, so that a row's number is its index.
    QList<GeneralRecord> rows_;
    mutable QList<QString> halfWidthReadings_;  // empty until reading() is first asked
    // Row of the general standing for each affinity value, 0 for none; [0] faction,
    // [1] personal.
    std::array<std::array<int, 256>, 2> representativeRows_{};
};

// What reading General.csv gave: the rows read (up to a failure, they are kept) and the
// failure, if any. No file at all gives no rows and no error.
struct ExistingGeneralsLoad {
    ExistingGenerals generals;
    std::optional<DataFileError> error;
};
// Whether the readings are wanted: the list shows them; the command line, which only names
// affinities, leaves them empty and is spared reading them.
enum class GeneralReadings { halfWidth, notNeeded };

ExistingGeneralsLoad LoadExistingGenerals(const QString& path,
                                          GeneralReadings readings = GeneralReadings::halfWidth);
