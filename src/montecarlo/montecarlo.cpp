// The Monte Carlo trial loop, the success measure and the statistics of the
// drawn rates.
#include "montecarlo/montecarlo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/engine.h"
#include "model/model.h"
#include "montecarlo/random.h"

MonteCarloRun monteCarlo;

namespace {

// The options slot of an Account, kept inside the per-account arrays.
int SlotOf(const Account& a) { return a.optionsSlot < MaxAccounts ? a.optionsSlot : 0; }

// The detail output an analysis switches off and gives back afterwards, and
// the switches it owns while it runs.
struct SavedSwitches {
    int tracking, detailedRates, detailedSummary, accountSummary;
    void (*recordDrawnRate)(int, float);
};

SavedSwitches SaveAndSilence() {
    SavedSwitches saved{runSwitches.tracking, runSwitches.detailedRates, runSwitches.detailedSummary,
                        runSwitches.accountSummary, runSwitches.recordDrawnRate};
    runSwitches.tracking = runSwitches.detailedRates = runSwitches.detailedSummary = 0;
    runSwitches.accountSummary = 0;
    runSwitches.randomAccountRates = runSwitches.randomGroupRates = 0;
    runSwitches.monteCarloTrial = 0;
    return saved;
}

void RandomRatesOff() {
    runSwitches.randomAccountRates = runSwitches.randomGroupRates = 0;
    runSwitches.monteCarloTrial = 0;
    runSwitches.listUnread = 0;
    runSwitches.noRunFiles = 0;
}

void Restore(const SavedSwitches& saved) {
    RandomRatesOff();
    runSwitches.tracking = saved.tracking;
    runSwitches.detailedRates = saved.detailedRates;
    runSwitches.detailedSummary = saved.detailedSummary;
    runSwitches.accountSummary = saved.accountSummary;
    runSwitches.recordDrawnRate = saved.recordDrawnRate;
}

// The account ids in table order, so that the analysis can give the person's
// list back in the order it found it.
struct AccountOrder {
    int16_t ids[MaxAccounts];
    int count;
};

AccountOrder TakeAccountOrder() {
    AccountOrder o{};
    o.count = LiveAccountCount();
    for (int i = 0; i < o.count; ++i) o.ids[i] = scenario.accountTable.accounts[i].accountId;
    return o;
}

// Puts the accounts back in the order `o` took; returns whether any moved.
bool PutAccountsBack(const AccountOrder& o) {
    AccountTable& t = scenario.accountTable;
    if (o.count != LiveAccountCount()) return false;
    bool moved = false;
    for (int k = 0; k < o.count; ++k) {
        int i = k;
        while (i < o.count && t.accounts[i].accountId != o.ids[k]) ++i;
        if (i == k || i == o.count) continue;
        const Account a = t.accounts[i];
        for (int j = i; j > k; --j) t.accounts[j] = t.accounts[j - 1];
        t.accounts[k] = a;
        moved = true;
    }
    return moved;
}

// The net worth of result rows 0..rows-1 of the last run.
void TakeNetWorth(float* out, int rows) {
    for (int row = 0; row < rows; ++row) out[row] = row < results.rowCount ? results.yearSummary[row][6] : 0.0f;
}

void Show(const MonteCarloOptions& options, int phase, const float* netWorth) {
    monteCarlo.phase = phase;
    const MonteCarloObserver* o = options.observer;
    if (o && o->show) o->show(o->context, phase, netWorth, monteCarlo.rows);
}

int Finish(const SavedSwitches& saved, int outcome) {
    Restore(saved);
    monteCarlo.outcome = outcome;
    monteCarlo.done = 1;
    return outcome == McCompleted || outcome == McStopped ? 1 : 0;
}

// One line of the bin table, with how often a rate of that line came up.
void BinLine(std::FILE* f, const char* text, int count, int total) {
    std::fputs(text, f);
    if (count >= 1)
        std::fprintf(f, "   one per %4.1f years", static_cast<double>(static_cast<float>(total) / static_cast<float>(count)));
    std::fputc('\n', f);
}

void WriteAccountBlock(std::FILE* f, int position) {
    const Account& a = scenario.accountTable.accounts[position];
    const int32_t* bins = monteCarlo.statistics.bins[position];
    float lower, width, centre;
    RateBins(position, lower, width, centre);
    int total = 0;
    for (int k = 0; k < MonteCarloBins; ++k) total += bins[k];

    std::fprintf(f, "%s\n", FieldText(a.name).c_str());
    std::fputs("\t\t\t  No.\n", f);
    std::fputs("\tRange\t\tRates\t        Frequency\n", f);
    char line[128];
    std::snprintf(line, sizeof line, "Below %6.2f\t\t    %d\t", static_cast<double>(lower), bins[BinBelow]);
    BinLine(f, line, bins[BinBelow], total);
    for (int k = 0; k < 10; ++k) {
        float from = lower + static_cast<float>(k) * width;
        std::snprintf(line, sizeof line, "%6.2f\tto\t%6.2f\t%6d\t", static_cast<double>(from),
                      static_cast<double>(from + width), bins[k]);
        BinLine(f, line, bins[k], total);
    }
    std::snprintf(line, sizeof line, "Above %6.2f\t\t    %d\t", static_cast<double>(lower + 10.0f * width),
                  bins[BinAbove]);
    BinLine(f, line, bins[BinAbove], total);
    if (total > 0) {
        const float count = scenario.accountOptions.mcRateCount[SlotOf(a)];
        const float sum = a.mcRateSum, minimum = a.mcMinRate, maximum = a.mcMaxRate;
        const float squares = monteCarlo.statistics.sumOfSquares[position];
        std::fprintf(f, "Count -- %d yearly rates generated.\n", total);
        std::fprintf(f, "Minimum Rate\t= %6.2f\n", static_cast<double>(minimum));
        std::fprintf(f, "Maximum Rate\t= %6.2f\n", static_cast<double>(maximum));
        std::fprintf(f, "Average Rate\t= %6.2f\n", static_cast<double>(sum / count));
        std::fprintf(f, "Standard Deviation\t= %6.2lf\n",
                     std::sqrt(static_cast<double>(squares / static_cast<float>(total))));
    }
    std::fputc('\n', f);
}

}  // namespace

