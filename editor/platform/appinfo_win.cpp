#include <QFileInfo>
#include <QTemporaryFile>

#include <string>

#include <windows.h>

#include "appinfo.h"

// A folder's attributes say nothing about its access list (Program Files is not read-only),
// so the only sure answer is to try. The program's manifest keeps the system from quietly
// redirecting the attempt into a per-user copy of the folder.
bool CanWriteFolder(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.drovantel-write-test-XXXXXX"));
    return probe.open();
}

QString ExecutableFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return QFileInfo(QString::fromWCharArray(path.data(), static_cast<qsizetype>(length)))
        .absolutePath();
}

QString SharedLibraryFileName(const QString& baseName) {
    return baseName + QStringLiteral(".dll");
}

// Windows always has its desktop.
bool DisplayAvailable() {
    return true;
}
