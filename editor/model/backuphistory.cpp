#include "backuphistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "../platform/appinfo.h"
#include "wholefile.h"

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kSuffix = QStringLiteral(".vrx");

// The place of a copy's name among its folder's copies: its time, then its number within that
// second (the first of a second has none). Names of other files get an empty stamp.
struct CopyOrder {
    QString stamp;
    int number = 0;
    bool operator<(const CopyOrder& other) const {
        return stamp != other.stamp ? stamp < other.stamp : number < other.number;
    }
};

CopyOrder OrderOf(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d+))?\\.vrx$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch()) {
        return {};
    }
    return {match.captured(1), match.hasCaptured(2) ? match.captured(2).toInt() : 1};
}

}  // namespace

QString DatedBackupFolder(const QString& personFilePath) {
    return PlayerDataFolder() + QStringLiteral("backup/") + QFileInfo(personFilePath).fileName() +
           QLatin1Char('/');
}

QStringList DatedBackups(const QString& personFilePath) {
    const QDir folder(DatedBackupFolder(personFilePath));
    QStringList names;
    for (const QString& name : folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        if (!OrderOf(name).stamp.isEmpty()) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return OrderOf(a) < OrderOf(b); });
    for (QString& name : names) {
        name = folder.filePath(name);
    }
    return names;
}

bool KeepDatedBackup(const QString& personFilePath, const QByteArray& contents,
                     const QDateTime& when) {
    const QString folder = DatedBackupFolder(personFilePath);
    if (!QDir().mkpath(folder)) {
        return false;
    }
    QStringList copies = DatedBackups(personFilePath);
    if (!copies.isEmpty()) {
        QByteArray newest;
        if (ReadWholeFile(copies.last(), &newest) && newest == contents) {
            return true;  // the newest copy already holds it
        }
    }

    const QString stamp = when.toString(kStampFormat);
    QString name = stamp + kSuffix;
    for (int number = 2; QFileInfo::exists(folder + name); ++number) {
        name = stamp + QStringLiteral("-%1").arg(number) + kSuffix;
    }
    if (!WriteWholeFile(folder + name, contents)) {
        return false;
    }

    copies = DatedBackups(personFilePath);
    for (qsizetype i = 0; i + kKeptDatedBackups < copies.size(); ++i) {
        QFile::remove(copies.at(i));
    }
    return true;
}
