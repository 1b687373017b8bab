// Keeping a copy of a file beside it before the program writes over it.
#pragma once

#include <QString>

// Copies the regular file at path to path + ".bak", replacing an older copy. The copy is made
// whole or not at all: on any failure an older copy stays as it was. False when it failed.
bool BackUpFile(const QString& path);
