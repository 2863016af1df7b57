// Deposits, withdrawals (Budget ones too), transfers and asset-allocation
// withdrawals in whole projection runs.
#include <cmath>

#include "bench/every_event_scenario.h"
#include "engine_events_fixture.h"

namespace {

TEST_F(EventsTest, WithdrawalGrowsByItsRateAndInflation) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 100000, 0);
    scenario.initialValues.endAge = 67;
    scenario.initialValues.inflationRate = 4;
    Event& e = Withdrawal(65, 66, 12000, "Living");
    e.applyRate = 3;
    e.applyInflation = 1;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), Strings{"  Living - Withdraw $12,000.00"});
    EXPECT_EQ(YearLines(lines, "66.0"), Strings{"  Living - Withdraw $12,840.00"});
    EXPECT_EQ(Balance(savings), 100000.0f - 12000.0f - 12840.0f);
    EXPECT_NEAR(results.yearSummary[1][12], 12840.0f, 0.005f);  // the year's withdrawals flow
    // The event item file holds the working amount before each year's growth.
    Strings big = Lines(BigFileName);
    ASSERT_EQ(big.size(), 3u);
    EXPECT_EQ(big[0], " 65.0\tLiving\t6\t     12000.00");
    EXPECT_EQ(big[1], " 66.0\tLiving\t6\t     12840.00");
    EXPECT_EQ(big[2], "Dooone");
}

TEST_F(EventsTest, RecurringAmountsAreProratedButOneTimeAmountsAreNot) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 0, 0);
    scenario.initialValues.useBirthday = 1;
    scenario.initialValues.birthMonth = 1;
    scenario.initialValues.birthDay = 1;
    state.todayMonth = 3;  // 73 days after the birthday: 0.8 of the year is left
    state.todayDay = 16;
    Event& once = AddEvent(EventDeposit, 65, 65, "Bonus");
    once.amount = 5000;
    once.oneTimeOnly = 1;
    once.accountId = IdOf(savings);
    Event& yearly = AddEvent(EventDeposit, 65, 70, "Pay");
    yearly.amount = 1000;
    yearly.accountId = IdOf(savings);
    Strings lines = RunList();
    EXPECT_TRUE(Has(lines, "  Bonus - Deposit $5,000.00 to Savings"));
    EXPECT_TRUE(Has(lines, "  Pay - Deposit $800.00 to Savings"));
    EXPECT_NEAR(Balance(savings), 5800.0f, 0.005f);
    EXPECT_NEAR(results.yearSummary[0][8], 5800.0f, 0.005f);  // deposits flow
    Strings in = Lines(InFileName);
    EXPECT_TRUE(Has(in, " 65.0\tSavings\t      5000.00"));
}

TEST_F(EventsTest, TaxedDepositPaysTheTaxRateUpFront) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 0, 0);
    scenario.initialValues.taxRate = 25;
    Event& e = AddEvent(EventDeposit, 65, 65, "Gift");
    e.amount = 1000;
    e.oneTimeOnly = 1;
    e.secondary = 1;
    e.accountId = IdOf(savings);
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"),
              (Strings{"  Gift - Deposit $750.00 to Savings. $250.00 tax deducted from deposit.",
                       "  Deposit Taxes = $250.00"}));
    EXPECT_EQ(Balance(savings), 750.0f);
}

TEST_F(EventsTest, OneTimeEventActsOnceAndRecurringOnesStopAfterTheirEndAge) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 0, 0);
    scenario.initialValues.endAge = 70;
    Event& once = AddEvent(EventDeposit, 66, 0, "Once");  // a one-time end age may be anything
    once.amount = 100;
    once.oneTimeOnly = 1;
    once.accountId = IdOf(savings);
    Event& yearly = AddEvent(EventDeposit, 65, 67, "Yearly");
    yearly.amount = 10;
    yearly.accountId = IdOf(savings);
    Strings lines = RunList();
    EXPECT_EQ(CountContaining(lines, "Once - Deposit"), 1);
    EXPECT_EQ(CountContaining(lines, "Yearly - Deposit"), 3);  // 65, 66 and its end age 67
    EXPECT_EQ(Balance(savings), 130.0f);
    EXPECT_EQ(+scenario.events[0].runState, RunDone);
}

