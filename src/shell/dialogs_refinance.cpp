// The Refinance Analysis: its dialog, the details window, the graph file and
// the refinanced Mortgage Event, undone when its Mortgage dialog is cancelled.
#include <cmath>
#include <cstdlib>

#include "engine/payment.h"
#include "shell/dialogs_internal.h"
#include "shell/refinance.h"

using namespace dialogs;

namespace {

// Kept for the whole run, not in the Scenario.
struct RefinanceState {
    float startAge = 0, amount = 0, downPayment = 0, rate = 0;
    int32_t years = 0;
    float payment = 0, refinanceAge = 0, refinanced = 0, cashOut = 0, newRate = 0;
    int32_t newYears = 0;
    float newPayment = 0, closingCosts = 0, points = 0;
    int32_t includeClosing = 0, includePoints = 0, cashOutAsSavings = 0;
    float taxRate = 15.0f, savingsRate = 5.0f;
} kept;

// The Mortgage Event the dialog was opened on (-1: from the menu), the live
// event count while it is edited, and the refinance Event made from it.
int source = -1;
int liveEventCount = 0;
bool eventMade = false;
Event madeEvent;
// What the details window shows: the checked fields of the last analysis.
RefinanceInput shownInput;

enum : int { RefinanceMade = 2 };

float Number(ui::Dialog& d, int id) { return static_cast<float>(std::atof(FieldInput(d, id, NumberRoom).c_str())); }
int WholeField(ui::Dialog& d, int id) { return std::atoi(FieldInput(d, id, NumberRoom).c_str()); }
// A field read without a check: what is not a number counts as 0.
float Unchecked(ui::Dialog& d, int id) {
    const float v = Number(d, id);
    return std::isfinite(v) ? v : 0.0f;
}

int Refuse(const std::string& text, const char* caption, ui::Icon icon = ui::Icon::Stop) {
    ui::Message(text, caption, ui::Buttons::Ok, icon);
    return 0;
}
int RefuseString(int messageId, const char* caption) { return Refuse(MessageString(messageId), caption); }

int CheckYears(ui::Dialog& d, int id, int32_t& out) {
    const int v = WholeField(d, id);
    if (v < 1) return Refuse("The number of years be greater than 0.", "Number of Years Error!", ui::Icon::Exclamation);
    if (v > 50) return Refuse("The number of years be less than 50.", "Number of Years Error!", ui::Icon::Exclamation);
    out = v;
    return 1;
}

// Refinancing is for a mortgage still being paid: from its start age up to
// the year before its last.
int CheckRefinanceAge(float age, float startAge, int32_t years) {
    if (age < startAge)
        return Refuse("The age at refinancing must be greater the the age of the orginal mortgage.", "Age Error!",
                      ui::Icon::Exclamation);
    if (age >= startAge + static_cast<float>(years))
        return Refuse("The age at refinancing must be before the original mortgage is paid off.", "Age Error!",
                      ui::Icon::Exclamation);
    return 1;
}

int CheckPercentRange(ui::Dialog& d, int id, float& out, float low, float high, const char* what) {
    const float v = Number(d, id);
    if (low <= v && v <= high) {
        out = v;
        return 1;
    }
    return Refuse(std::string("The ") + what + " must be between " + Format("%-7.2f", low) + "% and " +
                      Format("%-7.2f", high) + "%.",
                  "RATE ERROR");
}

std::string Amount12(float v) { return Format("%-12.2f", v); }

// ---- Refinance Analysis ---------------------------------------------------------------
ui::DialogTemplate RefinanceTemplate() {
    ui::DialogTemplate t{"REFINANCE", "Refinance Analysis", {}, false, 1537};
    t.leaveMessages = true;
    t.controls = {
        {0, K::Label, "Refinance Calculator"},
        {0, K::Group, "Existing Mortgage"},
        {FieldRefStartAge, K::Edit, "Start Age of Mortgage", NumberRoom},
        {FieldRefAmount, K::Edit, "Amount", NumberRoom},
        {FieldRefRate, K::Edit, "Rate", NumberRoom},
        {FieldRefYears, K::Edit, "No of Years", NumberRoom},
        {FieldRefPayment, K::ReadOnly, "Monthly Payment"},
        {0, K::Group, "Refinanced Mortgage"},
        {FieldRefAge, K::Edit, "Age at Refinancing", NumberRoom},
        {FieldRefRefinanced, K::Edit, "Amount", NumberRoom},
        {FieldRefCashOut, K::Edit, "Cash Out", NumberRoom},
        {FieldRefCashOutSavings, K::Check, "Use Cash Out as savings"},
        {FieldRefNewRate, K::Edit, "Rate", NumberRoom},
        {FieldRefNewYears, K::Edit, "No of Years", NumberRoom},
        {FieldRefNewPayment, K::ReadOnly, "Monthly Payment"},
        {FieldRefClosing, K::Edit, "Closing Costs", NumberRoom},
        {FieldRefIncludeClosing, K::Check, "Include closing costs in mortgage"},
        {FieldRefPoints, K::Edit, "Mortgage Points", NumberRoom},
        {FieldRefIncludePoints, K::Check, "Include points in mortgage"},
        {0, K::Column, ""},
        {0, K::Group, "Refinancing Analysis"},
        {FieldRefTaxRate, K::Edit, "Effective Tax Rate", NumberRoom},
        {FieldRefSavingsRate, K::Edit, "Savings Rate", NumberRoom},
        {FieldRefLoan, K::ReadOnly, "Refinanced Amount"},
        {FieldRefCosts, K::ReadOnly, "Total Mortgage Costs"},
        {FieldRefBreakEven, K::ReadOnly, "Months to Break Even"},
        {0, K::Group, ""},
        {FieldRefCreate, K::Button, "Create This Refinance Event"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {FieldRefAnalysis, K::Button, "Do Analysis"},
        {FieldRefDetails, K::Button, "Show Details"},
        {FieldRefGraph, K::Button, "Graph"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

void ShowOpening(ui::Dialog& d) {
    d.Enable(FieldRefRefinanced, false);
    d.Enable(FieldRefCreate, source >= 0);
    if (source >= 0) {
        const Event& e = scenario.events[source];
        d.SetText(FieldRefStartAge, Format("%-6.2f", e.startAge));
        kept.amount = e.amount - e.rate2;
        kept.downPayment = 0;
        d.SetText(FieldRefAmount, Amount12(kept.amount));
        d.SetText(FieldRefRate, Format("%-6.2f", e.loanRate));
        d.SetText(FieldRefPayment, Dollars("%-9.2f", e.monthlyPayment));
        d.SetText(FieldRefYears, Format("%-2d", e.years));
        for (int id : {FieldRefStartAge, FieldRefAmount, FieldRefRate, FieldRefYears}) d.Enable(id, false);
        d.SetText(FieldRefAge, Format("%-6.2f", kept.refinanceAge));
        d.SetText(FieldRefRefinanced, Amount12(kept.refinanced));
        d.SetText(FieldRefCashOut, Amount12(kept.cashOut));
        d.SetText(FieldRefNewRate, Format("%-6.2f", kept.newRate));
        d.SetText(FieldRefNewYears, Format("%-2d", kept.newYears));
        d.SetText(FieldRefNewPayment, Dollars("%-9.2f", kept.newPayment));
        d.SetText(FieldRefClosing, Amount12(kept.closingCosts));
        d.SetText(FieldRefPoints, Amount12(kept.points));
        d.SetChecked(FieldRefIncludeClosing, kept.includeClosing != 0);
        d.SetChecked(FieldRefIncludePoints, kept.includePoints != 0);
        d.SetChecked(FieldRefCashOutSavings, kept.cashOutAsSavings != 0);
        d.Focus(FieldRefAge);
    } else {
        for (int id : {FieldRefStartAge, FieldRefYears, FieldRefAge, FieldRefNewYears}) d.SetText(id, "0");
        for (int id : {FieldRefAmount, FieldRefRate, FieldRefRefinanced, FieldRefCashOut, FieldRefNewRate,
                       FieldRefClosing, FieldRefPoints})
            d.SetText(id, "0.0");
    }
    d.SetText(FieldRefTaxRate, Format("%-7.2f", kept.taxRate));
    d.SetText(FieldRefSavingsRate, Format("%-7.2f", kept.savingsRate));
}

// Leaving Age at Refinancing or Cash Out fills in the refinanced amount:
// the existing loan less the principal paid before that age, plus the cash out.
void FillRefinanced(ui::Dialog& d, int left) {
    const float age = Number(d, FieldRefAge), cash = Number(d, FieldRefCashOut);
    if (left == FieldRefAge && age != 0 && !(age >= 1 && age <= 120)) {
        RefuseString(7, "AGE ERROR");
        return;
    }
    if (left == FieldRefCashOut && cash >= 0 && !(cash <= 100000000)) {
        RefuseString(2, "AMOUNT ERROR");
        return;
    }
    const float amount = Number(d, FieldRefAmount);
    float paid = 0;
    // Without an age, or with money paid in rather than taken out, nothing was paid.
    if (age > 0 && cash >= 0)
        paid = PrincipalPaidBefore(WholeField(d, FieldRefStartAge), amount, Number(d, FieldRefRate),
                                   WholeField(d, FieldRefYears), WholeInt(age));
    const float refinanced = amount - paid + cash;
    if (!std::isfinite(refinanced)) return;
    d.SetText(FieldRefRefinanced, Amount12(refinanced));
    d.SetText(FieldRefLoan, Amount12(refinanced));
}

void StoreChecked(const RefinanceInput& in) {
    kept.startAge = static_cast<float>(in.startAge);
    kept.amount = in.amount;
    kept.rate = in.rate;
    kept.years = in.years;
    kept.refinanceAge = static_cast<float>(in.refinanceAge);
    kept.refinanced = in.refinanced;
    kept.cashOut = in.cashOut;
    kept.newRate = in.newRate;
    kept.newYears = in.newYears;
    kept.closingCosts = in.closingCosts;
    kept.points = in.points;
    kept.includeClosing = in.includeClosing;
    kept.includePoints = in.includePoints;
    kept.cashOutAsSavings = in.cashOutAsSavings;
    kept.taxRate = in.taxRate;
    kept.savingsRate = in.savingsRate;
}

// OK keeps every field as it stands, unchecked; the ages with their fractions.
void StoreAsTyped(ui::Dialog& d) {
    RefinanceInput in;
    in.amount = Unchecked(d, FieldRefAmount);
    in.rate = Unchecked(d, FieldRefRate);
    in.years = WholeField(d, FieldRefYears);
    in.refinanced = Unchecked(d, FieldRefRefinanced);
    in.cashOut = Unchecked(d, FieldRefCashOut);
    in.newRate = Unchecked(d, FieldRefNewRate);
    in.newYears = WholeField(d, FieldRefNewYears);
    in.closingCosts = Unchecked(d, FieldRefClosing);
    in.points = Unchecked(d, FieldRefPoints);
    in.taxRate = Unchecked(d, FieldRefTaxRate);
    in.savingsRate = Unchecked(d, FieldRefSavingsRate);
    in.includeClosing = d.Checked(FieldRefIncludeClosing);
    in.includePoints = d.Checked(FieldRefIncludePoints);
    in.cashOutAsSavings = d.Checked(FieldRefCashOutSavings);
    StoreChecked(in);
    kept.startAge = Unchecked(d, FieldRefStartAge);
    kept.refinanceAge = Unchecked(d, FieldRefAge);
}

void Graph(ui::Dialog& d) {
    if (RunRefinanceAnalysis(d, false, true) == 0) StartCompanion("kvref.exe ref.tmp");
}

int ShowDetails();

// Create This Refinance Event: the fields checked, the refinanced Event is
// made; the Mortgage dialog's closing appends it.
int MakeRefinanceEvent(ui::Dialog& d) {
    const Event& e = scenario.events[source];
    RefinanceEventTerms t;
    float v;
    if (!CheckField(d, FieldRefAge, v, NumberRoom, 1, 120, 7, "AGE ERROR")) return 0;
    t.refinanceAge = std::trunc(v);
    if (!CheckRefinanceAge(t.refinanceAge, e.startAge, e.years)) return 0;
    if (!CheckField(d, FieldRefNewRate, t.newRate, NumberRoom, 1, 1000, 6, "RATE ERROR")) return 0;
    int32_t years = 0;
    if (!CheckYears(d, FieldRefNewYears, years)) return 0;
    t.newYears = static_cast<int16_t>(years);
    if (!CheckField(d, FieldRefCashOut, t.cashOut, NumberRoom, 0, 100000000, 2, "AMOUNT ERROR")) return 0;
    const float home = HomeValueAt(e, t.refinanceAge);
    if (t.cashOut > home)
        return Refuse("The cash out cannot be more than the value of the home, " + Dollars("%-12.2f", home) + ".",
                      "AMOUNT ERROR");
    t.closingCosts = Unchecked(d, FieldRefClosing);
    if (t.closingCosts < 0) return Refuse("The closing costs must be greater or equal to zero.", "Closing Costs Error!");
    t.points = Unchecked(d, FieldRefPoints);
    if (t.points < 0) return Refuse("The mortgage points must be greater or equal to zero.", "Mortgage points Error!");
    if (!(t.points <= 100)) return Refuse("The mortgage points must be less than 100.", "Mortgage points Error!");
    t.includeClosing = d.Checked(FieldRefIncludeClosing);
    t.includePoints = d.Checked(FieldRefIncludePoints);
    // The slot after the live events: refuse before anything is made.
    const int editing = state.eventCount;
    state.eventCount = liveEventCount;
    const int full = RefuseWhenEventsFull();
    state.eventCount = editing;
    if (full) return 0;
    madeEvent = RefinancedEvent(e, t, scenario.initialValues.inflationRate);
    eventMade = true;
    return 1;
}

void RefinanceRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        ShowOpening(d);
        return;
    }
    if (message == ui::DialogLeave) {
        if (control == FieldRefAge || control == FieldRefCashOut) FillRefinanced(d, control);
        return;
    }
    if (message != ui::DialogCommand) return;
    RefinanceInput in;
    switch (control) {
        case ui::IdOk:
            StoreAsTyped(d);
            d.End(1);
            return;
        case ui::IdCancel: d.End(0); return;
        case ui::IdHelp: Help(HelpContext, 1537); return;
        case FieldRefAnalysis:
            if (!ReadRefinanceFields(d, in)) return;
            StoreChecked(in);
            kept.newPayment = 0;
            RunRefinanceAnalysis(d, false, false);
            return;
        case FieldRefDetails:
            if (!ReadRefinanceFields(d, in)) return;
            StoreChecked(in);
            shownInput = in;
            ShowDetails();
            return;
        case FieldRefGraph: Graph(d); return;
        case FieldRefCreate:
            if (source < 0) {
                d.End(0);
                return;
            }
            if (MakeRefinanceEvent(d)) d.End(RefinanceMade);
            return;
        default: return;
    }
}

// ---- Details window -------------------------------------------------------------------
ui::DialogTemplate DetailsTemplate() {
    ui::DialogTemplate t{"RASCHEDULE", "Refinance Analysis", {}, false, 260};
    t.controls = {
        {FieldRefTable, K::List, RefinanceColumnTitles},
        {ui::IdOk, K::Button, "OK"},
        {FieldRefPrint, K::Button, "Print"},
    };
    return t;
}

void ReportTableFile(int written) {
    if (!written) Refuse("Cannot open refprt.tmp for writing!", "FILE ERROR");
}

void DetailsRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        RefinanceResult r = RunRefinance(shownInput);
        std::vector<std::string> lines;
        if (RefinanceFinite(r)) {
            for (const RefinanceRow& row : r.rows) {
                std::string line;
                for (const std::string& cell : RefinanceCells(row)) line += (line.empty() ? "" : "\t") + cell;
                lines.push_back(line);
            }
        } else {
            r.rows.clear();
        }
        ReportTableFile(WriteRefinanceTable(RefinanceTableFile, r.rows));
        d.SetItems(FieldRefTable, lines);
        d.Enable(FieldRefPrint, dialogHooks.printRefinance != nullptr);
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == FieldRefPrint && dialogHooks.printRefinance) dialogHooks.printRefinance();
    if (control == ui::IdOk) d.End(1);
    if (control == ui::IdCancel) {
        // Escape is the graph's shortcut here; the window then closes as well.
        RefinanceResult r = RunRefinance(shownInput);
        if (!RefinanceFinite(r)) {
            d.End(0);
            return;
        }
        if (WriteRefinanceGraph(RefinanceGraphFile, r))
            StartCompanion("kvref.exe ref.tmp");
        else
            Refuse("Cannot open ref.tmp for writing!", "FILE ERROR");
        d.End(0);
    }
}

int ShowDetails() { return ui::Dialogs().Run(DetailsTemplate(), DetailsRoutine); }

int OpenRefinance(int eventIndex) {
    source = eventIndex;
    eventMade = false;
    const int result = Run(WindowCalculator, RefinanceTemplate(), RefinanceRoutine);
    source = -1;
    return result;
}

// 1 confirmed, 0 cancelled, RefinanceMade when the user went on to refinance it.
int EditMortgage(int index) {
    eventMade = false;
    liveEventCount = state.eventCount;
    const int result = EditEventWith(index, MortgageDialog);
    if (!eventMade) return result;
    eventMade = false;
    // The Mortgage dialog closed without storing, so the source is as it was:
    // it is now sold to the new mortgage at the refinancing age.
    Event& from = scenario.events[index];
    const float sellAge = from.applyRate, salePercent = from.salePercent;
    from.salePercent = 0;
    from.applyRate = madeEvent.startAge;
    const int slot = state.eventCount;
    scenario.events[slot] = madeEvent;
    ++state.eventCount;
    state.modified = 1;
    state.needsRecalc = 1;
    HandMortgageBack(madeEvent.years, madeEvent.amount, madeEvent.rate2, madeEvent.loanRate, madeEvent.monthlyPayment);
    const int next = EditMortgage(slot);
    if (next != 0) return RefinanceMade;
    // Cancelled: the refinance is undone.
    ResetEventSlot(slot);
    --state.eventCount;
    Event& back = scenario.events[index];
    back.applyRate = sellAge;
    back.salePercent = salePercent;
    return 0;
}

}  // namespace

