/* Runs Drovantel.dll as a Windows program would: linked through its import library and the
 * header, and loaded by name with every export called through a stdcall pointer whose stack
 * balance is checked. Works in the current folder.
 *   vrxwinetest files            the person file cases, with Shift-JIS names
 *   vrxwinetest dialog-cancel    shows the open dialog; expects it to be cancelled
 *   vrxwinetest dialog-confirm   shows the open dialog; expects TPERSON.VRX to be confirmed
 * Prints one line for each failed check and ends with 1 when any failed. */
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "drovantel.h"
#include "stdcallcheck.h"

enum { kExportCount = 6, kHeader = VRX_HEADER_SIZE, kRecord = VRX_RECORD_SIZE };

static const char* const kExportNames[kExportCount] = {"Vrx_OpenFileDialog", "Vrx_Test",
                                                       "Vrx_ReadPersonFile", "Vrx_WritePersonFile",
                                                       "Vrx_ReadPerson",     "Vrx_WritePerson"};
/* The same functions as the import library binds them. */
static const void* linkedExports[kExportCount];
static FARPROC loadedExports[kExportCount];
static int failures;

static void fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("FAIL: ");
    vprintf(format, args);
    printf("\n");
    va_end(args);
    ++failures;
}

static void expectInt(const char* what, int actual, int expected) {
    if (actual != expected) {
        fail("%s: %d, expected %d", what, actual, expected);
    }
}

static int call(int exportIndex, int argCount, intptr_t first, intptr_t second) {
    const intptr_t args[2] = {first, second};
    int drift = 0;
    const int result = CallStdcall((const void*)loadedExports[exportIndex], argCount, args, &drift);
    if (drift != 0) {
        fail("%s: the stack is %d bytes off after the call", kExportNames[exportIndex], drift);
    }
    return result;
}

static int vrxTest(int value) {
    return call(1, 1, value, 0);
}
static int readFile(const char* path) {
    return call(2, 1, (intptr_t)path, 0);
}
static int writeFile(const char* path) {
    return call(3, 1, (intptr_t)path, 0);
}
static int readPerson(unsigned char* record, int slot) {
    return call(4, 2, (intptr_t)record, slot);
}
static int writePerson(const unsigned char* record, int slot) {
    return call(5, 2, (intptr_t)record, slot);
}
static int openDialog(char* buffer) {
    return call(0, 2, (intptr_t)buffer, 0);
}

static int loadLibrary(void) {
    linkedExports[0] = (const void*)Vrx_OpenFileDialog;
    linkedExports[1] = (const void*)Vrx_Test;
    linkedExports[2] = (const void*)Vrx_ReadPersonFile;
    linkedExports[3] = (const void*)Vrx_WritePersonFile;
    linkedExports[4] = (const void*)Vrx_ReadPerson;
    linkedExports[5] = (const void*)Vrx_WritePerson;
    HMODULE library = LoadLibraryA("Drovantel.dll");
    if (library == NULL) {
        fail("LoadLibraryA(\"Drovantel.dll\"): error %lu", GetLastError());
        return 0;
    }
    for (int i = 0; i < kExportCount; ++i) {
        loadedExports[i] = GetProcAddress(library, kExportNames[i]);
        if (loadedExports[i] == NULL) {
            fail("GetProcAddress(\"%s\") found nothing", kExportNames[i]);
            return 0;
        }
        if ((const void*)loadedExports[i] != linkedExports[i]) {
            fail("%s: the import library binds another function", kExportNames[i]);
        }
    }
    /* Called once the ordinary way too, through the header's declaration. */
    expectInt("Vrx_Test through the import library", Vrx_Test(-7), -7);
    return 1;
}

/* ---- files ---- */

typedef struct {
    unsigned char* bytes;
    size_t size;
} Bytes;

static Bytes readAll(const char* path) {
    Bytes result = {NULL, 0};
    FILE* file = fopen(path, "rb");
    if (file == NULL) {
        return result;
    }
    fseek(file, 0, SEEK_END);
    result.size = (size_t)ftell(file);
    fseek(file, 0, SEEK_SET);
    result.bytes = malloc(result.size + 1);
    if (fread(result.bytes, 1, result.size, file) != result.size) {
        fail("could not read back %s", path);
    }
    fclose(file);
    return result;
}

static void writeAll(const char* path, const Bytes* data) {
    FILE* file = fopen(path, "wb");
    if (file == NULL || fwrite(data->bytes, 1, data->size, file) != data->size) {
        fail("could not create %s", path);
    }
    if (file != NULL) {
        fclose(file);
    }
}

