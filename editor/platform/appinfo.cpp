#include "appinfo.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString dataFolderOverride;

QString withTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

QString AppTitle() { return QStringLiteral("Tessaril新武将まとめ補助エディタ"); }

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

QString DataFolder() {
    if (!dataFolderOverride.isEmpty()) {
        return dataFolderOverride;
    }
    return withTrailingSeparator(ProgramFolder());
}

void SetDataFolder(const QString& folder) {
    dataFolderOverride = folder.isEmpty() ? QString() : withTrailingSeparator(QDir::fromNativeSeparators(folder));
}
