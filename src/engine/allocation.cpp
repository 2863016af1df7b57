// Asset-allocation withdrawals: from a chosen age on, a withdrawal of at
// least the chosen amount is spread over the accounts taking part, in
// proportion to their balances (option 1), in equal shares (option 2) or
// inversely to their balances (option 3, not offered by the dialog).
#include "engine/internal.h"

float accountWeight[MaxAccounts];

namespace {

bool TakesPart(const Account& a) {
    return a.optionsSlot < MaxAccounts && scenario.accountOptions.assetAllocation[a.optionsSlot] != 0;
}

}  // namespace

void AllocationWeights() {
    SetWeights([](const Account& a, int) { return TakesPart(a); }, 0, scenario.accountTable.assetAllocOption);
}

float AllocationWithdraw(float age, int, float amount, int paymentKind, float, int tag) {
    if (age < run.startYear) return 0;
    AllocationWeights();
    float taken = 0, carry = 0;
    for (int k = 0; k < withdrawalOrderCount; ++k) {
        const int i = withdrawalOrder[k];
        const Account& a = scenario.accountTable.accounts[i];
        const float balance = a.balance;
        if (!TakesPart(a) || !(accountWeight[i] > 0) || !IsLiquid(a.accountType) || !(balance > 0)) continue;
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
