// Deposits, withdrawals (Budget withdrawals included) and transfers between
// accounts: the amount of the year, the yearly growth of that amount, and the
// lifetime of the Event.
#include <cmath>
#include <cstdio>

#include "engine/internal.h"

namespace {

bool IsBudgetWithdrawal(const Event& e) {
    return e.eventType == EventWithdrawal && e.option == 1 && e.budgetIndex >= 1 && e.budgetIndex <= MaxBudgets;
}

int BudgetItems(const Budget& b) {
    const int n = b.itemCount;
    return n < 0 ? 0 : (n > MaxBudgetItems ? MaxBudgetItems : n);
}

// Whether the Event acts this year; marks it done in its last year.
bool ActsThisYear(Event& e) {
    const float age = run.projectionAge;
    const bool oneTime = e.oneTimeOnly != 0;
    if (e.endAge < age && !(oneTime && std::trunc(e.startAge) == std::trunc(age))) return false;
    if (oneTime || age >= e.endAge) e.runState = RunDone;
    return true;
}

// This year's amount: the entered amount unless it changes from year to
// year, prorated in a short first year unless it is paid once only.
float AmountOfYear(const Event& e, float yearFraction) {
    const bool fixed = e.applyRate == 0 && e.applyInflation != 1 && !IsBudgetWithdrawal(e);
    const float base = fixed ? e.amount : e.runAmount;
    return e.oneTimeOnly ? base : base * yearFraction;
}

// Next year's working amount of a Deposit, Transfer or plain Withdrawal.
void GrowWorkingAmount(Event& e) {
    float g = 0;
    if (e.applyRate != 0) g = e.applyRate * 0.01f;
    if (e.applyInflation == 1) g += run.currentInflationRate * 0.01f;
    if (g != 0) e.runAmount = e.runAmount * (1.0f + g);
}

// A Budget withdrawal grows item by item, each by its own rate.
void GrowBudget(Event& e) {
    Budget& b = scenario.budgets[e.budgetIndex - 1];
    const int items = BudgetItems(b);
    float sum = 0;
    for (int k = 0; k < items; ++k) {
        float rate = b.itemApplyRate[k];
        if (b.itemApplyInflation[k] == 1) rate += run.currentInflationRate;
        const float grown = b.itemYearlyCopy[k] * (1.0f + rate * 0.01f);
        b.itemYearlyCopy[k] = grown;
        sum += grown;
    }
    e.runAmount = sum;
}

void EmitBudgetTracking(const Event& e, float yearFraction, int outputMode, int eventIndex) {
    if (!LinesRead()) return;
    const Budget& b = scenario.budgets[e.budgetIndex - 1];
    const int items = BudgetItems(b);
    bool any = false;
    for (int k = 0; k < items; ++k) any = any || b.itemTrack[k] == 1;
    if (!any) return;
    EmitLine(outputMode, "           Tracking budget item(s):", eventIndex);
    char name[32], money[48], line[TextLine];
    for (int k = 0; k < items; ++k) {
        if (b.itemTrack[k] != 1) continue;
        float amount = b.itemYearlyCopy[k];
        if (!e.oneTimeOnly) amount = amount * yearFraction;
        CopyField(name, sizeof name, b.itemName[k]);
        MoneyText(money, sizeof money, "%-11.2f", amount);
        std::snprintf(line, sizeof line, "                %s - %s", name, money);
        EmitLine(outputMode, line, eventIndex);
    }
}

// Event item lines only for the years that are shown: nothing moves before.
void WriteAmountItem(int eventIndex) {
    if (run.projectionAge >= run.startYear) WriteEventAmountItem(run.projectionAge, eventIndex);
}

}  // namespace

void ProcessDeposit(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    if (!ActsThisYear(e)) return;
    float d = AmountOfYear(e, yearFraction);
    WriteAmountItem(eventIndex);
    GrowWorkingAmount(e);
    const int position = AccountPosition(e.accountId);
    if (position < 0) return;  // no account to deposit to: nothing arrives

    float tax = 0;
    if (e.secondary) {
        tax = d * run.currentTaxRate * 0.01f;
        run.depositTaxThisYear += tax;
        d = d * (1.0f - run.currentTaxRate * 0.01f);
    }
    run.year.totalIncoming += d;
    run.year.deposits += d;
    const Account& a = scenario.accountTable.accounts[position];
    if (run.projectionAge >= run.startYear) {
        SetBalance(position, a.balance + d);
        AddToTypeTotal(a.accountType, d);
    }
    // The name only for a line or an incoming item.
    char name[32] = "";
    if (LinesRead() || run.inFile) AccountNameAt(position, name, sizeof name);
    if (LinesRead()) {
        char description[80], money[48], taxText[48], line[TextLine];
        CopyField(description, sizeof description, e.description);
        MoneyText(money, sizeof money, "%-11.2f", d);
        if (e.secondary) {
            MoneyText(taxText, sizeof taxText, "%-11.2f", tax);
            std::snprintf(line, sizeof line, "  %s - Deposit %s to %s. %s tax deducted from deposit.", description,
                          money, name, taxText);
        } else {
            std::snprintf(line, sizeof line, "  %s - Deposit %s to %s", description, money, name);
        }
        EmitLine(outputMode, line, eventIndex);
    }
    if (run.projectionAge >= run.startYear) WriteIncomingItem(run.projectionAge, name, d);
}

