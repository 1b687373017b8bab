// The program's icon, read from its file on first use, draws as the file itself does.
#include <QIcon>
#include <QImage>
#include <QTest>

#include "main/deferredicon.h"
#include "support/testregistry.h"

class DeferredIconTest : public QObject {
    Q_OBJECT
  private slots:
    void drawsAsItsFile() {
        const QString file = QStringLiteral(":/icons/drovantel.svg");
        const QIcon deferred = DeferredIcon(file);
        const QIcon direct(file);
        if (direct.pixmap(16, 16).isNull()) {
            QSKIP("no SVG icon engine here (the Windows program shows its file's icon instead)");
        }
        QVERIFY(!deferred.isNull());
        for (const int side : {16, 32, 48, 256}) {
            const QImage drawn = deferred.pixmap(side, side).toImage();
            QVERIFY(!drawn.isNull());
            QCOMPARE(drawn, direct.pixmap(side, side).toImage());
        }
    }
};

DROVANTEL_TEST(DeferredIconTest);

#include "test_deferredicon.moc"
