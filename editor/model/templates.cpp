#include "templates.h"

#include <QFileInfo>

#include <algorithm>

#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"
#include "wholefile.h"

namespace {

// Fields of one template in its file, the closing empty text included.
constexpr int kSkillTemplateFields = 3 + kSkillCount + 1;
constexpr int kAbilityTemplateFields = 3 + 2 * kAbilityCount + 1;

// Where a list's file lives, and its shape.
struct TemplateFileKind {
    QString path;
    QString originalPath;
    int fieldsPerEntry;
};

TemplateFileKind kindOf(const SkillTemplate*) {
    return {SkillTemplateFilePath(), SkillTemplateOriginalPath(), kSkillTemplateFields};
}

TemplateFileKind kindOf(const AbilityTemplate*) {
    return {AbilityTemplateFilePath(), AbilityTemplateOriginalPath(), kAbilityTemplateFields};
}

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

bool readEntry(CsvReader& reader, SkillTemplate* entry) {
    bool ok = reader.readText(&entry->name) && reader.readInt16(&entry->countA) &&
              reader.readInt16(&entry->countB);
    for (bool& candidate : entry->candidates) {
        ok = ok && reader.readBool(&candidate);
    }
    return ok && reader.skipField();
}

bool readEntry(CsvReader& reader, AbilityTemplate* entry) {
    bool ok = reader.readText(&entry->name) && reader.readInt16(&entry->totalA) &&
              reader.readInt16(&entry->totalB);
    for (int i = 0; i < kAbilityCount; ++i) {
        ok = ok && reader.readInt16(&entry->valueA[i]) && reader.readInt16(&entry->valueB[i]);
    }
    return ok && reader.skipField();
}

void writeEntry(CsvWriter& writer, const SkillTemplate& entry) {
    writer.text(entry.name);
    writer.integer(entry.countA);
    writer.integer(entry.countB);
    writer.endLine();
    for (bool candidate : entry.candidates) {
        writer.boolean(candidate);
    }
    writer.text(QString());
    writer.endLine();
}

void writeEntry(CsvWriter& writer, const AbilityTemplate& entry) {
    writer.text(entry.name);
    writer.integer(entry.totalA);
    writer.integer(entry.totalB);
    writer.endLine();
    for (int i = 0; i < kAbilityCount; ++i) {
        writer.integer(entry.valueA[i]);
        writer.integer(entry.valueB[i]);
    }
    writer.text(QString());
    writer.endLine();
}

template <typename Entry>
QList<Entry> noTemplateList() {
    Entry entry;
    entry.name = QStringLiteral("  -");
    return {entry};
}

// Fills list from the file. The list keeps the announced length even when an entry fails;
// the failing entry keeps the fields read before the failure, the entries after it stay empty.
template <typename Entry>
bool readTemplates(const QString& path, int fieldsPerEntry, QList<Entry>* list) {
    list->clear();
    CsvReader reader(QByteArray{});
    int count = 0;
    if (!CsvReader::fromFile(path, &reader) || !reader.readCount(1, fieldsPerEntry, &count)) {
        return false;
    }
    list->resize(count);
    for (Entry& entry : *list) {
        if (!readEntry(reader, &entry)) {
            return false;
        }
    }
    return true;
}

// The list that keeps both this process's changes to the file (from known to mine) and another
// process's (from known to theirs): every entry counts as often as mine and theirs together
// have it more than known did; mine's order first, then the entries only theirs added.
template <typename Entry>
QList<Entry> mergeTemplates(const QList<Entry>& known, const QList<Entry>& mine,
                            const QList<Entry>& theirs) {
    QList<Entry> merged;
    const auto countIn = [](const QList<Entry>& list, const Entry& entry) {
        return std::count(list.cbegin(), list.cend(), entry);
    };
    for (const QList<Entry>* source : {&mine, &theirs}) {
        for (const Entry& entry : *source) {
            const auto wanted =
                countIn(mine, entry) + countIn(theirs, entry) - countIn(known, entry);
            if (countIn(merged, entry) < wanted) {
                merged.append(entry);
            }
        }
    }
    return merged;
}

}  // namespace

template <typename Entry>
QList<DataFileError> TemplateFile<Entry>::load() {
    const TemplateFileKind file = kindOf(static_cast<const Entry*>(nullptr));
    QList<DataFileError> errors;
    entries_.clear();
    unreadable_.setUnreadable(false);
    writePending_ = false;
    bool ok = true;
    if (!QFileInfo::exists(file.path) && QFileInfo::exists(file.originalPath) &&
        !CopyWholeFile(file.originalPath, file.path)) {
        // The shipped templates serve as they are; the copy is tried again next time.
        errors.append({DataFileError::Kind::CreateFailed, fileNameOf(file.path),
                       fileNameOf(file.originalPath)});
        ok = readTemplates(file.originalPath, file.fieldsPerEntry, &entries_);
    } else if (QFileInfo::exists(file.path)) {
        ok = readTemplates(file.path, file.fieldsPerEntry, &entries_);
        unreadable_.setUnreadable(!ok);
    }
    if (!ok) {
        errors.append({DataFileError::Kind::ReadFailed, fileNameOf(file.path), {}});
    }
    // The editors need entry 0.
    if (entries_.isEmpty()) {
        entries_ = noTemplateList<Entry>();
    }
    asKnown_ = entries_;
    return errors;
}

template <typename Entry>
std::optional<DataFileError> TemplateFile<Entry>::save() {
    const TemplateFileKind file = kindOf(static_cast<const Entry*>(nullptr));
    const QString& path = file.path;
    // One process at a time reads the file again and writes it.
    const bool ok = WithFileLock(path, [&] {
        QList<Entry> theirs;
        if (QFileInfo::exists(path) && readTemplates(path, file.fieldsPerEntry, &theirs) &&
            theirs != asKnown_) {
            QList<Entry> merged = mergeTemplates(asKnown_, entries_, theirs);
            if (merged.isEmpty()) {
                merged = noTemplateList<Entry>();
            }
            entries_ = merged;
        }
        if (!unreadable_.keepBeforeReplacing(path)) {
            return false;
        }
        CsvWriter writer;
        writer.integer(entries_.size());
        writer.endLine();
        for (const Entry& entry : std::as_const(entries_)) {
            writeEntry(writer, entry);
        }
        if (!writer.saveTo(path)) {
            return false;
        }
        asKnown_ = entries_;
        return true;
    });
    writePending_ = !ok;
    if (!ok) {
        return DataFileError{DataFileError::Kind::SaveFailed, fileNameOf(path), {}};
    }
    return std::nullopt;
}

template class TemplateFile<AbilityTemplate>;
template class TemplateFile<SkillTemplate>;
