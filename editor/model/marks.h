// The editor's own marks of generals (five short texts each), kept by display name in Mark.csv.
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

#include "roster.h"
#include "unreadablefile.h"

// What went wrong with Mark.csv, as the player is told it.
struct MarkFileError {
    enum class Failure { Read, Write };
    QString file;
    Failure failure = Failure::Read;
    // "Mark.csvの読み込みに失敗しました" or "Mark.csvの保存に失敗しました".
    QString message() const;
};

// Every general ever marked, keyed by name, as Mark.csv keeps them: read once at start-up and
// written again whenever the open file's generals' marks change.
class MarkTable {
  public:
    // Reads Mark.csv (start-up). An error when the file exists but cannot be read whole; the
    // table then keeps what was read of it.
    std::optional<MarkFileError> load();
    // Gives general index of generals the first entry of its name, or empty marks.
    void attach(OpenGenerals& generals, int index) const;
    // Merges the marks of the generals into the table and writes Mark.csv, deleting it when no
    // entry has a mark. Marks that another process wrote to Mark.csv meanwhile are kept, and
    // taken into the table and those generals, wherever this process did not change them. An
    // error when Mark.csv could not be written.
    std::optional<MarkFileError> save(OpenGenerals& generals);
    // True when the last write of Mark.csv failed.
    bool writePending() const { return writePending_; }

    // Entry 0 is never used.
    const QList<MarkEntry>& entries() const { return entries_; }
    QList<MarkEntry>& entries() { return entries_; }

  private:
    void setMarks(const MarkEntry& entry);
    void takeOtherWrites(OpenGenerals& generals);

    QList<MarkEntry> entries_ = QList<MarkEntry>(1);
    // Set when Mark.csv could not be read: its marks are then only partly in the table, and the
    // file must be kept aside before it is replaced.
    UnreadableFileKeeper unreadableFile_;
    // Mark.csv as this process last read or wrote it: what another process changed since is
    // told from it, and kept.
    QList<MarkEntry> fileAsKnown_;
    // The last write of Mark.csv failed; the next change and the close try again.
    bool writePending_ = false;
};
