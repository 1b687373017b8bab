#include "rostersheet.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <optional>
#include <string>

#include "../platform/codepage.h"
#include "abilitydraw.h"
#include "birthshift.h"
#include "csv.h"
#include "listcolumns.h"
#include "markedit.h"
#include "roster.h"
#include "unusablefile.h"
#include "wholefile.h"

namespace {

QString sheetTooLargeReason() {
    return QStringLiteral("表として大きすぎます（%1 MiB まで）")
        .arg(kMaxSheetFileSize / (1024 * 1024));
}

// The sheet's own column before the list's columns.
constexpr int kIndexColumn = -1;
// The bounds of what the editors' boxes offer.
constexpr int kLowestFame = 1;
constexpr int kHighestFame = 500;
constexpr int kLowestAbility = 1;
constexpr int kHighestAbility = 100;
constexpr int kMeishiFame = 200;
constexpr int kGunshiIntelligence = 70;
constexpr int kIntelligence = 2;  // the ability that 軍師 needs
// A sheet of a full file is about 40 KB in 111 lines of 69 cells; anything far beyond that is
// no sheet of ours, and is refused before it costs time or memory.
constexpr int kMaxSheetLines = 1 + kRosterCapacity;
constexpr int kMaxSheetColumns = 200;
// Cells are cut to this length where a message repeats them.
constexpr int kShownCellLength = 40;

// The list columns that the sheet carries, in sheet order after the index.
QList<int> sheetColumns() {
    QList<int> columns;
    for (int column = 0; column < kListColumnCount; ++column) {
        if (column != kKeyColumn) {
            columns.append(column);
        }
    }
    return columns;
}

// The sheet as it is built: appending to a plain buffer stays inline, where every append to
// a QString is a library call, and the export makes some 15,000 of them.
using SheetText = std::u16string;

// Appends one field, quoted where it must be. One look at each character: the export writes
// every cell of the file this way, on the command line at every run.
void appendField(SheetText* out, QStringView text) {
    if (text.isEmpty()) {
        return;  // most cells: the skills a general lacks
    }
    bool quote = text.front() == u' ' || text.back() == u' ';
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out->append(text.utf16(), static_cast<size_t>(text.size()));
        return;
    }
    out->push_back(u'"');
    for (const QChar c : text) {
        if (c == u'"') {
            out->push_back(u'"');
        }
        out->push_back(c.unicode());
    }
    out->push_back(u'"');
}

// A number as QString::number writes it.
void appendNumber(SheetText* out, int value) {
    char digits[16];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    for (const char* digit = digits; digit != end; ++digit) {
        out->push_back(static_cast<char16_t>(*digit));
    }
}

// The cells that are most of the sheet, the skill marks and the numbers, written straight from
// the record as ListCellText gives them, without a string for each; false for any other column.
bool appendPlainCell(SheetText* out, const PersonRecord& record, int column) {
    if (column >= kFirstSkillColumn && column < kListColumnCount) {
        if (GetSkill(record, column - kFirstSkillColumn)) {
            out->push_back(u'○');
        }
        return true;
    }
    if (column >= kFirstAbilityColumn && column < kFirstSettingColumn) {
        appendNumber(out, record.ability(column - kFirstAbilityColumn));
        return true;
    }
    if (column == kBirthColumn || column == kFameColumn) {
        appendNumber(out, column == kBirthColumn ? record.birthYear() : record.fame());
        return true;
    }
    return false;
}

void appendLine(SheetText* out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out->push_back(u',');
        }
        appendField(out, fields[i]);
    }
    out->append(u"\r\n");
}

// Spreadsheets save UTF-8, with or without a byte-order mark; one saving in the Windows
// code page is read in that. Text with NUL bytes (UTF-16, a spreadsheet's own format) is
// neither: nothing is returned.
std::optional<QString> decodeSheet(const QByteArray& content) {
    QByteArrayView bytes(content);
    if (bytes.contains('\0')) {
        return std::nullopt;
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        return DecodeCp932(bytes);
    }
    return text;
}

