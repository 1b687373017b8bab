#include "mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QTimer>

#include <algorithm>
#include <type_traits>

#include "dialogs/abilitydialog.h"
#include "dialogs/affinitydialog.h"
#include "dialogs/birthyearshiftdialog.h"
#include "dialogs/famedialog.h"
#include "dialogs/hiddensettingsdialog.h"
#include "dialogs/markdialog.h"
#include "dialogs/skilldialog.h"
#include "list/frozennamecolumn.h"
#include "model/edithistory.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/random.h"
#include "model/roster.h"
#include "model/rostersheet.h"
#include "model/templates.h"
#include "platform/appinfo.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"
#include "platform/twips.h"
#include "platform/windowrules.h"
#include "sheetcommands.h"
#include "splashwindow.h"

namespace {

QString openAnotherQuestion() {
    return QStringLiteral("保存していない変更があります。\n保存せずに別のファイルを開きますか？");
}

// The one local file of a drop; empty for anything else.
QString droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
}

}  // namespace

MainWindow::MainWindow(ProgramData& data, QWidget* parent) : QWidget(parent), data_(data) {
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    document_ = new PersonFileDocument(data_.markTable(), this);
    connect(document_, &PersonFileDocument::markFileFailed, this, [](const MarkFileError& error) {
        ShowMessage(error.message(), MessageIcon::Critical);
    });
    createControls(this, &document_->generals(), data_.existingGenerals());
    connectList();
    createHistory();
    connectControls();
    prepare();
}

MainWindow::~MainWindow() {
    // The document and its history outlive the list and its actions while the children go;
    // they must not report to them.
    disconnect(document_, nullptr, this, nullptr);
    disconnect(document_->history(), nullptr, this, nullptr);
}

void MainWindow::connectList() {
    connect(list, &GeneralList::ticksChanged, this, &MainWindow::updateCountLabel);
    connect(list, &GeneralList::ticksSettled, this, [this] {
        updateCountLabel();
        updateMenuEnabled();
    });
}

void MainWindow::createHistory() {
    EditHistory* history = document_->history();
    connect(exportSheetAction, &QAction::triggered, this, &MainWindow::exportSheet);
    connect(importSheetAction, &QAction::triggered, this, &MainWindow::importSheet);
    connect(undoAction, &QAction::triggered, history, &EditHistory::undo);
    connect(redoAction, &QAction::triggered, history, &EditHistory::redo);
    connect(history, &EditHistory::indexChanged, this, &MainWindow::updateHistoryActions);
    connect(document_, &PersonFileDocument::generalsChanged, this, &MainWindow::refreshGenerals);
    updateHistoryActions();
}

void MainWindow::connectControls() {
    connect(cmdOpen, &QPushButton::clicked, this, &MainWindow::chooseFileToOpen);
    connect(cmdSave, &QPushButton::clicked, this, &MainWindow::saveFile);
    connect(cmdAll, &QPushButton::clicked, this, &MainWindow::toggleAllTicks);
    connect(cmdBack, &QPushButton::clicked, this, &MainWindow::restoreTicked);
    connect(cmdTokugiClear, &QPushButton::clicked, this, &MainWindow::clearSkills);
    connect(cmdTanjo, &QPushButton::clicked, this, &MainWindow::shiftBirthYears);
    connect(cmdMeisei, &QPushButton::clicked, this, &MainWindow::drawFame);
    connect(cmdCapaAll, &QPushButton::clicked, this, &MainWindow::drawAbilities);
    connect(cmdSeikaku, &QPushButton::clicked, this, &MainWindow::drawHiddenSettings);
    connect(cmdAisyo, &QPushButton::clicked, this, &MainWindow::drawAffinities);
    connect(cmdTokugi, &QPushButton::clicked, this, &MainWindow::drawSkills);
    connect(cmdMark, &QPushButton::clicked, this, &MainWindow::editMarks);
    connect(list->header(), &QHeaderView::sectionClicked, this, &MainWindow::sortBy);

    ConnectColumnGroupBoxes(list, {chkMark, chkSyussei, chkCapa, chkPers, chkAisyo, chkTokugi});
}

