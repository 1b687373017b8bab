#include "celledit.h"

#include <algorithm>

#include "birthshift.h"
#include "listcolumns.h"

namespace {

constexpr int kMeishiFame = 200;
constexpr int kGunshiIntelligence = 70;
constexpr int kIntelligence = 2;  // 知力, the third ability
constexpr int kLowestFame = 1;
constexpr int kHighestFame = 500;
constexpr int kLowestAbility = 1;
constexpr int kHighestAbility = 100;

bool isAbility(int column) {
    return column >= kFirstAbilityColumn && column < kFirstSettingColumn;
}

}  // namespace

CellEditKind CellEditKindOf(int column) {
    if (column == kBirthColumn || column == kFameColumn || isAbility(column)) {
        return CellEditKind::Number;
    }
    if (column >= kFirstSettingColumn && column <= kLastSettingColumn) {
        return CellEditKind::Label;
    }
    if (column >= kFirstSkillColumn && column < kListColumnCount) {
        return CellEditKind::Skill;
    }
    if (column >= kFirstMarkColumn && column < kBirthColumn) {
        return CellEditKind::Mark;
    }
    return CellEditKind::None;
}

int CellEditMinimum(int column) {
    return column == kBirthColumn  ? kEarliestBirthYear
           : column == kFameColumn ? kLowestFame
                                   : kLowestAbility;
}

int CellEditMaximum(int column) {
    return column == kBirthColumn  ? kLatestBirthYear
           : column == kFameColumn ? kHighestFame
                                   : kHighestAbility;
}

QString CellEditStepName(int column) {
    return ListColumnCaption(column) + QStringLiteral("を変更");
}

QVariant CellEditValue(const OpenGenerals& generals, int index, int column) {
    const PersonRecord& record = generals.record(index);
    switch (CellEditKindOf(column)) {
        case CellEditKind::Number:
            return column == kBirthColumn  ? record.birthYear()
                   : column == kFameColumn ? record.fame()
                                           : record.ability(column - kFirstAbilityColumn);
        case CellEditKind::Label:
            return record.setting(SettingOfColumn(column));
        case CellEditKind::Skill:
            return GetSkill(record, column - kFirstSkillColumn);
        case CellEditKind::Mark:
            return generals.marks(index).marks[column - kFirstMarkColumn];
        case CellEditKind::None:
            break;
    }
    return {};
}

void ApplyCellEdit(OpenGenerals& generals, int index, int column, const QVariant& value) {
    PersonRecord& record = generals.record(index);
    const auto number = static_cast<qint16>(
        std::clamp(value.toInt(), CellEditMinimum(column), CellEditMaximum(column)));
    switch (CellEditKindOf(column)) {
        case CellEditKind::Number:
            if (column == kBirthColumn) {
                Roster& records = generals.records();
                ApplyBirthShift(records, {index}, number - record.birthYear());
            } else if (column == kFameColumn) {
                record.setFame(number);
                if (number < kMeishiFame) {
                    SetSkill(record, Skill::meishi, false);
                }
            } else {
                const int ability = column - kFirstAbilityColumn;
                record.setAbility(ability, number);
                if (ability == kIntelligence && number < kGunshiIntelligence) {
                    SetSkill(record, Skill::gunshi, false);
                }
            }
            break;
        case CellEditKind::Label: {
            const Setting field = SettingOfColumn(column);
            const int code = value.toInt();
            if (code >= 0 && code < SettingCodeCount(field)) {
                record.setSetting(field, static_cast<quint8>(code));
            }
            break;
        }
        case CellEditKind::Skill:
            SetSkill(record, column - kFirstSkillColumn, value.toBool());
            break;
        case CellEditKind::Mark:
            generals.marks(index).marks[column - kFirstMarkColumn] = value.toString();
            break;
        case CellEditKind::None:
            break;
    }
}
