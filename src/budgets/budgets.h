// The five Budgets of a Scenario, numbered 1..5 as the menu, the file and a
// Budget's Withdrawal Event (its budgetIndex) number them. Everything here
// works on the Budget records and the Event list; nothing is shown: a
// refusal comes back as a status and its Notice.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

// ---- Numbering ------------------------------------------------------------------------
// Budget `number` (1..5), or nullptr outside that range.
Budget* BudgetNumbered(int number);
// The Budget number (1..5) of a Withdrawal Event a Budget created, else 0.
int BudgetNumberOf(const Event& e);
// The position of Budget `number`'s Withdrawal Event among the live Events, or -1.
int BudgetEventIndex(int number);

// ---- Items ----------------------------------------------------------------------------
// Item names take 19 characters in the editor; a pasted one keeps 20.
constexpr int BudgetItemNameRoom = 19;
constexpr int BudgetNameRoom = 28;

// The item count kept within 0..30, whatever the record holds.
int BudgetItems(const Budget& b);
// Yearly amounts (12 x a monthly amount), their copies and the yearly total.
void RefreshBudget(Budget& b);
// Items by name, ignoring case; equal names keep their order.
void SortBudgetItems(Budget& b);
// The item list's six cells of item `i`, separated by tabs.
std::string BudgetListRow(const Budget& b, int i);
std::vector<std::string> BudgetListRows(const Budget& b);
std::string BudgetRateText(const Budget& b, int i);

struct BudgetItemInput {
    std::string name;
    float amount = 0, rate = 0;
    bool monthly = false, track = false, inflation = false;
};
// The item whose name has the same first 19 characters as `name`, or -1.
int FindBudgetItem(const Budget& b, const std::string& name);
enum BudgetEnterResult { BudgetItemEntered, BudgetItemsFull, BudgetNoName };
// Updates the item of that name or appends one; refused once 30 items are
// held, even for a name already there. Refreshes the totals.
BudgetEnterResult EnterBudgetItem(Budget& b, const BudgetItemInput& in);
Notice BudgetFullNotice();
// Removes the item of that name (1), or does nothing (0).
int DeleteBudgetItem(Budget& b, const std::string& name);
void ClearBudgetItems(Budget& b);

// ---- The Budget's Withdrawal Event ----------------------------------------------------------
enum BudgetEventResult { BudgetEventUnchanged, BudgetEventChanged, BudgetEventsFull };
// Brings the Event list in line with Budget `number`: an active Budget owns
// one Withdrawal Event (appended at the end when it has none) carrying its
// name, ages, account and yearly total; an inactive one owns none. Marks the
// Scenario modified and due for recalculation when anything changed.
// BudgetEventsFull: active, without an Event, and every slot in use.
BudgetEventResult ApplyBudgetEvent(int number);

// ---- Copy file ("budout.tmp", "pbudout.tmp") -----------------------------------------------
extern const char* const BudgetCopyFile;
extern const char* const BudgetReportInputFile;
// The file's text: count, name, ages, one line per item, "Dooone".
std::string BudgetFileText(const Budget& b);
// Writes `b` to `path`; 0 when the file could not be written whole.
int WriteBudgetFile(const std::string& path, const Budget& b);
// What Paste All takes from the file.
struct BudgetPaste {
    std::string name;
    int startAge = 0, endAge = 0;
};
enum BudgetPasteResult { BudgetPasted, BudgetPasteUnreadable, BudgetPasteInvalid };
// Reads `path` into the items of `b` (the inflation flags stay with their
// slots) and `out`; nothing changes unless the count is 1..30.
BudgetPasteResult PasteBudgetFile(const std::string& path, Budget& b, BudgetPaste& out);
// The same from text already read.
BudgetPasteResult PasteBudgetText(const std::string& text, Budget& b, BudgetPaste& out);

// ---- Printouts ----------------------------------------------------------------------------
// The list printout's page ("rpage1" when printed).
std::vector<std::string> BudgetListPage(const Budget& b);
// The year-by-year report: one table per page, each page's lines as they go
// in its page file (heading included, end marker not). Ages run from the
// start age to the end age (above 120: 119); a start age below 1 starts the
// rows at age 1, the first planning age. Items whose line lacks a name,
// amount or monthly cell are left out.
struct BudgetReport {
    std::string title;  // the Budget name, trimmed
    std::vector<std::vector<std::string>> pages;
};
// From the text of a copy file; false when its count is not 1..30.
bool BuildBudgetReport(const std::string& fileText, BudgetReport& out);
constexpr int BudgetReportColumns = 8;
constexpr int BudgetReportPageLines = 60;

// Page files "rpage%d" for the printer. Each returns the number of pages
// written, 0 with `notice` set when a file could not be written.
int WriteBudgetListPages(const Budget& b, Notice& notice);
// Print Report: writes "pbudout.tmp" from `b`, reads it back and writes the
// report's pages; `title` is the print title. 0 without a notice: nothing to print.
int WriteBudgetReportPages(const Budget& b, std::string& title, Notice& notice);
