// The companion files' readers against what the program writes, and against
// damaged bytes; the charts and the comparison built on them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "calculators/calculators.h"
#include "companions/compare.h"
#include "shell/shell.h"
#include "engine/engine.h"
#include "model/model.h"
#include "montecarlo/montecarlo.h"
#include "recording_painter.h"

namespace {

namespace fs = std::filesystem;
using namespace companions;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines, size_t count) {
    std::string s;
    for (size_t i = 0; i < count && i < lines.size(); ++i) s += lines[i] + "\n";
    return s;
}

// The three kinds of file, as the program writes them for the example
// scenario, made once in a private folder.
class CompanionFiles : public ::testing::Test {
protected:
    static fs::path dir;
    static std::string plot, trade, stats;
    static std::vector<std::vector<float>> table;  // the run's year summary rows

    static void SetUpTestSuite() {
        fs::path home = fs::current_path();
        dir = fs::temp_directory_path() / ("tillory-companions-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        fs::copy_file(EXAMPLE_SCENARIO, "plan.ret");
        ui::ConsoleUi quiet;
        ui::Ui* previous = ui::Install(&quiet);
        ASSERT_EQ(OpenScenario("plan.ret"), 1);
        SortEvents();
        runSwitches = RunSwitches{};
        ASSERT_EQ(RunProjection(OutputResultsList), 1);
        plot = Bytes("plotinf01.tmp");
        for (int r = 0; r < results.rowCount; ++r)
            table.emplace_back(results.yearSummary[r], results.yearSummary[r] + SummaryCells);
        MonteCarloOptions mc;
        mc.fixedStart = 1;
        mc.startValue = 7;
        scenario.settings.mcTrials = 20;
        state.mcTrials = 20;
        RunMonteCarlo(mc);
        stats = Bytes("stats.dat");
        TradeOff t;
        std::strcpy(t.names[0], "Lease");
        std::strcpy(t.names[2], "Buy");
        t.fixedCost[2] = 30000;
        t.costPerPeriod[0] = 4000;
        t.incomePerPeriod[2] = 500;
        t.periods = 10;
        EXPECT_EQ(WriteTradeOffGraph("trade.tmp", t, 0), 1);
        trade = Bytes("trade.tmp");
        ui::Install(previous);
        fs::current_path(home);
    }
    static void TearDownTestSuite() { fs::remove_all(dir); }
};
fs::path CompanionFiles::dir;
std::string CompanionFiles::plot, CompanionFiles::trade, CompanionFiles::stats;
std::vector<std::vector<float>> CompanionFiles::table;

// The parsers under one signature, for the damage tests.
using Parser = int (*)(const std::string&, std::string&);
int Plot(const std::string& b, std::string& e) {
    PlotFile f;
    int ok = ParsePlotFile(b, "p", f, e);
    // Whatever it accepts is consistent with itself.
    if (ok) {
        EXPECT_LE(f.years.size(), static_cast<size_t>(f.yearCount));
        EXPECT_LT(f.yearCount, MaxPlotYears);
        for (const PlotYear& y : f.years) {
            EXPECT_EQ(y.balances.size(), f.accounts.size());
            for (float v : y.record) EXPECT_TRUE(std::isfinite(v));
        }
        EXPECT_EQ(f.groupOf.size(), f.accounts.size());
    }
    return ok;
}
int Curves(const std::string& b, std::string& e) {
    CurveFile f;
    int ok = ParseCurveFile(b, "c", f, e);
    if (ok) {
        EXPECT_EQ(f.y.size(), f.names.size());
        for (const auto& y : f.y) EXPECT_EQ(y.size(), f.x.size());
        EXPECT_LE(f.x.size(), static_cast<size_t>(MaxCurvePoints));
    }
    return ok;
}
int Stats(const std::string& b, std::string& e) {
    StatisticsFile f;
    int ok = ParseStatisticsFile(b, "s", f, e);
    for (const RateHistogram& h : f.accounts)
        for (int c : h.count) EXPECT_GE(c, 0);
    return ok;
}

TEST_F(CompanionFiles, EachReaderGivesBackWhatTheProgramWrote) {
    PlotFile p;
    std::string error;
    ASSERT_EQ(ParsePlotFile(plot, "plotinf01.tmp", p, error), 1) << error;
    EXPECT_EQ(p.folderCode, 1);
    EXPECT_EQ(p.accounts, (std::vector<std::string>{"Joint Savings", "401(k) Plans"}));
    ASSERT_EQ(p.years.size(), static_cast<size_t>(p.yearCount));
    // The plot's figures are the run's result tables, to the cent.
    ASSERT_EQ(p.years.size(), table.size());
    char written[64], read[64];
    for (size_t r = 0; r < p.years.size(); ++r)
        for (int c = 0; c < RecordValues; ++c) {
            std::snprintf(written, sizeof written, "%.2f", static_cast<double>(table[r][static_cast<size_t>(c)]));
            std::snprintf(read, sizeof read, "%.2f", static_cast<double>(p.years[r].record[c]));
            EXPECT_STREQ(read, written) << r << " " << c;
        }
    EXPECT_EQ(p.years[0].balances.size(), 2u);
    EXPECT_EQ(p.groups.size(), static_cast<size_t>(PlotGroups));

    CurveFile t;
    ASSERT_EQ(ParseCurveFile(trade, "trade.tmp", t, error), 1) << error;
    EXPECT_EQ(t.names, (std::vector<std::string>{"Lease", "Buy"}));
    EXPECT_EQ(t.extent, 12.0f);
    ASSERT_EQ(t.x.size(), 12u);  // periods 0 .. 11
    EXPECT_EQ(t.y[0][0], 0.0f);
    EXPECT_EQ(t.y[0][1], -4000.0f);
    EXPECT_EQ(t.y[1][0], -30000.0f);
    EXPECT_EQ(t.y[1][11], -24500.0f);

    StatisticsFile s;
    ASSERT_EQ(ParseStatisticsFile(stats, "stats.dat", s, error), 1) << error;
    EXPECT_EQ(s.title.rfind("Monte Carlo Statistics - ", 0), 0u);
    ASSERT_FALSE(s.accounts.empty());
    for (const RateHistogram& h : s.accounts) {
        int total = 0;
        for (int c : h.count) total += c;
        EXPECT_EQ(h.hasSummary, 1);
        EXPECT_EQ(h.total, total);
        EXPECT_LE(h.minimum, h.average);
        EXPECT_LE(h.average, h.maximum);
    }
    EXPECT_EQ(s.accounts[0].account, "Joint Savings");
}

TEST_F(CompanionFiles, TruncatedFilesGiveTheirErrorOrWhatWasWholeBeforeTheCut) {
    struct Case {
        const std::string* bytes;
        Parser parse;
    };
    for (const Case& c : {Case{&plot, Plot}, Case{&trade, Curves}, Case{&stats, Stats}}) {
        std::vector<std::string> lines = SplitLines(*c.bytes);
        for (size_t n = 0; n < lines.size(); ++n) {
            std::string error;
            std::string cut = Join(lines, n);
            if (c.parse(cut, error)) {
                // Only the statistics may end after a whole account block,
                // and a curve file after its first "Done".
                ASSERT_GT(n, 0u);
                if (c.parse == Curves)
                    EXPECT_EQ(lines[n - 1], "Done") << n;
                else
                    EXPECT_TRUE(c.parse == Stats && lines[n - 1].empty()) << n;
            } else {
                EXPECT_NE(error.find("line"), std::string::npos) << error;
            }
            // Cut in the middle of the next line as well.
            std::string half = cut + lines[n].substr(0, lines[n].size() / 2);
            c.parse(half, error);
        }
        std::string error;
        EXPECT_EQ(c.parse(*c.bytes, error), 1) << error;
    }
    // The plot file and the curve file have no whole prefix at all.
    std::string error;
    std::vector<std::string> lines = SplitLines(plot);
    EXPECT_EQ(Plot(Join(lines, lines.size() - 1), error), 0);
    EXPECT_NE(error.find("the file ends where the closing \"Done\" should follow"), std::string::npos) << error;
}

TEST_F(CompanionFiles, DamagedBytesNeverCrashOrLoop) {
    std::mt19937 random(12345);
    for (Parser parse : {Plot, Curves, Stats}) {
        for (int i = 0; i < 300; ++i) {
            std::string noise(random() % 3000, '\0');
            for (char& ch : noise) ch = static_cast<char>(random() % 256);
            std::string error;
            parse(noise, error);
        }
    }
    // Valid files with a few bytes changed, dropped or doubled.
    for (const std::string* file : {&plot, &trade, &stats}) {
        for (int i = 0; i < 300; ++i) {
            std::string b = *file;
            for (int k = 0; k < 4; ++k) {
                size_t at = random() % b.size();
                switch (random() % 3) {
                    case 0: b[at] = static_cast<char>(random() % 256); break;
                    case 1: b.erase(at, 1 + random() % 20); break;
                    default: b.insert(at, b.substr(at, random() % 40)); break;
                }
            }
            std::string error;
            for (Parser parse : {Plot, Curves, Stats}) parse(b, error);
        }
    }
}

TEST_F(CompanionFiles, FiguresThatAreNoFiguresAndOverlongLinesAreRefused) {
    std::vector<std::string> lines = SplitLines(plot);
    // Six header lines, two account names, two balance lines, then the year line.
    size_t yearLine = 6 + 2 + 2;
    ASSERT_NE(lines[yearLine].find(' '), std::string::npos);
    auto withFirstFigure = [&](const std::string& figure) {
        std::vector<std::string> changed = lines;
        changed[yearLine] = figure + changed[yearLine].substr(changed[yearLine].find(' '));
        return Join(changed, changed.size());
    };
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "infinity", "1e39", "-1e39", "0x10", "12abc", "", "1,5"}) {
        std::string error;
        EXPECT_EQ(Plot(withFirstFigure(bad), error), 0) << bad;
        EXPECT_NE(error.find("line 11"), std::string::npos) << error;
    }
    // Large but finite figures are figures; the axes cope with them.
    PlotFile f;
    std::string error;
    ASSERT_EQ(ParsePlotFile(withFirstFigure("1e30"), "p", f, error), 1) << error;
    EXPECT_EQ(f.years[0].record[0], 1e30f);
    ui::RecordingPainter painter;
    ChartArea a = DrawChart(painter, {0, 0, 800, 500}, PlotChart(f, GraphNetWorth), {}, {});
    EXPECT_GT(a.plot.right, a.plot.left);

    // Counts far beyond their limits, and lines of 100,000 characters.
    std::vector<std::string> big = lines;
    big[4] = "1e30";
    EXPECT_EQ(Plot(Join(big, big.size()), error), 0);
    EXPECT_NE(error.find("year count is out of range"), std::string::npos) << error;
    big = lines;
    big[5] = "99999999999999999999";
    EXPECT_EQ(Plot(Join(big, big.size()), error), 0);
    const std::string longLine(100000, '7');
    for (size_t at : {size_t{1}, size_t{6}, yearLine}) {
        big = lines;
        big[at] = longLine;
        EXPECT_EQ(Plot(Join(big, big.size()), error), 0);
        EXPECT_NE(error.find("too long"), std::string::npos) << error;
    }
    std::vector<std::string> t = SplitLines(trade);
    t[5] = "1000000";
    EXPECT_EQ(Curves(Join(t, t.size()), error), 0);
    t = SplitLines(trade);
    t[t.size() - 3] = "0 " + longLine;
    EXPECT_EQ(Curves(Join(t, t.size()), error), 0);
    std::vector<std::string> s = SplitLines(stats);
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i].rfind("Count -- ", 0) == 0) {
            s[i + 1] = "Minimum Rate\t= nan";
            break;
        }
    EXPECT_EQ(Stats(Join(s, s.size()), error), 0);
    EXPECT_NE(error.find("Minimum Rate"), std::string::npos) << error;
    s = SplitLines(stats);
    s[3] = longLine;
    EXPECT_EQ(Stats(Join(s, s.size()), error), 0);
    // A file that is not there.
    EXPECT_EQ(ReadPlotFile((dir / "none.tmp").string(), f, error), 0);
    EXPECT_NE(error.find("Cannot open"), std::string::npos);
}

