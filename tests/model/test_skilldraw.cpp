// The skill draw: the order of its draws, which candidates it touches, and the linked rules.
#include <QTest>

#include "model/random.h"
#include "model/skilldraw.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

SkillTemplate candidates(std::initializer_list<int> skills, int countA, int countB) {
    SkillTemplate settings;
    for (const int skill : skills) {
        settings.candidates[skill] = true;
    }
    settings.countA = static_cast<qint16>(countA);
    settings.countB = static_cast<qint16>(countB);
    return settings;
}

QList<int> skillsOf(const PersonRecord& record) {
    QList<int> skills;
    for (int skill = 0; skill < kSkillCount; ++skill) {
        if (GetSkill(record, skill)) {
            skills.append(skill);
        }
    }
    return skills;
}

}  // namespace

class SkillDrawTest : public QObject {
    Q_OBJECT
  private slots:
    // Per target: the shuffle's draws, then the count; the order carries over to the next target.
    void drawOrderAndCarriedShuffle() {
        Roster records;
        records[1] = PersonRecord();
        records[2] = PersonRecord();
        BoundedScriptedSource source({2, 0, 0, 1,    // [9, 0, 5], one skill
                                      0, 1, 0, 2});  // from [9, 0, 5]: [9, 5, 0], two skills
        ApplySkillDraw(records, {1, 2}, candidates({0, 5, 9}, 2, 1), source);
        const QList<QPair<int, int>> perTarget{{0, 2}, {0, 1}, {0, 0}, {1, 2}};
        QCOMPARE(source.ranges, perTarget + perTarget);
        QCOMPARE(skillsOf(records[1]), (QList<int>{9}));
        QCOMPARE(skillsOf(records[2]), (QList<int>{5, 9}));
    }

    void countsZeroTurnEveryCandidateOffAndNothingElse() {
        ClockSeededSource source;
        Roster records;
        for (int index = 1; index <= 3; ++index) {
            records[index] = PersonRecord();
            for (int byte = 0; byte < kSkillByteCount; ++byte) {
                records[index].setSkillByte(byte, 0xFF);
            }
        }
        ApplySkillDraw(records, {1, 2, 3}, candidates({0, 7, 29, 30, 41}, 0, 0), source);
        for (int index = 1; index <= 3; ++index) {
            for (int skill = 0; skill < kSkillCount; ++skill) {
                const bool candidate =
                    skill == 0 || skill == 7 || skill == 29 || skill == 30 || skill == 41;
                QCOMPARE(GetSkill(records[index], skill), !candidate);
            }
            QCOMPARE(records[index].skillByte(5), quint8(0xFD));  // bits past skill 41 kept
        }
    }

    void allCandidatesOnWithLinkedRules() {
        ClockSeededSource source;
        source.Seed(9);
        Roster records;
        records[4] = PersonRecord();
        records[4].setAbility(2, 40);
        records[4].setFame(100);
        records[4].setSetting(Setting::drinking, 0);
        ApplySkillDraw(records, {4}, candidates({30, 32, 34, 35, 36, 39}, 6, 6), source);
        QCOMPARE(skillsOf(records[4]), (QList<int>{29, 30, 31, 32, 33, 34, 35, 36, 39}));
        QCOMPARE(records[4].ability(2), 70);
        QCOMPARE(records[4].fame(), 200);
        QCOMPARE(records[4].setting(Setting::drinking), quint8(2));
    }

    // A drawn 反論 brings 抗弁 even though 抗弁 was a candidate that was not drawn.
    void hanronAndKoubenWithOneOfTwo() {
        Roster records;
        records[1] = PersonRecord();
        records[2] = PersonRecord();
        BoundedScriptedSource source({1, 0, 1,    // [30, 29]: 反論 drawn
                                      1, 0, 1});  // from [30, 29]: [29, 30]: 抗弁 drawn
        ApplySkillDraw(records, {1, 2}, candidates({29, 30}, 1, 1), source);
        QCOMPARE(skillsOf(records[1]), (QList<int>{29, 30}));
        QCOMPARE(skillsOf(records[2]), (QList<int>{29}));
    }

    void gunshiAndShugouRaiseOnlyWhatIsBelow() {
        ClockSeededSource source;
        Roster records;
        for (int index = 1; index <= 3; ++index) {
            records[index] = PersonRecord();
        }
        records[1].setAbility(2, 85);
        records[2].setAbility(2, 40);
        ApplySkillDraw(records, {1, 2}, candidates({35}, 1, 1), source);
        QCOMPARE(records[1].ability(2), 85);
        QCOMPARE(records[2].ability(2), 70);

        records[1].setSetting(Setting::drinking, 1);
        records[3].setSetting(Setting::drinking, 0);
        ApplySkillDraw(records, {1, 3}, candidates({39}, 1, 1), source);
        QCOMPARE(records[1].setting(Setting::drinking), quint8(1));
        QCOMPARE(records[3].setting(Setting::drinking), quint8(2));
        QVERIFY(GetSkill(records[1], Skill::shugou));
    }

    void countsStayWithinTheirRange() {
        ClockSeededSource source;
        source.Seed(21);
        Roster records;
        QList<int> targets;
        for (int index = 1; index <= kRosterCapacity; ++index) {
            records[index] = PersonRecord();
            targets.append(index);
        }
        QList<int> seen(6, 0);
        ApplySkillDraw(records, targets, candidates({0, 1, 2, 3, 4}, 4, 2), source);
        for (const int index : targets) {
            const qsizetype count = skillsOf(records[index]).size();
            QVERIFY(count >= 2 && count <= 4);
            ++seen[count];
        }
        QVERIFY(seen[2] > 0 && seen[3] > 0 && seen[4] > 0);
    }
};

DROVANTEL_TEST(SkillDrawTest);

#include "test_skilldraw.moc"
