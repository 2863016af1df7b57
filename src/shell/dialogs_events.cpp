// The event dialogs: Withdrawal, Deposit, Transfer, Fundamentals with
// Account Rate, Loan, Credit Card Debt and Mortgage.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/payment.h"
#include "budgets/budgets.h"
#include "shell/dialogs_internal.h"

using namespace dialogs;

namespace {

Event& Slot() { return scenario.events[EventSlot()]; }

float Typed(ui::Dialog& d, int id) { return TypedNumber(d.Text(id), NumberRoom); }

// The fields Withdrawal, Deposit and Transfer start with.
std::vector<Control> MoneyEventFields() {
    return {
        {FieldDescription, K::Edit, "Description", 50},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldEndAge, K::Edit, "End Age", NumberRoom},
        {FieldAmount, K::Edit, "Amount", NumberRoom},
        {FieldApplyRate, K::Edit, "Apply Rate", NumberRoom},
    };
}

void StoreMoneyChecks(ui::Dialog& d, Event& e) {
    e.oneTimeOnly = d.Checked(FieldOneTime) ? 1 : 0;
    e.applyInflation = d.Checked(FieldInflation) ? 1 : 0;
}

// The fields Withdrawal, Deposit and Transfer share, shown on opening.
void ShowMoneyEvent(ui::Dialog& d, const Event& e) {
    d.SetText(FieldDescription, FieldText(e.description));
    d.SetText(FieldStartAge, AgeText(e.startAge));
    d.SetText(FieldEndAge, AgeText(e.endAge));
    d.SetText(FieldAmount, AmountText(e.amount));
    d.SetText(FieldApplyRate, AgeText(e.applyRate));
    d.SetChecked(FieldOneTime, e.oneTimeOnly != 0);
    d.SetChecked(FieldInflation, e.applyInflation != 0);
}

// Description, start age, end age (unless `noEndCheck`: then read as typed,
// unchecked). A Withdrawal keeps whole ages; a Deposit keeps its start age as
// typed and truncates an unchecked end age as a Withdrawal does; a Transfer
// keeps both as typed. 0 when a check refused.
int StoreAges(ui::Dialog& d, Event& e, bool noEndCheck, int type) {
    StoreDescription(d, e);
    float v;
    if (!CheckAge(d, FieldStartAge, v, "START AGE ERROR")) return 0;
    e.startAge = type == EventWithdrawal ? Whole(v) : v;
    if (noEndCheck) {
        if (!CheckNumbers(d, {FieldEndAge})) return 0;
        float typed = Typed(d, FieldEndAge);
        e.endAge = type == EventTransfer ? typed : Whole(typed);
    } else {
        if (!CheckAge(d, FieldEndAge, v, "END AGE ERROR")) return 0;
        e.endAge = v;
    }
    return 1;
}

int StoreAmountAndRate(ui::Dialog& d, Event& e) {
    float v;
    if (!CheckAmount(d, FieldAmount, v, 1, "AMOUNT ERROR")) return 0;
    e.amount = v;
    if (!CheckField(d, FieldApplyRate, v, NumberRoom, -20, 20, 8, "APPLY RATE ERROR")) return 0;
    e.applyRate = v;
    return 1;
}

// The account picked in a combo without "No Selection", or `held`.
int PickedAccountId(ui::Dialog& d, int id, int held) {
    int position = ComboAccount(d, id, false);
    return position < 0 ? held : scenario.accountTable.accounts[position].accountId;
}

// ---- Withdrawal ------------------------------------------------------------------
ui::DialogTemplate WithdrawalTemplate() {
    ui::DialogTemplate t{"WITHDRAWAL", "Withdrawal", {}, false, 516};
    t.controls = MoneyEventFields();
    t.controls.insert(t.controls.end(), {
        {FieldAccount, K::Combo, "Withdrawal Account"},
        {FieldOneTime, K::Check, "One time only withdrawal"},
        {FieldInflation, K::Check, "Apply inflation rate to withdrawal"},
    });
    AddButtons(t);
    return t;
}

// The budget whose withdrawal this is, or nullptr.
Budget* OwningBudget(const Event& e) { return e.option == 1 ? BudgetNumbered(e.budgetIndex) : nullptr; }

void WithdrawalRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        ShowMoneyEvent(d, e);
        int accountId = e.accountId;
        if (const Budget* b = OwningBudget(e)) {
            accountId = b->accountId;
            for (int id : {FieldDescription, FieldStartAge, FieldEndAge, FieldAmount, FieldApplyRate, FieldOneTime,
                           FieldInflation})
                d.Enable(id, false);
        }
        FillAccountCombo(d, FieldAccount, true, accountId);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 516) || control != ui::IdOk) return;
    if (!StoreAges(d, e, d.Checked(FieldOneTime), EventWithdrawal) || !StoreAmountAndRate(d, e)) return;
    e.eventType = EventWithdrawal;
    int accountId, mark;
    if (!ChosenPayingAccount(d, FieldAccount, accountId, mark)) return;
    StoreMoneyChecks(d, e);
    e.accountId = static_cast<int16_t>(accountId);
    e.years = static_cast<int16_t>(mark);
    if (Budget* b = OwningBudget(e)) b->accountId = accountId;
    StoreEvent(EventWithdrawal);
    d.End(1);
}

// ---- Deposit ---------------------------------------------------------------------
ui::DialogTemplate DepositTemplate() {
    ui::DialogTemplate t{"DEPOSIT", "Deposit", {}, false, 257};
    t.controls = MoneyEventFields();
    t.controls.insert(t.controls.end(), {
        {FieldAccount, K::Combo, "Deposit to:"},
        {FieldOneTime, K::Check, "One time only deposit"},
        {FieldInflation, K::Check, "Apply inflation rate to deposits"},
        {FieldTaxDeposit, K::Check, "Tax deposit at current tax rate"},
    });
    AddButtons(t);
    return t;
}

void DepositRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        ShowMoneyEvent(d, e);
        d.SetChecked(FieldTaxDeposit, e.secondary != 0);
        FillAccountCombo(d, FieldAccount, false, e.accountId);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 257) || control != ui::IdOk) return;
    if (!StoreAges(d, e, d.Checked(FieldOneTime), EventDeposit) || !StoreAmountAndRate(d, e)) return;
    StoreMoneyChecks(d, e);
    e.secondary = d.Checked(FieldTaxDeposit) ? 1 : 0;
    e.accountId = static_cast<int16_t>(PickedAccountId(d, FieldAccount, e.accountId));
    StoreEvent(EventDeposit);
    d.End(1);
}

// ---- Transfer --------------------------------------------------------------------
ui::DialogTemplate TransferTemplate() {
    ui::DialogTemplate t{"TRANSFER", "Transfer", {}, false, 261};
    t.controls = MoneyEventFields();
    t.controls.insert(t.controls.end(), {
        {FieldFromAccount, K::Combo, "From Account:"},
        {FieldAccount, K::Combo, "To Account:"},
        {FieldOneTime, K::Check, "One transaction only"},
        {FieldInflation, K::Check, "Apply inflation rate to transfer"},
        {FieldTransferAll, K::Check, "Transfer all funds at Start Age"},
    });
    AddButtons(t);
    return t;
}

void EnableTransferFields(ui::Dialog& d) {
    bool on = !d.Checked(FieldTransferAll);
    for (int id : {FieldApplyRate, FieldOneTime, FieldAmount, FieldEndAge, FieldInflation}) d.Enable(id, on);
}

void TransferRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        ShowMoneyEvent(d, e);
        d.SetChecked(FieldTransferAll, e.transferAll != 0);
        FillAccountCombo(d, FieldFromAccount, false, e.secondary);
        FillAccountCombo(d, FieldAccount, false, e.accountId);
        EnableTransferFields(d);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 261)) return;
    if (control == FieldTransferAll) EnableTransferFields(d);
    if (control != ui::IdOk) return;
    bool all = d.Checked(FieldTransferAll);
    if (!StoreAges(d, e, all || d.Checked(FieldOneTime), EventTransfer)) return;
    if (!all && !StoreAmountAndRate(d, e)) return;
    StoreMoneyChecks(d, e);
    e.transferAll = all ? 1 : 0;
    e.accountId = static_cast<int16_t>(PickedAccountId(d, FieldAccount, e.accountId));
    e.secondary = static_cast<int16_t>(PickedAccountId(d, FieldFromAccount, e.secondary));
    StoreEvent(EventTransfer);
    d.End(1);
}

