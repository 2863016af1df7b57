// Pieces of graph drawing shared by the graph folders and the Monte Carlo folder.
#pragma once

#include "results/results.h"

int HeightOf(const PlotArea& a, float v);
int ColumnCentre(const PlotArea& a, int i);
// The value of grid line i (0..10) and the width of the widest value label.
float GridValue(const ValueAxis& axis, int i);
int ValueLabelWidth(ui::Painter& p, const ValueAxis& axis);
// Grid lines and value labels; age labels under the year columns.
// `label` gives a grid value's text: money text unless a caller counts.
void DrawValueAxis(ui::Painter& p, const PlotArea& a, std::string (*label)(float) = AxisMoneyText);
void DrawAgeAxis(ui::Painter& p, const PlotArea& a);
// A curve through one value per shown row.
void DrawCurve(ui::Painter& p, const PlotArea& a, const float* values, int rows, ui::DrawColour c, int width);

// ---- Monte Carlo percentile bands (montecarlo_bands.cpp) ----------------------------------
ui::DrawColour OuterBandColour();  // 10th to 90th percentile
ui::DrawColour InnerBandColour();  // 25th to 75th percentile
// Whether the finished analysis is to be shown with its bands.
bool ShowsPercentileBands();
// Clears the plot and draws the grid, the bands, the trial curves (when they
// are shown) and the average again, so that the bands lie under the curves.
void DrawPercentileBackdrop(ui::Painter& p, const PlotArea& a, ui::DrawColour trialColour, int thin, int wide);
// The failure summary in the lines the legend shows; none before an analysis.
std::vector<std::string> FailureTextLines();
// A line for the legend when the plan's inflation rate lies outside the range
// the trials drew theirs from; "" otherwise.
std::string InflationNote();

// ---- Survival by age (montecarlo_survival.cpp) ---------------------------------------------
// The survival graph's place under the trial graph: takes its rows from the
// bottom of `trials` (which keeps its left and right edges) and returns the
// survival plot, an axis of 0..100%.
PlotArea SplitOffSurvival(ui::Painter& p, PlotArea& trials);
// Its frame, percent labels, ages and caption, before any analysis has run.
void DrawSurvivalFrame(ui::Painter& p, const PlotArea& a);
// The share of trials at or above the goal at each age, ending at the
// success rate, which is marked and written at the end age. Nothing before
// an analysis has finished (a stopped one shows the trials that ran).
void DrawSurvival(ui::Painter& p, const PlotArea& a, int wide);
