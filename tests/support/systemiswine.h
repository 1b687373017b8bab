// Whether the tests run on Wine rather than on Windows itself: a few of Wine's system tables and
// fonts differ from Windows', and the program uses whatever the system it runs on has.
#pragma once

#ifdef _WIN32
#include <windows.h>

inline bool SystemIsWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#else
inline bool SystemIsWine() {
    return false;
}
#endif
