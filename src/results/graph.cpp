// Drawing the graph folders: framed boxes, heading, legend, axes, the three
// display styles and the composition pies.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/engine.h"
#include "engine/payment.h"
#include "results/draw_parts.h"
#include "ui/ui.h"

namespace {

constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour White{255, 255, 255};
constexpr ui::DrawColour Shadow{100, 100, 100};
constexpr ui::DrawColour Grid{210, 210, 210};
constexpr double Pi = 3.14159265358979323846;

ui::DrawColour Scaled(ui::DrawColour c, float f) {
    auto ch = [f](int v) {
        int x = static_cast<int>(v * f);
        return x > 255 ? 255 : x;
    };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

ui::DrawColour SeriesColour(const GraphSeries& s, int i) { return ToDraw(GraphColour(s.colour[i])); }

// The series in drawing order for one year: by absolute value, largest
// first; equal values keep their legend order.
void OrderByMagnitude(const GraphSeries& s, int row, int order[MaxSeries]) {
    for (int i = 0; i < s.count; ++i) order[i] = i;
    for (int pass = 0; pass + 1 < s.count; ++pass)
        for (int i = 0; i + 1 < s.count; ++i)
            if (std::fabs(SeriesValue(s, order[i], row)) < std::fabs(SeriesValue(s, order[i + 1], row)))
                std::swap(order[i], order[i + 1]);
}


int ColumnLeft(const PlotArea& a, int i) { return a.left + static_cast<int>(std::lround(i * a.yearWidth)); }


// Spacing follows the text height, so that a printer page keeps the
// proportions of the screen.
void DrawLegend(ui::Painter& p, const GraphSeries& s, int right, int top, int lineHeight) {
    if (s.count == 0) return;
    int width = 0;
    for (int i = 0; i < s.count; ++i) width = std::max(width, p.TextWidth(s.legend[i]));
    int swatch = lineHeight * 2 / 3, pad = lineHeight / 3;
    int left = right - (width + swatch + 4 * pad);
    int bottom = top + s.count * lineHeight + 2 * pad;
    p.SetPen(Black, 1);
    p.SetBrush(White);
    p.Rectangle(left, top, right, bottom);
    for (int i = 0; i < s.count; ++i) {
        int y = top + pad + i * lineHeight;
        p.SetBrush(SeriesColour(s, i));
        p.Rectangle(left + pad, y + (lineHeight - swatch) / 2, left + pad + swatch, y + (lineHeight + swatch) / 2);
        p.SetTextColour(Black);
        p.Text(left + swatch + 2 * pad, y, s.legend[i]);
    }
}

int LegendWidth(ui::Painter& p, const GraphSeries& s, int lineHeight) {
    int width = 0;
    for (int i = 0; i < s.count; ++i) width = std::max(width, p.TextWidth(s.legend[i]));
    return s.count ? width + lineHeight * 2 / 3 + 4 * (lineHeight / 3) : 0;
}

void DrawLines(ui::Painter& p, const PlotArea& a, const GraphSeries& s, const DrawScale& scale) {
    for (int k = 0; k < s.count; ++k) {
        p.SetPen(SeriesColour(s, k), scale.curveWidth);
        std::vector<ui::Point> points;
        for (int i = 0; i < a.rows; ++i) {
            int row = a.firstRow + i;
            // An empty Account draws no line while it stays empty.
            if (s.kind == 1 && i > 0 && SeriesValue(s, k, row) == 0 && SeriesValue(s, k, row - 1) == 0) {
                if (points.size() > 1) p.Polyline(points);
                points.clear();
            }
            points.push_back({ColumnCentre(a, i), HeightOf(a, SeriesValue(s, k, row))});
        }
        if (points.size() > 1) p.Polyline(points);
    }
}

void DrawBars(ui::Painter& p, const PlotArea& a, const GraphSeries& s) {
    int zero = HeightOf(a, 0);
    p.SetPen(Black, 1);
    for (int i = 0; i < a.rows; ++i) {
        int row = a.firstRow + i;
        int order[MaxSeries];
        OrderByMagnitude(s, row, order);
        int left = ColumnLeft(a, i), right = ColumnLeft(a, i + 1);
        for (int j = 0; j < s.count; ++j) {
            int y = HeightOf(a, SeriesValue(s, order[j], row));
            p.SetBrush(SeriesColour(s, order[j]));
            p.Rectangle(left, std::min(y, zero), right, std::max(y, zero));
        }
    }
}

// Bars in depth: the largest value at the back, each smaller one set one
// step further forward and to the left, with a lit top face and a shaded side.
void DrawDepthBars(ui::Painter& p, const PlotArea& a, const GraphSeries& s) {
    int zero = HeightOf(a, 0);
    int n = s.count > 0 ? s.count : 1;
    float depth = a.yearWidth * 0.5f / n;
    int front = std::max(2, static_cast<int>(a.yearWidth * 0.5f));
    p.SetPen(Black, 1);
    for (int i = 0; i < a.rows; ++i) {
        int row = a.firstRow + i;
        int order[MaxSeries];
        OrderByMagnitude(s, row, order);
        for (int j = 0; j < s.count; ++j) {
            int slot = n - 1 - j;
            int d = static_cast<int>(std::lround(depth * slot));
            int dd = std::max(1, static_cast<int>(std::lround(depth)));
            int left = ColumnLeft(a, i) + d;
            int right = left + front;
            int y = HeightOf(a, SeriesValue(s, order[j], row)) - d;
            int base = zero - d;
            int top = std::min(y, base), bottom = std::max(y, base);
            ui::DrawColour c = SeriesColour(s, order[j]);
            p.SetBrush(Scaled(c, 0.6f));
            p.Polygon({{right, top}, {right + dd, top - dd}, {right + dd, bottom - dd}, {right, bottom}});
            p.SetBrush(Scaled(c, 1.25f));
            p.Polygon({{left, top}, {left + dd, top - dd}, {right + dd, top - dd}, {right, top}});
            p.SetBrush(c);
            p.Rectangle(left, top, right, bottom);
        }
    }
}

}  // namespace

int HeightOf(const PlotArea& a, float v) {
    float h = static_cast<float>(a.bottom - a.top);
    return a.bottom - static_cast<int>(std::lround((v - a.axis.lowest) / a.axis.range * h));
}

int ColumnCentre(const PlotArea& a, int i) {
    return a.left + static_cast<int>(std::lround((i + 0.5f) * a.yearWidth));
}

float GridValue(const ValueAxis& axis, int i) {
    float value = axis.lowest + i * axis.step;
    // Rounding can leave a grid value a hair off 0; it is the 0 line.
    return std::fabs(value) < 0.001f * axis.step ? 0 : value;
}

int ValueLabelWidth(ui::Painter& p, const ValueAxis& axis) {
    int width = 0;
    for (int i = 0; i <= 10; ++i) width = std::max(width, p.TextWidth(AxisMoneyText(GridValue(axis, i))));
    return width;
}

void DrawValueAxis(ui::Painter& p, const PlotArea& a, std::string (*label)(float)) {
    int every = ValueLabelEvery(a.bottom - a.top, p.LineHeight());
    p.SetTextColour(Black);
    for (int i = 0; i <= 10; ++i) {
        float value = GridValue(a.axis, i);
        int y = HeightOf(a, value);
        p.SetPen(value == 0 && a.axis.lowest < 0 ? Black : Grid, 1);
        p.Line(a.left, y, a.right, y);
        if (i % every == 0) p.Text(a.left - 5, y - p.LineHeight() / 2, label(value), ui::AlignRight);
    }
}

void DrawAgeAxis(ui::Painter& p, const PlotArea& a) {
    int every = AgeLabelEvery(a.rows, a.right - a.left, p.TextWidth("0"));
    p.SetTextColour(Black);
    for (int i = 0; i < a.rows; i += every) {
        int row = a.firstRow + i;
        if (row >= MaxResultRows) break;
        p.Text(ColumnCentre(a, i), a.bottom + 3, AgeLabel(results.yearSummary[row][0]), ui::AlignCentre);
    }
}

void DrawCurve(ui::Painter& p, const PlotArea& a, const float* values, int rows, ui::DrawColour c, int width) {
    std::vector<ui::Point> points;
    for (int i = 0; i < a.rows && a.firstRow + i < rows; ++i)
        points.push_back({ColumnCentre(a, i), HeightOf(a, values[a.firstRow + i])});
    p.SetPen(c, width);
    if (points.size() > 1) p.Polyline(points);
}

void DrawFramedBox(ui::Painter& p, const ui::Rect& r, bool shadow) {
    if (shadow) {
        p.SetPen(Shadow, 0);
        p.SetBrush(Shadow);
        p.Rectangle(r.left + 4, r.bottom, r.right + 4, r.bottom + 4);
        p.Rectangle(r.right, r.top + 4, r.right + 4, r.bottom + 4);
    }
    p.SetPen(White, 1);
    p.Line(r.left - 1, r.bottom, r.left - 1, r.top - 1);
    p.Line(r.left - 1, r.top - 1, r.right, r.top - 1);
    p.SetPen(Black, 1);
    p.SetBrush(White);
    p.Rectangle(r.left, r.top, r.right, r.bottom);
    p.SetPen(White, 1);
    p.Line(r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
    p.Line(r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
    p.SetPen(Shadow, 1);
    p.Line(r.left + 1, r.bottom - 2, r.left + 1, r.top + 1);
    p.Line(r.left + 1, r.top + 1, r.right - 2, r.top + 1);
}

PlotArea DrawGraph(ui::Painter& p, const ui::Rect& box, int code, int block, const GraphView& v,
                   const DrawScale& scale, bool compact) {
    GraphSeries s = SeriesOf(code, block);
    PlotArea a;
    ShownRows(v, a.firstRow, a.rows);
    a.axis = AxisOf(s, v);

    DrawFramedBox(p, box, !compact);
    int line = p.LineHeight();
    int margin = line / 2 + 4;
    p.SetFont(0, true);
    p.SetTextColour(Black);
    p.Text((box.left + box.right) / 2, box.top + margin / 2, GraphTitle(code), ui::AlignCentre);
    // A quarter of the Summary folder labels its graph in a smaller face, so
    // that the plot keeps most of the width.
    p.SetFont(compact ? line * 3 / 4 : 0, false);
    int smallLine = p.LineHeight();

    int labelWidth = ValueLabelWidth(p, a.axis);
    int legendWidth = LegendWidth(p, s, smallLine);
    a.left = box.left + margin + labelWidth + 6;
    a.right = box.right - margin - legendWidth - margin;
    a.top = box.top + margin + line + line / 2;
    a.bottom = box.bottom - margin - smallLine - 2;
    if (a.right < a.left + 10) a.right = a.left + 10;
    if (a.bottom < a.top + 10) a.bottom = a.top + 10;
    a.yearWidth = a.rows > 0 ? static_cast<float>(a.right - a.left) / a.rows : 1;

    DrawValueAxis(p, a);
    DrawAgeAxis(p, a);
    p.Clip(a.left, a.top, a.right + 1, a.bottom + 1);
    int style = a.rows < 3 ? StyleLines : v.style;
    if (style == StyleBars)
        DrawBars(p, a, s);
    else if (style == StyleDepth)
        DrawDepthBars(p, a, s);
    else
        DrawLines(p, a, s, scale);
    p.NoClip();
    p.SetPen(Black, 1);
    p.SetBrush(White, false);
    p.Rectangle(a.left, a.top, a.right, a.bottom);
    DrawLegend(p, s, box.right - margin, a.top, smallLine);
    p.SetFont(0, false);
    return a;
}

// ---- Pies ------------------------------------------------------------------------

std::vector<PieSlice> PieSlices(int code, int row, float& total, int block) {
    GraphSeries s = SeriesOf(code, block);
    std::vector<PieSlice> slices;
    total = 0;
    if (row < 0 || row >= MaxResultRows) return slices;
    // The first series of the fixed graphs is their total, except on
    // Incoming/Outgoing, whose two series are the parts.
    int first = code == GraphNetWorth || code == GraphIncoming || code == GraphOutgoing ? 1 : 0;
    for (int i = first; i < s.count; ++i) {
        float v = SeriesValue(s, i, row);
        if (v > 0) {
            total += v;
            slices.push_back({i, v, 0});
        }
    }
    for (PieSlice& slice : slices) slice.share = slice.value / total;
    return slices;
}

int PieSliceAt(const std::vector<PieSlice>& slices, int cx, int cy, int radius, int x, int y) {
    double dx = x - cx, dy = y - cy;
    double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > radius || slices.empty()) return -1;
    double angle = distance == 0 ? 0 : std::acos(dx / distance);
    if (dy > 0) angle = 2 * Pi - angle;  // below the centre line
    double share = angle / (2 * Pi), sum = 0;
    for (size_t i = 0; i < slices.size(); ++i) {
        sum += slices[i].share;
        if (share <= sum) return static_cast<int>(i);
    }
    return static_cast<int>(slices.size()) - 1;
}

std::string PieTotalText(float total) { return "Total = " + Dollars("%.2f", total); }

std::string PieShareText(float share) {
    char t[32];
    std::snprintf(t, sizeof t, "% 6.2f", share * 100.0);
    return std::string(t) + "%";
}

PieArea DrawPies(ui::Painter& p, const ui::Rect& box, int code, int block, int row, const DrawScale& scale) {
    (void)scale;
    GraphSeries s = SeriesOf(code, block);
    float total = 0;
    std::vector<PieSlice> slices = PieSlices(code, row, total, block);
    DrawFramedBox(p, box, true);
    int line = p.LineHeight();
    p.SetTextColour(Black);
    p.SetFont(0, true);
    p.Text((box.left + box.right) / 2, box.top + 6, GraphTitle(code), ui::AlignCentre);
    p.SetFont(0, false);
    char age[24];
    std::snprintf(age, sizeof age, "Age %d", row >= 0 && row < MaxResultRows ? WholeInt(results.yearSummary[row][0]) : 0);
    p.Text((box.left + box.right) / 2, box.top + 6 + line, age, ui::AlignCentre);

    int shareWidth = p.TextWidth("%100.00%");
    int nameWidth = 0;
    for (const PieSlice& slice : slices) nameWidth = std::max(nameWidth, p.TextWidth(s.legend[slice.series]));
    int labelsWidth = line + shareWidth + nameWidth + 20;
    int top = box.top + 12 + 2 * line, bottom = box.bottom - 12 - line;
    int width = box.right - box.left - labelsWidth - 30;
    int diameter = std::max(10, std::min(width, bottom - top) * 9 / 10);
    int left = box.left + 15 + std::max(0, (width - diameter) / 2);
    int ptop = top + (bottom - top - diameter) / 2;
    float start = 0;
    p.SetPen(Black, 1);
    for (const PieSlice& slice : slices) {
        p.SetBrush(SeriesColour(s, slice.series));
        p.Pie(left, ptop, left + diameter, ptop + diameter, start, slice.share * 360.0f);
        start += slice.share * 360.0f;
    }
    int x = left + diameter + 20;
    int y = top + (bottom - top - static_cast<int>(slices.size()) * line) / 2;
    for (const PieSlice& slice : slices) {
        int swatch = line * 2 / 3;
        p.SetBrush(SeriesColour(s, slice.series));
        p.Rectangle(x, y + (line - swatch) / 2, x + swatch, y + (line + swatch) / 2);
        p.Text(x + line + shareWidth, y, PieShareText(slice.share), ui::AlignRight);
        p.Text(x + line + shareWidth + 10, y, s.legend[slice.series]);
        y += line;
    }
    p.Text((box.left + box.right) / 2, box.bottom - 6 - line, PieTotalText(total), ui::AlignCentre);
    PieArea area;
    area.cx = left + diameter / 2;
    area.cy = ptop + diameter / 2;
    area.radius = diameter / 2;
    area.slices = slices;
    area.code = code;
    area.block = block;
    return area;
}

std::string PieSliceText(const PieArea& a, int slice) {
    if (slice < 0 || slice >= static_cast<int>(a.slices.size())) return "";
    const PieSlice& s = a.slices[slice];
    GraphSeries series = SeriesOf(a.code, a.block);
    std::string name = s.series >= 0 && s.series < series.count ? series.legend[s.series] : "";
    return name + ": " + AxisMoneyText(s.value) + " (" + PieShareText(s.share) + ")";
}
