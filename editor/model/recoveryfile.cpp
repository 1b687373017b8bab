#include "recoveryfile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "../platform/appinfo.h"
#include "wholefile.h"

namespace {

const QByteArray kMagic = QByteArrayLiteral("DRVRECOVERY\n1\n");
constexpr auto kStreamVersion = QDataStream::Qt_6_0;
constexpr auto kDigest = QCryptographicHash::Sha256;
// Far more than 110 generals with their marks can take; anything larger is not ours.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

qsizetype recordOffset(int index) {
    return VRX_HEADER_SIZE + qsizetype{VRX_RECORD_SIZE} * (index - 1);
}

}  // namespace

QString RecoveryFilePath(const QString& personFilePath) {
    return PlayerDataFolder() + QStringLiteral("backup/") + QFileInfo(personFilePath).fileName() +
           QStringLiteral(".recovery");
}

QByteArray DiskDigest(const QByteArray& diskContents) {
    return QCryptographicHash::hash(diskContents, kDigest);
}

QByteArray SavedImage(const QByteArray& diskContents, const OpenGenerals& generals) {
    QByteArray image = diskContents;
    if (image.size() < recordOffset(generals.count() + 1)) {
        image.resize(recordOffset(generals.count() + 1), '\0');
    }
    for (int n = 1; n <= generals.count(); ++n) {
        const RecordBytes& bytes = generals.record(n).bytes();
        std::copy(bytes.begin(), bytes.end(), image.begin() + recordOffset(n));
    }
    return image;
}

namespace {

bool writeRecoveryTo(const QString& path, const QByteArray& diskContents,
                     const QByteArray& diskDigest, const OpenGenerals& generals) {
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(kStreamVersion);
        out << diskDigest << SavedImage(diskContents, generals)
            << static_cast<qint32>(generals.count());
        for (int n = 1; n <= generals.count(); ++n) {
            const MarkEntry& entry = generals.marks(n);
            out << entry.name;
            for (const QString& mark : entry.marks) {
                out << mark;
            }
        }
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return false;
    }
    return WriteWholeFile(path, kMagic + body + QCryptographicHash::hash(body, kDigest));
}

}  // namespace

bool WriteRecoveryFile(const QString& personFilePath, const QByteArray& diskContents,
                       const QByteArray& diskDigest, const OpenGenerals& generals) {
    return writeRecoveryTo(RecoveryFilePath(personFilePath), diskContents, diskDigest, generals);
}

std::optional<Recovery> ReadRecoveryFile(const QString& personFilePath) {
    QByteArray contents;
    if (!ReadWholeFile(RecoveryFilePath(personFilePath), &contents, kMaxFileSize)) {
        return std::nullopt;
    }
    const qsizetype digestSize = QCryptographicHash::hashLength(kDigest);
    if (!contents.startsWith(kMagic) || contents.size() < kMagic.size() + digestSize) {
        return std::nullopt;
    }
    const QByteArray body =
        contents.mid(kMagic.size(), contents.size() - kMagic.size() - digestSize);
    if (QCryptographicHash::hash(body, kDigest) != contents.right(digestSize)) {
        return std::nullopt;
    }

    Recovery recovery;
    QDataStream in(body);
    in.setVersion(kStreamVersion);
    qint32 count = -1;
    in >> recovery.diskDigest >> recovery.image >> count;
    if (in.status() != QDataStream::Ok || count < 0 || count > kRosterCapacity ||
        recovery.image.size() < recordOffset(count + 1)) {
        return std::nullopt;
    }
    recovery.marks.resize(static_cast<size_t>(count));
    for (MarkEntry& entry : recovery.marks) {
        in >> entry.name;
        for (QString& mark : entry.marks) {
            in >> mark;
        }
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        return std::nullopt;
    }
    return recovery;
}

void ApplyRecovery(const Recovery& recovery, OpenGenerals& generals) {
    const int count = std::min(recovery.count(), generals.count());
    for (int n = 1; n <= count; ++n) {
        RecordBytes bytes{};
        const char* from = recovery.image.constData() + recordOffset(n);
        std::copy(from, from + VRX_RECORD_SIZE, bytes.begin());
        generals.record(n) = PersonRecord(bytes);
        generals.marks(n) = recovery.marks[static_cast<size_t>(n - 1)];
    }
}

void RemoveRecoveryFile(const QString& personFilePath) {
    QFile::remove(RecoveryFilePath(personFilePath));
}

// --- Writer thread ---------------------------------------------------------------------------

RecoveryWriter::RecoveryWriter() : thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::write(const QString& personFilePath, const QByteArray& diskContents,
                           const QByteArray& diskDigest, const OpenGenerals& generals) {
    post({RecoveryFilePath(personFilePath), std::make_shared<const OpenGenerals>(generals),
          diskContents, diskDigest});
}

void RecoveryWriter::remove(const QString& personFilePath) {
    post({RecoveryFilePath(personFilePath), nullptr, {}, {}});
}

void RecoveryWriter::post(Job job) {
    std::unique_lock lock(mutex_);
    // A newer job for the same file replaces one not yet started; another file's waits.
    changed_.wait(lock, [&] { return !pending_ || pending_->recoveryPath == job.recoveryPath; });
    pending_ = std::move(job);
    lock.unlock();
    changed_.notify_all();
}

void RecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !busy_; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;  // stopping, with nothing left to write
        }
        const Job job = *std::exchange(pending_, std::nullopt);
        busy_ = true;
        lock.unlock();
        changed_.notify_all();
        if (job.generals) {
            // A write that fails leaves the last one whole; the next step tries again.
            writeRecoveryTo(job.recoveryPath, job.diskContents, job.diskDigest, *job.generals);
        } else {
            QFile::remove(job.recoveryPath);
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}
