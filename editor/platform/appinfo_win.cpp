#include <QTemporaryFile>

#include "appinfo.h"

// A folder's attributes say nothing about its access list (Program Files is not read-only),
// so the only sure answer is to try. The program's manifest keeps the system from quietly
// redirecting the attempt into a per-user copy of the folder.
bool CanWriteFolder(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.drovantel-write-test-XXXXXX"));
    return probe.open();
}
