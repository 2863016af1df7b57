// The reports drawn from the result tables: their lines, paging and page files.
#include <gtest/gtest.h>

#include "reports_fixture.h"

namespace {

const char* const NetWorthHeading =
    " Age\tNet Worth\tInvestment Accounts\tTax-Free Accounts\tRetirement Accounts\tAsset Accounts\t"
    "Equity Accounts\tLiabilities\n";

TEST_F(ReportsTest, NetWorthScreenPageBytes) {
    scenario.initialValues.endAge = 67;
    results.rowCount = 3;  // 65, 66 and the closing row at 67
    const float rows[3][7] = {{65, 1000.5f, 2000, 3000, 4000, 5000, 15000.5f},
                              {66, -12.345f, 0, 0, 0, 0, 1234567.875f},
                              {67, 9, 9, 9, 9, 9, 99}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 7; ++c) results.yearSummary[r][c] = rows[r][c];
    results.liabilitiesByAge[65] = 250;
    results.liabilitiesByAge[66] = 0;
    EXPECT_EQ(WriteReport(ReportNetWorth, 0), 1);
    EXPECT_EQ(Bytes("spage1"), std::string(NetWorthHeading) +
                                   " 65.0\t     15000.50\t      1000.50\t      2000.00\t      3000.00\t      4000.00\t"
                                   "      5000.00\t       250.00\n"
                                   " 66.0\t   1234567.88\t       -12.35\t         0.00\t         0.00\t         0.00\t"
                                   "         0.00\t         0.00\n"
                                   "Dooooone");
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(ReportsTest, SixtyRowsPrintOnTwoPagesOf48And12) {
    FillRows(60);
    EXPECT_EQ(WriteReport(ReportNetWorth, 1), 2);
    auto first = Lines("rpage1"), second = Lines("rpage2");
    ASSERT_EQ(first.size(), 3u + 48u + 1u);
    ASSERT_EQ(second.size(), 3u + 12u + 1u);
    for (auto* page : {&first, &second}) {
        EXPECT_EQ((*page)[0], NetWorthHeading);
        EXPECT_EQ((*page)[1], "---------------------------\n");
        EXPECT_EQ((*page)[2], "\n");
        EXPECT_EQ(page->back(), "Dooooone");
    }
    EXPECT_EQ(first[3].substr(0, 6), " 65.0\t");
    EXPECT_EQ(second[3].substr(0, 6), "113.0\t");
    // The closing row at the end age (125) is not listed.
    EXPECT_EQ(second[14].substr(0, 6), "124.0\t");
    EXPECT_FALSE(Exists("rpage3"));
}

TEST_F(ReportsTest, IncomingAndOutgoingTakeTheirCellsInColumnOrder) {
    FillRows(1);
    EXPECT_EQ(WriteReport(ReportIncoming, 0), 1);
    EXPECT_EQ(Bytes("spage1"),
              " Age\tTotal Incoming\tDeposits\tInterest From Taxable\tInterest From Non Taxable\tLoans\tAssets\tEquity\n"
              " 65.0\t         7.00\t         8.00\t         9.00\t        10.00\t        16.00\t        18.00\t"
              "        17.00\nDooooone");
    EXPECT_EQ(WriteReport(ReportOutgoing, 0), 1);
    EXPECT_EQ(Bytes("spage1"),
              " Age\t Total Outgoing\tWithdrawals\tInterest\tLoan/Mortgage\tTaxes\tPenalties\n"
              " 65.0\t        11.00\t        12.00\t        14.00\t        19.00\t        13.00\t        15.00\n"
              "Dooooone");
    // 49 data lines on a printed Incoming page.
    FillRows(50);
    EXPECT_EQ(WriteReport(ReportIncoming, 1), 2);
    EXPECT_EQ(Lines("rpage1").size(), 3u + 49u + 1u);
    EXPECT_EQ(Lines("rpage2").size(), 3u + 1u + 1u);
}

TEST_F(ReportsTest, NoRowsLeaveHeadingAndMarkerAndNoPages) {
    results.rowCount = 1;  // only the closing row
    results.yearSummary[0][0] = 70;
    EXPECT_EQ(WriteReport(ReportNetWorth, 1), 0);
    EXPECT_EQ(Bytes("rpage1"), std::string(NetWorthHeading) + "---------------------------\n\nDooooone");
    results.rowCount = 0;
    EXPECT_EQ(WriteReport(ReportGroups, 0), 0);
    EXPECT_EQ(WriteReport(ReportAccounts, 0), 0);
}

TEST_F(ReportsTest, GroupReportLeavesOutShortGroupNames) {
    SetFieldText(scenario.settings.groupName[0], "Savings");
    SetFieldText(scenario.settings.groupName[1], "X");
    SetFieldText(scenario.settings.groupName[2], "");
    SetFieldText(scenario.settings.groupName[3], "Home");
    AddAccount("A", AccountInvestmentSavings, 0);
    AddAccount("B", AccountAsset, 3);
    AddAccount("C", AccountInvestmentSavings, 1);  // in no column
    AddAccount("D", AccountRetirementSavings, 0);
    FillRows(2);
    for (int r = 0; r < 3; ++r)
        for (int a = 0; a < 4; ++a) results.accountBalance[r][a] = static_cast<float>((r + 1) * (a + 1) * 100);
    EXPECT_EQ(WriteReport(ReportGroups, 0), 1);
    EXPECT_EQ(Bytes("spage1"), " Age\tSavings\tHome\t\n"
                               " 65.0\t       500.00\t       200.00\t\n"
                               " 66.0\t      1000.00\t       400.00\t\n"
                               "Dooooone");
}

TEST_F(ReportsTest, TwentyThreeAccountsPrintInThreeSets) {
    for (int a = 0; a < 23; ++a) AddAccount(("Acct" + std::to_string(a + 1)).c_str(), AccountInvestmentSavings, 0);
    FillRows(2);
    for (int a = 0; a < 23; ++a) results.accountBalance[0][a] = static_cast<float>(a + 1);
    EXPECT_EQ(WriteReport(ReportAccounts, 1), 3);
    auto one = Lines("rpage1"), two = Lines("rpage2"), three = Lines("rpage3");
    EXPECT_EQ(one[0].substr(0, 17), " Age\tAcct1\tAcct2\t");
    EXPECT_EQ(one[0].substr(one[0].size() - 8), "Acct10\t\n");
    EXPECT_EQ(two[0].substr(0, 19), " Age\tAcct11\tAcct12\t");
    EXPECT_EQ(three[0], " Age\tAcct21\tAcct22\tAcct23\t\n");
    EXPECT_EQ(three[3], " 65.0\t        21.00\t        22.00\t        23.00\t\n");
    EXPECT_EQ(three.size(), 3u + 2u + 1u);
    EXPECT_FALSE(Exists("rpage4"));
    // On the screen every Account shares one page.
    EXPECT_EQ(WriteReport(ReportAccounts, 0), 1);
    EXPECT_EQ(SplitTabs(Lines("spage1")[0]).size(), 1u + 23u + 1u);
}

TEST_F(ReportsTest, PageThatCannotBeCreatedStopsTheReport) {
    FillRows(60);
    std::filesystem::create_directory("rpage2");
    EXPECT_EQ(WriteReport(ReportNetWorth, 1), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "rpage2");
    EXPECT_EQ(screen.messages[0].caption, "FILE OPEN ERROR");
    EXPECT_EQ(reportState.failed, 1);
    EXPECT_FALSE(Exists("rpage3"));
}

}  // namespace
