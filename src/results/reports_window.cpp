// The report window, the Reports menu's commands, Print All Reports and the
// mortgage schedule's printout.
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/engine.h"
#include "results/printing.h"
#include "results/reports_internal.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

ReportWindowHooks reportWindowHooks;

namespace {

bool IsEndMarker(const std::string& line) { return line.compare(0, 6, "Dooone") == 0 || line.compare(0, 8, "Dooooone") == 0; }

// A column or data line closes its last cell with a tab: no further field.
std::string WithoutLastTab(std::string line) {
    if (!line.empty() && line.back() == '\t') line.pop_back();
    return line;
}

}  // namespace

int ReadScreenPage(ReportPage& page) {
    page = ReportPage{};
    std::FILE* f = std::fopen(ScreenPageName, "r");
    if (!f) {
        FileOpenError("Cannot open spage1");
        return 0;
    }
    std::string line;
    if (ReadLine(f, line) && !IsEndMarker(line)) page.columns = SplitTabs(WithoutLastTab(line));
    while (ReadLine(f, line) && !IsEndMarker(line))
        if (!line.empty()) page.rows.push_back(WithoutLastTab(line));
    std::fclose(f);
    return 1;
}

const char* ColumnSample(int column) { return column == 0 ? "99999.9" : "999999999.00"; }

// ---- The window ------------------------------------------------------------------------

namespace {

using K = ui::ControlKind;

int windowReport = 0;
ReportPage windowPage;

std::string Joined(const std::vector<std::string>& cells) {
    std::string text;
    for (size_t k = 0; k < cells.size(); ++k) text += (k ? "\t" : "") + cells[k];
    return text;
}

ui::DialogTemplate ReportTemplate(int report) {
    ui::DialogTemplate t{"REPORTS", "REPORTS", {}, false, 0};
    t.caption = ReportCaption(report);
    t.controls = {
        {FieldReportList, K::List, Joined(windowPage.columns)},
        {FieldSelectedAge, K::Edit, "Selected Age", 16},
        {ui::IdOk, K::Button, "OK"},
        {FieldReportPrint, K::Button, "Print"},
        {FieldPrintSelectedAge, K::Button, "Print Selected Age"},
    };
    return t;
}

int PrintSelectedAge(const std::string& selected) {
    int age = 0, incoming = 0;
    int pages = WriteSelectedAgePages(selected, age, incoming);
    if (pages == 0) return 0;
    printState.selectedAge = age;
    return PrintPages(pages, incoming ? PrintAccountsIncomingAtAge : PrintAccountsOutgoingAtAge);
}

void ReportRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        d.SetItems(FieldReportList, windowPage.rows);
        d.SetText(FieldSelectedAge, "0.0");
        // The selected age reads the lines of the Accounts/Incoming/Outgoing report.
        const bool flows = windowReport == ReportAccountFlows;
        d.Enable(FieldSelectedAge, flows);
        d.Enable(FieldPrintSelectedAge, flows);
        if (reportWindowHooks.sizeColumns) {
            std::vector<std::string> samples;
            for (size_t k = 0; k < windowPage.columns.size(); ++k) samples.push_back(ColumnSample(static_cast<int>(k)));
            reportWindowHooks.sizeColumns(FieldReportList, samples);
        }
        return;
    }
    if (message == ui::DialogDoubleClick && control == FieldReportList) {
        const int row = d.Selected(FieldReportList);
        if (row >= 0 && row < static_cast<int>(windowPage.rows.size()) && d.Enabled(FieldSelectedAge))
            d.SetText(FieldSelectedAge, Trimmed(SplitTabs(windowPage.rows[static_cast<size_t>(row)])[0]));
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case FieldReportPrint: PrintReport(windowReport); break;
        case FieldPrintSelectedAge: PrintSelectedAge(d.Text(FieldSelectedAge)); break;
        case ui::IdOk:
        case ui::IdCancel: d.End(1); break;
        default: break;
    }
}

}  // namespace

int ReportWindow(int report) {
    windowReport = report;
    windowPage = ReportPage{};
    // A report whose input failed shows nothing rather than an older page.
    if (!reportState.failed) ReadScreenPage(windowPage);
    ui::Dialogs().Run(ReportTemplate(report), ReportRoutine);
    return 1;
}

// ---- Commands ------------------------------------------------------------------------------

int ShowReport(int report) {
    EnsureProjection();
    reportState.current = report;
    std::remove(ScreenPageName);
    WriteReport(report, 0);
    return ReportWindow(report);
}

int PrintReport(int report) {
    const int pages = WriteReport(report, 1);
    if (pages == 0) return 0;
    return PrintPages(pages, report);
}

int PrintAllReports() {
    EnsureProjection();
    // Page numbers run over every report: the printer needs the whole count first.
    int total = 0;
    for (int r = 1; r <= ReportCount; ++r) total += WriteReport(r, 1);
    printState.grandTotal = total;
    printState.pagesPrinted = 0;
    for (int r = 1; r <= ReportCount; ++r) {
        const int pages = WriteReport(r, 1);
        if (pages < 1) continue;
        if (!PrintPages(pages, r) && r == ReportNetWorth) break;
    }
    printState.grandTotal = 0;
    printState.pagesPrinted = 0;
    return 1;
}

// ---- The mortgage schedule -----------------------------------------------------------------

