// The recovery file of an open person file: after every step the generals as edited are kept
// in the player's data folder, so that a crash or a power cut loses none of them. It holds the
// whole file as a save would write it (so that a copy made against other bytes can still be
// kept as a dated backup), the generals' marks, and a digest of the bytes on disk that the edits
// were made against.
#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "roster.h"

struct Recovery {
    QByteArray diskDigest;         // of the person file as it was on disk when the edits began
    QByteArray image;              // the whole person file with the edited generals
    std::vector<MarkEntry> marks;  // of generals 1..count
    int count() const { return static_cast<int>(marks.size()); }
};

// backup/<file name>.recovery in the player's data folder, beside the dated copies' folder.
QString RecoveryFilePath(const QString& personFilePath);

// The digest that tells whether a recovery file was made against these bytes.
QByteArray DiskDigest(const QByteArray& diskContents);

// The person file as a save of generals would leave it: diskContents with its record area
// replaced (lengthened when it is too short to hold every general).
QByteArray SavedImage(const QByteArray& diskContents, const OpenGenerals& generals);

// Writes the recovery file of the person file at personFilePath, whole or not at all.
bool WriteRecoveryFile(const QString& personFilePath, const QByteArray& diskContents,
                       const QByteArray& diskDigest, const OpenGenerals& generals);

// Writes recovery files on a thread of its own: a whole-file write waits for the disk (about
// 10 ms on a busy machine), which a step must not. Only the newest content of a file is
// written; a file's writes and removals keep their order.
class RecoveryWriter {
  public:
    RecoveryWriter();
    // Finishes what is pending first.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(const QString& personFilePath, const QByteArray& diskContents,
               const QByteArray& diskDigest, const OpenGenerals& generals);
    void remove(const QString& personFilePath);
    // Returns once every write and removal asked for is done.
    void flush();

  private:
    struct Job {
        QString recoveryPath;
        // None: the file is removed.
        std::shared_ptr<const OpenGenerals> generals;
        QByteArray diskContents;
        QByteArray diskDigest;
    };
    void post(Job job);
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

// The recovery file of the person file at personFilePath; nothing when there is none or it is
// not whole (cut short, altered, or no recovery file of this program).
std::optional<Recovery> ReadRecoveryFile(const QString& personFilePath);

// Puts the recovered records and marks into generals, which must hold as many.
void ApplyRecovery(const Recovery& recovery, OpenGenerals& generals);

void RemoveRecoveryFile(const QString& personFilePath);
