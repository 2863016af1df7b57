// The small calculators: their arithmetic, and their dialogs' checks,
// texts and remembered values under the scripted ui.
#include <cstdio>
#include <string>

#include "calculators/calculators.h"
#include "dialogs_fixture.h"
#include "engine/payment.h"

namespace {

TEST(Calculators, EffectiveRate) {
    EXPECT_EQ(Format("%.4f", EffectiveRate(12, 12)), "12.6825");
    EXPECT_EQ(EffectiveRate(12, 1), 12.0f);
    EXPECT_EQ(EffectiveRate(7.5f, 0), 7.5f);
    EXPECT_EQ(EffectiveRate(7.5f, -3), 7.5f);
    EXPECT_GT(EffectiveRate(5, 365), EffectiveRate(5, 12));
}

TEST(Calculators, InflatedAmountCountsWholeAges) {
    EXPECT_EQ(Format("%.2f", InflatedAmount(65, 66, 1000, 3)), "1030.00");
    EXPECT_EQ(InflatedAmount(65, 66.9f, 1000, 3), InflatedAmount(65, 66, 1000, 3));
    EXPECT_EQ(Format("%.2f", InflatedAmount(65.8f, 67, 1000, 3)), "1060.90");
    EXPECT_LT(InflatedAmount(65, 66, 1000, -3), 1000.0f);
    EXPECT_EQ(Format("%.2f", InflatedAmount(65, 66, 1000, -100)), "0.00");
    EXPECT_EQ(InflatedAmount(70, 70, 1000, 3), 1000.0f);
}

TEST(Calculators, GrowthAfterTaxes) {
    // Untaxed, no inflation: today's value is the worth, and the average is
    // simple, not compound: 10% for 2 years is 21% in all, 10.5% a year.
    TaxedGrowth g = GrowthAfterTaxes(1000, 2, 10, 0, 0);
    EXPECT_EQ(Format("%.2f", g.worth), "1210.00");
    EXPECT_EQ(g.todaysValue, g.worth);
    EXPECT_EQ(Format("%.2f", g.averageRate), "10.50");
    // Taxed at 25%, the growth is 7.5% a year; 2.5% inflation leaves about 4.88%.
    g = GrowthAfterTaxes(1000, 1, 10, 25, 2.5f);
    EXPECT_EQ(Format("%.2f", g.worth), "1075.00");
    EXPECT_EQ(Format("%.2f", g.todaysValue), "1048.78");
}

TEST(Calculators, AcceleratedPayments) {
    const float r = static_cast<float>(1.0 / 12 * 8 * 0.01);
    // Without extra the two mortgages agree; the last month clears the
    // balance and is not counted, so 360 months show as 360.
    AcceleratedPayoff plain = AcceleratePayments(100000, r, 30, 30, 0);
    EXPECT_EQ(Dollars("%13.2f", plain.payment), "$733.76");
    EXPECT_EQ(plain.acceleratedInterest, plain.interest);
    EXPECT_EQ(plain.months, 360);
    // 200 more a month from the first month: paid off in month 189 (188.4 by
    // the closed formula), the months counted up to it.
    AcceleratedPayoff early = AcceleratePayments(100000, r, 30, 30, 200);
    EXPECT_EQ(early.months, 189);
    EXPECT_LT(early.acceleratedInterest, plain.interest - 40000);
    EXPECT_EQ(early.interest, plain.interest);
    // Only in the last year: a little less interest, the same length.
    AcceleratedPayoff late = AcceleratePayments(100000, r, 30, 1, 200);
    EXPECT_LT(late.acceleratedInterest, plain.interest);
    EXPECT_GT(late.acceleratedInterest, plain.interest - 100);
    // Paid off in the first month: one month of interest, none after.
    AcceleratedPayoff atOnce = AcceleratePayments(1000, r, 30, 30, 100000);
    EXPECT_EQ(atOnce.acceleratedInterest, r * 1000);
}

TEST(Calculators, InvestedInstead) {
    EXPECT_EQ(InvestedInstead(100, 9, 0, 0, 0), 12 * 100.0f * 10);
    EXPECT_EQ(InvestedInstead(100, 0, 5, 25, 3), 1200.0f);
    // 5% taxed at 20% is 4% a year; 0 inflation.
    EXPECT_EQ(Format("%.2f", InvestedInstead(100, 1, 5, 20, 0)), "2448.00");
    EXPECT_LT(InvestedInstead(100, 10, 5, 20, 3), InvestedInstead(100, 10, 5, 20, 0));
}

TEST(Calculators, TradeOffEndAmounts) {
    TradeOff t;
    float end[3];
    TradeOffEndAmounts(t, 25, end);
    EXPECT_EQ(end[0], 0.0f);
    t.fixedCost[0] = 1000;
    t.incomePerPeriod[0] = 100;
    t.periods = 12.9f;  // whole periods count
    t.fixedAmount[1] = 500;
    t.costPerPeriod[1] = 10;
    TradeOffEndAmounts(t, 25, end);
    EXPECT_EQ(Format("%.2f", end[0]), "200.00");
    EXPECT_EQ(Format("%.2f", end[1]), "380.00");
    // Taxed: income counts at 75%, the fixed cost in full.
    t.useTax = 1;
    TradeOffEndAmounts(t, 25, end);
    EXPECT_EQ(Format("%.2f", end[0]), "-100.00");
    EXPECT_EQ(Format("%.2f", end[1]), "285.00");
}

TEST(Calculators, TradeOffFiles) {
    TradeOff t;
    std::snprintf(t.names[0], sizeof t.names[0], "Buy");
    std::snprintf(t.names[2], sizeof t.names[2], "Lease");
    t.fixedCost[0] = 1000;
    t.incomePerPeriod[0] = 100;
    t.costPerPeriod[2] = 50;
    t.periods = 3;
    t.further = 7;
    const char* info = "tradeinf_test.dat";
    ASSERT_EQ(WriteTradeOffFile(info, t), 1);
    TradeOff back;
    ASSERT_EQ(ReadTradeOffFile(info, back), 1);
    EXPECT_STREQ(back.names[0], "Buy");
    EXPECT_STREQ(back.names[1], "");
    EXPECT_EQ(back.fixedCost[0], 1000.0f);
    EXPECT_EQ(back.costPerPeriod[2], 50.0f);
    EXPECT_EQ(back.further, 7.0f);
    std::remove(info);
    EXPECT_EQ(ReadTradeOffFile(info, back), 0);
    EXPECT_STREQ(back.names[2], "Option 3");

    const char* graph = "trade_test.tmp";
    t.periods = 2;
    EXPECT_EQ(WriteTradeOffGraph(graph, t, 0), -2);
    t.periods = 101;
    EXPECT_EQ(WriteTradeOffGraph(graph, t, 0), -1);
    t.periods = 3;
    ASSERT_EQ(WriteTradeOffGraph(graph, t, 0), 1);
    std::FILE* f = std::fopen(graph, "r");
    ASSERT_NE(f, nullptr);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, f)) text += buffer;
    std::fclose(f);
    std::remove(graph);
    // The unnamed option is left out; five points from 0 to periods + 1.
    EXPECT_EQ(text,
              "1\nDummy\nDummy\nDummy\n5.000000\n2\nBuy\nLease\n"
              "0.0\n0.0\n0.000000 -1000.000000 0.000000 \n"
              "0.0\n0.0\n1.000000 -900.000000 -50.000000 \n"
              "0.0\n0.0\n2.000000 -800.000000 -100.000000 \n"
              "0.0\n0.0\n3.000000 -700.000000 -150.000000 \n"
              "0.0\n0.0\n4.000000 -600.000000 -200.000000 \n"
              "Done\nDone\n");
}

