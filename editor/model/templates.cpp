#include "templates.h"

#include <QFileInfo>

#include "../platform/messages.h"
#include "csv.h"
#include "datapaths.h"
#include "unreadablefile.h"
#include "wholefile.h"

QList<AbilityTemplate> abilityTemplates;
QList<SkillTemplate> skillTemplates;

namespace {

UnreadableFileKeeper unreadableSkillFile;
UnreadableFileKeeper unreadableAbilityFile;

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
                   const QString& failureMessage, UnreadableFileKeeper* keeper,
                   QList<Entry>* list) {
    list->clear();
    keeper->setUnreadable(false);
    bool ok = true;
    if (!QFileInfo::exists(path) && QFileInfo::exists(originalPath)) {
        ok = CopyWholeFile(originalPath, path);
    }
    if (ok && QFileInfo::exists(path)) {
        ok = readTemplates(path, fieldsPerEntry, list);
        keeper->setUnreadable(!ok);
    }
    if (!ok) {
        ShowMessage(failureMessage, MessageIcon::Critical);
    }
    // The editors need entry 0.
    if (list->isEmpty()) {
        *list = noTemplateList<Entry>();
    }
}

template <typename Entry>
bool saveTemplates(const QString& path, const QList<Entry>& list, const QString& failureMessage,
                   UnreadableFileKeeper* keeper) {
    if (!keeper->keepBeforeReplacing(path)) {
        ShowMessage(failureMessage, MessageIcon::Critical);
        return false;
    }
    CsvWriter writer;
    writer.integer(list.size());
    writer.endLine();
    for (const Entry& entry : list) {
        writeEntry(writer, entry);
    }
    if (!writer.saveTo(path)) {
        ShowMessage(failureMessage, MessageIcon::Critical);
        return false;
    }
    return true;
}

}  // namespace

void LoadSkillTemplates() {
    loadTemplates(SkillTemplateFilePath(), SkillTemplateOriginalPath(), kSkillTemplateFields,
                  QStringLiteral("Tokugi.csvの読み込みに失敗しました"), &unreadableSkillFile,
                  &skillTemplates);
}

void LoadAbilityTemplates() {
    loadTemplates(AbilityTemplateFilePath(), AbilityTemplateOriginalPath(), kAbilityTemplateFields,
                  QStringLiteral("Capa.csvの読み込みに失敗しました"), &unreadableAbilityFile,
                  &abilityTemplates);
}

bool SaveSkillTemplates() {
    return saveTemplates(SkillTemplateFilePath(), skillTemplates,
                         QStringLiteral("Tokugi.csvの保存に失敗しました"), &unreadableSkillFile);
}

bool SaveAbilityTemplates() {
    return saveTemplates(AbilityTemplateFilePath(), abilityTemplates,
                         QStringLiteral("Capa.csvの保存に失敗しました"), &unreadableAbilityFile);
}
