#include "random.h"

#include <chrono>
#include <cmath>

int RandomSource::Draw(int low, int high) {
    const double r = NextFraction();
    const int value = static_cast<int>(std::floor((high - low + 1) * r + low));
    // The product is exact for 24-bit fractions and 16-bit spans, so value is in range; the
    // clamp keeps that promise for any source.
    return value < low ? low : (value > high ? high : value);
}

ClockSeededSource::ClockSeededSource() : engine_(std::mt19937::default_seed) {}

float ClockSeededSource::NextFraction() {
    return static_cast<float>(engine_() >> 8) / static_cast<float>(1 << 24);
}

void ClockSeededSource::SeedFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

qint16 RandomInt(RandomSource& source, int low, int high) {
    return static_cast<qint16>(source.Draw(low, high));
}
