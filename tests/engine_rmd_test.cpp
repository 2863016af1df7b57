// Required minimum distributions in whole projection runs: the option Event
// the accounts' tables create, the divisor of the year and the three ways of
// spreading the distribution.
#include "engine_events_fixture.h"

namespace {

class RmdTest : public EventsTest {
protected:
    int savings = 0;
    void SetUp() override {
        EventsTest::SetUp();
        scenario.initialValues.startAge = 70;
        scenario.initialValues.endAge = 71;
        savings = AddAccount("Savings", AccountInvestmentSavings, 0, 0);
        scenario.accountOptions.rmdTargetAccount = IdOf(savings);
        scenario.accountTable.rmdOption = 3;
        for (int k = 0; k < RmdTableLength; ++k) scenario.accountOptions.rmdValues1[k] = DefaultRmdValues[k];
    }
    int Ira(const char* name, float amount) {
        int pos = AddAccount(name, AccountRetirementSavings, amount, 0);
        scenario.accountOptions.rmdTable[scenario.accountTable.accounts[pos].optionsSlot] = 10;
        return pos;
    }
    void Divisor(float d) {
        for (int k = 0; k < RmdTableLength; ++k) scenario.accountOptions.rmdValues1[k] = d;
    }
    Strings Run() {
        RebuildGeneratedEvents();
        return RunList();
    }
};

TEST_F(RmdTest, DefaultTableAtSeventyMovesTheBalanceOverTwentySevenPointFour) {
    scenario.initialValues.taxRate = 20;
    int ira = Ira("IRA", 274000);
    Strings lines = Run();
    ASSERT_EQ(state.eventCount, 1);
    EXPECT_EQ(+scenario.events[0].eventType, EventRmdOption);
    EXPECT_EQ(YearLines(lines, "70.0"),
              (Strings{"  IRA 1 (using RMD Table 1) -  $10,000.00 Transferred to the Savings account.",
                       "  Withdrawal Taxes = $2,000.00"}));
    EXPECT_EQ(Balance(ira), 264000.0f);
    EXPECT_EQ(Balance(savings), 8000.0f);  // the tax is paid at year end
    EXPECT_EQ(results.yearSummary[0][13], 2000.0f);
}

TEST_F(RmdTest, AnUnconfirmedTableGivesNoDistribution) {
    Ira("IRA", 274000);
    Divisor(0);
    Strings lines = Run();
    EXPECT_EQ(YearLines(lines, "70.0"),
              (Strings{"  Required Minimum Distribution - Detected a possible problem with the Life Expectancy "
                       "Values in Table 1.",
                       "  IRA 1 (using RMD Table 1) - selected RMD accounts were depleted."}));
    EXPECT_TRUE(Has(lines, " 70.0   RMD accounts were depleted."));
}

TEST_F(RmdTest, PastTheTableTheLastDivisorApplies) {
    scenario.initialValues.endAge = 101;
    int ira = Ira("IRA", 500000);
    Strings lines = Run();
    const int row = 30;  // age 100
    ASSERT_EQ(results.yearSummary[row][0], 100.0f);
    char money[48];
    MoneyText(money, sizeof money, "%-13.2f", BalanceAt(row, ira) / 6.7f);
    EXPECT_EQ(YearLines(lines, "100.0"),
              (Strings{"  Required Minimum Distribution - Detected a possible problem with the end age of the "
                       "distributions 100 70 29.",
                       std::string("  IRA 1 (using RMD Table 1) -  ") + money + " Transferred to the Savings account."}));
    EXPECT_EQ(CountContaining(lines, "end age of the distributions"), 1);
}

TEST_F(RmdTest, APlanStartingAfterTheTablesStartAgeStillDistributes) {
    scenario.initialValues.startAge = 75;
    scenario.initialValues.endAge = 76;
    int ira = Ira("IRA", 229000);
    Strings lines = Run();
    EXPECT_EQ(YearLines(lines, "75.0"),
              Strings{"  IRA 1 (using RMD Table 1) -  $10,000.00 Transferred to the Savings account."});  // 229,000 / 22.9
    EXPECT_NEAR(Balance(ira), 219000.0f, 0.01f);
    EXPECT_EQ(CountContaining(lines, "Transferred"), 1);  // nothing in the years before 75
}

TEST_F(RmdTest, EqualOptionAsksEachAccountForTheSameShare) {
    scenario.accountTable.rmdOption = 2;
    int a = Ira("A", 60000);
    int b = Ira("B", 40000);
    Divisor(10);
    Run();
    EXPECT_EQ(Balance(a), 55000.0f);
    EXPECT_EQ(Balance(b), 35000.0f);
    EXPECT_EQ(Balance(savings), 10000.0f);
}

TEST_F(RmdTest, ProportionalOptionFollowsTheBalances) {
    scenario.accountTable.rmdOption = 1;
    int a = Ira("A", 60000);
    int b = Ira("B", 40000);
    Divisor(10);
    Run();
    EXPECT_EQ(Balance(a), 54000.0f);
    EXPECT_EQ(Balance(b), 36000.0f);
}

TEST_F(RmdTest, AShortShareIsMadeUpOnceAndNoMore) {
    scenario.accountTable.rmdOption = 2;
    int a = Ira("A", 60000);
    int b = Ira("B", 1000);
    Divisor(6.1f);  // 61,000 / 6.1: 5,000 asked of each
    Run();
    EXPECT_EQ(Balance(b), 0.0f);
    EXPECT_NEAR(Balance(a), 51000.0f, 0.01f);  // its 5,000 and the 4,000 B could not give
    EXPECT_NEAR(Balance(savings), 10000.0f, 0.01f);
}

TEST_F(RmdTest, AccountOrderEmptiesTheFirstAccountFirst) {
    int a = Ira("A", 3000);
    int b = Ira("B", 20000);
    Divisor(4.6f);
    Run();
    EXPECT_EQ(Balance(a), 0.0f);
    EXPECT_NEAR(Balance(b), 18000.0f, 0.01f);
    EXPECT_NEAR(Balance(savings), 5000.0f, 0.01f);
    Strings out = Lines(OutFileName);
    EXPECT_TRUE(Has(out, " 70.0\tA\t      3000.00"));
}

TEST_F(RmdTest, EveryTableInUseGetsOneOptionEvent) {
    Ira("A", 1000);
    int b = AddAccount("B", AccountRetirementSavings, 1000, 0);
    scenario.accountOptions.rmdTable[scenario.accountTable.accounts[b].optionsSlot] = 30;
    scenario.accountOptions.rmdStartAge3 = 72;
    RebuildGeneratedEvents();
    RebuildGeneratedEvents();  // never a second Event for the same table
    ASSERT_EQ(state.eventCount, 2);
    EXPECT_EQ(+scenario.events[1].secondary, 3);
    EXPECT_EQ(+scenario.events[1].startAge, 72.0f);
    EXPECT_EQ(FieldText(scenario.events[1].description), "IRA 3 -- RMD withdrawal option in effect using Table 3.");
}

}  // namespace
