// The account list, the Summary panel, pies, graph drawing, the Monte Carlo
// folder and Save Graphs, over small Scenarios run by the engine.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "engine_fixture.h"
#include "montecarlo/insight.h"
#include "montecarlo/montecarlo.h"
#include "results/draw_parts.h"
#include "results/results.h"
#include "recording_painter.h"
#include "scripted_ui.h"

namespace {

class ResultsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        accountList = AccountListState{};
        summaryPanel = SummaryState{};
    }
    // A Monte Carlo folder run of `trials` trials drawing into `p`.
    static MonteCarloFolderRun FolderRun(ui::RecordingPainter& p, int trials) {
        scenario.settings.mcTrials = static_cast<int16_t>(trials);
        state.mcTrials = trials;
        MonteCarloFolderRun run;
        run.painter = &p;
        run.box = {0, 0, 700, 500};
        return run;
    }
    // One Account with a wide random range paying a withdrawal to 80 that
    // its middle rate cannot carry: most trials fall below the goal of 1
    // (the trials start from the clock, so "some" must be near certain).
    void SomeTrialsFail() {
        scenario.initialValues.endAge = 80;
        int cash = AddAccount("Cash", AccountInvestmentSavings, 60000, 5);
        scenario.accountTable.accounts[cash].randomMinRate = -10;
        scenario.accountTable.accounts[cash].randomMaxRate = 20;
        Event& e = AddEvent(EventWithdrawal, 65, 80, "Living");
        e.amount = 6500;
        scenario.settings.mcGoalAmount = 1;
    }
    // How many drawn texts are exactly `text`.
    static int Exactly(const ui::RecordingPainter& p, const std::string& text) {
        int n = 0;
        for (const auto& t : p.texts) n += t.text == text;
        return n;
    }
    static std::string Names() {
        std::string s;
        for (int i = 0; i < scenario.accountTable.accountCount; ++i)
            s += FieldText(scenario.accountTable.accounts[i].name) + " ";
        return s;
    }
};

TEST_F(ResultsTest, AccountTabLabels) {
    EXPECT_EQ(AccountTabLabels(10), (std::vector<std::string>{"Accounts 1-10"}));
    EXPECT_EQ(AccountTabLabels(11), (std::vector<std::string>{"Accounts 1-10", "Account 11"}));
    EXPECT_EQ(AccountTabLabels(25), (std::vector<std::string>{"Accounts 1-10", "Accounts 11-20", "Accounts 21-25"}));
}

TEST_F(ResultsTest, SortingAmountTwiceKeepsEqualAmountsInOrder) {
    AddAccount("b", AccountInvestmentSavings, 500, 1);
    AddAccount("a", AccountInvestmentSavings, 100, 1);
    AddAccount("c", AccountInvestmentSavings, 500, 1);
    AddAccount("d", AccountInvestmentSavings, 300, 1);
    EXPECT_EQ(SortAccountList(7), 1);
    EXPECT_EQ(Names(), "a d b c ");
    SortAccountList(7);
    EXPECT_EQ(Names(), "b c d a ");
    SortAccountList(0);  // "Account" starts ascending, so its first click is descending
    EXPECT_EQ(Names(), "d c b a ");
    EXPECT_EQ(PrepareAccountList(), 4);  // refilling repeats the last sort
    EXPECT_EQ(Names(), "d c b a ");
    EXPECT_EQ(accountList.lastSorted, 0);
    SortAccountList(8);
    EXPECT_EQ(accountList.withdrawalOrderBox, 1);
    EXPECT_EQ(AccountCountText(), " 4");
    EXPECT_EQ(AccountTotalText(), "$1,400.00");
}

