// The library's open-file dialog, driven offscreen as a user would answer it.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibrary>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include "platform/personfilelibrary.h"
#include "support/emptyworkingfolder.h"
#include "support/modal.h"
#include "support/testregistry.h"

namespace {

struct SeenDialog {
    bool seen = false;
    QString title;
    QString fileName;
    QStringList nameFilters;
    QString selectedNameFilter;
    bool mustExist = false;
};

// Notes what the dialog shows, then types path (when given) and confirms, or cancels.
void answerDialog(SeenDialog* seen, const QString& path) {
    WhenModalAppears([seen, path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (dialog == nullptr || edit == nullptr) {
            QMetaObject::invokeMethod(modal, "reject");
            return;
        }
        seen->seen = true;
        seen->title = dialog->windowTitle();
        seen->fileName = edit->text();
        seen->nameFilters = dialog->nameFilters();
        seen->selectedNameFilter = dialog->selectedNameFilter();
        seen->mustExist = dialog->fileMode() == QFileDialog::ExistingFile;
        if (path.isEmpty()) {
            QMetaObject::invokeMethod(dialog, "reject");
        } else {
            edit->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
}

}  // namespace

class OpenDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    EmptyWorkingFolder workingFolder_;

    // A file whose full path is exactly `length` bytes long.
    QString fileWithPathLength(int length) {
        QString folder = dir_.path();
        while (length - folder.size() - 1 > 120) {
            folder += QLatin1Char('/') + QString(100, QLatin1Char('d'));
            QDir().mkpath(folder);
        }
        const QString path =
            folder + QLatin1Char('/') + QString(length - folder.size() - 1, QLatin1Char('f'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            qFatal("cannot create the long path");
        }
        return path;
    }

  private slots:
    void cancelShowsTheDialogAsItShouldAndReturnsZero() {
        SeenDialog seen;
        answerDialog(&seen, QString());
        QString path = dir_.filePath(QStringLiteral("earlier/choice.vrx"));
        const QString before = path;
        QCOMPARE(PersonFileLibrary::openFileDialog(&path, nullptr), 0);
        QVERIFY(seen.seen);
        QCOMPARE(path, before);
        QCOMPARE(seen.title, QStringLiteral("Tessaril新武将ファイルを開く"));
        QCOMPARE(seen.fileName, QStringLiteral("TPERSON.VRX"));  // whatever the buffer held
        QCOMPARE(seen.nameFilters, QStringList({QStringLiteral("新武将ファイル(*.vrx)"),
                                                QStringLiteral("全てのファイル(*.*)")}));
        QCOMPARE(seen.selectedNameFilter, seen.nameFilters.value(0));
        QVERIFY(seen.mustExist);
    }

    void dialogBelongsToTheWindowWhoseHandleIsGiven() {
        QWidget owner;
        owner.show();
        QWidget* parent = nullptr;
        WhenModalAppears([&parent](QWidget* modal) {
            parent = modal->parentWidget();
            QMetaObject::invokeMethod(modal, "reject");
        });
        QString path;
        QCOMPARE(PersonFileLibrary::openFileDialog(&path, reinterpret_cast<void*>(owner.winId())),
                 0);
        QCOMPARE(parent, &owner);

        // A handle of no window of this process gives a dialog of its own.
        parent = &owner;
        WhenModalAppears([&parent](QWidget* modal) {
            parent = modal->parentWidget();
            QMetaObject::invokeMethod(modal, "reject");
        });
        QCOMPARE(
            PersonFileLibrary::openFileDialog(&path, reinterpret_cast<void*>(quintptr{0x7fff0001})),
            0);
        QCOMPARE(parent, nullptr);
    }

    void chosenFileComesBackWithItsPath_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("TPERSON.VRX");
        QTest::newRow("japanese name") << QStringLiteral("武将データ.vrx");
    }
    void chosenFileComesBackWithItsPath() {
        QFETCH(QString, name);
        const QString chosen = dir_.filePath(name);
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SeenDialog seen;
        answerDialog(&seen, chosen);
        QString path;
        QCOMPARE(PersonFileLibrary::openFileDialog(&path, nullptr), -100);
        QCOMPARE(path, chosen);
    }

    void pathMustFitTheBufferWithItsNul() {
        // 259 bytes and the NUL fill the buffer exactly.
        const QString fits = fileWithPathLength(259);
        SeenDialog seen;
        answerDialog(&seen, fits);
        QString path;
        QCOMPARE(PersonFileLibrary::openFileDialog(&path, nullptr), -100);
        QCOMPARE(path, fits);

        // One byte more does not fit: the dialog's buffer-too-small code, and the caller's
        // buffer still holds a terminated string.
        const QString tooLong = fileWithPathLength(260);
        QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                         PersonFileLibrary::libraryFileName());
        auto openDialog =
            reinterpret_cast<int (*)(char*, void*)>(library.resolve("Vrx_OpenFileDialog"));
        QVERIFY(openDialog != nullptr);
        char buffer[260];
        std::memset(buffer, 'x', sizeof buffer);
        answerDialog(&seen, tooLong);
        QCOMPARE(openDialog(buffer, nullptr), 12291);
        QVERIFY(std::memchr(buffer, '\0', sizeof buffer) != nullptr);
        QCOMPARE(QByteArray(buffer), QByteArrayLiteral("TPERSON.VRX"));
    }
};

DROVANTEL_TEST(OpenDialogTest);

#include "test_opendialog.moc"
