// The Refinance Analysis dialog, its details window and the refinanced
// Mortgage Event it can create, against ui::Dialog.
#pragma once

#include "calculators/refinance.h"
#include "ui/dialog.h"

// Controls of the Refinance Analysis and its details window.
enum : int {
    FieldRefStartAge = 700,
    FieldRefAmount,
    FieldRefRate,
    FieldRefYears,
    FieldRefPayment,
    FieldRefAge,
    FieldRefRefinanced,
    FieldRefCashOut,
    FieldRefCashOutSavings,
    FieldRefNewRate,
    FieldRefNewYears,
    FieldRefNewPayment,
    FieldRefClosing,
    FieldRefIncludeClosing,
    FieldRefPoints,
    FieldRefIncludePoints,
    FieldRefTaxRate,
    FieldRefSavingsRate,
    FieldRefLoan,
    FieldRefCosts,
    FieldRefBreakEven,
    FieldRefCreate,
    FieldRefAnalysis,
    FieldRefDetails,
    FieldRefGraph,
    FieldRefTable,
    FieldRefPrint,
};

constexpr const char* RefinanceTableFile = "refprt.tmp";
constexpr const char* RefinanceGraphFile = "ref.tmp";

// The free analysis (command 882): "Create This Refinance Event" is disabled.
int RefinanceDialog();
int CommandRefinance();
// Opened from the Mortgage dialog on the event in slot `eventIndex`; 1 when
// a refinance Event was made, which the Mortgage dialog then closes for.
int RefinanceDialogFor(int eventIndex);
// Opens the Mortgage Event in slot `index` in the Mortgage dialog. A refinance
// Event made from it is appended and opened next; cancelling that dialog
// drops it and gives the source back its sell age and sale percent.
int EditMortgageEvent(int index);

// Reads and checks the analysis's fields in order; the first refusal is
// shown and gives 0.
int ReadRefinanceFields(ui::Dialog& d, RefinanceInput& in);
// Runs the analysis on the fields: the result fields, "refprt.tmp" (with the
// rows when `table`), "ref.tmp" when `graph`. 0 when done, 1 stopped on the
// input, 2 "ref.tmp" could not be written.
int RunRefinanceAnalysis(ui::Dialog& d, bool table, bool graph, RefinanceResult* result = nullptr);
// Back to the values of a fresh start (tests).
void ResetRefinance();
