#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "commands.h"
#include "model/model.h"
#include "scenario_json.h"
#include "scripted_ui.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

template <typename T>
void Append(std::string& out, const T& block, size_t size = sizeof(T)) {
    out.append(reinterpret_cast<const char*>(&block), size);
}

// The file image of the Scenario in memory with `n` events, block by block.
std::string FileImage(int n) {
    std::string out;
    Append(out, scenario.initialValues);
    Append(out, scenario.events, sizeof(Event) * static_cast<size_t>(n));
    Append(out, scenario.accountTable);
    Append(out, scenario.settings);
    Append(out, scenario.reportOptions);
    Append(out, scenario.accountOptions);
    Append(out, scenario.folderFonts);
    Append(out, scenario.pageSettings);
    Append(out, scenario.budgets);
    return out;
}

// Packed fields are compared through a copy, never a reference.
template <typename T>
T Copy(T value) {
    return value;
}

std::string ScenarioImage() { return std::string(reinterpret_cast<const char*>(&scenario), sizeof scenario); }

void ByHand() {
    std::memset(&scenario, 0, sizeof scenario);
    NewScenarioByHand();
}

class CliTest : public ::testing::Test {
protected:
    ui::ScriptedUi screen;
    ui::ScopedUi scope{&screen};
    fs::path dir, previous;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / (std::string("tillory-cli-test-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        previous = fs::current_path();
        fs::current_path(dir);
        state = ScenarioState{};
        ByHand();
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
    }

    struct Result {
        int code;
        std::string out, err;
    };
    // Runs the program itself, for its exit codes and what it prints.
    // `before` runs in the same shell first; `out` takes standard output.
    Result Cli(const std::string& args, const std::string& before = "", const std::string& out = "out.txt") {
        std::string cmd = before + std::string("'") + TILLORY_CLI + "' " + args + " >" + out +
                          " 2>err.txt; echo $? >rc.txt";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return {std::atoi(ReadBytes("rc.txt").c_str()), ReadBytes("out.txt"), ReadBytes("err.txt")};
    }

    // build, dump and build again: the second file must equal the first.
    void ExpectRoundTrip(const std::string& file) {
        Result dump = Cli("dump " + file);
        ASSERT_EQ(dump.code, 0) << dump.err;
        WriteBytes("again.json", dump.out);
        fs::remove("again.ret");
        Result build = Cli("build again.json again.ret");
        ASSERT_EQ(build.code, 0) << build.err;
        EXPECT_TRUE(ReadBytes(file) == ReadBytes("again.ret")) << file << " does not come back byte for byte";
    }
};

TEST_F(CliTest, TheExampleIsBuiltFromItsJsonAndRoundTrips) {
    std::string json = std::string(TILLORY_EXAMPLES) + "/retirement.json";
    Result r = Cli("build '" + json + "' example.ret");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string built = ReadBytes("example.ret");
    EXPECT_EQ(static_cast<long>(built.size()), ScenarioFileSize(5));
    EXPECT_TRUE(built == ReadBytes(std::string(TILLORY_EXAMPLES) + "/retirement.ret"))
        << "examples/retirement.ret is not the build of examples/retirement.json";
    ExpectRoundTrip("example.ret");
}

// Every byte of a complete file, reserved ones, dead account records, the
// options of unused slots and out-of-range values included, comes back.
TEST_F(CliTest, AFileWithEveryByteSetRoundTrips) {
    std::mt19937 random(20240611u);
    auto* bytes = reinterpret_cast<unsigned char*>(&scenario);
    for (size_t i = 0; i < sizeof scenario; ++i) bytes[i] = static_cast<unsigned char>(random());
    const int n = 4;
    scenario.initialValues.eventCount = n;
    scenario.accountTable.accountCount = 3;
    scenario.pageSettings.windowWidth = -1234;  // a dump shows it, a build writes it back
    // Values plain JSON has no words for, and texts of every shape.
    uint32_t nanBits = 0x7fa00001u;
    std::memcpy(&scenario.initialValues.startAge, &nanBits, 4);
    scenario.initialValues.taxRate = -0.0f;
    scenario.initialValues.endAge = INFINITY;
    scenario.initialValues.inflationRate = 1e-45f;
    scenario.initialValues.birthMonth = -1;
    std::memcpy(scenario.events[0].description, "Ok\0left over", 13);
    SetFieldText(scenario.accountTable.accounts[0].name, "Caf\xC3\xA9");
    std::memset(scenario.accountTable.accounts[0].name + 6, 0, 24);
    std::memset(scenario.accountTable.accounts[1].name, 'x', sizeof scenario.accountTable.accounts[1].name);
    scenario.accountTable.accounts[0].optionsSlot = 7;
    scenario.accountTable.accounts[1].optionsSlot = 7;
    scenario.accountTable.accounts[2].optionsSlot = 300;
    scenario.settings.mcTrials = 5000;
    WriteBytes("full.ret", FileImage(n));

    Result dump = Cli("dump full.ret");
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"name\": \"Caf\xC3\xA9\""), std::string::npos);
    EXPECT_NE(dump.out.find("\"taxRate\": -0.0"), std::string::npos);
    EXPECT_NE(dump.out.find("\"mcTrials\": 5000"), std::string::npos) << "a dump shows the file, not its corrections";
    ExpectRoundTrip("full.ret");
}

