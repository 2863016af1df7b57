// The command table, the menu bar and toolbar layout, and the dispatch with
// its two rules: the open-window guard and the event limit.
#include <algorithm>
#include <cstdio>

#include "engine/engine.h"
#include "model/model.h"
#include "shell/dialogs.h"
#include "shell/refinance.h"
#include "shell/safe_spending.h"
#include "shell/shell.h"

ShellState shell;

namespace {

constexpr int G = CommandGuarded;
constexpr int GE = CommandGuarded | CommandCreatesEvent;

int Unavailable() {
    ui::Message("This command is not available in this version.", "K&V Tillory", ui::Buttons::Ok,
                ui::Icon::Information);
    return 0;
}

int CommandAbout() {
    ui::Message("Tillory -- Pro\nRetirement and personal-finance planner\nVersion 0.1", "About the Tillory",
                ui::Buttons::Ok, ui::Icon::Information);
    return 1;
}

int CommandGraphWindow() {
    shell.graphWindowOpen = 1;
    StartCompanion("kvplot3.exe plotinf01.tmp" + TodaysDollarsArgument());
    return 1;
}
int CommandCompare() { return StartCompanion("kvcomp.exe plotinf01.tmp"); }
int CommandStatistics() { return StartCompanion("kvviewer"); }
int CommandHelpContents() { return Help(HelpIndex, 0); }
int CommandHelpOnHelp() { return Help(HelpOnHelp, 0); }
int CommandShowMonteCarlo() {
    ShowFolder(FolderMonteCarlo);
    return 1;
}
int CommandToggleSummary() {
    runSwitches.summary = !runSwitches.summary;
    return 1;
}
// The summary panel's bold labels and the result tables' darker banding.
int CommandToggleDarker() {
    shell.darker = !shell.darker;
    ShowFolder(FolderOfTab(shell.currentTab));
    return 1;
}
// Not guarded: it only changes how the folders show the results, and so the
// check mark always follows the switch.
int CommandTodaysDollars() {
    shell.todaysDollars = !shell.todaysDollars;
    ui::Current().CheckMenuItem(CmdTodaysDollars, shell.todaysDollars != 0);
    ShowFolder(FolderOfTab(shell.currentTab));
    return 1;
}
int CommandNewFromTab() { return CommandNewFromFile(CmdNewFromTab); }
int CommandNewFromCsv() { return CommandNewFromFile(CmdNewFromCsv); }

// Quick Tips entries carry their command id; one routine per id keeps the
// table a plain list of function pointers.
template <int Id>
int QuickTip() {
    return Help(HelpContext, QuickTipContext(Id));
}
template <int K>
int Recent() {
    return CommandRecentFile(K);
}

std::vector<Command> table = {
    // File
    {CmdNew, "&New", "Alt+N", "Create a New Scenario", G, CommandNew},
    {CmdOpen, "&Open...", "Alt+O", "Open a Scenario", G, CommandOpen},
    {CmdSave, "&Save", "Alt+S", "Save the Scenario", G, CommandSave},
    {CmdSaveAs, "S&ave as..", "Alt+A", "Save Scenario Under a Different Name", G, CommandSaveAs},
    {CmdImportAccounts, "&Import Account Data", "Alt+I", "Import Accounts", G, nullptr},
    {CmdExportAccounts, "&Export Account Results", "Alt+E", "Export Accounts", G, nullptr},
    {CmdSaveAccounts, "Save A&ccounts", "Alt+C", "Write Accounts To a File", G, CommandSaveAccounts},
    {CmdReadAccounts, "&Read Accounts", "Alt+R", "Read Accounts From a File", G, CommandReadAccounts},
    {CmdReindexAccounts, "Re-Index Accounts", nullptr, nullptr, G, CommandReindexAccounts},
    {CmdSaveGraphs, "Save &Graphs", "Alt+G", "Save Graphs To a File", G, nullptr},
    {CmdAbout, "A&bout..", "Alt+B", "About the Tillory", G, CommandAbout},
    {CmdExit, "E&xit", "Alt+X", nullptr, 0, CommandExit},
    {CmdNewFromTab, nullptr, nullptr, nullptr, G, CommandNewFromTab},
    {CmdNewFromCsv, nullptr, nullptr, nullptr, G, CommandNewFromCsv},
    {CmdNewByHand, nullptr, nullptr, nullptr, G, CommandNewByHand},
    {CmdRecentFirst, nullptr, nullptr, nullptr, 0, Recent<0>},
    {CmdRecentFirst + 1, nullptr, nullptr, nullptr, 0, Recent<1>},
    {CmdRecentFirst + 2, nullptr, nullptr, nullptr, 0, Recent<2>},
    {CmdRecentFirst + 3, nullptr, nullptr, nullptr, 0, Recent<3>},
    {CmdRecentFirst + 4, nullptr, nullptr, nullptr, 0, Recent<4>},
    {CmdRecentSixth, nullptr, nullptr, nullptr, 0, Recent<5>},
    // Edit
    {CmdUndo, "&Undo", "Ctrl+Z", nullptr, G, CommandUndo},
    {CmdRedo, "&Redo", "Ctrl+Shift+Z", nullptr, G, CommandRedo},
    {CmdInitialValues, "Initial &Values", "Alt+V", nullptr, G, CommandInitialValues},
    {CmdGroupNames, "Gro&up Names", "Alt+U", nullptr, G, CommandGroupNames},
    {CmdAddAccount, "Add Account", "Alt+K", nullptr, G, CommandAddAccount},
    {CmdWithdrawal, "&Withdrawal", "Alt+W", nullptr, GE, CommandWithdrawal},
    {CmdDeposit, "&Deposit", "Alt+D", nullptr, GE, CommandDeposit},
    {CmdLoan, "&Loan", "Alt+L", nullptr, GE, CommandLoan},
    {CmdCreditCardDebt, "Credit Card Debt", "Alt+Z", nullptr, GE, CommandCreditCardDebt},
    {CmdMortgage, "&Mortgage", "Alt+M", nullptr, GE, CommandMortgage},
    {CmdTransfer, "&Transfer", "Alt+T", nullptr, GE, CommandTransfer},
    {CmdFundamentals, "&Fundamentals", "Alt+F", nullptr, GE, CommandFundamentals},
    {CmdAssetAllocation, "Asset Allocation Wit&hdrawal Options", "Alt+H", nullptr, G, CommandAssetAllocation},
    {CmdRequiredMinimum, "Re&quired Minimum Distribution", "Alt+Q", nullptr, G, CommandRequiredMinimum},
    {CmdAdjustMonteCarlo, "Adjust Monte Carlo Analysis", "Alt+Y", nullptr, 0, CommandAdjustMonteCarlo},
    {CmdAddEvent, "Add &Event...", nullptr, nullptr, G, CommandAddEvent},
    {CmdPreferences, "&Preferences...", nullptr, nullptr, G, CommandPreferences},
    // View
    {CmdTodaysDollars, "Show In Today's Dollars", nullptr, nullptr, CommandCheckable, CommandTodaysDollars},
    // Budgets
    {CmdBudgetFirst, "Budget 1", nullptr, nullptr, G, CommandBudget<1>},
    {CmdBudgetFirst + 1, "Budget 2", nullptr, nullptr, G, CommandBudget<2>},
    {CmdBudgetFirst + 2, "Budget 3", nullptr, nullptr, G, CommandBudget<3>},
    {CmdBudgetFirst + 3, "Budget 4", nullptr, nullptr, G, CommandBudget<4>},
    {CmdBudgetLast, "Budget 5", nullptr, nullptr, G, CommandBudget<5>},
    // Tools/Aids
    {CmdMortgageCalculator, "M&ortgage Calculator", "Ctrl+O", "Mortgage Calculator", G, CommandMortgageCalculator},
    {CmdRefinance, "&Refinance Analysis", "Ctrl+R", "Refinance Mortgage Calculator", G, CommandRefinance},
    {CmdAccelerated, "&Accelerated Mortgage Payment Analysis", "Ctrl+A", "Accelerated Mortgage Calculator", G,
     CommandAccelerated},
    {CmdInflationCalculator, "I&nflation Calculator", "Ctrl+N", "Inflation Calculator", G, CommandInflationCalculator},
    {CmdTaxInflationInvestment, "Ta&xes/Inflation/Investment Analysis", "Ctrl+X",
     "Tax/Inflation/Investment Analysis", G, CommandTaxInflation},
    {CmdTradeOff, "&Trade-off Analysis", "Ctrl+T", "Trade-off Analysis", G, CommandTradeOff},
    {CmdCompareScenarios, "&Compare Scenarios", "Ctrl+C", "Compare Scenarios", G, CommandCompare},
    {CmdEffectiveRate, "Calculat&e Effective Yearly Interest Rate", "Ctrl+E", "Effective Interest Rate Calculator",
     G, CommandEffectiveRate},
    {CmdCreditCardPayoff, "Calculate Cre&dit Card Debt Payoff", "Ctrl+D", "Calculate Credit Card Debt Payoff", GE,
     CommandCreditCardPayoff},
    {CmdMonteCarloStatistics, "View &Monte Carlo Statistics", "Ctrl+M", nullptr, G, CommandStatistics},
    {CmdSafeSpending, "Find &Safe Spending...", "Ctrl+J", nullptr, G, CommandSafeSpending},
    {CmdWindowsCalculator, "&Window's Calculator", "Ctrl+W", "Open Window's Calculator", G,
     CommandWindowsCalculator},
    // Reports
    {CmdPrintResults, "Print Results Report", "Ctrl+F1", "Print the Results", G, nullptr},
    {CmdNetWorthReport, "Net Worth Report", "Ctrl+F2", nullptr, G, nullptr},
    {892, "Incoming Report", "Ctrl+F3", nullptr, G, nullptr},
    {893, "Outgoing Report", "Ctrl+F4", nullptr, G, nullptr},
    {894, "Account Report", "Ctrl+F5", nullptr, G, nullptr},
    {895, "Group Report", "Ctrl+F6", nullptr, G, nullptr},
    {897, "Incoming Events Report", "Ctrl+F7", nullptr, G, nullptr},
    {898, "Outgoing Events Report", "Ctrl+F8", nullptr, G, nullptr},
    {CmdAccountsReport, "Accounts/Input/Output Report", "Ctrl+F9", nullptr, G, nullptr},
    {CmdPrintAllReports, "Print All Reports", "Ctrl+F10", nullptr, G, nullptr},
    {CmdPageSetup, "Page Setup", "Ctrl+Y", nullptr, G, nullptr},
    {CmdReportOptions, "Report Option&s", "Ctrl+S", nullptr, G, CommandReportOptions},
    // Graphs
    {CmdGraphWindow, "Create Graph Window", "F2", "Open A Graph Window", G, CommandGraphWindow},
    {CmdPrintGraph, "Print Current &Graph", "Ctrl+G", nullptr, G | CommandShortcutElsewhere, nullptr},
    {CmdPrintGraphButton, nullptr, "Ctrl+G", "Print Current Graph", G, nullptr},
    // Help
    {CmdHelpContents, "Table Of Contents", "F1", "Help", 0, CommandHelpContents},
    {CmdHelpOnHelp, "Help On Help", "F4", nullptr, 0, CommandHelpOnHelp},
    {776, "Importing Account Data From A Tab-Delimited File", "Shift+F1", nullptr, 0, QuickTip<776>},
    {777, "Exporting Account Data To A Tab-Delimited File", "Shift+F2", nullptr, 0, QuickTip<777>},
    {778, "Graph Functionality", "Shift+F3", nullptr, 0, QuickTip<778>},
    {779, "Accounts Folder", "Shift+F4", nullptr, 0, QuickTip<779>},
    {780, "Results Folder", "Shift+F5", nullptr, 0, QuickTip<780>},
    {781, "Summary Folder", "Shift+F6", nullptr, 0, QuickTip<781>},
    {782, "Asset Allocation Withdrawals", "Shift+F7", nullptr, 0, QuickTip<782>},
    {783, "Required Minimum Distribution", "Shift+F8", nullptr, 0, QuickTip<783>},
    {784, "Printing Reports", "Shift+F9", nullptr, 0, QuickTip<784>},
    {785, "Revenue Code Section 529", "Shift+F10", nullptr, 0, QuickTip<785>},
    {786, "Lighter Banding", nullptr, nullptr, 0, QuickTip<786>},
    {787, "Adding Summary Information to Results", nullptr, nullptr, 0, QuickTip<787>},
    {789, "Monte Carlo Analysis", nullptr, nullptr, 0, QuickTip<789>},
    {CmdMailMaker, "Contact K&&V Software by Email", "F3", nullptr, 0, CommandMailMaker},
    {CmdDownloadManual, "Download PDF version of the manual", "F10", nullptr, 0, CommandDownloadManual},
    // Accelerators only
    {CmdShowMonteCarlo, nullptr, "Ctrl+L", nullptr, G, CommandShowMonteCarlo},
    {CmdReportFont, nullptr, "Ctrl+F", nullptr, G, nullptr},
    {CmdPrintFolder, nullptr, "Ctrl+P", nullptr, 0, nullptr},
    {CmdSummaryInfo, nullptr, "Shift+F11", nullptr, G, CommandToggleSummary},
    {CmdDarkerLabels, nullptr, "Shift+F12", nullptr, G, CommandToggleDarker},
};

using K = MenuKind;
const std::vector<MenuEntry> layout = {
    {K::Popup, 0, "File"},
    {K::Item, CmdNew, nullptr},
    {K::Item, CmdOpen, nullptr},
    {K::Item, CmdSave, nullptr},
    {K::Item, CmdSaveAs, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdImportAccounts, nullptr},
    {K::Item, CmdExportAccounts, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdSaveAccounts, nullptr},
    {K::Item, CmdReadAccounts, nullptr},
    {K::Item, CmdReindexAccounts, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdSaveGraphs, nullptr},
    {K::Separator, 0, nullptr},
    {K::Recent, 0, nullptr},
    {K::Item, CmdAbout, nullptr},
    {K::Item, CmdExit, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "Edit"},
    {K::Item, CmdUndo, nullptr},
    {K::Item, CmdRedo, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdInitialValues, nullptr},
    {K::Item, CmdGroupNames, nullptr},
    {K::Item, CmdAddAccount, nullptr},
    {K::Popup, 0, "Add Event To Scenario"},
    {K::Item, CmdWithdrawal, nullptr},
    {K::Item, CmdDeposit, nullptr},
    {K::Item, CmdLoan, nullptr},
    {K::Item, CmdCreditCardDebt, nullptr},
    {K::Item, CmdMortgage, nullptr},
    {K::Item, CmdTransfer, nullptr},
    {K::Item, CmdFundamentals, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdAssetAllocation, nullptr},
    {K::Item, CmdRequiredMinimum, nullptr},
    {K::End, 0, nullptr},
    {K::Item, CmdAddEvent, nullptr},
    {K::Popup, 0, "Budgets"},
    {K::Item, CmdBudgetFirst, nullptr},
    {K::Item, CmdBudgetFirst + 1, nullptr},
    {K::Item, CmdBudgetFirst + 2, nullptr},
    {K::Item, CmdBudgetFirst + 3, nullptr},
    {K::Item, CmdBudgetLast, nullptr},
    {K::End, 0, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdAdjustMonteCarlo, nullptr},
    {K::Item, CmdPreferences, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "View"},
    {K::Item, CmdTodaysDollars, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "Tools/Aids"},
    {K::Item, CmdMortgageCalculator, nullptr},
    {K::Item, CmdRefinance, nullptr},
    {K::Item, CmdAccelerated, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdInflationCalculator, nullptr},
    {K::Item, CmdTaxInflationInvestment, nullptr},
    {K::Item, CmdEffectiveRate, nullptr},
    {K::Item, CmdTradeOff, nullptr},
    {K::Item, CmdCreditCardPayoff, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdCompareScenarios, nullptr},
    {K::Item, CmdMonteCarloStatistics, nullptr},
    {K::Item, CmdSafeSpending, nullptr},
    {K::Item, CmdWindowsCalculator, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "Reports"},
    {K::Item, CmdPrintResults, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdNetWorthReport, nullptr},
    {K::Item, 892, nullptr},
    {K::Item, 893, nullptr},
    {K::Item, 894, nullptr},
    {K::Item, 895, nullptr},
    {K::Item, 897, nullptr},
    {K::Item, 898, nullptr},
    {K::Item, CmdAccountsReport, nullptr},
    {K::Item, CmdPrintAllReports, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdPageSetup, nullptr},
    {K::Item, CmdReportOptions, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "Graphs"},
    {K::Item, CmdGraphWindow, nullptr},
    {K::Item, CmdPrintGraph, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "Help"},
    {K::Item, CmdHelpContents, nullptr},
    {K::Item, CmdHelpOnHelp, nullptr},
    {K::Popup, 0, "Quick Tips"},
    {K::Item, 776, nullptr},
    {K::Item, 777, nullptr},
    {K::Item, 778, nullptr},
    {K::Item, 779, nullptr},
    {K::Item, 780, nullptr},
    {K::Item, 781, nullptr},
    {K::Item, 782, nullptr},
    {K::Item, 783, nullptr},
    {K::Item, 784, nullptr},
    {K::Item, 785, nullptr},
    {K::Item, 786, nullptr},
    {K::Item, 787, nullptr},
    {K::Item, 789, nullptr},
    {K::End, 0, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, CmdMailMaker, nullptr},
    {K::Item, CmdDownloadManual, nullptr},
    {K::End, 0, nullptr},
};

// Bitmap index -> command, with -1 for the separators.
const std::vector<ToolbarButton> toolbar = {
    {1, 0},    {2, 1},    {3, 2},    {4, 3},    {0, -1},   {13, 4},   {12, 5},   {8, 6},
    {9, 7},    {0, -1},   {401, 8},  {0, -1},   {11, 9},   {403, 10}, {501, 11}, {0, -1},
    {881, 13}, {882, 14}, {883, 15}, {177, 16}, {180, 17}, {179, 18}, {178, 19}, {886, 22},
    {467, 23}, {884, 20}, {6, 21},   {0, -1},   {104, 12},
};

// The commands grayed while no scenario is loaded. Some ids name menu items
// this program does not have; graying them is harmless.
const int scenarioCommands[] = {888, 889, 11,  403, 895, 897, 898, 404, 899, 108, 101, 106, 107,
                                466, 109, 110, 3,   12,  13,  9,   8,   4,   7,   101, 102, 103,
                                401, 505, 502, 503, 504, 501, 885, 882, 177, 881, 402, 10,  776,
                                777, 778, 784, 782, 783, 179, 178, 891, 892, 893};

}  // namespace

