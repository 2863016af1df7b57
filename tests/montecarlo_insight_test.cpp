// Percentiles, survival by age and the failure summary of a Monte Carlo
// analysis. Packed fields are compared through copies.
#include <vector>

#include "engine_fixture.h"
#include "montecarlo/insight.h"

namespace {

// Five hand-made trials over three rows (ages 83..85), goal 0.
MonteCarloInsight HandMade() {
    MonteCarloInsight in;
    in.rows = 3;
    in.goal = 0;
    in.rowAge = {83, 84, 85};
    in.netWorth = {{10, -5, 1}, {20, 100, 100}, {30, 0, -1}, {40, 7, 7}, {50, 3, -2}};
    in.accounts = {{4, "Brokerage", 0}, {9, "Joint Savings", 0}};
    in.firstDryRow = {1, NoRow, 2, NoRow, 2};
    in.firstDryAccount = {0, -1, 1, -1, 1};
    return in;
}

TEST(MonteCarloInsight, PercentilesSurvivalAndFailuresOfHandMadeTrials) {
    MonteCarloInsight in = HandMade();
    ComputeInsight(in);
    ASSERT_EQ(in.percentiles.size(), 3u);
    // Row 0 sorted is 10..50: positions 0.4, 1, 2, 3 and 3.6 between the order statistics.
    EXPECT_EQ(in.percentiles[0], (std::array<float, 5>{14, 20, 30, 40, 46}));
    // Row 1 sorted is -5, 0, 3, 7, 100.
    EXPECT_EQ(in.percentiles[1][0], -3.0f);
    EXPECT_EQ(in.percentiles[1][2], 3.0f);
    EXPECT_NEAR(in.percentiles[1][4], 62.8f, 0.005f);

    // Trial 1 fails at 84 (a zero net worth is not below a zero goal), trials 3 and 5 at 85.
    EXPECT_EQ(in.failedTrials, 3);
    EXPECT_EQ(in.firstFailureRow, (std::vector<int>{1, NoRow, 2, NoRow, 2}));
    EXPECT_EQ(in.survivalPercent, (std::vector<float>{100, SuccessPercent(1, 5), SuccessPercent(3, 5)}));
    EXPECT_NEAR(in.survivalPercent[2], 40.0f, 0.005f);
    ASSERT_EQ(in.failureBins.size(), 2u);
    EXPECT_EQ(in.failureBins[0].fromAge * 1000 + in.failureBins[0].toAge * 10 + in.failureBins[0].trials, 80841);
    // The span from 85 ends with the plan's last row.
    EXPECT_EQ(in.failureBins[1].fromAge * 1000 + in.failureBins[1].toAge * 10 + in.failureBins[1].trials, 85852);
    ASSERT_EQ(in.dryFirst.size(), 2u);
    EXPECT_EQ(in.dryFirst[0].name, "Joint Savings");
    EXPECT_EQ(in.dryFirst[0].trials, 2);
    EXPECT_EQ(in.failureText,
              "Of 3 failing trials, 67% first fall below the goal at 85; "
              "Joint Savings runs dry first in 67% of them.");

    // A single trial is every percentile of itself; one failure, no account dry.
    MonteCarloInsight one = HandMade();
    one.netWorth.resize(1);
    one.firstDryAccount = {-1};
    ComputeInsight(one);
    EXPECT_EQ(one.percentiles[1], (std::array<float, 5>{-5, -5, -5, -5, -5}));
    EXPECT_EQ(one.failureText,
              "The one failing trial first falls below the goal between 80 and 84; no liquid account runs dry in it.");

    // Nothing failing: full survival everywhere and its own sentence.
    MonteCarloInsight none = HandMade();
    none.goal = -1000;
    ComputeInsight(none);
    EXPECT_EQ(none.failedTrials, 0);
    EXPECT_EQ(none.survivalPercent, (std::vector<float>{100, 100, 100}));
    EXPECT_EQ(none.failureText, "No trial falls below the goal.");
}

class MonteCarloInsightRun : public EngineTest {
protected:
    int forwarded = 0;
    MonteCarloObserver counter{&forwarded, [](void* c, int, const float*, int) { ++*static_cast<int*>(c); }};

