// Where a sheet may be written: never over the person file it comes from, nor over a file that
// holds something else than a sheet.
#pragma once

#include <QString>

enum class SheetTargetProblem {
    None,
    NotAFile,     // it exists and is a folder, a device or a pipe
    IsTheSource,  // it is the person file itself (links followed)
    NotASheet,    // an existing file whose first line is not the sheet's captions
};

SheetTargetProblem CheckSheetTarget(const QString& target, const QString& personFilePath);
// What the player is told when the sheet was not written for problem.
QString DescribeSheetTargetProblem(SheetTargetProblem problem, const QString& target);
