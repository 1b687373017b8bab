#include "personfiledocument.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

#include "../platform/personfilelibrary.h"
#include "backuphistory.h"
#include "edithistory.h"
#include "filebackup.h"
#include "roster.h"
#include "rosterchange.h"
#include "wholefile.h"

namespace {

// Undo steps kept; a step holds only the generals it changed.
constexpr int kHistoryLimit = 200;
// The library's result for a file that cannot be written.
constexpr int kOpenFailed = VRX_OPEN_FAILED;

// One step of the history, named after the command that made it: redo puts the edited
// generals in place, undo the ones before, and both say which changed.
class GeneralsEditStep : public EditStep {
  public:
    using Changed = std::function<void(const QList<int>& indexes)>;

    GeneralsEditStep(const QString& name, RosterChange change, OpenGenerals& generals,
                     Changed changed)
        : EditStep(name),
          change_(std::move(change)),
          generals_(generals),
          changed_(std::move(changed)) {}

    void undo() override {
        change_.applyBefore(generals_);
        changed_(change_.indexes());
    }
    void redo() override {
        change_.applyAfter(generals_);
        changed_(change_.indexes());
    }

  private:
    RosterChange change_;
    OpenGenerals& generals_;
    Changed changed_;
};

std::vector<MarkEntry> marksOf(const OpenGenerals& generals) {
    return {generals.allMarks().begin() + 1, generals.allMarks().begin() + 1 + generals.count()};
}

}  // namespace

PersonFileDocument::PersonFileDocument(MarkTable& marks, QObject* parent)
    : QObject(parent), marks_(marks), history_(new EditHistory(this)) {
    history_->setUndoLimit(kHistoryLimit);
    connect(history_, &EditHistory::indexChanged, this, [this] {
        saveChangedMarks();
        updateModified();
    });
}

PersonFileDocument::~PersonFileDocument() {
    // The history goes with its children; what it says then is of no use.
    disconnect(history_, nullptr, this, nullptr);
}

int PersonFileDocument::generalCount() const {
    return generals_.count();
}

bool PersonFileDocument::fetchFromLibrary(int index) {
    RecordBytes bytes{};
    if (!PersonFileLibrary::readPerson(&bytes, index - 1)) {
        return false;  // the library is missing: the user has been told
    }
    generals_.record(index) = PersonRecord(bytes);
    return true;
}

PersonFileDocument::OpenStatus PersonFileDocument::open(const QString& path) {
    const std::optional<int> count = PersonFileLibrary::readPersonFile(path);
    if (!count) {
        return OpenStatus::LibraryMissing;
    }
    // The library now holds the new file; the marks of the generals still in the roster are
    // kept before they are replaced.
    saveChangedMarks();
    leaveRecovery();
    filePath_ = path;
    history_->clear();
    backupPending_ = true;
    filePartlyWritten_ = false;
    rememberDiskContents();
    const OpenStatus status = *count < 0 ? OpenStatus::Unreadable : OpenStatus::Opened;
    // A file that could not be read is taken as one without generals.
    generals_.setCount(0);
    generals_.setCount(*count);
    for (int n = 1; n <= generals_.count(); ++n) {
        if (!fetchFromLibrary(n)) {
            generals_.setCount(n - 1);
            break;
        }
        marks_.attach(generals_, n);
    }
    savedMarkTable_ = marks_.entries();
    writtenMarks_ = marksOf(generals_);
    saved_ = generals_;
    offeredRecovery_.reset();
    declinedImage_.reset();
    if (status == OpenStatus::Opened) {
        checkRecovery();
    }
    updateModified();
    emit opened(path);
    return status;
}

bool PersonFileDocument::isModified() const {
    return filePartlyWritten_ || !saved_.sameRecords(generals_);
}

void PersonFileDocument::updateModified() {
    const bool modified = isModified();
    if (modified != std::exchange(modified_, modified)) {
        emit modifiedChanged(modified);
    }
}

void PersonFileDocument::rememberDiskContents() {
    diskReadable_ = ReadWholeFile(filePath_, &diskContents_);
    diskDigest_ = DiskDigest(diskContents_);
}

bool PersonFileDocument::isChangedOnDisk() const {
    QByteArray now;
    const bool readable = ReadWholeFile(filePath_, &now);
    return readable != diskReadable_ || now != diskContents_;
}

