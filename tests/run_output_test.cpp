// The writers of the files every run writes: the fixed-point text gives
// printf's bytes exactly, and a rewritten file holds just the new content; a run whose results list nobody reads (a Monte Carlo trial)
// writes the same files and figures as one that builds it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/fixed_text.h"
#include "engine/payment.h"
#include "engine/run_files.h"
#include "engine_fixture.h"
#include "bench/every_event_scenario.h"
#include "montecarlo/montecarlo.h"
#include "montecarlo/random.h"

namespace {

std::string Printf(const char* format, float value) {
    char text[400];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

std::string Fixed(const char* format, float value) {
    char text[400];
    EXPECT_GE(FixedTextFormat(text, format, value), 0) << format;
    return text;
}

const char* const Formats[] = {"%.2f", "%.1f", "%5.1f", "%13.2f", "%-13.2f", "%-11.2f", "%.0f", "%.4f", "%-7.3f"};

float FromBits(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

TEST(FixedText, TiesAndEdgesRoundAsPrintfDoes) {
    const float values[] = {0.0f, -0.0f, 0.125f, 0.375f, -0.125f, 2.5f, 3.5f, 0.05f, 1.005f, 0.004f, -0.004f,
                            999.995f, 1e7f, 16777216.0f, 1.5e16f, 7.2e16f, 3.4e38f, -3.4e38f, 1e-45f, 1e-30f,
                            123456.789f, -98765.4321f, 0.45f, 0.55f};
    for (float v : values)
        for (const char* f : Formats) EXPECT_EQ(Fixed(f, v), Printf(f, v)) << f << " " << v;
    for (const char* f : Formats) {
        EXPECT_EQ(Fixed(f, FromBits(0x7F800000)), Printf(f, FromBits(0x7F800000)));  // infinity
        EXPECT_EQ(Fixed(f, FromBits(0xFFC00000)), Printf(f, FromBits(0xFFC00000)));  // NaN
    }
}

TEST(FixedText, AgreesWithPrintfOverManyFloats) {
    uint32_t state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1664525u + 1013904223u;
        // Mostly money-sized values, some of every exponent.
        uint32_t bits = i % 4 == 0 ? state : (state & 0x807FFFFFu) | ((0x60u + (state >> 24) % 0x40u) << 23);
        float v = FromBits(bits);
        const char* f = Formats[i % (sizeof Formats / sizeof *Formats)];
        ASSERT_EQ(Fixed(f, v), Printf(f, v)) << f << " bits " << bits;
    }
}

TEST(FixedText, OnlySimpleFixedFormatsAreTaken) {
    char text[160] = "untouched";
    for (const char* f : {"%d", "%5.2e", "%05.2f", "%+.2f", "%.2lf", "%.5f", "%100.2f", "x%.2f", "%.2f "})
        EXPECT_EQ(FixedTextFormat(text, f, 1.0f), -1) << f;
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(FixedText(text, -1.25f, 8, 1), 8);
    EXPECT_STREQ(text, "    -1.2");
}

TEST(RunFiles, RewritingLeavesExactlyTheNewContent) {
    const std::string path = testing::TempDir() + "tillory-run-file.tmp";
    std::remove(path.c_str());
    for (const std::string& content : {std::string("first content, long enough\n"), std::string("short\n"),
                                       std::string(100000, 'x'), std::string()}) {
        std::FILE* f = OpenRunFile(path.c_str());
        ASSERT_NE(f, nullptr);
        std::fwrite(content.data(), 1, content.size(), f);
        ASSERT_TRUE(CloseRunFile(f));
        std::FILE* in = std::fopen(path.c_str(), "rb");
        std::string back;
        for (int c; (c = std::fgetc(in)) != EOF;) back += static_cast<char>(c);
        std::fclose(in);
        EXPECT_EQ(back, content);
    }
    std::remove(path.c_str());
    EXPECT_EQ(OpenRunFile((testing::TempDir() + "no-such-folder/x.tmp").c_str()), nullptr);
}

TEST(RunFiles, DollarTextOfLongAndSignedNumbers) {
    EXPECT_EQ(FormatDollars("-1234567.89"), "$-1,234,567.89");
    EXPECT_EQ(FormatDollars("-123456.00"), "$-123,456.00");
    EXPECT_EQ(FormatDollars("-123.45   "), "$-123.45");
    EXPECT_EQ(FormatDollars("   12345.6"), "$12,345.6");
    std::string digits(301, '9');
    std::string grouped = "$9";
    for (int k = 0; k < 100; ++k) grouped += ",999";
    EXPECT_EQ(FormatDollars(digits + ".50"), grouped + ".50");  // longer than the stack buffer takes
    char small[8] = "1000.25";
    FormatDollars(small, sizeof small);
    EXPECT_STREQ(small, "$1,000.");
}

// A run after a larger one leaves the same files as a run in an empty folder.
TEST_F(EngineTest, RunFilesDoNotKeepWhatALargerRunWrote) {
    const char* files[] = {"plotinf01.tmp", BigFileName, InFileName, OutFileName};
    for (int i = 0; i < 12; ++i) AddAccount(("Account " + std::to_string(i)).c_str(), AccountInvestmentSavings, 1000, 5);
    Event& e = AddEvent(EventWithdrawal, 65, 67, "Spending");
    e.amount = 500;
    scenario.initialValues.endAge = 90;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    scenario.accountTable.accountCount = 1;
    RecomputeInitialTotals();
    scenario.initialValues.endAge = 67;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    std::string after[4];
    for (int k = 0; k < 4; ++k) after[k] = Bytes(files[k]);
    for (const char* f : files) std::filesystem::remove(f);
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(after[k], Bytes(files[k])) << files[k];
        EXPECT_EQ(after[k].substr(after[k].size() - 5), k == 0 ? "Done\n" : "oone\n");
    }
}

// A run whose files cannot be written whole fails, names the file, and
// leaves every file of the run before as it was: a folder that takes no new
// file, and a disk that fills half-way.
TEST_F(EngineTest, ARunThatCannotWriteItsFilesFailsAndKeepsTheOldOnes) {
    const char* files[] = {"plotinf01.tmp", BigFileName, InFileName, OutFileName};
    for (int i = 0; i < 12; ++i) AddAccount(("Account " + std::to_string(i)).c_str(), AccountInvestmentSavings, 1000, 5);
    AddEvent(EventWithdrawal, 65, 67, "Spending").amount = 500;
    scenario.initialValues.endAge = 90;
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    std::string before[4];
    for (int k = 0; k < 4; ++k) before[k] = Bytes(files[k]);
    scenario.initialValues.endAge = 80;

    TakeEveryPartName("plotinf01.tmp");
    EXPECT_EQ(RunProjection(OutputResultsList), 0);
    ASSERT_EQ(runNotices.size(), 1u);
    EXPECT_EQ(runNotices[0].text, "Cannot open plot file.");
    for (int k = 0; k < 100; ++k) std::filesystem::remove("plotinf01.tmp.part" + std::to_string(k));
    runNotices.clear();

    EXPECT_EQ(WithFullDisk(2000, [] { return RunProjection(OutputResultsList); }), 0);
    ASSERT_FALSE(runNotices.empty());
    EXPECT_EQ(runNotices.back().text, "Cannot write plot file.");
    EXPECT_EQ(runNotices.back().caption, "FILE ERROR");
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(Bytes(files[k]) == before[k] || Bytes(files[k]).size() < 2000) << files[k];
    EXPECT_EQ(Bytes(files[0]), before[0]);
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
}

// Everything a run leaves behind apart from its schedule lines: the files,
// the figures, the Scenario's working fields and the random source.
struct RunOutcome {
    std::string files[4];
    std::string tables, scenarioBytes, counters, random;
};

template <typename T>
std::string Raw(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

void ExpectSame(const RunOutcome& a, const RunOutcome& b) {
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(a.files[k] == b.files[k]) << "file " << k;
    EXPECT_TRUE(a.tables == b.tables);
    EXPECT_TRUE(a.scenarioBytes == b.scenarioBytes);
    EXPECT_TRUE(a.counters == b.counters);
    EXPECT_TRUE(a.random == b.random);
}

class UnreadListTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        BuildEveryEventScenario();
        // A fixed third title keeps the clock out of the plot file.
        scenario.reportOptions.title3On = 1;
        SetFieldText(scenario.reportOptions.title3, "Title");
        start = Raw(scenario);
    }