TEST_F(CliTest, MissingKeysTakeTheValuesOfAScenarioCreatedByHand) {
    std::string error;
    ASSERT_EQ(ScenarioFromJson("{}", error), 1) << error;
    std::string built = ScenarioImage();
    ByHand();
    EXPECT_TRUE(built == ScenarioImage());

    ASSERT_EQ(ScenarioFromJson(R"({"initialValues": {"startAge": 62}, "accounts": [{"name": "A"}],
                                    "rmd": {"rmdName2": "Mine"}})",
                               error),
              1)
        << error;
    EXPECT_EQ(Copy(scenario.initialValues.startAge), 62.0f);
    EXPECT_EQ(Copy(scenario.initialValues.endAge), 84.0f);
    EXPECT_EQ(Copy(scenario.initialValues.reserved34), 3.0f);
    EXPECT_EQ(Copy(scenario.accountOptions.rmdStartAge3), 70);
    EXPECT_EQ(FieldText(scenario.accountOptions.rmdName1), "IRA 1");
    EXPECT_EQ(FieldText(scenario.accountOptions.rmdName2), "Mine");
    EXPECT_EQ(FieldText(scenario.budgets[4].name), "Budget 5");
    EXPECT_EQ(Copy(scenario.budgets[4].accountId), -1);
    const Account& a = scenario.accountTable.accounts[0];
    EXPECT_EQ(FieldText(a.accessOrder), " ");
    EXPECT_EQ(Copy(scenario.accountTable.accountCount), 1);
    EXPECT_EQ(state.eventCount, 0);
}

TEST_F(CliTest, AccountsWithoutIdsGetThemInOrder) {
    std::string error;
    ASSERT_EQ(ScenarioFromJson(R"({"accounts": [{"name": "A"}, {"name": "B", "accountId": 0}]})", error), 0);
    EXPECT_NE(error.find("accounts[1].accountId"), std::string::npos) << error;

    ASSERT_EQ(ScenarioFromJson(R"({"accounts": [{"accountId": 10}, {"accountId": 11}, {}, {}]})", error), 1)
        << error;
    const AccountTable& t = scenario.accountTable;
    EXPECT_EQ(Copy(t.accountCount), 4);
    uint16_t third = t.accounts[2].accountId, fourth = t.accounts[3].accountId;
    EXPECT_EQ(third, 0);
    EXPECT_EQ(fourth, 1);

    ASSERT_EQ(ScenarioFromJson(R"({"nextAccountId": 10, "accounts": [{"accountId": 10}, {"accountId": 11}, {}]})",
                               error),
              1)
        << error;
    uint16_t added = t.accounts[2].accountId;
    uint32_t next = t.nextAccountId;
    EXPECT_EQ(added, 12);
    EXPECT_EQ(next, 13u);

    ASSERT_EQ(ScenarioFromJson(R"({"nextAccountId": 30000, "accounts": [{}, {}]})", error), 1) << error;
    added = t.accounts[1].accountId;
    EXPECT_EQ(added, 11);
}

