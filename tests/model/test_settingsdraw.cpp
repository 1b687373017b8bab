#include <QList>
#include <QPair>
#include <QTest>

#include <memory>

#include "model/random.h"
#include "model/settingsdraw.h"
#include "support/scriptedsource.h"
#include "support/testregistry.h"

namespace {

SettingChoice choiceOf(std::initializer_list<bool> pressed, std::initializer_list<bool> priority) {
    SettingChoice choice;
    choice.change = true;
    std::copy(pressed.begin(), pressed.end(), choice.pressed.begin());
    std::copy(priority.begin(), priority.end(), choice.priority.begin());
    return choice;
}

}  // namespace

class SettingsDrawTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Roster> records_;
    ClockSeededSource seeded_;

    // Draws field for the first count generals, runs times, and checks how often each code
    // was dealt in every run.
    void expectDealtCounts(Setting field, const SettingChoice& choice, int count,
                           const QList<int>& expected) {
        HiddenSettingsChoices choices;
        choices[static_cast<int>(field)] = choice;
        QList<int> targets;
        for (int index = 1; index <= count; ++index) {
            targets.append(index);
        }
        for (int run = 0; run < 50; ++run) {
            ApplyHiddenSettingsDraw(*records_, targets, choices, seeded_);
            QList<int> counts(expected.size(), 0);
            for (const int index : targets) {
                counts[(*records_)[index].setting(field)] += 1;
            }
            QCOMPARE(counts, expected);
        }
    }

  private slots:
    void init() {
        records_ = std::make_unique<Roster>();
        for (PersonRecord& record : *records_) {
            for (int index = 0; index < kSettingCount; ++index) {
                record.setSetting(static_cast<Setting>(index), 9);
            }
        }
        seeded_.Seed(5);
    }

    void poolCountsPriorityTwiceOnlyForPressedValues() {
        // 飲酒: 苦手 with priority, 普通 not pressed, 得意 pressed.
        QCOMPARE(BuildSettingPool(Setting::drinking, choiceOf({true, false, true}, {true})),
                 (QList<qint16>{0, 0, 2}));
        QCOMPARE(BuildSettingPool(Setting::drinking, choiceOf({false, true, true}, {true})),
                 (QList<qint16>{1, 2}));
        // Flags beyond the field's own codes play no part.
        QCOMPARE(
            BuildSettingPool(Setting::hanCourt, choiceOf({true, true, true, true, true, true}, {})),
            (QList<qint16>{0, 1, 2}));
    }

    void poolIsSpreadEvenlyOverTheTargets() {
        // Six generals, three values: two each.
        expectDealtCounts(Setting::interest, choiceOf({true, true, true}, {}), 6, {2, 2, 2});
        // Three generals, pool 苦手 苦手 得意: each entry dealt once.
        expectDealtCounts(Setting::drinking, choiceOf({true, false, true}, {true}), 3, {2, 0, 1});
    }

    void priorityValueIsChosenTwiceAsOften() {
        HiddenSettingsChoices choices;
        choices[static_cast<int>(Setting::personality)] = choiceOf({true, true}, {true});
        constexpr int kRuns = 6000;
        int prioritised = 0;
        for (int run = 0; run < kRuns; ++run) {
            ApplyHiddenSettingsDraw(*records_, {1}, choices, seeded_);
            prioritised += (*records_)[1].setting(Setting::personality) == 0 ? 1 : 0;
        }
        // 2/3 within about five standard deviations.
        QVERIFY2(prioritised > kRuns * 0.636 && prioritised < kRuns * 0.697,
                 qPrintable(QString::number(prioritised)));
    }

    void dealsInRowOrderAndDrawsSettingBySetting() {
        ScriptedSource source;
        HiddenSettingsChoices choices;
        choices[static_cast<int>(Setting::personality)] = choiceOf({true, true, true, true}, {});
        choices[static_cast<int>(Setting::greed)] =
            choiceOf({false, true, true}, {false, false, true});
        // Checked with nothing pressed, and pressed but not checked: both skipped, no draws.
        choices[static_cast<int>(Setting::giri)] = choiceOf({}, {true});
        choices[static_cast<int>(Setting::strategy)] = choiceOf({true}, {});
        choices[static_cast<int>(Setting::strategy)].change = false;
        const QList<int> targets = {5, 2, 9, 1, 3, 7};
        ApplyHiddenSettingsDraw(*records_, targets, choices, source);

        // Draws at the low end keep both shuffles in order: the pool repeats over the rows.
        QList<int> personality, greed, untouched;
        for (const int index : targets) {
            personality.append((*records_)[index].setting(Setting::personality));
            greed.append((*records_)[index].setting(Setting::greed));
            untouched.append((*records_)[index].setting(Setting::giri));
            untouched.append((*records_)[index].setting(Setting::strategy));
        }
        QCOMPARE(personality, (QList<int>{0, 1, 2, 3, 0, 1}));
        QCOMPARE(greed, (QList<int>{1, 2, 2, 1, 2, 2}));
        QCOMPARE(untouched, QList<int>(12, 9));
        const QList<QPair<int, int>> expected = {
            {0, 3}, {0, 2}, {0, 1}, {0, 0},                  // personality pool
            {0, 5}, {0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0},  // personality assignment
            {0, 2}, {0, 1}, {0, 0},                          // greed pool
            {0, 5}, {0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0},  // greed assignment
        };
        QCOMPARE(source.ranges, expected);
    }

    void drinkingLeavesShugouAlone() {
        PersonRecord& record = (*records_)[1];
        SetSkill(record, Skill::shugou, true);
        const RecordBytes before = record.bytes();
        HiddenSettingsChoices choices;
        choices[static_cast<int>(Setting::drinking)] = choiceOf({true}, {});
        ApplyHiddenSettingsDraw(*records_, {1}, choices, seeded_);
        RecordBytes expected = before;
        expected[PersonRecord::settingOffset(Setting::drinking)] = 0;
        QVERIFY(record.bytes() == expected);
    }
};

DROVANTEL_TEST(SettingsDrawTest);
#include "test_settingsdraw.moc"
