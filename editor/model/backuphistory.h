// Dated copies of a person file, kept in the player's data folder so that the file as it was
// before any round of editing can still be put back: backup/<file name>/<yyyyMMdd-HHmmss>.vrx
// (with -2, -3, ... when two fall in one second), the kKeptDatedBackups made last per file name,
// whatever the clock said when each was made.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

inline constexpr int kKeptDatedBackups = 20;

// The folder of the dated copies of files named like the one at personFilePath, with a
// trailing separator.
QString DatedBackupFolder(const QString& personFilePath);

// The dated copies of files named like the one at personFilePath, in the order they were made,
// oldest first.
QStringList DatedBackups(const QString& personFilePath);

// Keeps contents as the dated copy of when, unless the newest copy already holds the same
// bytes, and removes the copies beyond the newest kKeptDatedBackups. False when the copy could
// not be written (nothing is removed then).
bool KeepDatedBackup(const QString& personFilePath, const QByteArray& contents,
                     const QDateTime& when = QDateTime::currentDateTime());
