// The reports of the last projection: page files and the report window's text.
//
// Every report is written as tab-separated page files: one screen page
// ("spage1", 3000 lines) that the report window lists, or printer pages
// ("rpage1", "rpage2", ..., 56 lines each) that the page printer prints. Each
// page holds the column line (on printer pages followed by a dashes line and
// an empty line), the data lines and an end-marker line.
#pragma once

#include <string>
#include <vector>

// The reports, in menu order; each is also its print kind (results/printing.h).
enum : int {
    ReportNetWorth = 1,
    ReportIncoming = 2,
    ReportOutgoing = 3,
    ReportAccounts = 4,
    ReportGroups = 5,
    ReportIncomingEvents = 6,
    ReportOutgoingEvents = 7,
    ReportAccountFlows = 8,
    ReportCount = 8,
};

constexpr int ScreenPageLines = 3000;
constexpr int PrinterPageLines = 56;
constexpr const char* ScreenPageName = "spage1";
constexpr const char* EventTotalsFileName = "tmpfile.tmp";

// What the report window shows and the last page writing left.
struct ReportState {
    int current = 0;      // the report shown last (0 none)
    int failed = 0;       // its generator stopped on a file it could not open
};
extern ReportState reportState;

// ---- Generators: each writes the screen page (`printer` 0) or the printer
// pages and returns the number of pages written, 0 when there was no data
// line or a file could not be opened (said in a message box).
int WriteSummaryReport(int report, int printer);  // Net Worth, Incoming, Outgoing
int WriteAccountReport(int printer);
int WriteGroupReport(int printer);
int WriteEventsReport(int outgoing, int printer);
int WriteAccountFlowsReport(int printer);
// Any report by its code.
int WriteReport(int report, int printer);
// The event totals file: bigfile.tmp copied with each whole age's incoming
// and outgoing totals in front of it. Returns 1 when written.
int WriteEventTotals();

// The caption of a report's window ("Net Worth Report" ...), "" for none.
const char* ReportCaption(int report);

// ---- The selected-age pages of the Accounts/Incoming/Outgoing report: the
// line of spage1 whose age cell is `selected` ("66.0-I"), its Accounts by
// type on rpage1 and by Group on rpage2. Returns 2, or 0 when no line matches.
// `age` receives the line's whole age and `incoming` its direction.
int WriteSelectedAgePages(const std::string& selected, int& age, int& incoming);

// ---- The mortgage schedule's printout: "psched.tmp" into printer pages.
// Returns the page count, 0 after a message.
int WriteSchedulePages();
// The Mortgage Schedule window's Print: the pages, then the printer.
int PrintSchedule();
// The refinance details' printout: "refprt.tmp" into printer pages (the page
// count; 0 for an empty table or after a message), then print kind 14.
int WriteRefinancePages();
int PrintRefinanceDetails();
// Pages "rpage%d" printed as `kind` under `title` (the Budget printouts).
int PrintTitledPages(int pages, int kind, const std::string& title);

// ---- The report window ------------------------------------------------------
enum : int { FieldReportList = 470, FieldReportPrint, FieldSelectedAge, FieldPrintSelectedAge };
struct ReportPage {
    std::vector<std::string> columns;  // the column line's fields
    std::vector<std::string> rows;     // the data lines, cells separated by tabs
};
// A page line's cells: split at every tab, empty cells kept.
std::vector<std::string> SplitTabs(const std::string& line);
// Reads spage1; 0 after "Cannot open spage1".
int ReadScreenPage(ReportPage& page);
// The sample text a column must have room for: the age column's and the others'.
const char* ColumnSample(int column);
// Opens the window of `report` over the present spage1 (modal). Returns 1.
int ReportWindow(int report);
// The toolkit sizes the list's columns: each as wide as the larger of its
// heading and its sample (null: the toolkit's own widths).
struct ReportWindowHooks {
    void (*sizeColumns)(int control, const std::vector<std::string>& samples) = nullptr;
};
extern ReportWindowHooks reportWindowHooks;

// ---- Commands -----------------------------------------------------------------
// One report command: spage1, then the window.
int ShowReport(int report);
// The report window's Print: the printer pages, then the printer.
int PrintReport(int report);
// Print All Reports (command 791).
int PrintAllReports();
// Installs the Reports menu's commands and the Mortgage Schedule's Print.
void InstallReportCommands();
