#include "sheettarget.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "../platform/codepage.h"
#include "../platform/nativepath.h"
#include "rostersheet.h"

namespace {

// Sorted and without repeats, so that two lists compare as the sets of their cells would. A
// set would hash every cell, and the command line's export checks its target at every run.
QStringList distinctSorted(QStringList cells) {
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

// The cells of the file's first line, as a sheet of this program or a spreadsheet saved it,
// sorted and without repeats.
QStringList firstLineCells(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray line = file.readLine(64 * 1024);
    if (line.startsWith("\xEF\xBB\xBF")) {
        line.remove(0, 3);
    }
    while (line.endsWith('\n') || line.endsWith('\r')) {
        line.chop(1);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    if (utf8.hasError()) {
        text = DecodeCp932(line);
    }
    QStringList cells;
    for (QString cell : text.split(u',')) {
        cell = cell.trimmed();
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"')) {
            cell = cell.mid(1, cell.size() - 2);
        }
        cells.append(cell);
    }
    return distinctSorted(cells);
}

}  // namespace

SheetTargetProblem CheckSheetTarget(const QString& target, const QString& personFilePath) {
    const QFileInfo info(target);
    if (!info.exists()) {
        return SheetTargetProblem::None;
    }
    if (!info.isFile()) {
        return SheetTargetProblem::NotAFile;
    }
    std::error_code error;
    if (std::filesystem::equivalent(NativePath(target), NativePath(personFilePath), error)) {
        return SheetTargetProblem::IsTheSource;
    }
    // An empty file holds nothing to lose.
    if (info.size() == 0) {
        return SheetTargetProblem::None;
    }
    return firstLineCells(target) == distinctSorted(SheetCaptions())
               ? SheetTargetProblem::None
               : SheetTargetProblem::NotASheet;
}

QString DescribeSheetTargetProblem(SheetTargetProblem problem, const QString& target) {
    switch (problem) {
        case SheetTargetProblem::None:
            break;
        case SheetTargetProblem::NotAFile:
            return QStringLiteral("%1 はファイルではないため、書き出しませんでした").arg(target);
        case SheetTargetProblem::IsTheSource:
            return QStringLiteral("%1 は開いている武将ファイルのため、書き出しませんでした")
                .arg(target);
        case SheetTargetProblem::NotASheet:
            return QStringLiteral("%1 は表ではないため、上書きしませんでした").arg(target);
    }
    return {};
}