const std::vector<Command>& Commands() { return table; }

std::string TodaysDollarsArgument() {
    if (!shell.todaysDollars || results.rowCount <= 0) return "";
    // The graph window reads only the plot file, which holds nominal money:
    // it is given the factors by whole age, "AGE:F0,F1,...", from the
    // first row's age on.
    const int rows = std::min(results.rowCount, MaxResultRows);
    std::string text = " --todays-dollars " + std::to_string(static_cast<int>(results.yearSummary[0][0])) + ":";
    char factor[32];
    for (int row = 0; row < rows; ++row) {
        std::snprintf(factor, sizeof factor, "%s%.12g", row ? "," : "", inflationFactor[row]);
        text += factor;
    }
    return text;
}

const Command* FindCommand(int id) {
    for (const auto& c : table)
        if (c.id == id) return &c;
    return nullptr;
}

int SetCommandRoutine(int id, int (*run)()) {
    for (auto& c : table)
        if (c.id == id) {
            c.run = run;
            return 1;
        }
    return 0;
}

const std::vector<MenuEntry>& MenuLayout() { return layout; }
const std::vector<ToolbarButton>& ToolbarButtons() { return toolbar; }

int OpenEditingWindow() {
    for (int w = 0; w < WindowCount; ++w)
        if (shell.windowOpen[w]) return w;
    return -1;
}

