// The open of a full person file, and undo and redo of an edit of all its generals.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

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

// Undo and then redo of one step that changed all 110 generals (a restore), each with the
// refresh of the changed rows and the redraw of the list.
void BM_UndoRedoOfAllGenerals(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    const QString path = folder.filePath(QStringLiteral("TPERSON.VRX"));
    WriteFile(path, FullPersonFile());
    RecordedMessages answers;
    frmMain window;
    window.show();
    window.openPersonFile(path);
    for (int n = 1; n <= rosterCount; ++n) {
        roster[n].setFame(static_cast<qint16>(300 + n));
        roster[n].setAbility(1, static_cast<qint16>(n % 100));
    }
    answers.queueAnswer(MessageAnswer::Yes);
    window.cmdBack->click();
    QUndoStack* history = window.history();
    if (rosterCount != kRosterCapacity || history->count() != 1) {
        state.SkipWithError("the restore of 110 generals made no step");
    }
    for (auto _ : state) {
        history->undo();
        window.list->viewport()->repaint();
        history->redo();
        window.list->viewport()->repaint();
    }
    window.close();
    SetDataFolder(QString());
}
BENCHMARK(BM_UndoRedoOfAllGenerals)->Unit(benchmark::kMillisecond);

}  // namespace
