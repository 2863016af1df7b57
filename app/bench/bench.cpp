// Times one full projection run of the largest Scenario the limits allow:
// 50 accounts, 150 events, 100 result rows, every output file, detailed
// results and the account summary on; then the same for a Scenario of that
// size using every kind of Event. Writes its files into the current
// directory.
//
// Usage: tillory-bench [--runs N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/engine.h"
#include "every_event_scenario.h"
#include "largest_scenario.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            std::fputs("Usage: tillory-bench [--runs N]\n", stderr);
            return 2;
        }
    }
    if (runs < 1) runs = 1;
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    std::strcpy(runSwitches.resultsPath, "bench.sch");

    struct Case {
        const char* name;
        void (*build)();
    };
    for (Case c : {Case{"largest", BuildLargestScenario}, Case{"every kind of Event", BuildEveryEventScenario}}) {
        c.build();
        for (int mode : {OutputResultsFile, OutputResultsList}) {
            if (!RunProjection(mode)) return 1;  // warm-up
            auto start = std::chrono::steady_clock::now();
            std::clock_t cpuStart = std::clock();
            for (int r = 0; r < runs; ++r) RunProjection(mode);
            double each = SecondsSince(start) / runs;
            double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / runs;
            std::printf("%s, output mode %d: %d runs, %.3f ms per run (%.3f ms of processor time; %d rows, %d list "
                        "lines)\n",
                        c.name, mode, runs, each * 1000.0, cpu * 1000.0, results.rowCount, resultsList.count);
        }
    }
    return 0;
}
