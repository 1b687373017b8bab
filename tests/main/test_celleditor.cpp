// A cell edited in place from the list: a double click opens it and leaves the tick as it was,
// Return applies one step named after the column, Escape cancels, names stay read-only.
#include <QAction>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "mainwindowfixture.h"
#include "model/edithistory.h"
#include "platform/messages.h"
#include "support/testregistry.h"

class CellEditorTest : public QObject {
    Q_OBJECT

    static QWidget* doubleClickCell(MainWindowFixture& f, int position, int column) {
        QWidget* viewport = f.window->list->viewport();
        const QPoint point =
            f.window->list->visualRect(f.window->list->rowIndex(position, column)).center();
        // As the window system delivers it: the second press comes as the double click.
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool held = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, point, viewport->mapToGlobal(point), Qt::LeftButton,
                              held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
        }
        QCoreApplication::processEvents();
        for (QWidget* editor : viewport->findChildren<QWidget*>(QStringLiteral("cellEditor"))) {
            if (editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }

  private slots:
    void aCellIsEditedInPlace() {
        RecordedMessages messages;
        MainWindowFixture f;
        f.open(f.writePersonFile(QStringLiteral("a.vrx"), MakePersonFile(3)));
        const QList<bool> ticks = f.ticks();
        const int column = kFirstAbilityColumn + 1;  // 武力

        auto* box = qobject_cast<QSpinBox*>(doubleClickCell(f, 2, column));
        QVERIFY(box != nullptr);
        QCOMPARE(f.ticks(), ticks);
        QCOMPARE(box->maximum(), 100);
        box->setValue(88);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.generals().record(f.window->list->rowTag(2)).ability(1), qint16(88));
        QCOMPARE(f.window->list->cellText(2, column), QStringLiteral("88"));
        QCOMPARE(f.window->undoAction->text(), QStringLiteral("取り消し: 武力を変更"));

        f.window->chkMark->click();
        auto* mark = qobject_cast<QLineEdit*>(doubleClickCell(f, 1, kFirstMarkColumn));
        QVERIFY(mark != nullptr);
        mark->setText(QStringLiteral("先鋒"));
        QTest::keyClick(mark, Qt::Key_Escape);
        QVERIFY(f.generals().marks(f.window->list->rowTag(1)).marks[0].isEmpty());
        QCOMPARE(f.window->history()->count(), 1);

        QVERIFY(doubleClickCell(f, 1, 0) == nullptr);  // the name
        f.window->undoAction->trigger();
        QCOMPARE(f.window->list->cellText(2, column), QStringLiteral("43"));  // as made
    }
};

DROVANTEL_TEST(CellEditorTest);
#include "test_celleditor.moc"
