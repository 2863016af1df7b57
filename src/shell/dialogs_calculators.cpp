// The small calculators of Tools/Aids: inflation, taxes/inflation/investment
// and the effective yearly rate. They keep their last values for the run.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "calculators/calculators.h"
#include "engine/payment.h"
#include "shell/dialogs_internal.h"
#include "shell/refinance.h"

namespace dialogs {
namespace {

struct CalculatorValues {
    float inflStartAge = 0, inflEndAge = 0, inflAmount = 0, inflRate = 0, inflResult = 0;
    float invAmount = 0;
    int32_t invYears = 1;
    float invRate = 0, invTax = 0, invInflation = 0;
} kept;

// Where "Use This Effective Yearly Rate" writes: the dialog that opened the
// calculator and its rate field (no dialog when it was opened from the menu).
struct RateAsker {
    ui::Dialog* dialog = nullptr;
    int field = 0;
};

float Number(ui::Dialog& d, int id) { return TypedNumber(d.Text(id), NumberRoom); }

int Refuse(const char* text, const char* caption) {
    ui::Message(text, caption, ui::Buttons::Ok, ui::Icon::Exclamation);
    return 0;
}

std::string Percent(float v) { return Format("%-4.2f", v) + "%"; }

// ---- Inflation Calculator -----------------------------------------------------------
ui::DialogTemplate InflationTemplate() {
    ui::DialogTemplate t{"INFLATE", "Inflation Calculator", {}, false, 0};
    t.controls = {
        {FieldInflStartAge, K::Edit, "Start Age", NumberRoom},
        {FieldInflEndAge, K::Edit, "End Age", NumberRoom},
        {FieldInflAmount, K::Edit, "Start Age Amount", NumberRoom},
        {FieldInflRate, K::Edit, "Inflation Rate (%)", NumberRoom},
        {FieldInflResult, K::ReadOnly, "Inflated Amount"},
        {ui::IdOk, K::Button, "OK"},
        {FieldInflCalculate, K::Button, "Calculate"},
    };
    return t;
}

int CalculateInflation(ui::Dialog& d) {
    float v = Number(d, FieldInflStartAge);
    if (!(v >= 0 && v <= 120)) return Refuse("Start age must be a value from 1 - 120.", "Start Age Error!");
    kept.inflStartAge = v;
    v = Number(d, FieldInflEndAge);
    if (!(v >= 0 && v <= 120)) return Refuse("End Age must be a value from 1 - 120.", "End Age Error!");
    kept.inflEndAge = v;
    if (!(kept.inflEndAge > kept.inflStartAge))
        return Refuse("End Age must be greater the Start Age.", "End Age Error!");
    v = Number(d, FieldInflRate);
    if (!(v >= -100 && v <= 100)) return Refuse("Inflation Rate must be a value from -100 - 100.", "Rate Error!");
    kept.inflRate = v;
    v = Number(d, FieldInflAmount);
    if (!(v >= 1.0f && v <= 99999999.0f))
        return Refuse("This amount must be a value from 1.0 - 99999999.00", "Amount Error!");
    kept.inflAmount = v;
    kept.inflResult = InflatedAmount(kept.inflStartAge, kept.inflEndAge, kept.inflAmount, kept.inflRate);
    d.SetText(FieldInflResult, Format("%-13.2f", kept.inflResult));
    return 1;
}

void InflationRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        d.SetText(FieldInflStartAge, Format("%-6.2f", kept.inflStartAge));
        d.SetText(FieldInflEndAge, Format("%-6.2f", kept.inflEndAge));
        d.SetText(FieldInflAmount, Format("%-13.2f", kept.inflAmount));
        d.SetText(FieldInflRate, Format("%-13.2f", kept.inflRate));
        d.SetText(FieldInflResult, Format("%-13.2f", kept.inflResult));
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == ui::IdOk || control == ui::IdCancel) d.End(1);
    if (control == FieldInflCalculate) CalculateInflation(d);
}

