#include <QFileInfo>

#include "appinfo.h"

bool CanWriteFolder(const QString& folder) {
    return QFileInfo(folder).isWritable();
}