TEST_F(ResultsTest, CellsOfTheAccountList) {
    int asset = AddAccount("House", AccountAsset, 250000, 3);
    int ira = AddAccount("IRA", AccountRetirementSavings, 1000, 5.5f);
    scenario.accountTable.accounts[asset].penaltyApplies = 1;
    scenario.accountTable.accounts[ira].penaltyApplies = 1;
    int slot = scenario.accountTable.accounts[ira].optionsSlot;
    scenario.accountOptions.stdDeviation[slot] = 250;
    scenario.accountOptions.penaltyAge[slot] = 59.5f;
    scenario.accountOptions.rmdTable[slot] = 20;
    SetFieldText(scenario.settings.groupName[0], "Savings");
    EXPECT_EQ(AccountListCell(asset, 2), "");  // an Asset never shows the penalty mark
    EXPECT_EQ(AccountListCell(asset, 9), "");
    EXPECT_EQ(AccountListCell(ira, 2), "x");
    EXPECT_EQ(AccountListCell(ira, 3), "2");
    EXPECT_EQ(AccountListCell(ira, 5), "Retirement Savings");
    EXPECT_EQ(AccountListCell(ira, 6), "   5.500");
    EXPECT_EQ(AccountListCell(ira, 9), " 59.50");
    EXPECT_EQ(AccountListCell(ira, 1), "Savings");
    EXPECT_EQ(AccountListCell(ira, 13), "  0.00");
    PrepareAccountList();
    EXPECT_EQ(+scenario.accountOptions.stdDeviation[slot], 0.0f);
    EXPECT_EQ(AccountListColumnWidth(0, 540, 0), 106);
    EXPECT_EQ(AccountListColumnWidth(11, 540, 99), 99);
    EXPECT_EQ(AccountListColumnCount(), 14);
    shell.idColumn = 1;  // IDON
    EXPECT_EQ(AccountListColumnCount(), 15);
    EXPECT_EQ(AccountListCell(ira, 14), "    " + std::to_string(+scenario.accountTable.accounts[ira].accountId));
    EXPECT_EQ(AccountListColumnWidth(14, 540, 0), 50);
    shell.idColumn = 0;
    scenario.accountTable.accountCount = 77;  // out of range: an empty list
    EXPECT_EQ(PrepareAccountList(), 0);
    EXPECT_EQ(+scenario.accountTable.accountCount, 0);
}

TEST_F(ResultsTest, PiesLeaveOutNegativePartsAndFindTheirSlices) {
    results.rowCount = 1;
    float* row = results.yearSummary[0];
    row[0] = 65;
    row[1] = 300;   // investment
    row[2] = -100;  // tax free, left out
    row[3] = 100;   // retirement
    row[5] = 0;
    float total = 0;
    std::vector<PieSlice> slices = PieSlices(GraphNetWorth, 0, total);
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(total, 400.0f);
    EXPECT_EQ(slices[0].series, 1);
    EXPECT_EQ(slices[0].share, 0.75f);
    EXPECT_EQ(PieShareText(0.75f), " 75.00%");
    EXPECT_EQ(PieTotalText(total), "Total = $400.00");
    // The first slice runs counter-clockwise from three o'clock over 270 degrees.
    EXPECT_EQ(PieSliceAt(slices, 100, 100, 50, 100, 60), 0);  // above the centre
    EXPECT_EQ(PieSliceAt(slices, 100, 100, 50, 130, 110), 1);  // below, to the right
    EXPECT_EQ(PieSliceAt(slices, 100, 100, 50, 100, 151), -1);
    ui::RecordingPainter p;
    DrawPies(p, {0, 0, 400, 300}, GraphNetWorth, 0, 0, DrawScale{});
    EXPECT_EQ(p.Count("pie "), 2);
    EXPECT_EQ(p.TextsWith("Age 65").size(), 1u);
}

