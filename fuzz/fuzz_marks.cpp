// MarkTable::load over any Mark.csv. A failed read is reported once and the unreadable file is
// kept aside before it is replaced; a file that reads is written back in normal form (only entries
// with a mark) and reads back as exactly those entries.
#include "fuzzsupport.h"
#include "model/marks.h"
#include "platform/messages.h"

namespace {

// The marks of Mark.csv the tests read and write.
MarkTable markTable;

bool sameEntries(const QList<MarkEntry>& a, const QList<MarkEntry>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].marks != b[i].marks) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzDataFolder folder;
    folder.reset(QStringLiteral("Mark.csv"), data, size);
    const QString path = folder.path(QStringLiteral("Mark.csv"));

    RecordedMessages messages;
    const bool failed = markTable.load().has_value();
    FUZZ_CHECK(!markTable.entries().isEmpty());
    FUZZ_CHECK(messages.shown().isEmpty());

    QList<MarkEntry> kept;
    bool quoteInside = false;
    for (const MarkEntry& entry : std::as_const(markTable.entries())) {
        if (!entry.isEmpty()) {
            kept.append(entry);
        }
        quoteInside = quoteInside || entry.name.contains(QLatin1Char('"'));
        for (const QString& mark : entry.marks) {
            quoteInside = quoteInside || mark.contains(QLatin1Char('"'));
        }
    }

    messages.clear();
    OpenGenerals none;
    const bool saveFailed = markTable.save(none).has_value();
    if (failed) {
        // Nothing of an unreadable file may be lost: it is kept whole beside the new one.
        QFile backup(folder.path(QStringLiteral("Mark.csv.bak")));
        FUZZ_CHECK(backup.open(QIODevice::ReadOnly));
        const QByteArray kept = backup.readAll();
        FUZZ_CHECK(kept ==
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    }
    if (saveFailed || quoteInside) {
        return 0;  // a mark without a code page 932 form can't be saved; reported to the user
    }
    FUZZ_CHECK(QFile::exists(path) == !kept.isEmpty());

    FUZZ_CHECK(!markTable.load());
    if (kept.isEmpty()) {
        FUZZ_CHECK(markTable.entries().size() == 1 && markTable.entries()[0].isEmpty());
    } else {
        FUZZ_CHECK(sameEntries(markTable.entries(), kept));
    }
    return 0;
}
