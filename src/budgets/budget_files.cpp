// The Budget copy file ("budout.tmp", and "pbudout.tmp" for the report) and
// the page files of the two printouts.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "budgets/budgets.h"

const char* const BudgetCopyFile = "budout.tmp";
const char* const BudgetReportInputFile = "pbudout.tmp";

namespace {

constexpr const char* EndMarker = "Dooone";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

bool IsEnd(const std::string& line) { return line.compare(0, 6, EndMarker) == 0; }

// The non-empty cells between tabs, as the lines were written.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    size_t from = 0;
    while (from <= line.size()) {
        size_t end = line.find('\t', from);
        if (end == std::string::npos) end = line.size();
        if (end > from) cells.push_back(line.substr(from, end - from));
        from = end + 1;
    }
    return cells;
}

// Numbers from a file that may hold anything: what is not a finite number is 0.
float Figure(const std::string& text) {
    const float v = std::strtof(text.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0f;
}
long Whole(const std::string& text, long low, long high) {
    const long v = std::strtol(text.c_str(), nullptr, 10);
    return v < low ? low : (v > high ? high : v);
}
std::string Cell(const std::vector<std::string>& cells, size_t k) { return k < cells.size() ? cells[k] : ""; }

// The file's first line: its item count, when it is 1..30.
int FileCount(const std::vector<std::string>& lines) {
    if (lines.empty()) return 0;
    const long n = Whole(lines[0], 0, MaxBudgetItems + 1);
    return n >= 1 && n <= MaxBudgetItems ? static_cast<int>(n) : 0;
}

// The item lines after the four head lines, up to `count` or the end marker.
std::vector<std::vector<std::string>> ItemCells(const std::vector<std::string>& lines, int count) {
    std::vector<std::vector<std::string>> items;
    for (size_t k = 4; k < lines.size() && static_cast<int>(items.size()) < count && !IsEnd(lines[k]); ++k) {
        std::vector<std::string> cells = Cells(lines[k]);
        if (!cells.empty()) items.push_back(cells);
    }
    return items;
}

// A Budget name as the print title: no quotes at the ends, no blanks around.
std::string TitleText(std::string s) {
    if (!s.empty() && s.front() == '"') s.front() = ' ';
    if (!s.empty() && s.back() == '"') s.back() = ' ';
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '*' || s.back() == ',')) s.pop_back();
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first);
}

bool WriteText(const std::string& path, const std::string& text) {
    PartFile out;
    if (!out.Open(path, false)) return false;
    std::fputs(text.c_str(), out.File());
    return out.Commit();
}

bool ReadWhole(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
    std::fclose(f);
    return true;
}

std::string PageText(const std::vector<std::string>& lines, const char* end) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text + end;
}

}  // namespace

std::string BudgetFileText(const Budget& b) {
    std::string text = Format("%d\n%-30s\n%3d\n%3d\n", BudgetItems(b), FieldText(b.name).c_str(), b.startAge, b.endAge);
    for (int i = 0; i < BudgetItems(b); ++i)
        text += Format("%s\t%f\t%d\t%d\t%f\n", FieldText(b.itemName[i]).c_str(), b.itemAmount[i], b.itemMonthly[i],
                       b.itemTrack[i], b.itemApplyRate[i]);
    return text + EndMarker;
}

int WriteBudgetFile(const std::string& path, const Budget& b) { return WriteText(path, BudgetFileText(b)) ? 1 : 0; }

BudgetPasteResult PasteBudgetText(const std::string& text, Budget& b, BudgetPaste& out) {
    const std::vector<std::string> lines = Lines(text);
    const int count = FileCount(lines);
    if (count == 0) return BudgetPasteInvalid;
    out.name = lines.size() > 1 ? lines[1].substr(0, 29) : "";
    // The age fields hold three characters.
    out.startAge = lines.size() > 2 ? static_cast<int>(Whole(lines[2], -99, 999)) : 0;
    out.endAge = lines.size() > 3 ? static_cast<int>(Whole(lines[3], -99, 999)) : 0;
    const auto items = ItemCells(lines, count);
    for (size_t i = 0; i < items.size(); ++i) {
        const std::vector<std::string>& c = items[i];
        SetFieldText(b.itemName[i], c[0].substr(0, 20));
        b.itemAmount[i] = Figure(Cell(c, 1));
        b.itemMonthly[i] = Whole(Cell(c, 2), 0, 2) == 1 ? 1 : 0;
        b.itemTrack[i] = Whole(Cell(c, 3), 0, 2) == 1 ? 1 : 0;
        b.itemApplyRate[i] = Figure(Cell(c, 4));
    }
    b.itemCount = static_cast<int16_t>(items.size());
    RefreshBudget(b);
    return BudgetPasted;
}

BudgetPasteResult PasteBudgetFile(const std::string& path, Budget& b, BudgetPaste& out) {
    std::string text;
    if (!ReadWhole(path, text)) return BudgetPasteUnreadable;
    return PasteBudgetText(text, b, out);
}

