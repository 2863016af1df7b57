// tillory-cli: Tillory without its windows. Message boxes become
// "CAPTION: text" lines on stderr and questions are answered No, or Yes with
// --yes.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "commands.h"
#include "ui/ui.h"

namespace {

const char* const HelpHead =
    "Usage: tillory-cli [--yes] COMMAND ARGUMENTS...\n"
    "\n"
    "Tillory, the retirement and personal-finance planner, on the command line.\n"
    "SCENARIO is a scenario file (.ret) or its JSON text form.\n"
    "\n"
    "Commands:\n"
    "  build IN.json OUT.ret   write the scenario file OUT.ret from the JSON text form IN.json\n"
    "  dump SCENARIO           print the whole Scenario as its JSON text form\n";

const char* const HelpTail =
    "\n"
    "Options:\n"
    "  --yes    answer Yes to the questions an operation asks (such as whether to\n"
    "           overwrite an existing file); without it they are answered No\n"
    "  --help   show this text\n"
    "\n"
    "Messages are printed on standard error as \"CAPTION: text\".\n"
    "Exit status: 0 success, 1 the operation failed, 2 bad usage.\n";

void PrintHelp() {
    std::fputs(HelpHead, stdout);
    std::fputs(CliRunHelp, stdout);
    std::fputs(CliMonteCarloHelp, stdout);
    std::fputs(CliSafeSpendingHelp, stdout);
    std::fputs(CliRefinanceHelp, stdout);
    std::fputs(CliReportHelp, stdout);
    std::fputs(HelpTail, stdout);
}

struct Command {
    const char* name;
    int (*routine)(const std::vector<std::string>&);
};
const Command Commands[] = {
    {"build", CliBuild},
    {"dump", CliDump},
    {"run", CliRun},
    {"montecarlo", CliMonteCarlo},
    {"safe-spending", CliSafeSpending},
    {"refinance", CliRefinance},
    {"report", CliReport},
};

int Dispatch(const std::vector<std::string>& words) {
    ui::ConsoleUi console;
    std::vector<std::string> rest;
    bool help = false;
    for (const std::string& w : words) {
        if (w == "--yes")
            console.answerYes = true;
        else if (w == "--help" || w == "-h")
            help = true;
        else
            rest.push_back(w);
    }
    if (help) {
        PrintHelp();
        return 0;
    }
    if (rest.empty()) return CliUsageError("no command given");
    ui::Install(&console);
    std::string name = rest.front();
    rest.erase(rest.begin());
    int code = -1;
    for (const Command& c : Commands)
        if (name == c.name) code = c.routine(rest);
    ui::Install(nullptr);
    return code >= 0 ? code : CliUsageError("unknown command '" + name + "'");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tillory-cli: %s\n", e.what());
    } catch (...) {
        std::fputs("tillory-cli: unexpected failure\n", stderr);
    }
    return 1;
}
