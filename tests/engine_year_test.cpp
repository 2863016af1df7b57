// Withdrawals from the liquid accounts and the year-end charges, called
// directly on a prepared year.
#include "engine_fixture.h"

namespace {

class YearTest : public EngineTest {
protected:
    // A year at `age` that is the start year, balances loaded, output to the list.
    void StartYear(float age) {
        scenario.initialValues.startAge = age;
        ResetRun();
        run.startYear = age;
        run.projectionAge = age;
        run.yearFraction = 1;
        run.currentTaxRate = scenario.initialValues.taxRate;
        run.outputMode = OutputResultsList;
        LoadStartBalances();
    }

    void Penalty(int pos, float age, float rate) {
        Account& a = scenario.accountTable.accounts[pos];
        a.penaltyApplies = 1;
        scenario.accountOptions.penaltyAge[a.optionsSlot] = age;
        scenario.accountOptions.penaltyRate[a.optionsSlot] = rate;
    }
};

// Access Order decides, whatever the list's display sort: numbers as numbers,
// blank last, and text ignoring case after numbers that compare as text.
TEST_F(YearTest, WithdrawalsFollowAccessOrderNotTheListOrder) {
    const char* orders[] = {"10", " ", "2", "b", "A"};
    int pos[5];
    for (int i = 0; i < 5; ++i) {
        pos[i] = AddAccount(("Account " + std::to_string(i)).c_str(), AccountInvestmentSavings, 1000, 0);
        SetFieldText(scenario.accountTable.accounts[pos[i]].accessOrder, orders[i]);
    }
    StartYear(65);
    WithdrawFunds(65, 0, 3500, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(pos[2]), 0.0f);     // "2"
    EXPECT_EQ(Balance(pos[0]), 0.0f);     // "10"
    EXPECT_EQ(Balance(pos[4]), 0.0f);     // "A"
    EXPECT_EQ(Balance(pos[3]), 500.0f);   // "b"
    EXPECT_EQ(Balance(pos[1]), 1000.0f);  // blank: last

    // A shortfall overdraws the first Investment Savings account in that order.
    WithdrawFunds(65, 0, 2000, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(pos[1]), 0.0f);
    EXPECT_EQ(Balance(pos[2]), -500.0f);
}

// Withdrawals skip the accounts they know to be empty: an account emptied
// and then refilled (here by a transfer) is drawn on again in its turn.
TEST_F(YearTest, AnEmptiedAccountRefilledIsDrawnOnAgain) {
    int first = AddAccount("First", AccountInvestmentSavings, 100, 0);
    int second = AddAccount("Second", AccountTaxFreeSavings, 1000, 0);
    Event& move = AddEvent(EventTransfer, 65, 65, "Move");
    move.secondary = scenario.accountTable.accounts[second].accountId;
    move.accountId = scenario.accountTable.accounts[first].accountId;
    StartYear(65);
    WithdrawFunds(65, 0, 100, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(first), 0.0f);

    TransferFunds(65, OutputResultsList, 0, 500);
    WithdrawFunds(65, 0, 300, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(first), 200.0f);
    EXPECT_EQ(Balance(second), 500.0f);

    WithdrawFunds(65, 0, 900, OutputResultsList, 1, 0);  // both emptied, the first overdrawn
    EXPECT_EQ(Balance(first), -200.0f);
    TransferFunds(65, OutputResultsList, 0, 500);  // nothing to give
    EXPECT_EQ(Balance(second), 0.0f);
    WithdrawFunds(65, 0, 50, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(first), -250.0f);
}

TEST_F(YearTest, EarlyRetirementWithdrawalPaysTaxAndPenaltyAtYearEnd) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 1000, 0);
    int ira = AddAccount("IRA", AccountRetirementSavings, 10000, 0);
    Penalty(ira, 59, 10);
    SetDetailedResults(1);
    StartYear(55);

    WithdrawFunds(55, 0, 3000, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(savings), 0.0f);  // emptied first, no penalty on Investment Savings
    EXPECT_EQ(Balance(ira), 8000.0f);
    EXPECT_FLOAT_EQ(run.year.penalties, 200.0f);
    EXPECT_FLOAT_EQ(run.year.withdrawalTaxes, 400.0f);
    EXPECT_FLOAT_EQ(run.year.taxes, 400.0f);
    EXPECT_EQ(run.investmentTotal, 0.0f);
    EXPECT_EQ(run.retirementTotal, 8000.0f);
    EXPECT_EQ(+scenario.accountOptions.runRecordedAge[scenario.accountTable.accounts[ira].optionsSlot], 55);

    // Tax 400 as a tax payment: a penalty of 40 but no new tax; then 240 of penalties.
    CloseYear(OutputResultsList, 1, 55, 55);
    EXPECT_FLOAT_EQ(Balance(ira), 10000.0f - 2000.0f - 400.0f - 240.0f);
    std::vector<std::string> expected = {"      $1,000.00 from Savings", "      $2,000.00 from IRA",
                                         "  Withdrawal Taxes = $400.00", "      $400.00 from IRA",
                                         "  Penalties Paid = $240.00",   "      $240.00 from IRA",
                                         "Summary:",                     "    Total Incoming=$0.00",
                                         "    Total Outgoing=$640.00",    "       Taxes on withdrawals=$400.00",
                                         "       Penalties Paid=$240.00"};
    EXPECT_EQ(ListLines(), expected);
    EXPECT_TRUE(run.penaltyPaid.happened);
    EXPECT_EQ(run.penaltyPaid.age, 55);
    EXPECT_EQ(run.year.withdrawalTaxes, 0.0f);
    EXPECT_EQ(run.year.taxes, 0.0f);
}

