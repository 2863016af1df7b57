// The page printer that every printout goes through: numbered page files
// under a header block, on the printer the desktop program provides.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "ui/draw.h"

struct PrintState {
    // Print All Reports numbers its pages out of this total (0: each printout
    // counts its own pages) and counts the pages printed so far.
    int grandTotal = 0;
    int pagesPrinted = 0;
    // The selected age of print kinds 9 and 10, the title of kinds 11 to 13.
    int selectedAge = 0;
    std::string titleText;
    // The choice of the last print dialog, kept for the whole run: copies,
    // the page range (page 0 is the title page) and the collate flag.
    int copies = 1;
    int fromPage = 0, toPage = 0;
    int collate = 0;
    // Set by the cancel dialog; cleared when a job starts.
    int cancelRequested = 0;
    // The moment the header block shows; 0 asks the clock.
    std::time_t headerTime = 0;
};
extern PrintState printState;

// Print kinds: what a printout is, and so the title heading its pages. The
// Results Report has a kind of its own and prints "page%d" files.
enum : int {
    PrintResultsReport = 0,
    PrintNetWorth = 1,
    PrintIncoming = 2,
    PrintOutgoing = 3,
    PrintAccounts = 4,
    PrintGroups = 5,
    PrintIncomingEvents = 6,
    PrintOutgoingEvents = 7,
    PrintAccountFlows = 8,
    PrintAccountsIncomingAtAge = 9,
    PrintAccountsOutgoingAtAge = 10,
    PrintBudget = 11,
    PrintMortgageSchedule = 12,
    PrintBudgetList = 13,
    PrintRefinance = 14,
};

// Prints "rpage1" .. "rpage<pageCount>" as print kind `kind` (1..14).
// Returns 1 when the job ran to its end, 0 when it was cancelled, failed or
// no printer is available.
int PrintPages(int pageCount, int kind);

// What the desktop program installs: the print dialog, then the job on the
// chosen printer (RunPrintJob). Without it nothing prints and PrintPages
// returns 0 quietly.
struct PrintHooks {
    int (*printPages)(int pageCount, int kind) = nullptr;
};
extern PrintHooks printHooks;

// ---- Texts of the header block ----------------------------------------------------
// The report title of a kind; kinds 1 to 3 carry a leading blank when the
// title line is left-aligned.
std::string PrintTitle(int kind, bool centred);
// "June 1, 2026": the year as 2000 + (years since 1900 modulo 100).
std::string PrintDateText(int month, int day, int yearsSince1900);
// "12:05:09 AM " on a 12-hour clock (with its trailing blank).
std::string PrintTimeText(int hour, int minute, int second);
std::string PageNumberText(int page, int pageCount);
// The five header lines of page `page`: title, file (or title 1), date (or
// title 2), time (or title 3) and the page number, which under Print All
// Reports runs on from the pages printed before, out of the grand total.
std::vector<std::string> PrintHeaderLines(int kind, int page, int pageCount, const std::tm& now);
// Whether the header lines are centred (the report settings decide).
bool PrintHeaderCentred();
// The local time the header block shows (printState.headerTime or now).
std::tm PrintHeaderTime();

// ---- Page files ---------------------------------------------------------------------
// "page%d" for the Results Report, "rpage%d" for every other kind.
std::string PageFileName(int kind, int page);
// The lines of a page file up to its end marker (a line beginning with
// "Dooooone" or "Dooone"), without line ends; a file without a marker is
// read to its end. Returns 0 when the file cannot be opened.
int ReadPageFile(const std::string& path, std::vector<std::string>& lines);
// The pages a job prints, in order: page numbers 0 (the title page) to
// `pageCount` within from..to, `copies` times. Collated copies repeat the
// whole set; uncollated ones repeat each page at once.
std::vector<int> PageOrder(int pageCount, int from, int to, int copies, bool collate);

// ---- Drawing a page -----------------------------------------------------------------
struct PageLayout {
    ui::Rect area;        // the printable area less the margins, in device units
    int fontHeight = 0;   // the report font on this device
    int titleHeight = 0;  // the title line's font
};
// How the report settings dress a page body.
struct ReportLook {
    bool centred = false;
    bool banding = false;
    bool boxing = false;
    bool columns = false;
    ui::DrawColour band{230, 230, 230};
};
ReportLook CurrentReportLook();
// Draws one printed page: the header block and, unless `body` is null (the
// title page), the page file's lines, cells at column positions measured on
// the page; the font shrinks when the page would not hold its lines.
void DrawPrintedPage(ui::Painter& p, const PageLayout& layout, const std::vector<std::string>& header,
                     const std::vector<std::string>* body, int kind, const ReportLook& look);

// ---- The print job ---------------------------------------------------------------------
// The printer as the page loop sees it (the desktop's QPrinter, or a
// recording device in tests).
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual int StartDocument(const std::string& name) = 0;
    // The painter of a new page and its layout; nullptr when no page starts.
    virtual ui::Painter* StartPage(PageLayout& layout) = 0;
    virtual int EndPage() = 0;
    virtual void EndDocument() = 0;
    // The modeless cancel dialog: shown for the job, its text per page.
    virtual int OpenCancelDialog() { return 1; }
    virtual void ShowProgress(const std::string&) {}
    virtual void CloseCancelDialog() {}
    // The owner window is disabled while a page renders.
    virtual void EnableOwner(bool) {}
    // Lets pending window messages through, the cancel dialog's among them.
    virtual void ProcessMessages() {}
};
// "   Now printing Page %d of %d.....".
std::string ProgressText(int page, int pageCount);
// Prints the pages of `kind` in the order the print state chose, under the
// document name "Printing Schedule". A cancel request stops the job after
// the page being printed. Returns 1 when every page printed.
int RunPrintJob(PrintDevice& device, int pageCount, int kind);
// The cancel dialog's Cancel.
void RequestPrintCancel();

// ---- Results Report -----------------------------------------------------------------------
// Cuts the schedule text "ptmpsch.dat" into "page%d" files; `rules` writes
// the dash lines (and their markers) around the column heading. Returns the
// number of pages written, 0 on failure (reported).
int PaginateResults(bool rules);
// Command 401: the schedule into the print file, its pages, then the printer.
int CommandPrintResults();

// ---- Closing --------------------------------------------------------------------------------
// Deletes the temporary and page files of this and the other subsystems.
void DeleteTemporaryFiles();
// Installs command 401 and the deletion of temporary files at close (after
// whatever clean-up was installed before).
void InstallPrintCommands();
