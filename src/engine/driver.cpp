// The projection driver: set-up, the year loop, the closing record, the
// statistics and red-flag trailer, and the closing of every file.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "engine/fixed_text.h"
#include "engine/internal.h"
#include "engine/payment.h"
#include "engine/run_files.h"
#include "montecarlo/random.h"

RunSwitches runSwitches;
RunState run;
ResultTables results;
double inflationFactor[MaxResultRows];
RandomRateCounters randomCounters;
std::vector<Notice> runNotices;

namespace {

// A line of n dashes (n up to 200).
const char* Dashes(int n) {
    static const char line[] =
        "----------------------------------------------------------------------------------------------------"
        "----------------------------------------------------------------------------------------------------";
    static_assert(sizeof line == 201);
    return line + (200 - n);
}

float Whole(float age) { return std::trunc(age); }

// The results file the run writes itself (a chosen file, or the print file).
PartFile resultsPart;

bool RandomRates() { return runSwitches.randomAccountRates || runSwitches.randomGroupRates; }

void ComputeNetWorth() {
    run.netWorth = run.investmentTotal + run.taxFreeTotal + run.retirementTotal + run.equityTotal +
                   run.assetTotal - run.liabilities;
}

// The whole ages for which the plot file gets year records, and their count.
void PlotWindow(int& from, int& to, float& count) {
    int first = WholeInt(scenario.initialValues.startAge);
    from = first;
    to = 1000;
    count = run.endAge - static_cast<float>(first) + 1;
    if (!runSwitches.graphWindow) return;
    int f = runSwitches.graphFromAge, t = runSwitches.graphToAge;
    if (t == 0 && f == 0) return;
    if (t == 0) {
        if (f - first + 1 < 3) ++f;
        from = first;
        to = f;
        count = static_cast<float>(f - first + 1);
        return;
    }
    if (t - f < 3) ++t;
    from = f;
    to = t;
    count = static_cast<float>(t - f + 1);
}

bool InPlotWindow(float age) {
    int from, to;
    float count;
    PlotWindow(from, to, count);
    int whole = WholeInt(age);
    return whole >= from && whole <= to;
}

std::FILE* OpenItemFile(const char* path, const char* shownName) {
    std::FILE* f = OpenRunFile(path);
    if (!f) {
        char text[128];
        std::snprintf(text, sizeof text, "Cannot open temporary print file -- %s", shownName);
        runNotices.push_back({text, "FILE ERROR"});
    }
    return f;
}

void WritePlotHeader() {
    std::FILE* f = run.plotFile;
    const ReportOptions& r = scenario.reportOptions;
    std::fprintf(f, "%d\n", runSwitches.plotFolderCode);
    char text[PathLength + 16];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (r.title1On) {
        CopyField(text, sizeof text, r.title1);
    } else {
        char path[PathLength];
        CopyField(path, sizeof path, state.scenarioPath);
        std::snprintf(text, sizeof text, "File: %s", path);
    }
    std::fprintf(f, "%s\n", text);
    if (r.title2On) {
        CopyField(text, sizeof text, r.title2);
    } else {
        std::strftime(text, sizeof text, "Date: %m/%d/%y", &local);
    }
    std::fprintf(f, "%s\n", text);
    if (r.title3On) {
        CopyField(text, sizeof text, r.title3);
    } else {
        std::strftime(text, sizeof text, "Time: %H:%M:%S", &local);
    }
    std::fprintf(f, "%s\n", text);
}

void WritePlotAccounts() {
    int from, to;
    float count;
    PlotWindow(from, to, count);
    int n = LiveAccountCount();
    std::fprintf(run.plotFile, "%.2f\n", static_cast<double>(count));
    std::fprintf(run.plotFile, "%d\n", n);
    char name[32];
    for (int i = 0; i < n; ++i) {
        AccountNameAt(i, name, sizeof name);
        std::fprintf(run.plotFile, "%s\n", name);
    }
}

void WriteExportRow() {
    std::FILE* f = runSwitches.exportFile;
    if (!f || !(runSwitches.exportTab || runSwitches.exportComma)) return;
    char sep = runSwitches.exportComma ? ',' : '\t';
    std::fprintf(f, "%.2f%c", static_cast<double>(run.projectionAge), sep);
    float total = 0;
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        float b = scenario.accountTable.accounts[i].balance;
        total += b;
        std::fprintf(f, "%.2f%c", static_cast<double>(b), sep);
    }
    total += run.equityTotal;
    std::fprintf(f, "%.2f%c", static_cast<double>(run.equityTotal), sep);
    std::fprintf(f, "%.2f\n", static_cast<double>(total));
}

