// Whole projection runs of small Scenarios, pinned line for line.
#include <algorithm>
#include <cmath>

#include "engine_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(EngineTest, SavingsInterestIsTaxedAndPaidFromTheAccount) {
    AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    const std::string z = "$0.00";
    Strings expected = {
        " 65.0 Initial Rates  Tax=20.00% Inflation=0.00%",
        "",
        "",
        Dashes(184),
        Row("65.0 ", {"$10,000.00", z, z, z, z, z, "$10,000.00"}),
        Dashes(185),
        "Financial Events:",
        "  Pay $100.00 Tax On Savings Interest",
        Dashes(184),
        Row("66.0 ", {"$10,400.00", z, z, z, z, z, "$10,400.00"}),
        Dashes(185),
        "Financial Events:",
        "  Pay $104.00 Tax On Savings Interest",
        Dashes(175),
        Row("67.0 ", {"$10,816.00", z, z, z, z, z, "$10,816.00"}),
        Dashes(175),
    };
    scenario.initialValues.inflationRate = 0;
    EXPECT_EQ(RunToFile(), expected);
    EXPECT_FLOAT_EQ(Balance(0), 10816.0f);
    EXPECT_EQ(state.needsRecalc, 0);
    // The year's taxes and interest reach the flow cells of the summary table.
    EXPECT_EQ(results.rowCount, 3);
    EXPECT_FLOAT_EQ(results.yearSummary[0][7], 500.0f);   // total incoming
    EXPECT_FLOAT_EQ(results.yearSummary[0][9], 500.0f);   // taxable income
    EXPECT_FLOAT_EQ(results.yearSummary[0][11], 100.0f);  // total outgoing
    EXPECT_FLOAT_EQ(results.yearSummary[0][13], 100.0f);  // taxes
    EXPECT_FLOAT_EQ(results.yearSummary[1][1], 10400.0f);
    EXPECT_FLOAT_EQ(results.accountBalance[2][0], 10816.0f);
}

TEST_F(EngineTest, YearsBeforeTheStartAgeAreSilent) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    Event& e = AddEvent(EventFundamentals, 60, 60, "Early");
    e.amount = 10;  // tax from 60 on
    e.rate2 = 0;
    e.accountId = static_cast<int16_t>(scenario.accountTable.accounts[savings].accountId);
    e.loanRate = 50;  // lost again when the balances are reloaded at 65
    scenario.initialValues.inflationRate = 0;
    Strings lines = RunToFile();
    // Only the description mentions age 60; the schedule starts at 65.
    EXPECT_EQ(lines[1].substr(0, 20), " 60.0 Early - Rate C");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("Rate Changes") != std::string::npos; }), 0);
    const std::string z = "$0.00";
    EXPECT_EQ(lines[5], Row("65.0 ", {"$10,000.00", z, z, z, z, z, "$10,000.00"}));
    EXPECT_EQ(lines[8], "  Pay $50.00 Tax On Savings Interest");  // 5% growth, 10% tax
    EXPECT_EQ(results.rowCount, 3);
    EXPECT_FLOAT_EQ(results.yearSummary[0][0], 65.0f);
    EXPECT_FLOAT_EQ(results.accountBalance[0][0], 10000.0f);
    EXPECT_FLOAT_EQ(results.accountBalance[1][0], 10450.0f);
}

TEST_F(EngineTest, BirthdayProratesTheFirstYear) {
    AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    scenario.initialValues.useBirthday = 1;
    scenario.initialValues.birthMonth = 1;
    scenario.initialValues.birthDay = 1;
    state.todayMonth = 3;  // 30 + 28 + 15 = 73 days after the birthday
    state.todayDay = 16;
    scenario.initialValues.inflationRate = 0;
    Strings lines = RunToFile();
    const std::string z = "$0.00";
    EXPECT_EQ(lines[0], " 65.0 Initial Rates  Tax=20.00% Inflation=0.00%");  // described before the age is set
    EXPECT_EQ(lines[4], Row("65.2 ", {"$10,000.00", z, z, z, z, z, "$10,000.00"}));
    EXPECT_EQ(lines[7], "  Pay $80.00 Tax On Savings Interest");  // 500 x 0.8 growth, taxed 20%
    EXPECT_EQ(lines[9], Row("66.0 ", {"$10,320.00", z, z, z, z, z, "$10,320.00"}));
    EXPECT_FLOAT_EQ(+scenario.initialValues.startAge, 65.2f);
    EXPECT_NEAR(results.yearSummary[1][1], 10320.0f, 0.005f);
}

