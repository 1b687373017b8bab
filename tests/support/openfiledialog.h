// Answers the next open-file dialog of the person file library with path, or cancels it when
// path is empty. Use before the call that opens the dialog. On Windows the dialog is the
// system's own, found among this thread's windows; elsewhere it is Qt's file dialog.
#pragma once

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QString>
#include <QTimer>

#include "support/modal.h"

#ifdef _WIN32
#include <windows.h>

#include <dlgs.h>

#include <cwchar>
#include <string>

inline HWND VisibleSystemDialogOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            if (IsWindowVisible(window) && GetClassNameW(window, className, 16) > 0 &&
                std::wcscmp(className, L"#32770") == 0) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

inline void AnswerOpenFileDialog(const QString& path, int attemptsLeft = 500) {
    QTimer::singleShot(10, [path, attemptsLeft] {
        const HWND dialog = VisibleSystemDialogOfThisThread();
        if (dialog == nullptr) {
            if (attemptsLeft > 0) {
                AnswerOpenFileDialog(path, attemptsLeft - 1);
            }
            return;
        }
        if (path.isEmpty()) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
        // The file name box of the Explorer-style dialog, else of the old one.
        if (!SetDlgItemTextW(dialog, cmb13, name.c_str())) {
            SetDlgItemTextW(dialog, edt1, name.c_str());
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
}
#else
inline void AnswerOpenFileDialog(const QString& path) {
    WhenModalAppears([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            return;
        }
        if (path.isEmpty()) {
            QMetaObject::invokeMethod(dialog, "reject");
            return;
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}
#endif