class CalculatorDialogs : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        ResetCalculators();
    }
};

TEST_F(CalculatorDialogs, InflationChecksInOrderAndKeepsWhatPassed) {
    Script({Type(FieldInflStartAge, "65"), Type(FieldInflEndAge, "65"), Type(FieldInflAmount, "1000"),
            Type(FieldInflRate, "3"), Click(FieldInflCalculate), Type(FieldInflEndAge, "66.9"),
            Type(FieldInflRate, "101"), Click(FieldInflCalculate), Type(FieldInflRate, "3"),
            Type(FieldInflAmount, "0.5"), Click(FieldInflCalculate), Type(FieldInflAmount, "1000"),
            Click(FieldInflCalculate), Ok()});
    EXPECT_EQ(DispatchCommand(CmdInflationCalculator), 1);
    ASSERT_EQ(screen.messages.size(), 3u);
    EXPECT_EQ(screen.messages[0].text, "End Age must be greater the Start Age.");
    EXPECT_EQ(screen.messages[0].caption, "End Age Error!");
    EXPECT_EQ(screen.messages[0].icon, ui::Icon::Exclamation);
    EXPECT_EQ(screen.messages[1].text, "Inflation Rate must be a value from -100 - 100.");
    EXPECT_EQ(screen.messages[2].text, "This amount must be a value from 1.0 - 99999999.00");
    EXPECT_EQ(screen.messages[2].caption, "Amount Error!");
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Inflation Calculator");
    EXPECT_EQ(r.Shown(FieldInflStartAge), "0.00  ");
    EXPECT_EQ(r.Shown(FieldInflResult), "0.00         ");
    EXPECT_EQ(r.Text(FieldInflResult), "1030.00      ");
    EXPECT_EQ(shell.windowOpen[WindowCalculator], 0);

    // The values come back the next time, the result among them.
    Script({Ok()});
    EXPECT_EQ(DispatchCommand(CmdInflationCalculator), 1);
    EXPECT_EQ(dialogs.Last().Shown(FieldInflStartAge), "65.00 ");
    EXPECT_EQ(dialogs.Last().Shown(FieldInflEndAge), "66.90 ");
    EXPECT_EQ(dialogs.Last().Shown(FieldInflResult), "1030.00      ");
}

