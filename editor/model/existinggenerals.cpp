#include "existinggenerals.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

#include "../platform/widthconvert.h"
#include "csv.h"

namespace {

constexpr int kNameWidth = 5;
constexpr int kReadingWidth = 11;
constexpr int kAffinityValues = 256;

// text cut or padded with spaces to width; built in one piece, every name of the file goes
// through here at each start.
QString padded(QStringView text, int width) {
    QString result(width, QLatin1Char(' '));
    std::copy_n(text.data(), std::min<qsizetype>(text.size(), width), result.data());
    return result;
}

QStringView upToFirstSpace(QStringView text) {
    const qsizetype at = text.indexOf(QLatin1Char(' '));
    return at < 0 ? text : text.left(at);
}

void splitName(QStringView name, GeneralRecord* row) {
    QStringView family;
    QStringView given;
    switch (name.size()) {
        case 2:
            family = name.left(1);
            given = name.right(1);
            break;
        case 3:
            family = name.left(1);
            given = name.right(2);
            break;
        case 4:
            family = name.left(2);
            given = name.right(2);
            break;
        default:
            family = name;
            break;
    }
    row->familyName = padded(family, kNameWidth);
    row->givenName = padded(given, kNameWidth);
}

// One row of 12 fields; false when any of them can't be read.
bool readRow(CsvReader& reader, GeneralReadings readings, GeneralRecord* row) {
    QString name;
    QString reading;
    std::array<qint16, kAbilityCount> abilities{};
    qint64 faction = 0;
    qint64 personal = 0;
    bool ok =
        reader.readText(&name) &&
        (readings == GeneralReadings::halfWidth ? reader.readText(&reading) : reader.skipField()) &&
        reader.skipField() && reader.skipField();
    for (qint16& ability : abilities) {
        ok = ok && reader.readInt16(&ability);
    }
    ok = ok && reader.skipField() && reader.readInt(0, kAffinityValues - 1, &faction) &&
         reader.readInt(0, kAffinityValues - 1, &personal);
    if (!ok) {
        return false;
    }
    splitName(name, row);
    row->reading = reading;
    row->values = PersonRecord();
    for (int i = 0; i < kAbilityCount; ++i) {
        row->values.setAbility(i, abilities[i]);
    }
    row->values.setFactionAffinity(static_cast<quint8>(faction));
    row->values.setPersonalAffinity(static_cast<quint8>(personal));
    return true;
}

// Reads every row it can into rows; false when the file fails before its proper end.
bool readGenerals(const QString& path, GeneralReadings readings, QList<GeneralRecord>* rows) {
    CsvReader reader(QByteArray{});
    if (!CsvReader::fromFile(path, &reader)) {
        return false;
    }
    rows->reserve(kMaxGenerals);
    GeneralRecord row;
    while (!reader.atEnd()) {
        if (rows->size() == kMaxGenerals || !readRow(reader, readings, &row)) {
            return false;
        }
        rows->append(row);
    }
    return !rows->isEmpty();
}

}  // namespace

ExistingGenerals::ExistingGenerals() : rows_(1) {}

ExistingGenerals::ExistingGenerals(QList<GeneralRecord> rows) : rows_(std::move(rows)) {
    // Moved, not copied: the start-up reads every row of the file into this table.
    rows_.prepend(GeneralRecord());
    computeAffinityRepresentatives();
}

QString ExistingGenerals::name(int row) const {
    const GeneralRecord& general = rows_.at(row);
    // Put together in one piece: the sheet and the list ask for many names.
    const QStringView family = upToFirstSpace(general.familyName);
    const QStringView given = upToFirstSpace(general.givenName);
    QString name(family.size() + given.size(), Qt::Uninitialized);
    std::copy(given.begin(), given.end(), std::copy(family.begin(), family.end(), name.begin()));
    return name;
}

QString ExistingGenerals::reading(int row) const {
    if (halfWidthReadings_.isEmpty()) {
        halfWidthReadings_.reserve(rows_.size());
        for (const GeneralRecord& general : rows_) {
            halfWidthReadings_.append(padded(ToHalfWidth(general.reading), kReadingWidth));
        }
    }
    return halfWidthReadings_.at(row);
}

ExistingGeneralsLoad LoadExistingGenerals(const QString& path, GeneralReadings readings) {
    if (!QFileInfo::exists(path)) {
        return {};
    }
    QList<GeneralRecord> rows;
    ExistingGeneralsLoad load;
    if (!readGenerals(path, readings, &rows)) {
        load.error = DataFileError{DataFileError::Kind::ReadFailed, QFileInfo(path).fileName(), {}};
    }
    load.generals = ExistingGenerals(std::move(rows));
    return load;
}

void ExistingGenerals::computeAffinityRepresentatives() {
    for (int which = 0; which < 2; ++which) {
        std::array<int, kAffinityValues> bestTotal{};
        representativeRows_[which].fill(0);
        for (int row = 1; row <= count(); ++row) {
            const PersonRecord& values = rows_.at(row).values;
            const int value = which == 0 ? values.factionAffinity() : values.personalAffinity();
            int total = 0;
            for (int i = 0; i < kAbilityCount; ++i) {
                total += values.ability(i);
            }
            // Strictly greater: among equal totals the earlier row keeps the value.
            if (total > bestTotal[value]) {
                bestTotal[value] = total;
                representativeRows_[which][value] = row;
            }
        }
    }
}

QString ExistingGenerals::affinityRepresentative(int value, int which) const {
    if (value < 0 || value >= kAffinityValues || which < 0 || which > 1) {
        return QStringLiteral("  -");
    }
    const int row = representativeRows_[which][value];
    return row == 0 ? QStringLiteral("  -") : name(row);
}
