// Tools/Aids > Find Safe Spending through the menu command, as a person uses
// it: the Withdrawal Events it offers, a Budget's refused, the amount found
// put into the Event as one undo step, and Cancel stopping a running search.
#include <vector>

#include "dialogs_fixture.h"
#include "engine/payment.h"
#include "montecarlo/safe_spending.h"
#include "shell/safe_spending.h"

namespace {

std::vector<char> Records() {
    const char* p = reinterpret_cast<const char*>(&scenario);
    return std::vector<char>(p, p + sizeof scenario);
}

class SafeSpendingDialog : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        scenario.settings.mcDistribution = 1;
        for (int i = 0; i < scenario.accountTable.accountCount; ++i) {
            scenario.accountTable.accounts[i].randomMinRate = -4;
            scenario.accountTable.accounts[i].randomMaxRate = 10;
        }
        state.mcTrials = 20;
        state.mcMinInflationRate = 2;
        state.mcMaxInflationRate = 4;
        AddEvent(EventDeposit, "Income", 41, 65, 60000);
        AddEvent(EventWithdrawal, "Living", 41, 89, 20000);
        Event& budget = AddEvent(EventWithdrawal, "Party", 41, 89, 6000);
        budget.option = 1;
        budget.budgetIndex = 1;
        ShowFolder(FolderScenario);  // a folder that runs no projection, so records compare whole
        ForgetUndoHistory();
    }

    static Event& AddEvent(int type, const char* name, float start, float end, float amount) {
        Event& e = scenario.events[state.eventCount++];
        ResetEventSlot(state.eventCount - 1);
        e.eventType = static_cast<uint16_t>(type);
        SetFieldText(e.description, name);
        e.startAge = start;
        e.endAge = end;
        e.amount = amount;
        e.accountId = -1;
        return e;
    }
};

TEST_F(SafeSpendingDialog, OffersWithdrawalsRefusesABudgetsAndPutsTheAmountInAsOneUndoStep) {
    const std::vector<char> before = Records();
    SafeSpendingRequest request;
    request.eventNumber = 2;
    request.targetPercent = 80;
    const SafeSpendingResult expected = FindSafeSpending(request);
    ASSERT_EQ(expected.outcome, SafeFound);
    ASSERT_EQ(Records(), before);

    // The Budget's Withdrawal first (refused, nothing run), then Living at 80%.
    Script({Choose(FieldSafeEvent, 1), Ok(), Choose(FieldSafeEvent, 0), Type(FieldSafeTarget, "80"), Ok(),
            Click(FieldSafeApply), Click(ui::IdCancel)});
    ASSERT_EQ(DispatchCommand(CmdSafeSpending), 1);
    const Dlg::Record& r = dialogs.Last();
    EXPECT_EQ(r.items.at(FieldSafeEvent), (std::vector<std::string>{"2. Living", "3. Party"}));
    EXPECT_EQ(r.Shown(FieldSafeTarget), "90");
    EXPECT_EQ(r.Shown(FieldSafeNow), "$20,000.00");
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), "\"Party\" is the Withdrawal of Budget 1: its amount comes from the Budget's items. "
                          "Change the Budget to change it.");
    EXPECT_EQ(r.Text(FieldSafeAmount), Dollars("%.2f", static_cast<double>(expected.amount)));
    EXPECT_EQ(r.Text(FieldSafeSuccess), Format("%.2f%%", static_cast<double>(expected.successPercent)));
    EXPECT_EQ(r.Text(FieldSafeNow), Dollars("%.2f", static_cast<double>(expected.amount)));
    EXPECT_FALSE(r.Enabled(FieldSafeApply));  // once is enough
    EXPECT_EQ(+scenario.events[1].amount, static_cast<float>(expected.amount));
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.needsRecalc, 1);

    // Only the amount changed, and one Undo takes it back.
    std::vector<char> after = Records();
    scenario.events[1].amount = 20000;
    EXPECT_EQ(Records(), before);
    scenario.events[1].amount = static_cast<float>(expected.amount);
    EXPECT_EQ(UndoStepName(), "Find Safe Spending");
    ASSERT_EQ(DispatchCommand(CmdUndo), 1);
    EXPECT_EQ(Records(), before);
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(UndoStepName(), "");

    // A plan without Withdrawals says so instead of opening the dialog.
    state.eventCount = 1;
    const size_t runs = dialogs.runs.size();
    EXPECT_EQ(DispatchCommand(CmdSafeSpending), 0);
    EXPECT_EQ(dialogs.runs.size(), runs);
    EXPECT_EQ(LastText(), "The plan has no Withdrawal Event. Add one with Edit > Add Event To Scenario > Withdrawal.");
}

TEST_F(SafeSpendingDialog, CancelStopsARunningSearchAndLeavesThePlan) {
    const std::vector<char> before = Records();
    screen.clockStep = SafeSpendingPendingInputEvery;
    int handled = 0;
    bool lockedWhileRunning = true;
    screen.pendingInput = [&] {
        const Dlg::Record& running = dialogs.runs.back();
        lockedWhileRunning = lockedWhileRunning && !running.Enabled(ui::IdOk) && !running.Enabled(FieldSafeEvent) &&
                             running.Text(ui::IdCancel) == "Cancel";
        if (++handled == 30) dialogs.Press(ui::IdCancel);  // in the second step's trials
    };
    Script({Ok()});
    EXPECT_EQ(DispatchCommand(CmdSafeSpending), 0);
    EXPECT_EQ(handled, 30);  // the search stopped at the next trial
    EXPECT_TRUE(lockedWhileRunning);
    const Dlg::Record& r = dialogs.Last();
    EXPECT_EQ(r.Text(FieldSafeProgress).rfind("Stopped", 0), 0u) << r.Text(FieldSafeProgress);
    EXPECT_FALSE(r.Enabled(FieldSafeApply));
    EXPECT_EQ(r.Text(ui::IdCancel), "Close");
    EXPECT_EQ(r.result, 0);  // closed by the script's closing Cancel, after the stop
    EXPECT_EQ(Records(), before);
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(UndoStepName(), "");
}

}  // namespace
