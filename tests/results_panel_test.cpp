#include <filesystem>

#include "shell_fixture.h"

namespace {

TEST(ResultsDrawing, RedLinesByTheirTexts) {
    for (const char* line : {"Red flags at age(s):", " 70.0  Your net worth went negative.",
                             "Withdrawal from the withdrawal account failed: depleted", "Penalties Paid = $10.00",
                             "Liquid accounts were depleted.", "66.0\t$-1,000.00\t$0.00"})
        EXPECT_TRUE(ResultLineIsRed(line)) << line;
    for (const char* line : {"Financial Events:", "66.0\t$1,000.00\t$0.00", " Balance $-5.00",
                             "-$-5.00 line starting with a dash", "withdrawal account only"})
        EXPECT_FALSE(ResultLineIsRed(line)) << line;
}

TEST(ResultsDrawing, TableRowsSplitIntoEightCells) {
    EXPECT_TRUE(ResultLineIsTableRow("65.0\t$1.00"));
    EXPECT_FALSE(ResultLineIsTableRow("0.5 not a row"));
    EXPECT_FALSE(ResultLineIsTableRow(" 65.0"));
    auto cells = ResultTableCells("65.0\t   $100,000.00\t  $0.00 \t$0.00\t$0.00\t$0.00\t$0.00\t$100,000.00");
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[0], "65.0");
    EXPECT_EQ(cells[1], "$100,000.00");
    EXPECT_EQ(cells[7], "$100,000.00");
    // The eighth cell keeps whatever is left.
    cells = ResultTableCells("1 2 3 4 5 6 7 8 9  ");
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[7], "8 9");

    int w[8];
    ResultsColumnWidths(574, w);
    EXPECT_EQ(w[0], 30);
    EXPECT_EQ(w[1], 72);
    EXPECT_EQ(w[4], 70);
    ResultsColumnWidths(600, w);
    EXPECT_EQ(w[0], 560 * 30 / 534);

    shell = ShellState{};
    EXPECT_EQ(ResultsBandingColour({200, 200, 200}), (Colour{218, 218, 218}));
    shell.darker = 1;
    EXPECT_EQ(ResultsBandingColour({200, 200, 200}), (Colour{200, 200, 200}));
    shell = ShellState{};
}

class ResultsPanelTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        MakeScenarioFile("r.ret");
        SetScenarioPath("r.ret");
        ASSERT_EQ(OpenScenario("r.ret"), 1);
        ASSERT_EQ(RunShellProjection(OutputResultsList), 1);
        screen.Clear();
    }
};

TEST_F(ResultsPanelTest, GoToChecksTheAgeAndIsReappliedAfterARun) {
    int count = ResultLineCount();
    ASSERT_GT(count, 10);

    EXPECT_EQ(ResultsButton(ResultsGoTo, "67"), 1);
    EXPECT_EQ(screen.resultsSelected, results.lineIndexByAge[67]);
    EXPECT_TRUE(ResultLine(screen.resultsSelected).rfind("67", 0) == 0);
    ResultsButton(ResultsRunAgain);
    EXPECT_EQ(screen.resultsSelected, results.lineIndexByAge[67]);

    ResultsButton(ResultsGoTo, "40");  // before the start age
    EXPECT_EQ(screen.resultsSelected, 0);
    ResultsButton(ResultsGoTo, "99");  // after the end age
    EXPECT_EQ(screen.resultsSelected, count - 1);

    for (const char* bad : {"0", "121", "abc", ""}) {
        screen.Clear();
        EXPECT_EQ(ResultsButton(ResultsGoTo, bad), 0) << bad;
        ASSERT_EQ(screen.messages.size(), 1u);
        EXPECT_EQ(screen.messages[0].text, "This age must be between 1.0 and 120.0.");
        EXPECT_EQ(screen.messages[0].caption, "AGE ERROR");
    }
    EXPECT_EQ(runSwitches.goToAge, 99);

    ResultsButton(ResultsTop);
    EXPECT_EQ(screen.resultsSelected, 0);
    ResultsButton(ResultsBottom);
    EXPECT_EQ(screen.resultsSelected, count - 1);
}

