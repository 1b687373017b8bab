#include "findbox.h"

#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>

#include "list/generalfilter.h"
#include "list/generallist.h"

namespace {

// Between the box and the list's header.
constexpr int kGapPixels = 2;

}  // namespace

void FindBox::install(QWidget* window, GeneralList* list) {
    auto* shortcut = new QShortcut(QKeySequence::Find, window);
    connect(shortcut, &QShortcut::activated, list, [list] { of(list)->open(); });
}

// Made on first use: a line edit with its clear button costs start-up more than the list does.
FindBox* FindBox::of(GeneralList* list) {
    auto* box = list->parentWidget()->findChild<FindBox*>(QString(), Qt::FindDirectChildrenOnly);
    return box != nullptr ? box : new FindBox(list);
}

FindBox::FindBox(GeneralList* list)
    // Beside the list, wherever the window has placed it (a small screen scrolls the controls).
    : QLineEdit(list->parentWidget()), list_(list), filter_(new GeneralFilter(list)) {
    setObjectName(QStringLiteral("txtFind"));
    setPlaceholderText(QStringLiteral("名前・印で絞り込み（Escで解除）"));
    setClearButtonEnabled(true);
    hide();
    connect(this, &QLineEdit::textChanged, filter_, &GeneralFilter::setText);
    // A newly opened file shows every general.
    connect(list->generals(), &QAbstractItemModel::modelReset, this, &FindBox::dismiss);
    // A row called into view while found away (the changes window's double click) is shown:
    // the find ends rather than leave the keyboard on a row the player cannot see.
    connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && list_->isRowHidden(current.row(), {})) {
                    dismiss();
                }
            });
    // The box keeps the list's width as the window is resized.
    list->installEventFilter(this);
}

void FindBox::open() {
    if (isHidden()) {
        const int height = sizeHint().height();
        setGeometry(list_->x(), list_->y(), list_->width(), height);
        const int taken = height + kGapPixels;
        list_->setGeometry(list_->x(), list_->y() + taken, list_->width(),
                           std::max(0, list_->height() - taken));
        show();
    }
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void FindBox::dismiss() {
    if (isHidden()) {
        return;  // nothing is found away while the box is hidden
    }
    clear();
    hide();
    list_->setGeometry(list_->x(), y(), list_->width(), list_->y() + list_->height() - y());
    list_->setFocus();
    // The row the keyboard is on stays in view once every row is back.
    if (list_->currentIndex().isValid()) {
        list_->scrollTo(list_->currentIndex());
    }
}

void FindBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    // The keyboard goes down to the rows found.
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        list_->setFocus();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool FindBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_) {
        if (event->type() == QEvent::Resize && !isHidden()) {
            resize(list_->width(), height());
        } else if (event->type() == QEvent::KeyPress && !isHidden() &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}
