// Colours, money text, series of the graphs, the value and age axes, and
// what the pointer does on a graph.
#include <cmath>
#include <cstdio>

#include "engine/engine.h"
#include "engine/payment.h"
#include "model/model.h"
#include "results/results.h"

namespace {

const Colour colourTable[GraphColourCount] = {
    {0, 0, 255},   {255, 0, 0},    {213, 208, 21}, {170, 0, 255}, {0, 255, 0},     {136, 0, 72},
    {10, 85, 85},  {255, 170, 0},  {255, 68, 255}, {52, 255, 255}, {100, 100, 100}, {200, 200, 200}};

// 10^n for n >= 0, exact in single precision for the magnitudes money takes.
float PowerOfTen(int n) {
    float p = 1;
    for (int i = 0; i < n; ++i) p *= 10.0f;
    return p;
}

// Reduces a magnitude below 1 by tenths; k counts the steps. Bounded, so
// that no input can keep it going (a float reaches 1 in under 40 steps).
float Reduce(float m, int& k) {
    k = 0;
    while (m > 1 && k < 60) {
        m = static_cast<float>(m * 0.1);
        ++k;
    }
    return m;
}

// Figures past this are drawn at the edge: beyond it the axis arithmetic
// would overflow single precision. NaN counts as 0.
constexpr float AxisLimit = 1e36f;
float AxisInput(float v) {
    if (std::isnan(v)) return 0;
    return v > AxisLimit ? AxisLimit : (v < -AxisLimit ? -AxisLimit : v);
}

// A range rounded up to 1, 2, 3, 4, 5 or 6 times a power of ten, or the
// next power of ten.
float NiceRange(float range) {
    float r = range;
    int e = 0;
    while (0.1 * r > 1 && e < 60) {
        r = static_cast<float>(r * 0.1);
        ++e;
    }
    int d = static_cast<int>(std::trunc(r));
    range = d > 5 ? PowerOfTen(e + 1) : (d + 1) * PowerOfTen(e);
    return range == 0 ? 1 : range;
}

// Moves a negative lowest value down to the next grid line of `step` below
// it, so that a grid line falls on 0 (unless 0 is more than nine steps up).
float OnGrid(float lowest, float step) {
    if (!(lowest < 0)) return lowest;
    float s = lowest;
    for (int i = 0; i < 9; ++i) {
        s += step;
        if (s == 0) break;
        if (s > 0) return lowest - s;
    }
    return lowest;
}

int Rows() {
    int n = results.rowCount;
    return n < 0 ? 0 : (n > MaxResultRows ? MaxResultRows : n);
}

}  // namespace

Colour GraphColour(int series) {
    if (series < 0) series = 0;
    return colourTable[series % GraphColourCount];
}

ui::DrawColour ToDraw(Colour c) { return {c.r, c.g, c.b}; }

long WholeDollars(float value) {
    double whole = std::trunc(static_cast<double>(value));
    if (value > 0 && value - whole >= 0.5) whole += 1;
    return static_cast<long>(whole);
}

std::string WholeDollarText(float value) {
    char t[40];
    // The separators come with a decimal point; the cents are dropped again.
    std::snprintf(t, sizeof t, "%ld.00", WholeDollars(value));
    std::string text = FormatDollars(std::string(t));
    return text.substr(0, text.size() - 3);
}

std::string AxisMoneyText(float value) {
    if (value == 0) return "0.00";
    if (value < 0) return "-" + Dollars("%.2f", -static_cast<double>(value));
    return Dollars("%.2f", value);
}

// ---- Series ---------------------------------------------------------------------

const char* GraphHeading(int code) {
    switch (code) {
        case GraphNetWorth: return "NET WORTH";
        case GraphIncomingOutgoing: return "INCOMING / OUTGOING";
        case GraphIncoming: return "INCOMING";
        case GraphOutgoing: return "OUTGOING";
        case GraphAccounts: return "ACCOUNTS";
        case GraphGroups: return "GROUPS";
        default: return "";
    }
}

