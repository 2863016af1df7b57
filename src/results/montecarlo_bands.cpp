// The Monte Carlo folder's percentile bands and failure text: drawn once the
// analysis is over, behind the trial curves it redraws.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "montecarlo/insight.h"
#include "results/draw_parts.h"
#include "shell/shell.h"

namespace {

constexpr ui::DrawColour White{255, 255, 255};
constexpr ui::DrawColour GridLine{210, 210, 210};
constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour AverageRed{255, 0, 0};

// A value far off the axis still lands just outside the plot, not at an
// overflowed height.
int BandHeight(const PlotArea& a, float v) {
    const float low = a.axis.lowest - a.axis.range, high = a.axis.lowest + 2 * a.axis.range;
    return HeightOf(a, std::clamp(v, low, high));
}

// The area between percentiles `lower` and `upper` (indices into PercentileLevels).
void Band(ui::Painter& p, const PlotArea& a, const MonteCarloInsight& in, size_t lower, size_t upper,
          ui::DrawColour c) {
    const int rows = std::min(a.rows, in.rows - a.firstRow);
    if (rows < 2) return;
    std::vector<ui::Point> points;
    auto at = [&](int i, size_t k) {
        const int row = a.firstRow + i;
        return ui::Point{ColumnCentre(a, i), BandHeight(a, InTodaysDollars(in.percentiles[static_cast<size_t>(row)][k], row))};
    };
    for (int i = 0; i < rows; ++i) points.push_back(at(i, upper));
    for (int i = rows - 1; i >= 0; --i) points.push_back(at(i, lower));
    p.SetPen(c, 0);
    p.SetBrush(c);
    p.Polygon(points);
}

}  // namespace

ui::DrawColour OuterBandColour() { return {222, 230, 242}; }
ui::DrawColour InnerBandColour() { return {186, 202, 230}; }

bool ShowsPercentileBands() { return shell.mcShowBands != 0 && monteCarloInsight.complete && monteCarloInsight.trials > 0; }

void DrawPercentileBackdrop(ui::Painter& p, const PlotArea& a, ui::DrawColour trialColour, int thin, int wide) {
    const MonteCarloInsight& in = monteCarloInsight;
    // The trial curves drawn so far go: the bands must lie under them.
    p.SetPen(White, 0);
    p.SetBrush(White);
    p.Rectangle(a.left + 1, a.top + 1, a.right, a.bottom);
    for (int i = 0; i <= 10; ++i) {
        const float value = GridValue(a.axis, i);
        const int y = HeightOf(a, value);
        p.SetPen(value == 0 && a.axis.lowest < 0 ? Black : GridLine, 1);
        p.Line(a.left, y, a.right, y);
    }
    Band(p, a, in, 0, 4, OuterBandColour());
    Band(p, a, in, 1, 3, InnerBandColour());
    if (shell.mcShowTrials)
        for (const std::vector<float>& curve : in.netWorth)
            DrawCurve(p, a, ShownMoney(curve.data(), static_cast<int>(curve.size())).data(), static_cast<int>(curve.size()),
                      trialColour, thin);
    DrawCurve(p, a, ShownMoney(monteCarlo.averageNetWorth, monteCarlo.rows).data(), monteCarlo.rows, AverageRed, wide);
}

std::string InflationNote() {
    // The trials draw inflation from the analysis's own range (0% to 0% in a
    // new plan), not from the plan's rate: said when the two disagree, since
    // a plan that fails at its own inflation can succeed without any.
    const float low = std::min(state.mcMinInflationRate, state.mcMaxInflationRate);
    const float high = std::max(state.mcMinInflationRate, state.mcMaxInflationRate);
    const float plan = scenario.initialValues.inflationRate;
    if (!monteCarloInsight.complete || (plan >= low && plan <= high)) return {};
    char text[160];
    std::snprintf(text, sizeof text, "Inflation in the trials: %.2f%% to %.2f%%; the plan's rate is %.2f%%.",
                  static_cast<double>(low), static_cast<double>(high), static_cast<double>(plan));
    return text;
}

std::vector<std::string> FailureTextLines() {
    const MonteCarloInsight& in = monteCarloInsight;
    if (!in.complete || in.failureText.empty()) return {};
    // Two lines at the semicolon keep the legend box narrow.
    const size_t cut = in.failureText.find("; ");
    if (cut == std::string::npos) return {in.failureText};
    return {in.failureText.substr(0, cut + 1), in.failureText.substr(cut + 2)};
}
