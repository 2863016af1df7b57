// The Monte Carlo analysis: the whole projection repeated with random
// inflation and Account or Group rates, the share of trials in which net
// worth never fell below the goal, and the statistics of the drawn rates
// ("stats.dat").
//
// The analysis draws nothing itself: it hands each curve to an observer as it
// comes, so that the "Monte Carlo Analysis" folder can draw it and the
// desktop program can show progress. It runs synchronously on the caller's
// thread.
#pragma once

#include <cstdint>
#include <cstdio>

#include "model/records.h"

constexpr int MonteCarloRows = 121;  // rows 0..120 of the net-worth sums
constexpr int MonteCarloBins = 12;   // ten bins, then below and above
constexpr int BinBelow = 10;
constexpr int BinAbove = 11;
constexpr int MaxMonteCarloTrials = 1000;
constexpr const char* StatsFileName = "stats.dat";

// What the folder shows while the analysis runs.
enum : int {
    PhaseNone = 0,      // no analysis yet
    PhaseSetUp = 1,     // the plain Scenario curve before the trials
    PhaseTrials = 2,    // one curve per trial
    PhaseAverage = 3,   // the average curve
    PhaseScenario = 4,  // the Scenario curve, the legend and the success line
};

// Why the last analysis ended (MonteCarloRun::outcome).
enum : int {
    McCompleted = 1,
    McRefused = 2,          // no trials asked for; refused before anything ran
    McNoAccounts = 3,       // only the plain projection ran
    McNoStatsFile = 4,      // stats.dat could not be created
    McProjectionFailed = 5, // a projection run could not start (reported by the engine)
    McStopped = 6,          // the person stopped it: everything is of the trials that ran
};

// Receives each curve as it comes. `netWorth` holds `rows` values, one per
// result row; the ages of the rows are MonteCarloRun::rowAge. The current
// trial, trial count and success percentage are in `monteCarlo`.
struct MonteCarloObserver {
    void* context = nullptr;
    void (*show)(void* context, int phase, const float* netWorth, int rows) = nullptr;
    // Asked after each trial: 1 ends the trials there. The analysis then
    // closes as after the last trial, over the trials that ran.
    int (*stop)(void* context) = nullptr;
};

struct MonteCarloOptions {
    const MonteCarloObserver* observer = nullptr;
    int writeStatistics = 1;  // 0 when the folder is printed: no stats.dat at all
    // 1: start the random source from `startValue` rather than the calendar
    // time, and the Gaussian caches afresh, for runs that must repeat exactly.
    int fixedStart = 0;
    uint32_t startValue = 0;
};

// Statistics of the rates drawn for each list position; the count, minimum,
// maximum and sum live in the Account records and AccountOptions.
struct DrawnRateStatistics {
    int32_t bins[MaxAccounts][MonteCarloBins];
    float sumOfSquares[MaxAccounts];  // about the nominal centre, not the sample mean
};

struct MonteCarloRun {
    int32_t phase;
    int32_t trial;         // 1-based while the trials run
    int32_t trials;        // trials of this analysis, after the run bounds
    int32_t trialsRun;     // trials that ran: `trials` unless the analysis was stopped
    int32_t failedTrials;
    int32_t rows;          // result rows of each trial (last row + 1), at most MonteCarloRows
    int32_t outcome;
    int32_t done;          // the analysis has finished (whatever its outcome)
    float successPercent;
    float rowAge[MonteCarloRows];
    float netWorthSum[MonteCarloRows];
    float trialNetWorth[MonteCarloRows];
    float averageNetWorth[MonteCarloRows];
    float scenarioNetWorth[MonteCarloRows];
    DrawnRateStatistics statistics;
};
extern MonteCarloRun monteCarlo;

// The whole analysis. Returns 1 when the trials ran, also when the observer
// stopped them early (outcome McStopped), 0 otherwise (the reason is in
// monteCarlo.outcome). The trial count and inflation range are the
// working copies in `state` (copied into the Scenario's settings for the
// draws). The trials visit the Account list sorted by access order; the list
// is put back in its own order at the end (with one more plain run when that
// moved an account), so the ordinary results match a plain projection.
int RunMonteCarlo(const MonteCarloOptions& options);

// The lower bound, bin width and nominal centre of the drawn-rate bins of the
// Account at `position`, from its present values and the Monte Carlo settings.
void RateBins(int position, float& lower, float& width, float& centre);
// Adds a drawn rate of the Account at `position` to its bins and sum of squares.
void CountDrawnRate(int position, float rate);
// Clears every Account's drawn-rate statistics.
void ResetDrawnRateStatistics();
// Writes the statistics as "stats.dat" holds them. Returns 1, or 0 when the
// stream is missing.
int WriteStatistics(std::FILE* stream);

// The success percentage for `failed` of `trials` trials (100 when none ran).
float SuccessPercent(int failed, int trials);
