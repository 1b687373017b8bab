// Hand-made roster and existing-generals tables for the list tests.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <algorithm>

#include "list/generallist.h"
#include "model/existinggenerals.h"
#include "model/marks.h"
#include "model/roster.h"
#include "platform/codepage.h"

inline void PutText(PersonRecord& record, int offset, int size, const QString& text) {
    QByteArray bytes;
    EncodeCp932(text, &bytes);
    std::fill_n(record.bytes().begin() + offset, size, 0);
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), size),
                record.bytes().begin() + offset);
}

inline PersonRecord MakePerson(const QString& family, const QString& given, const QString& reading,
                               qint16 war) {
    PersonRecord record;
    PutText(record, 81, 5, family);
    PutText(record, 86, 5, given);
    PutText(record, 96, 11, reading);
    record.setAbility(1, war);
    return record;
}

inline GeneralRecord MakeGeneral(const QString& family, const QString& given,
                                 const QString& reading, qint16 war) {
    GeneralRecord general;
    general.familyName = family.leftJustified(4, u' ');
    general.givenName = given.leftJustified(4, u' ');
    general.reading = reading.leftJustified(11, u' ');
    general.values.setAbility(1, war);
    return general;
}

// The open file's generals the lists under test show.
inline OpenGenerals openGenerals;

// Empties the open generals with their marks and the existing generals the lists are made over,
// before and after a test.
class ListTables {
  public:
    ListTables() { clear(); }
    ~ListTables() { clear(); }
    ListTables(const ListTables&) = delete;
    ListTables& operator=(const ListTables&) = delete;

    static void clear() {
        openGenerals = OpenGenerals();
        rows().clear();
        existing() = ExistingGenerals();
    }
    static void addGeneral(const GeneralRecord& general) {
        rows().append(general);
        existing() = ExistingGenerals(rows());
    }
    static ExistingGenerals& existing() {
        static ExistingGenerals table;
        return table;
    }

  private:
    static QList<GeneralRecord>& rows() {
        static QList<GeneralRecord> list;
        return list;
    }
};

// Row texts (display names) in the order shown.
inline QStringList RowNames(const GeneralList* list) {
    QStringList names;
    for (int position = 1; position <= list->rowCount(); ++position) {
        names.append(list->cellText(position, 0));
    }
    return names;
}

inline QList<int> ColumnWidths(const GeneralList* list) {
    QList<int> widths;
    for (int column = 0; column < kListColumnCount; ++column) {
        widths.append(list->columnWidth(column));
    }
    return widths;
}
