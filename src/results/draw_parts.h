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
