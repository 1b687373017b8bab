// The program's name, version and folders.
#pragma once

#include <QString>

#include "version.h"

// The title of every message box and the start of every window title.
QString AppTitle();

// Where the program finds its library and its data files, each with a trailing separator.
// A program folder of its own (the portable folder) holds everything, and the player's
// files too as long as the player can write there; otherwise the player's files live in the
// per-user data folder. A system install keeps the library and the shipped files in the
// system's folders beside the program's (lib/drovantel/ and share/drovantel/ next to bin/),
// and the player's files always in the per-user folder.
struct ProgramLayout {
    QString libraryFolder;
    QString shippedDataFolder;  // General.csv, Capaorg.csv, Tokugiorg.csv: only read
    QString playerDataFolder;   // Capa.csv, Tokugi.csv, Mark.csv and their .bak copies
};
ProgramLayout ChooseProgramLayout(const QString& programFolder, const QString& perUserFolder);

// The layout of this run: chosen on first use and kept. Tests point both data folders at
// one folder with SetDataFolder (an empty folder goes back to the chosen layout).
QString LibraryFolder();
QString ShippedDataFolder();
QString PlayerDataFolder();
void SetDataFolder(const QString& folder);

// The program's folder, where the person file library is looked for first.
QString ProgramFolder();

// The program's folder, asked of the system itself: usable before any application object
// exists.
QString ExecutableFolder();

// The file name of a shared library of the program ("Drovantel" -> libDrovantel.so or
// Drovantel.dll).
QString SharedLibraryFileName(const QString& baseName);

// Whether a window can be shown at all: without a display, Qt would end the program with an
// abort.
bool DisplayAvailable();

// Whether the player may create files in a folder (the system's own answer, not a guess from
// the folder's mode bits where the system has access lists).
bool CanWriteFolder(const QString& folder);
