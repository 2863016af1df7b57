// The "Results" folder: drawing rules of its schedule list, the buttons of
// its panel, and the projection runs the shell makes.
#include "shell/results_panel.h"

#include <cmath>
#include <cstdlib>

#include "engine/engine.h"
#include "model/model.h"

// ---- Runs ------------------------------------------------------------------------

int RunShellProjection(int outputMode) {
    PutEventsInOrder();
    ui::Current().SetWaitCursor(true);
    int ok = RunProjection(outputMode);
    ShowRunNotices();
    ui::Current().SetWaitCursor(false);
    ++shell.runs;
    if (outputMode == OutputResultsList) ApplyResultsPosition();
    return ok;
}

void EnsureProjection() {
    if (state.needsRecalc || shell.runs == 0) RunShellProjection(OutputResultsList);
}

// ---- Lines -----------------------------------------------------------------------

int ResultLineCount() { return resultsList.count; }

std::string ResultLine(int index) {
    if (index < 0 || index >= resultsList.count) return "";
    const char* text = LineAt(resultsList, index);
    return text ? text : "";
}

int ResultLineOfAge(int age) {
    if (age < 0 || age >= AgeSlots) return -1;
    int line = results.lineIndexByAge[age];
    return line >= 0 && line < resultsList.count ? line : -1;
}

// ---- Drawing rules ---------------------------------------------------------------

bool ResultLineIsRed(const std::string& line) {
    static const char* const warnings[] = {"Red flags",
                                           "you must select a",
                                           "withdrawal was not made",
                                           "penalty was imposed",
                                           "Penalties Paid =",
                                           "A penalty was paid",
                                           "Minimum age for withdrawal",
                                           "were depleted",
                                           "not transferred",
                                           "insufficient funds",
                                           "Your net worth went negative"};
    for (const char* w : warnings)
        if (line.find(w) != std::string::npos) return true;
    if (line.find("withdrawal account") != std::string::npos && line.find("depleted") != std::string::npos)
        return true;
    if (!line.empty() && (line[0] == ' ' || line[0] == '-')) return false;
    return line.find("$-") != std::string::npos;
}

bool ResultLineIsTableRow(const std::string& line) { return !line.empty() && line[0] >= '1' && line[0] <= '9'; }

std::vector<std::string> ResultTableCells(const std::string& line) {
    std::vector<std::string> cells;
    size_t i = 0, n = line.size();
    auto separator = [](char c) { return c == ' ' || c == '\t'; };
    while (i < n) {
        while (i < n && separator(line[i])) ++i;
        if (i >= n) break;
        size_t start = i;
        if (cells.size() == 7) {
            size_t end = n;
            while (end > start && separator(line[end - 1])) --end;
            cells.push_back(line.substr(start, end - start));
            break;
        }
        while (i < n && !separator(line[i])) ++i;
        cells.push_back(line.substr(start, i - start));
    }
    return cells;
}

const char* ResultsColumnHeading(int column) {
    static const char* const headings[8] = {"Age",   "Investment", "Tax Free",    "Retirement",
                                            "Asset", "Equity",     "Liabilities", "Net Worth"};
    return column >= 0 && column < 8 ? headings[column] : "";
}

void ResultsColumnWidths(int clientWidth, int widths[8]) {
    static const int parts[8] = {30, 72, 72, 72, 70, 70, 72, 72};
    for (int i = 0; i < 8; ++i) widths[i] = (clientWidth - 40) * parts[i] / 534;
}

// DARKER keeps the banding at the plain scroll-bar colour.
Colour ResultsBandingColour(Colour scrollBar) { return shell.darker ? scrollBar : WindowColour(scrollBar); }

// ---- The panel -------------------------------------------------------------------

namespace {

// Before a random run every account starts its drawn-rate statistics afresh;
// minimum and maximum start crossed so that the first drawn rate sets both.
void ResetDrawnRates() {
    AccountTable& t = scenario.accountTable;
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        Account& a = t.accounts[i];
        int slot = a.optionsSlot;
        if (slot < MaxAccounts) scenario.accountOptions.mcRateCount[slot] = 0;
        float low = a.randomMinRate, high = a.randomMaxRate;
        a.mcMinRate = high;
        a.mcMaxRate = low;
        a.mcRateSum = 0;
    }
}

