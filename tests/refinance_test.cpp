// The refinance analysis's arithmetic and its two text files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calculators/refinance.h"
#include "engine/payment.h"
#include "refinance_fixture.h"

namespace {

// A 30-year mortgage of 100,000 at 6 % taken at 40, refinanced at 40 into the
// same loan, with no costs: the two alternatives are the same.
RefinanceInput Plain() {
    RefinanceInput in;
    in.startAge = 40;
    in.years = 30;
    in.amount = 100000;
    in.rate = 6;
    in.refinanceAge = 40;
    in.newRate = 6;
    in.newYears = 30;
    in.taxRate = 25;
    in.savingsRate = 5;
    return in;
}

const RefinanceRow& RowAt(const RefinanceResult& r, int age, char kind) {
    for (const RefinanceRow& row : r.rows)
        if (row.age == age && row.kind == kind && !row.start) return row;
    static RefinanceRow none;
    ADD_FAILURE() << "no row " << age << kind;
    return none;
}

TEST(Refinance, PaymentsAndPrincipalAgreeWithTheClosedFormula) {
    // The level payment P = L r / (1 - (1 + r)^-n), as a spreadsheet's
    // PMT(rate/12, n, -L) gives it: PMT(0.5%, 360, -100000) = 599.5505 and
    // PMT(0.375%, 180, -200000) = 1,529.9866; single precision keeps within a cent.
    RefinanceInput in = Plain();
    in.refinanceAge = 41;
    in.refinanced = 200000;
    in.newRate = 4.5f;
    in.newYears = 15;
    RefinanceResult r = RunRefinance(in);
    EXPECT_NEAR(r.existingPayment, 599.5505, 0.01);
    EXPECT_NEAR(r.newPayment, 1529.9866, 0.01);
    EXPECT_FALSE(r.refinancedComputed);
    // The same loan's amortization table: the balance after 12 payments is
    // 98,771.99, so 1,228.01 of principal has been paid by age 41.
    EXPECT_NEAR(PrincipalPaidBefore(40, 100000, 6, 30, 41), 1228.01, 0.01);
    in.refinanced = 0;
    in.cashOut = 5000;
    r = RunRefinance(in);
    EXPECT_TRUE(r.refinancedComputed);
    EXPECT_NEAR(r.refinanced, 100000 - 1228.01 + 5000, 0.01);
    // Refinancing at the start age: nothing paid yet; the loan is amount + cash out.
    EXPECT_EQ(PrincipalPaidBefore(40, 100000, 6, 30, 40), 0.0f);
    in.refinanceAge = 40;
    EXPECT_EQ(RunRefinance(in).refinanced, 105000.0f);
    // Without a rate or a term nothing is paid, and nothing is NaN.
    EXPECT_EQ(PrincipalPaidBefore(40, 100000, 0, 30, 50), 0.0f);
    EXPECT_EQ(PrincipalPaidBefore(40, 100000, 6, 0, 50), 0.0f);
    // A start age typed as the largest whole number: the term's end must not
    // overflow (the sanitizer build catches it); the refinance age is before
    // it, so nothing was paid.
    EXPECT_EQ(PrincipalPaidBefore(2147483647, 100000, 6, 30, 45), 0.0f);
}

TEST(Refinance, EqualPaymentsBreakEvenAtOnceAndShowNoDifference) {
    RefinanceResult r = RunRefinance(Plain());
    EXPECT_EQ(r.existingPayment, r.newPayment);
    EXPECT_TRUE(r.brokeEven);
    EXPECT_EQ(r.breakEvenMonths, 0);
    EXPECT_EQ(RefinanceCells(r.rows[0])[4], "0.00");  // the starting pair
    EXPECT_EQ(RefinanceCells(r.rows[0])[0], " 40 O");
    EXPECT_EQ(RefinanceCells(r.rows[1])[0], " 40 R");
    const RefinanceRow& o = RowAt(r, 45, 'O');
    EXPECT_EQ(RefinanceCells(o)[4], "            0.00");
    EXPECT_EQ(o.netWorth, RowAt(r, 45, 'R').netWorth);
    // Rows from the refinancing age to the payoff: the pair at 40, then 41 .. 70.
    EXPECT_EQ(r.rows.size(), 2u * 31);
    EXPECT_EQ(r.rows.back().age, 70);
}

TEST(Refinance, ADifferenceUnderADollarAYearShowsAsZero) {
    RefinanceInput in = Plain();
    in.refinanced = 100010;  // 6 cents a month more
    RefinanceResult r = RunRefinance(in);
    EXPECT_GT(r.newPayment, r.existingPayment);
    EXPECT_LT((r.newPayment - r.existingPayment) * 12, 1.0f);
    EXPECT_EQ(RowAt(r, 41, 'O').paymentDifference, 0.0f);
    EXPECT_EQ(RowAt(r, 41, 'R').paymentDifference, 0.0f);
    in.refinanced = 101000;  // about 6 dollars a month
    r = RunRefinance(in);
    EXPECT_NEAR(RowAt(r, 41, 'O').paymentDifference, (r.newPayment - r.existingPayment) * 12, 0.01);
    EXPECT_EQ(RowAt(r, 41, 'R').paymentDifference, 0.0f);
}

TEST(Refinance, NeverBreakingEvenShowsTheMonthsAnalysed) {
    RefinanceInput in = Plain();
    in.refinanceAge = 45;
    in.newRate = 9;
    in.closingCosts = 3000;
    RefinanceResult r = RunRefinance(in);
    EXPECT_FALSE(r.brokeEven);
    EXPECT_EQ(r.breakEvenMonths, 12 * (45 + 30 - 45));
    // A lower rate without costs catches up within the first year.
    in.newRate = 4;
    in.closingCosts = 0;
    r = RunRefinance(in);
    EXPECT_TRUE(r.brokeEven);
    EXPECT_LT(r.breakEvenMonths, 12);
}

TEST(Refinance, BothIncludeBoxesChargePointsOnTheLoanWithTheClosingCosts) {
    RefinanceInput in = Plain();
    in.refinanced = 100000;
    in.closingCosts = 2000;
    in.points = 1;
    in.includeClosing = in.includePoints = true;
    RefinanceResult r = RunRefinance(in);
    EXPECT_EQ(r.loan, 103020.0f);
    EXPECT_NEAR(r.totalCosts, 1030.20 + 2000, 0.005);
    // Savings O start with what the existing alternative does not spend.
    EXPECT_EQ(r.rows[0].savings, r.totalCosts);
    EXPECT_EQ(r.rows[1].savings, 0.0f);
}

TEST(Refinance, AfterAMortgagesLastYearOnlyItsSavingsMove) {
    RefinanceInput in = Plain();
    in.years = 5;  // the existing one ends at 45, the new one at 50
    in.refinanced = 80000;
    in.newYears = 10;
    in.refinanceAge = 41;
    in.cashOutAsSavings = true;
    in.cashOut = 1000;
    RefinanceResult r = RunRefinance(in);
    const RefinanceRow& paidOff = RowAt(r, 45, 'O');
    const RefinanceRow& later = RowAt(r, 47, 'O');
    EXPECT_EQ(later.equity, paidOff.equity);
    // Equity counts from the refinancing age: all but the first year's principal.
    EXPECT_NEAR(paidOff.equity, 100000 - PrincipalPaidBefore(40, 100000, 6, 5, 41), 0.5);
    EXPECT_EQ(later.interest, 0.0f);
    EXPECT_EQ(later.taxSavings, 0.0f);
    // Savings still receive the larger payment every month.
    const float larger = r.existingPayment > r.newPayment ? r.existingPayment : r.newPayment;
    EXPECT_GT(later.savings - RowAt(r, 46, 'O').savings, 12 * larger);
    EXPECT_GT(RowAt(r, 47, 'R').interest, 0.0f);
    EXPECT_EQ(r.rows.back().age, 51);
    // The cash out is saved but owed: the starting net worth R is nil.
    EXPECT_EQ(r.rows[1].savings, 1000.0f);
    EXPECT_EQ(r.rows[1].netWorth, 0.0f);
}

TEST(Refinance, GraphPointsEveryFourMonthsOverTheLaterPayoff) {
    RefinanceInput in = Plain();
    in.refinanceAge = 50;
    in.refinanced = 90000;
    in.newYears = 15;  // ends at 65, before the existing 70
    RefinanceResult r = RunRefinance(in);
    EXPECT_EQ(r.graphMonths, 12.0f * 20);
    ASSERT_EQ(r.points.size(), 20u * 3 + 1);
    for (size_t i = 0; i < r.points.size(); ++i) EXPECT_EQ(r.points[i].month, static_cast<int>(4 * i));
    EXPECT_EQ(r.points[0].netWorthO, r.rows[0].netWorth);
    in.newYears = 30;  // ends at 80
    EXPECT_EQ(RunRefinance(in).graphMonths, 12.0f * 30);

    ASSERT_EQ(WriteRefinanceGraph("ref.tmp", r), 1);
    std::string text = ReadText("ref.tmp");
    const std::string head =
        "1\nDummy\nDummy\nDummy\n240.000000\n2\nExisting Mortgage\nRefinanced Mortgage\n0.0\n0.0\n0.000000 ";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(text.size() - 10), "Done\nDone\n");
    std::remove("ref.tmp");
}

