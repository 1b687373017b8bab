// Undo and redo of the edits, the backup before the first save, the questions before unsaved
// changes are dropped, and ticking and scrolling in the main list by keyboard and drag.
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <functional>

#include "dialogs/abilitydialog.h"
#include "dialogs/famedialog.h"
#include "dialogs/hiddensettingsdialog.h"
#include "dialogs/markdialog.h"
#include "list/frozennamecolumn.h"
#include "mainwindowfixture.h"
#include "model/backuphistory.h"
#include "model/edithistory.h"
#include "model/marks.h"
#include "model/random.h"
#include "platform/codepage.h"
#include "platform/messages.h"
#include "support/readfile.h"
#include "support/testregistry.h"

namespace {

const QString kSaveQuestion = QStringLiteral(
    "書き込んでよろしいですか？\r\n（あらかじめ武将ファイルのバックアップを取ることをお勧めします"
    "）");
const QString kCloseQuestion =
    QStringLiteral("保存していない変更があります。\n保存せずに終了しますか？");
const QString kOpenQuestion =
    QStringLiteral("保存していない変更があります。\n保存せずに別のファイルを開きますか？");

// Every record and mark of the open file's generals, one entry per general.
QList<QByteArray> RosterState(const OpenGenerals& generals) {
    QList<QByteArray> state;
    for (int n = 1; n <= generals.count(); ++n) {
        QByteArray entry(reinterpret_cast<const char*>(generals.record(n).bytes().data()),
                         kRecordSize);
        entry += generals.marks(n).name.toUtf8();
        for (const QString& mark : generals.marks(n).marks) {
            entry += '|' + mark.toUtf8();
        }
        state.append(entry);
    }
    return state;
}

// A main window whose draws come from a source with a fixed seed.
struct SeededWindowFixture : MainWindowFixture {
    SeededWindowFixture() {
        auto source = std::make_unique<ClockSeededSource>();
        source->Seed(23);
        program.setRandomSource(std::move(source));
    }
};

// Presses a command button and, when its dialog opens, sets it up and presses its OK.
template <typename Dialog>
void RunDialog(QPushButton* command, std::function<void(Dialog*)> setUp) {
    WhenModalAppears([setUp](QWidget* modal) {
        if (auto* dialog = dynamic_cast<Dialog*>(modal)) {
            setUp(dialog);
            dialog->cmdOK->click();
        }
    });
    command->click();
}

}  // namespace

class SafetyNetTest : public QObject {
    Q_OBJECT

  private:
    // Three different draws over every general: fame, abilities, hidden settings.
    void drawFame(MainWindowFixture& f) {
        RunDialog<FameDialog>(f.window->cmdMeisei, [](FameDialog* dialog) {
            dialog->cmbValue1->setCurrentIndex(30);
            dialog->cmbValue2->setCurrentIndex(20);
        });
    }
    void drawAbilities(MainWindowFixture& f) {
        RunDialog<AbilityDialog>(f.window->cmdCapaAll, [](AbilityDialog* dialog) {
            dialog->chkCapa[1]->setChecked(true);
            dialog->cmbValue1[1]->setCurrentIndex(0);
            dialog->cmbValue2[1]->setCurrentIndex(40);
        });
    }
    void drawSettings(MainWindowFixture& f) {
        RunDialog<HiddenSettingsDialog>(f.window->cmdSeikaku, [](HiddenSettingsDialog* dialog) {
            dialog->chkSetting[static_cast<int>(Setting::belief)]->setChecked(true);
            dialog->chkSetting[static_cast<int>(Setting::greed)]->setChecked(true);
        });
    }
    void setMark(MainWindowFixture& f, const QString& text) {
        RunDialog<MarkDialog>(f.window->cmdMark, [text](MarkDialog* dialog) {
            dialog->chkMark[0]->setChecked(true);
            dialog->cmbMark[0]->setCurrentText(text);
        });
    }
    static void keyOnList(MainWindowFixture& f, Qt::Key key,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(f.window->list, key, modifiers);
    }
    static QString fameCell(MainWindowFixture& f, int position) {
        return f.window->list->cellText(position, 8);
    }
    static void activate(MainWindowFixture& f) {
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->list->setFocus();
    }

