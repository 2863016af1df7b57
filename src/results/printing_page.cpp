// One printed page: the header block over the page file's lines, cells at
// column positions measured on the page, rules, bands and boxes as the
// report settings ask.
#include <algorithm>
#include <cctype>

#include "model/model.h"
#include "results/printing.h"
#include "shell/results_panel.h"

namespace {

// The system scroll-bar colour the banding colours are made from.
constexpr Colour ScrollBarColour{200, 200, 200};

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    // A line ending in a tab has no cell after it.
    if (cells.size() > 1 && cells.back().empty()) cells.pop_back();
    return cells;
}

std::string Stripped(const std::string& text) {
    size_t a = text.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    size_t b = text.find_last_not_of(' ');
    return text.substr(a, b - a + 1);
}

bool IsMarker(const std::string& line) { return !line.empty() && line[0] == '?'; }

// A dash line draws a rule: "-----" in the Results Report (behind its
// indent), "---------" elsewhere.
bool IsRule(const std::string& line, int kind) {
    if (kind == PrintResultsReport) return Stripped(line).rfind("-----", 0) == 0;
    return line.rfind("---------", 0) == 0;
}

// Where the cells of a page go: column c starts at left[c] and is width[c]
// wide; the first column is left-aligned, the others right-aligned.
struct Columns {
    std::vector<int> left, width;
    int gap = 0;
    int Right() const { return left.empty() ? 0 : left.back() + width.back(); }
};

Columns Measure(ui::Painter& p, const std::vector<std::string>& body, int kind, int x, int& widest) {
    Columns c;
    widest = 0;
    c.gap = p.TextWidth("    ");
    for (const std::string& line : body) {
        if (IsMarker(line) || IsRule(line, kind)) continue;
        std::vector<std::string> cells = Cells(line);
        if (cells.size() < 2) {
            widest = std::max(widest, p.TextWidth(line));
            continue;
        }
        if (c.width.size() < cells.size()) c.width.resize(cells.size(), 0);
        for (size_t i = 0; i < cells.size(); ++i)
            c.width[i] = std::max(c.width[i], p.TextWidth(i == 0 ? cells[i] : Stripped(cells[i])));
    }
    int at = x;
    for (int w : c.width) {
        c.left.push_back(at);
        at += w + c.gap;
    }
    widest = std::max(widest, c.Right() - x);
    return c;
}

int BodyLineCount(const std::vector<std::string>* body) {
    if (!body) return 0;
    int n = 0;
    for (const std::string& line : *body) n += IsMarker(line) ? 0 : 1;
    return n;
}

void DrawRow(ui::Painter& p, const Columns& c, const std::vector<std::string>& cells, int y) {
    for (size_t i = 0; i < cells.size() && i < c.left.size(); ++i) {
        if (i == 0)
            p.Text(c.left[0], y, cells[0]);
        else
            p.Text(c.left[i] + c.width[i], y, Stripped(cells[i]), ui::AlignRight);
    }
}

void FrameRow(ui::Painter& p, const Columns& c, int left, int right, int top, int bottom, const ReportLook& look) {
    p.SetPen({0, 0, 0}, 1);
    if (look.columns)
        for (size_t i = 1; i < c.left.size(); ++i) {
            int x = c.left[i] - c.gap / 2;
            p.Line(x, top, x, bottom);
        }
    if (look.boxing) {
        p.SetBrush({255, 255, 255}, false);
        p.Rectangle(left, top, right, bottom);
    }
}

}  // namespace

ReportLook CurrentReportLook() {
    ReportLook look;
    look.centred = PrintHeaderCentred();
    look.banding = state.reportBanding != 0;
    look.boxing = state.reportBoxing != 0;
    look.columns = state.reportColumns != 0;
    Colour band = ResultsBandingColour(ScrollBarColour);
    look.band = {band.r, band.g, band.b};
    return look;
}

