// Drawing a companion chart with the graph folders' pieces, and the charts
// each companion file makes.
#include "companions/charts.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "results/draw_parts.h"

namespace companions {

namespace {

constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour White{255, 255, 255};
constexpr ui::DrawColour Hidden{150, 150, 150};

std::string WholeText(float v) {
    char t[48];
    std::snprintf(t, sizeof t, "%.0f", static_cast<double>(v));
    return t;
}

std::string ValueText(const Chart& c, float v) {
    if (std::isnan(v)) return "-";  // a plan without this age
    return c.money ? AxisMoneyText(v) : WholeText(v);
}

float Value(const Curve& curve, int column) {
    return column >= 0 && column < static_cast<int>(curve.values.size()) ? curve.values[static_cast<size_t>(column)] : 0;
}

ValueAxis AxisFor(const Chart& c, const ChartView& view, int first, int count) {
    float min = 0, max = 0;
    bool any = false;
    for (const Curve& curve : c.curves) {
        if (!curve.shown) continue;
        for (int i = first; i < first + count; ++i) {
            float v = Value(curve, i);
            if (std::isnan(v)) continue;
            if (!any || v < min) min = v;
            if (!any || v > max) max = v;
            any = true;
        }
    }
    if (!c.money && max < 10) max = 10;  // counts: whole-number steps
    return view.windowOn ? ZoomedValueAxis(min, max) : NormalValueAxis(min, max);
}

// The legend flows into further columns when its entries outgrow the plot's
// height, so that it always stays inside the frame.
struct LegendShape {
    int entryWidth = 0, rows = 0, columns = 0;
};
LegendShape ShapeLegend(ui::Painter& p, const Chart& c, int line, int height) {
    LegendShape s;
    int n = static_cast<int>(c.curves.size());
    if (n == 0) return s;
    int width = 0;
    for (const Curve& curve : c.curves) width = std::max(width, p.TextWidth(curve.name));
    s.entryWidth = width + line * 2 / 3 + 3 * (line / 3);
    s.rows = std::max(1, std::min(n, (height - 2 * (line / 3)) / std::max(1, line)));
    s.columns = (n + s.rows - 1) / s.rows;
    return s;
}
int LegendWidth(const LegendShape& s, int line) { return s.columns ? s.columns * s.entryWidth + line / 3 : 0; }

void DrawLegend(ui::Painter& p, const Chart& c, const LegendShape& s, int right, int top, int line,
                ChartArea& area) {
    area.legend.assign(c.curves.size(), ui::Rect{});
    if (s.columns == 0) return;
    int pad = line / 3, swatch = line * 2 / 3;
    int left = right - LegendWidth(s, line);
    int rows = std::min(s.rows, static_cast<int>(c.curves.size()));
    p.SetPen(Black, 1);
    p.SetBrush(White);
    p.Rectangle(left, top, right, top + rows * line + 2 * pad);
    for (size_t i = 0; i < c.curves.size(); ++i) {
        const Curve& curve = c.curves[i];
        int x = left + pad + static_cast<int>(i) / s.rows * s.entryWidth;
        int y = top + pad + static_cast<int>(i) % s.rows * line;
        // A curve turned off keeps its entry, hollow and grey.
        p.SetPen(curve.shown ? Black : Hidden, 1);
        p.SetBrush(ToDraw(GraphColour(curve.colour)), curve.shown);
        p.Rectangle(x, y + (line - swatch) / 2, x + swatch, y + (line + swatch) / 2);
        p.SetTextColour(curve.shown ? Black : Hidden);
        p.Text(x + swatch + pad, y, curve.name);
        area.legend[i] = {x, y, x + s.entryWidth - pad, y + line};
    }
    p.SetTextColour(Black);
}

void DrawColumnLabels(ui::Painter& p, const Chart& c, const PlotArea& a) {
    int widest = p.TextWidth("0");
    for (int i = 0; i < a.rows; ++i) {
        int col = a.firstRow + i;
        if (col < static_cast<int>(c.columns.size()))
            widest = std::max(widest, p.TextWidth(c.columns[static_cast<size_t>(col)]) / 3 + 1);
    }
    int every = AgeLabelEvery(a.rows, a.right - a.left, widest);
    for (int i = 0; i < a.rows; i += every) {
        int col = a.firstRow + i;
        if (col >= static_cast<int>(c.columns.size())) break;
        p.Text(ColumnCentre(a, i), a.bottom + 3, c.columns[static_cast<size_t>(col)], ui::AlignCentre);
    }
}

void DrawCurves(ui::Painter& p, const Chart& c, const PlotArea& a, const DrawScale& scale) {
    for (const Curve& curve : c.curves) {
        if (!curve.shown) continue;
        p.SetPen(ToDraw(GraphColour(curve.colour)), scale.curveWidth);
        std::vector<ui::Point> points;
        auto flush = [&] {
            if (points.size() > 1) p.Polyline(points);
            if (points.size() == 1) p.Line(points[0].x - 2, points[0].y, points[0].x + 2, points[0].y);
            points.clear();
        };
        // Columns without a value (NaN) break the curve.
        for (int i = 0; i < a.rows; ++i) {
            float v = Value(curve, a.firstRow + i);
            if (std::isnan(v))
                flush();
            else
                points.push_back({ColumnCentre(a, i), HeightOf(a, v)});
        }
        flush();
    }
}

// Overlapping bars, largest first, as the folders' bar style draws them.
void DrawBars(ui::Painter& p, const Chart& c, const PlotArea& a) {
    int zero = HeightOf(a, 0);
    p.SetPen(Black, 1);
    std::vector<size_t> order;
    for (int i = 0; i < a.rows; ++i) {
        int col = a.firstRow + i;
        order.clear();
        for (size_t k = 0; k < c.curves.size(); ++k)
            if (c.curves[k].shown && !std::isnan(Value(c.curves[k], col))) order.push_back(k);
        std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
            return std::fabs(Value(c.curves[x], col)) > std::fabs(Value(c.curves[y], col));
        });
        int left = a.left + static_cast<int>(std::lround(i * a.yearWidth));
        int right = a.left + static_cast<int>(std::lround((i + 1) * a.yearWidth));
        for (size_t k : order) {
            int y = HeightOf(a, Value(c.curves[k], col));
            p.SetBrush(ToDraw(GraphColour(c.curves[k].colour)));
            p.Rectangle(left, std::min(y, zero), right, std::max(y, zero));
        }
    }
}

}  // namespace