TEST_F(CalculatorDialogs, InflationAgesOutOfRange) {
    Script({Type(FieldInflStartAge, "121"), Click(FieldInflCalculate), Type(FieldInflStartAge, "60"),
            Type(FieldInflEndAge, "-1"), Click(FieldInflCalculate), Ok()});
    InflationCalculatorDialog();
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "Start age must be a value from 1 - 120.");
    EXPECT_EQ(screen.messages[0].caption, "Start Age Error!");
    EXPECT_EQ(screen.messages[1].text, "End Age must be a value from 1 - 120.");
}

TEST_F(CalculatorDialogs, TaxInflationShowsItsSentence) {
    Script({Type(FieldInvAmount, "0"), Click(FieldInvCalculate), Type(FieldInvAmount, "1000"),
            Type(FieldInvYears, "0"), Click(FieldInvCalculate), Type(FieldInvYears, "2"), Type(FieldInvRate, "10"),
            Type(FieldInvTax, "0"), Type(FieldInvInflation, "0"), Click(FieldInvCalculate), Ok()});
    EXPECT_EQ(DispatchCommand(CmdTaxInflationInvestment), 1);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "The investment amount must be greater than $0.00.");
    EXPECT_EQ(screen.messages[0].caption, "Amount Error!");
    EXPECT_EQ(screen.messages[1].text, "The number of years be greater than 0.");
    EXPECT_EQ(screen.messages[1].caption, "Number of Years Error!");
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Taxes, Inflation and Your Investment");
    EXPECT_EQ(r.Shown(FieldInvYears), "  1");
    EXPECT_EQ(r.Shown(FieldInvRate), "0.0000       ");
    EXPECT_EQ(r.Text(FieldInvYearsShown), "2");
    EXPECT_EQ(r.Text(FieldInvTaxShown), "0.00%");
    EXPECT_EQ(r.Text(FieldInvWorth), "$1,210.00");
    EXPECT_EQ(r.Text(FieldInvToday), "$1,210.00");
    EXPECT_EQ(r.Text(FieldInvAverage), "10.50%");
}

