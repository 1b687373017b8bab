// A data file that failed to load is kept as "<file>.bak" (replacing an older copy) before the
// program first replaces it, so that what could not be read is not destroyed.
#pragma once

#include <QString>

class UnreadableFileKeeper {
  public:
    // Called after each load with whether the file existed but could not be read.
    void setUnreadable(bool unreadable) { pending_ = unreadable; }
    // Before the file at path is replaced or deleted: copies it to path + ".bak" once.
    // Returns false when the copy could not be made (the file must then be left alone).
    bool keepBeforeReplacing(const QString& path);

  private:
    bool pending_ = false;
};
