#include "montecarlo/random.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/model.h"

RandomSource randomSource;

namespace {

// The accepted points of the polar method, worked out ahead in batches. The
// points are a function of the 15-bit generator's state alone (each attempt
// takes the next two draws, whichever cache asks), so a batch made from a
// state holds exactly the points the draws would have made from it; a point
// is taken only while the state is the one it begins at, and taking it puts
// the state where its draws would have left it. Anything else that moves the
// state (another draw, a new start) simply makes the next point a new batch.
// Ahead of use, the logarithms and roots of a batch overlap instead of
// waiting each for the draws before it.
// One step of the 15-bit generator: the low word moves on, and its bits
// 16..30 are the draw.
inline int Step15(uint32_t& low) {
    low = low * 22695477u + 1u;
    return static_cast<int>((low >> 16) & 0x7FFFu);
}

constexpr int PointBatch = 64;
struct PolarPoints {
    double x[PointBatch], y[PointBatch], s[PointBatch], factor[PointBatch];
    uint32_t after[PointBatch];  // the state after each point's draws
    uint32_t begin = 0;          // the state the next point begins at
    int next = 0, count = 0;
};
PolarPoints points;

void MakePoints(uint32_t state) {
    PolarPoints& p = points;
    const uint32_t start = state;
    int n = 0;
    while (n < PointBatch) {
        const double u1 = Step15(state) / 32767.0;
        const double u2 = Step15(state) / 32767.0;
        const double x = 2 * u1 - 1;
        const double y = 2 * u2 - 1;
        const double s = x * x + y * y;
        p.x[n] = x;
        p.y[n] = y;
        p.s[n] = s;
        p.after[n] = state;
        n += (s < 1 && s != 0) ? 1 : 0;  // a rejected attempt is overwritten by the next
    }
    for (int k = 0; k < PointBatch; ++k) p.factor[k] = std::sqrt(-2 * std::log(p.s[k]) / p.s[k]);
    p.begin = start;
    p.next = 0;
    p.count = PointBatch;
}

// Polar method: one accepted point gives two deviates, the second kept in
// the cache for the next call.
double PolarDeviate(GaussianCache& cache) {
    double g;
    if (cache.toggle == 0) {
        PolarPoints& p = points;
        if (p.next >= p.count || p.begin != randomSource.low) MakePoints(randomSource.low);
        const int k = p.next++;
        randomSource.low = p.after[k];
        p.begin = p.after[k];
        cache.x = p.x[k];
        cache.y = p.y[k];
        cache.s = p.s[k];
        cache.factor = p.factor[k];
        cache.factorOf = p.s[k];
        cache.factorSet = 1;
        g = p.x[k] * p.factor[k];
    } else {
        const double s = cache.s;
        const bool same = cache.factorSet && SameBits(cache.factorOf, s);
        g = cache.y * (same ? cache.factor : std::sqrt(-2 * std::log(s) / s));
    }
    cache.toggle = 1 - cache.toggle;
    return g;
}

// Truncation toward zero into 32 bits; values beyond the range are held at
// its ends rather than left undefined.
int32_t TruncateToInt32(long double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0L) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483647.0L) return -std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

}  // namespace

void SeedRandom(uint32_t start) {
    randomSource.low = start;
    randomSource.high = 0;
    Random15();
}

int Random15() { return Step15(randomSource.low); }

int32_t Random31() {
    uint64_t state = (static_cast<uint64_t>(randomSource.high) << 32) | randomSource.low;
    state = state * 0x15A00004E35ull + 1u;
    randomSource.low = static_cast<uint32_t>(state);
    randomSource.high = static_cast<uint32_t>(state >> 32);
    return static_cast<int32_t>((state >> 32) & 0x7FFFFFFFu);
}

namespace {

__extension__ typedef unsigned __int128 Wide;

// The remainder of a 31-bit draw by a width that stays the same for many
// draws, by multiplication instead of a division (exact for every 32-bit
// dividend and divisor). The draw is never negative, so its remainder by a
// negative width is its remainder by the width's size, as `%` gives it.
struct Remainder {
    uint64_t inverse = 0;
    uint32_t divisor = 0;
    void Set(int32_t n) {
        divisor = static_cast<uint32_t>(n < 0 ? -static_cast<int64_t>(n) : n);
        inverse = divisor != 0 ? UINT64_MAX / divisor + 1 : 0;
    }
    uint32_t Of(uint32_t a) const {
        const uint64_t low = inverse * a;
        return static_cast<uint32_t>((static_cast<Wide>(low) * divisor) >> 64);
    }
};

}  // namespace

float UniformRate(float min, float max) {
    // Each account asks with its own range every year: the width in cents
    // (extended precision) and its inverse are kept with the range they
    // were worked out from, a few ranges at once, placed by the range's bits.
    struct Kept {
        uint32_t minBits, maxBits;
        bool set;
        Remainder width;
    };
    static Kept kept[16];
    uint32_t minBits, maxBits;
    std::memcpy(&minBits, &min, sizeof minBits);
    std::memcpy(&maxBits, &max, sizeof maxBits);
    Kept& k = kept[((minBits * 0x9E3779B1u) ^ (maxBits * 0x85EBCA77u)) >> 28];
    if (!k.set || k.minBits != minBits || k.maxBits != maxBits) {
        k.minBits = minBits;
        k.maxBits = maxBits;
        k.set = true;
        k.width.Set(TruncateToInt32(static_cast<long double>(max) * 100 - static_cast<long double>(min) * 100));
    }
    int32_t r = k.width.divisor != 0 ? static_cast<int32_t>(k.width.Of(static_cast<uint32_t>(Random31()))) : 0;
    return min + static_cast<float>(r * 0.01);
}

double GaussianRate(double mean, double sd) {
    return PolarDeviate(randomSource.gaussian) * sd + mean;
}

double RangeSigma(float min, float max) {
    double sigma = (static_cast<double>(max) - min) * 0.5 * 0.997 * (1.0 / 3);
    if (sigma < 0) sigma = -sigma;
    int16_t kind = scenario.settings.mcDistribution;
    int16_t rangeFactor = scenario.settings.mcRangeFactor;
    int16_t stdDevFactor = scenario.settings.mcStdDevFactor;
    if (kind == 0) sigma = sigma + rangeFactor * sigma * 0.1;
    if (kind == 2) sigma = sigma + stdDevFactor * sigma * 0.1;
    if (min == max) sigma = 0;
    return sigma;
}

double GaussianRangeRate(float min, float max) {
    // Every account of a plan asks with the same few ranges, every year: the
    // last sigma is kept with everything it was worked out from.
    static float lastMin, lastMax;
    static int16_t lastKind = -1, lastRangeFactor, lastStdDevFactor;
    static double lastSigma, lastMean;
    const ScenarioSettings& settings = scenario.settings;
    if (!SameBits(min, lastMin) || !SameBits(max, lastMax) || settings.mcDistribution != lastKind ||
        settings.mcRangeFactor != lastRangeFactor || settings.mcStdDevFactor != lastStdDevFactor) {
        lastMin = min;
        lastMax = max;
        lastKind = settings.mcDistribution;
        lastRangeFactor = settings.mcRangeFactor;
        lastStdDevFactor = settings.mcStdDevFactor;
        lastSigma = RangeSigma(min, max);
        lastMean = (static_cast<double>(min) + max) * 0.5;
    }
    return PolarDeviate(randomSource.gaussianRange) * lastSigma + lastMean;
}

