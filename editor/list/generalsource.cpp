#include "generalsource.h"

#include "model/roster.h"

int OpenFileGenerals::count() const {
    return generals_->count();
}
const PersonRecord& OpenFileGenerals::record(int index) const {
    return generals_->record(index);
}
const MarkEntry* OpenFileGenerals::marks(int index) const {
    return &generals_->marks(index);
}
QString OpenFileGenerals::name(int index) const {
    return GetPersonName(generals_->record(index));
}
QString OpenFileGenerals::reading(int index) const {
    return generals_->record(index).reading();
}

int ExistingGeneralsSource::count() const {
    return existingGenerals().count();
}
const PersonRecord& ExistingGeneralsSource::record(int index) const {
    return existingGenerals().at(index).values;
}
const MarkEntry* ExistingGeneralsSource::marks(int) const {
    return nullptr;
}
QString ExistingGeneralsSource::name(int index) const {
    return existingGenerals().name(index);
}
QString ExistingGeneralsSource::reading(int index) const {
    return existingGenerals().reading(index);
}
