#include "personrecord.h"

#include <QStringList>

#include "../platform/codepage.h"

namespace {

struct SettingInfo {
    int offset;
    const char16_t* labels;  // codes in order, separated by '|'
};

// Indexed by Setting.
constexpr SettingInfo kSettings[kSettingCount] = {
    {71, u"平凡|猛将|識者|策士|将軍|万能"},
    {70, u"大志|忠義|臨機|功名|我道"},
    {36, u"小心|冷静|剛胆|猪突"},
    {37, u"苦手|普通|得意"},
    {38, u"武芸|収集|読書"},
    {39, u"無欲|普通|強欲"},
    {43, u"無視|軽視|普通|重視|義士"},
    {42, u"能力|実績|名声|義理|任意"},
    {45, u"中華統一|地方統一|州統一|現状維持"},
    {44, u"無視|普通|重視"},
    {46, u"Varun|Ostrel|Kaimon|Dessk"},
};

const QStringList& labelsOf(Setting field) {
    static const auto tables = [] {
        std::array<QStringList, kSettingCount> result;
        for (int i = 0; i < kSettingCount; ++i) {
            result[i] = QString::fromUtf16(kSettings[i].labels).split(QLatin1Char('|'));
        }
        return result;
    }();
    return tables[static_cast<int>(field)];
}

QString decodeField(const RecordBytes& bytes, int offset, int size) {
    return DecodeCp932(QByteArrayView(reinterpret_cast<const char*>(bytes.data()) + offset, size));
}

}  // namespace

QString PersonRecord::familyName() const {
    return decodeField(bytes_, kFamilyNameOffset, kNameSize);
}

QString PersonRecord::givenName() const {
    return decodeField(bytes_, kGivenNameOffset, kNameSize);
}

QString PersonRecord::reading() const {
    return decodeField(bytes_, kReadingOffset, kReadingSize);
}

int PersonRecord::settingOffset(Setting field) {
    return kSettings[static_cast<int>(field)].offset;
}

QString SettingLabel(Setting field, int code) {
    const QStringList& labels = labelsOf(field);
    return code >= 0 && code < labels.size() ? labels.at(code) : QStringLiteral("不明");
}

int SettingCodeCount(Setting field) {
    return labelsOf(field).size();
}

QString SkillName(int skill) {
    static const QStringList names =
        QStringLiteral(
            "農業|商業|技術|改修|治安|徴兵|訓練|突撃|火矢|一斉|鎮静|鼓舞|奇襲|隠密|"
            "同討|足止|誘引|混乱|天文|地理|石陣|回復|気合|気炎|受返|弾返|三段|螺旋|"
            "威圧|抗弁|反論|揚足|論破|挑発|面罵|軍師|名士|提督|間諜|酒豪|医者|仙人")
            .split(QLatin1Char('|'));
    return names.value(skill);
}
