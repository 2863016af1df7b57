// Value and age axes, money texts, colours and the graph view's rules.
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "results/results.h"

TEST(ValueAxis, WorkedExampleGivesRange20000InStepsOf2000) {
    ValueAxis a = NormalValueAxis(0, 12345);
    EXPECT_EQ(a.lowest, 0.0f);
    EXPECT_EQ(a.range, 20000.0f);
    EXPECT_EQ(a.step, 2000.0f);
}

TEST(ValueAxis, AllZeroRunsFromZeroOverOne) {
    ValueAxis a = NormalValueAxis(0, 0);
    EXPECT_EQ(a.lowest, 0.0f);
    EXPECT_EQ(a.range, 1.0f);
    EXPECT_EQ(AxisMoneyText(a.lowest), "0.00");
}

TEST(ValueAxis, NegativeValuesExtendBelowZeroWithAGridLineOnZero) {
    for (float min : {-12345.0f, -19000.0f, -500.0f, -3.0f}) {
        ValueAxis a = NormalValueAxis(min, 50000);
        EXPECT_LE(a.lowest, min) << min;
        EXPECT_GE(a.lowest + a.range, 50000.0f) << min;
        bool zeroOnGrid = false;
        for (int i = 0; i <= 10; ++i) zeroOnGrid |= a.lowest + i * a.step == 0;
        EXPECT_TRUE(zeroOnGrid) << min;
        EXPECT_EQ(AxisMoneyText(a.lowest).rfind("-$", 0), 0u) << AxisMoneyText(a.lowest);
    }
}

TEST(ValueAxis, AllNegativeEndsAtZeroAndReachesTheLowestValue) {
    ValueAxis a = NormalValueAxis(-1000, -100);
    EXPECT_EQ(a.lowest, -1000.0f);
    EXPECT_EQ(a.range, 1000.0f);
    EXPECT_EQ(a.step, 100.0f);
    EXPECT_EQ(AxisMoneyText(a.lowest), "-$1,000.00");
    ValueAxis flat = NormalValueAxis(-5, -5);
    EXPECT_LE(flat.lowest, -5.0f);
    EXPECT_EQ(flat.lowest + flat.range, 0.0f);
    EXPECT_EQ(flat.lowest + 10 * flat.step, 0.0f);  // the top grid line is the 0 line
    // The Monte Carlo folder's axis when the plain net worth runs from
    // -10000 down to -20000: room below for the trials, and 0 on top.
    float min = -20000, max = -10000, spread = max - min;
    ValueAxis mc = NormalValueAxis(min - 0.6f * spread, max + 0.3f * spread);
    EXPECT_EQ(mc.lowest, -30000.0f);
    EXPECT_EQ(mc.range, 30000.0f);
    EXPECT_EQ(mc.step, 3000.0f);
}

TEST(ValueAxis, MovingZeroOntoTheGridStillCoversTheLargestValue) {
    ValueAxis a = NormalValueAxis(-11693.99f, 453309.7f);
    EXPECT_LE(a.lowest, -11693.99f);
    EXPECT_GE(a.lowest + a.range, 453309.7f);
    EXPECT_EQ(a.lowest, -60000.0f);
    EXPECT_EQ(a.range, 600000.0f);
    EXPECT_EQ(a.step, 60000.0f);
}

