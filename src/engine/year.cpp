// One projection year apart from the money Events: event activation, the
// Fundamentals Event, and the close of the year (growth, year-end charges,
// summary lines, flow record).
#include <cmath>
#include <cstdio>

#include "engine/internal.h"
#include "montecarlo/random.h"

namespace {

bool RandomRates() { return runSwitches.randomAccountRates || runSwitches.randomGroupRates; }

float YearGrowth(float balance, float ratePercent) { return balance * ratePercent * 0.01f; }

void Emit(int outputMode, int tag, const char* format, const char* text) {
    if (!LinesRead()) return;
    char line[TextLine];
    std::snprintf(line, sizeof line, format, text);
    EmitLine(outputMode, line, tag);
}

// A money line: `format` has one %s for the amount as dollar text.
void EmitMoney(int outputMode, int tag, const char* format, float amount) {
    if (!LinesRead()) return;
    char money[48];
    MoneyText(money, sizeof money, "%-13.2f", amount);
    Emit(outputMode, tag, format, money);
}

void StartEvent(Event& e) {
    if (e.eventType == EventWithdrawal && e.option == 1 && e.budgetIndex >= 1 && e.budgetIndex <= MaxBudgets) {
        Budget& b = scenario.budgets[e.budgetIndex - 1];
        int items = b.itemCount < 0 ? 0 : (b.itemCount > MaxBudgetItems ? MaxBudgetItems : b.itemCount);
        for (int k = 0; k < items; ++k) b.itemYearlyCopy[k] = b.itemYearly[k];
    }
    e.runAmount = e.amount;
    e.runState = RunActive;
    e.runSold = 0;
}

void ApplyFundamentals(int eventIndex, int outputMode) {
    Event& e = scenario.events[eventIndex];
    char text[80], line[TextLine], label[96];
    if (LinesRead()) {
        CopyField(text, sizeof text, e.description);
        Emit(outputMode, eventIndex, "  %s - Rate Changes: ", text);
    }

    const float newRate = e.loanRate;
    const bool lines = LinesRead();
    int position = e.accountId != -1 ? AccountPosition(e.accountId) : -1;
    if (position >= 0 && scenario.accountTable.accounts[position].rate != newRate) {
        scenario.accountTable.accounts[position].rate = newRate;
        if (lines) {
            AccountNameAt(position, text, sizeof text);
            std::snprintf(label, sizeof label, "     %s = ", text);
            RateLine(line, sizeof line, label, newRate);
            EmitLine(outputMode, line, eventIndex);
        }
    }
    if (run.currentTaxRate != e.amount) {
        run.currentTaxRate = e.amount;
        if (lines) {
            RateLine(line, sizeof line, "     Tax Rate = ", run.currentTaxRate);
            EmitLine(outputMode, line, eventIndex);
        }
    }
    if (run.currentInflationRate != e.rate2) {
        // Under random rates the year's drawn inflation stays in force.
        if (!RandomRates()) {
            run.currentInflationRate = e.rate2;
            run.inflationInForce = e.rate2;
        }
        if (lines) {
            RateLine(line, sizeof line, "     Inflation Rate = ", run.currentInflationRate);
            EmitLine(outputMode, line, eventIndex);
        }
    }
    e.runState = RunDone;
}

// This year's rate of account `position` (drawn when random rates are on).
float RateOfYear(int position) {
    const Account& a = scenario.accountTable.accounts[position];
    const int kind = scenario.settings.mcDistribution;
    const float rate = a.rate;
    auto widenedDraw = [&] {
        float sd = a.optionsSlot < MaxAccounts ? scenario.accountOptions.stdDeviation[a.optionsSlot] : 0.0f;
        return static_cast<float>(GaussianRate(rate, WidenedStdDeviation(sd)));
    };
    if (runSwitches.randomGroupRates) {
        if (kind == 2) return widenedDraw();
        return a.groupIndex < MaxGroups ? run.groupRate[a.groupIndex] : rate;
    }
    if (runSwitches.randomAccountRates) {
        if (kind == 0) return static_cast<float>(GaussianRangeRate(a.randomMinRate, a.randomMaxRate));
        if (kind == 1) return UniformRate(a.randomMinRate, a.randomMaxRate);
        return widenedDraw();
    }
    return rate;
}

void DrawGroupRates() {
    const ScenarioSettings& s = scenario.settings;
    for (int g = 0; g < MaxGroups; ++g) {
        run.groupShown[g] = 0;
        if (s.mcDistribution == 0)
            run.groupRate[g] = static_cast<float>(GaussianRangeRate(s.groupRandomMinRate[g], s.groupRandomMaxRate[g]));
        else if (s.mcDistribution == 1)
            run.groupRate[g] = UniformRate(s.groupRandomMinRate[g], s.groupRandomMaxRate[g]);
    }
}

void EmitRandomBanner(int outputMode) {
    static const char* const accountText[3] = {"  Gaussian range distribution random account rates in effect.",
                                               "  Uniform random account rates in effect.",
                                               "  Gaussian Standard Distribution random account rates in effect."};
    static const char* const groupText[3] = {"  Gaussian range distribution random group rates in effect.",
                                             "  Uniform random group rates in effect.",
                                             "  Gaussian Standard Distribution random group rates in effect."};
    int kind = scenario.settings.mcDistribution;
    if (kind < 0 || kind > 2) return;
    EmitLine(outputMode, runSwitches.randomAccountRates ? accountText[kind] : groupText[kind], TagOther);
}

void ShowDrawnRate(int outputMode, int position, float r);

// A drawn rate: the statistics and, with detailed results, its rate line.
// Inline, for every account every year of a trial; the group statistics
// and the line apart.
inline void RecordDrawnRate(int outputMode, int position, float r) {
    Account& a = scenario.accountTable.accounts[position];
    if (IsLiquid(a.accountType)) {
        int slot = a.optionsSlot < MaxAccounts ? a.optionsSlot : 0;
        scenario.accountOptions.mcRateCount[slot] += 1.0f;
        if (r < a.mcMinRate) a.mcMinRate = r;
        if (r > a.mcMaxRate) a.mcMaxRate = r;
        a.mcRateSum += r;
        int type = a.accountType;
        if (r < randomCounters.minimum[type]) randomCounters.minimum[type] = r;
        if (r > randomCounters.maximum[type]) randomCounters.maximum[type] = r;
        ++randomCounters.draws;
        if (runSwitches.recordDrawnRate) runSwitches.recordDrawnRate(position, r);
    }
    if (runSwitches.randomGroupRates) {
        // A group's rate is counted at its first account of the year only.
        if (a.groupIndex < MaxGroups && !run.groupShown[a.groupIndex]) ShowDrawnRate(outputMode, position, r);
    } else if (runSwitches.detailedRates && LinesRead()) {
        ShowDrawnRate(outputMode, position, r);
    }
}

// A drawn rate's group statistics, and its rate line with detailed results.
void ShowDrawnRate(int outputMode, int position, float r) {
    const Account& a = scenario.accountTable.accounts[position];
    char name[32], label[64], line[TextLine];
    const bool shown = runSwitches.detailedRates && LinesRead();
    if (runSwitches.randomGroupRates) {
        int g = a.groupIndex;
        if (g >= MaxGroups || run.groupShown[g]) return;
        run.groupShown[g] = 1;
        GroupRateStatistics& s = results.groups[g];
        ++s.count;
        s.sum += r;
        if (r < s.minimum) s.minimum = r;
        if (r > s.maximum) s.maximum = r;
        if (!shown) return;
        CopyField(name, sizeof name, scenario.settings.groupName[g]);
    } else {
        if (!shown) return;
        AccountNameAt(position, name, sizeof name);
    }
    std::snprintf(label, sizeof label, "      %s%s", name, " rate=");
    RateLine(line, sizeof line, label, r);
    EmitLine(outputMode, line, TagRandomRate);
}

void GrowAccount(int position, float r, float yearFraction, float age) {
    const Account& a = scenario.accountTable.accounts[position];
    YearTotals& y = run.year;
    const bool tracking = runSwitches.tracking != 0;
    // The name only for the item files.
    char name[32];
    name[0] = 0;
    if (run.inFile || run.outFile) AccountNameAt(position, name, sizeof name);
    const float balance = a.balance;
    switch (a.accountType) {
        case AccountInvestmentSavings: {
            float g = YearGrowth(balance, r) * yearFraction;
            if (g > 0) {
                float tax = g * run.currentTaxRate * 0.01f;
                y.savingsInterestTax += tax;
                y.taxes += tax;
            }
            run.investmentTotal += g;
            SetBalance(position, balance + g);
            if (tracking) {
                y.totalIncoming += g;
                y.taxableIncome += g;
                y.interestEarned += g;
            }
            WriteIncomingItem(age, name, g);
            break;
        }
        case AccountTaxFreeSavings:
        case AccountRetirementSavings: {
            float g = YearGrowth(balance, r) * yearFraction;
            SetBalance(position, balance + g);
            if (a.accountType == AccountTaxFreeSavings) {
                run.taxFreeTotal += g;
            } else {
                run.retirementTotal += g;
                if (tracking) y.retirementInterest += g;
            }
            if (tracking) {
                y.totalIncoming += g;
                y.nonTaxableIncome += g;
                y.interestEarned += g;
            }
            WriteIncomingItem(age, name, g);
            break;
        }
        case AccountAsset:
        case AccountEquity: {
            const bool asset = a.accountType == AccountAsset;
            float c = balance * r * 0.01f * yearFraction;
            y.valueChange += c;
            if (r > 0) {
                y.appreciation += c;
                if (tracking) y.totalIncoming += c;
            } else if (r < 0) {
                y.depreciation += c;
            }
            if (!asset || r > 0) WriteIncomingItem(age, name, c);
            if (asset && r < 0) WriteOutgoingItem(age, name, c);
            if (asset)
                run.assetTotal += c;
            else
                run.equityTotal += c;
            SetBalance(position, balance * (1.0f + r * 0.01f * yearFraction));
            break;
        }
        default:
            break;
    }
}

void PayYearEndCharges(int outputMode, float age, float yearFraction) {
    YearTotals& y = run.year;
    if (y.savingsInterestTax > 0) {
        EmitMoney(outputMode, TagOther, "  Pay %s Tax On Savings Interest", y.savingsInterestTax);
        WithdrawFunds(age, -1, y.savingsInterestTax, PaymentTaxes, yearFraction, TagOther);
    }
    if (y.withdrawalTaxes > 0) {
        EmitMoney(outputMode, TagOther, "  Withdrawal Taxes = %s", y.withdrawalTaxes);
        WithdrawFunds(age, -1, y.withdrawalTaxes, PaymentTaxes, yearFraction, TagOther);
    }
    if (y.penalties > 0) {
        EmitMoney(outputMode, TagOther, "  Penalties Paid = %s", y.penalties);
        RaiseRedFlag(run.penaltyPaid, age);
        WithdrawFunds(age, -1, y.penalties, PaymentPenalties, yearFraction, TagOther);
    }
    if (run.depositTaxThisYear > 0)
        EmitMoney(outputMode, TagOther, "  Deposit Taxes = %s", run.depositTaxThisYear);
}

void EmitYearSummary(int outputMode) {
    const YearTotals& y = run.year;
    auto part = [&](const char* format, float amount) {
        if (amount > 0) EmitMoney(outputMode, TagOther, format, amount);
    };
    EmitLine(outputMode, "Summary:", TagOther);
    EmitMoney(outputMode, TagOther, "    Total Incoming=%s", y.totalIncoming);
    part("       Deposits=%s", y.deposits);
    part("       Taxable Income=%s", y.taxableIncome);
    part("       Non Taxable Income=%s", y.nonTaxableIncome);
    part("       Loans=%s", y.loans);
    part("       Selling Assets/Property=%s", y.saleProceeds);
    part("       Appreciation=%s", y.appreciation);
    const float depreciation = std::fabs(y.depreciation);
    const float outgoing = y.withdrawals + y.savingsInterestTax + y.interestPaid + y.penalties + y.propertyTaxes +
                           y.withdrawalTaxes + y.closingCosts + depreciation;
    EmitMoney(outputMode, TagOther, "    Total Outgoing=%s", outgoing);
    part("       Withdrawals=%s", y.withdrawals);
    part("       Interest Paid=%s", y.interestPaid);
    part("       Taxes on withdrawals=%s", y.withdrawalTaxes);
    part("       Taxes on savings interest=%s", y.savingsInterestTax);
    part("       Property taxes=%s", y.propertyTaxes);
    part("       Closing costs=%s", y.closingCosts);
    part("       Penalties Paid=%s", y.penalties);
    if (y.depreciation != 0) EmitMoney(outputMode, TagOther, "       Depreciation=%s", depreciation);
}

void EmitAccountSummary(int outputMode) {
    EmitLine(outputMode, "End Of Year Account Summary:", TagOther);
    char name[32], money[48], line[TextLine];
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        AccountNameAt(i, name, sizeof name);
        MoneyText(money, sizeof money, "%-13.2f", scenario.accountTable.accounts[i].balance);
        std::snprintf(line, sizeof line, "  %s=%-20s", name, money);
        EmitLine(outputMode, line, TagOther);
    }
}

}  // namespace


