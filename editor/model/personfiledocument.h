// The open person file: reading its generals through the library, the undo history of the
// edits of them, whether they differ from the file, the backups and writing them
// back. It uses no widgets, so that the main window and the command line share one file life.
// It never asks the player anything: a save that needs an answer stops and says which
// question, and the caller asks and saves again with that answer given.
#pragma once

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "marks.h"
#include "recoveryfile.h"

class EditHistory;

class PersonFileDocument : public QObject {
    Q_OBJECT
  public:
    enum class OpenStatus {
        Opened,
        // The file exists but the library could not read it: the document is open without
        // generals, and saving does nothing.
        Unreadable,
        // The library is missing; the player has been told. Nothing changed.
        LibraryMissing,
    };

    enum class SaveStatus {
        Saved,
        NothingToSave,  // no generals: nothing was written
        // Another program changed the file since this one last read or wrote it.
        ChangedOnDisk,
        // A backup could not be made (SaveResult::failedBackup names it); nothing was written.
        BackupFailed,
        OpenFailed,      // the library could not open the file for writing (-2)
        WriteFailed,     // any other failure of the library (SaveResult::code)
        LibraryMissing,  // the player has been told
    };

    // Answers given in advance to what a save would otherwise stop for.
    enum SaveAnswer {
        AskFirst = 0,
        OverwriteChangedFile = 1,  // write over a file another program changed
        SaveWithoutBackup = 2,     // write although the backup could not be made
    };
    Q_DECLARE_FLAGS(SaveAnswers, SaveAnswer)

    struct SaveResult {
        SaveStatus status = SaveStatus::Saved;
        int code = 0;          // the library's result
        QString failedBackup;  // for BackupFailed: the backup's name as the player sees it
    };

    // The generals' marks are kept in marks, which outlives the document.
    explicit PersonFileDocument(MarkTable& marks, QObject* parent = nullptr);
    ~PersonFileDocument() override;

    // Reads the person file at path into the generals, with each general's marks, and starts a
    // new history. The marks of the generals it replaces are written first.
    OpenStatus open(const QString& path);
    bool isOpen() const { return !filePath_.isEmpty(); }
    // The path of the open person file; the target of the next save.
    const QString& filePath() const { return filePath_; }
    int generalCount() const;
    // The open file's generals as edited. Changes made here directly bypass the history and
    // tell no one: edits go through recordEdit.
    OpenGenerals& generals() { return generals_; }
    const OpenGenerals& generals() const { return generals_; }

    // True when a general differs from the file as last read or saved.
    bool isModified() const;
    // True when the file on disk is no longer what this program last read or wrote there.
    bool isChangedOnDisk() const;

    // Writes every general back into the file after keeping the backups the file needs: the
    // first save of an opened file, and a save over a file that another program changed, keep
    // the file as it was on disk (unless it is empty). Over a changed file, the file becomes
    // what this program read, with the generals. The marks are written too once the file has
    // been tried. Stops without writing when a backup fails or the file changed on disk,
    // unless answers says to go on.
    SaveResult save(SaveAnswers answers = AskFirst);

    // An edit of the generals; it is run on a copy of them.
    using Edit = std::function<void(OpenGenerals&)>;
    // Runs edit on a copy of the generals and, when it changed any, pushes one undo step named
    // name that puts the copy in place. False when it changed nothing (no step is kept).
    bool recordEdit(const QString& name, const Edit& edit);
    // As one undo step named name, puts the generals at the given indexes back as the file was
    // last read or saved, and their marks as they were then.
    bool restore(const QList<int>& indexes, const QString& name);
    // The generals as the file was last read or successfully written, with their marks then.
    const OpenGenerals& savedGenerals() const { return saved_; }
    // The open generals as they would be with a copy's records (as many as the open ones):
    // a general keeps its marks while its name stays, else takes those of the new name.
    OpenGenerals withRecordsOf(const std::vector<RecordBytes>& records) const;
    // As one undo step "バックアップから戻す", makes the open generals those of
    // withRecordsOf(records). Nothing is written to disk. False when nothing changed or the
    // copy holds another number of generals.
    bool putBackCopy(const std::vector<RecordBytes>& records);
    // The undo history of the open file's generals; emptied by each open, kept by saves.
    EditHistory* history() const { return history_; }