    std::string start;  // the Scenario before any run: runs add to its statistics

    static RunOutcome Outcome() {
        RunOutcome o;
        const char* files[] = {"plotinf01.tmp", BigFileName, InFileName, OutFileName};
        for (int k = 0; k < 4; ++k) o.files[k] = Bytes(files[k]);
        ResultTables figures = results;  // without what only describes the list
        std::memset(figures.lineIndexByAge, 0, sizeof figures.lineIndexByAge);
        std::memset(figures.lineTag, 0, sizeof figures.lineTag);
        figures.selectedLine = 0;
        o.tables = Raw(figures);
        o.scenarioBytes = Raw(scenario);
        o.counters = Raw(randomCounters);
        const RandomSource& r = randomSource;
        for (const GaussianCache* c : {&r.gaussian, &r.gaussianRange})
            o.random += Raw(c->x) + Raw(c->y) + Raw(c->s) + Raw(c->toggle);
        o.random += Raw(r.low) + Raw(r.high);
        return o;
    }

    // One run from the same random start value, the list read or not.
    RunOutcome RandomRun(int listUnread, int outputMode = OutputResultsList) {
        std::memcpy(static_cast<void*>(&scenario), start.data(), start.size());
        runSwitches.listUnread = listUnread;
        SeedRandom(11);
        randomSource.gaussian = GaussianCache{};
        randomSource.gaussianRange = GaussianCache{};
        EXPECT_EQ(RunProjection(outputMode), 1);
        runSwitches.listUnread = 0;
        return Outcome();
    }
};