TEST_F(ResultsTest, SummaryPanelShowsNegativeNetWorthInRed) {
    AddAccount("Cash", AccountInvestmentSavings, 1000, 0);
    AddAccount("Card", AccountAsset, 0, 0);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    results.liabilitiesByAge[65] = 5000;  // more owed than held
    std::vector<PanelLine> lines = SummaryPanelLines(0, 0);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2].label, "Investment Savings");
    EXPECT_EQ(lines[2].labelColour, 1);
    EXPECT_EQ(lines.back().label, "Net Worth");
    EXPECT_LT(lines.back().value, 0.0f);
    ui::RecordingPainter p;
    DrawSummaryPanel(p, {0, 0, 300, 300}, 0, 0, false);
    auto negative = p.TextsWith("$-");
    ASSERT_FALSE(negative.empty());
    EXPECT_EQ(negative.back().colour, (ui::DrawColour{255, 0, 0}));
    EXPECT_EQ(p.TextsWith("Age").front().colour, (ui::DrawColour{0, 0, 0}));
    ui::RecordingPainter darker;
    DrawSummaryPanel(darker, {0, 0, 300, 300}, 0, 0, true);
    EXPECT_EQ(darker.TextsWith("Equity").size(), 2u);
    EXPECT_EQ(SummaryPanelLines(0, 2).back().label, "Net Worth");
    EXPECT_EQ(SummaryPanelLines(0, 3)[1].label, "Outgoing");

    // A newly opened Scenario starts the panel at its first age.
    summaryPanel = {3, 2};
    ShellHooks saved = shellHooks;
    InstallResultsCommands();
    ASSERT_NE(shellHooks.refreshSummary, nullptr);
    shellHooks.refreshSummary();
    EXPECT_EQ(summaryPanel.row, 0);
    EXPECT_EQ(summaryPanel.view, 0);
    EXPECT_NE(FindCommand(CmdSaveGraphs)->run, nullptr);
    shellHooks = saved;
}

TEST_F(ResultsTest, GraphsDrawEachStyleInsideTheirBox) {
    scenario.initialValues.endAge = 80;
    AddAccount("Cash", AccountInvestmentSavings, 12345, 0);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    for (int style : {StyleLines, StyleBars, StyleDepth}) {
        ui::RecordingPainter p;
        GraphView v;
        v.style = style;
        PlotArea a = DrawGraph(p, {0, 0, 800, 500}, GraphNetWorth, 0, v, DrawScale{});
        EXPECT_EQ(a.rows, 16);
        EXPECT_EQ(a.axis.range, 20000.0f);
        EXPECT_EQ(p.TextsWith("NET WORTH").size(), 1u);
        EXPECT_EQ(p.TextsWith("$20,000.00").size(), 1u);
        EXPECT_EQ(p.TextsWith("Equity").size(), 1u);
        for (const auto& t : p.texts) {
            EXPECT_GE(t.x, 0) << t.text;
            EXPECT_LE(t.x + p.TextWidth(t.text), 800) << t.text;
        }
        if (style == StyleLines) {
            EXPECT_EQ(p.Count("polyline"), 6);
        }
        if (style == StyleBars) {
            EXPECT_EQ(p.Count("rect (0,0,255)"), 16 + 1);  // one net worth bar a year, and its legend box
        }
        if (style == StyleDepth) {
            EXPECT_GT(p.Count("polygon"), 0);
        }
    }
}

TEST_F(ResultsTest, AgeWindowZoomsTheAxisToItsLargestValue) {
    results.rowCount = 10;
    for (int row = 0; row < 10; ++row) {
        results.yearSummary[row][0] = 60.0f + row;
        results.yearSummary[row][6] = 1000.0f * (row + 1);
    }
    GraphView v;
    PickAge(v, 2);
    PickAge(v, 4);
    ASSERT_EQ(ApplyAgeWindow(v), 1);
    ValueAxis a = AxisOf(SeriesOf(GraphNetWorth), v);
    EXPECT_EQ(a.lowest, 0.0f);
    EXPECT_EQ(a.range, 5000.0f);
    ui::RecordingPainter p;
    PlotArea plot = DrawGraph(p, {0, 0, 600, 400}, GraphNetWorth, 0, v, DrawScale{});
    EXPECT_EQ(plot.firstRow, 2);
    EXPECT_EQ(plot.rows, 3);
    EXPECT_EQ(p.TextsWith("62").size(), 1u);
    EXPECT_TRUE(p.TextsWith("61").empty());
    EXPECT_GT(p.Count("clip"), 0);
}

