#include "marks.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "../platform/messages.h"
#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"

QList<MarkEntry> markTable(1);
std::array<MarkEntry, kRosterCapacity + 1> generalMarks;

namespace {

// Name, five marks and the closing empty text.
constexpr int kMarkEntryFields = 1 + kMarkCount + 1;

// Set when Mark.csv could not be read: its marks are then only partly in markTable, and the
// file must be kept aside before it is replaced.
UnreadableFileKeeper unreadableMarkFile;

bool readMarkFile(const QString& path) {
    CsvReader reader(QByteArray{});
    int count = 0;
    if (!CsvReader::fromFile(path, &reader) || !reader.readCount(1, kMarkEntryFields, &count)) {
        return false;
    }
    // An entry that fails keeps what was read of it before the failure.
    markTable = QList<MarkEntry>(count);
    for (MarkEntry& entry : markTable) {
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

int firstEntryNamed(const QString& name) {
    for (int i = 0; i < markTable.size(); ++i) {
        if (markTable.at(i).name == name) {
            return i;
        }
    }
    return -1;
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

bool MarkEntry::isEmpty() const {
    for (const QString& mark : marks) {
        if (!mark.isEmpty()) {
            return false;
        }
    }
    return true;
}

void LoadMarks() {
    markTable = QList<MarkEntry>(1);
    const QString path = MarkFilePath();
    const bool unreadable = QFileInfo::exists(path) && !readMarkFile(path);
    unreadableMarkFile.setUnreadable(unreadable);
    if (unreadable) {
        ShowMessage(QStringLiteral("Mark.csvの読み込みに失敗しました"), MessageIcon::Critical);
    }
}

void AttachMarks(int index) {
    if (index < 1 || index > kRosterCapacity) {
        return;
    }
    const QString name = GetPersonName(index);
    const int at = firstEntryNamed(name);
    if (at >= 0) {
        generalMarks[index] = markTable.at(at);
    } else {
        generalMarks[index] = MarkEntry{name, {}};
    }
}

void SaveMarks(int listRowCount) {
    const int last = std::min(listRowCount, kRosterCapacity);
    for (int j = 1; j <= last; ++j) {
        const MarkEntry& entry = generalMarks[j];
        const int at = firstEntryNamed(entry.name);
        if (at >= 0) {
            markTable[at] = entry;
        } else {
            markTable.append(entry);
        }
    }

    QList<MarkEntry> kept;
    for (const MarkEntry& entry : std::as_const(markTable)) {
        if (!entry.isEmpty()) {
            kept.append(entry);
        }
    }

    bool ok = unreadableMarkFile.keepBeforeReplacing(MarkFilePath());
    if (ok && kept.isEmpty()) {
        const QString path = MarkFilePath();
        ok = !QFileInfo::exists(path) || QFile::remove(path);
    } else if (ok) {
        ok = writeMarkFile(kept);
    }
    if (!ok) {
        ShowMessage(QStringLiteral("Mark.csvの保存に失敗しました"), MessageIcon::Critical);
    }
}
