// The person record over its file bytes, the skill rules and the random routines.
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "model/personrecord.h"
#include "model/random.h"
#include "model/roster.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

// The generals the tests edit, as a document holds them.
OpenGenerals openGenerals;

RecordBytes withBytes(std::initializer_list<std::pair<int, QByteArray>> fields) {
    RecordBytes bytes{};
    for (const auto& [offset, value] : fields) {
        std::memcpy(bytes.data() + offset, value.constData(), value.size());
    }
    return bytes;
}

// Answers NextFraction from a list.
class ScriptedFractions : public RandomSource {
  public:
    explicit ScriptedFractions(QList<float> fractions) : fractions_(std::move(fractions)) {}
    float NextFraction() override { return fractions_.isEmpty() ? 0.0f : fractions_.takeFirst(); }

  private:
    QList<float> fractions_;
};

constexpr float kLargestFraction = 1.0f - 1.0f / (1 << 24);

}  // namespace

class PersonRecordTest : public QObject {
    Q_OBJECT

  private slots:
    void everyFieldSitsAtItsOffset() {
        PersonRecord record;
        record.setBirthYear(-2);
        record.setLinkedYear(0x1234);
        record.setFame(300);
        for (int i = 0; i < kAbilityCount; ++i) {
            record.setAbility(i, static_cast<qint16>(101 + i));
        }
        const std::pair<Setting, int> settings[] = {
            {Setting::personality, 36}, {Setting::drinking, 37},    {Setting::interest, 38},
            {Setting::greed, 39},       {Setting::employment, 42},  {Setting::giri, 43},
            {Setting::hanCourt, 44},    {Setting::strategy, 45},    {Setting::missionAttitude, 46},
            {Setting::belief, 70},      {Setting::generalType, 71},
        };
        for (const auto& [field, offset] : settings) {
            record.setSetting(field, static_cast<quint8>(offset));
        }
        record.setFactionAffinity(149);
        record.setPersonalAffinity(75);
        for (int i = 0; i < kSkillByteCount; ++i) {
            record.setSkillByte(i, static_cast<quint8>(0xF0 + i));
        }

        RecordBytes expected{};
        auto put16 = [&expected](int offset, int value) {
            expected[offset] = static_cast<quint8>(value & 0xFF);
            expected[offset + 1] = static_cast<quint8>((value >> 8) & 0xFF);
        };
        put16(14, -2);
        put16(18, 0x1234);
        put16(20, 300);
        for (int i = 0; i < kAbilityCount; ++i) {
            put16(22 + 2 * i, 101 + i);
        }
        for (const auto& [field, offset] : settings) {
            expected[offset] = static_cast<quint8>(offset);
        }
        expected[40] = 149;
        expected[41] = 75;
        for (int i = 0; i < kSkillByteCount; ++i) {
            expected[47 + i] = static_cast<quint8>(0xF0 + i);
        }
        QCOMPARE(record.bytes(), expected);

        // And read back from bytes laid out by hand.
        const PersonRecord fromFile(expected);
        QCOMPARE(fromFile.birthYear(), qint16(-2));
        QCOMPARE(fromFile.linkedYear(), qint16(0x1234));
        QCOMPARE(fromFile.fame(), qint16(300));
        QCOMPARE(fromFile.ability(4), qint16(105));
        QCOMPARE(fromFile.setting(Setting::missionAttitude), quint8(46));
        QCOMPARE(fromFile.factionAffinity(), quint8(149));
        QCOMPARE(fromFile.skillByte(5), quint8(0xF5));
    }

    void valueLabelsAndSkillNames() {
        QCOMPARE(SettingLabel(Setting::personality, 3), QStringLiteral("猪突"));
        QCOMPARE(SettingLabel(Setting::generalType, 5), QStringLiteral("万能"));
        QCOMPARE(SettingLabel(Setting::missionAttitude, 0), QStringLiteral("Varun"));
        QCOMPARE(SettingLabel(Setting::generalType, 6), QStringLiteral("不明"));
        QCOMPARE(SettingLabel(Setting::drinking, 255), QStringLiteral("不明"));
        QCOMPARE(SettingCodeCount(Setting::employment), 5);
        QCOMPARE(SkillName(0), QStringLiteral("農業"));
        QCOMPARE(SkillName(35), QStringLiteral("軍師"));
        QCOMPARE(SkillName(41), QStringLiteral("仙人"));
    }