    // Writes the marks of the open file's generals to Mark.csv.
    void saveMarks();
    // The edits that follow change marks that belong with the file: they are written at the
    // next save only when it writes the file.
    void holdMarksUntilSaved() { marksHeld_ = true; }

    // The window keeps a recovery file of the edited generals after every step (apply, undo,
    // redo), so that a crash loses none of them; the command line, which saves at once, does not.
    void setKeepsRecovery(bool keeps);
    // True when the open file has a recovery file made against its bytes as they are on disk,
    // not yet applied or declined.
    bool hasRecovery() const { return offeredRecovery_.has_value(); }
    // Puts the recovered generals and their marks in place as one undo step named name.
    bool applyRecovery(const QString& name);
    // The recovery is not wanted now: its file stays until the next save (an edit first keeps
    // it as a dated backup before writing its own over it).
    void declineRecovery();
    // The window closes (any unsaved changes dropped): the recovery file goes, unless it holds
    // a declined recovery. Returns once the recovery file is as it should be.
    void close();
    // Returns once the recovery file holds the last step (it is written in the background).
    void finishRecoveryFile();

  signals:
    // These generals (indexes) changed: an edit was made, undone or made again, or a write of
    // Mark.csv took the marks that another running copy gave them.
    void generalsChanged(const QList<int>& indexes);
    void opened(const QString& path);
    void saved();
    void modifiedChanged(bool modified);
    // Mark.csv could not be written; the next write of the marks tries again.
    void markFileFailed(const MarkFileError& error);

  private:
    void updateModified();
    // Writes Mark.csv when a confirmed edit, an undo or a redo changed marks.
    void saveChangedMarks();
    // Copies library slot index - 1 into general index; false when the library is missing.
    bool fetchFromLibrary(int index);
    // Puts the generals at indexes in edited back as last read or saved.
    void putBackSaved(OpenGenerals& edited, const QList<int>& indexes) const;
    void rememberDiskContents();
    // Keeps the file as it now is on disk; the name of the backup that failed, else empty.
    QString backUp();

    // After a step: the recovery file of the generals, or none when nothing is unsaved.
    void writeRecovery();
    // At open: offers a recovery file made against the bytes on disk; one made against other
    // bytes is kept as a dated backup and removed.
    void checkRecovery();
    // Before another file replaces this one (any unsaved changes dropped): its recovery file
    // goes, unless it holds a declined recovery.
    void leaveRecovery();

    MarkTable& marks_;
    QString filePath_;
    OpenGenerals generals_;
    EditHistory* history_;
    // The first save of an opened file keeps the file as it was on disk.
    bool backupPending_ = false;
    // The last save failed while writing: the file may differ from the saved generals.
    bool filePartlyWritten_ = false;
    bool modified_ = false;
    // What this program last read from or wrote to the file, to notice another program's
    // writes.
    QByteArray diskContents_;
    bool diskReadable_ = false;
    // The marks as last read from or written to Mark.csv, which restore goes back to.
    QList<MarkEntry> savedMarkTable_;
    // The generals as the file was last read or successfully written: a failed save leaves
    // them as they were.
    OpenGenerals saved_;
    // The open generals' marks as Mark.csv last received them.
    std::vector<MarkEntry> writtenMarks_;
    bool marksHeld_ = false;
    std::unique_ptr<RecoveryWriter> recoveryWriter_;  // while recovery files are kept
    // The digest of diskContents_, which recovery files are made against.
    QByteArray diskDigest_;
    std::optional<Recovery> offeredRecovery_;
    // The image of a declined recovery, kept as a dated backup before its file is written over.
    std::optional<QByteArray> declinedImage_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PersonFileDocument::SaveAnswers)
