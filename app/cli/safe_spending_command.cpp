// tillory-cli safe-spending: the largest amount of one Withdrawal Event that
// still reaches a target success rate, with every step of the search.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "engine/engine.h"
#include "montecarlo/montecarlo.h"
#include "montecarlo/safe_spending.h"

const char* const CliSafeSpendingHelp =
    "  safe-spending SCENARIO --event N [--target P] [--seed S] [--trials T]\n"
    "  safe-spending find the largest amount, to the dollar, of Withdrawal Event N (its number in\n"
    "  safe-spending the Event list, from 1) at which the Monte Carlo analysis still succeeds in at\n"
    "  safe-spending least P% of trials (default 90); every step starts the random source from S\n"
    "  safe-spending (default 1); T trials (1..1000) instead of the Scenario's. Prints each step,\n"
    "  safe-spending then the answer; the Scenario file and stats.dat are left as they were\n";

namespace {

bool ParsePercent(const std::string& text, float& value) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && !text.empty() && value > 0.0f && value <= 100.0f;
}

}  // namespace

int CliSafeSpending(const std::vector<std::string>& args) {
    std::string path;
    SafeSpendingRequest request;
    bool eventGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--event" || a == "--target" || a == "--seed" || a == "--trials") {
            if (i + 1 >= args.size()) return CliUsageError("safe-spending: " + a + " needs a number");
            const std::string& n = args[++i];
            if (a == "--event") {
                if (!ParseWhole(n, request.eventNumber) || request.eventNumber < 1)
                    return CliUsageError("safe-spending: --event takes an Event number from 1, not '" + n + "'");
                eventGiven = true;
            } else if (a == "--target") {
                if (!ParsePercent(n, request.targetPercent))
                    return CliUsageError("safe-spending: --target takes a percentage above 0 and at most 100, not '" +
                                         n + "'");
            } else if (a == "--seed") {
                if (!ParseWhole(n, request.seed))
                    return CliUsageError("safe-spending: --seed takes 0..4294967295, not '" + n + "'");
            } else if (!ParseWhole(n, request.trials) || request.trials < 1 || request.trials > MaxMonteCarloTrials) {
                return CliUsageError("safe-spending: --trials takes 1..1000, not '" + n + "'");
            }
        } else if (int code = ScenarioArgument("safe-spending", a, path)) {
            return code;
        }
    }
    if (path.empty()) return CliUsageError("safe-spending: no SCENARIO given");
    if (!eventGiven) return CliUsageError("safe-spending: no --event N given");
    if (!LoadScenarioArgument(path)) return 1;
    const Notice refusal = SafeSpendingRefusal(request.eventNumber);
    if (!refusal.Empty()) return CliUsageError("safe-spending: " + refusal.text);

    UseScenarioMonteCarloSettings();

    SafeSpendingProgress progress;
    progress.step = [](void*, const SafeSpendingStep& s) {
        std::printf("%s\n", SafeSpendingStepText(s).c_str());
        std::fflush(stdout);
    };
    std::printf("Safe spending for \"%s\" (Event %d), target %.2f%%, seed %u\n",
                WithdrawalName(request.eventNumber).c_str(), request.eventNumber,
                static_cast<double>(request.targetPercent), request.seed);
    const SafeSpendingResult r = FindSafeSpending(request, &progress);
    PrintRunNotices();
    if (r.outcome == SafeRefused || r.outcome == SafeFailed) {
        std::fprintf(stderr, "%s: %s\n", r.notice.caption.c_str(), r.notice.text.c_str());
        return 1;
    }
    std::printf("%s\n", SafeSpendingResultText(r, request.targetPercent).c_str());
    return FinishStandardOutput();
}
