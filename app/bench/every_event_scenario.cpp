#include "every_event_scenario.h"

#include <cstdio>

#include "engine/engine.h"
#include "largest_scenario.h"

namespace {

Event& NextEvent(uint16_t type, float start, float end) {
    const int slot = state.eventCount;
    ResetEventSlot(slot);
    Event& e = scenario.events[slot];
    e.eventType = type;
    e.startAge = start;
    e.endAge = end;
    char text[40];
    std::snprintf(text, sizeof text, "Event %03d", slot);
    SetFieldText(e.description, text);
    state.eventCount = slot + 1;
    return e;
}

bool IsLiquidType(int type) {
    return type == AccountInvestmentSavings || type == AccountRetirementSavings || type == AccountTaxFreeSavings;
}

int16_t IdAt(int position) { return static_cast<int16_t>(scenario.accountTable.accounts[position].accountId); }

void AddBudgets() {
    for (int b = 0; b < MaxBudgets; ++b) {
        Budget& budget = scenario.budgets[b];
        budget.itemCount = MaxBudgetItems;
        float total = 0;
        for (int k = 0; k < MaxBudgetItems; ++k) {
            char name[24];
            std::snprintf(name, sizeof name, "Item %02d", k);
            SetFieldText(budget.itemName[k], name);
            budget.itemYearly[k] = budget.itemYearlyCopy[k] = 100.0f + 10.0f * static_cast<float>(k);
            budget.itemApplyRate[k] = static_cast<float>(k % 4);
            budget.itemApplyInflation[k] = static_cast<uint16_t>(k % 2);
            budget.itemTrack[k] = static_cast<uint16_t>(k % 3 == 0);
            total += budget.itemYearly[k];
        }
        budget.yearlyTotal = total;
        budget.active = 1;
        budget.startAge = static_cast<int16_t>(30 + 10 * b);
        budget.endAge = static_cast<int16_t>(budget.startAge + 40);
        budget.accountId = b % 2 ? IdAt(5 * b + 1) : -1;  // a Retirement Savings account
        Event& e = NextEvent(EventWithdrawal, budget.startAge, budget.endAge);
        SetFieldText(e.description, FieldText(budget.name));
        e.option = 1;
        e.budgetIndex = static_cast<int16_t>(b + 1);
        e.amount = total;
        e.accountId = static_cast<int16_t>(budget.accountId);
        e.years = budget.accountId >= 0 ? AccountAssignedMarker : 0;
    }
}

// One event of kind `k` (of 12) starting at `start`, drawing on accounts
// chosen by `i`.
void AddEventOfKind(int k, int i, float start) {
    const int liquid = (i % 10) * 5 + 1;  // a Retirement Savings account
    const int saver = (i % 10) * 5;        // an Investment Savings account
    const int asset = (i % 10) * 5 + 4;
    switch (k) {
        case 0: {
            Event& e = NextEvent(EventFundamentals, start, start);
            e.amount = 20.0f + static_cast<float>(i % 5);
            e.rate2 = 2.0f + static_cast<float>(i % 3);
            e.accountId = IdAt(i % MaxAccounts);
            e.loanRate = 4.0f + static_cast<float>(i % 4);
            break;
        }
        case 1:
        case 2: {
            Event& e = NextEvent(EventDeposit, start, start + 15);
            e.amount = 2000.0f + 100.0f * static_cast<float>(i % 9);
            e.accountId = IdAt(k == 1 ? saver : liquid);
            e.secondary = static_cast<int16_t>(k == 1);
            e.applyRate = 2;
            e.applyInflation = 1;
            e.oneTimeOnly = static_cast<uint16_t>(i % 7 == 0);
            break;
        }
        case 3:
        case 4: {
            Event& e = NextEvent(EventWithdrawal, start, start + 20);
            e.amount = 3000.0f + 100.0f * static_cast<float>(i % 11);
            e.applyInflation = 1;
            if (k == 4) {
                e.accountId = IdAt(liquid);
                e.years = AccountAssignedMarker;
            } else {
                e.accountId = -1;
            }
            break;
        }
        case 5: {
            Event& e = NextEvent(EventTransfer, start, start + 10);
            e.amount = 1500;
            e.secondary = IdAt(liquid);
            e.accountId = IdAt(saver);
            e.transferAll = static_cast<uint16_t>(i % 5 == 0);
            break;
        }
        case 6:
        case 7: {
            Event& e = NextEvent(EventLoan, start, start + 12);
            e.amount = 15000;
            e.rate2 = k == 7 ? 3000.0f : 0.0f;
            e.loanRate = 7;
            e.years = static_cast<int16_t>(5 + i % 6);
            e.accountId = IdAt(k == 6 ? saver : asset);
            e.applyRate = k == 7 ? start + 8 : 0.0f;  // sell the asset
            e.paymentAccountId = IdAt(saver);
            e.paymentAccountAssigned = static_cast<int16_t>(i % 2 ? AccountAssignedMarker : 0);
            break;
        }
        case 8: {
            Event& e = NextEvent(EventLoan, start, start + 6);
            e.applyInflation = CreditCardMarker;
            e.amount = 4000;
            e.loanRate = 18;
            e.monthlyPayment = 150;
            e.taxes = 50;  // monthly purchases
            e.accountId = IdAt(saver);
            e.years = static_cast<int16_t>(i % 2 ? AccountAssignedMarker : 0);
            break;
        }
        default: {  // mortgages: plain, accelerated from their start or from the start age, sold
            Event& e = NextEvent(EventMortgage, start, start + 30);
            e.amount = 250000;
            e.rate2 = 50000;
            e.loanRate = 5.5f;
            e.years = 30;
            e.rate3 = 3;
            e.taxes = 3000;
            e.applyInflation = 1;
            e.closingCosts = 4000;
            e.accountId = static_cast<int16_t>(k == 9);
            e.option = static_cast<uint16_t>(k - 9);
            e.acceleratedAmount = e.option ? 200.0f : 0.0f;
            e.applyRate = k == 11 ? start + 15 : 0.0f;
            e.salePercent = 6;
            e.paymentAccountId = IdAt(saver);
            e.paymentAccountAssigned = AccountAssignedMarker;
            break;
        }
    }
}

}  // namespace

