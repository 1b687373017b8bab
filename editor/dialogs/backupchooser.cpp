#include "backupchooser.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/personfiledocument.h"

namespace {

QString stateText(const BackupCopy& copy) {
    switch (copy.kind) {
        case BackupCopy::Kind::Usable:
            return QStringLiteral("%1人が違います").arg(copy.differingGenerals);
        case BackupCopy::Kind::OtherCount:
            return copy.records.empty()
                       ? QStringLiteral("武将ファイルではありません")
                       : QStringLiteral("武将の数が違います（%1人）").arg(copy.records.size());
        case BackupCopy::Kind::Unreadable:
            break;
    }
    return QStringLiteral("読み込めません");
}

}  // namespace

BackupChooser::BackupChooser(const PersonFileDocument& document, const ExistingGenerals& existing,
                             QWidget* parent)
    : QDialog(parent),
      document_(document),
      existing_(existing),
      copies_(BackupCopiesOf(document.filePath(), document.generals())) {
    setObjectName(QStringLiteral("frmBackups"));
    setWindowTitle(QStringLiteral("バックアップから戻す"));

    listBackups = new QTreeWidget(this);
    listBackups->setObjectName(QStringLiteral("listBackups"));
    listBackups->setRootIsDecorated(false);
    listBackups->setHeaderLabels(
        {QStringLiteral("日時"), QStringLiteral("大きさ"), QStringLiteral("この武将ファイルと")});
    for (const BackupCopy& copy : std::as_const(copies_)) {
        auto* item = new QTreeWidgetItem(
            listBackups, {QLocale().toString(copy.made, QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                          QStringLiteral("%1 バイト").arg(copy.size), stateText(copy)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        // A copy that cannot take the open generals' place is shown but cannot be chosen.
        item->setFlags(copy.isUsable() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                       : Qt::ItemFlags());
    }
    listBackups->setColumnWidth(0, 170);
    listBackups->setColumnWidth(1, 100);

    panel = new ChangesPanel(this);
    cmdRestore = new QPushButton(QStringLiteral("戻す"), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdRestore, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(listBackups, &QTreeWidget::itemSelectionChanged, this, &BackupChooser::showChosen);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listBackups, 2);
    layout->addWidget(panel, 3);
    layout->addLayout(buttons);
    resize(600, 560);

    panel->labChanges->setText(copies_.isEmpty()
                                   ? QStringLiteral("このファイルのバックアップはまだありません")
                                   : QStringLiteral("戻すバックアップを選んで下さい"));
}

const BackupCopy* BackupChooser::chosenCopy() const {
    const QList<QTreeWidgetItem*> chosen = listBackups->selectedItems();
    if (chosen.size() != 1) {
        return nullptr;
    }
    const int row = listBackups->indexOfTopLevelItem(chosen.first());
    return row >= 0 && copies_.at(row).isUsable() ? &copies_.at(row) : nullptr;
}

void BackupChooser::showChosen() {
    const BackupCopy* copy = chosenCopy();
    cmdRestore->setEnabled(copy != nullptr && copy->differingGenerals > 0);
    if (copy != nullptr) {
        panel->setChanges(GeneralChanges(document_.generals(),
                                         document_.withRecordsOf(copy->records), existing_));
    }
}
