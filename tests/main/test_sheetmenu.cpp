// The list's context menu entries that write every general to a sheet and read it back.
#include <QAction>

#include "mainwindowfixture.h"
#include "model/edithistory.h"
#include "model/rostersheet.h"
#include "platform/messages.h"
#include "support/testregistry.h"

namespace {

// Answers the next file dialog with path.
void AnswerFileDialog(const QString& path) {
    WhenModalAppears([path](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
}

}  // namespace

class SheetMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void exportEditImportIsOneUndoStep() {
        RecordedMessages messages;
        MainWindowFixture f;
        QVERIFY(!f.window->importSheetAction->isEnabled());
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        const QString sheet = f.data.path(QStringLiteral("a.csv"));
        AnswerFileDialog(sheet);
        f.window->exportSheetAction->trigger();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("書き出しました")});
        QByteArray exported = f.data.read(QStringLiteral("a.csv"));
        QCOMPARE(exported, ExportRosterSheet(f.generals(), f.program.existingGenerals()));

        // A problem: nothing changes and no step is made.
        f.data.write(QStringLiteral("a.csv"), exported + "9,誰\r\n");
        AnswerFileDialog(sheet);
        f.window->importSheetAction->trigger();
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("表に1件の問題があるため、何も変更しませんでした。\n"
                                "5行目: セルの数（2）が列の数（69）と合いません"));
        QCOMPARE(f.window->history()->count(), 0);

        f.data.write(QStringLiteral("a.csv"),
                     exported.replace("3,武将3,,,,,,183,103,", "3,武将3,,,,,,183,480,"));
        messages.queueAnswer(MessageAnswer::Yes);
        AnswerFileDialog(sheet);
        f.window->importSheetAction->trigger();
        QCOMPARE(
            messages.texts().last(),
            QStringLiteral("1人の1項目を変更します。よろしいですか？\n003 武将3 名声: 103 → 480"));
        QCOMPARE(f.generals().record(3).fame(), 480);
        QCOMPARE(f.window->list->cellText(3, 8), QStringLiteral("480"));
        QCOMPARE(f.window->history()->undoText(), QStringLiteral("表から読み込み"));
        QVERIFY(f.window->hasUnsavedChanges());
        f.window->undoAction->trigger();
        QCOMPARE(f.generals().record(3).fame(), 103);
        QCOMPARE(f.window->list->cellText(3, 8), QStringLiteral("103"));
    }
};

DROVANTEL_TEST(SheetMenuTest);
#include "test_sheetmenu.moc"
