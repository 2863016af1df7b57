// The Budget dialog under scripted dialogs: the item list and editor, the
// Withdrawal Event a Budget owns, the numbering 1..5 through menu, file and
// Event list, the copy file and the two printouts' pages.
#include <tuple>

#include "budgets/budgets.h"
#include "dialogs_fixture.h"

namespace {

struct Item {
    const char* name;
    const char* amount;
    bool monthly = false;
    const char* rate = "0";
    bool inflation = false;
    bool track = false;
};

struct Printed {
    int pages = 0, kind = 0;
    std::string title;
};
Printed printed;

class Budgets : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        printed = {};
        dialogHooks.printPages = [](int pages, int kind, const std::string& title) {
            printed = {pages, kind, title};
            return 1;
        };
    }
    static Dlg::Script Enter(std::initializer_list<Item> items) {
        // The boxes start unchecked in a dialog just opened; a click turns one over.
        Dlg::Script s;
        bool monthly = false, inflation = false, track = false;
        for (const Item& i : items) {
            s.push_back(Type(FieldBudgetItemName, i.name));
            s.push_back(Type(FieldBudgetItemAmount, i.amount));
            s.push_back(Type(FieldBudgetItemRate, i.rate));
            for (auto [id, on, now] : {std::tuple{FieldBudgetMonthly, i.monthly, &monthly},
                                       {FieldBudgetInflation, i.inflation, &inflation},
                                       {FieldBudgetTrack, i.track, &track}})
                if (on != *now) {
                    s.push_back(Click(id));
                    *now = on;
                }
            s.push_back(Click(FieldBudgetEnter));
        }
        return s;
    }
    static Dlg::Script Then(Dlg::Script s, std::initializer_list<Dlg::Step> more) {
        s.insert(s.end(), more);
        return s;
    }
    // The last check mark the menu item of Budget `number` was given (-1 none).
    int MenuCheck(int number) const {
        for (auto i = screen.menuChecks.rbegin(); i != screen.menuChecks.rend(); ++i)
            if (i->first == MenuBudgetFirst + number - 1) return i->second ? 1 : 0;
        return -1;
    }
    static Budget& B(int number) { return *BudgetNumbered(number); }
    using Msg = std::pair<std::string, std::string>;
    // Text and caption of message `k` (the last one by default).
    Msg Said(int k = -1) const {
        const auto& m = screen.messages.at(k < 0 ? screen.messages.size() - 1 : static_cast<size_t>(k));
        return {m.text, m.caption};
    }
};

TEST_F(Budgets, TheListShowsItsCellsSortedAndEnterUpdatesByName) {
    Script(Enter({{"Bananas", "100", true, "2.5", true, true},
                  {"apples", "50", false, "0", true},
                  {"Rent", "700.5", false, "-1"},
                  {"Bananas", "110", true, "2.5", true, true}}));
    EXPECT_EQ(BudgetDialog(2), 1);
    const Budget& b = B(2);
    ASSERT_EQ(b.itemCount, 3);  // the second Bananas updated the first
    EXPECT_EQ(dialogs.Last().items.at(FieldBudgetList)[0],
              "Bananas\t       110.00\tX\tInf.+  2.50\t      1320.00\tX");
    EXPECT_EQ(dialogs.Last().Text(FieldBudgetTotal), "2070.50      ");
    EXPECT_EQ(+b.itemYearlyCopy[0], 1320.0f);

    // Opening again sorts without regard to case; a click puts a row into the editor.
    Script({Dlg::DoubleClick(FieldBudgetList, 1)});
    BudgetDialog(2);
    EXPECT_EQ(dialogs.Last().items.at(FieldBudgetList),
              (std::vector<std::string>{"apples\t        50.00\t \tInflation\t        50.00\t ",
                                        "Bananas\t       110.00\tX\tInf.+  2.50\t      1320.00\tX",
                                        "Rent\t       700.50\t \t -1.00\t       700.50\t "}));
    EXPECT_EQ(dialogs.Last().Text(FieldBudgetItemAmount), "110.00       ");
    EXPECT_EQ(dialogs.Last().Text(FieldBudgetItemRate), "2.50  ");

    // Monthly 100.00 is 1200.00 a year; Delete finds its item by name.
    Script(Then(Enter({{"Phone", "100", true}}),
                {Type(FieldBudgetItemName, "apples"), Click(FieldBudgetDelete), Type(FieldBudgetItemName, "none"),
                 Click(FieldBudgetDelete)}));
    BudgetDialog(2);
    ASSERT_EQ(b.itemCount, 3);
    EXPECT_EQ(FieldText(b.itemName[2]), "Phone");
    EXPECT_EQ(+b.yearlyTotal, 1320 + 700.5f + 1200);

    // Renaming a Budget not in effect is still a change to save.
    state.modified = 0;
    Script({Type(FieldBudgetName, "Groceries"), Ok()});
    BudgetDialog(2);
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(screen.MenuText(MenuBudgetFirst + 1), "Groceries");
}

