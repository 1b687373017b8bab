// The record buffer and the reading and writing of the person file.
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
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

// Writes size bytes at the start of the record area in one system call and waits until they
// are on the disk, so that a save reported done survives a power cut too.
#ifdef _WIN32
bool writeRecordArea(std::FILE* file, const void* data, size_t size) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    OVERLAPPED at{};
    at.Offset = VRX_HEADER_SIZE;
    DWORD written = 0;
    if (size > 0 &&
        (!WriteFile(handle, data, static_cast<DWORD>(size), &written, &at) || written != size)) {
        return false;
    }
    return FlushFileBuffers(handle) != 0;
}
#else
bool writeRecordArea(std::FILE* file, const void* data, size_t size) {
    const int descriptor = fileno(file);
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t done = 0;
    // One call writes it all; a short count only comes with a full disk, and the next call
    // then reports the error.
    while (done < size) {
        const ssize_t written = pwrite(descriptor, bytes + done, size - done,
                                       static_cast<off_t>(VRX_HEADER_SIZE + done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return fsync(descriptor) == 0;
}
#endif

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
    // The stream is only used to open and close the file: its buffer would split the records
    // into several writes, and a kill between them would leave the file torn.
    const bool written = writeRecordArea(file, recordBuffer, recordCount * size_t{VRX_RECORD_SIZE});
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 0 : VRX_SHORT_WRITE;
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
