#include "largest_scenario.h"

#include <cstdio>

#include "engine/engine.h"

void BuildLargestScenario() {
    state.eventCount = 0;
    NewScenarioByHand();
    InitialValues& iv = scenario.initialValues;
    iv.startAge = 20;
    iv.endAge = 119;  // 99 years and the closing row: 100 rows
    iv.taxRate = 22;
    iv.inflationRate = 3;
    static const uint16_t types[] = {AccountInvestmentSavings, AccountRetirementSavings, AccountTaxFreeSavings,
                                     AccountEquity, AccountAsset};
    for (int i = 0; i < MaxAccounts; ++i) {
        Account& a = scenario.accountTable.accounts[i];
        char name[32];
        std::snprintf(name, sizeof name, "Account %02d", i);
        SetFieldText(a.name, name);
        a.accountType = types[i % 5];
        a.initialAmount = 10000.0f + 1000.0f * static_cast<float>(i);
        a.yearlyRate = a.accountType == AccountAsset ? -2.0f : 1.0f + 0.1f * static_cast<float>(i);
        a.randomMinRate = 0;
        a.randomMaxRate = 12;
        a.groupIndex = static_cast<uint16_t>(i % MaxGroups);
        AssignAccountId(i);
    }
    RecomputeInitialTotals();
    static const uint16_t eventTypes[] = {EventFundamentals, EventDeposit, EventWithdrawal, EventTransfer,
                                          EventLoan,         EventMortgage};
    for (int i = 0; i < MaxEvents; ++i) {
        ResetEventSlot(i);
        Event& e = scenario.events[i];
        e.eventType = eventTypes[i % 6];
        e.startAge = static_cast<float>(20 + (i * 2) % 90);
        e.endAge = e.startAge + 10;
        e.amount = e.eventType == EventFundamentals ? 20.0f + static_cast<float>(i % 5) : 1000.0f * static_cast<float>(1 + i % 7);
        e.rate2 = e.eventType == EventFundamentals ? 3.0f : 0.0f;
        e.accountId = static_cast<int16_t>(i % MaxAccounts);
        e.secondary = static_cast<int16_t>((i + 1) % MaxAccounts);
        e.loanRate = 5;
        e.years = 10;
        char text[40];
        std::snprintf(text, sizeof text, "Event %03d", i);
        SetFieldText(e.description, text);
        state.eventCount = i + 1;
    }
    SortEvents();
}

void BuildLargestRandomScenario(int source, int kind) {
    BuildLargestScenario();
    for (int i = 0; i < MaxAccounts; ++i) scenario.accountOptions.stdDeviation[i] = 2;
    for (int g = 0; g < MaxGroups; ++g) scenario.settings.groupRandomMaxRate[g] = 10;
    scenario.settings.mcMaxInflationRate = 6;
    scenario.settings.mcRandomSource = static_cast<int16_t>(source);
    scenario.settings.mcDistribution = static_cast<int16_t>(kind);
}
