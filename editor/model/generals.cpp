#include "generals.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

#include "../platform/messages.h"
#include "../platform/widthconvert.h"
#include "csv.h"
#include "datapaths.h"

QList<GeneralRecord> generals(1);
int generalCount = 0;

namespace {

constexpr int kNameWidth = 5;
constexpr int kReadingWidth = 11;
constexpr int kAffinityValues = 256;

// Row of the general standing for each affinity value, 0 for none; [0] faction, [1] personal.
std::array<std::array<int, kAffinityValues>, 2> representativeRows{};

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
    row->reading = readings == GeneralReadings::halfWidth
                       ? padded(ToHalfWidth(reading), kReadingWidth)
                       : QString();
    row->values = PersonRecord();
    for (int i = 0; i < kAbilityCount; ++i) {
        row->values.setAbility(i, abilities[i]);
    }
    row->values.setFactionAffinity(static_cast<quint8>(faction));
    row->values.setPersonalAffinity(static_cast<quint8>(personal));
    return true;
}

// Reads every row it can; false when the file fails before its proper end.
bool readGenerals(const QString& path, GeneralReadings readings) {
    CsvReader reader(QByteArray{});
    if (!CsvReader::fromFile(path, &reader)) {
        return false;
    }
    generals.reserve(kMaxGenerals + 1);
    GeneralRecord row;
    while (!reader.atEnd()) {
        if (generalCount == kMaxGenerals || !readRow(reader, readings, &row)) {
            return false;
        }
        generals.append(row);
        ++generalCount;
    }
    return generalCount > 0;
}

}  // namespace

QString GetGeneralName(int row) {
    const GeneralRecord& general = generals.at(row);
    // Put together in one piece: the sheet and the list ask for many names.
    const QStringView family = upToFirstSpace(general.familyName);
    const QStringView given = upToFirstSpace(general.givenName);
    QString name(family.size() + given.size(), Qt::Uninitialized);
    std::copy(given.begin(), given.end(), std::copy(family.begin(), family.end(), name.begin()));
    return name;
}

void LoadGenerals(GeneralReadings readings) {
    generals = QList<GeneralRecord>(1);
    generalCount = 0;
    const QString path = GeneralFilePath();
    if (QFileInfo::exists(path) && !readGenerals(path, readings)) {
        ShowMessage(QStringLiteral("General.csvの読み込みに失敗しました"), MessageIcon::Critical);
    }
    // Not squeezed: the reserved rows that were never filled were never touched either, so
    // they take no memory, and a copy of the filled ones would cost the start its time.
    ComputeAffinityRepresentatives();
}

void ComputeAffinityRepresentatives() {
    for (int which = 0; which < 2; ++which) {
        std::array<int, kAffinityValues> bestTotal{};
        representativeRows[which].fill(0);
        for (int row = 1; row <= generalCount; ++row) {
            const PersonRecord& values = generals.at(row).values;
            const int value = which == 0 ? values.factionAffinity() : values.personalAffinity();
            int total = 0;
            for (int i = 0; i < kAbilityCount; ++i) {
                total += values.ability(i);
            }
            // Strictly greater: among equal totals the earlier row keeps the value.
            if (total > bestTotal[value]) {
                bestTotal[value] = total;
                representativeRows[which][value] = row;
            }
        }
    }
}

QString AffinityRepresentative(int value, int which) {
    if (value < 0 || value >= kAffinityValues || which < 0 || which > 1) {
        return QStringLiteral("  -");
    }
    const int row = representativeRows[which][value];
    // A table refilled without recomputing must not send us past its end.
    return row == 0 || row > generalCount || row >= generals.size() ? QStringLiteral("  -")
                                                                    : GetGeneralName(row);
}