bool allEmpty(const QStringList& record) {
    return std::all_of(record.begin(), record.end(),
                       [](const QString& cell) { return cell.trimmed().isEmpty(); });
}

// The records that hold anything, each with its row number in the sheet.
struct ParsedSheet {
    QList<QStringList> rows;
    QList<int> rowNumbers;
    // Set when the sheet is refused whole.
    QString refusal;
};

// Records of comma-separated fields, quoted fields with doubled quotes inside; CR LF, LF and
// CR end a record alike. Records of empty cells (spreadsheets write them below the data) are
// dropped. Stops at the first record beyond the limits.
ParsedSheet parseCsv(const QString& text) {
    ParsedSheet sheet;
    QStringList record;
    QString field;
    bool quoted = false;
    bool recordOpen = false;
    int rowNumber = 0;
    const auto endRecord = [&] {
        record.append(field);
        field.clear();
        ++rowNumber;
        if (!allEmpty(record)) {
            sheet.rows.append(record);
            sheet.rowNumbers.append(rowNumber);
        }
        record.clear();
        recordOpen = false;
    };
    const auto tooLarge = [&] {
        if (record.size() >= kMaxSheetColumns) {
            sheet.refusal = QStringLiteral("列が多すぎます（%1列まで）").arg(kMaxSheetColumns);
        } else if (sheet.rows.size() > kMaxSheetLines) {
            sheet.refusal = QStringLiteral("行が多すぎます（見出しと武将%1人の%2行まで）")
                                .arg(kRosterCapacity)
                                .arg(kMaxSheetLines);
        }
        return !sheet.refusal.isEmpty();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.append(c);
            }
            continue;
        }
        recordOpen = true;
        if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == u',') {
            record.append(field);
            field.clear();
            if (tooLarge()) {
                return sheet;
            }
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
            endRecord();
            if (tooLarge()) {
                return sheet;
            }
        } else {
            field.append(c);
        }
    }
    if (recordOpen) {
        endRecord();
        tooLarge();
    }
    return sheet;
}

// A cell cut to a length a message can repeat.
QString shownCell(const QString& cell) {
    return cell.size() > kShownCellLength ? cell.left(kShownCellLength) + QStringLiteral("…")
                                          : cell;
}

