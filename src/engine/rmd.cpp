// Required minimum distributions: each year from a table's start age, the
// balance of the accounts on that table divided by the year's life-expectancy
// divisor is moved to the target account and taxed as a withdrawal.
#include <cstdio>

#include "engine/internal.h"

const float DefaultRmdValues[RmdTableLength] = {27.4f, 26.5f, 25.6f, 24.7f, 23.8f, 22.9f, 22.0f, 21.2f, 20.3f, 19.5f,
                                                18.7f, 17.9f, 17.1f, 16.3f, 15.5f, 14.8f, 14.1f, 13.4f, 12.7f, 12.0f,
                                                11.4f, 10.8f, 10.2f, 9.6f,  9.1f,  8.6f,  8.1f,  7.6f,  7.1f,  6.7f};

namespace {

struct RmdTable {
    int32_t startAge;
    float values[RmdTableLength];
    char name[40];
};

// A copy of table 1, 2 or 3 (values copied one by one: the record is packed).
RmdTable TableOf(int table) {
    const AccountOptions& o = scenario.accountOptions;
    RmdTable t{};
    for (int k = 0; k < RmdTableLength; ++k)
        t.values[k] = table == 1 ? o.rmdValues1[k] : table == 2 ? o.rmdValues2[k] : o.rmdValues3[k];
    t.startAge = table == 1 ? o.rmdStartAge1 : table == 2 ? o.rmdStartAge2 : o.rmdStartAge3;
    if (table == 1)
        CopyField(t.name, sizeof t.name, o.rmdName1);
    else if (table == 2)
        CopyField(t.name, sizeof t.name, o.rmdName2);
    else
        CopyField(t.name, sizeof t.name, o.rmdName3);
    return t;
}

bool OnTable(const Account& a, int table) {
    return a.optionsSlot < MaxAccounts && (scenario.accountOptions.rmdTable[a.optionsSlot] / 10) % 10 == table;
}

void Emit(int outputMode, int eventIndex, const char* line) { EmitLine(outputMode, line, eventIndex); }

// Moves `amount` from the account at `position` to the target account.
void Distribute(int position, int target, float amount, int age, int outputMode, int eventIndex) {
    const Account& a = scenario.accountTable.accounts[position];
    SetBalance(position, a.balance - amount);
    AddToTypeTotal(a.accountType, -amount);
    const Account& to = scenario.accountTable.accounts[target];
    SetBalance(target, to.balance + amount);
    AddToTypeTotal(to.accountType, amount);
    const float tax = amount * run.currentTaxRate * 0.01f;
    run.year.taxes += tax;
    run.year.withdrawalTaxes += tax;
    char name[32] = "", money[48], line[TextLine];
    if (runSwitches.detailedRates || run.outFile) AccountNameAt(position, name, sizeof name);
    if (runSwitches.detailedRates) {
        MoneyText(money, sizeof money, "%-11.2f", amount);
        std::snprintf(line, sizeof line, "      %s from %s", money, name);
        Emit(outputMode, eventIndex, line);
    }
    WriteOutgoingItem(static_cast<float>(age), name, amount);
}

// Option 3: the accounts of the table in withdrawal order until the RMD is moved.
void DistributeInOrder(int table, int target, float rmd, int age, int outputMode, int eventIndex) {
    float remaining = rmd;
    for (int k = 0; k < withdrawalOrderCount && remaining > 0; ++k) {
        const int i = withdrawalOrder[k];
        const Account& a = scenario.accountTable.accounts[i];
        const float balance = a.balance;
        if (!OnTable(a, table) || !(balance > 0)) continue;
        const float take = balance < remaining ? balance : remaining;
        Distribute(i, target, take, age, outputMode, eventIndex);
        remaining -= take;
    }
}

bool GivesByWeight(const Account& a, int position, int table) {
    const float balance = a.balance;
    return OnTable(a, table) && a.accountType == AccountRetirementSavings && accountWeight[position] > 0 &&
           balance > 0;
}

// Options 1 and 2: each Retirement Savings account of the table gives its
// share, and what one cannot give is asked of the next ones. A shortfall
// left after the last account is then taken in withdrawal order, never more
// than the shortfall itself.
void DistributeByWeight(int table, int target, float rmd, int age, int outputMode, int eventIndex) {
    const int n = LiveAccountCount();
    float carry = 0;
    for (int i = 0; i < n; ++i) {
        const Account& a = scenario.accountTable.accounts[i];
        if (!GivesByWeight(a, i, table)) continue;
        const float balance = a.balance;
        const float ask = rmd * accountWeight[i] + carry;
        float give = ask;
        carry = 0;
        if (ask > balance) {
            give = balance;
            carry = ask - balance;
        }
        Distribute(i, target, give, age, outputMode, eventIndex);
    }
    for (int k = 0; k < withdrawalOrderCount && carry > 0; ++k) {
        const int i = withdrawalOrder[k];
        const Account& a = scenario.accountTable.accounts[i];
        if (!GivesByWeight(a, i, table)) continue;
        const float balance = a.balance;
        const float give = balance < carry ? balance : carry;
        Distribute(i, target, give, age, outputMode, eventIndex);
        carry -= give;
    }
}

}  // namespace

