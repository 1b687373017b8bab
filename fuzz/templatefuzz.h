// One fuzz target per template loader: the input is the template file. The list always has
// its "no template" entry 0; a file that loads without a message saves and loads back to the
// same list.
#pragma once

#include "fuzzsupport.h"
#include "model/templates.h"
#include "platform/messages.h"

inline bool operator==(const SkillTemplate& a, const SkillTemplate& b) {
    return a.name == b.name && a.countA == b.countA && a.countB == b.countB &&
           a.candidates == b.candidates;
}

inline bool operator==(const AbilityTemplate& a, const AbilityTemplate& b) {
    return a.name == b.name && a.totalA == b.totalA && a.totalB == b.totalB &&
           a.valueA == b.valueA && a.valueB == b.valueB;
}

template <typename Entry>
void FuzzTemplateFile(const QString& fileName, const uint8_t* data, size_t size, QList<Entry>& list,
                      void (*load)(), bool (*save)()) {
    static const FuzzDataFolder folder;
    folder.reset(fileName, data, size);

    RecordedMessages messages;
    load();
    FUZZ_CHECK(!list.isEmpty());
    FUZZ_CHECK(messages.shown().size() <= 1);
    if (!messages.shown().isEmpty()) {
        return;
    }
    for (const Entry& entry : list) {
        // The format can't carry a double quote inside a name.
        if (entry.name.contains(QLatin1Char('"'))) {
            return;
        }
    }
    const QList<Entry> loaded = list;
    if (!save()) {
        return;  // a name without a code page 932 form; reported to the user
    }
    load();
    FUZZ_CHECK(messages.shown().isEmpty());
    FUZZ_CHECK(list == loaded);
}
