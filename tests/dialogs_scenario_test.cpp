// Initial Values, Add Event and the event list.
#include "dialogs_fixture.h"

namespace {

using ScenarioDialogs = DialogsTest;

Dlg::Script Ages(const std::string& start, const std::string& end, const std::string& inflation) {
    return {Dlg::Type(FieldBirthMonth, "3"), Dlg::Type(FieldBirthDay, "15"), Dlg::Type(FieldStartAge, start),
            Dlg::Type(FieldEndAge, end), Dlg::Type(FieldInflationRate, inflation), Dlg::Type(FieldTaxRate, "20")};
}

TEST_F(ScenarioDialogs, InitialValuesShowsTotalsAndStoresOnOk) {
    auto s = Ages("45.5", "95", "50");
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(InitialValuesDialog(), 1);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Shown(FieldStartAge), "40.000");
    EXPECT_EQ(r.Shown(FieldTotalInvestment), "$5,000.00");
    EXPECT_EQ(r.Shown(FieldTotalAll), "$325,000.00");
    const InitialValues iv = scenario.initialValues;
    EXPECT_EQ(+iv.startAge, 45.5f);
    EXPECT_EQ(+iv.endAge, 95.0f);
    EXPECT_EQ(+iv.inflationRate, 50.0f);
    EXPECT_EQ(+iv.taxRate, 20.0f);
    EXPECT_EQ(+iv.birthMonth, 3);
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.needsRecalc, 1);
}

TEST_F(ScenarioDialogs, InitialValuesRefusalsInOrderStoreNothing) {
    scenario.initialValues.useBirthday = 1;  // the birth date is checked only then
    auto s = Ages("40", "95", "50.01");
    s.push_back(Ok());
    s.push_back(Type(FieldInflationRate, "3"));
    s.push_back(Type(FieldEndAge, "130"));
    s.push_back(Ok());
    s.push_back(Type(FieldStartAge, "20"));
    s.push_back(Type(FieldEndAge, "120"));
    s.push_back(Ok());
    s.push_back(Type(FieldBirthMonth, "13"));
    s.push_back(Ok());
    Script(s);
    EXPECT_EQ(InitialValuesDialog(), 0);
    ASSERT_EQ(screen.messages.size(), 4u);
    EXPECT_EQ(screen.messages[0].text, "This rate must be between 0.0% and 1000.0%.");
    EXPECT_EQ(screen.messages[0].caption, "INFLATION RATE ERROR");
    EXPECT_EQ(screen.messages[1].text, MessageString(7));
    EXPECT_EQ(screen.messages[1].caption, "END AGE ERROR");
    EXPECT_EQ(screen.messages[2].text, "The age range must be less than 100!");
    EXPECT_EQ(screen.messages[2].caption, "Age Range Error!");
    EXPECT_EQ(screen.messages[3].text, "The birth month value must between 1 and 12");
    EXPECT_EQ(screen.messages[3].caption, "BIRTH MONTH ERROR");
    const InitialValues iv = scenario.initialValues;
    EXPECT_EQ(+iv.inflationRate, 3.0f);
    EXPECT_EQ(+iv.endAge, 90.0f);
    EXPECT_EQ(+iv.startAge, 40.0f);
    EXPECT_EQ(state.modified, 0);
}

// A new plan's OK said "The birth month value must between 1 and 12" with
// Use Birthday off.
TEST_F(ScenarioDialogs, TheBirthDateIsCheckedOnlyWhenUseBirthdayIsOn) {
    ResetScenario();  // what File > New gives
    NewScenarioByHand();
    Script({Ok()});
    EXPECT_EQ(InitialValuesDialog(), 1);
    EXPECT_TRUE(screen.messages.empty());

    Script({Type(FieldBirthMonth, "13"), Type(FieldBirthDay, "7"), Ok()});
    EXPECT_EQ(InitialValuesDialog(), 1);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(+scenario.initialValues.birthMonth, 0);  // not a month: left as it was
    EXPECT_EQ(+scenario.initialValues.birthDay, 7);

    scenario.initialValues.useBirthday = 1;
    Script({Type(FieldBirthMonth, "13"), Ok()});
    EXPECT_EQ(InitialValuesDialog(), 0);
    EXPECT_EQ(LastText(), "The birth month value must between 1 and 12");
    EXPECT_EQ(LastCaption(), "BIRTH MONTH ERROR");
}