void ShownColumns(const Chart& c, const ChartView& view, int& first, int& count) {
    int n = static_cast<int>(c.columns.size());
    first = 0;
    count = n;
    if (view.windowOn && view.from >= 0 && view.to < n && view.to > view.from) {
        first = view.from;
        count = view.to - view.from + 1;
    }
}

ChartArea DrawChart(ui::Painter& p, const ui::Rect& box, const Chart& c, const ChartView& view,
                    const DrawScale& scale) {
    ChartArea area;
    PlotArea& a = area.plot;
    ShownColumns(c, view, a.firstRow, a.rows);
    a.axis = AxisFor(c, view, a.firstRow, a.rows);

    DrawFramedBox(p, box, true);
    int line = p.LineHeight();
    int margin = line / 2 + 4;
    p.SetFont(0, true);
    p.SetTextColour(Black);
    p.Text((box.left + box.right) / 2, box.top + margin / 2, c.heading, ui::AlignCentre);
    p.SetFont(0, false);
    int y = box.top + margin / 2 + line;
    for (const std::string& note : c.notes) {
        p.Text((box.left + box.right) / 2, y, note, ui::AlignCentre);
        y += line;
    }

    int labelWidth = 0;
    for (int i = 0; i <= 10; ++i) labelWidth = std::max(labelWidth, p.TextWidth(ValueText(c, GridValue(a.axis, i))));
    a.top = y + line / 2;
    a.bottom = box.bottom - margin - line - 2;
    if (a.bottom < a.top + 10) a.bottom = a.top + 10;
    LegendShape legend = c.legend ? ShapeLegend(p, c, line, a.bottom - a.top) : LegendShape{};
    a.left = box.left + margin + labelWidth + 6;
    a.right = box.right - margin - LegendWidth(legend, line) - margin;
    if (a.right < a.left + 10) a.right = a.left + 10;
    a.yearWidth = a.rows > 0 ? static_cast<float>(a.right - a.left) / static_cast<float>(a.rows) : 1;

    DrawValueAxis(p, a, c.money ? AxisMoneyText : WholeText);
    DrawColumnLabels(p, c, a);
    p.Clip(a.left, a.top, a.right + 1, a.bottom + 1);
    if (c.style == StyleBars)
        DrawBars(p, c, a);
    else
        DrawCurves(p, c, a, scale);
    p.NoClip();
    p.SetPen(Black, 1);
    p.SetBrush(White, false);
    p.Rectangle(a.left, a.top, a.right, a.bottom);
    DrawLegend(p, c, legend, box.right - margin, a.top, line, area);
    return area;
}

