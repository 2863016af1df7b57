#include <gtest/gtest.h>

#include <cstring>

#include "model/model.h"

namespace {

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&scenario, 0, sizeof scenario);
        state = ScenarioState{};
        ResetScenario();
    }

    // Adds an account the way the account dialog does: record at accountCount, then an id.
    int AddAccount(const char* name, uint16_t type = AccountInvestmentSavings, float amount = 0, float rate = 0) {
        int pos = scenario.accountTable.accountCount;
        Account& a = scenario.accountTable.accounts[pos];
        SetFieldText(a.name, name);
        a.accountType = type;
        a.initialAmount = amount;
        a.yearlyRate = rate;
        AssignAccountId(pos);
        return pos;
    }

    std::string Name(int pos) { return FieldText(scenario.accountTable.accounts[pos].name); }
};

TEST_F(ModelTest, ResetGivesAnEmptyScenarioWithItsDefaults) {
    const InitialValues& iv = scenario.initialValues;
    EXPECT_EQ(+iv.startAge, 30.0f);
    EXPECT_EQ(+iv.endAge, 84.0f);
    EXPECT_EQ(+iv.inflationRate, 4.0f);
    EXPECT_EQ(+iv.taxRate, 15.0f);
    EXPECT_EQ(+iv.reserved34, 3.0f);
    EXPECT_EQ(+iv.investmentSavingsRate, 9.0f);
    EXPECT_EQ(+iv.taxFreeSavingsRate, 6.0f);
    EXPECT_EQ(+iv.defaultPenaltyAge, 59.0f);
    EXPECT_EQ(+iv.defaultPenaltyRate, 10.0f);
    for (int s = 0; s < MaxEvents; ++s) EXPECT_EQ(+scenario.events[s].eventType, EventFreeSlot);
    for (int i = 0; i < MaxAccounts; ++i) {
        const Account& a = scenario.accountTable.accounts[i];
        EXPECT_EQ(+a.optionsSlot, i);
        EXPECT_STREQ(a.accessOrder, " ");
        EXPECT_EQ(+scenario.accountOptions.penaltyAge[i], 59.0f);
        EXPECT_EQ(+scenario.accountOptions.penaltyRate[i], 10.0f);
    }
    for (int b = 0; b < MaxBudgets; ++b) {
        EXPECT_EQ(FieldText(scenario.budgets[b].name), "Budget " + std::to_string(b + 1));
        EXPECT_EQ(+scenario.budgets[b].accountId, -1);
    }
    EXPECT_EQ(+scenario.pageSettings.defaultFonts, 1);
    EXPECT_EQ(+scenario.pageSettings.defaultFonts2, 1);
}

TEST_F(ModelTest, ResetLeavesBirthdayAndEventCountAlone) {
    scenario.initialValues.useBirthday = 1;
    scenario.initialValues.birthMonth = 7;
    scenario.initialValues.eventCount = 4;
    ResetScenario();
    EXPECT_EQ(+scenario.initialValues.useBirthday, 1);
    EXPECT_EQ(+scenario.initialValues.birthMonth, 7);
    EXPECT_EQ(+scenario.initialValues.eventCount, 4);
}

TEST_F(ModelTest, EventSlotResetKeepsTheFieldsItDoesNotOwn) {
    Event& e = scenario.events[5];
    e.listRow = 12;
    e.salePercent = 6;
    e.reserved96[2] = 0xAB;
    e.runSold = 1;
    e.amount = 99;
    e.eventType = EventMortgage;
    std::strcpy(e.description, "House");
    ResetEventSlot(5);
    EXPECT_EQ(+e.eventType, EventFreeSlot);
    EXPECT_EQ(+e.amount, 0.0f);
    EXPECT_EQ(+e.description[0], 0);
    EXPECT_EQ(+e.listRow, 12);
    EXPECT_EQ(+e.salePercent, 6.0f);
    EXPECT_EQ(+e.reserved96[2], 0xAB);
    EXPECT_EQ(+e.runSold, 1);
    ResetEventSlot(-1);   // out of range: ignored
    ResetEventSlot(150);
}

