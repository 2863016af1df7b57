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
void RecomputeInitialTotals();
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
ui::Answer AskToSave();
void SetScenarioPath(const std::string& path);
void SetTitleWithPath();

// ---- Accounts, preferences and program settings files ---------------------
int WriteAccountsFile(const std::string& path);
int ReadAccountsFile(const std::string& path);
void ReadPreferences();
void WritePreferences();
int ReadProgramSettings();
void WriteProgramSettings();
void AddRecentFile(const std::string& path);