int LegendEntryAt(const ChartArea& a, int x, int y) {
    for (size_t i = 0; i < a.legend.size(); ++i) {
        const ui::Rect& r = a.legend[i];
        if (r.right > r.left && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
    }
    return -1;
}

int ColumnAt(const ChartArea& a, int x) { return RowAtX(a.plot, x); }

std::string ChartReadOut(const Chart& c, const ChartArea& a, int x, int y) {
    const PlotArea& p = a.plot;
    if (!InsidePlot(p, x, y) || p.bottom <= p.top) return "";
    int col = ColumnAt(a, x);
    if (col < 0 || col >= static_cast<int>(c.columns.size())) return "";
    std::string word = c.columnWord;
    if (!word.empty()) word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    std::string text = word + " " + c.columns[static_cast<size_t>(col)] + ":";
    for (const Curve& curve : c.curves)
        if (curve.shown) text += "  " + curve.name + " " + ValueText(c, Value(curve, col));
    float pointer = static_cast<float>(p.bottom - y) / static_cast<float>(p.bottom - p.top) * p.axis.range + p.axis.lowest;
    return text + "   (pointer " + ValueText(c, pointer) + ")";
}

int DragWindow(ChartView& view, int a, int b) {
    if (a > b) std::swap(a, b);
    if (a < 0 || b - a + 1 < 2) {
        view.windowOn = 0;
        return 0;
    }
    view.windowOn = 1;
    view.from = a;
    view.to = b;
    return 1;
}

int TableHeight(ui::Painter& p, size_t rows) { return static_cast<int>(rows + 1) * p.LineHeight() + p.LineHeight() + 8; }

void DrawTable(ui::Painter& p, const ui::Rect& box, const std::vector<std::string>& headings,
               const std::vector<std::vector<std::string>>& rows) {
    DrawFramedBox(p, box, false);
    int line = p.LineHeight();
    size_t n = headings.size();
    if (n == 0) return;
    // Columns as wide as their widest text, the spare width shared out.
    std::vector<int> width(n, 0);
    for (size_t i = 0; i < n; ++i) width[i] = p.TextWidth(headings[i]);
    for (const auto& row : rows)
        for (size_t i = 0; i < n && i < row.size(); ++i) width[i] = std::max(width[i], p.TextWidth(row[i]));
    int total = 0;
    for (int w : width) total += w;
    int spare = std::max(0, (box.right - box.left - line - total) / static_cast<int>(n));
    std::vector<int> right(n);
    int x = box.left + line / 2;
    for (size_t i = 0; i < n; ++i) {
        x += width[i] + spare;
        right[i] = x;
    }
    auto put = [&](int y, const std::vector<std::string>& cells) {
        for (size_t i = 0; i < n && i < cells.size(); ++i) {
            if (i == 0)
                p.Text(box.left + line / 2, y, cells[i]);
            else
                p.Text(right[i], y, cells[i], ui::AlignRight);
        }
    };
    int y = box.top + line / 2;
    p.SetTextColour(Black);
    p.SetFont(0, true);
    put(y, headings);
    p.SetFont(0, false);
    y += line;
    p.SetPen(Black, 1);
    p.Line(box.left + line / 2, y, box.right - line / 2, y);
    for (const auto& row : rows) {
        put(y + 2, row);
        y += line;
    }
}

// ---- Charts of the files ---------------------------------------------------------------

int PlotChartCode(int folderCode) {
    switch (folderCode) {
        case GraphNetWorth:
        case GraphIncomingOutgoing:
        case GraphIncoming:
        case GraphOutgoing:
        case GraphAccounts:
        case GraphGroups: return folderCode;
        default: return GraphNetWorth;
    }
}

Chart PlotChart(const PlotFile& f, int code) {
    Chart c;
    code = PlotChartCode(code);
    c.heading = GraphHeading(code);
    for (const std::string& note : {f.fileLine, f.dateLine})
        if (!note.empty()) c.notes.push_back(note);
    for (const PlotYear& y : f.years) c.columns.push_back(AgeLabel(y.record[0]));
    auto add = [&](const std::string& name, int colour, auto value) {
        Curve curve;
        curve.name = name;
        curve.colour = colour;
        for (const PlotYear& y : f.years) curve.values.push_back(value(y));
        c.curves.push_back(std::move(curve));
    };
    if (code == GraphAccounts) {
        for (size_t k = 0; k < f.accounts.size(); ++k)
            add(f.accounts[k], static_cast<int>(k), [k](const PlotYear& y) { return k < y.balances.size() ? y.balances[k] : 0; });
    } else if (code == GraphGroups) {
        // Only the Groups that hold an Account, as the Groups folder shows them.
        for (int g = 0; g < static_cast<int>(f.groups.size()); ++g) {
            if (std::find(f.groupOf.begin(), f.groupOf.end(), g) == f.groupOf.end()) continue;
            add(f.groups[static_cast<size_t>(g)], static_cast<int>(c.curves.size()), [&f, g](const PlotYear& y) {
                float sum = 0;
                for (size_t k = 0; k < f.groupOf.size() && k < y.balances.size(); ++k)
                    if (f.groupOf[k] == g) sum += y.balances[k];
                return sum;
            });
        }
    } else {
        GraphSeries s = SeriesOf(code);
        for (int i = 0; i < s.count; ++i) {
            int cell = s.source[i];
            add(s.legend[i], s.colour[i], [cell](const PlotYear& y) { return cell >= 0 && cell < RecordValues ? y.record[cell] : 0; });
        }
    }
    return c;
}

int ParseTodaysDollars(const std::string& text, TodaysDollars& out, std::string& error) {
    out = TodaysDollars{};
    error = "--todays-dollars expects AGE:FACTOR,FACTOR,...";
    const char* p = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long age = std::strtol(p, &end, 10);
    if (end == p || *end != ':' || errno || age < 0 || age > 200) return 0;
    p = end + 1;
    while (true) {
        const double f = std::strtod(p, &end);
        if (end == p || errno || !std::isfinite(f) || !(f > 0)) return 0;
        if (out.factors.size() >= static_cast<size_t>(MaxPlotYears)) return 0;
        out.factors.push_back(f);
        if (*end == '\0') break;
        if (*end != ',') return 0;
        p = end + 1;
    }
    out.firstAge = static_cast<int>(age);
    error.clear();
    return 1;
}

void ToTodaysDollars(Chart& c, const PlotFile& f, const TodaysDollars& d) {
    c.heading += " (today's dollars)";
    for (size_t k = 0; k < f.years.size(); ++k) {
        const float age = f.years[k].record[0];
        if (!(age >= 0) || age > 1000) continue;
        const long index = static_cast<long>(age) - d.firstAge;
        if (index < 0 || index >= static_cast<long>(d.factors.size())) continue;
        const double factor = d.factors[static_cast<size_t>(index)];
        for (Curve& curve : c.curves)
            if (k < curve.values.size()) curve.values[k] = static_cast<float>(curve.values[k] / factor);
    }
}

namespace {

std::string Figure(float v) {
    char t[48];
    if (v == std::trunc(v) && std::fabs(v) < 1e9f)
        std::snprintf(t, sizeof t, "%.0f", static_cast<double>(v));
    else
        std::snprintf(t, sizeof t, "%.2f", static_cast<double>(v));
    return t;
}

}  // namespace

Chart CurveChart(const CurveFile& f, const std::string& heading, const std::string& columnWord) {
    Chart c;
    c.heading = heading;
    c.columnWord = columnWord;
    for (float x : f.x) c.columns.push_back(Figure(x));
    for (size_t k = 0; k < f.names.size(); ++k) {
        Curve curve;
        curve.name = f.names[k];
        curve.colour = static_cast<int>(k);
        curve.values = f.y[k];
        c.curves.push_back(std::move(curve));
    }
    return c;
}

Chart HistogramChart(const RateHistogram& h) {
    Chart c;
    c.heading = h.account;
    c.columnWord = "rates from";
    c.money = false;
    c.style = StyleBars;
    char t[64];
    for (int k = 0; k < StatisticsBins; ++k) {
        if (k == 0)
            std::snprintf(t, sizeof t, "<%.2f", static_cast<double>(h.edge[0]));
        else if (k == StatisticsBins - 1)
            std::snprintf(t, sizeof t, ">%.2f", static_cast<double>(h.edge[k]));
        else
            std::snprintf(t, sizeof t, "%.2f", static_cast<double>(h.edge[k]));
        c.columns.push_back(t);
    }
    Curve curve;
    curve.name = "Yearly rates";
    for (int k = 0; k < StatisticsBins; ++k) curve.values.push_back(static_cast<float>(h.count[k]));
    c.curves.push_back(std::move(curve));
    c.legend = false;
    for (const std::string& line : HistogramSummary(h)) c.notes.push_back(line);
    return c;
}

std::vector<std::string> HistogramSummary(const RateHistogram& h) {
    if (!h.hasSummary) return {};
    char first[128], second[128];
    std::snprintf(first, sizeof first, "%d yearly rates   Average %.2f   Standard deviation %.2f", h.total,
                  static_cast<double>(h.average), static_cast<double>(h.deviation));
    std::snprintf(second, sizeof second, "Minimum %.2f   Maximum %.2f", static_cast<double>(h.minimum),
                  static_cast<double>(h.maximum));
    return {first, second};
}

}  // namespace companions
