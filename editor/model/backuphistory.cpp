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

namespace {

struct Copy {
    QString path;
    QDateTime made;  // the copy's modification time: the order in which the copies were made
    CopyOrder order;
};

// The dated copies in folder, in the order they were made, oldest first. A new copy's time is
// set after the newest one's whatever the clock says, so a clock set back does not make it
// look old; copies made within one file-time tick go by their names.
QList<Copy> copiesIn(const QString& folderPath) {
    const QDir folder(folderPath);
    QList<Copy> copies;
    for (const QString& name : folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const CopyOrder order = OrderOf(name);
        if (!order.stamp.isEmpty()) {
            const QString path = folder.filePath(name);
            copies.append({path, QFileInfo(path).lastModified(), order});
        }
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return a.made != b.made ? a.made < b.made : a.order < b.order;
    });
    return copies;
}

}  // namespace

QStringList DatedBackups(const QString& personFilePath) {
    QStringList paths;
    for (const Copy& copy : copiesIn(DatedBackupFolder(personFilePath))) {
        paths.append(copy.path);
    }
    return paths;
}

bool KeepDatedBackup(const QString& personFilePath, const QByteArray& contents,
                     const QDateTime& when) {
    const QString folder = DatedBackupFolder(personFilePath);
    if (!QDir().mkpath(folder)) {
        return false;
    }
    QList<Copy> copies = copiesIn(folder);
    if (!copies.isEmpty()) {
        QByteArray newest;
        if (ReadWholeFile(copies.last().path, &newest) && newest == contents) {
            return true;  // the newest copy already holds it
        }
    }

    // The next number of its second: a freed lower number would sort before the copies kept.
    const QString stamp = when.toString(kStampFormat);
    int number = 0;
    for (const Copy& copy : std::as_const(copies)) {
        if (copy.order.stamp == stamp) {
            number = std::max(number, copy.order.number);
        }
    }
    QString name;
    do {
        ++number;
        name = stamp + (number > 1 ? QStringLiteral("-%1").arg(number) : QString()) + kSuffix;
    } while (QFileInfo::exists(folder + name));
    const QString path = folder + name;
    if (!WriteWholeFile(path, contents)) {
        return false;
    }
    QDateTime made = when;
    if (!copies.isEmpty() && copies.last().made.addSecs(1) > made) {
        made = copies.last().made.addSecs(1);
    }
    QFile copy(path);
    if (!copy.open(QIODevice::ReadWrite) ||
        !copy.setFileTime(made, QFileDevice::FileModificationTime)) {
        return true;  // kept, though it may sort among the older ones; nothing is removed
    }
    copy.close();

    copies = copiesIn(folder);
    for (qsizetype i = 0; i + kKeptDatedBackups < copies.size(); ++i) {
        if (copies.at(i).path != path) {
            QFile::remove(copies.at(i).path);
        }
    }
    return true;
}
