#include <cmath>

#include "files_fixture.h"
#include "shell/shell.h"

namespace {

// Every byte of the Scenario set to a pattern, then the fields an open would
// correct given values it keeps, so that the file is a pure dump.
void FillScenario(int events) {
    auto* bytes = reinterpret_cast<unsigned char*>(&scenario);
    for (size_t i = 0; i < sizeof scenario; ++i) bytes[i] = static_cast<unsigned char>((i * 31 + 7) % 251);
    scenario.initialValues.eventCount = static_cast<int16_t>(events);
    scenario.accountTable.accountCount = 2;
    for (int i = 0; i < MaxAccounts; ++i) scenario.accountTable.accounts[i].optionsSlot = static_cast<uint16_t>(i);
    ScenarioSettings& s = scenario.settings;
    for (int g = 0; g < MaxGroups; ++g) {
        s.groupRandomMinRate[g] = -2.5f + g;
        s.groupRandomMaxRate[g] = 7.25f + g;
    }
    s.mcMinInflationRate = 1.5f;
    s.mcMaxInflationRate = 6.75f;
    s.mcGoalAmount = 250000.0f;
    s.mcTrials = 250;
    s.mcRandomSource = 1;
    s.mcDistribution = 2;
    s.mcHideLegend = 1;
    s.mcRangeFactor = 3;
    s.mcStdDevFactor = 4;
    for (int b = 0; b < MaxBudgets; ++b) SetFieldText(scenario.budgets[b].name, "Budget " + std::string(1, 'A' + b));
    scenario.pageSettings.windowWidth = 800;
    scenario.pageSettings.marginLeft = 750;
    scenario.initialValues.startAge = 30.5f;
    scenario.initialValues.endAge = 90.0f;
    for (int i = 0; i < events; ++i) scenario.events[i].startAge = 40.0f + static_cast<float>(i);
    Scenario copy = scenario;
    std::string problem = CheckLoadedScenario(copy, events);
    EXPECT_EQ(problem, "");
}

std::string Dump(int events) {
    std::string out(reinterpret_cast<const char*>(&scenario.initialValues), 80 + 160 * events);
    out.append(reinterpret_cast<const char*>(&scenario.accountTable),
               sizeof scenario - offsetof(Scenario, accountTable));
    return out;
}

}  // namespace

// A file written from blocks and read back gives the same bytes, reserved ones
// included; the values kept outside the blocks travel with them.
TEST_F(FilesTest, SaveAndOpenRoundTripByteForByte) {
    FillScenario(3);
    const std::string expected = Dump(3);
    TakeOutsideValuesFrom(scenario);
    screen.windowRect = {10, 20, 810, 620};
    ASSERT_EQ(SaveScenarioAs("a.ret"), 1);
    EXPECT_TRUE(screen.messages.empty());
    ASSERT_EQ(Bytes("a.ret").size(), static_cast<size_t>(ScenarioFileSize(3)));
    EXPECT_EQ(Bytes("a.ret"), expected);
    EXPECT_EQ(screen.title, "Tillory -- Pro - a.ret");

    std::memset(&scenario, 0, sizeof scenario);
    state = ScenarioState{};
    ASSERT_EQ(OpenScenario("a.ret"), 1);
    EXPECT_EQ(state.eventCount, 3);
    EXPECT_EQ(state.mcTrials, 250);
    EXPECT_EQ(state.mcMaxInflationRate, 6.75f);
    EXPECT_EQ(state.marginLeft, 750);
    EXPECT_EQ(state.printMarginLeft, 450);  // 750 thousandths at 600 dots per inch
    EXPECT_EQ(state.needsRecalc, 1);
    EXPECT_EQ(screen.MenuText(MenuBudgetFirst + 2), "Budget C");
    ASSERT_EQ(SaveScenarioAs("b.ret"), 1);
    EXPECT_EQ(Bytes("b.ret"), expected);
}

