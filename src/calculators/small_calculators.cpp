#include <cmath>

#include "calculators/calculators.h"
#include "engine/payment.h"

float EffectiveRate(float nominal, int16_t periods) {
    if (periods < 1) return nominal;
    const float q = static_cast<float>(nominal * 0.01) / periods;
    return (PowerN(1.0f + q, periods) - 1.0f) * 100.0f;
}

float InflatedAmount(float startAge, float endAge, float amount, float rate) {
    float a = amount;
    // Whole ages; the loop counts at most the 120 years the dialog allows.
    const double first = std::trunc(startAge), last = std::trunc(endAge);
    if (!(first >= -1000 && last <= 1000)) return a;
    for (double age = first; age < last; age += 1)
        a = static_cast<float>(a + static_cast<double>(a) * rate * 0.01);
    return a;
}

TaxedGrowth GrowthAfterTaxes(float amount, int32_t years, float rate, float taxRate, float inflation) {
    TaxedGrowth g;
    const float net = static_cast<float>(rate - static_cast<double>(taxRate) * 0.01 * rate);
    const float growth = PowerN(static_cast<float>(net * 0.01 + 1), years) - 1.0f;
    const float real = static_cast<float>((net * 0.01 + 1) / (inflation * 0.01 + 1) - 1);
    const float realGrowth = PowerN(1.0f + real, years) - 1.0f;
    g.worth = growth * amount + amount;
    g.todaysValue = realGrowth * amount + amount;
    if (amount != 0 && years != 0) g.averageRate = (g.todaysValue - amount) / amount * 100.0f / static_cast<float>(years);
    return g;
}

AcceleratedPayoff AcceleratePayments(float amount, float monthlyRate, int32_t years, int32_t yearsLeft, float extra) {
    AcceleratedPayoff out;
    const float r = monthlyRate;
    const int32_t n = years * 12;
    const int32_t paid = (years - yearsLeft) * 12;  // months already paid at the plain rate
    const float p = LevelPayment(amount, r, n);
    float balanceE = amount, balanceA = amount;
    float interestE = 0, interestA = 0, principalE = 0, principalA = 0;
    int32_t monthsA = 0;
    for (int32_t k = 1; k <= n; ++k) {
        const float iE = r * balanceE;
        const float iA = r * balanceA;
        if (balanceE != 0) {
            principalE = p - iE;
            if (k > paid) {
                principalA = p + extra - iA;
                if (balanceA - principalA < 0) {
                    principalA = balanceA;
                    balanceA = 0;
                }
            } else {
                principalA = p - iA;
            }
            if (balanceE > 0) balanceE = balanceE - principalE;
        } else {
            principalE = 0;
        }
        if (balanceA != 0) {
            if (!(balanceA < 0)) {
                balanceA = balanceA - principalA;
                monthsA = k + 1;
            }
            if (balanceE < 0) balanceE = 0;
            if (balanceA < 0) {
                principalA = balanceA + principalA;
                balanceA = 0;
            }
        } else {
            principalA = 0;
        }
        interestE = interestE + iE;
        interestA = interestA + iA;
    }
    out.payment = p;
    out.interest = interestE;
    out.acceleratedInterest = interestA;
    out.months = monthsA;
    return out;
}

float InvestedInstead(float extra, int32_t years, float rate, float taxRate, float inflation) {
    const float yearly = 12 * extra;
    float value = yearly;
    for (int32_t y = 0; y < years; ++y) {
        const float growth = static_cast<float>(value * rate * 0.01);
        value = static_cast<float>(value - growth * taxRate * 0.01);
        value = static_cast<float>(value - value * inflation * 0.01);
        value = value + growth + yearly;
    }
    return value;
}
