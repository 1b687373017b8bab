#include "listcolumns.h"

#include <array>

#include "existinggenerals.h"

namespace {

// The coded fields of the setting columns, in column order.
constexpr std::array<Setting, kSettingCount> kSettingColumns = {
    Setting::generalType, Setting::belief,          Setting::giri,
    Setting::personality, Setting::drinking,        Setting::interest,
    Setting::greed,       Setting::employment,      Setting::strategy,
    Setting::hanCourt,    Setting::missionAttitude,
};

const std::array<QString, kListColumnCount>& captions() {
    static const auto table = [] {
        std::array<QString, kListColumnCount> result;
        result[0] = QStringLiteral("名前");
        result[kKeyColumn] = QStringLiteral("キー");
        for (int k = 0; k < kMarkCount; ++k) {
            result[kFirstMarkColumn + k] = QStringLiteral("M%1").arg(k + 1);
        }
        result[kBirthColumn] = QStringLiteral("誕生");
        result[kFameColumn] = QStringLiteral("名声");
        const std::array<QString, kAbilityCount> abilities = {
            QStringLiteral("統率"), QStringLiteral("武力"), QStringLiteral("知力"),
            QStringLiteral("政治"), QStringLiteral("魅力")};
        for (int k = 0; k < kAbilityCount; ++k) {
            result[kFirstAbilityColumn + k] = abilities[k];
        }
        const std::array<QString, kSettingCount> settings = {
            QStringLiteral("ﾀｲﾌﾟ"), QStringLiteral("信念"), QStringLiteral("義理"),
            QStringLiteral("性格"), QStringLiteral("飲酒"), QStringLiteral("関心"),
            QStringLiteral("物欲"), QStringLiteral("起用"), QStringLiteral("戦略"),
            QStringLiteral("漢室"), QStringLiteral("態度")};
        for (int k = 0; k < kSettingCount; ++k) {
            result[kFirstSettingColumn + k] = settings[k];
        }
        result[kPersonalAffinityColumn] = QStringLiteral("個人相性");
        result[kFactionAffinityColumn] = QStringLiteral("勢力相性");
        for (int skill = 0; skill < kSkillCount; ++skill) {
            result[kFirstSkillColumn + skill] = SkillName(skill);
        }
        return result;
    }();
    return table;
}

}  // namespace

QString ListColumnCaption(int column) {
    return column >= 0 && column < kListColumnCount ? captions()[column] : QString();
}

Setting SettingOfColumn(int column) {
    return kSettingColumns[column - kFirstSettingColumn];
}

QString SkillMarkText(const PersonRecord& record, int skill) {
    return GetSkill(record, skill) ? QStringLiteral("○") : QString();
}

QString ListCellText(const PersonRecord& record, const MarkEntry* marks, int column,
                     const ExistingGenerals& existing) {
    if (column >= kFirstSkillColumn && column < kListColumnCount) {
        return SkillMarkText(record, column - kFirstSkillColumn);
    }
    if (column >= kFirstMarkColumn && column < kBirthColumn) {
        return marks != nullptr ? marks->marks[column - kFirstMarkColumn] : QString();
    }
    if (column >= kFirstSettingColumn && column <= kLastSettingColumn) {
        const Setting field = SettingOfColumn(column);
        return SettingLabel(field, record.setting(field));
    }
    switch (column) {
        case kBirthColumn:
            return QString::number(record.birthYear());
        case kFameColumn:
            return QString::number(record.fame());
        case kPersonalAffinityColumn:
            return existing.affinityRepresentative(record.personalAffinity(), 1);
        case kFactionAffinityColumn:
            return existing.affinityRepresentative(record.factionAffinity(), 0);
        default:
            break;
    }
    if (column >= kFirstAbilityColumn && column < kFirstSettingColumn) {
        return QString::number(record.ability(column - kFirstAbilityColumn));
    }
    return QString();
}
