// What the result folders show: the account list with its columns and
// sorting, the Summary panel, the graphs (series, axes, styles, age window,
// pies) and the Monte Carlo folder. Everything here is free of any toolkit;
// drawing goes through ui::Painter, so the same routines draw on the screen
// and on a printer page.
#pragma once

#include <string>
#include <vector>

#include "shell/shell.h"
#include "ui/draw.h"

// ---- Colours ----------------------------------------------------------------
constexpr int GraphColourCount = 12;
// Series k of a graph is drawn in colour k (wrapping after the twelfth).
Colour GraphColour(int series);
ui::DrawColour ToDraw(Colour c);

// ---- Whole dollars and money text --------------------------------------------
// A positive value with a fraction of .5 or more goes up, anything else is
// cut toward zero.
long WholeDollars(float value);
// "$1,234" (and "$-1,234" for a negative value).
std::string WholeDollarText(float value);
// An axis or read-out figure: "0.00", "$1,234.50", "-$1,234.50".
std::string AxisMoneyText(float value);

// ---- Today's dollars ------------------------------------------------------------
// While shell.todaysDollars is on, the money a view shows at result row `row`
// is divided by the plan's inflation from the start age to that row
// (inflationFactor); otherwise, and outside the rows, it is shown as it is.
float InTodaysDollars(float value, int row);
// `rows` values of rows 0.. as shown.
std::vector<float> ShownMoney(const float* values, int rows);
// " (today's dollars)" while the switch is on, else "": every view that
// deflates says so in its title.
std::string TodaysDollarsNote();

// ---- Account list --------------------------------------------------------------
constexpr int AccountListColumns = 15;  // the last only with IDON
constexpr int SortableColumns = 9;
struct AccountListState {
    int ascending[SortableColumns] = {1, 0, 0, 0, 0, 0, 0, 0, 0};
    int lastSorted = 0;
    int withdrawalOrderBox = 0;  // "Sort by withdrawal order": checked = ascending
};
extern AccountListState accountList;

const char* AccountListHeading(int column);
// What a one-letter heading stands for (the heading's tooltip), "" otherwise.
const char* AccountListHeadingTip(int column);
// Columns 0..8 take a share of the list width (parts of 540); the others
// are as wide as their heading text; the ID column is 50 pixels.
int AccountListColumnWidth(int column, int listWidth, int headingTextWidth);
// 0 left, 1 right.
int AccountListAlignment(int column);
// Columns shown: 14, or 15 with IDON.
int AccountListColumnCount();
// The text of one cell.
std::string AccountListCell(int position, int column);
// Makes the list ready to fill: a count outside 0..50 empties the Scenario's
// account table, standard deviations outside 0..200 are stored as 0, and the
// last sort is applied again. Returns the number of rows.
int PrepareAccountList();
// A heading click on column 0..8. Returns 1 when the Accounts were sorted.
int SortAccountList(int column);
// Sorts by column `column` in its present direction.
void ApplyAccountSort(int column);
// "%2d" and the dollar total of the initial amounts.
std::string AccountCountText();
std::string AccountTotalText();

// ---- Graph series -------------------------------------------------------------
// Graph codes, as the plot file and the printed graph know them.
enum : int {
    GraphNetWorth = 1,
    GraphIncomingOutgoing = 2,
    GraphIncoming = 3,
    GraphOutgoing = 4,
    GraphAccounts = 5,
    GraphGroups = 7,
};
constexpr int MaxSeries = 12;
struct GraphSeries {
    int count = 0;
    std::string legend[MaxSeries];
    int colour[MaxSeries] = {};
    // Where the values come from: a year summary cell, an Account position or
    // a Group index.
    int source[MaxSeries] = {};
    int kind = 0;  // 0 year summary cell, 1 Account balance, 2 Group sum
};
const char* GraphHeading(int code);
// The heading as a folder shows it: with TodaysDollarsNote.
std::string GraphTitle(int code);
// The series of a graph; `block` picks the ten Accounts of an Accounts tab.
GraphSeries SeriesOf(int code, int block = 0);
float SeriesValue(const GraphSeries& s, int series, int row);
// The graph code a shell folder shows (0 when it is no graph).
int GraphCodeOfFolder(int folder);

// ---- Value and age axes ---------------------------------------------------------
struct ValueAxis {
    float lowest = 0, range = 1, step = 0.1f;
};
// Covers [min, max] for any input; an axis over values all at or below 0
// ends at 0.
ValueAxis NormalValueAxis(float min, float max);
// The age window's axis: from 0 to the window's largest value, or, when
// every value in it is below 0, from its lowest value up to 0.
ValueAxis ZoomedValueAxis(float min, float max);
// Every `k`-th value label is drawn; 1 when 10 labels fit.
int ValueLabelEvery(int plotHeight, int lineHeight);
// Every `k`-th age label is drawn; 1 when all fit at 3 character widths each.
int AgeLabelEvery(int years, int plotWidth, int charWidth);
std::string AgeLabel(float age);

// ---- One graph's view: style, age window, picked ages, selected year -------------
enum : int { StyleLines = 0, StyleBars = 1, StyleDepth = 2 };
struct GraphView {
    int style = StyleLines;
    int windowOn = 0;
    int fromRow = 0, toRow = 0;  // the age window, rows included
    int picked[2] = {};
    int pickedCount = 0;
    // What the last PickAge did, so that it can be taken back: whether it
    // picked, and the age it pushed out (-1 none).
    int justPicked = 0;
    int displaced = -1;
    int selectedRow = -1;        // pies of this row while showPies
    int showPies = 0;
};
// The rows shown: the whole plan, or the age window.
void ShownRows(const GraphView& v, int& first, int& count);
// A right double-click: 0 -> 1 -> 2 -> 0; entering 2 drops the age window.
void StepStyle(GraphView& v);
// The row under the pointer becomes a picked age (the last two are kept).
void PickAge(GraphView& v, int row);
// Takes back the pick just made (the first press of a double-click).
void UnpickAge(GraphView& v);
// Shift + right click: switches a window off, or applies the picked ages.
// Returns 1 when the view changed.
int ApplyAgeWindow(GraphView& v);
// The value axis of `s` for the rows shown.
ValueAxis AxisOf(const GraphSeries& s, const GraphView& v);

