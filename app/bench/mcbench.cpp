// Times whole Monte Carlo analyses: 1000 trials of the largest Scenarios the
// limits allow (under each kind of random rate, and with every kind of
// Event), and of the bundled example,
// each trial with every file a run writes, and stats.dat. Writes its files
// into the current directory. Not a test; run it by hand.
//
// Usage: tillory-mcbench [--trials N] [--example SCENARIO]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "commands.h"
#include "engine/engine.h"
#include "every_event_scenario.h"
#include "largest_scenario.h"
#include "model/model.h"
#include "montecarlo/montecarlo.h"

namespace {

int trials = 1000;

void Time(const char* what) {
    state.mcTrials = trials;
    state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
    state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
    runSwitches = RunSwitches{};
    MonteCarloOptions options;
    options.fixedStart = 1;
    options.startValue = 1;
    auto start = std::chrono::steady_clock::now();
    std::clock_t cpuStart = std::clock();
    int ran = RunMonteCarlo(options);
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (!ran) {
        std::printf("%-44s did not run (outcome %d)\n", what, monteCarlo.outcome);
        return;
    }
    std::printf("%-44s %4d trials: %7.3f s (%7.3f s of processor time), %.3f ms a trial; success %.2f%%\n", what,
                monteCarlo.trials, wall, cpu, cpu * 1000.0 / monteCarlo.trials,
                static_cast<double>(monteCarlo.successPercent));
}

}  // namespace

int main(int argc, char** argv) {
    const char* example = TILLORY_EXAMPLES "/retirement.json";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trials") == 0 && i + 1 < argc) {
            trials = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--example") == 0 && i + 1 < argc) {
            example = argv[++i];
        } else {
            std::fputs("Usage: tillory-mcbench [--trials N] [--example SCENARIO]\n", stderr);
            return 2;
        }
    }
    if (trials < 1) trials = 1;

    static const char* const kinds[3] = {"Gaussian range", "uniform", "Gaussian standard deviation"};
    for (int source = 0; source < 2; ++source) {
        for (int kind = 0; kind < 3; ++kind) {
            BuildLargestScenario();
            for (int i = 0; i < MaxAccounts; ++i) scenario.accountOptions.stdDeviation[i] = 2;
            for (int g = 0; g < MaxGroups; ++g) scenario.settings.groupRandomMaxRate[g] = 10;
            scenario.settings.mcMaxInflationRate = 6;
            scenario.settings.mcRandomSource = static_cast<int16_t>(source);
            scenario.settings.mcDistribution = static_cast<int16_t>(kind);
            char what[64];
            std::snprintf(what, sizeof what, "largest, %s %s", kinds[kind], source ? "groups" : "accounts");
            Time(what);
        }
    }
    BuildEveryEventScenario();
    Time("largest, every kind of Event");
    if (!LoadScenarioArgument(example)) return 1;
    Time(example);
    return 0;
}
