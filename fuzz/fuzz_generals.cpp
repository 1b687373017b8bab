// The General.csv loader over any file: the table stays within its bounds, its rows are padded
// to their widths, a file without a single row is a failure, and every affinity value can be
// looked up.
#include "fuzzsupport.h"
#include "model/datapaths.h"
#include "model/existinggenerals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzDataFolder folder;
    folder.reset(QStringLiteral("General.csv"), data, size);

    const ExistingGeneralsLoad load = LoadExistingGenerals(GeneralFilePath());
    const ExistingGenerals& generals = load.generals;
    FUZZ_CHECK(generals.count() >= 0 && generals.count() <= kMaxGenerals);
    FUZZ_CHECK(generals.count() > 0 || load.error.has_value());
    for (int row = 1; row <= generals.count(); ++row) {
        const GeneralRecord& general = generals.at(row);
        FUZZ_CHECK(general.familyName.size() == 5);
        FUZZ_CHECK(general.givenName.size() == 5);
        FUZZ_CHECK(generals.reading(row).size() == 11);
        FUZZ_CHECK(generals.name(row).size() <= 10);
    }
    // A row named with nothing but spaces has an empty display name, so only the bounds of
    // the lookup are checked here.
    for (int which = 0; which < 2; ++which) {
        for (int value = -1; value <= 256; ++value) {
            FUZZ_CHECK(generals.affinityRepresentative(value, which).size() <= 10);
        }
    }
    return 0;
}