// ---- Geometry of a drawn graph ------------------------------------------------------
struct PlotArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    int firstRow = 0, rows = 0;
    float yearWidth = 1;
    ValueAxis axis;
};
// The row index of a year column under x (clamped to the rows shown), -1
// outside the plot.
int RowAtX(const PlotArea& p, int x);
bool InsidePlot(const PlotArea& p, int x, int y);
// The pointer read-out: "$12,000.00 at age 65".
std::string ReadOut(const PlotArea& p, int x, int y);

// ---- Pies ------------------------------------------------------------------------
struct PieSlice {
    int series;   // legend position, for its colour and text
    float value;
    float share;  // of the full circle, 0..1
};
// The composition of one row: components above 0 only. `block` picks the
// ten Accounts of an Accounts tab, as for SeriesOf.
std::vector<PieSlice> PieSlices(int code, int row, float& total, int block = 0);
// The slice under (x, y) of a pie centred at (cx, cy), or -1.
int PieSliceAt(const std::vector<PieSlice>& slices, int cx, int cy, int radius, int x, int y);
std::string PieTotalText(float total);
std::string PieShareText(float share);

// ---- Drawing -----------------------------------------------------------------------
struct DrawScale {
    int curveWidth = 2;  // 8 on a printer page
    int printing = 0;
};
// A whole graph folder (heading, legend, axes, curves) into `box`; returns
// the plot area for hit tests and read-outs.
PlotArea DrawGraph(ui::Painter& p, const ui::Rect& box, int code, int block, const GraphView& v,
                   const DrawScale& scale, bool compact = false);
// The pies of the view's selected row, with their labels; returns where
// the pie stands, for the slice hit test.
struct PieArea {
    int cx = 0, cy = 0, radius = 0;
    std::vector<PieSlice> slices;
    int code = 0, block = 0;  // the graph the slices belong to
};
PieArea DrawPies(ui::Painter& p, const ui::Rect& box, int code, int block, int row, const DrawScale& scale);
// The read-out of slice `slice` of a drawn pie: "Name: $1,234.00 ( 25.00%)".
std::string PieSliceText(const PieArea& a, int slice);
// The framed box of the graph folders.
void DrawFramedBox(ui::Painter& p, const ui::Rect& r, bool shadow);

// ---- Summary panel -------------------------------------------------------------------
struct SummaryState {
    int row = 0;   // selected row of the year summary table
    int view = 0;  // 0/1 net worth, 2 incoming, 3 outgoing
};
extern SummaryState summaryPanel;
struct PanelLine {
    std::string label;
    float value = 0;
    int hasValue = 0;
    int labelColour = -1;  // colour table index, -1 black
    int heading = 0;
};
std::vector<PanelLine> SummaryPanelLines(int row, int view);
// After a new Scenario's run: the panel shows its first age, net worth.
void RefreshSummaryPanel();
void DrawSummaryPanel(ui::Painter& p, const ui::Rect& box, int row, int view, bool darker);
// The Summary folder: Net Worth, Incoming and Outgoing in three quarters and
// the panel in the fourth. `plots` receives the three plot areas and `pies`
// the pies of the quarters that show them (empty for the others).
void DrawSummaryFolder(ui::Painter& p, const ui::Rect& box, const GraphView views[3], PlotArea plots[3],
                       PieArea pies[3], const DrawScale& scale);
// The graph codes of the Summary quarters.
int SummaryQuarterCode(int quarter);

// ---- Monte Carlo folder -----------------------------------------------------------------
// The trial curve colour for the colour scheme and LIGHTER switch, and the
// legend box of the trials (lightened once more).
Colour TrialColour();
Colour TrialLegendColour();
// The progress text after trial `trial` of `trials`.
std::string TrialText(int trial, int trials);
std::string SuccessText(float percent);
// The success line of the last analysis: SuccessText, or after a stop
// "Stopped after 412 of 1000 trials: " before it.
std::string SuccessLine();
// Runs the analysis and draws it phase by phase into `box`; `refresh` (may be
// null) shows what is drawn so far and lets the window handle its events: at
// every phase, and during the trials at least every MonteCarloRepaintEvery
// milliseconds of the ui's clock and after the last one. On the screen
// Escape (ui::Ui::StopRequested) stops the trials. `printing` writes no
// stats.dat and cannot be stopped. Returns RunMonteCarlo's result.
constexpr long long MonteCarloRepaintEvery = 50;
struct MonteCarloFolderRun {
    ui::Painter* painter = nullptr;
    ui::Rect box;
    DrawScale scale;
    void (*refresh)(void* context) = nullptr;
    void* context = nullptr;
    PlotArea area;
    PlotArea survival;          // the survival by age under the trial graph
    long long refreshedAt = 0;  // the ui's clock at the last refresh
};
int RunMonteCarloFolder(MonteCarloFolderRun& run);

// ---- Save Graphs -----------------------------------------------------------------------------
// Command 11 after the save dialog named `target`. Returns 1 when copied.
int SaveGraphs(const std::string& target);
// Command 11 itself: the save dialog, then SaveGraphs.
int CommandSaveGraphs();
// Installs the routines of the commands this module does, and the Summary
// refresh the shell calls after opening a Scenario.
void InstallResultsCommands();
