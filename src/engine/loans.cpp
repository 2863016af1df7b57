// Borrowing in the projection: Loans, Credit Card Debts and Mortgages, from
// their first year through the yearly instalments, property taxes, payoff
// and sale, and the year-end growth of what was bought with them.
//
// Working fields while a run is under way: `oneTimeOnly` = paid off,
// `runAmount` = the value bought (Loan), the property value (Mortgage) or the
// card balance, `transferAll` = months of the schedule already passed,
// `secondary` = a Mortgage paid off at its payoff age, `runSold` = property sold.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/internal.h"
#include "engine/payment.h"

namespace {

struct EventText {
    char description[80];
    explicit EventText(const Event& e) { CopyField(description, sizeof description, e.description); }
};

// "  <description> - <format with one %s for the amount>" and the like: a line
// whose format takes the description and then one dollar amount.
void EmitAmountLine(int outputMode, int eventIndex, const char* format, const char* description, float amount) {
    if (!LinesRead()) return;
    char money[48], line[TextLine];
    MoneyText(money, sizeof money, "%-11.2f", amount);
    std::snprintf(line, sizeof line, format, description, money);
    EmitLine(outputMode, line, eventIndex);
}

void EmitTotals(int outputMode, int eventIndex, const Event& e) {
    if (!LinesRead()) return;
    char principal[48], interest[48], line[TextLine];
    MoneyText(principal, sizeof principal, "%-11.2f", e.runPrincipalPaid);
    MoneyText(interest, sizeof interest, "%-11.2f", e.runInterestPaid);
    std::snprintf(line, sizeof line, "    Total Principal=%s Total Interest=%s", principal, interest);
    EmitLine(outputMode, line, eventIndex);
}

void Track(float& flow, float amount) {
    if (runSwitches.tracking) flow += amount;
}

bool FirstYear(const Event& e) {
    return run.projectionAge == run.firstAge || e.startAge > run.projectionAge - 1.0f;
}

// The account payments come from, -1 for none.
int PaymentAccount(const Event& e) {
    if (IsCreditCard(e)) return e.accountId >= 0 && e.years == AccountAssignedMarker ? e.accountId : -1;
    return e.paymentAccountId >= 0 && e.paymentAccountAssigned == AccountAssignedMarker ? e.paymentAccountId : -1;
}

void Pay(int eventIndex, float amount, int outputMode, float yearFraction) {
    PayForEvent(eventIndex, amount, outputMode, PaymentAccount(scenario.events[eventIndex]), yearFraction);
}

float Financed(const Event& e) { return e.amount - e.rate2; }

// What is still owed on a Loan or Mortgage; nothing once it is paid off.
float Remaining(const Event& e) { return e.oneTimeOnly ? 0.0f : Financed(e) - e.runPrincipalPaid; }

int ReceivingType(const Event& e) {
    const int position = AccountPosition(e.accountId);
    return position < 0 ? -1 : scenario.accountTable.accounts[position].accountType;
}


// Sale proceeds go to the first Investment Savings account.
void DepositProceeds(int outputMode, int eventIndex, float proceeds) {
    const int position = FirstInvestmentSavings();
    run.investmentTotal += proceeds;
    if (position >= 0) SetBalance(position, scenario.accountTable.accounts[position].balance + proceeds);
    if (!LinesRead()) return;
    char money[48], name[32], line[TextLine];
    MoneyText(money, sizeof money, "%-11.2f", proceeds);
    if (position >= 0) {
        AccountNameAt(position, name, sizeof name);
        std::snprintf(line, sizeof line, "      Deposited %s to %s", money, name);
    } else {
        std::snprintf(line, sizeof line, "      Deposited %s to Investment Savings", money);
    }
    EmitLine(outputMode, line, eventIndex);
}

void StartLoan(int eventIndex, int outputMode) {
    Event& e = scenario.events[eventIndex];
    const EventText t(e);
    const float amount = e.amount;
    const int position = AccountPosition(e.accountId);
    // Before the start age the account balances are those entered for the
    // start age, so the loan changes only what is owed.
    if (position >= 0) {
        const Account& a = scenario.accountTable.accounts[position];
        if (run.projectionAge >= run.startYear) {
            SetBalance(position, a.balance + amount);
            AddToTypeTotal(a.accountType, amount);
        }
        const bool liquid = IsLiquid(a.accountType);
        if (liquid) e.rate3 = 0;
        if (LinesRead()) {
            char name[32], money[48], line[TextLine];
            AccountNameAt(position, name, sizeof name);
            MoneyText(money, sizeof money, "%-11.2f", amount);
            std::snprintf(line, sizeof line,
                          liquid ? "  %s - Deposit %s to %s from loan" : "  %s - Transfer %s to %s from loan",
                          t.description, money, name);
            EmitLine(outputMode, line, eventIndex);
        }
    }
    run.liabilities += amount;
    Track(run.year.totalIncoming, amount);
    Track(run.year.loans, amount);
    const float down = e.rate2;
    if (down > 0) {
        EmitAmountLine(outputMode, eventIndex, "  %s - Withdraw %s for down payment", t.description, down);
        run.liabilities -= down;
        Track(run.year.totalIncoming, -down);
        Track(run.year.loans, -down);
        Pay(eventIndex, down, outputMode, run.yearFraction);
    }
}

void StartMortgage(int eventIndex, int outputMode) {
    Event& e = scenario.events[eventIndex];
    const EventText t(e);
    const float financed = Financed(e);
    run.liabilities += financed;
    run.assetTotal += financed;
    e.secondary = 0;
    const float down = e.rate2;
    if (down > 0) {
        if (e.accountId == 1) {
            EmitAmountLine(outputMode, eventIndex, "  %s - %s to equity.", t.description, down);
            run.equityTotal += down;
        } else {
            EmitAmountLine(outputMode, eventIndex, "  %s - Withdraw %s for down payment", t.description, down);
            run.equityTotal += down;
            Pay(eventIndex, down, outputMode, run.yearFraction);
        }
    }
    const float closing = e.closingCosts;
    if (closing > 0) {
        EmitAmountLine(outputMode, eventIndex, "  %s - Withdraw %s for closing costs", t.description, closing);
        Track(run.year.closingCosts, closing);
        Pay(eventIndex, closing, outputMode, run.yearFraction);
    }
}

// The card's months of this year: purchases, 30-day interest, the payment.
void PayCreditCardMonths(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    float balance = e.runAmount;
    if (!(balance > 0)) return;
    const float payment = e.monthlyPayment;
    const float purchases = e.taxes;
    float paid = 0, interestPaid = e.runInterestPaid;
    const int months = WholeInt(12.0f * yearFraction);
    for (int m = 1; m <= months; ++m) {
        balance += purchases;
        run.liabilities += purchases;  // what is owed grows with the purchases
        const float interest = balance * e.loanRate * 0.01f * 30.0f / 365.0f;
        interestPaid += interest;
        if (balance - payment < payment) {
            paid += balance;
            run.liabilities -= balance;
            Track(run.year.withdrawals, balance);
            balance = 0;
            break;
        }
        paid += payment;
        balance -= payment - interest;
        run.liabilities -= payment - interest;
        Track(run.year.withdrawals, payment);
    }
    e.runAmount = balance;
    e.runInterestPaid = interestPaid;
    const EventText t(e);
    EmitAmountLine(outputMode, eventIndex, "  %s - Withdraw %s to pay off credit card.", t.description, paid);
    Pay(eventIndex, paid, outputMode, yearFraction);
}

// Principal of a prorated start year repaid before the plan's start age
// (before today), by Event: already out of the liabilities at the start row.
float startYearHistory[MaxEvents];

// Where each Event's schedule stands: the next year goes on from there.
AmortizationState amortization[MaxEvents];

// This year's twelve months of the schedule of a Loan or Mortgage: the
// principal, with the interest in `interest`.
float YearOfSchedule(int eventIndex, float& interest) {
    const Event& e = scenario.events[eventIndex];
    float extra = 0;
    int32_t extraFrom = 0;
    AcceleratedPayment(e, run.projectionAge, extra, extraFrom);
    const int32_t months = e.transferAll;
    int32_t count = 0;
    interest = 0;
    return AmortizeWindow(amortization[eventIndex], Financed(e), MonthlyRate(e.loanRate), int32_t{e.years} * 12,
                          months, months + 11, extra, extraFrom, &count, &interest);
}

// Whether a Loan or Mortgage pays instalments in the year of `age`.
bool PaysInstalments(const Event& e, float age) {
    if (IsCreditCard(e) || e.years <= 0 || e.oneTimeOnly) return false;
    if (static_cast<float>(e.years) + e.startAge <= age) return false;  // the term is over
    return age != e.applyRate && age < e.endAge;
}

// Twelve months of the schedule of a Loan or Mortgage.
void PayInstalments(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const bool mortgage = e.eventType == EventMortgage;
    const int32_t months = e.transferAll;
    float interest = 0;
    const float principal = YearOfSchedule(eventIndex, interest);
    // What the start row already counted as repaid before today.
    const float before = startYearHistory[eventIndex];
    startYearHistory[eventIndex] = 0;
    e.transferAll = static_cast<uint16_t>(months + 12);
    e.runPrincipalPaid = e.runPrincipalPaid + principal;
    e.runInterestPaid = e.runInterestPaid + interest;
    const float payment = principal + interest;
    if (runSwitches.tracking) {
        (mortgage ? run.year.mortgagePrincipal : run.year.loanPrincipal) += principal;
        (mortgage ? run.year.mortgageInterest : run.year.loanInterest) += interest;
        run.year.interestPaid += interest * yearFraction;
    }
    run.liabilities -= principal - before;
    if (mortgage) {
        run.equityTotal += principal - before;
        run.assetTotal -= principal - before;
    }
    if (run.projectionAge < run.startYear || !(principal > 0)) return;
    if (LinesRead()) {
        const EventText t(e);
        char total[48], part[48], paidInterest[48], line[TextLine];
        MoneyText(total, sizeof total, "%-11.2f", payment * yearFraction);
        MoneyText(part, sizeof part, "%-11.2f", principal * yearFraction);
        MoneyText(paidInterest, sizeof paidInterest, "%-11.2f", interest * yearFraction);
        std::snprintf(line, sizeof line, "  %s - Withdraw %s for monthly payments - principal=%s interest=%s",
                      t.description, total, part, paidInterest);
        EmitLine(outputMode, line, eventIndex);
    }
    // A short first year pays the share of the year the line shows, from an
    // assigned account or from the liquid accounts alike.
    Pay(eventIndex, payment * yearFraction, outputMode, yearFraction);
}

// `base` grown `years` times by `factor`, one rounded product at a time.
float GrowChain(float base, float factor, int years) {
    float t = base;
    for (int k = 0; k < years; ++k) t = t * factor;
    return t;
}

// Inflated property taxes: the tax grown by this year's inflation once for
// every year since the purchase. Mortgages with the same tax walk the same
// chain of products in a year, and again the next year while the inflation
// stays the same, so each chain is kept with the tax and factor it came from
// and every product of it is worked out once.
struct TaxChain {
    static constexpr int Length = 128;
    float base = 0, factor = 0;
    int reached = -1;  // products[0..reached] are known
    float products[Length];
};
TaxChain taxChains[4];
int lastTaxChain = 0, nextTaxChain = 0;

bool Walks(const TaxChain& c, float base, float factor) {
    return c.reached >= 0 && SameBits(c.base, base) && SameBits(c.factor, factor);
}

TaxChain& ChainOf(float base, float factor) {
    if (Walks(taxChains[lastTaxChain], base, factor)) return taxChains[lastTaxChain];
    for (int k = 0; k < 4; ++k) {
        if (Walks(taxChains[k], base, factor)) {
            lastTaxChain = k;
            return taxChains[k];
        }
    }
    lastTaxChain = nextTaxChain;
    nextTaxChain = (nextTaxChain + 1) % 4;
    TaxChain& c = taxChains[lastTaxChain];
    c.base = base;
    c.factor = factor;
    c.products[0] = base;
    c.reached = 0;
    return c;
}

}  // namespace

