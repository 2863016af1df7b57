// The event dialogs: checks in order with their messages, what OK stores,
// what Calculate and Cancel leave.
#include "dialogs_fixture.h"

namespace {

using EventDialogs = DialogsTest;

Dlg::Script WithdrawalFields(const std::string& start, const std::string& end, const std::string& amount) {
    return {Dlg::Type(FieldDescription, "Living"), Dlg::Type(FieldStartAge, start), Dlg::Type(FieldEndAge, end),
            Dlg::Type(FieldAmount, amount), Dlg::Type(FieldApplyRate, "2")};
}

TEST_F(EventDialogs, WithdrawalStoresWholeStartAgeAndTheAccount) {
    auto s = WithdrawalFields("45.7", "60.5", "100000000");
    s.push_back(Choose(FieldAccount, 2));  // Checking
    s.push_back(Click(FieldInflation));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(WithdrawalDialog(), 1);
    const Event e = scenario.events[0];
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(+e.eventType, EventWithdrawal);
    EXPECT_EQ(+e.startAge, 45.0f);
    EXPECT_EQ(+e.endAge, 60.5f);
    EXPECT_EQ(+e.amount, 100000000.0f);
    EXPECT_EQ(+e.applyRate, 2.0f);
    EXPECT_EQ(+e.accountId, IdOf("Checking"));
    EXPECT_EQ(+e.years, AccountAssignedMarker);
    EXPECT_EQ(+e.applyInflation, 1);
    EXPECT_EQ(+e.oneTimeOnly, 0);
    EXPECT_EQ(FieldText(scenario.events[0].description), "Living");
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.needsRecalc, 1);
    EXPECT_FALSE(shell.windowOpen[WindowWithdrawal]);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Withdrawal");
    EXPECT_EQ(r.items.at(FieldAccount), (std::vector<std::string>{"No Selection", "Bonds", "Checking", "House"}));
    EXPECT_EQ(r.shownSelected.at(FieldAccount), 0);  // a new withdrawal has no account
}

TEST_F(EventDialogs, WithdrawalAmountZeroIsRefusedWithEarlierFieldsStored) {
    auto s = WithdrawalFields("45.7", "60", "0");
    s.push_back(Ok());  // refused, then Cancel
    Script(s);
    EXPECT_EQ(WithdrawalDialog(), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(LastText(), MessageString(2));
    EXPECT_EQ(LastCaption(), "AMOUNT ERROR");
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.events[0].startAge, 45.0f);  // stored before the refusal
    EXPECT_EQ(state.modified, 0);
}

TEST_F(EventDialogs, WithdrawalOneTimeSkipsTheEndAgeCheck) {
    auto s = WithdrawalFields("50", "300.6", "10");
    s.insert(s.begin(), Click(FieldOneTime));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(WithdrawalDialog(), 1);
    EXPECT_EQ(+scenario.events[0].endAge, 300.0f);
    EXPECT_EQ(+scenario.events[0].accountId, -1);
    EXPECT_EQ(+scenario.events[0].years, 0);
    // Without one-time the same end age is refused.
    s = WithdrawalFields("50", "130", "10");
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(WithdrawalDialog(), 0);
    EXPECT_EQ(LastText(), MessageString(7));
    EXPECT_EQ(LastCaption(), "END AGE ERROR");
}

TEST_F(EventDialogs, AssetAllocationAccountCannotPay) {
    int slot = scenario.accountTable.accounts[0].optionsSlot;  // Bonds
    scenario.accountOptions.assetAllocation[slot] = 1;
    auto s = WithdrawalFields("50", "60", "10");
    s.push_back(Choose(FieldAccount, 1));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(WithdrawalDialog(), 0);
    EXPECT_EQ(LastText(), "You cannot select an account that is part of an Asset Allocation!");
    EXPECT_EQ(LastCaption(), "Account Warning");
    EXPECT_EQ(state.eventCount, 0);
}

