// Edit > Undo and Redo over ten different edits made through the menu
// commands, as a person makes them.
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs_fixture.h"

namespace {

// The plan's records and the values the dialogs keep beside them.
struct Plan {
    std::vector<char> records;
    int eventCount, mcTrials, reportBoxing, colorBanding;
    bool operator==(const Plan&) const = default;
};

Plan Now() {
    const char* p = reinterpret_cast<const char*>(&scenario);
    return {std::vector<char>(p, p + sizeof scenario), state.eventCount, state.mcTrials, state.reportBoxing,
            state.colorBanding};
}

class UndoTest : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        dialogHooks.fontChooser = [](int) { return 1; };
        ForgetUndoHistory();
    }

    std::string MenuText(int id) const {
        std::string text;
        for (const auto& [k, t] : screen.menuTexts)
            if (k == id) text = t;
        return text;
    }

    void Edit(int command, Dlg::Script script) {
        Script(std::move(script));
        ASSERT_EQ(DispatchCommand(command), 1) << command;
    }
};

TEST_F(UndoTest, TenEditsGoBackAndForthByteForByte) {
    std::vector<Plan> before;  // the plan as each edit found it
    const std::vector<std::string> names = {"Initial Values", "Group Names", "Add Account", "Withdrawal",
                                            "Deposit", "Fundamentals", "Adjust Monte Carlo Analysis",
                                            "Report Options", "Asset Allocation Withdrawal Options", "Preferences"};
    auto edit = [&](int command, Dlg::Script script) {
        before.push_back(Now());
        Edit(command, std::move(script));
    };
    edit(CmdInitialValues, {Type(FieldEndAge, "95"), Ok()});
    edit(CmdGroupNames, {Type(FieldGroupName, "Cash"), Ok()});
    edit(CmdAddAccount, {Type(FieldAccountName, "Roth"), Choose(FieldAccountType, AccountTaxFreeSavings),
                         Type(FieldInitialAmount, "1000"), Type(FieldEffectiveRate, "5"), Ok()});
    edit(CmdWithdrawal, {Type(FieldDescription, "Living"), Type(FieldStartAge, "41"), Type(FieldEndAge, "89"),
                         Type(FieldAmount, "30000"), Ok()});
    edit(CmdDeposit, {Type(FieldStartAge, "41"), Type(FieldEndAge, "50"), Type(FieldAmount, "500"),
                      Type(FieldApplyRate, "0"), Ok()});
    // A save here: undoing back to this state clears the modified flag.
    std::remove("undo-plan.ret");
    screen.files.push_back("undo-plan.ret");
    ASSERT_EQ(DispatchCommand(CmdSaveAs), 1);
    ASSERT_EQ(state.modified, 0);
    edit(CmdFundamentals, {Type(FieldStartAge, "50"), Type(FieldInflationRate, "4"), Ok()});
    // Commands that change nothing, or only rerun the figures, are no step.
    Script({Click(ui::IdCancel)});
    DispatchCommand(CmdInitialValues);
    ShowFolder(FolderResults);
    DispatchCommand(CmdDarkerLabels);
    edit(CmdAdjustMonteCarlo, {Type(FieldTrials, "500"), Ok()});
    edit(CmdReportOptions, {Click(FieldTitle1On), Type(FieldTitle1, "Smith"), Click(FieldReportBoxing), Ok()});
    edit(CmdAssetAllocation, {Click(FieldEqual), Ok()});
    edit(CmdPreferences, {Click(FieldColorBanding), Ok()});
    ShowFolder(FolderScenario);
    ASSERT_EQ(before.size(), 10u);
    EXPECT_EQ(MenuText(CmdUndo), "&Undo Preferences");
    EXPECT_TRUE(screen.Enabled(CmdUndo));
    EXPECT_FALSE(screen.Enabled(CmdRedo));

    // Each Undo names the step it takes back and gives the plan as that step
    // found it.
    std::vector<Plan> undoneFrom(10);
    for (int k = 9; k >= 0; --k) {
        ASSERT_EQ(UndoStepName(), names[k]);
        undoneFrom[k] = Now();
        ASSERT_EQ(DispatchCommand(CmdUndo), 1);
        EXPECT_TRUE(Now() == before[k]) << "undo of " << names[k];
        EXPECT_EQ(state.modified, k == 5 ? 0 : 1) << names[k];
    }
    EXPECT_EQ(DispatchCommand(CmdUndo), 0);
    EXPECT_EQ(MenuText(CmdUndo), "&Undo");
    EXPECT_FALSE(screen.Enabled(CmdUndo));
    EXPECT_EQ(MenuText(CmdRedo), "&Redo Initial Values");

    // Each Redo gives back the plan the Undo left.
    for (int k = 0; k < 10; ++k) {
        ASSERT_EQ(DispatchCommand(CmdRedo), 1);
        EXPECT_TRUE(Now() == undoneFrom[k]) << "redo of " << names[k];
        EXPECT_EQ(state.modified, k == 4 ? 0 : 1) << names[k];
    }
    EXPECT_EQ(DispatchCommand(CmdRedo), 0);

    // A new edit after an Undo drops what could have been redone.
    ASSERT_EQ(DispatchCommand(CmdUndo), 1);
    Edit(CmdGroupNames, {Type(FieldGroupName + 3, "Bonds"), Ok()});
    EXPECT_EQ(RedoStepName(), "");
    EXPECT_EQ(UndoStepName(), "Group Names");
}

