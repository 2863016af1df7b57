// The Scenario's editing dialogs: their control ids, the routines that open
// them, and the event-list and account-list operations. Every rule lives
// here, against ui::Dialog; the desktop program only shows the templates.
#pragma once

#include <string>

#include "ui/dialog.h"

// Control ids shared by the dialogs (each dialog uses the ones it shows).
enum : int {
    FieldDescription = 100,
    FieldStartAge,
    FieldEndAge,
    FieldAmount,
    FieldApplyRate,
    FieldAccount,         // the withdrawal / deposit-to / to-account / selected-account combo
    FieldOneTime,
    FieldInflation,
    FieldTaxDeposit,
    FieldFromAccount,
    FieldTransferAll,
    FieldTaxRate,
    FieldInflationRate,
    FieldRateButton,      // "Press to change selected account's rate"
    FieldPayoffAge,
    FieldSellAge,
    FieldDownPayment,
    FieldRate,
    FieldYears,
    FieldMonthlyPayment,
    FieldPaymentAccount,
    FieldCalculate,
    FieldSchedule,
    FieldPurchases,
    FieldMonths,
    FieldYearsResult,
    FieldTotalInterest,
    FieldAppreciation,
    FieldSalePercent,
    FieldClosingCosts,
    FieldTaxes,
    FieldNoDownPayment,
    FieldTaxInflation,
    FieldAccelerated,
    FieldAccelerateFromMortgage,
    FieldAccelerateFromStart,
    FieldRefinance,
    FieldAcceleratedAnalysis,
    FieldAccountName,
    FieldEffectiveRate,   // "Calculate Effective Yearly Rate"
    // Initial Values
    FieldBirthMonth,
    FieldBirthDay,
    FieldUseBirthday,
    FieldTotalInvestment,
    FieldTotalTaxFree,
    FieldTotalRetirement,
    FieldTotalEquity,
    FieldTotalAssets,
    FieldRateInvestment,
    FieldRateTaxFree,
    FieldRateRetirement,
    FieldRateEquity,
    FieldRateAssets,
    FieldTotalAll,
    // Add Event buttons
    FieldAddWithdrawal,
    FieldAddDeposit,
    FieldAddLoan,
    FieldAddCreditCard,
    FieldAddMortgage,
    FieldAddTransfer,
    FieldAddFundamentals,
    // Account Information
    FieldAccountType,
    FieldGroup,
    FieldInitialAmount,
    FieldRandomMin,
    FieldRandomMax,
    FieldAccessOrder,
    FieldPenaltyApplies,
    FieldPenaltyRate,
    FieldPenaltyAge,
    FieldStdDeviation,
    FieldAssetAllocation,
    FieldRmdTable1,
    FieldRmdTable2,
    FieldRmdTable3,
    // Preferences
    FieldColorBanding,
    FieldHideMaker,
    FieldDefaultFonts,
    FieldScenarioFonts,
    FieldValueFonts,
    // Groups: row r (0..9) uses FieldGroupName + 3r, + 1 minimum, + 2 maximum
    FieldGroupName = 300,
};