QString PersonFileDocument::backUp() {
    // Both copies are tried, so that one failing does not cost the other.
    QByteArray now;
    const bool readable = ReadWholeFile(filePath_, &now);
    if (readable && now.isEmpty()) {
        return {};  // nothing to keep: the copies it would replace are worth more
    }
    const bool dated = readable && KeepDatedBackup(filePath_, now);
    if (!BackUpFile(filePath_)) {
        return QFileInfo(filePath_).fileName() + QStringLiteral(".bak");
    }
    if (!dated) {
        return QStringLiteral("backup/") + QFileInfo(filePath_).fileName();
    }
    return {};
}

PersonFileDocument::SaveResult PersonFileDocument::save(SaveAnswers answers) {
    if (generals_.count() < 1) {
        return {SaveStatus::NothingToSave, 0, {}};
    }
    const bool changedOnDisk = isChangedOnDisk();
    if (changedOnDisk && !answers.testFlag(OverwriteChangedFile)) {
        return {SaveStatus::ChangedOnDisk, 0, {}};
    }
    if ((backupPending_ || changedOnDisk) && !answers.testFlag(SaveWithoutBackup)) {
        const QString failed = backUp();
        if (!failed.isEmpty()) {
            return {SaveStatus::BackupFailed, 0, failed};
        }
    }
    backupPending_ = false;
    // Written over, the file is to hold what this program read, with the generals shown: not
    // the other program's header, length or records beyond this file's. When that cannot be
    // put back, the file cannot be written, as the library would say.
    const bool putBack = !changedOnDisk || WriteWholeFile(filePath_, diskContents_);

    for (int n = 1; n <= generals_.count(); ++n) {
        if (!PersonFileLibrary::writePerson(generals_.record(n).bytes(), n - 1)) {
            updateModified();
            return {SaveStatus::LibraryMissing, 0, {}};
        }
    }
    const std::optional<int> written =
        putBack ? PersonFileLibrary::writePersonFile(filePath_) : std::optional(kOpenFailed);
    if (!written) {
        updateModified();
        return {SaveStatus::LibraryMissing, 0, {}};
    }
    // A file that could not be opened was left as it was; one whose writing failed may hold
    // part of the generals.
    filePartlyWritten_ = *written != 0 && *written != kOpenFailed;
    if (*written != kOpenFailed) {
        // Whatever reached the file, it is this program's own writing.
        rememberDiskContents();
    }
    SaveResult result{SaveStatus::Saved, *written, {}};
    if (*written == kOpenFailed) {
        result.status = SaveStatus::OpenFailed;
    } else if (*written != 0) {
        result.status = SaveStatus::WriteFailed;
    }
    // Marks held for the file go with it: kept when the file was written, else left unwritten.
    if (!std::exchange(marksHeld_, false) || result.status == SaveStatus::Saved) {
        saveMarks();
        savedMarkTable_ = marks_.entries();
    }
    if (result.status == SaveStatus::Saved) {
        saved_ = generals_;
        if (recoveryWriter_) {
            recoveryWriter_->remove(filePath_);
        }
        declinedImage_.reset();
    } else if (*written != kOpenFailed) {
        // The file changed under the recovery file: it is made again against what is there now.
        writeRecovery();
    }
    updateModified();
    if (result.status == SaveStatus::Saved) {
        emit saved();
    }
    return result;
}

bool PersonFileDocument::recordEdit(const QString& name, const Edit& edit) {
    OpenGenerals edited = generals_;
    edit(edited);
    RosterChange change(generals_, edited);
    if (change.isEmpty()) {
        return false;  // nothing to take back
    }
    history_->push(std::make_unique<GeneralsEditStep>(name, std::move(change), generals_,
                                                      [this](const QList<int>& indexes) {
                                                          writeRecovery();
                                                          emit generalsChanged(indexes);
                                                      }));
    return true;
}

bool PersonFileDocument::restore(const QList<int>& indexes, const QString& name) {
    return recordEdit(name, [&](OpenGenerals& edited) { putBackSaved(edited, indexes); });
}

OpenGenerals PersonFileDocument::withRecordsOf(const std::vector<RecordBytes>& records) const {
    OpenGenerals result = generals_;
    const int count = std::min(result.count(), static_cast<int>(records.size()));
    for (int n = 1; n <= count; ++n) {
        const QString name = GetPersonName(result.record(n));
        result.record(n) = PersonRecord(records[n - 1]);
        if (GetPersonName(result.record(n)) != name) {
            marks_.attach(result, n);
        }
    }
    return result;
}

