#include <algorithm>
#include <cmath>
#include <cstddef>

#include "files_fixture.h"
#include "shell/shell.h"

namespace {

void AddAccount(const char* name, int slot) {
    Account& a = scenario.accountTable.accounts[scenario.accountTable.accountCount];
    SetFieldText(a.name, name);
    a.optionsSlot = static_cast<uint16_t>(slot);
    AssignAccountId(scenario.accountTable.accountCount);
}

std::string Line(const std::string& text, int n) {
    std::istringstream in(text);
    std::string line;
    for (int i = 0; i <= n; ++i) std::getline(in, line);
    return line;
}

}  // namespace

TEST_F(FilesTest, OldAccountsFileLoadsWithDefaultOptions) {
    AddAccount("Cash", 7);
    Put("old.acc", Raw(scenario.accountTable));
    ResetScenario();
    scenario.accountOptions.penaltyAge[0] = 40.0f;
    scenario.accountOptions.assetAllocation[3] = 2;
    EXPECT_EQ(ReadAccountsCommand("old.acc"), 1);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(+scenario.accountTable.accountCount, 1);
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "Cash");
    ExpectDefaultOptions(59.0f, 10.0f);
    EXPECT_EQ(state.needsRecalc, 1);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(FilesTest, InvalidAccountsFileIsRefusedAndChangesNothing) {
    AddAccount("Savings", 2);
    const std::string before = Raw(scenario.accountTable) + Raw(scenario.accountOptions);
    auto refused = [&](const std::string& bytes) {
        Put("bad.acc", bytes);
        screen.Clear();
        EXPECT_EQ(ReadAccountsCommand("bad.acc"), 0);
        ASSERT_EQ(screen.messages.size(), 2u);
        EXPECT_EQ(screen.messages[0].text.rfind("The file bad.acc does not appear to be a valid accounts file!", 0), 0u);
        EXPECT_EQ(screen.messages[0].caption, "FILE WARNING");
        EXPECT_EQ(screen.messages[1].text, "Cannot read bad.acc accounts file!");
        EXPECT_EQ(screen.messages[1].caption, "Read Error");
        EXPECT_EQ(Raw(scenario.accountTable) + Raw(scenario.accountOptions), before);
        EXPECT_EQ(state.modified, 0);
    };
    refused(std::string(5000, 'x'));
    refused(before + "x");
    std::string tooMany = before;
    int16_t count = 51;
    std::memcpy(tooMany.data(), &count, 2);
    refused(tooMany);
    // A balance no dialog could store, and the field named.
    std::string notANumber = before;
    const float nan = std::nanf("");
    std::memcpy(notANumber.data() + offsetof(AccountTable, accounts) + offsetof(Account, balance), &nan, 4);
    refused(notANumber);
    EXPECT_NE(screen.messages[0].text.find("accounts[0].balance is nan"), std::string::npos);
}

TEST_F(FilesTest, AccountsFileWriteAsksBeforeOverwriting) {
    AddAccount("Home", 0);
    const std::string first = Raw(scenario.accountTable) + Raw(scenario.accountOptions);
    ASSERT_EQ(WriteAccountsCommand("my.acc"), 1);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(Bytes("my.acc"), first);

    AddAccount("Car", 1);
    screen.answers = {ui::Answer::No};
    EXPECT_EQ(WriteAccountsCommand("my.acc"), 1);
    ASSERT_EQ(screen.messages.size(), 1u);  // the question, no error
    EXPECT_EQ(screen.messages[0].text, "my.acc exists - Overwrite anyway?");
    EXPECT_EQ(screen.messages[0].icon, ui::Icon::Question);
    EXPECT_EQ(Bytes("my.acc"), first);

    screen.answers = {ui::Answer::Yes};
    EXPECT_EQ(WriteAccountsCommand("my.acc"), 1);
    ResetScenario();
    Notice notice;
    ASSERT_EQ(ReadAccountsFile("my.acc", notice), 1);
    EXPECT_EQ(+scenario.accountTable.accountCount, 2);
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[1].name), "Car");

    screen.Clear();
    EXPECT_EQ(WriteAccountsCommand("no-such-folder/x.acc"), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot write no-such-folder/x.acc accounts file!");
    EXPECT_EQ(screen.messages[0].caption, "Write Error");
}

