#include "markedit.h"

#include "../platform/codepage.h"

bool IsStorableMarkText(const QString& text) {
    return !text.contains(QLatin1Char('"')) && FitsCp932(text);
}

void ApplyMarkEdit(GeneralMarks& marks, const QList<int>& targets,
                   const MarkEditSettings& settings) {
    for (const int index : targets) {
        for (int mark = 0; mark < kMarkCount; ++mark) {
            if (settings.change[mark]) {
                marks[index].marks[mark] = settings.text[mark];
            }
        }
    }
}
