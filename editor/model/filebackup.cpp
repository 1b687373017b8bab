#include "filebackup.h"

#include "wholefile.h"

bool BackUpFile(const QString& path) {
    return CopyWholeFile(path, path + QStringLiteral(".bak"));
}