TEST_F(ResultsPanelTest, SwitchesRerunAndPrintingBlocksThePanel) {
    int plain = ResultLineCount();
    ResultsButton(ResultsDetailed);
    EXPECT_TRUE(ResultsDetailedShown());
    EXPECT_EQ(runSwitches.detailedSummary, 1);
    EXPECT_GT(ResultLineCount(), plain);
    ResultsButton(ResultsDetailed);
    EXPECT_EQ(ResultLineCount(), plain);

    ResultsButton(ResultsAccounts);
    EXPECT_TRUE(ResultsAccountsShown());

    shell.printing = 1;
    EXPECT_EQ(ResultsButton(ResultsAccounts), 0);
    EXPECT_TRUE(ResultsAccountsShown());
    shell.printing = 0;

    EXPECT_EQ(ResultsButton(ResultsHelp), 1);
    EXPECT_EQ(screen.helpPages.back(), "topic1554.html");
}

TEST_F(ResultsPanelTest, SaveAsksForAResultsFileAndWritesTheSchedule) {
    EXPECT_EQ(ResultsButton(ResultsSave), 0);  // cancelled
    ASSERT_EQ(screen.fileDialogs.size(), 1u);
    EXPECT_EQ(screen.fileDialogs[0].title, "Save Results To A File");
    EXPECT_EQ(screen.fileDialogs[0].filters[0].description, "Result Files (*.SCH)");
    EXPECT_FALSE(std::filesystem::exists("out.sch"));

    screen.files = {"out"};
    EXPECT_EQ(ResultsButton(ResultsSave), 1);
    std::string text = Bytes("out.sch");
    EXPECT_NE(text.find("Gift"), std::string::npos);
    EXPECT_NE(text.find("$100,000.00"), std::string::npos);
    EXPECT_EQ(runSwitches.noSectionMarker, 0);
    EXPECT_EQ(runSwitches.descriptionOnly, 0);
    EXPECT_GT(ResultLineCount(), 0);  // the list keeps its lines
}

TEST_F(ResultsPanelTest, RandomRunsStartFreshStatisticsAndSwitchOffAfterwards) {
    Account& a = scenario.accountTable.accounts[0];
    a.randomMinRate = 2;
    a.randomMaxRate = 8;
    scenario.accountOptions.mcRateCount[a.optionsSlot] = 17;
    EXPECT_EQ(ResultsButton(ResultsRandomAccounts), 1);
    EXPECT_EQ(runSwitches.randomAccountRates, 0);
    EXPECT_EQ(runSwitches.descriptionOnly, 0);
    EXPECT_GT(ResultLineCount(), 0);
    // Drawn rates were counted afresh, within the account's range.
    float count = scenario.accountOptions.mcRateCount[a.optionsSlot];
    EXPECT_LT(count, 17.0f);
    float low = a.mcMinRate, high = a.mcMaxRate;
    EXPECT_LE(low, high);
    EXPECT_EQ(+scenario.initialValues.inflationRate, 4.0f);
}

TEST_F(ResultsPanelTest, EditInitialValuesRerunsOnlyWhenTheScenarioChanged) {
    static int opened = 0;
    opened = 0;
    SetCommandRoutine(CmdInitialValues, [] {
        ++opened;
        return 1;
    });
    int runs = shell.runs;
    EXPECT_EQ(ResultsButton(ResultsEditInitialValues), 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(shell.runs, runs);
    SetCommandRoutine(CmdInitialValues, [] {
        state.modified = 1;
        state.needsRecalc = 1;
        return 1;
    });
    EXPECT_EQ(ResultsButton(ResultsEditInitialValues), 1);
    EXPECT_EQ(shell.runs, runs + 1);
    SetCommandRoutine(CmdInitialValues, nullptr);
}

}  // namespace
