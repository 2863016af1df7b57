// The Monte Carlo analysis: trial loop, success measure, drawn-rate
// statistics and stats.dat. Packed fields are compared through copies.
#include <cmath>
#include <cstring>
#include <vector>

#include "engine_fixture.h"
#include "montecarlo/montecarlo.h"
#include "montecarlo/random.h"

namespace {

struct Shown {
    int phase, trial;
    std::vector<float> netWorth;
};

void Record(void* context, int phase, const float* netWorth, int rows) {
    static_cast<std::vector<Shown>*>(context)->push_back({phase, monteCarlo.trial, {netWorth, netWorth + rows}});
}

class MonteCarloTest : public EngineTest {
protected:
    std::vector<Shown> shown;
    MonteCarloObserver observer{&shown, Record};

    void SetUp() override {
        EngineTest::SetUp();
        monteCarlo = MonteCarloRun{};
        scenario.initialValues.startAge = 60;
        scenario.initialValues.endAge = 70;
        scenario.initialValues.inflationRate = 3;
        state.mcMinInflationRate = 2;  // the working copies the settings dialog edits
        state.mcMaxInflationRate = 5;
        state.mcTrials = 20;
    }

    int Savings(const char* name, float amount, float low, float high) {
        int pos = AddAccount(name, AccountTaxFreeSavings, amount, 5);
        scenario.accountTable.accounts[pos].randomMinRate = low;
        scenario.accountTable.accounts[pos].randomMaxRate = high;
        return pos;
    }

    int Run(uint32_t start = 7) {
        MonteCarloOptions options;
        options.observer = &observer;
        options.fixedStart = 1;
        options.startValue = start;
        return RunMonteCarlo(options);
    }

