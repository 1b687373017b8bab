#include "celleditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>

#include "dialogs/storabletextvalidator.h"
#include "generallist.h"
#include "model/celledit.h"
#include "model/listcolumns.h"
#include "model/roster.h"

CellEditor::CellEditor(GeneralList* list, const OpenGenerals& generals, Apply apply)
    : QObject(list),
      list_(list),
      viewport_(list->viewport()),
      generals_(generals),
      apply_(std::move(apply)) {
    // Installed after the list's own filter, so it sees the events first and passes them on:
    // a double click still ticks as two presses do, leaving the tick as it was.
    list_->viewport()->installEventFilter(this);
    list_->installEventFilter(this);
}

bool CellEditor::edit(int position, int column) {
    if (position < 1 || position > list_->rowCount() || column < 0 ||
        CellEditKindOf(column) == CellEditKind::None || list_->isColumnHidden(column) ||
        list_->columnWidth(column) == 0) {
        return false;
    }
    finish(false);
    index_ = list_->rowTag(position);
    column_ = column;
    const QVariant value = CellEditValue(generals_, index_, column);
    QWidget* editor = nullptr;
    switch (CellEditKindOf(column)) {
        case CellEditKind::Number: {
            auto* box = new QSpinBox(list_->viewport());
            box->setRange(CellEditMinimum(column), CellEditMaximum(column));
            box->setValue(value.toInt());
            editor = box;
            break;
        }
        case CellEditKind::Label: {
            auto* box = new QComboBox(list_->viewport());
            const Setting field = SettingOfColumn(column);
            for (int code = 0; code < SettingCodeCount(field); ++code) {
                box->addItem(SettingLabel(field, code), code);
            }
            box->setCurrentIndex(box->findData(value.toInt()));
            editor = box;
            break;
        }
        case CellEditKind::Skill: {
            auto* box = new QCheckBox(list_->viewport());
            box->setChecked(value.toBool());
            box->setAutoFillBackground(true);
            editor = box;
            break;
        }
        case CellEditKind::Mark: {
            auto* box = new QLineEdit(value.toString(), list_->viewport());
            box->setValidator(new StorableTextValidator(box));
            editor = box;
            break;
        }
        case CellEditKind::None:
            return false;
    }
    editor->setObjectName(QStringLiteral("cellEditor"));
    QRect cell = list_->visualRect(list_->rowIndex(position, column));
    cell.setWidth(std::max(cell.width(), editor->sizeHint().width()));
    cell.setHeight(std::max(cell.height(), editor->sizeHint().height()));
    editor->setGeometry(cell);
    editor->installEventFilter(this);
    editor_ = editor;
    editor->show();
    editor->setFocus();
    // Typing replaces the value.
    if (auto* box = qobject_cast<QSpinBox*>(editor)) {
        box->selectAll();
    } else if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        box->selectAll();
    }
    return true;
}

QVariant CellEditor::editorValue() const {
    if (const auto* box = qobject_cast<QSpinBox*>(editor_)) {
        return box->value();
    }
    if (const auto* box = qobject_cast<QComboBox*>(editor_)) {
        return box->currentData();
    }
    if (const auto* box = qobject_cast<QCheckBox*>(editor_)) {
        return box->isChecked();
    }
    if (const auto* box = qobject_cast<QLineEdit*>(editor_)) {
        return box->text();
    }
    return {};
}

void CellEditor::finish(bool apply) {
    if (editor_ == nullptr) {
        return;
    }
    if (auto* box = qobject_cast<QSpinBox*>(editor_)) {
        box->interpretText();
    }
    const QVariant value = editorValue();
    QWidget* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    list_->setFocus();
    if (apply) {
        apply_(index_, column_, value);
    }
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ != nullptr && watched == editor_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                finish(true);
                return true;
            }
            if (key == Qt::Key_Escape) {
                finish(false);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // Leaving the editor cancels it: only Return applies a value.
            QTimer::singleShot(0, this, [this] { finish(false); });
        }
        return false;
    }
    // The list may be half destroyed when its viewport reports its last events: it is not asked.
    if (watched == viewport_) {
        const auto type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
            lastColumn_ = list_->columnAt(point.x());
            if (type == QEvent::MouseButtonDblClick) {
                const int position = list_->positionAt(point);
                const int column = lastColumn_;
                // Once the list has taken the click as its second press.
                QTimer::singleShot(0, this, [this, position, column] { edit(position, column); });
            }
        }
        return false;
    }
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        edit(list_->currentPosition(), lastColumn_);
        return true;
    }
    return false;
}