TEST_F(ModelTest, ClearRunFieldsFollowsTheEventType) {
    state.eventCount = 3;
    Event* ev = scenario.events;
    ev[0].eventType = EventTransfer;
    ev[1].eventType = EventFundamentals;
    ev[2].eventType = EventLoan;
    for (int i = 0; i < 4; ++i) {
        ev[i].runAmount = 5;
        ev[i].transferAll = 1;
        ev[i].runState = RunActive;
        ev[i].runPrincipalPaid = 7;
        ev[i].runInterestPaid = 8;
    }
    ClearRunFields();
    EXPECT_EQ(+ev[0].transferAll, 1);        // a Transfer keeps its transfer-all flag
    EXPECT_EQ(+ev[1].runPrincipalPaid, 7.0f);  // Fundamentals keep the paid totals
    EXPECT_EQ(+ev[2].transferAll, 0);
    EXPECT_EQ(+ev[2].runPrincipalPaid, 0.0f);
    EXPECT_EQ(+ev[2].runState, RunNotStarted);
    EXPECT_EQ(+ev[3].runAmount, 5.0f);  // not a live event
}

TEST_F(ModelTest, AccountIdsSkipTakenNumbers) {
    EXPECT_EQ(AddAccount("First"), 0);
    EXPECT_EQ(+scenario.accountTable.accounts[0].accountId, 0);
    EXPECT_EQ(+scenario.accountTable.nextAccountId, 1u);

    // Live ids 10 and 11 with the next id at 10: the new one gets 12, next 13.
    ResetScenario();
    AddAccount("A");
    AddAccount("B");
    scenario.accountTable.accounts[0].accountId = 10;
    scenario.accountTable.accounts[1].accountId = 11;
    scenario.accountTable.nextAccountId = 10;
    int pos = AddAccount("C");
    EXPECT_EQ(+scenario.accountTable.accounts[pos].accountId, 12);
    EXPECT_EQ(+scenario.accountTable.nextAccountId, 13u);
    EXPECT_EQ(+scenario.accountTable.accountCount, 3);

    // Ids found out of order need another pass: 11 before 10.
    ResetScenario();
    AddAccount("A");
    AddAccount("B");
    scenario.accountTable.accounts[0].accountId = 11;
    scenario.accountTable.accounts[1].accountId = 10;
    scenario.accountTable.nextAccountId = 10;
    pos = AddAccount("C");
    EXPECT_EQ(+scenario.accountTable.accounts[pos].accountId, 12);

    // A stored 30000 restarts the search at 10.
    scenario.accountTable.nextAccountId = 30000;
    pos = AddAccount("D");
    EXPECT_EQ(+scenario.accountTable.accounts[pos].accountId, 13);
}

TEST_F(ModelTest, FindAccountLooksOnlyAtLiveRecords) {
    AddAccount("A");
    AddAccount("B");
    EXPECT_EQ(FindAccount(1), 1);
    EXPECT_EQ(FindAccount(7), -1);
    scenario.accountTable.accounts[5].accountId = 7;  // beyond accountCount
    EXPECT_EQ(FindAccount(7), -1);
    scenario.accountTable.accountCount = 300;  // corrupt count: never scans past the table
    EXPECT_EQ(FindAccount(7), 5);
    scenario.accountTable.accountCount = 2;

    std::string text = "From ";
    AppendAccountName(1, text);
    AppendAccountName(9, text);
    EXPECT_EQ(text, "From B");
}