void MainWindow::prepare() {
    auto* splash = new SplashWindow;
    splash->show();
    QCoreApplication::processEvents();

    setWindowTitle(AppTitle() + QStringLiteral("『Kelvasto』  Version %1.%2 rev %3")
                                    .arg(kVersionMajor)
                                    .arg(kVersionMinor)
                                    .arg(kVersionRevision));
    // The data folders are chosen on first use, unless a test has pointed them elsewhere.
    for (const DataFileError& error : data_.load()) {
        ShowMessage(error.message(), MessageIcon::Critical);
    }
    if (const std::optional<MarkFileError> error = data_.markTable().load()) {
        ShowMessage(error->message(), MessageIcon::Critical);
    }

    delete splash;
    // The window opens centred on the screen, as every window is placed (InstallWindowRules).
}

GeneralChooser* MainWindow::chooser() {
    if (chooser_ == nullptr) {
        chooser_ = new GeneralChooser(data_.existingGenerals(), this);
    }
    return chooser_;
}

void MainWindow::updateCountLabel() {
    labCount->setText(
        QStringLiteral("%1/%2").arg(CountTickedRows(list)).arg(document_->generalCount()));
}

void MainWindow::fillTargets(BulkEditDialog* dialog) const {
    dialog->setGenerals(&document_->generals());
    for (const int index : TickedIndexes(list)) {
        dialog->addTarget(GetPersonName(document_->generals().record(index)), index);
    }
}

const QString& MainWindow::personFilePath() const {
    return document_->filePath();
}

EditHistory* MainWindow::history() const {
    return document_->history();
}

void MainWindow::updateMenuEnabled() {
    fraMenu->setEnabled(CountTickedRows(list) > 0);
    exportSheetAction->setEnabled(document_->isOpen());
    importSheetAction->setEnabled(document_->isOpen());
}

// --- Open, save, close -------------------------------------------------------------------

void MainWindow::chooseFileToOpen() {
    QString path = document_->filePath();
    const std::optional<int> result =
        PersonFileLibrary::openFileDialog(&path, reinterpret_cast<void*>(winId()));
    if (!result || *result == 0) {
        return;
    }
    if (*result != VRX_FILE_CHOSEN) {
        ShowMessage(QStringLiteral("エラーです:") + QString::number(*result),
                    MessageIcon::Exclamation);
        return;
    }
    if (mayDropUnsavedChanges(openAnotherQuestion())) {
        openPersonFile(path);
    }
}

void MainWindow::openGivenFile(const QString& path) {
    if (mayDropUnsavedChanges(openAnotherQuestion())) {
        openPersonFile(QFileInfo(path).absoluteFilePath());
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        // Opened once the drop is over: its questions and messages must not hold up the
        // program the file was dragged from.
        QTimer::singleShot(0, this, [this, path] { openGivenFile(path); });
    }
}

void MainWindow::openPersonFile(const QString& path) {
    const PersonFileDocument::OpenStatus status = document_->open(path);
    if (status == PersonFileDocument::OpenStatus::LibraryMissing) {
        return;  // the user has been told, nothing changes
    }
    labPath->setText(path);
    if (status == PersonFileDocument::OpenStatus::Unreadable) {
        // The editor goes on as with an empty file.
        ShowMessage(QStringLiteral("%1 を読み込めませんでした。").arg(path),
                    MessageIcon::Exclamation);
    }
    updateCountLabel();

    lastSortColumn_ = 0;
    list->forgetSort();
    list->showAllGenerals();

    cmdSave->show();
    fraMenu->show();
    ToggleAllRows(list);
    updateMenuEnabled();
    updateCountLabel();
    list->setFocus();
    // The keyboard starts on the first row.
    if (list->rowCount() > 0) {
        list->setCurrentPosition(1);
    }
}

void MainWindow::saveFile() {
    if (document_->generalCount() < 1) {
        return;
    }
    const MessageAnswer answer = ShowMessage(
        QStringLiteral("書き込んでよろしいですか？\r\n"
                       "（あらかじめ武将ファイルのバックアップを取ることをお勧めします）"),
        MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) {
        savePersonFile();
    }
    list->setFocus();
}

