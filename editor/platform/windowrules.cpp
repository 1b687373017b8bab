#include "windowrules.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

bool isEnterKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// The message boxes and the file dialog are the platform's: they keep its own Enter handling.
bool isProgramWindow(const QWidget* window) {
    return qobject_cast<const QMessageBox*>(window) == nullptr &&
           qobject_cast<const QFileDialog*>(window) == nullptr;
}

// Windows with a title bar; popups, menus and tool tips go where their owner puts them.
bool isFramedWindow(const QWidget* widget) {
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

// No button is ever the default, and none becomes it by taking the focus.
void demoteButton(QWidget* widget) {
    auto* button = qobject_cast<QPushButton*>(widget);
    if (button != nullptr && isProgramWindow(button->window())) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

// The key travels from the focused control up to its window; true ends its way.
bool handleEnter(QWidget* widget, const QKeyEvent* event) {
    if (!isEnterKey(event) || !isProgramWindow(widget->window())) {
        return false;
    }
    auto* button = qobject_cast<QPushButton*>(widget);
    // A toggle button stands for a check box, which Enter does not tick.
    if (button != nullptr && button->hasFocus() && !button->isCheckable()) {
        button->click();
        return true;
    }
    // Whatever the control did with Enter, the dialog never passes it on to a button.
    return widget->isWindow() && qobject_cast<QDialog*>(widget) != nullptr;
}

// Runs before the window is put on the screen, and before a dialog would centre itself, which
// it leaves to a window already placed.
void placeOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    if (!window->testAttribute(Qt::WA_Moved)) {
        const QWidget* owner = window->parentWidget();
        frame.moveCenter(owner != nullptr && owner->isVisible()
                             ? owner->window()->frameGeometry().center()
                             : area.center());
    }
    window->move(PositionInside(frame, area));
}

class WindowRules : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::Polish:
                demoteButton(widget);
                return false;
            case QEvent::KeyPress:
                return handleEnter(widget, static_cast<QKeyEvent*>(event));
            case QEvent::Show:
                if (!event->spontaneous() && isFramedWindow(widget)) {
                    placeOnScreen(widget);
                }
                return false;
            default:
                return false;
        }
    }
};

}  // namespace

void InstallWindowRules() {
    static QPointer<WindowRules> rules;
    if (rules == nullptr && qApp != nullptr) {
        rules = new WindowRules(qApp);
        qApp->installEventFilter(rules);
    }
}

QPoint PositionInside(const QRect& frame, const QRect& area) {
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {x, y};
}
