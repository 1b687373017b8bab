#include "windowrules.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
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

// Until the window manager has framed a window its frame is unknown; the frame of a window
// already on the screen is the best guess, else a common title bar and border.
QMargins frameMarginsOf(const QWidget* window) {
    if (window->frameGeometry() != window->geometry()) {
        const QRect frame = window->frameGeometry();
        const QRect client = window->geometry();
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && isFramedWindow(other) &&
            other->frameGeometry() != other->geometry()) {
            return frameMarginsOf(other);
        }
    }
    return {4, 30, 4, 4};
}

// A window can be resized smaller when its size is not fixed, by itself or by its layout.
bool isResizable(const QWidget* window) {
    const QLayout* layout = window->layout();
    return window->minimumSize() != window->maximumSize() &&
           (layout == nullptr || layout->sizeConstraint() != QLayout::SetFixedSize);
}

// Puts the window's frame, title bar included, inside the available area: centred over the
// window it belongs to (on the screen when it has none) when center is true, else where it
// is, moved in from any edge it crosses. With fit, a resizable window larger than the area is
// made to fit it; a larger window that is not starts at the area's top-left corner.
void placeInside(QWidget* window, bool center, bool fit) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins margins = frameMarginsOf(window);
    if (fit && isResizable(window)) {
        // Never below what the window needs to show all of its controls.
        const QSize room = area.size().shrunkBy(margins).expandedTo(window->minimumSizeHint());
        const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
        if (size != window->size()) {
            window->resize(size);
        }
    }
    QRect frame = window->geometry().marginsAdded(margins);
    // move() places the frame once it is known, the client area before.
    const QPoint moveOffset = window->pos() - frame.topLeft();
    if (center) {
        const QWidget* owner = window->parentWidget();
        frame.moveCenter(owner != nullptr && owner->isVisible()
                             ? owner->window()->frameGeometry().center()
                             : area.center());
    }
    const QPoint target = PositionInside(frame, area) + moveOffset;
    if (target != window->pos()) {
        window->move(target);
    }
}

// Set from a window's first placement until its frame is known, when it is placed again.
const char* const kAwaitingFrame = "awaitingFrame";

bool isOutside(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen != nullptr && !screen->availableGeometry().contains(window->frameGeometry());
}

class WindowRules : public QObject {
  public:
    using QObject::QObject;

  private:
    // Once the window manager has framed a window, the guess made at its placement is checked;
    // a window that grows afterwards is moved back inside as well. Moves of the user's own
    // are left alone.
    static void followFrame(QWidget* window, const QEvent* event) {
        const bool framed = window->frameGeometry() != window->geometry();
        if (framed && window->property(kAwaitingFrame).toBool()) {
            window->setProperty(kAwaitingFrame, QVariant());
            if (isOutside(window)) {
                placeInside(window, false, true);
            }
            return;
        }
        if (event->type() == QEvent::Resize) {
            const auto* resize = static_cast<const QResizeEvent*>(event);
            const bool grew = resize->size().width() > resize->oldSize().width() ||
                              resize->size().height() > resize->oldSize().height();
            if (grew && isOutside(window)) {
                placeInside(window, false, false);
            }
        }
    }

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
                // Runs before the window is put on the screen, and before a dialog would
                // centre itself, which it leaves to a window already placed.
                if (!event->spontaneous() && isFramedWindow(widget)) {
                    placeInside(widget, !widget->testAttribute(Qt::WA_Moved), true);
                    widget->setProperty(kAwaitingFrame, true);
                }
                return false;
            case QEvent::Resize:
            case QEvent::Move:
                if (isFramedWindow(widget) && widget->isVisible()) {
                    followFrame(widget, event);
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
