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

void resetRoster() {
    roster = Roster();
    generalMarks = {};
    rosterCount = 3;
    for (int index = 1; index <= rosterCount; ++index) {
        QByteArray name;
        EncodeCp932(QStringLiteral("武将%1").arg(index), &name);
        std::copy(name.begin(), name.end(), roster[index].bytes().begin() + kFamilyNameOffset);
        generalMarks[index].name = GetPersonName(index);
        roster[index].setBirthYear(static_cast<qint16>(170 + index));
        roster[index].setFame(static_cast<qint16>(150 * index));
        for (int k = 0; k < kAbilityCount; ++k) {
            roster[index].setAbility(k, static_cast<qint16>(50 + 10 * index));
        }
    }
    SetSkill(roster[3], Skill::gunshi, true);
    SetSkill(roster[3], Skill::hanron, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetRoster();
    const QByteArray sheet(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ExistingGenerals none;
    const RosterSheetImport import(sheet, none);
    for (const SheetProblem& problem : import.problems()) {
        FUZZ_CHECK(problem.cell.size() <= 41 && problem.column.size() <= 41);
    }
    if (!import.problems().isEmpty()) {
        FUZZ_CHECK(import.changes().isEmpty());
        return 0;
    }
    import.apply();
    const RosterSheetImport again(sheet, none);
    FUZZ_CHECK(again.problems().isEmpty());
    FUZZ_CHECK(again.changes().isEmpty());
    return 0;
}
