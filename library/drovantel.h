/* The person file library: it owns the person file on disk.
 *
 * A person file is a 4-byte header followed by records of 260 bytes. The list of records ends
 * at a record whose first 32-bit word is -1, at the end of the file, or after 110 records.
 * The library keeps one process-wide buffer of 110 records and the count of the last file read;
 * a save writes that many records back and touches nothing else of the file: the new image goes
 * to a new file beside it that is renamed over it, so the file is always either old or new.
 *
 * Paths are NUL-terminated 8-bit text in the platform's file-name encoding.
 */
#ifndef DROVANTEL_H
#define DROVANTEL_H

#ifdef _WIN32
#define DROVANTEL_CALL __stdcall
#ifdef DROVANTEL_BUILDING_LIBRARY
#define DROVANTEL_API __declspec(dllexport)
#else
#define DROVANTEL_API __declspec(dllimport)
#endif
#else
#define DROVANTEL_CALL
#define DROVANTEL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VRX_RECORD_SIZE = 260,
    VRX_MAX_RECORDS = 110,
    VRX_HEADER_SIZE = 4,
    VRX_PATH_SIZE = 260,
    VRX_FILE_CHOSEN = -100,
    VRX_OPEN_FAILED = -2,
    VRX_SHORT_WRITE = -3,
    VRX_BAD_INDEX = -1,
    /* The dialog's own code for a chosen path that does not fit the path buffer. */
    VRX_PATH_TOO_LONG = 12291
};

/* Shows the open-file dialog, pre-filled with "TPERSON.VRX". pathBuffer holds at least
 * VRX_PATH_SIZE bytes. Returns VRX_FILE_CHOSEN with the chosen path in pathBuffer, 0 when the
 * user cancelled, or the dialog's error code. owner is the window the dialog belongs to. */
DROVANTEL_API int DROVANTEL_CALL Vrx_OpenFileDialog(char* pathBuffer, void* owner);

/* Returns its argument: lets a caller check that the library answers. */
DROVANTEL_API int DROVANTEL_CALL Vrx_Test(int value);

/* Reads the file's records into the buffer. Returns the record count (0..110), or
 * VRX_OPEN_FAILED when the file cannot be opened; then buffer and count stay as they were. */
DROVANTEL_API int DROVANTEL_CALL Vrx_ReadPersonFile(const char* path);

/* Writes the buffer's records (as many as the last successful read found) into the file, whole
 * or not at all (in place only where its folder takes no new file). Returns 0, VRX_OPEN_FAILED
 * when the file cannot be opened for update, or VRX_SHORT_WRITE. */
DROVANTEL_API int DROVANTEL_CALL Vrx_WritePersonFile(const char* path);

/* Copies buffer slot index (0..109) into the caller's 260 bytes. Returns 0, or VRX_BAD_INDEX
 * (copying nothing) for an index outside 0..109. */
DROVANTEL_API int DROVANTEL_CALL Vrx_ReadPerson(void* record, int index);

/* Copies the caller's 260 bytes into buffer slot index (0..109). Returns as Vrx_ReadPerson. */
DROVANTEL_API int DROVANTEL_CALL Vrx_WritePerson(const void* record, int index);

#ifdef __cplusplus
}
#endif

#endif /* DROVANTEL_H */