TEST_F(ResultsTest, AccountAndGroupSeries) {
    for (int i = 0; i < 12; ++i) {
        std::string name = "A" + std::to_string(i);
        int k = AddAccount(name.c_str(), AccountInvestmentSavings, 100.0f * (i + 1), 0);
        scenario.accountTable.accounts[k].groupIndex = i % 2 ? 3 : 0;
    }
    SetFieldText(scenario.settings.groupName[3], "Odd");
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    GraphSeries first = SeriesOf(GraphAccounts, 0), second = SeriesOf(GraphAccounts, 1);
    ASSERT_EQ(first.count, 10);
    ASSERT_EQ(second.count, 2);
    EXPECT_EQ(second.legend[1], "A11");
    // The colours run on across the tabs, so twelve Accounts use all twelve.
    EXPECT_EQ(GraphColour(second.colour[0]), (Colour{100, 100, 100}));
    EXPECT_EQ(GraphColour(second.colour[1]), (Colour{200, 200, 200}));
    EXPECT_EQ(SeriesValue(second, 1, 0), 1200.0f);
    GraphSeries groups = SeriesOf(GraphGroups);
    ASSERT_EQ(groups.count, 2);  // only the Groups holding an Account
    EXPECT_EQ(groups.legend[1], "Odd");
    EXPECT_EQ(SeriesValue(groups, 1, 0), 200.0f + 400 + 600 + 800 + 1000 + 1200);
    EXPECT_EQ(GraphCodeOfFolder(FolderGroups), GraphGroups);
    EXPECT_EQ(GraphCodeOfFolder(FolderAccountGraph), GraphAccounts);
}

// The second Accounts tab's pies show Accounts 11 and 12, with their own
// names, colours and read-outs.
TEST_F(ResultsTest, PiesOfALaterAccountsTabShowThatTabsAccounts) {
    for (int i = 0; i < 12; ++i) {
        std::string name = "A" + std::to_string(i + 1);
        AddAccount(name.c_str(), AccountInvestmentSavings, 100.0f * (i + 1), 0);
    }
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    float total = 0;
    std::vector<PieSlice> slices = PieSlices(GraphAccounts, 0, total, 1);
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(total, 1100.0f + 1200.0f);
    EXPECT_EQ(slices[0].value, 1100.0f);
    ui::RecordingPainter p;
    PieArea a = DrawPies(p, {0, 0, 500, 400}, GraphAccounts, 1, 0, DrawScale{});
    EXPECT_EQ(p.Count("pie (100,100,100)"), 1);  // colour 10: the eleventh Account
    EXPECT_EQ(p.Count("pie (200,200,200)"), 1);
    EXPECT_EQ(p.TextsWith("A11").size(), 1u);
    EXPECT_EQ(p.TextsWith("A12").size(), 1u);
    EXPECT_TRUE(p.TextsWith("A1 ").empty());
    EXPECT_EQ(p.TextsWith("Total = $2,300.00").size(), 1u);
    EXPECT_EQ(PieSliceText(a, 1), "A12: $1,200.00 ( 52.17%)");
    EXPECT_EQ(PieSliceText(a, 2), "");
}

// Quarters showing pies hand them back for the slice hit test; the others
// hand back none.
TEST_F(ResultsTest, SummaryQuartersReturnTheirPies) {
    AddAccount("Cash", AccountInvestmentSavings, 3000, 0);
    AddAccount("IRA", AccountRetirementSavings, 1000, 0);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    GraphView views[3];
    views[0].showPies = 1;
    views[0].selectedRow = 1;
    PlotArea plots[3];
    PieArea pies[3];
    pies[1].slices.push_back({0, 1, 1});  // left from an earlier drawing
    ui::RecordingPainter p;
    DrawSummaryFolder(p, {0, 0, 900, 700}, views, plots, pies, DrawScale{});
    ASSERT_EQ(pies[0].slices.size(), 2u);
    EXPECT_EQ(pies[0].code, GraphNetWorth);
    EXPECT_TRUE(pies[1].slices.empty());
    EXPECT_EQ(plots[0].rows, 0);
    EXPECT_GT(plots[1].rows, 0);
    // Above the centre: the first slice, the investments' three quarters.
    int hit = PieSliceAt(pies[0].slices, pies[0].cx, pies[0].cy, pies[0].radius, pies[0].cx, pies[0].cy - pies[0].radius / 2);
    EXPECT_EQ(hit, 0);
    EXPECT_EQ(PieSliceText(pies[0], hit), "Investment Accounts: $3,000.00 ( 75.00%)");
}