TEST_F(CompanionFiles, AnEarlyDoneEndsAPlotFileAsSaveGraphsCopiesIt) {
    std::vector<std::string> lines = SplitLines(plot);
    // After two whole years (each two balance lines and the year line).
    std::vector<std::string> early(lines.begin(), lines.begin() + 9 + 2 * 3);
    early.push_back("Done");
    PlotFile f;
    std::string error;
    ASSERT_EQ(ParsePlotFile(Join(early, early.size()), "p", f, error), 1) << error;
    EXPECT_EQ(f.years.size(), 2u);
    EXPECT_TRUE(f.groups.empty());
    EXPECT_EQ(PlotChart(f, GraphGroups).curves.size(), 0u);
}

TEST_F(CompanionFiles, ChartsShowTheFoldersSeriesAndTheLegendTogglesThem) {
    PlotFile f;
    std::string error;
    ASSERT_EQ(ParsePlotFile(plot, "p", f, error), 1);
    Chart c = PlotChart(f, GraphNetWorth);
    ASSERT_EQ(c.curves.size(), 6u);
    EXPECT_EQ(c.curves[0].name, "Net Worth");
    EXPECT_EQ(c.curves[0].values[3], f.years[3].record[6]);
    EXPECT_EQ(PlotChart(f, 6).heading, "NET WORTH");  // the selected-age code
    EXPECT_EQ(PlotChart(f, GraphAccounts).curves[1].name, "401(k) Plans");

    ui::RecordingPainter painter;
    ChartArea a = DrawChart(painter, {0, 0, 900, 500}, c, {}, {});
    EXPECT_EQ(painter.TextsWith("Net Worth").size(), 1u);
    // The legend stands inside the frame and right of the plot.
    for (const ui::Rect& r : a.legend) {
        EXPECT_GT(r.left, a.plot.right);
        EXPECT_LT(r.right, 900);
        EXPECT_LT(r.bottom, 500);
    }
    int entry = LegendEntryAt(a, a.legend[0].left + 2, a.legend[0].top + 2);
    EXPECT_EQ(entry, 0);
    // Hiding every curve but one scales the axis to that one alone.
    for (size_t k = 0; k < c.curves.size(); ++k) c.curves[k].shown = k == 1;
    ChartArea one = DrawChart(painter, {0, 0, 900, 500}, c, {}, {});
    const std::vector<float>& values = c.curves[1].values;
    ValueAxis expected = NormalValueAxis(*std::min_element(values.begin(), values.end()),
                                         *std::max_element(values.begin(), values.end()));
    EXPECT_EQ(one.plot.axis.range, expected.range);
    EXPECT_EQ(one.plot.axis.lowest, expected.lowest);

    // Dragging over ages 60..70 shows those eleven columns only.
    ChartView v;
    EXPECT_EQ(DragWindow(v, 15, 5), 1);
    int first = 0, count = 0;
    ShownColumns(c, v, first, count);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(count, 11);
    EXPECT_EQ(DragWindow(v, 4, 4), 0);
    // The read-out names the column and the shown curves' values there.
    int x = (a.plot.left + a.plot.right) / 2;
    int col = ColumnAt(a, x);
    std::string text = ChartReadOut(c, a, x, (a.plot.top + a.plot.bottom) / 2);
    EXPECT_EQ(text.rfind("Age " + c.columns[static_cast<size_t>(col)] + ":", 0), 0u) << text;
    EXPECT_NE(text.find("Investment Accounts " + AxisMoneyText(values[static_cast<size_t>(col)])), std::string::npos) << text;
    EXPECT_EQ(text.find("Net Worth"), std::string::npos) << text;

    // Histograms count in whole numbers, with their outer bins named.
    StatisticsFile s;
    ASSERT_EQ(ParseStatisticsFile(stats, "s", s, error), 1);
    Chart h = HistogramChart(s.accounts[0]);
    EXPECT_EQ(h.columns.size(), 12u);
    EXPECT_EQ(h.columns[0][0], '<');
    EXPECT_EQ(h.columns[11][0], '>');
    painter.texts.clear();
    DrawChart(painter, {0, 0, 500, 330}, h, {}, {});
    EXPECT_TRUE(painter.TextsWith("$").empty());
}

