// Stand-ins for the program's random source, so tests can fix and inspect the draws.
#pragma once

#include <QList>
#include <QPair>
#include <QtGlobal>

#include <functional>
#include <utility>

#include "model/random.h"

// Records every range asked for and answers from a script; past the script it answers the low
// end, so an empty script keeps every shuffle in its order.
class ScriptedSource : public RandomSource {
  public:
    explicit ScriptedSource(QList<int> script = {}) : script_(std::move(script)) {}
    // Answers each draw with answer(low, high) instead of a script.
    explicit ScriptedSource(std::function<int(int, int)> answer) : answer_(std::move(answer)) {}

    float NextFraction() override { return 0.0f; }
    int Draw(int low, int high) override {
        ranges.append({low, high});
        if (answer_) {
            return answer_(low, high);
        }
        return script_.isEmpty() ? low : script_.takeFirst();
    }

    QList<QPair<int, int>> ranges;

  private:
    QList<int> script_;
    std::function<int(int, int)> answer_;
};

// A ScriptedSource whose answers are held inside the range asked for.
class BoundedScriptedSource : public ScriptedSource {
  public:
    using ScriptedSource::ScriptedSource;
    int Draw(int low, int high) override {
        return qBound(low, ScriptedSource::Draw(low, high), high);
    }
};
