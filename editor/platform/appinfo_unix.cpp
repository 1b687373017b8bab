#include <QFileInfo>

#include "appinfo.h"

bool CanWriteFolder(const QString& folder) {
    return QFileInfo(folder).isWritable();
}

QString ExecutableFolder() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString SharedLibraryFileName(const QString& baseName) {
    return QStringLiteral("lib") + baseName + QStringLiteral(".so");
}

bool DisplayAvailable() {
    // A platform chosen on purpose (offscreen, a test's) is left to Qt.
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(name)) {
            return true;
        }
    }
    return false;
}
