// Payment routines and the dollar text shared by the projection, the
// schedules and the calculators. Every step rounds to single precision where
// the results depend on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The period rate callers pass: annual percent x 0.01 x 1/12, the 1/12 in
// extended precision, rounded to float once.
float MonthlyRate(float annualPercent);

float PowerN(float x, int32_t n);
float LevelPayment(float principal, float periodRate, int32_t periods);
float AmortizeWindow(float principal, float periodRate, int32_t periods, int32_t first, int32_t last,
                     float extra, int32_t extraFrom, int32_t* outCount, float* outInterest);

// Where a replay of an amortization schedule stands: the balance before
// period `next`, or the loan repaid. A loan's windows follow one another year
// by year, so a later window goes on from here instead of replaying from
// period 0.
struct AmortizationState {
    int32_t valid = 0;
    float principal = 0, periodRate = 0, payment = 0, extra = 0;
    int32_t periods = 0, extraFrom = 0;
    int64_t next = 0;
    float balance = 0;
    int32_t repaid = 0;  // the balance fell to 0 or below in period next - 1
};
// AmortizeWindow with the same arguments and the same results to the bit,
// going on from `state` when the schedule replayed so far is the one these
// arguments give, and leaving `state` at the end of the window.
float AmortizeWindow(AmortizationState& state, float principal, float periodRate, int32_t periods, int32_t first,
                     int32_t last, float extra, int32_t extraFrom, int32_t* outCount, float* outInterest);

// Rewrites in place a number already printed as text ("%-13.2f" and the
// like) into dollar text: "1234567.89" -> "$1,234,567.89". `size` is the
// buffer's size; the result is cut to fit.
void FormatDollars(char* text, size_t size);
std::string FormatDollars(const std::string& text);
// printf(format, value) followed by FormatDollars.
std::string Dollars(const char* format, double value);
