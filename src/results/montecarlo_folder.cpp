// The "Monte Carlo Analysis" folder: each trial's net-worth curve as it
// comes, the average, the Scenario curve, the legend and the success line.
#include <algorithm>
#include <cstdio>

#include "model/model.h"
#include "montecarlo/insight.h"
#include "montecarlo/montecarlo.h"
#include "results/draw_parts.h"
#include "ui/ui.h"
#include "shell/shell.h"

namespace {

constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour White{255, 255, 255};
constexpr Colour Blue{0, 0, 255};
constexpr Colour Red{255, 0, 0};

// The lightening rule as the trial colours use it.
Colour Lightened(Colour c) { return shell.colourScheme == 0 && !shell.lighter ? c : LightenColour(c); }

const char* const legendTexts[3] = {"Scenario Net Worth", "Monte Carlo Net Worth", "Monte Carlo Average Net Worth"};
const char* const bandTexts[2] = {"10th to 90th Percentile", "25th to 75th Percentile"};

void DrawFrame(MonteCarloFolderRun& r, const float* netWorth, int rows) {
    ui::Painter& p = *r.painter;
    DrawFramedBox(p, r.box, true);
    int line = p.LineHeight();
    p.SetTextColour(Black);
    p.SetFont(0, true);
    p.Text((r.box.left + r.box.right) / 2, r.box.top + 6, "MONTE CARLO ANALYSIS" + TodaysDollarsNote(), ui::AlignCentre);
    p.SetFont(0, false);
    // The trials spread around the plain curve: the axis leaves room above
    // and below it, so that trials falling below zero show where they fail.
    float min = rows > 0 ? netWorth[0] : 0, max = min;
    for (int i = 0; i < rows; ++i) {
        min = std::min(min, netWorth[i]);
        max = std::max(max, netWorth[i]);
    }
    float spread = max - std::min(min, 0.0f);
    PlotArea& a = r.area;
    a.axis = NormalValueAxis(min - 0.6f * spread, max + 0.3f * spread);
    a.firstRow = 0;
    a.rows = rows;
    int labelWidth = ValueLabelWidth(p, a.axis);
    int margin = line / 2 + 4;
    a.left = r.box.left + margin + labelWidth + 6;
    a.right = r.box.right - 2 * margin;
    a.top = r.box.top + 2 * line + 6;
    a.bottom = r.box.bottom - 3 * line - 8;
    if (a.right < a.left + 10) a.right = a.left + 10;
    if (a.bottom < a.top + 10) a.bottom = a.top + 10;
    a.yearWidth = rows > 0 ? static_cast<float>(a.right - a.left) / rows : 1;
    r.survival = SplitOffSurvival(p, a);
    DrawValueAxis(p, a);
    DrawAgeAxis(p, a);
    p.SetPen(Black, 1);
    p.SetBrush(White, false);
    p.Rectangle(a.left, a.top, a.right, a.bottom);
    DrawSurvivalFrame(p, r.survival);
}

void DrawProgress(MonteCarloFolderRun& r) {
    ui::Painter& p = *r.painter;
    int line = p.LineHeight();
    std::string text = TrialText(monteCarlo.trial, monteCarlo.trials);
    bool last = !(monteCarlo.trial < monteCarlo.trials - 1);
    if (r.scale.printing && !last) return;
    // Just above the bottom of the box, below the age labels.
    int y = r.box.bottom - line - line / 3;
    p.SetPen(White, 0);
    p.SetBrush(White);
    p.Rectangle(r.box.left + 4, y - 1, r.box.right - 6, y + line + 1);
    p.SetTextColour(Black);
    if (last && r.scale.printing) y -= 100;
    p.Text((r.box.left + r.box.right) / 2, y, text, ui::AlignCentre);
}

void DrawLegend(MonteCarloFolderRun& r) {
    ui::Painter& p = *r.painter;
    const PlotArea& a = r.area;
    int line = p.LineHeight();
    std::string success = SuccessLine();
    bool hide = scenario.settings.mcHideLegend == 1;
    const bool bands = !hide && ShowsPercentileBands();
    std::vector<std::string> failure = FailureTextLines();
    if (std::string note = InflationNote(); !note.empty()) failure.push_back(note);
    int pad = line / 3, swatch = line * 2 / 3;
    int width = p.TextWidth(success);
    for (const std::string& t : failure) width = std::max(width, p.TextWidth(t));
    if (!hide)
        for (const char* t : legendTexts) width = std::max(width, p.TextWidth(t) + swatch + pad);
    if (bands)
        for (const char* t : bandTexts) width = std::max(width, p.TextWidth(t) + swatch + pad);
    int entries = (hide ? 1 : 4) + (bands ? 2 : 0) + static_cast<int>(failure.size());
    int left = a.left + line, top = a.top + line;
    int right = left + width + 3 * pad, bottom = top + entries * line + 2 * pad;
    p.SetPen(Black, 1);
    p.SetBrush(White);
    p.Rectangle(left, top, right, bottom);
    int y = top + pad;
    p.SetTextColour(Black);
    if (!hide) {
        const Colour colours[3] = {Blue, TrialLegendColour(), Red};
        for (int i = 0; i < 3; ++i) {
            p.SetBrush(ToDraw(colours[i]));
            p.Rectangle(left + pad, y + (line - swatch) / 2, left + pad + swatch, y + (line + swatch) / 2);
            p.Text(left + swatch + 2 * pad, y, legendTexts[i]);
            y += line;
        }
    }
    if (bands) {
        const ui::DrawColour colours[2] = {OuterBandColour(), InnerBandColour()};
        for (int i = 0; i < 2; ++i) {
            p.SetBrush(colours[i]);
            p.Rectangle(left + pad, y + (line - swatch) / 2, left + pad + swatch, y + (line + swatch) / 2);
            p.Text(left + swatch + 2 * pad, y, bandTexts[i]);
            y += line;
        }
    }
    p.Text(left + pad, y, success);
    for (const std::string& t : failure) p.Text(left + pad, y += line, t);
}

void Show(void* context, int phase, const float* nominal, int rows) {
    auto& r = *static_cast<MonteCarloFolderRun*>(context);
    const std::vector<float> shown = ShownMoney(nominal, rows);
    const float* netWorth = shown.data();
    ui::Painter& p = *r.painter;
    // Each trial is drawn as it comes, but the window shows it, with the
    // progress text, only as often as the eye needs: a repaint and a line of
    // text cost more than a trial of a small plan.
    const long long now = r.refresh ? ui::Current().Milliseconds() : 0;
    const bool due = !r.refresh || phase != PhaseTrials || now - r.refreshedAt >= MonteCarloRepaintEvery ||
                     monteCarlo.trial >= monteCarlo.trials;
    int thin = r.scale.printing ? 4 : 1, wide = r.scale.printing ? 8 : 2;
    if (phase == PhaseSetUp) DrawFrame(r, netWorth, rows);
    p.Clip(r.area.left + 1, r.area.top + 1, r.area.right, r.area.bottom);
    if (phase == PhaseScenario && ShowsPercentileBands())
        DrawPercentileBackdrop(p, r.area, ToDraw(TrialColour()), thin, wide);
    if (phase == PhaseSetUp || phase == PhaseScenario) DrawCurve(p, r.area, netWorth, rows, ToDraw(Blue), wide);
    if (phase == PhaseTrials && shell.mcShowTrials) DrawCurve(p, r.area, netWorth, rows, ToDraw(TrialColour()), thin);
    if (phase == PhaseAverage) DrawCurve(p, r.area, netWorth, rows, ToDraw(Red), wide);
    p.NoClip();
    if (phase == PhaseTrials && due) DrawProgress(r);
    if (phase == PhaseScenario) {
        DrawSurvival(p, r.survival, wide);
        DrawLegend(r);
    }
    if (!r.refresh || !due) return;
    r.refreshedAt = now;
    r.refresh(r.context);
}

int StopAsked(void*) { return ui::Current().StopRequested() ? 1 : 0; }

}  // namespace

