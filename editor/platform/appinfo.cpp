#include "appinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "../model/wholefile.h"

namespace {

QString dataFolderOverride;

QString withTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A desktop file finds an icon of its own only by an absolute path, and the program folder can
// be moved: the folder's drovantel.desktop is pointed at the icon where the folder now is.
void pointDesktopEntryAtIcon(const QString& folder) {
    QFile entry(folder + QStringLiteral("drovantel.desktop"));
    if (!entry.open(QIODevice::ReadOnly)) {
        return;
    }
    QList<QByteArray> lines = entry.readAll().split('\n');
    entry.close();
    const QByteArray iconLine = "Icon=" + (folder + QStringLiteral("drovantel.svg")).toUtf8();
    bool changed = false;
    for (QByteArray& line : lines) {
        if (line.startsWith("Icon=") && line != iconLine) {
            line = iconLine;
            changed = true;
        }
    }
    if (changed) {
        // A failure leaves the entry as it was; the program runs on without its icon.
        WriteWholeFile(entry.fileName(), lines.join('\n'));
    }
}

const ProgramLayout& programLayout() {
    static const ProgramLayout layout = [] {
        ProgramLayout chosen = ChooseProgramLayout(
            ProgramFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        if (chosen.playerDataFolder == chosen.libraryFolder) {
            pointDesktopEntryAtIcon(chosen.libraryFolder);
        }
        return chosen;
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
