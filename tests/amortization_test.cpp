// A loan's schedule carried from year to year gives, to the bit, what a
// replay from period 0 gives: over every Loan and Mortgage of the largest
// Scenarios and every year of their terms, and over windows in any order.
// Inflated property taxes from kept chains of products give what the
// products one after the other give.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "bench/every_event_scenario.h"
#include "bench/largest_scenario.h"
#include "engine/internal.h"
#include "engine/payment.h"

namespace {

// The amortization replayed from period 0, step by step as the projection
// has always computed it.
float ReplayFromZero(float principal, float periodRate, int32_t periods, int32_t first, int32_t last, float extra,
                     int32_t extraFrom, int32_t* outCount, float* outInterest) {
    const float pay = LevelPayment(principal, periodRate, periods);
    float sum = 0, interest = 0, balance = principal;
    int32_t count = 0;
    *outCount = 0;
    *outInterest = 0;
    if (last < 0) return 0;
    for (int64_t k = 0;; ++k) {
        float i = balance * periodRate;
        float pr = pay - i;
        if (k >= extraFrom) pr = extra + pr;
        if (k >= first) {
            interest = interest + i;
            ++count;
            if (balance < pr) {
                *outCount = count;
                *outInterest = interest;
                return sum + balance;
            }
            sum = pr + sum;
        }
        balance = balance - pr;
        if (!(balance > 0)) {
            sum = sum + balance;
            if (sum < 0) sum = 0;
            *outCount = count;
            *outInterest = interest;
            return sum;
        }
        if (k + 1 > last) break;
    }
    *outCount = count;
    *outInterest = interest;
    return sum;
}

uint32_t Bits(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// One window both ways; returns whether they agree to the bit.
bool Agrees(AmortizationState& state, float principal, float rate, int32_t periods, int32_t first, int32_t last,
            float extra, int32_t extraFrom) {
    int32_t count = -1, referenceCount = -2;
    float interest = -1, referenceInterest = -2;
    const float carried = AmortizeWindow(state, principal, rate, periods, first, last, extra, extraFrom, &count, &interest);
    const float replayed =
        ReplayFromZero(principal, rate, periods, first, last, extra, extraFrom, &referenceCount, &referenceInterest);
    return Bits(carried) == Bits(replayed) && count == referenceCount && Bits(interest) == Bits(referenceInterest);
}

// Every Loan and Mortgage of the Scenario in memory, year by year from its
// start to the Scenario's end age, as the projection asks for them; in a
// prorated start year the same window is asked for twice.
int CheckEveryLoan() {
    int windows = 0;
    const float endAge = scenario.initialValues.endAge;
    const float startYear = std::trunc(scenario.initialValues.startAge);
    for (int i = 0; i < state.eventCount; ++i) {
        const Event& e = scenario.events[i];
        if ((e.eventType != EventLoan && e.eventType != EventMortgage) || IsCreditCard(e)) continue;
        const float principal = e.amount - e.rate2;
        const float rate = MonthlyRate(e.loanRate);
        const int32_t periods = int32_t{e.years} * 12;
        AmortizationState carried;
        int32_t months = 0;
        for (float age = std::trunc(e.startAge); age < endAge; age += 1.0f, months += 12) {
            float extra = 0;
            int32_t extraFrom = 0;
            AcceleratedPayment(e, age, extra, extraFrom);
            const int asks = age == startYear ? 2 : 1;
            for (int k = 0; k < asks; ++k) {
                ++windows;
                if (!Agrees(carried, principal, rate, periods, months, months + 11, extra, extraFrom)) {
                    ADD_FAILURE() << "event " << i << " at age " << age;
                    return windows;
                }
            }
        }
    }
    return windows;
}

TEST(Amortization, CarriedYearByYearOverEveryLoanOfTheLargestScenarios) {
    int windows = 0;
    BuildLargestScenario();
    windows += CheckEveryLoan();
    BuildEveryEventScenario();
    windows += CheckEveryLoan();
    // A later start: accelerated payments from the start age, counted in the
    // Mortgage's own months, begin in the middle of its schedule.
    scenario.initialValues.startAge = 45;
    windows += CheckEveryLoan();
    EXPECT_GT(windows, 5000);
}

TEST(Amortization, WindowsInAnyOrderAndWithChangingExtras) {
    uint32_t seed = 2026;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    AmortizationState state;
    float principal = 10000, rate = 0.005f, extra = 0;
    int32_t periods = 120, first = 0, extraFrom = 0;
    for (int step = 0; step < 20000; ++step) {
        switch (next(10)) {
            case 0:  // another loan
                principal = 1000.0f + static_cast<float>(next(400000));
                rate = MonthlyRate(static_cast<float>(next(2000)) * 0.01f + 0.01f);
                periods = 12 * static_cast<int32_t>(1 + next(40));
                first = 0;
                break;
            case 1:  // extra principal from some month on, or a new amount
                extra = static_cast<float>(next(3)) * 100.0f;
                extraFrom = static_cast<int32_t>(next(300));
                break;
            case 2:  // back in the schedule
                first = static_cast<int32_t>(next(400));
                break;
            case 3:  // the same window again
                break;
            case 4:  // nothing owed, of either sign, at a rate of either sign: a payment of -0
                if (next(8) == 0) {
                    principal = next(2) ? 0.0f : -0.0f;
                    rate = next(2) ? rate : -rate;
                    first = 0;
                }
                first += 12;
                break;
            default:
                first += 12;
                break;
        }
        int32_t last = first + 11;
        if (next(20) == 0) last = first - static_cast<int32_t>(next(3));  // empty or negative windows
        ASSERT_TRUE(Agrees(state, principal, rate, periods, first, last, extra, extraFrom)) << "step " << step;
    }
}

// Taxes and inflation factors from a few values, asked for in any order and
// for any number of years (beyond the kept length too): more chains than are
// kept, each taken up again where it stood or started over.
TEST(PropertyTaxes, KeptChainsGiveTheProductsOneAfterTheOther) {
    uint32_t seed = 7;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (int step = 0; step < 20000; ++step) {
        const float base = 1000.0f + 250.0f * static_cast<float>(next(6)) + (next(4) == 0 ? 0.37f : 0.0f);
        const float factor = 1.0f + static_cast<float>(next(7)) * 0.01f - 0.02f;
        const int years = static_cast<int>(next(200)) - 5;
        float expected = base;
        for (int k = 0; k < years; ++k) expected = expected * factor;
        ASSERT_EQ(Bits(InflatedTax(base, factor, years)), Bits(expected)) << "step " << step << " years " << years;
    }
}

}  // namespace