TEST_F(FilesTest, TemporaryFileOpensWithDefaults) {
    scenario.initialValues.defaultPenaltyAge = 62.0f;
    scenario.initialValues.defaultPenaltyRate = 12.5f;
    state.eventCount = 2;
    ASSERT_EQ(SaveTemporaryScenario(3), 1);
    EXPECT_EQ(FieldText(state.scenarioPath), "./temp31.ret");
    EXPECT_EQ(Bytes("./temp31.ret").size(), static_cast<size_t>(TemporaryFileSize(2)));

    SetFieldText(scenario.reportOptions.title1, "Old title");
    scenario.reportOptions.title2On = 1;
    scenario.accountOptions.penaltyAge[4] = 70.0f;
    scenario.budgets[1].accountId = 7;
    state.marginTop = 1234;
    screen.dpiX = 300;
    ASSERT_EQ(OpenScenario("./temp31.ret"), 1);
    EXPECT_EQ(state.eventCount, 2);
    EXPECT_EQ(FieldText(scenario.reportOptions.title1), "");
    EXPECT_EQ(+scenario.reportOptions.title2On, 0);
    ExpectDefaultOptions(62.0f, 12.5f);
    // 1000/1000/500/1000 thousandths; left and right at 300, top and bottom at 600 dots per inch.
    EXPECT_EQ(state.printMarginLeft, 300);
    EXPECT_EQ(state.printMarginTop, 600);
    EXPECT_EQ(state.printMarginRight, 150);
    EXPECT_EQ(state.printMarginBottom, 600);
    EXPECT_EQ(state.printOrientation, 1);
    EXPECT_EQ(state.marginTop, 1234);
    for (int b = 0; b < MaxBudgets; ++b) {
        EXPECT_EQ(FieldText(scenario.budgets[b].name), "Budget " + std::to_string(b + 1));
        EXPECT_EQ(+scenario.budgets[b].accountId, -1);
    }
}

TEST_F(FilesTest, InvalidFilesAreRefusedWithTheResetScenario) {
    FillScenario(2);
    std::string full = Dump(2);
    auto refused = [&](const std::string& bytes) {
        Put("bad.ret", bytes);
        scenario.accountTable.accountCount = 4;
        state.eventCount = 2;
        SetScenarioPath("bad.ret");
        screen.Clear();
        EXPECT_EQ(OpenScenario("bad.ret"), 0);
        ASSERT_EQ(screen.messages.size(), 1u);
        EXPECT_EQ(screen.messages[0].text, "bad.ret doesn't seem to be a valid K&V Tillory file.");
        EXPECT_EQ(screen.messages[0].caption, "FILE WARNING");
        EXPECT_EQ(screen.messages[0].icon, ui::Icon::Stop);
        EXPECT_EQ(FieldText(state.scenarioPath), "tmp01.ret");
        EXPECT_EQ(state.eventCount, 0);
        EXPECT_EQ(+scenario.accountTable.accountCount, 0);
        EXPECT_EQ(+scenario.events[0].eventType, EventFreeSlot);
    };
    // Three events announced, two records present.
    std::string three = full.substr(0, 80 + 2 * 160);
    int16_t count = 3;
    std::memcpy(three.data(), &count, 2);
    refused(three);
    refused(full.substr(0, 79));
    refused(full.substr(0, 80 + 320 + 4123));
    for (int16_t bad : {int16_t(-1), int16_t(151)}) {
        std::string padded = full + std::string(40000, '\0');
        std::memcpy(padded.data(), &bad, 2);
        refused(padded);
    }
    std::string accounts = full;
    int16_t tooMany = 51;
    std::memcpy(accounts.data() + 80 + 320, &tooMany, 2);
    refused(accounts);

    // A file that cannot be opened changes nothing and says nothing.
    screen.Clear();
    scenario.accountTable.accountCount = 4;
    EXPECT_EQ(OpenScenario("missing.ret"), 0);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(screen.title, "Tillory -- Pro");
    EXPECT_EQ(+scenario.accountTable.accountCount, 4);
}