void AddToTypeTotal(int accountType, float amount) {
    switch (accountType) {
        case AccountInvestmentSavings: run.investmentTotal += amount; break;
        case AccountTaxFreeSavings: run.taxFreeTotal += amount; break;
        case AccountRetirementSavings: run.retirementTotal += amount; break;
        case AccountEquity: run.equityTotal += amount; break;
        case AccountAsset: run.assetTotal += amount; break;
        default: break;
    }
}

void ProcessEvent(int eventIndex, int outputMode, float yearFraction) {
    if (eventIndex < 0 || eventIndex >= MaxEvents) return;
    Event& e = scenario.events[eventIndex];
    if (e.runState == RunNotStarted && e.startAge <= run.projectionAge) StartEvent(e);
    if (e.runState != RunActive) return;
    switch (e.eventType) {
        case EventFundamentals: ApplyFundamentals(eventIndex, outputMode); break;
        case EventDeposit: ProcessDeposit(eventIndex, outputMode, yearFraction); break;
        case EventWithdrawal: ProcessWithdrawal(eventIndex, outputMode, yearFraction); break;
        case EventTransfer: ProcessTransfer(eventIndex, outputMode, yearFraction); break;
        case EventLoan: ProcessLoan(eventIndex, outputMode, yearFraction); break;
        case EventMortgage: ProcessMortgage(eventIndex, outputMode, yearFraction); break;
        case EventRmdOption:
            // Not before the start age (the balances are not yet the start
            // ones); a table that starts earlier still applies from then on.
            if (run.projectionAge <= e.endAge && run.projectionAge >= run.startYear)
                ApplyRmd(WholeInt(run.projectionAge), eventIndex, outputMode, e.secondary);
            break;
        default:  // the asset-allocation option only documents itself
            break;
    }
}

