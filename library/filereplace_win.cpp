// GetFinalPathNameByHandle came with Windows Vista.
#if !defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0600
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#endif
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "filereplace.h"

namespace {

bool writeAll(HANDLE handle, const unsigned char* bytes, size_t size, size_t offset) {
    size_t done = 0;
    while (done < size) {
        OVERLAPPED at{};
        const unsigned long long position = offset + done;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD piece =
            static_cast<DWORD>(size - done > 0x10000000u ? 0x10000000u : size - done);
        DWORD written = 0;
        if (!WriteFile(handle, bytes + done, piece, &written, &at) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// A folder that cannot take a new file: writing in place is then the only way.
bool folderTakesNoNewFile(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
           error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// The file itself, also when path names a symbolic link to it. Plain C strings: the library
// carries no C++ runtime.
void targetOf(HANDLE current, const char* path, char* target, size_t size) {
    const DWORD length = GetFinalPathNameByHandleA(current, target, static_cast<DWORD>(size),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= size) {
        std::snprintf(target, size, "%s", path);
    }
}

enum class Outcome { Written, FolderRefused, Failed };

// Writes the image to a new file beside target, named in temporary.
Outcome writeNewFile(const char* target, DWORD attributes, const unsigned char* image, size_t size,
                     char* temporary, size_t temporarySize) {
    static unsigned counter = 0;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        const int length =
            std::snprintf(temporary, temporarySize, "%s.saving-%lu-%u", target,
                          static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
        if (length < 0 || static_cast<size_t>(length) >= temporarySize) {
            return Outcome::Failed;
        }
        handle = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return folderTakesNoNewFile(GetLastError()) ? Outcome::FolderRefused : Outcome::Failed;
    }
    bool ok = writeAll(handle, image, size, 0) && FlushFileBuffers(handle) != 0;
    const DWORD error = GetLastError();
    ok = CloseHandle(handle) != 0 && ok;
    if (!ok) {
        DeleteFileA(temporary);
        return folderTakesNoNewFile(error) ? Outcome::FolderRefused : Outcome::Failed;
    }
    return Outcome::Written;
}

}  // namespace

bool ReplaceWholeFile(std::FILE* file, const char* path, const unsigned char* image, size_t size,
                      size_t changedFrom, size_t changedSize) {
    const HANDLE current = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (current == INVALID_HANDLE_VALUE) {
        std::fclose(file);
        return false;
    }
    char target[MAX_PATH * 4];
    targetOf(current, path, target, sizeof target);
    BY_HANDLE_FILE_INFORMATION info{};
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (GetFileInformationByHandle(current, &info) != 0) {
        // Hidden, system and archive carry over; the file is writable, or it would not be open.
        attributes =
            info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (attributes == 0) {
            attributes = FILE_ATTRIBUTE_NORMAL;
        }
    }
    char temporary[MAX_PATH * 4 + 32];
    switch (writeNewFile(target, attributes, image, size, temporary, sizeof temporary)) {
        case Outcome::Written: {
            // The open file would refuse to be replaced.
            const bool closed = std::fclose(file) == 0;
            if (MoveFileExA(temporary, target,
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
                DeleteFileA(temporary);
                return false;
            }
            return closed;
        }
        case Outcome::FolderRefused: {
            const bool ok = writeAll(current, image + changedFrom, changedSize, changedFrom) &&
                            FlushFileBuffers(current) != 0;
            return std::fclose(file) == 0 && ok;
        }
        case Outcome::Failed:
            break;
    }
    std::fclose(file);
    return false;
}
