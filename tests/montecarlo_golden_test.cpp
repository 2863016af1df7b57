// Whole Monte Carlo analyses from a fixed random start, compared with what
// the engine left before its speed work: stats.dat, the success rate, the
// trial, average and Scenario curves, the result tables, the results list,
// every file the closing run writes, the Scenario's working fields and the
// random source. Each is kept as a 64-bit FNV-1a digest, with the success
// rate and a few figures in clear.
//
// To record the table anew (only when a result is meant to change):
//   TILLORY_RECORD_GOLDEN=1 tests/montecarlo_golden_test
// prints the rows to paste below.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/every_event_scenario.h"
#include "bench/largest_scenario.h"
#include "commands.h"
#include "engine_fixture.h"
#include "montecarlo/montecarlo.h"
#include "montecarlo/random.h"

namespace {

uint64_t Digest(const std::string& bytes) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

template <typename T>
std::string RawBytes(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// What an analysis leaves, digested.
enum Part { Stats, Plot, Big, In, Out, List, Tables, Curves, ScenarioBytes, Random, PartCount };
const char* const PartNames[PartCount] = {"stats.dat", "plot file", "bigfile.tmp", "infile.tmp", "outfile.tmp",
                                          "results list", "result tables", "curves", "Scenario", "random source"};

struct Golden {
    const char* name;
    uint64_t digest[PartCount];
    const char* figures;  // success, failed trials, average and Scenario net worth at the last row
};

// Recorded from the engine before the speed work.
const Golden Recorded[] = {
#include "montecarlo_golden.inc"
};

class MonteCarloGoldenTest : public EngineTest {
protected:
    static void FixedTitles() {
        // The plot file's header would otherwise carry the path and the clock.
        ReportOptions& r = scenario.reportOptions;
        r.title1On = r.title2On = r.title3On = 1;
        SetFieldText(r.title1, "Golden");
        SetFieldText(r.title2, "Date");
        SetFieldText(r.title3, "Time");
    }

    static std::string ListText() {
        std::string text;
        for (int i = 0; i < resultsList.count; ++i) (text += LineAt(resultsList, i)) += '\n';
        return text;
    }

    void Analyse(const char* name, int trials) {
        SCOPED_TRACE(name);
        FixedTitles();
        state.todayMonth = 6;
        state.todayDay = 1;
        state.mcTrials = trials;
        state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
        state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
        MonteCarloOptions options;
        options.fixedStart = 1;
        options.startValue = 20261209;
        ASSERT_EQ(RunMonteCarlo(options), 1);

        uint64_t d[PartCount];
        d[Stats] = Digest(Bytes(StatsFileName));
        d[Plot] = Digest(Bytes(runSwitches.plotPath));
        d[Big] = Digest(Bytes(BigFileName));
        d[In] = Digest(Bytes(InFileName));
        d[Out] = Digest(Bytes(OutFileName));
        d[List] = Digest(ListText());
        d[Tables] = Digest(RawBytes(results));
        const MonteCarloRun& mc = monteCarlo;
        d[Curves] = Digest(RawBytes(mc.rows) + RawBytes(mc.failedTrials) + RawBytes(mc.rowAge) +
                           RawBytes(mc.netWorthSum) + RawBytes(mc.trialNetWorth) + RawBytes(mc.averageNetWorth) +
                           RawBytes(mc.scenarioNetWorth) + RawBytes(mc.statistics) + RawBytes(randomCounters));
        d[ScenarioBytes] = Digest(RawBytes(scenario));
        const RandomSource& r = randomSource;
        std::string random = RawBytes(r.low) + RawBytes(r.high);
        for (const GaussianCache* c : {&r.gaussian, &r.gaussianRange})
            random += RawBytes(c->x) + RawBytes(c->y) + RawBytes(c->s) + RawBytes(c->toggle);
        d[Random] = Digest(random);
        const int last = mc.rows - 1;
        char figures[160];
        std::snprintf(figures, sizeof figures, "success %.2f, failed %d, average %.2f, Scenario %.2f",
                      static_cast<double>(mc.successPercent), mc.failedTrials,
                      static_cast<double>(mc.averageNetWorth[last]), static_cast<double>(mc.scenarioNetWorth[last]));

        if (std::getenv("TILLORY_RECORD_GOLDEN")) {
            std::printf("    {\"%s\",\n     {", name);
            for (int k = 0; k < PartCount; ++k)
                std::printf("0x%016" PRIx64 "u%s", d[k], k + 1 < PartCount ? (k % 3 == 2 ? ",\n      " : ", ") : "");
            std::printf("},\n     \"%s\"},\n", figures);
            return;
        }
        const Golden* g = nullptr;
        for (const Golden& row : Recorded)
            if (std::strcmp(row.name, name) == 0) g = &row;
        ASSERT_NE(g, nullptr) << "no recorded figures";
        EXPECT_STREQ(figures, g->figures);
        for (int k = 0; k < PartCount; ++k) EXPECT_EQ(d[k], g->digest[k]) << PartNames[k];
    }
};

TEST_F(MonteCarloGoldenTest, LargestScenarioUnderEveryKindOfRandomRate) {
    static const char* const names[2][3] = {
        {"largest, Gaussian range accounts", "largest, uniform accounts", "largest, Gaussian deviation accounts"},
        {"largest, Gaussian range groups", "largest, uniform groups", "largest, Gaussian deviation groups"}};
    for (int source = 0; source < 2; ++source) {
        for (int kind = 0; kind < 3; ++kind) {
            BuildLargestRandomScenario(source, kind);
            scenario.settings.mcRangeFactor = 3;
            scenario.settings.mcStdDevFactor = 2;
            scenario.settings.mcGoalAmount = 400000;
            Analyse(names[source][kind], 60);
        }
    }
}

// Every kind of Event, with the person's detail switches on: the closing run
// builds the whole schedule with its rate lines and account summaries.
TEST_F(MonteCarloGoldenTest, EveryKindOfEventWithDetail) {
    BuildEveryEventScenario();
    scenario.settings.mcMaxInflationRate = 6;
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    Analyse("every kind of Event", 60);
}

// Started at 45 on a birthday: loans and mortgages run through silent years
// and a prorated first year.
TEST_F(MonteCarloGoldenTest, EveryKindOfEventFromAProratedLaterStart) {
    BuildEveryEventScenario();
    scenario.initialValues.startAge = 45;
    scenario.initialValues.useBirthday = 1;
    scenario.initialValues.birthMonth = 3;
    scenario.initialValues.birthDay = 14;
    scenario.settings.mcMaxInflationRate = 6;
    scenario.settings.mcDistribution = 1;
    scenario.settings.mcRandomSource = 1;
    Analyse("every kind of Event from 45", 60);
}

TEST_F(MonteCarloGoldenTest, BundledExample) {
    ASSERT_EQ(LoadScenarioArgument(TILLORY_EXAMPLES "/retirement.json"), 1);
    Analyse("example", 300);
}

}  // namespace