// A whole number as spreadsheets write it: with spaces around, in full-width digits, or with
// a zero fraction ("146.0" from a column formatted 0.0).
std::optional<int> wholeNumber(const QString& cell) {
    QString text = cell.trimmed();
    for (QChar& c : text) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) {
            c = QChar(c.unicode() - 0xFF01 + 0x21);  // full-width ASCII
        }
    }
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0) {
        const QStringView fraction = QStringView(text).sliced(point + 1);
        if (!std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == u'0'; })) {
            return std::nullopt;
        }
        text.truncate(point);
    }
    const bool digits = !text.isEmpty() && text.size() <= 10 &&
                        std::all_of(text.begin() + (text.startsWith(u'-') || text.startsWith(u'+')),
                                    text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int value = digits ? text.toInt(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<int> numberIn(const QString& cell, int low, int high) {
    const std::optional<int> value = wholeNumber(cell);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

QString rangeReason(int low, int high) {
    return QStringLiteral("%1～%2の数ではありません").arg(low).arg(high);
}

// A label with or without the spaces around it, which spreadsheets trim.
std::optional<int> settingCode(Setting field, const QString& cell) {
    for (int code = 0; code < SettingCodeCount(field); ++code) {
        if (SettingLabel(field, code).trimmed() == cell.trimmed()) {
            return code;
        }
    }
    return std::nullopt;
}

QString settingChoices(Setting field) {
    QStringList labels;
    for (int code = 0; code < SettingCodeCount(field); ++code) {
        labels.append(SettingLabel(field, code));
    }
    return labels.join(QStringLiteral("、"));
}

// Why a first line without one known caption is no sheet of ours: most often a spreadsheet
// saved it with other separators.
QString unknownSheetReason(const QStringList& captions) {
    const QString line = captions.join(u',');
    if (line.contains(u'\t') || line.contains(u';')) {
        return QStringLiteral(
            "セルがコンマ（,）で区切られていません（タブや「;」で区切られています）。"
            "コンマ区切りの CSV で保存して下さい");
    }
    return QStringLiteral(
        "1行目に表の見出し（番号,名前,…）がありません。"
        "文字コードが UTF-8 か Windows のコードページ（Shift-JIS）の、"
        "コンマ区切りの CSV で保存して下さい");
}

// What one row asks of its general; empty where the cell is as the list shows it.
struct RowEdit {
    std::array<std::optional<QString>, kMarkCount> marks;
    std::optional<int> birthYear;
    std::optional<int> fame;
    std::array<std::optional<int>, kAbilityCount> abilities;
    std::array<std::optional<int>, kSettingCount> settings;  // by list column order
    std::array<std::optional<bool>, kSkillCount> skills;
};

// The editors' order: values first, then what the ability and fame editors drop, then the
// skills, whose setting raises what they need.
void applyRowEdit(Roster& records, GeneralMarks& marks, int index, const RowEdit& edit) {
    for (int k = 0; k < kMarkCount; ++k) {
        if (edit.marks[k]) {
            marks[index].marks[k] = *edit.marks[k];
        }
    }
    PersonRecord& record = records[index];
    if (edit.birthYear) {
        ApplyBirthShift(records, {index}, *edit.birthYear - record.birthYear());
    }
    if (edit.fame) {
        record.setFame(static_cast<qint16>(*edit.fame));
        if (*edit.fame < kMeishiFame) {
            SetSkill(record, Skill::meishi, false);
        }
    }
    bool abilityChanged = false;
    for (int k = 0; k < kAbilityCount; ++k) {
        if (edit.abilities[k]) {
            record.setAbility(k, static_cast<qint16>(*edit.abilities[k]));
            abilityChanged = true;
        }
    }
    if (abilityChanged) {
        ApplyIntelligenceRule(records, {index});
    }
    for (int k = 0; k < kSettingCount; ++k) {
        if (edit.settings[k]) {
            record.setSetting(SettingOfColumn(kFirstSettingColumn + k),
                              static_cast<quint8>(*edit.settings[k]));
        }
    }
    for (int skill = 0; skill < kSkillCount; ++skill) {
        if (edit.skills[skill]) {
            SetSkill(record, skill, *edit.skills[skill]);
        }
    }
}

// The record routines' rules that a row must keep: the skills that need a value or another
// skill. A sheet that broke one would be changed by the import (the routines mend it), and the
// same sheet read again would change the general back.
struct StatedRow {
    int fame;
    int intelligence;
    int drinking;
    std::array<bool, kSkillCount> skills;
};

StatedRow statedRow(const PersonRecord& record, const RowEdit& edit) {
    StatedRow row;
    row.fame = edit.fame.value_or(record.fame());
    row.intelligence = edit.abilities[kIntelligence].value_or(record.ability(kIntelligence));
    const int drinkingColumn = [] {
        for (int column = kFirstSettingColumn; column <= kLastSettingColumn; ++column) {
            if (SettingOfColumn(column) == Setting::drinking) {
                return column - kFirstSettingColumn;
            }
        }
        return 0;
    }();
    row.drinking = edit.settings[drinkingColumn].value_or(record.setting(Setting::drinking));
    for (int skill = 0; skill < kSkillCount; ++skill) {
        row.skills[skill] = edit.skills[skill].value_or(GetSkill(record, skill));
    }
    return row;
}

// Each broken rule: the skill's column and why.
QList<std::pair<int, QString>> brokenRules(const StatedRow& row) {
    QList<std::pair<int, QString>> broken;
    const auto needsSkill = [&](int skill, int needed) {
        if (row.skills[skill] && !row.skills[needed]) {
            broken.append(
                {kFirstSkillColumn + skill,
                 QStringLiteral("%1には%2も要ります").arg(SkillName(skill), SkillName(needed))});
        }
    };
    needsSkill(Skill::hanron, Skill::kouben);
    needsSkill(Skill::ronpa, Skill::ageashi);
    needsSkill(Skill::menba, Skill::chouhatsu);
    if (row.skills[Skill::gunshi] && row.intelligence < kGunshiIntelligence) {
        broken.append({kFirstSkillColumn + Skill::gunshi,
                       QStringLiteral("軍師は知力%1以上の武将だけです（知力%2）")
                           .arg(kGunshiIntelligence)
                           .arg(row.intelligence)});
    }
    if (row.skills[Skill::meishi] && row.fame < kMeishiFame) {
        broken.append({kFirstSkillColumn + Skill::meishi,
                       QStringLiteral("名士は名声%1以上の武将だけです（名声%2）")
                           .arg(kMeishiFame)
                           .arg(row.fame)});
    }
    if (row.skills[Skill::shugou] && row.drinking == 0) {
        broken.append(
            {kFirstSkillColumn + Skill::shugou, QStringLiteral("酒豪は飲酒が%1の武将には付きません")
                                                    .arg(SettingLabel(Setting::drinking, 0))});
    }
    return broken;
}

bool asksNothing(const RowEdit& edit) {
    const auto unset = [](const auto& value) { return !value.has_value(); };
    return std::all_of(edit.marks.begin(), edit.marks.end(), unset) && !edit.birthYear &&
           !edit.fame && std::all_of(edit.abilities.begin(), edit.abilities.end(), unset) &&
           std::all_of(edit.settings.begin(), edit.settings.end(), unset) &&
           std::all_of(edit.skills.begin(), edit.skills.end(), unset);
}

class SheetChecker {
  public:
    SheetChecker(QList<SheetProblem>* problems, const OpenGenerals& generals,
                 const ExistingGenerals& existing)
        : problems_(problems), generals_(generals), existing_(existing) {}

    // Maps each caption to its list column; false when the rows cannot be matched.
    bool readCaptions(const QStringList& captions) {
        QHash<QString, int> known;
        known.insert(SheetIndexCaption(), kIndexColumn);
        for (const int column : sheetColumns()) {
            known.insert(ListColumnCaption(column), column);
        }
        if (std::none_of(captions.begin(), captions.end(),
                         [&](const QString& caption) { return known.contains(caption); })) {
            add(1, QString(), QString(), unknownSheetReason(captions));
            return false;
        }
        QSet<QString> seen;
        for (const QString& caption : captions) {
            if (!known.contains(caption)) {
                add(1, shownCell(caption), QString(), QStringLiteral("この表にない列です"));
                columns_.append(std::nullopt);
            } else if (seen.contains(caption)) {
                add(1, caption, QString(), QStringLiteral("同じ列が二度あります"));
                columns_.append(std::nullopt);
            } else {
                seen.insert(caption);
                columns_.append(known.value(caption));
            }
        }
        const QStringList wanted = SheetCaptions();
        for (const QString& caption : wanted) {
            if (!seen.contains(caption)) {
                add(1, caption, QString(), QStringLiteral("列がありません"));
            }
        }
        return seen.contains(SheetIndexCaption()) && seen.contains(ListColumnCaption(0));
    }

    // Checks one row; returns its general's index and what it asks, or nothing after a
    // problem that leaves the row without a general.
    std::optional<std::pair<int, RowEdit>> readRow(int row, const QStringList& cells) {
        const qsizetype problemsBefore = problems_->size();
        if (cells.size() != columns_.size()) {
            add(row, QString(), QString(),
                QStringLiteral("セルの数（%1）が列の数（%2）と合いません")
                    .arg(cells.size())
                    .arg(columns_.size()));
            return std::nullopt;
        }
        const std::optional<int> index = matchGeneral(row, cells);
        if (!index) {
            return std::nullopt;
        }
        const PersonRecord& record = generals_.record(*index);
        const MarkEntry& marks = generals_.marks(*index);
        RowEdit edit;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (!columns_[i] || *columns_[i] == kIndexColumn || *columns_[i] == 0) {
                continue;
            }
            const int column = *columns_[i];
            const QString& cell = cells[i];
            if (cell != ListCellText(record, &marks, column, existing_)) {
                readCell(row, column, cell, *index, &edit);
            }
        }
        // A row that asks for nothing keeps its general as the file has it, rules or not.
        if (problems_->size() == problemsBefore && !asksNothing(edit)) {
            for (const auto& [column, reason] : brokenRules(statedRow(record, edit))) {
                add(row, ListColumnCaption(column), QString(), reason);
            }
        }
        return std::make_pair(*index, edit);
    }

  private:
    void add(int row, const QString& column, const QString& cell, const QString& reason) {
        problems_->append({row, column, cell, reason});
    }

    QString cellOf(const QStringList& cells, int column) const {
        const auto at = std::find(columns_.begin(), columns_.end(), std::optional<int>(column));
        return at == columns_.end() ? QString() : cells[at - columns_.begin()];
    }

    std::optional<int> matchGeneral(int row, const QStringList& cells) {
        const QString indexCell = cellOf(cells, kIndexColumn);
        const std::optional<int> index = numberIn(indexCell, 1, generals_.count());
        if (!index) {
            add(row, SheetIndexCaption(), shownCell(indexCell),
                QStringLiteral("このファイルの武将の番号（1～%1）ではありません")
                    .arg(generals_.count()));
            return std::nullopt;
        }
        if (rowOfIndex_.contains(*index)) {
            add(row, SheetIndexCaption(), shownCell(indexCell),
                QStringLiteral("%1行目と同じ番号です").arg(rowOfIndex_.value(*index)));
            return std::nullopt;
        }
        rowOfIndex_.insert(*index, row);
        const QString nameCell = cellOf(cells, 0);
        if (nameCell.trimmed() != GetPersonName(generals_.record(*index)).trimmed()) {
            add(row, ListColumnCaption(0), shownCell(nameCell),
                QStringLiteral("番号%1の武将（%2）ではありません")
                    .arg(*index)
                    .arg(GetPersonName(generals_.record(*index))));
            return std::nullopt;
        }
        return index;
    }

    void readCell(int row, int column, const QString& cell, int index, RowEdit* edit) {
        const PersonRecord& record = generals_.record(index);
        const QString caption = ListColumnCaption(column);
        const auto problem = [&](const QString& reason) {
            add(row, caption, shownCell(cell), reason);
        };
        if (column >= kFirstMarkColumn && column < kBirthColumn) {
            // As the mark editor's boxes take a typed text.
            const QString mark = WithCp932LookAlikes(cell);
            if (!IsStorableText(mark)) {
                problem(QStringLiteral("印に使えない文字があります"));
            } else if (mark != generals_.marks(index).marks[column - kFirstMarkColumn]) {
                edit->marks[column - kFirstMarkColumn] = mark;
            }
        } else if (column == kBirthColumn) {
            number(cell, kEarliestBirthYear, kLatestBirthYear, record.birthYear(), problem,
                   &edit->birthYear);
        } else if (column == kFameColumn) {
            number(cell, kLowestFame, kHighestFame, record.fame(), problem, &edit->fame);
        } else if (column >= kFirstAbilityColumn && column < kFirstSettingColumn) {
            const int k = column - kFirstAbilityColumn;
            number(cell, kLowestAbility, kHighestAbility, record.ability(k), problem,
                   &edit->abilities[k]);
        } else if (column >= kFirstSettingColumn && column <= kLastSettingColumn) {
            const Setting field = SettingOfColumn(column);
            const std::optional<int> code = settingCode(field, cell);
            if (!code) {
                problem(QStringLiteral("選べる値（%1）ではありません").arg(settingChoices(field)));
            } else if (*code != record.setting(field)) {
                edit->settings[column - kFirstSettingColumn] = code;
            }
        } else if (column == kPersonalAffinityColumn || column == kFactionAffinityColumn) {
            if (cell.trimmed() != ListCellText(record, nullptr, column, existing_).trimmed()) {
                problem(QStringLiteral("相性は表から変えられません"));
            }
        } else if (column >= kFirstSkillColumn) {
            const QString mark = cell.trimmed();
            if (mark != QStringLiteral("○") && !mark.isEmpty()) {
                problem(QStringLiteral("「○」か空欄ではありません"));
            } else {
                const bool on = !mark.isEmpty();
                if (on != GetSkill(record, column - kFirstSkillColumn)) {
                    edit->skills[column - kFirstSkillColumn] = on;
                }
            }
        }
    }

    template <typename Problem>
    static void number(const QString& cell, int low, int high, int current, Problem problem,
                       std::optional<int>* value) {
        if (wholeNumber(cell) == current) {
            return;  // the same number, written otherwise ("0190", " 190", "190.0")
        }
        *value = numberIn(cell, low, high);
        if (!*value) {
            problem(rangeReason(low, high));
        }
    }

    QList<SheetProblem>* problems_;
    const OpenGenerals& generals_;
    const ExistingGenerals& existing_;
    QList<std::optional<int>> columns_;
    QHash<int, int> rowOfIndex_;
};

}  // namespace

QString SheetIndexCaption() {
    return QStringLiteral("番号");
}

QStringList SheetCaptions() {
    QStringList captions = {SheetIndexCaption()};
    for (const int column : sheetColumns()) {
        captions.append(ListColumnCaption(column));
    }
    return captions;
}

QByteArray ExportRosterSheet(const OpenGenerals& generals, const ExistingGenerals& existing) {
    const QList<int> columns = sheetColumns();
    SheetText text;
    text.reserve(400 * static_cast<size_t>(generals.count() + 1));
    // The byte-order mark, which spreadsheets take for UTF-8, converted with the rest.
    text.push_back(u'\uFEFF');
    appendLine(&text, SheetCaptions());
    for (int index = 1; index <= generals.count(); ++index) {
        const PersonRecord& record = generals.record(index);
        appendNumber(&text, index);
        text.push_back(u',');
        appendField(&text, GetPersonName(record));
        for (const int column : columns) {
            if (column != 0) {
                text.push_back(u',');
                if (!appendPlainCell(&text, record, column)) {
                    appendField(&text,
                                ListCellText(record, &generals.marks(index), column, existing));
                }
            }
        }
        text.append(u"\r\n");
    }
    return QStringView(text).toUtf8();
}

bool SaveRosterSheet(const QString& path, const OpenGenerals& generals,
                     const ExistingGenerals& existing) {
    // Handed over as it is, not copied.
    QByteArray sheet = ExportRosterSheet(generals, existing);
    return WriteWholeFile(path, [&sheet](QByteArray* piece) {
        piece->swap(sheet);
        return true;
    });
}

bool ReadSheetFile(const QString& path, QByteArray* content, QString* error) {
    const QFileInfo file(path);
    if (file.isFile() && file.size() > kMaxSheetFileSize) {
        *error = QStringLiteral("%1: %2").arg(path, sheetTooLargeReason());
        return false;
    }
    const QString unusable = UnusableFileReason(path);
    if (!unusable.isEmpty()) {
        *error = unusable;
        return false;
    }
    if (!ReadWholeFile(path, content, kMaxSheetFileSize)) {
        *error = QStringLiteral("%1 を読み込めませんでした").arg(path);
        return false;
    }
    return true;
}

RosterSheetImport::RosterSheetImport(const QByteArray& content, const OpenGenerals& generals,
                                     const ExistingGenerals& existing) {
    if (content.size() > kMaxSheetFileSize) {
        problems_.append({0, {}, {}, sheetTooLargeReason()});
        return;
    }
    const std::optional<QString> text = decodeSheet(content);
    if (!text) {
        problems_.append(
            {0,
             {},
             {},
             QStringLiteral(
                 "文字コードが UTF-8 でも Windows のコードページ（Shift-JIS）でもありません"
                 "（UTF-16 などで保存されています）。UTF-8 の CSV で保存して下さい")});
        return;
    }
    const ParsedSheet sheet = parseCsv(*text);
    if (!sheet.refusal.isEmpty()) {
        problems_.append({0, {}, {}, sheet.refusal});
        return;
    }
    const QList<QStringList>& rows = sheet.rows;
    SheetChecker checker(&problems_, generals, existing);
    if (rows.isEmpty() || sheet.rowNumbers[0] != 1) {
        problems_.append({1, {}, {}, unknownSheetReason({})});
        return;
    }
    if (!checker.readCaptions(rows[0])) {
        return;
    }
    // The edits are made on copies: reading the sheet changes nothing.
    Roster edited = generals.records();
    GeneralMarks editedMarks = generals.allMarks();
    QList<int> touched;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const auto row = checker.readRow(sheet.rowNumbers[i], rows[i]);
        if (row && problems_.isEmpty()) {
            applyRowEdit(edited, editedMarks, row->first, row->second);
            touched.append(row->first);
        }
    }
    if (!problems_.isEmpty()) {
        return;
    }
    std::sort(touched.begin(), touched.end());
    QList<SheetChange> otherChanges;
    for (const int index : touched) {
        bool changed = false;
        for (int column = kFirstMarkColumn; column < kListColumnCount; ++column) {
            const QString before =
                ListCellText(generals.record(index), &generals.marks(index), column, existing);
            const QString after =
                ListCellText(edited[index], &editedMarks[index], column, existing);
            if (before != after) {
                // Marks first: a spreadsheet that reformatted them ("01" → "1") shows there.
                const bool mark = column < kBirthColumn;
                (mark ? changes_ : otherChanges)
                    .append({index, GetPersonName(generals.record(index)),
                             ListColumnCaption(column), before, after});
                changed = true;
            }
        }
        // Bytes the list does not show (the linked year) still make a change.
        if (changed || edited[index].bytes() != generals.record(index).bytes()) {
            results_.push_back({index, edited[index], editedMarks[index]});
        }
    }
    changes_.append(otherChanges);
}