    std::vector<const Shown*> OfPhase(int phase) const {
        std::vector<const Shown*> out;
        for (const Shown& s : shown)
            if (s.phase == phase) out.push_back(&s);
        return out;
    }
};

TEST_F(MonteCarloTest, NeverNegativeWithGoalZeroSucceedsFully) {
    Savings("Savings", 50000, 1, 7);
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(monteCarlo.outcome, McCompleted);
    EXPECT_EQ(monteCarlo.failedTrials, 0);
    char line[64];
    std::snprintf(line, sizeof line, "Scenario Success = %5.2f%%", static_cast<double>(monteCarlo.successPercent));
    EXPECT_STREQ(line, "Scenario Success = 100.00%");
    // The folder sees the Scenario, every trial in turn, the average and the Scenario again.
    ASSERT_EQ(shown.size(), 23u);
    EXPECT_EQ(shown.front().phase, PhaseSetUp);
    for (int t = 1; t <= 20; ++t) EXPECT_EQ(shown[t].phase * 100 + shown[t].trial, PhaseTrials * 100 + t);
    EXPECT_EQ(shown[21].phase, PhaseAverage);
    EXPECT_EQ(shown[22].phase, PhaseScenario);
    EXPECT_EQ(monteCarlo.phase, PhaseScenario);
    EXPECT_EQ(monteCarlo.rows, 11);  // ages 60..69 and the closing row at 70
    EXPECT_EQ(shown[22].netWorth, shown[0].netWorth);
}

TEST_F(MonteCarloTest, ATrialBelowTheGoalInManyRowsFailsOnce) {
    Savings("Savings", 50000, 1, 7);
    scenario.settings.mcGoalAmount = 1e9f;  // every row of every trial is below
    state.mcTrials = 3;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(monteCarlo.failedTrials, 3);
    EXPECT_EQ(monteCarlo.successPercent, 0.0f);
    EXPECT_EQ(SuccessPercent(1, 3), 100.0f - 1.0f / 3.0f * 100.0f);
}

TEST_F(MonteCarloTest, OneTrialIsItsOwnAverage) {
    Savings("Savings", 50000, -20, 20);
    state.mcTrials = 1;
    ASSERT_EQ(Run(), 1);
    auto trials = OfPhase(PhaseTrials), average = OfPhase(PhaseAverage);
    ASSERT_EQ(trials.size(), 1u);
    ASSERT_EQ(average.size(), 1u);
    EXPECT_EQ(average[0]->netWorth, trials[0]->netWorth);
    EXPECT_NE(trials[0]->netWorth, OfPhase(PhaseScenario)[0]->netWorth);  // the rates really were drawn
    EXPECT_TRUE(monteCarlo.successPercent == 0.0f || monteCarlo.successPercent == 100.0f);
}

TEST_F(MonteCarloTest, ZeroTrialsAreRefusedBeforeAnythingRuns) {
    Savings("Savings", 50000, 1, 7);
    state.mcTrials = 0;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(monteCarlo.outcome, McRefused);
    ASSERT_EQ(runNotices.size(), 1u);
    EXPECT_EQ(runNotices[0].caption, "TRIALS ERROR");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(results.rowCount, 0);
    EXPECT_FALSE(std::filesystem::exists(StatsFileName));
    EXPECT_FALSE(std::filesystem::exists("plotinf01.tmp"));
}

TEST_F(MonteCarloTest, TrialCountIsBroughtIntoItsRunBounds) {
    Savings("Savings", 50000, 1, 7);
    scenario.initialValues.endAge = 61;
    state.mcTrials = -4;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(state.mcTrials, 100);
    EXPECT_EQ(OfPhase(PhaseTrials).size(), 100u);
    state.mcTrials = 1001;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(monteCarlo.trials, 1000);
}

TEST_F(MonteCarloTest, WithoutAccountsOnlyThePlainRunHappens) {
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(monteCarlo.outcome, McNoAccounts);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(runNotices.empty());
    EXPECT_EQ(results.rowCount, 11);
    EXPECT_FALSE(std::filesystem::exists(StatsFileName));
}

TEST_F(MonteCarloTest, SwitchesInflationAndFlowsComeBackAsTheyWere) {
    Savings("Savings", 50000, 1, 7);
    runSwitches.tracking = 1;
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(+scenario.initialValues.inflationRate, 3.0f);
    EXPECT_EQ(runSwitches.tracking + runSwitches.detailedRates + runSwitches.detailedSummary, 3);
    EXPECT_EQ(runSwitches.accountSummary, 1);
    EXPECT_EQ(runSwitches.randomAccountRates + runSwitches.randomGroupRates + runSwitches.monteCarloTrial, 0);
    EXPECT_EQ(runSwitches.recordDrawnRate, nullptr);
    // The closing plain run replaced the trials' results: 5% a year on 50000.
    float balance = 50000;
    for (int year = 0; year < 10; ++year) balance += balance * 5.0f * 0.01f;
    EXPECT_EQ(results.yearSummary[10][6], balance);
}

TEST_F(MonteCarloTest, TheDrawsUseTheWorkingInflationRange) {
    int pos = Savings("Savings", 50000, 5, 5);  // a one-value range draws the account's own 5%
    scenario.settings.mcDistribution = 1;
    scenario.settings.mcMinInflationRate = scenario.settings.mcMaxInflationRate = 9;  // stale until a save
    state.mcMinInflationRate = state.mcMaxInflationRate = 4;
    Event& d = AddEvent(EventDeposit, 60, 70, "Pay");
    d.amount = 1000;
    d.applyInflation = 1;
    d.accountId = static_cast<int16_t>(+scenario.accountTable.accounts[pos].accountId);
    state.mcTrials = 1;
    ASSERT_EQ(Run(), 1);
    // Every trial year inflates the deposit by 4%: the trial is a plain run at 4%.
    std::vector<float> trial = OfPhase(PhaseTrials)[0]->netWorth;
    EXPECT_NE(trial, shown[0].netWorth);
    scenario.initialValues.inflationRate = 4;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    for (int row = 0; row < 11; ++row) EXPECT_EQ(trial[row], results.yearSummary[row][6]) << row;
}

// The trials (and stats.dat) go by access order; the person's list keeps its own.
TEST_F(MonteCarloTest, TrialsGoByAccessOrderAndTheListKeepsItsOrder) {
    int b = Savings("Second", 1000, 1, 7), a = Savings("First", 1000, 1, 7);
    SetFieldText(scenario.accountTable.accounts[b].accessOrder, "2");
    SetFieldText(scenario.accountTable.accounts[a].accessOrder, "1");
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "Second");
    const std::string text = Bytes(StatsFileName);
    ASSERT_NE(text.find("\nSecond\n"), std::string::npos);
    EXPECT_LT(text.find("\nFirst\n"), text.find("\nSecond\n"));
}