TEST_F(UnreadListTest, ATrialWithoutItsListLeavesTheSameFilesAndFigures) {
    runSwitches.summary = 1;  // the one detail switch an analysis leaves on
    for (int source = 0; source < 2; ++source) {
        for (int kind = 0; kind < 3; ++kind) {
            scenario.settings.mcDistribution = static_cast<int16_t>(kind);
            runSwitches.randomAccountRates = source == 0;
            runSwitches.randomGroupRates = source == 1;
            runSwitches.monteCarloTrial = 1;
            const RunOutcome built = RandomRun(0);
            const std::vector<std::string> list = ListLines();
            ASSERT_GT(list.size(), 1000u);
            ExpectSame(built, RandomRun(1));
            EXPECT_EQ(ListLines(), list) << "the list of the last read run stays";
        }
    }
}

TEST_F(UnreadListTest, OnlyTheResultsListIsLeftUnbuilt) {
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    std::strcpy(runSwitches.resultsPath, "out.sch");
    runSwitches.randomAccountRates = 1;
    RandomRun(0, OutputResultsFile);
    const std::string schedule = Bytes("out.sch");
    RandomRun(1, OutputResultsFile);
    EXPECT_TRUE(Bytes("out.sch") == schedule);
    RandomRun(1, OutputPrintFile);
    const std::string printed = Bytes(PrintFileName);
    RandomRun(0, OutputPrintFile);
    EXPECT_TRUE(Bytes(PrintFileName) == printed);
    EXPECT_GT(printed.size(), 100000u);
}

// After an analysis the list is that of a plain run, and the next runs the
// folders make build their lines again.
TEST_F(UnreadListTest, AnAnalysisEndsWithThePlainRunsList) {
    SetDetailedResults(1);
    runSwitches.accountSummary = 1;
    state.mcTrials = 4;
    state.mcMinInflationRate = 1;
    state.mcMaxInflationRate = 5;
    MonteCarloOptions options;
    options.fixedStart = 1;
    options.startValue = 3;
    ASSERT_EQ(RunMonteCarlo(options), 1);
    EXPECT_EQ(runSwitches.listUnread, 0);
    EXPECT_EQ(runSwitches.detailedRates, 1);
    const std::vector<std::string> list = ListLines();
    const RunOutcome analysis = Outcome();
    ASSERT_GT(list.size(), 1000u);

    // A plain run with the same switches gives the same list and tables:
    // the analysis leaves the ordinary results, detail and flows included.
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    EXPECT_EQ(ListLines(), list);
    RunOutcome plain = Outcome();
    plain.random = analysis.random;  // the plain run draws nothing
    ExpectSame(analysis, plain);
}

}  // namespace