void ProcessWithdrawal(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    if (!ActsThisYear(e)) return;
    const bool budget = IsBudgetWithdrawal(e);
    const float w = AmountOfYear(e, yearFraction);
    WriteAmountItem(eventIndex);
    if (runSwitches.tracking) run.year.withdrawals += w;

    if (LinesRead()) {
        char description[80], money[48], line[TextLine];
        CopyField(description, sizeof description, e.description);
        MoneyText(money, sizeof money, "%-11.2f", w);
        std::snprintf(line, sizeof line, budget ? "  Budget - %s - Withdraw %s" : "  %s - Withdraw %s", description,
                      money);
        EmitLine(outputMode, line, eventIndex);
    }
    if (budget) {
        EmitBudgetTracking(e, yearFraction, outputMode, eventIndex);
        GrowBudget(e);
    } else {
        GrowWorkingAmount(e);
    }
    const bool assigned = e.accountId >= 0 && e.years == AccountAssignedMarker;
    PayForEvent(eventIndex, w, outputMode, assigned ? e.accountId : -1, yearFraction);
}

void ProcessTransfer(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    if (e.transferAll) {
        // The whole balance, once, in the start year.
        e.runState = RunDone;
        TransferFunds(run.projectionAge, outputMode, eventIndex, 0);
        return;
    }
    if (!ActsThisYear(e)) return;
    const float amount = AmountOfYear(e, yearFraction);
    GrowWorkingAmount(e);
    TransferFunds(run.projectionAge, outputMode, eventIndex, amount);
}

void TransferFunds(float age, int outputMode, int eventIndex, float amount) {
    if (age < run.startYear) return;
    Event& e = scenario.events[eventIndex];
    const int from = AccountPosition(e.secondary);
    const int to = AccountPosition(e.accountId);
    if (from < 0 || to < 0) return;  // a transfer needs both ends
    const Account& source = scenario.accountTable.accounts[from];
    const Account& target = scenario.accountTable.accounts[to];
    // An overdrawn account has nothing to give: a transfer never pulls money
    // back out of the receiving account.
    const float available = source.balance > 0 ? source.balance : 0.0f;
    float shortfall = 0;
    if (e.transferAll) {
        amount = available;
    } else if (available < amount) {
        shortfall = amount - available;
        amount = available;
    }
    if (source.accountType == AccountRetirementSavings && target.accountType != AccountRetirementSavings) {
        const float tax = amount * run.currentTaxRate * 0.01f;
        run.year.taxes += tax;
        run.year.withdrawalTaxes += tax;
    }
    SetBalance(from, source.balance - amount);
    AddToTypeTotal(source.accountType, -amount);
    SetBalance(to, target.balance + amount);
    AddToTypeTotal(target.accountType, amount);

    if (LinesRead()) {
        char description[80], fromName[32], toName[32], money[48], line[TextLine];
        CopyField(description, sizeof description, e.description);
        AccountNameAt(from, fromName, sizeof fromName);
        AccountNameAt(to, toName, sizeof toName);
        MoneyText(money, sizeof money, "%-11.2f", amount);
        std::snprintf(line, sizeof line, "  %s %s %s from %s to %s ", description, " Transfer", money, fromName,
                      toName);
        EmitLine(outputMode, line, eventIndex);
        if (shortfall > 0) {
            MoneyText(money, sizeof money, "%-11.2f", shortfall);
            std::snprintf(line, sizeof line, "  %s - %s depleted %s not transferred!", description, fromName, money);
            EmitLine(outputMode, line, eventIndex);
        }
    }
    if (shortfall > 0) {
        ++run.failedTransfers;
        RaiseRedFlag(run.transferFailed, age);
    }
}