TEST_F(ModelTest, SortIsStableAndCaseInsensitive) {
    AddAccount("beta");
    AddAccount("Alpha");
    AddAccount("alpha");
    SortAccountsByName(true);
    EXPECT_EQ(Name(0), "Alpha");
    EXPECT_EQ(Name(1), "alpha");
    EXPECT_EQ(Name(2), "beta");
    // Whole records move: ids and options slots travel with the names.
    EXPECT_EQ(+scenario.accountTable.accounts[0].accountId, 1);
    EXPECT_EQ(+scenario.accountTable.accounts[0].optionsSlot, 1);
    SortAccountsByName(false);
    EXPECT_EQ(Name(0), "beta");
    EXPECT_EQ(Name(1), "Alpha");

    std::memcpy(scenario.accountTable.accounts[0].accessOrder, "3", 2);
    std::memcpy(scenario.accountTable.accounts[1].accessOrder, "1", 2);
    std::memcpy(scenario.accountTable.accounts[2].accessOrder, "2", 2);
    SortAccountsByAccessOrder(true);
    EXPECT_EQ(Name(0), "Alpha");
    EXPECT_EQ(Name(1), "alpha");
    EXPECT_EQ(Name(2), "beta");
}

TEST_F(ModelTest, ReindexSortsAndRenumbers) {
    AddAccount("b");
    AddAccount("a");
    scenario.accountTable.accounts[0].accountId = 40;
    ReindexAccounts();
    EXPECT_EQ(Name(0), "a");
    EXPECT_EQ(+scenario.accountTable.accounts[0].accountId, 0);
    EXPECT_EQ(+scenario.accountTable.accounts[1].accountId, 1);
    EXPECT_EQ(+scenario.accountTable.nextAccountId, 2u);
}

void ExpectUniqueSlots() {
    bool seen[MaxAccounts] = {};
    for (int i = 0; i < MaxAccounts; ++i) {
        int slot = scenario.accountTable.accounts[i].optionsSlot;
        ASSERT_LT(slot, MaxAccounts) << "record " << i;
        EXPECT_FALSE(seen[slot]) << "slot " << slot << " twice";
        seen[slot] = true;
    }
}

TEST_F(ModelTest, RepairGivesDuplicateSlotsTheHighestFreeNumber) {
    Account* a = scenario.accountTable.accounts;
    a[1].optionsSlot = 3;
    a[3].optionsSlot = 1;
    a[4].optionsSlot = 3;
    a[49].optionsSlot = 4;
    RepairOptionsSlots();
    EXPECT_EQ(+a[1].optionsSlot, 3);
    EXPECT_EQ(+a[4].optionsSlot, 49);
    ExpectUniqueSlots();

    // Many clashes at once still end unique after the two passes.
    ResetScenario();
    for (int i = 3; i < MaxAccounts; i += 3) a[i].optionsSlot = 5;
    RepairOptionsSlots();
    ExpectUniqueSlots();
}

TEST_F(ModelTest, RepairNeverLeavesASlotOutsideTheArrays) {
    Account* a = scenario.accountTable.accounts;
    a[7].optionsSlot = 900;
    RepairOptionsSlots();
    ExpectUniqueSlots();

    // Records 0..48 hold 1..49 and the last one a number that is no slot:
    // the passes find nothing above 0 for it, so it takes the free 0.
    ResetScenario();
    for (int i = 0; i < 49; ++i) a[i].optionsSlot = static_cast<uint16_t>(i + 1);
    a[49].optionsSlot = 900;
    RepairOptionsSlots();
    EXPECT_EQ(+a[49].optionsSlot, 0);
    ExpectUniqueSlots();
}