TEST_F(EventsTest, EarlyRetirementWithdrawalPaysPenaltyAndTaxAtYearEnd) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 1000, 0);
    int ira = AddAccount("IRA", AccountRetirementSavings, 10000, 0);
    Penalty(ira, 59, 10);
    scenario.initialValues.startAge = 55;
    scenario.initialValues.endAge = 56;
    scenario.initialValues.taxRate = 20;
    Event& e = Withdrawal(55, 55, 3000, "Cash");
    e.oneTimeOnly = 1;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "55.0"),
              (Strings{"  Cash - Withdraw $3,000.00", "  Withdrawal Taxes = $400.00", "  Penalties Paid = $240.00"}));
    EXPECT_EQ(Balance(savings), 0.0f);
    EXPECT_EQ(Balance(ira), 10000.0f - 2000.0f - 400.0f - 240.0f);
    EXPECT_EQ(results.yearSummary[0][15], 240.0f);  // penalties flow
    EXPECT_EQ(lines.back(), " 55.0   A penalty was paid starting at this age.");
}

TEST_F(EventsTest, BudgetWithdrawalGrowsItemByItemAndTracksItems) {
    AddAccount("Savings", AccountInvestmentSavings, 10000, 0);
    scenario.initialValues.endAge = 67;
    Budget& b = scenario.budgets[0];
    b.itemCount = 2;
    SetFieldText(b.itemName[0], "Food");
    SetFieldText(b.itemName[1], "Rent");
    b.itemYearly[0] = 100;
    b.itemYearly[1] = 200;
    b.itemApplyRate[1] = 5;
    b.itemTrack[1] = 1;
    Event& e = Withdrawal(65, 66, 300, "Home");
    e.option = 1;
    e.budgetIndex = 1;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), (Strings{"  Budget - Home - Withdraw $300.00", "           Tracking budget item(s):",
                                                 "                Rent - $200.00"}));
    EXPECT_EQ(YearLines(lines, "66.0"), (Strings{"  Budget - Home - Withdraw $310.00", "           Tracking budget item(s):",
                                                 "                Rent - $210.00"}));
    EXPECT_EQ(results.accountBalance[2][0], 10000.0f - 610.0f);
    // A second run starts again from the entered item amounts.
    RunList();
    EXPECT_EQ(results.accountBalance[2][0], 10000.0f - 610.0f);
}

TEST_F(EventsTest, WithoutInvestmentSavingsAShortWithdrawalIsDropped) {
    int roth = AddAccount("Roth", AccountTaxFreeSavings, 0, 0);
    int house = AddAccount("House", AccountAsset, 50000, 0);
    Withdrawal(65, 65, 500, "Trip");
    Strings lines = RunList();
    EXPECT_EQ(Balance(roth), 0.0f);
    EXPECT_EQ(Balance(house), 50000.0f);
    EXPECT_TRUE(Has(lines, " 65.0   Liquid accounts were depleted."));
}

TEST_F(EventsTest, AssignedAccountPaysFirstAndTheRestComesFromTheOthers) {
    int roth = AddAccount("Roth", AccountTaxFreeSavings, 300, 0);
    int savings = AddAccount("Savings", AccountInvestmentSavings, 10000, 0);
    scenario.initialValues.endAge = 67;
    Event& e = Withdrawal(65, 66, 500, "Fees");
    e.accountId = IdOf(roth);
    e.years = AccountAssignedMarker;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), (Strings{"  Fees - Withdraw $500.00",
                                                 "      Withdrawal account Roth depleted $200.00 withdrawn from other accounts!"}));
    EXPECT_TRUE(Has(YearLines(lines, "66.0"),
                    "      Withdrawal account Roth depleted $500.00 withdrawn from other accounts!"));
    EXPECT_EQ(Balance(roth), 0.0f);  // an empty account is never overdrawn
    EXPECT_EQ(Balance(savings), 10000.0f - 200.0f - 500.0f);
    // Raised only after the start year.
    EXPECT_TRUE(Has(lines, " 66.0   A withdrawal account was depleted."));
}

