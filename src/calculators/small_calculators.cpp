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
