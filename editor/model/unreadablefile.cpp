#include "unreadablefile.h"

#include <QFileInfo>

#include "filebackup.h"

bool UnreadableFileKeeper::keepBeforeReplacing(const QString& path) {
    if (!pending_) {
        return true;
    }
    if (QFileInfo::exists(path) && !BackUpFile(path)) {
        return false;
    }
    pending_ = false;
    return true;
}
