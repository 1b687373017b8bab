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
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <optional>

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

// The height of a title bar, for a window placed before any frame is known.
constexpr int kTitleBarGuess = 30;

bool frameKnown(const QWidget* window) {
    return window->frameGeometry() != window->geometry();
}

// The frame the window manager put around a window of the program when it was last seen.
std::optional<QMargins>& lastFrameMargins() {
    static std::optional<QMargins> margins;
    return margins;
}

// Until the window manager has framed a window its frame is unknown; the frame it gave the
// program's windows before is then the best guess.
std::optional<QMargins> frameMarginsOf(const QWidget* window) {
    if (frameKnown(window)) {
        const QRect frame = window->frameGeometry();
        const QRect client = window->geometry();
        lastFrameMargins() =
            QMargins(client.left() - frame.left(), client.top() - frame.top(),
                     frame.right() - client.right(), frame.bottom() - client.bottom());
        return lastFrameMargins();
    }
    return lastFrameMargins();
}

// Set on a window whose controls scroll when it is smaller than its minimumSizeHint().
const char* const kScrollsBelowMinimum = "scrollsBelowMinimum";

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
    const std::optional<QMargins> known = frameMarginsOf(window);
    // Nothing known yet: room for a title bar, and no resizing on a guess; the window is placed
    // again once it is framed.
    const QMargins margins = known.value_or(QMargins(0, kTitleBarGuess, 0, 0));
    if (fit && known.has_value() && isResizable(window)) {
        // Never below what the window needs to show all of its controls, unless they scroll.
        const QSize floor = window->property(kScrollsBelowMinimum).toBool()
                                ? window->minimumSize()
                                : window->minimumSizeHint();
        const QSize room = area.size().shrunkBy(margins).expandedTo(floor);
        const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
        if (size != window->size()) {
            window->resize(size);
        }
    }
    QRect frame = window->geometry().marginsAdded(margins);
    // move() places the frame once it is known, the client area before.
    const QPoint moveOffset = frameKnown(window) ? QPoint() : QPoint(margins.left(), margins.top());
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

// The room a window's client area has on its screen.
QSize clientRoom(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    }
    const QMargins margins = frameMarginsOf(window).value_or(QMargins(0, kTitleBarGuess, 0, 0));
    return screen->availableGeometry().size().shrunkBy(margins);
}

const char* const kFittingScrollArea = "fittingScrollArea";

// Takes the size of its contents while the screen holds it, else as much as there is room
// for, with scroll bars for the rest. Contents that grow or shrink take it along.
class FittingScrollArea : public QScrollArea {
  public:
    explicit FittingScrollArea(QWidget* parent) : QScrollArea(parent) {
        setObjectName(QLatin1String(kFittingScrollArea));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
    }

    QSize sizeHint() const override {
        const QWidget* contents = widget();
        if (contents == nullptr) {
            return QScrollArea::sizeHint();
        }
        // Laid-out contents need what their layout needs as soon as it is asked, before the
        // layout has sized them.
        const QLayout* layout = contents->layout();
        const QSize needed = layout != nullptr ? layout->totalSizeHint() : contents->size();
        const QSize room = clientRoom(window());
        QSize size = needed.boundedTo(room);
        // A scroll bar takes its breadth from the other direction.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (needed.width() > room.width()) {
            size.setHeight(std::min(needed.height() + bar, room.height()));
        }
        if (needed.height() > room.height()) {
            size.setWidth(std::min(needed.width() + bar, room.width()));
        }
        return size;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget() && event->type() == QEvent::Resize) {
            updateGeometry();
        }
        return QScrollArea::eventFilter(watched, event);
    }
};

// The room of a scrolled window depends on its frame, known only once it is shown.
void refitScrollAreas(const QWidget* window) {
    for (QScrollArea* area :
         window->findChildren<QScrollArea*>(QLatin1String(kFittingScrollArea))) {
        area->updateGeometry();
    }
}

class WindowRules : public QObject {
  public:
    using QObject::QObject;

  private:
    // Once the window manager has framed a window, the guess made at its placement is checked;
    // a window that grows afterwards is moved back inside as well. Moves of the user's own
    // are left alone.
    static void followFrame(QWidget* window, const QEvent* event) {
        if (frameKnown(window) && window->property(kAwaitingFrame).toBool()) {
            window->setProperty(kAwaitingFrame, QVariant());
            refitScrollAreas(window);
            placeInside(window, false, true);
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

    // The window manager frames a window before it first shows it.
    static void followExpose(const QObject* watched, const QEvent* event) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->windowHandle() == watched && window->property(kAwaitingFrame).toBool() &&
                isFramedWindow(window)) {
                followFrame(window, event);
            }
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) {
            if (event->type() == QEvent::Expose && watched->isWindowType()) {
                followExpose(watched, event);
            }
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

namespace {

// Moves the controls that are not part of a layout into the area's contents, where they are.
void movePlacedControls(QWidget* window, const QScrollArea* area) {
    QWidget* contents = area->widget();
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child != area) {
            const QRect geometry = child->geometry();
            const bool hidden = child->isHidden();
            child->setParent(contents);
            child->setGeometry(geometry);
            child->setVisible(!hidden);
        }
    }
}

}  // namespace

void ScrollWhenTooLarge(QDialog* dialog) {
    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("scrolledContents"));
    auto* area = new FittingScrollArea(dialog);
    // Given to the area before it holds the layout: the area shows it, which would lay the
    // controls out now, while boxes are still empty, and keep the widths they had then.
    area->setWidget(contents);
    contents->installEventFilter(area);
    if (QLayout* layout = dialog->layout()) {
        // The margins the layout had as a window's, not the narrower ones of a child's.
        layout->setContentsMargins(layout->contentsMargins());
        contents->setLayout(layout);
    } else {
        contents->setFixedSize(dialog->size());
    }
    movePlacedControls(dialog, area);
    dialog->setMinimumSize(0, 0);
    dialog->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto* outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* ScrollBelowMinimumSize(QWidget* window) {
    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("scrolledContents"));
    contents->setMinimumSize(window->minimumSizeHint());
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(contents);
    movePlacedControls(window, area);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
    window->setProperty(kScrollsBelowMinimum, true);
    return contents;
}

void ScrollOverControls(QWidget* window) {
    auto* contents = window->findChild<QWidget*>(QStringLiteral("scrolledContents"));
    if (contents == nullptr) {
        return;
    }
    const QRect controls = contents->childrenRect();
    contents->setMinimumSize(
        window->minimumSizeHint().expandedTo(QSize(controls.right() + 1, controls.bottom() + 1)));
    // The area sizes its contents anew, smaller too, when asked to lay them out.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(contents->parentWidget()->parentWidget(), &request);
}
