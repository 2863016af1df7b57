// What the companion windows draw: curves or bars over a row of columns
// (ages, periods, months, rate bins), with the graph folders' framed box,
// value axis, colours and label thinning, and a legend whose entries turn
// curves on and off. Drawing goes through ui::Painter, so the same routine
// paints the window, a picture file and a printer page.
#pragma once

#include <string>
#include <vector>

#include "companions/files.h"
#include "results/results.h"

namespace companions {

struct Curve {
    std::string name;
    std::vector<float> values;  // one per column
    int colour = 0;             // graph colour index
    bool shown = true;
};
struct Chart {
    std::string heading;
    std::vector<std::string> notes;  // small lines under the heading
    std::vector<std::string> columns;  // the label under each column
    std::string columnWord = "age";    // for the read-out: "at age 65"
    std::vector<Curve> curves;
    bool money = true;  // value labels as money text, else whole numbers
    int style = StyleLines;  // StyleLines or StyleBars
    bool legend = true;      // a lone curve needs none
};
struct ChartView {
    int windowOn = 0;
    int from = 0, to = 0;  // columns shown while the window is on, both included
};
struct ChartArea {
    PlotArea plot;
    std::vector<ui::Rect> legend;  // per curve, where its entry stands
};

// The columns shown under `view` (the whole chart when its window is off or
// does not fit the chart).
void ShownColumns(const Chart& c, const ChartView& view, int& first, int& count);
ChartArea DrawChart(ui::Painter& p, const ui::Rect& box, const Chart& c, const ChartView& view,
                    const DrawScale& scale);
// The curve whose legend entry is under (x, y), or -1.
int LegendEntryAt(const ChartArea& a, int x, int y);
// The column under x, or -1 outside the plot.
int ColumnAt(const ChartArea& a, int x);
// "Age 65: Net Worth $1,234.00, ..." for the shown curves, or "" outside the plot.
std::string ChartReadOut(const Chart& c, const ChartArea& a, int x, int y);
// A drag from column `a` to column `b` (any order) as the age window; fewer
// than 2 columns switch the window off. Returns 1 when it is on.
int DragWindow(ChartView& view, int a, int b);

// A framed table: headings, then rows of cells; the first column left-aligned,
// the others right-aligned. Returns the height it takes (drawn or not).
int TableHeight(ui::Painter& p, size_t rows);
void DrawTable(ui::Painter& p, const ui::Rect& box, const std::vector<std::string>& headings,
               const std::vector<std::vector<std::string>>& rows);

// ---- The charts of each file ------------------------------------------------------
// The graph with code 1..7 of a plot file (6, the selected-age display, and
// unknown codes show net worth).
Chart PlotChart(const PlotFile& f, int code);
int PlotChartCode(int folderCode);
// Today's dollars in the graph window: the plot file holds nominal money, so
// the main program passes the inflation factor of each whole age on the
// command line as "AGE:F0,F1,..." (F0 for AGE, F1 for AGE + 1, ...).
struct TodaysDollars {
    int firstAge = 0;
    std::vector<double> factors;
};
// 0 with an error for anything but a whole age, a colon and 1..MaxPlotYears
// positive finite factors separated by commas.
int ParseTodaysDollars(const std::string& text, TodaysDollars& out, std::string& error);
// Divides each value of a plot chart by the factor of its year's whole age
// (a year without one stays as it is) and says so in the heading.
void ToTodaysDollars(Chart& c, const PlotFile& f, const TodaysDollars& d);
// The trade-off or refinance curves; `columnWord` names the x ("period", "month").
Chart CurveChart(const CurveFile& f, const std::string& heading, const std::string& columnWord);
// One rate histogram: below, ten bins, above.
Chart HistogramChart(const RateHistogram& h);
// The summary figures in two short lines (none without a summary).
std::vector<std::string> HistogramSummary(const RateHistogram& h);

}  // namespace companions