TEST_F(ScenarioDialogs, UseBirthdayAddsTheFractionAndCancelRestores) {
    // Born 1 December, today 1 June: half a year past the birthday.
    Script({Type(FieldBirthMonth, "12"), Type(FieldBirthDay, "1"), Type(FieldStartAge, "45.9"),
            Click(FieldUseBirthday)});
    EXPECT_EQ(InitialValuesDialog(), 0);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Text(FieldStartAge), "45.499");
    EXPECT_TRUE(r.checked.at(FieldUseBirthday));
    const InitialValues iv = scenario.initialValues;
    EXPECT_EQ(+iv.useBirthday, 0);
    EXPECT_EQ(+iv.startAge, 40.0f);
    EXPECT_EQ(+iv.birthMonth, 0);
}

TEST_F(ScenarioDialogs, UseBirthdayRefusesABadDayAndStaysOff) {
    Script({Type(FieldBirthMonth, "12"), Type(FieldBirthDay, "32"), Click(FieldUseBirthday)});
    InitialValuesDialog();
    EXPECT_EQ(LastText(), "The birth day value must be between 1 and 31");
    EXPECT_EQ(LastCaption(), "BIRTH DAY ERROR");
    EXPECT_FALSE(dialogs.Last().checked.at(FieldUseBirthday));
}

// Three events with their first rows 1, 3 and 4 (the first has a detail line).
void ThreeEvents() {
    const uint16_t types[] = {EventDeposit, EventWithdrawal, EventAssetAllocation};
    const int16_t rows[] = {1, 3, 4};
    for (int i = 0; i < 3; ++i) {
        ResetEventSlot(i);
        scenario.events[i].eventType = types[i];
        scenario.events[i].listRow = rows[i];
        scenario.events[i].startAge = static_cast<float>(50 + i);
        SetFieldText(scenario.events[i].description, std::string(1, static_cast<char>('A' + i)));
    }
    state.eventCount = 3;
    scenario.accountTable.assetAllocOption = 1;  // the allocation event is in effect
}

TEST_F(ScenarioDialogs, RowsMapToEvents) {
    ThreeEvents();
    EXPECT_EQ(EventAtRow(0), -1);
    EXPECT_EQ(EventAtRow(1), 0);
    EXPECT_EQ(EventAtRow(2), 0);
    EXPECT_EQ(EventAtRow(3), 1);
    EXPECT_EQ(EventAtRow(4), 2);
    EXPECT_EQ(EventAtRow(9), 2);
    state.eventCount = 0;
    EXPECT_EQ(EventAtRow(1), -1);
}

TEST_F(ScenarioDialogs, DeletingTheOnlyEventLeavesAFreeSlot) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventDeposit;
    scenario.events[0].listRow = 1;
    state.eventCount = 1;
    EXPECT_EQ(EventListDelete(1), 1);
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.events[0].eventType, EventFreeSlot);
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.needsRecalc, 1);
    EXPECT_EQ(screen.selectedTab, 2);  // the "Scenario" folder rebuilt
}

TEST_F(ScenarioDialogs, DeleteMovesLaterEventsUpAndUndoesTheAllocationOption) {
    ThreeEvents();
    EXPECT_EQ(EventListDelete(4), 1);
    EXPECT_EQ(+scenario.accountTable.assetAllocOption, 0);
    EXPECT_EQ(screen.Enabled(CmdAssetAllocation), 1);
    EXPECT_EQ(EventListDelete(1), 1);
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(FieldText(scenario.events[0].description), "B");
    EXPECT_EQ(+scenario.events[1].eventType, EventFreeSlot);
}

TEST_F(ScenarioDialogs, DeletingABudgetWithdrawalEndsItsBudget) {
    ThreeEvents();
    scenario.events[1].option = 1;
    scenario.events[1].budgetIndex = 3;  // Budget 3, the third record and menu item
    scenario.budgets[2].active = 1;
    EXPECT_EQ(EventListDelete(3), 1);
    EXPECT_EQ(+scenario.budgets[2].active, 0u);
    ASSERT_FALSE(screen.menuChecks.empty());
    EXPECT_EQ(screen.menuChecks.back(), std::make_pair(MenuBudgetFirst + 2, false));
}