// ---- Taxes, Inflation and Your Investment -------------------------------------------
ui::DialogTemplate TaxInflationTemplate() {
    ui::DialogTemplate t{"TAXINF", "Taxes, Inflation and Your Investment", {}, false, 1556};
    t.controls = {
        {FieldInvAmount, K::Edit, "Amount invested", NumberRoom},
        {FieldInvYears, K::Edit, "Number of years amount is invested", 4},
        {FieldInvRate, K::Edit, "Effective yearly rate of return on investment (%)", NumberRoom},
        {FieldInvTax, K::Edit, "Rate at which investment is taxed (%)", NumberRoom},
        {FieldInvInflation, K::Edit, "Estimated yearly inflation rate (%)", NumberRoom},
        {FieldInvEffective, K::Button, "Calculate Effective Yearly Rate"},
        {0, K::Column, ""},
        {FieldInvYearsShown, K::ReadOnly, "At the end of"},
        {FieldInvTaxShown, K::ReadOnly, "years, taxed at a yearly rate of"},
        {FieldInvWorth, K::ReadOnly, "your investment will be worth"},
        {FieldInvInflationShown, K::ReadOnly, "At a yearly inflation rate of"},
        {FieldInvToday, K::ReadOnly, "this amounts to"},
        {FieldInvAverage, K::ReadOnly, "in today's purchasing power.  It also represents a"},
        {0, K::Label, "effective yearly rate of return on your investment."},
        {ui::IdOk, K::Button, "OK"},
        {FieldInvCalculate, K::Button, "Calculate"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

int CalculateTaxInflation(ui::Dialog& d) {
    float amount = Number(d, FieldInvAmount);
    if (!(amount > 0)) return Refuse("The investment amount must be greater than $0.00.", "Amount Error!");
    int years = std::atoi(FieldInput(d, FieldInvYears, 4).c_str());
    if (years < 1) return Refuse("The number of years be greater than 0.", "Number of Years Error!");
    if (!CheckNumbers(d, {FieldInvRate, FieldInvTax, FieldInvInflation})) return 0;
    kept.invAmount = amount;
    kept.invYears = years;
    kept.invRate = Number(d, FieldInvRate);
    kept.invTax = Number(d, FieldInvTax);
    kept.invInflation = Number(d, FieldInvInflation);
    TaxedGrowth g = GrowthAfterTaxes(amount, years, kept.invRate, kept.invTax, kept.invInflation);
    d.SetText(FieldInvYearsShown, Format("%d", years));
    d.SetText(FieldInvTaxShown, Percent(kept.invTax));
    d.SetText(FieldInvWorth, Dollars("%13.2f", g.worth));
    d.SetText(FieldInvInflationShown, Percent(kept.invInflation));
    d.SetText(FieldInvToday, Dollars("%13.2f", g.todaysValue));
    d.SetText(FieldInvAverage, Percent(g.averageRate));
    return 1;
}

void TaxInflationRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        d.SetText(FieldInvAmount, Format("%-6.2f", kept.invAmount));
        d.SetText(FieldInvYears, Format("%3d", kept.invYears));
        d.SetText(FieldInvRate, Format("%-13.4f", kept.invRate));
        d.SetText(FieldInvTax, Format("%-13.2f", kept.invTax));
        d.SetText(FieldInvInflation, Format("%-13.2f", kept.invInflation));
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdOk:
        case ui::IdCancel: d.End(1); return;
        case ui::IdHelp: Help(HelpContext, 1556); return;
        case FieldInvCalculate: CalculateTaxInflation(d); return;
        case FieldInvEffective: EffectiveRateDialog(&d, FieldInvRate); return;
        default: return;
    }
}

// ---- Calculate Effective Yearly Rate ------------------------------------------------
ui::DialogTemplate EffectiveRateTemplate() {
    ui::DialogTemplate t{"EFFECTIVE", "Calculate Effective Yearly Rate", {}, false, 1558};
    t.controls = {
        {FieldNominal, K::Edit, "Nominal Rate (%)", NumberRoom},
        {0, K::Group, "Interest Compounded"},
        {FieldDaily, K::Radio, "Daily"},
        {FieldMonthly, K::Radio, "Monthly"},
        {FieldQuarterly, K::Radio, "Quarterly"},
        {FieldSemiannually, K::Radio, "Semiannually"},
        {FieldOther, K::Radio, "Other - enter number of compoundings per year"},
        {FieldOtherPeriods, K::Edit, "", NumberRoom},
        {0, K::Group, ""},
        {FieldEffectiveResult, K::ReadOnly, "Effective Yearly Rate"},
        {FieldUseRate, K::Button, "Use This Effective Yearly Rate"},
        {ui::IdOk, K::Button, "OK"},
        {FieldEffCalculate, K::Button, "Calculate"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

int CalculateEffectiveRate(ui::Dialog& d, bool use, const RateAsker& asker) {
    float nominal = Number(d, FieldNominal);
    if (!(nominal > -200 && nominal <= 200))
        return Refuse("The Nominal Rate must be a value greater than -200 and less than 200.00", "Rate Error!");
    int periods = 1;
    if (d.Checked(FieldDaily)) periods = 365;
    if (d.Checked(FieldMonthly)) periods = 12;
    if (d.Checked(FieldQuarterly)) periods = 4;
    if (d.Checked(FieldSemiannually)) periods = 2;
    if (d.Checked(FieldOther)) {
        float other = Number(d, FieldOtherPeriods);
        if (!(other >= 1 && std::trunc(other) <= 365))
            return Refuse("The number of compounding periods per year must be greater than or equal to 1 and less than 365",
                          "Period Error!");
        periods = static_cast<int>(other);
    }
    std::string text = Format("%-8.4f", EffectiveRate(nominal, static_cast<int16_t>(periods)));
    d.SetText(FieldEffectiveResult, text);
    if (use && asker.dialog) asker.dialog->SetText(asker.field, text);
    return 1;
}

void EffectiveRateRoutine(ui::Dialog& d, int message, int control, const RateAsker& asker) {
    if (message == ui::DialogOpen) {
        d.Enable(FieldOtherPeriods, false);
        d.Enable(FieldUseRate, asker.dialog != nullptr);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdOk:
        case ui::IdCancel: d.End(1); return;
        case ui::IdHelp: Help(HelpContext, 1558); return;
        case FieldDaily:
        case FieldMonthly:
        case FieldQuarterly:
        case FieldSemiannually:
        case FieldOther: d.Enable(FieldOtherPeriods, d.Checked(FieldOther)); return;
        case FieldEffCalculate: CalculateEffectiveRate(d, false, asker); return;
        case FieldUseRate: CalculateEffectiveRate(d, true, asker); return;
        default: return;
    }
}

}  // namespace
}  // namespace dialogs

using namespace dialogs;

int InflationCalculatorDialog() { return Run(WindowCalculator, InflationTemplate(), InflationRoutine); }
int TaxInflationDialog() { return Run(WindowCalculator, TaxInflationTemplate(), TaxInflationRoutine); }

int EffectiveRateDialog(ui::Dialog* asker, int field) {
    // Opened from another calculator or an account dialog, it nests in it.
    const RateAsker target{asker, field};
    return Run(WindowEffectiveRate, EffectiveRateTemplate(),
               [target](ui::Dialog& d, int message, int control) { EffectiveRateRoutine(d, message, control, target); });
}

int CommandInflationCalculator() { return InflationCalculatorDialog(); }
int CommandTaxInflation() { return TaxInflationDialog(); }
int CommandEffectiveRate() { return EffectiveRateDialog(nullptr, 0); }


// ---- Mortgage Calculator ------------------------------------------------------------
namespace dialogs {
namespace {

// The field texts, kept for the whole run; a field gives at most 9 characters.
struct MortgageTexts {
    std::string amount = "0.0", downPayment = "0.0", rate = "8.0", years = "30", payment = "0.0";
} mortgageTexts;
struct MortgageFigures {
    float amount = 0, rate = 0, downPayment = 0, payment = 0;
    int16_t years = 0;
} mortgageFigures;
constexpr int MortgageRoom = 10;
enum : int { MortgageUseInPlan = 2 };

ui::DialogTemplate MortgageCalculatorTemplate() {
    ui::DialogTemplate t{"MORTGAGEC", "Mortgage Calculator", {}, false, 1536};
    t.controls = {
        {FieldMcAmount, K::Edit, "Amount", MortgageRoom},
        {FieldMcDownPayment, K::Edit, "Down Payment", MortgageRoom},
        {FieldMcRate, K::Edit, "Rate", MortgageRoom},
        {FieldMcYears, K::Edit, "No Of Years", MortgageRoom},
        {FieldMcPayment, K::ReadOnly, "Monthly Payment"},
        {FieldMcUse, K::Button, "Use this mortgage in plan"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {FieldMcCalculate, K::Button, "Calculate"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

std::string Taken(ui::Dialog& d, int id, std::string& kept) { return kept = FieldInput(d, id, MortgageRoom); }

// The checks in order; the first refusal stops, what passed before it stays.
int CalculateMortgage(ui::Dialog& d) {
    MortgageFigures& m = mortgageFigures;
    Taken(d, FieldMcRate, mortgageTexts.rate);
    if (!CheckField(d, FieldMcRate, m.rate, MortgageRoom, 1.0f, 1000.0f, 6, "RATE ERROR")) return 0;
    Taken(d, FieldMcAmount, mortgageTexts.amount);
    if (!CheckField(d, FieldMcAmount, m.amount, MortgageRoom, 1.0f, 100000000.0f, 2, "AMOUNT ERROR")) return 0;
    Taken(d, FieldMcDownPayment, mortgageTexts.downPayment);
    if (!CheckField(d, FieldMcDownPayment, m.downPayment, MortgageRoom, 0.0f, 100000000.0f, 2, "DOWN PAYMENT ERROR"))
        return 0;
    Taken(d, FieldMcYears, mortgageTexts.years);
    if (!CheckField(d, FieldMcYears, m.years, MortgageRoom, 1, 100, 5, "NO OF YEARS ERROR")) return 0;
    // A down payment above the amount gives a negative payment, shown as it is.
    m.payment = LevelPayment(m.amount - m.downPayment, MonthlyRate(m.rate), int32_t{m.years} * 12);
    mortgageTexts.payment = Format("%-9.2f", m.payment);
    d.SetText(FieldMcPayment, mortgageTexts.payment);
    return 1;
}

void MortgageCalculatorRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        d.SetText(FieldMcAmount, mortgageTexts.amount);
        d.SetText(FieldMcDownPayment, mortgageTexts.downPayment);
        d.SetText(FieldMcRate, mortgageTexts.rate);
        d.SetText(FieldMcYears, mortgageTexts.years);
        d.SetText(FieldMcPayment, mortgageTexts.payment);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdOk:
            if (CalculateMortgage(d)) d.End(1);
            return;
        case ui::IdCancel: d.End(0); return;
        case ui::IdHelp: Help(HelpContext, 1536); return;
        case FieldMcCalculate: CalculateMortgage(d); return;
        case FieldMcUse:
            // Taken as typed, without the checks: the Mortgage dialog checks its own fields.
            Taken(d, FieldMcAmount, mortgageTexts.amount);
            Taken(d, FieldMcDownPayment, mortgageTexts.downPayment);
            Taken(d, FieldMcRate, mortgageTexts.rate);
            Taken(d, FieldMcYears, mortgageTexts.years);
            HandMortgageTexts(mortgageTexts.years, mortgageTexts.amount, mortgageTexts.downPayment,
                              mortgageTexts.rate, &mortgageTexts.payment);
            d.End(MortgageUseInPlan);
            return;
        default: return;
    }
}

}  // namespace
}  // namespace dialogs

int MortgageCalculatorDialog() {
    int result = Run(WindowCalculator, MortgageCalculatorTemplate(), MortgageCalculatorRoutine);
    if (result == MortgageUseInPlan) return DispatchCommand(CmdMortgage);
    return result;
}

int CommandMortgageCalculator() { return MortgageCalculatorDialog(); }

// ---- Accelerated Mortgage Payment Analysis -----------------------------------------
namespace dialogs {
namespace {

struct AcceleratedValues {
    float amount = 0, extra = 0, rate = 0, monthlyRate = 0;
    int32_t years = 30, yearsLeft = 30;
} accelerated;

ui::DialogTemplate AcceleratedTemplate() {
    ui::DialogTemplate t{"ACCEL", "Accelerated Mortgage Payment Analysis", {}, false, 1555};
    t.controls = {
        {FieldAccAmount, K::Edit, "Loan Amount", 15},
        {FieldAccYears, K::Edit, "Number of Years", 4},
        {FieldAccYearsLeft, K::Edit, "Years Left", 4},
        {FieldAccRate, K::Edit, "Rate (%)", NumberRoom},
        {FieldAccExtra, K::Edit, "Additional Monthly Payment", 15},
        {0, K::Group, "Existing Mortgage"},
        {FieldAccPayment, K::ReadOnly, "Monthly Payment"},
        {FieldAccTotal, K::ReadOnly, "Total Payments"},
        {FieldAccInterest, K::ReadOnly, "Total Interest"},
        {0, K::Group, "Accelerated Payment Mortgage"},
        {FieldAccYearsShown, K::ReadOnly, "Payment Years"},
        {FieldAccNewPayment, K::ReadOnly, "Monthly Payment"},
        {FieldAccNewTotal, K::ReadOnly, "Total Payments"},
        {FieldAccNewInterest, K::ReadOnly, "Total Interest"},
        {FieldAccSavings, K::ReadOnly, "Savings"},
        {0, K::Column, ""},
        {0, K::Group, "Investment Comparison"},
        {FieldAccExtraShown, K::ReadOnly, ""},
        {FieldAccInvestRate, K::Edit, " invested monthly at a yearly rate of (%)", NumberRoom},
        {FieldAccTaxRate, K::Edit, " and taxed at (%)", NumberRoom},
        {FieldAccInflation, K::Edit, " with an inflation rate of (%)", NumberRoom},
        {FieldAccWorth, K::ReadOnly, " would be worth "},
        {FieldAccWorthYears, K::ReadOnly, "at the end of"},
        {0, K::Label, " years."},
        {0, K::Group, ""},
        {ui::IdOk, K::Button, "OK"},
        {FieldAccCalculate, K::Button, "Calculate"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

std::string Money13(float v) { return Dollars("%13.2f", v); }

int Passes(bool ok, const char* text, const char* caption) { return ok ? 1 : Refuse(text, caption); }

int CalculateAccelerated(ui::Dialog& d) {
    AcceleratedValues& a = accelerated;
    float v = TypedNumber(d.Text(FieldAccAmount), 15);
    if (!Passes(v > 0 && v <= 10000000, "The mortgage amount must be greater than $0.00 and less than $10,000,000.00.",
                 "Amount Error!"))
        return 0;
    a.amount = v;
    int years = std::atoi(FieldInput(d, FieldAccYears, 4).c_str());
    if (!Passes(years >= 1 && years <= 50, "The number of years must be greater than 0 and less than 50.",
                 "Number of Years Error!"))
        return 0;
    a.years = years;
    int left = std::atoi(FieldInput(d, FieldAccYearsLeft, 4).c_str());
    if (!Passes(left >= 1 && left <= a.years,
                 "The number of years left must be greater than 0 and less than the life of the mortgage.",
                 "Number of Years Left Error!"))
        return 0;
    a.yearsLeft = left;
    v = Number(d, FieldAccRate);
    if (!Passes(v > 0 && v <= 50, "The mortgage rate must be greater than 0.0% and less than 50.0%", "Rate Error!"))
        return 0;
    a.rate = v;
    v = TypedNumber(d.Text(FieldAccExtra), 15);
    if (!Passes(v >= 0 && v <= 100000,
                 "The addition monthly payment must be greater than $0.00 and less than $100,000.00",
                 "Additional Amount Error!"))
        return 0;
    a.extra = v;
    d.SetText(FieldAccExtraShown, Money13(a.extra));
    const float invest = Number(d, FieldAccInvestRate);
    if (!Passes(invest >= 0 && invest <= 50, "The investment rate must be greater than 0.0% and less than 50.0%",
                 "Rate Error!"))
        return 0;
    const float tax = Number(d, FieldAccTaxRate);
    if (!Passes(tax >= 0 && tax <= 50, "The tax rate must be greater than 0.0% and less than 50.0%", "Rate Error!"))
        return 0;
    const float inflation = Number(d, FieldAccInflation);
    if (!Passes(inflation >= 0 && inflation <= 50, "The inflation rate must be greater than 0.0% and less than 50.0%",
                 "Rate Error!"))
        return 0;

    a.monthlyRate = static_cast<float>(1.0 / 12 * a.rate * 0.01);
    AcceleratedPayoff p = AcceleratePayments(a.amount, a.monthlyRate, a.years, a.yearsLeft, a.extra);
    const float total = p.interest + a.amount, newTotal = p.acceleratedInterest + a.amount;
    d.SetText(FieldAccPayment, Money13(p.payment));
    d.SetText(FieldAccTotal, Money13(total));
    d.SetText(FieldAccInterest, Money13(p.interest));
    d.SetText(FieldAccYearsShown, Format("%-6.2f", static_cast<float>(p.months * (1.0 / 12))));
    d.SetText(FieldAccNewPayment, Money13(p.payment + a.extra));
    d.SetText(FieldAccNewTotal, Money13(newTotal));
    d.SetText(FieldAccNewInterest, Money13(p.acceleratedInterest));
    d.SetText(FieldAccSavings, Money13(total - newTotal));
    const int wholeYears = p.months / 12;
    d.SetText(FieldAccWorth, Money13(InvestedInstead(a.extra, wholeYears, invest, tax, inflation)));
    d.SetText(FieldAccWorthYears, Format("%3d", wholeYears));
    return 1;
}

void AcceleratedRoutine(ui::Dialog& d, int message, int control) {
    const AcceleratedValues& a = accelerated;
    if (message == ui::DialogOpen) {
        d.SetText(FieldAccAmount, Format("%-13.2f", a.amount));
        d.SetText(FieldAccYears, Format("%3d", a.years));
        d.SetText(FieldAccYearsLeft, Format("%3d", a.yearsLeft));
        d.SetText(FieldAccRate, Format("%-6.2f", a.rate));
        d.SetText(FieldAccExtra, Format("%-13.2f", a.extra));
        d.SetText(FieldAccExtraShown, FormatDollars(Format("%-13.2f", a.extra)));
        d.SetText(FieldAccInvestRate, Format("%-13.2f", 5.0));
        d.SetText(FieldAccTaxRate, Format("%-13.2f", scenario.initialValues.taxRate));
        d.SetText(FieldAccInflation, Format("%-13.2f", scenario.initialValues.inflationRate));
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdOk:
        case ui::IdCancel: d.End(1); return;
        case ui::IdHelp: Help(HelpContext, 1555); return;
        case FieldAccCalculate: CalculateAccelerated(d); return;
        default: return;
    }
}

}  // namespace
}  // namespace dialogs

int AcceleratedPaymentDialog() { return Run(WindowCalculator, AcceleratedTemplate(), AcceleratedRoutine); }

int AcceleratedPaymentDialogFor(float principal, int years, float yearlyRate, int yearsLeft, float extra) {
    accelerated.amount = principal;
    accelerated.years = years;
    accelerated.rate = yearlyRate;
    accelerated.yearsLeft = yearsLeft;
    if (extra > 0) accelerated.extra = extra;
    return Run(WindowCalculator, AcceleratedTemplate(), AcceleratedRoutine);
}

int CommandAccelerated() { return AcceleratedPaymentDialog(); }

// ---- Trade-off Analysis -----------------------------------------------------------------
namespace dialogs {
namespace {

TradeOff trade;
constexpr const char* TradeOffFile = "tradeinf.dat";
constexpr const char* TradeOffGraphFile = "trade.tmp";

ui::DialogTemplate TradeOffTemplate() {
    ui::DialogTemplate t{"TRADE", "Trade-Off Analysis", {}, false, 1540};
    const char* const options[] = {"Option 1", "Option 2", "Option 3"};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) t.controls.push_back({0, K::Column, ""});
        t.controls.push_back({0, K::Group, options[i]});
        t.controls.push_back({FieldTradeName + i, K::Edit, "Option Name", 20});
        t.controls.push_back({0, K::Label, "Outgoing"});
        t.controls.push_back({FieldTradeFixedCost + i, K::Edit, "Fixed Cost", NumberRoom});
        t.controls.push_back({FieldTradeCostPerPeriod + i, K::Edit, "Cost per Period", NumberRoom});
        t.controls.push_back({0, K::Label, "Incoming"});
        t.controls.push_back({FieldTradeFixedAmount + i, K::Edit, "Fixed Amount", NumberRoom});
        t.controls.push_back({FieldTradeIncome + i, K::Edit, "Income per Period", NumberRoom});
        t.controls.push_back({FieldTradeEnd + i, K::ReadOnly, "End Amount"});
    }
    t.controls.push_back({0, K::Column, ""});
    t.controls.push_back({0, K::Group, "Differences"});
    t.controls.push_back({FieldTradeDifference, K::ReadOnly, "Options 1 and 2"});
    t.controls.push_back({FieldTradeDifference + 1, K::ReadOnly, "Options 2 and 3"});
    t.controls.push_back({FieldTradeDifference + 2, K::ReadOnly, "Options 1 and 3"});
    t.controls.push_back({0, K::Group, ""});
    t.controls.push_back({FieldTradePeriods, K::Spin, "No of Periods"});
    t.controls.push_back({FieldTradeUseTax, K::Check, "Use Initial Values Tax Rate"});
    t.controls.push_back({ui::IdOk, K::Button, "OK"});
    t.controls.push_back({FieldTradeGraph, K::Button, "Graph"});
    t.controls.push_back({FieldTradeCalculate, K::Button, "Calculate"});
    t.controls.push_back({ui::IdHelp, K::Button, "Help"});
    return t;
}

// The periods as the up-down control holds them.
int WholePeriods() { return trade.periods >= 0 && trade.periods <= 100000 ? static_cast<int>(trade.periods) : 0; }

void ShowTradeOff(ui::Dialog& d) {
    float end[3];
    TradeOffEndAmounts(trade, scenario.initialValues.taxRate, end);
    for (int i = 0; i < 3; ++i) d.SetText(FieldTradeEnd + i, Format("%-10.2f", end[i]));
    d.SetText(FieldTradeDifference, Format("%-10.2f", std::fabs(end[0] - end[1])));
    d.SetText(FieldTradeDifference + 1, Format("%-10.2f", std::fabs(end[1] - end[2])));
    d.SetText(FieldTradeDifference + 2, Format("%-10.2f", std::fabs(end[0] - end[2])));
}

int TakeTradeOff(ui::Dialog& d) {
    for (int i = 0; i < 3; ++i)
        if (!CheckNumbers(d, {FieldTradeFixedCost + i, FieldTradeCostPerPeriod + i, FieldTradeFixedAmount + i,
                              FieldTradeIncome + i}))
            return 0;
    if (!CheckNumbers(d, {FieldTradePeriods})) return 0;
    for (int i = 0; i < 3; ++i) {
        std::string name = FieldInput(d, FieldTradeName + i, 20);
        std::memset(trade.names[i], 0, sizeof trade.names[i]);
        std::memcpy(trade.names[i], name.data(), std::min(name.size(), sizeof trade.names[i] - 1));
        trade.fixedCost[i] = Number(d, FieldTradeFixedCost + i);
        trade.costPerPeriod[i] = Number(d, FieldTradeCostPerPeriod + i);
        trade.fixedAmount[i] = Number(d, FieldTradeFixedAmount + i);
        trade.incomePerPeriod[i] = Number(d, FieldTradeIncome + i);
    }
    trade.periods = Number(d, FieldTradePeriods);
    trade.useTax = d.Checked(FieldTradeUseTax) ? 1.0f : 0.0f;
    return 1;
}

void GraphTradeOff() {
    int written = WriteTradeOffGraph(TradeOffGraphFile, trade, scenario.initialValues.taxRate);
    if (written == -1) Refuse("The number of periods cannot exceed 100.", "FILE ERROR");
    if (written == -2) Refuse("Not enough periods.\nPlease try again.", "FILE ERROR");
    if (written == 0) Refuse("Cannot open trad.tmp for writing!", "FILE ERROR");
    if (written == 1) StartCompanion("kvtplot.exe trade.tmp");
}

void TradeOffRoutine(ui::Dialog& d, int message, int control) {
    if (message == ui::DialogOpen) {
        for (int i = 0; i < 3; ++i) {
            d.SetText(FieldTradeName + i, FieldText(trade.names[i]));
            d.SetText(FieldTradeFixedCost + i, Format("%-6.2f", trade.fixedCost[i]));
            d.SetText(FieldTradeCostPerPeriod + i, Format("%-6.2f", trade.costPerPeriod[i]));
            d.SetText(FieldTradeFixedAmount + i, Format("%-6.2f", trade.fixedAmount[i]));
            d.SetText(FieldTradeIncome + i, Format("%-6.2f", trade.incomePerPeriod[i]));
        }
        d.SetRange(FieldTradePeriods, 0, 100);
        d.SetText(FieldTradePeriods, Format("%3d", WholePeriods()));
        d.Select(FieldTradePeriods, WholePeriods());
        d.SetChecked(FieldTradeUseTax, trade.useTax == 1.0f);
        ShowTradeOff(d);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case FieldTradePeriods:
            trade.periods = static_cast<float>(d.Selected(FieldTradePeriods));
            d.SetText(FieldTradePeriods, Format("%3d", WholePeriods()));
            ShowTradeOff(d);
            return;
        case FieldTradeCalculate:
        case FieldTradeUseTax:
            if (TakeTradeOff(d)) ShowTradeOff(d);
            return;
        case FieldTradeGraph:
            if (!TakeTradeOff(d)) return;
            ShowTradeOff(d);
            GraphTradeOff();
            return;
        case ui::IdHelp: Help(HelpContext, 1540); return;
        case ui::IdOk:
        case ui::IdCancel:
            // Escape keeps what was typed too: nothing entered is lost.
            if (!TakeTradeOff(d)) return;
            if (!WriteTradeOffFile(TradeOffFile, trade))
                Refuse("Cannot write tradeinf.dat", "FILE ERROR");
            d.End(1);
            return;
        default: return;
    }
}

}  // namespace
}  // namespace dialogs

int TradeOffDialog() { return Run(WindowCalculator, TradeOffTemplate(), TradeOffRoutine); }
void ReadTradeOffSettings() { ReadTradeOffFile(TradeOffFile, trade); }
int CommandTradeOff() { return TradeOffDialog(); }

void ResetCalculators() {
    kept = {};
    mortgageTexts = {};
    mortgageFigures = {};
    accelerated = {};
    trade = {};
    ResetRefinance();
}