namespace {

struct FixedSeries {
    int code;
    int count;
    const char* legend[7];
    int cell[7];
};

const FixedSeries fixedSeries[] = {
    {GraphNetWorth, 6,
     {"Net Worth", "Investment Accounts", "Tax-free Accounts", "Retirement Accounts", "Asset Accounts", "Equity"},
     {6, 1, 2, 3, 4, 5}},
    {GraphIncomingOutgoing, 2, {"Incoming", "Outgoing"}, {7, 11}},
    {GraphIncoming, 7,
     {"Total Incoming", "Deposits", "Taxable Income", "Non Taxable Income", "Loans", "Assets", "Equity"},
     {7, 8, 9, 10, 16, 18, 17}},
    {GraphOutgoing, 6,
     {"Total Outgoing", "Withdrawals", "Interest Paid", "Other/Loan/Mortgage", "Taxes Paid", "Penalties Paid"},
     {11, 12, 14, 19, 13, 15}},
};

}  // namespace

GraphSeries SeriesOf(int code, int block) {
    GraphSeries s;
    for (const FixedSeries& f : fixedSeries) {
        if (f.code != code) continue;
        s.count = f.count;
        for (int i = 0; i < f.count; ++i) {
            s.legend[i] = f.legend[i];
            s.source[i] = f.cell[i];
            s.colour[i] = i;
        }
        return s;
    }
    if (code == GraphAccounts) {
        s.kind = 1;
        int n = LiveAccountCount();
        for (int k = block * 10; k < n && k < block * 10 + 10; ++k) {
            s.legend[s.count] = FieldText(scenario.accountTable.accounts[k].name);
            s.source[s.count] = k;
            // By list position, so that the colours run on across the tabs.
            s.colour[s.count] = k;
            ++s.count;
        }
    } else if (code == GraphGroups) {
        // One series per Group that holds an Account: an empty Group would only
        // add a flat line and a legend entry.
        s.kind = 2;
        int n = LiveAccountCount();
        for (int g = 0; g < MaxGroups && s.count < MaxSeries; ++g) {
            bool used = false;
            for (int k = 0; k < n && !used; ++k) used = scenario.accountTable.accounts[k].groupIndex == g;
            if (!used) continue;
            s.legend[s.count] = FieldText(scenario.settings.groupName[g]);
            s.source[s.count] = g;
            s.colour[s.count] = s.count;
            ++s.count;
        }
    }
    return s;
}

namespace {

float NominalValue(const GraphSeries& s, int series, int row) {
    int src = s.source[series];
    if (s.kind == 0) return src >= 0 && src < SummaryCells ? results.yearSummary[row][src] : 0;
    if (s.kind == 1) return src >= 0 && src < BalanceCells ? results.accountBalance[row][src] : 0;
    float sum = 0;
    int n = LiveAccountCount();
    for (int k = 0; k < n; ++k)
        if (scenario.accountTable.accounts[k].groupIndex == src) sum += results.accountBalance[row][k];
    return sum;
}

}  // namespace

// Every value a graph folder draws, reads out or puts in a pie comes through
// here, so today's dollars apply to all of them alike.
float SeriesValue(const GraphSeries& s, int series, int row) {
    if (series < 0 || series >= s.count || row < 0 || row >= MaxResultRows) return 0;
    return InTodaysDollars(NominalValue(s, series, row), row);
}

int GraphCodeOfFolder(int folder) {
    switch (folder) {
        case FolderNetWorth: return GraphNetWorth;
        case FolderIncomingOutgoing: return GraphIncomingOutgoing;
        case FolderIncoming: return GraphIncoming;
        case FolderOutgoing: return GraphOutgoing;
        case FolderGroups: return GraphGroups;
        case FolderAccountGraph: return GraphAccounts;
        default: return 0;
    }
}

// ---- Axes ------------------------------------------------------------------------