TEST_F(ModelTest, InitialTotalsAverageByTypeWithoutDividingByZero) {
    AddAccount("I1", AccountInvestmentSavings, 1000, 5);
    AddAccount("I2", AccountInvestmentSavings, 3000, 7);
    AddAccount("R", AccountRetirementSavings, 500, 8);
    AddAccount("House", AccountAsset, 200000, 3);
    scenario.initialValues.reserved02 = 9;
    RecomputeInitialTotals();
    const InitialValues& iv = scenario.initialValues;
    EXPECT_EQ(+iv.initialInvestmentSavings, 4000.0f);
    EXPECT_EQ(+iv.initialRetirementSavings, 500.0f);
    EXPECT_EQ(+iv.initialAssets, 200000.0f);
    EXPECT_EQ(+iv.initialEquity, 0.0f);
    EXPECT_EQ(+iv.investmentSavingsRate, 6.0f);
    EXPECT_EQ(+iv.retirementSavingsRate, 8.0f);
    EXPECT_EQ(+iv.assetDepreciationRate, 3.0f);
    EXPECT_EQ(+iv.equityAppreciationRate, 0.0f);
    EXPECT_EQ(+iv.taxFreeSavingsRate, 0.0f);
    EXPECT_EQ(+iv.reserved02, 0.0f);
    EXPECT_EQ(+iv.reserved34, 0.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[1].balance, 3000.0f);
    EXPECT_EQ(+scenario.accountTable.accounts[1].rate, 7.0f);
}

TEST_F(ModelTest, BirthdayFractionCountsDaysSinceTheLastBirthday) {
    scenario.initialValues.birthMonth = 3;
    scenario.initialValues.birthDay = 15;
    EXPECT_EQ(BirthdayFraction(3, 15), 0.0f);
    EXPECT_EQ(BirthdayFraction(3, 14), 364.0f / 365.0f);
    EXPECT_EQ(BirthdayFraction(3, 20), 5.0f / 365.0f);
    // 16 days left in March, 30 in April, then 9 days into May.
    EXPECT_EQ(BirthdayFraction(5, 10), (16.0f + 30.0f + 9.0f) / 365.0f);
    // 16 + (April..December 275) + January 31 + 2.
    EXPECT_EQ(BirthdayFraction(2, 2), (16.0f + 275.0f + 31.0f + 2.0f) / 365.0f);

    state.todayMonth = 3;
    state.todayDay = 20;
    EXPECT_EQ(BirthdayFraction(), 5.0f / 365.0f);

    // Dates read from a damaged file never index outside the month table.
    scenario.initialValues.birthMonth = 40;
    scenario.initialValues.birthDay = -3;
    float f = BirthdayFraction(6, 1);
    EXPECT_GE(f, 0.0f);
    EXPECT_LT(f, 1.0f);
}

TEST_F(ModelTest, ClearAccountOptionsClearsTheAccountsSlot) {
    AddAccount("A");
    scenario.accountTable.accounts[0].optionsSlot = 7;
    scenario.accountOptions.rmdTable[7] = 10;
    scenario.accountOptions.assetAllocation[7] = 1;
    ClearAccountOptions(0);
    EXPECT_EQ(+scenario.accountOptions.rmdTable[7], 0);
    EXPECT_EQ(+scenario.accountOptions.assetAllocation[7], 0);
    EXPECT_EQ(+scenario.accountOptions.penaltyAge[7], 0.0f);
    EXPECT_EQ(+scenario.accountOptions.penaltyRate[7], 0.0f);
    EXPECT_EQ(+scenario.accountOptions.penaltyAge[0], 59.0f);
}