TEST_F(EngineTest, EndAgeGivesAClosingRowAndOneTableRowPerAge) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    scenario.initialValues.endAge = 85;
    runSwitches.tracking = 0;
    Strings lines = RunToFile();
    ASSERT_GE(lines.size(), 3u);
    const std::string z = "$0.00";
    EXPECT_EQ(lines[lines.size() - 3], Dashes(175));
    EXPECT_EQ(lines[lines.size() - 2], Row("85.0 ", {z, "$1,000.00", z, z, z, z, "$1,000.00"}));
    EXPECT_EQ(lines[lines.size() - 1], Dashes(175));
    EXPECT_EQ(results.rowCount, (85 - 65) + 1);
    EXPECT_FLOAT_EQ(results.yearSummary[20][0], 85.0f);
    EXPECT_FLOAT_EQ(results.taxFreeByAge[85], 1000.0f);

    // The plot file holds 21 year records: one balance line and one year line each.
    Strings plot = Lines("plotinf01.tmp");
    ASSERT_GE(plot.size(), 7u);
    EXPECT_EQ(plot[0], "1");
    EXPECT_EQ(plot[1], "File: tmp01.ret");
    EXPECT_EQ(plot[4], "21.00");
    EXPECT_EQ(plot[5], "1");
    EXPECT_EQ(plot[6], "Savings");
    ASSERT_EQ(plot.size(), 7u + 21 * 2 + 10 + 1 + 1);
    EXPECT_EQ(plot[7], "1000.00");
    EXPECT_EQ(plot[8], "65.0 0.00 1000.00 0.00 0.00 0.00 1000.00 "
                       "0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00 0.00");
    EXPECT_EQ(plot[7 + 20 * 2 + 1].substr(0, 5), "85.0 ");
    EXPECT_EQ(plot[plot.size() - 2], "0");  // the account's group
    EXPECT_EQ(plot.back(), "Done");
    for (const char* item : {"bigfile.tmp", "infile.tmp", "outfile.tmp"}) EXPECT_EQ(Lines(item).back(), "Dooone") << item;
    EXPECT_EQ(Lines("infile.tmp")[0], "1");
    EXPECT_EQ(Lines("infile.tmp")[2], " 65.0\tSavings\t         0.00");
}

TEST_F(EngineTest, EndAgeAtTheStartAgeGivesOnlyTheClosingRow) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 5);
    scenario.accountTable.accounts[0].balance = 123;  // left over from an earlier run
    scenario.initialValues.endAge = 65;
    runSwitches.noSectionMarker = 1;
    const std::string z = "$0.00";
    Strings expected = {" 65.0 Initial Rates  Tax=20.00% Inflation=0.00%", Dashes(175),
                        Row("65.0 ", {z, "$1,000.00", z, z, z, z, "$1,000.00"}), Dashes(175)};
    EXPECT_EQ(RunToFile(), expected);
    EXPECT_EQ(results.rowCount, 1);
    EXPECT_FLOAT_EQ(results.accountBalance[0][0], 1000.0f);
}

// The row's net worth is the sum of the columns it shows and stores.
TEST_F(EngineTest, AmountsBelowOneDollarShowAndStayAsZero) {
    AddAccount("Car", AccountAsset, 0.4f, 0);
    AddAccount("Cash", AccountInvestmentSavings, 250.75f, 0);
    runSwitches.tracking = 0;
    Strings lines = RunToFile();
    const std::string z = "$0.00";
    EXPECT_EQ(lines[4], Row("65.0 ", {"$250.75", z, z, z, z, z, "$250.75"}));
    EXPECT_EQ(results.assetByAge[65], 0.0f);
    EXPECT_EQ(results.yearSummary[0][6], 250.75f);
    EXPECT_EQ(run.assetTotal, 0.0f);
}