std::vector<std::string> BudgetListPage(const Budget& b) {
    std::vector<std::string> lines = {"Name\tAmount \tMonth\tTrack\tApplied Rate \tYearly Amount",
                                      "------------------------"};
    float total = 0;
    for (int i = 0; i < BudgetItems(b); ++i) {
        std::string line = Format("%s\t%13.2f \t", FieldText(b.itemName[i]).c_str(), b.itemAmount[i]);
        line += b.itemMonthly[i] == 1 ? "X\t" : " \t";
        line += b.itemTrack[i] == 1 ? "X\t" : " \t";
        if (b.itemApplyInflation[i] == 1 && b.itemApplyRate[i] == 0)
            line += Format("Inflation \t%13.2f ", b.itemYearly[i]);
        else if (b.itemApplyInflation[i] == 1)
            line += Format("Inf.+%8.3f \t%13.2f ", b.itemApplyRate[i], b.itemYearly[i]);
        else
            line += Format("%8.3f \t%13.2f ", b.itemApplyRate[i], b.itemYearly[i]);
        lines.push_back(line);
        total += b.itemYearly[i];
    }
    lines.push_back(Format("\t\t\t\tTotal\t%13.2f", total));
    return lines;
}

bool BuildBudgetReport(const std::string& fileText, BudgetReport& out) {
    const std::vector<std::string> lines = Lines(fileText);
    const int count = FileCount(lines);
    out = {};
    if (count == 0) return false;
    out.title = TitleText(lines.size() > 1 ? lines[1] : "");
    // Rows run over the planning ages: below age 1 there is nothing to show.
    const int startAge = static_cast<int>(Whole(lines.size() > 2 ? lines[2] : "", 1, 1000));
    int endAge = static_cast<int>(Whole(lines.size() > 3 ? lines[3] : "", -1000, 1000));
    if (endAge > 120) endAge = 119;
    struct Column {
        std::string title;
        float value, rate;
    };
    std::vector<Column> columns;
    for (const std::vector<std::string>& c : ItemCells(lines, count)) {
        if (c.size() < 3) continue;
        const float amount = Figure(c[1]);
        const float yearly = Whole(c[2], 0, 2) == 1 ? 12 * amount : amount;
        columns.push_back({c[0].substr(0, 20), yearly, Figure(Cell(c, 4))});
    }
    const int items = static_cast<int>(columns.size());
    columns.push_back({"Total", 0, 0});
    const int rows = endAge >= startAge ? endAge - startAge + 1 : 0;
    std::vector<float> totals(static_cast<size_t>(rows), 0.0f);
    for (int first = 0; first < static_cast<int>(columns.size()); first += BudgetReportColumns) {
        const int last = std::min(first + BudgetReportColumns, static_cast<int>(columns.size()));
        std::string heading = "Age\t";
        for (int k = first; k < last; ++k) heading += columns[k].title + "\t";
        const std::vector<std::string> head = {heading, "-----------------------"};
        out.pages.push_back(head);
        int lineCount = 4;
        for (int r = 0; r < rows; ++r) {
            if (lineCount >= BudgetReportPageLines) {
                out.pages.push_back(head);
                lineCount = 4;
            }
            std::string row = Format("%5.1f\t", static_cast<float>(startAge + r));
            for (int k = first; k < last; ++k) {
                Column& c = columns[k];
                if (k < items) {
                    row += Format("%13.2f\t", c.value);
                    totals[r] += c.value;
                    c.value += c.value * c.rate * 0.01f;
                } else {
                    row += Format("%13.2f\t", totals[r]);
                }
            }
            out.pages.back().push_back(row);
            ++lineCount;
        }
    }
    return true;
}

int WriteBudgetListPages(const Budget& b, Notice& notice) {
    if (WriteText("rpage1", PageText(BudgetListPage(b), EndMarker))) return 1;
    notice = {"Cannot open the budget output file rpage1.", "File Open Error"};
    return 0;
}

int WriteBudgetReportPages(const Budget& b, std::string& title, Notice& notice) {
    if (!WriteBudgetFile(BudgetReportInputFile, b)) {
        notice = {"Cannot open the budget output file budout.tmp.", "File Open Error"};
        return 0;
    }
    std::string text;
    if (!ReadWhole(BudgetReportInputFile, text)) {
        notice = {"Cannot open temporary print file - pbudout.tmp", "FILE OPEN ERROR"};
        return 0;
    }
    BudgetReport report;
    if (!BuildBudgetReport(text, report)) return 0;
    title = report.title;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        const int page = static_cast<int>(p) + 1;
        if (!WriteText(Format("rpage%d", page), PageText(report.pages[p], "Dooone\n"))) {
            notice = page == 1 ? Notice{"Cannot temporary print file - rpage", "FILE OPEN ERROR"}
                               : Notice{Format("Cannot open file rpage%d.\n", page), "FILE OPEN ERROR"};
            return 0;
        }
    }
    return static_cast<int>(report.pages.size());
}
