// tillory-cli run: the projection as the results window's "Save" writes it,
// to standard output, leaving the plot and item files in the current directory.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "engine/engine.h"
#include "model/model.h"
#include "ui/ui.h"

const char* const CliRunHelp =
    "  run SCENARIO [--detailed] [--accounts] [--summary] [--no-tracking] [--export-tab FILE | --export-csv FILE]\n"
    "  run    print the projection schedule the way Save writes a results file, and leave\n"
    "  run    plotinf01.tmp, bigfile.tmp, infile.tmp and outfile.tmp in the current directory\n"
    "  run    --detailed        rate lines, \"from\" lines and the year summary\n"
    "  run    --accounts        the end-of-year account summary\n"
    "  run    --summary         the year summary alone\n"
    "  run    --no-tracking     without income-and-expense tracking\n"
    "  run    --export-tab FILE also write the yearly balances to FILE, tab-delimited\n"
    "  run    --export-csv FILE the same, comma-delimited\n";

namespace {

// The export never replaces the scenario being run, and replaces another
// existing file only when the question is answered Yes (--yes).
bool MayExportTo(const std::string& exportPath, const std::string& scenarioPath) {
    std::error_code ec;
    if (!std::filesystem::exists(exportPath, ec)) return true;
    if (std::filesystem::equivalent(exportPath, scenarioPath, ec)) {
        ui::Message("Will not export over the scenario " + scenarioPath + " being run", "FILE ERROR");
        return false;
    }
    return ui::Message(exportPath + " exists - Overwrite anyway?", "FILE WARNING", ui::Buttons::YesNo,
                       ui::Icon::Question) == ui::Answer::Yes;
}

}  // namespace

int CliRun(const std::vector<std::string>& args) {
    std::string path, exportPath;
    int detailed = 0, accounts = 0, summary = 0, tracking = 1, comma = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--detailed") {
            detailed = 1;
        } else if (a == "--accounts") {
            accounts = 1;
        } else if (a == "--summary") {
            summary = 1;
        } else if (a == "--no-tracking") {
            tracking = 0;
        } else if (a == "--export-tab" || a == "--export-csv") {
            if (comma >= 0) return CliUsageError("run: only one of --export-tab and --export-csv");
            if (i + 1 >= args.size()) return CliUsageError("run: " + a + " needs a FILE");
            comma = a == "--export-csv" ? 1 : 0;
            exportPath = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return CliUsageError("run: unknown option '" + a + "'");
        } else if (path.empty()) {
            path = a;
        } else {
            return CliUsageError("run: more than one SCENARIO");
        }
    }
    if (path.empty()) return CliUsageError("run: no SCENARIO given");
    if (comma >= 0 && !MayExportTo(exportPath, path)) return 1;
    if (!LoadScenarioArgument(path)) return 1;

    runSwitches = RunSwitches{};
    SetDetailedResults(detailed);
    runSwitches.accountSummary = accounts;
    runSwitches.summary = summary;
    runSwitches.tracking = tracking;
    runSwitches.noSectionMarker = 1;
    runSwitches.resultsStream = stdout;
    // The rows are gathered in memory and replace the file only when complete.
    char* exported = nullptr;
    size_t exportedSize = 0;
    if (comma >= 0) {
        runSwitches.exportFile = open_memstream(&exported, &exportedSize);
        if (!runSwitches.exportFile) {
            ui::Message("Cannot open export file", "FILE ERROR");
            return 1;
        }
        WriteExportHeader(runSwitches.exportFile, comma);
        runSwitches.exportTab = comma == 0;
        runSwitches.exportComma = comma == 1;
    }
    int done = RunProjection(OutputResultsFile);
    PrintRunNotices();
    if (runSwitches.exportFile) {  // the run closes it; a failed set-up does not
        std::fclose(runSwitches.exportFile);
        runSwitches.exportFile = nullptr;
    }
    runSwitches.exportTab = runSwitches.exportComma = 0;
    runSwitches.resultsStream = nullptr;
    int code = done ? FinishStandardOutput() : 1;
    if (comma >= 0 && code == 0) {
        std::string why;
        if (!ReplaceFileContent(exportPath, std::string(exported ? exported : "", exportedSize), false, &why)) {
            ui::Message("Cannot write export file " + exportPath + (why.empty() ? "" : "\n" + why), "FILE ERROR");
            code = 1;
        }
    }
    std::free(exported);
    return code;
}