    void displayNameCutsEachPartAtItsFirstNul_data() {
        QTest::addColumn<QByteArray>("family");
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QString>("name");
        QTest::newRow("one and two characters")
            << QByteArray("\x92\xA3\0\0\0", 5) << QByteArray("\x94\xF2\x89\x5F\0", 5)
            << QStringLiteral("張飛雲");
        QTest::newRow("bytes behind the NUL")
            << QByteArray("\x92\xA3\0AB", 5) << QByteArray("C\0\x82\xA0Z", 5)
            << QStringLiteral("張C");
        QTest::newRow("no NUL at all")
            << QByteArray("ABCDE") << QByteArray("FGHIJ") << QStringLiteral("ABCDEFGHIJ");
        QTest::newRow("empty") << QByteArray(5, '\0') << QByteArray(5, '\0') << QString();
    }
    void displayNameCutsEachPartAtItsFirstNul() {
        QFETCH(QByteArray, family);
        QFETCH(QByteArray, given);
        QFETCH(QString, name);
        openGenerals.record(7) = PersonRecord(withBytes({{81, family}, {86, given}}));
        QCOMPARE(GetPersonName(openGenerals.record(7)), name);
    }

    void textBytesGoBackAsTheyCame() {
        // 0xED 0x40 decodes but would encode back as FA 5C; a lead byte is cut off at the end of
        // the given name; bytes follow the NULs of the family name and of the reading.
        const RecordBytes original =
            withBytes({{0, QByteArray(4, '\x11')},
                       {81, QByteArray("\xED\x40\0\x99\x41", 5)},
                       {86, QByteArray("\x82\xA0\x82\xA2\x82", 5)},
                       {96, QByteArray("\xB6\xDE\0\0\0\0\0\x83\x41xy", 11)},
                       {107, QByteArray(153, '\x5A')}});
        PersonRecord record(original);
        QCOMPARE(GetPersonName(record).left(1), QStringLiteral("\u7E8A"));
        QVERIFY(GetPersonName(record).contains(QStringLiteral("あい")));
        QCOMPARE(record.reading().left(2), QStringLiteral("ｶﾞ"));

        // Edits of other fields leave the text and reserved bytes alone.
        record.setFame(250);
        SetSkill(record, Skill::menba, true);
        SetSkill(record, Skill::gunshi, true);
        record.setBirthYear(190);
        RecordBytes expected = original;
        expected[14] = 190;
        expected[20] = 250;
        expected[26] = 70;        // 知力 raised for 軍師
        expected[47 + 4] = 0x0E;  // 挑発, 面罵, 軍師
        QCOMPARE(record.bytes(), expected);
    }

    void setSkillTouchesOnlyItsBit_data() {
        QTest::addColumn<int>("skill");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("mask");
        QTest::newRow("0") << 0 << 47 << 0x01;
        QTest::newRow("7") << 7 << 47 << 0x80;
        QTest::newRow("8") << 8 << 48 << 0x01;
        QTest::newRow("29") << 29 << 50 << 0x20;
        QTest::newRow("41") << 41 << 52 << 0x02;
    }
    void setSkillTouchesOnlyItsBit() {
        QFETCH(int, skill);
        QFETCH(int, byte);
        QFETCH(int, mask);
        PersonRecord record;
        record.setSetting(Setting::drinking, 1);
        const RecordBytes before = record.bytes();
        SetSkill(record, skill, true);
        RecordBytes expected = before;
        expected[byte] = static_cast<quint8>(mask);
        QCOMPARE(record.bytes(), expected);
        QVERIFY(GetSkill(record, skill));
        SetSkill(record, skill, false);
        QCOMPARE(record.bytes(), before);
    }

