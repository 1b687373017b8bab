#include "marks.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"
#include "wholefile.h"

namespace {

// Name, five marks and the closing empty text.
constexpr int kMarkEntryFields = 1 + kMarkCount + 1;

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

// The marks of name in table; none when it has no entry.
MarkEntry marksOf(const QList<MarkEntry>& table, const QString& name) {
    const int at = firstEntryNamed(table, name);
    return at >= 0 ? table.at(at) : MarkEntry{name, {}};
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

void MarkTable::setMarks(const MarkEntry& entry) {
    const int at = firstEntryNamed(entries_, entry.name);
    if (at >= 0) {
        entries_[at] = entry;
    } else {
        entries_.append(entry);
    }
}

// Takes into the table, and into the open generals, the entries that another process changed
// in Mark.csv since this one last read or wrote it, where this one did not change them.
void MarkTable::takeOtherWrites(OpenGenerals& generals) {
    const QString path = MarkFilePath();
    QList<MarkEntry> onDisk;
    if (QFileInfo::exists(path) && !readMarkFile(path, &onDisk)) {
        return;  // unreadable now: nothing to take; it is kept aside or replaced as before
    }
    if (onDisk == fileAsKnown_) {
        return;  // nobody else wrote it
    }
    QStringList names;
    for (const QList<MarkEntry>* table : {&onDisk, &fileAsKnown_}) {
        for (const MarkEntry& entry : *table) {
            if (!names.contains(entry.name)) {
                names.append(entry.name);
            }
        }
    }
    for (const QString& name : std::as_const(names)) {
        const MarkEntry known = marksOf(fileAsKnown_, name);
        const MarkEntry theirs = marksOf(onDisk, name);
        if (theirs == known || marksOf(entries_, name) != known) {
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

QString MarkFileError::message() const {
    return file + (failure == Failure::Read ? QStringLiteral("の読み込みに失敗しました")
                                            : QStringLiteral("の保存に失敗しました"));
}

std::optional<MarkFileError> MarkTable::load() {
    entries_ = QList<MarkEntry>(1);
    const QString path = MarkFilePath();
    const bool unreadable = QFileInfo::exists(path) && !readMarkFile(path, &entries_);
    fileAsKnown_ = entries_;
    writePending_ = false;
    unreadableFile_.setUnreadable(unreadable);
    if (unreadable) {
        return MarkFileError{QFileInfo(path).fileName(), MarkFileError::Failure::Read};
    }
    return std::nullopt;
}

void MarkTable::attach(OpenGenerals& generals, int index) const {
    if (index < 1 || index > kRosterCapacity) {
        return;
    }
    generals.marks(index) = marksOf(entries_, GetPersonName(generals.record(index)));
}

std::optional<MarkFileError> MarkTable::save(OpenGenerals& generals) {
    for (int j = 1; j <= generals.count(); ++j) {
        setMarks(generals.marks(j));
    }

    // One process at a time reads Mark.csv again and writes it.
    const bool ok = WithFileLock(MarkFilePath(), [this, &generals] {
        takeOtherWrites(generals);
        QList<MarkEntry> kept;
        for (const MarkEntry& entry : std::as_const(entries_)) {
            if (!entry.isEmpty()) {
                kept.append(entry);
            }
        }
        if (!unreadableFile_.keepBeforeReplacing(MarkFilePath())) {
            return false;
        }
        const QString path = MarkFilePath();
        if (kept.isEmpty() ? QFileInfo::exists(path) && !QFile::remove(path)
                           : !writeMarkFile(kept)) {
            return false;
        }
        fileAsKnown_ = kept;
        return true;
    });
    writePending_ = !ok;
    if (!ok) {
        return MarkFileError{QFileInfo(MarkFilePath()).fileName(), MarkFileError::Failure::Write};
    }
    return std::nullopt;
}
