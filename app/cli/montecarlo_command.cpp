// tillory-cli montecarlo: the Monte Carlo analysis, its success line and the
// average and Scenario net worth of every row, or with --json the success
// rate, percentiles and survival by age and why trials fail; stats.dat in the
// current directory.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "commands.h"
#include "engine/engine.h"
#include "montecarlo/insight.h"
#include "montecarlo/montecarlo.h"

const char* const CliMonteCarloHelp =
    "  montecarlo SCENARIO [--seed N] [--trials N] [--json]\n"
    "  montecarlo    run the Monte Carlo analysis, write stats.dat in the current directory and print\n"
    "  montecarlo    \"Scenario Success = ...%\", then one line per row: age, average net worth,\n"
    "  montecarlo    Scenario net worth\n"
    "  montecarlo    --seed N    start the random source from N (0..4294967295) so that the run\n"
    "  montecarlo                repeats exactly; without it the clock is used\n"
    "  montecarlo    --trials N  the number of trials (0..1000) instead of the Scenario's\n"
    "  montecarlo    --json      print JSON instead: the success rate, the 10th/25th/50th/75th/90th\n"
    "  montecarlo                percentiles of net worth and the share of trials at or above the\n"
    "  montecarlo                goal at each age, and why the failing trials fail\n";

namespace {

using Json = nlohmann::ordered_json;

// Money and percentages to the cent, so that the text does not carry a
// float's last digits.
double Cents(float v) { return std::round(static_cast<double>(v) * 100.0) / 100.0; }

Json InsightJson() {
    const MonteCarloInsight& in = monteCarloInsight;
    Json root;
    root["trials"] = in.trials;
    root["goal"] = Cents(in.goal);
    root["successPercent"] = Cents(monteCarlo.successPercent);
    root["failedTrials"] = in.failedTrials;
    Json ages = Json::array();
    for (int row = 0; row < in.rows; ++row) {
        const size_t r = static_cast<size_t>(row);
        Json age;
        age["age"] = Cents(in.rowAge[r]);
        for (size_t k = 0; k < PercentileLevels.size(); ++k)
            age["p" + std::to_string(PercentileLevels[k])] = Cents(in.percentiles[r][k]);
        age["survivalPercent"] = Cents(in.survivalPercent[r]);
        ages.push_back(age);
    }
    root["byAge"] = ages;
    Json bins = Json::array();
    for (const FailureBin& b : in.failureBins) bins.push_back({{"fromAge", b.fromAge}, {"toAge", b.toAge}, {"trials", b.trials}});
    Json dry = Json::array();
    for (const DryAccount& d : in.dryFirst) dry.push_back({{"account", d.name}, {"trials", d.trials}});
    root["failures"] = {{"firstBelowGoal", bins}, {"firstRunDry", dry}, {"summary", in.failureText}};
    return root;
}

// Indented JSON with each object or array of plain values on one line, so
// that an age reads as one line.
void PrintCompact(const Json& v, int indent, std::string& out) {
    bool flat = true;
    for (const Json& child : v) flat = flat && !child.is_structured();
    if (!v.is_structured() || flat || v.empty()) {
        out += v.dump();
        return;
    }
    const std::string inner(static_cast<size_t>(indent + 2), ' ');
    out += v.is_object() ? "{\n" : "[\n";
    size_t i = 0;
    for (auto it = v.begin(); it != v.end(); ++it, ++i) {
        out += inner;
        if (v.is_object()) out += Json(it.key()).dump() + ": ";
        PrintCompact(it.value(), indent + 2, out);
        out += i + 1 < v.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<size_t>(indent), ' ') + (v.is_object() ? "}" : "]");
}

}  // namespace

int CliMonteCarlo(const std::vector<std::string>& args) {
    std::string path;
    int fixedStart = 0, trials = -1, json = 0;
    uint32_t startValue = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = 1;
        } else if (a == "--seed" || a == "--trials") {
            if (i + 1 >= args.size()) return CliUsageError("montecarlo: " + a + " needs a number");
            const std::string& n = args[++i];
            if (a == "--seed") {
                if (!ParseWhole(n, startValue)) return CliUsageError("montecarlo: --seed takes 0..4294967295, not '" + n + "'");
                fixedStart = 1;
            } else if (!ParseWhole(n, trials) || trials < 0 || trials > MaxMonteCarloTrials) {
                return CliUsageError("montecarlo: --trials takes 0..1000, not '" + n + "'");
            }
        } else if (int code = ScenarioArgument("montecarlo", a, path)) {
            return code;
        }
    }
    if (path.empty()) return CliUsageError("montecarlo: no SCENARIO given");
    if (!LoadScenarioArgument(path)) return 1;

    UseScenarioMonteCarloSettings();
    if (trials >= 0) state.mcTrials = trials;

    InsightRecorder recorder;
    MonteCarloOptions options;
    options.observer = recorder.Observer();
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
    if (json) {
        std::string text;
        PrintCompact(InsightJson(), 0, text);
        std::printf("%s\n", text.c_str());
        return 0;
    }
    std::printf("Scenario Success = %5.2f%%\n", static_cast<double>(monteCarlo.successPercent));
    for (int row = 0; row < monteCarlo.rows; ++row)
        std::printf("%5.1f\t%.2f\t%.2f\n", static_cast<double>(monteCarlo.rowAge[row]),
                    static_cast<double>(monteCarlo.averageNetWorth[row]),
                    static_cast<double>(monteCarlo.scenarioNetWorth[row]));
    // A stats.dat that could not be written fails the command, after the figures.
    return FinishStandardOutput() || fileError ? 1 : 0;
}