// ---- Account Rate ----------------------------------------------------------------
ui::DialogTemplate AccountRateTemplate() {
    ui::DialogTemplate t{"ACCOUNTRATE", "Account Rate", {}, false, 262};
    t.controls = {
        {FieldAccountName, K::ReadOnly, "Account"},
        {FieldRate, K::Edit, "Rate", 12},
        {FieldEffectiveRate, K::Button, "Calculate Effective Yearly Rate"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
    };
    return t;
}

// `position`: the account whose rate is edited.
void AccountRateRoutine(ui::Dialog& d, int message, int control, int position) {
    Account& a = scenario.accountTable.accounts[position];
    if (message == ui::DialogOpen) {
        d.SetText(FieldAccountName, FieldText(a.name));
        d.SetText(FieldRate, Format("%-8.3f", a.rate));
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == ui::IdCancel) d.End(0);
    if (control == FieldEffectiveRate) EffectiveRateDialog(&d, FieldRate);
    if (control != ui::IdOk) return;
    float rate;
    if (!CheckText(FieldInput(d, FieldRate, 12), rate, -200, 200, 0, "RATE ERROR")) return;
    a.rate = rate;
    state.needsRecalc = 1;
    d.End(1);
}

// ---- Fundamentals ----------------------------------------------------------------
bool rateOpened[MaxAccounts];  // positions whose Account Rate was opened in this dialog

ui::DialogTemplate FundamentalsTemplate() {
    ui::DialogTemplate t{"FUNDAMENTALS", "Fundamentals", {}, false, 262};
    t.controls = {
        {FieldDescription, K::Edit, "Description", 50},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldAccount, K::Combo, "Select account."},
        {FieldRateButton, K::Button, "Press to change selected account's rate"},
        {FieldTaxRate, K::Edit, "Tax Rate", NumberRoom},
        {FieldInflationRate, K::Edit, "Inflation Rate", NumberRoom},
    };
    AddButtons(t);
    return t;
}

// A new Fundamentals event starts from the rates of the last one before it.
void InheritFundamentals(Event& e) {
    for (int i = EventSlot() - 1; i >= 0; --i) {
        const Event& p = scenario.events[i];
        if (p.eventType != EventFundamentals) continue;
        e.amount = p.amount;
        e.rate2 = p.rate2;
        e.loanRate = p.loanRate;
        return;
    }
    e.amount = scenario.initialValues.taxRate;
    e.rate2 = scenario.initialValues.inflationRate;
}

void OpenAccountRate(ui::Dialog& d) {
    int position = ComboAccount(d, FieldAccount, true);
    if (position < 0) return;
    rateOpened[position] = true;
    AccountRateDialog(position);
}

void FundamentalsRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        for (bool& b : rateOpened) b = false;
        d.SetText(FieldDescription, FieldText(e.description));
        d.SetText(FieldStartAge, AgeText(e.startAge));
        d.SetText(FieldTaxRate, Format("%-7.2f", e.amount));
        d.SetText(FieldInflationRate, Format("%-7.2f", e.rate2));
        FillAccountCombo(d, FieldAccount, true, e.accountId);
        return;
    }
    if (message == ui::DialogDoubleClick && control == FieldAccount) OpenAccountRate(d);
    if (message != ui::DialogCommand || CommonButtons(d, control, 262)) return;
    if (control == FieldRateButton || control == FieldAccount) OpenAccountRate(d);
    if (control != ui::IdOk) return;
    int position = ComboAccount(d, FieldAccount, true);
    if (d.Selected(FieldAccount) <= 0) {
        e.accountId = -1;
    } else if (position >= 0 && rateOpened[position]) {
        e.accountId = static_cast<int16_t>(scenario.accountTable.accounts[position].accountId);
        e.loanRate = scenario.accountTable.accounts[position].rate;
    }
    StoreDescription(d, e);
    float v;
    if (!CheckAge(d, FieldStartAge, v, "START AGE ERROR")) return;
    e.startAge = Whole(v);
    if (!CheckField(d, FieldTaxRate, v, NumberRoom, 0, 1000, 4, "TAX RATE ERROR")) return;
    e.amount = v;
    if (!CheckField(d, FieldInflationRate, v, NumberRoom, 0, 1000, 4, "INFLATION RATE ERROR")) return;
    e.rate2 = v;
    e.endAge = e.startAge;
    StoreEvent(EventFundamentals);
    d.End(1);
}

