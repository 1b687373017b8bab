#include "unreadablefile.h"

#include <QFile>
#include <QFileInfo>

bool UnreadableFileKeeper::keepBeforeReplacing(const QString& path) {
    if (!pending_) {
        return true;
    }
    const QString backup = path + QStringLiteral(".bak");
    if (QFileInfo::exists(path)) {
        if (QFileInfo::exists(backup) && !QFile::remove(backup)) {
            return false;
        }
        if (!QFile::copy(path, backup)) {
            return false;
        }
    }
    pending_ = false;
    return true;
}
