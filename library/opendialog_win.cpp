// The open-file dialog for person files, on Windows.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "drovantel.h"

extern "C" DROVANTEL_API int DROVANTEL_CALL Vrx_OpenFileDialog(char* pathBuffer, void* owner) {
    static const char kDefaultFileName[] = "TPERSON.VRX";
    // Shift-JIS bytes of the title and the two file types, with the pattern after each type.
    static const char kTitle[] =
        "Tessaril\x90\x56\x95\x90\x8f\xab\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8a\x4a\x82\xad";
    static const char kFilter[] =
        "\x90\x56\x95\x90\x8f\xab\x83\x74\x83\x40\x83\x43\x83\x8b(*.vrx)\0*.vrx\0"
        "\x91\x53\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)\0*.*\0";
    if (pathBuffer == nullptr) {
        return CDERR_INITIALIZATION;
    }
    std::memcpy(pathBuffer, kDefaultFileName, sizeof kDefaultFileName);

    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    // A handle that is no window (a closed one, or a program without real windows) would make
    // the dialog fail; it then has no owner.
    dialog.hwndOwner = IsWindow(static_cast<HWND>(owner)) ? static_cast<HWND>(owner) : nullptr;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = pathBuffer;
    dialog.nMaxFile = VRX_PATH_SIZE;
    dialog.lpstrTitle = kTitle;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&dialog)) {
        return VRX_FILE_CHOSEN;
    }
    return static_cast<int>(CommDlgExtendedError());
}
