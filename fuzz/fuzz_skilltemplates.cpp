// The Tokugi.csv loader over any file.
#include "templatefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTemplateFile<SkillTemplate>(QStringLiteral("Tokugi.csv"), data, size);
    return 0;
}
