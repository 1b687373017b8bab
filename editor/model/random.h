// The random source of the editor's draws: handed to each draw, so that tests give a fixed one.
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <random>

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniform fraction 0 <= r < 1 with 24 bits of resolution.
    virtual float NextFraction() = 0;
    // An integer in low..high: floor((high - low + 1) * r + low). Tests override it to record
    // or script the draws.
    virtual int Draw(int low, int high);
};

// The program's source: a Mersenne Twister, seeded from the clock or with a fixed seed.
class ClockSeededSource : public RandomSource {
  public:
    // Starts from the engine's default seed until seeded.
    ClockSeededSource();
    void Seed(std::uint32_t seed) { engine_.seed(seed); }
    void SeedFromClock();
    float NextFraction() override;

  private:
    std::mt19937 engine_;
};

// A random integer in low..high, both included.
qint16 RandomInt(RandomSource& source, int low, int high);

// Puts the values into a uniform random order, drawing exactly values.size() numbers.
template <typename Container>
void ShuffleInPlace(RandomSource& source, Container& values);

template <typename T>
T MaxOf(T a, T b) {
    return a > b ? a : b;
}
template <typename T>
T MinOf(T a, T b) {
    return a < b ? a : b;
}

template <typename Container>
void ShuffleInPlace(RandomSource& source, Container& values) {
    // The pool keeps the values not yet placed, in their order; each draw takes one of them
    // out and closes the gap.
    Container pool = values;
    const int count = static_cast<int>(values.size());
    int last = count - 1;
    for (int k = 0; k < count; ++k) {
        const int d = RandomInt(source, 0, last);
        values[k] = pool[d];
        for (int i = d; i < last; ++i) {
            pool[i] = pool[i + 1];
        }
        --last;
    }
}
