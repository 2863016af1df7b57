// Find Safe Spending: choose a Withdrawal Event and a target success rate,
// run the search with its progress shown and the window kept alive, then put
// the amount found into the Event if the person wants it.
#include <initializer_list>
#include <vector>

#include "engine/payment.h"
#include "montecarlo/safe_spending.h"
#include "shell/dialogs_internal.h"
#include "shell/safe_spending.h"

using namespace dialogs;

namespace {

struct SafeSpendingSession {
    std::vector<int> events;  // the Event numbers the combo lists
    bool running = false;
    bool stopAsked = false;
    long long handledAt = 0;
    int resultEvent = 0;  // the Event the last answer is for, 0 none
    SafeSpendingResult result;
    bool applied = false;
};

std::string AmountNow(int eventNumber) {
    return Dollars("%.2f", static_cast<double>(scenario.events[eventNumber - 1].amount));
}

int ChosenEvent(ui::Dialog& d, const SafeSpendingSession& s) {
    const int k = d.Selected(FieldSafeEvent);
    return k >= 0 && k < static_cast<int>(s.events.size()) ? s.events[static_cast<size_t>(k)] : 0;
}

void ShowChosen(ui::Dialog& d, const SafeSpendingSession& s) {
    const int number = ChosenEvent(d, s);
    d.SetText(FieldSafeNow, number ? AmountNow(number) : "");
}

// The controls that would change the search or the plan while it runs.
void ShowRunning(ui::Dialog& d, bool running, bool offer) {
    for (int id : std::initializer_list<int>{FieldSafeEvent, FieldSafeTarget, ui::IdOk, ui::IdHelp})
        d.Enable(id, !running);
    d.Enable(FieldSafeApply, !running && offer);
    d.SetText(ui::IdCancel, running ? "Cancel" : "Close");
}

void ShowStep(void* context, const SafeSpendingStep& step) {
    static_cast<ui::Dialog*>(context)->SetText(FieldSafeProgress, SafeSpendingStepText(step));
}

SafeSpendingSession* runningSession = nullptr;

// Asked after every trial: the window handles what waits (Cancel and Escape
// reach the routine, which asks the search to stop).
int StopAsked(void*) {
    SafeSpendingSession& s = *runningSession;
    ui::Ui& u = ui::Current();
    const long long now = u.Milliseconds();
    if (now - s.handledAt >= SafeSpendingPendingInputEvery) {
        s.handledAt = now;
        u.HandlePendingInput();
    }
    return s.stopAsked || u.StopRequested() ? 1 : 0;
}

void Start(ui::Dialog& d, SafeSpendingSession& s) {
    const int number = ChosenEvent(d, s);
    SafeSpendingRequest request;
    request.eventNumber = number;
    request.targetPercent = TypedNumber(FieldInput(d, FieldSafeTarget, NumberRoom), NumberRoom);
    const Notice refusal = SafeSpendingRefusal(number);
    if (!refusal.Empty()) {
        ui::Message(refusal.text, refusal.caption);
        return;
    }

    s.running = true;
    s.stopAsked = false;
    s.handledAt = ui::Current().Milliseconds();
    s.resultEvent = 0;
    for (int id : {FieldSafeAmount, FieldSafeSuccess}) d.SetText(id, "");
    d.SetText(FieldSafeProgress, "Starting the search...");
    ShowRunning(d, true, false);
    SafeSpendingProgress progress;
    progress.context = &d;
    progress.step = ShowStep;
    progress.stop = StopAsked;
    runningSession = &s;
    s.result = FindSafeSpending(request, &progress);
    runningSession = nullptr;
    s.running = false;

    const SafeSpendingResult& r = s.result;
    const bool answer = r.outcome == SafeFound || r.outcome == SafeAtCap;
    // Only a whole dollar or more can go into a Withdrawal.
    const bool offer = answer && r.amount >= 1;
    ShowRunning(d, false, offer);
    if (r.outcome == SafeRefused || r.outcome == SafeFailed) {
        d.SetText(FieldSafeProgress, "");
        ShowRunNotices();
        ui::Message(r.notice.text, r.notice.caption);
        return;
    }
    ShowRunNotices();
    d.SetText(FieldSafeProgress, SafeSpendingResultText(r, request.targetPercent));
    if (answer || (r.outcome == SafeStopped && r.amount >= 0)) {
        d.SetText(FieldSafeAmount, Dollars("%.2f", static_cast<double>(r.amount)));
        d.SetText(FieldSafeSuccess, Format("%.2f%%", static_cast<double>(r.successPercent)));
    }
    if (offer) s.resultEvent = number;
}

// The amount found goes into the Event it was found for: one change of the
// plan, which the command makes one undo step.
void Apply(ui::Dialog& d, SafeSpendingSession& s) {
    if (!s.resultEvent) return;
    Event& e = scenario.events[s.resultEvent - 1];
    e.amount = static_cast<float>(s.result.amount);
    state.modified = 1;
    state.needsRecalc = 1;
    s.applied = true;
    d.Enable(FieldSafeApply, false);
    if (ChosenEvent(d, s) == s.resultEvent) d.SetText(FieldSafeNow, AmountNow(s.resultEvent));
    d.SetText(FieldSafeProgress, "\"" + WithdrawalName(s.resultEvent) + "\" now withdraws " +
                                     Dollars("%.2f", static_cast<double>(s.result.amount)) + ".");
}

// Wide enough for a step or the answer in a sentence.
constexpr int SafeSpendingTextRoom = 90;

ui::DialogTemplate SafeSpendingTemplate() {
    ui::DialogTemplate t{"SAFESPENDING", "Find Safe Spending", {}, false, SafeSpendingHelpContext};
    t.controls = {
        {FieldSafeEvent, K::Combo, "Withdrawal Event"},
        {FieldSafeNow, K::ReadOnly, "Amount Now"},
        {FieldSafeTarget, K::Edit, "Target Success Rate (%)", NumberRoom},
        {0, K::Group, "Safe Spending"},
        {FieldSafeProgress, K::ReadOnly, "Search", SafeSpendingTextRoom},
        {FieldSafeAmount, K::ReadOnly, "Safe Amount"},
        {FieldSafeSuccess, K::ReadOnly, "Success Rate"},
        {0, K::Group, ""},
        {ui::IdOk, K::Button, "Start"},
        {FieldSafeApply, K::Button, "Put Into Event"},
        {ui::IdCancel, K::Button, "Close"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

void SafeSpendingRoutine(ui::Dialog& d, int message, int control, SafeSpendingSession& s) {
    if (message == ui::DialogOpen) {
        std::vector<std::string> names;
        for (int number : s.events) names.push_back(Format("%d. ", number) + WithdrawalName(number));
        d.SetItems(FieldSafeEvent, names);
        d.Select(FieldSafeEvent, 0);
        ShowChosen(d, s);
        d.SetText(FieldSafeTarget, Format("%.0f", static_cast<double>(SafeSpendingDefaultTarget)));
        ShowRunning(d, false, false);
        d.Focus(FieldSafeTarget);
        return;
    }
    if (message != ui::DialogCommand) return;
    if (s.running) {
        // The window is handled inside the search: only stopping it counts.
        if (control == ui::IdCancel) s.stopAsked = true;
        return;
    }
    switch (control) {
        case ui::IdOk: Start(d, s); return;
        case FieldSafeApply: Apply(d, s); return;
        case FieldSafeEvent: ShowChosen(d, s); return;
        case ui::IdCancel: d.End(s.applied ? 1 : 0); return;
        case ui::IdHelp: Help(HelpContext, SafeSpendingHelpContext); return;
        default: return;
    }
}

}  // namespace

int SafeSpendingDialog() {
    SafeSpendingSession session;
    session.events = WithdrawalEvents();
    if (session.events.empty()) {
        ui::Message("The plan has no Withdrawal Event. Add one with Edit > Add Event To Scenario > Withdrawal.",
                    "Find Safe Spending", ui::Buttons::Ok, ui::Icon::Information);
        return 0;
    }
    Run(WindowSafeSpending, SafeSpendingTemplate(),
        [&session](ui::Dialog& d, int message, int control) { SafeSpendingRoutine(d, message, control, session); });
    return session.applied ? 1 : 0;
}

int CommandSafeSpending() {
    const int applied = SafeSpendingDialog();
    if (applied) {
        SetTitleWithPath();
        ShowFolder(FolderOfTab(shell.currentTab));
    }
    return applied;
}