/* A person file: a header, records numbered into their bytes, the end marker at endMarker
 * (none when negative) and a trailing piece of tailBytes. Every record holds 1A, CR LF and a
 * lone LF, which a text-mode stream would change. */
static Bytes makePersonFile(int records, int endMarker, int tailBytes) {
    Bytes file;
    file.size = kHeader + (size_t)records * kRecord + (size_t)tailBytes;
    file.bytes = malloc(file.size);
    for (size_t i = 0; i < file.size; ++i) {
        file.bytes[i] = (unsigned char)(i * 7 + i / kRecord);
    }
    memcpy(file.bytes, "HDR!", kHeader);
    for (int r = 0; r < records; ++r) {
        unsigned char* record = file.bytes + kHeader + (size_t)r * kRecord;
        record[0] = (unsigned char)r;
        record[1] = record[2] = record[3] = 0;
        memcpy(record + 40, "\x1a\r\n\n\r\x1a", 6);
        if (r == endMarker) {
            memset(record, 0xff, 4);
        }
    }
    return file;
}

static int sameBytes(const Bytes* a, const Bytes* b) {
    return a->size == b->size && memcmp(a->bytes, b->bytes, a->size) == 0;
}

static void expectFile(const char* path, const Bytes* expected, const char* what) {
    Bytes actual = readAll(path);
    if (actual.bytes == NULL) {
        fail("%s: %s is gone", what, path);
    } else if (actual.size != expected->size) {
        fail("%s: %s is %u bytes long, expected %u", what, path, (unsigned)actual.size,
             (unsigned)expected->size);
    } else if (!sameBytes(&actual, expected)) {
        fail("%s: the bytes of %s changed", what, path);
    }
    free(actual.bytes);
}

/* Reads a file, compares the slots with the file's records, saves it unchanged and checks
 * that the file kept every byte and its length. */
static void checkRoundTrip(const char* path, const Bytes* file, int expectedCount,
                           const char* what) {
    writeAll(path, file);
    expectInt(what, readFile(path), expectedCount);
    unsigned char record[kRecord];
    for (int slot = 0; slot < expectedCount; ++slot) {
        expectInt("Vrx_ReadPerson", readPerson(record, slot), 0);
        if (memcmp(record, file->bytes + kHeader + (size_t)slot * kRecord, kRecord) != 0) {
            fail("%s: slot %d does not hold record %d byte for byte", what, slot, slot);
            break;
        }
    }
    expectInt(what, writeFile(path), 0);
    expectFile(path, file, what);
}

static void checkContainerCases(void) {
    Bytes marked = makePersonFile(6, 3, 0);
    checkRoundTrip("marker.vrx", &marked, 3, "end marker at record 3");
    Bytes markerFirst = makePersonFile(2, 0, 0);
    checkRoundTrip("empty.vrx", &markerFirst, 0, "end marker first");
    Bytes unmarked = makePersonFile(5, -1, 0);
    checkRoundTrip("nomarker.vrx", &unmarked, 5, "no end marker");
    Bytes partial = makePersonFile(3, -1, 100);
    checkRoundTrip("partial.vrx", &partial, 3, "trailing partial record");
    Bytes many = makePersonFile(130, -1, 0);
    checkRoundTrip("many.vrx", &many, VRX_MAX_RECORDS, "130 records");
    Bytes tiny = {(unsigned char*)"ab", 2};
    checkRoundTrip("tiny.vrx", &tiny, 0, "shorter than the header");
    free(marked.bytes);
    free(markerFirst.bytes);
    free(unmarked.bytes);
    free(partial.bytes);
    free(many.bytes);
}

/* One changed slot changes only its own 260 bytes; the header and the rest keep theirs. */
static void checkChangedSlot(void) {
    Bytes file = makePersonFile(8, 6, 0);
    writeAll("changed.vrx", &file);
    expectInt("read before a change", readFile("changed.vrx"), 6);
    unsigned char record[kRecord];
    readPerson(record, 2);
    memcpy(record + 100, "\x1a\r\n\x95\x5c", 5);
    expectInt("Vrx_WritePerson", writePerson(record, 2), 0);
    expectInt("save after a change", writeFile("changed.vrx"), 0);
    memcpy(file.bytes + kHeader + 2 * kRecord, record, kRecord);
    expectFile("changed.vrx", &file, "one changed slot");
    free(file.bytes);
}

