// NOT YET BUILT. Empty placeholders for the money Events (deposits,
// withdrawals, transfers, loans, credit-card debt, mortgages), the RMD
// option, the asset-allocation withdrawal, an Event's own withdrawal account
// and the year-end growth of borrowed assets. ProcessEvent, WithdrawFunds
// and CloseYear already call them at their places; each must be replaced by
// the real routine. Until then these Events move no money, and no test may
// rely on what they do.
#include "engine/internal.h"

void ProcessDeposit(int, int, float) {}      // placeholder: deposits nothing
void ProcessWithdrawal(int, int, float) {}   // placeholder: withdraws nothing
void ProcessTransfer(int, int, float) {}     // placeholder: transfers nothing
void ProcessLoan(int, int, float) {}         // placeholder: no loan or credit-card activity
void ProcessMortgage(int, int, float) {}     // placeholder: no mortgage activity
void ApplyRmd(int, int, int, int) {}         // placeholder: no distribution

// Placeholder: covers nothing, so WithdrawFunds goes on in table order.
float AllocationWithdraw(float, int, float amount, int, float, int) { return amount; }

// Placeholder: covers nothing; the caller's general withdrawal takes it all.
float WithdrawFromAccount(float amount, int, int, int) { return amount; }

void TransferFunds(float, int, int, float) {}  // placeholder: moves nothing

void GrowBorrowedAssets(float) {}  // placeholder: no appreciation of bought property or assets
