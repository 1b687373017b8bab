#include "personfilelibrary.h"

#include <QByteArray>
#include <QFile>
#include <QLibrary>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "appinfo.h"
#include "messages.h"

namespace {

constexpr int kPathBufferSize = VRX_PATH_SIZE;

// The calling convention is the one the library's header declares.
using OpenFileDialogFn = int(DROVANTEL_CALL*)(char*, void*);
using PathFn = int(DROVANTEL_CALL*)(const char*);
using ReadPersonFn = int(DROVANTEL_CALL*)(void*, int);
using WritePersonFn = int(DROVANTEL_CALL*)(const void*, int);

struct Binding {
    QString baseName = QStringLiteral("Drovantel");
    std::unique_ptr<QLibrary> library;  // never unloaded once loaded
    // The library's few functions, found once: a look down this short list costs less than
    // hashing the name again for every record read or written.
    std::vector<std::pair<QByteArray, QFunctionPointer>> exports;
};

Binding& binding() {
    static Binding instance;
    return instance;
}

QLibrary* loadedLibrary() {
    Binding& b = binding();
    if (b.library && b.library->isLoaded()) {
        return b.library.get();
    }
    // The program's own library folder first, as the platform the format comes from searches
    // the program's folder first; then the ordinary search. The folder is searched by the full
    // file name: the editor itself is called Drovantel there too.
    const QString besideProgram = LibraryFolder() + PersonFileLibrary::libraryFileName();
    for (const QString& candidate : {besideProgram, b.baseName}) {
        auto library = std::make_unique<QLibrary>(candidate);
        if (library->load()) {
            b.library = std::move(library);
            return b.library.get();
        }
    }
    ShowMessage(
        QStringLiteral("%1 を読み込めませんでした。\r\nプログラムと同じフォルダに置いて下さい。")
            .arg(PersonFileLibrary::libraryFileName()),
        MessageIcon::Critical);
    return nullptr;
}

template <typename Fn>
Fn resolve(const char* name) {
    Binding& b = binding();
    for (const auto& [known, address] : b.exports) {
        if (known == name) {
            return reinterpret_cast<Fn>(address);
        }
    }
    QLibrary* library = loadedLibrary();
    if (library == nullptr) {
        return nullptr;
    }
    QFunctionPointer address = library->resolve(name);
    if (address == nullptr) {
        ShowMessage(QStringLiteral("%1 に関数 %2 が見つかりません。")
                        .arg(PersonFileLibrary::libraryFileName(), QLatin1String(name)),
                    MessageIcon::Critical);
        return nullptr;
    }
    b.exports.emplace_back(QByteArray(name), address);
    return reinterpret_cast<Fn>(address);
}

template <typename Fn, typename... Args>
std::optional<int> call(const char* name, Args... args) {
    Fn function = resolve<Fn>(name);
    if (function == nullptr) {
        return std::nullopt;
    }
    return function(args...);
}

}  // namespace

namespace PersonFileLibrary {

QString libraryFileName() {
    return SharedLibraryFileName(binding().baseName);
}

void useLibraryBaseName(const QString& baseName) {
    Binding& b = binding();
    b.baseName = baseName.isEmpty() ? QStringLiteral("Drovantel") : baseName;
    b.library.reset();  // QLibrary's destructor leaves the library loaded
    b.exports.clear();
}

std::optional<int> openFileDialog(QString* path, void* ownerWindow) {
    QByteArray buffer(kPathBufferSize, '\0');
    const QByteArray current = QFile::encodeName(*path).left(kPathBufferSize - 1);
    std::memcpy(buffer.data(), current.constData(), current.size());
    const std::optional<int> result =
        call<OpenFileDialogFn>("Vrx_OpenFileDialog", buffer.data(), ownerWindow);
    if (result == VRX_FILE_CHOSEN) {
        *path = QFile::decodeName(buffer.constData());
    }
    return result;
}

std::optional<int> readPersonFile(const QString& path) {
    return call<PathFn>("Vrx_ReadPersonFile", QFile::encodeName(path).constData());
}

std::optional<int> writePersonFile(const QString& path) {
    return call<PathFn>("Vrx_WritePersonFile", QFile::encodeName(path).constData());
}

std::optional<int> readPerson(RecordBytes* record, int slot) {
    return call<ReadPersonFn>("Vrx_ReadPerson", static_cast<void*>(record->data()), slot);
}

std::optional<int> writePerson(const RecordBytes& record, int slot) {
    return call<WritePersonFn>("Vrx_WritePerson", static_cast<const void*>(record.data()), slot);
}

}  // namespace PersonFileLibrary
