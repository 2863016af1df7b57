// Taking money out of the liquid accounts: every outgoing payment of the
// projection ends here, with its withdrawal tax and early-withdrawal penalty.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/internal.h"

namespace {

// Early withdrawals from Tax Free and Retirement Savings before the
// account's penalty age pay its penalty rate.
void ChargePenalty(const Account& a, float age, float amount, int paymentKind) {
    if (paymentKind >= PaymentPenalties || !a.penaltyApplies) return;
    if (a.accountType != AccountTaxFreeSavings && a.accountType != AccountRetirementSavings) return;
    if (a.optionsSlot >= MaxAccounts) return;
    const AccountOptions& o = scenario.accountOptions;
    if (age < o.penaltyAge[a.optionsSlot]) run.year.penalties += amount * o.penaltyRate[a.optionsSlot] * 0.01f;
}

void ChargeWithdrawalTax(float amount) {
    float tax = amount * run.currentTaxRate * 0.01f;
    run.year.taxes += tax;
    run.year.withdrawalTaxes += tax;
}

void MarkFirstWithdrawal(const Account& a, float age) {
    if (a.accountType != AccountRetirementSavings || a.penaltyApplies != 1 || a.optionsSlot >= MaxAccounts) return;
    uint16_t recorded = scenario.accountOptions.runRecordedAge[a.optionsSlot];
    if (recorded == 0) scenario.accountOptions.runRecordedAge[a.optionsSlot] = static_cast<uint16_t>(std::trunc(age));
}

void EmitFromLine(const char* indent, float amount, const char* name, int tag) {
    if (!runSwitches.detailedRates) return;
    char money[48], line[TextLine];
    MoneyText(money, sizeof money, "%-11.2f", amount);
    std::snprintf(line, sizeof line, "%s%s from %s", indent, money, name);
    EmitLine(run.outputMode, line, tag);
}

}  // namespace

int withdrawalOrder[MaxAccounts];
int withdrawalOrderCount = 0;
int liquidOrder[MaxAccounts];
int liquidOrderCount = 0;
uint64_t fundedLiquid = 0;
uint64_t liquidBit[MaxAccounts];

namespace {

// Account ids below this are indexed (ids are handed out from 10 up to 30000).
constexpr int IndexedIds = 32768;
// Position + 1 by account id, 0 for none; only the entries of `indexedIds`
// are ever set, so clearing them clears the index.
int8_t positionOfId[IndexedIds];
uint16_t indexedIds[MaxAccounts];
int indexedIdCount = 0;
int firstInvestmentSavings = -1;
// The liquid accounts in withdrawal order, as records: the scan of every
// withdrawal reads their balances without working out where they are.
const Account* liquidAccount[MaxAccounts];

static_assert(MaxAccounts <= 64);

uint64_t FundedByScan() {
    uint64_t funded = 0;
    uint64_t bit = 1;
    for (int k = 0; k < liquidOrderCount; ++k, bit <<= 1)
        funded |= bit & (0 - static_cast<uint64_t>(!(liquidAccount[k]->balance <= 0)));
    return funded;
}

void IndexAccountIds() {
    for (int k = 0; k < indexedIdCount; ++k) positionOfId[indexedIds[k]] = 0;
    indexedIdCount = 0;
    // From the last account back, so that a repeated id finds its first account, as FindAccount does.
    for (int i = LiveAccountCount() - 1; i >= 0; --i) {
        const uint16_t id = scenario.accountTable.accounts[i].accountId;
        if (id >= IndexedIds) continue;
        positionOfId[id] = static_cast<int8_t>(i + 1);
        indexedIds[indexedIdCount++] = id;
    }
}

}  // namespace

