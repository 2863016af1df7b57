// The Accounts/Incoming/Outgoing report from the incoming and outgoing item
// files of the last run, and its two pages for one selected age.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/engine.h"
#include "model/model.h"
#include "results/reports_internal.h"

namespace {

constexpr int MaxFlowRecords = 5000;
constexpr int AccountsPerPrintedSet = 10;

struct FlowTable {
    int accounts = 0;
    std::string names[MaxAccounts];
    float incoming[AgeSlots][MaxAccounts];
    float outgoing[AgeSlots][MaxAccounts];
    int lowest = -1, highest = -1;  // whole ages of the records kept
};
FlowTable flows;

int FindName(const std::string& name) {
    for (int k = 0; k < flows.accounts; ++k)
        if (flows.names[k] == name) return k;
    return -1;
}

// The records up to the end marker: age, Account name and amount, kept when
// all three are there and the amount is above 0.
void ReadFlowRecords(std::FILE* f, float (*sums)[MaxAccounts]) {
    std::string line;
    int kept = 0;
    while (kept < MaxFlowRecords && ReadLine(f, line) && line.find("Dooone") == std::string::npos) {
        std::vector<std::string> cells = SplitTabs(line);
        if (cells.size() < 3 || Trimmed(cells[0]).empty() || cells[1].empty() || Trimmed(cells[2]).empty())
            continue;
        const float amount = std::strtof(cells[2].c_str(), nullptr);
        if (!(amount > 0)) continue;
        ++kept;
        const int age = WholeInt(std::strtof(cells[0].c_str(), nullptr));
        if (age < 0 || age >= AgeSlots) continue;
        if (flows.lowest < 0 || age < flows.lowest) flows.lowest = age;
        if (age > flows.highest) flows.highest = age;
        int k = FindName(TrimmedRight(cells[1]));
        if (k >= 0) sums[age][k] += amount;
    }
}

// Reads both files; 0 after the message naming the one that is missing.
int ReadFlows() {
    flows.accounts = 0;
    flows.lowest = flows.highest = -1;
    std::memset(flows.incoming, 0, sizeof flows.incoming);
    std::memset(flows.outgoing, 0, sizeof flows.outgoing);
    std::FILE* in = std::fopen(InFileName, "r");
    if (!in) {
        FileOpenError(InFileName);
        return 0;
    }
    std::FILE* out = std::fopen(OutFileName, "r");
    if (!out) {
        std::fclose(in);
        FileOpenError(OutFileName);
        return 0;
    }
    std::string line;
    const int n = ReadLine(in, line) ? std::atoi(line.c_str()) : 0;
    if (n >= 1 && n <= MaxAccounts) {
        for (int k = 0; k < n && ReadLine(in, line); ++k) flows.names[flows.accounts++] = TrimmedRight(line);
        ReadFlowRecords(in, flows.incoming);
        ReadFlowRecords(out, flows.outgoing);
    }
    std::fclose(in);
    std::fclose(out);
    return 1;
}

std::string FlowLine(int age, const char* mark, int first, int last, bool total, const float (*sums)[MaxAccounts]) {
    std::string line = Format("%5.1f-%s\t", static_cast<double>(age), mark);
    for (int k = first; k < last; ++k) line += Format("%13.2f\t", static_cast<double>(sums[age][k]));
    if (!total) return line + "\n";
    float sum = 0;
    for (int k = 0; k < flows.accounts; ++k) sum += sums[age][k];
    return line + Format("%13.2f\n", static_cast<double>(sum));
}

}  // namespace

int WriteAccountFlowsReport(int printer) {
    if (!ReadFlows()) return 0;
    const int n = flows.accounts;
    const int perSet = printer ? AccountsPerPrintedSet : std::max(n, 1);
    PageWriter w = MakePageWriter(printer, 4, 4);
    w.marker = w.lastMarker = "Dooone\n";
    for (int first = 0; (first == 0 || first < n) && !w.failed; first += perSet) {
        const int last = std::min(first + perSet, n);
        const bool lastSet = last >= n;
        std::string heading = "Age\t";
        for (int k = first; k < last; ++k) heading += flows.names[k] + "\t";
        if (!StartSet(w, heading + (lastSet ? "Total\n" : "\n"))) break;
        for (int age = flows.lowest; age >= 0 && age <= flows.highest && !w.failed; ++age) {
            PutLine(w, FlowLine(age, "I", first, last, lastSet, flows.incoming));
            PutLine(w, FlowLine(age, "O", first, last, lastSet, flows.outgoing));
        }
    }
    return FinishPages(w);
}

// ---- One selected age --------------------------------------------------------------------

