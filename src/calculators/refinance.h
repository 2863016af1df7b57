// The refinance analysis without its dialog: keeping an existing fixed-rate
// mortgage against replacing it at a given age, month by month, with the
// money one alternative does not pay on its mortgage saved at interest.
// Every working value is single precision, as the tables show them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"

struct RefinanceInput {
    int32_t startAge = 0;  // of the existing mortgage, whole years
    int32_t years = 0;     // its term
    float amount = 0;      // its loan
    float rate = 0;        // annual %
    int32_t refinanceAge = 0;
    float refinanced = 0;  // the new loan before costs; 0 or less: computed
    float cashOut = 0;
    float newRate = 0;
    int32_t newYears = 0;
    float closingCosts = 0;
    float points = 0;  // % of the new loan
    float taxRate = 0;
    float savingsRate = 0;
    bool includeClosing = false, includePoints = false, cashOutAsSavings = false;
};

// One line of the year table: the existing ('O') or the refinanced ('R')
// alternative at the end of a year.
struct RefinanceRow {
    int32_t age = 0;
    char kind = 'O';
    float netWorth = 0, savings = 0, equity = 0, paymentDifference = 0, principal = 0, interest = 0, taxSavings = 0,
          savingsInterest = 0, taxOnInterest = 0;
    bool start = false;  // the pair at the refinancing age: its difference shows as "0.00"
};

struct RefinanceGraphPoint {
    int32_t month = 0;
    float netWorthO = 0, netWorthR = 0;
};

struct RefinanceResult {
    float refinanced = 0;       // the new loan as read or computed, before costs
    bool refinancedComputed = false;
    float loan = 0;             // with the included closing costs and points
    float existingPayment = 0;  // pO
    float newPayment = 0;       // pR
    float totalCosts = 0;       // points and closing costs
    int32_t breakEvenMonths = 0;
    bool brokeEven = false;
    float graphMonths = 0;  // what the graph spans, in months
    std::vector<RefinanceRow> rows;
    std::vector<RefinanceGraphPoint> points;
};

// The principal of the existing mortgage paid over the months before
// `refinanceAge`; 0 for terms or rates that give no payment.
float PrincipalPaidBefore(int32_t startAge, float amount, float rate, int32_t years, int32_t refinanceAge);
// The analysis itself; the input is taken as checked.
RefinanceResult RunRefinance(const RefinanceInput& in);
// Whether every figure of a run is a number: savings at a high rate over a
// long time outgrow single precision.
bool RefinanceFinite(const RefinanceResult& result);

// The ten cells of a table row as shown and written ("%3d O", then "%16.2f").
std::vector<std::string> RefinanceCells(const RefinanceRow& row);
extern const char* const RefinanceColumnTitles;  // the list's titles, tab-separated

// "refprt.tmp": the header, the rows, "Dooone" twice. "ref.tmp": the graph
// companion's file. Both are written whole beside the target and then put in
// its place; 0 when that failed.
int WriteRefinanceTable(const char* path, const std::vector<RefinanceRow>& rows);
int WriteRefinanceGraph(const char* path, const RefinanceResult& result);

// Create This Refinance Event, once its fields are checked: the source
// mortgage carried to the refinancing age (appreciated and with the
// principal paid when it applies inflation) and refinanced. `inflationRate`
// is the Scenario's.
struct RefinanceEventTerms {
    float refinanceAge = 0, newRate = 0, cashOut = 0, closingCosts = 0, points = 0;
    int16_t newYears = 0;
    bool includeClosing = false, includePoints = false;
};
Event RefinancedEvent(const Event& source, const RefinanceEventTerms& terms, float inflationRate);
// The home's value at the refinancing age, as the new Event carries it.
float HomeValueAt(const Event& source, float refinanceAge);
