#include <QApplication>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

#include "mainwindowfixture.h"
#include "model/marks.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "support/readfile.h"
#include "support/testregistry.h"

namespace {

const QString kSaveQuestion = QStringLiteral(
    "書き込んでよろしいですか？\r\n（あらかじめ武将ファイルのバックアップを取ることをお勧めします"
    "）");

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsEmptyWithTitle() {
        RecordedMessages messages;
        MainWindowFixture f;
        QCOMPARE(f.window->windowTitle(),
                 QStringLiteral("Tessaril新武将まとめ補助エディタ『Kelvasto』  Version 1.2 rev 5"));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/0"));
        QCOMPARE(f.window->labPath->text(), QStringLiteral("パス"));
        QVERIFY(!f.window->cmdSave->isVisible());
        QVERIFY(!f.window->fraMenu->isVisible());
        QVERIFY(f.window->chooser() != nullptr && !f.window->chooser()->isVisible());
        QVERIFY(messages.shown().isEmpty());
    }

    void startUpGoesOnWithoutDataFiles() {
        RecordedMessages messages;
        TempDataFolder empty;
        ProgramData program;
        MainWindow window(program);
        QCOMPARE(window.labCount->text(), QStringLiteral("0/0"));
        QVERIFY(window.chooser() != nullptr);
    }

    // A template file whose write failed is written again at close; while it fails, the close
    // asks.
    void aFailedTemplateWriteHoldsTheClose() {
        RecordedMessages messages;
        MainWindowFixture f;
        // Start-up copied the shipped Capa.csv; a folder in its place makes every write fail.
        QVERIFY(QFile::remove(f.data.path(QStringLiteral("Capa.csv"))));
        QVERIFY(QDir().mkpath(f.data.path(QStringLiteral("Capa.csv"))));
        QVERIFY(f.program.abilityTemplates().save());
        QVERIFY(!f.window->close());
        QCOMPARE(messages.texts(),
                 (QStringList{QStringLiteral("Capa.csvの保存に失敗しました"),
                              QStringLiteral(
                                  "Capa.csvを保存できませんでした。\n保存せずに終了しますか？")}));
        QCOMPARE(messages.shown().first().icon, MessageIcon::Critical);
        QVERIFY(QDir().rmdir(f.data.path(QStringLiteral("Capa.csv"))));
        QVERIFY(f.window->close());
    }

    // Each data file that fails is told once, in the order they are read, and start-up goes on.
    void dataFileFailuresAreShownAtStartUp() {
        RecordedMessages messages;
        TempDataFolder data;
        QVERIFY(data.write(QStringLiteral("General.csv"), QByteArrayLiteral("\"x\",1\r\n")));
        QVERIFY(data.write(QStringLiteral("Tokugi.csv"), QByteArrayLiteral("x\r\n")));
        QVERIFY(data.write(QStringLiteral("Capa.csv"), QByteArrayLiteral("x\r\n")));
        ProgramData program;
        MainWindow window(program);
        QCOMPARE(messages.texts(),
                 (QStringList{QStringLiteral("General.csvの読み込みに失敗しました"),
                              QStringLiteral("Tokugi.csvの読み込みに失敗しました"),
                              QStringLiteral("Capa.csvの読み込みに失敗しました")}));
        for (const ShownMessage& shown : messages.shown()) {
            QCOMPARE(shown.icon, MessageIcon::Critical);
        }
        QCOMPARE(program.existingGenerals().count(), 0);
    }

