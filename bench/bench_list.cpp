// The general list at its largest: the chooser over a full General.csv (1000 generals) and the
// main list over a full person file (110 generals).
#include <QApplication>
#include <QHeaderView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>

#include "list/generalchooser.h"
#include "list/generallist.h"
#include "model/existinggenerals.h"
#include "model/marks.h"
#include "model/roster.h"
#include "platform/codepage.h"

namespace {

// The generals of the open file the benchmarks work on.
OpenGenerals openGenerals;

constexpr int kNameColumn = 0;
constexpr int kWarColumn = 10;
constexpr int kSkillColumn = kFirstSkillColumn + 12;

const QString kNameChars = QStringLiteral("曹劉孫関張趙馬黄諸葛周魯陸呂袁董夏侯荀郭司徐");
const QString kReadingChars = QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ");

QString randomText(std::mt19937& random, const QString& chars, int length) {
    QString text;
    for (int i = 0; i < length; ++i) {
        text.append(chars.at(static_cast<int>(random() % chars.size())));
    }
    return text;
}

void randomValues(std::mt19937& random, PersonRecord& record) {
    for (int i = 0; i < kAbilityCount; ++i) {
        record.setAbility(i, static_cast<qint16>(1 + random() % 100));
    }
    record.setFactionAffinity(static_cast<quint8>(1 + random() % 149));
    record.setPersonalAffinity(static_cast<quint8>(1 + random() % 149));
}

ExistingGenerals makeGenerals(int count) {
    std::mt19937 random(7);
    QList<GeneralRecord> rows;
    for (int row = 1; row <= count; ++row) {
        GeneralRecord general;
        general.familyName = randomText(random, kNameChars, 1 + random() % 2).leftJustified(4);
        general.givenName = randomText(random, kNameChars, 1 + random() % 2).leftJustified(4);
        general.reading = randomText(random, kReadingChars, 3 + random() % 6).leftJustified(11);
        randomValues(random, general.values);
        rows.append(general);
    }
    return ExistingGenerals(rows);
}

void putText(PersonRecord& record, int offset, int size, const QString& text) {
    QByteArray bytes;
    EncodeCp932(text, &bytes);
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), size),
                record.bytes().begin() + offset);
}

void fillRoster() {
    std::mt19937 random(11);
    for (int index = 1; index <= kRosterCapacity; ++index) {
        PersonRecord record;
        putText(record, 81, 4, randomText(random, kNameChars, 2));
        putText(record, 86, 4, randomText(random, kNameChars, 2));
        putText(record, 96, 11, randomText(random, kReadingChars, 6));
        randomValues(random, record);
        record.setBirthYear(static_cast<qint16>(150 + random() % 80));
        record.setFame(static_cast<qint16>(random() % 800));
        record.setSkillByte(0, static_cast<quint8>(random()));
        openGenerals.record(index) = record;
        openGenerals.marks(index) =
            MarkEntry{GetPersonName(openGenerals.record(index)), {QStringLiteral("A")}};
    }
    openGenerals.setCount(kRosterCapacity);
}

void BM_ChooserFill1000(benchmark::State& state) {
    const ExistingGenerals generals = makeGenerals(kMaxGenerals);
    for (auto _ : state) {
        GeneralChooser chooser(generals);
        benchmark::DoNotOptimize(chooser.list->rowCount());
        chooser.allowClose();
    }
}
BENCHMARK(BM_ChooserFill1000)->Unit(benchmark::kMillisecond);

// One column click on the full chooser, shown; repeated clicks flip the direction.
void BM_SortChooser1000(benchmark::State& state) {
    const ExistingGenerals generals = makeGenerals(kMaxGenerals);
    GeneralChooser chooser(generals);
    chooser.show();
    QApplication::processEvents();
    const int column = static_cast<int>(state.range(0));
    qint16 last = 0;
    for (auto _ : state) {
        SortByColumn(chooser.list, column, last);
        QApplication::processEvents();
    }
    chooser.allowClose();
}
BENCHMARK(BM_SortChooser1000)
    ->Arg(kNameColumn)
    ->Arg(kWarColumn)
    ->Arg(kSkillColumn)
    ->Unit(benchmark::kMillisecond);

// After a bulk edit of a full file with every general ticked.
void BM_RefreshTickedRows110(benchmark::State& state) {
    const ExistingGenerals generals = makeGenerals(kMaxGenerals);
    fillRoster();
    GeneralList list(std::make_unique<OpenFileGenerals>(generals, &openGenerals),
                     GeneralList::Kind::Ticking);
    list.showAllGenerals();
    ToggleAllRows(&list);
    list.resize(1000, 700);
    list.show();
    QApplication::processEvents();
    std::mt19937 random(3);
    for (auto _ : state) {
        state.PauseTiming();
        for (int index = 1; index <= openGenerals.count(); ++index) {
            randomValues(random, openGenerals.record(index));
            openGenerals.record(index).setSkillByte(1, static_cast<quint8>(random()));
        }
        state.ResumeTiming();
        RefreshTickedRows(&list);
        if (state.range(0) != 0) {
            QApplication::processEvents();
        }
    }
}
// 0: the refresh alone; 1: with the redraw that follows it.
BENCHMARK(BM_RefreshTickedRows110)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Showing or hiding the eleven hidden-setting columns of the full chooser.
void BM_GroupToggleChooser1000(benchmark::State& state) {
    const ExistingGenerals generals = makeGenerals(kMaxGenerals);
    GeneralChooser chooser(generals);
    chooser.show();
    QApplication::processEvents();
    bool show = true;
    for (auto _ : state) {
        ShowSettingColumns(chooser.list, show);
        QApplication::processEvents();
        show = !show;
    }
    chooser.allowClose();
}
BENCHMARK(BM_GroupToggleChooser1000)->Unit(benchmark::kMillisecond);

}  // namespace
