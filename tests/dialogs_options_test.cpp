// The option dialogs: asset allocation, RMD options and tables, Monte Carlo
// settings, Reports Options and the Mortgage Schedule window.
#include <filesystem>

#include "dialogs_fixture.h"

namespace {

using OptionDialogs = DialogsTest;

TEST_F(OptionDialogs, AssetAllocationCreatesAndRemovesItsEvent) {
    Script({Click(FieldProportional), Click(FieldEqual), Type(FieldAllocationAge, "60.5"),
            Type(FieldAllocationAmount, "2500.7"), Ok()});
    EXPECT_EQ(AssetAllocationDialog(), 1);
    EXPECT_EQ(dialogs.Last().Shown(FieldAllocationAge), "65");
    EXPECT_EQ(dialogs.Last().Shown(FieldAllocationAmount), "1000.00");
    EXPECT_EQ(+scenario.accountTable.assetAllocOption, 2);
    EXPECT_EQ(+scenario.accountTable.assetAllocStartAge, 60.0f);
    EXPECT_EQ(+scenario.accountTable.assetAllocAmount, 2500.0f);
    ASSERT_EQ(state.eventCount, 1);
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventAssetAllocation);
    EXPECT_EQ(+e.startAge, 60.0f);
    EXPECT_EQ(+e.endAge, 120.0f);
    EXPECT_EQ(FieldText(scenario.events[0].description), "Asset allocation withdrawal option in effect.");
    EXPECT_EQ(screen.Enabled(CmdAssetAllocation), 0);
    // Pressing the set button clears it: option 0 removes the event.
    Script({Click(FieldEqual), Ok()});
    EXPECT_EQ(EditEvent(0), 1);
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.accountTable.assetAllocOption, 0);
    EXPECT_EQ(screen.Enabled(CmdAssetAllocation), 1);
}

TEST_F(OptionDialogs, RmdOptionsWarnAboutARetirementTarget) {
    Script({Type(FieldRmdPenalty, "150"), Ok(), Type(FieldRmdPenalty, "25"), Choose(FieldRmdTarget, 0), Ok()});
    EXPECT_EQ(RmdOptionsDialog(), 1);
    EXPECT_EQ(dialogs.Last().Shown(FieldRmdPenalty), "50.0");
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "This amount must be greater than 0.00 and less than 100.00.");
    EXPECT_EQ(screen.messages[0].caption, "RATE ERROR");
    EXPECT_EQ(screen.messages[1].text,
              "You probably cannot transfer RMD funds to another Tax Free or Retirement account.\n"
              "Please check the RMD regulations.");
    EXPECT_EQ(screen.messages[1].caption, "Probable RMD Account Error");
    EXPECT_EQ(+scenario.accountTable.rmdOption, 3);  // no button set
    EXPECT_EQ(+scenario.accountOptions.rmdPenaltyRate, 25.0f);
    EXPECT_EQ(+scenario.accountOptions.rmdTargetAccount, IdOf("Bonds"));
}

TEST_F(OptionDialogs, RmdTableNamesTheFirstValueThatDoesNotFall) {
    Script({});
    RmdTableDialog(1);
    const auto& shown = dialogs.Last();
    EXPECT_EQ(shown.caption, "Life Expectancy Values From IRS Tables");
    EXPECT_EQ(shown.Shown(FieldTableValue), "27.4");  // at the start age 70
    EXPECT_EQ(shown.Shown(FieldTableTitle), "Table  1");
    Script({Type(FieldTableValue + 2, "25.6"), Type(FieldTableValue + 3, "25.8"), Ok()});
    EXPECT_EQ(RmdTableDialog(1), 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), "Possible incorrect value 25.6 at age 72.\nPlease check the IRS RMD Life Expectancy Tables.");
    EXPECT_EQ(LastCaption(), "Probable RMD Value Error");
    EXPECT_EQ(+scenario.accountOptions.rmdValues1[3], 25.8f);
    EXPECT_EQ(+scenario.accountOptions.rmdValues1[29], 6.7f);
}

TEST_F(OptionDialogs, RmdTableZeroValueIsNamedAndEndsTheMessages) {
    Script({Type(FieldTableValue + 5, "0"), Type(FieldTableValue + 10, "0"), Ok()});
    EXPECT_EQ(RmdTableDialog(2), 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), "Possible incorrect value 0.0 at age 75.\nPlease check the IRS RMD Life Expectancy Tables.");
    EXPECT_EQ(+scenario.accountOptions.rmdValues2[5], 0.0f);
    // A value beyond 50 from age 70 on is named with its age and kept.
    screen.Clear();
    Script({Type(FieldTableValue + 1, "55"), Ok()});
    EXPECT_EQ(RmdTableDialog(3), 1);
    EXPECT_EQ(screen.messages[0].text,
              "The value 55.0 for age 71 seems out of range. Please check your Life Expectancy Tables.");
    EXPECT_EQ(+scenario.accountOptions.rmdValues3[1], 55.0f);
}

