// Writing a file whole: either every byte is on the disk under the file's name, or the file
// keeps what it held before. Every file the program writes goes through here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// Hands out the next piece of the content in *piece; an empty piece ends the content. Returns
// false when the content cannot be had (a read of a source file failed).
using ContentPieces = std::function<bool(QByteArray* piece)>;

// Replaces the file at path with the pieces. False on any failure: a piece that could not be
// had, a write, the last flush (a full disk often shows only there) or putting the new file in
// place; the file at path is then as it was, and no temporary file is left behind. A target
// that exists and is no regular file (a device, a pipe, a folder) is refused. A symbolic link is
// followed: its target is replaced.
bool WriteWholeFile(const QString& path, const ContentPieces& pieces);
bool WriteWholeFile(const QString& path, QByteArrayView content);

// Copies the regular file source onto target, replacing it, as WriteWholeFile does. A new
// target is the player's own file, writable by its owner whatever the source's mode.
bool CopyWholeFile(const QString& source, const QString& target);

// Reads the regular file at path whole into *contents (a pipe or a device could block or never
// end). False when it is no regular file, is larger than maxSize (when given) or cannot be read.
bool ReadWholeFile(const QString& path, QByteArray* contents, qint64 maxSize = -1);

// Runs update while holding the lock file beside path (path + ".lock"), so that one process at
// a time reads the file again and rewrites it. False when the lock could not be had within a few
// seconds, else what update returned.
bool WithFileLock(const QString& path, const std::function<bool()>& update);