int ReadRefinanceFields(ui::Dialog& d, RefinanceInput& in) {
    int16_t whole = 0;
    float v = 0;
    if (!CheckField(d, FieldRefStartAge, whole, NumberRoom, 1, 120, 7, "AGE ERROR")) return 0;
    in.startAge = whole;
    if (!CheckField(d, FieldRefAmount, in.amount, NumberRoom, 1, 100000000, 2, "AMOUNT ERROR")) return 0;
    if (!CheckField(d, FieldRefRate, in.rate, NumberRoom, 1, 1000, 6, "RATE ERROR")) return 0;
    if (!CheckYears(d, FieldRefYears, in.years)) return 0;
    kept.payment = LevelPayment(in.amount, MonthlyRate(in.rate), in.years * 12);
    if (!CheckField(d, FieldRefAge, v, NumberRoom, 1, 120, 7, "AGE ERROR")) return 0;
    in.refinanceAge = static_cast<int32_t>(v);
    if (!CheckRefinanceAge(static_cast<float>(in.refinanceAge), static_cast<float>(in.startAge), in.years)) return 0;
    if (!CheckField(d, FieldRefCashOut, in.cashOut, NumberRoom, 0, 100000000, 2, "AMOUNT ERROR")) return 0;
    if (!CheckField(d, FieldRefNewRate, in.newRate, NumberRoom, 1, 1000, 6, "RATE ERROR")) return 0;
    if (!CheckYears(d, FieldRefNewYears, in.newYears)) return 0;
    if (!CheckPercentRange(d, FieldRefTaxRate, in.taxRate, 1, 100, "Tax Rate")) return 0;
    if (!CheckPercentRange(d, FieldRefSavingsRate, in.savingsRate, -200, 200, "Savings Rate")) return 0;
    // The refinanced amount is the program's own figure; costs and points
    // are taken as typed, within what a loan can hold.
    in.refinanced = Unchecked(d, FieldRefRefinanced);
    if (!(std::fabs(in.refinanced) <= 1000000000.0f)) in.refinanced = 0;
    in.closingCosts = Number(d, FieldRefClosing);
    if (!(std::fabs(in.closingCosts) <= 100000000.0f))
        return Refuse("The closing costs must be between -100000000.00 and 100000000.00.", "Closing Costs Error!");
    in.points = Number(d, FieldRefPoints);
    if (!(std::fabs(in.points) <= 100.0f))
        return Refuse("The mortgage points must be between -100.00% and 100.00%.", "Mortgage points Error!");
    in.includeClosing = d.Checked(FieldRefIncludeClosing);
    in.includePoints = d.Checked(FieldRefIncludePoints);
    in.cashOutAsSavings = d.Checked(FieldRefCashOutSavings);
    return 1;
}