bool PersonFileDocument::putBackCopy(const std::vector<RecordBytes>& records) {
    if (static_cast<int>(records.size()) != generals_.count()) {
        return false;
    }
    const OpenGenerals fromCopy = withRecordsOf(records);
    return recordEdit(QStringLiteral("バックアップから戻す"),
                      [&fromCopy](OpenGenerals& edited) { edited = fromCopy; });
}

void PersonFileDocument::putBackSaved(OpenGenerals& edited, const QList<int>& indexes) const {
    for (const int index : indexes) {
        if (index < 1 || index > saved_.count()) {
            continue;
        }
        edited.record(index) = saved_.record(index);
        // The marks go back to the entry of the general's name as last read or saved.
        const QString name = GetPersonName(edited.record(index));
        const auto entry = std::find_if(savedMarkTable_.cbegin(), savedMarkTable_.cend(),
                                        [&name](const MarkEntry& e) { return e.name == name; });
        edited.marks(index) = entry != savedMarkTable_.cend() ? *entry : MarkEntry{name, {}};
    }
}

void PersonFileDocument::saveMarks() {
    const std::vector<MarkEntry> before = marksOf(generals_);
    if (const std::optional<MarkFileError> error = marks_.save(generals_)) {
        emit markFileFailed(*error);
    }
    writtenMarks_ = marksOf(generals_);
    // Marks that another running copy gave these generals meanwhile are shown.
    QList<int> taken;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] != writtenMarks_[i]) {
            taken.append(static_cast<int>(i) + 1);
        }
    }
    if (!taken.isEmpty()) {
        emit generalsChanged(taken);
    }
}

void PersonFileDocument::saveChangedMarks() {
    if (!marksHeld_ && (marksOf(generals_) != writtenMarks_ || marks_.writePending())) {
        saveMarks();
    }
}

// --- Recovery file -------------------------------------------------------------------------

void PersonFileDocument::writeRecovery() {
    if (!recoveryWriter_ || !isOpen()) {
        return;
    }
    const bool unsaved = filePartlyWritten_ || !generals_.differences(saved_).isEmpty();
    if (declinedImage_) {
        if (!unsaved) {
            return;  // the declined one stays until the next save
        }
        // Written over, it is still kept among the dated copies.
        if (!KeepDatedBackup(filePath_, *declinedImage_)) {
            return;
        }
        declinedImage_.reset();
    }
    if (unsaved) {
        recoveryWriter_->write(filePath_, diskContents_, diskDigest_, generals_);
    } else {
        recoveryWriter_->remove(filePath_);
    }
}

void PersonFileDocument::checkRecovery() {
    if (!recoveryWriter_) {
        return;
    }
    recoveryWriter_->flush();
    std::optional<Recovery> recovery = ReadRecoveryFile(filePath_);
    if (!recovery) {
        return;  // none, or not whole: the next step writes a new one
    }
    if (diskReadable_ && recovery->diskDigest == diskDigest_ &&
        recovery->count() == generals_.count()) {
        offeredRecovery_ = std::move(recovery);
        return;
    }
    // Made against other bytes: its edits no longer fit the file, but are not thrown away.
    if (KeepDatedBackup(filePath_, recovery->image)) {
        RemoveRecoveryFile(filePath_);
    }
}

bool PersonFileDocument::applyRecovery(const QString& name) {
    if (!offeredRecovery_) {
        return false;
    }
    const Recovery recovery = *std::exchange(offeredRecovery_, std::nullopt);
    return recordEdit(name, [&recovery](OpenGenerals& edited) { ApplyRecovery(recovery, edited); });
}

void PersonFileDocument::declineRecovery() {
    if (offeredRecovery_) {
        declinedImage_ = std::exchange(offeredRecovery_, std::nullopt)->image;
    }
}

void PersonFileDocument::leaveRecovery() {
    // Changes the player chose to drop are not offered again; a declined recovery is.
    if (recoveryWriter_ && isOpen() && !declinedImage_ && !offeredRecovery_) {
        recoveryWriter_->remove(filePath_);
    }
}

void PersonFileDocument::close() {
    leaveRecovery();
    finishRecoveryFile();
}

void PersonFileDocument::setKeepsRecovery(bool keeps) {
    if (!keeps) {
        recoveryWriter_.reset();
    } else if (!recoveryWriter_) {
        recoveryWriter_ = std::make_unique<RecoveryWriter>();
    }
}

void PersonFileDocument::finishRecoveryFile() {
    if (recoveryWriter_) {
        recoveryWriter_->flush();
    }
}
