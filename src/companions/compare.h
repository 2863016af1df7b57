// Scenario comparison: up to four plans, each from a plot file, a saved graph
// (*.KVP) or a scenario file (*.RET, projected here with the engine), set
// side by side by age with the differences to the first plan.
#pragma once

#include <string>
#include <vector>

#include "companions/charts.h"

namespace companions {

constexpr int MaxPlans = 4;

struct Plan {
    std::string name;   // what the table and legend call it
    std::string source; // the plot file's "File:" line, or the scenario path
    std::vector<float> ages;
    std::vector<std::vector<float>> records;  // per age, RecordValues figures
};

// A plot file or saved graph.
int PlanFromPlotFile(const std::string& path, Plan& plan, std::string& error);
// A scenario file, projected in a scratch folder so that the files of the
// working folder (the plot and item files of the main program) stay as they are.
int PlanFromScenarioFile(const std::string& path, Plan& plan, std::string& error);
// By the name: *.ret (any letter case) is a scenario, anything else a plot file.
int LoadPlan(const std::string& path, Plan& plan, std::string& error);
// Gives plans with the same name a " (2)", " (3)" so that columns can be told apart.
void NameApart(std::vector<Plan>& plans);

// The figures a comparison can show: the record values 1..19.
struct Figure {
    int cell;
    const char* name;
};
const std::vector<Figure>& ComparableFigures();

// One row per age any plan covers, in age order; a plan without that age
// has no value there (NaN), and neither has its difference.
struct ComparisonRow {
    float age = 0;
    std::vector<float> values;       // per plan
    std::vector<float> differences;  // per plan after the first: value - first plan's value
};
std::vector<ComparisonRow> Compare(const std::vector<Plan>& plans, int cell);
// "Age", each plan's name, then "<plan> - <first plan>" for the others.
std::vector<std::string> ComparisonHeadings(const std::vector<Plan>& plans);
std::string ComparisonCsv(const std::vector<Plan>& plans, int cell);
// The overlaid curves of one figure.
Chart ComparisonChart(const std::vector<Plan>& plans, int cell);
// A table cell: "%.2f" money text, "" for a missing value.
std::string ComparisonCell(float value);

}  // namespace companions
