// The list's context menu entries that take every general of the open file to a spreadsheet
// and back, with their file dialogs and messages.
#pragma once

#include <QString>

#include <functional>

class ExistingGenerals;
class OpenGenerals;
class QWidget;
class RosterSheetImport;

// Asks for a file name beside the person file and writes the sheet there.
void ExportSheetFromWindow(QWidget* parent, const QString& personFilePath,
                           const OpenGenerals& generals, const ExistingGenerals& existing);

// Asks for a sheet, reads and checks it against generals, shows every problem or asks before
// the changes, and hands a confirmed import to apply.
void ImportSheetFromWindow(QWidget* parent, const QString& personFilePath,
                           const OpenGenerals& generals, const ExistingGenerals& existing,
                           const std::function<void(const RosterSheetImport&)>& apply);
