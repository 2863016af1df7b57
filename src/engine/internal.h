// Routines shared inside the engine: the event handlers ProcessEvent
// dispatches to, the withdrawal routines, and the writers of the item files.
#pragma once

#include "engine/engine.h"

// Live counts, bounded by the table sizes whatever a file said.
int LiveEventCount();

// Asked for every account and Event many times a year: inline.
inline bool IsLiquid(int accountType) {
    return accountType == AccountInvestmentSavings || accountType == AccountTaxFreeSavings ||
           accountType == AccountRetirementSavings;
}
inline bool IsCreditCard(const Event& e) { return e.eventType == EventLoan && e.applyInflation == CreditCardMarker; }
// Adds `amount` to the run total of an account type.
void AddToTypeTotal(int accountType, float amount);
// Records the whole age of a red flag's first occurrence.
void RecordRedFlag(RedFlag& flag, float age);
// Asked at most payments once the money has run out: inline.
inline void RaiseRedFlag(RedFlag& flag, float age) {
    if (!flag.happened) RecordRedFlag(flag, age);
}

// Item file lines: "%5.1f\t%s\t%13.2f\n" (age, account name, amount).
// "age, name, amount" into an item file. Most runs (every Monte Carlo
// trial) have no item files: the test is inline.
void WriteItemLine(std::FILE* f, float age, const char* accountName, float amount);
inline void WriteIncomingItem(float age, const char* accountName, float amount) {
    if (run.inFile) WriteItemLine(run.inFile, age, accountName, amount);
}
inline void WriteOutgoingItem(float age, const char* accountName, float amount) {
    if (run.outFile) WriteItemLine(run.outFile, age, accountName, amount);
}
// "%5.1f\t%s\t%d\t%13.2f\n" (age, description, type, working amount).
void WriteEventAmountItem(float age, int eventIndex);

// ---- withdrawals -----------------------------------------------------------
// The live account positions in withdrawal (Access Order) order, set once at
// the start of every run: every "in order" visit of the accounts uses it.
extern int withdrawalOrder[MaxAccounts];
extern int withdrawalOrderCount;
// The same order with only the liquid accounts, which withdrawals visit.
extern int liquidOrder[MaxAccounts];
extern int liquidOrderCount;
// Sets both orders, the account index of AccountPosition and fundedLiquid.
void SetWithdrawalOrder();
// Which liquid accounts hold money: bit k is set while the balance of
// liquidOrder[k] is not <= 0 (so NaN counts as funded). Most payments of a
// long plan find the same accounts empty; keeping the mask with every write
// of a balance spares each withdrawal a scan of every liquid account.
extern uint64_t fundedLiquid;
// By account position: its bit in fundedLiquid, 0 for an account that is not liquid.
extern uint64_t liquidBit[MaxAccounts];
// Every balance a run changes is written through here.
inline void SetBalance(int position, float balance) {
    scenario.accountTable.accounts[position].balance = balance;
    const uint64_t bit = liquidBit[position];
    fundedLiquid = (fundedLiquid & ~bit) | (bit & (0 - static_cast<uint64_t>(!(balance <= 0))));
}
// Gathers fundedLiquid afresh from the balances (after balances were set wholesale).
void ScanFundedLiquid();
// FindAccount in constant time: the position of the account `accountId`,
// or -1, from an index the run makes when it sets the withdrawal order.
int AccountPosition(int accountId);
// The first Investment Savings account in withdrawal order, or -1.
int FirstInvestmentSavings();
// Takes `amount` from the liquid accounts in withdrawal order; nothing before the
// start year. The kind is the output mode for an ordinary payment, or
// PaymentTaxes / PaymentPenalties.
void WithdrawFunds(float age, int eventIndex, float amount, int paymentKind, float yearFraction, int tag);
// Takes from the one account `position` what it can of `amount` (the rules
// of an ordinary withdrawal: penalty, withdrawal tax, first-withdrawal age,
// "from" line, outgoing item) and returns what is left uncovered.
float TakeFromAccount(int position, float age, float amount, int paymentKind, int tag);
// The same with the "from" line indented by `indent` whatever the account type.
float TakeFromAccount(int position, float age, float amount, int paymentKind, int tag, const char* indent);
// An Event's payment: its own account first when it has one (`accountId`
// -1 = none), whatever that leaves through WithdrawFunds.
void PayForEvent(int eventIndex, float amount, int outputMode, int accountId, float yearFraction);