TEST_F(FilesTest, OpenCorrectsOutOfRangeSettings) {
    auto openWith = [&](int16_t trials, int16_t distribution) {
        FillScenario(0);
        ScenarioSettings& s = scenario.settings;
        s.mcTrials = trials;
        s.mcDistribution = distribution;
        s.mcHideLegend = 2;
        s.mcGoalAmount = std::nanf("");
        s.groupRandomMinRate[0] = 20.0f;
        s.groupRandomMaxRate[0] = 10.0f;
        s.groupRandomMinRate[1] = -60.0f;
        s.groupRandomMaxRate[1] = 30.0f;
        Put("c.ret", Dump(0));
        ASSERT_EQ(OpenScenario("c.ret"), 1);
    };
    for (int16_t trials : {int16_t(0), int16_t(5000)}) {
        openWith(trials, 3);
        EXPECT_EQ(state.mcTrials, 100);
        const ScenarioSettings& s = scenario.settings;
        EXPECT_EQ(+s.mcDistribution, 0);
        EXPECT_EQ(+s.mcHideLegend, 0);
        EXPECT_EQ(+s.mcGoalAmount, 0.0f);
        EXPECT_EQ(+s.groupRandomMinRate[0], 0.0f);
        EXPECT_EQ(+s.groupRandomMaxRate[0], 0.0f);
        EXPECT_EQ(+s.groupRandomMinRate[1], 0.0f);
        EXPECT_EQ(+s.groupRandomMaxRate[1], 30.0f);
        EXPECT_EQ(+s.groupRandomMinRate[2], -0.5f);  // valid values stay
    }
}

TEST_F(FilesTest, SaveNeedsAnExistingFile) {
    state.modified = 1;
    EXPECT_EQ(SaveScenario(), 0);  // "tmp01.ret" was never written
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot open file!");
    EXPECT_EQ(screen.messages[0].caption, "FILE ERROR");
    EXPECT_EQ(state.modified, 1);
    EXPECT_FALSE(std::filesystem::exists("tmp01.ret"));

    // New writes the temporary file that a following Save fills.
    ResetScenario();
    state.eventCount = 0;
    ASSERT_EQ(SaveTemporaryScenario(3), 1);
    state.modified = 1;
    EXPECT_EQ(SaveScenario(), 1);
    EXPECT_EQ(Bytes("./temp31.ret").size(), static_cast<size_t>(ScenarioFileSize(0)));
    EXPECT_EQ(state.modified, 0);
    EXPECT_EQ(screen.title, "Tillory -- Pro - ./temp31.ret");
}