void MainWindow::savePersonFile() {
    using Status = PersonFileDocument::SaveStatus;
    PersonFileDocument::SaveAnswers answers;
    for (;;) {
        const PersonFileDocument::SaveResult result = document_->save(answers);
        switch (result.status) {
            case Status::BackupFailed:
                if (ShowMessage(QStringLiteral("バックアップ（%1）を作成できませんでした。\n"
                                               "このまま保存しますか？")
                                    .arg(result.failedBackup),
                                MessageIcon::Question, MessageButtons::YesNo,
                                MessageAnswer::No) != MessageAnswer::Yes) {
                    return;
                }
                answers |= PersonFileDocument::SaveWithoutBackup;
                continue;
            case Status::ChangedOnDisk:
                if (ShowMessage(QStringLiteral("このファイルは開いた後で他のプログラムによって変更"
                                               "されています。\n上書きして保存しますか？"),
                                MessageIcon::Exclamation, MessageButtons::YesNo,
                                MessageAnswer::No) != MessageAnswer::Yes) {
                    return;
                }
                answers |= PersonFileDocument::OverwriteChangedFile;
                continue;
            case Status::OpenFailed:
                ShowMessage(QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）"),
                            MessageIcon::Exclamation);
                return;
            case Status::WriteFailed:
                ShowMessage(QStringLiteral("保存に失敗しました(%1)").arg(result.code),
                            MessageIcon::Exclamation);
                return;
            case Status::Saved:
                ShowMessage(QStringLiteral("保存しました"), MessageIcon::Information);
                return;
            case Status::NothingToSave:
            case Status::LibraryMissing:
                return;
        }
    }
}

bool MainWindow::hasUnsavedChanges() const {
    return document_->isModified();
}

bool MainWindow::mayDropUnsavedChanges(const QString& question) {
    // Return keeps the changes.
    return !hasUnsavedChanges() ||
           ShowMessage(question, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No) ==
               MessageAnswer::Yes;
}

bool MainWindow::mayDropUnwrittenDataFiles() {
    QStringList failed;
    for (const DataFileError& error : data_.savePendingTemplates()) {
        ShowMessage(error.message(), MessageIcon::Critical);
        failed.append(error.fileName);
    }
    if (data_.markTable().writePending()) {
        failed.prepend(QStringLiteral("Mark.csv"));
    }
    // Return keeps the window open, and with it what is still to be written.
    return failed.isEmpty() ||
           ShowMessage(QStringLiteral("%1を保存できませんでした。\n保存せずに終了しますか？")
                           .arg(failed.join(QStringLiteral("、"))),
                       MessageIcon::Question, MessageButtons::YesNo,
                       MessageAnswer::No) == MessageAnswer::Yes;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        if (!mayDropUnsavedChanges(
                QStringLiteral("保存していない変更があります。\n保存せずに終了しますか？"))) {
            event->ignore();
            return;
        }
        document_->saveMarks();
        if (!mayDropUnwrittenDataFiles()) {
            event->ignore();
            return;
        }
        closed_ = true;
        if (chooser_ != nullptr) {
            chooser_->allowClose();
            chooser_->close();
            delete chooser_;
            chooser_ = nullptr;
        }
    }
    event->accept();
}

QSize MainWindow::minimumSizeHint() const {
    return {list->x() + Twips(kMinListWidth + 200), list->y() + Twips(kMinListHeight + 600)};
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (FitListToWindow(list, this, kMinListWidth, kMinListHeight)) {
        labPath->resize(list->width(), labPath->height());
    }
    ScrollOverControls(this);
}

// --- Selection ---------------------------------------------------------------------------

void MainWindow::toggleAllTicks() {
    ToggleAllRows(list);
    updateMenuEnabled();
    updateCountLabel();
}

void MainWindow::sortBy(int column) {
    SortByColumn(list, column, lastSortColumn_);
}