float InflatedTax(float base, float factor, int years) {
    if (years <= 0) return base;
    TaxChain& chain = ChainOf(base, factor);
    const int kept = std::min(years, TaxChain::Length - 1);
    for (int k = chain.reached; k < kept; ++k) chain.products[k + 1] = chain.products[k] * factor;
    if (kept > chain.reached) chain.reached = kept;
    return GrowChain(chain.products[kept], factor, years - kept);
}

namespace {

// The year's property taxes of a Mortgage that owes them. Out of line, so
// that the many years without taxes cost only the test in PayPropertyTaxes.
[[gnu::noinline]] void PayDueTaxes(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const float yearly = e.taxes;
    float t = yearly * yearFraction;
    if (e.applyInflation == 1) {
        const int years = WholeInt(std::trunc(run.projectionAge) - std::trunc(e.startAge));
        const float factor = 1.0f + run.currentInflationRate * 0.01f;
        const float base = t;
        t = InflatedTax(base, factor, years);
#ifndef NDEBUG
        if (!SameBits(t, GrowChain(base, factor, years))) {
            std::fprintf(stderr, "PayPropertyTaxes: the kept inflated tax differs from the one worked out again\n");
            std::abort();
        }
#endif
    }
    if (LinesRead()) {
        char money[48], line[TextLine];
        MoneyText(money, sizeof money, "%-11.2f", t);
        std::snprintf(line, sizeof line, "  Withdraw %s for property taxes", money);
        EmitLine(outputMode, line, eventIndex);
    }
    run.year.propertyTaxes += t;
    run.year.taxes += t;
    Pay(eventIndex, t, outputMode, yearFraction);
}

void PayPropertyTaxes(int eventIndex, int outputMode, float yearFraction) {
    const Event& e = scenario.events[eventIndex];
    if (e.runSold || !(e.taxes * yearFraction >= 1.0f)) return;
    PayDueTaxes(eventIndex, outputMode, yearFraction);
}

void PayOffAtEndAge(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const EventText t(e);
    if (IsCreditCard(e)) {
        e.oneTimeOnly = 1;
        const float balance = e.runAmount;
        if (!(balance > 0)) return;
        EmitAmountLine(outputMode, eventIndex, "   %s - Paid off credit card with %s", t.description, balance);
        run.liabilities -= balance;
        Track(run.year.withdrawals, balance);
        e.runAmount = 0;
        Pay(eventIndex, balance, outputMode, yearFraction);
        return;
    }
    const float remaining = Remaining(e);
    e.oneTimeOnly = 1;
    run.liabilities -= remaining;
    if (e.eventType == EventMortgage) {
        EmitAmountLine(outputMode, eventIndex, "   %s - Paid off mortgage with %s", t.description, remaining);
        e.runSoldValue = e.runAmount;
        run.assetTotal -= remaining;
        run.equityTotal += remaining;
        e.secondary = 1;
    } else {
        EmitAmountLine(outputMode, eventIndex, "   %s - Paid off loan with %s", t.description, remaining);
        if (ReceivingType(e) == AccountAsset) e.runSoldValue = e.runAmount;
    }
    Pay(eventIndex, remaining, outputMode, yearFraction);
    EmitTotals(outputMode, eventIndex, e);
    if (e.eventType == EventLoan && ReceivingType(e) == AccountAsset) e.runPrincipalPaid = Financed(e);
}

void SellAtSellAge(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const EventText t(e);
    e.runState = RunDone;
    e.runSoldValue = 0;
    const float remaining = Remaining(e);
    const float value = e.runAmount;
    const bool mortgage = e.eventType == EventMortgage;
    run.liabilities -= remaining;
    if (mortgage) {
        const float expenses = e.salePercent * 0.01f * value;
        e.runSold = 1;
        if (!e.secondary) {
            run.equityTotal -= (e.runPrincipalPaid + e.rate2) + (value - e.amount);
            run.assetTotal -= remaining;
        } else {
            run.equityTotal -= value;
        }
        EmitAmountLine(outputMode, eventIndex, "  %s - Sold property for %s", t.description, value);
        if (LinesRead()) {
            char money[48], line[TextLine];
            MoneyText(money, sizeof money, "%-11.2f", expenses);
            std::snprintf(line, sizeof line, "     Selling expenses = %s", money);
            EmitLine(outputMode, line, eventIndex);
        }
        if (value > e.amount) {
            Track(run.year.totalIncoming, value - remaining - expenses);
            Track(run.year.saleProceeds, value - remaining - expenses);
        }
        DepositProceeds(outputMode, eventIndex, value - expenses);
        e.runAmount = 0;
    } else {
        const int position = AccountPosition(e.accountId);
        const int type = position < 0 ? -1 : scenario.accountTable.accounts[position].accountType;
        if (type == AccountAsset || type == AccountEquity) {
            EmitAmountLine(outputMode, eventIndex,
                           type == AccountAsset ? "  %s - Sold asset for %s" : "  %s - Sold equity for %s",
                           t.description, value);
            AddToTypeTotal(type, -value);
            DepositProceeds(outputMode, eventIndex, value);
            SetBalance(position, scenario.accountTable.accounts[position].balance - value);
            e.runAmount = 0;
        }
    }
    if (!e.oneTimeOnly) {
        if (LinesRead()) {
            char money[48], line[TextLine];
            MoneyText(money, sizeof money, "%-11.2f", remaining);
            std::snprintf(line, sizeof line, mortgage ? "   Paid off mortgage with %s" : "   Paid off loan with %s",
                          money);
            EmitLine(outputMode, line, eventIndex);
        }
        e.oneTimeOnly = 1;
        Pay(eventIndex, remaining, outputMode, yearFraction);
        if (e.runPrincipalPaid < Financed(e)) EmitTotals(outputMode, eventIndex, e);
    }
}

// The yearly stage of every borrowing Event, after its first-year start.
// Out of line, so that a paid-off year (PaidOffYear) costs only its tests.
[[gnu::noinline]] void ProcessBorrowing(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const bool card = IsCreditCard(e);
    const float age = run.projectionAge;
    if (FirstYear(e)) {
        if (!card) e.monthlyPayment = LevelPayment(Financed(e), MonthlyRate(e.loanRate), int32_t{e.years} * 12);
        if (e.eventType == EventMortgage)
            StartMortgage(eventIndex, outputMode);
        else if (!card)
            StartLoan(eventIndex, outputMode);
    }
    // A card's `applyRate` holds its payoff months, not a sell age.
    const float sellAge = card ? 0.0f : e.applyRate;
    // A term of 0 years has no schedule: the whole amount is repaid at the
    // payoff age (or the sale) instead of never.
    if (!card && e.years > 0 && static_cast<float>(e.years) + e.startAge <= age) e.oneTimeOnly = 1;  // the term is over
    if (card) {
        if (age != sellAge && age < e.endAge && !e.oneTimeOnly) PayCreditCardMonths(eventIndex, outputMode, yearFraction);
    } else if (PaysInstalments(e, age)) {
        PayInstalments(eventIndex, outputMode, yearFraction);
    }
    if (e.eventType == EventMortgage) PayPropertyTaxes(eventIndex, outputMode, yearFraction);
    if (age >= e.endAge && !e.oneTimeOnly) PayOffAtEndAge(eventIndex, outputMode, yearFraction);
    if (sellAge > 0 && sellAge <= age && e.startAge < sellAge) SellAtSellAge(eventIndex, outputMode, yearFraction);
}

}  // namespace