TEST_F(EngineTest, NegativeNetWorthIsFlaggedAtItsFirstAge) {
    AddAccount("Boat", AccountAsset, 1000, -10);  // 1000 x 0.9^13 = 254.19 at 78
    AddAccount("Savings", AccountInvestmentSavings, -260, 5);  // overdrawn: does not grow
    scenario.initialValues.endAge = 81;
    runSwitches.tracking = 0;
    Strings lines = RunToFile();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Red flags at age(s):");
    EXPECT_EQ(lines.back(), " 78.0   Your net worth went negative.");
    EXPECT_LT(results.yearSummary[13][6], 0.0f);  // 78
    EXPECT_GT(results.yearSummary[12][6], 0.0f);  // 77
    EXPECT_FLOAT_EQ(Balance(1), -260.0f);
}

TEST_F(EngineTest, FundamentalsChangeTaxInflationAndAccountRate) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    scenario.initialValues.startAge = 69;
    scenario.initialValues.endAge = 72;
    scenario.initialValues.inflationRate = 3;
    Event& e = AddEvent(EventFundamentals, 70, 70, "Change");
    e.amount = 25;
    e.rate2 = 2;
    e.accountId = static_cast<int16_t>(scenario.accountTable.accounts[savings].accountId);
    e.loanRate = 6;
    Strings lines = RunToFile();
    EXPECT_EQ(lines[1], " 70.0 Change - Rate Change:  Tax=25.00%  Inf.=2.00%  Savings=6.00%");
    Strings year70(lines.begin() + 12, lines.begin() + 18);
    Strings expected = {
        "Financial Events:",
        "  Change - Rate Changes: ",
        "     Savings = 6.00%",
        "     Tax Rate = 25.00%",
        "     Inflation Rate = 2.00%",
        "  Pay $156.00 Tax On Savings Interest",  // 10,400 x 6% = 624, taxed 25%
    };
    EXPECT_EQ(year70, expected);
    EXPECT_EQ(+scenario.events[0].runState, RunDone);
    // The changes last to the end of the run; the inputs are untouched.
    EXPECT_EQ(run.currentTaxRate, 25.0f);
    EXPECT_EQ(run.currentInflationRate, 2.0f);
    EXPECT_EQ(+scenario.initialValues.inflationRate, 3.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[savings].yearlyRate, 5.0f);
}

TEST_F(EngineTest, RandomRatesKeepTheYearsInflationAndRestoreTheScenarios) {
    AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    scenario.initialValues.inflationRate = 4;
    scenario.settings.mcDistribution = 1;  // uniform: a range of one value draws exactly it
    scenario.settings.mcMinInflationRate = scenario.settings.mcMaxInflationRate = 3;
    Account& a = scenario.accountTable.accounts[0];
    a.randomMinRate = a.randomMaxRate = 7;
    a.mcMinRate = 1e6f;
    a.mcMaxRate = -1e6f;
    Event& e = AddEvent(EventFundamentals, 66, 66, "Change");
    e.amount = 25;
    e.rate2 = 2;
    runSwitches.randomAccountRates = 1;
    SetDetailedResults(1);
    runSwitches.noSectionMarker = 1;
    Strings lines = RunToFile();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "     Inflation Rate = 3.00%"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "     Tax Rate = 25.00%"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Uniform random account rates in effect."), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      Savings rate=7.00%"), lines.end());
    EXPECT_EQ(lines[lines.size() - 2], "Rate Statistics:");
    EXPECT_EQ(lines.back(), "Average Savings Rate = 7.00   Number = 2.00   Min = 7.00   Max = 7.00  ");
    EXPECT_EQ(+scenario.initialValues.inflationRate, 4.0f);
    EXPECT_FLOAT_EQ(results.yearSummary[1][1], 10700.0f - 140.0f);  // 7% growth taxed 20%
}

TEST_F(EngineTest, ResultsListDropsDashLinesAndIndexesRowsByAge) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    runSwitches.tracking = 0;
    runSwitches.positionMode = PositionGoTo;
    runSwitches.goToAge = 66;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    Strings list = ListLines();
    ASSERT_EQ(list.size(), 3u);  // one row a year and the closing row
    EXPECT_EQ(list[1].substr(0, 5), "66.0 ");
    EXPECT_EQ(results.lineIndexByAge[65], 0);
    EXPECT_EQ(results.lineIndexByAge[67], 2);
    EXPECT_EQ(results.selectedLine, 1);
    EXPECT_EQ(results.lineTag[0], TagOther);

    // Detailed results tag the initial-rate lines; a second run starts a new list.
    SetDetailedResults(1);
    runSwitches.positionMode = PositionBottom;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    list = ListLines();
    EXPECT_EQ(list[0], "Initial Rates:");
    EXPECT_EQ(list[1], " Savings = 0.00%");
    EXPECT_EQ(results.lineTag[0], 0);
    EXPECT_EQ(results.lineTag[1], TagInitialRate);
    EXPECT_EQ(list[4], " Appreciation = 0.00%");
    EXPECT_EQ(results.selectedLine, static_cast<int>(list.size()) - 1);
}