void CloseYear(int outputMode, float yearFraction, float projectionAge, float startYear) {
    YearTotals& y = run.year;
    y.valueChange = y.appreciation = y.depreciation = y.savingsInterestTax = 0;
    if (runSwitches.randomGroupRates) DrawGroupRates();

    if (projectionAge >= startYear) {
        if (runSwitches.detailedRates && RandomRates()) EmitRandomBanner(outputMode);
        const int n = LiveAccountCount();
        const bool random = RandomRates();
        const Account* accounts = scenario.accountTable.accounts;
        for (int i = 0; i < n; ++i) {
            const float r = random ? RateOfYear(i) : accounts[i].rate;
            if (accounts[i].balance <= 0) continue;
            if (random) RecordDrawnRate(outputMode, i, r);
            GrowAccount(i, r, yearFraction, projectionAge);
        }
    }
    GrowBorrowedAssets(yearFraction);

    PayYearEndCharges(outputMode, projectionAge, yearFraction);
    if (runSwitches.detailedSummary || runSwitches.summary) EmitYearSummary(outputMode);
    if (runSwitches.accountSummary) EmitAccountSummary(outputMode);
    WriteYearFlows();
    y.withdrawalTaxes = y.propertyTaxes = y.savingsInterestTax = y.taxes = y.closingCosts = 0;
}