// ---- Loan -------------------------------------------------------------------------
ui::DialogTemplate LoanTemplate() {
    ui::DialogTemplate t{"LOAN", "Loan", {}, false, 260};
    t.controls = {
        {FieldDescription, K::Edit, "Description", 50},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldPayoffAge, K::Edit, "Payoff Age", NumberRoom},
        {FieldSellAge, K::Edit, "Sell asset age", NumberRoom},
        {FieldAmount, K::Edit, "Amount", NumberRoom},
        {FieldDownPayment, K::Edit, "Down Payment", NumberRoom},
        {FieldRate, K::Edit, "Rate", NumberRoom},
        {FieldYears, K::Edit, "No of Years", NumberRoom},
        {FieldMonthlyPayment, K::ReadOnly, "Monthly Payment"},
        {FieldAccount, K::Combo, "Deposit to:"},
        {FieldPaymentAccount, K::Combo, "Withdrawal payments from account:"},
    };
    AddButtons(t, {{FieldCalculate, K::Button, "Calculate"}});
    return t;
}

// The level monthly payment of a loan or mortgage; a term of no months has
// no payments.
float MonthlyPaymentOf(const Event& e) {
    if (e.years <= 0) return 0;
    return LevelPayment(e.amount - e.rate2, MonthlyRate(e.loanRate), e.years * 12);
}

// What Loan and Mortgage check first: description, the two ages (whole),
// the rate and the amount.
int StoreTerms(ui::Dialog& d, Event& e) {
    StoreDescription(d, e);
    float v;
    if (!CheckAge(d, FieldStartAge, v, "START AGE ERROR")) return 0;
    e.startAge = Whole(v);
    if (!CheckAge(d, FieldPayoffAge, v, "PAYOFF AGE ERROR")) return 0;
    e.endAge = Whole(v);
    if (!CheckField(d, FieldRate, v, NumberRoom, 1, 1000, 6, "RATE ERROR")) return 0;
    e.loanRate = v;
    if (!CheckAmount(d, FieldAmount, v, 1, "AMOUNT ERROR")) return 0;
    e.amount = v;
    return 1;
}

// The payments account of a Loan or Mortgage; 0 when the rule refused it.
int StorePaymentAccount(ui::Dialog& d, Event& e) {
    int accountId, mark;
    if (!ChosenPayingAccount(d, FieldPaymentAccount, accountId, mark)) return 0;
    e.paymentAccountId = static_cast<int16_t>(accountId);
    e.paymentAccountAssigned = static_cast<int16_t>(mark);
    return 1;
}

int LoanChecks(ui::Dialog& d, Event& e) {
    if (!StoreTerms(d, e)) return 0;
    float v;
    if (!CheckAmount(d, FieldDownPayment, v, 0, "AMOUNT ERROR")) return 0;
    e.rate2 = v;
    if (!CheckField(d, FieldSellAge, v, NumberRoom, 0, 120, 3, "SELL AGE ERROR")) return 0;
    e.applyRate = Whole(v);
    int16_t years;
    if (!CheckField(d, FieldYears, years, NumberRoom, 0, 100, 5, "NO OF YEARS ERROR")) return 0;
    e.years = years;
    e.monthlyPayment = MonthlyPaymentOf(e);
    d.SetText(FieldMonthlyPayment, AmountText(e.monthlyPayment));
    e.accountId = static_cast<int16_t>(PickedAccountId(d, FieldAccount, e.accountId));
    int position = FindAccount(e.accountId);
    e.rate3 = position < 0 ? 0.0f : static_cast<float>(scenario.accountTable.accounts[position].yearlyRate);
    return 1;
}

void LoanRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        d.SetText(FieldDescription, FieldText(e.description));
        d.SetText(FieldStartAge, AgeText(e.startAge));
        d.SetText(FieldPayoffAge, AgeText(e.endAge));
        d.SetText(FieldSellAge, AgeText(e.applyRate));
        d.SetText(FieldAmount, AmountText(e.amount));
        d.SetText(FieldDownPayment, AmountText(e.rate2));
        d.SetText(FieldRate, AgeText(e.loanRate));
        d.SetText(FieldYears, Format("%d", e.years));
        d.SetText(FieldMonthlyPayment, AmountText(e.monthlyPayment));
        FillAccountCombo(d, FieldAccount, false, e.accountId);
        FillAccountCombo(d, FieldPaymentAccount, true, e.paymentAccountAssigned ? e.paymentAccountId : -1);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 260)) return;
    if (control != ui::IdOk && control != FieldCalculate) return;
    if (!LoanChecks(d, e) || control == FieldCalculate) return;
    e.eventType = EventLoan;
    if (!StorePaymentAccount(d, e)) return;
    StoreEvent(EventLoan);
    d.End(1);
}

// ---- Credit Card Debt ------------------------------------------------------------------
bool cardCalculator = false;
Event cardScratch;  // the calculator's figures: it stores no event

