// The person file library against real files, called the way the editor calls it.
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>

#include "platform/messages.h"
#include "platform/personfilelibrary.h"
#include "support/testregistry.h"

namespace PFL = PersonFileLibrary;

namespace {

constexpr int kHeader = 4;
constexpr int kRecord = 260;

// A record whose bytes all tell which record it is and which byte it is.
QByteArray numberedRecord(int number) {
    QByteArray record(kRecord, '\0');
    for (int i = 0; i < kRecord; ++i) {
        record[i] = static_cast<char>((number * 7 + i) & 0xFF);
    }
    // Keep the lead word clear of the end marker whatever the number.
    record[0] = static_cast<char>(number);
    record[1] = 0;
    return record;
}

QByteArray endMarker() {
    QByteArray record = numberedRecord(200);
    record[0] = record[1] = record[2] = record[3] = static_cast<char>(0xFF);
    return record;
}

QByteArray personFile(int records, const QByteArray& header = QByteArrayLiteral("HDR!")) {
    QByteArray file = header;
    for (int i = 0; i < records; ++i) {
        file += numberedRecord(i);
    }
    return file;
}

RecordBytes toRecordBytes(const QByteArray& bytes) {
    RecordBytes record{};
    std::memcpy(record.data(), bytes.constData(), kRecord);
    return record;
}

QByteArray fromRecordBytes(const RecordBytes& record) {
    return QByteArray(reinterpret_cast<const char*>(record.data()), kRecord);
}

QByteArray slot(int index) {
    RecordBytes record{};
    if (PFL::readPerson(&record, index) != 0) {
        return {};
    }
    return fromRecordBytes(record);
}

QByteArray recordAt(const QByteArray& file, int index) {
    return file.mid(kHeader + kRecord * index, kRecord);
}

}  // namespace

class PersonFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size()) {
            qFatal("cannot write test file");
        }
        return path;
    }
    QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Changes every byte of the given slots except the lead word, through the library.
    void changeSlots(int from, int to) {
        for (int i = from; i < to; ++i) {
            QByteArray record = slot(i);
            for (int b = 4; b < kRecord; ++b) {
                record[b] = static_cast<char>(~record[b]);
            }
            QCOMPARE(PFL::writePerson(toRecordBytes(record), i), 0);
        }
    }

  private slots:
    void allSixExportsResolveByName() {
        QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                         PFL::libraryFileName());
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        for (const char* name : {"Vrx_OpenFileDialog", "Vrx_Test", "Vrx_ReadPersonFile",
                                 "Vrx_WritePersonFile", "Vrx_ReadPerson", "Vrx_WritePerson"}) {
            QVERIFY2(library.resolve(name) != nullptr, name);
        }
        auto test = reinterpret_cast<int (*)(int)>(library.resolve("Vrx_Test"));
        QCOMPARE(test(-12345), -12345);
    }

    void readsWholeRecordsAndKeepsTheRestOnSave() {
        const QByteArray original = personFile(3) + QByteArray(100, 'T');
        const QString path = write(QStringLiteral("partial.vrx"), original);
        QCOMPARE(PFL::readPersonFile(path), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(slot(i), numberedRecord(i));
        }

        changeSlots(0, 3);
        QCOMPARE(PFL::writePersonFile(path), 0);
        const QByteArray saved = read(path);
        QCOMPARE(saved.size(), original.size());
        QCOMPARE(saved.left(kHeader), original.left(kHeader));
        QCOMPARE(saved.right(100), original.right(100));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(recordAt(saved, i), slot(i));
            QVERIFY(recordAt(saved, i) != recordAt(original, i));
        }
    }

    void endMarkerEndsTheList_data() {
        QTest::addColumn<int>("k");
        QTest::newRow("first record") << 0;
        QTest::newRow("third record") << 2;
        QTest::newRow("last possible") << 109;
    }
    void endMarkerEndsTheList() {
        QFETCH(int, k);
        QByteArray original =
            personFile(k) + endMarker() + numberedRecord(300) + numberedRecord(301);
        const QString path = write(QStringLiteral("marker.vrx"), original);
        QCOMPARE(PFL::readPersonFile(path), k);

        // Slots at and behind the marker may change in the buffer; only k records are written.
        changeSlots(0, qMin(k + 3, 110));
        QCOMPARE(PFL::writePersonFile(path), 0);
        const QByteArray saved = read(path);
        QCOMPARE(saved.size(), original.size());
        for (int i = 0; i < k; ++i) {
            QCOMPARE(recordAt(saved, i), slot(i));
        }
        QCOMPARE(saved.mid(kHeader + kRecord * k), original.mid(kHeader + kRecord * k));
        QCOMPARE(saved.left(kHeader), original.left(kHeader));
    }

    void headerIsNeverReadNorWritten() {
        // A header that looks like an end marker is still just a header.
        const QByteArray original = personFile(2, QByteArray(4, static_cast<char>(0xFF)));
        const QString path = write(QStringLiteral("header.vrx"), original);
        QCOMPARE(PFL::readPersonFile(path), 2);
        QCOMPARE(slot(0), numberedRecord(0));
        changeSlots(0, 2);
        QCOMPARE(PFL::writePersonFile(path), 0);
        QCOMPARE(read(path).left(kHeader), original.left(kHeader));
    }

    void atMost110RecordsAreReadAndWritten() {
        const QByteArray original = personFile(130);
        const QString path = write(QStringLiteral("many.vrx"), original);
        QCOMPARE(PFL::readPersonFile(path), 110);
        QCOMPARE(slot(109), numberedRecord(109));

        changeSlots(0, 110);
        QCOMPARE(PFL::writePersonFile(path), 0);
        const QByteArray saved = read(path);
        QCOMPARE(saved.size(), original.size());
        QCOMPARE(recordAt(saved, 109), slot(109));
        QVERIFY(recordAt(saved, 109) != recordAt(original, 109));
        const int tail = kHeader + kRecord * 110;
        QCOMPARE(saved.mid(tail), original.mid(tail));
    }

    void unchangedRoundTripKeepsEveryByte() {
        // Random bytes stand for every kind of record content, reserved regions included.
        QByteArray original(kHeader + kRecord * 110, '\0');
        QRandomGenerator random(20240611);
        random.fillRange(reinterpret_cast<quint32*>(original.data()), original.size() / 4);
        const QString path = write(QStringLiteral("random.vrx"), original);
        QCOMPARE(PFL::readPersonFile(path), 110);
        for (int i = 0; i < 110; ++i) {
            QCOMPARE(slot(i), recordAt(original, i));
        }
        // What the editor does on a save: every record handed back as it came, then the file.
        for (int i = 0; i < 110; ++i) {
            QCOMPARE(PFL::writePerson(toRecordBytes(slot(i)), i), 0);
        }
        QCOMPARE(PFL::writePersonFile(path), 0);
        QCOMPARE(read(path), original);
    }

    void oddFilesReadSafely_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("3 bytes") << QByteArrayLiteral("abc") << 0;
        QTest::newRow("header only") << QByteArrayLiteral("abcd") << 0;
        QTest::newRow("header and 259 bytes") << QByteArray(kHeader + kRecord - 1, 'x') << 0;
        QByteArray big(10 * 1024 * 1024, '\0');
        QRandomGenerator random(77);
        random.fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QTest::newRow("10 MB random") << big << 110;
    }
    void oddFilesReadSafely() {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        const QString path = write(QStringLiteral("odd.vrx"), content);
        QCOMPARE(PFL::readPersonFile(path), count);
        // A save of an unchanged file changes none of its bytes and never its length.
        QCOMPARE(PFL::writePersonFile(path), 0);
        QCOMPARE(read(path), content);
    }

    void failingReadKeepsCountAndBuffer() {
        const QString path = write(QStringLiteral("three.vrx"), personFile(3));
        QCOMPARE(PFL::readPersonFile(path), 3);
        const QByteArray first = slot(0);

        QCOMPARE(PFL::readPersonFile(dir_.filePath(QStringLiteral("missing.vrx"))), -2);
        QCOMPARE(PFL::readPersonFile(dir_.path()), -2);  // a folder is no person file
        QCOMPARE(slot(0), first);

        // The count of the last good read still decides how much a save writes.
        const QByteArray target(kHeader + kRecord * 5, 'z');
        const QString other = write(QStringLiteral("other.vrx"), target);
        QCOMPARE(PFL::writePersonFile(other), 0);
        const QByteArray saved = read(other);
        QCOMPARE(saved.left(kHeader + kRecord * 3),
                 QByteArray("zzzz") + personFile(3).mid(kHeader));
        QCOMPARE(saved.mid(kHeader + kRecord * 3), target.mid(kHeader + kRecord * 3));
    }

    void saveNeedsAnExistingWritableFile() {
        QCOMPARE(PFL::readPersonFile(write(QStringLiteral("two.vrx"), personFile(2))), 2);
        const QString missing = dir_.filePath(QStringLiteral("missing.vrx"));
        QCOMPARE(PFL::writePersonFile(missing), -2);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(PFL::writePersonFile(dir_.filePath(QStringLiteral("no/such/folder.vrx"))), -2);
        QCOMPARE(PFL::writePersonFile(dir_.path()), -2);
    }

    void readOnlyFileCannotBeSaved() {
        QCOMPARE(PFL::readPersonFile(write(QStringLiteral("two.vrx"), personFile(2))), 2);
        if (::geteuid() == 0) {
            QSKIP("root may write to read-only files");
        }
        const QString locked = write(QStringLiteral("locked.vrx"), personFile(2));
        QFile::setPermissions(locked, QFile::ReadOwner);
        QCOMPARE(PFL::writePersonFile(locked), -2);
    }

    void writeThatDoesNotFitIsAShortWrite() {
        QCOMPARE(PFL::readPersonFile(write(QStringLiteral("three.vrx"), personFile(3))), 3);
        const QString target = write(QStringLiteral("small.vrx"), QByteArrayLiteral("HDR!"));
        // Let the file grow by one record only: the stream's flush then fails part way.
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = kHeader + kRecord;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const std::optional<int> result = PFL::writePersonFile(target);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QCOMPARE(result, -3);
    }

    void indexesOutsideTheBufferCopyNothing() {
        QCOMPARE(PFL::readPersonFile(write(QStringLiteral("full.vrx"), personFile(110))), 110);
        RecordBytes record;
        record.fill(0xAA);
        for (int index : {-1, 110, 1000, INT_MIN}) {
            QCOMPARE(PFL::readPerson(&record, index), -1);
            QCOMPARE(PFL::writePerson(record, index), -1);
        }
        RecordBytes untouched;
        untouched.fill(0xAA);
        QCOMPARE(record, untouched);
        QCOMPARE(slot(0), numberedRecord(0));
        QCOMPARE(slot(109), numberedRecord(109));
    }

    void missingLibraryIsReportedAndTheCallAbandoned() {
        RecordedMessages messages;
        PFL::useLibraryBaseName(QStringLiteral("DrovantelAbsent"));
        QCOMPARE(PFL::readPersonFile(dir_.filePath(QStringLiteral("any.vrx"))), std::nullopt);
        RecordBytes record{};
        QCOMPARE(PFL::readPerson(&record, 0), std::nullopt);
        PFL::useLibraryBaseName(QString());

        QCOMPARE(messages.shown().size(), 2);
        for (const ShownMessage& message : messages.shown()) {
            QCOMPARE(message.icon, MessageIcon::Critical);
            QVERIFY2(message.text.contains(QStringLiteral("libDrovantelAbsent.so")),
                     qPrintable(message.text));
        }
        // The usual library answers again once it is back.
        QCOMPARE(PFL::readPersonFile(write(QStringLiteral("one.vrx"), personFile(1))), 1);
        QCOMPARE(messages.shown().size(), 2);
    }
};

DROVANTEL_TEST(PersonFileTest);

#include "test_personfile.moc"
