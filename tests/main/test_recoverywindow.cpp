// The window asks at open about changes a lost window left unsaved: yes (Return) puts them back as
// the step 復元, no opens the file as it is and keeps them for later.
#include <QAction>
#include <QTest>

#include "mainwindowfixture.h"
#include "model/edithistory.h"
#include "model/recoveryfile.h"
#include "platform/messages.h"
#include "support/testregistry.h"

class RecoveryWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void theOpenAsksAboutUnsavedChanges_data() {
        QTest::addColumn<bool>("restored");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void theOpenAsksAboutUnsavedChanges() {
        QFETCH(bool, restored);
        RecordedMessages messages;
        MainWindowFixture f;
        const QString path = f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(4));
        f.open(path);
        f.window->document()->recordEdit(QStringLiteral("能力値"), [](OpenGenerals& generals) {
            generals.record(3).setAbility(1, 88);
        });
        f.window.reset();  // lost without closing

        f.window = std::make_unique<MainWindow>(f.program);
        f.window->show();
        messages.queueAnswer(restored ? MessageAnswer::Yes : MessageAnswer::No);
        f.open(path);
        QCOMPARE(messages.shown().size(), 1);
        const ShownMessage& asked = messages.shown().first();
        QCOMPARE(asked.text, QStringLiteral("前回保存されなかった変更があります。復元しますか？"));
        QCOMPARE(asked.icon, MessageIcon::Question);
        QCOMPARE(asked.defaultAnswer, MessageAnswer::Yes);
        QCOMPARE(f.generals().record(3).ability(1) == 88, restored);
        QCOMPARE(f.window->hasUnsavedChanges(), restored);
        QCOMPARE(f.window->undoAction->text(),
                 restored ? QStringLiteral("取り消し: 復元") : QStringLiteral("取り消し"));
        QVERIFY(QFile::exists(RecoveryFilePath(path)));
    }
};

DROVANTEL_TEST(RecoveryWindowTest);
#include "test_recoverywindow.moc"