ui::DialogTemplate CreditCardTemplate() {
    ui::DialogTemplate t{"CREDITCARD", "Credit Card Debt", {}, false, 1586};
    t.controls = {
        {FieldDescription, K::Edit, "Company", 50},
        {FieldAmount, K::Edit, "Balance", NumberRoom},
        {FieldRate, K::Edit, "Rate", NumberRoom},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldPayoffAge, K::Edit, "Payoff Age", NumberRoom},
        {FieldMonthlyPayment, K::Edit, "Monthly Payments", NumberRoom},
        {FieldPurchases, K::Edit, "Monthly Purchases", NumberRoom},
        {FieldPaymentAccount, K::Combo, "Withdraw payments from account:"},
        {FieldMonths, K::ReadOnly, "Months"},
        {FieldYearsResult, K::ReadOnly, "Years"},
        {FieldTotalInterest, K::ReadOnly, "Total Interest"},
    };
    AddButtons(t, {{FieldCalculate, K::Button, "Calculate"}});
    return t;
}

Event& Card() { return cardCalculator ? cardScratch : Slot(); }

int CardChecks(ui::Dialog& d, Event& e) {
    StoreDescription(d, e);
    if (cardCalculator) {
        if (!CheckNumbers(d, {FieldAmount, FieldRate, FieldMonthlyPayment, FieldPurchases})) return 0;
        e.amount = Typed(d, FieldAmount);
        e.loanRate = Typed(d, FieldRate);
        e.monthlyPayment = Typed(d, FieldMonthlyPayment);
        e.taxes = Typed(d, FieldPurchases);
        return 1;
    }
    float v;
    if (!CheckAge(d, FieldStartAge, v, "START AGE ERROR")) return 0;
    if (Whole(v) < Whole(scenario.initialValues.startAge)) {
        ui::Message("The Start Age must be equal or greater than the Initial Values Start Age!", "START AGE ERROR",
                    ui::Buttons::Ok, ui::Icon::Stop);
        return 0;
    }
    e.startAge = Whole(v);
    if (!CheckAge(d, FieldPayoffAge, v, "PAYOFF AGE ERROR")) return 0;
    e.endAge = Whole(v);
    if (!CheckField(d, FieldRate, v, NumberRoom, 1, 1000, 6, "RATE ERROR")) return 0;
    e.loanRate = v;
    if (!CheckAmount(d, FieldAmount, v, 1, "AMOUNT ERROR")) return 0;
    e.amount = v;
    if (!CheckAmount(d, FieldMonthlyPayment, v, 0, "AMOUNT ERROR")) return 0;
    e.monthlyPayment = v;
    if (!CheckAmount(d, FieldPurchases, v, 0, "AMOUNT ERROR")) return 0;
    e.taxes = v;
    return 1;
}

void ShowPayoff(ui::Dialog& d, Event& e) {
    CreditCardPayoff p = SimulateCreditCard(e.amount, e.loanRate, e.monthlyPayment, e.taxes);
    e.rate3 = p.years;
    e.applyRate = static_cast<float>(p.months);
    e.rate2 = p.totalInterest;
    d.SetText(FieldYearsResult, Format("%-5.2f", p.years));
    d.SetText(FieldMonths, Format("%3d", p.months));
    d.SetText(FieldTotalInterest, Format("%13.2f", p.totalInterest));
    // The figures alone (1200 months, interest in the billions) do not say
    // that the debt is never repaid.
    if (p.growing)
        ui::Message("The monthly payment does not cover the monthly interest and purchases.\n"
                    "The balance is never paid off: the results show 100 years of payments.",
                    "PAYMENT WARNING", ui::Buttons::Ok, ui::Icon::Exclamation);
    else if (!p.paidOff)
        ui::Message("The balance is not paid off within 100 years at this monthly payment.", "PAYMENT WARNING",
                    ui::Buttons::Ok, ui::Icon::Exclamation);
}

void CreditCardRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Card();
    if (message == ui::DialogOpen) {
        d.SetText(FieldDescription, FieldText(e.description));
        d.SetText(FieldAmount, AmountText(e.amount));
        d.SetText(FieldRate, AgeText(e.loanRate));
        d.SetText(FieldStartAge, AgeText(e.startAge));
        d.SetText(FieldPayoffAge, AgeText(e.endAge));
        d.SetText(FieldMonthlyPayment, AmountText(e.monthlyPayment));
        d.SetText(FieldPurchases, AmountText(e.taxes));
        FillAccountCombo(d, FieldPaymentAccount, true, e.years == AccountAssignedMarker ? e.accountId : -1);
        if (cardCalculator)
            for (int id : {FieldStartAge, FieldPayoffAge, FieldPaymentAccount}) d.Enable(id, false);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 1586)) return;
    if (control != ui::IdOk && control != FieldCalculate) return;
    if (!CardChecks(d, e)) return;
    ShowPayoff(d, e);
    if (control == FieldCalculate) return;
    if (cardCalculator) {
        d.End(1);
        return;
    }
    int accountId, mark;
    if (!ChosenPayingAccount(d, FieldPaymentAccount, accountId, mark)) return;
    e.applyInflation = CreditCardMarker;
    e.accountId = static_cast<int16_t>(accountId);
    e.years = static_cast<int16_t>(mark);
    StoreEvent(EventLoan);
    d.End(1);
}

// ---- Mortgage ----------------------------------------------------------------------------
ui::DialogTemplate MortgageTemplate() {
    ui::DialogTemplate t{"MORTGAGEC", "Mortgage", {}, false, 259};
    t.controls = {
        {FieldDescription, K::Edit, "Description", 50},
        {FieldStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldPayoffAge, K::Edit, "Payoff Age", NumberRoom},
        {FieldAmount, K::Edit, "Amount ", NumberRoom},
        {FieldAppreciation, K::Edit, "Appreciation Rate", NumberRoom},
        {FieldSellAge, K::Edit, "Sell Age", NumberRoom},
        {FieldSalePercent, K::Edit, "Percent of Selling Price at Sale", NumberRoom},
        {FieldDownPayment, K::Edit, "Down Payment / Equity", NumberRoom},
        {FieldRate, K::Edit, "Rate", NumberRoom},
        {FieldYears, K::Edit, "No of Years", NumberRoom},
        {FieldMonthlyPayment, K::ReadOnly, "Monthly Payment"},
        {FieldClosingCosts, K::Edit, "Closing Costs", NumberRoom},
        {FieldTaxes, K::Edit, "Taxes", NumberRoom},
        {0, K::Column, ""},
        {FieldNoDownPayment, K::Check, "Do not withdraw down payment"},
        {FieldTaxInflation, K::Check, "Apply inflation rate to taxes"},
        {FieldPaymentAccount, K::Combo, "Withdraw payments from account:"},
        {0, K::Group, "Accelerated Payment"},
        {FieldAccelerated, K::Edit, "Accelerated Payment Monthly Amount", NumberRoom},
        {FieldAccelerateFromMortgage, K::Radio, "Apply accelerated monthly payment starting at Mortgage Start Age"},
        {FieldAccelerateFromStart, K::Radio, "Apply accelerated monthly payment starting at Initial Values Start Age"},
        {0, K::Group, ""},
        {FieldRefinance, K::Button, "Do Refinancing Analysis"},
        {FieldAcceleratedAnalysis, K::Button, "Do Accelerated Payment Analysis"},
    };
    AddButtons(t, {{FieldCalculate, K::Button, "Calculate"}, {FieldSchedule, K::Button, "Schedule"}});
    return t;
}

// Values a refinance analysis handed back, shown the next time the dialog opens.
struct HandedBack {
    int present = 0;
    int years = 0;
    float amount = 0, downPayment = 0, rate = 0, payment = 0;
} handedBack;
struct {
    int present = 0;
    std::string years, amount, downPayment, rate;
    std::string* payment = nullptr;
} handedTexts;

int AcceleratedAmount(ui::Dialog& d, float& out) {
    float v = Typed(d, FieldAccelerated);
    if (!(v >= 0 && v < 100000)) {
        ui::Message("This amount must be greater than or equal to  0.00 and less than 99999.99",
                    "Additional Monthly Amount Error", ui::Buttons::Ok, ui::Icon::Stop);
        return 0;
    }
    out = v;
    return 1;
}

