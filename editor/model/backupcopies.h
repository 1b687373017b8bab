// The dated backups of the open person file as the player chooses among them: when each was
// made, its size, whether its generals can take the open ones' place, and how many differ.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

#include "../platform/personfilelibrary.h"

class OpenGenerals;

// The records of a person file's contents, read as the library reads the file: after the
// 4-byte header, whole records up to the end marker (first word -1), the end or the 110th.
std::vector<RecordBytes> PersonFileRecords(const QByteArray& contents);

struct BackupCopy {
    enum class Kind {
        Usable,
        Unreadable,  // not a regular file, or it could not be read
        OtherCount,  // a person file with another number of generals
    };
    QString path;
    QDateTime made;  // local time
    qint64 size = 0;
    Kind kind = Kind::Unreadable;
    std::vector<RecordBytes> records;
    // The generals whose record differs from the open one's (usable copies only).
    int differingGenerals = 0;

    bool isUsable() const { return kind == Kind::Usable; }
};

// The dated backups of the file at personFilePath, newest first, each compared with generals.
QList<BackupCopy> BackupCopiesOf(const QString& personFilePath, const OpenGenerals& generals);