TEST_F(FilesTest, PreferencesFile) {
    // Missing or short: the defaults stay.
    Put("prefinf.dat", std::string(100, '\1'));
    ReadPreferences();
    EXPECT_EQ(state.reportBanding, 0);
    EXPECT_EQ(state.windowWidth, 600);
    EXPECT_EQ(state.windowHeight, 500);
    EXPECT_EQ(state.colorBanding, 1);
    EXPECT_EQ(FieldText(scenario.folderFonts[0].faceName), "Lucida");

    PageSettings p{};
    p.windowLeft = 400;
    p.windowTop = 20;
    p.windowWidth = 450;
    p.windowHeight = 700;
    p.reportBanding = 1;
    p.reportBoxing = 1;
    Put("prefinf.dat", Raw(p));
    ReadPreferences();
    EXPECT_EQ(state.windowLeft, 0);
    EXPECT_EQ(state.windowTop, 20);
    EXPECT_EQ(state.windowWidth, 600);
    EXPECT_EQ(state.windowHeight, 700);
    EXPECT_EQ(state.reportBanding, 1);
    EXPECT_EQ(state.reportBoxing, 1);
    EXPECT_EQ(state.colorBanding, 1);  // whatever the file held
    EXPECT_EQ(state.toolbarShown, 1);

    screen.windowRect = {30, 620, 830, 40};
    state.hideMakerFolder = 1;
    WritePreferences();
    const std::string written = Bytes("prefinf.dat");
    ASSERT_EQ(written.size(), sizeof(PageSettings));
    std::memcpy(&p, written.data(), sizeof p);
    EXPECT_EQ(+p.windowLeft, 30);
    EXPECT_EQ(+p.windowTop, 620);
    EXPECT_EQ(+p.windowWidth, 800);
    EXPECT_EQ(+p.windowHeight, 580);
    EXPECT_EQ(+p.hideMakerFolder, 1);
    EXPECT_EQ(+p.colorBanding, 1);
}

TEST_F(FilesTest, RecentFileList) {
    auto list = [&] {
        std::string s;
        for (const auto& e : screen.recentMenu) s += (s.empty() ? "" : ", ") + e;
        return s;
    };
    // A open at start, then B, C and A opened: each open adds the file open before.
    AddRecentFile("/home/u/A.ret");
    EXPECT_EQ(list(), "/home/u/A.ret");
    AddRecentFile("/home/u/B.ret");
    EXPECT_EQ(list(), "/home/u/B.ret, /home/u/A.ret");
    AddRecentFile("/home/u/C.ret");
    EXPECT_EQ(list(), "/home/u/C.ret, /home/u/B.ret, /home/u/A.ret");
    EXPECT_EQ(RecentFileMenuText(1), "(2) /home/u/B.ret");
    EXPECT_EQ(RecentFileMenuId(5), 609);

    AddRecentFile("/HOME/U/A.RET");
    EXPECT_EQ(list(), "/HOME/U/A.RET, /home/u/C.ret, /home/u/B.ret");
    int builds = screen.recentMenuBuilds;
    AddRecentFile("a.r");
    EXPECT_EQ(screen.recentMenuBuilds, builds + 1);
    EXPECT_EQ(list(), "/HOME/U/A.RET, /home/u/C.ret, /home/u/B.ret");
    for (const char* p : {"/1.ret", "/2.ret", "/3.ret", "/4.ret"}) AddRecentFile(p);
    EXPECT_EQ(list(), "/4.ret, /3.ret, /2.ret, /1.ret, /HOME/U/A.RET, /home/u/C.ret");
}

TEST_F(FilesTest, ProgramSettingsFile) {
    EXPECT_EQ(ReadProgramSettings(), 0);
    EXPECT_EQ(Bytes("finance.dat"), "\n  1.00   0.00   0.00   0.00   0.00   0.00   0.00   0.00 0\n\n\n\n\n\n\n");
    EXPECT_EQ(state.startCounter, 0.0f);

    // A counter of 9 starts over at 0; lines longer than a path are cut.
    const std::string longPath(400, 'p');
    Put("finance.dat", longPath + "\n9.00 1.5 2 3 4 5 6 7 1\nA.ret\nB.ret\n");
    EXPECT_EQ(ReadProgramSettings(), 1);
    EXPECT_EQ(FieldText(state.scenarioPath), longPath.substr(0, PathLength - 1));
    EXPECT_EQ(state.startCounter, 0.0f);
    EXPECT_EQ(state.settingsValues[0], 1.5f);
    EXPECT_EQ(state.settingsFlag, 1);
    EXPECT_EQ(FieldText(state.recentFiles[1]), "B.ret");
    EXPECT_EQ(FieldText(state.recentFiles[2]), "");
    const std::string rewritten = Bytes("finance.dat");
    EXPECT_EQ(Line(rewritten, 1), "  1.00   1.50   2.00   3.00   4.00   5.00   6.00   7.00 1");
    EXPECT_EQ(std::count(rewritten.begin(), rewritten.end(), '\n'), 8);
    ASSERT_EQ(SaveTemporaryScenario(static_cast<int>(state.startCounter)), 1);
    EXPECT_EQ(FieldText(state.scenarioPath), "./temp01.ret");
}

TEST_F(FilesTest, StartAndExitLeaveTheCounterUnchanged) {
    const std::string stored = "my.ret\n  4.00   0.00   0.00   0.00   0.00   0.00   0.00   0.00 0\nA.ret\n";
    Put("finance.dat", stored);
    ASSERT_EQ(ReadProgramSettings(), 1);
    EXPECT_EQ(Line(Bytes("finance.dat"), 1).substr(0, 6), "  5.00");
    EXPECT_EQ(state.startCounter, 4.0f);
    WriteProgramSettings();
    EXPECT_EQ(Bytes("finance.dat"), stored);
}
