// tillory-cli report NAME SCENARIO: one of the Reports menu's reports of the
// Scenario's projection, as the report window lists it, in tab-separated or
// comma-separated text; and report budget N SCENARIO: Budget N's
// year-by-year report, the pages the printer would get, as tab-separated
// tables on standard output (one table per page, a blank line between pages).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "budgets/budgets.h"
#include "commands.h"
#include "results/reports.h"
#include "shell/shell.h"
#include "ui/ui.h"

const char* const CliReportHelp =
    "  report NAME SCENARIO [--csv]\n"
    "  report    print a report of the projection as the report window lists it: the column line,\n"
    "  report    then one line per row, tab-separated (--csv: comma-separated). NAME is net-worth,\n"
    "  report    incoming, outgoing, accounts, groups, incoming-events, outgoing-events or\n"
    "  report    accounts-incoming-outgoing\n"
    "  report budget N SCENARIO\n"
    "  report    print Budget N's (1..5) year-by-year report: one tab-separated table per page,\n"
    "  report    each page's heading, its dash line and its rows, a blank line between pages\n";

namespace {

// In the Reports menu's order, which is also the reports' codes.
const char* const ReportNames[ReportCount] = {"net-worth",       "incoming",        "outgoing",
                                              "accounts",        "groups",          "incoming-events",
                                              "outgoing-events", "accounts-incoming-outgoing"};

int ReportCode(const std::string& name) {
    for (int r = 0; r < ReportCount; ++r)
        if (name == ReportNames[r]) return r + 1;
    return 0;
}

// A cell as comma-separated text: without the padding that lines up the
// window's columns, quoted when it holds a comma or a quote.
std::string CsvCell(const std::string& cell) {
    const size_t first = cell.find_first_not_of(' ');
    const std::string text = first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') - first + 1);
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Joined(const std::vector<std::string>& cells, bool csv) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += csv ? ',' : '\t';
        line += csv ? CsvCell(cells[i]) : cells[i];
    }
    return line;
}

// Standard output, checked: a full disk or a closed pipe is a failure.
bool WriteOut(const std::string& text) {
    const bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (!ok) std::fprintf(stderr, "WRITE ERROR: the report could not be written to standard output\n");
    return ok;
}

// The report window's list of `report` over the Scenario's projection.
int PrintReportList(int report, bool csv) {
    EnsureProjection();
    std::remove(ScreenPageName);
    if (WriteReport(report, 0) == 0) return 1;  // said why in a message
    ReportPage page;
    if (!ReadScreenPage(page)) return 1;
    std::string text = Joined(page.columns, csv) + "\n";
    for (const std::string& row : page.rows) text += Joined(SplitTabs(row), csv) + "\n";
    return WriteOut(text) ? 0 : 1;
}

}  // namespace

int CliReport(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] != "budget") {
        const bool csv = args.size() == 3 && args[2] == "--csv";
        if (args.size() != 2 && !csv) return CliUsageError("usage: report NAME SCENARIO [--csv]");
        const int report = ReportCode(args[0]);
        if (!report) return CliUsageError("unknown report '" + args[0] + "'");
        if (!LoadScenarioArgument(args[1])) return 1;
        return PrintReportList(report, csv);
    }
    if (args.size() != 3) return CliUsageError("usage: report budget N SCENARIO");
    char* end = nullptr;
    const long number = std::strtol(args[1].c_str(), &end, 10);
    if (*end != '\0' || !BudgetNumbered(static_cast<int>(number)))
        return CliUsageError("the Budget number must be 1 to 5");
    if (!LoadScenarioArgument(args[2])) return 1;
    BudgetReport report;
    if (!BuildBudgetReport(BudgetFileText(*BudgetNumbered(static_cast<int>(number))), report)) {
        ui::Message("Budget " + args[1] + " has no items to report.", "BUDGET REPORT", ui::Buttons::Ok,
                    ui::Icon::Stop);
        return 1;
    }
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (p > 0) std::fputs("\n", stdout);
        for (const std::string& line : report.pages[p]) std::printf("%s\n", line.c_str());
    }
    return 0;
}
