#include "calculators/refinance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/payment.h"
#include "model/model.h"

namespace {

float Principal(float loan, float periodRate, int32_t months, int32_t k) {
    return AmortizeWindow(loan, periodRate, months, k, k, 0, 0, nullptr, nullptr);
}

// One alternative's working values.
struct Side {
    float payment = 0, savings = 0, equity = 0;
    float yearPrincipal = 0, yearInterest = 0, yearSavingsInterest = 0, taxSavings = 0, taxOnInterest = 0;
    int32_t k = 0;  // month index into its amortization

    void ClearYear() { yearPrincipal = yearInterest = yearSavingsInterest = taxSavings = taxOnInterest = 0; }
    // A month after the refinancing age; `running` while its mortgage is.
    void Month(float principal, float larger, bool running, float monthlySavingsRate) {
        savings = savings + larger;
        float interest = payment - principal;
        if (interest < 0) interest = 0;
        yearPrincipal = yearPrincipal + principal;
        if (running) {
            equity = equity + principal;
            savings = savings - payment;
        } else {
            interest = 0;
        }
        yearInterest = yearInterest + interest;
        const float earned = savings * monthlySavingsRate;
        yearSavingsInterest = yearSavingsInterest + earned;
        savings = savings + earned;
    }
    void YearEnd(bool running, float taxFraction) {
        taxSavings = yearInterest * taxFraction;
        taxOnInterest = yearSavingsInterest * taxFraction;
        savings = savings - taxOnInterest;
        if (running) savings = savings + taxSavings;
    }
    RefinanceRow Row(int32_t age, char kind, float netWorth, float larger) const {
        RefinanceRow r;
        r.age = age;
        r.kind = kind;
        r.netWorth = netWorth;
        r.savings = savings;
        r.equity = equity;
        const float difference = (larger - payment) * 12;
        r.paymentDifference = difference < 1.0f ? 0.0f : difference;
        r.principal = yearPrincipal;
        r.interest = yearInterest;
        r.taxSavings = taxSavings;
        r.savingsInterest = yearSavingsInterest;
        r.taxOnInterest = taxOnInterest;
        return r;
    }
};

bool Finite(const RefinanceRow& r) {
    const float v[] = {r.netWorth, r.principal, r.interest, r.taxSavings, r.savingsInterest, r.taxOnInterest,
                       r.savings, r.equity, r.paymentDifference};
    return std::all_of(std::begin(v), std::end(v), [](float x) { return std::isfinite(x); });
}

// Written beside `path` and put in its place once complete.
template <class Body>
int WriteWhole(const char* path, Body body) {
    PartFile out;
    if (!out.Open(path, false)) return 0;
    body(out.File());
    return out.Commit() ? 1 : 0;
}

}  // namespace

const char* const RefinanceColumnTitles =
    "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t+Savings "
    "Interest\t-Tax on Interest";

float PrincipalPaidBefore(int32_t startAge, float amount, float rate, int32_t years, int32_t refinanceAge) {
    // No payment is defined without a rate or a term; nothing is then paid.
    if (!(rate > 0) || years < 1 || years > 1000) return 0;
    const float r = MonthlyRate(rate);
    float paid = 0;
    int32_t k = 0;
    // The start age may be any whole number typed so far: the end of the
    // term is counted in 64 bits so that it cannot overflow.
    const int64_t end = int64_t{startAge} + years;
    for (int64_t a = startAge; a < end; ++a) {
        if (refinanceAge <= a) break;
        for (int m = 0; m < 12; ++m, ++k) paid = paid + Principal(amount, r, years * 12, k);
    }
    return paid;
}