TEST(Refinance, TableFileHoldsTheRowsBetweenItsHeaderAndEndLines) {
    RefinanceInput in = Plain();
    in.newYears = 1;
    in.years = 1;
    in.refinanced = 100000;
    RefinanceResult r = RunRefinance(in);
    ASSERT_EQ(WriteRefinanceTable("refprt.tmp", r.rows), 1);
    std::string text = ReadText("refprt.tmp");
    const std::string header =
        "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t"
        "-Savings Interest\t-Tax on Interest\n";
    ASSERT_EQ(text.substr(0, header.size()), header);
    const std::string first = " 40 O\t            0.00\t            0.00\t            0.00\t0.00\t            0.00\t";
    EXPECT_EQ(text.substr(header.size(), first.size()), first);
    EXPECT_EQ(text.substr(text.size() - 14), "Dooone\nDooone\n");
    ASSERT_EQ(WriteRefinanceTable("refprt.tmp", {}), 1);
    EXPECT_EQ(ReadText("refprt.tmp"), header + "Dooone\nDooone\n");
    // A place that cannot be written is reported, not passed as written.
    EXPECT_EQ(WriteRefinanceTable("no-such-dir/refprt.tmp", r.rows), 0);
    std::remove("refprt.tmp");
}

TEST(Refinance, FiguresThatOutgrowSinglePrecisionAreCaught) {
    RefinanceInput in = Plain();
    in.years = 50;
    in.newYears = 50;
    in.refinanceAge = 70;
    in.startAge = 70;
    in.newRate = 3;  // the lower payment leaves money to save
    in.savingsRate = 200;
    in.taxRate = 1;
    EXPECT_FALSE(RefinanceFinite(RunRefinance(in)));
    EXPECT_TRUE(RefinanceFinite(RunRefinance(Plain())));
}