// A net worth below 0 all along: the analysis draws below a 0 line and ends.
TEST_F(ResultsTest, MonteCarloFolderWithNegativeNetWorthEnds) {
    scenario.initialValues.endAge = 80;
    AddAccount("Debt", AccountAsset, -10000, 5);
    ui::RecordingPainter p;
    MonteCarloFolderRun run = FolderRun(p, 2);
    EXPECT_EQ(RunMonteCarloFolder(run), 1);
    EXPECT_LT(run.area.axis.lowest, 0.0f);
    EXPECT_EQ(run.area.axis.lowest + 10 * run.area.axis.step, 0.0f);
    EXPECT_FALSE(p.TextsWith("-$").empty());
    EXPECT_EQ(Exactly(p, "0.00"), 1);
}

// An Accounts tab whose Accounts are all below 0 draws below a 0 line, in
// the whole plan and in an age window.
TEST_F(ResultsTest, AllNegativeAccountsGraphIsDrawnBelowZero) {
    scenario.initialValues.endAge = 75;
    AddAccount("Loan", AccountAsset, -1000, 10);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    GraphSeries s = SeriesOf(GraphAccounts, 0);
    GraphView v;
    for (int pass = 0; pass < 2; ++pass) {
        ui::RecordingPainter p;
        PlotArea a = DrawGraph(p, {0, 0, 800, 500}, GraphAccounts, 0, v, DrawScale{});
        EXPECT_GT(a.axis.range, 0.0f) << pass;
        EXPECT_EQ(a.axis.lowest + a.axis.range, 0.0f) << pass;
        for (int i = 0; i < a.rows; ++i) {
            float value = SeriesValue(s, 0, a.firstRow + i);
            EXPECT_GE(value, a.axis.lowest) << pass << " " << i;
            EXPECT_LT(value, 0.0f) << pass << " " << i;
        }
        EXPECT_FALSE(p.TextsWith("-$").empty()) << pass;
        EXPECT_EQ(Exactly(p, "0.00"), 1) << pass;  // the top label
        PickAge(v, 3);  // the next pass: the window of rows 3 to 6
        PickAge(v, 6);
        ASSERT_EQ(ApplyAgeWindow(v), 1);
    }
}

TEST_F(ResultsTest, MonteCarloFolderDrawsEveryPhase) {
    AddAccount("Cash", AccountInvestmentSavings, 10000, 5);
    ui::ScriptedUi s;
    ui::ScopedUi scoped(&s);
    s.clockStep = MonteCarloRepaintEvery;  // every trial is due for a repaint
    ui::RecordingPainter p;
    MonteCarloFolderRun run = FolderRun(p, 3);
    int refreshes = 0;
    run.context = &refreshes;
    run.refresh = [](void* c) { ++*static_cast<int*>(c); };
    EXPECT_EQ(RunMonteCarloFolder(run), 1);
    EXPECT_EQ(refreshes, 3 + 3);  // set-up, three trials, average, Scenario
    EXPECT_EQ(s.watching, (std::vector<bool>{true, false}));
    EXPECT_EQ(p.TextsWith("Scenario Success = 100.00%").size(), 1u);
    EXPECT_EQ(p.TextsWith("Monte Carlo Average Net Worth").size(), 1u);
    EXPECT_EQ(p.TextsWith("Trial Number 1 of 3").size(), 1u);
    EXPECT_EQ(p.TextsWith("Number of Trials = 3").size(), 2u);
    EXPECT_TRUE(std::ifstream("stats.dat").good());
    EXPECT_EQ(TrialText(2, 3), "  Monte Carlo Analysis - Number of Trials = 3  ");
}