    void SetUp() override {
        EngineTest::SetUp();
        monteCarlo = MonteCarloRun{};
        monteCarloInsight = MonteCarloInsight{};
        scenario.initialValues.taxRate = 0;
        scenario.settings.mcDistribution = 1;  // uniform
        state.mcMinInflationRate = state.mcMaxInflationRate = 0;
        state.mcTrials = 60;
    }

    int Account(const char* name, uint16_t type, float amount, float low, float high) {
        int pos = AddAccount(name, type, amount, 0);
        scenario.accountTable.accounts[pos].randomMinRate = low;
        scenario.accountTable.accounts[pos].randomMaxRate = high;
        return pos;
    }

    int Run(uint32_t start) {
        InsightRecorder recorder(&counter);
        MonteCarloOptions options;
        options.observer = recorder.Observer();
        options.fixedStart = 1;
        options.startValue = start;
        return RunMonteCarlo(options);
    }
};

TEST_F(MonteCarloInsightRun, SurvivalFallsAndEndsAtTheSuccessRate) {
    scenario.initialValues.startAge = 60;
    scenario.initialValues.endAge = 90;
    Account("Savings", AccountInvestmentSavings, 300000, -6, 12);
    Event& e = AddEvent(EventWithdrawal, 60, 90, "Living");
    e.amount = 18000;
    scenario.settings.mcGoalAmount = 20000;
    ASSERT_EQ(Run(11), 1);
    const MonteCarloInsight& in = monteCarloInsight;
    ASSERT_EQ(in.complete, 1);
    EXPECT_EQ(forwarded, 60 + 3);  // every curve still reaches the caller's observer
    EXPECT_EQ(in.trials, 60);
    EXPECT_EQ(in.failedTrials, monteCarlo.failedTrials);
    ASSERT_GT(in.failedTrials, 0);  // the plan must really be at risk for this test to mean anything
    ASSERT_LT(in.failedTrials, 60);
    ASSERT_EQ(in.survivalPercent.size(), static_cast<size_t>(in.rows));
    EXPECT_EQ(in.survivalPercent.front(), 100.0f);
    for (size_t row = 1; row < in.survivalPercent.size(); ++row)
        EXPECT_LE(in.survivalPercent[row], in.survivalPercent[row - 1]) << row;
    EXPECT_EQ(in.survivalPercent.back(), monteCarlo.successPercent);
}

// Joint Savings is the only liquid account and empties at 85 in every trial;
// the house drifts so that only some trials then stay above the goal.
TEST_F(MonteCarloInsightRun, OnlyLiquidAccountRunningDryAt85IsReported) {
    scenario.initialValues.startAge = 80;
    scenario.initialValues.endAge = 89;
    Account("House", AccountAsset, 100000, -1, 1);
    int savings = Account("Joint Savings", AccountInvestmentSavings, 50000, 0, 0);
    Event& e = AddEvent(EventWithdrawal, 80, 84, "Living");  // five years empty it
    e.amount = 10000;
    e.applyInflation = 0;
    e.accountId = static_cast<int16_t>(+scenario.accountTable.accounts[savings].accountId);
    scenario.settings.mcGoalAmount = 100000;
    ASSERT_EQ(Run(3), 1);
    const MonteCarloInsight& in = monteCarloInsight;
    ASSERT_GT(in.failedTrials, 0);
    ASSERT_LT(in.failedTrials, 60);
    for (int t = 0; t < in.trials; ++t) {
        EXPECT_EQ(in.rowAge[static_cast<size_t>(in.firstDryRow[static_cast<size_t>(t)])], 85.0f) << t;
        const int row = in.firstFailureRow[static_cast<size_t>(t)];
        if (row != NoRow) {
            EXPECT_GE(in.rowAge[static_cast<size_t>(row)], 85.0f) << t;
        }
    }
    ASSERT_EQ(in.failureBins.size(), 1u);  // the text below names the one bin and account
    EXPECT_EQ(in.dryFirst.size(), 1u);
    EXPECT_EQ(in.failureText, "Of " + std::to_string(in.failedTrials) +
                                  " failing trials, 100% first fall below the goal between 85 and 89; "
                                  "Joint Savings runs dry first in 100% of them.");
}

}  // namespace