int MortgageChecks(ui::Dialog& d, Event& e) {
    if (!StoreTerms(d, e)) return 0;
    float v;
    if (!CheckAmount(d, FieldTaxes, v, 0, "AMOUNT ERROR")) return 0;
    e.taxes = v;
    if (!CheckAmount(d, FieldClosingCosts, v, 0, "AMOUNT ERROR")) return 0;
    e.closingCosts = v;
    if (!CheckAmount(d, FieldDownPayment, v, 0, "DOWN PAYMENT ERROR")) return 0;
    e.rate2 = v;
    int16_t years;
    if (!CheckField(d, FieldYears, years, NumberRoom, 1, 100, 5, "NO OF YEARS ERROR")) return 0;
    e.years = years;
    if (!CheckField(d, FieldAppreciation, v, NumberRoom, -1000, 1000, 6, "RATE ERROR")) return 0;
    e.rate3 = v;
    if (!CheckField(d, FieldSellAge, v, NumberRoom, 0, 120, 3, "AGE ERROR")) return 0;
    e.applyRate = Whole(v);
    if (!CheckField(d, FieldSalePercent, v, NumberRoom, -1000, 1000, 6, "RATE ERROR")) return 0;
    e.salePercent = v;
    e.applyInflation = d.Checked(FieldTaxInflation) ? 1 : 0;
    e.option = d.Checked(FieldAccelerateFromMortgage) ? 1 : d.Checked(FieldAccelerateFromStart) ? 2 : 0;
    e.accountId = d.Checked(FieldNoDownPayment) ? 1 : 0;
    if (!AcceleratedAmount(d, v)) return 0;
    e.acceleratedAmount = v;
    e.monthlyPayment = MonthlyPaymentOf(e);
    d.SetText(FieldMonthlyPayment, MoneyFieldText(e.monthlyPayment));
    return 1;
}

void AcceleratedAnalysis(ui::Dialog& d) {
    if (!CheckNumbers(d, {FieldAmount, FieldDownPayment, FieldRate, FieldStartAge, FieldYears})) return;
    float amount = Typed(d, FieldAmount), down = Typed(d, FieldDownPayment), rate = Typed(d, FieldRate);
    float start = Typed(d, FieldStartAge);
    int years = 0;
    TypedWhole(d.Text(FieldYears), NumberRoom, years);
    int remaining = years;
    float initialStart = scenario.initialValues.startAge;
    if (start < initialStart) remaining = years - static_cast<int>(Whole(initialStart) - Whole(start));
    float extra = 0;
    if (!AcceleratedAmount(d, extra)) return;
    AcceleratedPaymentDialogFor(amount - down, years, rate, remaining, extra);
}

void MortgageRoutine(ui::Dialog& d, int message, int control) {
    Event& e = Slot();
    if (message == ui::DialogOpen) {
        d.SetText(FieldDescription, FieldText(e.description));
        d.SetText(FieldStartAge, AgeText(e.startAge));
        d.SetText(FieldPayoffAge, AgeText(e.endAge));
        d.SetText(FieldAmount, AmountText(e.amount));
        d.SetText(FieldAppreciation, AgeText(e.rate3));
        d.SetText(FieldSellAge, AgeText(e.applyRate));
        d.SetText(FieldSalePercent, AgeText(e.salePercent));
        d.SetText(FieldDownPayment, AmountText(e.rate2));
        d.SetText(FieldRate, AgeText(e.loanRate));
        d.SetText(FieldYears, Format("%d", e.years));
        d.SetText(FieldMonthlyPayment, MoneyFieldText(e.monthlyPayment));
        d.SetText(FieldClosingCosts, AmountText(e.closingCosts));
        d.SetText(FieldTaxes, AmountText(e.taxes));
        d.SetText(FieldAccelerated, AmountText(e.acceleratedAmount));
        d.SetChecked(FieldNoDownPayment, e.accountId == 1);
        d.SetChecked(FieldTaxInflation, e.applyInflation == 1);
        d.SetChecked(FieldAccelerateFromMortgage, e.option == 1);
        d.SetChecked(FieldAccelerateFromStart, e.option == 2);
        if (handedBack.present) {  // shown, stored only by OK
            d.SetText(FieldYears, Format("%d", handedBack.years));
            d.SetText(FieldAmount, AmountText(handedBack.amount));
            d.SetText(FieldDownPayment, AmountText(handedBack.downPayment));
            d.SetText(FieldRate, AgeText(handedBack.rate));
            d.SetText(FieldMonthlyPayment, MoneyFieldText(handedBack.payment));
            handedBack.present = 0;
        }
        if (handedTexts.present) {  // the Mortgage Calculator's texts as typed
            d.SetText(FieldYears, handedTexts.years);
            d.SetText(FieldAmount, handedTexts.amount);
            d.SetText(FieldDownPayment, handedTexts.downPayment);
            d.SetText(FieldRate, handedTexts.rate);
            if (handedTexts.payment) {
                *handedTexts.payment = FormatDollars(*handedTexts.payment);
                d.SetText(FieldMonthlyPayment, *handedTexts.payment);
            }
            handedTexts.present = 0;
        }
        FillAccountCombo(d, FieldPaymentAccount, true, e.paymentAccountAssigned ? e.paymentAccountId : -1);
        d.Enable(FieldRefinance, editingEvent && dialogHooks.refinance);
        d.Enable(FieldAcceleratedAnalysis, editingEvent != 0);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 259)) return;
    if (control == FieldAcceleratedAnalysis) AcceleratedAnalysis(d);
    if (control == FieldRefinance && dialogHooks.refinance) {
        if (dialogHooks.refinance(EventSlot())) d.End(0);
        return;
    }
    if (control != ui::IdOk && control != FieldCalculate && control != FieldSchedule) return;
    if (!MortgageChecks(d, e)) return;
    if (control == FieldSchedule) {
        MortgageScheduleWindow(EventSlot());
        return;
    }
    if (control == FieldCalculate) return;
    e.eventType = EventMortgage;
    if (!StorePaymentAccount(d, e)) return;
    StoreEvent(EventMortgage);
    d.End(1);
}

