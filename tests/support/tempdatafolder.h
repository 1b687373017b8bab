// A temporary folder that stands in for the program folder during one test.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/appinfo.h"
#include "readfile.h"

class TempDataFolder {
  public:
    TempDataFolder() { SetDataFolder(dir_.path()); }
    ~TempDataFolder() { SetDataFolder(QString()); }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    QString path(const QString& name) const { return dir_.filePath(name); }
    bool write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray read(const QString& name) const { return ReadFile(path(name)); }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }
    // The shipped person file, copied in where it may be written (over an earlier copy); empty
    // when it could not be.
    QString copyShippedFile() const {
        const QString copy = path(QStringLiteral("TPERSON.VRX"));
        QFile::remove(copy);
        const bool copied = QFile::copy(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TPERSON.VRX")),
            copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copied ? copy : QString();
    }

  private:
    QTemporaryDir dir_;
};