TEST_F(ModelTest, GeneratedEventsAreRebuilt) {
    AccountOptions& o = scenario.accountOptions;
    o.rmdStartAge1 = 70;
    o.rmdStartAge2 = 72;
    SetFieldText(o.rmdName1, "IRA 1");
    SetFieldText(o.rmdName2, "IRA 2");
    AddAccount("IRA", AccountRetirementSavings);
    AddAccount("Roth", AccountRetirementSavings);
    o.rmdTable[scenario.accountTable.accounts[0].optionsSlot] = 10;
    o.rmdTable[scenario.accountTable.accounts[1].optionsSlot] = 21;

    // A withdrawal, a stale RMD event, a type-0 event, an asset-allocation event
    // with the option off, and another withdrawal.
    state.eventCount = 5;
    uint16_t types[5] = {EventWithdrawal, EventRmdOption, 0, EventAssetAllocation, EventWithdrawal};
    for (int i = 0; i < 5; ++i) {
        ResetEventSlot(i);
        scenario.events[i].eventType = types[i];
        scenario.events[i].amount = static_cast<float>(i);
    }
    scenario.accountTable.assetAllocOption = 0;
    RebuildGeneratedEvents();

    ASSERT_EQ(state.eventCount, 4);
    EXPECT_EQ(+scenario.events[0].amount, 0.0f);
    EXPECT_EQ(+scenario.events[1].amount, 4.0f);
    const Event& r1 = scenario.events[2];
    EXPECT_EQ(+r1.eventType, EventRmdOption);
    EXPECT_EQ(+r1.secondary, 1);
    EXPECT_EQ(+r1.startAge, 70.0f);
    EXPECT_EQ(+r1.endAge, 120.0f);
    EXPECT_STREQ(r1.description, "IRA 1 -- RMD withdrawal option in effect using Table 1.");
    EXPECT_EQ(+scenario.events[3].secondary, 2);
    EXPECT_EQ(+scenario.events[3].startAge, 72.0f);
    EXPECT_EQ(+scenario.events[4].eventType, EventFreeSlot);

    // Running it again changes nothing; an asset-allocation event survives while its option is on.
    scenario.accountTable.assetAllocOption = 1;
    scenario.events[4].eventType = EventAssetAllocation;
    state.eventCount = 5;
    RebuildGeneratedEvents();
    ASSERT_EQ(state.eventCount, 5);
    EXPECT_EQ(+scenario.events[2].eventType, EventAssetAllocation);
    EXPECT_EQ(+scenario.events[3].secondary, 1);
    EXPECT_EQ(+scenario.events[4].secondary, 2);
}

TEST_F(ModelTest, RmdDescriptionNeverOverflowsTheField) {
    AccountOptions& o = scenario.accountOptions;
    std::memset(o.rmdName1, 'N', sizeof o.rmdName1);  // no NUL at all
    AddAccount("IRA", AccountRetirementSavings);
    o.rmdTable[0] = 10;
    RebuildGeneratedEvents();
    ASSERT_EQ(state.eventCount, 1);
    EXPECT_EQ(std::strlen(scenario.events[0].description), sizeof scenario.events[0].description - 1);
    EXPECT_EQ(std::string(scenario.events[0].description).substr(0, 32), std::string(32, 'N'));
}

TEST_F(ModelTest, NoGeneratedEventBeyondTheLastSlot) {
    AddAccount("IRA", AccountRetirementSavings);
    scenario.accountOptions.rmdTable[0] = 10;
    state.eventCount = MaxEvents;
    for (int i = 0; i < MaxEvents; ++i) scenario.events[i].eventType = EventDeposit;
    RebuildGeneratedEvents();
    EXPECT_EQ(+state.eventCount, MaxEvents);
}

TEST_F(ModelTest, NewScenarioByHand) {
    scenario.settings.mcTrials = 77;
    state.eventCount = 9;
    NewScenarioByHand();
    EXPECT_EQ(+state.eventCount, 0);
    EXPECT_EQ(+scenario.settings.mcTrials, 0);
    EXPECT_EQ(+scenario.accountOptions.rmdStartAge1, 70);
    EXPECT_EQ(+scenario.accountOptions.rmdStartAge3, 70);
    EXPECT_EQ(FieldText(scenario.accountOptions.rmdName2), "IRA 2");
    EXPECT_EQ(+scenario.accountOptions.penaltyAge[3], 0.0f);
}

TEST(FieldText, NeverReadsPastTheArray) {
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(FieldText(full), "abcd");
    char shortText[8] = "xy";
    EXPECT_EQ(FieldText(shortText), "xy");
    char dest[4];
    SetFieldText(dest, "longer than four");
    EXPECT_STREQ(dest, "lon");
}

}  // namespace