// The graph window in today's dollars shows what the folder shows: the
// program passes the factors of its run, the window divides the plot file by
// them; a damaged argument is refused, never half read.
TEST_F(CompanionFiles, TheGraphWindowDeflatesAsTheProgramTellsIt) {
    PlotFile f;
    std::string error;
    ASSERT_EQ(ParsePlotFile(plot, "p", f, error), 1);
    shell.todaysDollars = 1;
    const std::string argument = TodaysDollarsArgument();
    shell.todaysDollars = 0;
    const std::string option = " --todays-dollars ";
    ASSERT_EQ(argument.rfind(option, 0), 0u) << argument;
    EXPECT_EQ(TodaysDollarsArgument(), "");
    TodaysDollars d;
    ASSERT_EQ(ParseTodaysDollars(argument.substr(option.size()), d, error), 1) << error;
    EXPECT_EQ(d.factors.size(), table.size());
    Chart c = PlotChart(f, GraphNetWorth);
    ToTodaysDollars(c, f, d);
    EXPECT_EQ(c.heading, "NET WORTH (today's dollars)");
    ASSERT_GT(f.years.size(), 20u);
    for (size_t k = 0; k < f.years.size(); ++k) {
        const int row = static_cast<int>(f.years[k].record[0]) - static_cast<int>(table[0][0]);
        ASSERT_GE(row, 0);
        EXPECT_FLOAT_EQ(c.curves[0].values[k], static_cast<float>(f.years[k].record[6] / inflationFactor[row])) << k;
    }
    EXPECT_GT(inflationFactor[20], 1.2);  // the example plan inflates
    for (const char* bad : {"", "65", "65:", "x:1", "65:1,,2", "65:1,-2", "65:1,nan", "65:1;2", "-1:1", "65:1,2,"})
        EXPECT_EQ(ParseTodaysDollars(bad, d, error), 0) << bad;
}