float SuccessPercent(int failed, int trials) {
    if (trials <= 0) return 100.0f;
    return 100.0f - static_cast<float>(failed) / static_cast<float>(trials) * 100.0f;
}

namespace {

// Everything the bins of an account are worked out from.
struct BinInputs {
    float min, max, rate, sd;
    int16_t kind, rangeFactor, stdDevFactor;
};

BinInputs BinInputsOf(int position) {
    const Account& a = scenario.accountTable.accounts[position];
    const ScenarioSettings& s = scenario.settings;
    BinInputs in{a.randomMinRate, a.randomMaxRate, a.rate, scenario.accountOptions.stdDeviation[SlotOf(a)],
                 s.mcDistribution, s.mcRangeFactor, s.mcStdDevFactor};
    if (s.mcRandomSource != 0 && a.groupIndex < MaxGroups) {
        in.min = s.groupRandomMinRate[a.groupIndex];
        in.max = s.groupRandomMaxRate[a.groupIndex];
    }
    return in;
}

void BinsOf(const BinInputs& in, float& lower, float& width, float& centre) {
    const int kind = in.kind;
    if (kind == 0 || kind == 1) {
        float span = std::fabs(in.max - in.min);
        centre = (in.max + in.min) / 2;
        if (kind == 0) {
            const double factor = in.rangeFactor;
            span = static_cast<float>(span + factor * 0.1 * span);
            lower = centre - span / 2;
        } else {
            lower = in.min;
        }
        width = 0.1f * span;
        return;
    }
    // Gaussian standard deviation: six widened deviations around the rate.
    // (WidenedStdDeviation reads the same factor from the settings.)
    const float span = 6.0f * WidenedStdDeviation(std::fabs(in.sd));
    centre = in.rate;
    lower = in.rate - span / 2;
    width = 0.1f * span;
}

[[maybe_unused]] bool SameInputs(const BinInputs& a, const BinInputs& b) {
    return SameBits(a.min, b.min) && SameBits(a.max, b.max) && SameBits(a.rate, b.rate) && SameBits(a.sd, b.sd) &&
           a.kind == b.kind && a.rangeFactor == b.rangeFactor && a.stdDevFactor == b.stdDevFactor;
}

// The bins of each list position with the inputs they came from: the inputs
// hardly change during an analysis, while rates are counted 5000 times a trial.
struct KeptBins {
    int set;
    BinInputs inputs;
    float lower, top, centre;
    float edge[9];  // the upper edges of bins 0..8, as the count compares them
};
KeptBins keptBins[MaxAccounts];

const KeptBins& BinsAt(int position) {
    KeptBins& k = keptBins[position];
    // During an analysis only an account's rate can change (a Fundamentals
    // Event), and only the standard deviation kind centres on it: the rest
    // was checked when the bins were made, and they are dropped when an
    // analysis starts.
    if (k.set && (k.inputs.kind != 2 || SameBits(k.inputs.rate, scenario.accountTable.accounts[position].rate))) {
#ifndef NDEBUG
        BinInputs now = BinInputsOf(position);
        if (now.kind != 2) now.rate = k.inputs.rate;  // the range kinds do not centre on the rate
        if (!SameInputs(k.inputs, now)) {
            std::fprintf(stderr, "kept rate bins of account %d no longer match their inputs\n", position);
            std::abort();
        }
#endif
        return k;
    }
    const BinInputs in = BinInputsOf(position);
    float width;
    BinsOf(in, k.lower, width, k.centre);
    k.top = k.lower + 10.0f * width;
    for (int e = 0; e < 9; ++e) k.edge[e] = k.lower + static_cast<float>(e + 1) * width;
    k.inputs = in;
    k.set = 1;
    return k;
}

}  // namespace