TEST_F(EventDialogs, BudgetWithdrawalShowsItsBudgetAccountAndSetsIt) {
    Event& e = scenario.events[0];
    ResetEventSlot(0);
    e.eventType = EventWithdrawal;
    e.option = 1;
    e.budgetIndex = 2;  // Budget 2, the second record
    e.startAge = 50;
    e.endAge = 60;
    e.amount = 1200;
    state.eventCount = 1;
    scenario.budgets[1].accountId = IdOf("House");
    static int opened = 0;
    dialogHooks.budget = [](int number) { return opened = number, 0; };
    EXPECT_EQ(EditEvent(0), 0);  // the list opens the budget instead
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(dialogs.runs.empty());
    Script({Type(FieldAmount, "5"), Choose(FieldAccount, 1), Ok()});
    EXPECT_EQ(EditEventWith(0, WithdrawalDialog), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.shownSelected.at(FieldAccount), 3);
    EXPECT_FALSE(r.Enabled(FieldAmount));
    EXPECT_TRUE(r.Enabled(FieldAccount));
    EXPECT_EQ(+e.amount, 1200.0f);  // the disabled field took no typing
    EXPECT_EQ(+scenario.budgets[1].accountId, IdOf("Bonds"));
    EXPECT_EQ(+e.accountId, IdOf("Bonds"));
    EXPECT_EQ(state.eventCount, 1);
}

TEST_F(EventDialogs, DepositKeepsTheHeldAccountWhenNoneIsPicked) {
    Script({Type(FieldStartAge, "41"), Type(FieldEndAge, "50"), Type(FieldAmount, "500"), Type(FieldApplyRate, "0"),
            Click(FieldTaxDeposit), Ok()});
    EXPECT_EQ(DepositDialog(), 1);
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventDeposit);
    EXPECT_EQ(+e.accountId, 0);  // the held id of a new event: Checking, the first account made
    EXPECT_EQ(+e.secondary, 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.items.at(FieldAccount).size(), 3u);  // no "No Selection"
}

TEST_F(EventDialogs, DepositApplyRateIsChecked) {
    Script({Type(FieldStartAge, "41"), Type(FieldEndAge, "50"), Type(FieldAmount, "500"),
            Type(FieldApplyRate, "20.5"), Ok()});
    EXPECT_EQ(DepositDialog(), 0);
    EXPECT_EQ(LastText(), MessageString(8));
    EXPECT_EQ(LastCaption(), "APPLY RATE ERROR");
}

TEST_F(EventDialogs, TransferAllDisablesFieldsAndSkipsTheirChecks) {
    Script({Type(FieldStartAge, "55"), Type(FieldAmount, "0"), Click(FieldTransferAll), Choose(FieldFromAccount, 1),
            Choose(FieldAccount, 0), Ok()});
    EXPECT_EQ(TransferDialog(), 1);
    const auto& r = dialogs.Last();
    for (int id : {FieldApplyRate, FieldOneTime, FieldAmount, FieldEndAge, FieldInflation})
        EXPECT_FALSE(r.Enabled(id)) << id;
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventTransfer);
    EXPECT_EQ(+e.transferAll, 1);
    EXPECT_EQ(+e.secondary, IdOf("Checking"));
    EXPECT_EQ(+e.accountId, IdOf("Bonds"));
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(EventDialogs, FundamentalsInheritsRatesAndTakesTheRateOfAnAccountItOpened) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventFundamentals;
    scenario.events[0].amount = 30;
    scenario.events[0].rate2 = 4;
    state.eventCount = 1;
    // Choosing Checking opens Account Rate, where 7.5 is confirmed.
    Script({Type(FieldStartAge, "60.9"), Choose(FieldAccount, 2), Ok()});
    Script({Type(FieldRate, "7.5"), Ok()});
    EXPECT_EQ(FundamentalsDialog(), 1);
    const auto& f = dialogs.Find("Fundamentals");
    EXPECT_EQ(f.Shown(FieldTaxRate), "30.00  ");
    EXPECT_EQ(f.Shown(FieldInflationRate), "4.00   ");
    const Event e = scenario.events[1];
    EXPECT_EQ(+e.accountId, IdOf("Checking"));
    EXPECT_EQ(+e.loanRate, 7.5f);
    EXPECT_EQ(+e.startAge, 60.0f);
    EXPECT_EQ(+e.endAge, 60.0f);
    EXPECT_EQ(+e.amount, 30.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[1].rate, 7.5f);
    EXPECT_EQ(dialogs.Find("Account Rate").Shown(FieldAccountName), "Checking");
}

TEST_F(EventDialogs, FundamentalsWithoutEarlierOneUsesInitialValuesAndChecksRates) {
    Script({Type(FieldStartAge, "50"), Type(FieldInflationRate, "1000.5"), Ok()});
    EXPECT_EQ(FundamentalsDialog(), 0);
    const auto& f = dialogs.Last();
    EXPECT_EQ(f.Shown(FieldTaxRate), "25.00  ");
    EXPECT_EQ(LastText(), MessageString(4));
    EXPECT_EQ(LastCaption(), "INFLATION RATE ERROR");
    EXPECT_EQ(+scenario.events[0].accountId, -1);
}

