// The reports read from the run's item files, the selected-age pages, the
// mortgage schedule's printout and the report commands with their window.
#include <gtest/gtest.h>

#include "reports_fixture.h"
#include "scripted_dialogs.h"

namespace {

const char* const BigFile =
    " 65.0\tGift\t2\t      1000.00\n"
    " 65.0\tTravel\t6\t      5000.00\n"
    " 65.0\tLater\t2\t         0.00\n"
    " 66.0\tGift\t2\t      1100.00\n"
    " 66.0\tLater\t2\t       300.00\n"
    " 67.0\tTravel\t6\t      5200.00\n"
    "Dooone\n";

TEST_F(ReportsTest, EventTotalsComeBeforeEachNewAge) {
    Put("bigfile.tmp", BigFile);
    EXPECT_EQ(WriteEventTotals(), 1);
    EXPECT_EQ(Bytes("tmpfile.tmp"),
              " 65.0\tTotal Incoming Events\t2\t      1000.00\n"
              " 65.0\tTotal Outgoing Events\t6\t      5000.00\n"
              " 65.0\tGift\t2\t      1000.00\n"
              " 65.0\tTravel\t6\t      5000.00\n"
              " 65.0\tLater\t2\t         0.00\n"
              " 66.0\tTotal Incoming Events\t2\t      1400.00\n"
              " 66.0\tTotal Outgoing Events\t6\t         0.00\n"
              " 66.0\tGift\t2\t      1100.00\n"
              " 66.0\tLater\t2\t       300.00\n"
              " 67.0\tTotal Incoming Events\t2\t         0.00\n"
              " 67.0\tTotal Outgoing Events\t6\t      5200.00\n"
              " 67.0\tTravel\t6\t      5200.00\n"
              "Dooooone\n");
}

TEST_F(ReportsTest, EventsReportsColumnsAndCells) {
    Put("bigfile.tmp", BigFile);
    // "Later" is 0 at its first appearance: no column, though it has 300 later.
    EXPECT_EQ(WriteReport(ReportIncomingEvents, 0), 1);
    EXPECT_EQ(Bytes("spage1"),
              "Age\tTotal Incoming Events\t           Gift\t\n"
              " 65.0\t      1000.00\t      1000.00\t\n"
              " 66.0\t      1400.00\t      1100.00\t\n"
              " 67.0\t         0.00\t0.00\t\n"
              "\nDooooone\n");
    EXPECT_EQ(WriteReport(ReportOutgoingEvents, 0), 1);
    EXPECT_EQ(Bytes("spage1"),
              "Age\tTotal Outgoing Events\t         Travel\t\n"
              " 65.0\t      5000.00\t      5000.00\t\n"
              " 66.0\t         0.00\t0.00\t\n"
              " 67.0\t      5200.00\t      5200.00\t\n"
              "\nDooooone\n");
}

TEST_F(ReportsTest, EventsTotalsKeepTheirColumnWhenTheFirstAgeHasNone) {
    Put("bigfile.tmp", " 65.0\tTravel\t6\t      5000.00\n 66.0\tGift\t2\t      1000.00\nDooone\n");
    EXPECT_EQ(WriteReport(ReportIncomingEvents, 0), 1);
    EXPECT_EQ(Lines("spage1")[0], "Age\tTotal Incoming Events\t           Gift\t\n");
    EXPECT_EQ(Lines("spage1")[2], " 66.0\t      1000.00\t      1000.00\t\n");
}

TEST_F(ReportsTest, PrintedEventsTakeSevenNamesASet) {
    std::string big;
    for (int k = 1; k <= 8; ++k) big += " 65.0\tDeposit" + std::to_string(k) + "\t2\t       100.00\n";
    Put("bigfile.tmp", big + "Dooone\n");
    EXPECT_EQ(WriteReport(ReportIncomingEvents, 1), 2);
    auto one = Lines("rpage1"), two = Lines("rpage2");
    EXPECT_EQ(SplitTabs(one[0]).size(), 1u + 7u + 1u);
    EXPECT_EQ(two[0], "Age\t       Deposit7\t       Deposit8\t\n");
    EXPECT_EQ(two[1], "---------------------------\n");
    EXPECT_EQ(two[3], " 65.0\t       100.00\t       100.00\t\n");
    EXPECT_EQ(two.back(), "Dooooone\n");
}

TEST_F(ReportsTest, MissingItemFilesAreReported) {
    EXPECT_EQ(WriteReport(ReportIncomingEvents, 0), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot open bigfile.tmp");
    EXPECT_EQ(screen.messages[0].caption, "FILE OPEN ERROR");
    Put("outfile.tmp", "Dooone\n");
    EXPECT_EQ(WriteReport(ReportAccountFlows, 0), 0);
    EXPECT_EQ(screen.messages.back().text, "infile.tmp");
    EXPECT_EQ(reportState.failed, 1);
}

class FlowReportsTest : public ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        SetFieldText(scenario.settings.groupName[0], "Home");
        SetFieldText(scenario.settings.groupName[1], "Cash");
        AddAccount("Bank", AccountInvestmentSavings, 1);
        AddAccount("House", AccountAsset, 0);
        AddAccount("IRA", AccountRetirementSavings, 1);
        Put("infile.tmp",
            "3\nBank  \nHouse\nIRA\n"
            " 66.0\tBank\t       100.00\n"
            " 66.0\tIRA\t        50.00\n"
            " 68.0\tHouse\t         0.00\n"
            " 67.0\tBank\t        25.50\n"
            " 66.0\tBank\n"
            "Dooone\n");
        Put("outfile.tmp", " 65.0\tIRA\t        10.00\nDooone\n");
    }
};