static void checkMissingAndReadOnly(void) {
    Bytes file = makePersonFile(4, -1, 0);
    writeAll("kept.vrx", &file);
    expectInt("read", readFile("kept.vrx"), 4);
    unsigned char before[kRecord], after[kRecord];
    readPerson(before, 1);
    expectInt("read of a missing file", readFile("missing.vrx"), VRX_OPEN_FAILED);
    expectInt("save to a missing file", writeFile("missing.vrx"), VRX_OPEN_FAILED);
    if (GetFileAttributesA("missing.vrx") != INVALID_FILE_ATTRIBUTES) {
        fail("a save to a missing file created it");
    }
    readPerson(after, 1);
    if (memcmp(before, after, kRecord) != 0) {
        fail("a failed read changed the buffer");
    }
    writeAll("readonly.vrx", &file);
    SetFileAttributesA("readonly.vrx", FILE_ATTRIBUTE_READONLY);
    expectInt("read of a read-only file", readFile("readonly.vrx"), 4);
    writePerson(after, 0);
    expectInt("save to a read-only file", writeFile("readonly.vrx"), VRX_OPEN_FAILED);
    expectFile("readonly.vrx", &file, "read-only file");
    SetFileAttributesA("readonly.vrx", FILE_ATTRIBUTE_NORMAL);
    expectInt("read of a folder", readFile("."), VRX_OPEN_FAILED);
    free(file.bytes);
}

static void checkShiftJisNames(void) {
    /* 新武将表\ : a folder whose last character's second byte is 5C. */
    const char folder[] = "\x90\x56\x95\x90\x8f\xab\x95\x5c";
    /* Files without an extension ending in 能, 表 and ソ, and one with .vrx. */
    const char* const names[] = {"\x90\x56\x95\x90\x8f\xab\x94\x5c", "\x95\x5c", "\x83\x5c",
                                 "\x8e\x4f\x8d\x91\x8e\x75.vrx"};
    if (!CreateDirectoryA(folder, NULL)) {
        fail("could not create the Shift-JIS folder: error %lu", GetLastError());
        return;
    }
    Bytes file = makePersonFile(3, -1, 0);
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%s", folder, names[i]);
        char what[64];
        snprintf(what, sizeof what, "Shift-JIS name %u", (unsigned)i);
        checkRoundTrip(path, &file, 3, what);
    }
    free(file.bytes);
}

static void checkSlotIndexes(void) {
    unsigned char record[kRecord] = {0};
    expectInt("Vrx_Test", vrxTest(123456), 123456);
    expectInt("Vrx_ReadPerson slot 109", readPerson(record, VRX_MAX_RECORDS - 1), 0);
    expectInt("Vrx_ReadPerson slot 110", readPerson(record, VRX_MAX_RECORDS), VRX_BAD_INDEX);
    expectInt("Vrx_WritePerson slot -1", writePerson(record, -1), VRX_BAD_INDEX);
}

static void runFileCases(void) {
    if (GetACP() != 932) {
        fail("the system code page is %u, not 932: the Shift-JIS cases mean nothing", GetACP());
        return;
    }
    checkSlotIndexes();
    checkContainerCases();
    checkChangedSlot();
    checkMissingAndReadOnly();
    checkShiftJisNames();
}

/* ---- the open dialog ---- */

static void runDialog(int confirm) {
    char buffer[VRX_PATH_SIZE];
    memset(buffer, '#', sizeof buffer);
    const int result = openDialog(buffer);
    if (!confirm) {
        expectInt("cancelled dialog", result, 0);
        if (memcmp(buffer, "TPERSON.VRX", 12) != 0 || buffer[12] != '#') {
            fail("the cancelled dialog left \"%.20s\", not TPERSON.VRX and its NUL", buffer);
        }
        return;
    }
    expectInt("confirmed dialog", result, VRX_FILE_CHOSEN);
    char expected[MAX_PATH];
    GetFullPathNameA("TPERSON.VRX", sizeof expected, expected, NULL);
    if (result == VRX_FILE_CHOSEN && lstrcmpiA(buffer, expected) != 0) {
        fail("the confirmed dialog gave \"%s\", expected \"%s\"", buffer, expected);
    }
}

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc != 2) {
        fail("usage: vrxwinetest files|dialog-cancel|dialog-confirm");
        return 2;
    }
    if (loadLibrary()) {
        if (strcmp(argv[1], "files") == 0) {
            runFileCases();
        } else if (strcmp(argv[1], "dialog-cancel") == 0) {
            runDialog(0);
        } else if (strcmp(argv[1], "dialog-confirm") == 0) {
            runDialog(1);
        } else {
            fail("unknown case %s", argv[1]);
        }
    }
    printf("%s: %d failed\n", argv[1], failures);
    return failures == 0 ? 0 : 1;
}
