#include <QList>
#include <QMap>
#include <QPair>
#include <QTest>

#include <memory>

#include "model/famedraw.h"
#include "model/random.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {}  // namespace

class FameDrawTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Roster> records_;
    ClockSeededSource seeded_;

    QList<int> fames(const QList<int>& targets) const {
        QList<int> result;
        for (const int index : targets) {
            result.append((*records_)[index].fame());
        }
        return result;
    }

  private slots:
    void init() {
        records_ = std::make_unique<Roster>();
        for (PersonRecord& record : *records_) {
            record.setFame(999);
            SetSkill(record, Skill::meishi, true);
        }
        seeded_.Seed(2024);
    }

    void gridOfFiveFromOneGivesFiveFamesEvenly() {
        constexpr int kRuns = 10000;
        QMap<int, int> counts;
        for (int run = 0; run < kRuns; ++run) {
            ApplyFameDraw(*records_, {1}, {1, 20, FameStep::five}, seeded_);
            counts[(*records_)[1].fame()] += 1;
        }
        QCOMPARE(counts.keys(), (QList<int>{1, 5, 10, 15, 20}));
        for (const int count : counts) {
            // 1/5 each, within about five standard deviations.
            QVERIFY2(count > 1800 && count < 2200, qPrintable(QString::number(count)));
        }
    }

    void boundsRoundToTheGridAndOneDrawPerTargetInOrder() {
        ScriptedSource source({0, 100, 1, 20, 3, 1, 2});
        ApplyFameDraw(*records_, {1, 2}, {1, 500, FameStep::five}, source);
        ApplyFameDraw(*records_, {3}, {10, 10, FameStep::ten}, source);
        ApplyFameDraw(*records_, {4}, {100, 100, FameStep::five}, source);
        ApplyFameDraw(*records_, {7, 5, 6}, {10, 50, FameStep::ten}, source);
        QCOMPARE(source.ranges, (QList<QPair<int, int>>{
                                    {0, 100}, {0, 100}, {1, 1}, {20, 20}, {1, 5}, {1, 5}, {1, 5}}));
        QCOMPARE(fames({1, 2, 3, 4, 7, 5, 6, 8}), (QList<int>{1, 500, 10, 100, 30, 10, 20, 999}));
    }

    void meishiDroppedOnlyBelow200AndNeverAdded() {
        QList<int> targets;
        for (int index = 1; index <= 100; ++index) {
            targets.append(index);
        }
        SetSkill((*records_)[100], Skill::meishi, false);
        ApplyFameDraw(*records_, targets, {190, 210, FameStep::one}, seeded_);
        int below = 0;
        for (const int index : targets) {
            const PersonRecord& record = (*records_)[index];
            QVERIFY(record.fame() >= 190 && record.fame() <= 210);
            QCOMPARE(GetSkill(record, Skill::meishi), record.fame() >= 200 && index != 100);
            below += record.fame() < 200 ? 1 : 0;
        }
        QVERIFY(below > 20 && below < 80);
    }
};

DROVANTEL_TEST(FameDrawTest);
#include "test_famedraw.moc"
