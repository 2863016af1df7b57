#include <cstdio>
#include <filesystem>

#include "shell_fixture.h"

namespace {

// ---- Keywords and colours -------------------------------------------------------

TEST_F(ShellTest, KeywordsAreFoundAnywhereAndDarkYellowWinsOverGray) {
    ScanCommandLine("x IDONx GRAY DARKYELLOW");
    EXPECT_EQ(shell.idColumn, 1);
    EXPECT_EQ(shell.colourScheme, 0);
    EXPECT_EQ(shell.lighter, 0);
    // Scheme 0 without LIGHTER leaves window colours as they are.
    EXPECT_EQ(WindowColour({200, 100, 50}), (Colour{200, 100, 50}));

    shell = ShellState{};
    ScanCommandLine("idon gray SUMMARY QUIL DARKER");
    EXPECT_EQ(shell.idColumn, 0);  // upper case only
    EXPECT_EQ(shell.colourScheme, 2);
    EXPECT_EQ(runSwitches.summary, 1);
    EXPECT_EQ(shell.quil, 1);
    EXPECT_EQ(shell.darker, 1);
    EXPECT_EQ(WindowColour({200, 100, 50}), (Colour{218, 118, 68}));

    shell = ShellState{};
    ScanCommandLine("DARKYELLOW LIGHTER");
    EXPECT_EQ(WindowColour({200, 100, 50}), (Colour{218, 118, 68}));
}

TEST_F(ShellTest, LighteningRule) {
    EXPECT_EQ(LightenColour({200, 100, 50}), (Colour{218, 118, 68}));
    EXPECT_EQ(LightenColour({200, 100, 0}), (Colour{200, 100, 0}));
    EXPECT_EQ(LightenColour({255, 10, 10}), (Colour{255, 10, 10}));
    EXPECT_EQ(LightenColour({213, 208, 21}), (Colour{227, 222, 35}));
    EXPECT_EQ(LightenColour({100, 100, 100}), (Colour{151, 151, 151}));
}

// ---- Start-up -------------------------------------------------------------------

TEST_F(ShellTest, StartWithoutSettingsShowsTmp01AndGraysTheScenarioCommands) {
    StartUp();
    EXPECT_EQ(screen.title, "Tillory -- Pro - tmp01.ret");
    for (int id : {101, 106, 107, 108, 109, 110, 466, 3, 4, 7, 8, 9, 401, 501, 881, 891, 404, 403})
        EXPECT_EQ(screen.Enabled(id), 0) << id;
    EXPECT_EQ(screen.Enabled(CmdOpen), -1);  // never grayed
    EXPECT_TRUE(std::filesystem::exists("finance.dat"));
    ASSERT_EQ(screen.tabs.size(), 10u);
    EXPECT_EQ(screen.tabs[0], "K&&V Software");
    EXPECT_EQ(screen.tabs[3], "Results");
    EXPECT_EQ(screen.tabs[9], "Monte Carlo Analysis");
    EXPECT_EQ(screen.selectedTab, 0);
    EXPECT_EQ(screen.foldersShown.back(), std::make_pair(0, +FolderMaker));

    // New enables them.
    screen.choices = {2};
    EXPECT_EQ(DispatchCommand(CmdNew), 1);
    for (int id : {101, 3, 4, 7, 401, 501, 891}) EXPECT_EQ(screen.Enabled(id), 1) << id;
    EXPECT_EQ(screen.Enabled(404), 0);  // until a graph folder is shown
}

TEST_F(ShellTest, StartReopensTheLastScenarioAndRunsTheProjection) {
    MakeScenarioFile("last.ret");
    WriteSettings("last.ret", "older.ret");
    StartUp();
    EXPECT_EQ(screen.title, "Tillory -- Pro - last.ret");
    EXPECT_EQ(+scenario.initialValues.startAge, 65.0f);
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_GE(shell.runs, 1);
    EXPECT_GT(ResultLineCount(), 0);
    EXPECT_EQ(screen.Enabled(101), 1);
    EXPECT_EQ(screen.recentMenu, std::vector<std::string>{"older.ret"});
}

TEST_F(ShellTest, StartWithAnInvalidLastScenarioFallsBackToTmp01) {
    Put("broken.ret", "short");
    WriteSettings("broken.ret");
    StartUp();
    EXPECT_EQ(screen.messages.at(0).caption, "FILE WARNING");
    EXPECT_EQ(screen.title, "Tillory -- Pro - tmp01.ret");
    EXPECT_EQ(screen.Enabled(CmdWithdrawal), 0);
}

TEST_F(ShellTest, ASecondStartWithoutAScenarioStillShowsTmp01) {
    StartUp();
    ASSERT_TRUE(std::filesystem::exists("finance.dat"));
    screen.Clear();
    StartUp();
    EXPECT_EQ(screen.title, "Tillory -- Pro - tmp01.ret");
    EXPECT_TRUE(screen.messages.empty());
    // Opening a file then does not list the placeholder name.
    MakeScenarioFile("b.ret");
    screen.files = {"b.ret"};
    EXPECT_EQ(DispatchCommand(CmdOpen), 1);
    EXPECT_TRUE(screen.recentMenu.empty());
}

TEST_F(ShellTest, HiddenMakerFolderStartsWithSummary) {
    PageSettings p{};
    p.hideMakerFolder = 1;
    p.windowWidth = 640;
    p.windowHeight = 480;
    Put("prefinf.dat", Raw(p));
    StartUp();
    EXPECT_EQ(screen.tabs.at(0), "Summary");
    EXPECT_EQ(screen.foldersShown.back(), std::make_pair(0, +FolderSummary));
    EXPECT_EQ(screen.geometry.right - screen.geometry.left, 640);
}

TEST_F(ShellTest, NewFromADelimitedFileSaysWhenItCannotImport) {
    screen.choices = {0};
    EXPECT_EQ(DispatchCommand(CmdNew), 1);
    EXPECT_EQ(screen.messages.back().caption, "Create New Accounts");
    static int asked = 0;
    asked = 0;
    shellHooks.createAccountsFromFile = [](int command) { return asked = command; };
    screen.choices = {1};
    EXPECT_EQ(DispatchCommand(CmdNew), 1);
    EXPECT_EQ(asked, CmdNewFromCsv);
}

TEST_F(ShellTest, FileDialogAnswersGetTheDefaultExtension) {
    EXPECT_EQ(ui::WithDefaultExtension("b", "ret"), "b.ret");
    EXPECT_EQ(ui::WithDefaultExtension("dir.x/b", "ret"), "dir.x/b.ret");
    EXPECT_EQ(ui::WithDefaultExtension("b.RET", "ret"), "b.RET");
    EXPECT_EQ(ui::WithDefaultExtension("b.txt", ""), "b.txt");
}

TEST_F(ShellTest, WindowSizeFollowsTheScreenResolution) {
    screen.screenDpi = 96;
    StartUpBeforeWindow("");
    EXPECT_EQ(screen.minWidth, 600);
    EXPECT_EQ(screen.geometry.right - screen.geometry.left, 600);
    EXPECT_EQ(screen.geometry.bottom - screen.geometry.top, 500);

    screen.screenDpi = 120;
    StartUpBeforeWindow("");
    EXPECT_EQ(screen.minWidth, 790);
    EXPECT_EQ(screen.geometry.left, 10);
    EXPECT_EQ(screen.geometry.top, 10);
    EXPECT_EQ(screen.geometry.right, 800);
    EXPECT_EQ(screen.geometry.bottom, 600);
    int w = 100, h = 100;
    ClampWindowSize(w, h);
    EXPECT_EQ(w, 790);
    EXPECT_EQ(h, 300);
    EXPECT_EQ(FolderAreaHeight(500, 1), 500 - 29 - 29 - 10);
}

// ---- Dispatch rules -------------------------------------------------------------

TEST_F(ShellTest, AnOpenEditingWindowOnlyComesToTheFront) {
    StartUp();
    shell.windowOpen[WindowInitialValues] = 1;
    EXPECT_EQ(DispatchCommand(CmdOpen), 0);
    EXPECT_EQ(DispatchCommand(CmdNew), 0);
    EXPECT_EQ(DispatchCommand(CmdGraphWindow), 0);
    EXPECT_TRUE(screen.fileDialogs.empty());
    EXPECT_TRUE(screen.optionDialogs.empty());
    EXPECT_TRUE(screen.launches.empty());
    EXPECT_EQ(screen.raised, (std::vector<int>{WindowInitialValues, WindowInitialValues, WindowInitialValues}));
    // Help still answers.
    EXPECT_EQ(DispatchCommand(CmdHelpContents), 1);
    EXPECT_EQ(screen.helpPages.back(), "contents.html");
}

TEST_F(ShellTest, EventCommandsRespectTheEventLimit) {
    state.eventCount = MaxEvents;
    EXPECT_EQ(DispatchCommand(CmdWithdrawal), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Event Warning");
}

TEST_F(ShellTest, EveryMenuItemNamesACommandWithTextAndEveryToolbarButtonATooltip) {
    int buttons = 0;
    for (const auto& e : MenuLayout())
        if (e.kind == MenuKind::Item) {
            const Command* c = FindCommand(e.id);
            ASSERT_NE(c, nullptr) << e.id;
            EXPECT_NE(c->text, nullptr) << e.id;
        }
    for (const auto& b : ToolbarButtons()) {
        if (b.bitmap < 0) continue;
        ++buttons;
        const Command* c = FindCommand(b.command);
        ASSERT_NE(c, nullptr) << b.command;
        EXPECT_NE(c->tooltip, nullptr) << b.command;
    }
    EXPECT_EQ(ToolbarButtons().size(), 29u);
    EXPECT_EQ(buttons, 24);
    EXPECT_STREQ(FindCommand(884)->tooltip, "Open Window's Calculator");
    EXPECT_STREQ(FindCommand(4)->text, "S&ave as..");
    EXPECT_STREQ(FindCommand(887)->text, "Contact K&&V Software by Email");
}

// ---- New, Open, Save As, recent files ------------------------------------------------

TEST_F(ShellTest, CancellingTheSaveQuestionChangesNothing) {
    MakeScenarioFile("a.ret");
    state.modified = 1;
    SetScenarioPath("mine.ret");
    for (int id : {CmdNew, CmdOpen}) {
        screen.answers = {ui::Answer::Cancel};
        EXPECT_EQ(DispatchCommand(id), 0);
    }
    SetFieldText(state.recentFiles[0], "a.ret");
    screen.answers = {ui::Answer::Cancel};
    EXPECT_EQ(DispatchCommand(CmdRecentFirst), 0);
    EXPECT_EQ(FieldText(state.scenarioPath), "mine.ret");
    EXPECT_EQ(state.modified, 1);
    EXPECT_TRUE(screen.fileDialogs.empty());
    EXPECT_TRUE(screen.optionDialogs.empty());
    EXPECT_EQ(screen.messages.size(), 3u);
}

// New on an untitled plan asked to save ./temp01.ret; Yes wrote the plan
// there and New then wrote the blank plan over that same file.
TEST_F(ShellTest, SavingAPlanWithoutAFileOfItsOwnAsksForANameFirst) {
    StartUp();
    state.startCounter = 0;
    screen.choices = {2};
    ASSERT_EQ(DispatchCommand(CmdNew), 1);
    ASSERT_EQ(FieldText(state.scenarioPath), "./temp01.ret");
    Account& a = scenario.accountTable.accounts[0];
    SetFieldText(a.name, "Savings");
    a.accountType = AccountInvestmentSavings;
    a.initialAmount = a.balance = 250000;
    AssignAccountId(0);
    state.modified = 1;
    const auto holdsThePlan = [this](const std::string& path) {
        return Bytes(path).find("Savings") != std::string::npos;
    };

    // Yes, then Save As given up: nothing is written and New goes no further.
    screen.Clear();
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(DispatchCommand(CmdNew), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Do you wish to save the file ./temp01.ret?");
    ASSERT_EQ(screen.fileDialogs.size(), 1u);
    EXPECT_TRUE(screen.fileDialogs[0].save);
    EXPECT_TRUE(screen.optionDialogs.empty());
    EXPECT_EQ(state.modified, 1);
    EXPECT_FALSE(holdsThePlan("temp01.ret"));
    // The same for Exit and Open.
    screen.Clear();
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(CloseMainWindow(), 0);
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(DispatchCommand(CmdOpen), 0);
    EXPECT_EQ(screen.fileDialogs.size(), 2u);

    // Yes with a name: the plan goes to its own file, and New's blank plan
    // to the temporary file.
    screen.Clear();
    screen.answers = {ui::Answer::Yes};
    screen.files = {"plan.ret"};
    screen.choices = {2};
    EXPECT_EQ(DispatchCommand(CmdNew), 1);
    EXPECT_TRUE(holdsThePlan("plan.ret"));
    EXPECT_FALSE(holdsThePlan("temp01.ret"));
    EXPECT_EQ(FieldText(state.scenarioPath), "./temp01.ret");
    EXPECT_EQ(scenario.accountTable.accountCount, 0);

    // Save itself asks for a name too.
    screen.Clear();
    screen.files = {"other.ret"};
    EXPECT_EQ(DispatchCommand(CmdSave), 1);
    EXPECT_EQ(screen.fileDialogs.size(), 1u);
    EXPECT_EQ(FieldText(state.scenarioPath), "other.ret");
    screen.Clear();
    EXPECT_EQ(DispatchCommand(CmdSave), 1);  // a file of its own: written in place
    EXPECT_TRUE(screen.fileDialogs.empty());

    // A temporary file holding a saved plan (an older Save wrote there) is
    // not overwritten by New without asking.
    std::filesystem::copy_file("plan.ret", "temp01.ret", std::filesystem::copy_options::overwrite_existing);
    screen.Clear();
    screen.answers = {ui::Answer::No};
    screen.choices = {2};
    EXPECT_EQ(DispatchCommand(CmdNew), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "./temp01.ret holds a saved scenario - Overwrite it with the new one?");
    EXPECT_TRUE(holdsThePlan("temp01.ret"));
}

TEST_F(ShellTest, NewByHandWritesTheTemporaryFileAndEnablesTheMenus) {
    StartUp();
    state.startCounter = 3;
    screen.Clear();
    screen.choices = {2};
    EXPECT_EQ(DispatchCommand(CmdNew), 1);
    ASSERT_EQ(screen.optionDialogs.size(), 1u);
    EXPECT_EQ(screen.optionDialogs[0].caption, "Create New Accounts");
    EXPECT_EQ(screen.optionDialogs[0].options.at(0), "Create New Accounts From a Tab-delimited File (*.KVI)");
    EXPECT_EQ(screen.optionDialogs[0].options.at(1), "Create New Accounts From a Comma-delimited File (*.CSV)");
    std::string name = FieldText(state.scenarioPath);
    EXPECT_EQ(std::filesystem::path(name).filename(), "temp31.ret");
    EXPECT_TRUE(std::filesystem::exists("temp31.ret"));
    EXPECT_EQ(screen.title, "Tillory -- Pro - " + name);
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(state.needsRecalc, 1);
    EXPECT_EQ(FieldText(scenario.accountOptions.rmdName2), "IRA 2");
    EXPECT_EQ(screen.Enabled(CmdWithdrawal), 1);
    // The reset budgets' names reach the Budgets menu.
    for (int b = 0; b < MaxBudgets; ++b)
        EXPECT_EQ(screen.MenuText(MenuBudgetFirst + b), "Budget " + std::to_string(b + 1));

    // Cancelling the choice does nothing.
    screen.Clear();
    EXPECT_EQ(DispatchCommand(CmdNew), 0);
    EXPECT_TRUE(screen.enabled.empty());
}

TEST_F(ShellTest, OpenAsksForAScenarioFileAndRemembersThePreviousOne) {
    MakeScenarioFile("a.ret");
    MakeScenarioFile("b.ret");
    MakeScenarioFile("empty.ret", false);
    StartUp();
    SetScenarioPath("a.ret");
    screen.Clear();

    EXPECT_EQ(DispatchCommand(CmdOpen), 0);  // cancelled dialog
    ASSERT_EQ(screen.fileDialogs.size(), 1u);
    const ui::FileDialog& d = screen.fileDialogs[0];
    EXPECT_EQ(d.title, "Open a Scenario");
    ASSERT_EQ(d.filters.size(), 1u);
    EXPECT_EQ(d.filters[0].description, "Scenario Files (*.RET)");
    EXPECT_EQ(d.defaultExtension, "ret");
    EXPECT_TRUE(d.mustExist);
    EXPECT_EQ(FieldText(state.scenarioPath), "a.ret");

    screen.files = {"b"};  // the default extension is added
    state.modified = 0;
    EXPECT_EQ(DispatchCommand(CmdOpen), 1);
    EXPECT_EQ(screen.title, "Tillory -- Pro - b.ret");
    EXPECT_EQ(screen.recentMenu, std::vector<std::string>{"a.ret"});
    EXPECT_EQ(FolderOfTab(screen.selectedTab), FolderScenario);  // it holds an event
    EXPECT_EQ(screen.Enabled(CmdWithdrawal), 1);
    EXPECT_GT(ResultLineCount(), 0);

    screen.files = {"empty.ret"};
    EXPECT_EQ(DispatchCommand(CmdOpen), 1);
    EXPECT_EQ(screen.selectedTab, 0);  // no events: the first folder
    EXPECT_EQ(screen.recentMenu, (std::vector<std::string>{"b.ret", "a.ret"}));
}

TEST_F(ShellTest, OpenOfAFileThatCannotBeOpenedKeepsTheScenario) {
    MakeScenarioFile("b.ret");
    SetScenarioPath("b.ret");
    ASSERT_EQ(OpenScenario("b.ret"), 1);
    state.modified = 1;
    screen.answers = {ui::Answer::No};
    screen.files = {"missing.ret"};
    EXPECT_EQ(DispatchCommand(CmdOpen), 0);
    EXPECT_EQ(screen.title, "Tillory -- Pro");
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(FieldText(state.scenarioPath), "b.ret");
    EXPECT_EQ(state.eventCount, 1);
}

TEST_F(ShellTest, RecentFilesListThePreviouslyOpenScenarios) {
    MakeScenarioFile("A.ret");
    MakeScenarioFile("B.ret");
    MakeScenarioFile("C.ret");
    WriteSettings("A.ret");
    StartUp();
    EXPECT_TRUE(screen.recentMenu.empty());
    auto open = [&](const char* path) {
        screen.files = {path};
        EXPECT_EQ(DispatchCommand(CmdOpen), 1);
    };
    open("B.ret");
    EXPECT_EQ(screen.recentMenu, std::vector<std::string>{"A.ret"});
    open("C.ret");
    EXPECT_EQ(screen.recentMenu, (std::vector<std::string>{"B.ret", "A.ret"}));
    open("A.ret");
    EXPECT_EQ(screen.recentMenu, (std::vector<std::string>{"C.ret", "B.ret", "A.ret"}));

    // Entry 2 opens B; the file left (A) goes to the top.
    EXPECT_EQ(DispatchCommand(CmdRecentFirst + 1), 1);
    EXPECT_EQ(screen.title, "Tillory -- Pro - B.ret");
    EXPECT_EQ(screen.recentMenu, (std::vector<std::string>{"A.ret", "C.ret", "B.ret"}));
    // An empty entry does nothing.
    EXPECT_EQ(DispatchCommand(CmdRecentSixth), 0);
}

TEST_F(ShellTest, SaveAsWritesTheNewFileAndRemembersTheOldName) {
    MakeScenarioFile("b.ret");
    SetScenarioPath("b.ret");
    ASSERT_EQ(OpenScenario("b.ret"), 1);
    state.modified = 1;
    screen.files = {"copy"};
    EXPECT_EQ(DispatchCommand(CmdSaveAs), 1);
    EXPECT_EQ(screen.fileDialogs.back().title, "Save Scenario With a New Name");
    EXPECT_TRUE(screen.fileDialogs.back().save);
    EXPECT_EQ(std::filesystem::file_size("copy.ret"), static_cast<uintmax_t>(ScenarioFileSize(1)));
    EXPECT_EQ(FieldText(state.scenarioPath), "copy.ret");
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(screen.recentMenu, std::vector<std::string>{"b.ret"});
}

TEST_F(ShellTest, AccountsFileCommandsUseTheirDialogs) {
    StartUp();
    screen.files = {"mine"};
    EXPECT_EQ(DispatchCommand(CmdSaveAccounts), 1);
    EXPECT_EQ(screen.fileDialogs.back().title, "Write Accounts");
    EXPECT_EQ(screen.fileDialogs.back().defaultExtension, "acc");
    EXPECT_EQ(std::filesystem::file_size("mine.acc"), 6062u);

    screen.files = {"mine.acc"};
    EXPECT_EQ(DispatchCommand(CmdReadAccounts), 1);
    EXPECT_EQ(screen.fileDialogs.back().title, "Read Accounts");
    EXPECT_EQ(FolderOfTab(screen.selectedTab), FolderAccounts);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(ShellTest, ReindexAsksFirstAndReportsAfterwards) {
    screen.answers = {ui::Answer::No};
    EXPECT_EQ(DispatchCommand(CmdReindexAccounts), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Accounts");
    EXPECT_EQ(screen.messages[0].buttons, ui::Buttons::YesNo);
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(DispatchCommand(CmdReindexAccounts), 1);
    EXPECT_EQ(screen.messages.back().text,
              "The Accounts have been re-indexed.\nPlease check the account assignments in your scenario.");
    EXPECT_EQ(FolderOfTab(screen.selectedTab), FolderScenario);
}

TEST_F(ShellTest, ClosingAsksToSaveAndWritesTheSettings) {
    StartUp();
    std::filesystem::remove("finance.dat");
    state.modified = 1;
    screen.answers = {ui::Answer::Cancel};
    EXPECT_EQ(CloseMainWindow(), 0);
    EXPECT_FALSE(std::filesystem::exists("finance.dat"));
    screen.answers = {ui::Answer::No};
    EXPECT_EQ(CloseMainWindow(), 1);
    EXPECT_TRUE(std::filesystem::exists("finance.dat"));
    EXPECT_TRUE(std::filesystem::exists("prefinf.dat"));

    EXPECT_EQ(DispatchCommand(CmdExit), 1);
    EXPECT_EQ(screen.closeRequests, 1);
}

// ---- Folders ----------------------------------------------------------------------

TEST_F(ShellTest, AccountTabsComeInBlocksOfTen) {
    EXPECT_TRUE(AccountTabLabels(0).empty());
    EXPECT_EQ(AccountTabLabels(1), std::vector<std::string>{"Account 1"});
    EXPECT_EQ(AccountTabLabels(7), std::vector<std::string>{"Accounts 1-7"});
    EXPECT_EQ(AccountTabLabels(10), std::vector<std::string>{"Accounts 1-10"});
    EXPECT_EQ(AccountTabLabels(11), (std::vector<std::string>{"Accounts 1-10", "Account 11"}));
    EXPECT_EQ(AccountTabLabels(25), (std::vector<std::string>{"Accounts 1-10", "Accounts 11-20", "Accounts 21-25"}));
}

TEST_F(ShellTest, TheMakerPageGivesWayToSummaryAndGraphFoldersEnableGraphPrinting) {
    screen.choices = {2};
    StartUp();
    DispatchCommand(CmdNew);
    EXPECT_EQ(FolderOfTab(0), FolderMaker);
    SelectFolderTab(FolderNetWorth, 0);
    EXPECT_EQ(screen.Enabled(CmdPrintGraph), 1);
    EXPECT_EQ(screen.Enabled(CmdPrintGraphButton), 1);
    SelectFolderTab(FolderResults, 0);
    EXPECT_EQ(screen.Enabled(CmdPrintGraph), 1);  // only Summary and Accounts gray it
    SelectFolderTab(0, 0);
    EXPECT_EQ(screen.tabs[0], "Summary");
    EXPECT_EQ(screen.foldersShown.back(), std::make_pair(0, +FolderSummary));
    EXPECT_EQ(screen.Enabled(CmdPrintGraph), 0);
}

// Ctrl+L stayed grayed when the analysis was reached from Summary or
// Accounts, so it could not run the shown analysis again.
TEST_F(ShellTest, CtrlLWorksWhileTheMonteCarloFolderIsShown) {
    screen.choices = {2};
    StartUp();
    DispatchCommand(CmdNew);
    SelectFolderTab(FolderAccounts, 0);
    EXPECT_EQ(screen.Enabled(CmdShowMonteCarlo), 0);
    ShowFolder(FolderMonteCarlo);
    EXPECT_EQ(screen.Enabled(CmdShowMonteCarlo), 1);
    screen.foldersShown.clear();
    EXPECT_EQ(DispatchCommand(CmdShowMonteCarlo), 1);
    ASSERT_EQ(screen.foldersShown.size(), 1u);
    EXPECT_EQ(screen.foldersShown[0].second, +FolderMonteCarlo);
}

TEST_F(ShellTest, SelectingTheAccountsFolderRebuildsTheGeneratedEvents) {
    MakeScenarioFile("b.ret", false);
    SetScenarioPath("b.ret");
    ASSERT_EQ(OpenScenario("b.ret"), 1);
    int slot = scenario.accountTable.accounts[0].optionsSlot;
    scenario.accountOptions.rmdTable[slot] = 10;
    EXPECT_EQ(state.eventCount, 0);
    ShowFolder(FolderAccounts);
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(+scenario.events[0].eventType, EventRmdOption);
    // One tab per ten accounts before the Monte Carlo tab.
    EXPECT_EQ(screen.tabs[9], "Account 1");
    EXPECT_EQ(screen.tabs[10], "Monte Carlo Analysis");
    EXPECT_EQ(FolderOfTab(10), FolderMonteCarlo);
    EXPECT_EQ(TabOfFolder(FolderMonteCarlo), 10);
}

// Where the program keeps its files: --workdir, the desktop entry's
// --desktop, or the current folder for a start from a terminal.
TEST(WorkingFolderTest, ChosenByHowTheProgramWasStarted) {
    EXPECT_EQ(WorkingFolder("/tmp/w", true, "/data", "/home/p"), "/tmp/w");
    EXPECT_EQ(WorkingFolder("", true, "/data", "/home/p"), "/data/tillory");
    EXPECT_EQ(WorkingFolder("", true, "relative", "/home/p"), "/home/p/.local/share/tillory");
    EXPECT_EQ(WorkingFolder("", true, nullptr, "/home/p"), "/home/p/.local/share/tillory");
    EXPECT_EQ(WorkingFolder("", false, "/data", "/home/p"), "");

    namespace fs = std::filesystem;
    const fs::path was = fs::current_path();
    const fs::path base = fs::temp_directory_path() / "tillory-workdir-test";
    fs::remove_all(base);
    std::string error;
    ASSERT_EQ(EnterWorkingFolder((base / "a" / "b").string(), error), 1) << error;
    EXPECT_EQ(fs::current_path(), base / "a" / "b");
    fs::current_path(was);
    // A file where the folder should be: refused, and the current folder kept.
    { std::FILE* f = std::fopen((base / "file").c_str(), "w"); std::fclose(f); }
    EXPECT_EQ(EnterWorkingFolder((base / "file").string(), error), 0);
    EXPECT_NE(error.find("Cannot work in"), std::string::npos);
    EXPECT_EQ(fs::current_path(), was);
    fs::remove_all(base);
}

}  // namespace