// The start-of-year balances (and the end balances of the closing record):
// export row, plot balance lines and year line, the table rows.
void RecordBalances() {
    WriteExportRow();
    const int n = LiveAccountCount();
    const int row = run.yearIndex;
    const bool inTable = row >= 0 && row < MaxResultRows;
    // One pass over the accounts for the row's balances and the Asset
    // accounts' sum (added in list order).
    float outside[BalanceCells];
    float* balances = inTable ? results.accountBalance[row] : outside;
    float assets = 0;
    for (int k = 0; k < n; ++k) {
        const Account& a = scenario.accountTable.accounts[k];
        balances[k] = a.balance;
        if (a.accountType == AccountAsset) assets += a.balance;
    }
    for (int k = n; k < BalanceCells; ++k) balances[k] = 0;
    if (run.plotFile && InPlotWindow(run.projectionAge)) {
        // "%.2f\n" per account, then "%.1f %.2f %.2f %.2f %.2f %.2f %.2f ",
        // written without printf: the plot file is much of what a run writes.
        char text[(MaxAccounts + 7) * 48];
        char* p = text;
        for (int i = 0; i < n; ++i) {
            p = PutFixed(p, scenario.accountTable.accounts[i].balance, 0, 2);
            *p++ = '\n';
        }
        p = PutFixed(p, run.projectionAge, 0, 1);
        for (float v : {run.investmentTotal, run.taxFreeTotal, run.retirementTotal, assets, run.equityTotal, run.netWorth}) {
            *p++ = ' ';
            p = PutFixed(p, v, 0, 2);
        }
        *p++ = ' ';
        PutRunText(run.plotFile, text, static_cast<size_t>(p - text));
        run.plotYearOpen = 1;
    }
    if (!inTable) return;
    float* cells = results.yearSummary[row];
    cells[0] = run.projectionAge;
    cells[1] = run.investmentTotal;
    cells[2] = run.taxFreeTotal;
    cells[3] = run.retirementTotal;
    cells[4] = assets;
    cells[5] = run.equityTotal;
    cells[6] = run.netWorth;
    results.rowCount = row + 1;
}

// Values within a dollar of zero are shown, and kept, as 0.
void ClearResidue(float& value) {
    if (std::fabs(value) < 1.0f) value = 0;
}

// A row's totals as they are shown and stored, and the net worth as their
// sum: the row adds up to what it prints.
void SettleRow() {
    ClearResidue(run.investmentTotal);
    ClearResidue(run.taxFreeTotal);
    ClearResidue(run.retirementTotal);
    ClearResidue(run.assetTotal);
    ClearResidue(run.equityTotal);
    ClearResidue(run.liabilities);
    ComputeNetWorth();
    ClearResidue(run.netWorth);
}

void EmitScheduleRow(int outputMode, float shownAge, const char* dash) {
    SettleRow();
    if (!LinesRead()) return;
    const float values[7] = {run.investmentTotal, run.taxFreeTotal, run.retirementTotal, run.assetTotal,
                             run.equityTotal,     run.liabilities,  run.netWorth};
    char money[7][48];
    for (int i = 0; i < 7; ++i) MoneyText(money[i], sizeof money[i], "%-13.2f", values[i]);
    char line[TextLine];
    std::snprintf(line, sizeof line, "%-5.1f\t%15s\t%15s\t%15s\t%15s\t%15s\t%15s\t%15s",
                  static_cast<double>(shownAge), money[0], money[1], money[2], money[3], money[4], money[5],
                  money[6]);
    EmitLine(outputMode, dash, TagOther);
    EmitLine(outputMode, line, TagOther);
}

void RecordByAge(int age) {
    if (age < 0 || age >= AgeSlots) return;
    results.investmentByAge[age] = run.investmentTotal;
    results.taxFreeByAge[age] = run.taxFreeTotal;
    results.retirementByAge[age] = run.retirementTotal;
    results.assetByAge[age] = run.assetTotal;
    results.equityByAge[age] = run.equityTotal;
    results.liabilitiesByAge[age] = run.liabilities;
}

