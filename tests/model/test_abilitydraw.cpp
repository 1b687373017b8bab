// The ability draws over the roster, with a scripted source where the order of the draws is
// fixed and with a seeded source where only the ranges are promised.
#include <QTest>

#include <random>

#include "model/abilitydraw.h"
#include "model/random.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

using Calls = QList<QPair<int, int>>;

AbilityTemplate rangeSettings(std::initializer_list<std::array<int, 3>> ranges, int totalA = 0,
                              int totalB = 0) {
    AbilityTemplate settings;
    for (const auto& [ability, a, b] : ranges) {
        settings.valueA[ability] = static_cast<qint16>(a);
        settings.valueB[ability] = static_cast<qint16>(b);
    }
    settings.totalA = static_cast<qint16>(totalA);
    settings.totalB = static_cast<qint16>(totalB);
    return settings;
}

void fillRoster(Roster& records, int count) {
    for (int index = 1; index <= count; ++index) {
        records[index] = PersonRecord();
        for (int ability = 0; ability < kAbilityCount; ++ability) {
            records[index].setAbility(ability, static_cast<qint16>(33 + ability));
        }
    }
}

}  // namespace

class AbilityDrawTest : public QObject {
    Q_OBJECT
  private slots:
    void roundsHalvesToEven() {
        QCOMPARE(RoundHalfToEven(0.5), 0);
        QCOMPARE(RoundHalfToEven(1.5), 2);
        QCOMPARE(RoundHalfToEven(2.5), 2);
        QCOMPARE(RoundHalfToEven(2.4999), 2);
        QCOMPARE(RoundHalfToEven(2.6), 3);
        QCOMPARE(RoundHalfToEven(0.0), 0);
    }

    void freeDrawGoesAbilityByAbilityThenTargetByTarget() {
        Roster records;
        fillRoster(records, 2);
        // 80 and 30 give the same range as 30 and 80.
        BoundedScriptedSource source({31, 79, 5, 6});
        DrawAbilitiesFree(records, {2, 1}, rangeSettings({{0, 80, 30}, {3, 5, 6}}), source);
        QCOMPARE(source.ranges, (Calls{{30, 80}, {30, 80}, {5, 6}, {5, 6}}));
        QCOMPARE(records[2].ability(0), 31);
        QCOMPARE(records[1].ability(0), 79);
        QCOMPARE(records[2].ability(3), 5);
        QCOMPARE(records[1].ability(3), 6);
        QCOMPARE(records[1].ability(1), 34);  // not chosen: kept
    }

    // Two targets, two abilities; the second target's shuffle starts from the first one's order.
    void limitedDrawOrderWithShuffleCarriedOver() {
        Roster records;
        fillRoster(records, 2);
        BoundedScriptedSource source({3, 1, 0, 0, 2,    // target 1: D, shuffle, draw step
                                      1, 0, 0, 1, 1});  // target 2
        DrawAbilitiesWithinTotal(records, {1, 2}, rangeSettings({{0, 50, 52}, {1, 41, 40}}, 93, 91),
                                 source);
        const Calls perTarget{{1, 3}, {0, 1}, {0, 0}, {0, 1}, {0, 2}};
        QCOMPARE(source.ranges, perTarget + perTarget);
        // Target 1: D 3 at scale 1, both abilities filled up.
        QCOMPARE(records[1].ability(0), 52);
        QCOMPARE(records[1].ability(1), 41);
        // Target 2: D 1 at scale 0.5; the half rounds to 0, raised to 1, and the amount runs out.
        QCOMPARE(records[2].ability(0), 50);
        QCOMPARE(records[2].ability(1), 41);
        QCOMPARE(records[2].ability(2), 35);
    }

    // A second pass, where a filled-up ability draws nothing.
    void limitedDrawSkipsAbilitiesWithoutRoom() {
        Roster records;
        fillRoster(records, 1);
        BoundedScriptedSource source({4, 0, 0, 1, 0, 1, 0, 2});
        DrawAbilitiesWithinTotal(records, {1}, rangeSettings({{0, 10, 11}, {1, 20, 23}}, 30, 34),
                                 source);
        QCOMPARE(source.ranges,
                 (Calls{{0, 4}, {0, 1}, {0, 0}, {0, 1}, {0, 3}, {0, 1}, {0, 0}, {0, 2}}));
        QCOMPARE(records[1].ability(0), 11);
        QCOMPARE(records[1].ability(1), 23);
    }

