// The File menu flows: New, Open, the recent-file entries, Save, Save As and
// the accounts file commands.
#include <cstdio>
#include <filesystem>

#include "engine/engine.h"
#include "model/model.h"
#include "shell/shell.h"

namespace {

ui::FileDialog ScenarioDialog(const char* title, bool save) {
    return FileDialogFor(title, "Scenario Files (*.RET)", "ret", save);
}

ui::FileDialog AccountsDialog(const char* title, bool save) {
    return FileDialogFor(title, "Account Files (*.ACC)", "acc", save);
}

bool OpensForUpdate(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) return false;
    std::fclose(f);
    return true;
}

void RunAndRefresh() {
    RunShellProjection(0);
    if (shellHooks.refreshSummary) shellHooks.refreshSummary();
}

}  // namespace

ui::FileDialog FileDialogFor(const char* title, const char* description, const char* extension, bool save) {
    ui::FileDialog d;
    d.title = title;
    d.filters = {{description, std::string("*.") + extension}};
    d.defaultExtension = extension;
    d.save = save;
    d.mustExist = !save;
    return d;
}

int CommandNew() {
    if (AskToSave(CommandSave) == ui::Answer::Cancel) return 0;
    static const std::vector<std::string> options = {"Create New Accounts From a Tab-delimited File (*.KVI)",
                                                     "Create New Accounts From a Comma-delimited File (*.CSV)",
                                                     "Create New Accounts By Hand"};
    int choice = 0;
    if (!ui::Current().ChooseOption("Create New Accounts", options, choice, 1568)) return 0;
    if (choice < 0 || choice > 2) return 0;
    state.modified = 1;
    state.needsRecalc = 1;
    return DispatchCommand(CmdNewFromTab + choice);
}

int NewScenario() {
    const std::string temporary = TemporaryScenarioName(static_cast<int>(state.startCounter));
    if (HoldsSavedScenario(temporary) &&
        ui::Message(temporary + " holds a saved scenario - Overwrite it with the new one?",
                    "FILE WARNING", ui::Buttons::YesNo, ui::Icon::Stop) != ui::Answer::Yes)
        return 0;
    EnableScenarioCommands(true);
    state.modified = 0;
    state.eventCount = 0;
    ResetScenario();
    ShowBudgetNames();
    if (!SaveTemporaryScenario(static_cast<int>(state.startCounter))) return 0;
    SetTitleWithPath();
    shell.windowOpen[WindowAddEvent] = 0;
    shell.runs = 0;
    return 1;
}

int CommandNewByHand() {
    if (!NewScenario()) return 0;
    NewScenarioByHand();
    ShowBudgetNames();
    ShowFolder(FolderAccounts);
    return 1;
}

// A tab- or comma-delimited New: the accounts come from the import module.
int CommandNewFromFile(int command) {
    if (!NewScenario()) return 0;
    if (shellHooks.createAccountsFromFile)
        shellHooks.createAccountsFromFile(command);
    else
        ui::Message("Accounts cannot be read from delimited files in this version.\nPlease add them by hand.",
                    "Create New Accounts", ui::Buttons::Ok, ui::Icon::Information);
    ShowFolder(FolderAccounts);
    return 1;
}

int OpenScenarioPath(const std::string& path, bool clearModified) {
    std::string old = FieldText(state.scenarioPath);
    if (!OpensForUpdate(path)) {
        // The Scenario in memory is still the old one, so it keeps its path:
        // a later Save must not write it over the file that failed to open.
        ui::Current().SetWindowTitle("Tillory -- Pro");
        if (clearModified) state.modified = 0;
        SelectFolderTab(0, 9999);
        return -1;
    }
    SetScenarioPath(path);
    if (!OpenScenario(path)) {
        // An invalid file leaves the reset Scenario named "tmp01.ret".
        SetTitleWithPath();
        if (clearModified) state.modified = 0;
        return 0;
    }
    SortEvents();  // a loaded list is processed in order
    ApplyDisplayFonts();
    SetTitleWithPath();
    EnableScenarioCommands(true);
    if (state.eventCount == 0) {
        SelectFolderTab(0, 9999);
    } else {
        state.needsRecalc = 1;
        ShowFolder(FolderScenario);
    }
    if (clearModified) state.modified = 0;
    // Only a file that was really open goes into the list, not the
    // placeholder name of a start without a scenario.
    AddRecentFile(std::filesystem::exists(old) ? old : "");
    return 1;
}

int CommandOpen() {
    if (AskToSave(CommandSave) == ui::Answer::Cancel) return 0;
    std::string path;
    if (!ui::Current().ChooseFile(ScenarioDialog("Open a Scenario", false), path)) return 0;
    if (path.size() > 256) path.resize(256);
    return OpenChosenScenario(path);
}

int OpenChosenScenario(const std::string& path) {
    int ok = OpenScenarioPath(path, true);
    if (ok < 0) return 0;
    for (int& open : shell.windowOpen) open = 0;
    RunAndRefresh();
    return ok;
}

int CommandRecentFile(int entry) {
    if (entry < 0 || entry >= RecentFileCount) return 0;
    std::string path = FieldText(state.recentFiles[entry]);
    if (path.empty()) return 0;
    if (AskToSave(CommandSave) == ui::Answer::Cancel) return 0;
    int w = OpenEditingWindow();
    if (w >= 0) {
        ui::Current().RaiseWindow(w);
        return 0;
    }
    int ok = OpenScenarioPath(path, false);
    if (ok < 0) return 0;
    RunAndRefresh();
    return ok;
}

// A plan without a file of its own gets a name first: writing it into the
// temporary file would leave it where the next New writes a blank plan.
int CommandSave() {
    PutEventsInOrder();
    return HasOwnScenarioFile() ? SaveScenario() : CommandSaveAs();
}

int CommandSaveAs() {
    std::string path;
    if (!ui::Current().ChooseFile(ScenarioDialog("Save Scenario With a New Name", true), path)) return 0;
    std::string old = FieldText(state.scenarioPath);
    PutEventsInOrder();
    int ok = SaveScenarioAs(path);
    if (ok) {
        state.modified = 0;
        AddRecentFile(old);
    }
    RunShellProjection(0);
    return ok;
}

int CommandSaveAccounts() {
    std::string path;
    if (!ui::Current().ChooseFile(AccountsDialog("Write Accounts", true), path)) return 0;
    return WriteAccountsCommand(path);
}

int CommandReadAccounts() {
    std::string path;
    if (!ui::Current().ChooseFile(AccountsDialog("Read Accounts", false), path)) return 0;
    if (!ReadAccountsCommand(path)) return 0;
    ShowFolder(FolderAccounts);
    return 1;
}

int CommandReindexAccounts() {
    if (ui::Message("This may change the account assignments in your scenario!\nDo you wish to continue?",
                    "Accounts", ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return 0;
    ReindexAccounts();
    state.modified = 1;
    state.needsRecalc = 1;
    ui::Message("The Accounts have been re-indexed.\nPlease check the account assignments in your scenario.",
                "Accounts", ui::Buttons::Ok, ui::Icon::Information);
    ShowFolder(FolderScenario);
    return 1;
}
