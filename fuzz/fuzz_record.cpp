// Record decoding and display names: any 260 bytes make a record whose names decode, whose
// coded fields have labels, and which keeps its bytes unchanged.
#include <cstring>

#include "fuzzsupport.h"
#include "model/personrecord.h"
#include "model/roster.h"
#include "platform/codepage.h"
#include "platform/widthconvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordBytes bytes{};
    std::memcpy(bytes.data(), data, std::min<size_t>(size, bytes.size()));

    const PersonRecord record(bytes);
    // Each text byte makes at most one character.
    FUZZ_CHECK(record.familyName().size() <= 5);
    FUZZ_CHECK(record.givenName().size() <= 5);
    FUZZ_CHECK(record.reading().size() <= 11);
    const QString name = GetPersonName(record);
    FUZZ_CHECK(name.size() <= 10);
    FUZZ_CHECK(!name.contains(QChar(0)));
    (void)ToHalfWidth(record.reading());

    for (int field = 0; field < kSettingCount; ++field) {
        const auto setting = static_cast<Setting>(field);
        FUZZ_CHECK(!SettingLabel(setting, record.setting(setting)).isEmpty());
    }
    for (int skill = 0; skill < kSkillCount; ++skill) {
        (void)GetSkill(record, skill);
    }
    FUZZ_CHECK(record.bytes() == bytes);

    // The rest of the input, as free text of a data file.
    if (size > bytes.size()) {
        const QByteArrayView rest(data + bytes.size(), size - bytes.size());
        const QString text = DecodeCp932(rest);
        // Whatever was read can be written, and reads back as the same text.
        QByteArray encoded;
        FUZZ_CHECK(EncodeCp932(text, &encoded));
        FUZZ_CHECK(DecodeCp932(encoded) == text);
        (void)ToHalfWidth(text);
    }
    return 0;
}
