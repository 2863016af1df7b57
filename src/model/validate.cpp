// What a Scenario from outside must hold before anything runs on it. A file,
// a JSON text or an accounts file can carry any bit pattern, while the dialogs
// store only finite numbers and ages within their bounds; whatever they could
// have written passes here unchanged.
//
// | Field                                                      | Rule                        | Otherwise |
// |------------------------------------------------------------|-----------------------------|-----------|
// | initialValues.startAge, endAge                             | 1..120, whole end - whole   | refused   |
// |                                                            | start below 100 (the        |           |
// |                                                            | result table's 100 rows)    |           |
// | every other initialValues float                            | finite                      | refused   |
// | live events (below the count, not free): the ages, rates,  | finite                      | refused   |
// |   amounts, payment, taxes, costs, sale percent             |                             |           |
// | live events' startAge                                      | 0..120                      | refused   |
// | event run fields runAmount, runSoldValue, runPrincipalPaid,| finite                      | 0: a run  |
// |   runInterestPaid; account mcRateSum, mcMinRate, mcMaxRate;|                             | sets them |
// |   options mcRateCount                                      |                             | afresh    |
// | live accounts: balance, rate, initialAmount, yearlyRate,   | finite                      | refused   |
// |   randomMinRate, randomMaxRate                             |                             |           |
// | the live accounts' options: penaltyAge, penaltyRate,       | finite                      | refused   |
// |   stdDeviation                                             |                             |           |
// | RMD tables, rmdPenaltyRate, assetAllocAmount and StartAge  | finite                      | refused   |
// | pageSettings.valueFontSpacing                              | finite                      | 0         |
// | budgets: the items' (below the count) amounts, rates and   | finite                      | refused   |
// |   yearly amounts, the yearly total                         |                             |           |
// | budgets: the items' working yearly copies                  | finite                      | 0: a run  |
// |                                                            |                             | sets them |
// | Monte Carlo settings and group rates                       | corrected by the open       |           |
// | accounts past the count, event slots past the count        | never used, not looked at   |           |
//
// Refusing names the field, so that the person can find it; correcting is kept
// for values nobody typed.
#include <cmath>
#include <cstdio>

#include "model/model.h"

namespace {

struct Checker {
    std::string problem;

    // False once a problem is found; the first one is the one reported.
    bool Finite(const std::string& field, float v) {
        if (!problem.empty()) return false;
        if (std::isfinite(v)) return true;
        problem = field + " is " + Format("%g", static_cast<double>(v)) + ", not a number a plan can hold.";
        return false;
    }
    bool Age(const std::string& field, float v, int low = MinPlanAge) {
        if (!Finite(field, v)) return false;
        if (v >= static_cast<float>(low) && v <= static_cast<float>(MaxPlanAge)) return true;
        problem = field + " is " + Format("%g", static_cast<double>(v)) + ", outside the ages " +
                  Format("%d to %d.", low, MaxPlanAge);
        return false;
    }
};

// Fields every run sets afresh: whatever a file held is harmless as 0.
float RunValue(float v) { return std::isfinite(v) ? v : 0.0f; }

std::string Indexed(const char* block, int i, const char* field) {
    return Format("%s[%d].%s", block, i, field);
}

void CheckAccountRecords(Checker& c, AccountTable& t, AccountOptions& o, const char* prefix) {
    int n = t.accountCount < 0 ? 0 : (t.accountCount > MaxAccounts ? MaxAccounts : t.accountCount);
    const std::string accounts = std::string(prefix) + "accounts";
    for (int i = 0; i < n; ++i) {
        Account& a = t.accounts[i];
        a.mcRateSum = RunValue(a.mcRateSum);
        a.mcMinRate = RunValue(a.mcMinRate);
        a.mcMaxRate = RunValue(a.mcMaxRate);
        c.Finite(Indexed(accounts.c_str(), i, "balance"), a.balance);
        c.Finite(Indexed(accounts.c_str(), i, "rate"), a.rate);
        c.Finite(Indexed(accounts.c_str(), i, "initialAmount"), a.initialAmount);
        c.Finite(Indexed(accounts.c_str(), i, "yearlyRate"), a.yearlyRate);
        c.Finite(Indexed(accounts.c_str(), i, "randomMinRate"), a.randomMinRate);
        c.Finite(Indexed(accounts.c_str(), i, "randomMaxRate"), a.randomMaxRate);
        const int slot = a.optionsSlot;
        if (slot >= MaxAccounts) continue;
        o.mcRateCount[slot] = RunValue(o.mcRateCount[slot]);
        c.Finite(Format("accountOptions.penaltyAge[%d]", slot), o.penaltyAge[slot]);
        c.Finite(Format("accountOptions.penaltyRate[%d]", slot), o.penaltyRate[slot]);
        c.Finite(Format("accountOptions.stdDeviation[%d]", slot), o.stdDeviation[slot]);
    }
    c.Finite(std::string(prefix) + "assetAllocAmount", t.assetAllocAmount);
    c.Finite(std::string(prefix) + "assetAllocStartAge", t.assetAllocStartAge);
    for (int k = 0; k < RmdTableLength; ++k) {
        c.Finite(Format("accountOptions.rmdValues1[%d]", k), o.rmdValues1[k]);
        c.Finite(Format("accountOptions.rmdValues2[%d]", k), o.rmdValues2[k]);
        c.Finite(Format("accountOptions.rmdValues3[%d]", k), o.rmdValues3[k]);
    }
    c.Finite("accountOptions.rmdPenaltyRate", o.rmdPenaltyRate);
}

}  // namespace

