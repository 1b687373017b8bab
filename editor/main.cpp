#include <QFileInfo>
#include <QLibrary>
#include <QString>

#include <cstdio>
#include <string>

#include "cli/commandline.h"
#include "platform/appinfo.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
const char16_t kWindowLibrary[] = u"DrovantelWindow.dll";
#else
const char16_t kWindowLibrary[] = u"libDrovantelWindow.so";
#endif

using RunWindowFunction = int (*)(int argc, char* argv[]);

// The program's folder, before any application object exists to tell it.
QString programFolder() {
#ifdef Q_OS_WIN
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return QFileInfo(QString::fromWCharArray(path.data(), static_cast<qsizetype>(length)))
        .absolutePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#endif
}

// Loads the window from the program's library folder (else the ordinary search) and runs it.
int startWindow(int argc, char* argv[]) {
    const QString name = QString::fromUtf16(kWindowLibrary);
    QLibrary library(ChooseProgramLayout(programFolder(), QString()).libraryFolder + u'/' + name);
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
    if (!CanShowWindow()) {
        ReportNoDisplay();
        return kExitBadUsage;
    }
    return startWindow(argc, argv);
}
