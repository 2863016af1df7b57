// The page writer and the reports drawn from the result tables: Net Worth,
// Incoming, Outgoing, Account and Group.
#include "results/reports.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "engine/engine.h"
#include "model/model.h"
#include "results/reports_internal.h"
#include "ui/ui.h"

ReportState reportState;

// ---- Text helpers ------------------------------------------------------------------


bool ReadLine(std::FILE* f, std::string& line) {
    line.clear();
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, f)) {
        line += chunk;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
    }
    return !line.empty();
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    size_t from = 0;
    for (;;) {
        size_t tab = line.find('\t', from);
        if (tab == std::string::npos) {
            cells.push_back(line.substr(from));
            return cells;
        }
        cells.push_back(line.substr(from, tab - from));
        from = tab + 1;
    }
}

std::string TrimmedRight(const std::string& text) {
    size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

std::string Trimmed(const std::string& text) {
    std::string t = TrimmedRight(text);
    size_t start = t.find_first_not_of(' ');
    return start == std::string::npos ? "" : t.substr(start);
}

void FileOpenError(const std::string& text) {
    reportState.failed = 1;
    ui::Message(text, "FILE OPEN ERROR", ui::Buttons::Ok, ui::Icon::Stop);
}

std::string ReportAccountName(int position) { return FieldText(scenario.accountTable.accounts[position].name); }

// ---- Page writer ---------------------------------------------------------------------

namespace {

int OpenNextPage(PageWriter& w, int counter) {
    ++w.page;
    std::string name = Format(w.printer ? "rpage%d" : "spage%d", w.page);
    w.file = w.part.Open(name, false) ? w.part.File() : nullptr;
    if (!w.file) {
        w.failed = 1;
        FileOpenError(name);
        return 0;
    }
    std::fputs(w.heading.c_str(), w.file);
    if (w.printer) std::fputs("---------------------------\n\n", w.file);
    w.counter = counter;
    return 1;
}

void ClosePage(PageWriter& w, const char* marker) {
    if (!w.file) return;
    std::fputs(marker, w.file);
    w.file = nullptr;
    if (w.part.Commit()) return;
    w.failed = 1;
    FileOpenError("Cannot write " + w.part.Target());
}

}  // namespace

PageWriter MakePageWriter(int printer, int start, int restart) {
    PageWriter w;
    w.printer = printer;
    w.linesPerPage = printer ? PrinterPageLines : ScreenPageLines;
    w.start = start;
    w.restart = restart;
    return w;
}

int StartSet(PageWriter& w, const std::string& heading) {
    if (w.failed) return 0;
    ClosePage(w, w.lastMarker);
    w.heading = heading;
    return OpenNextPage(w, w.start);
}

int PutLine(PageWriter& w, const std::string& line) {
    if (w.failed || !w.file) return 0;
    if (w.counter % w.linesPerPage == 0 || w.counter >= w.linesPerPage) {
        ClosePage(w, w.marker);
        if (!OpenNextPage(w, w.restart)) return 0;
    }
    std::fputs(line.c_str(), w.file);
    ++w.counter;
    ++w.dataLines;
    return 1;
}

int FinishPages(PageWriter& w) {
    ClosePage(w, w.lastMarker);
    if (w.failed || w.dataLines == 0) return 0;
    return w.page;
}

// ---- Reports from the result tables ------------------------------------------------------

namespace {

// The rows listed: every row before the closing row at the end age.
int ListedRows() {
    int n = results.rowCount;
    if (n < 0) return 0;
    if (n > MaxResultRows) n = MaxResultRows;
    if (n > 0 && results.yearSummary[n - 1][0] >= std::trunc(scenario.initialValues.endAge)) --n;
    return n;
}

float LiabilitiesAt(float age) {
    int whole = WholeInt(age);
    return whole >= 0 && whole < AgeSlots ? results.liabilitiesByAge[whole] : 0.0f;
}

double D(float value) { return static_cast<double>(value); }

}  // namespace

int WriteSummaryReport(int report, int printer) {
    static const char* const headings[] = {
        " Age\tNet Worth\tInvestment Accounts\tTax-Free Accounts\tRetirement Accounts\tAsset Accounts\t"
        "Equity Accounts\tLiabilities\n",
        " Age\tTotal Incoming\tDeposits\tInterest From Taxable\tInterest From Non Taxable\tLoans\tAssets\tEquity\n",
        " Age\t Total Outgoing\tWithdrawals\tInterest\tLoan/Mortgage\tTaxes\tPenalties\n",
    };
    if (report < ReportNetWorth || report > ReportOutgoing) return 0;
    const int start = report == ReportNetWorth ? 8 : 7;
    PageWriter w = MakePageWriter(printer, start, start);
    StartSet(w, headings[report - 1]);
    const int rows = ListedRows();
    for (int r = 0; r < rows && !w.failed; ++r) {
        const float* c = results.yearSummary[r];
        std::string line;
        if (report == ReportNetWorth)
            line = Format("%5.1f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\n", D(c[0]), D(c[6]),
                          D(c[1]), D(c[2]), D(c[3]), D(c[4]), D(c[5]), D(LiabilitiesAt(c[0])));
        else if (report == ReportIncoming)
            line = Format("%5.1f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\n", D(c[0]), D(c[7]),
                          D(c[8]), D(c[9]), D(c[10]), D(c[16]), D(c[18]), D(c[17]));
        else
            line = Format("%5.1f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\t%13.2f\n", D(c[0]), D(c[11]), D(c[12]),
                          D(c[14]), D(c[19]), D(c[13]), D(c[15]));
        PutLine(w, line);
    }
    return FinishPages(w);
}

int WriteAccountReport(int printer) {
    const int accounts = LiveAccountCount();
    // The screen holds every Account; a printed report takes ten at a time.
    const int perSet = printer ? 10 : (accounts > 0 ? accounts : 1);
    PageWriter w = MakePageWriter(printer, 6, 6);
    const int rows = ListedRows();
    for (int first = 0; first == 0 || first < accounts; first += perSet) {
        const int last = std::min(first + perSet, accounts);
        std::string heading = " Age\t";
        for (int a = first; a < last; ++a) heading += ReportAccountName(a) + "\t";
        if (!StartSet(w, heading + "\n")) break;
        for (int r = 0; r < rows && !w.failed; ++r) {
            std::string line = Format("%5.1f\t", D(results.yearSummary[r][0]));
            for (int a = first; a < last; ++a) line += Format("%13.2f\t", D(results.accountBalance[r][a]));
            PutLine(w, line + "\n");
        }
    }
    return FinishPages(w);
}

int WriteGroupReport(int printer) {
    std::vector<int> groups;
    std::string heading = " Age\t";
    for (int g = 0; g < MaxGroups; ++g) {
        std::string name = FieldText(scenario.settings.groupName[g]);
        if (name.size() <= 1) continue;
        groups.push_back(g);
        heading += name + "\t";
    }
    PageWriter w = MakePageWriter(printer, 7, 7);
    StartSet(w, heading + "\n");
    const int rows = ListedRows(), accounts = LiveAccountCount();
    for (int r = 0; r < rows && !w.failed; ++r) {
        std::string line = Format("%5.1f\t", D(results.yearSummary[r][0]));
        for (int g : groups) {
            float sum = 0;
            for (int a = 0; a < accounts; ++a)
                if (scenario.accountTable.accounts[a].groupIndex == g) sum += results.accountBalance[r][a];
            line += Format("%13.2f\t", D(sum));
        }
        PutLine(w, line + "\n");
    }
    return FinishPages(w);
}

int WriteReport(int report, int printer) {
    reportState.failed = 0;
    switch (report) {
        case ReportNetWorth:
        case ReportIncoming:
        case ReportOutgoing: return WriteSummaryReport(report, printer);
        case ReportAccounts: return WriteAccountReport(printer);
        case ReportGroups: return WriteGroupReport(printer);
        case ReportIncomingEvents: return WriteEventsReport(0, printer);
        case ReportOutgoingEvents: return WriteEventsReport(1, printer);
        case ReportAccountFlows: return WriteAccountFlowsReport(printer);
        default: return 0;
    }
}

const char* ReportCaption(int report) {
    static const char* const captions[] = {"Net Worth Report",
                                           "Incoming Report",
                                           "Outgoing Report",
                                           "Accounts Report",
                                           "Group Report",
                                           "Incoming Events Report",
                                           "Outgoing Events Report",
                                           "Accounts/Incoming/Outgoing Report"};
    return report >= 1 && report <= ReportCount ? captions[report - 1] : "";
}
