// The random source shared by every draw, and the three rate draws.
#pragma once

#include <cstdint>

#include "model/model.h"

struct GaussianCache {
    double x = 0, y = 0, s = 0;
    int toggle = 0;
    // sqrt(-2 log s / s) of the pair, worked out once for both deviates;
    // good only while `s` is still the value it was worked out from.
    double factor = 0, factorOf = 0;
    int factorSet = 0;
};

// One 64-bit linear congruential state, read by a 15-bit generator (low word
// only) and a 31-bit generator (whole state); two Gaussian pair caches.
struct RandomSource {
    uint32_t low = 0;
    uint32_t high = 0;
    GaussianCache gaussian;       // GaussianRate
    GaussianCache gaussianRange;  // GaussianRangeRate
};

extern RandomSource randomSource;

void SeedRandom(uint32_t start);
int Random15();   // 0..32767
int32_t Random31();  // 0..2^31-1
float UniformRate(float min, float max);
double GaussianRate(double mean, double sd);
// Uses scenario.settings.mcDistribution and its factor to widen sigma.
double GaussianRangeRate(float min, float max);
// The standard deviation GaussianRangeRate uses for (min, max).
double RangeSigma(float min, float max);
// sd + mcStdDevFactor x sd x 0.1, in float. Inline: asked at every draw.
inline float WidenedStdDeviation(float sd) {
    const double factor = scenario.settings.mcStdDevFactor;
    return static_cast<float>(sd + factor * sd * 0.1);
}
