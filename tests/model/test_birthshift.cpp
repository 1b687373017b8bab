#include <QList>
#include <QTest>

#include <memory>

#include "model/birthshift.h"
#include "support/testregistry.h"

class BirthShiftTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Roster> records_;

    // Gives targets 1..n the birth years given, in order.
    QList<int> bornIn(const QList<int>& years) {
        QList<int> targets;
        for (int i = 0; i < years.size(); ++i) {
            (*records_)[i + 1].setBirthYear(static_cast<qint16>(years[i]));
            targets.append(i + 1);
        }
        return targets;
    }
    QList<int> shiftsFor(const QList<int>& years) {
        return AllowedBirthShifts(FindBirthYearExtremes(*records_, bornIn(years)));
    }
    static QList<int> range(int from, int to) {
        QList<int> values;
        for (int value = from; value <= to; ++value) {
            values.append(value);
        }
        return values;
    }

  private slots:
    void init() { records_ = std::make_unique<Roster>(); }

    void extremesKeepTheFirstOfEqualYears() {
        const QList<int> targets = bornIn({190, 170, 200, 170, 200});
        const BirthYearExtremes extremes = FindBirthYearExtremes(*records_, targets);
        QCOMPARE(extremes.earliest, 170);
        QCOMPARE(extremes.earliestIndex, 2);
        QCOMPARE(extremes.latest, 200);
        QCOMPARE(extremes.latestIndex, 3);

        const BirthYearExtremes same = FindBirthYearExtremes(*records_, bornIn({180, 180, 180}));
        QCOMPARE(same.earliestIndex, 1);
        QCOMPARE(same.latestIndex, 1);
    }

    void offersOnlyShiftsThatStayWithinTheYears() {
        QCOMPARE(shiftsFor({190, 200}), range(-55, -1) + range(1, 35));
        QCOMPARE(shiftsFor({190, 200}).size(), 90);
        QCOMPARE(shiftsFor({135}), range(1, 100));
        QCOMPARE(shiftsFor({235}), range(-100, -1));
        QCOMPARE(shiftsFor({130, 200}), range(5, 35));
        QCOMPARE(shiftsFor({200, 240}), range(-65, -5));
        QVERIFY(shiftsFor({120, 230}).isEmpty());
        QVERIFY(shiftsFor({135, 235}).isEmpty());
        QVERIFY(shiftsFor({}).isEmpty());
    }

    void yearsNearTheLimitsDoNotWrapTheOffer() {
        // 135 - (-32768) does not fit 16 bits; the offer must still lead into 135..235.
        const QList<int> shifts = shiftsFor({-32768});
        QCOMPARE(shifts, range(32903, 33003));
        ApplyBirthShift(*records_, {1}, shifts.first());
        QCOMPARE((*records_)[1].birthYear(), qint16(135));
        QCOMPARE(shiftsFor({32767}), range(-32632, -32532));
    }

    void shiftMovesBothYearsAndNothingElse() {
        PersonRecord& first = (*records_)[1];
        for (int offset = 0; offset < kRecordSize; ++offset) {
            first.bytes()[offset] = static_cast<std::uint8_t>(offset * 7 + 3);
        }
        first.setBirthYear(190);
        first.setLinkedYear(210);
        (*records_)[2].setBirthYear(200);
        (*records_)[2].setLinkedYear(-4);
        (*records_)[3].setBirthYear(150);
        const RecordBytes before = first.bytes();

        ApplyBirthShift(*records_, {1, 2}, 3);

        QCOMPARE(first.birthYear(), qint16(193));
        QCOMPARE(first.linkedYear(), qint16(213));
        QCOMPARE((*records_)[2].birthYear(), qint16(203));
        QCOMPARE((*records_)[2].linkedYear(), qint16(-1));
        QCOMPARE((*records_)[3].birthYear(), qint16(150));
        for (int offset = 0; offset < kRecordSize; ++offset) {
            if (offset < 14 || (offset > 15 && offset < 18) || offset > 19) {
                QCOMPARE(first.bytes()[offset], before[offset]);
            }
        }
    }

    void linkedYearStopsAtTheSixteenBitLimits() {
        (*records_)[1].setBirthYear(200);
        (*records_)[1].setLinkedYear(32766);
        (*records_)[2].setBirthYear(200);
        (*records_)[2].setLinkedYear(-32760);
        ApplyBirthShift(*records_, {1, 2}, 35);
        QCOMPARE((*records_)[1].linkedYear(), qint16(32767));
        QCOMPARE((*records_)[2].linkedYear(), qint16(-32725));
        ApplyBirthShift(*records_, {1, 2}, -100);
        QCOMPARE((*records_)[1].linkedYear(), qint16(32667));
        QCOMPARE((*records_)[1].birthYear(), qint16(135));
        QCOMPARE((*records_)[2].linkedYear(), qint16(-32768));
    }
};

DROVANTEL_TEST(BirthShiftTest);
#include "test_birthshift.moc"
