// A plan made by hand the way a new user makes it: accounts through Account
// Information, withdrawals through their dialog, no Initial Values dialog.
// The Results folder must show what tillory-cli prints for the saved file,
// after every ordinary step: first save, an edited amount, an analysis.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs_fixture.h"
#include "montecarlo/montecarlo.h"

namespace {

class PlanByHand : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        NewScenarioByHand();  // 30 to 84, no accounts, no events, totals 0
        state.eventCount = 0;
    }

    void AddAccount(const std::string& name, int type, const std::string& amount, const std::string& rate,
                    const std::string& order) {
        dialogs.scripts.push_back({Dlg::Type(FieldAccountName, name), Dlg::Choose(FieldAccountType, type),
                                   Dlg::Type(FieldInitialAmount, amount), Dlg::Type(FieldEffectiveRate, rate),
                                   Dlg::Type(FieldAccessOrder, order), Dlg::Click(ui::IdOk)});
        ASSERT_EQ(AccountListAdd(), 1) << name;
    }

    void AddWithdrawal(const std::string& description, const std::string& start, const std::string& end,
                       const std::string& amount) {
        dialogs.scripts.push_back({Dlg::Type(FieldDescription, description), Dlg::Type(FieldStartAge, start),
                                   Dlg::Type(FieldEndAge, end), Dlg::Type(FieldAmount, amount),
                                   Dlg::Click(FieldInflation), Dlg::Click(ui::IdOk)});
        ASSERT_EQ(WithdrawalDialog(), 1) << description;
        ShowFolder(FolderScenario);  // where Add Event leaves the person
    }

    static int PositionOf(const std::string& name) {
        for (int i = 0; i < scenario.accountTable.accountCount; ++i)
            if (FieldText(scenario.accountTable.accounts[i].name) == name) return i;
        return -1;
    }

    // The Results folder's lines as they stand, without running anything.
    static std::vector<std::string> ShownLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < ResultLineCount(); ++i) lines.push_back(ResultLine(i));
        return lines;
    }

    // tillory-cli's schedule of `file`, from its first schedule row on, with
    // what the results list never shows (dash lines, blank section gaps) left out.
    static std::vector<std::string> CliLines(const std::string& file, const std::string& firstRow) {
        std::string cmd = std::string("'") + TILLORY_CLI + "' run " + file + " >cli.txt 2>cli-err.txt";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        std::ifstream in("cli.txt");
        std::vector<std::string> lines;
        std::string line;
        bool started = false;
        while (std::getline(in, line)) {
            started = started || line == firstRow;
            if (started && !line.empty() && line.find("------") == std::string::npos) lines.push_back(line);
        }
        return lines;
    }

    static void ExpectSameAsCli(const std::string& file) {
        const std::vector<std::string> shown = ShownLines();
        ASSERT_FALSE(shown.empty());
        const std::vector<std::string> cli = CliLines(file, shown[0]);
        ASSERT_EQ(cli.size(), shown.size()) << "first row: " << shown[0];
        for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], cli[i]) << "line " << i;
    }
};

TEST_F(PlanByHand, ResultsFolderAgreesWithTheCliAfterSaveEditAndAnalysis) {
    // Typed in the order a person thinks of them; the list sorts them by name,
    // so the IRA stands first although Savings is to be drawn on first.
    AddAccount("Savings", AccountInvestmentSavings, "250,000", "5", "1");
    AddAccount("IRA", AccountRetirementSavings, "150000", "6", "2");
    AddWithdrawal("Travel", "40", "50", "5000");
    AddWithdrawal("Living", "31", "84", "30000");
    ASSERT_EQ(+scenario.accountTable.accounts[0].initialAmount, 150000.0f);  // the IRA, by name

    // The Event list is in processing order at once, not only after Save and Open.
    EXPECT_EQ(FieldText(scenario.events[0].description), "Living");

    screen.files.push_back("plan.ret");
    ASSERT_EQ(CommandSaveAs(), 1);
    ShowFolder(FolderResults);
    // The first row holds both accounts, without the Initial Values dialog.
    EXPECT_EQ(+results.yearSummary[0][6], 400000.0f);
    EXPECT_NE(ResultLine(0).find("$400,000.00"), std::string::npos) << ResultLine(0);
    // Access Order 1: the withdrawals of the first years come out of Savings,
    // so the IRA grows untouched at 6%.
    EXPECT_EQ(+results.accountBalance[1][PositionOf("IRA")], 159000.0f);
    ExpectSameAsCli("plan.ret");

    // An amount edited later reaches the totals, the rows and the saved file.
    dialogs.scripts.push_back({Dlg::Type(FieldInitialAmount, "$300,000"), Dlg::Click(ui::IdOk)});
    ASSERT_EQ(AccountListEdit(PositionOf("Savings")), 1);
    ASSERT_EQ(CommandSave(), 1);
    ShowFolder(FolderResults);
    EXPECT_EQ(+results.yearSummary[0][6], 450000.0f);
    ExpectSameAsCli("plan.ret");

    // An analysis leaves the ordinary results exactly as a plain run gives them.
    const std::vector<std::string> before = ShownLines();
    float flows[MaxResultRows][SummaryCells];
    std::memcpy(flows, results.yearSummary, sizeof flows);
    state.mcTrials = 20;
    MonteCarloOptions options;
    options.fixedStart = 1;
    options.startValue = 7;
    ASSERT_EQ(RunMonteCarlo(options), 1);
    EXPECT_EQ(ShownLines(), before);
    EXPECT_EQ(std::memcmp(flows, results.yearSummary, sizeof flows), 0);
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "IRA");  // the list keeps its order
    ExpectSameAsCli("plan.ret");
}

}  // namespace