// Controls of the option dialogs.
enum : int { FieldProportional = 200, FieldEqual, FieldAllocationAge, FieldAllocationAmount };
enum : int {
    FieldRmdProportional = 220,
    FieldRmdEqual,
    FieldRmdOrder,
    FieldRmdPenalty,
    FieldRmdTarget,
    FieldEditTable1,
    FieldEditTable2,
    FieldEditTable3,
};
enum : int { FieldTableName = 240, FieldTableStart, FieldTableTitle, FieldTableValue = 250 };
enum : int {
    FieldTrials = 400,
    FieldMinInflation,
    FieldMaxInflation,
    FieldGoal,
    FieldSourceAccounts,
    FieldSourceGroups,
    FieldKindUniform,
    FieldKindRange,
    FieldKindDeviation,
    FieldFactor,
    FieldFactorValue,
    FieldShowLegend,
    FieldShowBands,
    FieldShowTrials,
};
enum : int {
    FieldTitle1On = 420,
    FieldTitle1,
    FieldTitle2On,
    FieldTitle2,
    FieldTitle3On,
    FieldTitle3,
    FieldReportBanding,
    FieldReportBoxing,
    FieldReportColumns,
    FieldReportFonts,
};
enum : int { FieldScheduleList = 440, FieldSchedulePrint };
// The small calculators of Tools/Aids.
enum : int {
    FieldInflStartAge = 500,
    FieldInflEndAge,
    FieldInflAmount,
    FieldInflRate,
    FieldInflResult,
    FieldInflCalculate,
};
enum : int {
    FieldInvAmount = 520,
    FieldInvYears,
    FieldInvRate,
    FieldInvTax,
    FieldInvInflation,
    FieldInvYearsShown,
    FieldInvTaxShown,
    FieldInvWorth,
    FieldInvInflationShown,
    FieldInvToday,
    FieldInvAverage,
    FieldInvCalculate,
    FieldInvEffective,
};
enum : int {
    FieldNominal = 540,
    FieldDaily,
    FieldMonthly,
    FieldQuarterly,
    FieldSemiannually,
    FieldOther,
    FieldOtherPeriods,
    FieldEffectiveResult,
    FieldUseRate,
    FieldEffCalculate,
};
enum : int {
    FieldMcAmount = 560,
    FieldMcDownPayment,
    FieldMcRate,
    FieldMcYears,
    FieldMcPayment,
    FieldMcCalculate,
    FieldMcUse,
};
enum : int {
    FieldAccAmount = 580,
    FieldAccYears,
    FieldAccYearsLeft,
    FieldAccRate,
    FieldAccExtra,
    FieldAccPayment,
    FieldAccTotal,
    FieldAccInterest,
    FieldAccYearsShown,
    FieldAccNewPayment,
    FieldAccNewTotal,
    FieldAccNewInterest,
    FieldAccSavings,
    FieldAccExtraShown,
    FieldAccInvestRate,
    FieldAccTaxRate,
    FieldAccInflation,
    FieldAccWorth,
    FieldAccWorthYears,
    FieldAccCalculate,
};
// Trade-off: option i (0..2) uses the field + i.
enum : int {
    FieldTradeName = 600,
    FieldTradeFixedCost = 610,
    FieldTradeCostPerPeriod = 620,
    FieldTradeFixedAmount = 630,
    FieldTradeIncome = 640,
    FieldTradeEnd = 650,
    FieldTradeDifference = 660,  // 1 and 2, 2 and 3, 1 and 3
    FieldTradePeriods = 670,
    FieldTradeUseTax,
    FieldTradeGraph,
    FieldTradeCalculate,
};

// The Budget dialog.
enum : int {
    FieldBudgetName = 700,
    FieldBudgetStartAge,
    FieldBudgetEndAge,
    FieldBudgetAccount,
    FieldBudgetList,
    FieldBudgetItemName,
    FieldBudgetItemAmount,
    FieldBudgetMonthly,
    FieldBudgetTrack,
    FieldBudgetItemRate,
    FieldBudgetInflation,
    FieldBudgetEnter,
    FieldBudgetClear,
    FieldBudgetDelete,
    FieldBudgetActive,
    FieldBudgetTotal,
    FieldBudgetCopyAll,
    FieldBudgetPasteAll,
    FieldBudgetClearAll,
    FieldBudgetPrint,
    FieldBudgetPrintReport,
};

int RefinanceDialogFor(int eventIndex);
// Budget `number` (1..5); 1 when closed with its changes stored.
int BudgetDialog(int number);

// Calculators the mortgage and rate dialogs hand over to; null until the
// module doing them installs a routine, and their buttons stay disabled.
struct DialogHooks {
    int (*refinance)(int eventIndex) = RefinanceDialogFor;
    int (*budget)(int budgetNumber) = BudgetDialog;
    int (*fontChooser)(int fontRecord) = nullptr;  // 1 report font, 2 and 3 folder fonts
    int (*printSchedule)() = nullptr;              // prints "psched.tmp"
    int (*printRefinance)() = nullptr;             // prints "refprt.tmp"
    // Prints page files "rpage1".."rpage<pages>" as print kind `kind` under `title`.
    int (*printPages)(int pages, int kind, const std::string& title) = nullptr;
};
extern DialogHooks dialogHooks;

