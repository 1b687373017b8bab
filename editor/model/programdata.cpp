#include "programdata.h"

#include "datapaths.h"

namespace {

std::unique_ptr<RandomSource> clockSeededSource() {
    auto source = std::make_unique<ClockSeededSource>();
    source->SeedFromClock();
    return source;
}

}  // namespace

ProgramData::ProgramData() : ProgramData(clockSeededSource()) {}

ProgramData::ProgramData(std::unique_ptr<RandomSource> random) : random_(std::move(random)) {}

ProgramData::~ProgramData() = default;

void ProgramData::setRandomSource(std::unique_ptr<RandomSource> source) {
    random_ = std::move(source);
}

std::optional<DataFileError> ProgramData::loadExistingGenerals(GeneralReadings readings) {
    ExistingGeneralsLoad load = LoadExistingGenerals(GeneralFilePath(), readings);
    existingGenerals_ = std::move(load.generals);
    return load.error;
}

QList<DataFileError> ProgramData::load() {
    QList<DataFileError> errors;
    if (std::optional<DataFileError> error = loadExistingGenerals()) {
        errors.append(*error);
    }
    errors += skillTemplates_.load();
    errors += abilityTemplates_.load();
    return errors;
}

QList<DataFileError> ProgramData::savePendingTemplates() {
    QList<DataFileError> errors;
    if (skillTemplates_.writePending()) {
        if (std::optional<DataFileError> error = skillTemplates_.save()) {
            errors.append(*error);
        }
    }
    if (abilityTemplates_.writePending()) {
        if (std::optional<DataFileError> error = abilityTemplates_.save()) {
            errors.append(*error);
        }
    }
    return errors;
}