void RateBins(int position, float& lower, float& width, float& centre) {
    BinsOf(BinInputsOf(position), lower, width, centre);
}

void CountDrawnRate(int position, float rate) {
    if (position < 0 || position >= MaxAccounts) return;
    const KeptBins& b = BinsAt(position);
    int32_t* bins = monteCarlo.statistics.bins[position];
    if (rate < b.lower) {
        ++bins[BinBelow];
    } else if (rate > b.top) {
        ++bins[BinAbove];
    } else {
        // The first bin whose upper edge is above the rate: the edges never
        // fall (or are all NaN), so it is the count of edges not above it,
        // counted without a branch that a random rate would mispredict.
        int k = 0;
        for (int e = 0; e < 9; ++e) k += !(rate < b.edge[e]);
        ++bins[k];  // a rate exactly on the top edge is in the last bin
    }
    const float d = b.centre - rate;
    monteCarlo.statistics.sumOfSquares[position] += d * d;
}

void ResetDrawnRateStatistics() {
    monteCarlo.statistics = DrawnRateStatistics{};
    for (KeptBins& k : keptBins) k.set = 0;
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        Account& a = scenario.accountTable.accounts[i];
        scenario.accountOptions.mcRateCount[SlotOf(a)] = 0;
        a.mcRateSum = 0;
        a.mcMinRate = 1000000.0f;
        a.mcMaxRate = -1000000.0f;
    }
}

int WriteStatistics(std::FILE* f) {
    if (!f) return 0;
    static const char* const titles[3][2] = {
        {"Monte Carlo Statistics - Gaussian Range Accounts", "Monte Carlo Statistics - Gaussian Range Groups"},
        {"Monte Carlo Statistics - Uniform Accounts", "Monte Carlo Statistics - Uniform Groups"},
        {"Monte Carlo Statistics - Gaussian Standard Deviation Accounts",
         "Monte Carlo Statistics - Gaussian Standard Deviation Groups"}};
    const ScenarioSettings& s = scenario.settings;
    const int kind = s.mcDistribution;
    if (kind >= 0 && kind <= 2) std::fprintf(f, "%s\n", titles[kind][s.mcRandomSource != 0 ? 1 : 0]);
    if (kind == 0) std::fprintf(f, "Distribution Factor = %d\n", s.mcRangeFactor);
    if (kind == 2) std::fprintf(f, "Distribution Factor = %d\n", s.mcStdDevFactor);
    std::fputc('\n', f);
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        const float count = scenario.accountOptions.mcRateCount[SlotOf(scenario.accountTable.accounts[i])];
        if (count >= 1.0f) WriteAccountBlock(f, i);
    }
    return 1;
}

