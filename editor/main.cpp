#include <QLibrary>
#include <QString>

#include <cstdio>

#include "cli/commandline.h"
#include "platform/appinfo.h"

namespace {

using RunWindowFunction = int (*)(int argc, char* argv[]);

// Loads the window from the program's library folder (else the ordinary search) and runs it.
int startWindow(int argc, char* argv[]) {
    const QString name = SharedLibraryFileName(QStringLiteral("DrovantelWindow"));
    QLibrary library(ChooseProgramLayout(ExecutableFolder(), QString()).libraryFolder + u'/' +
                     name);
    if (!library.load()) {
        library.setFileName(QStringLiteral("DrovantelWindow"));
        library.load();
    }
    const auto run = reinterpret_cast<RunWindowFunction>(library.resolve("DrovantelRunWindow"));
    if (run == nullptr) {
        const QString text =
            QStringLiteral(
                "%1 を読み込めませんでした。プログラムと同じフォルダに置いて下さい。（%2）")
                .arg(name, library.errorString());
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return kExitFileFailed;
    }
    return run(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    // The command line runs without a display: decided before any window system is touched.
    if (WantsCommandLine(argc, argv)) {
        return RunCommandLine(argc, argv);
    }
    if (!DisplayAvailable()) {
        ReportNoDisplay();
        return kExitBadUsage;
    }
    return startWindow(argc, argv);
}