void BuildEveryEventScenario() {
    // The ages, rates and 50 accounts of the largest Scenario (ten of each
    // type in turn: Investment, Retirement, Tax Free Savings, Equity, Asset),
    // with penalties, asset allocation and RMD tables, and other Events.
    BuildLargestScenario();
    for (int i = 0; i < MaxEvents; ++i) ResetEventSlot(i);
    state.eventCount = 0;
    AccountOptions& o = scenario.accountOptions;
    for (int i = 0; i < MaxAccounts; ++i) {
        Account& a = scenario.accountTable.accounts[i];
        const int slot = a.optionsSlot;
        o.penaltyAge[slot] = 59;
        o.penaltyRate[slot] = 10;
        a.penaltyApplies = static_cast<uint16_t>(a.accountType == AccountRetirementSavings);
        o.assetAllocation[slot] = static_cast<uint16_t>(IsLiquidType(a.accountType));
        if (a.accountType == AccountRetirementSavings) o.rmdTable[slot] = static_cast<int16_t>(10 * (1 + i % 3));
    }
    for (int k = 0; k < RmdTableLength; ++k) {
        o.rmdValues1[k] = DefaultRmdValues[k];
        o.rmdValues2[k] = DefaultRmdValues[k];
        o.rmdValues3[k] = DefaultRmdValues[k];
    }
    o.rmdStartAge2 = 72;
    o.rmdStartAge3 = 75;
    o.rmdTargetAccount = IdAt(0);
    scenario.accountTable.rmdOption = 1;

    scenario.accountTable.assetAllocOption = 1;
    scenario.accountTable.assetAllocStartAge = 60;
    scenario.accountTable.assetAllocAmount = 2500;
    Event& allocation = NextEvent(EventAssetAllocation, 60, 120);
    allocation.amount = 2500;
    SetFieldText(allocation.description, "Asset allocation withdrawal option in effect.");

    AddBudgets();
    // Every other slot but the three RMD option Events made below.
    for (int i = 0; state.eventCount < MaxEvents - 3; ++i)
        AddEventOfKind(i % 12, i, static_cast<float>(20 + (i * 7) % 80));
    RebuildGeneratedEvents();
    SortEvents();
}