TEST_F(CalculatorDialogs, EffectiveRateChoicesAndItsChecks) {
    Script({Type(FieldNominal, "12"), Click(FieldMonthly), Click(FieldEffCalculate), Type(FieldNominal, "-200"),
            Click(FieldEffCalculate), Type(FieldNominal, "12"), Click(FieldOther), Type(FieldOtherPeriods, "0.5"),
            Click(FieldEffCalculate), Type(FieldOtherPeriods, "365.7"), Click(FieldEffCalculate), Ok()});
    EXPECT_EQ(DispatchCommand(CmdEffectiveRate), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Calculate Effective Yearly Rate");
    EXPECT_FALSE(r.shownEnabled.at(FieldOtherPeriods));
    EXPECT_FALSE(r.shownEnabled.at(FieldUseRate));  // opened alone
    EXPECT_TRUE(r.Enabled(FieldOtherPeriods));
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "The Nominal Rate must be a value greater than -200 and less than 200.00");
    EXPECT_EQ(screen.messages[0].caption, "Rate Error!");
    EXPECT_EQ(screen.messages[1].caption, "Period Error!");
    EXPECT_EQ(r.Text(FieldEffectiveResult), Format("%-8.4f", EffectiveRate(12, 365)));
}

TEST_F(CalculatorDialogs, UseThisRateWritesIntoTheAskingField) {
    // From the investment calculator: into its rate of return, which stays open.
    Script({Click(FieldInvEffective), Ok()});
    Script({Type(FieldNominal, "12"), Click(FieldMonthly), Click(FieldUseRate), Ok()});
    EXPECT_EQ(TaxInflationDialog(), 1);
    ASSERT_EQ(dialogs.runs.size(), 2u);
    EXPECT_TRUE(dialogs.runs[1].shownEnabled.at(FieldUseRate));
    EXPECT_EQ(dialogs.runs[0].Text(FieldInvRate), "12.6825 ");

    // From Account Information: into its Effective Yearly Rate.
    Script({Click(FieldRateButton), Dlg::Click(ui::IdCancel)});
    Script({Type(FieldNominal, "6"), Click(FieldQuarterly), Click(FieldUseRate), Ok()});
    EXPECT_EQ(AccountListEdit(0), 0);
    EXPECT_EQ(dialogs.runs[2].Text(FieldEffectiveRate), Format("%-8.4f", EffectiveRate(6, 4)));
}

