// One general of the person file: 260 bytes laid out by the game. The record keeps the bytes
// it came with; the named fields read and write them in place, so a record always goes back
// to the file byte for byte as it came, whatever its text bytes hold.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "../platform/personfilelibrary.h"

inline constexpr int kAbilityCount = 5;
inline constexpr int kSkillCount = 42;
inline constexpr int kSkillByteCount = 6;
// The text fields: code page 932 bytes, NUL-padded.
inline constexpr int kFamilyNameOffset = 81;
inline constexpr int kGivenNameOffset = 86;
inline constexpr int kNameSize = 5;
inline constexpr int kReadingOffset = 96;
inline constexpr int kReadingSize = 11;

// The coded one-byte fields, in the order the hidden-settings editor numbers them.
enum class Setting {
    generalType,
    belief,
    personality,
    drinking,
    interest,
    greed,
    giri,
    employment,
    strategy,
    hanCourt,
    missionAttitude,
};
inline constexpr int kSettingCount = 11;

// Skills with a rule of their own.
namespace Skill {
inline constexpr int kouben = 29;     // 抗弁
inline constexpr int hanron = 30;     // 反論
inline constexpr int ageashi = 31;    // 揚足
inline constexpr int ronpa = 32;      // 論破
inline constexpr int chouhatsu = 33;  // 挑発
inline constexpr int menba = 34;      // 面罵
inline constexpr int gunshi = 35;     // 軍師
inline constexpr int meishi = 36;     // 名士
inline constexpr int shugou = 39;     // 酒豪
}  // namespace Skill

class PersonRecord {
  public:
    PersonRecord() { bytes_.fill(0); }
    explicit PersonRecord(const RecordBytes& bytes) : bytes_(bytes) {}

    const RecordBytes& bytes() const { return bytes_; }
    RecordBytes& bytes() { return bytes_; }

    qint16 birthYear() const { return int16At(14); }
    void setBirthYear(qint16 year) { setInt16At(14, year); }
    qint16 linkedYear() const { return int16At(18); }
    void setLinkedYear(qint16 year) { setInt16At(18, year); }
    qint16 fame() const { return int16At(20); }
    void setFame(qint16 fame) { setInt16At(20, fame); }
    // 0 統率, 1 武力, 2 知力, 3 政治, 4 魅力
    qint16 ability(int index) const { return int16At(22 + 2 * index); }
    void setAbility(int index, qint16 value) { setInt16At(22 + 2 * index, value); }

    quint8 setting(Setting field) const { return bytes_[settingOffset(field)]; }
    void setSetting(Setting field, quint8 code) { bytes_[settingOffset(field)] = code; }

    quint8 factionAffinity() const { return bytes_[40]; }
    void setFactionAffinity(quint8 value) { bytes_[40] = value; }
    quint8 personalAffinity() const { return bytes_[41]; }
    void setPersonalAffinity(quint8 value) { bytes_[41] = value; }

    quint8 skillByte(int index) const { return bytes_[kSkillBitsOffset + index]; }
    void setSkillByte(int index, quint8 value) { bytes_[kSkillBitsOffset + index] = value; }

    // The text fields, decoded for display and matching only; NUL padding stays as NUL
    // characters. They are never written back.
    QString familyName() const;
    QString givenName() const;
    QString reading() const;

    static int settingOffset(Setting field);

  private:
    static constexpr int kSkillBitsOffset = 47;

    qint16 int16At(int offset) const {
        return static_cast<qint16>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    void setInt16At(int offset, qint16 value) {
        const auto bits = static_cast<quint16>(value);
        bytes_[offset] = static_cast<std::uint8_t>(bits & 0xFF);
        bytes_[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
    }

    RecordBytes bytes_;
};

// The label of a code of a coded field, "不明" for a code outside its table.
QString SettingLabel(Setting field, int code);
// The number of codes of a coded field.
int SettingCodeCount(Setting field);
// The name of a skill 0..41.
QString SkillName(int skill);
