// Where a general list reads its generals: the open file's (the main window) or the existing
// generals of General.csv (the general chooser). Indexes run from 1 to count().
#pragma once

#include <QString>

#include "model/existinggenerals.h"
#include "model/marks.h"
#include "model/personrecord.h"

class GeneralSource {
  public:
    // existing names the generals of the affinity columns.
    explicit GeneralSource(const ExistingGenerals& existing) : existing_(existing) {}
    virtual ~GeneralSource() = default;
    const ExistingGenerals& existingGenerals() const { return existing_; }

    virtual int count() const = 0;
    virtual const PersonRecord& record(int index) const = 0;
    // Null for generals that carry no marks.
    virtual const MarkEntry* marks(int index) const = 0;
    // The name the list shows.
    virtual QString name(int index) const = 0;
    // What the 名前 column sorts by.
    virtual QString reading(int index) const = 0;

  private:
    const ExistingGenerals& existing_;
};

// The generals of the open person file, with their marks.
class OpenFileGenerals : public GeneralSource {
  public:
    OpenFileGenerals(const ExistingGenerals& existing, const OpenGenerals* generals)
        : GeneralSource(existing), generals_(generals) {}
    int count() const override;
    const PersonRecord& record(int index) const override;
    const MarkEntry* marks(int index) const override;
    QString name(int index) const override;
    QString reading(int index) const override;

  private:
    const OpenGenerals* generals_;
};

// The existing generals of General.csv; they carry no marks.
class ExistingGeneralsSource : public GeneralSource {
  public:
    using GeneralSource::GeneralSource;
    int count() const override;
    const PersonRecord& record(int index) const override;
    const MarkEntry* marks(int index) const override;
    QString name(int index) const override;
    QString reading(int index) const override;
};
