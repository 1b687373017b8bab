#include "changecommands.h"

#include <QAction>

#include "dialogs/backupchooser.h"
#include "dialogs/changeswindow.h"
#include "list/generallist.h"
#include "model/edithistory.h"
#include "model/personfiledocument.h"

ChangeCommands::ChangeCommands(GeneralList* list, PersonFileDocument& document,
                               const ExistingGenerals& existing, QWidget* window)
    : QObject(window), list_(list), document_(document), existing_(existing), window_(window) {
    auto* separator = new QAction(list);
    separator->setSeparator(true);
    showChangesAction = new QAction(QStringLiteral("変更点を表示..."), list);
    showChangesAction->setObjectName(QStringLiteral("showChangesAction"));
    restoreBackupAction = new QAction(QStringLiteral("バックアップから戻す..."), list);
    restoreBackupAction->setObjectName(QStringLiteral("restoreBackupAction"));
    list->addActions({separator, showChangesAction, restoreBackupAction});
    connect(showChangesAction, &QAction::triggered, this, &ChangeCommands::showChanges);
    connect(restoreBackupAction, &QAction::triggered, this, &ChangeCommands::restoreBackup);

    // Every change of the generals or of the file as saved passes through one of these.
    connect(&document_, &PersonFileDocument::generalsChanged, this, &ChangeCommands::updateEnabled);
    connect(&document_, &PersonFileDocument::opened, this, &ChangeCommands::updateEnabled);
    connect(&document_, &PersonFileDocument::saved, this, &ChangeCommands::updateEnabled);
    updateEnabled();
}

GeneralChanges ChangeCommands::currentChanges() const {
    return GeneralChanges(document_.savedGenerals(), document_.generals(), existing_);
}

void ChangeCommands::updateEnabled() {
    const bool changed = !document_.generals().differences(document_.savedGenerals()).isEmpty();
    showChangesAction->setEnabled(changed);
    restoreBackupAction->setEnabled(document_.isOpen() && document_.generalCount() > 0);
    if (changesWindow_ != nullptr && changesWindow_->isVisible()) {
        changesWindow_->setChanges(currentChanges());
    }
}

ChangesWindow* ChangeCommands::makeChangesWindow() {
    if (changesWindow_ == nullptr) {
        changesWindow_ = new ChangesWindow(window_);
        connect(changesWindow_, &ChangesWindow::generalActivated, this, &ChangeCommands::putInView);
    }
    changesWindow_->setChanges(currentChanges());
    return changesWindow_;
}

void ChangeCommands::showChanges() {
    ChangesWindow* changes = makeChangesWindow();
    changes->show();
    changes->raise();
    changes->activateWindow();
}

void ChangeCommands::showChangesUntilClosed() {
    ChangesWindow* changes = makeChangesWindow();
    // A window already open becomes modal only when it is shown again.
    changes->hide();
    changes->exec();
}

void ChangeCommands::restoreBackup() {
    BackupChooser chooser(document_, existing_, window_);
    connect(chooser.panel, &ChangesPanel::generalActivated, this, &ChangeCommands::putInView);
    if (chooser.exec() == QDialog::Accepted && chooser.chosenCopy() != nullptr) {
        document_.putBackCopy(chooser.chosenCopy()->records);
    }
    list_->setFocus();
}

void ChangeCommands::putInView(int index) {
    for (int position = 1; position <= list_->rowCount(); ++position) {
        if (list_->rowTag(position) == index) {
            list_->setCurrentPosition(position);
            list_->scrollTo(list_->rowIndex(position), QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}