TEST_F(CompanionFiles, ComparisonLinesPlansUpByAgeWithDifferencesToTheFirst) {
    Plan a, b;
    a.name = b.name = "plan";
    for (int age = 60; age <= 62; ++age) {
        a.ages.push_back(static_cast<float>(age));
        a.records.push_back(std::vector<float>(RecordValues, 100.0f * static_cast<float>(age)));
    }
    for (int age = 61; age <= 63; ++age) {
        b.ages.push_back(static_cast<float>(age));
        b.records.push_back(std::vector<float>(RecordValues, 100.5f * static_cast<float>(age)));
    }
    std::vector<Plan> plans{a, b};
    NameApart(plans);
    EXPECT_EQ(plans[1].name, "plan (2)");
    EXPECT_EQ(ComparisonCsv(plans, 6),
              "Age,plan,plan (2),plan (2) - plan\n"
              "60.0,6000.00,,\n"
              "61.0,6100.00,6130.50,30.50\n"
              "62.0,6200.00,6231.00,31.00\n"
              "63.0,,6331.50,\n");
    // Missing ages break the curves rather than drawing them at 0.
    ui::RecordingPainter painter;
    DrawChart(painter, {0, 0, 800, 500}, ComparisonChart(plans, 6), {}, {});
    EXPECT_EQ(painter.Count("polyline"), 2);
    std::string error;
    Plan missing;
    EXPECT_EQ(LoadPlan((dir / "nothing.ret").string(), missing, error), 0);
    EXPECT_EQ(LoadPlan((dir / "nothing.kvp").string(), missing, error), 0);
}

}  // namespace
