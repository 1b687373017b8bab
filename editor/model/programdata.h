// What the program reads once at start-up and keeps for its whole run, and the random source
// of its draws: one object made at start-up and handed to the windows, the dialogs and the
// command line.
#pragma once

#include <QList>

#include <memory>
#include <optional>

#include "datafileerror.h"
#include "existinggenerals.h"
#include "marks.h"
#include "random.h"
#include "templates.h"

class ProgramData {
  public:
    // The random source seeded from the clock.
    ProgramData();
    // A given random source, as tests fix one.
    explicit ProgramData(std::unique_ptr<RandomSource> random);
    ~ProgramData();
    ProgramData(const ProgramData&) = delete;
    ProgramData& operator=(const ProgramData&) = delete;

    // Reads what start-up reads: General.csv, Tokugi.csv, Capa.csv, in that order. Returns
    // every failure in the order it happened; what could be read is kept.
    QList<DataFileError> load();
    // Reads General.csv from the shipped data folder; the rows read before a failure are kept.
    std::optional<DataFileError> loadExistingGenerals(
        GeneralReadings readings = GeneralReadings::halfWidth);

    const ExistingGenerals& existingGenerals() const { return existingGenerals_; }

    SkillTemplates& skillTemplates() { return skillTemplates_; }
    AbilityTemplates& abilityTemplates() { return abilityTemplates_; }
    // Writes again each template list whose last write failed (Tokugi.csv, then Capa.csv);
    // the failures of this try.
    QList<DataFileError> savePendingTemplates();

    // The marks of Mark.csv; read by the window's start-up and the command line.
    MarkTable& markTable() { return markTable_; }

    RandomSource& random() { return *random_; }
    // Draws from source from now on.
    void setRandomSource(std::unique_ptr<RandomSource> source);

  private:
    ExistingGenerals existingGenerals_;
    SkillTemplates skillTemplates_;
    AbilityTemplates abilityTemplates_;
    MarkTable markTable_;
    std::unique_ptr<RandomSource> random_;
};
