// Times one full projection run of the largest Scenario the limits allow:
// 50 accounts, 150 events, 100 result rows, every output file, detailed
// results and the account summary on. Writes its files into the current
// directory.
//
// Usage: tillory-bench [--runs N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/engine.h"

namespace {

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

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            std::fputs("Usage: tillory-bench [--runs N]\n", stderr);
            return 2;
        }
    }
    if (runs < 1) runs = 1;
    BuildLargestScenario();
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    std::strcpy(runSwitches.resultsPath, "bench.sch");

    for (int mode : {OutputResultsFile, OutputResultsList}) {
        if (!RunProjection(mode)) return 1;  // warm-up
        auto start = std::chrono::steady_clock::now();
        std::clock_t cpuStart = std::clock();
        for (int r = 0; r < runs; ++r) RunProjection(mode);
        double each = SecondsSince(start) / runs;
        double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / runs;
        std::printf("output mode %d: %d runs, %.3f ms per run (%.3f ms of processor time; %d rows, %d list lines)\n",
                    mode, runs, each * 1000.0, cpu * 1000.0, results.rowCount, resultsList.count);
    }
    return 0;
}
