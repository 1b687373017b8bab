#include "generalchanges.h"

#include <algorithm>

#include "listcolumns.h"

namespace {

bool sameAffinityText(int column) {
    return column == kPersonalAffinityColumn || column == kFactionAffinityColumn;
}

quint8 affinityOf(const PersonRecord& record, int column) {
    return column == kPersonalAffinityColumn ? record.personalAffinity() : record.factionAffinity();
}

}  // namespace

GeneralChanges::GeneralChanges(const OpenGenerals& before, const OpenGenerals& after,
                               const ExistingGenerals& existing) {
    const int count = std::min(before.count(), after.count());
    for (int n = 1; n <= count; ++n) {
        const PersonRecord& old = before.record(n);
        const PersonRecord& now = after.record(n);
        const bool sameRecord = old.bytes() == now.bytes();
        if (sameRecord && before.marks(n).marks == after.marks(n).marks) {
            continue;
        }
        const QString name = GetPersonName(now);
        const size_t first = fields_.size();
        const auto add = [&](int column, const QString& was, const QString& is) {
            fields_.push_back({n, name, column, ListColumnCaption(column), was, is});
        };
        if (!sameRecord) {
            const QString oldName = GetPersonName(old);
            if (oldName != name) {
                add(0, oldName, name);
            }
        }
        for (int column = kFirstMarkColumn; column < kListColumnCount; ++column) {
            if (sameRecord && column >= kBirthColumn) {
                break;  // only the marks differ
            }
            QString was = ListCellText(old, &before.marks(n), column, existing);
            QString is = ListCellText(now, &after.marks(n), column, existing);
            if (was != is) {
                add(column, was, is);
            } else if (sameAffinityText(column) &&
                       affinityOf(old, column) != affinityOf(now, column)) {
                // Two values that one existing general stands for: the values tell them apart.
                add(column, QStringLiteral("%1 (%2)").arg(was).arg(affinityOf(old, column)),
                    QStringLiteral("%1 (%2)").arg(is).arg(affinityOf(now, column)));
            }
        }
        if (!sameRecord && fields_.size() == first) {
            // Only bytes that the list does not show differ; the general still changes.
            fields_.push_back({n, name, kOtherBytes, QStringLiteral("その他"), {}, {}});
        }
        if (fields_.size() > first) {
            ++generalCount_;
        }
    }
}

QString GeneralChanges::summary() const {
    return QStringLiteral("%1人の%2項目が変更されています").arg(generalCount_).arg(fieldCount());
}