int RunMonteCarlo(const MonteCarloOptions& options) {
    MonteCarloRun& mc = monteCarlo;
    mc.done = 0;
    if (state.mcTrials == 0) {
        // Without a trial there is nothing to average and no success to measure.
        runNotices.push_back({"The number of Monte Carlo trials is 0. Enter at least 1 trial.", "TRIALS ERROR"});
        mc.outcome = McRefused;
        mc.done = 1;
        return 0;
    }

    const SavedSwitches saved = SaveAndSilence();
    if (!RunProjection(OutputResultsList)) return Finish(saved, McProjectionFailed);
    if (LiveAccountCount() == 0) return Finish(saved, McNoAccounts);

    const AccountOrder order = TakeAccountOrder();
    SortAccountsByAccessOrder(true);

    if (state.mcTrials < 0) state.mcTrials = 100;
    if (state.mcTrials > MaxMonteCarloTrials) state.mcTrials = MaxMonteCarloTrials;
    mc.trials = state.mcTrials;
    // The settings dialog edits working copies of these; the draws read the
    // Scenario's own fields, which a save would fill from them anyway.
    scenario.settings.mcTrials = static_cast<int16_t>(state.mcTrials);
    scenario.settings.mcMinInflationRate = state.mcMinInflationRate;
    scenario.settings.mcMaxInflationRate = state.mcMaxInflationRate;
    mc.trial = 0;
    mc.trialsRun = 0;
    mc.failedTrials = 0;
    mc.successPercent = 0;
    int last = results.rowCount - 1;
    if (last > MonteCarloRows - 1) last = MonteCarloRows - 1;
    mc.rows = last + 1;
    for (int row = 0; row < MonteCarloRows; ++row) {
        mc.rowAge[row] = row < results.rowCount ? results.yearSummary[row][0] : 0.0f;
        mc.netWorthSum[row] = mc.trialNetWorth[row] = mc.averageNetWorth[row] = mc.scenarioNetWorth[row] = 0;
    }
    TakeNetWorth(mc.scenarioNetWorth, mc.rows);
    Show(options, PhaseSetUp, mc.scenarioNetWorth);
    mc.phase = PhaseTrials;

    // Created first, so that an analysis that could not keep its statistics
    // does not run; it replaces the old file only once complete.
    PartFile stats;
    if (options.writeStatistics) {
        if (!stats.Open(StatsFileName, false)) {
            PutAccountsBack(order);
            return Finish(saved, McNoStatsFile);
        }
    }
    ResetDrawnRateStatistics();
    runSwitches.recordDrawnRate = CountDrawnRate;

    if (scenario.settings.mcRandomSource == 0)
        runSwitches.randomAccountRates = 1;
    else
        runSwitches.randomGroupRates = 1;
    if (options.fixedStart) {
        // A run that must repeat exactly cannot begin with a deviate left
        // over from an earlier run.
        SeedRandom(options.startValue);
        randomSource.gaussian = GaussianCache{};
        randomSource.gaussianRange = GaussianCache{};
    } else {
        SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    }
    const float goal = scenario.settings.mcGoalAmount;
    // Only the net worth of a trial is used; its results list and files are
    // never read: the closing plain run leaves them.
    runSwitches.listUnread = 1;
    runSwitches.noRunFiles = 1;
    const MonteCarloObserver* observer = options.observer;
    bool stopped = false;
    for (int t = 1; t <= mc.trials && !stopped; ++t) {
        runSwitches.monteCarloTrial = t;
        mc.trial = t;
        if (!RunProjection(OutputResultsList)) {
            stats.Abandon();
            Restore(saved);  // a run after this one is read
            if (PutAccountsBack(order)) RunProjection(OutputResultsList);
            return Finish(saved, McProjectionFailed);
        }
        TakeNetWorth(mc.trialNetWorth, mc.rows);
        Show(options, PhaseTrials, mc.trialNetWorth);
        int failed = 0;
        for (int row = 0; row < mc.rows; ++row) {
            mc.netWorthSum[row] += mc.trialNetWorth[row];
            // A net worth that is no number (arithmetic overflowed) is no success.
            if (!failed && !(mc.trialNetWorth[row] >= goal)) {
                ++mc.failedTrials;
                failed = 1;
            }
        }
        mc.trialsRun = t;
        stopped = observer && observer->stop && t < mc.trials && observer->stop(observer->context);
    }

    const float ran = static_cast<float>(mc.trialsRun);
    for (int row = 0; row < mc.rows; ++row) mc.averageNetWorth[row] = mc.netWorthSum[row] / ran;
    Show(options, PhaseAverage, mc.averageNetWorth);

    // The closing plain run leaves the ordinary results: with the person's
    // detail and tracking switches, as a projection outside the analysis.
    Restore(saved);
    int plain = RunProjection(OutputResultsList);
    TakeNetWorth(mc.scenarioNetWorth, mc.rows);
    mc.successPercent = SuccessPercent(mc.failedTrials, mc.trialsRun);
    Show(options, PhaseScenario, mc.scenarioNetWorth);

    if (stats.File()) {
        WriteStatistics(stats.File());
        if (!stats.Commit()) runNotices.push_back({std::string("Cannot write ") + StatsFileName, "FILE ERROR"});
    }
    // The analysis visits the accounts by Access Order; the person's list, and
    // the results that follow its order, come back as they were.
    if (PutAccountsBack(order) && plain) plain = RunProjection(OutputResultsList);
    return Finish(saved, !plain ? McProjectionFailed : stopped ? McStopped : McCompleted);
}
