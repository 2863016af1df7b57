// Money in today's dollars: the one place the views deflate what they show.
#include "engine/engine.h"
#include "results/results.h"

float InTodaysDollars(float value, int row) {
    if (!shell.todaysDollars || row < 0 || row >= MaxResultRows) return value;
    const double factor = inflationFactor[row];
    // Before the first run the factors are not yet filled in.
    if (!(factor > 0)) return value;
    return static_cast<float>(static_cast<double>(value) / factor);
}

std::vector<float> ShownMoney(const float* values, int rows) {
    std::vector<float> shown(values, values + (rows > 0 ? rows : 0));
    for (int row = 0; row < rows; ++row) shown[static_cast<size_t>(row)] = InTodaysDollars(values[row], row);
    return shown;
}

std::string TodaysDollarsNote() { return shell.todaysDollars ? " (today's dollars)" : ""; }

std::string GraphTitle(int code) { return GraphHeading(code) + TodaysDollarsNote(); }