ValueAxis NormalValueAxis(float min, float max) {
    ValueAxis a;
    min = AxisInput(min);
    max = AxisInput(max);
    // With nothing above 0 the axis ends at 0 and reaches down instead.
    bool belowZero = !(max > 0) && min < 0;
    float top = 0;
    if (!belowZero) {
        int k = 0;
        float m = Reduce(max, k);
        float p = k == 0 ? 1 : PowerOfTen(k - 1);
        top = static_cast<float>(std::trunc(static_cast<float>(11 * m)) * p * 1.1);
    }

    float oldMin = min;
    if (min > 0) {
        min = 0;
    } else {
        int k2 = 0;
        float mag = Reduce(std::fabs(min), k2);
        float p2 = k2 == 0 ? 1 : PowerOfTen(k2 - 1);
        float t = std::trunc(static_cast<float>(10 * mag)) * p2;
        min = -t;
        // Widened by tenths of t until it covers the lowest value. Three
        // widenings do not always reach it (a lowest value of -19000 would stay
        // below -13000, off the plot), so this goes on until it does.
        for (int i = 1; min > oldMin && i < 100; ++i) min = static_cast<float>(-t * (1 + 0.1 * i));
        // A magnitude below a tenth reduces to nothing: the value itself.
        if (min > oldMin) min = oldMin;
    }

    float range = std::fabs(min) + top;
    if (range == 0) range = 1;
    float step = static_cast<float>(0.1 * range);
    for (int i = 0; top < max && step > 0 && i < 100; ++i) top += step;

    range = NiceRange(std::fabs(min) + top);
    step = static_cast<float>(0.1 * range);
    if (belowZero) {
        a.lowest = -range;
        a.range = range;
        a.step = step;
        return a;
    }

    float lowest = OnGrid(min, step);
    if (lowest < min && !(10 * step < max)) range = 10 * step;
    // Moving the lowest value onto the grid can push the largest values off
    // the top: the range then grows to the next round size until they fit.
    for (int i = 0; lowest + range < max && i < 100; ++i) {
        range = NiceRange(range + step);
        step = static_cast<float>(0.1 * range);
        lowest = OnGrid(min, step);
    }
    a.lowest = lowest;
    a.range = range;
    a.step = step;
    return a;
}

ValueAxis ZoomedValueAxis(float min, float max) {
    ValueAxis a;
    min = AxisInput(min);
    max = AxisInput(max);
    if (!(max > 0) && min < 0) {
        // Every value in the window is below 0: the same rule, downwards
        // from 0, so the plot is not turned upside down.
        a.lowest = static_cast<float>(min * 0.1) * 10;
        if (a.lowest > min) a.lowest = min;
        a.range = -a.lowest;
    } else {
        a.lowest = 0;
        a.range = static_cast<float>(max * 0.1) * 10;
        if (a.range < max) a.range = max;
    }
    if (!(a.range > 0)) a.range = 1;
    a.step = static_cast<float>(0.1 * a.range);
    return a;
}

// The thinning rules count half the labels per step while the step grows
// more slowly, so a short or narrow plot could still get labels on top of
// each other; the step then grows until the labels really drawn fit.
int ValueLabelEvery(int plotHeight, int lineHeight) {
    int k = 1;
    for (int count = 10; count > 1 && count * lineHeight > plotHeight; count /= 2) ++k;
    while (k < 10 && (10 / k + 1) * lineHeight > plotHeight) ++k;
    return k;
}

int AgeLabelEvery(int years, int plotWidth, int charWidth) {
    int k = 1;
    for (int count = years; count > 1 && count * 3 * charWidth > plotWidth; count /= 2) k += 2;
    while (k < years && (years + k - 1) / k * 3 * charWidth > plotWidth) ++k;
    return k;
}

