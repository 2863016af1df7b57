// Loans, credit-card debt and mortgages in whole projection runs, and the
// mortgage schedule of one Event.
#include "engine/payment.h"
#include "engine_events_fixture.h"

namespace {

class LoansTest : public EventsTest {
protected:
    int savings = 0;
    void SetUp() override {
        EventsTest::SetUp();
        savings = AddAccount("Savings", AccountInvestmentSavings, 500000, 0);
    }
    Event& Mortgage(float start, float price, float down, const char* description = "House") {
        Event& e = AddEvent(EventMortgage, start, 120, description);
        e.amount = price;
        e.rate2 = down;
        e.loanRate = 6;
        e.years = 30;
        e.accountId = 0;
        return e;
    }
    // 10,000 at 12% for one year into the account at `position`.
    Event& Loan(const char* description, int position) {
        Event& e = AddEvent(EventLoan, 65, 70, description);
        e.amount = 10000;
        e.loanRate = 12;
        e.years = 1;
        e.accountId = IdOf(position);
        return e;
    }
    static std::string Money(float value) {
        char text[48];
        MoneyText(text, sizeof text, "%-11.2f", value);
        return text;
    }
};

TEST_F(LoansTest, OneYearLoanIsRepaidWithinTheYear) {
    Loan("Car", savings);
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"),
              (Strings{"  Car - Deposit $10,000.00 to Savings from loan",
                       "  Car - Withdraw $10,661.85 for monthly payments - principal=$10,000.00 interest=$661.85"}));
    EXPECT_TRUE(YearLines(lines, "66.0").empty());  // the term is over
    const Event& loan = scenario.events[0];
    char payment[32];
    std::snprintf(payment, sizeof payment, "%.2f", static_cast<double>(loan.monthlyPayment));
    EXPECT_STREQ(payment, "888.49");
    EXPECT_NEAR(loan.runInterestPaid, 661.85f, 0.005f);
    EXPECT_EQ(+loan.oneTimeOnly, 1);
    EXPECT_EQ(run.liabilities, 0.0f);
    EXPECT_EQ(results.liabilitiesByAge[66], 0.0f);
    EXPECT_NEAR(Balance(savings), 500000.0f - 661.85f, 0.005f);
    EXPECT_EQ(results.yearSummary[0][16], 10000.0f);              // loans flow
    EXPECT_NEAR(results.yearSummary[0][14], 661.85f, 0.005f);     // interest paid flow
}

TEST_F(LoansTest, DownPaymentKeptAsEquityIsNotWithdrawn) {
    Event& e = Mortgage(65, 200000, 40000);
    e.accountId = 1;
    Strings lines = RunList();
    Strings year = YearLines(lines, "65.0");
    ASSERT_GE(year.size(), 2u);
    const float principal = e.runPrincipalPaid, interest = e.runInterestPaid;
    EXPECT_EQ(year[0], "  House - $40,000.00 to equity.");
    EXPECT_EQ(year[1], "  House - Withdraw " + Money(principal + interest) + " for monthly payments - principal=" +
                           Money(principal) + " interest=" + Money(interest));
    // The year's payments are the only money that left the account.
    EXPECT_NEAR(Balance(savings), 500000.0f - principal - interest, 0.01f);
    EXPECT_NEAR(run.equityTotal, 40000.0f + principal, 0.005f);
    EXPECT_NEAR(run.assetTotal, 160000.0f - principal, 0.005f);
    EXPECT_NEAR(run.liabilities, 160000.0f - principal, 0.005f);
}

TEST_F(LoansTest, CreditCardPaysMonthlyAndClearsASmallRest) {
    Event& visa = AddEvent(EventLoan, 65, 70, "Visa");
    visa.applyInflation = CreditCardMarker;
    visa.amount = 2000;
    visa.loanRate = 18;
    visa.monthlyPayment = 600;
    Event& small = AddEvent(EventLoan, 65, 70, "Store");
    small.applyInflation = CreditCardMarker;
    small.amount = 1000;
    small.loanRate = 18;
    small.monthlyPayment = 600;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), (Strings{"  Visa - Withdraw $2,050.74 to pay off credit card.",
                                                 "  Store - Withdraw $1,000.00 to pay off credit card."}));
    EXPECT_NEAR(scenario.events[0].runInterestPaid, 63.33f, 0.005f);
    EXPECT_EQ(scenario.events[0].runAmount, 0.0f);
    EXPECT_EQ(run.liabilities, 0.0f);
    EXPECT_NEAR(Balance(savings), 500000.0f - 3050.74f, 0.01f);
    EXPECT_NEAR(results.yearSummary[0][12], 3050.74f, 0.01f);  // withdrawals flow
}

