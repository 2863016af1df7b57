// The Budget dialog as a real window on the offscreen platform: three items
// entered, the Budget activated, OK; the Event list then shows its
// Withdrawal and the projection withdraws the yearly total. With
// TILLORY_SCREENSHOTS=DIR the dialog is saved there as dialog-budget.png.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTreeWidget>

#include <tuple>

#include "qt_dialogs_fixture.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

using Window = qtui::TemplateDialog;

bool Contains(const LineTable& table, const std::string& text) {
    for (int i = 0; i < table.count; ++i)
        if (std::string(LineAt(table, i)).find(text) != std::string::npos) return true;
    return false;
}

using QtBudget = QtDialogs;

TEST_F(QtBudget, ThreeItemsActivatedBecomeAWithdrawalOfTheYearlyTotal) {
    static bool shown = false;
    shown = false;
    WhenShownTitled("Budget", [](Window* d) {
        shown = true;
        TypeInto(d, FieldBudgetName, "Living");
        TypeInto(d, FieldBudgetStartAge, "65");
        TypeInto(d, FieldBudgetEndAge, "70");
        // Name, amount, rate; monthly; inflation.
        for (auto [name, amount, rate, monthly, inflation] :
             {std::tuple{"Rent", "1000", "0", true, false}, {"Food", "500", "2.5", true, true},
              {"Car", "2400", "0", false, true}}) {
            for (auto [id, text] :
                 {std::pair{FieldBudgetItemName, name}, {FieldBudgetItemAmount, amount}, {FieldBudgetItemRate, rate}})
                TypeInto(d, id, text);
            qobject_cast<QCheckBox*>(d->control(FieldBudgetMonthly))->setChecked(monthly);
            qobject_cast<QCheckBox*>(d->control(FieldBudgetInflation))->setChecked(inflation);
            Button(d, FieldBudgetEnter)->click();
        }
        auto* list = qobject_cast<QTreeWidget*>(d->control(FieldBudgetList));
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(list->topLevelItem(1)->text(3), "Inf.+  2.50");
        EXPECT_EQ(list->topLevelItem(2)->text(3), "Inflation");
        EXPECT_EQ(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
        EXPECT_EQ(list->topLevelItem(0)->textAlignment(2) & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(Edit(d, FieldBudgetTotal)->text().trimmed(), "20400.00");
        // A click on a row puts its item into the editor.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
        EXPECT_EQ(Edit(d, FieldBudgetItemName)->text(), "Food");
        qobject_cast<QComboBox*>(d->control(FieldBudgetAccount))->setCurrentIndex(1);
        qobject_cast<QCheckBox*>(d->control(FieldBudgetActive))->click();
        Picture(d, "dialog-budget.png");
        Button(d, ui::IdOk)->click();
    });
    EXPECT_EQ(DispatchCommand(CmdBudgetFirst + 1), 1);
    EXPECT_TRUE(shown);
    ASSERT_EQ(state.eventCount, 1);
    EXPECT_EQ(+scenario.events[0].budgetIndex, 2);
    EXPECT_EQ(+scenario.events[0].accountId, IdOf("Bonds"));
    BuildEventList();
    EXPECT_TRUE(Contains(eventList, " 65.0 Budget - Living - Withdraw $20,400.00/yr."));
    RunShellProjection(0);
    EXPECT_TRUE(Contains(resultsList, "  Budget - Living - Withdraw $20,400.00"));
}

}  // namespace
