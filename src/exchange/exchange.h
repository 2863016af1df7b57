// Accounts read from and balances written to tab- and comma-delimited files.
//
// An import first turns the user's file into a normalized intermediate file of
// "name\tvalue" lines ("tabout.tmp" or "csvout.tmp" in the current folder);
// the create and update steps then read that file. The rules below are plain
// functions so that they run without a display.
#pragma once

#include <string>
#include <vector>

// Input kinds of the import routines.
enum : int { ImportTab = 0, ImportComma = 1 };

// Commands chosen in the import and export dialogs.
enum : int { CmdUpdateFromTab = 444, CmdUpdateFromCsv = 445, CmdExportTab = 446, CmdExportCsv = 447 };

constexpr const char* TabIntermediateName = "tabout.tmp";
constexpr const char* CommaIntermediateName = "csvout.tmp";
constexpr int ImportedNameRoom = 28;  // longest name the intermediate file carries

// Totals, headings and liability lines of a balances report are not
// accounts: true for a line shorter than 7 characters or one holding
// "LIABILI", "Liabili", "Net Wor", "Balance" not followed by "d", "Total" or
// "TOTAL". With `full` false only the words the create step checks on the
// intermediate lines ("LIABILI", "Balance", "TOTAL") count.
bool IsSkippedLine(const std::string& line, bool full = true);
// A value text made plain: commas and brackets go (two brackets make the
// amount negative), leading blanks and trailing non-digits go; anything left
// but digits, "-", "," and "." makes the value unusable (returns "").
std::string CleanValue(const std::string& text);
// A name made plain: a double quote at either end becomes a blank, trailing
// blanks, tabs, "*" and "," and leading blanks go.
std::string CleanName(const std::string& text);
// One line of the user's file (carriage returns and line feeds are dropped)
// with `separator` '\t' or ','. Returns 1 with the name (cut to 28) and the
// cleaned value when the line names an account, else 0.
int ConvertLine(const std::string& line, char separator, std::string& name, std::string& value);
// Writes the intermediate file of `kind` from the file at `path`. 0 when
// either file cannot be opened (said in a message).
int ConvertDelimitedFile(const std::string& path, int kind);
// Splits an intermediate line at its last tab; 0 when it holds none.
int SplitAtLastTab(const std::string& line, std::string& name, std::string& value);

// Updates the balances of the Accounts named in the file, offers to add the
// names that match none, then removes neighbouring Accounts of the same name.
// Returns 1 when the file was read through.
int UpdateAccountsFromFile(const std::string& path, int kind);
// Creates the Accounts of a new Scenario from the file (after New has reset
// it). Returns 1 when the file was read through.
int CreateAccountsFromFile(const std::string& path, int kind);
// Fills the record after the last Account with an imported name and amount
// and the defaults of an imported Account, and lets the user complete it in
// the Account Information dialog. Returns 1 when the user accepted it (the
// projection then runs and the "Accounts" folder is rebuilt), 0 otherwise,
// with the table as it was.
int AddImportedAccount(const std::string& name, const std::string& value);
// Wherever two neighbouring Accounts carry the same name the earlier one is
// removed; returns how many were. When the later one was just added under
// an id in `addedIds` and the earlier one was not, the one kept takes over
// the earlier one's id, so that Events keep naming an Account.
int RemoveNeighbourDuplicates(const std::vector<int>& addedIds = {});

// Writes the header and runs the projection with the export switched on, so
// that every year adds its row. `comma` 0 = tab-delimited. Asks before an
// existing file is replaced. Returns 1 when the file was written.
int ExportAccounts(const std::string& path, int comma);

// The command routines: import (13), export (12), and New's hook (441, 442).
int CommandImportAccountData();
int CommandExportAccountResults();
int CreateAccountsCommand(int command);
int UpdateAccountsCommand(int command);  // 444, 445
int ExportAccountsCommand(int command);  // 446, 447

// Installs the import and export commands and the New-from-file hook.
void InstallExchangeCommands();
