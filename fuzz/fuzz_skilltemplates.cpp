// LoadSkillTemplates over any Tokugi.csv.
#include "templatefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTemplateFile(QStringLiteral("Tokugi.csv"), data, size, skillTemplates, LoadSkillTemplates,
                     SaveSkillTemplates);
    return 0;
}