// ---- Dialogs (1 = OK, 0 = Cancel or not opened) ------------------------------
// The event dialogs build a new event in the first free slot; EditEvent opens
// an existing one in place.
int InitialValuesDialog();
int WithdrawalDialog();
int DepositDialog();
int TransferDialog();
int FundamentalsDialog();
int AccountRateDialog(int position);
int LoanDialog();
int CreditCardDialog();            // the event (command 466)
int CreditCardCalculatorDialog();  // the calculator (command 467): nothing stored
int MortgageDialog();
// A refinance analysis hands its figures back: the Mortgage dialog shows them
// the next time it opens.
void HandMortgageBack(int years, float amount, float downPayment, float rate, float payment);
int AddEventDialog();              // modeless
int AccountInformationDialog(int position);  // position == accountCount: a new account
int GroupsDialog();
int PreferencesDialog();
int AssetAllocationDialog();
int RmdOptionsDialog();
int RmdTableDialog(int table);  // 1..3
int MonteCarloSettingsDialog();
int ReportOptionsDialog();
// The calculators of Tools/Aids; each keeps its values for the whole run.
int InflationCalculatorDialog();
int TaxInflationDialog();
// The effective-rate calculator; "Use This Effective Yearly Rate" writes the
// rate into field `field` of `asker` (nullptr: opened alone, button disabled).
int EffectiveRateDialog(ui::Dialog* asker, int field);
// The Mortgage Calculator; "Use this mortgage in plan" opens the Mortgage
// dialog on its figures.
int MortgageCalculatorDialog();
// The calculator's texts as typed, shown by the next Mortgage dialog; that
// dialog rewrites `payment` as money text when it takes them.
void HandMortgageTexts(const std::string& years, const std::string& amount, const std::string& downPayment,
                       const std::string& rate, std::string* payment);
// The accelerated-payment analysis, alone or on the figures of a mortgage
// (the extra amount only when above 0).
int AcceleratedPaymentDialog();
int AcceleratedPaymentDialogFor(float principal, int years, float yearlyRate, int yearsLeft, float extra);
// The trade-off analysis of three options; its figures live in
// "tradeinf.dat", read at start-up.
int TradeOffDialog();
void ReadTradeOffSettings();
// Back to the values of a fresh start (tests).
void ResetCalculators();
// The schedule of the mortgage in slot `eventIndex`, also written to "psched.tmp".
int MortgageScheduleWindow(int eventIndex);

// The credit-card payoff: months, years and total interest of a balance paid
// down at `payment` a month with `purchases` added, at `rate` percent a year.
struct CreditCardPayoff {
    int months;
    float years, totalInterest;
    // False when 100 years of payments leave a balance; `growing` when
    // the first month's payment does not even cover its interest and
    // purchases, so the balance never falls.
    bool paidOff = true, growing = false;
};
CreditCardPayoff SimulateCreditCard(float balance, float rate, float payment, float purchases);

// ---- Event list --------------------------------------------------------------------
// The event shown on list row `row` (row 0 is Initial Values: -1; none: -1).
int EventAtRow(int row);
int EditEvent(int index);
// Opens event `index` in place in `dialog` (a budget opens its withdrawal so).
int EditEventWith(int index, int (*dialog)());
int EventListEdit(int row);
int EventListCopy(int row);
int EventListDelete(int row);
int EventListAdd();

// ---- Account list ------------------------------------------------------------------
int AccountListAdd();
int AccountListEdit(int position);
int AccountListImport();  // the Import command
int AccountListDelete(int position);
void AccountListSortByWithdrawalOrder(bool on);

// ---- Commands (the command table's routines) --------------------------------------
int CommandInitialValues();
int CommandWithdrawal();
int CommandDeposit();
int CommandLoan();
int CommandCreditCardDebt();
int CommandCreditCardPayoff();
int CommandMortgage();
int CommandTransfer();
int CommandFundamentals();
int CommandAddEvent();
int CommandPreferences();
int CommandGroupNames();
int CommandAddAccount();
int CommandAssetAllocation();
int CommandRequiredMinimum();
int CommandAdjustMonteCarlo();
int CommandReportOptions();
int CommandInflationCalculator();
int CommandTaxInflation();
int CommandEffectiveRate();
int CommandMortgageCalculator();
int CommandAccelerated();
int CommandTradeOff();
// Budget N (1..5) from the Budgets menu, then the projection runs.
int CommandBudgetNumber(int number);
template <int N>
int CommandBudget() {
    return CommandBudgetNumber(N);
}