TEST_F(CliTest, PerAccountOptionsLandInTheAccountsOptionsSlot) {
    std::string error;
    ASSERT_EQ(ScenarioFromJson(R"({"accounts": [
        {"name": "IRA", "optionsSlot": 7, "penaltyAge": 55, "penaltyRate": 12.5, "assetAllocation": 1,
         "rmdTable": 10, "stdDeviation": 15},
        {"name": "Savings", "penaltyAge": 60}],
      "unusedOptions": [{"optionsSlot": 7, "penaltyAge": 1, "penaltyRate": 2}, {"optionsSlot": 9, "rmdTable": 30}]})",
                               error),
              1)
        << error;
    const AccountOptions& o = scenario.accountOptions;
    float age7 = o.penaltyAge[7], rate7 = o.penaltyRate[7], dev7 = o.stdDeviation[7], age1 = o.penaltyAge[1];
    EXPECT_EQ(age7, 55.0f) << "the live account's own options win";
    EXPECT_EQ(rate7, 12.5f);
    EXPECT_EQ(dev7, 15.0f);
    EXPECT_EQ(Copy(o.assetAllocation[7]), 1);
    EXPECT_EQ(Copy(o.rmdTable[7]), 10);
    EXPECT_EQ(Copy(o.rmdTable[9]), 30);
    EXPECT_EQ(age1, 60.0f) << "an account without optionsSlot keeps the slot of its position";
    float age0 = o.penaltyAge[0];
    EXPECT_EQ(age0, 0.0f);

    ASSERT_EQ(ScenarioFromJson(R"({"accounts": [{"optionsSlot": 50, "penaltyAge": 55}]})", error), 0);
    EXPECT_EQ(error, "accounts[0].penaltyAge: optionsSlot 50 has no options (0 .. 49)");
}

TEST_F(CliTest, BadJsonNamesTheKeyAndLeavesTheScenarioAlone) {
    std::string error;
    ASSERT_EQ(ScenarioFromJson(R"({"initialValues": {"startAge": 47}})", error), 1);
    std::string before = ScenarioImage();
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"initialValues": )", "not valid JSON: "},
        {R"([])", "(top level): expected an object"},
        {R"({"initialValue": {}})", "initialValue: unknown key"},
        {R"({"initialValues": {"startage": 1}})", "initialValues.startage: unknown key"},
        {R"({"initialValues": {"startAge": "62"}})", "initialValues.startAge: expected a number"},
        {R"({"initialValues": {"startAge": 1e39}})", "initialValues.startAge: out of range for a single"},
        {R"({"initialValues": {"useBirthday": 1.5}})", "initialValues.useBirthday: expected a whole number"},
        {R"({"events": [{"eventType": 65536}]})", "events[0].eventType: out of range (0 .. 65535)"},
        {R"({"events": [{"accountId": -32769}]})", "events[0].accountId: out of range (-32768 .. 32767)"},
        {R"({"events": [{"reserved96": "0011"}]})", "events[0].reserved96: expected 8 hex digits"},
        {R"({"events": [{"description": {"hex": "zz"}}]})", "events[0].description: an object here must be"},
        {R"({"accounts": [{"name": "123456789012345678901234567890"}]})",
         "accounts[0].name: longer than 29 bytes"},
        {R"({"groups": {"groupName": ["a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"]}})",
         "groups.groupName: more than 10 entries"},
        {R"({"budgets": [{"itemName": [1]}]})", "budgets[0].itemName[0]: expected a text"},
        {R"({"unusedOptions": [{"penaltyAge": 1}]})", "unusedOptions[0].optionsSlot: missing"},
        {R"({"reserved": {"pageSettings": {"reserved44": 0}}})", "reserved.pageSettings.reserved44: expected 160"},
    };
    for (const Case& c : cases) {
        error.clear();
        EXPECT_EQ(ScenarioFromJson(c.json, error), 0) << c.json;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << c.json << " gave: " << error;
        EXPECT_TRUE(ScenarioImage() == before) << c.json;
    }
    std::string many = R"({"events": [)";
    for (int i = 0; i <= MaxEvents; ++i) many += i ? ", {}" : "{}";
    EXPECT_EQ(ScenarioFromJson(many + "]}", error), 0);
    EXPECT_EQ(error, "events: more than 150 entries");
}

