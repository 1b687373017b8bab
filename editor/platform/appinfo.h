// The program's name, version and folder.
#pragma once

#include <QString>

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionRevision = 5;

// The title of every message box and the start of every window title.
QString AppTitle();

// The folder of the data files, with a trailing separator. It is the program's own folder;
// tests point it elsewhere with SetDataFolder.
QString DataFolder();
void SetDataFolder(const QString& folder);

// The program's folder, where the person file library is looked for first.
QString ProgramFolder();
