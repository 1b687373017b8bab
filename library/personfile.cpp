// The record buffer and the reading and writing of the person file.
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "drovantel.h"
#include "filereplace.h"

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

// The file as it is now (*size bytes), in a buffer of at least minimumSize bytes (zeros beyond
// the file) that the caller frees: the header and whatever follows the records are written back as
// they are. Null when it cannot be read. (Plain C memory: the library carries no C++ runtime.)
unsigned char* readWholeOpenFile(std::FILE* file, size_t minimumSize, size_t* size) {
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || info.st_size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        return nullptr;
    }
    const size_t fileSize = static_cast<size_t>(info.st_size);
    const size_t bufferSize = std::max(fileSize, minimumSize);
    auto* buffer = static_cast<unsigned char*>(std::calloc(bufferSize > 0 ? bufferSize : 1, 1));
    if (buffer == nullptr) {
        return nullptr;
    }
    const size_t read = std::fread(buffer, 1, fileSize, file);
    if (std::ferror(file) || read != fileSize) {
        std::free(buffer);
        return nullptr;
    }
    *size = fileSize;
    return buffer;
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
    // The new image of the whole file: the records in place, every other byte as it is. A file
    // that has become shorter grows with zeros up to the records, as a write in place would.
    const size_t recordBytes = recordCount * size_t{VRX_RECORD_SIZE};
    const size_t imageMinimum = VRX_HEADER_SIZE + recordBytes;
    size_t fileSize = 0;
    unsigned char* image = readWholeOpenFile(file, imageMinimum, &fileSize);
    if (image == nullptr) {
        std::fclose(file);
        return VRX_SHORT_WRITE;
    }
    int result = 0;
    if (recordBytes == 0 ||
        (fileSize >= imageMinimum &&
         std::memcmp(image + VRX_HEADER_SIZE, recordBuffer, recordBytes) == 0)) {
        // The file already holds these bytes (or nothing is to be written); a new file would
        // only cut it from its other names (hard links).
        result = std::fclose(file) == 0 ? 0 : VRX_SHORT_WRITE;
    } else {
        std::memcpy(image + VRX_HEADER_SIZE, recordBuffer, recordBytes);
        result = ReplaceWholeFile(file, path, image, std::max(fileSize, imageMinimum),
                                  VRX_HEADER_SIZE, recordBytes)
                     ? 0
                     : VRX_SHORT_WRITE;
    }
    std::free(image);
    return result;
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
