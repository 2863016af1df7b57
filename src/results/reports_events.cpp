// The Incoming and Outgoing Events reports, from the event amounts of the
// last run (bigfile.tmp) by way of the event totals file (tmpfile.tmp).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/engine.h"
#include "model/model.h"
#include "results/reports_internal.h"

namespace {

constexpr int MaxEventColumns = 50;
constexpr int TotalAges = 120;  // whole ages 0..119 carry totals
constexpr int EventsPerPrintedSet = 7;
constexpr const char* TotalIncomingName = "Total Incoming Events";
constexpr const char* TotalOutgoingName = "Total Outgoing Events";

// One line of either file: age, Event description, type and amount.
struct EventLine {
    float age = 0;
    std::string name, type, amount;
    std::string text;  // the whole line
};

// The description sits between the first tab and the type's: it may hold
// anything but a line feed.
bool ParseEventLine(const std::string& line, EventLine& e) {
    size_t first = line.find('\t'), last = line.rfind('\t');
    if (first == std::string::npos || last == first) return false;
    size_t typeTab = line.rfind('\t', last - 1);
    if (typeTab == std::string::npos || typeTab <= first) return false;
    e.text = line;
    e.age = std::strtof(line.c_str(), nullptr);
    e.name = line.substr(first + 1, typeTab - first - 1);
    e.type = Trimmed(line.substr(typeTab + 1, last - typeTab - 1));
    e.amount = line.substr(last + 1);
    return true;
}

bool StartsWith(const std::string& line, const char* prefix) { return line.compare(0, std::strlen(prefix), prefix) == 0; }

int WholeAge(float age) { return WholeInt(age); }

struct EventColumn {
    std::string name;
    int outgoing;
};

// The names that get a column, incoming ones first, each side in the order
// of first appearance.
std::vector<EventColumn> EventColumns(std::FILE* in) {
    std::vector<EventColumn> columns;
    std::vector<std::string> seen;
    std::string line;
    EventLine e;
    while (ReadLine(in, line) && !StartsWith(line, "Dooooone")) {
        if (!ParseEventLine(line, e)) continue;
        if (std::find(seen.begin(), seen.end(), e.name) != seen.end()) continue;
        seen.push_back(e.name);
        if (e.type != "2" && e.type != "6") continue;
        // The totals always have their column: a first age without any
        // deposit (or withdrawal) must not cost the report its totals.
        bool total = e.name == TotalIncomingName || e.name == TotalOutgoingName;
        if (!total && !(std::strtof(e.amount.c_str(), nullptr) > 0)) continue;
        if (static_cast<int>(columns.size()) >= MaxEventColumns) continue;
        columns.push_back({e.name, e.type == "6" ? 1 : 0});
    }
    std::stable_partition(columns.begin(), columns.end(), [](const EventColumn& c) { return c.outgoing == 0; });
    return columns;
}

std::string CollectedLine(float age, const std::vector<std::string>& cells) {
    std::string line = Format("%5.1f\t", static_cast<double>(age));
    for (const std::string& c : cells) line += c + "\t";
    return line + "\n";
}

// The data lines of one set of names, from the totals file.
void WriteEventSet(PageWriter& w, std::FILE* in, const std::vector<std::string>& names) {
    std::vector<std::string> cells(names.size(), "0.00");
    float collected = std::trunc(scenario.initialValues.startAge);
    std::string line;
    EventLine e;
    while (!w.failed && ReadLine(in, line) && !StartsWith(line, "Dooooone")) {
        if (!ParseEventLine(line, e)) continue;
        if (e.age != collected) {
            PutLine(w, CollectedLine(collected, cells));
            std::fill(cells.begin(), cells.end(), "0.00");
            collected = e.age;
        }
        for (size_t k = 0; k < names.size(); ++k)
            if (names[k] == e.name) cells[k] = e.amount;
    }
    // The age collected last has no later line to write it.
    PutLine(w, CollectedLine(collected, cells));
}

}  // namespace

int WriteEventTotals() {
    std::FILE* big = std::fopen(BigFileName, "r");
    if (!big) {
        FileOpenError("Cannot open bigfile.tmp");
        return 0;
    }
    std::vector<EventLine> lines;
    float incoming[TotalAges] = {}, outgoing[TotalAges] = {};
    std::string line;
    EventLine e;
    while (ReadLine(big, line) && !StartsWith(line, "Dooone")) {
        if (!ParseEventLine(line, e)) continue;
        lines.push_back(e);
        int age = WholeAge(e.age), type = std::atoi(e.type.c_str());
        if (age < 0 || age >= TotalAges) continue;
        float amount = std::strtof(e.amount.c_str(), nullptr);
        if (type == 2) incoming[age] += amount;
        if (type == 6) outgoing[age] += amount;
    }
    std::fclose(big);
    PartFile totals;
    if (!totals.Open(EventTotalsFileName, false)) {
        FileOpenError("Cannot open tmpfile.tmp");
        return 0;
    }
    std::FILE* out = totals.File();
    for (size_t i = 0; i < lines.size(); ++i) {
        const EventLine& l = lines[i];
        int age = WholeAge(l.age);
        if (i == 0 || age != WholeAge(lines[i - 1].age)) {
            bool inRange = age >= 0 && age < TotalAges;
            std::fprintf(out, "%5.1f\t%s\t2\t%13.2f\n", static_cast<double>(age), TotalIncomingName,
                         static_cast<double>(inRange ? incoming[age] : 0.0f));
            std::fprintf(out, "%5.1f\t%s\t6\t%13.2f\n", static_cast<double>(age), TotalOutgoingName,
                         static_cast<double>(inRange ? outgoing[age] : 0.0f));
        }
        std::fprintf(out, "%s\n", l.text.c_str());
    }
    std::fputs("Dooooone\n", out);
    if (totals.Commit()) return 1;
    FileOpenError("Cannot write tmpfile.tmp");
    return 0;
}

int WriteEventsReport(int outgoing, int printer) {
    if (!WriteEventTotals()) return 0;
    std::FILE* in = std::fopen(EventTotalsFileName, "r");
    if (!in) {
        FileOpenError("Cannot open tmpfile.tmp");
        return 0;
    }
    std::vector<std::string> names;
    for (const EventColumn& c : EventColumns(in))
        if (c.outgoing == outgoing) names.push_back(c.name);
    const int count = static_cast<int>(names.size());
    const int perSet = printer ? EventsPerPrintedSet : std::max(count, 1);
    PageWriter w = MakePageWriter(printer, 4, 7);
    w.marker = "Dooooone\n";
    w.lastMarker = "\nDooooone\n";
    for (int first = 0; (first == 0 || first < count) && !w.failed; first += perSet) {
        std::vector<std::string> set(names.begin() + first, names.begin() + std::min(first + perSet, count));
        std::string heading = "Age\t";
        for (const std::string& n : set) heading += Format("%15s\t", n.c_str());
        if (!StartSet(w, heading + "\n")) break;
        std::rewind(in);
        WriteEventSet(w, in, set);
    }
    std::fclose(in);
    return FinishPages(w);
}