// Floats and texts go through the text form bit for bit.
TEST_F(CliTest, SpecialValuesComeBackExactly) {
    const float values[] = {0.1f, -0.0f, 1e-45f, 3.4028235e38f, -3.4028235e38f, 7.3f, 1e8f, 16777217.0f, NAN};
    InitialValues& iv = scenario.initialValues;
    iv.startAge = values[0];
    iv.taxRate = values[1];
    iv.inflationRate = values[2];
    iv.endAge = values[3];
    iv.reserved02 = values[4];
    iv.reserved34 = values[5];
    iv.defaultPenaltyRate = values[6];
    iv.defaultPenaltyAge = values[7];
    iv.initialAssets = values[8];
    scenario.accountOptions.rmdValues2[29] = -INFINITY;
    std::memcpy(scenario.reportOptions.title1, "\xff\xfe", 3);                       // not UTF-8
    std::memset(scenario.reportOptions.title2, 'T', sizeof scenario.reportOptions.title2);  // no NUL
    SetFieldText(scenario.reportOptions.title3, "Line\t\"two\"\n\xE2\x82\xAC");
    state.eventCount = 1;
    scenario.initialValues.eventCount = 1;
    SetFieldText(scenario.events[0].description, "One");
    std::string before = ScenarioImage();

    std::string text = ScenarioToJson(), error;
    ASSERT_EQ(ScenarioFromJson(text, error), 1) << error;
    EXPECT_TRUE(ScenarioImage() == before);
    EXPECT_NE(text.find("\"startAge\": 0.1,"), std::string::npos) << "floats print in their shortest form";
    EXPECT_NE(text.find("\"title1\": {\"hex\": \"fffe00"), std::string::npos);
}

TEST_F(CliTest, AJsonScenarioLoadsWithTheCorrectionsOfAnOpen) {
    WriteBytes("s.json", R"({"monteCarlo": {"mcTrials": 5000},
                             "groups": {"groupRandomMinRate": [20], "groupRandomMaxRate": [10]},
                             "events": [{"eventType": 6}, {"eventType": 2}]})");
    ASSERT_EQ(LoadScenarioArgument("s.json"), 1);
    EXPECT_EQ(state.mcTrials, 100);
    float low = scenario.settings.groupRandomMinRate[0], high = scenario.settings.groupRandomMaxRate[0];
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 0.0f);
    EXPECT_EQ(state.eventCount, 2);
    EXPECT_EQ(FieldText(state.scenarioPath), "s.json");

    // 123 events make a file that starts with '{': still a scenario file.
    std::string error;
    std::string json = R"({"events": [)";
    for (int i = 0; i < 123; ++i) json += i ? ", {}" : "{}";
    ASSERT_EQ(ScenarioFromJson(json + "]}", error), 1) << error;
    WriteBytes("brace.ret", FileImage(123));
    ASSERT_EQ(ReadBytes("brace.ret")[0], '{');
    state.eventCount = 0;
    ASSERT_EQ(LoadScenarioArgument("brace.ret"), 1);
    EXPECT_EQ(state.eventCount, 123);
}

TEST_F(CliTest, ALoadedScenarioListsItsEventsInProcessingOrder) {
    // By start age, then description, whatever the order of the file.
    WriteBytes("order.json", R"({"events": [
        {"eventType": 6, "startAge": 60, "description": "Living"},
        {"eventType": 2, "startAge": 48, "description": "Salary"},
        {"eventType": 2, "startAge": 60, "description": "Annuity"}]})");
    ASSERT_EQ(LoadScenarioArgument("order.json"), 1);
    EXPECT_EQ(FieldText(scenario.events[0].description), "Salary");
    EXPECT_EQ(FieldText(scenario.events[1].description), "Annuity");
    EXPECT_EQ(FieldText(scenario.events[2].description), "Living");
}

// The README's small scenario gives no totals: the run starts from the accounts.
TEST_F(CliTest, AScenarioWithoutTotalsProjectsFromItsAccounts) {
    WriteBytes("small.json", R"({
      "initialValues": {"startAge": 60, "endAge": 90, "inflationRate": 3, "taxRate": 20},
      "accounts": [{"name": "Savings", "accountType": 2, "initialAmount": 250000, "yearlyRate": 5,
                    "accessOrder": "1"}],
      "events": [{"description": "Living expenses", "eventType": 6, "startAge": 60, "endAge": 90,
                  "amount": 30000, "applyInflation": 1, "accountId": 0, "years": 438}]})");
    Result run = Cli("run small.json");
    ASSERT_EQ(run.code, 0) << run.err;
    const size_t row = run.out.find("\n60.0 \t");
    ASSERT_NE(row, std::string::npos);
    const std::string first = run.out.substr(row + 1, run.out.find('\n', row + 1) - row - 1);
    EXPECT_EQ(first.find("$250,000.00"), 10u) << first;  // the investment column
    EXPECT_EQ(first.rfind("$250,000.00"), first.size() - 11) << first;  // and the net worth
}