TEST_F(MonteCarloTest, ZeroBalanceAccountsDrawButGetNoStatistics) {
    Savings("Funded", 50000, 1, 7);
    Savings("Empty", 0, 1, 7);
    AddAccount("House", AccountAsset, 200000, 2);
    ASSERT_EQ(Run(), 1);
    std::string text = Bytes(StatsFileName);
    EXPECT_EQ(text.rfind("Monte Carlo Statistics - Gaussian Range Accounts\nDistribution Factor = 0\n\nFunded\n", 0), 0u);
    EXPECT_NE(text.find("Count -- 200 yearly rates generated.\n"), std::string::npos);  // 20 trials x 10 years
    EXPECT_EQ(text.find("Empty"), std::string::npos);
    EXPECT_EQ(text.find("House"), std::string::npos);
}

TEST_F(MonteCarloTest, UniformRatesNeverFallAboveGaussianOnesDo) {
    Savings("Savings", 50000, 4, 6);
    scenario.settings.mcDistribution = 1;
    state.mcTrials = 200;
    ASSERT_EQ(Run(), 1);
    const int32_t* bins = monteCarlo.statistics.bins[0];
    EXPECT_EQ(bins[BinBelow] + bins[BinAbove], 0);
    EXPECT_GT(bins[0] * bins[9], 0);

    scenario.settings.mcDistribution = 0;
    scenario.settings.mcRangeFactor = 10;  // sigma doubled: the tails reach past the widened range
    ASSERT_EQ(Run(), 1);
    EXPECT_GT(bins[BinBelow], 0);
    EXPECT_GT(bins[BinAbove], 0);
}

TEST_F(MonteCarloTest, BinsSpanTheRangeWidenedByTheFactor) {
    int pos = Savings("Savings", 50000, 1, 7);
    float lower, width, centre;
    RateBins(pos, lower, width, centre);
    EXPECT_EQ(lower, 1.0f);
    EXPECT_EQ(lower + 10.0f * width, 7.0f);
    EXPECT_EQ(centre, 4.0f);
    scenario.settings.mcRangeFactor = 5;  // 6 widened by half: 9 around 4
    RateBins(pos, lower, width, centre);
    EXPECT_EQ(lower, -0.5f);
    EXPECT_FLOAT_EQ(width, 0.9f);
    scenario.settings.mcDistribution = 2;  // six widened deviations around the rate
    scenario.settings.mcStdDevFactor = 10;
    scenario.accountOptions.stdDeviation[0] = -0.5f;
    scenario.accountTable.accounts[pos].rate = 5;
    RateBins(pos, lower, width, centre);
    EXPECT_EQ(lower, 2.0f);
    EXPECT_EQ(centre, 5.0f);
    scenario.settings.mcDistribution = 1;  // groups: the Group's range
    scenario.settings.mcRandomSource = 1;
    scenario.accountTable.accounts[pos].groupIndex = 3;
    scenario.settings.groupRandomMinRate[3] = 10;
    scenario.settings.groupRandomMaxRate[3] = 0;
    RateBins(pos, lower, width, centre);
    EXPECT_EQ(lower, 10.0f);  // uniform draws go upward from the minimum
    EXPECT_EQ(width, 1.0f);
}

