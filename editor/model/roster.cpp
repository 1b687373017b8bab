#include "roster.h"

Roster roster;
int rosterCount = 0;

namespace {

QString upToFirst(const QString& text, QChar end) {
    const qsizetype at = text.indexOf(end);
    return at < 0 ? text : text.left(at);
}

}  // namespace

QString GetPersonName(const PersonRecord& record) {
    return upToFirst(record.familyName(), QChar(0)) + upToFirst(record.givenName(), QChar(0));
}

bool GetSkill(const PersonRecord& record, int skill) {
    return (record.skillByte(skill / 8) >> (skill % 8)) & 1;
}

void SetSkill(PersonRecord& record, int skill, bool on) {
    const int byte = skill / 8;
    const auto mask = static_cast<quint8>(1u << (skill % 8));
    if (!on) {
        record.setSkillByte(byte, record.skillByte(byte) & ~mask);
        return;
    }
    record.setSkillByte(byte, record.skillByte(byte) | mask);
    switch (skill) {
        case Skill::hanron:
            SetSkill(record, Skill::kouben, true);
            break;
        case Skill::ronpa:
            SetSkill(record, Skill::ageashi, true);
            break;
        case Skill::menba:
            SetSkill(record, Skill::chouhatsu, true);
            break;
        case Skill::gunshi:
            if (record.ability(2) < 70) {
                record.setAbility(2, 70);
            }
            break;
        case Skill::meishi:
            if (record.fame() < 200) {
                record.setFame(200);
            }
            break;
        case Skill::shugou:
            if (record.setting(Setting::drinking) == 0) {
                record.setSetting(Setting::drinking, 2);
            }
            break;
        default:
            break;
    }
}
