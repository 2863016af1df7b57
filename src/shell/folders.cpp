// The folder tabs as the shell switches them.
#include <cstdio>

#include "model/model.h"
#include "shell/shell.h"

namespace {

const char* const fixedLabels[] = {"Summary",  "Accounts", "Scenario", "Results", "Net Worth",
                                   "Incoming/Outgoing", "Incoming", "Outgoing", "Groups"};
constexpr int FixedTabs = 9;

int AccountTabCount() { return static_cast<int>(AccountTabLabels(LiveAccountCount()).size()); }

}  // namespace

std::vector<std::string> AccountTabLabels(int n) {
    std::vector<std::string> labels;
    for (int first = 1; first <= n && first <= MaxAccounts; first += 10) {
        int last = n < first + 9 ? n : first + 9;
        char text[32];
        if (last == first)
            std::snprintf(text, sizeof text, "Account %d", first);
        else if (first == 1)
            std::snprintf(text, sizeof text, "Accounts 1-%1d", last);
        else
            std::snprintf(text, sizeof text, "Accounts %d-%2d", first, last);
        labels.push_back(text);
    }
    return labels;
}

std::vector<FolderTab> FolderTabs() {
    std::vector<FolderTab> tabs;
    for (int i = 0; i < FixedTabs; ++i) tabs.push_back({fixedLabels[i], i});
    if (shell.makerFolder) tabs[0] = {"K&&V Software", FolderMaker};
    for (const auto& label : AccountTabLabels(LiveAccountCount())) tabs.push_back({label, FolderAccountGraph});
    tabs.push_back({"Monte Carlo Analysis", FolderMonteCarlo});
    return tabs;
}

int FolderOfTab(int tab) {
    if (tab == 0) return shell.makerFolder ? FolderMaker : FolderSummary;
    if (tab > 0 && tab < FixedTabs) return tab;
    int accountTabs = AccountTabCount();
    if (tab >= FixedTabs && tab < FixedTabs + accountTabs) return FolderAccountGraph;
    return FolderMonteCarlo;
}

int TabOfFolder(int folder) {
    if (folder == FolderSummary || folder == FolderMaker) return 0;
    if (folder > 0 && folder < FixedTabs) return folder;
    if (folder == FolderAccountGraph) return FixedTabs;
    return FixedTabs + AccountTabCount();
}

bool IsGraphFolder(int folder) { return folder >= FolderNetWorth && folder <= FolderGroups; }

void SelectFolderTab(int tab, int code) {
    (void)code;  // the user's click and a command's rebuild request do the same
    int count = static_cast<int>(FolderTabs().size());
    if (tab < 0 || tab >= count) tab = 0;
    // The maker's page gives way to Summary once the user comes back to it.
    if (tab == 0 && shell.makerFolder && shell.otherTabShown) shell.makerFolder = 0;
    if (tab != 0) shell.otherTabShown = 1;
    shell.currentTab = tab;
    int folder = FolderOfTab(tab);

    if (folder == FolderAccounts || folder == FolderScenario) RebuildGeneratedEvents();
    PutEventsInOrder();
    if (IsGraphFolder(folder))
        EnableGraphCommands(true);
    else if (folder == FolderSummary || folder == FolderAccounts)
        EnableGraphCommands(false);
    // Ctrl+L on the shown analysis runs it again, whichever folder came
    // before it.
    if (folder == FolderMonteCarlo && shell.scenarioCommands) ui::Current().EnableCommand(CmdShowMonteCarlo, true);

    if (folder == FolderResults)
        RunShellProjection(0);
    else if (folder == FolderSummary || IsGraphFolder(folder) || folder == FolderAccountGraph)
        EnsureProjection();

    std::vector<std::string> labels;
    for (const auto& t : FolderTabs()) labels.push_back(t.label);
    ui::Current().SetFolderTabs(labels, tab);
    ui::Current().ShowFolder(tab, folder);
}

void ShowFolder(int folder) { SelectFolderTab(TabOfFolder(folder), 9999); }
