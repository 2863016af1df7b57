// The "Results" folder: how its schedule lines are drawn and what the
// buttons of its panel do. The list itself is filled by the projection.
#pragma once

#include <string>
#include <vector>

#include "shell/shell.h"

// ---- Drawing rules ---------------------------------------------------------
// Red text: the line reports a problem or a negative money amount.
bool ResultLineIsRed(const std::string& line);
// A line starting with a digit 1..9 is a table row drawn in eight cells.
bool ResultLineIsTableRow(const std::string& line);
// The cells of a table row: split at blanks and tabs, runs skipped, at most
// eight (the last cell keeps any rest of the line).
std::vector<std::string> ResultTableCells(const std::string& line);
// The headings over the eight cells: "Age", then the totals by kind,
// liabilities and net worth, in the order the rows give them.
const char* ResultsColumnHeading(int column);
// Column widths for a main window client width: (width - 40) x 30, 72, 72,
// 72, 70, 70, 72, 72 parts of 534, truncated.
void ResultsColumnWidths(int clientWidth, int widths[8]);
// The background of odd lines: the scroll-bar colour through the
// lightening rule (left as it is with DARKER).
Colour ResultsBandingColour(Colour scrollBar);

// ---- The panel ---------------------------------------------------------------
enum : int {
    ResultsTop,
    ResultsBottom,
    ResultsGoTo,
    ResultsDetailed,
    ResultsAccounts,
    ResultsRunAgain,
    ResultsSave,
    ResultsPrint,
    ResultsRandomAccounts,
    ResultsRandomGroups,
    ResultsEditInitialValues,
    ResultsHelp,
    ResultsButtonCount
};
// Button captions in the order above.
const char* ResultsButtonText(int button);
// A panel button; `ageText` is the Go To field. Ignored while the results
// are printing. Returns 1 when something was done.
int ResultsButton(int button, const std::string& ageText = "");
// The line the list selects after a run, from the remembered position
// (Top, Bottom or Go To with its age); -1 for an empty list.
int ResultsPositionLine();
// Selects the remembered position in the list (after every run).
void ApplyResultsPosition();
// The states of the two check boxes.
bool ResultsDetailedShown();
bool ResultsAccountsShown();

// ---- The lines, as the last run into the list left them ------------------------
int ResultLineCount();
std::string ResultLine(int index);
// The list line of the schedule row for a whole age, -1 when none.
int ResultLineOfAge(int age);
