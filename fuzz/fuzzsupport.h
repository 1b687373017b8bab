// Shared by the fuzz targets: each input is written as a data file into a private temporary
// folder that stands in for the program folder.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/appinfo.h"

class FuzzDataFolder {
  public:
    FuzzDataFolder() {
        if (!dir_.isValid()) {
            std::fprintf(stderr, "cannot make a temporary folder\n");
            std::abort();
        }
        SetDataFolder(dir_.path());
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Empties the folder, then writes one file with the input's bytes.
    void reset(const QString& name, const uint8_t* data, size_t size) const {
        QDir folder(dir_.path());
        for (const QString& file : folder.entryList(QDir::Files | QDir::Hidden)) {
            folder.remove(file);
        }
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            std::abort();
        }
    }

  private:
    QTemporaryDir dir_;
};

// A broken promise of the code under test: report it as a finding.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