// Random inputs of every size and sign: each call ends, and its axis covers
// the values with a positive range and step.
TEST(ValueAxis, EveryInputEndsAndIsCovered) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> power(-4, 36), unit(0, 1);
    auto draw = [&]() -> float {
        float u = unit(random);
        if (u < 0.1f) return 0;
        float v = std::pow(10.0f, power(random)) * unit(random);
        return u < 0.55f ? -v : v;
    };
    for (int i = 0; i < 20000; ++i) {
        float x = draw(), y = draw();
        float min = std::min(x, y), max = std::max(x, y);
        ValueAxis a = NormalValueAxis(min, max);
        ASSERT_TRUE(std::isfinite(a.lowest) && std::isfinite(a.range)) << min << " " << max;
        ASSERT_GT(a.range, 0.0f) << min << " " << max;
        ASSERT_GT(a.step, 0.0f) << min << " " << max;
        ASSERT_LE(a.lowest, min) << min << " " << max;
        ASSERT_GE(a.lowest + a.range, max) << min << " " << max;
        ASSERT_TRUE(min < 0 || a.lowest == 0) << min << " " << max;
        ValueAxis z = ZoomedValueAxis(min, max);
        ASSERT_GT(z.range, 0.0f) << min << " " << max;
        ASSERT_TRUE(max > 0 ? z.lowest + z.range >= max : z.lowest <= min) << min << " " << max;
    }
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    for (float min : {-inf, nan, -1e38f, 0.0f})
        for (float max : {inf, nan, 1e38f, 0.0f}) {
            ValueAxis a = NormalValueAxis(min, max);
            EXPECT_TRUE(std::isfinite(a.lowest) && a.range > 0 && std::isfinite(a.range)) << min << " " << max;
            ValueAxis z = ZoomedValueAxis(min, max);
            EXPECT_TRUE(std::isfinite(z.lowest) && z.range > 0 && std::isfinite(z.range)) << min << " " << max;
        }
}

TEST(ValueAxis, ZoomedViewStartsAtZeroOrEndsThereWhenAllIsNegative) {
    ValueAxis a = ZoomedValueAxis(0, 12345);
    EXPECT_EQ(a.lowest, 0.0f);
    EXPECT_EQ(a.range, 12345.0f);
    EXPECT_EQ(ZoomedValueAxis(0, 0).range, 1.0f);
    ValueAxis down = ZoomedValueAxis(-5000, -1000);
    EXPECT_EQ(down.lowest, -5000.0f);
    EXPECT_EQ(down.range, 5000.0f);
    EXPECT_EQ(down.step, 500.0f);
}

TEST(Labels, ThinnedWhenTheyDoNotFit) {
    EXPECT_EQ(ValueLabelEvery(300, 14), 1);
    EXPECT_EQ(ValueLabelEvery(100, 14), 2);  // 10 do not fit, 5 do
    EXPECT_EQ(AgeLabelEvery(60, 1260, 7), 1);
    EXPECT_EQ(AgeLabelEvery(60, 700, 7), 3);
    EXPECT_EQ(AgeLabelEvery(60, 400, 7), 5);
    EXPECT_EQ(AgeLabelEvery(60, 200, 7), 7);
    // Narrower still: the labels drawn must fit, not half of them.
    EXPECT_EQ(AgeLabelEvery(41, 60, 6), 14);
    EXPECT_EQ(ValueLabelEvery(70, 14), 3);
    EXPECT_EQ(AgeLabel(7), "7");
    EXPECT_EQ(AgeLabel(65.5f), "65");
    EXPECT_EQ(AgeLabel(100), "100");
}

TEST(Money, WholeDollarsRoundHalvesUpOnlyWhenPositive) {
    EXPECT_EQ(WholeDollars(2.5f), 3);
    EXPECT_EQ(WholeDollars(2.49f), 2);
    EXPECT_EQ(WholeDollars(-2.5f), -2);
    EXPECT_EQ(WholeDollars(-2.7f), -2);
    EXPECT_EQ(WholeDollarText(1234567.5f), "$1,234,568");
    EXPECT_EQ(AxisMoneyText(1234.5f), "$1,234.50");
    EXPECT_EQ(AxisMoneyText(-2000), "-$2,000.00");
}

TEST(Colours, TableAndTrialColourLightening) {
    EXPECT_EQ(GraphColour(2), (Colour{213, 208, 21}));
    EXPECT_EQ(GraphColour(12), GraphColour(0));
    ShellState saved = shell;
    shell.colourScheme = 2;
    shell.lighter = 0;
    EXPECT_EQ(TrialColour(), (Colour{227, 222, 35}));
    shell.colourScheme = 1;
    EXPECT_EQ(TrialColour(), (Colour{151, 151, 151}));
    shell.colourScheme = 0;  // DARKYELLOW without LIGHTER: unchanged
    EXPECT_EQ(TrialColour(), (Colour{213, 208, 21}));
    shell.lighter = 1;
    EXPECT_EQ(TrialColour(), (Colour{227, 222, 35}));
    shell = saved;
}