void DrawPrintedPage(ui::Painter& p, const PageLayout& layout, const std::vector<std::string>& header,
                     const std::vector<std::string>* body, int kind, const ReportLook& look) {
    const ui::Rect& a = layout.area;
    int areaWidth = a.right - a.left, areaHeight = a.bottom - a.top;
    int textHeight = layout.fontHeight, titleHeight = layout.titleHeight;
    // The report font as it is, unless the page's lines would not fit: then
    // smaller, in proportion, until they do (a few tries; the surface may
    // not offer every size).
    int lineHeight = 0, titleLine = 0, pad = 0;
    Columns columns;
    for (int attempt = 0; attempt < 6; ++attempt) {
        p.SetFont(titleHeight, true);
        titleLine = p.LineHeight();
        p.SetFont(textHeight, false);
        lineHeight = p.LineHeight();
        // The body keeps a little room inside its rules and boxes.
        pad = p.TextWidth("  ");
        int widest = 0;
        columns = body ? Measure(p, *body, kind, a.left + pad, widest) : Columns{};
        widest += 2 * pad;
        for (size_t i = 1; i < header.size(); ++i) widest = std::max(widest, p.TextWidth(header[i]));
        int tall = titleLine + (static_cast<int>(header.size())) * lineHeight + BodyLineCount(body) * lineHeight;
        if ((widest <= areaWidth && tall <= areaHeight) || textHeight <= 0) break;
        double factor = std::min(widest > 0 ? static_cast<double>(areaWidth) / widest : 1.0,
                                 tall > 0 ? static_cast<double>(areaHeight) / tall : 1.0);
        factor = std::min(factor, 1.0);
        int smaller = static_cast<int>(textHeight * factor);
        if (smaller >= textHeight) smaller = textHeight - 1;
        if (smaller < 1) break;
        titleHeight = titleHeight > 0 ? std::max(1, titleHeight * smaller / textHeight) : 0;
        textHeight = smaller;
    }

    int centre = (a.left + a.right) / 2;
    ui::TextAlign align = look.centred ? ui::AlignCentre : ui::AlignLeft;
    int x = look.centred ? centre : a.left;
    int y = a.top;
    p.SetTextColour({0, 0, 0});
    for (size_t i = 0; i < header.size(); ++i) {
        if (i == 0) p.SetFont(titleHeight, true);
        p.Text(x, y, header[i], align);
        y += i == 0 ? titleLine : lineHeight;
        if (i == 0) p.SetFont(textHeight, false);
    }
    if (!body) return;
    y += lineHeight;

    int right = std::max(columns.Right(), a.left) + pad;
    // The Results Report's heading between "?BO" and "?Bo": where it starts
    // and where its first and last rules stand.
    int headingTop = -1, firstRule = -1, lastRule = -1, dataRows = 0;
    for (size_t n = 0; n < body->size(); ++n) {
        const std::string& line = (*body)[n];
        if (IsMarker(line)) {
            if (line.rfind("?BO", 0) == 0) {
                headingTop = y;
                firstRule = lastRule = -1;
            }
            if (line.rfind("?Bo", 0) == 0 && headingTop >= 0) {
                if (look.boxing) {
                    p.SetPen({0, 0, 0}, 1);
                    p.SetBrush({255, 255, 255}, false);
                    if (firstRule >= 0 && lastRule > firstRule)
                        p.Rectangle(a.left, firstRule, right, lastRule);
                    else
                        p.Rectangle(a.left, headingTop, right, y);
                }
                headingTop = -1;
            }
            continue;
        }
        if (IsRule(line, kind)) {
            int at = y + lineHeight / 2;
            p.SetPen({0, 0, 0}, 1);
            p.Line(a.left, at, right, at);
            if (headingTop >= 0) {
                if (firstRule < 0) firstRule = at;
                lastRule = at;
            }
            y += lineHeight;
            continue;
        }
        std::vector<std::string> cells = Cells(line);
        // Data rows: lines of cells outside the column headings; a report
        // page's heading is its first line, and the Results Report's rows
        // are the year rows, which start with the age.
        bool heading = kind == PrintResultsReport
                           ? headingTop >= 0 || !std::isdigit(static_cast<unsigned char>(Stripped(cells[0])[0]))
                           : n == 0;
        if (cells.size() >= 2 && !heading) {
            if (look.banding && dataRows % 2 == 1) {
                p.SetPen(look.band, 0);
                p.SetBrush(look.band);
                p.Rectangle(a.left, y, right, y + lineHeight);
            }
            FrameRow(p, columns, a.left, right, y, y + lineHeight, look);
            ++dataRows;
        }
        if (cells.size() >= 2)
            DrawRow(p, columns, cells, y);
        else
            p.Text(a.left + pad, y, line);
        y += lineHeight;
    }
}
