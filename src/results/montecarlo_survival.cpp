// The Monte Carlo folder's survival by age: under the trial graph, the share
// of trials still at or above the goal at each age, ending at the success rate.
#include <algorithm>
#include <cstdio>
#include <string>

#include "montecarlo/insight.h"
#include "montecarlo/montecarlo.h"
#include "results/draw_parts.h"

namespace {

constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour White{255, 255, 255};
constexpr ui::DrawColour SurvivalGreen{0, 140, 70};
constexpr ui::DrawColour MarkRed{255, 0, 0};
constexpr const char* Caption = "Survival by Age - Share of Trials at or Above the Goal";

std::string PercentLabel(float value) {
    char t[16];
    std::snprintf(t, sizeof t, "%.0f%%", static_cast<double>(value));
    return t;
}

}  // namespace

PlotArea SplitOffSurvival(ui::Painter& p, PlotArea& trials) {
    const int line = p.LineHeight();
    const int total = trials.bottom - trials.top;
    // A quarter of the height, but room for its labels, and never more than
    // a third: the trials are what the folder is about.
    const int height = std::min(std::max(3 * line, total / 4), total / 3);
    PlotArea s = trials;
    s.axis = ValueAxis{0, 100, 10};
    s.top = trials.bottom - height;
    // The trial graph's age labels and the survival caption stand between.
    trials.bottom = std::max(trials.top + 10, s.top - 2 * line - 8);
    return s;
}

void DrawSurvivalFrame(ui::Painter& p, const PlotArea& a) {
    p.SetTextColour(Black);
    p.Text(a.left, a.top - p.LineHeight() - 2, Caption);
    DrawValueAxis(p, a, PercentLabel);
    DrawAgeAxis(p, a);
    p.SetPen(Black, 1);
    p.SetBrush(White, false);
    p.Rectangle(a.left, a.top, a.right, a.bottom);
}

void DrawSurvival(ui::Painter& p, const PlotArea& a, int wide) {
    const MonteCarloInsight& in = monteCarloInsight;
    if (!in.complete || in.trials <= 0 || in.rows <= 0) return;
    p.Clip(a.left + 1, a.top - wide, a.right, a.bottom + wide);
    DrawCurve(p, a, in.survivalPercent.data(), in.rows, SurvivalGreen, wide);
    p.NoClip();
    const int last = in.rows - 1;
    if (last < a.firstRow || last >= a.firstRow + a.rows) return;
    const float success = monteCarlo.successPercent;
    const int x = ColumnCentre(a, last - a.firstRow), y = HeightOf(a, success);
    const int line = p.LineHeight(), half = std::max(2, line / 4);
    p.SetPen(Black, 1);
    p.SetBrush(MarkRed);
    p.Rectangle(x - half, y - half, x + half, y + half);
    char text[48];
    std::snprintf(text, sizeof text, "%.2f%% at %d", static_cast<double>(success),
                  static_cast<int>(in.rowAge[static_cast<size_t>(last)]));
    // Inside the plot: under the mark when it stands high, over it when low.
    const int textY = success > 50 ? y + half + 2 : y - half - line - 2;
    p.SetTextColour(Black);
    p.Text(x - half - 4, textY, text, ui::AlignRight);
}