TEST_F(FlowReportsTest, IncomingAndOutgoingLinesPerAge) {
    EXPECT_EQ(WriteReport(ReportAccountFlows, 0), 1);
    const std::string zero = "         0.00\t";
    EXPECT_EQ(Bytes("spage1"), "Age\tBank\tHouse\tIRA\tTotal\n"
                               " 65.0-I\t" + zero + zero + zero + "         0.00\n"
                               " 65.0-O\t" + zero + zero + "        10.00\t        10.00\n"
                               " 66.0-I\t       100.00\t" + zero + "        50.00\t       150.00\n"
                               " 66.0-O\t" + zero + zero + zero + "         0.00\n"
                               " 67.0-I\t        25.50\t" + zero + zero + "        25.50\n"
                               " 67.0-O\t" + zero + zero + zero + "         0.00\n"
                               "Dooone\n");
}

TEST_F(FlowReportsTest, PrintedSetsOfTenWithTheTotalOnTheLast) {
    std::string in = "12\n";
    for (int k = 1; k <= 12; ++k) in += "A" + std::to_string(k) + "\n";
    Put("infile.tmp", in + " 70.0\tA12\t         5.00\n 70.0\tA1\t         1.00\nDooone\n");
    Put("outfile.tmp", "Dooone\n");
    EXPECT_EQ(WriteReport(ReportAccountFlows, 1), 2);
    auto one = Lines("rpage1"), two = Lines("rpage2");
    EXPECT_EQ(one[0], "Age\tA1\tA2\tA3\tA4\tA5\tA6\tA7\tA8\tA9\tA10\t\n");
    EXPECT_EQ(one[3].substr(0, 22), " 70.0-I\t         1.00\t");
    EXPECT_EQ(one[3].substr(one[3].size() - 2), "\t\n");
    EXPECT_EQ(two[0], "Age\tA11\tA12\tTotal\n");
    EXPECT_EQ(two[3], " 70.0-I\t         0.00\t         5.00\t         6.00\n");
    EXPECT_EQ(two.back(), "Dooone\n");
}

TEST_F(FlowReportsTest, SelectedAgePagesByTypeAndByGroup) {
    ASSERT_EQ(WriteReport(ReportAccountFlows, 0), 1);
    int age = 0, incoming = 0;
    EXPECT_EQ(WriteSelectedAgePages("66.0-I", age, incoming), 2);
    EXPECT_EQ(age, 66);
    EXPECT_EQ(incoming, 1);
    EXPECT_EQ(Bytes("rpage1"), "Accounts\tIncoming\n------------------------------\n"
                               "House\t         0.00\n"
                               "\tSub Total -- Asset Accounts\t         0.00\n"
                               "Bank\t       100.00\n"
                               "\tSub Total -- Investment Savings Accounts\t       100.00\n"
                               "IRA\t        50.00\n"
                               "\tSub Total -- Retirement Savings Accounts\t        50.00\n"
                               "\tTotal\t       150.00\n"
                               "Dooone\n");
    EXPECT_EQ(Bytes("rpage2"), "Accounts\tIncoming\n------------------------------\n"
                               "House\t         0.00\t\n"
                               "\tSub Total -- Home Group\t         0.00\n"
                               "Bank\t       100.00\t\n"
                               "IRA\t        50.00\t\n"
                               "\tSub Total -- Cash Group\t       150.00\n"
                               "\tTotal\t       150.00\n"
                               "Dooone\n");
    // An age without its mark is the outgoing line; an age not shown finds nothing.
    EXPECT_EQ(WriteSelectedAgePages("65", age, incoming), 2);
    EXPECT_EQ(incoming, 0);
    EXPECT_EQ(Lines("rpage1")[0], "Accounts\tOutgoing\n");
    EXPECT_EQ(Lines("rpage1")[8], "\tTotal\t        10.00\n");
    EXPECT_EQ(WriteSelectedAgePages("99.0-I", age, incoming), 0);
}