TEST_F(MonteCarloTest, DrawnRatesFallIntoBinsAndSquares) {
    Savings("Savings", 50000, 0, 10);
    scenario.settings.mcDistribution = 1;
    ResetDrawnRateStatistics();
    for (float r : {-0.01f, 0.0f, 0.99f, 1.0f, 9.99f, 10.0f, 10.01f}) CountDrawnRate(0, r);
    const int32_t* bins = monteCarlo.statistics.bins[0];
    std::vector<int> got(bins, bins + MonteCarloBins);
    EXPECT_EQ(got, (std::vector<int>{2, 1, 0, 0, 0, 0, 0, 0, 0, 2, 1, 1}));
    float squares = 0;
    for (float r : {-0.01f, 0.0f, 0.99f, 1.0f, 9.99f, 10.0f, 10.01f}) squares += (5.0f - r) * (5.0f - r);
    EXPECT_EQ(monteCarlo.statistics.sumOfSquares[0], squares);
}

TEST_F(MonteCarloTest, StatsFileBlockReadsAsWritten) {
    Savings("Bonds", 1000, 1, 7);
    scenario.settings.mcDistribution = 2;
    scenario.settings.mcStdDevFactor = 3;
    scenario.settings.mcRandomSource = 1;
    scenario.accountOptions.stdDeviation[0] = 1;
    scenario.accountTable.accounts[0].rate = 4;
    ResetDrawnRateStatistics();
    for (int i = 0; i < 4; ++i) CountDrawnRate(0, 4.5f);  // engine's share: count, extremes, sum
    scenario.accountOptions.mcRateCount[0] = 4;
    scenario.accountTable.accounts[0].mcMinRate = 4.5f;
    scenario.accountTable.accounts[0].mcMaxRate = 4.5f;
    scenario.accountTable.accounts[0].mcRateSum = 18;
    std::FILE* f = std::fopen("s.txt", "w");
    ASSERT_EQ(WriteStatistics(f), 1);
    std::fclose(f);
    // d' = 1.3, six of them: 7.8 wide from 0.1, bins of 0.78.
    EXPECT_EQ(Bytes("s.txt"),
              "Monte Carlo Statistics - Gaussian Standard Deviation Groups\nDistribution Factor = 3\n\n"
              "Bonds\n\t\t\t  No.\n\tRange\t\tRates\t        Frequency\n"
              "Below   0.10\t\t    0\t\n"
              "  0.10\tto\t  0.88\t     0\t\n  0.88\tto\t  1.66\t     0\t\n  1.66\tto\t  2.44\t     0\t\n"
              "  2.44\tto\t  3.22\t     0\t\n  3.22\tto\t  4.00\t     0\t\n"
              "  4.00\tto\t  4.78\t     4\t   one per  1.0 years\n"
              "  4.78\tto\t  5.56\t     0\t\n  5.56\tto\t  6.34\t     0\t\n  6.34\tto\t  7.12\t     0\t\n"
              "  7.12\tto\t  7.90\t     0\t\n"
              "Above   7.90\t\t    0\t\n"
              "Count -- 4 yearly rates generated.\nMinimum Rate\t=   4.50\nMaximum Rate\t=   4.50\n"
              "Average Rate\t=   4.50\nStandard Deviation\t=   0.50\n\n");
}

