// The Scenario in memory, the program-wide state beside it, the operations
// that keep its blocks consistent, and its files.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"
#include "ui/ui.h"

constexpr int PathLength = 264;    // room for a path of up to 263 characters and its NUL
constexpr int RecentFileCount = 6;
constexpr int MenuBudgetFirst = 461;  // Budgets menu items 461..465

// Program-wide state that belongs with the Scenario but is not stored in it.
struct ScenarioState {
    int eventCount = 0;  // the live event count; the i16 in the file is a copy
    char scenarioPath[PathLength] = "tmp01.ret";
    int modified = 0;
    int needsRecalc = 0;
    // Monte Carlo working copies, edited outside the block.
    int mcTrials = 100;
    float mcMinInflationRate = 0;
    float mcMaxInflationRate = 0;
    // Display and report preferences in effect (copied to and from PageSettings).
    int reportColumns = 0;
    int colorBanding = 0;
    int reportBanding = 0;
    int hideMakerFolder = 0;
    int reportBoxing = 0;
    int toolbarShown = 1;
    int toolbarHeight = 29;
    // Print margins in printer units, and the print orientation (1 portrait, 2 landscape).
    int printMarginLeft = 0, printMarginTop = 0, printMarginRight = 0, printMarginBottom = 0;
    int printOrientation = 1;
    // The same margins in thousandths of an inch, as stored in PageSettings, so
    // that a save writes back exactly what was read.
    int marginLeft = 1000, marginTop = 1000, marginRight = 500, marginBottom = 1000;
    // Main window placement from the preferences file.
    int windowLeft = 0, windowTop = 0, windowWidth = 600, windowHeight = 500;
    // finance.dat: start counter, the values written back as read, recent files.
    float startCounter = 0;
    float settingsValues[7] = {};
    int settingsFlag = 0;
    char recentFiles[RecentFileCount][PathLength] = {};
    // Today's date for the birthday fraction; 0 = ask the clock.
    int todayMonth = 0, todayDay = 0;
};

extern Scenario scenario;
extern ScenarioState state;

// ---- Scenario operations --------------------------------------------------
void ResetScenario();
void ResetEventSlot(int slot);
void ClearRunFields();
int FindAccount(int accountId);
void AppendAccountName(int accountId, std::string& text);
void AssignAccountId(int position);
void RepairOptionsSlots();
void SortAccountsByName(bool ascending);
void SortAccountsByAccessOrder(bool ascending);
// The same stable exchange sort on any key (compare < 0: x before y).
void SortAccountsBy(bool ascending, int (*compare)(const Account& x, const Account& y));
// Fixed text fields compared ignoring letter case.
int CompareFieldsNoCase(const char* a, int asize, const char* b, int bsize);
void RecomputeInitialTotals();
// The live account positions in the order withdrawals take from them: by
// Access Order, compared as whole numbers when both are numbers and as text
// ignoring case otherwise, blank last, ties in table order. The display sort
// of the account list never changes it. Returns the count written.
int AccountsInWithdrawalOrder(int (&positions)[MaxAccounts]);
float BirthdayFraction();                          // today from state or the clock
float BirthdayFraction(int todayMonth, int todayDay);  // explicit today
void ClearAccountOptions(int position);
void ReindexAccounts();
void RebuildGeneratedEvents();
// The Budgets menu texts from the budget names, with check marks for active ones.
void RefreshBudgetMenu();
// The in-memory half of New -> "Create New Accounts By Hand": a reset Scenario
// with no events, cleared per-account arrays and settings, and the three RMD
// tables starting at 70, named "IRA 1" .. "IRA 3".
void NewScenarioByHand();

// Copies at most n-1 characters of a fixed text field that may lack its NUL.
std::string FieldText(const char* field, int size);
template <int N>
std::string FieldText(const char (&field)[N]) {
    return FieldText(field, N);
}
// Stores `text` into a fixed field, truncated, NUL-terminated.
void SetFieldText(char* field, int size, const std::string& text);
template <int N>
void SetFieldText(char (&field)[N], const std::string& text) {
    SetFieldText(field, N, text);
}

// ---- Scenario file --------------------------------------------------------
int SaveScenario();
int SaveScenarioAs(const std::string& path);
int OpenScenario(const std::string& path);
int SaveTemporaryScenario(int startCounter);
// The temporary file's name for a start counter: "./temp31.ret" for 3.
std::string TemporaryScenarioName(int startCounter);
// Asks to save a modified Scenario; Yes saves through `save`, and a save
// that fails or is given up turns the answer into Cancel, so that the
// command asking goes no further with the plan unsaved.
ui::Answer AskToSave(int (*save)() = SaveScenario);
// False while the Scenario has no file of its own: the placeholder path of a
// start without a scenario or the temporary file New writes. Saving such a
// plan needs a name from the person.
bool HasOwnScenarioFile();
// True when `path` names a file that holds more than the blank plan of a
// temporary file: a plan a person saved there.
bool HoldsSavedScenario(const std::string& path);
void SetScenarioPath(const std::string& path);
void SetTitleWithPath();
// The inverse of the gathering step of SaveScenario: sets every value kept
// outside the blocks (live event count, Monte Carlo working copies, margins in
// thousandths and in printer units, print orientation, report banding, boxing
// and columns) from what the blocks of `s` hold, so that a following save
// writes those blocks unchanged. The one value not kept here is the window
// width: SaveScenario takes it from ui::Current().MainWindowRect(), so a caller
// that wants `s.pageSettings.windowWidth` written sets that rectangle too.
void TakeOutsideValuesFrom(const Scenario& s);

// ---- Accounts, preferences and program settings files ---------------------
// Per-account options for a file that lacks them: every record's options slot
// is its position, and each slot gets these penalties and no asset allocation.
void SetDefaultAccountOptions(float penaltyAge, float penaltyRate);
int WriteAccountsFile(const std::string& path);
int ReadAccountsFile(const std::string& path);
void ReadPreferences();
void WritePreferences();
int ReadProgramSettings();
void WriteProgramSettings();
// Puts `path` at the top of state.recentFiles and hands the entries (plain
// paths, entry 1 first, up to the first empty one) to ui SetRecentFileMenu;
// the menu shows entry k as RecentFileMenuText(k) with id RecentFileMenuId(k).
void AddRecentFile(const std::string& path);
std::string RecentFileMenuText(int index);  // "(1) " + entry 1 ... (index 0-based)
int RecentFileMenuId(int index);            // 602..606, 609 (index 0-based)
constexpr int MenuRecentSeparator = 607;
// The File menu commands around the accounts file: run the file routine and,
// when it fails, show "Cannot write %s accounts file!" ("Write Error") or
// "Cannot read %s accounts file!" ("Read Error"). A successful read marks the
// Scenario modified and due for recalculation; closing windows and showing the
// "Accounts" folder stay with the shell.
int WriteAccountsCommand(const std::string& path);
int ReadAccountsCommand(const std::string& path);

// Replaces the content of `path` with `content` without ever leaving a
// half-written file: the content goes to a new file in the same folder, which
// then takes the old one's place. With `keepSurplus` the bytes of a longer old
// file beyond `content` are kept. Returns 1 on success, 0 with the old file
// untouched.
int ReplaceFileContent(const std::string& path, const std::string& content, bool keepSurplus);
// Reads at most `limit` bytes from the start of `path` into `out`; 0 when the
// file cannot be opened.
int ReadFileStart(const std::string& path, long limit, std::string& out);
