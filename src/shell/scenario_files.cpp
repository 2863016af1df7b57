// The core's file routines as the person sees them: the questions asked
// before a write, the messages after a failure, the window title, the
// recent-file entries of the File menu and the Budgets menu.
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/engine.h"
#include "model/model.h"
#include "shell/shell.h"

namespace {

const char* const TitleBase = "Tillory -- Pro";

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

int WindowWidth() {
    ui::Rect r = ui::Current().MainWindowRect();
    return std::abs(r.right - r.left);
}

}  // namespace

void ShowNotice(const Notice& notice) {
    if (!notice.Empty()) ui::Message(notice.text, notice.caption, ui::Buttons::Ok, ui::Icon::Stop);
}

void ShowRunNotices() {
    // Taken first: a message box may let another run start.
    std::vector<Notice> notices;
    notices.swap(runNotices);
    for (const Notice& n : notices) ShowNotice(n);
}

int SaveScenario() {
    Notice notice;
    if (!WriteScenarioFile(WindowWidth(), notice)) {
        ShowNotice(notice);
        return 0;
    }
    SetTitleWithPath();
    return 1;
}

int SaveScenarioAs(const std::string& path) {
    if (Exists(path)) {
        Notice question = OverwriteScenarioQuestion(path);
        if (ui::Message(question.text, question.caption, ui::Buttons::YesNo, ui::Icon::Stop) != ui::Answer::Yes)
            return 0;
    }
    Notice notice;
    if (!WriteScenarioFileAs(path, WindowWidth(), notice)) {
        ShowNotice(notice);
        return 0;
    }
    SetTitleWithPath();
    return 1;
}

int OpenScenario(const std::string& path) {
    int dpiX = 0, dpiY = 0;
    ui::Current().PrinterDotsPerInch(dpiX, dpiY);
    Notice notice;
    int read = ReadScenarioFile(path, dpiX, dpiY, notice);
    if (read == ReadNotWritable) {
        ui::Current().SetWindowTitle(TitleBase);
        return 0;
    }
    ShowNotice(notice);
    RefreshBudgetMenu();
    return read;
}

int SaveTemporaryScenario(int startCounter) {
    Notice notice;
    if (WriteTemporaryScenario(startCounter, notice)) return 1;
    ShowNotice(notice);
    return 0;
}

ui::Answer AskToSave(int (*save)()) {
    if (state.modified != 1) return ui::Answer::No;
    std::string text = "Do you wish to save the file " + FieldText(state.scenarioPath) + "?";
    ui::Answer a = ui::Message(text, "K&V Tillory -- Pro", ui::Buttons::YesNoCancel, ui::Icon::Question);
    if (a == ui::Answer::Yes && !save()) return ui::Answer::Cancel;
    return a;
}

void SetTitleWithPath() {
    ui::Current().SetWindowTitle(std::string(TitleBase) + " - " + FieldText(state.scenarioPath));
}

void TakeOutsideValuesFrom(const Scenario& s) {
    int dpiX = 0, dpiY = 0;
    ui::Current().PrinterDotsPerInch(dpiX, dpiY);
    TakeOutsideValuesFrom(s, dpiX, dpiY);
}

int WriteAccountsCommand(const std::string& path) {
    if (Exists(path) && ui::Message(path + " exists - Overwrite anyway?", "FILE WARNING", ui::Buttons::YesNo,
                                    ui::Icon::Question) != ui::Answer::Yes)
        return 1;
    std::string why;
    if (WriteAccountsFile(path, &why)) return 1;
    std::string text = "Cannot write " + path + " accounts file!";
    ui::Message(why.empty() ? text : text + "\n\n" + why, "Write Error", ui::Buttons::Ok, ui::Icon::Stop);
    return 0;
}

int ReadAccountsCommand(const std::string& path) {
    Notice notice;
    if (!ReadAccountsFile(path, notice)) {
        ShowNotice(notice);
        ui::Message("Cannot read " + path + " accounts file!", "Read Error", ui::Buttons::Ok, ui::Icon::Stop);
        return 0;
    }
    state.needsRecalc = 1;
    state.modified = 1;
    return 1;
}

void WritePreferences() {
    ui::Rect r = ui::Current().MainWindowRect();
    WritePreferencesFile({r.left, r.top, r.right, r.bottom});
}

std::string RecentFileMenuText(int index) {
    if (index < 0 || index >= RecentFileCount) return "";
    return "(" + std::to_string(index + 1) + ") " + FieldText(state.recentFiles[index]);
}

int RecentFileMenuId(int index) {
    static const int ids[RecentFileCount] = {602, 603, 604, 605, 606, 609};
    return index >= 0 && index < RecentFileCount ? ids[index] : 0;
}

void AddRecentFile(const std::string& path) { ui::Current().SetRecentFileMenu(PushRecentFile(path)); }

// A reset also takes the check marks of the Budgets that were in effect.
void ShowBudgetNames() { RefreshBudgetMenu(); }

void RefreshBudgetMenu() {
    NameUnnamedBudgets();
    for (int b = 0; b < MaxBudgets; ++b) {
        const Budget& budget = scenario.budgets[b];
        ui::Current().SetMenuItemText(MenuBudgetFirst + b, FieldText(budget.name));
        ui::Current().CheckMenuItem(MenuBudgetFirst + b, budget.active == 1);
    }
}
