// A main window over a temporary data folder holding copies of the shipped data files, and
// person files made on the spot.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaObject>
#include <QTest>

#include <memory>

#include "main/mainwindow.h"
#include "model/personfiledocument.h"
#include "model/programdata.h"
#include "model/roster.h"
#include "platform/codepage.h"
#include "support/emptyworkingfolder.h"
#include "support/modal.h"
#include "support/openfiledialog.h"
#include "support/tempdatafolder.h"

inline QByteArray MakeRecord(const QString& family, const QString& given, int seed) {
    PersonRecord record;
    QByteArray bytes;
    EncodeCp932(family, &bytes);
    std::copy(bytes.begin(), bytes.end(), record.bytes().begin() + kFamilyNameOffset);
    EncodeCp932(given, &bytes);
    std::copy(bytes.begin(), bytes.end(), record.bytes().begin() + kGivenNameOffset);
    record.bytes()[0] = static_cast<std::uint8_t>(seed);
    record.setBirthYear(static_cast<qint16>(180 + seed));
    record.setLinkedYear(static_cast<qint16>(196 + seed));
    record.setFame(static_cast<qint16>(100 + seed));
    for (int i = 0; i < kAbilityCount; ++i) {
        record.setAbility(i, static_cast<qint16>(40 + seed + i));
    }
    return QByteArray(reinterpret_cast<const char*>(record.bytes().data()), kRecordSize);
}

// A header, count records named 武将1.. and, when wanted, an end marker and a trailing record.
inline QByteArray MakePersonFile(int count, bool endMarker = false) {
    QByteArray file("\x01\x02\x03\x04", 4);
    for (int i = 1; i <= count; ++i) {
        file += MakeRecord(QStringLiteral("武将"), QString::number(i), i);
    }
    if (endMarker) {
        file += QByteArray(4, '\xFF') + QByteArray(kRecordSize - 4, '\x11');
        file += MakeRecord(QStringLiteral("後"), QStringLiteral("ろ"), 99);
    }
    return file;
}

class MainWindowFixture {
  public:
    MainWindowFixture() {
        const QDir shipped(QCoreApplication::applicationDirPath());
        for (const QString& name : shipped.entryList({QStringLiteral("*.csv")}, QDir::Files)) {
            QFile::copy(shipped.filePath(name), data.path(name));
        }
        window = std::make_unique<MainWindow>(program);
        window->show();
    }

    // Presses cmdOpen and answers the open-file dialog with path, or cancels it.
    void open(const QString& path) {
        AnswerOpenFileDialog(path);
        window->cmdOpen->click();
    }
    void cancelOpen() { open(QString()); }

    // The open file's generals, as the window's document holds them.
    OpenGenerals& generals() const { return window->document()->generals(); }

    // A person file in the data folder.
    QString writePersonFile(const QString& name, const QByteArray& bytes) const {
        data.write(name, bytes);
        return data.path(name);
    }

    QPoint rowPoint(int position) const {
        return window->list->visualRect(window->list->rowIndex(position)).center();
    }
    void press(int position) {
        QTest::mousePress(window->list->viewport(), Qt::LeftButton, {}, rowPoint(position));
    }
    void moveTo(int position) {
        QMouseEvent move(QEvent::MouseMove, rowPoint(position),
                         window->list->viewport()->mapToGlobal(rowPoint(position)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->list->viewport(), &move);
    }
    void release(int position) {
        QTest::mouseRelease(window->list->viewport(), Qt::LeftButton, {}, rowPoint(position));
    }
    QList<bool> ticks() const {
        QList<bool> result;
        for (int i = 1; i <= window->list->rowCount(); ++i) {
            result.append(window->list->isTicked(i));
        }
        return result;
    }

    EmptyWorkingFolder workingFolder;
    TempDataFolder data;
    ProgramData program;
    std::unique_ptr<MainWindow> window;
};