    void chooserMadeLaterHoldsEveryGeneralAndStays() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(2)));
        GeneralChooser* chooser = f.window->chooser();
        const ExistingGenerals& existing = f.program.existingGenerals();
        QVERIFY(existing.count() > 0);
        QCOMPARE(chooser->list->rowCount(), existing.count());
        QCOMPARE(chooser->list->cellText(existing.count(), 0), existing.name(existing.count()));
        QCOMPARE(f.window->chooser(), chooser);
        QVERIFY(!chooser->isVisible());
    }

    void opensTicksAllAndShowsTheCommands() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("TPERSON.VRX"), MakePersonFile(7, true)));
        QCOMPARE(f.generals().count(), 7);
        QCOMPARE(f.window->list->rowCount(), 7);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("7/7"));
        // The path as the open dialog gives it, in the system's own form.
        QCOMPARE(f.window->labPath->text(),
                 QDir::toNativeSeparators(f.data.path(QStringLiteral("TPERSON.VRX"))));
        QVERIFY(f.window->cmdSave->isVisible());
        QVERIFY(f.window->fraMenu->isVisible() && f.window->fraMenu->isEnabled());
        QCOMPARE(f.window->list->cellText(3, 0), QStringLiteral("武将3"));
        QCOMPARE(f.window->list->rowTag(3), 3);
        QVERIFY(messages.shown().isEmpty());
    }

    void editedFieldsAreTheOnlyChangeAfterSave() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray original = MakePersonFile(5, true);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        f.generals().record(2).setFame(777);
        f.generals().record(5).setAbility(4, 3);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion, QStringLiteral("保存しました")}));
        QCOMPARE(messages.shown().last().icon, MessageIcon::Information);

        QByteArray expected = original;
        const int record2 = 4 + kRecordSize;
        const int record5 = 4 + 4 * kRecordSize;
        expected[record2 + 20] = char(777 & 0xFF);
        expected[record2 + 21] = char(777 >> 8);
        expected[record5 + 22 + 8] = 3;
        expected[record5 + 22 + 9] = 0;
        QCOMPARE(ReadFile(path), expected);

        f.open(path);
        QCOMPARE(f.generals().record(2).fame(), 777);
        QCOMPARE(f.generals().record(5).ability(4), 3);
    }

    void shippedSampleGoesBackByteForByte() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray sample =
            ReadFile(QCoreApplication::applicationDirPath() + QStringLiteral("/TPERSON.VRX"));
        QVERIFY(sample.size() > 4 + 30 * kRecordSize);
        const QString path = f.writePersonFile(QStringLiteral("TPERSON.VRX"), sample);
        f.open(path);
        QVERIFY(f.generals().count() >= 30);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(ReadFile(path), sample);
    }

    void saveAnsweredNoWritesNothing() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        f.generals().record(1).setFame(5);
        f.generals().marks(1).marks[0] = QStringLiteral("軍");
        messages.queueAnswer(MessageAnswer::No);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts(), QStringList({kSaveQuestion}));
        QCOMPARE(ReadFile(path), original);
        QVERIFY(!f.data.exists(QStringLiteral("Mark.csv")));
    }

    void cancelledOpenKeepsTheSaveTarget() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QString pathA = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        const QByteArray fileB = MakePersonFile(4);
        f.writePersonFile(QStringLiteral("b.vrx"), fileB);
        f.open(pathA);
        f.cancelOpen();
        QCOMPARE(f.window->personFilePath(), QDir::toNativeSeparators(pathA));
        f.generals().record(3).setFame(321);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(ReadFile(f.data.path(QStringLiteral("b.vrx"))), fileB);
        f.open(pathA);
        QCOMPARE(f.generals().record(3).fame(), 321);
    }

    void closingWritesMarksButNoGeneral() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray original = MakePersonFile(3);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        f.generals().record(1).setFame(1);
        f.generals().marks(2).marks[1] = QStringLiteral("軍");
        messages.queueAnswer(MessageAnswer::Yes);  // close without saving
        f.window->close();
        QCOMPARE(ReadFile(path), original);
        QVERIFY(QString::fromLatin1(f.data.read(QStringLiteral("Mark.csv")).toHex())
                    .contains(QString::fromLatin1(EncodedHex(QStringLiteral("軍")))));
        QCOMPARE(messages.shown().size(), 1);
    }

    // A name byte pair without a character and a cut-off lead byte read as "・"; the marks of
    // every general are still written, and come back after a restart.
    void namesWithoutCharactersKeepEveryMarkAcrossARestart() {
        RecordedMessages messages;
        MainWindowFixture f;
        QByteArray file = MakePersonFile(3);
        file.replace(4 + kFamilyNameOffset, 5, QByteArray("\x85\x40\x92\xA3\x82"));
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), file);
        f.open(path);
        QCOMPARE(GetPersonName(f.generals().record(1)), QStringLiteral("・張・1"));
        for (int index = 1; index <= 3; ++index) {
            f.generals().marks(index).marks[index - 1] =
                QStringLiteral("印") + QString::number(index);
        }
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(ReadFile(path), file);
        QVERIFY(f.data.exists(QStringLiteral("Mark.csv")));

        f.window->close();
        f.window = std::make_unique<MainWindow>(f.program);
        f.window->show();
        f.open(path);
        for (int index = 1; index <= 3; ++index) {
            QCOMPARE(f.generals().marks(index).marks[index - 1],
                     QStringLiteral("印") + QString::number(index));
        }
        QVERIFY(messages.texts().filter(QStringLiteral("失敗")).isEmpty());
    }

    void fileWithoutRecordsLeavesNothingToSave() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QString path = f.writePersonFile(QStringLiteral("empty.vrx"), QByteArray());
        f.open(path);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/0"));
        QVERIFY(f.window->cmdSave->isVisible());
        QCOMPARE(f.window->list->rowCount(), 0);
        f.window->cmdSave->click();
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(ReadFile(path), QByteArray());
    }

    void unreadableFileOpensEmptyWithAWarning() {
#ifdef Q_OS_WIN
        QSKIP("Windows has no named pipes in its file system");
#else
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        const QString fifo = f.data.path(QStringLiteral("pipe.vrx"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        f.open(fifo);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().icon, MessageIcon::Exclamation);
        QVERIFY(messages.texts().first().contains(fifo));
        QCOMPARE(f.generals().count(), 0);
        QCOMPARE(f.window->list->rowCount(), 0);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/0"));
        f.window->cmdSave->click();
        f.window->cmdBack->click();
        QCOMPARE(messages.shown().size(), 1);
#endif
    }

    void folderOpensEmptyAndIsNeverWritten() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QString folder = f.data.path(QStringLiteral("folder.vrx"));
        QVERIFY(QDir().mkdir(folder));
        f.window->openPersonFile(folder);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().icon, MessageIcon::Exclamation);
        QCOMPARE(f.generals().count(), 0);
        f.window->cmdSave->click();
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(QFileInfo(folder).isDir());
    }

    void randomBytesAndJapanesePathsOpen() {
        RecordedMessages messages;
        MainWindowFixture f;
        QByteArray noise(10 * kRecordSize + 123, '\0');
        for (int i = 0; i < noise.size(); ++i) {
            noise[i] = char((i * 7919 + 13) % 251);
        }
        const QString path = f.writePersonFile(QStringLiteral("武将 ファイル (壊).vrx"), noise);
        f.open(path);
        QCOMPARE(f.window->personFilePath(), QDir::toNativeSeparators(path));
        QVERIFY(f.generals().count() <= 10);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("保存しました"));
        QCOMPARE(ReadFile(path), noise);
    }

    void saveToAVanishedFileReportsTheFailure() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3));
        f.open(path);
        QFile::remove(path);
        QDir().mkdir(path);  // the path is now a folder: it cannot be opened for writing
        messages.queueAnswer(MessageAnswer::Yes);
        messages.queueAnswer(MessageAnswer::Yes);  // the file is gone: overwrite it
        messages.queueAnswer(MessageAnswer::Yes);  // save without the backup
        f.generals().marks(1).marks[0] = QStringLiteral("印");
        f.window->cmdSave->click();
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("オープンに失敗しました（書き込み禁止かもしれません）"));
        QCOMPARE(messages.shown().last().icon, MessageIcon::Exclamation);
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(f.data.exists(QStringLiteral("Mark.csv")));  // marks are saved whatever the result
    }

    void pressAndDragTicksARun() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(8)));
        f.press(5);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("7/8"));
        f.moveTo(2);
        QCOMPARE(f.ticks(), QList<bool>({true, false, false, false, false, true, true, true}));
        f.moveTo(4);
        QCOMPARE(f.ticks(), QList<bool>({true, true, true, false, false, true, true, true}));
        f.release(4);
        QCOMPARE(f.ticks(), QList<bool>({true, true, true, false, false, true, true, true}));
        QCOMPARE(f.window->labCount->text(), QStringLiteral("6/8"));
        QVERIFY(f.window->list->selectionModel()->selectedIndexes().isEmpty());

        // A single press and release flips one row back.
        f.press(4);
        f.release(4);
        QCOMPARE(f.ticks(), QList<bool>({true, true, true, true, false, true, true, true}));
    }

    void pressBelowTheRowsStartsNothing() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        const QPoint below(10, f.window->list->viewport()->height() - 2);
        QVERIFY(!f.window->list->indexAt(below).isValid());
        QTest::mousePress(f.window->list->viewport(), Qt::LeftButton, {}, below);
        f.moveTo(1);
        QTest::mouseRelease(f.window->list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(f.ticks(), QList<bool>({true, true, true}));
    }

    // The release happened outside the window: the next move without the button ends the drag.
    void moveWithoutTheButtonEndsTheDrag() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(10)));
        f.window->cmdAll->click();
        QVERIFY(!f.window->fraMenu->isEnabled());
        f.press(7);
        f.moveTo(8);
        const auto hover = [&f](int position) {
            QMouseEvent move(QEvent::MouseMove, f.rowPoint(position),
                             f.window->list->viewport()->mapToGlobal(f.rowPoint(position)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            // Delivered as the window system delivers it: a move without a button reaches only
            // widgets that track the mouse.
            QApplication::sendEvent(f.window->list->viewport(), &move);
        };
        hover(9);
        const QList<bool> afterDrag = {false, false, false, false, false,
                                       false, true,  true,  true,  false};
        QCOMPARE(f.ticks(), afterDrag);
        QVERIFY(f.window->list->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(f.window->labCount->text(), QStringLiteral("3/10"));
        QVERIFY(f.window->fraMenu->isEnabled());
        QVERIFY(f.window->list->rowIndex(7, 0).data(Qt::FontRole).value<QFont>().bold());
        hover(10);  // plain hovering: the drag is over
        QCOMPARE(f.ticks(), afterDrag);
    }

    void dragUntickingEverythingDisablesTheMenu() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        f.press(1);
        f.moveTo(3);
        QTest::mouseRelease(f.window->list->viewport(), Qt::LeftButton, {},
                            QPoint(10, f.window->list->viewport()->height() - 2));
        QCOMPARE(f.ticks(), QList<bool>({false, false, false}));
        QVERIFY(!f.window->fraMenu->isEnabled());
        f.press(2);
        f.release(2);
        QVERIFY(f.window->fraMenu->isEnabled());
    }

    void allOrNoneTogglesAndSetsTheMenu() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(4)));
        f.press(2);
        f.release(2);
        f.window->cmdAll->click();
        QCOMPARE(f.ticks(), QList<bool>({false, false, false, false}));
        QVERIFY(!f.window->fraMenu->isEnabled());
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/4"));
        f.window->cmdAll->click();
        QCOMPARE(f.ticks(), QList<bool>({true, true, true, true}));
        QVERIFY(f.window->fraMenu->isEnabled());
        QCOMPARE(f.window->labCount->text(), QStringLiteral("4/4"));
    }

    void restoreAfterSaveGivesTheSavedState() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        f.generals().record(2).setFame(400);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        f.generals().record(2).setFame(9);
        f.generals().record(3).setFame(9);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdBack->click();
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("選択中の3名の設定を戻します。よろしいですか？"));
        QCOMPARE(f.generals().record(2).fame(), 400);
        QCOMPARE(f.generals().record(3).fame(), 103);
        QCOMPARE(f.window->list->cellText(2, 8), QStringLiteral("400"));
    }

    void restoreBringsBackSavedMarks() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(2)));
        f.generals().marks(1).marks[0] = QStringLiteral("甲");
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        f.generals().marks(1).marks[0] = QStringLiteral("乙");
        f.generals().marks(2).marks[0] = QStringLiteral("丙");
        messages.queueAnswer(MessageAnswer::No);
        f.window->cmdBack->click();
        QCOMPARE(f.generals().marks(1).marks[0], QStringLiteral("乙"));
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdBack->click();
        QCOMPARE(f.generals().marks(1).marks[0], QStringLiteral("甲"));
        QVERIFY(f.generals().marks(2).isEmpty());
        QCOMPARE(f.generals().marks(2).name, GetPersonName(f.generals().record(2)));
    }

    void clearSkillsKeepsRaisedIntelligence() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        f.press(3);
        f.release(3);
        f.generals().record(1).setAbility(2, 40);
        SetSkill(f.generals().record(1), Skill::gunshi, true);
        const qint16 raised = f.generals().record(1).ability(2);
        SetSkill(f.generals().record(3), 0, true);
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdTokugiClear->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("2名の特技をすべて消しますか？"));
        for (int i = 0; i < kSkillByteCount; ++i) {
            QCOMPARE(f.generals().record(1).skillByte(i), quint8(0));
        }
        QCOMPARE(f.generals().record(1).ability(2), raised);
        QVERIFY(GetSkill(f.generals().record(3), 0));  // not ticked
    }

    void commandsWithNoTickedRowDoNothing() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(2)));
        f.window->cmdAll->click();
        f.window->fraMenu->setEnabled(true);  // the buttons themselves must still refuse
        bool dialogShown = false;
        WhenModalAppears(
            [&dialogShown](QWidget* modal) {
                dialogShown = true;
                modal->close();
            },
            5);
        for (QPushButton* button : f.window->fraMenu->findChildren<QPushButton*>()) {
            button->click();
        }
        QTest::qWait(100);
        QVERIFY(!dialogShown);
        QVERIFY(messages.shown().isEmpty());
    }

    void narrowWindowKeepsTheListSize() {
        RecordedMessages messages;
        MainWindowFixture f;
        // The test's screen is smaller than the window, which opens fitted to it.
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.window->resize(Twips(14730), Twips(10410));
        const QSize tracked = f.window->list->size();
        QCOMPARE(tracked.width(), Twips(f.window->frameGeometry().width() * 15 - 2400 - 200));
        f.window->resize(Twips(12000), f.window->height());
        QCOMPARE(f.window->list->size(), tracked);
        f.window->resize(Twips(17000), Twips(12000));
        QCOMPARE(f.window->list->width(), Twips(f.window->frameGeometry().width() * 15 - 2600));
        QCOMPARE(f.window->labPath->width(), f.window->list->width());
    }

  private:
    static QByteArray EncodedHex(const QString& text) {
        QByteArray bytes;
        EncodeCp932(text, &bytes);
        return bytes.toHex();
    }
};

DROVANTEL_TEST(MainWindowTest);
#include "test_mainwindow.moc"