TEST_F(EventDialogs, AccountRateRefusesOutOfRangeRates) {
    Script({Type(FieldRate, "-200.5"), Ok()});
    EXPECT_EQ(AccountRateDialog(0), 0);
    EXPECT_EQ(LastText(), "This amount must be greater than -200.00 and less than 200.00.");
    EXPECT_EQ(LastCaption(), "RATE ERROR");
    EXPECT_EQ(+scenario.accountTable.accounts[0].rate, 4.0f);
}

Dlg::Script LoanFields(const std::string& years) {
    return {Dlg::Type(FieldDescription, "Car"), Dlg::Type(FieldStartAge, "45"), Dlg::Type(FieldPayoffAge, "50"),
            Dlg::Type(FieldSellAge, "0"),       Dlg::Type(FieldAmount, "20000"), Dlg::Type(FieldDownPayment, "2000"),
            Dlg::Type(FieldRate, "6"),          Dlg::Type(FieldYears, years)};
}

TEST_F(EventDialogs, LoanCalculateShowsThePaymentAndOkStores) {
    auto s = LoanFields("5");
    s.push_back(Choose(FieldAccount, 1));  // Checking
    s.push_back(Click(FieldCalculate));
    Script(s);
    EXPECT_EQ(LoanDialog(), 0);
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(dialogs.Last().Text(FieldMonthlyPayment), "347.99     ");
    auto t = LoanFields("0");
    t.push_back(Choose(FieldPaymentAccount, 3));
    t.push_back(Ok());
    Script(t);
    EXPECT_EQ(LoanDialog(), 1);
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventLoan);
    EXPECT_EQ(+e.years, 0);
    EXPECT_EQ(+e.monthlyPayment, 0.0f);
    EXPECT_EQ(+e.rate2, 2000.0f);
    EXPECT_EQ(+e.accountId, IdOf("Checking"));  // the held id 0 of a new event
    EXPECT_EQ(+e.rate3, 1.0f);
    EXPECT_EQ(+e.paymentAccountId, IdOf("House"));
    EXPECT_EQ(+e.paymentAccountAssigned, AccountAssignedMarker);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(EventDialogs, LoanRateBelowOneIsRefused) {
    auto s = LoanFields("5");
    s.push_back(Type(FieldRate, "0.5"));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(LoanDialog(), 0);
    EXPECT_EQ(LastText(), MessageString(6));
    EXPECT_EQ(LastCaption(), "RATE ERROR");
    EXPECT_EQ(+scenario.events[0].endAge, 50.0f);
}

TEST_F(EventDialogs, CreditCardPayoffOfAThousandAtEighteenPercent) {
    CreditCardPayoff p = SimulateCreditCard(1000, 18, 100, 0);
    EXPECT_EQ(p.months, 10);
    EXPECT_NEAR(p.totalInterest, 88.92f, 0.005f);
    Script({Type(FieldDescription, "Visa"), Type(FieldAmount, "1000"), Type(FieldRate, "18"),
            Type(FieldStartAge, "40"), Type(FieldPayoffAge, "45"), Type(FieldMonthlyPayment, "100"),
            Type(FieldPurchases, "0"), Choose(FieldPaymentAccount, 2), Ok()});
    EXPECT_EQ(CreditCardDialog(), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Text(FieldMonths), " 10");
    EXPECT_EQ(r.Text(FieldYearsResult), "0.83 ");
    EXPECT_EQ(r.Text(FieldTotalInterest), "        88.92");
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventLoan);
    EXPECT_EQ(+e.applyInflation, CreditCardMarker);
    EXPECT_EQ(+e.applyRate, 10.0f);
    EXPECT_EQ(+e.accountId, IdOf("Checking"));
    EXPECT_EQ(+e.years, AccountAssignedMarker);
}

TEST_F(EventDialogs, CreditCardStartBeforeInitialStartAgeIsRefused) {
    Script({Type(FieldAmount, "1000"), Type(FieldRate, "18"), Type(FieldStartAge, "39.5"),
            Type(FieldPayoffAge, "45"), Ok()});
    EXPECT_EQ(CreditCardDialog(), 0);
    EXPECT_EQ(LastText(), "The Start Age must be equal or greater than the Initial Values Start Age!");
    EXPECT_EQ(LastCaption(), "START AGE ERROR");
}