namespace {

AccountList rmdAccounts[3];  // tables 1..3

AccountList AccountsOnTable(int table) {
    return ListAccounts([table](const Account& a) { return OnTable(a, table); });
}

}  // namespace

void ListRmdAccounts() {
    for (int t = 1; t <= 3; ++t) rmdAccounts[t - 1] = AccountsOnTable(t);
}

float RmdTotal(int table) {
#ifndef NDEBUG
    CheckAccountList(rmdAccounts[table - 1], AccountsOnTable(table), "an RMD table");
#endif
    return SetWeights(rmdAccounts[table - 1], scenario.accountTable.rmdOption == 2 ? 2 : 1);
}

void ApplyRmd(int age, int eventIndex, int outputMode, int table) {
    if (table < 1 || table > 3) return;
    const RmdTable t = TableOf(table);
    char line[TextLine];
    int i = age - t.startAge;
    // A trial keeps none of these lines: they are built only for a reader.
    const bool kept = LineKept(outputMode);
    if (i < 0) {
        if (!kept) return;
        std::snprintf(line, sizeof line,
                      "  Required Minimum Distribution - Detected a possible problem with the start age of the "
                      "distributions %d %d %d.",
                      age, t.startAge, 0);
        Emit(outputMode, eventIndex, line);
        return;
    }
    if (i > RmdTableLength - 1) {
        i = RmdTableLength - 1;
        if (kept) {
            std::snprintf(line, sizeof line,
                          "  Required Minimum Distribution - Detected a possible problem with the end age of the "
                          "distributions %d %d %d.",
                          age, t.startAge, RmdTableLength - 1);
            Emit(outputMode, eventIndex, line);
        }
    }
    const float divisor = t.values[i];
    float rmd = 0;
    if (divisor > 0) {
        rmd = RmdTotal(table) / divisor;
    } else if (kept && table == 2) {
        std::snprintf(line, sizeof line,
                      "  Required Minimum Distribution - Detected a possible problem with the Life Expectancy Values "
                      "in Table 2.-%d,%f",
                      i, static_cast<double>(divisor));
        Emit(outputMode, eventIndex, line);
    } else if (kept) {
        std::snprintf(line, sizeof line,
                      "  Required Minimum Distribution - Detected a possible problem with the Life Expectancy Values "
                      "in Table %d.",
                      table);
        Emit(outputMode, eventIndex, line);
    }
    if (!(rmd > 0)) {
        if (kept) {
            std::snprintf(line, sizeof line, "  %s (using RMD Table %d) - selected RMD accounts were depleted.",
                          t.name, table);
            Emit(outputMode, eventIndex, line);
        }
        RaiseRedFlag(run.rmdDepleted, static_cast<float>(age));
        return;
    }
    // Without a receiving account there is nowhere to move the money to.
    const int target = AccountPosition(scenario.accountOptions.rmdTargetAccount);
    if (target < 0 || target >= LiveAccountCount()) return;
    if (LinesRead()) {
        char money[48], name[32];
        MoneyText(money, sizeof money, "%-13.2f", rmd);
        AccountNameAt(target, name, sizeof name);
        std::snprintf(line, sizeof line, "  %s (using RMD Table %d) -  %s Transferred to the %s account.", t.name,
                      table, money, name);
        Emit(outputMode, eventIndex, line);
    }
    if (scenario.accountTable.rmdOption == 1 || scenario.accountTable.rmdOption == 2)
        DistributeByWeight(table, target, rmd, age, outputMode, eventIndex);
    else
        DistributeInOrder(table, target, rmd, age, outputMode, eventIndex);
}