void EmitInitialRates(int outputMode) {
    const InitialValues& iv = scenario.initialValues;
    char line[TextLine], label[64], name[32];
    EmitLine(outputMode, "Initial Rates:", 0);
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        AccountNameAt(i, name, sizeof name);
        std::snprintf(label, sizeof label, " %s = ", name);
        RateLine(line, sizeof line, label, scenario.accountTable.accounts[i].yearlyRate);
        EmitLine(outputMode, line, TagInitialRate);
    }
    RateLine(line, sizeof line, " Tax = ", iv.taxRate);
    EmitLine(outputMode, line, TagInitialRate);
    RateLine(line, sizeof line, " Inflation = ", iv.inflationRate);
    EmitLine(outputMode, line, TagInitialRate);
    RateLine(line, sizeof line, " Appreciation = ", iv.equityAppreciationRate);
    EmitLine(outputMode, line, TagInitialRate);
}

void EmitRateStatistics(int outputMode) {
    if (!runSwitches.detailedRates || !RandomRates()) return;
    char line[TextLine], name[32];
    EmitLine(outputMode, "Rate Statistics:", TagOther);
    if (runSwitches.randomAccountRates) {
        int n = LiveAccountCount();
        for (int i = 0; i < n; ++i) {
            const Account& a = scenario.accountTable.accounts[i];
            int slot = a.optionsSlot < MaxAccounts ? a.optionsSlot : 0;
            float count = scenario.accountOptions.mcRateCount[slot];
            if (!(count > 0)) continue;
            AccountNameAt(i, name, sizeof name);
            std::snprintf(line, sizeof line, "Average %s Rate = %-6.2f Number = %-6.2f Min = %-6.2f Max = %-6.2f", name,
                          static_cast<double>(a.mcRateSum / count), static_cast<double>(count),
                          static_cast<double>(a.mcMinRate), static_cast<double>(a.mcMaxRate));
            EmitLine(outputMode, line, TagRandomRate);
        }
    }
    if (runSwitches.randomGroupRates) {
        for (int g = 0; g < MaxGroups; ++g) {
            const GroupRateStatistics& s = results.groups[g];
            if (s.count <= 0) continue;
            CopyField(name, sizeof name, scenario.settings.groupName[g]);
            std::snprintf(line, sizeof line, "Average %s Rate    = %-6.2f Number = %-3d Min = %-6.2f Max = %-6.2f", name,
                          static_cast<double>(s.sum / static_cast<float>(s.count)), s.count,
                          static_cast<double>(s.minimum), static_cast<double>(s.maximum));
            EmitLine(outputMode, line, TagRandomRate);
        }
    }
}

void EmitRedFlags(int outputMode) {
    const RedFlag* flags[] = {&run.penaltyPaid,   &run.liquidDepleted,  &run.withdrawalAccountDepleted,
                              &run.rmdDepleted,   &run.transferFailed,  &run.negativeNetWorth};
    bool any = false;
    for (const RedFlag* f : flags) any = any || f->happened;
    if (!any || !LinesRead()) return;
    EmitLine(outputMode, "Red flags at age(s):", TagOther);
    char line[TextLine];
    auto put = [&](const RedFlag& f, const char* text) {
        if (!f.happened) return;
        std::snprintf(line, sizeof line, " %-5.1f  %s", static_cast<double>(f.age), text);
        EmitLine(outputMode, line, TagOther);
    };
    put(run.penaltyPaid, "A penalty was paid starting at this age.");
    put(run.liquidDepleted, "Liquid accounts were depleted.");
    put(run.withdrawalAccountDepleted, "A withdrawal account was depleted.");
    put(run.rmdDepleted, "RMD accounts were depleted.");
    if (run.transferFailed.happened) {
        std::snprintf(line, sizeof line,
                      " %-5.1f  There were %d transfer(s) not completed due to insufficient funds starting at this age.",
                      static_cast<double>(run.transferFailed.age), run.failedTransfers);
        EmitLine(outputMode, line, TagOther);
    }
    put(run.negativeNetWorth, "Your net worth went negative.");
}

