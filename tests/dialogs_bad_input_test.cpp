// Every numeric field of every dialog that stores into the Scenario, given
// text no one should get stored: whatever each dialog makes of it, nothing
// it keeps is a value an open would refuse (not a number, infinite, an age
// out of bounds).
#include <cmath>
#include <cstdlib>

#include "dialogs_fixture.h"

namespace {

using BadInput = DialogsTest;

struct DialogUnderTest {
    const char* name;
    int (*run)();
};

// The fields a dialog shows a number in when it opens.
std::vector<int> NumericFields(const Dlg::Record& r) {
    std::vector<int> ids;
    for (const auto& [id, text] : r.shownTexts) {
        std::string t = text;
        t.erase(0, t.find_first_not_of(" $"));
        if (t.empty()) continue;
        char* end = nullptr;
        std::strtod(t.c_str(), &end);
        if (end != t.c_str()) ids.push_back(id);
    }
    return ids;
}

// "" when every value the dialogs keep could be saved and opened again.
std::string StoredProblem() {
    Scenario copy = scenario;
    std::string problem = CheckLoadedScenario(copy, state.eventCount);
    if (!problem.empty()) return problem;
    const ScenarioSettings& s = scenario.settings;
    for (int g = 0; g < MaxGroups; ++g)
        if (!std::isfinite(+s.groupRandomMinRate[g]) || !std::isfinite(+s.groupRandomMaxRate[g]))
            return "group rate " + std::to_string(g);
    if (!std::isfinite(+s.mcGoalAmount) || !std::isfinite(state.mcMinInflationRate) ||
        !std::isfinite(state.mcMaxInflationRate))
        return "Monte Carlo settings";
    return "";
}

TEST_F(BadInput, NoDialogStoresWhatAnOpenWouldRefuse) {
    const DialogUnderTest table[] = {
        {"Initial Values", InitialValuesDialog},
        {"Withdrawal", WithdrawalDialog},
        {"Deposit", DepositDialog},
        {"Transfer", TransferDialog},
        {"Fundamentals", FundamentalsDialog},
        {"Loan", LoanDialog},
        {"Credit Card", CreditCardDialog},
        {"Mortgage", MortgageDialog},
        {"Account", [] { return AccountInformationDialog(0); }},
        {"Account Rate", [] { return AccountRateDialog(0); }},
        {"Asset Allocation", AssetAllocationDialog},
        {"RMD Table", [] { return RmdTableDialog(1); }},
        {"Monte Carlo", MonteCarloSettingsDialog},
        {"Groups",
         [] {
             SetFieldText(scenario.settings.groupName[2], "Stocks");  // only a named group shows its rates
             return GroupsDialog();
         }},
    };
    const std::string inputs[] = {"abc", "1e39", "-1e39", "nan", "inf", "-inf", "-0", std::string(1000, '9'), ""};
    int tried = 0;
    const Scenario pristine = scenario;
    const ScenarioState pristineState = state;
    for (const DialogUnderTest& d : table) {
        Script({});
        d.run();  // opened and cancelled, for the fields it shows
        const std::vector<int> fields = NumericFields(dialogs.Last());
        EXPECT_FALSE(fields.empty()) << d.name;
        for (int id : fields) {
            for (const std::string& input : inputs) {
                scenario = pristine;
                state = pristineState;
                Script({Type(id, input), Ok()});
                d.run();
                ++tried;
                EXPECT_EQ(StoredProblem(), "") << d.name << " field " << id << " given \"" << input.substr(0, 12) << "\"";
            }
        }
    }
    EXPECT_GT(tried, 300);
}

// The Budget dialog keeps an item the moment Enter is pressed, so its item
// fields are tried through Enter, its ages through OK.
TEST_F(BadInput, NoBudgetItemOrAgeIsStoredAsWhatAnOpenWouldRefuse) {
    const std::string inputs[] = {"abc", "1e39", "-1e39", "nan", "inf", "-inf", "-0", std::string(1000, '9'), ""};
    const Scenario pristine = scenario;
    const ScenarioState pristineState = state;
    for (int id : {FieldBudgetItemAmount, FieldBudgetItemRate, FieldBudgetStartAge, FieldBudgetEndAge}) {
        for (const std::string& input : inputs) {
            scenario = pristine;
            state = pristineState;
            Script({Type(FieldBudgetItemName, "Food"), Type(id, input), Click(FieldBudgetEnter), Ok()});
            BudgetDialog(1);
            EXPECT_EQ(StoredProblem(), "") << "Budget field " << id << " given \"" << input.substr(0, 12) << "\"";
        }
    }
}

}  // namespace