  private slots:

    void threeDrawsUndoneAndRedoneByKeyboard() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(6)));
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し"));
        QVERIFY(!f.window->undoAction->isEnabled());
        const QList<QByteArray> opened = RosterState(f.generals());
        drawFame(f);
        drawAbilities(f);
        drawSettings(f);
        const QList<QByteArray> drawn = RosterState(f.generals());
        QVERIFY(drawn != opened);
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し: 隠し設定"));

        // Ticks, order and column groups are not steps: undo leaves them as they are.
        f.press(2);
        f.release(2);
        emit f.window->list->header()->sectionClicked(8);
        f.window->chkPers->click();
        const QList<bool> ticks = f.ticks();
        const QString firstName = f.window->list->cellText(1, 0);

        activate(f);  // the shortcuts belong to the main window
        keyOnList(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.window->redoAction->text(), QStringLiteral("やり直し: 隠し設定"));
        keyOnList(f, Qt::Key_Z, Qt::ControlModifier);
        keyOnList(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(RosterState(f.generals()), opened);
        QVERIFY(!f.window->undoAction->isEnabled());
        QCOMPARE(f.ticks(), ticks);
        QCOMPARE(f.window->list->cellText(1, 0), firstName);
        QVERIFY(!f.window->list->isColumnHidden(15));
        QCOMPARE(f.window->list->header()->sortIndicatorSection(), 8);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("5/6"));
        for (int i = 1; i <= 6; ++i) {  // the unticked row is refreshed too
            const int index = f.window->list->rowTag(i);
            QCOMPARE(fameCell(f, i), QString::number(f.generals().record(index).fame()));
        }

        keyOnList(f, Qt::Key_Y, Qt::ControlModifier);
        keyOnList(f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        keyOnList(f, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(RosterState(f.generals()), drawn);
        QVERIFY(!f.window->redoAction->isEnabled());
        QCOMPARE(f.window->redoAction->text(), QStringLiteral("やり直し"));
        QVERIFY(messages.shown().isEmpty());
    }

    void restoreClearAndMarksAreStepsAndANewStepDropsTheRedo() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        const QList<QByteArray> opened = RosterState(f.generals());
        setMark(f, QStringLiteral("甲"));
        drawFame(f);
        const QList<QByteArray> edited = RosterState(f.generals());
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdBack->click();
        QCOMPARE(RosterState(f.generals()), opened);
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し: 元に戻す"));
        f.window->undoAction->trigger();
        QCOMPARE(RosterState(f.generals()), edited);
        QCOMPARE(f.window->list->cellText(2, 2), QStringLiteral("甲"));
        f.window->undoAction->trigger();
        f.window->undoAction->trigger();
        QCOMPARE(RosterState(f.generals()), opened);

        // A command that changes nothing, or a cancelled dialog, leaves no step and keeps
        // the redo; a change drops it.
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdTokugiClear->click();
        WhenModalAppears([](QWidget* modal) { modal->close(); });
        f.window->cmdMeisei->click();
        QCOMPARE(f.window->redoAction->text(), QStringLiteral("やり直し: 印"));
        SetSkill(f.generals().record(2), 3, true);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdTokugiClear->click();
        QVERIFY(!f.window->redoAction->isEnabled());
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し: 特技クリア"));
        QCOMPARE(f.window->history()->count(), 1);
        f.window->undoAction->trigger();
        QVERIFY(GetSkill(f.generals().record(2), 3));
    }

    void theContextMenuNamesTheSteps() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        drawFame(f);
        QStringList shown;
        QList<bool> enabled;
        QTimer::singleShot(50, [&shown, &enabled] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                shown.append(action->text());
                enabled.append(action->isEnabled());
            }
            menu->close();
        });
        QWidget* viewport = f.window->list->viewport();
        const QPoint point = f.rowPoint(1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
        QCoreApplication::sendEvent(viewport, &event);
        QCOMPARE(shown, QStringList({QStringLiteral("取り消し: 名声"), QStringLiteral("やり直し"),
                                     QString(), QStringLiteral("表に書き出す..."),
                                     QStringLiteral("表から読み込む..."), QString(),
                                     QStringLiteral("変更点を表示..."),
                                     QStringLiteral("バックアップから戻す...")}));
        QCOMPARE(enabled, QList<bool>({true, false, true, true, true, true, true, true}));
    }

    void openingStartsAnEmptyHistoryAndSavingKeepsIt() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        const QList<QByteArray> opened = RosterState(f.generals());
        drawFame(f);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QVERIFY(!f.window->hasUnsavedChanges());
        QCOMPARE(f.window->history()->count(), 1);

        f.window->undoAction->trigger();
        QCOMPARE(RosterState(f.generals()), opened);
        QVERIFY(f.window->hasUnsavedChanges());
        f.window->redoAction->trigger();
        QVERIFY(!f.window->hasUnsavedChanges());

        f.window->undoAction->trigger();
        emit f.window->list->header()->sectionClicked(8);
        messages.queueAnswer(MessageAnswer::Yes);
        f.open(path);
        QCOMPARE(messages.texts().last(), kOpenQuestion);
        QCOMPARE(f.window->history()->count(), 0);
        QVERIFY(!f.window->undoAction->isEnabled());
        QCOMPARE(f.window->list->header()->sortIndicatorSection(), -1);
        QVERIFY(RosterState(f.generals()) != opened);  // the file holds the saved draw
    }

    // --- The backup ---------------------------------------------------------------------

    void theFirstSaveKeepsTheFileAsItWas() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QByteArray original = MakePersonFile(4, true);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.data.write(QStringLiteral("a.vrx.bak"), "an older copy");
        f.open(path);
        drawFame(f);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion, QStringLiteral("保存しました")}));
        QCOMPARE(f.data.read(QStringLiteral("a.vrx.bak")), original);
        const QByteArray firstSave = ReadFile(path);
        QVERIFY(firstSave != original);

        // Once per opened file: a second save leaves the copy alone.
        drawAbilities(f);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(f.data.read(QStringLiteral("a.vrx.bak")), original);

        // The next open of it is another opened file.
        const QByteArray secondSave = ReadFile(path);
        f.open(path);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(f.data.read(QStringLiteral("a.vrx.bak")), secondSave);
    }

    void aFailedBackupAsksAndNoSavesNothing() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        QVERIFY(QDir().mkdir(f.data.path(QStringLiteral("a.vrx.bak"))));  // cannot be replaced
        f.open(path);
        drawFame(f);
        f.generals().marks(1).marks[0] = QStringLiteral("印");
        const QString backupQuestion = QStringLiteral(
            "バックアップ（a.vrx.bak）を作成できませんでした。\nこのまま保存しますか？");
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::No);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion, backupQuestion}));
        QCOMPARE(messages.shown().last().icon, MessageIcon::Question);
        QCOMPARE(ReadFile(path), original);
        QVERIFY(!f.data.exists(QStringLiteral("Mark.csv")));
        QVERIFY(f.window->hasUnsavedChanges());

        messages.clear();
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(),
                 QStringList({kSaveQuestion, backupQuestion, QStringLiteral("保存しました")}));
        QVERIFY(ReadFile(path) != original);
        QVERIFY(QFileInfo(f.data.path(QStringLiteral("a.vrx.bak"))).isDir());
        QVERIFY(!f.window->hasUnsavedChanges());
    }

    void aFileChangedByAnotherProgramIsKeptOrBackedUp() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        f.open(path);
        drawFame(f);
        const QByteArray theirs = MakePersonFile(4);
        f.data.write(QStringLiteral("a.vrx"), theirs);
        const QString changedQuestion = QStringLiteral(
            "このファイルは開いた後で他のプログラムによって変更されています。\n上書きして保存し"
            "ますか？");
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();  // answered No
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion, changedQuestion}));
        QCOMPARE(messages.shown().last().icon, MessageIcon::Exclamation);
        QCOMPARE(messages.shown().last().defaultAnswer, MessageAnswer::No);
        QCOMPARE(ReadFile(path), theirs);
        QVERIFY(!f.data.exists(QStringLiteral("a.vrx.bak")));

        messages.clear();
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("保存しました"));
        QCOMPARE(f.data.read(QStringLiteral("a.vrx.bak")), theirs);
        QCOMPARE(ReadFile(DatedBackups(path).last()), theirs);
        QVERIFY(ReadFile(path) != theirs);

        // Its own writing is no change: the next save asks only the usual question.
        messages.clear();
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion, QStringLiteral("保存しました")}));

        // The questions that would drop work keep it on Return.
        drawFame(f);
        QVERIFY(!f.window->close());
        f.open(path);
        QCOMPARE(messages.texts().mid(2), QStringList({kCloseQuestion, kOpenQuestion}));
        for (const ShownMessage& shown : messages.shown().mid(2)) {
            QCOMPARE(shown.defaultAnswer, MessageAnswer::No);
        }
    }

    // Yes to a file another program truncated or replaced writes the file as it was read,
    // with the generals shown; an empty file is kept as no backup.
    void yesWritesTheFileAsReadWithTheGenerals_data() {
        QTest::addColumn<QByteArray>("theirs");
        QTest::newRow("truncated") << QByteArray();
        QTest::newRow("a longer file") << QByteArray("THEIRS") + MakePersonFile(6).mid(4);
    }
    void yesWritesTheFileAsReadWithTheGenerals() {
        QFETCH(QByteArray, theirs);
        RecordedMessages messages;
        SeededWindowFixture f;
        const QByteArray original = MakePersonFile(3, true);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        drawFame(f);
        f.data.write(QStringLiteral("a.vrx"), theirs);
        for (int i = 0; i < 3; ++i) {
            messages.queueAnswer(MessageAnswer::Yes);
        }
        f.window->cmdSave->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("保存しました"));
        QByteArray expected = original;
        for (int n = 1; n <= 3; ++n) {
            expected.replace(
                4 + kRecordSize * (n - 1), kRecordSize,
                QByteArray(reinterpret_cast<const char*>(f.generals().record(n).bytes().data()),
                           kRecordSize));
        }
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(f.data.exists(QStringLiteral("a.vrx.bak")), !theirs.isEmpty());
        QCOMPARE(DatedBackups(path).size(), theirs.isEmpty() ? 0 : 1);
    }

    // A write of Mark.csv that failed is tried at the next change and at close; while it still
    // fails, the close asks and Return keeps the window open.
    void aFailedMarkWriteIsTriedAgainAndHoldsTheClose() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        QVERIFY(QDir().mkpath(f.data.path(QStringLiteral("Mark.csv"))));
        setMark(f, QStringLiteral("甲"));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Mark.csvの保存に失敗しました")});
        messages.clear();
        QVERIFY(!f.window->close());
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("Mark.csvを保存できませんでした。\n保存せずに終了しますか？"));
        QCOMPARE(messages.shown().last().defaultAnswer, MessageAnswer::No);
        QVERIFY(QDir().rmdir(f.data.path(QStringLiteral("Mark.csv"))));
        drawFame(f);  // any later change tries again
        QVERIFY(QFileInfo(f.data.path(QStringLiteral("Mark.csv"))).isFile());
    }

    void aConfirmedMarkIsWrittenAndSurvivesAnOpen() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QString pathA = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        const QString pathB = f.writePersonFile(QStringLiteral("b.vrx"), MakePersonFile(2));
        f.open(pathA);
        setMark(f, QStringLiteral("甲"));
        QByteArray mark;
        QVERIFY(EncodeCp932(QStringLiteral("甲"), &mark));
        QVERIFY(f.data.read(QStringLiteral("Mark.csv")).contains(mark));
        f.window->undoAction->trigger();  // the file follows an undo too
        QVERIFY(!f.data.exists(QStringLiteral("Mark.csv")));
        f.window->redoAction->trigger();
        f.open(pathB);
        QVERIFY(messages.shown().isEmpty());
        f.open(pathA);
        QCOMPARE(f.generals().marks(1).marks[0], QStringLiteral("甲"));
        QCOMPARE(f.window->list->cellText(1, 2), QStringLiteral("甲"));
    }

    // --- Unsaved changes ----------------------------------------------------------------

    void closingAsksOnlyWithUnsavedChanges() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        drawFame(f);
        f.generals().marks(2).marks[0] = QStringLiteral("軍");

        QVERIFY(!f.window->close());  // answered No
        QCOMPARE(messages.texts(), QStringList({kCloseQuestion}));
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.data.exists(QStringLiteral("Mark.csv")));
        QVERIFY(f.generals().record(1).fame() >= 200);

        messages.queueAnswer(MessageAnswer::Yes);
        QVERIFY(f.window->close());
        QVERIFY(!f.window->isVisible());
        QCOMPARE(ReadFile(path), original);
        QVERIFY(f.data.exists(QStringLiteral("Mark.csv")));  // marks are kept at close

        // A window whose generals are as saved closes without a word.
        messages.clear();
        MainWindowFixture g;
        g.open(g.writePersonFile(QStringLiteral("b.vrx"), MakePersonFile(2)));
        f.generals().marks(1).marks[0] = QStringLiteral("印");
        QVERIFY(g.window->close());
        QVERIFY(messages.shown().isEmpty());
    }

    void openingAnotherFileAsksOnlyWithUnsavedChanges() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QString pathA = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        const QString pathB = f.writePersonFile(QStringLiteral("b.vrx"), MakePersonFile(5));
        f.open(pathA);
        f.open(pathB);  // nothing changed: no question
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(f.generals().count(), 5);

        drawFame(f);
        const QList<QByteArray> edited = RosterState(f.generals());
        f.open(pathA);  // answered No
        QCOMPARE(messages.texts(), QStringList({kOpenQuestion}));
        QCOMPARE(f.window->personFilePath(), QDir::toNativeSeparators(pathB));
        QCOMPARE(RosterState(f.generals()), edited);
        QCOMPARE(f.window->history()->count(), 1);

        messages.queueAnswer(MessageAnswer::Yes);
        f.open(pathA);
        QCOMPARE(f.window->personFilePath(), QDir::toNativeSeparators(pathA));
        QCOMPARE(f.generals().count(), 3);
    }

    void aFailedSaveLeavesTheChangesUnsaved() {
        RecordedMessages messages;
        SeededWindowFixture f;
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        f.open(path);
        drawFame(f);
        QFile::remove(path);
        QVERIFY(QDir().mkdir(path));  // neither copied nor written
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::Yes);  // the file is gone: overwrite it
        f.window->cmdSave->click();
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）"));
        QVERIFY(f.window->hasUnsavedChanges());
        QVERIFY(!f.window->close());
        QCOMPARE(messages.texts().last(), kCloseQuestion);
    }

    // --- Keyboard and drag --------------------------------------------------------------

    void spaceTicksAndTheKeysMoveTheCurrentRow() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(40)));
        GeneralList* list = f.window->list;
        const auto currentPosition = [list] { return list->currentPosition(); };
        QCOMPARE(currentPosition(), 1);
        keyOnList(f, Qt::Key_Space);
        QVERIFY(!list->isTicked(1));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("39/40"));
        keyOnList(f, Qt::Key_Down);
        keyOnList(f, Qt::Key_Down);
        QCOMPARE(currentPosition(), 3);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("39/40"));
        keyOnList(f, Qt::Key_Space);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("38/40"));
        keyOnList(f, Qt::Key_End);
        QCOMPARE(currentPosition(), 40);
        keyOnList(f, Qt::Key_Home);
        keyOnList(f, Qt::Key_PageDown);
        QVERIFY(currentPosition() > 1);
        keyOnList(f, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());

        // With no row ticked the panel is off; Space on one turns it on at once.
        f.window->cmdAll->click();
        QVERIFY(!f.window->fraMenu->isEnabled());
        keyOnList(f, Qt::Key_Space);
        QVERIFY(f.window->fraMenu->isEnabled());
        QCOMPARE(f.window->labCount->text(), QStringLiteral("1/40"));
        QVERIFY(list->currentIndex().data(Qt::FontRole).value<QFont>().bold());

        // A press makes the pressed row the current one.
        f.press(2);
        f.release(2);
        QCOMPARE(currentPosition(), 2);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("2/40"));
    }

    void aDragBelowTheListScrollsAndTakesRowsIn() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(80)));
        GeneralList* list = f.window->list;
        QWidget* viewport = list->viewport();
        QScrollBar* bar = list->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        f.press(3);
        const QPoint below(f.rowPoint(3).x(), viewport->height() + 30);
        QMouseEvent move(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QTRY_VERIFY(bar->value() >= 5);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
        const int scrolled = bar->value();
        const int lastInView = list->positionAt(QPoint(10, viewport->height() - 2));
        QVERIFY(lastInView > 3 + 20);
        QList<bool> expected(80, true);
        for (int position = 3; position <= lastInView; ++position) {
            expected[position - 1] = false;
        }
        QCOMPARE(f.ticks(), expected);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("%1/80").arg(80 - (lastInView - 2)));
        QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
        QTest::qWait(150);
        QCOMPARE(bar->value(), scrolled);  // the release ends the scrolling
        QCOMPARE(f.ticks(), expected);
    }

    void theNameColumnStaysInViewSideways() {
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(10)));
        for (QCheckBox* box : f.window->chkTokugi) {
            box->click();
        }
        GeneralList* list = f.window->list;
        QVERIFY(list->findChild<FrozenNameColumn*>() == nullptr);  // made when first needed
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        auto* names = list->findChild<FrozenNameColumn*>();
        QVERIFY(names != nullptr);
        QVERIFY(names->isVisible());
        QCOMPARE(names->geometry().left(), list->viewport()->geometry().left());
        QCOMPARE(names->columnWidth(0), list->columnWidth(0));
        const QRect nameRow = names->visualRect(names->model()->index(4, 0));
        QCOMPARE(names->viewport()->mapTo(list, nameRow.topLeft()).y(),
                 list->viewport()->mapTo(list, list->visualRect(list->rowIndex(5)).topLeft()).y());

        // A press on a frozen name ticks its row, as on the list itself.
        const QPoint onName = nameRow.center();
        QTest::mousePress(names->viewport(), Qt::LeftButton, {}, onName);
        QTest::mouseRelease(names->viewport(), Qt::LeftButton, {}, onName);
        QVERIFY(!list->isTicked(5));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("9/10"));

        // Pressing on a row and moving with the keys keep the list where it was sideways.
        const int sideways = list->horizontalScrollBar()->value();
        const QPoint onRow(list->viewport()->width() / 2,
                           list->visualRect(list->rowIndex(7)).center().y());
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, onRow);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, onRow);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("8/10"));
        keyOnList(f, Qt::Key_Down);
        keyOnList(f, Qt::Key_Space);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("7/10"));
        QCOMPARE(list->horizontalScrollBar()->value(), sideways);

        list->horizontalScrollBar()->setValue(0);
        QVERIFY(!names->isVisible());
    }

    // The list measures its rows from the columns in view; scrolled sideways the name column
    // is not among them, and a sort or 一括/解除 lays the rows out again.
    void frozenNamesStayOnTheirRows_data() {
        QTest::addColumn<bool>("sort");
        QTest::newRow("after a sort") << true;
        QTest::newRow("after all or none") << false;
    }
    void frozenNamesStayOnTheirRows() {
        QFETCH(bool, sort);
        RecordedMessages messages;
        SeededWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(40)));
        for (QCheckBox* box : f.window->chkTokugi) {
            box->click();
        }
        f.window->chkPers->click();
        GeneralList* list = f.window->list;
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        auto* names = list->findChild<FrozenNameColumn*>();
        if (sort) {
            QHeaderView* header = list->header();
            const int column = kListColumnCount - 1;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
            QVERIFY(header->sortIndicatorSection() == column);
        } else {
            f.window->cmdAll->click();
        }
        list->scrollTo(list->model()->index(20, 0));
        QCoreApplication::processEvents();
        QVERIFY(names->isVisible());
        for (int row = 0; row < list->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            QCOMPARE(names->viewport()->mapTo(list, names->visualRect(index).topLeft()).y(),
                     list->viewport()->mapTo(list, list->visualRect(index).topLeft()).y());
        }

        QList<bool> expected = f.ticks();
        expected[20] = !expected[20];
        const QPoint onName = names->visualRect(list->model()->index(20, 0)).center();
        QTest::mousePress(names->viewport(), Qt::LeftButton, {}, onName);
        QTest::mouseRelease(names->viewport(), Qt::LeftButton, {}, onName);
        QCOMPARE(f.ticks(), expected);
    }
};

DROVANTEL_TEST(SafetyNetTest);
#include "test_safetynet.moc"