TEST_F(MonteCarloTest, GroupRatesAreSharedWithinAGroup) {
    int a = Savings("A", 50000, 0, 0), b = Savings("B", 50000, 0, 0);
    scenario.accountTable.accounts[a].groupIndex = scenario.accountTable.accounts[b].groupIndex = 2;
    scenario.settings.mcRandomSource = 1;
    scenario.settings.groupRandomMinRate[2] = -3;
    scenario.settings.groupRandomMaxRate[2] = 9;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(+scenario.accountTable.accounts[a].mcRateSum, +scenario.accountTable.accounts[b].mcRateSum);
    EXPECT_NE(+scenario.accountTable.accounts[a].mcMinRate, +scenario.accountTable.accounts[a].mcMaxRate);
    EXPECT_EQ(std::vector<int>(monteCarlo.statistics.bins[a], monteCarlo.statistics.bins[a] + 12),
              std::vector<int>(monteCarlo.statistics.bins[b], monteCarlo.statistics.bins[b] + 12));
}

// The trials write none of the files a run leaves; the closing plain run
// writes them all.
const char* const RunFiles[] = {"plotinf01.tmp", BigFileName, InFileName, OutFileName};

TEST_F(MonteCarloTest, OnlyTheClosingRunWritesTheRunFiles) {
    Savings("Savings", 50000, 1, 7);
    int written = 0;
    MonteCarloObserver watch{&written, [](void* context, int phase, const float*, int) {
                                 for (const char* f : RunFiles) {
                                     if (phase == PhaseSetUp) std::remove(f);
                                     if (phase == PhaseTrials || phase == PhaseAverage)
                                         *static_cast<int*>(context) += std::filesystem::exists(f);
                                 }
                             }};
    MonteCarloOptions options;
    options.observer = &watch;
    options.fixedStart = 1;
    ASSERT_EQ(RunMonteCarlo(options), 1);
    EXPECT_EQ(written, 0);
    for (const char* f : RunFiles) EXPECT_TRUE(std::filesystem::exists(f)) << f;
    EXPECT_EQ(runSwitches.noRunFiles, 0);
}

// The trials' drawn inflation never reaches the today's-dollars factors:
// while trials are drawn they are the plan's own, 3% a year here.
TEST_F(MonteCarloTest, TrialsKeepThePlansInflationFactors) {
    Savings("Savings", 50000, 1, 7);
    double seen = 0;
    MonteCarloObserver watch{&seen, [](void* context, int phase, const float*, int) {
                                 if (phase == PhaseTrials) *static_cast<double*>(context) = inflationFactor[10];
                             }};
    MonteCarloOptions options;
    options.observer = &watch;
    options.fixedStart = 1;
    ASSERT_EQ(RunMonteCarlo(options), 1);
    EXPECT_NEAR(seen, std::pow(1.03, 10), 1e-6);
    EXPECT_EQ(inflationFactor[10], seen);
}

TEST_F(MonteCarloTest, TheSameStartValueRepeatsTheRun) {
    Savings("Savings", 50000, -5, 15);
    Savings("Other", 20000, 0, 8);
    ASSERT_EQ(Run(11), 1);
    std::string first = Bytes(StatsFileName);
    float success = monteCarlo.successPercent;
    GaussianRate(0, 1);  // a deviate left in the cache must not leak into the next run
    ASSERT_EQ(Run(11), 1);
    EXPECT_EQ(Bytes(StatsFileName), first);
    EXPECT_EQ(monteCarlo.successPercent, success);
    ASSERT_EQ(Run(12), 1);
    EXPECT_NE(Bytes(StatsFileName), first);
}

// stats.dat is replaced only by a complete one: a folder that takes no new
// file refuses the analysis before any trial, and a write that fails (the
// name leads to a full device) is reported, not passed as done.
TEST_F(MonteCarloTest, AStatsFileThatCannotBeWrittenIsReported) {
    Savings("Savings", 50000, -5, 15);
    ASSERT_EQ(Run(11), 1);
    const std::string good = Bytes(StatsFileName);
    TakeEveryPartName(StatsFileName);
    EXPECT_EQ(Run(12), 0);
    EXPECT_EQ(monteCarlo.outcome, McNoStatsFile);
    EXPECT_EQ(Bytes(StatsFileName), good);
    for (int k = 0; k < 100; ++k) std::filesystem::remove(std::string(StatsFileName) + ".part" + std::to_string(k));

    std::filesystem::remove(StatsFileName);
    std::filesystem::create_symlink("/dev/full", StatsFileName);
    Run(12);
    ASSERT_FALSE(runNotices.empty());
    EXPECT_EQ(runNotices.back().text, std::string("Cannot write ") + StatsFileName);
    EXPECT_EQ(runNotices.back().caption, "FILE ERROR");
}