int RunEvent(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine) {
    if (!PrepareEventSlot()) return 0;
    return RunEventDialog(window, t, routine);
}

}  // namespace

CreditCardPayoff SimulateCreditCard(float balance, float rate, float payment, float purchases) {
    float b = balance, t = 0;
    int m = 0;
    bool done = false;
    for (int year = 0; year < 100 && !done; ++year) {
        for (int month = 0; month < 12; ++month) {
            b += purchases;
            float i = b * rate * 30 / 365 / 100;
            if (b - payment <= payment) {
                t += i;
                b = 0;
            } else {
                b -= payment - i;
                t += i;
                if (b <= 0) {  // paid off: this month is not counted
                    done = true;
                    break;
                }
            }
            m += 1;
            if (b <= 0) {
                done = true;
                break;
            }
        }
    }
    const float first = (balance + purchases) * rate * 30 / 365 / 100;
    return {m, static_cast<float>(m) / 12, t, done, !done && payment <= first + purchases};
}

int WithdrawalDialog() {
    if (!PrepareEventSlot()) return 0;
    if (!editingEvent) Slot().accountId = -1;
    return RunEventDialog(WindowWithdrawal, WithdrawalTemplate(), WithdrawalRoutine);
}
int DepositDialog() { return RunEvent(WindowDeposit, DepositTemplate(), DepositRoutine); }
int TransferDialog() { return RunEvent(WindowTransfer, TransferTemplate(), TransferRoutine); }
int FundamentalsDialog() {
    if (!PrepareEventSlot()) return 0;
    if (!editingEvent) {
        Slot().accountId = -1;
        InheritFundamentals(Slot());
    }
    return RunEventDialog(WindowFundamentals, FundamentalsTemplate(), FundamentalsRoutine);
}
int AccountRateDialog(int position) {
    if (position < 0 || position >= scenario.accountTable.accountCount) return 0;
    return ui::Dialogs().Run(AccountRateTemplate(), [position](ui::Dialog& d, int message, int control) {
        AccountRateRoutine(d, message, control, position);
    });
}
int LoanDialog() { return RunEvent(WindowLoan, LoanTemplate(), LoanRoutine); }
int CreditCardDialog() {
    cardCalculator = false;
    return RunEvent(WindowCreditCard, CreditCardTemplate(), CreditCardRoutine);
}
int CreditCardCalculatorDialog() {
    cardCalculator = true;
    std::memset(&cardScratch, 0, sizeof cardScratch);
    int result = Run(WindowCreditCard, CreditCardTemplate(), CreditCardRoutine);
    cardCalculator = false;
    return result;
}
int MortgageDialog() { return RunEvent(WindowMortgage, MortgageTemplate(), MortgageRoutine); }

void HandMortgageBack(int years, float amount, float downPayment, float rate, float payment) {
    handedBack = {1, years, amount, downPayment, rate, payment};
}

void HandMortgageTexts(const std::string& years, const std::string& amount, const std::string& downPayment,
                       const std::string& rate, std::string* payment) {
    handedTexts.present = 1;
    handedTexts.years = years;
    handedTexts.amount = amount;
    handedTexts.downPayment = downPayment;
    handedTexts.rate = rate;
    handedTexts.payment = payment;
}