int RandomRun(bool groups) {
    ResetDrawnRates();
    ClearLines(resultsList);
    int& randomSwitch = groups ? runSwitches.randomGroupRates : runSwitches.randomAccountRates;
    randomSwitch = 1;
    runSwitches.descriptionOnly = 1;
    RunShellProjection(OutputPrintFile);
    runSwitches.descriptionOnly = 0;
    int ok = RunShellProjection(OutputResultsList);
    randomSwitch = 0;
    return ok;
}

int SaveResults() {
    std::string path;
    if (!ui::Current().ChooseFile(FileDialogFor("Save Results To A File", "Result Files (*.SCH)", "sch", true), path))
        path.clear();  // the run then ends at once, as for a cancelled dialog
    SetFieldText(runSwitches.resultsPath, path);
    runSwitches.noSectionMarker = 1;
    int ok = RunShellProjection(OutputResultsFile);
    runSwitches.noSectionMarker = 0;
    runSwitches.descriptionOnly = 1;
    RunShellProjection(OutputPrintFile);
    runSwitches.descriptionOnly = 0;
    return ok;
}

int GoTo(const std::string& text) {
    char* end = nullptr;
    float age = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(age) || age < 1.0f || age > 120.0f) {
        ui::Message("This age must be between 1.0 and 120.0.", "AGE ERROR");
        return 0;
    }
    runSwitches.positionMode = PositionGoTo;
    runSwitches.goToAge = static_cast<int>(age);
    ApplyResultsPosition();
    return 1;
}

int EditInitialValues() {
    const unsigned changes = state.modified.Changes();
    int wasDue = state.needsRecalc;
    state.needsRecalc = 0;
    DispatchCommand(CmdInitialValues);
    int changed = state.modified.Changes() != changes || state.needsRecalc;
    state.needsRecalc |= wasDue;
    if (changed) return RunShellProjection(OutputResultsList);
    return 0;
}

}  // namespace

const char* ResultsButtonText(int button) {
    static const char* const texts[ResultsButtonCount] = {
        "Top",   "Bottom", "Go To", "Show detailed results", "Show accounts", "Run Again",
        "Save",  "Print",  "Run with random account rates", "Run with random group rates",
        "Edit inital values and run again", "Help"};
    return button >= 0 && button < ResultsButtonCount ? texts[button] : "";
}

int ResultsButton(int button, const std::string& ageText) {
    if (shell.printing) return 0;
    switch (button) {
        case ResultsTop:
            runSwitches.positionMode = PositionTop;
            ApplyResultsPosition();
            return 1;
        case ResultsBottom:
            runSwitches.positionMode = PositionBottom;
            ApplyResultsPosition();
            return 1;
        case ResultsGoTo:
            return GoTo(ageText);
        case ResultsDetailed:
            SetDetailedResults(!runSwitches.detailedRates);
            return RunShellProjection(OutputResultsList);
        case ResultsAccounts:
            runSwitches.accountSummary = !runSwitches.accountSummary;
            return RunShellProjection(OutputResultsList);
        case ResultsRunAgain:
            return RunShellProjection(OutputResultsList);
        case ResultsSave:
            return SaveResults();
        case ResultsPrint:
            return DispatchCommand(CmdPrintResults);
        case ResultsRandomAccounts:
            return RandomRun(false);
        case ResultsRandomGroups:
            return RandomRun(true);
        case ResultsEditInitialValues:
            return EditInitialValues();
        case ResultsHelp:
            return Help(HelpContext, 1554);
        default:
            return 0;
    }
}

int ResultsPositionLine() {
    int count = ResultLineCount();
    if (count == 0) return -1;
    switch (runSwitches.positionMode) {
        case PositionTop:
            return 0;
        case PositionGoTo: {
            int age = runSwitches.goToAge;
            if (age < WholeInt(scenario.initialValues.startAge)) return 0;
            if (age > WholeInt(scenario.initialValues.endAge)) return count - 1;
            int line = ResultLineOfAge(age);
            return line >= 0 ? line : count - 1;
        }
        default:
            return count - 1;
    }
}

void ApplyResultsPosition() { ui::Current().ShowResults(ResultsPositionLine()); }

bool ResultsDetailedShown() { return runSwitches.detailedRates != 0; }
bool ResultsAccountsShown() { return runSwitches.accountSummary != 0; }
