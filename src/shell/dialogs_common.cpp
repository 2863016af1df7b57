// What the dialog routines share.
#include <cmath>

#include "shell/dialogs_internal.h"

DialogHooks dialogHooks;

namespace dialogs {

int editingEvent = 0;

int Run(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine) {
    ui::DialogTemplate shown = t;
    shown.window = window;
    shell.windowOpen[window] = 1;
    int result = ui::Dialogs().Run(shown, routine);
    if (!t.modeless) shell.windowOpen[window] = 0;
    return result;
}

int EventSlot() { return state.eventCount; }

int PrepareEventSlot() {
    int slot = EventSlot();
    if (slot < 0 || slot >= MaxEvents) return 0;
    if (!editingEvent) ResetEventSlot(slot);
    return 1;
}

// A new event left unconfirmed is already unused: the count never reached it.
int RunEventDialog(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine) {
    if (!editingEvent) return Run(window, t, routine);
    return RunKeeping(window, t, routine, scenario.events[EventSlot()]);
}

void StoreEvent(int type) {
    Event& e = scenario.events[EventSlot()];
    e.eventType = static_cast<uint16_t>(type);
    ++state.eventCount;
    state.needsRecalc = 1;
    state.modified = 1;
}

void FillAccountCombo(ui::Dialog& d, int id, bool noSelection, int accountId) {
    SortAccountsByName(true);
    std::vector<std::string> items;
    if (noSelection) items.push_back("No Selection");
    int n = scenario.accountTable.accountCount;
    for (int i = 0; i < n && i < MaxAccounts; ++i) items.push_back(FieldText(scenario.accountTable.accounts[i].name));
    d.SetItems(id, items);
    int position = accountId < 0 ? -1 : FindAccount(accountId);
    if (noSelection)
        d.Select(id, position + 1);
    else
        d.Select(id, position);
}

int ComboAccount(ui::Dialog& d, int id, bool noSelection) {
    int k = d.Selected(id);
    int position = noSelection ? k - 1 : k;
    int n = scenario.accountTable.accountCount;
    return position >= 0 && position < n ? position : -1;
}

bool AllocatedAccount(int position) {
    if (position < 0 || position >= MaxAccounts) return false;
    int slot = scenario.accountTable.accounts[position].optionsSlot;
    return slot < MaxAccounts && scenario.accountOptions.assetAllocation[slot] == 1;
}

int RefuseAllocatedAccount(int position) {
    if (!AllocatedAccount(position)) return 0;
    ui::Message("You cannot select an account that is part of an Asset Allocation!", "Account Warning",
                ui::Buttons::Ok, ui::Icon::Exclamation);
    return 1;
}

int ChosenPayingAccount(ui::Dialog& d, int id, int& accountId, int& mark) {
    int position = ComboAccount(d, id, true);
    if (RefuseAllocatedAccount(position)) return 0;
    accountId = position < 0 ? -1 : scenario.accountTable.accounts[position].accountId;
    mark = position < 0 ? 0 : AccountAssignedMarker;
    return 1;
}

int CheckAge(ui::Dialog& d, int id, float& out, const char* caption) {
    return CheckField(d, id, out, NumberRoom, 1, 120, 7, caption);
}

int CheckAmount(ui::Dialog& d, int id, float& out, float low, const char* caption) {
    return CheckField(d, id, out, NumberRoom, low, 100000000, 2, caption);
}

void StoreDescription(ui::Dialog& d, Event& e) { SetFieldText(e.description, FieldInput(d, FieldDescription, 50)); }

float Whole(float v) { return std::trunc(v); }

std::string AgeText(float v) { return Format("%-6.2f", v); }
std::string AmountText(float v) { return Format("%-11.2f", v); }

void AddButtons(ui::DialogTemplate& t, std::initializer_list<Control> extra) {
    t.controls.push_back({ui::IdOk, K::Button, "OK"});
    t.controls.push_back({ui::IdCancel, K::Button, "Cancel"});
    for (const auto& c : extra) t.controls.push_back(c);
    t.controls.push_back({ui::IdHelp, K::Button, "Help"});
}

// Cancel and Help, common to all: 1 when the message was one of them.
int CommonButtons(ui::Dialog& d, int control, int helpContext) {
    if (control == ui::IdCancel) {
        d.End(0);
        return 1;
    }
    if (control == ui::IdHelp) {
        Help(HelpContext, helpContext);
        return 1;
    }
    return 0;
}

}  // namespace dialogs