namespace {

struct AgeEntry {
    std::string name, value;
    float amount;
    int type, group;
};

// The data line of the selected text: its age cell itself, or failing
// that the same age and direction ("66" and "66.0-O" find " 66.0-O").
const std::string* FindAgeRow(const ReportPage& page, const std::string& selected) {
    const std::string wanted = Trimmed(selected);
    for (const std::string& row : page.rows)
        if (Trimmed(SplitTabs(row)[0]) == wanted) return &row;
    char* end = nullptr;
    const float age = std::strtof(wanted.c_str(), &end);
    if (end == wanted.c_str()) return nullptr;
    const char mark = wanted.find('I') != std::string::npos ? 'I' : 'O';
    for (const std::string& row : page.rows) {
        std::string cell = Trimmed(SplitTabs(row)[0]);
        char* cellEnd = nullptr;
        const float rowAge = std::strtof(cell.c_str(), &cellEnd);
        if (cellEnd != cell.c_str() && rowAge == age && !cell.empty() && cell.back() == mark) return &row;
    }
    return nullptr;
}

int AccountNamed(const std::string& name, int hint) {
    const int n = LiveAccountCount();
    if (hint >= 0 && hint < n && TrimmedRight(ReportAccountName(hint)) == name) return hint;
    for (int a = 0; a < n; ++a)
        if (TrimmedRight(ReportAccountName(a)) == name) return a;
    return -1;
}

const char* TypeName(int type) {
    static const char* const names[] = {"Asset", "Equity", "Investment Savings", "Retirement Savings",
                                        "Tax Free Savings"};
    return type >= 0 && type < 5 ? names[type] : "";
}

std::string GroupName(int group) {
    return group >= 0 && group < MaxGroups ? FieldText(scenario.settings.groupName[group]) : "";
}

// One page: the Accounts in the order of `key`, a sub total after each run
// of equal keys, and the total.
int WriteAgePage(const char* path, const char* heading, std::vector<AgeEntry> entries, bool byGroup) {
    std::stable_sort(entries.begin(), entries.end(), [byGroup](const AgeEntry& a, const AgeEntry& b) {
        return byGroup ? a.group < b.group : a.type < b.type;
    });
    PartFile out;
    if (!out.Open(path, false)) {
        FileOpenError(path);
        return 0;
    }
    std::FILE* f = out.File();
    std::fputs(heading, f);
    std::fputs("------------------------------\n", f);
    float sub = 0, total = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const AgeEntry& e = entries[i];
        std::fprintf(f, byGroup ? "%s\t%s\t\n" : "%s\t%s\n", e.name.c_str(), e.value.c_str());
        sub += e.amount;
        total += e.amount;
        const int key = byGroup ? e.group : e.type;
        if (i + 1 == entries.size() || (byGroup ? entries[i + 1].group : entries[i + 1].type) != key) {
            if (byGroup)
                std::fprintf(f, "\tSub Total -- %s Group\t%13.2f\n", GroupName(key).c_str(), static_cast<double>(sub));
            else
                std::fprintf(f, "\tSub Total -- %s Accounts\t%13.2f\n", TypeName(key), static_cast<double>(sub));
            sub = 0;
        }
    }
    std::fprintf(f, "\tTotal\t%13.2f\n", static_cast<double>(total));
    std::fputs("Dooone\n", f);
    if (!out.Commit()) {
        FileOpenError(std::string("Cannot write ") + path);
        return 0;
    }
    return 1;
}

}  // namespace

int WriteSelectedAgePages(const std::string& selected, int& age, int& incoming) {
    ReportPage page;
    if (!ReadScreenPage(page)) return 0;
    const std::string* row = FindAgeRow(page, selected);
    if (!row) return 0;
    std::vector<std::string> cells = SplitTabs(*row);
    age = WholeInt(std::strtof(cells[0].c_str(), nullptr));
    incoming = selected.find('I') != std::string::npos ? 1 : 0;
    std::vector<AgeEntry> entries;
    for (size_t k = 1; k < page.columns.size() && k < cells.size(); ++k) {
        const std::string name = TrimmedRight(page.columns[k]);
        if (name == "Total") continue;
        const int a = AccountNamed(name, static_cast<int>(k) - 1);
        if (a < 0) continue;
        const Account& account = scenario.accountTable.accounts[a];
        entries.push_back({name, cells[k], std::strtof(cells[k].c_str(), nullptr), account.accountType,
                           account.groupIndex});
    }
    const char* heading = incoming ? "Accounts\tIncoming\n" : "Accounts\tOutgoing\n";
    if (!WriteAgePage("rpage1", heading, entries, false)) return 0;
    if (!WriteAgePage("rpage2", heading, entries, true)) return 0;
    return 2;
}
