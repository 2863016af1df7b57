// What a Monte Carlo analysis says beyond its success rate: the spread of
// net worth at each age (percentiles), the share of trials still at or above
// the goal at each age (survival), and why the failing trials fail (the first
// age below the goal and the first liquid Account to run dry).
//
// The trials are gathered through the analysis' observer, so the analysis
// itself and everything it writes stay as they are. Shows nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "montecarlo/montecarlo.h"

constexpr int PercentileCount = 5;
constexpr std::array<int, PercentileCount> PercentileLevels = {10, 25, 50, 75, 90};
constexpr int FailureBinYears = 5;
constexpr int NoRow = -1;

// A five-year span of first-failure ages (whole ages fromAge..toAge), the
// last one cut at the plan's last age.
struct FailureBin {
    int fromAge = 0, toAge = 0;
    int trials = 0;
};

// A liquid Account and the number of failing trials in which it ran dry first.
struct DryAccount {
    uint16_t accountId = 0;
    std::string name;
    int trials = 0;
};

struct MonteCarloInsight {
    // Gathered while the trials run.
    int complete = 0;  // the analysis ran to its end and the figures below are computed
    int rows = 0;
    float goal = 0;
    std::vector<float> rowAge;             // per row
    std::vector<std::vector<float>> netWorth;  // per trial, one value per row
    std::vector<int> firstDryRow;          // per trial: the row its first Account ran dry, NoRow none
    std::vector<int> firstDryAccount;      // per trial: index into `accounts`, -1 none
    std::vector<DryAccount> accounts;      // every liquid Account seen to run dry (trials counted later)

    // Computed by ComputeInsight.
    int trials = 0;
    int failedTrials = 0;
    std::vector<int> firstFailureRow;                               // per trial, NoRow when it never failed
    std::vector<std::array<float, PercentileCount>> percentiles;    // per row, PercentileLevels
    std::vector<float> survivalPercent;                             // per row
    std::vector<FailureBin> failureBins;  // by age, only bins that hold a failing trial
    std::vector<DryAccount> dryFirst;     // among failing trials, most often first; ties by name
    std::string failureText;
};
extern MonteCarloInsight monteCarloInsight;

// The p-th percentile (0..100) of `sorted` (ascending, not empty): linear
// interpolation between the order statistics around position (n - 1) * p / 100,
// counted from 0, so that the 0th is the smallest and the 100th the largest.
float Percentile(const std::vector<float>& sorted, float p);

// Fills the computed part of `insight` from what was gathered. The failing
// trials are found as the analysis finds them (net worth of any row strictly
// below the goal), so the survival of the last row is the success percentage.
void ComputeInsight(MonteCarloInsight& insight);

// The sentence under the success line, e.g. "Of 236 failing trials, 61% first
// fall below the goal between 85 and 89; Joint Savings runs dry first in 88%
// of them."
std::string FailureText(const MonteCarloInsight& insight);

// Wraps the observer a caller passes to RunMonteCarlo: gathers every trial into
// `monteCarloInsight` and computes it before the closing curve is shown, then
// hands each curve on to `next` (may be null).
class InsightRecorder {
public:
    explicit InsightRecorder(const MonteCarloObserver* next = nullptr);
    InsightRecorder(const InsightRecorder&) = delete;
    InsightRecorder& operator=(const InsightRecorder&) = delete;
    const MonteCarloObserver* Observer() const { return &observer_; }

private:
    static void Show(void* context, int phase, const float* netWorth, int rows);
    static int Stop(void* context);
    const MonteCarloObserver* next_;
    MonteCarloObserver observer_;
};