void AcceleratedPayment(const Event& e, float age, float& extra, int32_t& extraFrom) {
    extra = 0;
    extraFrom = 0;
    const float accelerated = e.acceleratedAmount;
    if (e.option == 1) {
        extra = accelerated;
    } else if (e.option == 2) {
        // From the Scenario's start age on, counted in the mortgage's own months.
        const float start = std::trunc(scenario.initialValues.startAge);
        const float own = std::trunc(e.startAge);
        // An own start age from outside may lie any distance before; the months
        // counted are held where an int32_t still holds them.
        extraFrom = start > own ? 12 * std::min(WholeInt(start - own), INT32_MAX / 12) : 0;
        if (std::trunc(age) >= start) extra = accelerated;
    }
}

void TakeStartYearHistory(float yearFraction) {
    const int events = LiveEventCount();
    for (int i = 0; i < events; ++i) {
        startYearHistory[i] = 0;
        const Event& e = scenario.events[i];
        // Only Events running since the silent years stand on the start row.
        if ((e.eventType != EventLoan && e.eventType != EventMortgage) || e.runState != RunActive) continue;
        if (!PaysInstalments(e, run.projectionAge)) continue;
        float interest = 0;
        const float before = YearOfSchedule(i, interest) * (1.0f - yearFraction);
        if (!(before > 0)) continue;
        startYearHistory[i] = before;
        run.liabilities -= before;
        if (e.eventType == EventMortgage) {
            run.equityTotal += before;
            run.assetTotal -= before;
        }
    }
}

