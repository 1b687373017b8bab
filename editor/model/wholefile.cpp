#include "wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

bool WriteWholeFile(const QString& path, const ContentPieces& pieces) {
    // A device, a pipe or a folder would be replaced by a plain file (links are followed).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray piece;
    for (;;) {
        piece.clear();
        if (!pieces(&piece)) {
            return false;  // the temporary file goes with the QSaveFile
        }
        if (piece.isEmpty()) {
            break;
        }
        if (file.write(piece) != piece.size()) {
            return false;
        }
    }
    // commit() renames even when its own last flush failed, so flush and look first.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WriteWholeFile(const QString& path, QByteArrayView content) {
    bool handedOut = false;
    return WriteWholeFile(path, [&](QByteArray* piece) {
        if (!handedOut) {
            *piece = content.toByteArray();
            handedOut = true;
        }
        return true;
    });
}

bool CopyWholeFile(const QString& source, const QString& target) {
    // Only a regular file: reading a pipe or a device could block or never end.
    if (!QFileInfo(source).isFile()) {
        return false;
    }
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        return false;
    }
    return WriteWholeFile(target, [&](QByteArray* piece) {
        constexpr qint64 kPiece = 64 * 1024;
        if (!input.atEnd()) {
            *piece = input.read(kPiece);
        }
        return input.error() == QFileDevice::NoError;
    });
}

bool ReadWholeFile(const QString& path, QByteArray* contents, qint64 maxSize) {
    contents->clear();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        (maxSize >= 0 && file.size() > maxSize)) {
        return false;
    }
    *contents = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool WithFileLock(const QString& path, const std::function<bool()>& update) {
    QLockFile lock(path + QStringLiteral(".lock"));
    // A lock left by a process that died is taken over at once.
    if (!lock.tryLock(5000)) {
        return false;
    }
    return update();
}
