// The Results Report: the schedule text cut into "page%d" files of 55
// lines with the column heading, then printed; and the clean-up of the
// temporary files when the main window closes.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "results/printing.h"
#include "shell/shell.h"

namespace {

constexpr int PageLines = 55;
constexpr int HeadingLines = 4;
constexpr const char* Indent = "          ";

void OpenError(const std::string& text) { ui::Message(text, "FILE OPEN ERROR", ui::Buttons::Ok, ui::Icon::Stop); }

void WriteHeading(std::FILE* f, bool rules) {
    static const std::string dashes = Indent + std::string(184, '-') + "\n";
    if (rules) {
        std::fputs("?BO\n", f);
        std::fputs(dashes.c_str(), f);
    }
    std::fputs("          \t      Investment\t       Tax-Free\t      Retirement\t           Asset\t          Equity\n", f);
    std::fputs(
        "          Age\t       Accounts\t       Accounts\t       Accounts\t       Accounts\t       Accounts\t    "
        "Liabilities\t       Net Worth\n",
        f);
    if (rules) {
        std::fputs(dashes.c_str(), f);
        std::fputs("?Bo\n", f);
    }
}

// The page being written and what the cutting rules need to know.
struct Pager {
    PartFile part;
    std::FILE* out = nullptr;
    int pages = 0;
    int counter = 0;
    bool firstSection = true;
    bool rules = true;

    // False, after the message, when the page could not be written whole.
    bool Close() {
        if (!out) return true;
        std::fputs("Dooooone\n", out);
        out = nullptr;
        if (part.Commit()) return true;
        OpenError("Cannot write " + part.Target());
        return false;
    }
    // Ends the page (if one is open) and opens the next; outside the first
    // section the new page starts with the column heading.
    bool Next() {
        if (!Close()) return false;
        std::string name = PageFileName(PrintResultsReport, pages + 1);
        out = part.Open(name, false) ? part.File() : nullptr;
        if (!out) {
            OpenError(name);
            return false;
        }
        ++pages;
        counter = 2;
        if (!firstSection) {
            WriteHeading(out, rules);
            counter += HeadingLines;
        }
        return true;
    }
};

}  // namespace

int PaginateResults(bool rules) {
    std::ifstream in(PrintFileName, std::ios::binary);
    if (!in) {
        OpenError(".\\ptmpsch.dat");
        return 0;
    }
    Pager pager;
    pager.rules = rules;
    if (!pager.Next()) return 0;
    std::fputs("          Financial Scenario:\n", pager.out);
    pager.counter = 1;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!pager.out || pager.counter % PageLines == 0 || pager.counter >= PageLines)
            if (!pager.Next()) return 0;
        if (line.find("-----") != std::string::npos) {
            if (pager.firstSection) {
                // The Scenario description ends: its page is done, the
                // schedule starts on a page of its own.
                pager.firstSection = false;
                if (!pager.Close()) return 0;
            } else if (60 - pager.counter < 5) {
                if (!pager.Next()) return 0;
            }
            continue;
        }
        if (line.rfind("??", 0) == 0) {
            if (!pager.firstSection && PageLines - pager.counter >= 5) {
                WriteHeading(pager.out, rules);
                pager.counter += HeadingLines;
            }
            continue;
        }
        std::fputs(Indent, pager.out);
        std::fputs(line.c_str(), pager.out);
        std::fputc('\n', pager.out);
        if (line.empty() || line[0] != '?') ++pager.counter;
    }
    if (!pager.Close()) return 0;
    return pager.pages;
}

int CommandPrintResults() {
    if (shell.printing) return 0;
    RunShellProjection(OutputPrintFile);
    // The heading's rules (and the box drawn at them) come with rectangle
    // boxing; without it the heading is its two lines of text.
    int pages = PaginateResults(state.reportBoxing != 0);
    if (pages <= 0) return 0;
    return PrintPages(pages, PrintResultsReport);
}

// ---- Temporary files --------------------------------------------------------------------

void DeleteTemporaryFiles() {
    // The names as the program has always deleted them, and the names the
    // files really have here, where case matters and short names do not exist.
    static const char* const names[] = {
        "bigfile.tmp", "PLOTIN~1.TMP", "BIGFILE.TMP", "OUTFILE.TMP", "INFILE.TMP",  "TMPFILE.TMP",
        "PSCHED,TMP",  "TABOUT.TMP",   "TRADE.TMP",   "REF.TMP",     "PPBUDOUT.TMP", "BUDOUT.TMP",
        "PBUDOUT.TMP", "PSCHED.TMP",   "ptmpsch.dat", "outfile.tmp", "infile.tmp",  "tmpfile.tmp",
        "psched.tmp",  "tabout.tmp",   "trade.tmp",   "ref.tmp",     "ppbudout.tmp", "budout.tmp",
        "pbudout.tmp"};
    std::error_code ignored;
    for (const char* name : names) std::filesystem::remove(name, ignored);
    std::filesystem::remove(runSwitches.plotPath, ignored);
    for (int i = 1; i <= 49; ++i) std::filesystem::remove(PageFileName(PrintResultsReport, i), ignored);
    for (int i = 1; i <= 24; ++i) {
        std::filesystem::remove(PageFileName(PrintNetWorth, i), ignored);
        std::filesystem::remove("spage" + std::to_string(i), ignored);
    }
}

namespace {

void (*earlierCleanUp)() = nullptr;

void CleanUpAtClose() {
    if (earlierCleanUp) earlierCleanUp();
    DeleteTemporaryFiles();
}

}  // namespace

void InstallPrintCommands() {
    SetCommandRoutine(CmdPrintResults, CommandPrintResults);
    if (shellHooks.cleanUpPlotFiles != CleanUpAtClose) {
        earlierCleanUp = shellHooks.cleanUpPlotFiles;
        shellHooks.cleanUpPlotFiles = CleanUpAtClose;
    }
}