void ResetAmortizations() {
    for (AmortizationState& s : amortization) s = AmortizationState{};
}

namespace {

// Most years of a long plan find a Loan, card or Mortgage paid off and not
// sold yet: then nothing of ProcessBorrowing is left but a Mortgage's
// property taxes and a sale (a card has neither), and its first-year start
// is past. Returns whether that was all.
bool PaidOffYear(int eventIndex, int outputMode, float yearFraction) {
    Event& e = scenario.events[eventIndex];
    const bool card = IsCreditCard(e);
    if (!e.oneTimeOnly || (!card && FirstYear(e))) return false;
    if (card) return true;
    if (e.eventType == EventMortgage) PayPropertyTaxes(eventIndex, outputMode, yearFraction);
    const float sellAge = e.applyRate, age = run.projectionAge;
    if (sellAge > 0 && sellAge <= age && e.startAge < sellAge) SellAtSellAge(eventIndex, outputMode, yearFraction);
    return true;
}

}  // namespace

void ProcessLoan(int eventIndex, int outputMode, float yearFraction) {
    if (!PaidOffYear(eventIndex, outputMode, yearFraction)) ProcessBorrowing(eventIndex, outputMode, yearFraction);
}

void ProcessMortgage(int eventIndex, int outputMode, float yearFraction) {
    if (!PaidOffYear(eventIndex, outputMode, yearFraction)) ProcessBorrowing(eventIndex, outputMode, yearFraction);
}