// Edits made with the Scenario and Accounts folders' buttons are steps of
// their own, and so is a change made outside any command: Undo takes back
// only the last of them, never the step before it as well.
TEST_F(UndoTest, EveryChangeIsItsOwnStepWhereverItWasMade) {
    Edit(CmdAddAccount, {Type(FieldAccountName, "Roth"), Choose(FieldAccountType, AccountTaxFreeSavings),
                         Type(FieldInitialAmount, "1000"), Type(FieldEffectiveRate, "5"), Ok()});
    Edit(CmdWithdrawal, {Type(FieldDescription, "Living"), Type(FieldStartAge, "41"), Type(FieldEndAge, "89"),
                         Type(FieldAmount, "30000"), Ok()});
    int row = 1;
    while (EventAtRow(row) >= 0 && scenario.events[EventAtRow(row)].eventType != EventWithdrawal) ++row;
    ASSERT_GE(EventAtRow(row), 0);
    int account = 0;
    while (account < scenario.accountTable.accountCount &&
           FieldText(scenario.accountTable.accounts[account].name) != "Roth")
        ++account;

    std::vector<Plan> before{Now()};
    Script({Type(FieldInitialAmount, "2500"), Ok()});
    ASSERT_EQ(AccountListEdit(account), 1);
    EXPECT_EQ(MenuText(CmdUndo), "&Undo Edit Account");
    before.push_back(Now());
    Script({Type(FieldAmount, "35000"), Ok()});
    EventListEdit(row);
    EXPECT_EQ(MenuText(CmdUndo), "&Undo Edit Event");
    before.push_back(Now());
    scenario.events[EventAtRow(row)].amount = 36000;  // as a window left open would
    state.modified = 1;
    const Plan last = Now();
    ASSERT_NE(before.back(), last);

    for (const char* name : {"Change", "Edit Event", "Edit Account", "Withdrawal"}) {
        ASSERT_EQ(DispatchCommand(CmdUndo), 1) << name;
        ASSERT_EQ(RedoStepName(), name);
        if (before.empty()) break;
        EXPECT_TRUE(Now() == before.back()) << "undo of " << name;
        before.pop_back();
    }
    for (int k = 0; k < 4; ++k) ASSERT_EQ(DispatchCommand(CmdRedo), 1);
    EXPECT_TRUE(Now() == last);
}

TEST_F(UndoTest, AnotherPlanStartsAFreshHistory) {
    Edit(CmdGroupNames, {Type(FieldGroupName, "Cash"), Ok()});
    ASSERT_EQ(UndoStepName(), "Group Names");
    screen.answers.push_back(ui::Answer::No);  // do not save the edit
    screen.choices = {2};                      // accounts by hand
    ASSERT_EQ(DispatchCommand(CmdNew), 1);
    EXPECT_EQ(UndoStepName(), "");
    EXPECT_EQ(DispatchCommand(CmdUndo), 0);
}

}  // namespace