TEST_F(LoansTest, CardPurchasesAreOwedUntilPaid) {
    Event& e = AddEvent(EventLoan, 65, 66, "Visa");
    e.applyInflation = CreditCardMarker;
    e.amount = 1000;
    e.loanRate = 12;
    e.monthlyPayment = 50;
    e.taxes = 100;  // monthly purchases outgrow the payment
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    // What is owed at 66 is exactly the card's balance, paid off that year.
    EXPECT_NEAR(results.liabilitiesByAge[66], 1000.0f + 12 * 100.0f - 12 * 50.0f + e.runInterestPaid, 0.05f);
    EXPECT_TRUE(Has(lines, "   Visa - Paid off credit card with " + Money(results.liabilitiesByAge[66])));
    EXPECT_EQ(run.liabilities, 0.0f);
}

TEST_F(LoansTest, MortgageSoldAtItsSellAge) {
    Event& e = Mortgage(65, 300000, 60000);
    e.applyRate = 70;  // sell age
    e.salePercent = 6;
    scenario.initialValues.endAge = 72;
    Strings lines = RunList();
    Strings year = YearLines(lines, "70.0");
    const float remaining = 240000.0f - e.runPrincipalPaid;  // unchanged since the sale
    ASSERT_EQ(year.size(), 5u);  // no payments in the year of the sale
    EXPECT_EQ(year[0], "  House - Sold property for $300,000.00");
    EXPECT_EQ(year[1], "     Selling expenses = $18,000.00");
    EXPECT_EQ(year[2], "      Deposited $282,000.00 to Savings");
    EXPECT_EQ(year[3], "   Paid off mortgage with " + Money(remaining));
    EXPECT_EQ(year[4].substr(0, 20), "    Total Principal=");
    EXPECT_TRUE(YearLines(lines, "71.0").empty());
    EXPECT_EQ(+e.runState, RunDone);
    EXPECT_EQ(run.liabilities, 0.0f);
    EXPECT_EQ(results.liabilitiesByAge[71], 0.0f);
    EXPECT_NEAR(run.equityTotal, 0.0f, 0.05f);
    EXPECT_NEAR(run.assetTotal, 0.0f, 0.05f);
}

TEST_F(LoansTest, MortgageTakenBeforeTheStartAgeArrivesWithTenYearsPaid) {
    Event& e = Mortgage(55, 200000, 40000);
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    // Ten years of the schedule, replayed year by year as the run does.
    const float rate = MonthlyRate(6);
    float owed = 160000, equity = 40000;
    for (int year = 0; year < 10; ++year) {
        float principal = AmortizeWindow(160000, rate, 360, 12 * year, 12 * year + 11, 0, 0, nullptr, nullptr);
        owed -= principal;
        equity += principal;
    }
    EXPECT_EQ(results.liabilitiesByAge[65], owed);
    EXPECT_EQ(results.equityByAge[65], equity);
    EXPECT_EQ(results.assetByAge[65], owed);
    EXPECT_EQ(results.accountBalance[0][savings], 500000.0f);  // nothing was withdrawn before 65
    EXPECT_EQ(CountContaining(lines, "down payment"), 0);
    EXPECT_EQ(CountContaining(lines, "House - Withdraw"), 2);  // the payments of 65 and 66
    EXPECT_EQ(+e.transferAll, 144);
}