TEST_F(EventDialogs, CreditCardCalculatorStoresNothing) {
    Script({Type(FieldAmount, "1000"), Type(FieldRate, "18"), Type(FieldMonthlyPayment, "100"), Ok()});
    EXPECT_EQ(CreditCardCalculatorDialog(), 1);
    EXPECT_EQ(dialogs.Last().Text(FieldMonths), " 10");
    EXPECT_FALSE(dialogs.Last().Enabled(FieldStartAge));
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.events[0].eventType, EventFreeSlot);
    EXPECT_TRUE(screen.messages.empty());
}

Dlg::Script MortgageFields(const std::string& years) {
    return {Dlg::Type(FieldDescription, "Home"), Dlg::Type(FieldStartAge, "40"), Dlg::Type(FieldPayoffAge, "70"),
            Dlg::Type(FieldAmount, "200000"),    Dlg::Type(FieldAppreciation, "3"), Dlg::Type(FieldSellAge, "0"),
            Dlg::Type(FieldSalePercent, "94"),   Dlg::Type(FieldDownPayment, "40000"), Dlg::Type(FieldRate, "6"),
            Dlg::Type(FieldYears, years),        Dlg::Type(FieldClosingCosts, "3000"), Dlg::Type(FieldTaxes, "2500")};
}

// "400,000" in a Mortgage Amount became a $400 house; "25k" became $25.
TEST_F(EventDialogs, TypedMoneyReachesTheEventAndTextAfterANumberIsRefused) {
    auto s = MortgageFields("30");
    s.push_back(Type(FieldAmount, "$400,000"));
    s.push_back(Type(FieldDownPayment, " 80,000.00 "));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(MortgageDialog(), 1);
    EXPECT_EQ(+scenario.events[0].amount, 400000.0f);
    EXPECT_EQ(+scenario.events[0].rate2, 80000.0f);
    EXPECT_TRUE(screen.messages.empty());

    auto w = WithdrawalFields("50", "60", "25k");
    w.push_back(Ok());
    Script(w);
    EXPECT_EQ(WithdrawalDialog(), 0);
    EXPECT_EQ(LastText(), MessageString(2));
    EXPECT_EQ(LastCaption(), "AMOUNT ERROR");
    EXPECT_EQ(state.eventCount, 1);

    // Fields read without a range check refuse such text too.
    Script({Type(FieldAmount, "1,000"), Type(FieldRate, "18"), Type(FieldMonthlyPayment, "1OO"), Ok()});
    EXPECT_EQ(CreditCardCalculatorDialog(), 0);
    EXPECT_EQ(LastCaption(), "NUMBER ERROR");
    Script({Type(FieldAmount, "1,000"), Type(FieldRate, "18"), Type(FieldMonthlyPayment, "$100"), Ok()});
    EXPECT_EQ(CreditCardCalculatorDialog(), 1);
    EXPECT_EQ(dialogs.Last().Text(FieldMonths), " 10");
}

// 1200 months and interest in the billions were shown without a word.
TEST_F(EventDialogs, ACardPaymentBelowTheMonthlyInterestIsSaidPlainly) {
    CreditCardPayoff p = SimulateCreditCard(10000, 24, 100, 0);  // 197.26 interest in the first month
    EXPECT_FALSE(p.paidOff);
    EXPECT_TRUE(p.growing);
    EXPECT_EQ(p.months, 1200);
    EXPECT_TRUE(SimulateCreditCard(1000, 18, 100, 0).paidOff);
    EXPECT_TRUE(SimulateCreditCard(1000, 0, 50, 60).growing);  // purchases above the payment

    Script({Type(FieldAmount, "10000"), Type(FieldRate, "24"), Type(FieldMonthlyPayment, "100"),
            Click(FieldCalculate)});
    CreditCardCalculatorDialog();
    EXPECT_EQ(dialogs.Last().Text(FieldMonths), "1200");  // the figures themselves stay
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text,
              "The monthly payment does not cover the monthly interest and purchases.\n"
              "The balance is never paid off: the results show 100 years of payments.");
    EXPECT_EQ(screen.messages[0].caption, "PAYMENT WARNING");

    screen.Clear();
    Script({Type(FieldDescription, "Visa"), Type(FieldAmount, "10000"), Type(FieldRate, "24"),
            Type(FieldStartAge, "40"), Type(FieldPayoffAge, "45"), Type(FieldMonthlyPayment, "100"),
            Type(FieldPurchases, "0"), Ok()});
    EXPECT_EQ(CreditCardDialog(), 1);  // stored all the same, as the projection expects
    EXPECT_EQ(LastCaption(), "PAYMENT WARNING");
    EXPECT_EQ(+scenario.events[0].applyRate, 1200.0f);
}