namespace {

// The "rpageN" pages of a schedule, each under the same heading; a page
// replaces its file only once complete.
struct SchedulePages {
    explicit SchedulePages(std::string pageHeading) : heading(std::move(pageHeading)) {}
    std::string heading;
    PartFile part;
    int page = 0;

    std::FILE* File() const { return part.File(); }
    // Ends the open page (if any) and opens the next; false after the message.
    bool Next() {
        if (page > 0 && !Close()) return false;
        ++page;
        if (!part.Open(Format("rpage%d", page), false)) {
            FileOpenError(page == 1 ? std::string("Cannot temporary print file - rpage")
                                    : Format("Cannot open file rpage%d.\n", page));
            return false;
        }
        std::fputs(heading.c_str(), File());
        std::fputs("-----------------------\n", File());
        return true;
    }
    bool Close() {
        std::fputs("Dooone\n", File());
        if (part.Commit()) return true;
        FileOpenError(Format("Cannot write file rpage%d.\n", page));
        return false;
    }
};

}  // namespace

int WriteSchedulePages() {
    std::FILE* in = std::fopen(MortgageScheduleFileName, "r");
    if (!in) {
        FileOpenError("Cannot open temporary print file - psched.tmp");
        return 0;
    }
    std::string line, heading;
    if (ReadLine(in, line) && !IsEndMarker(line))
        for (const std::string& name : SplitTabs(WithoutLastTab(line))) heading += Format("%s\t", name.c_str());
    heading += "\n";
    constexpr int HeadingLines = 2;
    SchedulePages out(heading);
    int counter = HeadingLines, rows = 0;
    if (!out.Next()) {
        std::fclose(in);
        return 0;
    }
    while (ReadLine(in, line) && !IsEndMarker(line)) {
        std::vector<std::string> cells = SplitTabs(WithoutLastTab(line));
        if (counter >= PrinterPageLines) {
            if (!out.Next()) {
                std::fclose(in);
                return 0;
            }
            counter = HeadingLines;
        }
        std::string text = cells[0] + "\t";
        for (size_t k = 1; k < cells.size(); ++k)
            text += Format("%13.2f\t", static_cast<double>(std::strtof(cells[k].c_str(), nullptr)));
        std::fputs((text + "\n").c_str(), out.File());
        ++counter;
        ++rows;
    }
    std::fclose(in);
    if (!out.Close()) return 0;
    return rows > 0 ? out.page : 0;
}

int PrintSchedule() {
    const int pages = WriteSchedulePages();
    if (pages == 0) return 0;
    printState.titleText = "Mortgage Schedule";
    return PrintPages(pages, PrintMortgageSchedule);
}

// ---- The refinance details -------------------------------------------------------------------

int WriteRefinancePages() {
    std::FILE* in = std::fopen("refprt.tmp", "r");
    if (!in) return 0;
    std::string line, heading;
    if (ReadLine(in, line) && !IsEndMarker(line))
        for (const std::string& title : SplitTabs(line)) heading += title.substr(0, 30) + "\t";
    heading += "\n";
    std::vector<std::vector<std::string>> rows;
    while (ReadLine(in, line) && !IsEndMarker(line)) rows.push_back(SplitTabs(line));
    std::fclose(in);
    if (rows.empty()) return 0;  // an empty table prints nothing
    // A page holds its heading and rows while its line count, from 4, stays below 60.
    constexpr int FirstLine = 4, PageEnd = 60;
    SchedulePages out(heading);
    int counter = FirstLine;
    if (!out.Next()) return 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (counter >= PageEnd) {
            if (!out.Next()) return 0;
            counter = FirstLine;
        }
        std::string text;
        for (size_t k = 0; k < rows[r].size(); ++k) {
            const double v = std::strtof(rows[r][k].c_str(), nullptr);
            text += k == 0 ? Format(r % 2 == 0 ? "%13.2f O\t" : "%13.2f R\t", v) : Format("%13.2f\t", v);
        }
        std::fputs((text + "\n").c_str(), out.File());
        ++counter;
    }
    return out.Close() ? out.page : 0;
}

int PrintRefinanceDetails() {
    const int pages = WriteRefinancePages();
    return pages == 0 ? 0 : PrintPages(pages, PrintRefinance);
}

// The Budget printouts come with their title, the Budget name.
int PrintTitledPages(int pages, int kind, const std::string& title) {
    printState.titleText = title;
    return PrintPages(pages, kind);
}

namespace {

template <int report>
int ReportCommand() {
    return ShowReport(report);
}

}  // namespace

void InstallReportCommands() {
    SetCommandRoutine(CmdNetWorthReport, ReportCommand<ReportNetWorth>);
    SetCommandRoutine(892, ReportCommand<ReportIncoming>);
    SetCommandRoutine(893, ReportCommand<ReportOutgoing>);
    SetCommandRoutine(894, ReportCommand<ReportAccounts>);
    SetCommandRoutine(895, ReportCommand<ReportGroups>);
    SetCommandRoutine(897, ReportCommand<ReportIncomingEvents>);
    SetCommandRoutine(898, ReportCommand<ReportOutgoingEvents>);
    SetCommandRoutine(CmdAccountsReport, ReportCommand<ReportAccountFlows>);
    SetCommandRoutine(CmdPrintAllReports, PrintAllReports);
    dialogHooks.printSchedule = PrintSchedule;
    dialogHooks.printRefinance = PrintRefinanceDetails;
    dialogHooks.printPages = PrintTitledPages;
}