TEST_F(EngineTest, SummaryAndAccountLinesCloseTheYear) {
    AddAccount("Savings", AccountInvestmentSavings, 10000, 5);
    AddAccount("Boat", AccountAsset, 1000, -10);
    scenario.initialValues.endAge = 66;
    runSwitches.summary = 1;
    runSwitches.accountSummary = 1;
    runSwitches.noSectionMarker = 1;
    Strings lines = RunToFile();
    Strings year(lines.begin() + 4, lines.begin() + 17);
    Strings expected = {
        "Financial Events:",
        "  Pay $100.00 Tax On Savings Interest",
        "Summary:",
        "    Total Incoming=$500.00",
        "       Taxable Income=$500.00",
        "    Total Outgoing=$200.00",
        "       Taxes on savings interest=$100.00",
        "       Depreciation=$100.00",
        "End Of Year Account Summary:",
        "  Savings=$10,400.00          ",
        "  Boat=$900.00             ",
        Dashes(175),
        Row("66.0 ", {"$10,400.00", "$0.00", "$0.00", "$900.00", "$0.00", "$0.00", "$11,300.00"}),
    };
    EXPECT_EQ(year, expected);
    // The depreciation is an outgoing item; flows 5 and 13 count it.
    EXPECT_EQ(Lines("outfile.tmp")[0], " 65.0\tBoat\t      -100.00");
    EXPECT_FLOAT_EQ(results.yearSummary[0][11], 200.0f);
    EXPECT_FLOAT_EQ(results.yearSummary[0][19], 100.0f);
}

TEST_F(EngineTest, ExportRowsFollowTheHeader) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 10);
    AddAccount("House", AccountEquity, 500, 0);
    scenario.initialValues.endAge = 66;
    runSwitches.exportFile = std::fopen("out.kve", "w");
    ASSERT_NE(runSwitches.exportFile, nullptr);
    WriteExportHeader(runSwitches.exportFile, 0);
    runSwitches.exportTab = 1;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    // The opener closes it: only the opener knows whether it is kept.
    EXPECT_EQ(std::fclose(runSwitches.exportFile), 0);
    runSwitches.exportFile = nullptr;
    Strings expected = {"Age\tSavings\tHouse\tEquity\tTotal", "65.00\t1000.00\t500.00\t500.00\t2000.00",
                        "66.00\t1100.00\t500.00\t500.00\t2100.00"};
    EXPECT_EQ(Lines("out.kve"), expected);
}

TEST_F(EngineTest, GraphAgeWindowLimitsThePlotYears) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    scenario.initialValues.endAge = 85;
    runSwitches.graphWindow = 1;
    runSwitches.graphFromAge = 70;
    runSwitches.graphToAge = 71;  // fewer than 3 years apart: the window grows by one
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    Strings plot = Lines("plotinf01.tmp");
    EXPECT_EQ(plot[4], "3.00");
    ASSERT_EQ(plot.size(), 7u + 3 * 2 + 10 + 1 + 1);
    EXPECT_EQ(plot[8].substr(0, 5), "70.0 ");
    EXPECT_EQ(plot[12].substr(0, 5), "72.0 ");

    runSwitches.graphFromAge = 66;  // only one age picked: from the start of the plan
    runSwitches.graphToAge = 0;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    plot = Lines("plotinf01.tmp");
    EXPECT_EQ(plot[4], "3.00");  // 65..67
    EXPECT_EQ(plot[8].substr(0, 5), "65.0 ");
}