    void limitedDrawKeepsEveryRangeAndTotal() {
        std::mt19937 settingsRandom(20240611);
        ClockSeededSource source;
        source.Seed(7);
        Roster records;
        const QList<int> targets{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(settingsRandom);
        };
        for (int round = 0; round < 500; ++round) {
            AbilityTemplate settings;
            int sumLow = 0;
            int sumHigh = 0;
            for (int ability = 0; ability < kAbilityCount; ++ability) {
                if (pick(0, 2) == 0) {
                    continue;
                }
                settings.valueA[ability] = static_cast<qint16>(pick(1, 100));
                settings.valueB[ability] = static_cast<qint16>(pick(1, 100));
                sumLow += AbilityLow(settings, ability);
                sumHigh += AbilityHigh(settings, ability);
            }
            if (sumLow == sumHigh) {
                continue;
            }
            settings.totalA = static_cast<qint16>(pick(sumLow, sumHigh));
            settings.totalB = static_cast<qint16>(pick(sumLow, sumHigh));
            const int totalLow = qMin(settings.totalA, settings.totalB);
            const int totalHigh = qMax(settings.totalA, settings.totalB);
            fillRoster(records, 10);
            ApplyAbilityDraw(records, targets, settings, source);
            for (const int index : targets) {
                int total = 0;
                for (int ability = 0; ability < kAbilityCount; ++ability) {
                    const int value = records[index].ability(ability);
                    if (IsAbilityChosen(settings, ability)) {
                        QVERIFY(value >= AbilityLow(settings, ability));
                        QVERIFY(value <= AbilityHigh(settings, ability));
                        total += value;
                    } else {
                        QCOMPARE(value, 33 + ability);
                    }
                }
                QVERIFY2(total >= totalLow && total <= totalHigh,
                         qPrintable(QStringLiteral("round %1: %2 outside %3..%4")
                                        .arg(round)
                                        .arg(total)
                                        .arg(totalLow)
                                        .arg(totalHigh)));
            }
        }
    }

    void fullTotalRangeReachesBothEnds() {
        ClockSeededSource source;
        source.Seed(11);
        Roster records;
        const AbilityTemplate settings = rangeSettings({{0, 50, 90}, {1, 40, 80}}, 90, 170);
        QList<int> targets;
        for (int index = 1; index <= kRosterCapacity; ++index) {
            targets.append(index);
        }
        bool sawLowest = false;
        bool sawHighest = false;
        for (int round = 0; round < 40 && !(sawLowest && sawHighest); ++round) {
            fillRoster(records, kRosterCapacity);
            DrawAbilitiesWithinTotal(records, targets, settings, source);
            for (const int index : targets) {
                const int total = records[index].ability(0) + records[index].ability(1);
                sawLowest |= total == 90;
                sawHighest |= total == 170;
            }
        }
        QVERIFY(sawLowest);
        QVERIFY(sawHighest);
    }

    void lowestTotalGivesEveryLow() {
        ClockSeededSource source;
        source.Seed(3);
        Roster records;
        fillRoster(records, 20);
        QList<int> targets;
        for (int index = 1; index <= 20; ++index) {
            targets.append(index);
        }
        DrawAbilitiesWithinTotal(
            records, targets, rangeSettings({{0, 50, 90}, {1, 80, 40}, {4, 7, 9}}, 97, 97), source);
        for (const int index : targets) {
            QCOMPARE(records[index].ability(0), 50);
            QCOMPARE(records[index].ability(1), 40);
            QCOMPARE(records[index].ability(4), 7);
        }
    }

    // Equal ends fix the amount; a total the ranges can't reach is held to them.
    void fixedAndUnreachableTotalsEnd() {
        ClockSeededSource source;
        source.Seed(5);
        Roster records;
        fillRoster(records, 30);
        QList<int> targets;
        for (int index = 1; index <= 30; ++index) {
            targets.append(index);
        }
        DrawAbilitiesWithinTotal(records, targets,
                                 rangeSettings({{0, 50, 90}, {1, 40, 80}}, 133, 133), source);
        for (const int index : targets) {
            QCOMPARE(records[index].ability(0) + records[index].ability(1), 133);
        }
        DrawAbilitiesWithinTotal(records, targets,
                                 rangeSettings({{0, 50, 90}, {1, 40, 80}}, 500, 400), source);
        for (const int index : targets) {
            QCOMPARE(records[index].ability(0), 90);
            QCOMPARE(records[index].ability(1), 80);
        }
    }

    void intelligenceRuleTurnsGunshiOffBelow70() {
        ClockSeededSource source;
        Roster records;
        fillRoster(records, 3);
        for (int index = 1; index <= 3; ++index) {
            SetSkill(records[index], Skill::gunshi, true);  // raises 知力 to 70
        }
        records[2].setAbility(2, 65);  // 軍師 on below 70, as a file may hold it
        records[3].setAbility(2, 90);

        // Nothing chosen: no ability changes, the rule still runs for every target.
        ApplyAbilityDraw(records, {1, 2, 3}, AbilityTemplate(), source);
        QVERIFY(GetSkill(records[1], Skill::gunshi));
        QVERIFY(!GetSkill(records[2], Skill::gunshi));
        QVERIFY(GetSkill(records[3], Skill::gunshi));
        QCOMPARE(records[2].ability(2), 65);

        ApplyAbilityDraw(records, {1, 3}, rangeSettings({{2, 70, 100}}), source);
        QVERIFY(GetSkill(records[1], Skill::gunshi));
        QVERIFY(GetSkill(records[3], Skill::gunshi));

        ApplyAbilityDraw(records, {1, 3}, rangeSettings({{2, 60, 60}}), source);
        QCOMPARE(records[1].ability(2), 60);
        QVERIFY(!GetSkill(records[1], Skill::gunshi));
        QVERIFY(!GetSkill(records[3], Skill::gunshi));
    }
};

DROVANTEL_TEST(AbilityDrawTest);

#include "test_abilitydraw.moc"
