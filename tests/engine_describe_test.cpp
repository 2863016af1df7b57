// The Scenario description (Event list text) and the processing order.
#include "engine_fixture.h"

namespace {

TEST_F(EngineTest, DescriptionNamesEveryEventWithItsDetails) {
    scenario.initialValues.endAge = 85;
    scenario.initialValues.inflationRate = 4;
    AddAccount("Savings", AccountInvestmentSavings, 1000, 0);  // id 0
    AddAccount("IRA", AccountRetirementSavings, 1000, 0);      // id 1
    AddAccount("Car", AccountAsset, 0, 0);                     // id 2

    Event& deposit = AddEvent(EventDeposit, 66, 70, "Pay");
    deposit.amount = 1000;
    deposit.accountId = 0;
    deposit.secondary = 1;
    deposit.applyRate = 3;
    deposit.applyInflation = 1;
    Event& trip = AddEvent(EventWithdrawal, 67, 67, "Trip");
    trip.amount = 5000;
    trip.oneTimeOnly = 1;
    trip.accountId = 1;
    trip.years = AccountAssignedMarker;
    Event& move = AddEvent(EventTransfer, 68, 75, "Move");
    move.amount = 200;
    move.secondary = 1;
    move.accountId = 0;
    Event& loan = AddEvent(EventLoan, 65, 70, "Car loan");
    loan.amount = 20000;
    loan.rate2 = 2000;
    loan.loanRate = 6;
    loan.years = 5;
    loan.monthlyPayment = 347.99f;
    loan.accountId = 2;
    loan.applyRate = 72;
    loan.paymentAccountAssigned = AccountAssignedMarker;
    loan.paymentAccountId = 0;
    Event& house = AddEvent(EventMortgage, 65, 95, "House");
    house.amount = 300000;
    house.rate2 = 60000;
    house.accountId = 1;
    house.loanRate = 5;
    house.years = 30;
    house.monthlyPayment = 1288.37f;
    house.rate3 = 3;
    house.taxes = 4000;
    house.option = 1;
    house.acceleratedAmount = 100;
    Event& card = AddEvent(EventLoan, 65, 67, "Card");
    card.applyInflation = CreditCardMarker;
    card.amount = 2000;
    card.monthlyPayment = 600;
    card.loanRate = 18;
    card.rate3 = 3;
    Event& budget = AddEvent(EventWithdrawal, 66, 80, "Living");
    budget.amount = 12000;
    budget.option = 1;
    budget.budgetIndex = 1;
    Event& rmd = AddEvent(EventRmdOption, 70, 120, "IRA 1 -- RMD withdrawal option in effect using Table 1.");
    rmd.secondary = 1;
    scenario.accountOptions.rmdTargetAccount = 0;
    scenario.accountTable.rmdOption = 7;  // unknown: written and kept as account order

    std::vector<std::string> expected = {
        " 65.0 Initial Rates  Tax=20.00% Inflation=4.00%",
        " 66.0 Pay - Deposit $1,000.00/yr. before taxes to Savings until age 70.00.",
        "        This deposit will be adjusted each year by 3.00%",
        "        This deposit will be adjusted each year by the current inflation rate.",
        " 67.0 Trip - Withdraw $5,000.00.",
        "        The funds will be withdrawn from the IRA account.",
        " 68.0 Move - Transfer $200.00/yr. from IRA to Savings until age 75.00.",
        " 65.0 Car loan - $20,000.00 $2,000.00 down at 6.00% for  5 yrs. $347.99/Month.",
        "        Loan amount deposited to Car",
        "        The payments will be withdrawn from the Savings account.",
        "        Paying loan off at age 70.00.",
        "        Selling asset at age 72.00.",
        " 65.0 House - $240,000.00 at 5.00% for 30 yrs. $1,288.37/Month.",
        "        $60,000.00 to equity -- no withdrawal.",
        "        An Additional $100.00/Month is applied to the principal.",
        "        Appreciation rate = 3.00%.",
        "        Property Taxes = 4000.00    ",
        " 65.0 Card - Paying off $2,000.00 credit card debt with $600.00/month.",
        "        Paying off Card at age 67.00.",
        " 66.0 Budget - Living - Withdraw $12,000.00/yr. until age 80.00.",
        " 70.0 IRA 1 -- RMD withdrawal option in effect using Table 1.",
        "        The funds will be transferred from the selected accounts in account order.",
        "        The funds will be transferred each year to the Savings account. ",
    };
    BuildEventList();
    std::vector<std::string> list;
    for (int i = 0; i < eventList.count; ++i) list.push_back(LineAt(eventList, i));
    EXPECT_EQ(list, expected);
    const int firstRows[] = {1, 4, 6, 7, 12, 17, 19, 20};
    for (int i = 0; i < state.eventCount; ++i) EXPECT_EQ(+scenario.events[i].listRow, firstRows[i]) << i;
    EXPECT_EQ(+scenario.accountTable.rmdOption, 3);

    // A results file starts with the same text.
    std::FILE* f = std::fopen("described.txt", "w");
    WriteScenarioDescription(f);
    std::fclose(f);
    EXPECT_EQ(Lines("described.txt"), expected);
}

TEST_F(EngineTest, FundamentalsDescriptionShowsOnlyWhatChanges) {
    scenario.initialValues.inflationRate = 3;
    AddEvent(EventFundamentals, 66, 66, "Same").amount = 20;
    scenario.events[0].rate2 = 3;
    Event& e = AddEvent(EventFundamentals, 67, 67, "Lower");
    e.amount = 15;
    e.rate2 = 3;
    BuildEventList();
    EXPECT_STREQ(LineAt(eventList, 1), " 66.0 Same - Rate Change:   ");
    EXPECT_STREQ(LineAt(eventList, 2), " 67.0 Lower - Rate Change:  Tax=15.00%  ");
}

TEST_F(EngineTest, EventsSortByStartAgeThenDescriptionThenType) {
    AddEvent(EventWithdrawal, 70, 70, "b");
    AddEvent(EventDeposit, 65, 65, "z");
    AddEvent(EventDeposit, 70, 70, "c");
    AddEvent(EventFundamentals, 70, 70, "b");
    AddEvent(EventDeposit, 100, 100, "a");
    SortEvents();
    std::vector<std::pair<std::string, int>> order;
    for (int i = 0; i < state.eventCount; ++i)
        order.emplace_back(FieldText(scenario.events[i].description), scenario.events[i].eventType);
    std::vector<std::pair<std::string, int>> expected = {
        {"z", EventDeposit}, {"b", EventFundamentals}, {"b", EventWithdrawal}, {"c", EventDeposit}, {"a", EventDeposit}};
    EXPECT_EQ(order, expected);
}

}  // namespace