RefinanceResult RunRefinance(const RefinanceInput& in) {
    RefinanceResult out;
    const int32_t S = in.startAge, Y = in.years, Ra = in.refinanceAge, Yr = in.newYears;
    const float A = in.amount, C = in.cashOut, K = in.closingCosts, P = in.points;
    float L = in.refinanced;
    if (!(L > 0) && Ra < S + Y) {
        L = A - PrincipalPaidBefore(S, A, in.rate, Y, Ra) + C;
        out.refinancedComputed = true;
    }
    out.refinanced = L;
    if (in.includeClosing) L = L + K;
    if (in.includePoints) L = static_cast<float>(L + L * P * 0.01);
    out.loan = L;

    const float monthlySavings = MonthlyRate(in.savingsRate);
    const float taxFraction = static_cast<float>(in.taxRate * 0.01);
    const float rO = MonthlyRate(in.rate), rR = MonthlyRate(in.newRate);
    Side o, r;
    o.payment = out.existingPayment = LevelPayment(A, rO, Y * 12);
    out.totalCosts = static_cast<float>(P * 0.01 * L + K);
    r.payment = out.newPayment = LevelPayment(L, rR, Yr * 12);
    const float M = o.payment >= r.payment ? o.payment : r.payment;
    o.savings = out.totalCosts;
    r.savings = in.cashOutAsSavings ? C : 0.0f;
    const float borrowed = in.cashOutAsSavings ? C : 0.0f;
    float worthO = o.savings + o.equity, worthR = r.savings + r.equity - borrowed;

    out.rows.push_back(o.Row(Ra, 'O', worthO, M));
    out.rows.push_back(r.Row(Ra, 'R', worthR, M));
    for (auto it = out.rows.end() - 2; it != out.rows.end(); ++it) {
        it->start = true;
        it->paymentDifference = 0;
    }
    out.points.push_back({0, worthO, worthR});
    out.graphMonths = static_cast<float>(Ra + Yr > S + Y ? 12 * Yr : 12 * (S + Y - Ra));

    int32_t months = 0;
    const int32_t last = std::max(S + Y, Ra + Yr);
    for (int32_t a = S; a < last; ++a) {
        o.ClearYear();
        r.ClearYear();
        for (int m = 0; m < 12; ++m) {
            const float principalO = Principal(A, rO, Y * 12, o.k++);
            if (a < Ra) continue;
            o.Month(principalO, M, a < S + Y, monthlySavings);
            r.Month(Principal(L, rR, Yr * 12, r.k++), M, a < Ra + Yr, monthlySavings);
            worthO = o.savings + o.equity;
            worthR = r.savings + r.equity - borrowed;
            if (!out.brokeEven && !(worthO > worthR)) {
                out.breakEvenMonths = months;
                out.brokeEven = true;
            }
            ++months;
            if (months % 4 == 0) out.points.push_back({months, worthO, worthR});
        }
        if (a < Ra) continue;
        o.YearEnd(a < S + Y, taxFraction);
        r.YearEnd(a < Ra + Yr, taxFraction);
        worthO = o.savings + o.equity;
        worthR = r.savings + r.equity - borrowed;
        out.rows.push_back(o.Row(a + 1, 'O', worthO, M));
        out.rows.push_back(r.Row(a + 1, 'R', worthR, M));
    }
    if (!out.brokeEven) out.breakEvenMonths = months;
    return out;
}

bool RefinanceFinite(const RefinanceResult& r) {
    const float v[] = {r.refinanced, r.loan, r.existingPayment, r.newPayment, r.totalCosts};
    if (!std::all_of(std::begin(v), std::end(v), [](float x) { return std::isfinite(x); })) return false;
    return std::all_of(r.rows.begin(), r.rows.end(), Finite);
}

std::vector<std::string> RefinanceCells(const RefinanceRow& row) {
    char text[64];
    std::vector<std::string> cells;
    std::snprintf(text, sizeof text, "%3d %c", row.age, row.kind);
    cells.emplace_back(text);
    const float values[] = {row.netWorth, row.savings, row.equity, row.paymentDifference, row.principal,
                            row.interest, row.taxSavings, row.savingsInterest, row.taxOnInterest};
    for (int c = 0; c < 9; ++c) {
        if (c == 3 && row.start) {
            cells.emplace_back("0.00");
            continue;
        }
        std::snprintf(text, sizeof text, "%16.2f", static_cast<double>(values[c]));
        cells.emplace_back(text);
    }
    return cells;
}