TEST_F(ScenarioDialogs, RmdEventIsNeitherDeletedNorCopied) {
    ThreeEvents();
    scenario.events[2].eventType = EventRmdOption;
    EXPECT_EQ(EventListDelete(4), 0);
    EXPECT_EQ(EventListCopy(4), 0);
    EXPECT_EQ(state.eventCount, 3);
}

TEST_F(ScenarioDialogs, CopyAddsTheEventAndOpensTheOriginal) {
    ThreeEvents();
    scenario.events[0].amount = 700;
    Script({Type(FieldStartAge, "41"), Type(FieldEndAge, "42"), Type(FieldAmount, "900"), Ok()});
    EXPECT_EQ(EventListCopy(2), 1);
    EXPECT_EQ(state.eventCount, 4);
    EXPECT_EQ(dialogs.Last().caption, "Deposit");
    // The list is in processing order again: the edited original (now from
    // 41) first, then the copy, which keeps the old figures, before B and C.
    EXPECT_EQ(+scenario.events[0].amount, 900.0f);
    EXPECT_EQ(+scenario.events[1].amount, 700.0f);
    EXPECT_EQ(+scenario.events[1].startAge, 50.0f);
    EXPECT_EQ(+scenario.events[1].eventType, EventDeposit);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(ScenarioDialogs, CopyIntoAFullListIsRefused) {
    ThreeEvents();
    for (int i = 3; i < MaxEvents; ++i) scenario.events[i] = scenario.events[0];
    state.eventCount = MaxEvents;
    EXPECT_EQ(EventListCopy(1), 0);
    EXPECT_EQ(state.eventCount, MaxEvents);
    EXPECT_EQ(LastCaption(), "Event Warning");
    EXPECT_TRUE(dialogs.runs.empty());
}

TEST_F(ScenarioDialogs, EditOpensTheDialogOfTheTypeAndRestoresTheCount) {
    ThreeEvents();
    scenario.events[1].startAge = 51;
    scenario.events[1].endAge = 52;
    scenario.events[1].amount = 10;
    Script({Type(FieldAmount, "20"), Ok()});
    EXPECT_EQ(EventListEdit(3), 1);
    EXPECT_EQ(dialogs.Last().caption, "Withdrawal");
    EXPECT_EQ(dialogs.Last().Shown(FieldStartAge), "51.00 ");
    EXPECT_EQ(state.eventCount, 3);
    EXPECT_EQ(+scenario.events[1].amount, 20.0f);
    EXPECT_EQ(+scenario.events[1].eventType, EventWithdrawal);
    Script({});
    EventListEdit(0);
    EXPECT_EQ(dialogs.Last().caption, "Initial Values");
    // A loan marked as a credit card opens the credit card dialog.
    scenario.events[0].eventType = EventLoan;
    scenario.events[0].applyInflation = CreditCardMarker;
    Script({});
    EventListEdit(1);
    EXPECT_EQ(dialogs.Last().caption, "Credit Card Debt");
}

TEST_F(ScenarioDialogs, ListIgnoresItsButtonsWhileAnEventDialogIsOpen) {
    ThreeEvents();
    shell.windowOpen[WindowDeposit] = 1;
    EXPECT_EQ(EventListDelete(1), 0);
    EXPECT_EQ(EventListEdit(1), 0);
    EXPECT_EQ(state.eventCount, 3);
    EXPECT_TRUE(dialogs.runs.empty());
}

TEST_F(ScenarioDialogs, AddEventOpensDialogsThroughTheCommandRules) {
    Script({Click(FieldAddDeposit), Click(FieldAddWithdrawal), Ok()});
    Script({Type(FieldStartAge, "41"), Type(FieldEndAge, "42"), Type(FieldAmount, "900"), Ok()});
    Script({});  // the withdrawal is cancelled
    EXPECT_EQ(EventListAdd(), 1);
    ASSERT_EQ(dialogs.runs.size(), 3u);
    EXPECT_EQ(dialogs.runs[0].caption, "Add Event");
    EXPECT_EQ(dialogs.runs[1].caption, "Deposit");
    EXPECT_EQ(dialogs.runs[2].caption, "Withdrawal");
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_FALSE(shell.windowOpen[WindowAddEvent]);
    // While the chooser is open, other commands only raise it.
    shell.windowOpen[WindowAddEvent] = 1;
    EXPECT_EQ(DispatchCommand(CmdInitialValues), 0);
    EXPECT_EQ(screen.raised.back(), WindowAddEvent);
}

}  // namespace