void PositionResultsList() {
    int last = resultsList.count - 1;
    switch (runSwitches.positionMode) {
        case PositionTop:
            results.selectedLine = last >= 0 ? 0 : -1;
            break;
        case PositionGoTo: {
            int age = runSwitches.goToAge;
            results.selectedLine = age >= 0 && age < AgeSlots ? results.lineIndexByAge[age] : -1;
            break;
        }
        default:
            results.selectedLine = last;
            break;
    }
}

// A results file the run opened takes its target's place only when `keep`
// and every write succeeded; a stream of the caller is only flushed (the
// caller checks it).
bool CloseResultsStream(bool keep) {
    if (!run.resultsStream) return true;
    bool ok = true;
    if (!run.ownsResultsStream) {
        std::fflush(run.resultsStream);
    } else if (!keep) {
        resultsPart.Abandon();
    } else if (!resultsPart.Commit()) {
        const char* path = run.outputMode == OutputResultsFile ? runSwitches.resultsPath : PrintFileName;
        runNotices.push_back({std::string("Cannot write ") + path, "FILE ERROR"});
        ok = false;
    }
    run.resultsStream = nullptr;
    run.ownsResultsStream = 0;
    return ok;
}

bool CloseItemFile(std::FILE*& f, const char* shownName) {
    if (!f) return true;
    std::fputs("Dooone\n", f);
    const bool ok = CloseRunFile(f);
    f = nullptr;
    if (!ok) runNotices.push_back({std::string("Cannot write temporary print file -- ") + shownName, "FILE ERROR"});
    return ok;
}

void DropRunFiles() {
    for (std::FILE** f : {&run.bigFile, &run.inFile, &run.outFile, &run.plotFile}) {
        DropRunFile(*f);
        *f = nullptr;
    }
}

bool ClosePlotFile() {
    std::FILE* f = run.plotFile;
    if (!f) return true;
    for (int g = 0; g < MaxGroups; ++g) {
        char name[32];
        CopyField(name, sizeof name, scenario.settings.groupName[g]);
        std::fprintf(f, "%s\n", name);
    }
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) std::fprintf(f, "%d\n", scenario.accountTable.accounts[i].groupIndex);
    std::fputs("Done\n", f);
    run.plotFile = nullptr;
    if (CloseRunFile(f)) return true;
    runNotices.push_back({"Cannot write plot file.", "FILE ERROR"});
    return false;
}

void DrawYearInflation() {
    const ScenarioSettings& s = scenario.settings;
    float low = s.mcMinInflationRate, high = s.mcMaxInflationRate;
    float drawn = s.mcDistribution == 1 ? UniformRate(low, high) : static_cast<float>(GaussianRangeRate(low, high));
    scenario.initialValues.inflationRate = drawn;
}

// The Events a year visits. Each year used to ask all 150 slots; most are
// not started yet or done for good (a done Event never runs again in the
// run), so the year visits the running ones, in list order, and takes in the
// waiting ones as their start age comes.
struct EventVisits {
    int16_t waiting[MaxEvents];  // not started, by start age (then list order)
    int waitingCount, nextWaiting;
    int16_t running[MaxEvents];  // started, not done, in list order
    int runningCount;
    int16_t cards[MaxEvents];    // the Credit Card Debts, in list order
    int cardCount;
};
EventVisits visits;

void ListEventVisits(int events) {
    EventVisits& v = visits;
    v.waitingCount = v.nextWaiting = v.runningCount = v.cardCount = 0;
    for (int i = 0; i < events; ++i) {
        const Event& e = scenario.events[i];
        if (IsCreditCard(e)) v.cards[v.cardCount++] = static_cast<int16_t>(i);
        if (e.runState == RunActive) {
            v.running[v.runningCount++] = static_cast<int16_t>(i);
        } else if (e.runState == RunNotStarted && !std::isnan(e.startAge)) {
            // Insertion by start age keeps list order among equal ages.
            int k = v.waitingCount++;
            for (; k > 0 && scenario.events[v.waiting[k - 1]].startAge > e.startAge; --k) v.waiting[k] = v.waiting[k - 1];
            v.waiting[k] = static_cast<int16_t>(i);
        }
        // Any other state never runs: ProcessEvent would pass it by.
    }
}

// The waiting Events whose start age has come join the running ones.
void AdmitStartedEvents(float age) {
    EventVisits& v = visits;
    while (v.nextWaiting < v.waitingCount && scenario.events[v.waiting[v.nextWaiting]].startAge <= age) {
        const int16_t i = v.waiting[v.nextWaiting++];
        int k = v.runningCount++;
        for (; k > 0 && v.running[k - 1] > i; --k) v.running[k] = v.running[k - 1];
        v.running[k] = i;
    }
}

}  // namespace

