// The safe-spending search: bisection over one Withdrawal's amount, each step
// a whole Monte Carlo analysis from the same random start.
#include "montecarlo/safe_spending.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/engine.h"
#include "engine/payment.h"
#include "montecarlo/montecarlo.h"

namespace {

bool IsBudgetWithdrawal(const Event& e) {
    return e.option == 1 && e.budgetIndex >= 1 && e.budgetIndex <= MaxBudgets;
}

// Whole steps of a bisection over `span` dollars.
int HalvingsOf(int64_t span) {
    int n = 0;
    while (span > 1) {
        span = (span + 1) / 2;
        ++n;
    }
    return n;
}

// What the search changes and gives back.
struct Kept {
    Scenario records;
    ScenarioState beside;
    MonteCarloRun analysis;
};

class Search {
public:
    Search(const SafeSpendingRequest& request, const SafeSpendingProgress* progress, SafeSpendingResult& result)
        : request_(request), progress_(progress), result_(result), slot_(request.eventNumber - 1) {}

    // Runs the bisection; the caller gives the plan back afterwards.
    void Run() {
        Event& e = scenario.events[slot_];
        int64_t lo = 0, hi = -1;
        bool loReaches = false;  // whether `lo` was seen to reach (0 is only tried when needed)
        float loSuccess = 0;
        // Start from the amount the plan has, so that a plan near its limit
        // needs few doublings.
        int64_t a = std::isfinite(e.amount) && e.amount >= 1.0f ? static_cast<int64_t>(e.amount) : 1000;
        if (a > SafeSpendingCap) a = SafeSpendingCap;
        while (hi < 0) {
            SafeSpendingStep s;
            if (!Analyse(a, 1 + HalvingsOf(a), s)) return Close(lo, loReaches, loSuccess);
            if (!s.reaches) {
                hi = a;
            } else {
                lo = a;
                loReaches = true;
                loSuccess = s.successPercent;
                if (a == SafeSpendingCap) return Finish(SafeAtCap, a, s.successPercent);
                a = a * 2 < SafeSpendingCap ? a * 2 : SafeSpendingCap;
            }
        }
        while (hi - lo > 1) {
            const int64_t mid = Representable(lo + (hi - lo) / 2, lo, hi);
            if (mid < 0) break;
            SafeSpendingStep s;
            if (!Analyse(mid, HalvingsOf(hi - lo) - 1, s)) return Close(lo, loReaches, loSuccess);
            if (s.reaches) {
                lo = mid;
                loReaches = true;
                loSuccess = s.successPercent;
            } else {
                hi = mid;
            }
        }
        if (!loReaches) {
            // Every amount tried failed: the search has come down to 0.
            SafeSpendingStep s;
            if (!Analyse(0, 0, s)) return Close(lo, loReaches, loSuccess);
            if (!s.reaches) return Finish(SafeUnreachable, 0, s.successPercent);
            loSuccess = s.successPercent;
        }
        Finish(SafeFound, lo, loSuccess);
    }

private:
    // The amount the Event can hold nearest `mid` strictly between lo and hi,
    // or -1 when there is none (a float holds whole dollars only up to 2^24).
    static int64_t Representable(int64_t mid, int64_t lo, int64_t hi) {
        int64_t held = static_cast<int64_t>(static_cast<float>(mid));
        if (held <= lo) held = static_cast<int64_t>(std::nextafter(static_cast<float>(lo), 2.0f * static_cast<float>(hi)));
        return held > lo && held < hi ? held : -1;
    }

    // One analysis at `amount`; 0 when it stopped or failed (the outcome is then set).
    bool Analyse(int64_t amount, int stepsLeft, SafeSpendingStep& s) {
        if (static_cast<int>(result_.steps.size()) >= SafeSpendingMaxSteps) {
            result_.outcome = SafeFailed;
            result_.notice = {"The search for a safe amount did not settle.", "SAFE SPENDING"};
            return false;
        }
        scenario.events[slot_].amount = static_cast<float>(amount);
        MonteCarloObserver observer;
        observer.context = const_cast<SafeSpendingProgress*>(progress_);
        if (progress_ && progress_->stop)
            observer.stop = [](void* context) {
                const auto* p = static_cast<const SafeSpendingProgress*>(context);
                return p->stop(p->context);
            };
        MonteCarloOptions options;
        options.observer = &observer;
        options.writeStatistics = 0;
        options.fixedStart = 1;
        options.startValue = request_.seed;
        state.mcTrials = result_.trials;
        const int ran = RunMonteCarlo(options);
        if (!ran) {
            result_.outcome = SafeFailed;
            result_.notice = {"The Monte Carlo analysis could not run, so no safe amount was found.", "SAFE SPENDING"};
            return false;
        }
        if (monteCarlo.outcome == McStopped) {
            result_.outcome = SafeStopped;
            return false;
        }
        s.step = static_cast<int>(result_.steps.size()) + 1;
        s.stepsAbout = s.step + (stepsLeft > 0 ? stepsLeft : 0);
        s.amount = amount;
        s.successPercent = monteCarlo.successPercent;
        s.reaches = ReachesTarget(monteCarlo.failedTrials, monteCarlo.trialsRun, request_.targetPercent) ? 1 : 0;
        result_.steps.push_back(s);
        if (progress_ && progress_->step) progress_->step(progress_->context, s);
        return true;
    }

    // A stopped or failed search keeps the best amount known to reach.
    void Close(int64_t lo, bool loReaches, float loSuccess) {
        result_.amount = loReaches ? lo : -1;
        result_.successPercent = loReaches ? loSuccess : 0;
    }

