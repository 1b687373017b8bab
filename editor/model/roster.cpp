#include "roster.h"

#include <QByteArrayView>

#include <algorithm>

#include "../platform/codepage.h"

namespace {

// A name field's bytes up to its first NUL. A NUL byte always reads as a character of its own
// (it is never a trail byte), so decoding these bytes gives the decoded field up to its first
// NUL character, without the copies.
QByteArrayView upToFirstNul(const PersonRecord& record, int offset) {
    const char* field = reinterpret_cast<const char*>(record.bytes().data()) + offset;
    return QByteArrayView(field, static_cast<qsizetype>(qstrnlen(field, kNameSize)));
}

}  // namespace

bool MarkEntry::isEmpty() const {
    for (const QString& mark : marks) {
        if (!mark.isEmpty()) {
            return false;
        }
    }
    return true;
}

void OpenGenerals::setCount(int count) {
    const int kept = std::clamp(count, 0, kRosterCapacity);
    for (int index = kept + 1; index <= count_; ++index) {
        records_[index] = PersonRecord();
        marks_[index] = MarkEntry();
    }
    count_ = kept;
}

bool OpenGenerals::sameRecord(const OpenGenerals& other, int index) const {
    return records_[index].bytes() == other.records_[index].bytes();
}

bool OpenGenerals::sameRecords(const OpenGenerals& other) const {
    if (count_ != other.count_) {
        return false;
    }
    for (int index = 1; index <= count_; ++index) {
        if (!sameRecord(other, index)) {
            return false;
        }
    }
    return true;
}

QList<int> OpenGenerals::differences(const OpenGenerals& other) const {
    QList<int> changed;
    const int count = std::min(count_, other.count_);
    for (int index = 1; index <= count; ++index) {
        if (!sameRecord(other, index) || marks_[index] != other.marks_[index]) {
            changed.append(index);
        }
    }
    return changed;
}

QString GetPersonName(const PersonRecord& record) {
    return DecodeCp932(upToFirstNul(record, kFamilyNameOffset)) +
           DecodeCp932(upToFirstNul(record, kGivenNameOffset));
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
