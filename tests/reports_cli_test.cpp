// tillory-cli report against the report window's list, for every report of
// the bundled example.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "reports_fixture.h"

namespace {

const char* const Names[ReportCount] = {"net-worth",       "incoming",        "outgoing",
                                        "accounts",        "groups",          "incoming-events",
                                        "outgoing-events", "accounts-incoming-outgoing"};

std::string Cli(const std::string& arguments) {
    const std::string command = std::string("'") + TILLORY_CLI + "' " + arguments + " >cli-out.txt 2>cli-err.txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << arguments;
    std::ifstream in("cli-out.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(ReportsTest, TheCliPrintsWhatTheReportWindowLists) {
    std::filesystem::copy_file(EXAMPLE_SCENARIO, "example.ret", std::filesystem::copy_options::overwrite_existing);
    state.todayMonth = state.todayDay = 0;  // the clock, as tillory-cli has it
    shell.runs = 0;
    ASSERT_EQ(OpenScenario("example.ret"), 1);
    for (int r = 1; r <= ReportCount; ++r) {
        SCOPED_TRACE(Names[r - 1]);
        EnsureProjection();
        ASSERT_GT(WriteReport(r, 0), 0);
        ReportPage page;
        ASSERT_EQ(ReadScreenPage(page), 1);
        ASSERT_FALSE(page.rows.empty());
        std::string expected;
        for (size_t c = 0; c < page.columns.size(); ++c) expected += (c ? "\t" : "") + page.columns[c];
        expected += "\n";
        for (const std::string& row : page.rows) expected += row + "\n";
        EXPECT_EQ(Cli(std::string("report ") + Names[r - 1] + " example.ret"), expected);
    }
    // Comma-separated: the same cells without their padding.
    const std::string csv = Cli("report net-worth example.ret --csv");
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Age,Net Worth,Investment Accounts,Tax-Free Accounts,Retirement Accounts,Asset Accounts,"
              "Equity Accounts,Liabilities");
    EXPECT_EQ(std::system((std::string("'") + TILLORY_CLI + "' report nothing example.ret 2>/dev/null").c_str()) >> 8,
              2);
}

}  // namespace