Colour TrialColour() { return Lightened(shell.colourScheme == 1 ? Colour{100, 100, 100} : Colour{213, 208, 21}); }

Colour TrialLegendColour() { return Lightened(TrialColour()); }

std::string TrialText(int trial, int trials) {
    char t[96];
    if (trial < trials - 1)
        std::snprintf(t, sizeof t, "Monte Carlo Analysis - Trial Number %d of %d", trial, trials);
    else
        std::snprintf(t, sizeof t, "  Monte Carlo Analysis - Number of Trials = %d  ", trials);
    return t;
}

std::string SuccessText(float percent) {
    char t[48];
    std::snprintf(t, sizeof t, "Scenario Success = %5.2f%%", percent);
    return t;
}

std::string SuccessLine() {
    const std::string success = SuccessText(monteCarlo.successPercent);
    if (monteCarlo.trialsRun >= monteCarlo.trials) return success;
    char t[64];
    std::snprintf(t, sizeof t, "Stopped after %d of %d trials: ", monteCarlo.trialsRun, monteCarlo.trials);
    return t + success;
}

int RunMonteCarloFolder(MonteCarloFolderRun& r) {
    MonteCarloObserver observer;
    observer.context = &r;
    observer.show = Show;
    InsightRecorder recorder(&observer);  // the bands and failure text of this analysis
    MonteCarloOptions options;
    options.observer = recorder.Observer();
    options.writeStatistics = r.scale.printing ? 0 : 1;
    // On the screen the person may stop it; a printed page is drawn whole.
    const bool stoppable = !r.scale.printing;
    if (stoppable) {
        observer.stop = StopAsked;
        ui::Current().WatchForStop(true);
    }
    // The analysis sorts the list by access order; the list keeps its own
    // direction flag for that column.
    int flag = accountList.ascending[8];
    int result = RunMonteCarlo(options);
    if (stoppable) ui::Current().WatchForStop(false);
    ShowRunNotices();
    accountList.ascending[8] = flag;
    return result;
}