TEST_F(Budgets, ThirtyItemsRefuseEnterAlsoForANameAlreadyThere) {
    Dlg::Script s;
    for (int i = 0; i < 30; ++i)
        s = Then(s, {Type(FieldBudgetItemName, "item" + std::to_string(i)), Click(FieldBudgetEnter)});
    s = Then(s, {Type(FieldBudgetItemName, "one more"), Click(FieldBudgetEnter), Type(FieldBudgetItemName, "item3"),
                 Type(FieldBudgetItemAmount, "99"), Click(FieldBudgetEnter)});
    Script(s);
    BudgetDialog(1);
    EXPECT_EQ(+B(1).itemCount, 30);
    EXPECT_EQ(+B(1).itemAmount[3], 0.0f);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(Said(), Msg("You have reached the maximum number of items for this budget", "Budget Warning"));
    // A name of 30 characters keeps 19; Clear All empties the Budget.
    Script({Click(FieldBudgetClearAll), Type(FieldBudgetItemName, std::string(30, 'n')), Click(FieldBudgetEnter)});
    BudgetDialog(1);
    EXPECT_EQ(+B(1).itemCount, 1);
    EXPECT_EQ(FieldText(B(1).itemName[0]), std::string(19, 'n'));
}

TEST_F(Budgets, ActivationOwnsOneWithdrawalDeactivationRemovesItAndReactivationAppends) {
    Event& other = scenario.events[0];
    ResetEventSlot(0);
    other.eventType = EventDeposit;
    state.eventCount = 1;
    Script(Then(Enter({{"Food", "500", true}}),
                {Type(FieldBudgetName, "Living"), Type(FieldBudgetStartAge, "65"), Type(FieldBudgetEndAge, "80"),
                 Click(FieldBudgetActive), Choose(FieldBudgetAccount, 1), Ok()}));
    EXPECT_EQ(BudgetDialog(3), 1);
    ASSERT_EQ(state.eventCount, 2);
    const Event& e = scenario.events[1];
    EXPECT_EQ(std::tuple(+e.eventType, +e.option, +e.budgetIndex, FieldText(e.description), +e.startAge, +e.endAge),
              std::tuple(+EventWithdrawal, 1, 3, std::string("Living"), 65.0f, 80.0f));
    EXPECT_EQ(std::tuple(+e.amount, +e.runAmount, +e.accountId, +e.years),
              std::tuple(6000.0f, 6000.0f, IdOf("Bonds"), +AccountAssignedMarker));
    EXPECT_EQ(MenuCheck(3), 1);
    EXPECT_EQ(screen.MenuText(MenuBudgetFirst + 2), "Living");

    // An account in an asset allocation is refused and the dialog stays open.
    const int checking = FindAccount(IdOf("Checking"));
    scenario.accountOptions.assetAllocation[scenario.accountTable.accounts[checking].optionsSlot] = 1;
    Script({Choose(FieldBudgetAccount, 2), Ok(), Choose(FieldBudgetAccount, 0), Click(FieldBudgetActive), Ok()});
    EXPECT_EQ(BudgetDialog(3), 1);
    EXPECT_EQ(Said(0), Msg("You cannot select an account that is part of an Asset Allocation!", "Account Warning"));
    EXPECT_EQ(state.eventCount, 1);  // deactivated: its Withdrawal is gone
    EXPECT_EQ(+scenario.events[1].eventType, EventFreeSlot);
    EXPECT_EQ(MenuCheck(3), 0);
    EXPECT_EQ(+B(3).accountId, -1);

    // Activated again it comes at the end of the list, without an account.
    scenario.events[1] = other;
    state.eventCount = 2;
    Script({Click(FieldBudgetActive), Ok()});
    BudgetDialog(3);
    ASSERT_EQ(state.eventCount, 3);
    EXPECT_EQ(BudgetEventIndex(3), 2);
    EXPECT_EQ(+scenario.events[2].accountId, -1);
    EXPECT_EQ(+scenario.events[2].years, 0);

    // With every slot in use an activation that needs one is refused.
    B(3).active = 0;
    ApplyBudgetEvent(3);
    state.eventCount = MaxEvents;
    Script({Click(FieldBudgetActive), Ok()});
    EXPECT_EQ(BudgetDialog(3), 0);
    EXPECT_EQ(LastCaption(), "Event Warning");
}