int LiveEventCount() {
    int n = state.eventCount;
    return n < 0 ? 0 : (n > MaxEvents ? MaxEvents : n);
}

void SetDetailedResults(int on) {
    runSwitches.detailedRates = on ? 1 : 0;
    runSwitches.detailedSummary = on ? 1 : 0;
}

void RecordRedFlag(RedFlag& flag, float age) {
    flag.happened = 1;
    flag.age = WholeInt(age);
}

void ResetRun() {
    run = RunState{};
    run.yearIndex = -1;
}

void ResetResults() {
    results.rowCount = 0;
    results.selectedLine = -1;
    for (GroupRateStatistics& g : results.groups) g = GroupRateStatistics{0, 0, 100.0f, -100.0f};
    // A trial's tables are read only as far as its own rows (its net worth,
    // and its balances for the failure summary), which it writes itself; the
    // closing plain run of the analysis fills them all again. A trial also
    // keeps the today's-dollars factors of the plain run before it: they
    // follow the plan's own inflation, which no draw changes.
    if (runSwitches.monteCarloTrial >= 1) return;
    std::memset(results.accountBalance, 0, sizeof results.accountBalance);
    std::memset(results.yearSummary, 0, sizeof results.yearSummary);
    for (int a = 0; a < AgeSlots; ++a) {
        results.investmentByAge[a] = results.taxFreeByAge[a] = results.retirementByAge[a] = 0;
        results.assetByAge[a] = results.equityByAge[a] = results.liabilitiesByAge[a] = 0;
        results.lineIndexByAge[a] = 0;
    }
    for (int& tag : results.lineTag) tag = TagOther;
    for (double& f : inflationFactor) f = 1.0;
}

void LoadStartBalances() {
    const InitialValues& iv = scenario.initialValues;
    run.investmentTotal = iv.initialInvestmentSavings;
    run.taxFreeTotal = iv.initialTaxFreeSavings;
    run.retirementTotal = iv.initialRetirementSavings;
    run.equityTotal += iv.initialEquity;
    run.assetTotal += iv.initialAssets;
    SetWithdrawalOrder();  // also for a year prepared without PrepareProjection
    ListBorrowing();
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        Account& a = scenario.accountTable.accounts[i];
        a.balance = a.initialAmount;
        a.rate = a.yearlyRate;
        if (a.optionsSlot < MaxAccounts) scenario.accountOptions.runRecordedAge[a.optionsSlot] = 0;
    }
    ScanFundedLiquid();
}

void ResetYearTotals() {
    YearTotals& y = run.year;
    y.totalIncoming = y.deposits = y.taxableIncome = y.nonTaxableIncome = y.interestEarned = 0;
    y.retirementInterest = y.loans = y.withdrawals = y.interestPaid = y.saleProceeds = 0;
    y.penalties = 0;
    y.loanPrincipal = y.mortgagePrincipal = y.loanInterest = y.mortgageInterest = 0;
}

