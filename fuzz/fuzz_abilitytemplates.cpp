// LoadAbilityTemplates over any Capa.csv.
#include "templatefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTemplateFile(QStringLiteral("Capa.csv"), data, size, abilityTemplates, LoadAbilityTemplates,
                     SaveAbilityTemplates);
    return 0;
}
