// Asset-allocation withdrawals: from a chosen age on, a withdrawal of at
// least the chosen amount is spread over the accounts taking part, in
// proportion to their balances (option 1), in equal shares (option 2) or
// inversely to their balances (option 3, not offered by the dialog).
#include <bit>
#include <cstdint>

#include "engine/internal.h"

float accountWeight[MaxAccounts];

namespace {

bool TakesPart(const Account& a) {
    return a.optionsSlot < MaxAccounts && scenario.accountOptions.assetAllocation[a.optionsSlot] != 0;
}

AccountList allocationAccounts;
// Bit k set when liquidOrder[k] takes part.
uint64_t allocationLiquid = 0;

}  // namespace

void ListAllocationAccounts() {
    allocationAccounts = ListAccounts(TakesPart);
    allocationLiquid = 0;
    for (int k = 0; k < liquidOrderCount; ++k)
        if (TakesPart(scenario.accountTable.accounts[liquidOrder[k]])) allocationLiquid |= uint64_t{1} << k;
}

void AllocationWeights() {
#ifndef NDEBUG
    CheckAccountList(allocationAccounts, ListAccounts(TakesPart), "the asset allocation");
#endif
    SetWeights(allocationAccounts, scenario.accountTable.assetAllocOption);
}

float AllocationWithdraw(float age, int, float amount, int paymentKind, float, int tag) {
    if (age < run.startYear) return 0;
    AllocationWeights();
#ifndef NDEBUG
    CheckFundedLiquid();
#endif
    float taken = 0, carry = 0;
    // In withdrawal order, the liquid accounts that take part and hold money
    // (a withdrawal changes only the account it takes from).
    uint64_t visit = allocationLiquid & fundedLiquid;
    while (visit != 0) {
        const int i = liquidOrder[std::countr_zero(visit)];
        visit &= visit - 1;
        const float balance = scenario.accountTable.accounts[i].balance;
        if (!(accountWeight[i] > 0) || !(balance > 0)) continue;
        // Each account is asked for its share plus what earlier accounts could
        // not give, but never for more than is still missing: a satisfied
        // shortfall is not asked for again, and weights that add up to more
        // than 1 (option 3) cannot take more than the withdrawal.
        float ask = amount * accountWeight[i] + carry;
        if (ask > amount - taken) ask = amount - taken;
        if (balance - ask <= 0) {
            carry = ask - balance;
            taken += balance;
            TakeFromAccount(i, age, balance, paymentKind, tag, "      ");
        } else {
            carry = 0;
            taken += ask;
            TakeFromAccount(i, age, ask, paymentKind, tag, "      ");
        }
        if (taken >= amount) return 0;
    }
    const float rest = amount - taken;
    return rest <= 1.0f ? 0 : rest;
}