int PrepareProjection(int outputMode) {
    run.outputMode = outputMode;
    const InitialValues& iv = scenario.initialValues;
    run.investmentTotal = run.taxFreeTotal = run.retirementTotal = run.equityTotal = run.assetTotal = 0;
    run.depositTaxThisYear = 0;
    run.currentTaxRate = iv.taxRate;
    run.currentInflationRate = iv.inflationRate;
    run.inflationInForce = iv.inflationRate;
    run.appreciationRate = iv.equityAppreciationRate;
    run.depreciationRate = iv.assetDepreciationRate;
    run.investmentRate = iv.investmentSavingsRate;
    run.taxFreeRate = iv.taxFreeSavingsRate;
    run.retirementRate = iv.retirementSavingsRate;
    ClearRunFields();  // working amounts, sale values, month counters, states, paid totals
    ResetAmortizations();
    SetWithdrawalOrder();
    ListBorrowing();

    if (outputMode == OutputResultsFile) {
        if (runSwitches.resultsStream) {
            run.resultsStream = runSwitches.resultsStream;
            run.ownsResultsStream = 0;
        } else {
            if (!runSwitches.resultsPath[0]) return 0;  // the save dialog was cancelled
            // A person's own file: on the disk before it replaces the old one.
            if (!resultsPart.Open(runSwitches.resultsPath, true)) {
                std::string text = std::string("Cannot open ") + runSwitches.resultsPath;
                if (!resultsPart.Why().empty()) text += "\n\n" + resultsPart.Why();
                runNotices.push_back({text, "FILE ERROR"});
                return 0;
            }
            run.resultsStream = resultsPart.File();
            run.ownsResultsStream = 1;
        }
        WriteScenarioDescription(run.resultsStream);
    } else if (outputMode == OutputPrintFile) {
        run.resultsStream = resultsPart.Open(PrintFileName, false) ? resultsPart.File() : nullptr;
        if (!run.resultsStream) {
            runNotices.push_back({"Cannot open temporary print file", "FILE ERROR"});
            return 0;
        }
        run.ownsResultsStream = 1;
        WriteScenarioDescription(run.resultsStream);
    }

    if (!runSwitches.descriptionOnly && !runSwitches.noRunFiles) {
        run.plotFile = OpenRunFile(runSwitches.plotPath);
        if (!run.plotFile) {
            runNotices.push_back({"Cannot open plot file.", "FILE ERROR"});
            CloseResultsStream(false);
            return 0;
        }
        WritePlotHeader();
    }

    if (runSwitches.detailedRates) EmitInitialRates(outputMode);

    run.firstAge = Whole(iv.startAge);
    run.endAge = iv.endAge;
    float m = Whole(run.endAge);
    int events = LiveEventCount();
    for (int i = 0; i < events; ++i) {
        float start = scenario.events[i].startAge;
        if (start < m) m = Whole(start);
    }
    if (m < iv.startAge) run.firstAge = m;

    for (int i = 0; i < events; ++i) {
        Event& e = scenario.events[i];
        if (e.eventType != EventLoan && e.eventType != EventMortgage) continue;
        e.oneTimeOnly = 0;  // the paid-off flag while running
        if (IsCreditCard(e)) e.runAmount = e.amount;
    }

    run.year = YearTotals{};
    ComputeNetWorth();
    if (run.plotFile) WritePlotAccounts();
    if (!runSwitches.noSectionMarker) EmitLine(outputMode, "??", TagOther);
    return 1;
}

namespace {

// Whatever the Scenario holds, the years run stay within the ages the by-age
// tables hold (0..120) and the rows the result table holds: a plan of 100
// years or more stops at its 100th row, with the message the Initial Values
// dialog gives such a plan, so that the schedule, the tables and a Monte
// Carlo analysis all judge the same years.
void BoundYears() {
    if (!(run.firstAge >= 0)) run.firstAge = 0;
    if (!(run.endAge <= static_cast<float>(MaxPlanAge))) run.endAge = static_cast<float>(MaxPlanAge);
    if (Whole(run.endAge) - run.startYear < static_cast<float>(MaxAgeRange)) return;
    run.endAge = run.startYear + static_cast<float>(MaxAgeRange - 1);
    const Notice tooLong{"The age range must be less than 100!", "Age Range Error!"};
    for (const Notice& n : runNotices)
        if (n.text == tooLong.text) return;
    runNotices.push_back(tooLong);
}

}  // namespace