    void unlinkedSkillsSetNothingElse() {
        for (int skill = 0; skill < kSkillCount; ++skill) {
            if (skill == Skill::hanron || skill == Skill::ronpa || skill == Skill::menba ||
                skill == Skill::gunshi || skill == Skill::meishi || skill == Skill::shugou) {
                continue;
            }
            PersonRecord record;  // 知力 0, fame 0, 飲酒 苦手: every rule would show
            SetSkill(record, skill, true);
            for (int other = 0; other < kSkillCount; ++other) {
                QCOMPARE(GetSkill(record, other), other == skill);
            }
            QCOMPARE(record.ability(2), qint16(0));
            QCOMPARE(record.fame(), qint16(0));
            QCOMPARE(record.setting(Setting::drinking), quint8(0));
        }
    }

    void settingASkillBringsItsPartner_data() {
        QTest::addColumn<int>("skill");
        QTest::addColumn<int>("partner");
        QTest::newRow("反論 brings 抗弁") << int(Skill::hanron) << int(Skill::kouben);
        QTest::newRow("論破 brings 揚足") << int(Skill::ronpa) << int(Skill::ageashi);
        QTest::newRow("面罵 brings 挑発") << int(Skill::menba) << int(Skill::chouhatsu);
    }
    void settingASkillBringsItsPartner() {
        QFETCH(int, skill);
        QFETCH(int, partner);
        openGenerals.setCount(3);
        openGenerals.record(3) = PersonRecord();
        SetSkill(openGenerals.record(3), skill, true);
        QVERIFY(GetSkill(openGenerals.record(3), skill));
        QVERIFY(GetSkill(openGenerals.record(3), partner));
        SetSkill(openGenerals.record(3), partner, false);
        QVERIFY(GetSkill(openGenerals.record(3), skill));
        SetSkill(openGenerals.record(3), partner, true);
        SetSkill(openGenerals.record(3), skill, false);
        QVERIFY(GetSkill(openGenerals.record(3), partner));
        // The partner alone brings nothing back.
        SetSkill(openGenerals.record(3), partner, false);
        SetSkill(openGenerals.record(3), partner, true);
        QVERIFY(!GetSkill(openGenerals.record(3), skill));
    }

    void settingASkillRaisesWhatItNeeds() {
        PersonRecord record;
        record.setAbility(2, 65);
        SetSkill(record, Skill::gunshi, true);
        QCOMPARE(record.ability(2), qint16(70));
        record.setAbility(2, 80);
        SetSkill(record, Skill::gunshi, true);
        QCOMPARE(record.ability(2), qint16(80));
        record.setAbility(2, 65);
        SetSkill(record, Skill::gunshi, false);
        QCOMPARE(record.ability(2), qint16(65));
        QVERIFY(!GetSkill(record, Skill::gunshi));

        record.setFame(150);
        SetSkill(record, Skill::meishi, true);
        QCOMPARE(record.fame(), qint16(200));
        record.setFame(350);
        SetSkill(record, Skill::meishi, true);
        QCOMPARE(record.fame(), qint16(350));
        record.setFame(-5);  // any 16-bit value below the limit is raised
        SetSkill(record, Skill::meishi, true);
        QCOMPARE(record.fame(), qint16(200));

        for (const auto& [before, after] : {std::pair{0, 2}, {1, 1}, {2, 2}, {7, 7}}) {
            record.setSetting(Setting::drinking, static_cast<quint8>(before));
            SetSkill(record, Skill::shugou, true);
            QCOMPARE(record.setting(Setting::drinking), quint8(after));
        }
        // Abilities other than 知力 are never raised.
        QCOMPARE(record.ability(0), qint16(0));
        QCOMPARE(record.ability(3), qint16(0));
    }

    void randomIntStaysInItsRange() {
        ClockSeededSource clock;
        clock.SeedFromClock();
        for (int i = 0; i < 1000; ++i) {
            QCOMPARE(RandomInt(clock, 5, 5), qint16(5));
        }
        std::vector<int> seen(7, 0);
        for (int i = 0; i < 70000; ++i) {
            const int value = RandomInt(clock, -3, 3);
            QVERIFY(value >= -3 && value <= 3);
            ++seen[value + 3];
        }
        for (int count : seen) {
            QVERIFY2(std::abs(count - 10000) < 600, qPrintable(QString::number(count)));
        }
    }