// Trials come faster than repaints: the folder is shown when 50 ms have
// passed, and Escape stops the trials; the closing phases still come, and
// the success line says how many trials it stands on.
TEST_F(ResultsTest, MonteCarloFolderRepaintsOnTimeAndStopsOnEscape) {
    AddAccount("Cash", AccountInvestmentSavings, 10000, 5);
    ui::ScriptedUi s;
    ui::ScopedUi scoped(&s);
    s.clockStep = 20;  // one reading per drawing
    s.stopAtPoll = 5;  // Escape during the fifth trial
    ui::RecordingPainter p;
    MonteCarloFolderRun run = FolderRun(p, 10);
    struct Shown {
        ui::ScriptedUi* ui;
        std::vector<long long> at;
    } shown{&s, {}};
    run.context = &shown;
    run.refresh = [](void* c) {
        auto* r = static_cast<Shown*>(c);
        r->at.push_back(r->ui->clock);
    };
    EXPECT_EQ(RunMonteCarloFolder(run), 1);
    EXPECT_EQ(monteCarlo.outcome, McStopped);
    EXPECT_EQ(monteCarlo.trialsRun, 5);
    // The set-up at 20 ms; trials 1 to 5 at 40 .. 120, shown at 80 only (at
    // 120 only 40 ms have passed); the average and the Scenario at once.
    EXPECT_EQ(shown.at, (std::vector<long long>{20, 80, 140, 160}));
    // The progress text goes with the repaints.
    EXPECT_EQ(p.TextsWith("Trial Number 3 of 10").size(), 1u);
    EXPECT_EQ(p.TextsWith("Trial Number").size(), 1u);
    EXPECT_EQ(Exactly(p, "Stopped after 5 of 10 trials: Scenario Success = 100.00%"), 1);
    EXPECT_EQ(SuccessLine(), "Stopped after 5 of 10 trials: Scenario Success = 100.00%");
    EXPECT_EQ(s.watching, (std::vector<bool>{true, false}));
    EXPECT_TRUE(std::ifstream("stats.dat").good());

    // A printed folder is drawn whole and asks nothing of the clock or Escape.
    s.watching.clear();
    s.clock = 0;
    run = FolderRun(p, 10);
    run.scale.printing = 1;
    EXPECT_EQ(RunMonteCarloFolder(run), 1);
    EXPECT_EQ(monteCarlo.outcome, McCompleted);
    EXPECT_EQ(s.clock, 0);
    EXPECT_EQ(SuccessLine(), "Scenario Success = 100.00%");
}

TEST_F(ResultsTest, SaveGraphsCopiesThePlotFileAndGuardsTheSystemName) {
    AddAccount("Cash", AccountInvestmentSavings, 1000, 1);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    ui::ScriptedUi s;
    ui::ScopedUi scoped(&s);
    ASSERT_EQ(SaveGraphs("saved.kvp"), 1);
    std::vector<std::string> plot = Lines(runSwitches.plotPath), saved = Lines("saved.kvp");
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.back(), "Done");
    EXPECT_EQ(saved, plot);  // a whole plot file is copied as it is
    EXPECT_EQ(SaveGraphs(runSwitches.plotPath), 0);
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].caption, "FILE WARNING");
    s.answers.push_back(ui::Answer::No);
    EXPECT_EQ(SaveGraphs("saved.kvp"), 0);
    // A disk that fills leaves the saved graphs as they were, and says so.
    const std::string kept = Bytes("saved.kvp");
    s.answers.push_back(ui::Answer::Yes);
    EXPECT_EQ(WithFullDisk(100, [] { return SaveGraphs("saved.kvp"); }), 0);
    EXPECT_EQ(s.messages.back().text, "Cannot write saved.kvp!");
    EXPECT_EQ(Bytes("saved.kvp"), kept);
    std::ofstream("plotinf01.tmp") << "1\nFile: x\nDate: x\nTime: x\n150\n";
    std::strcpy(runSwitches.plotPath, "plotinf01.tmp");
    EXPECT_EQ(SaveGraphs("other.kvp"), 0);
    EXPECT_EQ(s.messages.back().text, "Problem saving graphs.\nPlease try again.");
}

}  // namespace

