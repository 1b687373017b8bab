#include "markedit.h"

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
