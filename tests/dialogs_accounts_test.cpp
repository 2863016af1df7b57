// Account Information, the account list operations, Groups and Preferences.
#include "dialogs_fixture.h"

namespace {

using AccountDialogs = DialogsTest;

Dlg::Script NewAccount(const std::string& amount) {
    return {Dlg::Type(FieldAccountName, "Roth IRA at the credit union"),
            Dlg::Choose(FieldAccountType, AccountTaxFreeSavings),
            Dlg::Click(FieldPenaltyApplies),
            Dlg::Type(FieldInitialAmount, amount),
            Dlg::Type(FieldEffectiveRate, "6.5"),
            Dlg::Type(FieldRandomMin, "-2"),
            Dlg::Type(FieldRandomMax, "12"),
            Dlg::Type(FieldAccessOrder, "2"),
            Dlg::Type(FieldPenaltyRate, "10"),
            Dlg::Type(FieldPenaltyAge, "59.5"),
            Dlg::Type(FieldStdDeviation, "15"),
            Dlg::Click(FieldRmdTable1),
            Dlg::Click(FieldRmdTable2)};
}

TEST_F(AccountDialogs, NewAccountStoresEveryFieldAndGetsAnId) {
    SetFieldText(scenario.settings.groupName[4], "stocks");
    SetFieldText(scenario.settings.groupName[1], "Bonds");
    SetFieldText(scenario.settings.groupName[2], "A");
    auto s = NewAccount("2500");
    s.push_back(Choose(FieldGroup, 1));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(AccountListAdd(), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Account Information");
    EXPECT_EQ(r.Shown(FieldStdDeviation), "0.00");
    EXPECT_EQ(r.shownSelected.at(FieldAccountType), AccountAsset);
    EXPECT_FALSE(r.shownEnabled.at(FieldPenaltyApplies));
    EXPECT_FALSE(r.shownEnabled.at(FieldPenaltyAge));
    EXPECT_EQ(r.items.at(FieldGroup), (std::vector<std::string>{"Bonds", "stocks"}));  // case-sensitive order
    ASSERT_EQ(scenario.accountTable.accountCount, 4);
    const Account a = scenario.accountTable.accounts[3];
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[3].name), "Roth IRA at the credit union");
    EXPECT_EQ(+a.accountType, AccountTaxFreeSavings);
    EXPECT_EQ(+a.penaltyApplies, 1);
    EXPECT_EQ(+a.initialAmount, 2500.0f);
    EXPECT_EQ(+a.balance, 2500.0f);
    EXPECT_EQ(+a.yearlyRate, 6.5f);
    EXPECT_EQ(+a.rate, 6.5f);
    EXPECT_EQ(+a.randomMinRate, -2.0f);
    EXPECT_EQ(+a.randomMaxRate, 12.0f);
    EXPECT_EQ(+a.groupIndex, 4);
    EXPECT_EQ(+a.accountId, 3);
    int slot = a.optionsSlot;
    EXPECT_EQ(+scenario.accountOptions.penaltyRate[slot], 10.0f);
    EXPECT_EQ(+scenario.accountOptions.penaltyAge[slot], 59.0f);
    EXPECT_EQ(+scenario.accountOptions.stdDeviation[slot], 15.0f);
    EXPECT_EQ(+scenario.accountOptions.rmdTable[slot], 20);  // the second click cleared the first
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.needsRecalc, 1);
}

TEST_F(AccountDialogs, ChecksRunInOrderWithTheirMessages) {
    auto s = NewAccount("200000000");
    s.push_back(Ok());
    s.push_back(Type(FieldInitialAmount, "5"));
    s.push_back(Type(FieldPenaltyAge, "121"));
    s.push_back(Ok());
    s.push_back(Type(FieldPenaltyAge, "60"));
    s.push_back(Type(FieldStdDeviation, "200.5"));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(AccountListAdd(), 0);
    ASSERT_EQ(screen.messages.size(), 3u);
    EXPECT_EQ(screen.messages[0].text, "This amount must be greater than -100000000.00 and less than 100000000.00.");
    EXPECT_EQ(screen.messages[0].caption, "AMOUNT ERROR");
    EXPECT_EQ(screen.messages[1].text, "This amount must be greater than 0.00 and less than 120.00.");
    EXPECT_EQ(screen.messages[1].caption, "PENALTY AGE ERROR");
    EXPECT_EQ(screen.messages[2].text, "Standard Deviation values must be between 0.00 to 200.0");
    EXPECT_EQ(screen.messages[2].caption, "Standard Deviation Value Error");
    EXPECT_EQ(scenario.accountTable.accountCount, 3);  // Cancel: not added
}