// A withdrawal assigned to an Asset account took nothing from it and said
// nothing; the whole amount came from the liquid accounts unreported.
TEST_F(EventsTest, AnAssignedAccountThatIsNotLiquidReportsWhatItCouldNotGive) {
    int house = AddAccount("House", AccountAsset, 50000, 0);
    int savings = AddAccount("Savings", AccountInvestmentSavings, 10000, 0);
    scenario.initialValues.endAge = 67;
    Event& e = Withdrawal(65, 66, 500, "Fees");
    e.accountId = IdOf(house);
    e.years = AccountAssignedMarker;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), (Strings{"  Fees - Withdraw $500.00",
                                                 "      Withdrawal account House depleted $500.00 withdrawn from other accounts!"}));
    EXPECT_EQ(Balance(house), 50000.0f);
    EXPECT_EQ(Balance(savings), 10000.0f - 500.0f - 500.0f);
    EXPECT_TRUE(Has(lines, " 66.0   A withdrawal account was depleted."));
}

TEST_F(EventsTest, TransferMovesWhatTheAccountHoldsAndReportsTheRest) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 1500, 0);
    int roth = AddAccount("Roth", AccountTaxFreeSavings, 0, 0);
    scenario.initialValues.endAge = 68;
    Event& e = AddEvent(EventTransfer, 65, 67, "Move");
    e.amount = 1000;
    e.secondary = IdOf(savings);
    e.accountId = IdOf(roth);
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), Strings{"  Move  Transfer $1,000.00 from Savings to Roth "});
    EXPECT_EQ(YearLines(lines, "66.0"), (Strings{"  Move  Transfer $500.00 from Savings to Roth ",
                                                 "  Move - Savings depleted $500.00 not transferred!"}));
    EXPECT_EQ(YearLines(lines, "67.0"), (Strings{"  Move  Transfer $0.00 from Savings to Roth ",
                                                 "  Move - Savings depleted $1,000.00 not transferred!"}));
    EXPECT_EQ(Balance(savings), 0.0f);
    EXPECT_EQ(Balance(roth), 1500.0f);
    EXPECT_EQ(run.failedTransfers, 2);
    EXPECT_TRUE(Has(lines, " 66.0   There were 2 transfer(s) not completed due to insufficient funds starting at this age."));
}

TEST_F(EventsTest, TransferAllOutOfRetirementSavingsIsTaxedOnce) {
    int ira = AddAccount("IRA", AccountRetirementSavings, 5000, 0);
    int savings = AddAccount("Savings", AccountInvestmentSavings, 0, 0);
    scenario.initialValues.endAge = 67;
    scenario.initialValues.taxRate = 20;
    Event& e = AddEvent(EventTransfer, 65, 66, "Roll");
    e.amount = 1;
    e.transferAll = 1;
    e.secondary = IdOf(ira);
    e.accountId = IdOf(savings);
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"),
              (Strings{"  Roll  Transfer $5,000.00 from IRA to Savings ", "  Withdrawal Taxes = $1,000.00"}));
    EXPECT_EQ(CountContaining(lines, "Transfer $"), 1);
    EXPECT_EQ(Balance(ira), 0.0f);
    EXPECT_EQ(Balance(savings), 4000.0f);
    EXPECT_EQ(+scenario.events[0].transferAll, 1);  // the setting survives the run
}

TEST_F(EventsTest, OverdrawnAccountTransfersNothing) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, -300, 0);
    int roth = AddAccount("Roth", AccountTaxFreeSavings, 100, 0);
    Event& e = AddEvent(EventTransfer, 65, 65, "Move");
    e.amount = 1000;
    e.secondary = IdOf(savings);
    e.accountId = IdOf(roth);
    RunList();
    EXPECT_EQ(Balance(savings), -300.0f);
    EXPECT_EQ(Balance(roth), 100.0f);
}

