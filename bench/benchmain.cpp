// The benchmarks run inside one application object, as the editor does (offscreen is fine).
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>

#include "startupchild.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The start-up benchmark times whole processes: this program started again, showing one
    // window and ending.
    if (argc == 3 && std::strcmp(argv[1], kStartUpChildOption) == 0) {
        return RunStartUpChild(argc, argv);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