TEST_F(AccountDialogs, AssetAllocationIsRefusedForAWithdrawalAccount) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventWithdrawal;
    scenario.events[0].accountId = static_cast<int16_t>(IdOf("Bonds"));
    scenario.events[0].years = AccountAssignedMarker;
    state.eventCount = 1;
    Script({Click(FieldAssetAllocation), Ok()});
    EXPECT_EQ(AccountListEdit(0), 0);
    EXPECT_EQ(LastText(), "You cannot assign this account for Asset Allocation Withdrawal\n"
                          "while it is selected as a Withdrawal Event Account");
    EXPECT_EQ(LastCaption(), "Asset Allocation Problem");
    EXPECT_FALSE(dialogs.Last().checked.at(FieldAssetAllocation));
    // An existing account shows its figures.
    EXPECT_EQ(dialogs.Last().Shown(FieldInitialAmount), "20000.00     ");
    EXPECT_EQ(dialogs.Last().Shown(FieldEffectiveRate), "4.000   ");
    EXPECT_TRUE(dialogs.Last().shownEnabled.at(FieldPenaltyApplies));  // Retirement Savings
}

TEST_F(AccountDialogs, TheFiftyFirstAccountIsRefused) {
    scenario.accountTable.accountCount = MaxAccounts;
    EXPECT_EQ(AccountListAdd(), 0);
    EXPECT_EQ(LastText(), "Maximum number of accounts reached!");
    EXPECT_EQ(LastCaption(), "Account Warning");
    EXPECT_EQ(screen.messages.back().icon, ui::Icon::Exclamation);
    EXPECT_TRUE(dialogs.runs.empty());
}

TEST_F(AccountDialogs, DeletingAnAccountUsedOnlyByAWithdrawal) {
    int bonds = IdOf("Bonds");
    ResetEventSlot(0);
    scenario.events[0].eventType = EventWithdrawal;
    scenario.events[0].accountId = static_cast<int16_t>(bonds);
    ResetEventSlot(1);
    scenario.events[1].eventType = EventTransfer;
    scenario.events[1].accountId = static_cast<int16_t>(bonds);  // the to-account does not block
    scenario.events[1].secondary = static_cast<int16_t>(IdOf("House"));
    state.eventCount = 2;
    EXPECT_EQ(AccountListDelete(0), 1);
    EXPECT_EQ(scenario.accountTable.accountCount, 2);
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "Checking");
    EXPECT_EQ(+scenario.events[0].accountId, bonds);
    EXPECT_EQ(FindAccount(bonds), -1);
    EXPECT_EQ(state.needsRecalc, 1);
}

TEST_F(AccountDialogs, AccountsNeededByEventsAreKept) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventDeposit;
    scenario.events[0].accountId = static_cast<int16_t>(IdOf("House"));
    SetFieldText(scenario.events[0].description, "Gift");
    ResetEventSlot(1);
    scenario.events[1].eventType = EventTransfer;
    scenario.events[1].secondary = static_cast<int16_t>(IdOf("House"));
    SetFieldText(scenario.events[1].description, "Move");
    state.eventCount = 2;
    EXPECT_EQ(AccountListDelete(2), 0);
    ASSERT_EQ(screen.messages.size(), 3u);
    EXPECT_EQ(screen.messages[0].text, "This account is required by the Gift event.");
    EXPECT_EQ(screen.messages[0].caption, "Account Deletion Problem!");
    EXPECT_EQ(screen.messages[1].text, "This account is required by the Move event.");
    EXPECT_EQ(screen.messages[2].text, "Make the necessary changes to your Financial Scenario.");
    EXPECT_EQ(screen.messages[2].caption, "Cannot delete this account!");
    EXPECT_EQ(scenario.accountTable.accountCount, 3);
}

Dlg::Script GroupRow(int r, const std::string& name, const std::string& low, const std::string& high) {
    return {Dlg::Type(FieldGroupName + 3 * r, name), Dlg::Type(FieldGroupName + 3 * r + 1, low),
            Dlg::Type(FieldGroupName + 3 * r + 2, high)};
}

