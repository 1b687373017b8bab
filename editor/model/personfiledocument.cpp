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
constexpr int kOpenFailed = -2;

// One step of the history: an edit of the generals, named after the command that made it.
class RosterEditStep : public EditStep {
  public:
    using Refresh = std::function<void(const QList<int>& indexes)>;

    // The edit has already been made when the step is pushed.
    RosterEditStep(const QString& name, RosterChange change, Refresh refresh)
        : EditStep(name), change_(std::move(change)), refresh_(std::move(refresh)) {}

    void undo() override {
        change_.applyBefore();
        refresh_(change_.indexes());
    }
    void redo() override {
        change_.applyAfter();
        refresh_(change_.indexes());
    }

  private:
    RosterChange change_;
    Refresh refresh_;
};

OpenGenerals currentGenerals() {
    OpenGenerals generals;
    generals.setCount(rosterCount);
    for (int index = 1; index <= generals.count(); ++index) {
        generals.record(index) = roster[index];
        generals.marks(index) = generalMarks[index];
    }
    return generals;
}

std::vector<MarkEntry> OpenGeneralsMarks() {
    return {generalMarks.begin() + 1,
            generalMarks.begin() + 1 + std::clamp(rosterCount, 0, kRosterCapacity)};
}

}  // namespace

PersonFileDocument::PersonFileDocument(QObject* parent)
    : QObject(parent), history_(new EditHistory(this)) {
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
    return rosterCount;
}

bool PersonFileDocument::fetchFromLibrary(int index) {
    RecordBytes bytes{};
    if (!PersonFileLibrary::readPerson(&bytes, index - 1)) {
        return false;  // the library is missing: the user has been told
    }
    roster[index] = PersonRecord(bytes);
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
    filePath_ = path;
    history_->clear();
    backupPending_ = true;
    filePartlyWritten_ = false;
    rememberDiskContents();
    const OpenStatus status = *count < 0 ? OpenStatus::Unreadable : OpenStatus::Opened;
    // A file that could not be read is taken as one without generals.
    rosterCount = std::max(*count, 0);
    for (int n = 1; n <= rosterCount; ++n) {
        if (!fetchFromLibrary(n)) {
            rosterCount = n - 1;
            break;
        }
        AttachMarks(n);
    }
    savedMarkTable_ = markTable;
    writtenMarks_ = OpenGeneralsMarks();
    saved_ = currentGenerals();
    updateModified();
    emit opened(path);
    return status;
}

bool PersonFileDocument::isModified() const {
    return filePartlyWritten_ || !saved_.sameRecords(currentGenerals());
}

void PersonFileDocument::updateModified() {
    const bool modified = isModified();
    if (modified != std::exchange(modified_, modified)) {
        emit modifiedChanged(modified);
    }
}

void PersonFileDocument::rememberDiskContents() {
    diskReadable_ = ReadWholeFile(filePath_, &diskContents_);
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
    if (rosterCount < 1) {
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

    for (int n = 1; n <= rosterCount; ++n) {
        if (!PersonFileLibrary::writePerson(roster[n].bytes(), n - 1)) {
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
        savedMarkTable_ = markTable;
    }
    if (result.status == SaveStatus::Saved) {
        saved_ = currentGenerals();
    }
    updateModified();
    if (result.status == SaveStatus::Saved) {
        emit saved();
    }
    return result;
}

void PersonFileDocument::restore(const QList<int>& indexes) {
    for (const int index : indexes) {
        if (index < 1 || index > saved_.count()) {
            continue;
        }
        roster[index] = saved_.record(index);
        // The marks go back to the entry of the general's name as last read or saved.
        const QString name = GetPersonName(index);
        const auto entry = std::find_if(savedMarkTable_.cbegin(), savedMarkTable_.cend(),
                                        [&name](const MarkEntry& e) { return e.name == name; });
        generalMarks[index] = entry != savedMarkTable_.cend() ? *entry : MarkEntry{name, {}};
    }
}

bool PersonFileDocument::recordEdit(const QString& name, const std::function<void()>& edit) {
    const RosterSnapshot before = RosterSnapshot::take();
    edit();
    RosterChange change(before, RosterSnapshot::take());
    if (change.isEmpty()) {
        return false;  // nothing to take back
    }
    history_->push(std::make_unique<RosterEditStep>(
        name, std::move(change),
        [this](const QList<int>& indexes) { emit generalsChanged(indexes); }));
    return true;
}

void PersonFileDocument::saveMarks() {
    const std::vector<MarkEntry> before = OpenGeneralsMarks();
    if (const std::optional<MarkFileError> error = SaveMarks(rosterCount)) {
        emit markFileFailed(*error);
    }
    writtenMarks_ = OpenGeneralsMarks();
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
    if (!marksHeld_ && (OpenGeneralsMarks() != writtenMarks_ || MarksWritePending())) {
        saveMarks();
    }
}
