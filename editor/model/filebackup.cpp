#include "filebackup.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool BackUpFile(const QString& path) {
    // Only a regular file: reading a pipe or a device could block or never end.
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    QFile source(path);
    QSaveFile copy(path + QStringLiteral(".bak"));
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)) {
        return false;
    }
    constexpr qint64 kPiece = 64 * 1024;
    while (!source.atEnd()) {
        const QByteArray piece = source.read(kPiece);
        if (piece.isEmpty() || copy.write(piece) != piece.size()) {
            copy.cancelWriting();
            break;
        }
    }
    return source.error() == QFileDevice::NoError && copy.commit();
}
