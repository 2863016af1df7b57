// tillory-cli montecarlo: the Monte Carlo analysis, its success line and the
// average and Scenario net worth of every row; stats.dat in the current
// directory.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "engine/engine.h"
#include "montecarlo/montecarlo.h"

const char* const CliMonteCarloHelp =
    "  montecarlo SCENARIO [--seed N] [--trials N]\n"
    "  montecarlo    run the Monte Carlo analysis, write stats.dat in the current directory and print\n"
    "  montecarlo    \"Scenario Success = ...%\", then one line per row: age, average net worth,\n"
    "  montecarlo    Scenario net worth\n"
    "  montecarlo    --seed N    start the random source from N (0..4294967295) so that the run\n"
    "  montecarlo                repeats exactly; without it the clock is used\n"
    "  montecarlo    --trials N  the number of trials (0..1000) instead of the Scenario's\n";

namespace {

// A whole decimal number filling all of `text`.
template <typename T>
bool ParseWhole(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && !text.empty();
}

}  // namespace

int CliMonteCarlo(const std::vector<std::string>& args) {
    std::string path;
    int fixedStart = 0, trials = -1;
    uint32_t startValue = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--seed" || a == "--trials") {
            if (i + 1 >= args.size()) return CliUsageError("montecarlo: " + a + " needs a number");
            const std::string& n = args[++i];
            if (a == "--seed") {
                if (!ParseWhole(n, startValue)) return CliUsageError("montecarlo: --seed takes 0..4294967295, not '" + n + "'");
                fixedStart = 1;
            } else if (!ParseWhole(n, trials) || trials < 0 || trials > MaxMonteCarloTrials) {
                return CliUsageError("montecarlo: --trials takes 0..1000, not '" + n + "'");
            }
        } else if (!a.empty() && a[0] == '-') {
            return CliUsageError("montecarlo: unknown option '" + a + "'");
        } else if (path.empty()) {
            path = a;
        } else {
            return CliUsageError("montecarlo: more than one SCENARIO");
        }
    }
    if (path.empty()) return CliUsageError("montecarlo: no SCENARIO given");
    if (!LoadScenarioArgument(path)) return 1;

    // The analysis works on the copies kept beside the Scenario, as after an open.
    state.mcTrials = scenario.settings.mcTrials;
    state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
    state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
    if (trials >= 0) state.mcTrials = trials;

    runSwitches = RunSwitches{};
    MonteCarloOptions options;
    options.fixedStart = fixedStart;
    options.startValue = startValue;
    int ran = RunMonteCarlo(options);
    bool fileError = false;
    for (const Notice& n : runNotices) fileError = fileError || n.caption == "FILE ERROR";
    PrintRunNotices();
    if (!ran) {
        // A refusal or a failed run has been reported as a message already.
        if (monteCarlo.outcome == McNoAccounts)
            std::fputs("tillory-cli: montecarlo: the Scenario has no accounts; no trials were run\n", stderr);
        else if (monteCarlo.outcome == McNoStatsFile)
            std::fprintf(stderr, "tillory-cli: montecarlo: cannot create %s\n", StatsFileName);
        return 1;
    }
    std::printf("Scenario Success = %5.2f%%\n", static_cast<double>(monteCarlo.successPercent));
    for (int row = 0; row < monteCarlo.rows; ++row)
        std::printf("%5.1f\t%.2f\t%.2f\n", static_cast<double>(monteCarlo.rowAge[row]),
                    static_cast<double>(monteCarlo.averageNetWorth[row]),
                    static_cast<double>(monteCarlo.scenarioNetWorth[row]));
    // A stats.dat that could not be written fails the command, after the figures.
    return FinishStandardOutput() || fileError ? 1 : 0;
}
