// Start-up of the main window against an empty window, the open of a full person file, and
// undo and redo of an edit of all its generals.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cstdlib>
#include <memory>

#include "main/frmMain.h"
#include "model/roster.h"
#include "platform/appinfo.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "platform/personfilelibrary.h"
#include "startupchild.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the benchmark's files");
    }
}

QByteArray ThousandGenerals() {
    QByteArray text;
    QByteArray line;
    for (int i = 0; i < 1000; ++i) {
        EncodeCp932(QStringLiteral("\"武将%1\",\"ブショウ\",0,0,%2,%3,%4,%5,%6,0,%7,%8\r\n")
                        .arg(i % 100)
                        .arg(1 + i % 100)
                        .arg(1 + (i * 7) % 100)
                        .arg(1 + (i * 13) % 100)
                        .arg(1 + (i * 17) % 100)
                        .arg(1 + (i * 23) % 100)
                        .arg(1 + i % 149)
                        .arg(1 + (i * 3) % 149),
                    &line);
        text += line;
    }
    return text;
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

// Each iteration starts this program again as a child that shows the editor's main window (with
// a 1000-row General.csv) or an empty window and ends; "ratio" is the editor's time over the
// empty window's.
void BM_StartUpAgainstEmptyWindow(benchmark::State& state) {
    QTemporaryDir folder;
    WriteFile(folder.filePath(QStringLiteral("General.csv")), ThousandGenerals());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DROVANTEL_BENCH_DATA"), folder.path());
    const auto timeChild = [&environment](const QString& which) {
        QProcess child;
        child.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kStartUpChildOption), which});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            qFatal("the start-up child failed");
        }
        return timer.nsecsElapsed();
    };
    qint64 editorNanos = 0;
    qint64 emptyNanos = 0;
    for (auto _ : state) {
        emptyNanos += timeChild(QStringLiteral("empty"));
        editorNanos += timeChild(QStringLiteral("editor"));
    }
    state.counters["ratio"] = double(editorNanos) / double(emptyNanos);
    state.counters["editor_ms"] = double(editorNanos) / 1e6 / double(state.iterations());
    state.counters["empty_ms"] = double(emptyNanos) / 1e6 / double(state.iterations());
}
BENCHMARK(BM_StartUpAgainstEmptyWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

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

int RunStartUpChild(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetDataFolder(qEnvironmentVariable("DROVANTEL_BENCH_DATA"));
    RecordedMessages quiet;
    std::unique_ptr<QWidget> window;
    if (QString::fromLatin1(argv[2]) == QStringLiteral("editor")) {
        window = std::make_unique<frmMain>();
    } else {
        window = std::make_unique<QMainWindow>();
    }
    window->show();
    QApplication::processEvents();
    // The time that counts ends with the shown window: tearing down is left out, for both.
    std::_Exit(0);
}
