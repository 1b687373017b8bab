// The named settings of the ability editor and the skill editor, kept in Capa.csv and
// Tokugi.csv. Entry 0 of each list is the fixed "no template" entry.
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

#include "datafileerror.h"
#include "personrecord.h"
#include "unreadablefile.h"

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

// One template file and its list: Tokugi.csv for SkillTemplate, Capa.csv for AbilityTemplate,
// in the player's data folder.
template <typename Entry>
class TemplateFile {
  public:
    // The list the editors show and change.
    QList<Entry>& entries() { return entries_; }
    const QList<Entry>& entries() const { return entries_; }

    // Fills the list from the file, copying the shipped original (Tokugiorg.csv, Capaorg.csv)
    // into place first when the file is missing. Returns the failures in the order they
    // happened: the copy, then the read.
    QList<DataFileError> load();
    // Writes the whole list back, replacing the file whole or leaving it as it was. Templates
    // that another process wrote to the file since it was read are kept: they join the list.
    std::optional<DataFileError> save();
    // Whether the last write failed, so the list still waits to be written.
    bool writePending() const { return writePending_; }

  private:
    QList<Entry> entries_;
    // The file as this process last read or wrote it: what another process changed since is
    // told from it.
    QList<Entry> asKnown_;
    bool writePending_ = false;
    UnreadableFileKeeper unreadable_;
};

using AbilityTemplates = TemplateFile<AbilityTemplate>;
using SkillTemplates = TemplateFile<SkillTemplate>;

extern template class TemplateFile<AbilityTemplate>;
extern template class TemplateFile<SkillTemplate>;
