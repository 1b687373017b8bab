// The list's entries about what changed, as the player uses them: the changes window from the
// menu and from the save question, a double click putting the general's row in view, and a
// dated backup chosen and put back as one undo step.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include "dialogs/backupchooser.h"
#include "dialogs/changeswindow.h"
#include "main/changecommands.h"
#include "mainwindowfixture.h"
#include "model/edithistory.h"
#include "platform/messages.h"
#include "support/testregistry.h"

namespace {

void raiseFame(MainWindowFixture& f, int index) {
    f.window->document()->recordEdit(QStringLiteral("名声"), [index](OpenGenerals& g) {
        g.record(index).setFame(static_cast<qint16>(g.record(index).fame() + 1));
    });
}

}  // namespace

class ChangesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theEntriesFollowTheFileAndItsChanges() {
        RecordedMessages messages;
        MainWindowFixture f;
        ChangeCommands* commands = f.window->changeCommands();
        QVERIFY(!commands->showChangesAction->isEnabled());
        QVERIFY(!commands->restoreBackupAction->isEnabled());
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        QVERIFY(!commands->showChangesAction->isEnabled());
        QVERIFY(commands->restoreBackupAction->isEnabled());
        raiseFame(f, 2);
        QVERIFY(commands->showChangesAction->isEnabled());
        f.window->undoAction->trigger();
        QVERIFY(!commands->showChangesAction->isEnabled());
    }

    // The open window follows every edit; a double click on a line brings that general's row
    // into view, wherever the sort has put it.
    void aDoubleClickPutsTheGeneralsRowInView() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.window->resize(1000, 600);
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(110)));
        emit f.window->list->header()->sectionClicked(8);  // fame, highest first
        raiseFame(f, 3);
        f.window->changeCommands()->showChangesAction->trigger();
        ChangesWindow* changes = f.window->changeCommands()->changesWindow();
        QVERIFY(QTest::qWaitForWindowExposed(changes));
        // The row is far from the top: the sort put general 3 near the end.
        raiseFame(f, 4);
        QCOMPARE(changes->panel->labChanges->text(),
                 QStringLiteral("2人の2項目が変更されています"));

        QTreeView* lines = changes->panel->listChanges;
        const QModelIndex first = lines->model()->index(0, 2);
        const QPoint point = lines->visualRect(first).center();
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, point);
        GeneralList* list = f.window->list;
        QCOMPARE(list->rowTag(list->currentPosition()), 3);
        QVERIFY(list->viewport()->rect().contains(
            list->visualRect(list->rowIndex(list->currentPosition())).center()));
        changes->close();
    }

    // The save question's third button shows the changes, then asks again.
    void theSaveQuestionShowsTheChanges() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        raiseFame(f, 1);
        QString shown;
        WhenModalAppears([&shown](QWidget* modal) {
            if (auto* changes = qobject_cast<ChangesWindow*>(modal)) {
                shown = changes->panel->labChanges->text();
                changes->cmdClose->click();
            }
        });
        messages.queueAnswer(MessageAnswer::Other);
        messages.queueAnswer(MessageAnswer::No);
        f.window->cmdSave->click();
        QCOMPARE(shown, QStringLiteral("1人の1項目が変更されています"));
        QCOMPARE(messages.shown().size(), 2);
        QCOMPARE(messages.shown().at(0).otherButton, QStringLiteral("変更点を表示..."));
        QVERIFY(f.window->hasUnsavedChanges());
    }

    void aChosenBackupIsPutBackAsOneStep() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        raiseFame(f, 1);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QList<Qt::ItemFlags> flags;
        WhenModalAppears([&flags](QWidget* modal) {
            auto* chooser = qobject_cast<BackupChooser*>(modal);
            if (chooser == nullptr) {
                return;
            }
            for (int row = 0; row < chooser->listBackups->topLevelItemCount(); ++row) {
                flags.append(chooser->listBackups->topLevelItem(row)->flags());
            }
            chooser->listBackups->topLevelItem(0)->setSelected(true);
            chooser->cmdRestore->click();
        });
        f.window->changeCommands()->restoreBackupAction->trigger();
        QCOMPARE(flags.size(), 1);
        QVERIFY(flags.first().testFlag(Qt::ItemIsEnabled));
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し: バックアップから戻す"));
        QCOMPARE(f.window->list->cellText(1, kFameColumn), QStringLiteral("101"));
        QVERIFY(f.window->hasUnsavedChanges());
    }
};

DROVANTEL_TEST(ChangesWindowTest);

#include "test_changeswindow.moc"