int RunProjection(int outputMode) {
    state.needsRecalc = 0;
    // The start totals are always the sums of the accounts, whatever edit,
    // import or file came before.
    RecomputeInitialTotals();
    // Whatever an interrupted run left open is dropped, its targets untouched.
    DropRunFiles();
    resultsPart.Abandon();
    ResetRun();
    if (!runSwitches.descriptionOnly) {
        ResetResults();
        randomCounters = RandomRateCounters{};
        for (int t = 0; t < 6; ++t) {
            randomCounters.minimum[t] = t < 5 ? 1e6f : 1e7f;
            randomCounters.maximum[t] = t < 5 ? -1e6f : -1e7f;
        }
    }
    if (!PrepareProjection(outputMode)) return 0;
    if (runSwitches.descriptionOnly) {
        CloseResultsStream(true);
        return 0;
    }

    InitialValues& iv = scenario.initialValues;
    iv.startAge = iv.useBirthday == 1 ? Whole(iv.startAge) + BirthdayFraction() : Whole(iv.startAge);
    const float startAge = iv.startAge;
    run.startYear = Whole(startAge);
    BoundYears();

    if (!runSwitches.noRunFiles) {
        run.bigFile = OpenItemFile(BigFileName, "bigfile.tmp");
        run.outFile = OpenItemFile(OutFileName, "iofile.tmp");
        run.inFile = OpenItemFile(InFileName, "infile.tmp");
    }
    if (run.inFile) {
        int n = LiveAccountCount();
        std::fprintf(run.inFile, "%d\n", n);
        char name[32];
        for (int i = 0; i < n; ++i) {
            AccountNameAt(i, name, sizeof name);
            std::fprintf(run.inFile, "%s\n", name);
        }
    }

    run.savedInflationRate = iv.inflationRate;
    const int events = LiveEventCount();
    ListEventVisits(events);
    for (run.projectionAge = run.firstAge; run.projectionAge < run.endAge; run.projectionAge += 1.0f) {
        const float age = run.projectionAge;
        if (RandomRates()) {
            DrawYearInflation();
            run.currentInflationRate = iv.inflationRate;
        } else {
            run.currentInflationRate = run.inflationInForce;
        }
        run.depositTaxThisYear = 0;
        run.yearFraction = age == run.startYear ? 1.0f - (startAge - run.startYear) : 1.0f;
        ResetYearTotals();
        if (age == run.startYear) {
            LoadStartBalances();
            if (run.yearFraction < 1.0f) TakeStartYearHistory(run.yearFraction);
        }

        const bool shown = age >= run.startYear;
        if (shown) {
            for (int k = 0; k < visits.cardCount; ++k) {
                const Event& e = scenario.events[visits.cards[k]];
                if (Whole(e.startAge) == Whole(age)) run.liabilities += e.runAmount;
            }
            ++run.yearIndex;
            SettleRow();
            RecordBalances();
        }

        float shownAge = age == run.startYear && iv.useBirthday == 1 ? startAge : age;
        EmitScheduleRow(outputMode, shownAge, Dashes(184));
        if (shown) RecordByAge(WholeInt(age));
        ComputeNetWorth();
        EmitLine(outputMode, Dashes(185), TagOther);
        if (shown && run.netWorth < 0) RaiseRedFlag(run.negativeNetWorth, age);
        if (runSwitches.tracking) EmitLine(outputMode, "Financial Events:", TagOther);

        AdmitStartedEvents(age);
        int stillRunning = 0;
        for (int k = 0; k < visits.runningCount; ++k) {
            const int i = visits.running[k];
            ProcessEvent(i, outputMode, run.yearFraction);
            Event& e = scenario.events[i];
            if (e.runState == RunActive && e.endAge < run.projectionAge && e.eventType != EventLoan &&
                e.eventType != EventMortgage)
                e.runState = RunDone;
            if (e.runState != RunDone) visits.running[stillRunning++] = static_cast<int16_t>(i);
        }
        visits.runningCount = stillRunning;
        CloseYear(outputMode, run.yearFraction, age, run.startYear);
        if (run.liabilities < 1.0f) run.liabilities = 0;
    }
    iv.inflationRate = run.savedInflationRate;
    if (runSwitches.monteCarloTrial < 1) InflationFactors(inflationFactor, MaxResultRows);

    if (run.endAge >= run.startYear) {
        // An end age at the start year itself: the loop never loaded the start.
        if (run.yearIndex < 0) LoadStartBalances();
        ++run.yearIndex;
        SettleRow();
        RecordBalances();
    }
    WriteYearFlows();
    EmitScheduleRow(outputMode, run.projectionAge, Dashes(175));
    EmitLine(outputMode, Dashes(175), TagOther);
    RecordByAge(WholeInt(run.endAge));
    ResetYearTotals();

    EmitRateStatistics(outputMode);
    EmitRedFlags(outputMode);
    if (outputMode == OutputResultsList) PositionResultsList();

    // Every file is closed, and each that failed named; a run whose files
    // did not all arrive is no complete run.
    bool written = CloseResultsStream(true);
    written = CloseItemFile(run.bigFile, "bigfile.tmp") && written;
    written = CloseItemFile(run.inFile, "infile.tmp") && written;
    written = CloseItemFile(run.outFile, "iofile.tmp") && written;
    written = ClosePlotFile() && written;
    return written ? 1 : 0;
}