int WriteRefinanceTable(const char* path, const std::vector<RefinanceRow>& rows) {
    return WriteWhole(path, [&](std::FILE* f) {
        std::fputs("Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t"
                   "-Savings Interest\t-Tax on Interest\n",
                   f);
        for (const RefinanceRow& row : rows) {
            std::string line;
            for (const std::string& cell : RefinanceCells(row)) line += (line.empty() ? "" : "\t") + cell;
            std::fputs((line + "\n").c_str(), f);
        }
        std::fputs("Dooone\nDooone\n", f);
    });
}

int WriteRefinanceGraph(const char* path, const RefinanceResult& result) {
    return WriteWhole(path, [&](std::FILE* f) {
        std::fprintf(f, "1\nDummy\nDummy\nDummy\n%f\n2\nExisting Mortgage\nRefinanced Mortgage\n",
                     static_cast<double>(result.graphMonths));
        for (const RefinanceGraphPoint& p : result.points)
            std::fprintf(f, "0.0\n0.0\n%f %f %f\n", static_cast<double>(p.month), static_cast<double>(p.netWorthO),
                         static_cast<double>(p.netWorthR));
        std::fputs("Done\nDone\n", f);
    });
}

// The whole ages from the source's start age while below the refinancing
// age; ages out of any range a dialog allows count no years.
int32_t YearsBefore(float startAge, float refinanceAge) {
    if (!(startAge >= -1 && startAge <= 121 && refinanceAge >= -1 && refinanceAge <= 121)) return 0;
    int32_t n = 0;
    for (float a = startAge; a < refinanceAge; a += 1) ++n;
    return n;
}

float HomeValueAt(const Event& source, float refinanceAge) {
    float amount = source.amount;
    if (source.applyInflation != 1) return amount;
    for (int32_t y = YearsBefore(source.startAge, refinanceAge); y > 0; --y)
        amount = static_cast<float>(amount + amount * source.rate3 * 0.01);
    return amount;
}

Event RefinancedEvent(const Event& source, const RefinanceEventTerms& t, float inflationRate) {
    Event e = source;
    SetFieldText(e.description, "RF-" + FieldText(source.description));
    e.startAge = t.refinanceAge;
    e.endAge = source.endAge > e.startAge ? source.endAge : 120.0f;
    e.loanRate = t.newRate;
    e.years = t.newYears;
    e.rate3 = source.rate3;
    e.acceleratedAmount = source.acceleratedAmount;
    e.applyRate = 120.0f;
    e.accountId = 0;
    e.applyInflation = source.applyInflation;
    if (source.applyInflation == 1) {
        e.amount = HomeValueAt(source, t.refinanceAge);
        e.taxes = source.taxes;
        e.rate2 = source.rate2;
        const float periodRate = MonthlyRate(source.loanRate);
        const float loan = source.amount - source.rate2;
        int32_t months = 0;
        for (int32_t y = YearsBefore(source.startAge, t.refinanceAge); y > 0; --y) {
            e.taxes = static_cast<float>(e.taxes + e.taxes * inflationRate * 0.01);
            e.rate2 = e.rate2 + AmortizeWindow(loan, periodRate, int32_t{source.years} * 12, months, months + 11, 0, 0,
                                               nullptr, nullptr);
            months += 12;
        }
    }
    e.rate2 = e.amount - (source.amount - e.rate2);
    if (t.cashOut > 0) e.rate2 = e.rate2 - t.cashOut;
    e.closingCosts = 0;
    if (t.closingCosts > 0) {
        if (t.includeClosing)
            e.rate2 = e.rate2 - t.closingCosts;
        else
            e.closingCosts = t.closingCosts;
    }
    if (t.points > 0) {
        const float cost = static_cast<float>((e.amount - e.rate2) * t.points * 0.01);
        if (t.includePoints)
            e.rate2 = e.rate2 - cost;
        else
            e.closingCosts = e.closingCosts + cost;
    }
    e.monthlyPayment = LevelPayment(e.amount - e.rate2, MonthlyRate(t.newRate), int32_t{t.newYears} * 12);
    return e;
}