// --- Commands on the ticked generals -----------------------------------------------------

void MainWindow::restoreTicked() {
    const int count = CountTickedRows(list);
    if (count > 0 &&
        ShowMessage(QStringLiteral("選択中の%1名の設定を戻します。よろしいですか？").arg(count),
                    MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes) {
        document_->recordEdit(cmdBack->text(), [this](OpenGenerals&) {
            document_->restore(TickedIndexes(list));
            RefreshTickedRows(list);
        });
    }
    list->setFocus();
}

void MainWindow::clearSkills() {
    const int count = CountTickedRows(list);
    if (count > 0 &&
        ShowMessage(QStringLiteral("%1名の特技をすべて消しますか？").arg(count),
                    MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes) {
        document_->recordEdit(cmdTokugiClear->text(), [this](OpenGenerals& generals) {
            for (const int index : TickedIndexes(list)) {
                for (int i = 0; i < kSkillByteCount; ++i) {
                    generals.record(index).setSkillByte(i, 0);
                }
            }
            RefreshTickedRows(list);
        });
    }
    list->setFocus();
}

// Every edit dialog is a fresh instance over the ticked generals; the list shows the result.
template <typename Dialog, typename... Args>
void MainWindow::openDialog(const QPushButton* command, Args&&... args) {
    if (CountTickedRows(list) > 0) {
        document_->recordEdit(command->text(), [&](OpenGenerals&) {
            Dialog dialog(args..., this);
            fillTargets(&dialog);
            if constexpr (std::is_same_v<Dialog, BirthYearShiftDialog>) {
                dialog.Reset();
            }
            dialog.exec();
            RefreshTickedRows(list);
        });
    }
    list->setFocus();
}

void MainWindow::shiftBirthYears() {
    openDialog<BirthYearShiftDialog>(cmdTanjo);
}
void MainWindow::drawFame() {
    openDialog<FameDialog>(cmdMeisei, data_.random());
}
void MainWindow::drawAbilities() {
    openDialog<AbilityDialog>(cmdCapaAll, data_.abilityTemplates(), data_.random());
}
void MainWindow::drawHiddenSettings() {
    openDialog<HiddenSettingsDialog>(cmdSeikaku, data_.random());
}
void MainWindow::drawAffinities() {
    openDialog<AffinityDialog>(cmdAisyo, chooser(), data_.random());
}
void MainWindow::drawSkills() {
    openDialog<SkillDialog>(cmdTokugi, data_.skillTemplates(), data_.random());
}
void MainWindow::editMarks() {
    openDialog<MarkDialog>(cmdMark);
}

// --- Undo and redo -----------------------------------------------------------------------

void MainWindow::refreshGenerals(const QList<int>& indexes) {
    RefreshRowsOf(list, indexes);
    updateCountLabel();
    updateMenuEnabled();
}

void MainWindow::updateHistoryActions() {
    const auto caption = [](const QString& verb, bool possible, const QString& step) {
        return possible ? verb + QStringLiteral(": ") + step : verb;
    };
    undoAction->setText(caption(QStringLiteral("取り消し"), document_->history()->canUndo(),
                                document_->history()->undoText()));
    undoAction->setEnabled(document_->history()->canUndo());
    redoAction->setText(caption(QStringLiteral("やり直し"), document_->history()->canRedo(),
                                document_->history()->redoText()));
    redoAction->setEnabled(document_->history()->canRedo());
}

// --- Spreadsheet ---------------------------------------------------------------------------

void MainWindow::exportSheet() {
    ExportSheetFromWindow(this, document_->filePath(), document_->generals(),
                          data_.existingGenerals());
}

void MainWindow::importSheet() {
    ImportSheetFromWindow(this, document_->filePath(), document_->generals(),
                          data_.existingGenerals(), [this](const RosterSheetImport& import) {
                              document_->recordEdit(QStringLiteral("表から読み込み"),
                                                    [&](OpenGenerals& generals) {
                                                        import.apply(generals);
                                                        RefreshRowsOf(list, import.indexes());
                                                    });
                          });
    list->setFocus();
}