QList<int> RosterSheetImport::indexes() const {
    QList<int> result;
    for (const Result& general : results_) {
        result.append(general.index);
    }
    return result;
}

void RosterSheetImport::apply(OpenGenerals& generals) const {
    if (!problems_.isEmpty()) {
        return;
    }
    for (const Result& general : results_) {
        generals.record(general.index) = general.record;
        generals.marks(general.index) = general.marks;
    }
}

QString DescribeSheetProblems(const QList<SheetProblem>& problems, int shown) {
    QStringList lines;
    for (qsizetype i = 0; i < problems.size() && i < shown; ++i) {
        const SheetProblem& p = problems[i];
        // Row 0: the sheet as a whole.
        QString line = p.row > 0 ? QStringLiteral("%1行目").arg(p.row) : QStringLiteral("表");
        if (!p.column.isEmpty()) {
            line += QStringLiteral(" 「%1」").arg(p.column);
        }
        if (!p.cell.isEmpty()) {
            line += QStringLiteral(" \"%1\"").arg(p.cell);
        }
        lines.append(line + QStringLiteral(": ") + p.reason);
    }
    if (problems.size() > shown) {
        lines.append(QStringLiteral("ほか%1件").arg(problems.size() - shown));
    }
    return lines.join(u'\n');
}

QString DescribeSheetChange(const SheetChange& change) {
    const auto shown = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("（空）") : shownCell(text);
    };
    return QStringLiteral("%1 %2 %3: %4 → %5")
        .arg(change.index, 3, 10, QLatin1Char('0'))
        .arg(change.name, change.column, shown(change.before), shown(change.after));
}

QString SheetImportQuestion(const RosterSheetImport& import, int shown) {
    QString text = QStringLiteral("%1人の%2項目を変更します。よろしいですか？")
                       .arg(import.indexes().size())
                       .arg(import.changes().size());
    const QList<SheetChange>& changes = import.changes();
    for (qsizetype i = 0; i < changes.size() && i < shown; ++i) {
        text += u'\n' + DescribeSheetChange(changes[i]);
    }
    if (changes.size() > shown) {
        text += QStringLiteral("\nほか%1項目").arg(changes.size() - shown);
    }
    return text;
}