TEST_F(EventDialogs, MortgageWithNoYearsIsRefused) {
    auto s = MortgageFields("0");
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(MortgageDialog(), 0);
    EXPECT_EQ(LastText(), "The number of years must be between 1 and 100.");
    EXPECT_EQ(LastCaption(), "NO OF YEARS ERROR");
    EXPECT_EQ(+scenario.events[0].rate2, 40000.0f);  // the down payment before it was stored
}

TEST_F(EventDialogs, MortgageStoresEveryFieldAndTheAcceleratedAmountRule) {
    auto s = MortgageFields("30");
    s.push_back(Type(FieldAccelerated, "100000"));
    s.push_back(Ok());
    s.push_back(Type(FieldAccelerated, "250"));
    s.push_back(Click(FieldAccelerateFromStart));
    s.push_back(Click(FieldTaxInflation));
    s.push_back(Click(FieldNoDownPayment));
    s.push_back(Choose(FieldPaymentAccount, 2));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(MortgageDialog(), 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "This amount must be greater than or equal to  0.00 and less than 99999.99");
    EXPECT_EQ(screen.messages[0].caption, "Additional Monthly Amount Error");
    const Event e = scenario.events[0];
    EXPECT_EQ(+e.eventType, EventMortgage);
    EXPECT_EQ(+e.years, 30);
    EXPECT_EQ(+e.rate3, 3.0f);
    EXPECT_EQ(+e.salePercent, 94.0f);
    EXPECT_EQ(+e.closingCosts, 3000.0f);
    EXPECT_EQ(+e.taxes, 2500.0f);
    EXPECT_EQ(+e.acceleratedAmount, 250.0f);
    EXPECT_EQ(+e.option, 2);
    EXPECT_EQ(+e.applyInflation, 1);
    EXPECT_EQ(+e.accountId, 1);
    EXPECT_EQ(+e.paymentAccountId, IdOf("Checking"));
    EXPECT_EQ(+e.paymentAccountAssigned, AccountAssignedMarker);
    EXPECT_EQ(dialogs.Last().Text(FieldMonthlyPayment), "$959.28");
    // A new mortgage offers no analysis.
    EXPECT_FALSE(dialogs.Last().Enabled(FieldRefinance));
    EXPECT_FALSE(dialogs.Last().Enabled(FieldAcceleratedAnalysis));
}

TEST_F(EventDialogs, MortgageAnalysisButtonsNeedAnExistingMortgage) {
    dialogHooks.refinance = [](int) { return 0; };
    Script({});
    MortgageDialog();
    EXPECT_FALSE(dialogs.Last().Enabled(FieldRefinance));
    ResetEventSlot(0);
    scenario.events[0].eventType = EventMortgage;
    state.eventCount = 1;
    Script({});
    EditEvent(0);
    EXPECT_TRUE(dialogs.Last().Enabled(FieldRefinance));
    EXPECT_TRUE(dialogs.Last().Enabled(FieldAcceleratedAnalysis));
}

TEST_F(EventDialogs, RefinanceClosesTheMortgageAndItsFiguresFillItNextTime) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventMortgage;
    scenario.events[0].years = 30;
    state.eventCount = 1;
    dialogHooks.refinance = [](int) {
        HandMortgageBack(15, 180000, 20000, 5.5f, 1307.34f);
        return 1;
    };
    Script({Type(FieldYears, "20"), Click(FieldRefinance), Ok()});
    EXPECT_EQ(EditEvent(0), 0);  // closed without storing
    EXPECT_EQ(+scenario.events[0].years, 30);
    Script({});
    EditEvent(0);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Shown(FieldYears), "15");
    EXPECT_EQ(r.Shown(FieldAmount), "180000.00  ");
    EXPECT_EQ(r.Shown(FieldRate), "5.50  ");
    EXPECT_EQ(r.Shown(FieldMonthlyPayment), "$1,307.34");
    Script({});
    EditEvent(0);
    EXPECT_EQ(dialogs.Last().Shown(FieldYears), "30");  // handed back once; the cancelled dialog stored nothing
}

