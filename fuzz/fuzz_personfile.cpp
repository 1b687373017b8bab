// The library's read-then-save of a person file: whatever the file holds, reading it, taking
// every record out and handing it back, then saving must leave every byte of the file as it
// was, and the record count must follow the container rules.
#include <QFile>

#include <cstring>

#include "drovantel.h"
#include "fuzzsupport.h"

namespace {

// The record count the container rules give for these bytes.
int expectedCount(const uint8_t* data, size_t size) {
    if (size < VRX_HEADER_SIZE) {
        return 0;
    }
    const size_t whole = (size - VRX_HEADER_SIZE) / VRX_RECORD_SIZE;
    int count = 0;
    while (count < VRX_MAX_RECORDS && static_cast<size_t>(count) < whole) {
        const uint8_t* record = data + VRX_HEADER_SIZE + count * VRX_RECORD_SIZE;
        static const uint8_t endMarker[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        if (std::memcmp(record, endMarker, 4) == 0) {
            break;
        }
        ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzDataFolder folder;
    folder.reset(QStringLiteral("TPERSON.VRX"), data, size);
    const QByteArray path = QFile::encodeName(folder.path(QStringLiteral("TPERSON.VRX")));

    const int count = Vrx_ReadPersonFile(path.constData());
    FUZZ_CHECK(count == expectedCount(data, size));

    unsigned char record[VRX_RECORD_SIZE];
    for (int slot = 0; slot < count; ++slot) {
        FUZZ_CHECK(Vrx_ReadPerson(record, slot) == 0);
        FUZZ_CHECK(std::memcmp(record, data + VRX_HEADER_SIZE + slot * VRX_RECORD_SIZE,
                               VRX_RECORD_SIZE) == 0);
        FUZZ_CHECK(Vrx_WritePerson(record, slot) == 0);
    }
    FUZZ_CHECK(Vrx_WritePersonFile(path.constData()) == 0);

    QFile file(folder.path(QStringLiteral("TPERSON.VRX")));
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    FUZZ_CHECK(after.size() == static_cast<qsizetype>(size));
    FUZZ_CHECK(size == 0 || std::memcmp(after.constData(), data, size) == 0);
    return 0;
}