TEST_F(CalculatorDialogs, MortgageCalculatorChecksComputesAndRemembersItsTexts) {
    // The defaults fail the amount once the rate 8.0 has passed.
    Script({Click(FieldMcCalculate), Type(FieldMcAmount, "100000"), Type(FieldMcDownPayment, "0"),
            Type(FieldMcYears, "101"), Click(FieldMcCalculate), Type(FieldMcYears, "30.5"), Type(FieldMcRate, "0.5"),
            Click(FieldMcCalculate), Type(FieldMcRate, "8.0"), Ok()});
    EXPECT_EQ(DispatchCommand(CmdMortgageCalculator), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Mortgage Calculator");
    EXPECT_EQ(r.Shown(FieldMcRate), "8.0");
    EXPECT_EQ(r.Shown(FieldMcYears), "30");
    ASSERT_EQ(screen.messages.size(), 3u);
    EXPECT_EQ(screen.messages[0].text, "This amount must be greater than 0.00 and less than 99999999.00.");
    EXPECT_EQ(screen.messages[0].caption, "AMOUNT ERROR");
    EXPECT_EQ(screen.messages[1].text, "The number of years must be between 1 and 100.");
    EXPECT_EQ(screen.messages[1].caption, "NO OF YEARS ERROR");
    EXPECT_EQ(screen.messages[2].text, "Loan/Mortgage rates must be greater than 0.0 and less than 1000.0.");
    EXPECT_EQ(screen.messages[2].caption, "RATE ERROR");
    EXPECT_EQ(r.Text(FieldMcPayment), "733.76   ");
    EXPECT_EQ(shell.windowOpen[WindowCalculator], 0);

    // Reopened with the texts as read; Cancel computes nothing.
    Script({Type(FieldMcAmount, "1234567890123"), Dlg::Click(ui::IdCancel)});
    EXPECT_EQ(MortgageCalculatorDialog(), 0);
    EXPECT_EQ(dialogs.Last().Shown(FieldMcAmount), "100000");
    EXPECT_EQ(dialogs.Last().Shown(FieldMcYears), "30.5");
    EXPECT_EQ(dialogs.Last().Shown(FieldMcPayment), "733.76   ");

    // Bounds: 1 and 1000 % and 1 and 100 years pass; a down payment above
    // the amount gives a negative payment, shown as it is.
    Script({Type(FieldMcRate, "1000"), Type(FieldMcYears, "100"), Click(FieldMcCalculate), Type(FieldMcRate, "1"),
            Type(FieldMcYears, "1"), Type(FieldMcDownPayment, "200000"), Ok()});
    screen.Clear();
    EXPECT_EQ(MortgageCalculatorDialog(), 1);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(dialogs.Last().Text(FieldMcPayment).substr(0, 1), "-");
}

TEST_F(CalculatorDialogs, UseThisMortgageInPlanOpensTheMortgageDialogOnItsTexts) {
    Script({Type(FieldMcAmount, "250000"), Type(FieldMcDownPayment, "50000"), Type(FieldMcRate, "6.25"),
            Type(FieldMcYears, "30"), Click(FieldMcCalculate), Click(FieldMcUse)});
    Script({Type(FieldDescription, "House"), Type(FieldStartAge, "42"), Type(FieldPayoffAge, "72"), Ok()});
    EXPECT_EQ(DispatchCommand(CmdMortgageCalculator), 1);
    const auto& m = dialogs.Find("Mortgage");
    EXPECT_EQ(m.Shown(FieldAmount), "250000");
    EXPECT_EQ(m.Shown(FieldDownPayment), "50000");
    EXPECT_EQ(m.Shown(FieldRate), "6.25");
    EXPECT_EQ(m.Shown(FieldYears), "30");
    EXPECT_EQ(m.Shown(FieldMonthlyPayment), "$1,231.43");
    ASSERT_EQ(state.eventCount, 1);
    EXPECT_EQ(+scenario.events[0].eventType, EventMortgage);
    EXPECT_EQ(+scenario.events[0].amount, 250000.0f);
    // The calculator now shows the payment as money text; a second Mortgage
    // dialog is not filled again.
    Script({Dlg::Click(ui::IdCancel)});
    MortgageCalculatorDialog();
    EXPECT_EQ(dialogs.Last().Shown(FieldMcPayment), "$1,231.43");
    Script({Dlg::Click(ui::IdCancel)});
    MortgageDialog();
    EXPECT_NE(dialogs.Last().Shown(FieldAmount), "250000");
}

TEST_F(CalculatorDialogs, AcceleratedAnalysisChecksAndShowsBothMortgages) {
    scenario.initialValues.taxRate = 20;
    scenario.initialValues.inflationRate = 0;
    Script({Type(FieldAccAmount, "10000001"), Click(FieldAccCalculate), Type(FieldAccAmount, "10000000"),
            Type(FieldAccYears, "51"), Click(FieldAccCalculate), Type(FieldAccYears, "30"),
            Type(FieldAccYearsLeft, "31"), Click(FieldAccCalculate), Type(FieldAccYearsLeft, "30"),
            Type(FieldAccRate, "0"), Click(FieldAccCalculate), Type(FieldAccRate, "50"), Type(FieldAccExtra, "-1"),
            Click(FieldAccCalculate), Type(FieldAccExtra, "0"), Type(FieldAccInvestRate, "51"),
            Click(FieldAccCalculate), Type(FieldAccInvestRate, "0"), Type(FieldAccTaxRate, "0"),
            Click(FieldAccCalculate), Type(FieldAccAmount, "100000"), Type(FieldAccRate, "8"),
            Type(FieldAccExtra, "0"), Click(FieldAccCalculate), Ok()});
    EXPECT_EQ(DispatchCommand(CmdAccelerated), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Accelerated Mortgage Payment Analysis");
    EXPECT_EQ(r.Shown(FieldAccYears), " 30");
    EXPECT_EQ(r.Shown(FieldAccInvestRate), "5.00         ");
    EXPECT_EQ(r.Shown(FieldAccTaxRate), "20.00        ");
    std::vector<std::string> captions;
    for (const auto& m : screen.messages) captions.push_back(m.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Amount Error!", "Number of Years Error!",
                                                  "Number of Years Left Error!", "Rate Error!",
                                                  "Additional Amount Error!", "Rate Error!"}));
    EXPECT_EQ(screen.messages[3].text, "The mortgage rate must be greater than 0.0% and less than 50.0%");
    EXPECT_EQ(screen.messages[5].text, "The investment rate must be greater than 0.0% and less than 50.0%");
    // Without extra both mortgages are the same and nothing is saved.
    EXPECT_EQ(r.Text(FieldAccPayment), "$733.76");
    EXPECT_EQ(r.Text(FieldAccNewPayment), "$733.76");
    EXPECT_EQ(r.Text(FieldAccNewTotal), r.Text(FieldAccTotal));
    EXPECT_EQ(r.Text(FieldAccSavings), "$0.00");
    EXPECT_EQ(r.Text(FieldAccYearsShown), "30.00 ");
    EXPECT_EQ(r.Text(FieldAccWorth), "$0.00");
    EXPECT_EQ(r.Text(FieldAccWorthYears), " 30");

    // The values are kept; from a mortgage its figures come in.
    Script({Ok()});
    AcceleratedPaymentDialog();
    EXPECT_EQ(dialogs.Last().Shown(FieldAccAmount), "100000.00    ");
    Script({Click(FieldAccCalculate), Ok()});
    AcceleratedPaymentDialogFor(200000, 30, 6.25f, 25, 150);
    EXPECT_EQ(dialogs.Last().Shown(FieldAccYearsLeft), " 25");
    EXPECT_EQ(dialogs.Last().Shown(FieldAccExtraShown), "$150.00");
    EXPECT_EQ(dialogs.Last().Text(FieldAccNewPayment), "$1,381.43");
}