TEST_F(EventDialogs, TheHundredFiftyFirstEventIsRefusedBeforeItsDialog) {
    for (int i = 0; i < MaxEvents; ++i) {
        ResetEventSlot(i);
        scenario.events[i].eventType = EventDeposit;
    }
    state.eventCount = MaxEvents;
    shell.scenarioCommands = 1;
    EXPECT_EQ(DispatchCommand(CmdWithdrawal), 0);
    EXPECT_TRUE(dialogs.runs.empty());
    EXPECT_EQ(LastCaption(), "Event Warning");
    EXPECT_EQ(LastText(), "The scenario already holds 150 events.\nPlease delete an event before adding another.");
    EXPECT_EQ(WithdrawalDialog(), 0);  // and the dialog itself never builds past the last slot
    EXPECT_TRUE(dialogs.runs.empty());
}

TEST_F(EventDialogs, DepositAndTransferKeepTheStartAgeAsTyped) {
    Script({Type(FieldStartAge, "45.7"), Click(FieldOneTime), Type(FieldEndAge, "45.7"), Type(FieldAmount, "500"),
            Type(FieldApplyRate, "0"), Ok()});
    EXPECT_EQ(DepositDialog(), 1);
    EXPECT_EQ(+scenario.events[0].startAge, 45.7f);
    EXPECT_EQ(+scenario.events[0].endAge, 45.0f);  // an unchecked end age is truncated as for a withdrawal
    Script({Type(FieldStartAge, "45.7"), Type(FieldEndAge, "60.5"), Type(FieldAmount, "10"),
            Type(FieldApplyRate, "0"), Ok()});
    EXPECT_EQ(TransferDialog(), 1);
    EXPECT_EQ(+scenario.events[1].startAge, 45.7f);
    EXPECT_EQ(+scenario.events[1].endAge, 60.5f);
    Script({Type(FieldStartAge, "50.5"), Type(FieldEndAge, "61.5"), Click(FieldTransferAll), Ok()});
    EXPECT_EQ(TransferDialog(), 1);
    EXPECT_EQ(+scenario.events[2].startAge, 50.5f);
    EXPECT_EQ(+scenario.events[2].endAge, 61.5f);  // transfer-all reads the end age unchecked, as typed
}

// An existing event whose dialog ends without OK is as it was, whatever
// Calculate or a refused OK stored meanwhile.
TEST_F(EventDialogs, CancelPutsBackAnExistingEventAfterCalculateOrARefusedOk) {
    ResetEventSlot(0);
    Event& loan = scenario.events[0];
    loan.eventType = EventLoan;
    loan.startAge = 45;
    loan.endAge = 50;
    loan.amount = 20000;
    loan.loanRate = 6;
    loan.years = 5;
    loan.monthlyPayment = 386.66f;
    ResetEventSlot(1);
    Event& deposit = scenario.events[1];
    deposit.eventType = EventDeposit;
    deposit.startAge = 41;
    deposit.endAge = 50;
    deposit.amount = 500;
    state.eventCount = 2;
    auto s = LoanFields("10");
    s.push_back(Type(FieldAmount, "90000"));
    s.push_back(Click(FieldCalculate));
    Script(s);
    EXPECT_EQ(EditEvent(0), 0);
    EXPECT_NE(dialogs.Last().Text(FieldMonthlyPayment), "386.66     ");  // Calculate did run
    const Event l = scenario.events[0];
    EXPECT_EQ(+l.amount, 20000.0f);
    EXPECT_EQ(+l.years, 5);
    EXPECT_EQ(+l.monthlyPayment, 386.66f);
    EXPECT_EQ(FieldText(scenario.events[0].description), "");
    Script({Type(FieldStartAge, "60"), Type(FieldEndAge, "70"), Type(FieldAmount, "0"), Ok()});
    EXPECT_EQ(EditEvent(1), 0);
    EXPECT_EQ(LastCaption(), "AMOUNT ERROR");
    const Event d = scenario.events[1];
    EXPECT_EQ(+d.startAge, 41.0f);
    EXPECT_EQ(+d.endAge, 50.0f);
    EXPECT_EQ(state.eventCount, 2);
    EXPECT_EQ(state.modified, 0);
    // OK still stores.
    Script({Type(FieldAmount, "750"), Ok()});
    EXPECT_EQ(EditEvent(1), 1);
    EXPECT_EQ(+scenario.events[1].amount, 750.0f);
}

TEST_F(EventDialogs, CancelledNewEventLeavesItsSlotFree) {
    auto s = LoanFields("5");
    s.push_back(Click(FieldCalculate));
    Script(s);
    EXPECT_EQ(LoanDialog(), 0);
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.events[0].eventType, EventFreeSlot);
    EXPECT_EQ(state.modified, 0);
}

}  // namespace
