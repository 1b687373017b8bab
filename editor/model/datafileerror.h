// What went wrong with one of the program's data files, told by the loaders and savers; the
// window shows it in a message box, the command line as a line.
#pragma once

#include <QString>

struct DataFileError {
    enum class Kind {
        ReadFailed,    // the file could not be read to its proper end
        CreateFailed,  // the file could not be made from its shipped original
        SaveFailed,    // the file could not be written
    };
    Kind kind = Kind::ReadFailed;
    QString fileName;      // "General.csv", "Tokugi.csv", ...
    QString originalName;  // CreateFailed: the shipped original used instead

    // The text the player sees.
    QString message() const;
    bool operator==(const DataFileError&) const = default;
};
