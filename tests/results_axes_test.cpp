// Value and age axes, money texts, colours and the graph view's rules.
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

TEST(ValueAxis, ZoomedViewStartsAtZero) {
    ValueAxis a = ZoomedValueAxis(12345);
    EXPECT_EQ(a.lowest, 0.0f);
    EXPECT_EQ(a.range, 12345.0f);
    EXPECT_EQ(ZoomedValueAxis(0).range, 1.0f);
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