std::string CheckLoadedAccounts(AccountTable& table, AccountOptions& options) {
    Checker c;
    CheckAccountRecords(c, table, options, "");
    return c.problem;
}

std::string CheckLoadedScenario(Scenario& s, int eventCount) {
    Checker c;
    InitialValues& iv = s.initialValues;
    if (c.Age("initialValues.startAge", iv.startAge) && c.Age("initialValues.endAge", iv.endAge) &&
        std::trunc(iv.endAge) - std::trunc(iv.startAge) >= MaxAgeRange)
        c.problem = Format("The age range must be less than %d! (initialValues.startAge %g, endAge %g)", MaxAgeRange,
                           static_cast<double>(iv.startAge), static_cast<double>(iv.endAge));
    const struct {
        const char* name;
        float value;
    } initial[] = {
        {"initialInvestmentSavings", iv.initialInvestmentSavings}, {"initialTaxFreeSavings", iv.initialTaxFreeSavings},
        {"initialRetirementSavings", iv.initialRetirementSavings}, {"initialEquity", iv.initialEquity},
        {"initialAssets", iv.initialAssets},                       {"inflationRate", iv.inflationRate},
        {"equityAppreciationRate", iv.equityAppreciationRate},     {"assetDepreciationRate", iv.assetDepreciationRate},
        {"taxRate", iv.taxRate},                                   {"investmentSavingsRate", iv.investmentSavingsRate},
        {"taxFreeSavingsRate", iv.taxFreeSavingsRate},             {"retirementSavingsRate", iv.retirementSavingsRate},
        {"defaultPenaltyAge", iv.defaultPenaltyAge},               {"defaultPenaltyRate", iv.defaultPenaltyRate},
    };
    for (const auto& f : initial) c.Finite(std::string("initialValues.") + f.name, f.value);

    const int n = eventCount < 0 ? 0 : (eventCount > MaxEvents ? MaxEvents : eventCount);
    for (int i = 0; i < n; ++i) {
        Event& e = s.events[i];
        if (e.eventType == EventFreeSlot) continue;
        e.runAmount = RunValue(e.runAmount);
        e.runSoldValue = RunValue(e.runSoldValue);
        e.runPrincipalPaid = RunValue(e.runPrincipalPaid);
        e.runInterestPaid = RunValue(e.runInterestPaid);
        const struct {
            const char* name;
            float value;
        } fields[] = {
            {"startAge", e.startAge}, {"endAge", e.endAge},           {"applyRate", e.applyRate},
            {"amount", e.amount},     {"rate2", e.rate2},             {"monthlyPayment", e.monthlyPayment},
            {"loanRate", e.loanRate}, {"rate3", e.rate3},             {"taxes", e.taxes},
            {"closingCosts", e.closingCosts}, {"salePercent", e.salePercent}, {"acceleratedAmount", e.acceleratedAmount},
        };
        for (const auto& f : fields) c.Finite(Indexed("events", i, f.name), f.value);
        // The years since an event's start are counted one by one.
        c.Age(Indexed("events", i, "startAge"), e.startAge, 0);
    }
    CheckAccountRecords(c, s.accountTable, s.accountOptions, "accountTable.");
    for (int k = 0; k < MaxBudgets; ++k) {
        Budget& b = s.budgets[k];
        const std::string budget = Format("budgets[%d].", k);
        const int items = b.itemCount < 0 ? 0 : (b.itemCount > MaxBudgetItems ? MaxBudgetItems : b.itemCount);
        for (int i = 0; i < items; ++i) {
            b.itemYearlyCopy[i] = RunValue(b.itemYearlyCopy[i]);
            c.Finite(budget + Format("itemAmount[%d]", i), b.itemAmount[i]);
            c.Finite(budget + Format("itemApplyRate[%d]", i), b.itemApplyRate[i]);
            c.Finite(budget + Format("itemYearly[%d]", i), b.itemYearly[i]);
        }
        c.Finite(budget + "yearlyTotal", b.yearlyTotal);
    }
    s.pageSettings.valueFontSpacing = RunValue(s.pageSettings.valueFontSpacing);
    return c.problem;
}
