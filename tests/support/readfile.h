// A whole file's bytes, for tests that compare what was written.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Empty when the file cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
