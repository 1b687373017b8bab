#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "filereplace.h"

namespace {

bool writeAll(int descriptor, const unsigned char* bytes, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t written =
            pwrite(descriptor, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// A folder that cannot take a new file: writing in place is then the only way.
bool folderTakesNoNewFile(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC ||
           error == EDQUOT || error == EFBIG;
}

std::string targetOf(const char* path) {
    char resolved[PATH_MAX];
    return realpath(path, resolved) != nullptr ? std::string(resolved) : std::string(path);
}

// The rename is only lasting once the folder's entry is on the disk too.
void flushFolderOf(const std::string& target) {
    const std::string::size_type slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

enum class Outcome { Replaced, FolderRefused, Failed };

Outcome replaceThroughNewFile(int current, const char* path, const unsigned char* image,
                              size_t size) {
    struct stat info;
    if (fstat(current, &info) != 0) {
        return Outcome::Failed;
    }
    const std::string target = targetOf(path);
    std::string temporary = target + ".saving-XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        return folderTakesNoNewFile(errno) ? Outcome::FolderRefused : Outcome::Failed;
    }
    // The owner can only be kept where this process may give it away; the mode always.
    if (fchown(descriptor, info.st_uid, info.st_gid) != 0) {
        (void)fchown(descriptor, static_cast<uid_t>(-1), info.st_gid);
    }
    bool ok = fchmod(descriptor, info.st_mode & 07777) == 0;
    ok = ok && writeAll(descriptor, image, size, 0) && fsync(descriptor) == 0;
    const int error = errno;
    ok = close(descriptor) == 0 && ok;
    if (!ok) {
        unlink(temporary.c_str());
        return folderTakesNoNewFile(error) ? Outcome::FolderRefused : Outcome::Failed;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return Outcome::Failed;
    }
    flushFolderOf(target);
    return Outcome::Replaced;
}

}  // namespace

bool ReplaceWholeFile(std::FILE* file, const char* path, const unsigned char* image, size_t size,
                      size_t changedFrom, size_t changedSize) {
    const int current = fileno(file);
    bool ok = false;
    switch (replaceThroughNewFile(current, path, image, size)) {
        case Outcome::Replaced:
            ok = true;
            break;
        case Outcome::FolderRefused:
            // The stream is only used to open and close the file: its buffer would split the
            // bytes into several writes.
            ok = writeAll(current, image + changedFrom, changedSize,
                          static_cast<off_t>(changedFrom)) &&
                 fsync(current) == 0;
            break;
        case Outcome::Failed:
            break;
    }
    return std::fclose(file) == 0 && ok;
}
