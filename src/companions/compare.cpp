// Plans from plot files or projected scenario files, and their comparison.
#include "companions/compare.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

#include "engine/engine.h"
#include "model/model.h"
#include "ui/ui.h"

namespace companions {

namespace fs = std::filesystem;

namespace {

constexpr float Missing = std::numeric_limits<float>::quiet_NaN();

std::string BaseName(const std::string& path) { return fs::path(path).filename().string(); }

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void FillPlan(const PlotFile& f, Plan& plan) {
    plan.ages.clear();
    plan.records.clear();
    for (const PlotYear& y : f.years) {
        plan.ages.push_back(y.record[0]);
        plan.records.emplace_back(y.record, y.record + RecordValues);
    }
}

// Messages of the scenario open and the run become the plan's error text.
class CollectingUi : public ui::ConsoleUi {
public:
    std::string text;
    ui::Answer Message(const std::string& t, const std::string& caption, ui::Buttons buttons, ui::Icon) override {
        if (!text.empty()) text += "; ";
        text += caption + ": " + t;
        return buttons == ui::Buttons::Ok || buttons == ui::Buttons::OkCancel ? ui::Answer::Ok : ui::Answer::No;
    }
};

// The working folder while a projection runs in a scratch folder; put back
// however the run ends.
class ScratchFolder {
public:
    explicit ScratchFolder(std::error_code& ec) {
        static int serial = 0;
        home_ = fs::current_path(ec);
        if (ec) return;
        dir_ = fs::temp_directory_path(ec) / ("tillory-compare-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
        if (ec) return;
        fs::create_directories(dir_, ec);
        if (!ec) fs::current_path(dir_, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!home_.empty()) fs::current_path(home_, ec);
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }
    const fs::path& dir() const { return dir_; }

private:
    fs::path home_, dir_;
};

}  // namespace

int PlanFromPlotFile(const std::string& path, Plan& plan, std::string& error) {
    PlotFile f;
    if (!ReadPlotFile(path, f, error)) return 0;
    plan = Plan{};
    plan.name = BaseName(path);
    // The program's own plot file (the current plan, as Compare Scenarios
    // hands it over) is named after the plan it was run from.
    if (Lower(plan.name).rfind("plotinf", 0) == 0 && f.fileLine.rfind("File: ", 0) == 0 && f.fileLine.size() > 6)
        plan.name = BaseName(f.fileLine.substr(6));
    plan.source = f.fileLine;
    FillPlan(f, plan);
    return 1;
}

int PlanFromScenarioFile(const std::string& path, Plan& plan, std::string& error) {
    std::error_code ec;
    fs::path source = fs::absolute(path, ec);
    if (ec || !fs::is_regular_file(source, ec)) {
        error = "Cannot open " + path;
        return 0;
    }
    ScratchFolder scratch(ec);
    if (ec) {
        error = "Cannot make a scratch folder for " + path + ": " + ec.message();
        return 0;
    }
    // A copy, so that the open (which insists on a file it may write) leaves
    // the person's file alone, read-only or not; under the file's own name,
    // which the open's messages give.
    const std::string copy = source.filename().string();
    fs::copy_file(source, scratch.dir() / copy, ec);
    if (ec) {
        error = "Cannot copy " + path + ": " + ec.message();
        return 0;
    }
    CollectingUi collecting;
    ui::Ui* previous = ui::Install(&collecting);
    int ok = OpenScenario(copy) == 1;
    if (ok) {
        SortEvents();  // a loaded list is processed in order, as the program opens it
        runSwitches = RunSwitches{};
        runSwitches.listUnread = 1;
        ok = RunProjection(OutputResultsList);
    }
    ui::Install(previous);
    PlotFile f;
    std::string readError;
    if (ok && !ReadPlotFile("plotinf01.tmp", f, readError)) ok = 0;
    if (!ok) {
        error = path + ": " + (collecting.text.empty() ? readError.empty() ? "the projection failed" : readError : collecting.text);
        return 0;
    }
    plan = Plan{};
    plan.name = BaseName(path);
    plan.source = source.string();
    FillPlan(f, plan);
    return 1;
}

int LoadPlan(const std::string& path, Plan& plan, std::string& error) {
    if (Lower(fs::path(path).extension().string()) == ".ret") return PlanFromScenarioFile(path, plan, error);
    return PlanFromPlotFile(path, plan, error);
}

void NameApart(std::vector<Plan>& plans) {
    for (size_t i = 0; i < plans.size(); ++i) {
        int same = 1;
        for (size_t j = 0; j < i; ++j)
            if (plans[j].name == plans[i].name || plans[j].name.rfind(plans[i].name + " (", 0) == 0) ++same;
        if (same > 1) plans[i].name += " (" + std::to_string(same) + ")";
    }
}

const std::vector<Figure>& ComparableFigures() {
    static const std::vector<Figure> figures = {
        {6, "Net Worth"},          {1, "Investment Accounts"}, {2, "Tax-free Accounts"},  {3, "Retirement Accounts"},
        {4, "Asset Accounts"},     {5, "Equity"},              {7, "Total Incoming"},     {8, "Deposits"},
        {9, "Taxable Income"},     {10, "Non Taxable Income"}, {11, "Total Outgoing"},    {12, "Withdrawals"},
        {13, "Taxes Paid"},        {14, "Interest Paid"},      {15, "Penalties Paid"},    {16, "Loans"},
        {17, "Sale Proceeds"},     {18, "Appreciation"},       {19, "Other/Loan/Mortgage"},
    };
    return figures;
}

std::vector<ComparisonRow> Compare(const std::vector<Plan>& plans, int cell) {
    // Ages are printed with one decimal: tenths are the key.
    std::map<long, float> ages;
    for (const Plan& p : plans)
        for (float a : p.ages) ages.emplace(std::lround(static_cast<double>(a) * 10), a);
    std::vector<ComparisonRow> rows;
    for (const auto& [key, age] : ages) {
        ComparisonRow row;
        row.age = age;
        for (const Plan& p : plans) {
            float v = Missing;
            for (size_t i = 0; i < p.ages.size(); ++i)
                if (std::lround(static_cast<double>(p.ages[i]) * 10) == key && cell >= 0 &&
                    cell < static_cast<int>(p.records[i].size()))
                    v = p.records[i][static_cast<size_t>(cell)];
            row.values.push_back(v);
        }
        for (size_t k = 1; k < row.values.size(); ++k) row.differences.push_back(row.values[k] - row.values[0]);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> ComparisonHeadings(const std::vector<Plan>& plans) {
    std::vector<std::string> h{"Age"};
    for (const Plan& p : plans) h.push_back(p.name);
    for (size_t k = 1; k < plans.size(); ++k) h.push_back(plans[k].name + " - " + plans[0].name);
    return h;
}

std::string ComparisonCell(float value) {
    if (std::isnan(value)) return "";
    char t[64];
    std::snprintf(t, sizeof t, "%.2f", static_cast<double>(value));
    return t;
}

namespace {

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

}  // namespace

std::string ComparisonCsv(const std::vector<Plan>& plans, int cell) {
    std::string out;
    std::vector<std::string> headings = ComparisonHeadings(plans);
    for (size_t i = 0; i < headings.size(); ++i) out += (i ? "," : "") + CsvField(headings[i]);
    out += "\n";
    char age[32];
    for (const ComparisonRow& row : Compare(plans, cell)) {
        std::snprintf(age, sizeof age, "%.1f", static_cast<double>(row.age));
        out += age;
        for (float v : row.values) out += "," + ComparisonCell(v);
        for (float d : row.differences) out += "," + ComparisonCell(d);
        out += "\n";
    }
    return out;
}

Chart ComparisonChart(const std::vector<Plan>& plans, int cell) {
    Chart c;
    c.heading = "SCENARIO COMPARISON";
    for (const Figure& f : ComparableFigures())
        if (f.cell == cell) c.heading += std::string(" - ") + f.name;
    std::vector<ComparisonRow> rows = Compare(plans, cell);
    for (const ComparisonRow& r : rows) c.columns.push_back(AgeLabel(r.age));
    for (size_t k = 0; k < plans.size(); ++k) {
        Curve curve;
        curve.name = plans[k].name;
        curve.colour = static_cast<int>(k);
        for (const ComparisonRow& r : rows) curve.values.push_back(r.values[k]);
        c.curves.push_back(std::move(curve));
    }
    return c;
}

}  // namespace companions
