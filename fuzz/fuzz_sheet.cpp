// The spreadsheet import: the input is the sheet, read against three generals. A sheet without
// problems, once imported, must change nothing when it is imported again, and no problem may
// repeat more than a cut of a cell.
#include <QByteArray>

#include <algorithm>

#include "fuzzsupport.h"
#include "model/roster.h"
#include "model/rostersheet.h"
#include "platform/codepage.h"

namespace {

OpenGenerals openGenerals;

void resetRoster() {
    openGenerals = OpenGenerals();
    openGenerals.setCount(3);
    for (int index = 1; index <= openGenerals.count(); ++index) {
        QByteArray name;
        EncodeCp932(QStringLiteral("武将%1").arg(index), &name);
        std::copy(name.begin(), name.end(),
                  openGenerals.record(index).bytes().begin() + kFamilyNameOffset);
        openGenerals.marks(index).name = GetPersonName(openGenerals.record(index));
        openGenerals.record(index).setBirthYear(static_cast<qint16>(170 + index));
        openGenerals.record(index).setFame(static_cast<qint16>(150 * index));
        for (int k = 0; k < kAbilityCount; ++k) {
            openGenerals.record(index).setAbility(k, static_cast<qint16>(50 + 10 * index));
        }
    }
    SetSkill(openGenerals.record(3), Skill::gunshi, true);
    SetSkill(openGenerals.record(3), Skill::hanron, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetRoster();
    const QByteArray sheet(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ExistingGenerals none;
    const RosterSheetImport import(sheet, openGenerals, none);
    for (const SheetProblem& problem : import.problems()) {
        FUZZ_CHECK(problem.cell.size() <= 41 && problem.column.size() <= 41);
    }
    if (!import.problems().isEmpty()) {
        FUZZ_CHECK(import.changes().isEmpty());
        return 0;
    }
    import.apply(openGenerals);
    const RosterSheetImport again(sheet, openGenerals, none);
    FUZZ_CHECK(again.problems().isEmpty());
    FUZZ_CHECK(again.changes().isEmpty());
    return 0;
}
