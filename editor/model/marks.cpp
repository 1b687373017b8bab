#include "marks.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"
#include "wholefile.h"

QList<MarkEntry> markTable(1);

namespace {

// Name, five marks and the closing empty text.
constexpr int kMarkEntryFields = 1 + kMarkCount + 1;

// Set when Mark.csv could not be read: its marks are then only partly in markTable, and the
// file must be kept aside before it is replaced.
UnreadableFileKeeper unreadableMarkFile;

// Mark.csv as this process last read or wrote it: what another process changed since is told
// from it, and kept.
QList<MarkEntry> markFileAsKnown;
// The last write of Mark.csv failed; the next change and the close try again.
bool markWritePending = false;

bool readMarkFile(const QString& path, QList<MarkEntry>* table) {
    CsvReader reader(QByteArray{});
    int count = 0;
    if (!CsvReader::fromFile(path, &reader) || !reader.readCount(1, kMarkEntryFields, &count)) {
        return false;
    }
    // An entry that fails keeps what was read of it before the failure.
    *table = QList<MarkEntry>(count);
    for (MarkEntry& entry : *table) {
        bool ok = reader.readText(&entry.name);
        for (QString& mark : entry.marks) {
            ok = ok && reader.readText(&mark);
        }
        if (!ok || !reader.skipField()) {
            return false;
        }
    }
    return true;
}

int firstEntryNamed(const QList<MarkEntry>& table, const QString& name) {
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).name == name) {
            return i;
        }
    }
    return -1;
}

int firstEntryNamed(const QString& name) {
    return firstEntryNamed(markTable, name);
}

// The marks of name in table; none when it has no entry.
MarkEntry marksOf(const QList<MarkEntry>& table, const QString& name) {
    const int at = firstEntryNamed(table, name);
    return at >= 0 ? table.at(at) : MarkEntry{name, {}};
}

void setMarks(const MarkEntry& entry) {
    const int at = firstEntryNamed(entry.name);
    if (at >= 0) {
        markTable[at] = entry;
    } else {
        markTable.append(entry);
    }
}

// Takes into markTable, and into the open generals, the entries that another process changed
// in Mark.csv since this one last read or wrote it, where this one did not change them.
void takeOtherWrites(OpenGenerals& generals) {
    const QString path = MarkFilePath();
    QList<MarkEntry> onDisk;
    if (QFileInfo::exists(path) && !readMarkFile(path, &onDisk)) {
        return;  // unreadable now: nothing to take; it is kept aside or replaced as before
    }
    if (onDisk == markFileAsKnown) {
        return;  // nobody else wrote it
    }
    QStringList names;
    for (const QList<MarkEntry>* table : {&onDisk, &markFileAsKnown}) {
        for (const MarkEntry& entry : *table) {
            if (!names.contains(entry.name)) {
                names.append(entry.name);
            }
        }
    }
    for (const QString& name : std::as_const(names)) {
        const MarkEntry known = marksOf(markFileAsKnown, name);
        const MarkEntry theirs = marksOf(onDisk, name);
        if (theirs == known || marksOf(markTable, name) != known) {
            continue;  // not changed by them, or changed here too: this process's marks win
        }
        setMarks(theirs);
        for (int j = 1; j <= generals.count(); ++j) {
            if (generals.marks(j).name == name) {
                generals.marks(j) = theirs;
            }
        }
    }
}

bool writeMarkFile(const QList<MarkEntry>& entries) {
    CsvWriter writer;
    writer.integer(entries.size());
    writer.endLine();
    for (const MarkEntry& entry : entries) {
        writer.text(entry.name);
        for (const QString& mark : entry.marks) {
            writer.text(mark);
        }
        writer.text(QString());
        writer.endLine();
    }
    return writer.saveTo(MarkFilePath());
}

}  // namespace

QString MarkFileError::message() const {
    return file + (failure == Failure::Read ? QStringLiteral("の読み込みに失敗しました")
                                            : QStringLiteral("の保存に失敗しました"));
}

std::optional<MarkFileError> LoadMarks() {
    markTable = QList<MarkEntry>(1);
    const QString path = MarkFilePath();
    const bool unreadable = QFileInfo::exists(path) && !readMarkFile(path, &markTable);
    markFileAsKnown = markTable;
    markWritePending = false;
    unreadableMarkFile.setUnreadable(unreadable);
    if (unreadable) {
        return MarkFileError{QFileInfo(path).fileName(), MarkFileError::Failure::Read};
    }
    return std::nullopt;
}

void AttachMarks(OpenGenerals& generals, int index) {
    if (index < 1 || index > kRosterCapacity) {
        return;
    }
    generals.marks(index) = marksOf(markTable, GetPersonName(generals.record(index)));
}

std::optional<MarkFileError> SaveMarks(OpenGenerals& generals) {
    for (int j = 1; j <= generals.count(); ++j) {
        setMarks(generals.marks(j));
    }

    // One process at a time reads Mark.csv again and writes it.
    const bool ok = WithFileLock(MarkFilePath(), [&generals] {
        takeOtherWrites(generals);
        QList<MarkEntry> kept;
        for (const MarkEntry& entry : std::as_const(markTable)) {
            if (!entry.isEmpty()) {
                kept.append(entry);
            }
        }
        if (!unreadableMarkFile.keepBeforeReplacing(MarkFilePath())) {
            return false;
        }
        const QString path = MarkFilePath();
        if (kept.isEmpty() ? QFileInfo::exists(path) && !QFile::remove(path)
                           : !writeMarkFile(kept)) {
            return false;
        }
        markFileAsKnown = kept;
        return true;
    });
    markWritePending = !ok;
    if (!ok) {
        return MarkFileError{QFileInfo(MarkFilePath()).fileName(), MarkFileError::Failure::Write};
    }
    return std::nullopt;
}

bool MarksWritePending() {
    return markWritePending;
}
