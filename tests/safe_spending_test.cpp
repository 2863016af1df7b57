// The safe-spending search: against a direct projection search when nothing is
// random, to the dollar on a random plan, its ends and refusals, and the plan
// and files it must leave as they were.
#include <cstring>
#include <fstream>
#include <memory>

#include "engine_fixture.h"
#include "montecarlo/montecarlo.h"
#include "montecarlo/safe_spending.h"

namespace {

class SafeSpending : public EngineTest {
protected:
    int living = 0;  // the Withdrawal's 1-based Event number

    void SetUp() override {
        EngineTest::SetUp();
        monteCarlo = MonteCarloRun{};
        scenario.initialValues.startAge = 60;
        scenario.initialValues.endAge = 90;
        scenario.initialValues.inflationRate = 3;
        scenario.settings.mcDistribution = 1;  // uniform: a range of 0 draws its one value
        scenario.settings.mcGoalAmount = 0;
        state.mcMinInflationRate = state.mcMaxInflationRate = 3;
        state.mcTrials = 40;
        Account("Savings", AccountInvestmentSavings, 400000, 5, 5, 5);
        Account("Retirement", AccountRetirementSavings, 150000, 6, 6, 6);
        AddEvent(EventDeposit, 60, 66, "Wages").amount = 30000;
        Event& e = AddEvent(EventWithdrawal, 60, 90, "Living");
        e.amount = 25000;
        e.applyInflation = 1;
        living = state.eventCount;
    }

    int Account(const char* name, uint16_t type, float amount, float rate, float low, float high) {
        int pos = AddAccount(name, type, amount, rate);
        scenario.accountTable.accounts[pos].randomMinRate = low;
        scenario.accountTable.accounts[pos].randomMaxRate = high;
        return pos;
    }

    static SafeSpendingResult Find(int event, float target, int trials = -1) {
        SafeSpendingRequest r;
        r.eventNumber = event;
        r.targetPercent = target;
        r.trials = trials;
        return FindSafeSpending(r);
    }

    // The whole analysis at `amount` from the search's random start.
    int FailedAt(float amount) {
        scenario.events[living - 1].amount = amount;
        MonteCarloOptions options;
        options.writeStatistics = 0;
        options.fixedStart = 1;
        options.startValue = SafeSpendingSeed;
        EXPECT_EQ(RunMonteCarlo(options), 1);
        return monteCarlo.failedTrials;
    }

    // Whether the plain projection at `amount` never falls below the goal.
    bool PlainHolds(float amount) {
        scenario.events[living - 1].amount = amount;
        EXPECT_EQ(RunProjection(OutputResultsList), 1);
        for (int row = 0; row < results.rowCount && row < MonteCarloRows; ++row)
            if (!(results.yearSummary[row][6] >= scenario.settings.mcGoalAmount)) return false;
        return true;
    }
};

TEST_F(SafeSpending, WithoutRandomnessEqualsTheDirectProjectionSearch) {
    // The largest whole amount whose plain projection never goes below the goal.
    const float kept = scenario.events[living - 1].amount;
    int64_t lo = 0, hi = SafeSpendingCap;
    ASSERT_TRUE(PlainHolds(0));
    ASSERT_FALSE(PlainHolds(static_cast<float>(hi)));
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        (PlainHolds(static_cast<float>(mid)) ? lo : hi) = mid;
    }
    scenario.events[living - 1].amount = kept;
    ASSERT_GT(lo, 20000);
    ASSERT_LT(lo, 40000);  // the plan must limit the amount for the comparison to mean anything

    const SafeSpendingResult r = Find(living, 90);
    ASSERT_EQ(r.outcome, SafeFound) << r.notice.text;
    EXPECT_EQ(r.amount, lo);
    EXPECT_EQ(r.successPercent, 100.0f);  // every trial is the plain projection
    EXPECT_EQ(r.trials, 40);
    // The steps bracket the answer: every amount above it fails, every one at or below reaches.
    ASSERT_GE(r.steps.size(), 10u);
    for (const SafeSpendingStep& s : r.steps) EXPECT_EQ(s.reaches, s.amount <= lo ? 1 : 0) << s.amount;
    EXPECT_EQ(r.steps.back().step, static_cast<int>(r.steps.size()));
}

