// The item files, the year's flow record and the export header.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/fixed_text.h"
#include "engine/internal.h"
#include "engine/run_files.h"

namespace {

// "%5.1f\t%s\t%13.2f\n", or with the event type as a second cell, without
// printf: these lines are most of what a run writes.
void WriteItem(std::FILE* f, float age, const char* name, const char* type, float amount) {
    char line[320];
    size_t nameLength = std::strlen(name), typeLength = type ? std::strlen(type) : 0;
    if (nameLength + typeLength > 200) {
        if (type)
            std::fprintf(f, "%5.1f\t%s\t%s\t%13.2f\n", static_cast<double>(age), name, type, static_cast<double>(amount));
        else
            std::fprintf(f, "%5.1f\t%s\t%13.2f\n", static_cast<double>(age), name, static_cast<double>(amount));
        return;
    }
    char* p = PutFixed(line, age, 5, 1);
    *p++ = '\t';
    std::memcpy(p, name, nameLength);
    p += nameLength;
    *p++ = '\t';
    if (type) {
        std::memcpy(p, type, typeLength);
        p += typeLength;
        *p++ = '\t';
    }
    p = PutFixed(p, amount, 13, 2);
    *p++ = '\n';
    PutRunText(f, line, static_cast<size_t>(p - line));
}

}  // namespace

void WriteItemLine(std::FILE* f, float age, const char* accountName, float amount) {
    if (!f) return;
    WriteItem(f, age, accountName, nullptr, amount);
}

void WriteEventAmountItem(float age, int eventIndex) {
    if (!run.bigFile || eventIndex < 0 || eventIndex >= MaxEvents) return;
    const Event& e = scenario.events[eventIndex];
    char description[80], type[8];
    CopyField(description, sizeof description, e.description);
    auto end = std::to_chars(type, type + sizeof type - 1, static_cast<int>(e.eventType)).ptr;
    *end = 0;
    WriteItem(run.bigFile, age, description, type, e.runAmount);
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
    // A trial keeps no flows and has no plot file to finish.
    if (runSwitches.monteCarloTrial >= 1 && !run.plotFile) {
        run.plotYearOpen = 0;
        return;
    }
    float flows[FlowCount];
    YearFlowValues(flows);
    // A year line begun in the plot file is always finished, so the file
    // stays readable line by line whatever kind of run wrote it.
    if (run.plotYearOpen && run.plotFile) {
        char line[FlowCount * 48];
        char* p = line;
        for (int k = 0; k < FlowCount; ++k) {
            p = PutFixed(p, flows[k], 0, 2);
            *p++ = k + 1 < FlowCount ? ' ' : '\n';
        }
        PutRunText(run.plotFile, line, static_cast<size_t>(p - line));
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
        if (comma && std::strpbrk(name, ",\"")) {
            // A name with a comma or a quote is quoted, its quotes doubled,
            // or every heading after it would stand over the wrong column.
            std::fputc('"', stream);
            for (const char* c = name; *c; ++c) {
                if (*c == '"') std::fputc('"', stream);
                std::fputc(*c, stream);
            }
            std::fprintf(stream, "\"%s", sep);
            continue;
        }
        std::fprintf(stream, "%s%s", name, sep);
    }
    std::fprintf(stream, "Equity%s", sep);
    std::fputs(comma ? "Total,\n" : "Total\n", stream);
}