void SetWithdrawalOrder() {
    withdrawalOrderCount = AccountsInWithdrawalOrder(withdrawalOrder);
    liquidOrderCount = 0;
    for (int k = 0; k < withdrawalOrderCount; ++k)
        if (IsLiquid(scenario.accountTable.accounts[withdrawalOrder[k]].accountType))
            liquidOrder[liquidOrderCount++] = withdrawalOrder[k];
    for (int k = 0; k < liquidOrderCount; ++k) liquidAccount[k] = &scenario.accountTable.accounts[liquidOrder[k]];
    for (uint64_t& bit : liquidBit) bit = 0;
    for (int k = 0; k < liquidOrderCount; ++k) liquidBit[liquidOrder[k]] = uint64_t{1} << k;
    ScanFundedLiquid();
    IndexAccountIds();
    ListAllocationAccounts();
    ListRmdAccounts();
    // Asked at every withdrawal once the liquid accounts are empty; an
    // account's type stays for the run.
    firstInvestmentSavings = -1;
    for (int k = 0; k < withdrawalOrderCount && firstInvestmentSavings < 0; ++k)
        if (scenario.accountTable.accounts[withdrawalOrder[k]].accountType == AccountInvestmentSavings)
            firstInvestmentSavings = withdrawalOrder[k];
}

int AccountPosition(int accountId) {
    if (accountId < 0 || accountId > 0xFFFF) return -1;  // account ids are 16-bit, never negative
    if (accountId < IndexedIds) {
        const int p = positionOfId[accountId] - 1;
        if (p >= 0 && p < LiveAccountCount() && scenario.accountTable.accounts[p].accountId == accountId) return p;
    }
    // Not indexed, or the table changed since: the search gives the answer.
    return FindAccount(accountId);
}

int FirstInvestmentSavings() { return firstInvestmentSavings; }

void ScanFundedLiquid() { fundedLiquid = FundedByScan(); }

#ifndef NDEBUG
// A balance written past SetBalance would leave the mask stale and send a
// withdrawal past money it should take: Debug builds compare at every use.
void CheckFundedLiquid() {
    const uint64_t scanned = FundedByScan();
    if (scanned == fundedLiquid) return;
    std::fprintf(stderr, "fundedLiquid %#llx differs from the balances' %#llx: a balance was written past SetBalance\n",
                 static_cast<unsigned long long>(fundedLiquid), static_cast<unsigned long long>(scanned));
    std::abort();
}

void CheckAccountList(const AccountList& kept, const AccountList& now, const char* what) {
    bool same = kept.count == now.count;
    for (int k = 0; same && k < now.count; ++k) same = kept.position[k] == now.position[k];
    if (same) return;
    std::fprintf(stderr, "The accounts of %s changed since the run listed them\n", what);
    std::abort();
}
#endif

float TakeFromAccount(int position, float age, float amount, int paymentKind, int tag, const char* indent) {
    const Account& a = scenario.accountTable.accounts[position];
    const int type = a.accountType;
    const float balance = a.balance;
    // The name only for a "from" line or an outgoing item.
    char name[32] = "";
    if (runSwitches.detailedRates || run.outFile) AccountNameAt(position, name, sizeof name);
    if (balance - amount > 0) {
        SetBalance(position, balance - amount);
        AddToTypeTotal(type, -amount);
        ChargePenalty(a, age, amount, paymentKind);
        if (type == AccountRetirementSavings && paymentKind < PaymentPenalties && paymentKind != PaymentTaxes)
            ChargeWithdrawalTax(amount);
        MarkFirstWithdrawal(a, age);
        if (!indent) indent = type == AccountInvestmentSavings ? "         " : "      ";
        EmitFromLine(indent, amount, name, tag);
        WriteOutgoingItem(age, name, amount);
        return 0;
    }
    // The account cannot cover it: it is emptied, the rest stays uncovered.
    ChargePenalty(a, age, balance, paymentKind);
    if (type == AccountRetirementSavings && paymentKind < PaymentPenalties) ChargeWithdrawalTax(balance);
    MarkFirstWithdrawal(a, age);
    EmitFromLine("      ", balance, name, tag);
    WriteOutgoingItem(age, name, balance);
    AddToTypeTotal(type, -balance);
    SetBalance(position, 0);
    return amount - balance;
}

