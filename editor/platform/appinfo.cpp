#include "appinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString dataFolderOverride;

QString withTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

const ProgramLayout& programLayout() {
    static const ProgramLayout layout = [] {
        return ChooseProgramLayout(
            ProgramFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }();
    return layout;
}

}  // namespace

QString AppTitle() {
    return QStringLiteral("Tessaril新武将まとめ補助エディタ");
}

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

ProgramLayout ChooseProgramLayout(const QString& programFolder, const QString& perUserFolder) {
    const QDir program(programFolder);
    const QString systemShared = program.absoluteFilePath(QStringLiteral("../share/drovantel"));
    ProgramLayout layout;
    if (QFileInfo(systemShared).isDir()) {
        layout.libraryFolder = program.absoluteFilePath(QStringLiteral("../lib/drovantel"));
        layout.shippedDataFolder = systemShared;
        layout.playerDataFolder = perUserFolder;
    } else {
        layout.libraryFolder = programFolder;
        layout.shippedDataFolder = programFolder;
        layout.playerDataFolder = CanWriteFolder(programFolder) ? programFolder : perUserFolder;
    }
    for (QString* folder :
         {&layout.libraryFolder, &layout.shippedDataFolder, &layout.playerDataFolder}) {
        *folder = withTrailingSeparator(QDir::cleanPath(*folder));
    }
    // The per-user folder may not exist yet; the first save would fail without it.
    QDir().mkpath(layout.playerDataFolder);
    return layout;
}

QString LibraryFolder() {
    return programLayout().libraryFolder;
}

QString ShippedDataFolder() {
    return dataFolderOverride.isEmpty() ? programLayout().shippedDataFolder : dataFolderOverride;
}

QString PlayerDataFolder() {
    return dataFolderOverride.isEmpty() ? programLayout().playerDataFolder : dataFolderOverride;
}

void SetDataFolder(const QString& folder) {
    dataFolderOverride =
        folder.isEmpty() ? QString() : withTrailingSeparator(QDir::fromNativeSeparators(folder));
}
