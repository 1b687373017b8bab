// The open of a full person file.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "main/frmMain.h"
#include "model/roster.h"
#include "platform/appinfo.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the benchmark's files");
    }
}

QByteArray FullPersonFile() {
    QByteArray file(4, '\0');
    for (int i = 0; i < kRosterCapacity; ++i) {
        QByteArray record(kRecordSize, '\0');
        record[81] = char(0x95);  // 武
        record[82] = char(0x90);
        record[86] = char('0' + i % 10);
        record[22] = char(1 + i % 100);
        file += record;
    }
    return file;
}

// The open of a 110-record file up to the filled, ticked list.
void BM_OpenFullPersonFile(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    const QString path = folder.filePath(QStringLiteral("TPERSON.VRX"));
    WriteFile(path, FullPersonFile());
    RecordedMessages quiet;
    frmMain window;
    window.show();
    for (auto _ : state) {
        window.openPersonFile(path);
        benchmark::DoNotOptimize(window.list->rowCount());
    }
    if (rosterCount != kRosterCapacity) {
        state.SkipWithError("the file did not open with 110 records");
    }
    window.close();
    SetDataFolder(QString());
}
BENCHMARK(BM_OpenFullPersonFile)->Unit(benchmark::kMillisecond);

}  // namespace
