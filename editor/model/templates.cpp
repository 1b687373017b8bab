#include "templates.h"

#include <QFileInfo>

#include <algorithm>

#include "../platform/messages.h"
#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"
#include "wholefile.h"

QList<AbilityTemplate> abilityTemplates;
QList<SkillTemplate> skillTemplates;

namespace {

// What one template file's list needs besides the list: the file as this process last read
// or wrote it (what another process changed since is told from it), whether the last write
// failed, and the unreadable file kept aside.
template <typename Entry>
struct TemplateFileState {
    QList<Entry> asKnown;
    bool writePending = false;
    UnreadableFileKeeper unreadable;
};

TemplateFileState<SkillTemplate> skillFile;
TemplateFileState<AbilityTemplate> abilityFile;

// Fields of one template in its file, the closing empty text included.
constexpr int kSkillTemplateFields = 3 + kSkillCount + 1;
constexpr int kAbilityTemplateFields = 3 + 2 * kAbilityCount + 1;

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

template <typename Entry>
void loadTemplates(const QString& path, const QString& originalPath, int fieldsPerEntry,
                   const QString& failureMessage, TemplateFileState<Entry>* state,
                   QList<Entry>* list) {
    list->clear();
    state->unreadable.setUnreadable(false);
    state->writePending = false;
    bool ok = true;
    if (!QFileInfo::exists(path) && QFileInfo::exists(originalPath) &&
        !CopyWholeFile(originalPath, path)) {
        // The shipped templates serve as they are; the copy is tried again next time.
        ShowMessage(QStringLiteral("%1を作成できませんでした（%2の内容を使います）")
                        .arg(QFileInfo(path).fileName(), QFileInfo(originalPath).fileName()),
                    MessageIcon::Critical);
        ok = readTemplates(originalPath, fieldsPerEntry, list);
    } else if (QFileInfo::exists(path)) {
        ok = readTemplates(path, fieldsPerEntry, list);
        state->unreadable.setUnreadable(!ok);
    }
    if (!ok) {
        ShowMessage(failureMessage, MessageIcon::Critical);
    }
    // The editors need entry 0.
    if (list->isEmpty()) {
        *list = noTemplateList<Entry>();
    }
    state->asKnown = *list;
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

template <typename Entry>
bool saveTemplates(const QString& path, int fieldsPerEntry, QList<Entry>* list,
                   const QString& failureMessage, TemplateFileState<Entry>* state) {
    // One process at a time reads the file again and writes it.
    const bool ok = WithFileLock(path, [&] {
        QList<Entry> theirs;
        if (QFileInfo::exists(path) && readTemplates(path, fieldsPerEntry, &theirs) &&
            theirs != state->asKnown) {
            QList<Entry> merged = mergeTemplates(state->asKnown, *list, theirs);
            if (merged.isEmpty()) {
                merged = noTemplateList<Entry>();
            }
            *list = merged;
        }
        if (!state->unreadable.keepBeforeReplacing(path)) {
            return false;
        }
        CsvWriter writer;
        writer.integer(list->size());
        writer.endLine();
        for (const Entry& entry : std::as_const(*list)) {
            writeEntry(writer, entry);
        }
        if (!writer.saveTo(path)) {
            return false;
        }
        state->asKnown = *list;
        return true;
    });
    state->writePending = !ok;
    if (!ok) {
        ShowMessage(failureMessage, MessageIcon::Critical);
    }
    return ok;
}

}  // namespace

void LoadSkillTemplates() {
    loadTemplates(SkillTemplateFilePath(), SkillTemplateOriginalPath(), kSkillTemplateFields,
                  QStringLiteral("Tokugi.csvの読み込みに失敗しました"), &skillFile,
                  &skillTemplates);
}

void LoadAbilityTemplates() {
    loadTemplates(AbilityTemplateFilePath(), AbilityTemplateOriginalPath(), kAbilityTemplateFields,
                  QStringLiteral("Capa.csvの読み込みに失敗しました"), &abilityFile,
                  &abilityTemplates);
}

bool SaveSkillTemplates() {
    return saveTemplates(SkillTemplateFilePath(), kSkillTemplateFields, &skillTemplates,
                         QStringLiteral("Tokugi.csvの保存に失敗しました"), &skillFile);
}

bool SaveAbilityTemplates() {
    return saveTemplates(AbilityTemplateFilePath(), kAbilityTemplateFields, &abilityTemplates,
                         QStringLiteral("Capa.csvの保存に失敗しました"), &abilityFile);
}

QStringList SavePendingTemplates() {
    QStringList failed;
    if (skillFile.writePending && !SaveSkillTemplates()) {
        failed.append(QStringLiteral("Tokugi.csv"));
    }
    if (abilityFile.writePending && !SaveAbilityTemplates()) {
        failed.append(QStringLiteral("Capa.csv"));
    }
    return failed;
}