// Budgets are 1..5 in the menu, the file and the Event list alike.
TEST_F(Budgets, BudgetsOneAndFiveActivatedSavedReopenedAndDeletedFromTheEventList) {
    for (int n : {1, 5}) {
        Script(Then(Enter({{"Item", "10"}}), {Click(FieldBudgetActive), Type(FieldBudgetStartAge, "50"),
                                              Type(FieldBudgetEndAge, "60"), Ok()}));
        EXPECT_EQ(BudgetDialog(n), 1);
    }
    ASSERT_EQ(SaveScenarioAs("budgets.ret"), 1);
    state.modified = 0;
    ResetScenario();
    state.eventCount = 0;
    screen.Clear();
    ASSERT_EQ(OpenScenario("budgets.ret"), 1);
    ASSERT_EQ(state.eventCount, 2);
    for (int n = 1; n <= MaxBudgets; ++n) EXPECT_EQ(MenuCheck(n), n == 1 || n == 5 ? 1 : 0) << n;
    EXPECT_EQ(BudgetEventIndex(1), 0);
    EXPECT_EQ(BudgetEventIndex(5), 1);

    // The Event list opens Budget 5 for its Withdrawal.
    BuildEventList();
    Script({Type(FieldBudgetName, "Five")});
    EventListEdit(scenario.events[1].listRow);
    EXPECT_EQ(dialogs.Last().name, "BUDGET");
    EXPECT_EQ(FieldText(B(5).name), "Five");
    EXPECT_EQ(FieldText(scenario.events[1].description), "Five");

    screen.Clear();
    BuildEventList();
    EXPECT_EQ(EventListDelete(scenario.events[1].listRow), 1);
    EXPECT_EQ(+B(5).active, 0u);
    EXPECT_EQ(+B(1).active, 1u);
    EXPECT_EQ(MenuCheck(5), 0);
    EXPECT_EQ(MenuCheck(1), -1);
    BuildEventList();
    EXPECT_EQ(EventListDelete(scenario.events[0].listRow), 1);
    EXPECT_EQ(+B(1).active, 0u);
    EXPECT_EQ(MenuCheck(1), 0);
    EXPECT_EQ(MenuCheck(2), -1);
    EXPECT_EQ(state.eventCount, 0);

    // A new Scenario takes the check marks away with the Budgets.
    B(4).active = 1;
    RefreshBudgetMenu();
    ResetScenario();
    ShowBudgetNames();
    EXPECT_EQ(MenuCheck(4), 0);
}

TEST_F(Budgets, CopyAllWritesTheFileAndPasteAllReadsItsRulesAndRefusals) {
    Script(Then(Enter({{"Fuel", "80.5", true, "1.25", false, true}, {"Tax", "1200"}}),
                {Type(FieldBudgetName, "Car"), Type(FieldBudgetStartAge, "61"), Type(FieldBudgetEndAge, "75"),
                 Click(FieldBudgetCopyAll)}));
    BudgetDialog(4);
    EXPECT_EQ(Bytes("budout.tmp"), "2\nCar" + std::string(27, ' ') + "\n 61\n 75\n"
                                   "Fuel\t80.500000\t1\t1\t1.250000\nTax\t1200.000000\t0\t0\t0.000000\nDooone");

    // Into Budget 2: a name of 29 characters at most, item names of 20, empty cells skipped.
    Put("budout.tmp", "3\n" + std::string(40, 'N') + "\n7\n999999\n" + std::string(30, 'i') +
                          "\t\t5\t1\t0\t2\nShort\t3\nDooone\nnot an item\n");
    B(2).itemApplyInflation[1] = 1;  // the slot's flag stays through a paste
    Script({Click(FieldBudgetPasteAll)});
    BudgetDialog(2);
    EXPECT_EQ(dialogs.Last().Text(FieldBudgetName), std::string(29, 'N'));  // cut to 29 characters
    EXPECT_EQ(FieldText(B(2).name), std::string(28, 'N'));  // the name takes 28 on OK
    EXPECT_EQ(dialogs.Last().Text(FieldBudgetStartAge), "  7");
    EXPECT_EQ(+B(2).itemCount, 2);
    EXPECT_EQ(FieldText(B(2).itemName[0]), std::string(20, 'i'));
    EXPECT_EQ(+B(2).itemYearly[0], 60.0f);
    EXPECT_EQ(+B(2).itemApplyRate[0], 2.0f);
    EXPECT_EQ(+B(2).itemApplyInflation[1], 1);
    EXPECT_EQ(+B(2).endAge, 999);

    // Refusals: a count outside 1..30, bytes of any kind, no file at all.
    const std::string refusals[] = {"31\nx\n", "0\n", std::string("\xff\x00\t\t\n\n", 6), ""};
    for (const std::string& bytes : refusals) {
        Put("budout.tmp", bytes);
        Script({Click(FieldBudgetPasteAll)});
        BudgetDialog(2);
        EXPECT_EQ(Said(),
                  Msg("The budget input file budout.tmp doesn't seem to be a valid file.", "Budget File Error"));
    }
    std::remove("budout.tmp");
    Script({Click(FieldBudgetPasteAll)});
    BudgetDialog(2);
    EXPECT_EQ(Said(), Msg("Cannot open the budget input file budout.tmp file.", "File Open Error"));
    EXPECT_EQ(+B(2).itemCount, 2);  // untouched by the refusals
}