// Per-account shares of an asset-allocation withdrawal or a distribution,
// indexed by account position; recomputed before every use.
extern float accountWeight[MaxAccounts];
// Account positions in table order: the accounts an RMD table or the asset
// allocation weighs, listed once a run (the options they come from do not
// change while it runs) so that each weighing visits only those.
struct AccountList {
    int count = 0;
    int16_t position[MaxAccounts];
};
template <typename Included>
AccountList ListAccounts(Included included) {
    AccountList list;
    const int n = LiveAccountCount();
    for (int i = 0; i < n; ++i)
        if (included(scenario.accountTable.accounts[i])) list.position[list.count++] = static_cast<int16_t>(i);
    return list;
}
#ifndef NDEBUG
// Aborts when a kept list is not the list the options give now.
void CheckAccountList(const AccountList& kept, const AccountList& now, const char* what);
// Aborts when fundedLiquid is not what the balances say.
void CheckFundedLiquid();
#endif
// Over the accounts of `included` with a positive balance: the sum of their
// balances, and their weights by `option` (1 balance / total, 2 equal
// shares, 3 one minus balance / total); every other account gets 0.
inline float SetWeights(const AccountList& included, int option) {
    float total = 0;
    int count = 0;
    for (int k = 0; k < included.count; ++k) {
        const float balance = scenario.accountTable.accounts[included.position[k]].balance;
        if (balance > 0) {
            total += balance;
            ++count;
        }
    }
    for (float& w : accountWeight) w = 0;
    if (!(total > 0)) return total;
    for (int k = 0; k < included.count; ++k) {
        const int i = included.position[k];
        const float balance = scenario.accountTable.accounts[i].balance;
        if (!(balance > 0)) continue;
        float w = 0;
        if (option == 1) w = balance / total;
        else if (option == 2) w = 1.0f / static_cast<float>(count);
        else if (option == 3) w = 1.0f - balance / total;
        accountWeight[i] = w;
    }
    return total;
}
// List the accounts of the asset allocation and of the RMD tables; the
// withdrawal order calls them when it is set.
void ListAllocationAccounts();
void ListRmdAccounts();
// The weights of the accounts taking part in the asset allocation.
void AllocationWeights();
// The sum of the positive balances of the accounts on RMD table `table`
// (1..3), setting their weights by the RMD option.
float RmdTotal(int table);

// ---- Event handlers (money_events.cpp, loans.cpp, rmd.cpp, allocation.cpp, withdraw.cpp)
// Each is called by ProcessEvent for an active Event of its type.
void ProcessDeposit(int eventIndex, int outputMode, float yearFraction);
void ProcessWithdrawal(int eventIndex, int outputMode, float yearFraction);
void ProcessTransfer(int eventIndex, int outputMode, float yearFraction);
void ProcessLoan(int eventIndex, int outputMode, float yearFraction);        // also Credit Card Debt
void ProcessMortgage(int eventIndex, int outputMode, float yearFraction);
// The RMD option Event of `table` (1..3) at whole age `age`.
void ApplyRmd(int age, int eventIndex, int outputMode, int table);
// Part of `amount` an asset-allocation withdrawal leaves uncovered.
float AllocationWithdraw(float age, int eventIndex, float amount, int paymentKind, float yearFraction, int tag);
// An Event's own withdrawal account first; returns the part left uncovered.
float WithdrawFromAccount(float amount, int eventIndex, int outputMode, int accountId);
void TransferFunds(float age, int outputMode, int eventIndex, float amount);
// Year-end growth of property bought with a Mortgage and of assets bought
// with a Loan (every Event with startAge <= projectionAge, silent years too),
// over the Loans and Mortgages ListBorrowing found at the start of the run.
void GrowBorrowedAssets(float yearFraction);
void ListBorrowing();
// In a prorated start year, before the start row: the share of this year's
// principal of every Loan and Mortgage running since before the start year
// that was repaid before today (1 - yearFraction of it). It leaves the
// liabilities (and, for a Mortgage, moves from asset to equity) before the
// row, so that within the plan the liabilities fall by the principal of the
// payments the plan itself makes.
void TakeStartYearHistory(float yearFraction);
// Every Loan and Mortgage schedule starts again from period 0 (each run).
void ResetAmortizations();
// The extra monthly principal of a Mortgage's accelerated payments in the
// year of whole age `age`, and the first month it applies to.
void AcceleratedPayment(const Event& e, float age, float& extra, int32_t& extraFrom);
// `base` multiplied by `factor` `years` times, one rounded product after the
// other (an inflated property tax), from chains of products kept between calls.
float InflatedTax(float base, float factor, int years);

// ---- text --------------------------------------------------------------------
// Whether this run's schedule lines go anywhere: false for the results list
// of a run that nobody reads. Line builders check it before formatting.
inline bool LinesRead() { return !(runSwitches.listUnread && run.outputMode == OutputResultsList); }
// Whether EmitLine keeps a line of `outputMode` at all.
inline bool LineKept(int outputMode) {
    return !runSwitches.descriptionOnly && !(outputMode == OutputResultsList && runSwitches.listUnread);
}
// Removes every blank and cuts at the first character that is not a digit,
// '$', '.' or '-'.
void TrimNumber(char* text);
// printf(format, rate) trimmed, followed by "%".
void RateText(char* out, int size, const char* format, float rate);
// A fixed text field copied with its NUL (the field may lack one).
void CopyField(char* out, int size, const char* field, int fieldSize);
template <int N>
void CopyField(char* out, int size, const char (&field)[N]) {
    CopyField(out, size, field, N);
}
// The name of the account at `position`, "" when there is none.
void AccountNameAt(int position, char* out, int size);
constexpr int TextLine = 512;
