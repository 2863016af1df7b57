// Times whole Monte Carlo analyses: 1000 trials of the largest Scenarios the
// limits allow (under each kind of random rate, and with every kind of
// Event), and of the bundled example, with the files of the closing run and
// stats.dat. Writes its files into the current directory. Not a test; run it
// by hand.
//
// Each figure is processor time, the best of --repeat analyses, and the same
// divided by a fixed yardstick loop timed in this process, so that figures
// from different machines (or a busy one) compare.
//
// Usage: tillory-mcbench [--trials N] [--repeat N] [--only NAME] [--example SCENARIO]
#include <chrono>
#include <cstdint>
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
#include "montecarlo/random.h"

namespace {

int trials = 1000;
int repeat = 3;
const char* only = nullptr;  // --only: time only the cases whose name contains this
double yardstick = 0;  // processor seconds of one YardstickLoop

volatile float yardstickSink;

// A fixed amount of dependent integer and float work, a third of a second
// on the quiet machine the latest figures in docs/performance.md come from.
// It was 120,000,000 rounds until December 2026, a third of a second only
// on a loaded machine, so ratios taken with it are 2.3 times these.
double YardstickLoop() {
    std::clock_t start = std::clock();
    uint64_t x = 1;
    float acc = 0;
    for (int i = 0; i < 275000000; ++i) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        acc += static_cast<float>(x >> 44) * 1e-6f;
        if (acc > 1000.0f) acc -= 1000.0f;
    }
    yardstickSink = acc;
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double Yardstick() {
    double best = YardstickLoop();
    for (int r = 1; r < repeat; ++r) {
        double t = YardstickLoop();
        if (t < best) best = t;
    }
    return best;
}

void Time(const char* what) {
    if (only && !std::strstr(what, only)) return;
    state.mcTrials = trials;
    state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
    state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
    runSwitches = RunSwitches{};
    MonteCarloOptions options;
    options.fixedStart = 1;
    options.startValue = 1;
    double cpu = 0, wall = 0;
    for (int r = 0; r < repeat; ++r) {
        auto start = std::chrono::steady_clock::now();
        std::clock_t cpuStart = std::clock();
        int ran = RunMonteCarlo(options);
        double w = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        double c = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (!ran) {
            std::printf("%-44s did not run (outcome %d)\n", what, monteCarlo.outcome);
            return;
        }
        if (r == 0 || c < cpu) cpu = c, wall = w;
    }
    std::printf("%-44s %4d trials: %7.3f s of processor time = %5.3f yardsticks (%7.3f s wall); success %.2f%%\n",
                what, monteCarlo.trials, cpu, cpu / yardstick, wall, static_cast<double>(monteCarlo.successPercent));
}

// The Gaussian range draws of 1000 trials of the largest Scenario (50
// accounts and the inflation, 100 years) and nothing else: the part of
// those analyses that the results fix, so the floor under their time.
void TimeDrawsAlone() {
    const char* what = "Gaussian range draws alone";
    if (only && !std::strstr(what, only)) return;
    scenario.settings.mcDistribution = 0;
    const int draws = trials * 100 * (MaxAccounts + 1);
    double cpu = 0;
    for (int r = 0; r < repeat; ++r) {
        SeedRandom(1);
        std::clock_t cpuStart = std::clock();
        double sum = 0;
        for (int i = 0; i < draws; ++i) sum += GaussianRangeRate(0, 12);
        yardstickSink = static_cast<float>(sum);
        double c = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (r == 0 || c < cpu) cpu = c;
    }
    std::printf("%-44s %7d draws: %7.3f s of processor time = %5.3f yardsticks\n", what, draws, cpu, cpu / yardstick);
}

}  // namespace

int main(int argc, char** argv) {
    const char* example = TILLORY_EXAMPLES "/retirement.json";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trials") == 0 && i + 1 < argc) {
            trials = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else if (std::strcmp(argv[i], "--example") == 0 && i + 1 < argc) {
            example = argv[++i];
        } else {
            std::fputs("Usage: tillory-mcbench [--trials N] [--repeat N] [--only NAME] [--example SCENARIO]\n", stderr);
            return 2;
        }
    }
    if (trials < 1) trials = 1;
    if (repeat < 1) repeat = 1;
    yardstick = Yardstick();
    std::printf("yardstick: %.3f s of processor time\n", yardstick);

    static const char* const kinds[3] = {"Gaussian range", "uniform", "Gaussian standard deviation"};
    for (int source = 0; source < 2; ++source) {
        for (int kind = 0; kind < 3; ++kind) {
            BuildLargestRandomScenario(source, kind);
            char what[64];
            std::snprintf(what, sizeof what, "largest, %s %s", kinds[kind], source ? "groups" : "accounts");
            Time(what);
        }
    }
    TimeDrawsAlone();
    BuildEveryEventScenario();
    Time("largest, every kind of Event");
    if (!LoadScenarioArgument(example)) return 1;
    Time(example);
    return 0;
}
