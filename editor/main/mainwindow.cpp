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

#include "changecommands.h"
#include "filequestions.h"
#include "findbox.h"
#include "list/celleditor.h"
#include "list/frozennamecolumn.h"
#include "model/celledit.h"
#include "model/edithistory.h"
#include "model/marks.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/roster.h"
#include "model/rostersheet.h"
#include "platform/appinfo.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"
#include "platform/twips.h"
#include "platform/windowrules.h"
#include "sheetcommands.h"
#include "splashwindow.h"
#include "tickedcommands.h"

namespace {

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
    document_->setKeepsRecovery(true);
    connect(document_, &PersonFileDocument::markFileFailed, this, [](const MarkFileError& error) {
        ShowMessage(error.message(), MessageIcon::Critical);
    });
    createControls(this, &document_->generals(), data_.existingGenerals());
    FindBox::install(this, list);
    commands_ =
        new TickedGeneralCommands(this, *this, *document_, data_, [this] { return chooser(); });
    changeCommands_ = new ChangeCommands(list, *document_, data_.existingGenerals(), this);
    connectList();
    // A cell edited in place is one step named after its column.
    new CellEditor(list, document_->generals(), [this](int index, int column, const QVariant& v) {
        document_->recordEdit(CellEditStepName(column), [&](OpenGenerals& generals) {
            ApplyCellEdit(generals, index, column, v);
        });
    });
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
    if (MayDropForAnotherFile(*document_)) {
        openPersonFile(path);
    }
}

void MainWindow::openGivenFile(const QString& path) {
    if (MayDropForAnotherFile(*document_)) {
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
    OfferRecovery(*document_);
}

void MainWindow::saveFile() {
    if (document_->generalCount() > 0) {
        AskAndSave(*document_, [this] { changeCommands_->showChangesUntilClosed(); });
        list->setFocus();
    }
}

bool MainWindow::hasUnsavedChanges() const {
    return document_->isModified();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        if (!MayDropOnClose(*document_)) {
            event->ignore();
            return;
        }
        document_->saveMarks();
        if (!MayDropUnwrittenDataFiles(data_)) {
            event->ignore();
            return;
        }
        closed_ = true;
        document_->close();
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
                              document_->recordEdit(
                                  QStringLiteral("表から読み込み"),
                                  [&import](OpenGenerals& generals) { import.apply(generals); });
                          });
    list->setFocus();
}
