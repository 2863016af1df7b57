// tillory-cli report budget N SCENARIO: Budget N's year-by-year report, the
// pages the printer would get, as tab-separated tables on standard output
// (one table per page, a blank line between pages).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "budgets/budgets.h"
#include "commands.h"
#include "ui/ui.h"

const char* const CliReportHelp =
    "  report budget N SCENARIO\n"
    "  report    print Budget N's (1..5) year-by-year report: one tab-separated table per page,\n"
    "  report    each page's heading, its dash line and its rows, a blank line between pages\n";

int CliReport(const std::vector<std::string>& args) {
    if (args.size() != 3 || args[0] != "budget") return CliUsageError("usage: report budget N SCENARIO");
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
