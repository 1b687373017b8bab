// Start-up as whole processes: the editor up to its shown main window, with a 1000-row
// General.csv and the shipped template files, against the floor windows of the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/generallist.h"
#include "platform/codepage.h"

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

// Runs one program to its end and takes its own CPU time (user and system) and peak resident
// memory from wait4, which reports them for that child alone.
ChildUsage RunChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        qFatal("cannot start %s", argv[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        qFatal("%s did not start cleanly", argv[0]);
    }
    return {Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime),
            double(usage.ru_maxrss) / 1024.0};
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

// The floor's arguments: the list's own 69 captions.
std::vector<std::string> FloorListArguments() {
    std::vector<std::string> arguments = {BesideBenchmark("drovantel_startup_floor")};
    const GeneralList list(false);
    for (int column = 0; column < kListColumnCount; ++column) {
        arguments.push_back(list.headerItem()->text(column).toStdString());
    }
    return arguments;
}

// Each iteration starts the three programs once, in turn. Counters are medians over the
// iterations: CPU milliseconds and peak megabytes of the editor, of the floor (a main window
// with the 69-column list) and of an empty main window; "ratio" and "memory_ratio" are the
// editor's over the floor's, "empty_ratio" the editor's time over the empty window's.
void BM_StartUpAgainstFloor(benchmark::State& state) {
    QTemporaryDir folder;
    FillDataFolder(folder.path());
    const std::vector<std::string> editor = {BesideBenchmark("drovantel_startup_editor"),
                                             folder.path().toStdString()};
    const std::vector<std::string> floor = FloorListArguments();
    const std::vector<std::string> empty = {BesideBenchmark("drovantel_startup_floor"), "empty"};
    Samples editorRuns;
    Samples floorRuns;
    Samples emptyRuns;
    for (auto _ : state) {
        emptyRuns.add(RunChild(empty));
        floorRuns.add(RunChild(floor));
        editorRuns.add(RunChild(editor));
    }
    const double editorMs = Median(editorRuns.cpuMs);
    const double floorMs = Median(floorRuns.cpuMs);
    const double emptyMs = Median(emptyRuns.cpuMs);
    state.counters["editor_ms"] = editorMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["empty_ms"] = emptyMs;
    state.counters["ratio"] = editorMs / floorMs;
    state.counters["empty_ratio"] = editorMs / emptyMs;
    state.counters["editor_mb"] = Median(editorRuns.peakMb);
    state.counters["floor_mb"] = Median(floorRuns.peakMb);
    state.counters["memory_ratio"] = Median(editorRuns.peakMb) / Median(floorRuns.peakMb);
}
BENCHMARK(BM_StartUpAgainstFloor)->Unit(benchmark::kMillisecond)->Iterations(31);

}  // namespace
