#include "backupcopies.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <cstring>

#include "backuphistory.h"
#include "roster.h"
#include "wholefile.h"

namespace {

// A dated copy's name holds the local time the clock showed when it was made; a copy was
// perhaps renamed by hand, so its file time stands in then.
QDateTime madeTime(const QFileInfo& file) {
    static const QRegularExpression stamp(QStringLiteral("^(\\d{8}-\\d{6})"));
    const QRegularExpressionMatch match = stamp.match(file.fileName());
    if (match.hasMatch()) {
        QDateTime when =
            QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        if (when.isValid()) {
            return when;
        }
    }
    return file.lastModified();
}

// Larger than any person file: whatever lies past 110 records is never read.
constexpr qint64 kLargestCopy = 16 * 1024 * 1024;

}  // namespace

std::vector<RecordBytes> PersonFileRecords(const QByteArray& contents) {
    std::vector<RecordBytes> records;
    for (qsizetype at = VRX_HEADER_SIZE;
         at + kRecordSize <= contents.size() && records.size() < size_t{VRX_MAX_RECORDS};
         at += kRecordSize) {
        qint32 first = 0;
        std::memcpy(&first, contents.constData() + at, sizeof first);
        if (qFromLittleEndian(first) == -1) {
            break;
        }
        RecordBytes bytes{};
        std::memcpy(bytes.data(), contents.constData() + at, kRecordSize);
        records.push_back(bytes);
    }
    return records;
}

QList<BackupCopy> BackupCopiesOf(const QString& personFilePath, const OpenGenerals& generals) {
    QList<BackupCopy> copies;
    const QStringList paths = DatedBackups(personFilePath);
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        const QFileInfo file(*path);
        BackupCopy copy;
        copy.path = *path;
        copy.made = madeTime(file);
        copy.size = file.size();
        QByteArray contents;
        if (ReadWholeFile(*path, &contents, kLargestCopy)) {
            copy.records = PersonFileRecords(contents);
            copy.kind = static_cast<int>(copy.records.size()) == generals.count()
                            ? BackupCopy::Kind::Usable
                            : BackupCopy::Kind::OtherCount;
        }
        if (copy.isUsable()) {
            for (int n = 1; n <= generals.count(); ++n) {
                if (copy.records[n - 1] != generals.record(n).bytes()) {
                    ++copy.differingGenerals;
                }
            }
        }
        copies.append(std::move(copy));
    }
    return copies;
}
