// The open-file dialog for person files, on Qt: a library of its own beside the person file
// library, which loads it on the dialog's first use, so that programs that only read and write
// person files never load Qt's widgets.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>

#include <cstring>

#include "drovantel.h"

namespace {

constexpr char kDefaultFileName[] = "TPERSON.VRX";
// The dialog's own code for a failure to start (there is no application to show it in).
constexpr int kDialogInitFailed = 2;

QStringList fileTypes() {
    return {QStringLiteral("新武将ファイル(*.vrx)"), QStringLiteral("全てのファイル(*.*)")};
}

// "*.*" stands for every file where the format comes from; here it would hide names without a
// dot, so the second entry shows every file.
void showEveryFileForSecondType(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        if (f == fileTypes().at(1)) {
            if (auto* model = dialog.findChild<QFileSystemModel*>()) {
                model->setNameFilters({QStringLiteral("*")});
            }
        }
    });
}

int runDialog(char* pathBuffer, void* owner) {
    std::memcpy(pathBuffer, kDefaultFileName, sizeof kDefaultFileName);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return kDialogInitFailed;
    }
    // The owner is a native window handle, as on every platform; the dialog belongs to the
    // widget of that window, if this process has one.
    QWidget* parent = owner == nullptr ? nullptr : QWidget::find(reinterpret_cast<WId>(owner));
    QFileDialog dialog(parent, QStringLiteral("Tessaril新武将ファイルを開く"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(fileTypes());
    dialog.selectNameFilter(fileTypes().at(0));
    showEveryFileForSecondType(dialog);
    dialog.selectFile(QFile::decodeName(pathBuffer));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return 0;
    }
    const QByteArray chosen = QFile::encodeName(dialog.selectedFiles().constFirst());
    if (chosen.size() + 1 > VRX_PATH_SIZE) {
        return VRX_PATH_TOO_LONG;
    }
    std::memcpy(pathBuffer, chosen.constData(), chosen.size() + 1);
    return VRX_FILE_CHOSEN;
}

}  // namespace

// Called by the person file library's Vrx_OpenFileDialog, which has checked the buffer.
extern "C" __attribute__((visibility("default"))) int DrovantelRunOpenDialog(char* pathBuffer,
                                                                             void* owner) {
    try {
        return runDialog(pathBuffer, owner);
    } catch (...) {
        // No exception may cross the C interface.
        return kDialogInitFailed;
    }
}