TEST_F(SafeSpending, RandomPlanReachesTheTargetAndOneDollarMoreDoesNotLeavingThePlanAsItWas) {
    for (int pos = 0; pos < 2; ++pos) {
        scenario.accountTable.accounts[pos].randomMinRate = -8;
        scenario.accountTable.accounts[pos].randomMaxRate = 16;
    }
    state.mcMinInflationRate = 1;
    state.mcMaxInflationRate = 6;
    {
        std::ofstream stats(StatsFileName);
        stats << "the person's last analysis\n";
    }
    ASSERT_EQ(RunProjection(OutputResultsList), 1);  // the plan as the person sees it
    const float plainNetWorth = results.yearSummary[10][6];
    const int plainLines = resultsList.count;
    auto before = std::make_unique<Scenario>(scenario);
    const ScenarioState beside = state;
    monteCarlo.successPercent = 12.5f;  // the person's last analysis, as the folder shows it

    const SafeSpendingResult r = Find(living, 80);
    ASSERT_EQ(r.outcome, SafeFound) << r.notice.text;
    EXPECT_EQ(std::memcmp(before.get(), &scenario, sizeof scenario), 0);
    EXPECT_EQ(state.eventCount, beside.eventCount);
    EXPECT_EQ(state.mcTrials, beside.mcTrials);
    EXPECT_EQ(state.modified.Changes(), beside.modified.Changes());
    EXPECT_EQ(monteCarlo.successPercent, 12.5f);
    EXPECT_EQ(results.yearSummary[10][6], plainNetWorth);
    EXPECT_EQ(resultsList.count, plainLines);
    EXPECT_EQ(Lines(StatsFileName), std::vector<std::string>{"the person's last analysis"});

    // With the same random start, the answer reaches 80% and a dollar more does not.
    ASSERT_GT(r.amount, 1000);
    const int atAmount = FailedAt(static_cast<float>(r.amount));
    EXPECT_TRUE(ReachesTarget(atAmount, 40, 80));
    EXPECT_LT(atAmount, 40);
    EXPECT_EQ(monteCarlo.successPercent, r.successPercent);
    EXPECT_FALSE(ReachesTarget(FailedAt(static_cast<float>(r.amount + 1)), 40, 80));
}

TEST_F(SafeSpending, RefusalsUnreachableTargetsAndTheCap) {
    // Not a Withdrawal, no such Event, a Budget's Withdrawal, a target out of range, no trials.
    SafeSpendingResult r = Find(1, 90);
    EXPECT_EQ(r.outcome, SafeRefused);
    EXPECT_EQ(r.notice.text, "Event 1 is not a Withdrawal. A safe amount can only be found for a Withdrawal Event.");
    EXPECT_TRUE(r.steps.empty());
    EXPECT_EQ(Find(3, 90).notice.text, "There is no Event 3: the plan has 2 Events.");
    EXPECT_EQ(Find(living, 0).notice.caption, "RATE ERROR");
    EXPECT_EQ(Find(living, 100.5f).outcome, SafeRefused);
    r = Find(living, 90, 0);
    EXPECT_EQ(r.outcome, SafeRefused);
    EXPECT_EQ(r.notice.caption, "TRIALS ERROR");
    Event& e = scenario.events[living - 1];
    e.option = 1;
    e.budgetIndex = 2;
    EXPECT_EQ(Find(living, 90).notice.text,
              "\"Living\" is the Withdrawal of Budget 2: its amount comes from the Budget's items. Change the "
              "Budget to change it.");
    e.option = 0;
    e.budgetIndex = 0;

    // A goal no plan reaches: not even $0 will do, and the search says so.
    scenario.settings.mcGoalAmount = 1e9f;
    r = Find(living, 90, 3);
    EXPECT_EQ(r.outcome, SafeUnreachable);
    EXPECT_EQ(r.steps.back().amount, 0);
    EXPECT_EQ(SafeSpendingResultText(r, 90),
              "No amount reaches the target: even $0 has a success rate of 0.00% (target 90.00%).");

    // A Withdrawal that begins after the plan ends costs nothing: the cap reaches.
    scenario.settings.mcGoalAmount = 0;
    e.startAge = e.endAge = 95;
    r = Find(living, 90, 2);
    EXPECT_EQ(r.outcome, SafeAtCap);
    EXPECT_EQ(r.amount, SafeSpendingCap);
    EXPECT_EQ(SafeSpendingResultText(r, 90),
              "Even $100,000,000, the most a Withdrawal can take, reaches 100.00% (target 90.00%).");
}

TEST_F(SafeSpending, StoppingKeepsTheBestAmountFoundSoFar) {
    struct Watch {
        int steps = 0, asks = 0;
    } watch;
    SafeSpendingProgress progress;
    progress.context = &watch;
    progress.step = [](void* c, const SafeSpendingStep&) { ++static_cast<Watch*>(c)->steps; };
    // Stop in the middle of the second step's trials.
    progress.stop = [](void* c) { return ++static_cast<Watch*>(c)->asks > 39 + 20 ? 1 : 0; };
    SafeSpendingRequest request;
    request.eventNumber = living;
    scenario.events[living - 1].amount = 15000;
    auto before = std::make_unique<Scenario>(scenario);
    const SafeSpendingResult r = FindSafeSpending(request, &progress);
    EXPECT_EQ(r.outcome, SafeStopped);
    EXPECT_EQ(watch.steps, 1);
    ASSERT_EQ(r.steps.size(), 1u);
    EXPECT_EQ(r.amount, 15000);  // the plan's own amount reached; the doubling was under way
    EXPECT_EQ(std::memcmp(before.get(), &scenario, sizeof scenario), 0);
    EXPECT_EQ(SafeSpendingResultText(r, 90),
              "Stopped: so far $15,000 is the best, with a success rate of 100.00% (target 90.00%).");
}

}  // namespace