TEST_F(CliTest, FailuresExitOneWithTheirMessage) {
    // Three events announced, two held.
    std::string bad = FileImage(2).substr(0, 80 + 2 * 160);
    int16_t three = 3;
    std::memcpy(bad.data(), &three, 2);
    WriteBytes("short.ret", bad);
    Result r = Cli("dump short.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "FILE WARNING: short.ret doesn't seem to be a valid K&V Tillory file.\n");

    WriteBytes("bad.json", "{\"initialValues\": {\"startAge\": }");
    r = Cli("build bad.json out.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("tillory-cli: bad.json: not valid JSON: parse error at line 1", 0), 0u) << r.err;
    EXPECT_FALSE(fs::exists("out.ret"));

    WriteBytes("type.json", "{\"events\": [{\"amount\": true}]}");
    r = Cli("build type.json out.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "tillory-cli: type.json: events[0].amount: expected a number\n");

    r = Cli("dump missing.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("missing.ret"), std::string::npos);

    // A folder, or a saved plan where its JSON form belongs, is named as such.
    fs::create_directories("folder");
    r = Cli("build folder out.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "tillory-cli: folder is a folder, not a scenario file\n");
    WriteBytes("plan.ret", FileImage(2));
    r = Cli("build plan.ret out.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "tillory-cli: plan.ret is not a Scenario in JSON form (build reads the JSON that dump writes)\n");
    EXPECT_FALSE(fs::exists("out.ret"));
}

TEST_F(CliTest, AnExistingFileIsOverwrittenOnlyWithYes) {
    WriteBytes("in.json", "{\"initialValues\": {\"startAge\": 50}}");
    WriteBytes("out.ret", "old");
    Result r = Cli("build in.json out.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("FILE WARNING: out.ret exits - Overwrite anyway?\n", 0), 0u) << r.err;
    EXPECT_EQ(ReadBytes("out.ret"), "old");

    r = Cli("--yes build in.json out.ret");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(static_cast<long>(ReadBytes("out.ret").size()), ScenarioFileSize(0));
}

TEST_F(CliTest, BadUsageExitsTwoAndHelpListsTheCommands) {
    for (const char* args : {"", "build only.json", "build a b c", "dump", "frobnicate x"}) {
        Result r = Cli(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_NE(r.err.find("tillory-cli --help"), std::string::npos) << args;
    }
    Result help = Cli("--help");
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"\n  build IN.json OUT.ret", "\n  dump SCENARIO", "--yes", "--help"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST_F(CliTest, RefinancePrintsTheAnalysisWritesItsFilesAndRefusesBadInput) {
    const std::string loan = "refinance --start-age 40 --amount 100000 --rate 6 --years 30 --refinance-age 45 ";
    Result r = Cli(loan + "--new-rate 4.5 --new-years 15 --closing-costs 2000");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Existing Monthly Payment: $599.55\n", 0), 0u) << r.out;  // PMT(0.5%, 360, -100000)
    EXPECT_NE(r.out.find("Total Mortgage Costs: $2,000.00\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n 45 O\t         2000.00\t         2000.00\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n 70 R\t"), std::string::npos);
    EXPECT_EQ(ReadBytes("ref.tmp").rfind("1\nDummy\n", 0), 0u);
    EXPECT_NE(ReadBytes("refprt.tmp").find("\n 70 R\t"), std::string::npos);
    // Bad input: the dialog's message, nothing printed, and no NaN anywhere.
    for (const char* bad : {"--new-rate 0 --new-years 15", "--new-rate 4.5 --new-years -3",
                            "--new-rate 4.5 --new-years 15 --cash-out 1e9", "--new-rate nan --new-years 15"}) {
        r = Cli(loan + bad);
        EXPECT_EQ(r.code, 1) << bad;
        EXPECT_EQ(r.out, "") << bad;
        std::string err = r.err;
        for (char& c : err) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(err.find("error"), std::string::npos) << bad << r.err;
    }
    r = Cli("refinance --start-age 40 --amount 100000 --rate 6 --years 30 --refinance-age 71 --new-rate 4 --new-years 9");
    EXPECT_EQ(r.err, "Age Error!: The age at refinancing must be before the original mortgage is paid off.\n");
    EXPECT_EQ(Cli("refinance --frobnicate").code, 2);
    EXPECT_EQ(Cli("refinance --rate").code, 2);
    Result help = Cli("--help");
    for (const char* word : {"\n  refinance --start-age N", "--cash-out-savings", "--include-points"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST_F(CliTest, ReportBudgetPrintsOneTablePerPageAndRefusesWhatIsNotABudget) {
    WriteBytes("b.json", R"({"budgets": [{}, {"name": "Trip", "itemCount": 1, "startAge": 65, "endAge": 67,
        "itemName": ["Sea"], "itemAmount": [1000], "itemApplyRate": [10]}]})");
    Result r = Cli("report budget 2 b.json");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Age\tSea\tTotal\t\n-----------------------\n"
                     " 65.0\t      1000.00\t      1000.00\t\n"
                     " 66.0\t      1100.00\t      1100.00\t\n"
                     " 67.0\t      1210.00\t      1210.00\t\n");
    r = Cli("report budget 1 b.json");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "BUDGET REPORT: Budget 1 has no items to report.\n");
    for (const char* bad : {"report budget 0 b.json", "report budget 6 b.json", "report budget 2", "report x 2 b.json"})
        EXPECT_EQ(Cli(bad).code, 2) << bad;
}

}  // namespace

// Output that cannot be written fails the command with a message: standard
// output on a full disk, an export, a scenario file that fills the disk (no
// empty file is left). An export never replaces the scenario it runs, and
// replaces another file only with --yes.
TEST_F(CliTest, WritesThatFailAreReportedAndReplaceNothing) {
    const std::string example = std::string(TILLORY_EXAMPLES) + "/retirement.json";
    ASSERT_EQ(Cli("build '" + example + "' plan.ret").code, 0);
    const std::string plan = ReadBytes("plan.ret");
    for (const char* command : {"dump plan.ret", "run plan.ret --summary", "montecarlo plan.ret --seed 1 --trials 2"}) {
        Result r = Cli(command, "", "/dev/full");
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_NE(r.err.find("tillory-cli: cannot write the output"), std::string::npos) << command << r.err;
    }

    Result r = Cli("--yes run plan.ret --export-csv plan.ret");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Will not export over the scenario plan.ret"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes("plan.ret"), plan);

    WriteBytes("old.csv", "old");
    r = Cli("run plan.ret --export-csv old.csv");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "FILE WARNING: old.csv exists - Overwrite anyway?\n");
    EXPECT_EQ(ReadBytes("old.csv"), "old");
    EXPECT_EQ(Cli("--yes run plan.ret --export-csv old.csv").code, 0);
    EXPECT_EQ(ReadBytes("old.csv").rfind("Age,", 0), 0u) << ReadBytes("old.csv").substr(0, 40);

    r = Cli("--yes run plan.ret --export-tab /dev/full");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Cannot write export file /dev/full"), std::string::npos) << r.err;

    // No file may grow beyond 2 KB: the new scenario file cannot be written.
    r = Cli("build '" + example + "' new.ret", "trap '' XFSZ; ulimit -f 4; ");
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(fs::exists("new.ret"));
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
}

// Values no dialog stores refuse a JSON text before anything runs, naming the
// field; the same text with a plain end age runs.
TEST_F(CliTest, AJsonTextWithImpossibleAgesIsRefused) {
    WriteBytes("far.json", "{\"initialValues\":{\"endAge\":1e8}}");
    Result r = Cli("run far.json --summary");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "tillory-cli: far.json: initialValues.endAge is 1e+08, outside the ages 1 to 120.\n");
    EXPECT_EQ(r.out, "");
    WriteBytes("long.json", "{\"initialValues\":{\"startAge\":1,\"endAge\":120}}");
    r = Cli("montecarlo long.json --seed 1 --trials 2");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "tillory-cli: long.json: The age range must be less than 100! (initialValues.startAge 1, endAge 120)\n");
    WriteBytes("near.json", "{\"initialValues\":{\"endAge\":90}}");
    EXPECT_EQ(Cli("run near.json --summary").code, 0);
}