float TakeFromAccount(int position, float age, float amount, int paymentKind, int tag) {
    return TakeFromAccount(position, age, amount, paymentKind, tag, nullptr);
}

float WithdrawFromAccount(float amount, int eventIndex, int outputMode, int accountId) {
    const float age = run.projectionAge;
    if (amount <= 0 || age < run.startYear) return 0;  // nothing moves in silent years
    const int position = AccountPosition(accountId);
    if (position < 0 || position >= LiveAccountCount()) return amount;
    const Account& a = scenario.accountTable.accounts[position];
    // An Asset or Equity account is never drawn on, and an overdrawn or empty
    // one gives nothing (emptying it would charge a negative penalty and
    // leave more than was asked); either way the shortfall is reported.
    float rest = IsLiquid(a.accountType) && a.balance > 0
                     ? TakeFromAccount(position, age, amount, outputMode, eventIndex)
                     : amount;
    if (rest <= 0) return 0;
    if (LinesRead()) {
        char name[32], money[48], line[TextLine];
        AccountNameAt(position, name, sizeof name);
        MoneyText(money, sizeof money, "%-11.2f", rest);
        std::snprintf(line, sizeof line, "      Withdrawal account %s depleted %s withdrawn from other accounts!",
                      name, money);
        EmitLine(outputMode, line, eventIndex);
    }
    if (!run.withdrawalAccountDepleted.happened && std::trunc(age) > std::trunc(scenario.initialValues.startAge))
        RaiseRedFlag(run.withdrawalAccountDepleted, age);
    return rest;
}

void PayForEvent(int eventIndex, float amount, int outputMode, int accountId, float yearFraction) {
    if (accountId >= 0) amount = WithdrawFromAccount(amount, eventIndex, outputMode, accountId);
    if (amount > 0) WithdrawFunds(run.projectionAge, eventIndex, amount, outputMode, yearFraction, eventIndex);
}

void WithdrawFunds(float age, int eventIndex, float amount, int paymentKind, float yearFraction, int tag) {
    if (age < run.startYear) return;
    const AccountTable& t = scenario.accountTable;
    const int allocation = t.assetAllocOption;
    // Most accounts of a long plan are empty most of the time: the visit
    // jumps from one funded liquid account to the next. Balances only fall
    // while a withdrawal is taken, so an account empty now stays empty.
#ifndef NDEBUG
    CheckFundedLiquid();
#endif
    uint64_t funded = fundedLiquid;
    while (funded != 0 && amount > 0) {
        const int k = std::countr_zero(funded);
        funded &= funded - 1;
        const int i = liquidOrder[k];
        const Account& a = t.accounts[i];
        if (a.balance <= 0) continue;
        if (allocation >= 1 && allocation <= 3 && age >= t.assetAllocStartAge && amount >= t.assetAllocAmount &&
            a.optionsSlot < MaxAccounts && scenario.accountOptions.assetAllocation[a.optionsSlot]) {
            amount = AllocationWithdraw(age, eventIndex, amount, paymentKind, yearFraction, tag);
            if (amount <= 0) return;
            if (a.balance <= 0) continue;
        }
        amount = TakeFromAccount(i, age, amount, paymentKind, tag);
    }
    if (amount <= 0) return;
    // Nothing liquid is left: the first Investment Savings account goes
    // negative by the rest. Either way the shortfall is flagged.
    RaiseRedFlag(run.liquidDepleted, age);
    const int i = FirstInvestmentSavings();
    if (i < 0) return;
    SetBalance(i, scenario.accountTable.accounts[i].balance - amount);
    run.investmentTotal -= amount;
    char name[32] = "", money[48], line[TextLine];
    if (runSwitches.detailedRates || run.outFile) AccountNameAt(i, name, sizeof name);
    if (runSwitches.detailedRates) {
        MoneyText(money, sizeof money, "%-11.2f", amount);
        std::snprintf(line, sizeof line, "      Savings depleted -- %s withdrawn from %s.", money, name);
        EmitLine(run.outputMode, line, tag);
    }
    WriteOutgoingItem(age, name, amount);
}