TEST_F(ReportsTest, MortgageScheduleBecomesAPrintedPage) {
    Event e{};
    e.eventType = EventMortgage;
    e.startAge = 40;
    e.amount = 200000;
    e.rate2 = 40000;
    e.loanRate = 6;
    e.years = 30;
    ASSERT_EQ(WriteMortgageSchedule(e), 31);
    EXPECT_EQ(WriteSchedulePages(), 1);
    auto page = Lines("rpage1");
    ASSERT_EQ(page.size(), 2u + 31u + 1u);
    EXPECT_EQ(page[0], "Age\tPrincipal\tInterest\tTotal Principal\tTotal Interest\tTotal Payment\tEquity\t"
                       "Inflated Equity\tProperty Value\tProperty Liability\t\n");
    EXPECT_EQ(page[1], "-----------------------\n");
    EXPECT_EQ(page[2], " 40\t" + std::string(5, ' ') + "    0.00\t         0.00\t         0.00\t         0.00\t"
                       "         0.00\t     40000.00\t     40000.00\t    200000.00\t    160000.00\t\n");
    EXPECT_EQ(page.back(), "Dooone\n");
    std::filesystem::remove("psched.tmp");
    EXPECT_EQ(WriteSchedulePages(), 0);
    EXPECT_EQ(screen.messages.back().text, "Cannot open temporary print file - psched.tmp");
    EXPECT_EQ(screen.messages.back().caption, "FILE OPEN ERROR");
}

// ---- Commands and the window, after a real run -----------------------------------------------

class ReportCommandsTest : public ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        // 65 to 70, one savings account and a deposit "Gift" at 66.
        MakeScenarioFile("report.ret");
        ASSERT_EQ(OpenScenario("report.ret"), 1);
        InstallReportCommands();
        ASSERT_EQ(RunProjection(OutputResultsList), 1);
        shell.runs = 1;
        screen.Clear();
    }
};

TEST_F(ReportCommandsTest, NetWorthWindowListsTheYearsBeforeTheEndAge) {
    EXPECT_EQ(DispatchCommand(CmdNetWorthReport), 1);
    const auto& w = dialogs.Last();
    EXPECT_EQ(w.name, "REPORTS");
    EXPECT_EQ(w.caption, "Net Worth Report");
    ASSERT_EQ(w.items.at(FieldReportList).size(), 5u);
    EXPECT_EQ(w.items.at(FieldReportList)[0].substr(0, 19), " 65.0\t    100000.00");
    EXPECT_EQ(w.Shown(FieldSelectedAge), "0.0");
    EXPECT_FALSE(w.Enabled(FieldPrintSelectedAge));
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(reportState.current, ReportNetWorth);
}

TEST_F(ReportCommandsTest, EveryReportOpensItsWindow) {
    const int commands[] = {891, 892, 893, 894, 895, 897, 898, 899};
    for (int r = 0; r < ReportCount; ++r) {
        DispatchCommand(commands[r]);
        EXPECT_EQ(dialogs.Last().caption, ReportCaption(r + 1));
        EXPECT_FALSE(dialogs.Last().items.at(FieldReportList).empty()) << ReportCaption(r + 1);
    }
    EXPECT_TRUE(screen.messages.empty());
    ReportPage page;
    DispatchCommand(897);
    ASSERT_EQ(ReadScreenPage(page), 1);
    EXPECT_EQ(Trimmed(page.columns[2]), "Gift");
}

TEST_F(ReportCommandsTest, SettingsDialogOpenOnlyRaisesIt) {
    shell.windowOpen[WindowReportOptions] = 1;
    EXPECT_EQ(DispatchCommand(CmdNetWorthReport), 0);
    EXPECT_TRUE(dialogs.runs.empty());
    ASSERT_EQ(screen.raised.size(), 1u);
    EXPECT_EQ(screen.raised[0], WindowReportOptions);
}

TEST_F(ReportCommandsTest, WindowButtonsWritePrinterPages) {
    using D = ui::ScriptedDialogs;
    dialogs.scripts.push_back({D::Click(FieldReportPrint), D::Click(ui::IdOk)});
    DispatchCommand(CmdNetWorthReport);
    EXPECT_EQ(Lines("rpage1").size(), 3u + 5u + 1u);
    // A double-click takes the line's age into the field; Print Selected Age
    // writes the two pages of that age.
    std::filesystem::remove("rpage1");
    dialogs.scripts.push_back({D::DoubleClick(FieldReportList, 2), D::Click(FieldPrintSelectedAge)});
    DispatchCommand(CmdAccountsReport);
    EXPECT_EQ(dialogs.Last().Text(FieldSelectedAge), "66.0-I");
    EXPECT_EQ(Lines("rpage1")[0], "Accounts\tIncoming\n");
    EXPECT_EQ(printState.selectedAge, 66);
}

TEST_F(ReportCommandsTest, FailedReportShowsNothing) {
    std::filesystem::remove("bigfile.tmp");
    DispatchCommand(897);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot open bigfile.tmp");
    EXPECT_TRUE(dialogs.Last().items.at(FieldReportList).empty());
    EXPECT_FALSE(Exists("spage1"));
}

TEST_F(ReportCommandsTest, PrintAllClearsTheGrandTotal) {
    EXPECT_EQ(DispatchCommand(CmdPrintAllReports), 1);
    EXPECT_EQ(printState.grandTotal, 0);
    EXPECT_TRUE(Exists("rpage1"));
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(dialogHooks.printSchedule, PrintSchedule);
}

}  // namespace
