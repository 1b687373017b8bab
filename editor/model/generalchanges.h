// The differences between two states of the open file's generals, field by field, as the
// player reads them in the list: what an edit session changed since the file was last read or
// saved, or what putting a dated backup back would change.
#pragma once

#include <QList>
#include <QString>

#include <vector>

#include "existinggenerals.h"
#include "roster.h"

// One changed field of one general.
struct FieldChange {
    int index = 0;   // the general's slot, 1-based (its 番号)
    QString name;    // the general's name after the change
    int column = 0;  // the list column; kOtherBytes for bytes no column shows
    QString caption;
    QString before;
    QString after;
};

class GeneralChanges {
  public:
    // Bytes of a record that no list column shows (its reading, its linked year, ...).
    static constexpr int kOtherBytes = -1;

    GeneralChanges() = default;
    // Compares every general of before with the one in the same slot of after (both hold as
    // many); the changes are grouped by general in file order, each general's in column order.
    GeneralChanges(const OpenGenerals& before, const OpenGenerals& after,
                   const ExistingGenerals& existing);

    const std::vector<FieldChange>& fields() const { return fields_; }
    bool isEmpty() const { return fields_.empty(); }
    int generalCount() const { return generalCount_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    // "N人のM項目が変更されています".
    QString summary() const;

  private:
    std::vector<FieldChange> fields_;
    int generalCount_ = 0;
};
