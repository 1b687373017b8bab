// Every general of the open file as a spreadsheet (CSV) and back: the sheet shows each general
// as the general list does, and a sheet read back changes only what an editor could have set.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

#include "existinggenerals.h"
#include "marks.h"
#include "personrecord.h"

// The caption of the sheet's first column, the roster index.
QString SheetIndexCaption();
// The sheet's captions: the roster index, then the list's columns without its key column.
QStringList SheetCaptions();

// The generals in slot order with their marks: UTF-8 with a byte-order mark, CR LF line ends,
// fields quoted where they must be. The affinity cells name existing generals.
QByteArray ExportRosterSheet(const OpenGenerals& generals, const ExistingGenerals& existing);
// Writes ExportRosterSheet(generals, existing) to path, whole or not at all; false when it
// could not.
bool SaveRosterSheet(const QString& path, const OpenGenerals& generals,
                     const ExistingGenerals& existing);
// A sheet of a full file is about 40 KB; one far larger is refused at once.
inline constexpr qsizetype kMaxSheetFileSize = 1024 * 1024;

// Reads a sheet file whole; false, with one line saying why in *error, when it is no regular
// file, cannot be read or is far too large to be a sheet.
bool ReadSheetFile(const QString& path, QByteArray* content, QString* error);

struct SheetProblem {
    int row;         // the sheet's row, the captions being row 1; 0 for the sheet as a whole
    QString column;  // the column's caption
    QString cell;
    QString reason;
};

// One cell of the list that an import changes.
struct SheetChange {
    int index;  // roster index
    QString name;
    QString column;
    QString before;
    QString after;
};

// A sheet read against the open generals. Reading changes nothing: it finds every problem or,
// when there is none, works out what the sheet changes.
class RosterSheetImport {
  public:
    // The affinity cells are compared with the names existing generals give them.
    RosterSheetImport(const QByteArray& content, const OpenGenerals& generals,
                      const ExistingGenerals& existing);

    // Every problem: a sheet that is no sheet of ours (too large, not comma-separated, not
    // UTF-8 or the Windows code page) has one; a row that breaks a rule of the skills is a
    // problem, so that reading the same sheet again changes nothing.
    const QList<SheetProblem>& problems() const { return problems_; }
    // Every changed cell: the marks first, then the rest, each by general in slot order, then
    // by column. Linked rules of the
    // skills and the editors' own rules can change cells the sheet left as they were.
    const QList<SheetChange>& changes() const { return changes_; }
    // The roster indexes of the changed generals, ascending.
    QList<int> indexes() const;
    // Puts the changed records and marks in place in generals, the ones the sheet was read
    // against. Only for a sheet without problems.
    void apply(OpenGenerals& generals) const;

  private:
    struct Result {
        int index;
        PersonRecord record;
        MarkEntry marks;
    };
    QList<SheetProblem> problems_;
    QList<SheetChange> changes_;
    std::vector<Result> results_;
};

// The problems, one per line, the first `shown` of them and a count of the rest.
QString DescribeSheetProblems(const QList<SheetProblem>& problems, int shown = 20);
// "001 名前 名声: 120 → 300"
QString DescribeSheetChange(const SheetChange& change);
// The question before an import, with the first `shown` changes.
QString SheetImportQuestion(const RosterSheetImport& import, int shown = 10);