namespace {

// The Events the year-end growth looks at, in list order: the Mortgages, and
// the Loans (not cards) that bought into an Asset or Equity account, with
// that account's position. Types, accounts and positions stay for the run.
struct Borrowing {
    int16_t event, position;
};
Borrowing borrowing[MaxEvents];
int borrowingCount = 0;

}  // namespace

void ListBorrowing() {
    borrowingCount = 0;
    const int events = LiveEventCount();
    for (int i = 0; i < events; ++i) {
        const Event& e = scenario.events[i];
        int position = -1;
        if (e.eventType == EventLoan && !IsCreditCard(e)) {
            position = AccountPosition(e.accountId);
            if (position < 0) continue;
            const int type = scenario.accountTable.accounts[position].accountType;
            if (type != AccountAsset && type != AccountEquity) continue;
        } else if (e.eventType != EventMortgage) {
            continue;
        }
        borrowing[borrowingCount++] = {static_cast<int16_t>(i), static_cast<int16_t>(position)};
    }
}

void GrowBorrowedAssets(float yearFraction) {
    for (int k = 0; k < borrowingCount; ++k) {
        Event& e = scenario.events[borrowing[k].event];
        if (!(e.startAge <= run.projectionAge)) continue;
        if (e.eventType == EventLoan) {
            const Account& a = scenario.accountTable.accounts[borrowing[k].position];
            e.runAmount = e.runAmount * (1.0f + a.rate * 0.01f);
        } else if (e.eventType == EventMortgage) {
            if (e.runSold) continue;
            const float rate = e.rate3;
            const float value = e.runAmount;
            const float a = rate * 0.01f * value * yearFraction;
            run.equityTotal += a;
            if (rate > 0) {
                run.year.appreciation += a;
                Track(run.year.totalIncoming, a);
            } else if (rate < 0) {
                run.year.depreciation += a;
            }
            const float grown = value + a;
            e.runAmount = grown;
            e.runSoldValue = e.oneTimeOnly ? grown : grown - e.amount + e.rate2 + e.runPrincipalPaid;
        }
    }
}