TEST(Refinance, TheRefinancedEventWithoutInflationKeepsTheSourceLoan) {
    RefinanceEventTerms t;
    t.refinanceAge = 45;
    t.newRate = 5;
    t.newYears = 20;
    t.cashOut = 10000;
    t.closingCosts = 3000;
    t.includeClosing = true;
    t.points = 1;  // not included: a closing cost
    Event e = RefinancedEvent(ElmStreet(0), t, 3);
    EXPECT_EQ(FieldText(e.description), "RF-Elm Street");
    EXPECT_EQ(+e.startAge, 45.0f);
    EXPECT_EQ(+e.endAge, 70.0f);
    EXPECT_EQ(+e.amount, 250000.0f);
    EXPECT_EQ(e.amount - e.rate2, 200000.0f + 10000 + 3000);
    EXPECT_EQ(+e.closingCosts, 2130.0f);
    EXPECT_EQ(+e.applyRate, 120.0f);
    EXPECT_EQ(+e.accountId, 0);
    EXPECT_EQ(+e.acceleratedAmount, 100.0f);
    EXPECT_EQ(+e.taxes, 3000.0f);
    EXPECT_EQ(+e.monthlyPayment, LevelPayment(213000, MonthlyRate(5), 240));
}

TEST(Refinance, TheRefinancedEventWithInflationCarriesTheHomeToTheRefinancingAge) {
    RefinanceEventTerms t;
    t.refinanceAge = 41;
    t.newRate = 5;
    t.newYears = 30;
    const Event source = ElmStreet(1);
    Event e = RefinancedEvent(source, t, 4);
    EXPECT_EQ(+e.amount, 257500.0f);
    EXPECT_EQ(HomeValueAt(source, 41), 257500.0f);
    EXPECT_EQ(+e.taxes, 3120.0f);
    // The new loan is the old one less the first year's principal (200,000 at 6 %).
    EXPECT_NEAR(e.amount - e.rate2, 200000 - 2456.02, 0.02);
    // A source ending before the refinancing age runs to 120.
    Event late = source;
    late.endAge = 41;
    EXPECT_EQ(+RefinancedEvent(late, t, 4).endAge, 120.0f);
}

}  // namespace
