// The item files, the year's flow record and the export header.
#include <cmath>
#include <cstdio>

#include "engine/internal.h"

namespace {

void WriteItem(std::FILE* f, float age, const char* accountName, float amount) {
    if (!f) return;
    std::fprintf(f, "%5.1f\t%s\t%13.2f\n", static_cast<double>(age), accountName, static_cast<double>(amount));
}

}  // namespace

void WriteIncomingItem(float age, const char* accountName, float amount) {
    WriteItem(run.inFile, age, accountName, amount);
}

void WriteOutgoingItem(float age, const char* accountName, float amount) {
    WriteItem(run.outFile, age, accountName, amount);
}

void WriteEventAmountItem(float age, int eventIndex) {
    if (!run.bigFile || eventIndex < 0 || eventIndex >= MaxEvents) return;
    const Event& e = scenario.events[eventIndex];
    char description[80];
    CopyField(description, sizeof description, e.description);
    std::fprintf(run.bigFile, "%5.1f\t%s\t%d\t%13.2f\n", static_cast<double>(age), description, e.eventType,
                 static_cast<double>(e.runAmount));
}

void YearFlowValues(float out[FlowCount]) {
    const YearTotals& y = run.year;
    const float depreciation = std::fabs(y.depreciation);
    out[0] = y.totalIncoming;
    out[1] = y.deposits;
    out[2] = y.taxableIncome;
    out[3] = y.nonTaxableIncome;
    out[4] = y.withdrawals + y.taxes + y.interestPaid + y.penalties + y.closingCosts + depreciation;
    out[5] = y.withdrawals;
    out[6] = y.taxes;
    out[7] = y.interestPaid;
    out[8] = y.penalties;
    out[9] = y.loans;
    out[10] = y.saleProceeds;
    out[11] = y.appreciation;
    out[12] = depreciation + y.closingCosts;
}

void WriteYearFlows() {
    if (run.projectionAge < run.startYear) return;
    float flows[FlowCount];
    YearFlowValues(flows);
    // A year line begun in the plot file is always finished, so the file
    // stays readable line by line whatever kind of run wrote it.
    if (run.plotYearOpen && run.plotFile) {
        for (int k = 0; k < FlowCount; ++k)
            std::fprintf(run.plotFile, k + 1 < FlowCount ? "%.2f " : "%.2f\n", static_cast<double>(flows[k]));
    }
    run.plotYearOpen = 0;
    if (runSwitches.monteCarloTrial >= 1) return;
    int row = run.yearIndex;
    if (row < 0 || row >= MaxResultRows) return;
    for (int k = 0; k < FlowCount; ++k) results.yearSummary[row][7 + k] = flows[k];
}

void WriteExportHeader(std::FILE* stream, int comma) {
    if (!stream) return;
    const char* sep = comma ? "," : "\t";
    std::fprintf(stream, "Age%s", sep);
    int n = LiveAccountCount();
    char name[32];
    for (int i = 0; i < n; ++i) {
        AccountNameAt(i, name, sizeof name);
        std::fprintf(stream, "%s%s", name, sep);
    }
    std::fprintf(stream, "Equity%s", sep);
    std::fputs(comma ? "Total,\n" : "Total\n", stream);
}
