// What keeps a path from being read as a file, in the player's words.
#pragma once

#include <QString>

// Empty for a regular file; otherwise one line that says what the path is instead (missing,
// a folder, a pipe or a device).
QString UnusableFileReason(const QString& path);
