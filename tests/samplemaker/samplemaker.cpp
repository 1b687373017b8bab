// Writes the sample person file data/TPERSON.VRX: invented generals built through the record
// model, so the sample always matches the layout the editor reads.
//   drovantel_samplemaker <output path>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <random>

#include "model/personrecord.h"
#include "model/roster.h"
#include "platform/codepage.h"
#include "platform/widthconvert.h"

namespace {

constexpr int kSampleCount = 40;

struct Part {
    const char16_t* text;
    const char16_t* reading;
};

constexpr Part kFamilies[] = {
    {u"朝霧", u"アサギリ"}, {u"岩城", u"イワキ"},   {u"小竹", u"コタケ"}, {u"瀬尾", u"セオ"},
    {u"蔦", u"ツタ"},       {u"楢崎", u"ナラサキ"}, {u"葉山", u"ハヤマ"}, {u"穂積", u"ホヅミ"},
    {u"湊", u"ミナト"},     {u"八雲", u"ヤグモ"},   {u"鷲尾", u"ワシオ"}, {u"霧島", u"キリシマ"},
};
constexpr Part kGivens[] = {
    {u"景虎", u"カゲトラ"}, {u"信綱", u"ノブツナ"}, {u"宗近", u"ムネチカ"}, {u"隼", u"ハヤト"},
    {u"直躬", u"ナオミ"},   {u"晴房", u"ハルフサ"}, {u"頼重", u"ヨリシゲ"}, {u"篤", u"アツシ"},
    {u"義胤", u"ヨシタネ"}, {u"清澄", u"キヨズミ"},
};

// Text fields are written as bytes: the record model never encodes names itself.
void putText(PersonRecord& record, int offset, int size, const QString& text) {
    QByteArray bytes;
    EncodeCp932(text, &bytes);
    for (int i = 0; i < size; ++i) {
        record.bytes()[offset + i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes.at(i)) : 0;
    }
}

PersonRecord makeGeneral(int number, std::mt19937& random) {
    auto draw = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PersonRecord record;
    const Part& family = kFamilies[number % std::size(kFamilies)];
    const Part& given = kGivens[(number * 7 / std::size(kFamilies)) % std::size(kGivens)];
    putText(record, kFamilyNameOffset, kNameSize, QString::fromUtf16(family.text));
    putText(record, kGivenNameOffset, kNameSize, QString::fromUtf16(given.text));
    putText(record, kReadingOffset, kReadingSize,
            ToHalfWidth(QString::fromUtf16(family.reading) + QString::fromUtf16(given.reading)));
    // A serial number in the lead word, never the end marker.
    record.bytes()[0] = static_cast<std::uint8_t>(number + 1);

    const int birth = draw(160, 215);
    record.setBirthYear(static_cast<qint16>(birth));
    record.setLinkedYear(static_cast<qint16>(birth + draw(14, 20)));
    record.setFame(static_cast<qint16>(draw(50, 600)));
    for (int i = 0; i < kAbilityCount; ++i) {
        record.setAbility(i, static_cast<qint16>(draw(15, 95)));
    }
    for (int s = 0; s < kSettingCount; ++s) {
        const auto field = static_cast<Setting>(s);
        record.setSetting(field, static_cast<quint8>(draw(0, SettingCodeCount(field) - 1)));
    }
    record.setFactionAffinity(static_cast<quint8>(draw(1, 149)));
    record.setPersonalAffinity(static_cast<quint8>(draw(1, 149)));
    const int skills = draw(0, 5);
    for (int i = 0; i < skills; ++i) {
        SetSkill(record, draw(0, kSkillCount - 1), true);
    }
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output .vrx>\n", argv[0]);
        return 2;
    }
    std::mt19937 random(1552);
    QByteArray content(4, '\0');
    content[0] = static_cast<char>(kSampleCount);
    for (int n = 0; n < kSampleCount; ++n) {
        const RecordBytes& bytes = makeGeneral(n, random).bytes();
        content.append(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
    }
    // The end marker closes the list, as the game leaves it.
    QByteArray marker(kRecordSize, '\0');
    marker.replace(0, 4, QByteArray(4, '\xFF'));
    content.append(marker);

    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
