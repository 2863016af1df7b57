// Account Information, the account list of the "Accounts" folder, Groups
// and Preferences.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/dialogs_internal.h"

using namespace dialogs;

namespace {

// ---- Account Information -----------------------------------------------------------
// What one Account Information dialog works on.
struct AccountInfo {
    int position = -1;
    bool isNew = false;
    std::vector<int> groupOfItem;  // group index of each group combo entry
};

const char* const typeNames[] = {"Asset", "Equity", "Investment Savings", "Retirement Savings", "Tax Free Savings"};

ui::DialogTemplate AccountInformationTemplate() {
    ui::DialogTemplate t{"ACCOUNTINFO", "Account Information", {}, false, 518};
    t.controls = {
        {FieldAccountName, K::Edit, "Account Name", 29},
        {FieldAccountType, K::Combo, "Account Type"},
        {FieldGroup, K::Combo, "Group"},
        {FieldInitialAmount, K::Edit, "Initial Amount", NumberRoom},
        {FieldEffectiveRate, K::Edit, "Effective Yearly Rate", NumberRoom},
        {FieldRateButton, K::Button, "Calculate Effective Yearly Rate"},
        {FieldRandomMin, K::Edit, "Random Minimum Rate", NumberRoom},
        {FieldRandomMax, K::Edit, "Random Maximum Rate", NumberRoom},
        {FieldAccessOrder, K::Edit, "Access Order", 4},
        {0, K::Column, ""},
        {0, K::Group, "Penalty"},
        {FieldPenaltyApplies, K::Check, "Early withdrawals subject to penalty"},
        {FieldPenaltyRate, K::Edit, "Penalty Rate", NumberRoom},
        {FieldPenaltyAge, K::Edit, "Penalty Age", NumberRoom},
        {0, K::Group, ""},
        {FieldStdDeviation, K::Edit, "Annualized Standard Deviation", 8},
        {FieldAssetAllocation, K::Check, "Assign asset allocation withdrawal"},
        {FieldRmdTable1, K::Check, "Assign MRD Table 1"},
        {FieldRmdTable2, K::Check, "Assign MRD Table 2"},
        {FieldRmdTable3, K::Check, "Assign MRD Table 3"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

int OptionsSlot(const Account& a) { return a.optionsSlot < MaxAccounts ? a.optionsSlot : 0; }

// Types 3 and 4 may carry a penalty; the two fields follow the check box.
void EnablePenalty(ui::Dialog& d) {
    int type = d.Selected(FieldAccountType);
    bool may = type == AccountRetirementSavings || type == AccountTaxFreeSavings;
    if (!may) d.SetChecked(FieldPenaltyApplies, false);
    d.Enable(FieldPenaltyApplies, may);
    bool on = may && d.Checked(FieldPenaltyApplies);
    d.Enable(FieldPenaltyRate, on);
    d.Enable(FieldPenaltyAge, on);
}

void FillGroups(ui::Dialog& d, int groupIndex, std::vector<int>& groupOfItem) {
    groupOfItem.clear();
    for (int g = 0; g < MaxGroups; ++g)
        if (FieldText(scenario.settings.groupName[g]).size() > 1) groupOfItem.push_back(g);
    std::stable_sort(groupOfItem.begin(), groupOfItem.end(), [](int a, int b) {
        return FieldText(scenario.settings.groupName[a]) < FieldText(scenario.settings.groupName[b]);
    });
    std::vector<std::string> items;
    int shown = -1;
    for (size_t k = 0; k < groupOfItem.size(); ++k) {
        items.push_back(FieldText(scenario.settings.groupName[groupOfItem[k]]));
        if (groupOfItem[k] == groupIndex) shown = static_cast<int>(k);
    }
    d.SetItems(FieldGroup, items);
    d.Select(FieldGroup, shown);
}

void ShowAccount(ui::Dialog& d, AccountInfo& info) {
    const Account& a = scenario.accountTable.accounts[info.position];
    const AccountOptions& o = scenario.accountOptions;
    int slot = OptionsSlot(a);
    d.SetItems(FieldAccountType, std::vector<std::string>(std::begin(typeNames), std::end(typeNames)));
    d.SetText(FieldPenaltyRate, Format("%-8.3f", o.penaltyRate[slot]));
    d.SetText(FieldPenaltyAge, Format("%-6.2f", o.penaltyAge[slot]));
    if (info.isNew) {
        d.Select(FieldAccountType, AccountAsset);
        d.SetText(FieldStdDeviation, "0.00");
        FillGroups(d, -1, info.groupOfItem);
    } else {
        d.SetText(FieldAccountName, FieldText(a.name));
        d.Select(FieldAccountType, a.accountType < 5 ? a.accountType : 0);
        d.SetText(FieldInitialAmount, Format("%-13.2f", a.initialAmount));
        d.SetText(FieldEffectiveRate, Format("%-8.3f", a.yearlyRate));
        d.SetText(FieldRandomMin, Format("%-8.3f", a.randomMinRate));
        d.SetText(FieldRandomMax, Format("%-8.3f", a.randomMaxRate));
        d.SetText(FieldAccessOrder, FieldText(a.accessOrder));
        d.SetChecked(FieldPenaltyApplies, a.penaltyApplies != 0);
        d.SetText(FieldStdDeviation, Format("%-6.2f", o.stdDeviation[slot]));
        d.SetChecked(FieldAssetAllocation, o.assetAllocation[slot] == 1);
        int table = o.rmdTable[slot];
        d.SetChecked(FieldRmdTable1, table == 10);
        d.SetChecked(FieldRmdTable2, table == 20);
        d.SetChecked(FieldRmdTable3, table == 30);
        FillGroups(d, a.groupIndex, info.groupOfItem);
    }
    EnablePenalty(d);
}

// A Withdrawal or Credit Card Debt pays from the account with id `id`.
bool PaysWithdrawals(int id) {
    for (int i = 0; i < state.eventCount; ++i) {
        const Event& e = scenario.events[i];
        if (e.accountId == id && e.years == AccountAssignedMarker &&
            (e.eventType == EventWithdrawal || e.eventType == EventLoan))
            return true;
    }
    return false;
}

int RateText(ui::Dialog& d, int id, float& out) {
    return CheckText(FieldInput(d, id, NumberRoom), out, -200, 200, 0, "RATE ERROR");
}

void StoreAccount(ui::Dialog& d, const AccountInfo& info) {
    RepairOptionsSlots();
    Account& a = scenario.accountTable.accounts[info.position];
    AccountOptions& o = scenario.accountOptions;
    const int slot = OptionsSlot(a);
    SetFieldText(a.name, FieldInput(d, FieldAccountName, 29));
    float v;
    if (!CheckText(FieldInput(d, FieldInitialAmount, NumberRoom), v, -100000000, 100000000, 0, "AMOUNT ERROR"))
        return;
    a.initialAmount = a.balance = v;
    if (!RateText(d, FieldEffectiveRate, v)) return;
    a.yearlyRate = a.rate = v;
    if (!RateText(d, FieldRandomMin, v)) return;
    a.randomMinRate = v;
    if (!RateText(d, FieldRandomMax, v)) return;
    a.randomMaxRate = v;
    SetFieldText(a.accessOrder, FieldInput(d, FieldAccessOrder, 4));
    if (!RateText(d, FieldPenaltyRate, v)) return;
    o.penaltyRate[slot] = v;
    if (!CheckText(FieldInput(d, FieldPenaltyAge, NumberRoom), v, 0, 120, 0, "PENALTY AGE ERROR")) return;
    o.penaltyAge[slot] = Whole(v);
    v = TypedNumber(d.Text(FieldStdDeviation), 8);
    if (!(v >= 0 && v <= 200)) {
        ui::Message("Standard Deviation values must be between 0.00 to 200.0", "Standard Deviation Value Error",
                    ui::Buttons::Ok, ui::Icon::Stop);
        return;
    }
    o.stdDeviation[slot] = v;
    if (d.Checked(FieldAssetAllocation)) {
        if (!info.isNew && PaysWithdrawals(a.accountId)) {
            ui::Message("You cannot assign this account for Asset Allocation Withdrawal\n"
                        "while it is selected as a Withdrawal Event Account",
                        "Asset Allocation Problem", ui::Buttons::Ok, ui::Icon::Stop);
            d.SetChecked(FieldAssetAllocation, false);
            return;
        }
        o.assetAllocation[slot] = 1;
    } else {
        o.assetAllocation[slot] = 0;
    }
    o.rmdTable[slot] = static_cast<int16_t>(d.Checked(FieldRmdTable1)   ? 10
                                            : d.Checked(FieldRmdTable2) ? 20
                                            : d.Checked(FieldRmdTable3) ? 30
                                                                        : 0);
    int type = d.Selected(FieldAccountType);
    a.accountType = static_cast<uint16_t>(type >= 0 && type < 5 ? type : 0);
    a.penaltyApplies = d.Checked(FieldPenaltyApplies) ? 1 : 0;
    int group = d.Selected(FieldGroup);
    if (group >= 0 && group < static_cast<int>(info.groupOfItem.size()))
        a.groupIndex = static_cast<uint16_t>(info.groupOfItem[group]);
    if (info.isNew) AssignAccountId(info.position);
    state.needsRecalc = 1;
    state.modified = 1;
    d.End(1);
}

void AccountInformationRoutine(ui::Dialog& d, int message, int control, AccountInfo& info) {
    if (message == ui::DialogOpen) {
        ShowAccount(d, info);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdCancel: d.End(0); break;
        case ui::IdHelp: Help(HelpContext, 518); break;
        case ui::IdOk: StoreAccount(d, info); break;
        case FieldRateButton:
            EffectiveRateDialog(&d, FieldEffectiveRate);
            break;
        case FieldAccountType:
        case FieldPenaltyApplies: EnablePenalty(d); break;
        case FieldRmdTable1:
        case FieldRmdTable2:
        case FieldRmdTable3:
            // At most one table.
            for (int id : {FieldRmdTable1, FieldRmdTable2, FieldRmdTable3})
                if (id != control) d.SetChecked(id, false);
            break;
        default: break;
    }
}

// A new account's record starts empty, keeping its options slot.
void ClearNewAccount(int position) {
    Account& a = scenario.accountTable.accounts[position];
    uint16_t slot = a.optionsSlot;
    std::memset(&a, 0, sizeof a);
    a.optionsSlot = slot;
    a.accountType = AccountAsset;
}

// ---- Groups ---------------------------------------------------------------------------
ui::DialogTemplate GroupsTemplate() {
    ui::DialogTemplate t{"GROUPS", "Groups", {}, false, 1541};
    for (int r = 0; r < MaxGroups; ++r) {
        if (r == 5) t.controls.push_back({0, K::Column, ""});
        char title[32];
        std::snprintf(title, sizeof title, "Group %d", r + 1);
        t.controls.push_back({0, K::Group, title});
        t.controls.push_back({FieldGroupName + 3 * r, K::Edit, "Group Name", 20});
        t.controls.push_back({FieldGroupName + 3 * r + 1, K::Edit, "Random Minimum Rate", 10});
        t.controls.push_back({FieldGroupName + 3 * r + 2, K::Edit, "Random Maximum Rate", 10});
    }
    t.controls.push_back({ui::IdOk, K::Button, "OK"});
    t.controls.push_back({ui::IdCancel, K::Button, "Cancel"});
    t.controls.push_back({ui::IdHelp, K::Button, "Help"});
    return t;
}

void RateError(const char* text) { ui::Message(text, "Rate Error", ui::Buttons::Ok, ui::Icon::Stop); }

int StoreGroupRow(ui::Dialog& d, int r) {
    ScenarioSettings& s = scenario.settings;
    std::string name = FieldInput(d, FieldGroupName + 3 * r, 20);
    SetFieldText(s.groupName[r], name);
    float low = 0, high = 0;
    if (name.size() > 1) {
        low = TypedNumber(d.Text(FieldGroupName + 3 * r + 1), 10);
        high = TypedNumber(d.Text(FieldGroupName + 3 * r + 2), 10);
        if (!(low >= -200 && low <= 200 && high >= -200 && high <= 200)) {
            RateError("The rate must be between -200.00% and 200.00%.");
            return 0;
        }
        if (low > high) {
            RateError("The minimum rate must be less than the maximum rate.");
            return 0;
        }
    }
    s.groupRandomMinRate[r] = low;
    s.groupRandomMaxRate[r] = high;
    return 1;
}

void GroupsRoutine(ui::Dialog& d, int message, int control) {
    ScenarioSettings& s = scenario.settings;
    if (message == ui::DialogOpen) {
        for (int r = 0; r < MaxGroups; ++r) {
            std::string name = FieldText(s.groupName[r]);
            if (name.size() <= 1) continue;  // a one-character name is no group
            d.SetText(FieldGroupName + 3 * r, name);
            d.SetText(FieldGroupName + 3 * r + 1, Format("%-9.3f", s.groupRandomMinRate[r]));
            d.SetText(FieldGroupName + 3 * r + 2, Format("%-9.3f", s.groupRandomMaxRate[r]));
        }
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == ui::IdCancel) d.End(0);
    if (control == ui::IdHelp) Help(HelpContext, 1541);
    if (control != ui::IdOk) return;
    for (int r = 0; r < MaxGroups; ++r)
        if (!StoreGroupRow(d, r)) return;
    state.needsRecalc = 1;
    state.modified = 1;
    d.End(1);
}

// ---- Preferences ------------------------------------------------------------------------
ui::DialogTemplate PreferencesTemplate() {
    ui::DialogTemplate t{"PREFERENCES", "Preferences", {}, false, 1572};
    t.controls = {
        {FieldColorBanding, K::Check, "Use color banding on accounts and schedules"},
        {FieldHideMaker, K::Check, "Do not show K&&V Software Folder"},
        {FieldDefaultFonts, K::Check, "Use default fonts"},
        {FieldScenarioFonts, K::Button, "Select Scenario/Results Folder Fonts"},
        {FieldValueFonts, K::Button, "Select Results Value Fonts"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

void EnableFontButtons(ui::Dialog& d) {
    bool on = !d.Checked(FieldDefaultFonts) && dialogHooks.fontChooser;
    d.Enable(FieldScenarioFonts, on);
    d.Enable(FieldValueFonts, on);
}

void PreferencesRoutine(ui::Dialog& d, int message, int control) {
    PageSettings& p = scenario.pageSettings;
    if (message == ui::DialogOpen) {
        d.SetChecked(FieldColorBanding, state.colorBanding != 0);
        d.SetChecked(FieldHideMaker, state.hideMakerFolder != 0);
        d.SetChecked(FieldDefaultFonts, p.defaultFonts != 0);
        EnableFontButtons(d);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdCancel: d.End(0); return;
        case ui::IdHelp: Help(HelpContext, 1572); return;
        case FieldDefaultFonts: EnableFontButtons(d); return;
        case FieldScenarioFonts:
        case FieldValueFonts:
            // The window closes after the font chooser, keeping its boxes as
            // OK would: the font can only be chosen with "Use default fonts"
            // cleared, and closing as Cancel put that box back, so that the
            // chosen font did not show and the other boxes were lost.
            if (dialogHooks.fontChooser) dialogHooks.fontChooser(control == FieldScenarioFonts ? 2 : 3);
            break;
        case ui::IdOk: break;
        default: return;
    }
    state.colorBanding = d.Checked(FieldColorBanding) ? 1 : 0;
    state.hideMakerFolder = d.Checked(FieldHideMaker) ? 1 : 0;
    p.colorBanding = state.colorBanding;
    p.hideMakerFolder = state.hideMakerFolder;
    p.defaultFonts = p.defaultFonts2 = d.Checked(FieldDefaultFonts) ? 1 : 0;
    state.modified = 1;
    ApplyDisplayFonts();
    d.End(1);
}

}  // namespace

int AccountInformationDialog(int position) {
    int n = scenario.accountTable.accountCount;
    if (position < 0 || position > n || position >= MaxAccounts) return 0;
    AccountInfo info;
    info.position = position;
    info.isNew = position == n;
    if (info.isNew) ClearNewAccount(position);
    // OK stores field by field into the record, its options slot and (with
    // the slot repair) other records: Cancel puts all of them back.
    return RunKeeping(
        WindowAccountInformation, AccountInformationTemplate(),
        [&info](ui::Dialog& d, int message, int control) { AccountInformationRoutine(d, message, control, info); },
        scenario.accountTable, scenario.accountOptions);
}

int GroupsDialog() { return Run(WindowAccountInformation, GroupsTemplate(), GroupsRoutine); }

int PreferencesDialog() {
    int result = Run(WindowPreferences, PreferencesTemplate(), PreferencesRoutine);
    int folder = FolderOfTab(shell.currentTab);
    if (result && (folder == FolderScenario || folder == FolderResults)) ShowFolder(folder);
    return result;
}

int AccountListAdd() {
    if (scenario.accountTable.accountCount >= MaxAccounts) {
        ui::Message("Maximum number of accounts reached!", "Account Warning", ui::Buttons::Ok,
                    ui::Icon::Exclamation);
        return 0;
    }
    return AccountInformationDialog(scenario.accountTable.accountCount);
}

int AccountListEdit(int position) {
    if (position < 0 || position >= scenario.accountTable.accountCount) return 0;
    NamedStep step("Edit Account");
    return AccountInformationDialog(position);
}

int AccountListImport() { return DispatchCommand(CmdImportAccounts); }

int AccountListDelete(int position) {
    AccountTable& t = scenario.accountTable;
    int n = t.accountCount;
    if (position < 0 || position >= n) return 0;
    NamedStep step("Delete Account");
    const int id = t.accounts[position].accountId;
    bool blocked = false;
    for (int i = 0; i < state.eventCount; ++i) {
        const Event& e = scenario.events[i];
        bool needs = (e.accountId == id && (e.eventType == EventDeposit || e.eventType == EventLoan ||
                                            e.eventType == EventFundamentals)) ||
                     (e.eventType == EventTransfer && e.secondary == id);
        if (!needs) continue;
        char text[160];
        std::snprintf(text, sizeof text, "This account is required by the %s event.",
                      FieldText(e.description).c_str());
        ui::Message(text, "Account Deletion Problem!", ui::Buttons::Ok, ui::Icon::Exclamation);
        blocked = true;
    }
    if (blocked) {
        ui::Message("Make the necessary changes to your Financial Scenario.", "Cannot delete this account!",
                    ui::Buttons::Ok, ui::Icon::Exclamation);
        return 0;
    }
    ClearAccountOptions(position);
    // The freed options slot goes with its record to the end, so that every
    // record keeps a slot of its own.
    Account removed = t.accounts[position];
    for (int k = position; k + 1 < n; ++k) t.accounts[k] = t.accounts[k + 1];
    t.accounts[n - 1] = removed;
    t.accountCount = static_cast<int16_t>(n - 1);
    state.needsRecalc = 1;
    state.modified = 1;
    ShowFolder(FolderAccounts);
    return 1;
}

void AccountListSortByWithdrawalOrder(bool on) {
    if (on)
        SortAccountsByAccessOrder(true);
    else
        SortAccountsByName(true);
    ShowFolder(FolderAccounts);
}