namespace {

// The bands lie under the trial curves, which are drawn again over them; the
// failure text stands under the success line. The switches take both away.
TEST_F(ResultsTest, MonteCarloFolderDrawsBandsUnderTheCurvesAndWhyTrialsFail) {
    SomeTrialsFail();
    const std::string trial = "polyline (" + std::to_string(TrialColour().r) + "," + std::to_string(TrialColour().g) + "," +
                              std::to_string(TrialColour().b) + ")";
    auto count = [](const ui::RecordingPainter& p, const std::string& prefix) {
        int n = 0;
        for (const std::string& c : p.calls) n += c.rfind(prefix, 0) == 0;
        return n;
    };
    {
        ui::RecordingPainter p;
        MonteCarloFolderRun run = FolderRun(p, 8);
        ASSERT_EQ(RunMonteCarloFolder(run), 1);
        ASSERT_EQ(monteCarloInsight.complete, 1);
        ASSERT_GT(monteCarlo.failedTrials, 0);
        EXPECT_EQ(count(p, trial), 16);  // as they come, then over the bands
        EXPECT_EQ(count(p, "polygon (186,202,230)"), 1);
        // The last eight trial curves follow the bands.
        auto band = std::find_if(p.calls.begin(), p.calls.end(), [](const std::string& c) { return c.rfind("polygon (222,230,242)", 0) == 0; });
        ASSERT_NE(band, p.calls.end());
        EXPECT_EQ(std::count_if(band, p.calls.end(), [&](const std::string& c) { return c.rfind(trial, 0) == 0; }), 8);
        auto success = p.TextsWith("Scenario Success = ");
        auto failing = p.TextsWith("failing trial");
        ASSERT_EQ(success.size(), 1u);
        ASSERT_EQ(failing.size(), 1u);
        EXPECT_EQ(failing[0].y, success[0].y + p.lineHeight);
        EXPECT_EQ(p.TextsWith("Cash runs dry first").size(), 1u);
        EXPECT_TRUE(p.TextsWith("Inflation in the trials").empty());  // 0% in the plan and in the trials
    }
    // A plan whose own inflation the trials leave out says so under the rest.
    scenario.initialValues.inflationRate = 3;
    shell.mcShowBands = shell.mcShowTrials = 0;
    ui::RecordingPainter p;
    MonteCarloFolderRun run = FolderRun(p, 8);
    ASSERT_EQ(RunMonteCarloFolder(run), 1);
    shell = ShellState{};
    EXPECT_EQ(count(p, trial), 0);
    EXPECT_EQ(count(p, "polygon"), 0);
    EXPECT_TRUE(p.TextsWith("Percentile").empty());
    const auto failing = p.TextsWith("failing trial");
    const auto note = p.TextsWith("Inflation in the trials");
    ASSERT_EQ(failing.size(), 1u);
    ASSERT_EQ(note.size(), 1u);
    EXPECT_EQ(note[0].text, "Inflation in the trials: 0.00% to 0.00%; the plan's rate is 3.00%.");
    EXPECT_EQ(note[0].y, failing[0].y + 2 * p.lineHeight);
}

}  // namespace

