#include "templatepanel.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/messages.h"
#include "storabletextvalidator.h"

QString NoTemplateName() {
    return QStringLiteral("  -");
}

void ShowTemplateSaveFailure(const std::optional<DataFileError>& error) {
    if (error) {
        ShowMessage(error->message(), MessageIcon::Critical);
    }
}

TemplatePanel::TemplatePanel(std::unique_ptr<TemplateStore> store, const QString& newCaption,
                             const QString& saveCaption, QWidget* dialog)
    // A braced list runs in order, so the controls are created (and take focus) in this order.
    : QObject(dialog),
      TemplateControls{new QListWidget(dialog),
                       new QLineEdit(dialog),
                       new QPushButton(newCaption, dialog),
                       new QPushButton(saveCaption, dialog),
                       new QPushButton(QStringLiteral("削除"), dialog),
                       new QPushButton(QStringLiteral("上へ"), dialog),
                       new QPushButton(QStringLiteral("下へ"), dialog)},
      store_(std::move(store)) {
    listTemplate->setObjectName(QStringLiteral("listTemplate"));
    txtTemplName->setObjectName(QStringLiteral("txtTemplName"));
    cmdTemplNew->setObjectName(QStringLiteral("cmdTemplNew"));
    cmdTemplSave->setObjectName(QStringLiteral("cmdTemplSave"));
    cmdTemplDelete->setObjectName(QStringLiteral("cmdTemplDelete"));
    cmdUp->setObjectName(QStringLiteral("cmdUp"));
    cmdDown->setObjectName(QStringLiteral("cmdDown"));

    listTemplate->setSelectionMode(QAbstractItemView::SingleSelection);
    txtTemplName->setValidator(new StorableTextValidator(txtTemplName));

    connect(listTemplate, &QListWidget::currentRowChanged, this,
            &TemplatePanel::showChosenTemplate);
    // A press on the entry that is already selected selects it again (and reloads it); the
    // row change signal does not report that, so the press is watched.
    listTemplate->viewport()->installEventFilter(this);
    connect(listTemplate, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        const int row = listTemplate->row(item);
        if (row >= 0 && row == rowAtPress_) {
            runSelectionStep(row);
        }
    });
    // The name box and the buttons act on the current entry, so it stays highlighted: Ctrl+click
    // or Ctrl+Space on it would otherwise leave them acting on an entry not shown.
    connect(listTemplate, &QListWidget::itemSelectionChanged, this, [this] {
        QListWidgetItem* current = listTemplate->currentItem();
        if (current != nullptr && listTemplate->selectedItems().isEmpty()) {
            current->setSelected(true);
        }
    });
    connect(cmdTemplNew, &QPushButton::clicked, this, &TemplatePanel::newTemplate);
    connect(cmdTemplSave, &QPushButton::clicked, this, &TemplatePanel::saveTemplate);
    connect(cmdTemplDelete, &QPushButton::clicked, this, &TemplatePanel::deleteTemplate);
    connect(cmdUp, &QPushButton::clicked, this, &TemplatePanel::moveTemplateUp);
    connect(cmdDown, &QPushButton::clicked, this, &TemplatePanel::moveTemplateDown);
}

TemplatePanel::~TemplatePanel() = default;

bool TemplatePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != listTemplate->viewport()) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // A click below the entries would clear the highlight of the entry the name box and
        // the buttons still act on; it changes nothing.
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (listTemplate->itemAt(point) == nullptr) {
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        rowAtPress_ = listTemplate->currentRow();
    }
    return QObject::eventFilter(watched, event);
}

void TemplatePanel::Open() {
    current_ = -1;
    changed_ = false;
    {
        const QSignalBlocker quiet(listTemplate);
        listTemplate->clear();
        for (int index = 0; index < store_->count(); ++index) {
            listTemplate->addItem(store_->name(index));
        }
    }
    selectRow(0);
}

void TemplatePanel::Close() {
    // Only the pending name edit matters now: loading the entry again into a closing dialog
    // would change nothing but could repeat a warning that the entry's settings bring up.
    commitName();
    if (changed_) {
        store_->save();
    }
}

void TemplatePanel::selectRow(int row) {
    if (listTemplate->currentRow() == row) {
        runSelectionStep(row);
    } else {
        listTemplate->setCurrentRow(row);  // the row change runs the step
    }
}

void TemplatePanel::showChosenTemplate() {
    const int row = listTemplate->currentRow();
    if (row >= 0) {
        runSelectionStep(row);
    }
}

void TemplatePanel::commitName() {
    if (current_ >= 0 && current_ < store_->count()) {
        const QString text = txtTemplName->text();
        if (text != store_->name(current_)) {
            changed_ = true;
        }
        store_->setName(current_, text);
        listTemplate->item(current_)->setText(text);
    }
}

void TemplatePanel::runSelectionStep(int row) {
    commitName();
    current_ = row;
    txtTemplName->setText(store_->name(row));
    const bool userEntry = row > 0;
    txtTemplName->setEnabled(userEntry);
    cmdTemplSave->setEnabled(userEntry);
    cmdTemplDelete->setEnabled(userEntry);
    if (userEntry) {
        store_->load(row);
    }
}

void TemplatePanel::newTemplate() {
    const QString name = QStringLiteral("新規");
    store_->appendCurrent(name);
    listTemplate->addItem(name);
    changed_ = true;
    selectRow(store_->count() - 1);
    txtTemplName->setText(name);
}

void TemplatePanel::saveTemplate() {
    if (current_ < 1) {
        return;
    }
    store_->storeCurrent(current_);
    changed_ = true;
    ShowMessage(QStringLiteral("テンプレート[") + txtTemplName->text() +
                    QStringLiteral("]に記憶しました。"),
                MessageIcon::Information);
}

void TemplatePanel::deleteTemplate() {
    const int row = listTemplate->currentRow();
    if (row < 1) {
        return;
    }
    const QString question =
        QStringLiteral("[") + txtTemplName->text() + QStringLiteral("]を削除してよろしいですか？");
    if (ShowMessage(question, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    current_ = -1;  // the pending name edit goes with the entry
    store_->remove(row);
    {
        const QSignalBlocker quiet(listTemplate);
        delete listTemplate->takeItem(row);
    }
    changed_ = true;
    selectRow(row < store_->count() ? row : row - 1);
}

void TemplatePanel::moveTemplateUp() {
    const int row = listTemplate->currentRow();
    if (row < 2) {
        return;
    }
    store_->swap(row, row - 1);
    listTemplate->item(row)->setText(store_->name(row));
    listTemplate->item(row - 1)->setText(txtTemplName->text());
    current_ = row - 1;
    selectRow(row - 1);
    changed_ = true;
}

void TemplatePanel::moveTemplateDown() {
    const int row = listTemplate->currentRow();
    if (row < 1 || row > store_->count() - 2) {
        return;
    }
    store_->swap(row, row + 1);
    listTemplate->item(row)->setText(store_->name(row));
    listTemplate->item(row + 1)->setText(txtTemplName->text());
    current_ = row + 1;
    selectRow(row + 1);
    changed_ = true;
}
