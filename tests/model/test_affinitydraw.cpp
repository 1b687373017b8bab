#include <QList>
#include <QPair>
#include <QTest>

#include <memory>

#include "model/affinitydraw.h"
#include "model/random.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

using Range = QPair<int, int>;

QList<int> firstTargets(int count) {
    QList<int> targets;
    for (int index = 1; index <= count; ++index) {
        targets.append(index);
    }
    return targets;
}

}  // namespace

class AffinityDrawTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Roster> records_;

    QList<int> personalValues(int count) const {
        QList<int> values;
        for (int index = 1; index <= count; ++index) {
            values.append((*records_)[index].personalAffinity());
        }
        return values;
    }

  private slots:
    void init() {
        records_ = std::make_unique<Roster>();
        for (PersonRecord& record : *records_) {
            record.setPersonalAffinity(77);
            record.setFactionAffinity(88);
        }
    }

    void wrapsOnceOntoTheCircle_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("wrapped");
        QTest::newRow("0") << 0 << 149;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("149") << 149 << 149;
        QTest::newRow("150") << 150 << 1;
        QTest::newRow("200") << 200 << 51;
    }
    void wrapsOnceOntoTheCircle() {
        QFETCH(int, value);
        QFETCH(int, wrapped);
        QCOMPARE(WrapAffinity(value), wrapped);
    }

    void spreadZeroGivesTheCentreAndStillDraws_data() {
        QTest::addColumn<int>("centre");
        QTest::addColumn<int>("expected");
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("146") << 146 << 146;
        QTest::newRow("200 wraps") << 200 << 51;
    }
    void spreadZeroGivesTheCentreAndStillDraws() {
        QFETCH(int, centre);
        QFETCH(int, expected);
        ScriptedSource source;
        AffinityDrawSettings settings;
        settings.personal = {true, centre, 0};
        ApplyAffinityDraw(*records_, firstTargets(4), settings, source);
        QCOMPARE(personalValues(4), QList<int>(4, expected));
        QCOMPARE(source.ranges, QList<Range>(4, Range(0, 0)));
        QCOMPARE((*records_)[5].personalAffinity(), quint8(77));
    }

    void spreadWrapsAcrossBothEnds_data() {
        QTest::addColumn<int>("centre");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("3 +-5") << 3 << QList<int>{147, 148, 149, 1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("146 +-5") << 146
                                 << QList<int>{141, 142, 143, 144, 145, 146, 147, 148, 149, 1, 2};
    }
    void spreadWrapsAcrossBothEnds() {
        QFETCH(int, centre);
        QFETCH(QList<int>, expected);
        // Each target gets the next offset of the range in turn: -5, -4, ..., +5.
        ScriptedSource source({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        AffinityDrawSettings settings;
        settings.faction = {true, centre, 5};
        ApplyAffinityDraw(*records_, firstTargets(11), settings, source);
        QList<int> values;
        for (int index = 1; index <= 11; ++index) {
            values.append((*records_)[index].factionAffinity());
        }
        QCOMPARE(values, expected);
        QCOMPARE(source.ranges, QList<Range>(11, Range(0, 10)));
        QCOMPARE(personalValues(11), QList<int>(11, 77));
    }

    void noCentreOrUntickedChangesNothing() {
        ScriptedSource source;
        AffinityDrawSettings settings;
        settings.personal = {true, 0, 5};   // ticked, no centre
        settings.faction = {false, 30, 5};  // centre, not ticked
        ApplyAffinityDraw(*records_, firstTargets(3), settings, source);
        QCOMPARE(personalValues(3), QList<int>(3, 77));
        for (int index = 1; index <= 3; ++index) {
            QCOMPARE((*records_)[index].factionAffinity(), quint8(88));
        }
        QVERIFY(source.ranges.isEmpty());
    }

    void personalIsDrawnForAllTargetsBeforeFaction() {
        ScriptedSource source({0, 4, 2, 14, 0, 7});
        AffinityDrawSettings settings;
        settings.personal = {true, 50, 2};
        settings.faction = {true, 100, 7};
        ApplyAffinityDraw(*records_, {3, 1, 2}, settings, source);
        const QList<QPair<int, int>> expectedRanges{{0, 4},  {0, 4},  {0, 4},
                                                    {0, 14}, {0, 14}, {0, 14}};
        QCOMPARE(source.ranges, expectedRanges);
        // Targets take the draws in list order: 3, 1, 2.
        QCOMPARE((*records_)[3].personalAffinity(), quint8(48));
        QCOMPARE((*records_)[1].personalAffinity(), quint8(52));
        QCOMPARE((*records_)[2].personalAffinity(), quint8(50));
        QCOMPARE((*records_)[3].factionAffinity(), quint8(107));
        QCOMPARE((*records_)[1].factionAffinity(), quint8(93));
        QCOMPARE((*records_)[2].factionAffinity(), quint8(100));
    }
};

DROVANTEL_TEST(AffinityDrawTest);
#include "test_affinitydraw.moc"