namespace {

// Today's dollars: every money view divides by the plan's own inflation,
// compounded from the start age; the run and what it writes stay as they are.
TEST_F(ResultsTest, TodaysDollarsDeflateTheViewsAlongThePlansInflation) {
    scenario.initialValues.endAge = 85;
    scenario.initialValues.inflationRate = 3;
    AddAccount("Cash", AccountInvestmentSavings, 100000, 5);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    const std::vector<std::string> schedule = ListLines();
    const std::vector<std::string> plot = Lines(runSwitches.plotPath);
    const float nominal = results.yearSummary[10][6];
    ui::RecordingPainter off;
    DrawGraph(off, {0, 0, 800, 500}, GraphNetWorth, 0, GraphView{}, DrawScale{});
    EXPECT_EQ(SeriesValue(SeriesOf(GraphNetWorth), 0, 10), nominal);
    EXPECT_TRUE(off.TextsWith("today's dollars").empty());

    shell.todaysDollars = 1;
    // A constant 3%: ten years on, nominal / 1.03^10, to the cent.
    const double expected = static_cast<double>(nominal) / std::pow(1.03, 10);
    EXPECT_NEAR(SeriesValue(SeriesOf(GraphNetWorth), 0, 10), expected, 0.005);
    EXPECT_NEAR(SummaryPanelLines(10, 0).back().value, expected, 0.005);
    EXPECT_EQ(SeriesValue(SeriesOf(GraphNetWorth), 0, 0), results.yearSummary[0][6]);
    ui::RecordingPainter on;
    DrawGraph(on, {0, 0, 800, 500}, GraphNetWorth, 0, GraphView{}, DrawScale{});
    EXPECT_EQ(Exactly(on, "NET WORTH (today's dollars)"), 1);
    EXPECT_EQ(SummaryPanelLines(10, 0)[1].label, "Net Worth (today's dollars)");
    // The switch is the views' alone: a run with it on writes the same.
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    EXPECT_EQ(ListLines(), schedule);
    EXPECT_EQ(Lines(runSwitches.plotPath), plot);
    EXPECT_EQ(results.yearSummary[10][6], nominal);

    // A Fundamentals Event raises inflation to 6% from 70 (and the run keeps
    // it): a withdrawal that grows with inflation then stays at its first
    // amount in today's dollars, year after year, whatever the path.
    Event& f = AddEvent(EventFundamentals, 70, 70, "Dearer");
    f.amount = scenario.initialValues.taxRate;
    f.rate2 = 6;
    Event& w = AddEvent(EventWithdrawal, 65, 84, "Living");
    w.amount = 4000;
    w.applyInflation = 1;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    EXPECT_NEAR(inflationFactor[10], std::pow(1.03, 5) * std::pow(1.06, 5), 1e-12);
    const GraphSeries outgoing = SeriesOf(GraphOutgoing);
    for (int row = 0; row < 19; ++row) EXPECT_NEAR(SeriesValue(outgoing, 1, row), 4000.0, 0.005) << row;
    shell = ShellState{};
}

// Survival by age under the trial graph, on the screen, on a printed page
// and after a stop: it ends at the success rate, which is marked there.
TEST_F(ResultsTest, MonteCarloFolderDrawsSurvivalByAgeEndingAtTheSuccessRate) {
    SomeTrialsFail();
    ui::ScriptedUi s;
    ui::ScopedUi scoped(&s);
    auto survivalCurve = [](const ui::RecordingPainter& p) {
        std::vector<std::string> curves;
        for (const std::string& c : p.calls)
            if (c.rfind("polyline (0,140,70)", 0) == 0) curves.push_back(c);
        return curves;
    };
    for (int pass = 0; pass < 3; ++pass) {
        ui::RecordingPainter p;
        MonteCarloFolderRun run = FolderRun(p, 12);
        run.scale.printing = pass == 1 ? 1 : 0;
        s.stopAtPoll = pass == 2 ? 7 : 0;
        ASSERT_EQ(RunMonteCarloFolder(run), 1);
        const MonteCarloInsight& in = monteCarloInsight;
        ASSERT_EQ(in.trials, pass == 2 ? 7 : 12) << pass;
        ASSERT_GT(in.failedTrials, 0) << pass;
        // Under the trial graph, with its own caption and percent axis.
        EXPECT_GT(run.survival.top, run.area.bottom + p.lineHeight) << pass;
        EXPECT_EQ(run.survival.left, run.area.left) << pass;
        EXPECT_EQ(Exactly(p, "Survival by Age - Share of Trials at or Above the Goal"), 1) << pass;
        EXPECT_EQ(Exactly(p, "100%"), 1) << pass;
        std::string points;
        for (int row = 0; row < in.rows; ++row)
            points += " " + std::to_string(ColumnCentre(run.survival, row)) + "," +
                      std::to_string(HeightOf(run.survival, in.survivalPercent[static_cast<size_t>(row)]));
        const std::vector<std::string> curves = survivalCurve(p);
        ASSERT_EQ(curves.size(), 1u) << pass;
        EXPECT_EQ(curves[0], "polyline (0,140,70)" + points) << pass;
        EXPECT_EQ(in.survivalPercent.back(), monteCarlo.successPercent) << pass;
        EXPECT_LT(monteCarlo.successPercent, 100.0f) << pass;
        char mark[32];
        std::snprintf(mark, sizeof mark, "%.2f%% at 80", static_cast<double>(monteCarlo.successPercent));
        EXPECT_EQ(Exactly(p, mark), 1) << pass;
    }
}

}  // namespace
