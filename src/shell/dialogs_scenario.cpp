// Initial Values, the Add Event chooser and the event list of the
// "Scenario" folder.
#include "budgets/budgets.h"
#include "shell/dialogs_internal.h"
#include "shell/refinance.h"

#include "engine/engine.h"

using namespace dialogs;

namespace {

// ---- Initial Values --------------------------------------------------------------
struct Remembered {
    float startAge, endAge, taxRate, inflationRate;
    int16_t birthMonth, birthDay, useBirthday;
} remembered;

ui::DialogTemplate InitialValuesTemplate() {
    ui::DialogTemplate t{"INITIALVALUES", "Initial Values", {}, false, 517};
    t.controls = {
        {FieldBirthMonth, K::Edit, "Birth Month", 3},
        {FieldBirthDay, K::Edit, "Birth Day", 3},
        {FieldUseBirthday, K::Check, "Use Birthday"},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldEndAge, K::Edit, "End Age", NumberRoom},
        {FieldTaxRate, K::Edit, "Tax Rate", NumberRoom},
        {FieldInflationRate, K::Edit, "Inflation Rate", NumberRoom},
        {0, K::Column, ""},
        {FieldTotalInvestment, K::ReadOnly, "Investment Savings"},
        {FieldRateInvestment, K::ReadOnly, "Average Rate"},
        {FieldTotalTaxFree, K::ReadOnly, "Tax Free Savings"},
        {FieldRateTaxFree, K::ReadOnly, "Average Rate"},
        {FieldTotalRetirement, K::ReadOnly, "Retirement Savings"},
        {FieldRateRetirement, K::ReadOnly, "Average Rate"},
        {FieldTotalEquity, K::ReadOnly, "Equity"},
        {FieldRateEquity, K::ReadOnly, "Average Rate"},
        {FieldTotalAssets, K::ReadOnly, "Assets"},
        {FieldRateAssets, K::ReadOnly, "Average Rate"},
        {FieldTotalAll, K::ReadOnly, "Total Amount In Accounts"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

float ShownStartAge() {
    const InitialValues& iv = scenario.initialValues;
    float age = iv.startAge;
    return iv.useBirthday == 1 ? Whole(age) + BirthdayFraction() : age;
}

void ShowInitialValues(ui::Dialog& d) {
    const InitialValues& iv = scenario.initialValues;
    d.SetText(FieldBirthMonth, Format("%2d", iv.birthMonth));
    d.SetText(FieldBirthDay, Format("%2d", iv.birthDay));
    d.SetChecked(FieldUseBirthday, iv.useBirthday == 1);
    d.SetText(FieldStartAge, Format("%-6.3f", ShownStartAge()));
    d.SetText(FieldEndAge, Format("%-6.2f", iv.endAge));
    const float totals[] = {iv.initialInvestmentSavings, iv.initialTaxFreeSavings, iv.initialRetirementSavings,
                            iv.initialEquity, iv.initialAssets};
    const float rates[] = {iv.investmentSavingsRate, iv.taxFreeSavingsRate, iv.retirementSavingsRate,
                           iv.equityAppreciationRate, iv.assetDepreciationRate};
    const int totalIds[] = {FieldTotalInvestment, FieldTotalTaxFree, FieldTotalRetirement, FieldTotalEquity,
                            FieldTotalAssets};
    const int rateIds[] = {FieldRateInvestment, FieldRateTaxFree, FieldRateRetirement, FieldRateEquity,
                           FieldRateAssets};
    float sum = 0;
    for (int k = 0; k < 5; ++k) {
        d.SetText(totalIds[k], MoneyFieldText(totals[k]));
        d.SetText(rateIds[k], Format("%-7.2f", rates[k]));
        sum += totals[k];
    }
    d.SetText(FieldTotalAll, MoneyFieldText(sum));
    d.SetText(FieldTaxRate, Format("%-7.2f", iv.taxRate));
    d.SetText(FieldInflationRate, Format("%-7.2f", iv.inflationRate));
}

int StoreBirthDate(ui::Dialog& d) {
    int16_t v;
    if (!CheckField(d, FieldBirthMonth, v, 3, 1, 12, 9, "BIRTH MONTH ERROR")) return 0;
    scenario.initialValues.birthMonth = v;
    if (!CheckField(d, FieldBirthDay, v, 3, 1, 31, 10, "BIRTH DAY ERROR")) return 0;
    scenario.initialValues.birthDay = v;
    return 1;
}

// With Use Birthday off a valid month and day are still kept, for when it
// is switched on; others are left without a word.
void KeepValidBirthDate(ui::Dialog& d) {
    int v = 0;
    if (TypedWhole(d.Text(FieldBirthMonth), 3, v) && v >= 1 && v <= 12)
        scenario.initialValues.birthMonth = static_cast<int16_t>(v);
    if (TypedWhole(d.Text(FieldBirthDay), 3, v) && v >= 1 && v <= 31)
        scenario.initialValues.birthDay = static_cast<int16_t>(v);
}

void ToggleBirthday(ui::Dialog& d) {
    InitialValues& iv = scenario.initialValues;
    float age;
    bool ok = CheckAge(d, FieldStartAge, age, "START AGE ERROR");
    if (ok) {
        if (iv.useBirthday == 1)
            iv.useBirthday = 0;
        else if ((ok = StoreBirthDate(d)))
            iv.useBirthday = 1;
    }
    if (ok) {
        iv.startAge = Whole(age);
        iv.startAge = ShownStartAge();
        d.SetText(FieldStartAge, Format("%-6.3f", iv.startAge));
    }
    d.SetChecked(FieldUseBirthday, iv.useBirthday == 1);
}

void InitialValuesRoutine(ui::Dialog& d, int message, int control) {
    InitialValues& iv = scenario.initialValues;
    if (message == ui::DialogOpen) {
        RecomputeInitialTotals();
        remembered = {iv.startAge, iv.endAge, iv.taxRate, iv.inflationRate, iv.birthMonth, iv.birthDay,
                      iv.useBirthday};
        ShowInitialValues(d);
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == ui::IdHelp) Help(HelpContext, 517);
    if (control == FieldUseBirthday) ToggleBirthday(d);
    if (control == ui::IdCancel) {
        iv.startAge = remembered.startAge;
        iv.endAge = remembered.endAge;
        iv.taxRate = remembered.taxRate;
        iv.inflationRate = remembered.inflationRate;
        iv.birthMonth = remembered.birthMonth;
        iv.birthDay = remembered.birthDay;
        iv.useBirthday = remembered.useBirthday;
        d.End(0);
    }
    if (control != ui::IdOk) return;
    float start, end, inflation, tax;
    // The birth date means something only while Use Birthday is on; a new
    // plan's blank month and day must not block its OK.
    if (iv.useBirthday != 1)
        KeepValidBirthDate(d);
    else if (!StoreBirthDate(d))
        return;
    if (!CheckAge(d, FieldStartAge, start, "START AGE ERROR") ||
        !CheckAge(d, FieldEndAge, end, "END AGE ERROR"))
        return;
    if (Whole(end) - Whole(start) >= 100) {
        ui::Message("The age range must be less than 100!", "Age Range Error!", ui::Buttons::Ok, ui::Icon::Stop);
        return;
    }
    if (!CheckField(d, FieldInflationRate, inflation, NumberRoom, -10, 50, 4, "INFLATION RATE ERROR") ||
        !CheckField(d, FieldTaxRate, tax, NumberRoom, 0, 1000, 4, "TAX RATE ERROR"))
        return;
    iv.inflationRate = inflation;
    iv.taxRate = tax;
    iv.endAge = end;
    iv.startAge = start;
    state.needsRecalc = 1;
    state.modified = 1;
    d.End(1);
}

// ---- Add Event ----------------------------------------------------------------------
ui::DialogTemplate AddEventTemplate() {
    ui::DialogTemplate t{"ADDEVENT", "Add Event", {}, true, 514};
    t.controls = {
        {FieldAddWithdrawal, K::Button, "Withdrawal"},
        {FieldAddDeposit, K::Button, "Deposit"},
        {FieldAddLoan, K::Button, "Loan"},
        {FieldAddCreditCard, K::Button, "Credit Card Debt"},
        {FieldAddMortgage, K::Button, "Mortgage"},
        {FieldAddTransfer, K::Button, "Transfer"},
        {FieldAddFundamentals, K::Button, "Fundamentals"},
        {ui::IdOk, K::Button, "OK"},
    };
    return t;
}

void AddEventRoutine(ui::Dialog& d, int message, int control) {
    static const int commands[][2] = {
        {FieldAddWithdrawal, CmdWithdrawal}, {FieldAddDeposit, CmdDeposit},   {FieldAddLoan, CmdLoan},
        {FieldAddCreditCard, CmdCreditCardDebt}, {FieldAddMortgage, CmdMortgage}, {FieldAddTransfer, CmdTransfer},
        {FieldAddFundamentals, CmdFundamentals},
    };
    if (message != ui::DialogCommand) return;
    if (control == ui::IdOk || control == ui::IdCancel) {
        shell.windowOpen[WindowAddEvent] = 0;
        d.End(1);
        return;
    }
    for (const auto& c : commands) {
        if (c[0] != control) continue;
        // The chooser's own flag would stop the command it starts; the
        // command still meets the event limit.
        shell.windowOpen[WindowAddEvent] = 0;
        DispatchCommand(c[1]);
        shell.windowOpen[WindowAddEvent] = 1;
        ShowFolder(FolderScenario);
    }
}

// Event dialogs and Initial Values: while one is open the list ignores its buttons.
bool EventDialogOpen() {
    for (int w = WindowInitialValues; w <= WindowFundamentals; ++w)
        if (shell.windowOpen[w]) return true;
    return false;
}

bool BudgetEvent(const Event& e) { return e.eventType == EventWithdrawal && e.option == 1; }

void Rebuild() {
    state.needsRecalc = 1;
    ShowFolder(FolderScenario);
}

}  // namespace

void PutEventsInOrder() {
    // An open event dialog holds its slot by index: the list waits for it.
    if (!EventDialogOpen()) SortEvents();
}

int InitialValuesDialog() { return Run(WindowInitialValues, InitialValuesTemplate(), InitialValuesRoutine); }

int AddEventDialog() { return Run(WindowAddEvent, AddEventTemplate(), AddEventRoutine); }

int EventAtRow(int row) {
    int n = state.eventCount;
    if (row <= 0 || n <= 0) return -1;
    for (int i = 0; i < n; ++i)
        if (scenario.events[i].listRow == row) return i;
    for (int i = 0; i < n; ++i)
        if (i == n - 1 || scenario.events[i + 1].listRow > row) return i;
    return -1;
}

int EditEventWith(int index, int (*dialog)()) {
    if (index < 0 || index >= state.eventCount) return 0;
    int saved = state.eventCount;
    state.eventCount = index;
    editingEvent = 1;
    int result = dialog();
    editingEvent = 0;
    state.eventCount = saved;
    return result;
}

int EditEvent(int index) {
    if (index < 0 || index >= state.eventCount) return 0;
    const Event& e = scenario.events[index];
    if (BudgetEvent(e)) return dialogHooks.budget ? dialogHooks.budget(e.budgetIndex) : 0;
    switch (e.eventType) {
        case EventWithdrawal: return EditEventWith(index, WithdrawalDialog);
        case EventDeposit: return EditEventWith(index, DepositDialog);
        case EventFundamentals: return EditEventWith(index, FundamentalsDialog);
        case EventTransfer: return EditEventWith(index, TransferDialog);
        case EventMortgage: return EditMortgageEvent(index);
        case EventLoan:
            return EditEventWith(index, e.applyInflation == CreditCardMarker ? CreditCardDialog : LoanDialog);
        case EventAssetAllocation: return AssetAllocationDialog();
        case EventRmdOption: return RmdOptionsDialog();
        default: return 0;
    }
}

int EventListEdit(int row) {
    if (EventDialogOpen()) return 0;
    NamedStep step(row == 0 ? "Initial Values" : "Edit Event");
    int result = row == 0 ? InitialValuesDialog() : EditEvent(EventAtRow(row));
    Rebuild();
    return result;
}

int EventListCopy(int row) {
    if (EventDialogOpen()) return 0;
    NamedStep step("Copy Event");
    int i = EventAtRow(row);
    if (i < 0) return 0;
    const Event& e = scenario.events[i];
    if (BudgetEvent(e) || e.eventType == EventAssetAllocation || e.eventType == EventRmdOption) return 0;
    if (RefuseWhenEventsFull()) return 0;
    scenario.events[state.eventCount] = scenario.events[i];
    ++state.eventCount;
    EditEvent(i);
    state.modified = 1;
    Rebuild();
    return 1;
}

int EventListDelete(int row) {
    if (EventDialogOpen()) return 0;
    NamedStep step("Delete Event");
    int i = EventAtRow(row);
    if (i < 0) return 0;
    const Event& e = scenario.events[i];
    if (e.eventType == EventRmdOption) return 0;
    if (Budget* b = BudgetNumbered(BudgetNumberOf(e))) {
        b->active = 0;
        ui::Current().CheckMenuItem(MenuBudgetFirst + BudgetNumberOf(e) - 1, false);
    }
    if (e.eventType == EventAssetAllocation) {
        ui::Current().EnableCommand(CmdAssetAllocation, true);
        scenario.accountTable.assetAllocOption = 0;
    }
    int n = state.eventCount;
    for (int k = i; k + 1 < n; ++k) scenario.events[k] = scenario.events[k + 1];
    --state.eventCount;
    ResetEventSlot(n - 1);
    state.modified = 1;
    Rebuild();
    return 1;
}

int EventListAdd() {
    if (EventDialogOpen()) return 0;
    NamedStep step("Add Event");
    return AddEventDialog();
}
