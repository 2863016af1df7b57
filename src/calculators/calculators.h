// The arithmetic of the Tools/Aids calculators, without their dialogs.
#pragma once

#include <cstdint>

// The effective yearly rate (%) of `nominal` % compounded `periods` times a
// year; below 1 period the nominal rate itself.
float EffectiveRate(float nominal, int16_t periods);

// `amount` grown by `rate` % once for every whole age from the start age
// (cut to a whole number) while below the end age (cut likewise).
float InflatedAmount(float startAge, float endAge, float amount, float rate);

// A lump sum invested for `years` at `rate` %, its growth taxed at `taxRate` %
// every year, with `inflation` % a year.
struct TaxedGrowth {
    float worth = 0;        // in money of the day
    float todaysValue = 0;  // in today's purchasing power
    float averageRate = 0;  // the simple yearly average of the real growth, %
};
TaxedGrowth GrowthAfterTaxes(float amount, int32_t years, float rate, float taxRate, float inflation);

// A level-payment mortgage against the same mortgage with `extra` paid on top
// every month once only `yearsLeft` of its `years` remain.
struct AcceleratedPayoff {
    float payment = 0;              // the level monthly payment
    float interest = 0;             // total interest, plain
    float acceleratedInterest = 0;  // total interest, with the extra payments
    int32_t months = 0;             // the months the accelerated payments last
};
AcceleratedPayoff AcceleratePayments(float amount, float monthlyRate, int32_t years, int32_t yearsLeft, float extra);

// Investing `extra` a month instead, for `years` whole years: growth taxed at
// `taxRate` %, value reduced by `inflation` % a year.
float InvestedInstead(float extra, int32_t years, float rate, float taxRate, float inflation);

// The trade-off analysis of up to three options, kept in "tradeinf.dat".
struct TradeOff {
    char names[3][30] = {};
    float fixedCost[3] = {}, costPerPeriod[3] = {}, fixedAmount[3] = {}, incomePerPeriod[3] = {};
    float periods = 0;
    float useTax = 0;  // 1.0 or 0.0
    float further = 0;  // kept in the file, used by nothing
};
// Each option's amount at the end of the periods; the tax rate (%) counts
// only with useTax on.
void TradeOffEndAmounts(const TradeOff& t, float taxRate, float out[3]);
// "tradeinf.dat": 1 when written / read. A file that cannot be read leaves
// the names "Option 1" .. "Option 3" and zeros.
int WriteTradeOffFile(const char* path, const TradeOff& t);
int ReadTradeOffFile(const char* path, TradeOff& t);
// The companion graph's file: 1 written, 0 not created, -1 more than 100
// periods, -2 fewer than 3.
int WriteTradeOffGraph(const char* path, const TradeOff& t, float taxRate);