void EnableScenarioCommands(bool on) {
    for (int id : scenarioCommands) ui::Current().EnableCommand(id, on);
    if (on) {
        // Every toolbar button too; the graph print stays with the folder shown.
        for (const auto& b : toolbar)
            if (b.bitmap >= 0) ui::Current().EnableCommand(b.command, true);
        EnableGraphCommands(IsGraphFolder(FolderOfTab(shell.currentTab)));
    } else {
        EnableGraphCommands(false);
    }
    shell.scenarioCommands = on ? 1 : 0;
}

void EnableGraphCommands(bool on) {
    if (on && !shell.scenarioCommands) return;
    ui::Current().EnableCommand(CmdPrintGraph, on);
    ui::Current().EnableCommand(CmdPrintGraphButton, on);
    ui::Current().EnableCommand(CmdShowMonteCarlo, on);
}

int RefuseWhenEventsFull() {
    if (state.eventCount < MaxEvents) return 0;
    char text[160];
    std::snprintf(text, sizeof text,
                  "The scenario already holds %d events.\nPlease delete an event before adding another.", MaxEvents);
    ui::Message(text, "Event Warning", ui::Buttons::Ok, ui::Icon::Exclamation);
    return 1;
}

int DispatchCommand(int id) {
    const Command* c = FindCommand(id);
    if (!c) return 0;
    if (c->flags & CommandGuarded) {
        int w = OpenEditingWindow();
        if (w >= 0) {
            ui::Current().RaiseWindow(w);
            return 0;
        }
    }
    if ((c->flags & CommandCreatesEvent) && RefuseWhenEventsFull()) return 0;
    if (!c->run) return Unavailable();
    BeginCommandStep();
    int result = c->run();
    EndCommandStep(*c);
    return result;
}
