// Enter pressed as a user presses it: on whatever control has the keyboard focus.
#pragma once

#include <QApplication>
#include <QList>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// Qt::Key_Return, or Qt::Key_Enter as the keypad sends it, to the focused control.
// Nothing happens when no window is left to take it.
inline void PressEnterKey(Qt::Key key) {
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = focused != nullptr ? focused : QApplication::activeWindow();
    if (target != nullptr) {
        QTest::keyClick(target, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
}

// Return, then the keypad's Enter.
inline void PressEnter() {
    PressEnterKey(Qt::Key_Return);
    PressEnterKey(Qt::Key_Enter);
}

inline bool IsPlainPushButton(const QWidget* widget) {
    const auto* button = qobject_cast<const QPushButton*>(widget);
    return button != nullptr && !button->isCheckable();
}

// The controls of window that the user can move the focus to, in focus order, without the
// plain push buttons: lists, combo boxes, check boxes, options, text boxes, toggle buttons.
inline QList<QWidget*> FocusableControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget = window->nextInFocusChain(); widget != window;
         widget = widget->nextInFocusChain()) {
        if (widget->isVisibleTo(window) && widget->isEnabled() && widget->focusProxy() == nullptr &&
            (widget->focusPolicy() & Qt::TabFocus) != 0 && !IsPlainPushButton(widget)) {
            controls.append(widget);
        }
    }
    return controls;
}

// Gives each control the focus in turn and presses Enter there; returns the name of the
// control at which window closed, empty when it stayed open throughout. Every press follows
// one on a focused push button, so that a button that had the focus is known not to linger as
// the window's default.
inline QString EnterClosesWindowAt(QWidget* window, QPushButton* earlierFocus) {
    for (QWidget* control : FocusableControls(window)) {
        earlierFocus->setFocus(Qt::TabFocusReason);
        control->setFocus(Qt::TabFocusReason);
        if (QApplication::focusWidget() != control) {
            return QStringLiteral("(no focus) ") + control->objectName();
        }
        PressEnter();
        if (!window->isVisible()) {
            return control->objectName();
        }
    }
    return QString();
}