int RunRefinanceAnalysis(ui::Dialog& d, bool table, bool graph, RefinanceResult* out) {
    RefinanceInput in;
    if (!ReadRefinanceFields(d, in)) return 1;
    RefinanceResult r = RunRefinance(in);
    if (!RefinanceFinite(r)) {
        Refuse("The savings grow beyond what can be shown. Please use a lower savings rate.", "RATE ERROR");
        return 1;
    }
    if (r.refinancedComputed) d.SetText(FieldRefRefinanced, Amount12(r.refinanced));
    d.SetText(FieldRefPayment, Dollars("%-9.2f", r.existingPayment));
    d.SetText(FieldRefCosts, Dollars("%-12.2f", r.totalCosts));
    d.SetText(FieldRefNewPayment, Dollars("%-12.2f", r.newPayment));
    d.SetText(FieldRefLoan, Dollars("%-12.2f", r.loan));
    d.SetText(FieldRefBreakEven, Format("%-3d", r.breakEvenMonths));
    ReportTableFile(WriteRefinanceTable(RefinanceTableFile, table ? r.rows : std::vector<RefinanceRow>{}));
    if (out) *out = r;
    if (graph && !WriteRefinanceGraph(RefinanceGraphFile, r)) {
        Refuse("Cannot open ref.tmp for writing!", "FILE ERROR");
        return 2;
    }
    return 0;
}

int RefinanceDialog() { return OpenRefinance(-1); }
int CommandRefinance() { return RefinanceDialog(); }

int RefinanceDialogFor(int eventIndex) {
    if (eventIndex < 0 || eventIndex >= MaxEvents) return 0;
    return OpenRefinance(eventIndex) == RefinanceMade ? 1 : 0;
}

int EditMortgageEvent(int index) { return EditMortgage(index) != 0 ? 1 : 0; }

void ResetRefinance() {
    kept = {};
    source = -1;
    eventMade = false;
}
