// The editor's side of the person file library: the library is loaded on first use, from the
// program's folder first, and each function is looked up by name when first called and kept.
// When the library or one of its functions can't be found, the user gets a critical message
// naming the file, and the call returns nothing so that only that operation stops.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

#include "drovantel.h"

inline constexpr int kRecordSize = VRX_RECORD_SIZE;
using RecordBytes = std::array<std::uint8_t, kRecordSize>;

namespace PersonFileLibrary {

// The dialog result: VRX_FILE_CHOSEN when a file was chosen (path then holds it), 0 when
// cancelled, else the dialog's error code. On any other result, path is left as it was.
// ownerWindow is the native handle of the owning window (QWidget::winId), or null.
std::optional<int> openFileDialog(QString* path, void* ownerWindow);
std::optional<int> readPersonFile(const QString& path);
std::optional<int> writePersonFile(const QString& path);
std::optional<int> readPerson(RecordBytes* record, int slot);
std::optional<int> writePerson(const RecordBytes& record, int slot);

// The name of the library file as the user would look for it.
QString libraryFileName();

// For tests: look for the library under another base name (without prefix or suffix) from
// now on, forgetting what was loaded. An empty name restores the usual search.
void useLibraryBaseName(const QString& baseName);

}  // namespace PersonFileLibrary
