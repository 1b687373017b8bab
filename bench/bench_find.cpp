// Find over a list of 1000 generals, each with a name and marks: one keystroke in the search
// box, that is the rows judged again, hidden or shown, laid out and the list drawn.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "list/generalfilter.h"
#include "list/generallist.h"
#include "model/existinggenerals.h"

namespace {

constexpr int kGenerals = 1000;

const QString kNameChars = QStringLiteral("曹劉孫関張趙馬黄諸葛周魯陸呂袁董夏侯荀郭司徐");
const QString kKanaChars =
    QStringLiteral("アイウエオカキクケコガギグゲゴサシスセソタチツテトッナニヌ");

QString randomText(std::mt19937& random, const QString& chars, int length) {
    QString text;
    for (int i = 0; i < length; ++i) {
        text.append(chars.at(static_cast<int>(random() % chars.size())));
    }
    return text;
}

// Generals of their own making: a roster holds at most 110, and find must keep up with more.
class ManyGenerals : public GeneralSource {
  public:
    explicit ManyGenerals(const ExistingGenerals& existing) : GeneralSource(existing) {
        std::mt19937 random(5);
        records_.resize(kGenerals + 1);
        marks_.resize(kGenerals + 1);
        names_.resize(kGenerals + 1);
        for (int i = 1; i <= kGenerals; ++i) {
            names_[i] = randomText(random, kNameChars, 2 + random() % 3);
            for (QString& mark : marks_[i].marks) {
                mark = randomText(random, kKanaChars, random() % 4);
            }
        }
    }
    int count() const override { return kGenerals; }
    const PersonRecord& record(int index) const override { return records_[index]; }
    const MarkEntry* marks(int index) const override { return &marks_[index]; }
    QString name(int index) const override { return names_[index]; }
    QString reading(int index) const override { return names_[index]; }

  private:
    std::vector<PersonRecord> records_;
    std::vector<MarkEntry> marks_;
    std::vector<QString> names_;
};

// Typing a word and taking it back, one character a step: every step is one keystroke.
void BM_FindKeystroke1000(benchmark::State& state) {
    const ExistingGenerals existing;
    GeneralList list(std::make_unique<ManyGenerals>(existing), GeneralList::Kind::Ticking);
    list.resize(1000, 700);
    list.showAllGenerals();
    list.show();
    GeneralFilter filter(&list);
    const QStringList steps = {QStringLiteral("ｶ"), QStringLiteral("カｷ"), QStringLiteral("カ"),
                               QStringLiteral("曹"), QString()};
    int step = 0;
    int shown = 0;
    for (auto _ : state) {
        filter.setText(steps[step]);
        step = (step + 1) % steps.size();
        benchmark::DoNotOptimize(list.viewport()->grab());
        shown = filter.shownRowCount();
    }
    state.counters["shown"] = shown;
}
BENCHMARK(BM_FindKeystroke1000)->Unit(benchmark::kMillisecond);

}  // namespace
