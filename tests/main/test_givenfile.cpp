// A person file given to the program (its command line) or dropped on the window opens as the
// one chosen in the open dialog does.
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "mainwindowfixture.h"
#include "platform/messages.h"
#include "support/testregistry.h"

class GivenFileTest : public QObject {
    Q_OBJECT
  private slots:
    void givenAndDroppedFilesOpen() {
        RecordedMessages messages;
        MainWindowFixture f;
        const QString given = f.writePersonFile(QStringLiteral("b.vrx"), MakePersonFile(3));
        f.window->openGivenFile(given);
        QCOMPARE(f.window->personFilePath(), given);
        QCOMPARE(f.window->list->rowCount(), 3);
        QVERIFY(messages.texts().isEmpty());

        // A file that cannot be read, dropped: the dialog's message.
        const QString missing = f.data.path(QStringLiteral("none.vrx"));
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(missing)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QCoreApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QCoreApplication::sendEvent(f.window.get(), &drop);
        QTRY_COMPARE(messages.texts(),
                     QStringList{missing + QStringLiteral(" を読み込めませんでした。")});
        QCOMPARE(f.window->personFilePath(), missing);
    }
};

DROVANTEL_TEST(GivenFileTest);
#include "test_givenfile.moc"
