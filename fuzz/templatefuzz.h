// One fuzz target per template file: the input is the template file. The list always has its
// "no template" entry 0; a file that loads without a failure saves and loads back to the same
// list.
#pragma once

#include "fuzzsupport.h"
#include "model/templates.h"

template <typename Entry>
void FuzzTemplateFile(const QString& fileName, const uint8_t* data, size_t size) {
    static const FuzzDataFolder folder;
    folder.reset(fileName, data, size);

    TemplateFile<Entry> file;
    const QList<DataFileError> errors = file.load();
    FUZZ_CHECK(!file.entries().isEmpty());
    FUZZ_CHECK(errors.size() <= 1);
    if (!errors.isEmpty()) {
        return;
    }
    for (const Entry& entry : file.entries()) {
        // The format can't carry a double quote inside a name.
        if (entry.name.contains(QLatin1Char('"'))) {
            return;
        }
    }
    const QList<Entry> loaded = file.entries();
    if (file.save()) {
        return;  // a name without a code page 932 form; the failure is told to the user
    }
    FUZZ_CHECK(file.load().isEmpty());
    FUZZ_CHECK(file.entries() == loaded);
}