    void randomIntAtTheEndsOfTheFraction() {
        ScriptedFractions source(
            {0.0f, kLargestFraction, kLargestFraction, kLargestFraction, 0.5f, kLargestFraction});
        QCOMPARE(RandomInt(source, 1, 149), qint16(1));
        QCOMPARE(RandomInt(source, 1, 149), qint16(149));
        QCOMPARE(RandomInt(source, -5, 5), qint16(5));
        QCOMPARE(RandomInt(source, 0, 32766), qint16(32766));
        QCOMPARE(RandomInt(source, 0, 9), qint16(5));
        QCOMPARE(RandomInt(source, 7, 7), qint16(7));
    }

    void shuffleIsAPermutation() {
        ClockSeededSource clock;
        clock.SeedFromClock();
        std::vector<qint16> values(42);
        for (int i = 0; i < 42; ++i) {
            values[i] = static_cast<qint16>(i);
        }
        bool moved = false;
        for (int round = 0; round < 20; ++round) {
            ShuffleInPlace(clock, values);
            const std::set<qint16> distinct(values.begin(), values.end());
            QCOMPARE(int(distinct.size()), 42);
            QCOMPARE(*distinct.begin(), qint16(0));
            QCOMPARE(*distinct.rbegin(), qint16(41));
            moved = moved || !std::is_sorted(values.begin(), values.end());
        }
        QVERIFY(moved);

        std::vector<qint16> one{9};
        ShuffleInPlace(clock, one);
        QCOMPARE(one, std::vector<qint16>{9});
    }

    void shuffleTakesThePoolPositionsDrawn() {
        // Each draw picks a position among the values not yet placed, in their order.
        const std::vector<int> positions{2, 0, 2, 1, 0};
        int next = 0;
        ScriptedSource source([&](int, int) { return positions[next++]; });
        std::vector<qint16> values{10, 11, 12, 13, 14};
        ShuffleInPlace(source, values);
        QCOMPARE(values, (std::vector<qint16>{12, 10, 14, 13, 11}));
        QCOMPARE(source.ranges,
                 (QList<std::pair<int, int>>{{0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}}));
    }

    void shuffleOf42DrawsFromAShrinkingRange() {
        ScriptedSource source([](int, int high) { return high; });  // always the last left
        std::vector<qint16> values(42);
        for (int i = 0; i < 42; ++i) {
            values[i] = static_cast<qint16>(i);
        }
        ShuffleInPlace(source, values);
        QCOMPARE(source.ranges.size(), 42);
        for (int k = 0; k < 42; ++k) {
            QCOMPARE(source.ranges.at(k), std::make_pair(0, 41 - k));
            QCOMPARE(values[k], qint16(41 - k));
        }
    }

    void maxAndMin() {
        QCOMPARE(MaxOf(3, -4), 3);
        QCOMPARE(MinOf(3, -4), -4);
        QCOMPARE(MaxOf<qint16>(7, 7), qint16(7));
    }

    void anyBytesAreASafeRecord() {
        QRandomGenerator random(4242);
        for (int round = 0; round < 2000; ++round) {
            RecordBytes bytes;
            random.fillRange(reinterpret_cast<quint32*>(bytes.data()), kRecordSize / 4);
            if (round % 3 == 0) {
                bytes.fill(static_cast<quint8>(round));  // runs of lead bytes, NULs, FFs
            }
            PersonRecord record(bytes);
            QVERIFY(GetPersonName(record).size() <= 10);
            QVERIFY(record.reading().size() <= 11);
            for (int f = 0; f < kSettingCount; ++f) {
                QVERIFY(
                    !SettingLabel(static_cast<Setting>(f), record.setting(static_cast<Setting>(f)))
                         .isEmpty());
            }
            for (int skill = 0; skill < kSkillCount; ++skill) {
                SetSkill(record, skill, !GetSkill(record, skill));
            }
            QCOMPARE(std::memcmp(record.bytes().data() + 53, bytes.data() + 53, kRecordSize - 53),
                     0);
            QCOMPARE(std::memcmp(record.bytes().data(), bytes.data(), 20), 0);
        }
    }
};

DROVANTEL_TEST(PersonRecordTest);

#include "test_record.moc"
