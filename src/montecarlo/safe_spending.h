// Safe spending: the largest yearly amount of one Withdrawal Event, to the
// dollar, at which the Monte Carlo analysis still reaches a target success
// rate. Found by bisection over the Event's amount; every step runs the whole
// analysis from the same fixed random start, so that two steps differ only in
// the amount.
//
// The search works on the Scenario in memory and gives it back byte for byte:
// the person's plan is unchanged whatever the outcome. It writes no stats.dat
// (that file stays the person's last analysis) and ends with one plain
// projection of the unchanged plan, so the results, the Results list and the
// run files are what a normal analysis of the plan leaves. Shows nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"

// The largest amount a Withdrawal takes (its dialog's bound).
constexpr int64_t SafeSpendingCap = 100000000;
// The random start of every step unless the caller names one.
constexpr uint32_t SafeSpendingSeed = 1;
constexpr float SafeSpendingDefaultTarget = 90.0f;
// Doubling from $1 reaches the cap in 27 steps and the bisection of the
// widest bracket takes 27 more: more than this means something is wrong.
constexpr int SafeSpendingMaxSteps = 64;

enum : int {
    SafeFound = 1,        // `amount` reaches the target and one dollar more does not
    SafeAtCap = 2,        // even the cap reaches the target
    SafeUnreachable = 3,  // not even an amount of 0 reaches the target
    SafeStopped = 4,      // the person stopped the search; `amount` is the best found so far
    SafeRefused = 5,      // the request cannot be searched; `notice` says why
    SafeFailed = 6,       // an analysis could not run; `notice` says why
};

struct SafeSpendingRequest {
    int eventNumber = 0;  // 1-based position in the Event list
    float targetPercent = SafeSpendingDefaultTarget;
    uint32_t seed = SafeSpendingSeed;
    int trials = -1;  // -1: the plan's own trial count
};

// One analysis of the search.
struct SafeSpendingStep {
    int step = 0;        // 1-based
    int stepsAbout = 0;  // the expected number of steps, as known at this step
    int64_t amount = 0;
    float successPercent = 0;
    int reaches = 0;     // the success is at or above the target
};

struct SafeSpendingProgress {
    void* context = nullptr;
    // After each step.
    void (*step)(void* context, const SafeSpendingStep& step) = nullptr;
    // Asked after every trial of every step: 1 stops the search there.
    int (*stop)(void* context) = nullptr;
};

struct SafeSpendingResult {
    int outcome = SafeRefused;
    int64_t amount = 0;         // SafeFound, SafeAtCap; SafeStopped: the best amount known to reach (-1 none)
    float successPercent = 0;   // the success at `amount`
    int trials = 0;             // trials of each step
    std::vector<SafeSpendingStep> steps;
    Notice notice;              // SafeRefused, SafeFailed
};

// Why the Event at 1-based position `eventNumber` cannot be searched, or an
// empty Notice when it can (a plain Withdrawal Event; a Budget's Withdrawal
// takes its amount from the Budget's items, so its own amount changes nothing).
Notice SafeSpendingRefusal(int eventNumber);

// The search. The plan's Monte Carlo settings (working copies in `state`) shape
// every step, with `request.trials` in place of the trial count when it is 0 or more.
SafeSpendingResult FindSafeSpending(const SafeSpendingRequest& request,
                                    const SafeSpendingProgress* progress = nullptr);

// Whether `failed` failures out of `trials` reach `targetPercent`: at least
// that share of the trials never fell below the goal. Counted, not compared
// as a rounded percentage.
bool ReachesTarget(int failed, int trials, float targetPercent);

// The plan's Withdrawal Events (a Budget's included): their 1-based Event
// numbers in list order.
std::vector<int> WithdrawalEvents();
// How an Event is named in lists and messages: its description, or
// "Withdrawal N" when it has none.
std::string WithdrawalName(int eventNumber);

// "Step 3 of about 18: $80,000 gives 71.00%, below the target."
std::string SafeSpendingStepText(const SafeSpendingStep& step);
// The answer in a sentence of at most 84 characters, e.g. "The safe amount
// is $45,123, with a success rate of 90.20% (target 90.00%)."
std::string SafeSpendingResultText(const SafeSpendingResult& result, float targetPercent);
