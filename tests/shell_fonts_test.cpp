// Chosen fonts, the value rows' spacing, and the commands that reach
// Preferences, Add Event and the darker labels.
#include "dialogs_fixture.h"

namespace {

using FontsTest = DialogsTest;

FontDescription Font(int height, const char* face) {
    FontDescription f{};
    f.height = height;
    f.weight = 400;
    SetFieldText(f.faceName, face);
    return f;
}

TEST_F(FontsTest, ValueFontSpacingGrowsWithTheSize) {
    EXPECT_EQ(ValueFontSpacingFor(100), 0.0f);
    EXPECT_EQ(ValueFontSpacingFor(120), 0.0f);
    EXPECT_EQ(ValueFontSpacingFor(121), 0.5f);
    EXPECT_EQ(ValueFontSpacingFor(139), 0.5f);
    EXPECT_EQ(ValueFontSpacingFor(140), 2.0f);
    EXPECT_EQ(ValueFontSpacingFor(360), 2.0f);
}

TEST_F(FontsTest, FolderFontsAreUsedOnlyWithDefaultFontsOff) {
    // A start sets the report face alone: still the default report font.
    SetFieldText(scenario.folderFonts[0].faceName, "Lucida");
    EXPECT_EQ(ChosenFont(1), nullptr);
    EXPECT_EQ(ChosenFont(0), nullptr);
    EXPECT_EQ(ChosenFont(4), nullptr);

    scenario.pageSettings.defaultFonts = 1;
    EXPECT_EQ(StoreChosenFont(2, Font(-16, "DejaVu Sans"), 120), 1);
    EXPECT_EQ(StoreChosenFont(3, Font(-20, "DejaVu Serif"), 150), 1);
    EXPECT_EQ(StoreChosenFont(1, Font(-13, "Lucida"), 100), 1);
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(+scenario.pageSettings.valueFontSpacing, 2.0f);
    // Default fonts on: the folders keep theirs, the report font is chosen.
    EXPECT_EQ(ChosenFont(2), nullptr);
    EXPECT_EQ(ChosenFont(3), nullptr);
    ASSERT_NE(ChosenFont(1), nullptr);
    EXPECT_EQ(shell.valueFontSpacing, 0.0f);

    scenario.pageSettings.defaultFonts = 0;
    ASSERT_NE(ChosenFont(3), nullptr);
    EXPECT_EQ(FieldText(ChosenFont(3)->faceName), "DejaVu Serif");
    EXPECT_EQ(StoreChosenFont(0, Font(-20, "x"), 150), 0);
}

TEST_F(FontsTest, PreferencesHandTheSpacingToTheFoldersOnlyWithoutDefaultFonts) {
    scenario.pageSettings.valueFontSpacing = 0.5f;
    scenario.pageSettings.defaultFonts = 1;
    Script({Click(FieldDefaultFonts), Ok()});  // switch default fonts off
    EXPECT_EQ(DispatchCommand(CmdPreferences), 1);
    EXPECT_EQ(+scenario.pageSettings.defaultFonts, 0);
    EXPECT_EQ(shell.valueFontSpacing, 0.5f);

    Script({Click(FieldDefaultFonts), Ok()});  // and on again
    EXPECT_EQ(DispatchCommand(CmdPreferences), 1);
    EXPECT_EQ(shell.valueFontSpacing, 0.0f);

    // Cancel hands nothing over.
    Script({Click(FieldDefaultFonts), Dlg::Click(ui::IdCancel)});
    EXPECT_EQ(DispatchCommand(CmdPreferences), 0);
    EXPECT_EQ(shell.valueFontSpacing, 0.0f);
    EXPECT_EQ(+scenario.pageSettings.defaultFonts, 1);
}

// A font button closes Preferences keeping its boxes: "Use default fonts",
// cleared to reach the button, stays cleared, so the chosen font shows.
TEST_F(FontsTest, AFontButtonChoosesItsRecordAndClosesPreferencesKeepingItsBoxes) {
    static int asked;
    asked = 0;
    dialogHooks.fontChooser = [](int record) {
        asked = record;
        return 1;
    };
    scenario.pageSettings.defaultFonts = 1;
    const int banding = state.colorBanding;
    Script({Click(FieldDefaultFonts), Click(FieldColorBanding), Click(FieldValueFonts)});
    EXPECT_EQ(PreferencesDialog(), 1);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(dialogs.Last().Enabled(FieldValueFonts));
    EXPECT_EQ(+scenario.pageSettings.defaultFonts, 0);
    EXPECT_EQ(state.colorBanding, banding ? 0 : 1);
}

TEST_F(FontsTest, AddEventPreferencesAndDarkerLabelsAreCommands) {
    Script({Ok()});
    EXPECT_EQ(DispatchCommand(CmdAddEvent), 1);
    EXPECT_EQ(dialogs.Last().caption, "Add Event");
    EXPECT_EQ(shell.windowOpen[WindowAddEvent], 0);

    EXPECT_EQ(shell.darker, 0);
    EXPECT_EQ(DispatchCommand(CmdDarkerLabels), 1);
    EXPECT_EQ(shell.darker, 1);
    EXPECT_EQ(DispatchCommand(CmdDarkerLabels), 1);
    EXPECT_EQ(shell.darker, 0);

    // Both dialogs are in the Edit menu.
    int found = 0;
    for (const auto& e : MenuLayout())
        if (e.kind == MenuKind::Item && (e.id == CmdAddEvent || e.id == CmdPreferences)) ++found;
    EXPECT_EQ(found, 2);
    // Guarded like every editing command.
    shell.windowOpen[WindowInitialValues] = 1;
    EXPECT_EQ(DispatchCommand(CmdPreferences), 0);
    EXPECT_EQ(DispatchCommand(CmdDarkerLabels), 0);
    EXPECT_EQ(shell.darker, 0);
}

}  // namespace
