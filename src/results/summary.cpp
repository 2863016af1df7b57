// The "Summary" folder: three graph quarters and the panel of one age's figures.
#include <algorithm>
#include <cstdio>

#include "engine/engine.h"
#include "results/results.h"

SummaryState summaryPanel;

namespace {

int AgeSlot(int row) {
    if (row < 0 || row >= MaxResultRows) return 0;
    int age = WholeInt(results.yearSummary[row][0]);
    return age < 0 ? 0 : (age >= AgeSlots ? AgeSlots - 1 : age);
}

PanelLine Value(const char* label, float value, int colour = -1) {
    PanelLine l;
    l.label = label;
    l.value = value;
    l.hasValue = 1;
    l.labelColour = colour;
    return l;
}

PanelLine Heading(const char* label) {
    PanelLine l;
    l.label = label + TodaysDollarsNote();
    l.heading = 1;
    return l;
}

struct CellRow {
    const char* label;
    int cell;
};

void AddCells(std::vector<PanelLine>& lines, int row, const CellRow* cells, int count, const char* totalLabel) {
    float total = 0;
    for (int i = 0; i < count; ++i) {
        float v = row >= 0 && row < MaxResultRows ? InTodaysDollars(results.yearSummary[row][cells[i].cell], row) : 0;
        total += v;
        lines.push_back(Value(cells[i].label, v));
    }
    lines.push_back(Value(totalLabel, total));
}

constexpr ui::DrawColour Black{0, 0, 0};
constexpr ui::DrawColour Red{255, 0, 0};

}  // namespace

int SummaryQuarterCode(int quarter) {
    static const int codes[3] = {GraphNetWorth, GraphIncoming, GraphOutgoing};
    return quarter >= 0 && quarter < 3 ? codes[quarter] : 0;
}

std::vector<PanelLine> SummaryPanelLines(int row, int view) {
    std::vector<PanelLine> lines;
    int age = AgeSlot(row);
    PanelLine top;
    top.label = "Age";
    top.value = static_cast<float>(age);
    top.hasValue = 2;  // a whole age, not money
    lines.push_back(top);
    if (view == 2) {
        lines.push_back(Heading("Incoming"));
        static const CellRow cells[] = {{"Deposits", 8}, {"Taxable Income", 9}, {"Non-Taxable Income", 10},
                                        {"Loans", 16},   {"Income From Assets", 18}, {"Income From Equity", 17}};
        AddCells(lines, row, cells, 6, "Total Incoming");
    } else if (view == 3) {
        lines.push_back(Heading("Outgoing"));
        static const CellRow cells[] = {
            {"Withdrawals", 12}, {"Interest Paid", 14}, {"Other", 19}, {"Taxes", 13}, {"Penalties", 15}};
        AddCells(lines, row, cells, 5, "Total Outgoing");
    } else {
        lines.push_back(Heading("Net Worth"));
        lines.push_back(Value("Investment Savings", InTodaysDollars(results.investmentByAge[age], row), 1));
        lines.push_back(Value("Tax Free Savings", InTodaysDollars(results.taxFreeByAge[age], row), 2));
        lines.push_back(Value("Retirement Savings", InTodaysDollars(results.retirementByAge[age], row), 3));
        lines.push_back(Value("Assets", InTodaysDollars(results.assetByAge[age] - results.liabilitiesByAge[age], row), 4));
        lines.push_back(Value("Equity", InTodaysDollars(results.equityByAge[age], row), 5));
    }
    float netWorth = results.investmentByAge[age] + results.taxFreeByAge[age] + results.retirementByAge[age] +
                     results.assetByAge[age] + results.equityByAge[age] - results.liabilitiesByAge[age];
    lines.push_back(Value("Net Worth", InTodaysDollars(netWorth, row)));
    return lines;
}

void RefreshSummaryPanel() { summaryPanel = SummaryState{}; }

void DrawSummaryPanel(ui::Painter& p, const ui::Rect& box, int row, int view, bool darker) {
    DrawFramedBox(p, box, true);
    std::vector<PanelLine> lines = SummaryPanelLines(row, view);
    int line = p.LineHeight() + 4;
    int labelWidth = 0, valueWidth = 0;
    for (const PanelLine& l : lines) {
        labelWidth = std::max(labelWidth, p.TextWidth(l.label));
        if (l.hasValue == 1) valueWidth = std::max(valueWidth, p.TextWidth(WholeDollarText(l.value)));
    }
    int gap = 2 * p.TextWidth("0");
    int width = labelWidth + gap + valueWidth;
    int left = std::max(box.left + 8, (box.left + box.right - width) / 2);
    int right = left + width;
    // The lines are spread over the panel's height when they have room.
    int height = static_cast<int>(lines.size() + 1) * line;
    int top = box.top + std::max(8, (box.bottom - box.top - height) / 2);
    int y = top;
    for (size_t i = 0; i < lines.size(); ++i) {
        const PanelLine& l = lines[i];
        bool last = i + 1 == lines.size();
        if (l.heading || last) y += line / 2;
        ui::DrawColour labelColour = l.labelColour >= 0 ? ToDraw(GraphColour(l.labelColour)) : Black;
        p.SetFont(0, l.heading != 0);
        p.SetTextColour(labelColour);
        p.Text(l.heading ? (left + right) / 2 : left, y, l.label, l.heading ? ui::AlignCentre : ui::AlignLeft);
        // Darker labels: the label once more, one unit lower.
        if (darker) p.Text(l.heading ? (left + right) / 2 : left, y + 1, l.label, l.heading ? ui::AlignCentre : ui::AlignLeft);
        p.SetFont(0, false);
        if (l.hasValue) {
            std::string text = l.hasValue == 2 ? std::to_string(static_cast<int>(l.value)) : WholeDollarText(l.value);
            p.SetTextColour(l.value < 0 ? Red : Black);
            p.Text(right, y, text, ui::AlignRight);
        }
        y += line;
    }
}

void DrawSummaryFolder(ui::Painter& p, const ui::Rect& box, const GraphView views[3], PlotArea plots[3],
                       PieArea pies[3], const DrawScale& scale) {
    int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
    const ui::Rect quarters[4] = {{box.left, box.top, midX - 4, midY - 4},
                                  {midX + 4, box.top, box.right, midY - 4},
                                  {box.left, midY + 4, midX - 4, box.bottom},
                                  {midX + 4, midY + 4, box.right, box.bottom}};
    for (int q = 0; q < 3; ++q) {
        if (views[q].showPies) {
            pies[q] = DrawPies(p, quarters[q], SummaryQuarterCode(q), 0, views[q].selectedRow, scale);
            plots[q] = PlotArea();
        } else {
            plots[q] = DrawGraph(p, quarters[q], SummaryQuarterCode(q), 0, views[q], scale, true);
            pies[q] = PieArea();
        }
    }
    DrawSummaryPanel(p, quarters[3], summaryPanel.row, summaryPanel.view, shell.darker != 0);
}
