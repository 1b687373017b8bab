// The record buffer and the reading and writing of the person file.
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "drovantel.h"

namespace {

unsigned char recordBuffer[VRX_MAX_RECORDS][VRX_RECORD_SIZE];
int recordCount = 0;

bool isEndMarker(const unsigned char* record) {
    int32_t leadWord;
    std::memcpy(&leadWord, record, sizeof leadWord);
    return leadWord == -1;
}

bool isValidIndex(int index) {
    return index >= 0 && index < VRX_MAX_RECORDS;
}

// A folder or a device can be opened by fopen on some systems; only a plain file is a person
// file, as on the platform the format comes from.
bool isRegularFile(std::FILE* file) {
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
}

// Looked at before opening too: opening a named pipe would wait for a writer forever.
#ifdef _WIN32
// The C runtime's stat drops a trailing 5C byte as if it were a separator, also when it is
// the second byte of a Shift-JIS character (表, 能, ソ), and then finds another name or none.
// The system call takes the path as it stands.
bool isNotRegularPath(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
#else
bool isNotRegularPath(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && !S_ISREG(info.st_mode);
}
#endif

std::FILE* openPersonFile(const char* path, const char* mode) {
    if (path == nullptr || isNotRegularPath(path)) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, mode);
    if (file != nullptr && !isRegularFile(file)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

}  // namespace

extern "C" {

DROVANTEL_API int DROVANTEL_CALL Vrx_Test(int value) {
    return value;
}

DROVANTEL_API int DROVANTEL_CALL Vrx_ReadPersonFile(const char* path) {
    std::FILE* file = openPersonFile(path, "rb");
    if (file == nullptr) {
        return VRX_OPEN_FAILED;
    }
    // Read into a scratch area first: a trailing piece shorter than a record must not reach
    // the buffer, which also serves as the editor's restore point.
    unsigned char scratch[VRX_MAX_RECORDS][VRX_RECORD_SIZE];
    size_t wholeRecords = 0;
    if (std::fseek(file, VRX_HEADER_SIZE, SEEK_SET) == 0) {
        wholeRecords = std::fread(scratch, VRX_RECORD_SIZE, VRX_MAX_RECORDS, file);
    }
    std::fclose(file);

    std::memcpy(recordBuffer, scratch, wholeRecords * VRX_RECORD_SIZE);
    int count = 0;
    while (count < static_cast<int>(wholeRecords) && !isEndMarker(recordBuffer[count])) {
        ++count;
    }
    recordCount = count;
    return recordCount;
}

DROVANTEL_API int DROVANTEL_CALL Vrx_WritePersonFile(const char* path) {
    std::FILE* file = openPersonFile(path, "r+b");
    if (file == nullptr) {
        return VRX_OPEN_FAILED;
    }
    size_t written = 0;
    if (std::fseek(file, VRX_HEADER_SIZE, SEEK_SET) == 0) {
        written = std::fwrite(recordBuffer, VRX_RECORD_SIZE, recordCount, file);
    }
    // Bytes still in the stream's buffer are only written by the flush: a failing flush is a
    // short write too, never a success.
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (written < static_cast<size_t>(recordCount) || !flushed || !closed) {
        return VRX_SHORT_WRITE;
    }
    return 0;
}

DROVANTEL_API int DROVANTEL_CALL Vrx_ReadPerson(void* record, int index) {
    if (record == nullptr || !isValidIndex(index)) {
        return VRX_BAD_INDEX;
    }
    std::memcpy(record, recordBuffer[index], VRX_RECORD_SIZE);
    return 0;
}

DROVANTEL_API int DROVANTEL_CALL Vrx_WritePerson(const void* record, int index) {
    if (record == nullptr || !isValidIndex(index)) {
        return VRX_BAD_INDEX;
    }
    std::memcpy(recordBuffer[index], record, VRX_RECORD_SIZE);
    return 0;
}

}  // extern "C"