TEST_F(Budgets, PrintGivesTheListPageAndPrintReportTheYearByYearPages) {
    Script(Then(Enter({{"Gym", "30", true, "0", true, true},
                       {"Gifts", "400", false, "2", true},
                       {"Books", "55.5", false, "-1.5"}}),
                {Type(FieldBudgetName, "  Fun,"), Click(FieldBudgetPrint)}));
    BudgetDialog(1);
    EXPECT_EQ(printed.pages, 1);
    EXPECT_EQ(printed.kind, 13);
    EXPECT_EQ(Bytes("rpage1"), "Name\tAmount \tMonth\tTrack\tApplied Rate \tYearly Amount\n------------------------\n"
                               "Gym\t        30.00 \tX\tX\tInflation \t       360.00 \n"
                               "Gifts\t       400.00 \t \t \tInf.+   2.000 \t       400.00 \n"
                               "Books\t        55.50 \t \t \t  -1.500 \t        55.50 \n"
                               "\t\t\t\tTotal\t       815.50\nDooone");

    // One yearly item of 1000 at 10% from 65 to 67.
    ClearBudgetItems(B(1));
    Script(Then(Enter({{"Trip", "1000", false, "10"}}), {Type(FieldBudgetStartAge, "65"), Type(FieldBudgetEndAge, "67"),
                                                         Click(FieldBudgetPrintReport)}));
    BudgetDialog(1);
    EXPECT_EQ(printed.kind, 11);
    EXPECT_EQ(printed.title, "Fun");
    EXPECT_EQ(Bytes("rpage1"), "Age\tTrip\tTotal\t\n-----------------------\n"
                               " 65.0\t      1000.00\t      1000.00\t\n"
                               " 66.0\t      1100.00\t      1100.00\t\n"
                               " 67.0\t      1210.00\t      1210.00\t\nDooone\n");
}

TEST_F(Budgets, TheReportRunsInGroupsOfEightColumnsAndSixtyLinePages) {
    Budget& b = B(2);
    for (int i = 0; i < 9; ++i)
        ASSERT_EQ(EnterBudgetItem(b, {"i" + std::to_string(i + 1), 100.0f * (i + 1), 0}), BudgetItemEntered);
    b.itemMonthly[8] = 1;  // 900 a month
    RefreshBudget(b);
    b.startAge = -5;  // below the first planning age: rows start at age 1
    b.endAge = 130;   // above 120: 119
    BudgetReport r;
    ASSERT_TRUE(BuildBudgetReport(BudgetFileText(b), r));
    // 119 rows of 56 a page: three pages for each of the two groups.
    ASSERT_EQ(r.pages.size(), 6u);
    EXPECT_EQ(r.pages[0][0], "Age\ti1\ti2\ti3\ti4\ti5\ti6\ti7\ti8\t");
    EXPECT_EQ(r.pages[3][0], "Age\ti9\tTotal\t");
    EXPECT_EQ(r.pages[3][1], "-----------------------");
    EXPECT_EQ(r.pages[0].size(), 58u);
    EXPECT_EQ(r.pages[2].size(), 2u + 7u);
    EXPECT_EQ(r.pages[0][2].substr(0, 6), "  1.0\t");
    EXPECT_EQ(r.pages[5].back(), "119.0\t     10800.00\t     14400.00\t");
    // Items whose line lacks a cell of the first three are left out; no count, no report.
    EXPECT_TRUE(BuildBudgetReport("2\nX\n1\n1\nlone\t5\nfull\t5\t0\t0\t0\nDooone", r));
    EXPECT_EQ(r.pages[0][0], "Age\tfull\tTotal\t");
    EXPECT_FALSE(BuildBudgetReport("0\nX\n1\n1\nDooone", r));
    // Ages left blank: a heading without rows.
    ASSERT_TRUE(BuildBudgetReport("1\nX\n\n\nx\t1\t0\n", r));
    EXPECT_EQ(r.pages, (std::vector<std::vector<std::string>>{{"Age\tx\tTotal\t", "-----------------------"}}));
}

}  // namespace