TEST_F(AccountDialogs, GroupsStoreRowsAndAOneLetterNameIsUndefined) {
    auto s = GroupRow(0, "Stocks", "-5", "15");
    auto a = GroupRow(1, "A", "3", "4");
    s.insert(s.end(), a.begin(), a.end());
    auto bad = GroupRow(2, "Metals", "10", "5");
    s.insert(s.end(), bad.begin(), bad.end());
    s.push_back(Ok());
    s.push_back(Type(FieldGroupName + 7, "300"));
    s.push_back(Ok());
    s.push_back(Type(FieldGroupName + 7, "1"));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(GroupsDialog(), 1);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "The minimum rate must be less than the maximum rate.");
    EXPECT_EQ(screen.messages[0].caption, "Rate Error");
    EXPECT_EQ(screen.messages[1].text, "The rate must be between -200.00% and 200.00%.");
    const ScenarioSettings& g = scenario.settings;
    EXPECT_EQ(FieldText(scenario.settings.groupName[0]), "Stocks");
    EXPECT_EQ(+g.groupRandomMinRate[0], -5.0f);
    EXPECT_EQ(+g.groupRandomMaxRate[0], 15.0f);
    EXPECT_EQ(FieldText(scenario.settings.groupName[1]), "A");
    EXPECT_EQ(+g.groupRandomMinRate[1], 0.0f);
    EXPECT_EQ(+g.groupRandomMaxRate[1], 0.0f);
    EXPECT_EQ(+g.groupRandomMinRate[2], 1.0f);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(AccountDialogs, PreferencesStoreTheSwitches) {
    dialogHooks.fontChooser = [](int) { return 1; };
    scenario.pageSettings.defaultFonts = 0;
    Script({Click(FieldColorBanding), Click(FieldDefaultFonts), Ok()});
    EXPECT_EQ(PreferencesDialog(), 1);
    EXPECT_EQ(state.colorBanding, 1);
    EXPECT_EQ(+scenario.pageSettings.defaultFonts, 1);
    EXPECT_EQ(+scenario.pageSettings.defaultFonts2, 1);
    EXPECT_TRUE(dialogs.Last().shownEnabled.at(FieldScenarioFonts));
    EXPECT_FALSE(dialogs.Last().Enabled(FieldScenarioFonts));
    EXPECT_EQ(state.modified, 1);
}

TEST_F(AccountDialogs, CancelAfterARefusedOkPutsTheAccountAndItsOptionsBack) {
    // Bonds: Retirement Savings at position 0.
    const int slot = scenario.accountTable.accounts[0].optionsSlot;
    scenario.accountOptions.penaltyRate[slot] = 10;
    scenario.accountOptions.penaltyAge[slot] = 59;
    scenario.accountTable.accounts[0].penaltyApplies = 1;
    const Account before = scenario.accountTable.accounts[0];
    Script({Type(FieldAccountName, "Savings bonds"), Type(FieldInitialAmount, "1"), Type(FieldPenaltyRate, "12"),
            Type(FieldPenaltyAge, "130"), Ok()});
    EXPECT_EQ(AccountListEdit(0), 0);
    EXPECT_EQ(LastCaption(), "PENALTY AGE ERROR");
    const Account a = scenario.accountTable.accounts[0];
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "Bonds");
    EXPECT_EQ(+a.initialAmount, +before.initialAmount);
    EXPECT_EQ(+a.balance, +before.balance);
    EXPECT_EQ(+scenario.accountOptions.penaltyRate[slot], 10.0f);
    EXPECT_EQ(state.modified, 0);
    // A new account's refused OK leaves nothing behind in its options slot.
    const int newSlot = scenario.accountTable.accounts[3].optionsSlot;
    auto n = NewAccount("100");
    n.push_back(Type(FieldStdDeviation, "300"));
    n.push_back(Ok());
    Script(n);
    EXPECT_EQ(AccountListAdd(), 0);
    EXPECT_EQ(LastCaption(), "Standard Deviation Value Error");
    EXPECT_EQ(scenario.accountTable.accountCount, 3);
    EXPECT_EQ(+scenario.accountOptions.penaltyRate[newSlot], 0.0f);
    EXPECT_EQ(+scenario.accountOptions.penaltyAge[newSlot], 0.0f);
}

TEST_F(AccountDialogs, GroupsShowOnlyDefinedGroups) {
    SetFieldText(scenario.settings.groupName[0], "Stocks");
    scenario.settings.groupRandomMinRate[0] = -5;
    scenario.settings.groupRandomMaxRate[0] = 15;
    SetFieldText(scenario.settings.groupName[1], "A");
    scenario.settings.groupRandomMinRate[1] = 3;
    scenario.settings.groupRandomMaxRate[1] = 4;
    Script({});
    EXPECT_EQ(GroupsDialog(), 0);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Shown(FieldGroupName), "Stocks");
    EXPECT_EQ(r.Shown(FieldGroupName + 1), "-5.000   ");
    EXPECT_EQ(r.Shown(FieldGroupName + 2), "15.000   ");
    for (int id : {FieldGroupName + 3, FieldGroupName + 4, FieldGroupName + 5}) EXPECT_EQ(r.Shown(id), "") << id;
}

}  // namespace
