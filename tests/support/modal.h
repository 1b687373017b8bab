// Answers a modal window from the event loop: when the next modal widget appears, action runs
// on it. Use before the call that opens the modal window.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void WhenModalAppears(std::function<void(QWidget*)> action, int attemptsLeft = 200) {
    QTimer::singleShot(10, [action = std::move(action), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            action(modal);
        } else if (attemptsLeft > 0) {
            WhenModalAppears(std::move(action), attemptsLeft - 1);
        }
    });
}