TEST_F(EngineTest, SetUpFailuresEndTheRunBeforeAnyOutput) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    EXPECT_EQ(RunProjection(OutputResultsFile), 0);  // no file chosen: cancelled, silently
    EXPECT_TRUE(runNotices.empty());

    std::strcpy(runSwitches.plotPath, "missing/plot.tmp");
    EXPECT_EQ(RunProjection(OutputResultsList), 0);
    ASSERT_EQ(runNotices.size(), 1u);
    EXPECT_EQ(runNotices[0].text, "Cannot open plot file.");
    EXPECT_EQ(runNotices[0].caption, "FILE ERROR");
    EXPECT_FALSE(std::filesystem::exists("bigfile.tmp"));

    std::strcpy(runSwitches.resultsPath, "missing/out.sch");
    EXPECT_EQ(RunProjection(OutputResultsFile), 0);
    EXPECT_EQ(runNotices.back().text, "Cannot open missing/out.sch");
}

TEST_F(EngineTest, DescriptionOnlyWritesThePrintFileAndNothingElse) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    const int rows = results.rowCount;
    std::filesystem::remove("plotinf01.tmp");
    runSwitches.descriptionOnly = 1;
    EXPECT_EQ(RunProjection(OutputPrintFile), 0);
    EXPECT_EQ(Lines(PrintFileName), Strings{" 65.0 Initial Rates  Tax=20.00% Inflation=0.00%"});
    EXPECT_FALSE(std::filesystem::exists("plotinf01.tmp"));
    EXPECT_EQ(results.rowCount, rows);  // the last full run's tables stay for the folders
}

}  // namespace

// Ages no dialog takes still end the run within the tables: the yearly loop
// never runs past age 120 or before 0, whatever a file or JSON text holds.
TEST_F(EngineTest, AnyAgesEndTheRunWithinTheTables) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    Event& early = AddEvent(EventDeposit, 65, 66, "Early");
    const float inf = INFINITY, nan = std::nanf("");
    const struct {
        float start, end, eventStart;
        int rows;
    } cases[] = {
        {65, 1e8f, 65, 120 - 65 + 1},   {65, inf, 65, 56},         {65, nan, 65, 56},
        {-inf, 70, 65, 1},              {nan, 70, 65, 0},          {65, 70, -1e9f, 6},
        {65, 16777216.0f, -inf, 56},    {1e30f, 1e30f + 1, 65, 0},
    };
    for (const auto& c : cases) {
        scenario.initialValues.startAge = c.start;
        scenario.initialValues.endAge = c.end;
        early.startAge = c.eventStart;
        RunProjection(OutputResultsList);
        EXPECT_EQ(results.rowCount, c.rows) << c.start << " " << c.end << " " << c.eventStart;
    }
}

// A plan from age 1 to 120 (refused by the Initial Values dialog and by an
// open) stops at the table's 100th row and says why, so that the schedule and a
// Monte Carlo analysis judge the same years.
TEST_F(EngineTest, APlanOfAHundredYearsStopsAtTheLastTableRow) {
    AddAccount("Savings", AccountTaxFreeSavings, 1000, 0);
    scenario.initialValues.startAge = 1;
    scenario.initialValues.endAge = 120;
    RunProjection(OutputResultsList);
    RunProjection(OutputResultsList);
    EXPECT_EQ(results.rowCount, 100);
    EXPECT_EQ(results.yearSummary[99][0], 100.0f);
    ASSERT_EQ(runNotices.size(), 1u);
    EXPECT_EQ(runNotices[0].text, "The age range must be less than 100!");
    EXPECT_EQ(runNotices[0].caption, "Age Range Error!");

    runNotices.clear();
    scenario.initialValues.endAge = 100.5f;  // the longest plan the dialog takes
    RunProjection(OutputResultsList);
    EXPECT_EQ(results.rowCount, 100);
    EXPECT_TRUE(runNotices.empty());
}

// A figure too large for its text shows as an error, never with digits lost.
TEST_F(EngineTest, MoneyTextNeverLosesDigits) {
    char text[48];
    MoneyText(text, sizeof text, "%-13.2f", 1e30f);
    EXPECT_STREQ(text, "$1,000,000,015,047,466,219,876,688,855,040.00");
    for (float v : {3e38f, -1e34f, INFINITY, -INFINITY}) {
        MoneyText(text, sizeof text, "%-13.2f", v);
        EXPECT_STREQ(text, "(overflow)") << v;
    }
    MoneyText(text, sizeof text, "%-11.2f", std::nanf(""));
    EXPECT_STREQ(text, "(NaN)");
}
