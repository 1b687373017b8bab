// The Capa.csv loader over any file.
#include "templatefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTemplateFile<AbilityTemplate>(QStringLiteral("Capa.csv"), data, size);
    return 0;
}