std::string AgeLabel(float age) {
    // A figure from a damaged file may be no age an int holds.
    int a = age > -1000000.0f && age < 1000000.0f ? static_cast<int>(age) : age > 0 ? 999999 : -999999;
    char t[16];
    std::snprintf(t, sizeof t, a < 10 ? "%1d" : a < 100 ? "%2d" : "%3d", a);
    return t;
}

// ---- View -------------------------------------------------------------------------

void ShownRows(const GraphView& v, int& first, int& count) {
    int rows = Rows();
    first = 0;
    count = rows;
    if (v.windowOn && v.fromRow >= 0 && v.toRow < rows && v.toRow > v.fromRow) {
        first = v.fromRow;
        count = v.toRow - v.fromRow + 1;
    }
}

void StepStyle(GraphView& v) {
    v.style = (v.style + 1) % 3;
    if (v.style == StyleDepth) v.windowOn = 0;
    int first = 0, count = 0;
    ShownRows(v, first, count);
    if (count < 3) v.style = StyleLines;
}

void PickAge(GraphView& v, int row) {
    v.justPicked = 0;
    v.displaced = -1;
    if (row < 0) return;
    if (v.pickedCount == 2) {
        v.displaced = v.picked[0];
        v.picked[0] = v.picked[1];
        v.pickedCount = 1;
    }
    v.picked[v.pickedCount++] = row;
    v.justPicked = 1;
}

void UnpickAge(GraphView& v) {
    if (!v.justPicked || v.pickedCount <= 0) return;
    --v.pickedCount;
    if (v.displaced >= 0) {
        v.picked[1] = v.picked[0];
        v.picked[0] = v.displaced;
        v.pickedCount = 2;
    }
    v.justPicked = 0;
    v.displaced = -1;
}

int ApplyAgeWindow(GraphView& v) {
    if (v.windowOn) {
        v.windowOn = 0;
        v.pickedCount = 0;
        return 1;
    }
    if (v.pickedCount == 0) return 0;
    int from = v.pickedCount == 1 ? 0 : v.picked[0];
    int to = v.pickedCount == 1 ? v.picked[0] : v.picked[1];
    if (from > to) std::swap(from, to);
    v.pickedCount = 0;
    // Fewer than 2 years, or past the plan's last row: dropped.
    if (to - from + 1 < 2 || to >= Rows()) return 0;
    v.windowOn = 1;
    v.fromRow = from;
    v.toRow = to;
    if (v.style == StyleDepth) v.style = StyleLines;
    return 1;
}

ValueAxis AxisOf(const GraphSeries& s, const GraphView& v) {
    int first = 0, count = 0;
    ShownRows(v, first, count);
    float min = 0, max = 0;
    bool any = false;
    for (int i = 0; i < s.count; ++i)
        for (int row = first; row < first + count; ++row) {
            float x = SeriesValue(s, i, row);
            if (!any || x < min) min = x;
            if (!any || x > max) max = x;
            any = true;
        }
    return v.windowOn ? ZoomedValueAxis(min, max) : NormalValueAxis(min, max);
}

// ---- Pointer ------------------------------------------------------------------------

int RowAtX(const PlotArea& p, int x) {
    if (p.rows <= 0 || x < p.left || x > p.right) return -1;
    int column = static_cast<int>((x - p.left) / p.yearWidth);
    if (column >= p.rows) column = p.rows - 1;
    return p.firstRow + column;
}

bool InsidePlot(const PlotArea& p, int x, int y) {
    return p.rows > 0 && x >= p.left && x <= p.right && y >= p.top && y <= p.bottom;
}

std::string ReadOut(const PlotArea& p, int x, int y) {
    if (!InsidePlot(p, x, y) || p.bottom <= p.top) return "";
    float value = static_cast<float>(p.bottom - y) / static_cast<float>(p.bottom - p.top) * p.axis.range + p.axis.lowest;
    int row = RowAtX(p, x);
    std::string text = AxisMoneyText(value);
    if (row >= 0 && row < MaxResultRows) text += "  at age " + AgeLabel(results.yearSummary[row][0]);
    return text;
}