TEST(Colours, KeywordsIdonGrayDarkyellow) {
    ShellState saved = shell;
    shell = ShellState{};
    ScanCommandLine("IDON GRAY DARKYELLOW");
    EXPECT_EQ(AccountListColumnCount(), 15);
    EXPECT_EQ(TrialColour(), (Colour{213, 208, 21}));  // DARKYELLOW wins, unlightened
    shell = ShellState{};
    ScanCommandLine("GRAY");
    EXPECT_EQ(TrialColour(), (Colour{151, 151, 151}));
    EXPECT_EQ(TrialLegendColour(), LightenColour({151, 151, 151}));
    shell = saved;
}

TEST(GraphView, StylesCycleAndTheAgeWindowFollowsItsRules) {
    results.rowCount = 30;
    GraphView v;
    StepStyle(v);
    EXPECT_EQ(v.style, StyleBars);
    PickAge(v, 5);
    PickAge(v, 12);
    EXPECT_EQ(ApplyAgeWindow(v), 1);
    int first = 0, count = 0;
    ShownRows(v, first, count);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(count, 8);
    StepStyle(v);  // into bars in depth: the window goes
    EXPECT_EQ(v.style, StyleDepth);
    EXPECT_EQ(v.windowOn, 0);
    StepStyle(v);
    EXPECT_EQ(v.style, StyleLines);

    // A pick taken back (a double-click's first press) leaves the earlier
    // picks as they were, even one it had pushed out.
    PickAge(v, 3);
    PickAge(v, 4);
    PickAge(v, 9);
    UnpickAge(v);
    ASSERT_EQ(v.pickedCount, 2);
    EXPECT_EQ(v.picked[0], 3);
    EXPECT_EQ(v.picked[1], 4);
    UnpickAge(v);  // only once
    EXPECT_EQ(v.pickedCount, 2);
    PickAge(v, -1);  // outside the years: nothing picked, nothing to take back
    UnpickAge(v);
    EXPECT_EQ(v.pickedCount, 2);
    v.pickedCount = 0;

    PickAge(v, 20);  // one age: from the first age of the plan
    EXPECT_EQ(ApplyAgeWindow(v), 1);
    EXPECT_EQ(v.fromRow, 0);
    EXPECT_EQ(v.toRow, 20);
    EXPECT_EQ(ApplyAgeWindow(v), 1);  // the same click switches it off first
    EXPECT_EQ(v.windowOn, 0);
    PickAge(v, 7);
    PickAge(v, 7);  // one year only: dropped
    EXPECT_EQ(ApplyAgeWindow(v), 0);
    PickAge(v, 10);
    PickAge(v, 30);  // past the plan's end
    EXPECT_EQ(ApplyAgeWindow(v), 0);
    EXPECT_EQ(v.windowOn, 0);
    results.rowCount = 2;  // fewer than three years: lines only
    StepStyle(v);
    EXPECT_EQ(v.style, StyleLines);
    results.rowCount = 0;
}

TEST(GraphView, PointerRowAndReadOut) {
    PlotArea p;
    p.left = 100;
    p.right = 400;
    p.top = 0;
    p.bottom = 200;
    p.firstRow = 4;
    p.rows = 10;
    p.yearWidth = 30;
    p.axis = {-1000, 10000, 1000};
    EXPECT_EQ(RowAtX(p, 100), 4);
    EXPECT_EQ(RowAtX(p, 159), 5);
    EXPECT_EQ(RowAtX(p, 400), 13);
    EXPECT_EQ(RowAtX(p, 99), -1);
    EXPECT_EQ(ReadOut(p, 150, 190).substr(0, 10), "-$500.00  ");
}