TEST_F(OptionDialogs, MonteCarloCancelKeepsTheFactorAndRestoresTheCounts) {
    state.mcTrials = 100;
    scenario.settings.mcDistribution = 0;
    scenario.settings.mcRangeFactor = 14;  // brought into 0..10 on opening
    Script({Type(FieldTrials, "500"), Choose(FieldFactor, 3), Click(FieldShowBands)});
    EXPECT_EQ(MonteCarloSettingsDialog(), 0);
    EXPECT_EQ(shell.mcShowBands, 1);
    EXPECT_EQ(dialogs.Last().shownSelected.at(FieldFactor), 10);
    EXPECT_EQ(dialogs.Last().Text(FieldFactorValue), "3");
    EXPECT_EQ(+scenario.settings.mcRangeFactor, 3);
    EXPECT_EQ(state.mcTrials, 100);
}

TEST_F(OptionDialogs, MonteCarloKindTwoForcesAccountRatesAndOkBoundsTheCounts) {
    scenario.settings.mcRandomSource = 1;
    Script({Click(FieldKindDeviation), Type(FieldTrials, "-5"), Type(FieldMinInflation, "-20"),
            Type(FieldMaxInflation, "60"), Type(FieldGoal, "250000"), Click(FieldShowTrials), Ok()});
    EXPECT_EQ(MonteCarloSettingsDialog(), 1);
    // The folder's view switches: both on at first, the curves turned off here.
    EXPECT_TRUE(dialogs.Last().checked.at(FieldShowBands));
    EXPECT_EQ(shell.mcShowBands * 10 + shell.mcShowTrials, 10);
    shell = ShellState{};
    EXPECT_FALSE(dialogs.Last().Enabled(FieldSourceGroups));
    EXPECT_EQ(+scenario.settings.mcRandomSource, 0);
    EXPECT_EQ(+scenario.settings.mcDistribution, 2);
    EXPECT_EQ(state.mcTrials, 10);
    EXPECT_EQ(state.mcMinInflationRate, -10.0f);
    EXPECT_EQ(state.mcMaxInflationRate, 50.0f);
    EXPECT_EQ(+scenario.settings.mcGoalAmount, 250000.0f);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(OptionDialogs, ReportOptionsKeepTheTextOfAnUncheckedTitle) {
    SetFieldText(scenario.reportOptions.title2, "Old title");
    scenario.reportOptions.title2On = 1;
    Script({Click(FieldTitle1On), Type(FieldTitle1, "Smith family plan"), Click(FieldTitle2On),
            Type(FieldTitle2, "New"), Click(FieldReportBoxing), Ok()});
    EXPECT_EQ(ReportOptionsDialog(), 1);
    EXPECT_EQ(FieldText(scenario.reportOptions.title1), "Smith family plan");
    EXPECT_EQ(+scenario.reportOptions.title1On, 1);
    EXPECT_EQ(FieldText(scenario.reportOptions.title2), "Old title");
    EXPECT_EQ(+scenario.reportOptions.title2On, 0);
    EXPECT_EQ(state.reportBoxing, 1);
}

TEST_F(OptionDialogs, MortgageScheduleShowsAndWritesTheRows) {
    ResetEventSlot(0);
    Event& e = scenario.events[0];
    e.eventType = EventMortgage;
    e.startAge = 40;
    e.amount = 200000;
    e.rate2 = 40000;
    e.loanRate = 6;
    e.years = 30;
    Script({});
    EXPECT_EQ(MortgageScheduleWindow(0), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Mortgage Schedule");
    const auto& rows = r.items.at(FieldScheduleList);
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows.front().substr(0, 4), " 40\t");
    EXPECT_EQ(rows.back().substr(0, 4), " 70\t");
    EXPECT_TRUE(std::filesystem::exists("psched.tmp"));
}

TEST_F(OptionDialogs, RmdTableRefusalBeforeSeventyKeepsTheEarlierValues) {
    Script({Type(FieldTableStart, "65"), Type(FieldTableValue, "30.1"), Type(FieldTableValue + 1, "60"), Ok()});
    EXPECT_EQ(RmdTableDialog(1), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), "This amount must be greater than 0.00 and less than 50.00.");
    EXPECT_EQ(LastCaption(), "Probable RMD Value Error");
    EXPECT_EQ(+scenario.accountOptions.rmdStartAge1, 65);
    EXPECT_EQ(+scenario.accountOptions.rmdValues1[0], 30.1f);  // stored before the refusal
    EXPECT_EQ(+scenario.accountOptions.rmdValues1[1], 0.0f);   // the refused one is not
}

}  // namespace
