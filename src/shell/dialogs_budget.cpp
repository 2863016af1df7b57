// The Budget dialog: the item list and its editor, activation as a
// Withdrawal Event, Copy All / Paste All and the two printouts.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "budgets/budgets.h"
#include "shell/dialogs_internal.h"

using namespace dialogs;

namespace {

constexpr int BudgetHelp = 1585;
constexpr int ItemNameRoom = BudgetItemNameRoom + 1;
constexpr int AgeRoom = 4;  // three characters

int number = 0;  // the Budget shown (1..5)

Budget& Shown() { return *BudgetNumbered(number); }

ui::DialogTemplate BudgetTemplate() {
    ui::DialogTemplate t{"BUDGET", "Budget", {}, false, BudgetHelp};
    ui::Control list{FieldBudgetList, K::List, "Name\tAmount\tMonthly\tApplied Rate\tYearly\tT"};
    list.columnAlign = "lrcrrl";
    list.columnShares = {86, 53, 40, 60, 53, 14};
    t.controls = {
        {FieldBudgetName, K::Edit, "Budget Name", BudgetNameRoom + 1},
        {FieldBudgetStartAge, K::Edit, "Start Age", AgeRoom},
        {FieldBudgetEndAge, K::Edit, "End Age", AgeRoom},
        {FieldBudgetAccount, K::Combo, "Withdraw from account:"},
        {FieldBudgetActive, K::Check, "Activate this budget"},
        {FieldBudgetTotal, K::ReadOnly, "Yearly Total"},
        {0, K::Group, "Add / Edit Budget Item"},
        {FieldBudgetItemName, K::Edit, "Name", ItemNameRoom},
        {FieldBudgetItemAmount, K::Edit, "Amount", NumberRoom},
        {FieldBudgetMonthly, K::Check, "Monthly"},
        {FieldBudgetTrack, K::Check, "Track"},
        {FieldBudgetItemRate, K::Edit, "Apply Rate (%)", NumberRoom},
        {FieldBudgetInflation, K::Check, "Apply inflation rate to withdrawal"},
        {FieldBudgetEnter, K::Button, "Enter"},
        {FieldBudgetClear, K::Button, "Clear"},
        {FieldBudgetDelete, K::Button, "Delete"},
        {0, K::Column, ""},
        list,
        {ui::IdOk, K::Button, "OK"},
        {FieldBudgetCopyAll, K::Button, "Copy All"},
        {FieldBudgetPasteAll, K::Button, "Paste All"},
        {FieldBudgetClearAll, K::Button, "Clear All"},
        {FieldBudgetPrint, K::Button, "Print"},
        {FieldBudgetPrintReport, K::Button, "Print Report"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

void Stop(const Notice& n) { ui::Message(n.text, n.caption, ui::Buttons::Ok, ui::Icon::Stop); }

// The field as text-to-float reads it; false for what no float can hold
// ("1e39", "inf", "nan"), which would otherwise become an item that poisons
// every total and a plan that cannot be opened again.
bool Figure(ui::Dialog& d, int id, float& out) {
    const double v = std::atof(FieldInput(d, id, NumberRoom).c_str());
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return false;
    out = static_cast<float>(v);
    return true;
}
int Age(ui::Dialog& d, int id) { return std::atoi(FieldInput(d, id, AgeRoom).c_str()); }

void Refresh(ui::Dialog& d) {
    Budget& b = Shown();
    RefreshBudget(b);
    d.SetItems(FieldBudgetList, BudgetListRows(b));
    d.SetText(FieldBudgetTotal, Format("%-13.2f", b.yearlyTotal));
}

void ShowHead(ui::Dialog& d, const std::string& name, int startAge, int endAge) {
    d.SetText(FieldBudgetName, name);
    d.SetText(FieldBudgetStartAge, Format("%3d", startAge));
    d.SetText(FieldBudgetEndAge, Format("%3d", endAge));
}

void Open(ui::Dialog& d) {
    Budget& b = Shown();
    SortBudgetItems(b);
    ShowHead(d, FieldText(b.name), b.startAge, b.endAge);
    d.SetChecked(FieldBudgetActive, b.active == 1);
    FillAccountCombo(d, FieldBudgetAccount, true, b.accountId);
    const bool printer = dialogHooks.printPages != nullptr;
    d.Enable(FieldBudgetPrint, printer);
    d.Enable(FieldBudgetPrintReport, printer);
    Refresh(d);
}

// The printouts and the copy file take the name and ages as the fields show them.
Budget AsShown(ui::Dialog& d) {
    Budget b = Shown();
    SetFieldText(b.name, FieldInput(d, FieldBudgetName, BudgetNameRoom + 1));
    b.startAge = static_cast<int16_t>(Age(d, FieldBudgetStartAge));
    b.endAge = static_cast<int16_t>(Age(d, FieldBudgetEndAge));
    return b;
}

void SelectItem(ui::Dialog& d) {
    const Budget& b = Shown();
    const int i = d.Selected(FieldBudgetList);
    if (i < 0 || i >= BudgetItems(b)) return;
    d.SetText(FieldBudgetItemName, FieldText(b.itemName[i]));
    d.SetText(FieldBudgetItemAmount, Format("%-13.2f", b.itemAmount[i]));
    d.SetChecked(FieldBudgetMonthly, b.itemMonthly[i] == 1);
    d.SetChecked(FieldBudgetTrack, b.itemTrack[i] == 1);
    d.SetChecked(FieldBudgetInflation, b.itemApplyInflation[i] == 1);
    d.SetText(FieldBudgetItemRate, Format("%-6.2f", b.itemApplyRate[i]));
}

void ItemsChanged(ui::Dialog& d) {
    state.modified = 1;
    Refresh(d);
}

void Enter(ui::Dialog& d) {
    BudgetItemInput in;
    in.name = FieldInput(d, FieldBudgetItemName, ItemNameRoom);
    if (!Figure(d, FieldBudgetItemAmount, in.amount)) {
        Stop({"The amount must be a number a plan can hold.", "AMOUNT ERROR"});
        d.Focus(FieldBudgetItemAmount);
        return;
    }
    if (!Figure(d, FieldBudgetItemRate, in.rate)) {
        Stop({"The rate must be a number a plan can hold.", "RATE ERROR"});
        d.Focus(FieldBudgetItemRate);
        return;
    }
    in.monthly = d.Checked(FieldBudgetMonthly);
    in.track = d.Checked(FieldBudgetTrack);
    in.inflation = d.Checked(FieldBudgetInflation);
    const BudgetEnterResult r = EnterBudgetItem(Shown(), in);
    if (r == BudgetItemsFull) Stop(BudgetFullNotice());
    if (r == BudgetItemEntered) ItemsChanged(d);
}

void PasteAll(ui::Dialog& d) {
    BudgetPaste head;
    switch (PasteBudgetFile(BudgetCopyFile, Shown(), head)) {
        case BudgetPasteUnreadable:
            Stop({"Cannot open the budget input file budout.tmp file.", "File Open Error"});
            return;
        case BudgetPasteInvalid:
            Stop({"The budget input file budout.tmp doesn't seem to be a valid file.", "Budget File Error"});
            return;
        case BudgetPasted: break;
    }
    ShowHead(d, head.name, head.startAge, head.endAge);
    ItemsChanged(d);
}

void Print(ui::Dialog& d, bool report) {
    if (!dialogHooks.printPages) return;
    const Budget b = AsShown(d);
    Notice notice;
    std::string title = FieldText(b.name);
    const int pages = report ? WriteBudgetReportPages(b, title, notice) : WriteBudgetListPages(b, notice);
    if (!notice.Empty()) Stop(notice);
    if (pages > 0) dialogHooks.printPages(pages, report ? 11 : 13, title);
}

// OK: the head fields and the account, then the Event list follows the Budget.
void Confirm(ui::Dialog& d) {
    Budget& b = Shown();
    const Budget before = b;
    SetFieldText(b.name, FieldInput(d, FieldBudgetName, BudgetNameRoom + 1));
    b.startAge = static_cast<int16_t>(Age(d, FieldBudgetStartAge));
    b.endAge = static_cast<int16_t>(Age(d, FieldBudgetEndAge));
    b.active = d.Checked(FieldBudgetActive) ? 1 : 0;
    RefreshBudgetMenu();
    const int position = ComboAccount(d, FieldBudgetAccount, true);
    if (AllocatedAccount(position)) {
        Stop({"You cannot select an account that is part of an Asset Allocation!", "Account Warning"});
        return;
    }
    b.accountId = position < 0 ? -1 : scenario.accountTable.accounts[position].accountId;
    // A renamed or moved Budget is a change to save even when no Event follows it.
    if (FieldText(before.name) != FieldText(b.name) || before.startAge != b.startAge ||
        before.endAge != b.endAge || before.active != b.active || before.accountId != b.accountId)
        state.modified = 1;
    if (ApplyBudgetEvent(number) == BudgetEventsFull) {
        // Not in effect until it has its Withdrawal.
        b.active = 0;
        RefreshBudgetMenu();
        RefuseWhenEventsFull();
        return;
    }
    d.End(1);
}

void BudgetRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        Open(d);
        return;
    }
    if (control == FieldBudgetList) {
        SelectItem(d);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        // The dialog has no Cancel: its items change as they are entered,
        // so closing the window stores the rest as OK does.
        case ui::IdOk:
        case ui::IdCancel: Confirm(d); return;
        case ui::IdHelp: Help(HelpContext, BudgetHelp); return;
        case FieldBudgetEnter: Enter(d); return;
        case FieldBudgetClear:
            for (int id : {FieldBudgetItemName, FieldBudgetItemAmount, FieldBudgetItemRate}) d.SetText(id, "");
            return;
        case FieldBudgetDelete:
            if (DeleteBudgetItem(Shown(), FieldInput(d, FieldBudgetItemName, ItemNameRoom))) ItemsChanged(d);
            return;
        case FieldBudgetClearAll:
            ClearBudgetItems(Shown());
            ItemsChanged(d);
            return;
        case FieldBudgetCopyAll:
            if (!WriteBudgetFile(BudgetCopyFile, AsShown(d)))
                Stop({"Cannot open the budget output file budout.tmp.", "File Open Error"});
            return;
        case FieldBudgetPasteAll: PasteAll(d); return;
        case FieldBudgetPrint: Print(d, false); return;
        case FieldBudgetPrintReport: Print(d, true); return;
        default: return;
    }
}

}  // namespace

int BudgetDialog(int budgetNumber) {
    if (!BudgetNumbered(budgetNumber)) return 0;
    number = budgetNumber;
    return Run(WindowBudget, BudgetTemplate(), BudgetRoutine);
}
