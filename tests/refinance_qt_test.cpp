// The Refinance Analysis as real windows on the offscreen platform: opened
// from a Mortgage being edited, the refinance Event made, and the Mortgage
// dialog's Cancel on the new Event taking it away again. With
// TILLORY_SCREENSHOTS=DIR the dialog and its details window are saved there
// as dialog-refinance.png and refinance-details.png.
#include <QTreeWidget>

#include "engine/payment.h"
#include "qt_dialogs_fixture.h"
#include "refinance_fixture.h"
#include "shell/refinance.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

using Window = qtui::TemplateDialog;

class QtRefinance : public QtDialogs {
protected:
    void SetUp() override {
        QtDialogs::SetUp();
        ResetCalculators();
    }
    static bool Named(Window* d, const char* name) { return d->objectName() == name; }
    static void Click(Window* d, int id) { Button(d, id)->click(); }
};

TEST_F(QtRefinance, FromAMortgageTheRefinanceEventIsMadeAndItsCancelUndoesIt) {
    Event m = ElmStreet(1);
    m.monthlyPayment = LevelPayment(m.amount - m.rate2, MonthlyRate(m.loanRate), 360);
    scenario.events[0] = m;
    state.eventCount = 1;
    scenario.initialValues.inflationRate = 3;
    static bool newMortgageShown = false, detailsShown = false;
    newMortgageShown = detailsShown = false;

    auto details = [](Window* d) {
        detailsShown = true;
        auto* list = qobject_cast<QTreeWidget*>(d->control(FieldRefTable));
        EXPECT_EQ(list->topLevelItemCount(), 2 * (70 - 45 + 1));
        EXPECT_EQ(list->topLevelItem(2)->text(0), " 46 O");
        Picture(d, "refinance-details.png");
        Click(d, ui::IdOk);
    };
    auto newMortgage = [](Window* d) {
        newMortgageShown = true;
        EXPECT_EQ(Edit(d, FieldDescription)->text(), "RF-Elm Street");
        EXPECT_EQ(Edit(d, FieldStartAge)->text().trimmed(), "45.00");
        EXPECT_EQ(state.eventCount, 1);  // the slot being edited
        QTest::keyClick(d, Qt::Key_Escape);
    };
    auto refinance = [details, newMortgage](Window* d) {
        EXPECT_EQ(d->windowTitle(), "Refinance Analysis");
        EXPECT_FALSE(Edit(d, FieldRefAmount)->isEnabled());
        EXPECT_EQ(Edit(d, FieldRefAmount)->text().trimmed(), "200000.00");
        EXPECT_TRUE(d->control(FieldRefCreate)->isEnabled());
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_TRUE(Edit(d, FieldRefAge)->hasFocus());  // given it at opening
        TypeInto(d, FieldRefAge, "45");
        // Moving on from the age fills the refinanced amount in.
        Edit(d, FieldRefCashOut)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Edit(d, FieldRefRefinanced)->text(),
                  QString::fromStdString(Format("%-12.2f", 200000 - PrincipalPaidBefore(40, 200000, 6, 30, 45))));
        TypeInto(d, FieldRefCashOut, "10000");
        TypeInto(d, FieldRefNewRate, "4.5");
        TypeInto(d, FieldRefNewYears, "20");
        TypeInto(d, FieldRefClosing, "3000");
        TypeInto(d, FieldRefPoints, "1");
        Edit(d, FieldRefNewRate)->setFocus(Qt::TabFocusReason);
        Click(d, FieldRefAnalysis);
        EXPECT_EQ(Edit(d, FieldRefPayment)->text(), "$1,199.10");
        EXPECT_FALSE(Edit(d, FieldRefBreakEven)->text().isEmpty());
        Picture(d, "dialog-refinance.png");
        WhenShownMatching([](Window* w) { return Named(w, "RASCHEDULE"); }, details);
        Click(d, FieldRefDetails);
        WhenShownMatching(
            [](Window* w) { return w->windowTitle() == "Mortgage" && Edit(w, FieldDescription)->text() != "Elm Street"; },
            newMortgage);
        Click(d, FieldRefCreate);
    };
    WhenShownTitled("Mortgage", [refinance](Window* d) {
        WhenShownMatching([](Window* w) { return Named(w, "REFINANCE"); }, refinance);
        Click(d, FieldRefinance);
    });
    EXPECT_EQ(EditEvent(0), 0);
    EXPECT_TRUE(detailsShown);
    EXPECT_TRUE(newMortgageShown);
    // Cancelled: the refinance Event is gone and the source sells as before.
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(scenario.events[1].eventType, EventFreeSlot);
    EXPECT_EQ(+scenario.events[0].applyRate, 80.0f);
    EXPECT_EQ(+scenario.events[0].salePercent, 94.0f);
}

}  // namespace