TEST_F(YearTest, ShortfallOverdrawsTheFirstInvestmentAccountOnly) {
    int taxFree = AddAccount("Roth", AccountTaxFreeSavings, 100, 0);
    int savings = AddAccount("Savings", AccountInvestmentSavings, 50, 0);
    SetDetailedResults(1);
    StartYear(65);
    WithdrawFunds(65, 0, 300, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(taxFree), 0.0f);
    EXPECT_EQ(Balance(savings), -150.0f);
    EXPECT_EQ(run.investmentTotal, -150.0f);
    EXPECT_EQ(ListLines().back(), "      Savings depleted -- $150.00 withdrawn from Savings.");
    EXPECT_TRUE(run.liquidDepleted.happened);
    EXPECT_EQ(run.liquidDepleted.age, 65);
}

TEST_F(YearTest, WithoutInvestmentSavingsTheRestIsDroppedButFlagged) {
    int taxFree = AddAccount("Roth", AccountTaxFreeSavings, 100, 0);
    int car = AddAccount("Car", AccountAsset, 5000, 0);
    StartYear(65);
    WithdrawFunds(65, 0, 300, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(taxFree), 0.0f);
    EXPECT_EQ(Balance(car), 5000.0f);  // never drawn on
    EXPECT_TRUE(run.liquidDepleted.happened);
}

TEST_F(YearTest, NothingIsTakenInSilentYears) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 1000, 0);
    StartYear(65);
    WithdrawFunds(60, 0, 300, OutputResultsList, 1, 0);
    EXPECT_EQ(Balance(savings), 1000.0f);
}

TEST_F(YearTest, PartialTakesFromInvestmentSavingsIndentFurther) {
    AddAccount("Savings", AccountInvestmentSavings, 1000, 0);
    SetDetailedResults(1);
    StartYear(65);
    WithdrawFunds(65, 0, 500, OutputResultsList, 1, 0);
    EXPECT_EQ(ListLines(), std::vector<std::string>{"         $500.00 from Savings"});
}

TEST_F(YearTest, InterestTaxOfEveryInvestmentAccountIsPaidOnce) {
    int a = AddAccount("A", AccountInvestmentSavings, 1000, 10);
    int b = AddAccount("B", AccountInvestmentSavings, 2000, 5);
    int debt = AddAccount("Debt", AccountTaxFreeSavings, -500, 10);
    StartYear(65);
    CloseYear(OutputResultsList, 1, 65, 65);
    EXPECT_EQ(ListLines(), std::vector<std::string>{"  Pay $40.00 Tax On Savings Interest"});
    EXPECT_EQ(Balance(a), 1100.0f - 40.0f);  // taken from the first account in table order
    EXPECT_EQ(Balance(b), 2100.0f);
    EXPECT_EQ(Balance(debt), -500.0f);  // an overdrawn account neither grows nor shrinks
}

}  // namespace
