// Tools/Aids > Find Safe Spending: the dialog that runs the safe-spending
// search on one Withdrawal Event and can put the amount found into it.
#pragma once

#include "ui/dialog.h"

enum : int {
    FieldSafeEvent = 760,  // the plan's Withdrawal Events by name
    FieldSafeNow,          // the chosen Event's amount now
    FieldSafeTarget,       // target success rate, percent
    FieldSafeProgress,     // the step under way, then the answer in a sentence
    FieldSafeAmount,       // the amount found
    FieldSafeSuccess,      // its success rate
    FieldSafeApply,        // "Put Into Event"
};

constexpr int SafeSpendingHelpContext = 1590;
// How often a running search lets the window handle what waits.
constexpr long long SafeSpendingPendingInputEvery = 50;  // milliseconds

// The dialog: OK ("Start") runs the search; Cancel stops a running search
// and otherwise closes. Returns 1 when an amount was put into an Event.
int SafeSpendingDialog();
int CommandSafeSpending();
