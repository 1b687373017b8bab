// Enter presses a button only while that button has the focus, in every window the main window
// opens; anywhere else it changes nothing, down to the saved file.
#include <QAbstractButton>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <functional>

#include "dialogs/affinitydialog.h"
#include "mainwindowfixture.h"
#include "platform/messages.h"
#include "support/enterkey.h"
#include "support/readfile.h"
#include "support/testregistry.h"

namespace {

// Runs action on the next modal window of type Window, once it is active.
template <typename Window>
void WhenActive(std::function<void(Window*)> action, int attemptsLeft = 300) {
    QTimer::singleShot(10, [action = std::move(action), attemptsLeft]() mutable {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window != nullptr && window->isActiveWindow()) {
            action(window);
        } else if (attemptsLeft > 0) {
            WhenActive<Window>(std::move(action), attemptsLeft - 1);
        }
    });
}

// Some input first: every check box, option and toggle button is pressed once, which also
// shows the frames they govern.
void TickEverything(QWidget* window) {
    for (QWidget* control : FocusableControls(window)) {
        if (auto* box = qobject_cast<QAbstractButton*>(control); box != nullptr) {
            box->click();
        }
    }
}

// Enter at the chooser's controls keeps it open; Enter on its focused ｷｬﾝｾﾙ closes it.
QString SweepChooser(GeneralChooser* chooser) {
    if (QApplication::focusWidget() != chooser->list) {
        return QStringLiteral("chooser opened without the focus on its list");
    }
    PressEnter();
    if (!chooser->isVisible()) {
        return QStringLiteral("chooser closed at opening");
    }
    chooser->list->setCurrentIndex(chooser->list->rowIndex(1));
    const QString closedAt = EnterClosesWindowAt(chooser, chooser->cmdCancel);
    if (!closedAt.isEmpty()) {
        return QStringLiteral("chooser closed at ") + closedAt;
    }
    chooser->cmdCancel->setFocus(Qt::TabFocusReason);
    PressEnterKey(Qt::Key_Return);
    return chooser->isVisible() ? QStringLiteral("chooser's focused ｷｬﾝｾﾙ not pressed") : QString();
}

// The affinity editor's 選択 opens the chooser when Enter falls on it while it has the focus.
QString SweepChooserFrom(AffinityDialog* editor) {
    QString outcome = QStringLiteral("chooser not shown");
    WhenActive<GeneralChooser>([&outcome](GeneralChooser* chooser) {
        outcome = SweepChooser(chooser);
        chooser->hide();  // whatever happened, the editor gets control back
    });
    editor->cmdKojin->setFocus(Qt::TabFocusReason);
    PressEnterKey(Qt::Key_Return);
    return outcome;
}

QString SweepEditor(QDialog* editor) {
    if (QApplication::focusWidget() != editor->findChild<QWidget*>(QStringLiteral("list"))) {
        return QStringLiteral("opened without the focus on its target list");
    }
    PressEnter();
    if (!editor->isVisible()) {
        return QStringLiteral("closed at opening");
    }
    TickEverything(editor);
    auto* ok = editor->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    const QString closedAt = EnterClosesWindowAt(editor, ok);
    if (!closedAt.isEmpty()) {
        return QStringLiteral("closed at ") + closedAt;
    }
    if (auto* affinity = qobject_cast<AffinityDialog*>(editor); affinity != nullptr) {
        const QString chooser = SweepChooserFrom(affinity);
        if (!chooser.isEmpty()) {
            return chooser;
        }
        // A window system gives the editor back the activation when the chooser hides; the
        // offscreen one leaves it with the hidden chooser.
        editor->activateWindow();
        if (!QTest::qWaitFor(
                [editor] { return QGuiApplication::focusWindow() == editor->windowHandle(); })) {
            return QStringLiteral("not active again after the chooser");
        }
    }
    editor->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->setFocus(Qt::TabFocusReason);
    PressEnterKey(Qt::Key_Enter);
    if (editor->isVisible() || editor->result() != QDialog::Rejected) {
        return QStringLiteral("focused ｷｬﾝｾﾙ not pressed");
    }
    return QString();
}

}  // namespace

class EnterKeyTest : public QObject {
    Q_OBJECT

  private slots:
    void enterInAnEditorChangesNothing_data() {
        QTest::addColumn<QString>("command");
        for (const char* name : {"cmdTanjo", "cmdMeisei", "cmdCapaAll", "cmdSeikaku", "cmdAisyo",
                                 "cmdTokugi", "cmdMark"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void enterInAnEditorChangesNothing() {
        QFETCH(QString, command);
        RecordedMessages messages;
        MainWindowFixture f;
        const QByteArray original = MakePersonFile(6);
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), original);
        f.open(path);
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        const Roster before = f.generals().records();

        QString outcome = QStringLiteral("not shown");
        WhenActive<QDialog>([&outcome](QDialog* editor) {
            outcome = SweepEditor(editor);
            editor->hide();  // whatever happened, the test goes on
        });
        f.window->findChild<QPushButton*>(command)->click();
        QCOMPARE(outcome, QString());

        for (int n = 1; n <= f.generals().count(); ++n) {
            QVERIFY(f.generals().record(n).bytes() == before[n].bytes());
        }
        messages.queueAnswer(MessageAnswer::Yes);
        f.window->cmdSave->click();
        QCOMPARE(ReadFile(path), original);
    }

    void enterPressesOnlyTheFocusedButtonOfTheMainWindow() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->cmdAll->setFocus(Qt::TabFocusReason);
        PressEnterKey(Qt::Key_Return);
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/3"));
        QCOMPARE(EnterClosesWindowAt(f.window.get(), f.window->cmdAll), QString());
        QCOMPARE(f.window->labCount->text(), QStringLiteral("0/3"));
        QVERIFY(messages.shown().isEmpty());
    }
};

DROVANTEL_TEST(EnterKeyTest);

#include "test_enterkey.moc"