TEST_F(CalculatorDialogs, TradeOffComputesAtOnceAndKeepsItsFile) {
    ReadTradeOffSettings();  // no file: the three default names
    scenario.initialValues.taxRate = 25;
    Script({Type(FieldTradeFixedCost, "1000"), Type(FieldTradeIncome, "100"), Choose(FieldTradePeriods, 12),
            Click(FieldTradeCalculate), Click(FieldTradeUseTax), Choose(FieldTradePeriods, 2), Click(FieldTradeGraph),
            Ok()});
    EXPECT_EQ(DispatchCommand(CmdTradeOff), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Trade-Off Analysis");
    EXPECT_EQ(r.Shown(FieldTradeName + 1), "Option 2");
    EXPECT_EQ(r.Shown(FieldTradeEnd), "0.00      ");
    EXPECT_EQ(r.Shown(FieldTradePeriods), "  0");
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Not enough periods.\nPlease try again.");
    EXPECT_EQ(screen.messages[0].caption, "FILE ERROR");
    EXPECT_TRUE(screen.launches.empty());
    // Taxed, two periods: -1000 + 2 x 75.
    EXPECT_EQ(r.Text(FieldTradeEnd), "-850.00   ");
    EXPECT_EQ(r.Text(FieldTradeDifference), "850.00    ");
    EXPECT_EQ(r.Text(FieldTradeDifference + 1), "0.00      ");

    // OK wrote "tradeinf.dat"; the next start reads it back.
    ResetCalculators();
    ReadTradeOffSettings();
    Script({Ok()});
    TradeOffDialog();
    EXPECT_EQ(dialogs.Last().Shown(FieldTradeFixedCost), "1000.00");
    EXPECT_TRUE(dialogs.Last().checked.at(FieldTradeUseTax));
}

}  // namespace