// Stopped after four of nine trials, an analysis closes as one of four trials
// would: the same sums, average, failures, success, statistics file and
// ordinary results; only the trial count it was asked for differs.
TEST_F(MonteCarloTest, AStoppedAnalysisIsTheTrialsThatRan) {
    Savings("Savings", 50000, -20, 15);
    Savings("Other", 20000, 0, 8);
    scenario.settings.mcGoalAmount = 64000;  // two of the four trials fall below it
    state.mcTrials = 4;
    ASSERT_EQ(Run(5), 1);
    const MonteCarloRun whole = monteCarlo;
    const std::string stats = Bytes(StatsFileName);
    const ResultTables plain = results;
    ASSERT_EQ(whole.failedTrials, 2);

    state.mcTrials = 9;
    observer.stop = [](void* context) {
        auto& shownSoFar = *static_cast<std::vector<Shown>*>(context);
        return shownSoFar.back().trial == 4 ? 1 : 0;
    };
    shown.clear();
    ASSERT_EQ(Run(5), 1);
    const MonteCarloRun& stopped = monteCarlo;
    EXPECT_EQ(stopped.outcome, McStopped);
    EXPECT_EQ(stopped.trials, 9);
    EXPECT_EQ(stopped.trialsRun, 4);
    EXPECT_EQ(whole.trialsRun, 4);
    EXPECT_EQ(OfPhase(PhaseTrials).size(), 4u);
    EXPECT_EQ(stopped.failedTrials, whole.failedTrials);
    EXPECT_EQ(stopped.successPercent, whole.successPercent);
    EXPECT_EQ(std::memcmp(stopped.netWorthSum, whole.netWorthSum, sizeof whole.netWorthSum), 0);
    EXPECT_EQ(std::memcmp(stopped.averageNetWorth, whole.averageNetWorth, sizeof whole.averageNetWorth), 0);
    EXPECT_EQ(std::memcmp(stopped.scenarioNetWorth, whole.scenarioNetWorth, sizeof whole.scenarioNetWorth), 0);
    EXPECT_EQ(Bytes(StatsFileName), stats);
    EXPECT_EQ(std::memcmp(&results, &plain, sizeof plain), 0);
    EXPECT_EQ(runSwitches.randomAccountRates, 0);
}

}  // namespace

// A plan of more than 100 years (which no open lets in) is analysed over the
// 100 rows the tables hold, and the person is told so, where the trials once
// stopped judging at the 100th row without a word.
TEST_F(MonteCarloTest, APlanOfAHundredYearsOrMoreIsAnalysedOverItsFirstHundredAndSaysSo) {
    Savings("Savings", 50000, 1, 7);
    scenario.initialValues.startAge = 1;
    scenario.initialValues.endAge = 120;
    state.mcTrials = 2;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(monteCarlo.rows, 100);
    EXPECT_EQ(monteCarlo.rowAge[99], 100.0f);
    ASSERT_EQ(runNotices.size(), 1u);
    EXPECT_EQ(runNotices[0].text, "The age range must be less than 100!");
}

// A trial whose net worth is no number has not reached the goal.
TEST_F(MonteCarloTest, ANetWorthThatIsNoNumberFails) {
    int pos = Savings("Savings", 50000, 1, 7);
    scenario.accountTable.accounts[pos].initialAmount = std::nanf("");
    state.mcTrials = 3;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(monteCarlo.failedTrials, 3);
    EXPECT_EQ(monteCarlo.successPercent, 0.0f);
}
