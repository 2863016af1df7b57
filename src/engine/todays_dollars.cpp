// The plan's own inflation, compounded from the start age to each result row,
// for the views that show money in today's dollars.
#include <cmath>

#include "engine/internal.h"

void InflationFactors(double* factors, int rows) {
    for (int k = 0; k < rows; ++k) factors[k] = 1.0;
    if (rows <= 1) return;
    const InitialValues& iv = scenario.initialValues;
    const int events = LiveEventCount();
    const float startYear = std::trunc(iv.startAge);
    // The run's years begin at the earliest whole start age of any Event
    // when that comes before the plan's start, and a Fundamentals Event that
    // fires in one of those silent years still sets the rate.
    float firstAge = startYear;
    for (int i = 0; i < events; ++i) {
        const float start = std::trunc(scenario.events[i].startAge);
        if (start < firstAge) firstAge = start;
    }
    if (!(firstAge >= 0)) firstAge = 0;
    // As the run does: a Fundamentals Event acts in the first year that
    // reaches its start age, Events of one year in list order, and the
    // inflation rate it sets stays in force for the following years.
    bool fired[MaxEvents] = {};
    float rate = iv.inflationRate;
    double factor = 1.0;
    int row = 0;
    float age = firstAge;
    for (int year = 0; year < 2 * AgeSlots && row + 1 < rows; ++year, age += 1.0f) {
        for (int i = 0; i < events; ++i) {
            const Event& e = scenario.events[i];
            if (e.eventType != EventFundamentals || fired[i] || !(e.startAge <= age)) continue;
            fired[i] = true;
            rate = e.rate2;
        }
        if (age < startYear) continue;
        factor *= 1.0 + static_cast<double>(rate) * 0.01;
        factors[++row] = factor;
    }
}
