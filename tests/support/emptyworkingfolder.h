// The open-file dialog starts in the working folder and preselects a TPERSON.VRX found there.
// While alive, the working folder is an empty temporary one, so that a test behaves the same
// wherever the test program was started from.
#pragma once

#include <QDir>
#include <QTemporaryDir>

class EmptyWorkingFolder {
  public:
    EmptyWorkingFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(folder_.path()); }
    ~EmptyWorkingFolder() { QDir::setCurrent(previous_); }
    EmptyWorkingFolder(const EmptyWorkingFolder&) = delete;
    EmptyWorkingFolder& operator=(const EmptyWorkingFolder&) = delete;

  private:
    QString previous_;
    QTemporaryDir folder_;
};