    void Finish(int outcome, int64_t amount, float success) {
        result_.outcome = outcome;
        result_.amount = amount;
        result_.successPercent = success;
    }

    const SafeSpendingRequest& request_;
    const SafeSpendingProgress* progress_;
    SafeSpendingResult& result_;
    int slot_;
};

}  // namespace

bool ReachesTarget(int failed, int trials, float targetPercent) {
    if (trials <= 0) return false;
    return static_cast<double>(trials - failed) * 100.0 >= static_cast<double>(targetPercent) * trials;
}

std::vector<int> WithdrawalEvents() {
    std::vector<int> numbers;
    for (int i = 0; i < state.eventCount && i < MaxEvents; ++i)
        if (scenario.events[i].eventType == EventWithdrawal) numbers.push_back(i + 1);
    return numbers;
}

std::string WithdrawalName(int eventNumber) {
    if (eventNumber < 1 || eventNumber > MaxEvents) return "";
    std::string name = FieldText(scenario.events[eventNumber - 1].description);
    return name.empty() ? "Withdrawal " + std::to_string(eventNumber) : name;
}

Notice SafeSpendingRefusal(int eventNumber) {
    const int count = state.eventCount < MaxEvents ? state.eventCount : MaxEvents;
    if (eventNumber < 1 || eventNumber > count)
        return {"There is no Event " + std::to_string(eventNumber) + ": the plan has " + std::to_string(count) +
                    " Events.",
                "EVENT ERROR"};
    const Event& e = scenario.events[eventNumber - 1];
    if (e.eventType != EventWithdrawal)
        return {"Event " + std::to_string(eventNumber) +
                    " is not a Withdrawal. A safe amount can only be found for a Withdrawal Event.",
                "EVENT ERROR"};
    if (IsBudgetWithdrawal(e)) {
        // Built by appending: GCC 12 at -O3 warns falsely about a literal put before a string.
        std::string text(1, '"');
        text += WithdrawalName(eventNumber);
        text += "\" is the Withdrawal of Budget " + std::to_string(e.budgetIndex) +
                ": its amount comes from the Budget's items. Change the Budget to change it.";
        return {text, "EVENT ERROR"};
    }
    return {};
}

SafeSpendingResult FindSafeSpending(const SafeSpendingRequest& request, const SafeSpendingProgress* progress) {
    SafeSpendingResult result;
    result.notice = SafeSpendingRefusal(request.eventNumber);
    if (!result.notice.Empty()) return result;
    if (!(request.targetPercent > 0.0f && request.targetPercent <= 100.0f)) {
        result.notice = {"The target success rate must be above 0% and at most 100%.", "RATE ERROR"};
        return result;
    }
    int trials = request.trials >= 0 ? request.trials : state.mcTrials;
    if (trials < 0) trials = 100;  // as the analysis reads a negative count
    if (trials > MaxMonteCarloTrials) trials = MaxMonteCarloTrials;
    if (trials == 0) {
        result.notice = {"The number of Monte Carlo trials is 0. Enter at least 1 trial.", "TRIALS ERROR"};
        return result;
    }
    if (LiveAccountCount() == 0) {
        result.notice = {"The plan has no Accounts, so there is nothing to spend from.", "SAFE SPENDING"};
        return result;
    }
    result.trials = trials;

    auto kept = std::make_unique<Kept>();
    std::memcpy(&kept->records, &scenario, sizeof scenario);
    kept->beside = state;
    kept->analysis = monteCarlo;

    Search(request, progress, result).Run();

    // The plan as it was, its results and run files from one plain run as a
    // normal analysis ends, and then its records byte for byte (the run
    // rewrites working fields).
    std::memcpy(&scenario, &kept->records, sizeof scenario);
    state = kept->beside;
    RunProjection(OutputResultsList);
    std::memcpy(&scenario, &kept->records, sizeof scenario);
    monteCarlo = kept->analysis;
    return result;
}

namespace {

// "$45,123": the dollar text of the amount without its cents.
std::string WholeDollarText(int64_t amount) {
    std::string text = Dollars("%.2f", static_cast<double>(amount));
    if (text.size() > 3 && text.compare(text.size() - 3, 3, ".00") == 0) text.resize(text.size() - 3);
    return text;
}

std::string PercentText(float percent) {
    char t[32];
    std::snprintf(t, sizeof t, "%.2f%%", static_cast<double>(percent));
    return t;
}

}  // namespace

std::string SafeSpendingStepText(const SafeSpendingStep& s) {
    return "Step " + std::to_string(s.step) + " of about " + std::to_string(s.stepsAbout) + ": " +
           WholeDollarText(s.amount) + " gives " + PercentText(s.successPercent) +
           (s.reaches ? ", reaches the target." : ", below the target.");
}

std::string SafeSpendingResultText(const SafeSpendingResult& r, float targetPercent) {
    const std::string target = " (target " + PercentText(targetPercent) + ").";
    switch (r.outcome) {
        case SafeFound:
            return "The safe amount is " + WholeDollarText(r.amount) + ", with a success rate of " +
                   PercentText(r.successPercent) + target;
        case SafeAtCap:
            return "Even " + WholeDollarText(r.amount) + ", the most a Withdrawal can take, reaches " +
                   PercentText(r.successPercent) + target;
        case SafeUnreachable:
            return "No amount reaches the target: even $0 has a success rate of " + PercentText(r.successPercent) +
                   target;
        case SafeStopped:
            if (r.amount < 0) return "Stopped before any amount reached the target.";
            return "Stopped: so far " + WholeDollarText(r.amount) + " is the best, with a success rate of " +
                   PercentText(r.successPercent) + target;
        default: return r.notice.text;
    }
}