TEST_F(FilesTest, SaveAsAsksBeforeOverwriting) {
    Put("old.ret", "old");
    SetScenarioPath("mine.ret");
    screen.answers = {ui::Answer::No};
    EXPECT_EQ(SaveScenarioAs("old.ret"), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "old.ret exits - Overwrite anyway?");
    EXPECT_EQ(screen.messages[0].caption, "FILE WARNING");
    EXPECT_EQ(screen.messages[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(Bytes("old.ret"), "old");
    EXPECT_EQ(FieldText(state.scenarioPath), "mine.ret");

    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(SaveScenarioAs("old.ret"), 1);
    EXPECT_EQ(Bytes("old.ret").size(), static_cast<size_t>(ScenarioFileSize(0)));
    EXPECT_EQ(FieldText(state.scenarioPath), "old.ret");
}

TEST_F(FilesTest, AskToSaveOnlyWhenModified) {
    EXPECT_EQ(AskToSave(), ui::Answer::No);
    EXPECT_TRUE(screen.messages.empty());

    Put("x.ret", "");
    SetScenarioPath("x.ret");
    state.modified = 1;
    screen.answers = {ui::Answer::Cancel};
    EXPECT_EQ(AskToSave(), ui::Answer::Cancel);
    EXPECT_EQ(Bytes("x.ret"), "");
    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(AskToSave(), ui::Answer::Yes);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[1].text, "Do you wish to save the file x.ret?");
    EXPECT_EQ(screen.messages[1].caption, "K&V Tillory -- Pro");
    EXPECT_EQ(screen.messages[1].buttons, ui::Buttons::YesNoCancel);
    EXPECT_EQ(screen.messages[1].icon, ui::Icon::Question);
    EXPECT_EQ(Bytes("x.ret").size(), static_cast<size_t>(ScenarioFileSize(0)));
    EXPECT_EQ(state.modified, 0);
}

// A shorter save over a longer file keeps the old length, and reads back
// exactly the new content; a save that cannot be completed leaves the old file.
TEST_F(FilesTest, SaveOverAnOlderFile) {
    FillScenario(5);
    TakeOutsideValuesFrom(scenario);
    ASSERT_EQ(SaveScenarioAs("s.ret"), 1);
    FillScenario(3);
    TakeOutsideValuesFrom(scenario);
    ASSERT_EQ(SaveScenario(), 1);
    const std::string saved = Bytes("s.ret");
    EXPECT_EQ(saved.size(), static_cast<size_t>(ScenarioFileSize(5)));
    EXPECT_EQ(saved.substr(0, ScenarioFileSize(3)), Dump(3));
    ASSERT_EQ(OpenScenario("s.ret"), 1);
    EXPECT_EQ(state.eventCount, 3);

    // No file may grow beyond 8000 bytes: the new content cannot be written.
    state.eventCount = 1;
    state.modified = 1;
    int result = WithFullDisk(8000, [] { return SaveScenario(); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(state.modified, 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot open file!");
    EXPECT_EQ(Bytes("s.ret"), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}

// A folder that takes no new file while the old file is writable: the save is
// refused with a message and the old file keeps every byte, even when the disk
// would have filled half-way. Accounts files are saved the same way, and a
// first save that fails leaves no empty file behind.
TEST_F(FilesTest, ASaveNeverWritesOverTheOldFile) {
    FillScenario(3);
    TakeOutsideValuesFrom(scenario);
    ASSERT_EQ(SaveScenarioAs("s.ret"), 1);
    ASSERT_EQ(WriteAccountsFile("a.acc"), 1);
    const std::string plan = Bytes("s.ret"), accounts = Bytes("a.acc");
    TakeEveryPartName("s.ret");
    TakeEveryPartName("a.acc");
    scenario.accountTable.accounts[0].balance = 1;
    state.modified = 1;
    EXPECT_EQ(WithFullDisk(4000, [] { return SaveScenario(); }), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot open file!\n\n" + NoNewFileText("s.ret"));
    EXPECT_EQ(screen.messages[0].caption, "FILE ERROR");
    EXPECT_EQ(Bytes("s.ret"), plan);
    EXPECT_EQ(state.modified, 1);

    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(WithFullDisk(4000, [] { return WriteAccountsCommand("a.acc"); }), 0);
    ASSERT_EQ(screen.messages.size(), 3u);
    EXPECT_EQ(screen.messages[2].text, "Cannot write a.acc accounts file!\n\n" + NoNewFileText("a.acc"));
    EXPECT_EQ(Bytes("a.acc"), accounts);

    screen.answers = {};
    EXPECT_EQ(WithFullDisk(4000, [] { return SaveScenarioAs("new.ret"); }), 0);
    EXPECT_FALSE(std::filesystem::exists("new.ret"));
    EXPECT_EQ(WithFullDisk(100, [] { return SaveTemporaryScenario(3); }), 0);
    EXPECT_FALSE(std::filesystem::exists("temp31.ret"));
}

// A name with no room for the part-file ending is named as the reason, not
// the folder; a device is written as it is, and its failure is no success.
TEST_F(FilesTest, ASaveSaysWhenTheNameIsTooLongAndChecksDevices) {
    FillScenario(1);
    TakeOutsideValuesFrom(scenario);
    const std::string name = std::string(250, 'n') + ".ret";
    EXPECT_EQ(SaveScenarioAs(name), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text,
              "Cannot open file!\n\nThe name " + name +
                  " is too long: the file is written beside it under a longer name first, and that name exceeds "
                  "what the system allows. Choose a shorter name; nothing was written.");
    EXPECT_FALSE(std::filesystem::exists(name));
    std::string why;
    EXPECT_EQ(ReplaceFileContent("/dev/full", std::string(100000, 'x'), false, &why), 0);
    EXPECT_EQ(ReplaceFileContent("/dev/null", "x", false, &why), 1);
}

// A value no dialog could have stored refuses the file with a message naming
// the field; the plan in memory is the reset one, so nothing hangs or runs on
// NaN. Values every run sets afresh are quietly cleared instead.
TEST_F(FilesTest, OpenRefusesValuesNoDialogCouldStore) {
    const float nan = std::nanf(""), inf = INFINITY;
    struct Case {
        const char* field;
        void (*spoil)(float);
        float value;
    } cases[] = {
        {"initialValues.endAge", [](float v) { scenario.initialValues.endAge = v; }, 1e8f},
        {"initialValues.endAge", [](float v) { scenario.initialValues.endAge = v; }, inf},
        {"initialValues.startAge", [](float v) { scenario.initialValues.startAge = v; }, -inf},
        {"initialValues.startAge", [](float v) { scenario.initialValues.startAge = v; }, nan},
        {"initialValues.startAge", [](float v) { scenario.initialValues.startAge = v; }, 0.0f},
        {"initialValues.taxRate", [](float v) { scenario.initialValues.taxRate = v; }, nan},
        {"events[1].amount", [](float v) { scenario.events[1].amount = v; }, inf},
        {"events[0].startAge", [](float v) { scenario.events[0].startAge = v; }, -inf},
        {"events[1].startAge", [](float v) { scenario.events[1].startAge = v; }, -1e9f},
        {"accountTable.accounts[1].balance", [](float v) { scenario.accountTable.accounts[1].balance = v; }, nan},
        {"accountOptions.penaltyRate[0]", [](float v) { scenario.accountOptions.penaltyRate[0] = v; }, nan},
        {"accountOptions.rmdValues2[29]", [](float v) { scenario.accountOptions.rmdValues2[29] = v; }, -inf},
        {"budgets[4].itemAmount[0]",
         [](float v) {
             scenario.budgets[4].itemCount = 1;
             scenario.budgets[4].itemAmount[0] = v;
         },
         nan},
        {"budgets[0].yearlyTotal", [](float v) { scenario.budgets[0].yearlyTotal = v; }, inf},
    };
    for (const Case& c : cases) {
        FillScenario(2);
        c.spoil(c.value);
        Put("bad.ret", Dump(2));
        screen.Clear();
        EXPECT_EQ(OpenScenario("bad.ret"), 0) << c.field;
        ASSERT_EQ(screen.messages.size(), 1u) << c.field;
        EXPECT_EQ(screen.messages[0].text.rfind("bad.ret doesn't seem to be a valid K&V Tillory file.\n\n" +
                                                    std::string(c.field) + " is ",
                                                0),
                  0u)
            << screen.messages[0].text;
        EXPECT_EQ(FieldText(state.scenarioPath), "tmp01.ret");
        EXPECT_EQ(+scenario.initialValues.endAge, 84.0f);
    }

    // The plan from age 1 to 120 that the Initial Values dialog refuses.
    FillScenario(2);
    scenario.initialValues.startAge = 1;
    scenario.initialValues.endAge = 120;
    Put("long.ret", Dump(2));
    screen.Clear();
    EXPECT_EQ(OpenScenario("long.ret"), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find("The age range must be less than 100!"), std::string::npos);

    // The widest plan the dialog takes, and run fields a run refills.
    FillScenario(2);
    scenario.initialValues.startAge = 20.75f;
    scenario.initialValues.endAge = 119.5f;
    scenario.events[0].runAmount = nan;
    scenario.accountTable.accounts[0].mcRateSum = inf;
    Put("ok.ret", Dump(2));
    screen.Clear();
    ASSERT_EQ(OpenScenario("ok.ret"), 1);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(+scenario.initialValues.endAge, 119.5f);
    EXPECT_EQ(+scenario.events[0].runAmount, 0.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[0].mcRateSum, 0.0f);
}