class AllocationTest : public EventsTest {
protected:
    int a = 0, b = 0;
    void Accounts(float first, float second, int16_t option) {
        a = AddAccount("A", AccountInvestmentSavings, first, 0);
        b = AddAccount("B", AccountInvestmentSavings, second, 0);
        TakePart(a);
        TakePart(b);
        scenario.accountTable.assetAllocOption = option;
        scenario.accountTable.assetAllocStartAge = 65;
        scenario.accountTable.assetAllocAmount = 1000;
    }
    void TakePart(int pos) { scenario.accountOptions.assetAllocation[scenario.accountTable.accounts[pos].optionsSlot] = 1; }
    void Withdraw(float amount) {
        Withdrawal(65, 65, amount, "Draw");
        RunList();
    }
};

TEST_F(AllocationTest, EqualSharesFromEachAccount) {
    Accounts(10000, 30000, 2);
    Withdraw(4000);
    EXPECT_EQ(Balance(a), 8000.0f);
    EXPECT_EQ(Balance(b), 28000.0f);
}

TEST_F(AllocationTest, ProportionalSharesFollowTheBalances) {
    Accounts(10000, 30000, 1);
    Withdraw(4000);
    EXPECT_EQ(Balance(a), 9000.0f);
    EXPECT_EQ(Balance(b), 27000.0f);
}

TEST_F(AllocationTest, ASmallAccountsShortfallIsCarriedToTheNext) {
    Accounts(1000, 30000, 2);
    Withdraw(4000);
    EXPECT_EQ(Balance(a), 0.0f);
    EXPECT_EQ(Balance(b), 27000.0f);
}

TEST_F(AllocationTest, ASatisfiedShortfallIsNotAskedForAgain) {
    Accounts(1000, 30000, 2);
    int c = AddAccount("C", AccountInvestmentSavings, 30000, 0);
    TakePart(c);
    Withdraw(6000);
    EXPECT_EQ(Balance(a), 0.0f);
    EXPECT_EQ(Balance(b), 27000.0f);  // its share of 2,000 and the 1,000 A could not give
    EXPECT_EQ(Balance(c), 28000.0f);  // its share only
}

TEST_F(AllocationTest, InverseWeightsNeverTakeMoreThanTheWithdrawal) {
    Accounts(10000, 10000, 3);
    int c = AddAccount("C", AccountInvestmentSavings, 20000, 0);
    TakePart(c);
    Withdraw(4000);  // weights 0.75, 0.75, 0.5
    EXPECT_EQ(Balance(a) + Balance(b) + Balance(c), 36000.0f);
    EXPECT_EQ(Balance(a), 7000.0f);
    EXPECT_EQ(Balance(c), 20000.0f);
}

TEST_F(AllocationTest, BelowTheMinimumAmountTheTableOrderApplies) {
    Accounts(10000, 30000, 2);
    Withdraw(500);
    EXPECT_EQ(Balance(a), 9500.0f);
    EXPECT_EQ(Balance(b), 30000.0f);
}

// The benchmark's Scenario with every kind of Event, run whole: every figure
// stays a number and every kind acts.
TEST_F(EventsTest, EveryKindOfEventRunsTogether) {
    BuildEveryEventScenario();
    ASSERT_EQ(state.eventCount, MaxEvents);
    int rmdEvents = 0;
    for (int i = 0; i < MaxEvents; ++i) rmdEvents += scenario.events[i].eventType == EventRmdOption;
    EXPECT_EQ(rmdEvents, 3);
    SetDetailedResults(1);
    Strings lines = RunList();
    EXPECT_EQ(results.rowCount, 100);
    for (int row = 0; row < results.rowCount; ++row)
        for (int cell = 0; cell < SummaryCells; ++cell) ASSERT_TRUE(std::isfinite(results.yearSummary[row][cell]));
    for (const char* part : {"Rate Changes", "Deposit $", "Budget - ", "Tracking budget", " Transfer $", "from loan",
                             "to pay off credit card", "for monthly payments", "for property taxes", "Sold property",
                             "Sold asset", "(using RMD Table 3)", "Withdrawal Taxes", "Penalties Paid"})
        EXPECT_GT(CountContaining(lines, part), 0) << part;
}

}  // namespace