// Today is June 1 and the birthday December 1: the start year is 65.50 to 66,
// a share of 1 - 182/365. The principal of the year's first part was repaid
// before today and is off the start row; the rest falls with the payments.
TEST_F(LoansTest, AProratedStartYearMovesTheLiabilitiesByThePrincipalItPays) {
    Mortgage(55, 200000, 40000);
    scenario.initialValues.useBirthday = 1;
    scenario.initialValues.birthMonth = 12;
    scenario.initialValues.birthDay = 1;
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    ASSERT_EQ(run.startYear, 65.0f);
    const float share = 1.0f - ((65.0f + 182.0f / 365.0f) - 65.0f);
    // The schedule replayed the way the run keeps its totals.
    const float rate = MonthlyRate(6);
    float owed = 160000;
    for (int year = 0; year < 10; ++year)
        owed -= AmortizeWindow(160000, rate, 360, 12 * year, 12 * year + 11, 0, 0, nullptr, nullptr);
    float interest = 0;
    const float principal = AmortizeWindow(160000, rate, 360, 120, 131, 0, 0, nullptr, &interest);
    const float earlier = principal * (1.0f - share);
    const float startRow = owed - earlier;
    EXPECT_FLOAT_EQ(results.liabilitiesByAge[65], startRow);
    EXPECT_FLOAT_EQ(results.assetByAge[65], startRow);
    // Within the plan the liabilities fall by the principal of the payment
    // withdrawn, and arrive where the full schedule says.
    EXPECT_NEAR(results.liabilitiesByAge[65] - results.liabilitiesByAge[66], principal * share, 0.02f);
    EXPECT_FLOAT_EQ(results.liabilitiesByAge[66], startRow - (principal - earlier));
    EXPECT_TRUE(Has(lines, "  House - Withdraw " + Money((principal + interest) * share) +
                               " for monthly payments - principal=" + Money(principal * share) + " interest=" +
                               Money(interest * share)));
}

TEST_F(LoansTest, PropertyTaxesGrowWithInflationSinceTheMortgageStart) {
    Event& e = Mortgage(63, 100000, 100000);  // bought outright: only the taxes
    e.taxes = 1000;
    e.applyInflation = 1;
    scenario.initialValues.inflationRate = 10;
    Strings lines = RunList();
    EXPECT_EQ(YearLines(lines, "65.0"), Strings{"  Withdraw $1,210.00 for property taxes"});
    EXPECT_NEAR(results.yearSummary[0][13], 1210.0f, 0.005f);  // taxes flow
}

TEST_F(LoansTest, PayoffAgeRepaysTheRestAndLeavesThePropertyAsEquity) {
    Event& e = Mortgage(65, 200000, 40000);
    e.endAge = 66;
    e.rate3 = 5;
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    Strings year = YearLines(lines, "66.0");
    ASSERT_EQ(year.size(), 2u);
    EXPECT_EQ(year[0].substr(0, 33), "   House - Paid off mortgage with");
    EXPECT_EQ(run.liabilities, 0.0f);
    EXPECT_NEAR(run.assetTotal, 0.0f, 0.05f);
    // Bought for 200,000, two years at 5%.
    EXPECT_NEAR(run.equityTotal, 220500.0f, 0.05f);
    EXPECT_NEAR(e.runSoldValue, 220500.0f, 0.05f);
}

TEST_F(LoansTest, LoanWithoutATermIsRepaidAtItsPayoffAge) {
    Event& e = AddEvent(EventLoan, 65, 66, "Family");
    e.amount = 5000;
    e.loanRate = 5;
    e.years = 0;
    e.accountId = IdOf(savings);
    scenario.initialValues.endAge = 67;
    Strings lines = RunList();
    EXPECT_TRUE(Has(lines, "   Family - Paid off loan with $5,000.00"));
    EXPECT_EQ(run.liabilities, 0.0f);
    EXPECT_EQ(Balance(savings), 500000.0f);
}

TEST_F(LoansTest, AssetBoughtWithALoanGrowsAndIsSold) {
    int car = AddAccount("Car", AccountAsset, 0, -10);
    Loan("Boat", car).applyRate = 67;  // sell age
    scenario.initialValues.endAge = 68;
    Strings lines = RunList();
    EXPECT_TRUE(Has(lines, "  Boat - Transfer $10,000.00 to Car from loan"));
    EXPECT_TRUE(Has(lines, "  Boat - Sold asset for $8,100.00"));
    EXPECT_TRUE(Has(lines, "      Deposited $8,100.00 to Savings"));
    EXPECT_NEAR(Balance(car), 0.0f, 0.005f);
    EXPECT_NEAR(run.assetTotal, 0.0f, 0.005f);
}

