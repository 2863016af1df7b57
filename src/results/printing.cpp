// The page printer: header block texts, page files and their order, the
// drawing of one printed page and the job loop over a print device.
#include "results/printing.h"

#include <cstdio>
#include <fstream>

#include "model/model.h"
#include "shell/results_panel.h"

PrintState printState;
PrintHooks printHooks;

int PrintPages(int pageCount, int kind) {
    if (!printHooks.printPages) return 0;
    int printed = printHooks.printPages(pageCount, kind);
    // Under Print All Reports the next report numbers on after these pages,
    // whether or not they came out.
    if (printState.grandTotal > 0) printState.pagesPrinted += pageCount;
    return printed;
}

// ---- Header block ------------------------------------------------------------------

std::string PrintTitle(int kind, bool centred) {
    // A left-aligned line keeps one blank before the summary reports' titles.
    const char* lead = centred ? "" : " ";
    char text[160];
    switch (kind) {
        case PrintResultsReport: return "Financial Schedule";
        case PrintNetWorth: return std::string(lead) + "Net Worth Report";
        case PrintIncoming: return std::string(lead) + "Incoming Report";
        case PrintOutgoing: return std::string(lead) + "Outgoing Report";
        case PrintAccounts: return " Accounts";
        case PrintGroups: return " Groups";
        case PrintIncomingEvents: return "Incoming Events Report";
        case PrintOutgoingEvents: return "Outgoing Events Report";
        case PrintAccountFlows: return "Accounts/Incoming/Outgoing Report";
        case PrintAccountsIncomingAtAge:
            std::snprintf(text, sizeof text, "Accounts Incoming Report -- Age %d", printState.selectedAge);
            return text;
        case PrintAccountsOutgoingAtAge:
            std::snprintf(text, sizeof text, "Accounts Outgoing Report -- Age %d", printState.selectedAge);
            return text;
        case PrintBudget:
        case PrintMortgageSchedule:
        case PrintBudgetList: return printState.titleText;
        case PrintRefinance: return "Refinance Analysis Report";
        default: return "";
    }
}

std::string PrintDateText(int month, int day, int yearsSince1900) {
    static const char* const names[12] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    const char* name = month >= 0 && month < 12 ? names[month] : "";
    char text[64];
    std::snprintf(text, sizeof text, "%s %d, %d", name, day, 2000 + yearsSince1900 % 100);
    return text;
}

std::string PrintTimeText(int hour, int minute, int second) {
    int clock = hour % 12 == 0 ? 12 : hour % 12;
    char text[40];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s ", clock, minute, second, hour < 12 ? "AM" : "PM");
    return text;
}

std::string PageNumberText(int page, int pageCount) {
    char text[48];
    std::snprintf(text, sizeof text, "Page %d of %d", page, pageCount);
    return text;
}

std::vector<std::string> PrintHeaderLines(int kind, int page, int pageCount, const std::tm& now) {
    const ReportOptions& o = scenario.reportOptions;
    std::vector<std::string> lines;
    lines.push_back(PrintTitle(kind, PrintHeaderCentred()));
    if (o.title1On)
        lines.push_back(FieldText(o.title1));
    else
        lines.push_back((kind == PrintResultsReport ? "File: " : " File: ") + FieldText(state.scenarioPath));
    if (o.title2On) {
        char text[80];
        std::snprintf(text, sizeof text, " %20s", FieldText(o.title2).c_str());
        lines.push_back(text);
    } else {
        lines.push_back(PrintDateText(now.tm_mon, now.tm_mday, now.tm_year));
    }
    lines.push_back(o.title3On ? FieldText(o.title3) : PrintTimeText(now.tm_hour, now.tm_min, now.tm_sec));
    if (printState.grandTotal > 0)
        lines.push_back(PageNumberText(printState.pagesPrinted + page, printState.grandTotal));
    else
        lines.push_back(PageNumberText(page, pageCount));
    return lines;
}

bool PrintHeaderCentred() { return state.reportColumns != 0; }

std::tm PrintHeaderTime() {
    std::time_t t = printState.headerTime ? printState.headerTime : std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

// ---- Page files ------------------------------------------------------------------------

std::string PageFileName(int kind, int page) {
    return (kind == PrintResultsReport ? "page" : "rpage") + std::to_string(page);
}

int ReadPageFile(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Dooooone", 0) == 0 || line.rfind("Dooone", 0) == 0) break;
        lines.push_back(line);
    }
    return 1;
}

std::vector<int> PageOrder(int pageCount, int from, int to, int copies, bool collate) {
    std::vector<int> order;
    if (copies < 1) copies = 1;
    if (from < 0) from = 0;
    if (to > pageCount) to = pageCount;
    if (collate) {
        for (int c = 0; c < copies; ++c)
            for (int p = from; p <= to; ++p) order.push_back(p);
    } else {
        for (int p = from; p <= to; ++p)
            for (int c = 0; c < copies; ++c) order.push_back(p);
    }
    return order;
}

// ---- The print job -------------------------------------------------------------------------

std::string ProgressText(int page, int pageCount) {
    char text[80];
    std::snprintf(text, sizeof text, "   Now printing Page %d of %d.....", page, pageCount);
    return text;
}

void RequestPrintCancel() { printState.cancelRequested = 1; }

namespace {

void PrintError(const char* text, const char* caption) { ui::Message(text, caption, ui::Buttons::Ok, ui::Icon::Stop); }

// One page on the device: 1 printed, 0 when its file is missing (reported
// here), -1 when the device refused the page.
int PrintOnePage(PrintDevice& device, int page, int pageCount, int kind, const std::tm& now) {
    std::vector<std::string> body;
    if (page > 0 && !ReadPageFile(PageFileName(kind, page), body)) {
        PrintError("Cannot print page!", "Print Error");
        return 0;
    }
    PageLayout layout;
    ui::Painter* painter = device.StartPage(layout);
    if (!painter) return -1;
    DrawPrintedPage(*painter, layout, PrintHeaderLines(kind, page, pageCount, now), page > 0 ? &body : nullptr,
                    kind, CurrentReportLook());
    return device.EndPage() ? 1 : -1;
}

}  // namespace

int RunPrintJob(PrintDevice& device, int pageCount, int kind) {
    printState.cancelRequested = 0;
    if (printState.grandTotal <= 0) printState.pagesPrinted = 0;
    std::vector<int> order = PageOrder(pageCount, printState.fromPage, printState.toPage, printState.copies,
                                       printState.collate != 0);
    if (!device.StartDocument("Printing Schedule")) {
        PrintError("Invalid Printer", "Print Error");
        return 0;
    }
    if (!device.OpenCancelDialog()) {
        PrintError("Cannot open Abort Dialog", "Print Error");
        device.EndDocument();
        return 0;
    }
    std::tm now = PrintHeaderTime();
    int ok = 1;
    for (size_t i = 0; i < order.size() && ok; ++i) {
        int page = order[i];
        device.ShowProgress(ProgressText(page, pageCount));
        device.EnableOwner(false);
        int printed = PrintOnePage(device, page, pageCount, kind, now);
        device.EnableOwner(true);
        if (printed < 0) PrintError("Cannot Print Title Page", "Print Schedule");
        if (printed <= 0) {
            ok = 0;
            break;
        }
        device.ProcessMessages();
        // A cancel stops the job once the page being printed is out.
        if (printState.cancelRequested && i + 1 < order.size()) {
            PrintError("Cannot print page!", "Print Error");
            ok = 0;
        }
    }
    device.EndDocument();
    device.CloseCancelDialog();
    return ok;
}
