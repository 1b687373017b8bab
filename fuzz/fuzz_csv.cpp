// The comma-separated reader. The first bytes of the input choose which kind of field to read
// next, the rest is the file. Every text and integer that reads must read back the same after
// the writer has written it, and a reader that failed must stay failed.
#include <QByteArray>

#include "fuzzsupport.h"
#include "model/csv.h"
#include "platform/codepage.h"

namespace {

constexpr size_t kPlanSize = 16;

void checkTextRoundTrip(const QString& text) {
    // A double quote can't be written inside a quoted text item; the format has no escape.
    if (text.contains(QLatin1Char('"')) || !FitsCp932(text)) {
        return;
    }
    CsvWriter writer;
    writer.text(text);
    writer.integer(7);
    writer.endLine();
    FUZZ_CHECK(writer.ok());
    CsvReader reader(writer.bytes());
    QString back;
    qint64 seven = 0;
    FUZZ_CHECK(reader.readText(&back));
    FUZZ_CHECK(back == text);
    FUZZ_CHECK(reader.readInt(0, 10, &seven) && seven == 7);
    FUZZ_CHECK(reader.atEnd());
}

void checkIntegerRoundTrip(qint64 value) {
    CsvWriter writer;
    writer.integer(value);
    writer.boolean(value % 2 == 0);
    writer.endLine();
    CsvReader reader(writer.bytes());
    qint64 back = 0;
    bool even = false;
    FUZZ_CHECK(reader.readInt(value, value, &back) && back == value);
    FUZZ_CHECK(reader.readBool(&even) && even == (value % 2 == 0));
    FUZZ_CHECK(reader.atEnd());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t planSize = std::min(size, kPlanSize);
    CsvReader reader(QByteArray(reinterpret_cast<const char*>(data + planSize),
                                static_cast<qsizetype>(size - planSize)));
    for (size_t step = 0; step < 64; ++step) {
        const uint8_t choice =
            planSize == 0 ? 0 : data[step % planSize] >> (step / planSize % 4 * 2);
        const bool wasFailed = reader.failed();
        const qsizetype remaining = reader.remainingBytes();
        bool ok = false;
        switch (choice % 6) {
            case 0: {
                QString text;
                ok = reader.readText(&text);
                if (ok) {
                    checkTextRoundTrip(text);
                }
                break;
            }
            case 1: {
                qint64 value = 0;
                ok = reader.readInt(-1000, 1000, &value);
                FUZZ_CHECK(!ok || (value >= -1000 && value <= 1000));
                if (ok) {
                    checkIntegerRoundTrip(value);
                }
                break;
            }
            case 2: {
                qint16 value = 0;
                ok = reader.readInt16(&value);
                if (ok) {
                    checkIntegerRoundTrip(value);
                }
                break;
            }
            case 3: {
                bool value = false;
                ok = reader.readBool(&value);
                break;
            }
            case 4:
                ok = reader.skipField();
                break;
            default: {
                int count = 0;
                ok = reader.readCount(1, 1 + choice % 7, &count);
                // No count may announce more entries than the rest of the file can hold.
                FUZZ_CHECK(!ok || (count >= 1 && count <= remaining + 1));
                break;
            }
        }
        FUZZ_CHECK(!(wasFailed && ok));
        FUZZ_CHECK(ok != reader.failed());
        FUZZ_CHECK(reader.remainingBytes() <= remaining);
        if (reader.failed()) {
            break;
        }
    }
    return 0;
}
