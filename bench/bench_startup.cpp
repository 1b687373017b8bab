// Start-up as whole processes: the editor up to its shown main window, with a 1000-row
// General.csv and the shipped template files, against the floor windows of the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/generallist.h"
#include "main/mainwindow.h"
#include "model/programdata.h"
#include "platform/appinfo.h"
#include "platform/codepage.h"
#include "platform/messages.h"

extern char** environ;

namespace {

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

// A data folder as a fresh install has it, but with 1000 existing generals.
void FillDataFolder(const QString& folder) {
    QFile generals(folder + QStringLiteral("/General.csv"));
    const QByteArray text = ThousandGenerals();
    if (!generals.open(QIODevice::WriteOnly) || generals.write(text) != text.size()) {
        qFatal("cannot write the benchmark's General.csv");
    }
    const QString shipped = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const QString& name : {QStringLiteral("Capaorg.csv"), QStringLiteral("Tokugiorg.csv")}) {
        if (!QFile::copy(shipped + name, folder + QLatin1Char('/') + name)) {
            qFatal("cannot copy the shipped template files");
        }
    }
}

struct ChildUsage {
    double cpuMs;
    double peakMb;
};

double Milliseconds(const timeval& t) {
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

// The peak the child reported as "VmHWM: <n> kB" on its standard output, in megabytes.
double ReportedPeakMb(const QByteArray& output) {
    const QByteArray key = QByteArrayLiteral("VmHWM:");
    const qsizetype at = output.indexOf(key);
    if (at < 0) {
        qFatal("a start-up child reported no peak memory");
    }
    const QByteArray rest = output.mid(at + key.size()).trimmed();
    return rest.left(rest.indexOf(' ')).toDouble() / 1024.0;
}

// Runs one program to its end and takes its own CPU time (user and system) from wait4, which
// reports it for that child alone, and its peak memory from what it printed.
ChildUsage RunChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int out[2];
    posix_spawn_file_actions_t actions;
    if (pipe(out) != 0 || posix_spawn_file_actions_init(&actions) != 0) {
        qFatal("cannot set up a start-up child");
    }
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        qFatal("cannot start %s", argv[0]);
    }
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, n);
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        qFatal("%s did not start cleanly", argv[0]);
    }
    return {Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime), ReportedPeakMb(output)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Samples {
    std::vector<double> cpuMs;
    std::vector<double> peakMb;
    void add(const ChildUsage& usage) {
        cpuMs.push_back(usage.cpuMs);
        peakMb.push_back(usage.peakMb);
    }
};

std::string BesideBenchmark(const char* program) {
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(program))
        .toStdString();
}

// The floor's arguments: its mode, then the list's own 69 captions.
std::vector<std::string> FloorListArguments(const std::string& mode) {
    std::vector<std::string> arguments = {BesideBenchmark("drovantel_startup_floor"), mode};
    for (int column = 0; column < kListColumnCount; ++column) {
        arguments.push_back(ListColumnCaption(column).toStdString());
    }
    return arguments;
}

// The size of the editor's main window, for the floor shown at that size.
std::string EditorWindowSizeMode() {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    RecordedMessages quiet;
    ProgramData data;
    const MainWindow window(data);
    SetDataFolder(QString());
    return "list=" + std::to_string(window.width()) + "x" + std::to_string(window.height());
}

// Each iteration starts the four programs once, in turn. Counters are medians over the
// iterations: CPU milliseconds and peak megabytes of the editor, of the floor (a main window
// with the 69-column list), of the floor at the size of the editor's window and of an empty
// main window. "ratio" and "memory_ratio" are the editor's over the floor's, "sized_ratio"
// the editor's time over the sized floor's, "empty_ratio" over the empty window's.
void BM_StartUpAgainstFloor(benchmark::State& state) {
    QTemporaryDir folder;
    FillDataFolder(folder.path());
    const std::vector<std::string> editor = {BesideBenchmark("drovantel_startup_editor"),
                                             folder.path().toStdString()};
    const std::vector<std::string> floor = FloorListArguments("list");
    const std::vector<std::string> sizedFloor = FloorListArguments(EditorWindowSizeMode());
    const std::vector<std::string> empty = {BesideBenchmark("drovantel_startup_floor"), "empty"};
    Samples editorRuns;
    Samples floorRuns;
    Samples sizedFloorRuns;
    Samples emptyRuns;
    for (auto _ : state) {
        emptyRuns.add(RunChild(empty));
        floorRuns.add(RunChild(floor));
        sizedFloorRuns.add(RunChild(sizedFloor));
        editorRuns.add(RunChild(editor));
    }
    const double editorMs = Median(editorRuns.cpuMs);
    const double floorMs = Median(floorRuns.cpuMs);
    const double sizedFloorMs = Median(sizedFloorRuns.cpuMs);
    const double emptyMs = Median(emptyRuns.cpuMs);
    state.counters["editor_ms"] = editorMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["sized_floor_ms"] = sizedFloorMs;
    state.counters["empty_ms"] = emptyMs;
    state.counters["ratio"] = editorMs / floorMs;
    state.counters["sized_ratio"] = editorMs / sizedFloorMs;
    state.counters["empty_ratio"] = editorMs / emptyMs;
    state.counters["editor_mb"] = Median(editorRuns.peakMb);
    state.counters["floor_mb"] = Median(floorRuns.peakMb);
    state.counters["sized_floor_mb"] = Median(sizedFloorRuns.peakMb);
    state.counters["empty_mb"] = Median(emptyRuns.peakMb);
    state.counters["memory_ratio"] = Median(editorRuns.peakMb) / Median(floorRuns.peakMb);
}
BENCHMARK(BM_StartUpAgainstFloor)->Unit(benchmark::kMillisecond)->Iterations(31);

}  // namespace
