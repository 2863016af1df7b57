// The year-by-year schedule of one Mortgage, as the Mortgage Schedule window
// shows it and "psched.tmp" holds it for printing.
#include <cmath>
#include <cstdio>

#include "engine/internal.h"
#include "engine/payment.h"

namespace {

const char* const ColumnNames[10] = {"Age",          "Principal",      "Interest",        "Total Principal",
                                     "Total Interest", "Total Payment", "Equity",          "Inflated Equity",
                                     "Property Value", "Property Liability"};

bool Consistent(const Event& e) {
    const float start = e.startAge, end = e.endAge, sell = e.applyRate, rate = e.loanRate;
    const int years = e.years;
    // A zero rate has no level payment (it would divide by zero).
    return start >= 1 && start <= 120 && (end == 0 || end >= start) && (sell == 0 || sell >= start) &&
           e.amount - e.rate2 > 0 && rate > 0 && rate <= 100 && years > 0 && years < 101;
}

// Row values that follow from the totals so far and the property value.
MortgageScheduleRow Row(const Event& e, int age, float principal, float interest, float paid, float interestPaid,
                        float value) {
    MortgageScheduleRow r{};
    r.age = age;
    r.principal = principal;
    r.interest = interest;
    r.totalPrincipal = paid;
    r.totalInterest = interestPaid;
    r.totalPayment = paid + interestPaid;
    r.equity = e.rate2 + paid;
    r.inflatedEquity = e.rate2 + paid + value - e.amount;
    r.propertyValue = value;
    const float liability = e.amount - (e.rate2 + paid);
    r.propertyLiability = liability < 0 ? 0.0f : liability;
    return r;
}

// printf formats of the ten cells, without the separators.
const char* CellFormat(int column) { return column == 0 ? "%3d" : column < 3 ? "%14.2f" : "%16.2f"; }

float CellValue(const MortgageScheduleRow& r, int column) {
    const float values[10] = {0,
                              r.principal,
                              r.interest,
                              r.totalPrincipal,
                              r.totalInterest,
                              r.totalPayment,
                              r.equity,
                              r.inflatedEquity,
                              r.propertyValue,
                              r.propertyLiability};
    return values[column];
}

}  // namespace

int MortgageSchedule(const Event& e, MortgageScheduleRow* rows, int maxRows) {
    if (!rows || maxRows <= 0 || !Consistent(e)) return 0;
    const float start = e.startAge, payoff = e.endAge, sell = e.applyRate;
    const int years = e.years;
    const float financed = e.amount - e.rate2, periodRate = MonthlyRate(e.loanRate);
    const float appreciation = e.rate3;
    float paid = 0, interestPaid = 0, value = e.amount;
    int32_t months = 0;
    int count = 0;
    const int first = WholeInt(start);
    rows[count++] = Row(e, first, 0, 0, paid, interestPaid, value);
    AmortizationState schedule;  // each year goes on from the year before
    for (int a = first; static_cast<float>(a) < start + static_cast<float>(years) && count < maxRows; ++a) {
        value += value * appreciation * 0.01f;
        // The rows stop at the payoff or sale (below), so an end below this
        // age means the mortgage is over.
        if ((payoff != 0 && payoff < static_cast<float>(a)) || (sell != 0 && sell < static_cast<float>(a))) break;
        float extra = 0;
        int32_t extraFrom = 0;
        AcceleratedPayment(e, static_cast<float>(a), extra, extraFrom);
        int32_t payments = 0;
        float interest = 0;
        const float principal = AmortizeWindow(schedule, financed, periodRate, years * 12, months, months + 11, extra,
                                               extraFrom, &payments, &interest);
        months += 12;
        paid += principal;
        interestPaid += interest;
        rows[count++] = Row(e, a + 1, principal, interest, paid, interestPaid, value);
        const float next = static_cast<float>(a + 1);
        if ((sell != 0 && sell <= next) || (payoff != 0 && payoff <= next)) break;
    }
    return count;
}

void MortgageScheduleCells(const MortgageScheduleRow& row, char cells[10][24]) {
    for (int c = 0; c < 10; ++c) {
        if (c == 0)
            std::snprintf(cells[c], 24, CellFormat(c), row.age);
        else
            std::snprintf(cells[c], 24, CellFormat(c), static_cast<double>(CellValue(row, c)));
    }
}

const Notice MortgageScheduleFileError{"Cannot open temporary print file - psched.tmp", "FILE OPEN ERROR"};

int WriteMortgageSchedule(const Event& e, const char* path) {
    PartFile out;
    if (!out.Open(path, false)) return -1;
    std::FILE* f = out.File();
    for (const char* name : ColumnNames) std::fprintf(f, "%s\t", name);
    std::fputs("\n", f);
    MortgageScheduleRow rows[MaxMortgageScheduleRows];
    const int count = MortgageSchedule(e, rows, MaxMortgageScheduleRows);
    char cells[10][24];
    for (int r = 0; r < count; ++r) {
        MortgageScheduleCells(rows[r], cells);
        for (int c = 0; c < 10; ++c) std::fprintf(f, c < 9 ? "%s\t" : "%s\t\n", cells[c]);
    }
    std::fputs("Dooone\n", f);
    return out.Commit() ? count : -1;
}