class ScheduleTest : public EngineTest {
protected:
    Event e{};
    void SetUp() override {
        EngineTest::SetUp();
        e.eventType = EventMortgage;
        e.startAge = 40;
        e.amount = 200000;
        e.rate2 = 40000;
        e.loanRate = 6;
        e.years = 30;
    }
    int Rows(MortgageScheduleRow* rows) { return MortgageSchedule(e, rows, MaxMortgageScheduleRows); }
};

TEST_F(ScheduleTest, ThirtyYearsGiveThirtyOneRows) {
    MortgageScheduleRow rows[MaxMortgageScheduleRows];
    ASSERT_EQ(Rows(rows), 31);
    EXPECT_EQ(rows[0].age, 40);
    EXPECT_EQ(rows[0].totalPayment, 0.0f);
    EXPECT_EQ(rows[0].propertyLiability, 160000.0f);
    EXPECT_EQ(rows[30].age, 70);
    // Thirty yearly sums in single precision leave a few cents.
    EXPECT_NEAR(rows[30].totalPrincipal, 160000.0f, 0.1f);
    EXPECT_LT(rows[30].propertyLiability, 0.1f);
    // The same amortization as the projection.
    EXPECT_EQ(rows[1].principal, AmortizeWindow(160000, MonthlyRate(6), 360, 0, 11, 0, 0, nullptr, nullptr));
    EXPECT_EQ(rows[2].totalInterest, rows[1].interest + rows[2].interest);
    EXPECT_EQ(rows[5].equity, 40000.0f + rows[5].totalPrincipal);
}

TEST_F(ScheduleTest, SellAgeEndsTheRows) {
    e.applyRate = 50;
    e.rate3 = 3;
    MortgageScheduleRow rows[MaxMortgageScheduleRows];
    ASSERT_EQ(Rows(rows), 11);
    EXPECT_EQ(rows[10].age, 50);
    EXPECT_NEAR(rows[1].propertyValue, 206000.0f, 0.005f);
    EXPECT_NEAR(rows[1].inflatedEquity, 46000.0f + rows[1].principal, 0.005f);
}

TEST_F(ScheduleTest, InconsistentMortgagesHaveNoRows) {
    MortgageScheduleRow rows[MaxMortgageScheduleRows];
    e.years = 0;
    EXPECT_EQ(Rows(rows), 0);
    e.years = 30;
    e.rate2 = e.amount;
    EXPECT_EQ(Rows(rows), 0);
    e.rate2 = 40000;
    e.loanRate = 0;  // no level payment exists
    EXPECT_EQ(Rows(rows), 0);
}

TEST_F(ScheduleTest, FileHoldsTheHeaderTheRowsAndTheEndMarker) {
    e.applyRate = 41;
    ASSERT_EQ(WriteMortgageSchedule(e), 2);
    std::vector<std::string> lines = Lines(MortgageScheduleFileName);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "Age\tPrincipal\tInterest\tTotal Principal\tTotal Interest\tTotal Payment\tEquity\tInflated "
              "Equity\tProperty Value\tProperty Liability\t");
    EXPECT_EQ(lines[1], " 40\t          0.00\t          0.00\t            0.00\t            0.00\t            0.00\t"
                        "        40000.00\t        40000.00\t       200000.00\t       160000.00\t");
    EXPECT_EQ(lines[2].substr(0, 19), " 41\t       1964.82\t");
    EXPECT_EQ(lines[3], "Dooone");
}

TEST_F(ScheduleTest, UnwritableFileIsReported) {
    EXPECT_EQ(WriteMortgageSchedule(e, "no-such-dir/psched.tmp"), -1);
    // The caller shows this message.
    EXPECT_EQ(MortgageScheduleFileError.text, "Cannot open temporary print file - psched.tmp");
    EXPECT_EQ(MortgageScheduleFileError.caption, "FILE OPEN ERROR");
}

}  // namespace
