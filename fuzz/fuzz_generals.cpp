// LoadGenerals over any General.csv: the table stays within its bounds, its rows are padded
// to their widths, a failure is reported once, and every affinity value can be looked up.
#include "fuzzsupport.h"
#include "model/generals.h"
#include "platform/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzDataFolder folder;
    folder.reset(QStringLiteral("General.csv"), data, size);

    RecordedMessages messages;
    LoadGenerals();
    FUZZ_CHECK(messages.shown().size() <= 1);
    FUZZ_CHECK(generalCount >= 0 && generalCount <= kMaxGenerals);
    FUZZ_CHECK(generals.size() == generalCount + 1);
    // A file without a single row is a failure too.
    FUZZ_CHECK(generalCount > 0 || messages.shown().size() == 1);
    for (int row = 1; row <= generalCount; ++row) {
        const GeneralRecord& general = generals.at(row);
        FUZZ_CHECK(general.familyName.size() == 5);
        FUZZ_CHECK(general.givenName.size() == 5);
        FUZZ_CHECK(general.reading.size() == 11);
        FUZZ_CHECK(GetGeneralName(row).size() <= 10);
    }
    // A row named with nothing but spaces has an empty display name, so only the bounds of
    // the lookup are checked here.
    for (int which = 0; which < 2; ++which) {
        for (int value = -1; value <= 256; ++value) {
            FUZZ_CHECK(AffinityRepresentative(value, which).size() <= 10);
        }
    }
    return 0;
}
