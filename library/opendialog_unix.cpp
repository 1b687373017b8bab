// The open-file dialog, away from Windows: Qt's file dialog in libDrovantelDialog.so beside this
// library, loaded on the first call, so that reading and writing person files needs no widgets.
#include <dlfcn.h>

#include <string>

#include "drovantel.h"

namespace {

// The dialog's own code for a failure to start.
constexpr int kDialogInitFailed = 2;
constexpr char kDialogLibrary[] = "libDrovantelDialog.so";

using DialogFunction = int (*)(char* pathBuffer, void* owner);

DialogFunction loadDialog() {
    // This library's own folder first, then the ordinary search.
    std::string beside = kDialogLibrary;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&Vrx_OpenFileDialog), &self) != 0 &&
        self.dli_fname != nullptr) {
        const std::string path = self.dli_fname;
        const std::string::size_type slash = path.rfind('/');
        if (slash != std::string::npos) {
            beside = path.substr(0, slash + 1) + kDialogLibrary;
        }
    }
    void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        handle = dlopen(kDialogLibrary, RTLD_NOW | RTLD_LOCAL);
    }
    return handle == nullptr
               ? nullptr
               : reinterpret_cast<DialogFunction>(dlsym(handle, "DrovantelRunOpenDialog"));
}

}  // namespace

extern "C" DROVANTEL_API int DROVANTEL_CALL Vrx_OpenFileDialog(char* pathBuffer, void* owner) {
    if (pathBuffer == nullptr) {
        return kDialogInitFailed;
    }
    static const DialogFunction dialog = loadDialog();
    return dialog == nullptr ? kDialogInitFailed : dialog(pathBuffer, owner);
}
