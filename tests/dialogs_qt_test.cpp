// The dialogs as real Qt windows on the offscreen platform: typing into the
// fields and pressing OK reaches the Scenario. With TILLORY_DIALOG_PICTURES
// set to a folder, the Withdrawal, Mortgage and Account Information dialogs
// are saved there as pictures.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "qt_dialogs_fixture.h"
#include "shell/safe_spending.h"
#include "ui/qt/dialog_lists.h"
#include "ui/qt/folders.h"
#include "ui/qt/modules.h"
#include "scripted_dialogs.h"
#include "scripted_ui.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

TEST_F(QtDialogs, WithdrawalTypedAndConfirmedWithEnter) {
    WhenShown([](qtui::TemplateDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Withdrawal");
        TypeInto(d, FieldDescription, "Travel");
        TypeInto(d, FieldStartAge, "45.7");
        TypeInto(d, FieldEndAge, "70");
        TypeInto(d, FieldAmount, "12000");
        TypeInto(d, FieldApplyRate, "1.5");
        auto* combo = qobject_cast<QComboBox*>(d->control(FieldAccount));
        combo->setCurrentIndex(2);
        QTest::mouseClick(qobject_cast<QCheckBox*>(d->control(FieldInflation)), Qt::LeftButton);
        Picture(d, "dialog-withdrawal.png");
        QTest::keyClick(Edit(d, FieldApplyRate), Qt::Key_Return);
    });
    EXPECT_EQ(WithdrawalDialog(), 1);
    const Event e = scenario.events[0];
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(FieldText(scenario.events[0].description), "Travel");
    EXPECT_EQ(+e.startAge, 45.0f);
    EXPECT_EQ(+e.amount, 12000.0f);
    EXPECT_EQ(+e.applyRate, 1.5f);
    EXPECT_EQ(+e.applyInflation, 1);
    EXPECT_EQ(+e.accountId, IdOf("Checking"));
}

// A dialog's Help page opened as a window of the main window: behind the
// modal dialog and blocked by it.
TEST_F(QtDialogs, ADialogsHelpPageComesUpInFrontOfItAndStaysAfterIt) {
    qtui::QtUi qui(window.get());
    ui::ScopedUi scoped(&qui);
    window->show();
    qtui::HelpWindow* help = window->helpWindow();
    bool shown = false;
    QWidget* owner = nullptr;
    WhenShown([&](qtui::TemplateDialog* d) {
        Button(d, ui::IdHelp)->click();
        shown = help->isVisible();
        owner = help->parentWidget();
        EXPECT_EQ(owner, d);
        EXPECT_TRUE(help->isWindow());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(WithdrawalDialog(), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(help->parentWidget(), window.get());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(window->helpWindow(), help);
}

TEST_F(QtDialogs, RefusedValueKeepsTheDialogOpenAndEscapeCancels) {
    ui::ScriptedUi* messages = &screen;
    WhenShown([messages](qtui::TemplateDialog* d) {
        TypeInto(d, FieldStartAge, "50");
        TypeInto(d, FieldEndAge, "60");
        TypeInto(d, FieldAmount, "0");
        qobject_cast<QPushButton*>(d->control(ui::IdOk))->click();
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].caption, "AMOUNT ERROR");
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(DepositDialog(), 0);
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_EQ(+scenario.events[0].startAge, 50.0f);
}

TEST_F(QtDialogs, MortgageEscapeAfterCalculatePutsTheEventBackAndAccountInformationPictures) {
    ResetEventSlot(0);
    Event& m = scenario.events[0];
    m.eventType = EventMortgage;
    SetFieldText(m.description, "House on Elm Street");
    m.startAge = 42;
    m.endAge = 72;
    m.amount = 250000;
    m.rate2 = 50000;
    m.loanRate = 6.25f;
    m.years = 30;
    m.rate3 = 3;
    m.salePercent = 94;
    m.taxes = 3200;
    m.closingCosts = 4000;
    m.applyInflation = 1;
    m.option = 1;
    m.acceleratedAmount = 100;
    m.paymentAccountId = static_cast<int16_t>(IdOf("Checking"));
    m.paymentAccountAssigned = AccountAssignedMarker;
    state.eventCount = 1;
    WhenShown([](qtui::TemplateDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Mortgage");
        qobject_cast<QPushButton*>(d->control(FieldCalculate))->click();
        EXPECT_EQ(Edit(d, FieldMonthlyPayment)->text(), "$1,231.43");
        Picture(d, "dialog-mortgage.png");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(EditEvent(0), 0);
    EXPECT_EQ(+scenario.events[0].monthlyPayment, 0.0f);  // Calculate's figure goes with the Escape

    SetFieldText(scenario.settings.groupName[0], "Fixed income");
    scenario.accountOptions.penaltyRate[scenario.accountTable.accounts[0].optionsSlot] = 10;
    scenario.accountOptions.penaltyAge[scenario.accountTable.accounts[0].optionsSlot] = 59;
    scenario.accountTable.accounts[0].penaltyApplies = 1;
    WhenShown([](qtui::TemplateDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Account Information");
        EXPECT_TRUE(d->control(FieldPenaltyAge)->isEnabled());
        TypeInto(d, FieldInitialAmount, "25000");
        Picture(d, "dialog-account-information.png");
        qobject_cast<QPushButton*>(d->control(ui::IdOk))->click();
    });
    EXPECT_EQ(AccountListEdit(0), 1);
    EXPECT_EQ(+scenario.accountTable.accounts[0].initialAmount, 25000.0f);
}

TEST_F(QtDialogs, MonteCarloTrackBarStoresAtOnceAndCancelKeepsIt) {
    scenario.settings.mcDistribution = 0;
    scenario.settings.mcRangeFactor = 2;
    state.mcTrials = 100;
    WhenShown([](qtui::TemplateDialog* d) {
        auto* bar = qobject_cast<QSlider*>(d->control(FieldFactor));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->value(), 2);
        TypeInto(d, FieldTrials, "900");
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        EXPECT_EQ(Edit(d, FieldFactorValue)->text(), "4");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(MonteCarloSettingsDialog(), 0);
    EXPECT_EQ(+scenario.settings.mcRangeFactor, 4);
    EXPECT_EQ(state.mcTrials, 100);
}

TEST_F(QtDialogs, ScenarioFolderListsEventsAndDeletesTheSelectedOne) {
    ResetEventSlot(0);
    scenario.events[0].eventType = EventDeposit;
    scenario.events[0].startAge = 50;
    scenario.events[0].endAge = 55;
    scenario.events[0].amount = 1000;
    SetFieldText(scenario.events[0].description, "Inheritance");
    state.eventCount = 1;
    qtui::QtUi qui(window.get());
    ui::ScopedUi shown(&qui);
    window->show();
    SelectFolderTab(TabOfFolder(FolderScenario), 9999);
    auto* folder = qobject_cast<qtui::ScenarioFolder*>(window->currentFolder());
    ASSERT_NE(folder, nullptr);
    int row = scenario.events[0].listRow;
    ASSERT_GT(row, 0);
    ASSERT_GT(folder->list()->count(), row);
    EXPECT_TRUE(folder->list()->item(row)->text().contains("Inheritance"));
    folder->list()->setCurrentRow(row);
    folder->findChild<QPushButton*>("eventDelete")->click();
    EXPECT_EQ(state.eventCount, 0);
    EXPECT_FALSE(folder->list()->item(row) && folder->list()->item(row)->text().contains("Inheritance"));
}

TEST_F(QtDialogs, AddEventClosesWithOkEscapeOrTheCloseButtonAndOpensTheEventDialogs) {
    EXPECT_EQ(DispatchCommand(CmdAddEvent), 1);
    QPointer<qtui::TemplateDialog> chooser = qtui::QtDialogHost::Current();
    ASSERT_TRUE(chooser);
    EXPECT_EQ(chooser->windowTitle(), "Add Event");
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_TRUE(shell.windowOpen[WindowAddEvent]);
    bool withdrawalShown = false;
    WhenShownTitled("Withdrawal", [&withdrawalShown](qtui::TemplateDialog* d) {
        withdrawalShown = true;
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Button(chooser, FieldAddWithdrawal)->click();
    EXPECT_TRUE(withdrawalShown);
    EXPECT_EQ(state.eventCount, 0);
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_TRUE(shell.windowOpen[WindowAddEvent]);
    Button(chooser, ui::IdOk)->click();
    EXPECT_FALSE(chooser && chooser->isVisible());
    EXPECT_FALSE(shell.windowOpen[WindowAddEvent]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(chooser);  // the window went, not just out of sight

    ASSERT_EQ(AddEventDialog(), 1);
    chooser = qtui::QtDialogHost::Current();
    QTest::keyClick(chooser, Qt::Key_Escape);
    EXPECT_FALSE(chooser && chooser->isVisible());
    EXPECT_FALSE(shell.windowOpen[WindowAddEvent]);
    ASSERT_EQ(AddEventDialog(), 1);
    chooser = qtui::QtDialogHost::Current();
    chooser->close();
    EXPECT_FALSE(chooser && chooser->isVisible());
    EXPECT_FALSE(shell.windowOpen[WindowAddEvent]);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(QtDialogs, DisabledFieldsGreyTheirLabels) {
    scenario.settings.mcDistribution = 1;
    WhenShown([](qtui::TemplateDialog* d) {
        QLabel* label = LabelOf(d, FieldFactor);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Select Distribution Factor");
        EXPECT_FALSE(d->control(FieldFactor)->isEnabled());
        EXPECT_FALSE(label->isEnabled());
        qobject_cast<QAbstractButton*>(d->control(FieldKindRange))->click();
        EXPECT_TRUE(label->isEnabled());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    MonteCarloSettingsDialog();
    WhenShown([](qtui::TemplateDialog* d) {
        // Checking is Investment Savings: no penalty.
        for (int id : {FieldPenaltyRate, FieldPenaltyAge}) {
            ASSERT_NE(LabelOf(d, id), nullptr);
            EXPECT_FALSE(LabelOf(d, id)->isEnabled()) << id;
        }
        QTest::keyClick(d, Qt::Key_Escape);
    });
    AccountListEdit(1);
}

TEST_F(QtDialogs, AccountsFolderAddRunsTheProjectionAsTheAddAccountCommandDoes) {
    qtui::QtUi qui(window.get());
    ui::ScopedUi shown(&qui);
    window->show();
    SelectFolderTab(TabOfFolder(FolderAccounts), 9999);
    auto* folder = qobject_cast<qtui::AccountsFolder*>(window->currentFolder());
    ASSERT_NE(folder, nullptr);
    QPushButton* add = nullptr;
    for (QPushButton* b : folder->findChildren<QPushButton*>())
        if (b->text() == "&Add") add = b;
    ASSERT_NE(add, nullptr);
    int runs = shell.runs;
    WhenShownTitled("Account Information", [](qtui::TemplateDialog* d) {
        TypeInto(d, FieldAccountName, "Brokerage");
        TypeInto(d, FieldInitialAmount, "1000");
        Button(d, ui::IdOk)->click();
    });
    add->click();
    EXPECT_EQ(scenario.accountTable.accountCount, 4);
    EXPECT_GT(shell.runs, runs);
    EXPECT_EQ(state.needsRecalc, 0);
    EXPECT_EQ(folder->table()->rowCount(), 4);
}

TEST_F(QtDialogs, EffectiveRateFillsTheInvestmentCalculatorsRate) {
    ResetCalculators();
    WhenShownTitled("Taxes, Inflation and Your Investment", [](qtui::TemplateDialog* d) {
        TypeInto(d, FieldInvAmount, "10000");
        TypeInto(d, FieldInvYears, "10");
        WhenShownTitled("Calculate Effective Yearly Rate", [](qtui::TemplateDialog* e) {
            EXPECT_FALSE(Edit(e, FieldOtherPeriods)->isEnabled());
            TypeInto(e, FieldNominal, "6");
            qobject_cast<QAbstractButton*>(e->control(FieldMonthly))->click();
            Button(e, FieldUseRate)->click();
            Picture(e, "dialog-effective-rate.png");
            Button(e, ui::IdOk)->click();
        });
        Button(d, FieldInvEffective)->click();
        EXPECT_EQ(Edit(d, FieldInvRate)->text(), "6.1678  ");
        TypeInto(d, FieldInvTax, "25");
        TypeInto(d, FieldInvInflation, "2.5");
        Button(d, FieldInvCalculate)->click();
        EXPECT_EQ(d->control(FieldInvYearsShown)->property("text").toString(), "10");
        Picture(d, "dialog-tax-inflation.png");
        Button(d, ui::IdOk)->click();
    });
    EXPECT_EQ(DispatchCommand(CmdTaxInflationInvestment), 1);
    EXPECT_EQ(shell.windowOpen[WindowCalculator], 0);
    EXPECT_EQ(shell.windowOpen[WindowEffectiveRate], 0);
}

TEST_F(QtDialogs, AcceleratedAnalysisFromTheMortgageBeingEdited) {
    ResetCalculators();
    ResetEventSlot(0);
    Event& m = scenario.events[0];
    m.eventType = EventMortgage;
    SetFieldText(m.description, "House");
    m.startAge = 40;
    m.endAge = 70;
    m.amount = 250000;
    m.rate2 = 50000;
    m.loanRate = 6.25f;
    m.years = 30;
    state.eventCount = 1;
    WhenShownTitled("Mortgage", [](qtui::TemplateDialog* d) {
        TypeInto(d, FieldAccelerated, "150");
        WhenShownTitled("Accelerated Mortgage Payment Analysis", [](qtui::TemplateDialog* a) {
            EXPECT_EQ(Edit(a, FieldAccAmount)->text(), "200000.00    ");
            Button(a, FieldAccCalculate)->click();
            EXPECT_EQ(a->control(FieldAccNewPayment)->property("text").toString(), "$1,381.43");
            Picture(a, "dialog-accelerated.png");
            Button(a, ui::IdOk)->click();
        });
        Button(d, FieldAcceleratedAnalysis)->click();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(EditEvent(0), 0);
    EXPECT_EQ(shell.windowOpen[WindowCalculator], 0);
}

TEST_F(QtDialogs, TradeOffPeriodsStepWithTheArrows) {
    ResetCalculators();
    ReadTradeOffSettings();
    WhenShownTitled("Trade-Off Analysis", [](qtui::TemplateDialog* d) {
        TypeInto(d, FieldTradeFixedCost, "1000");
        TypeInto(d, FieldTradeIncome, "100");
        Button(d, FieldTradeCalculate)->click();
        auto* periods = qobject_cast<QSpinBox*>(d->control(FieldTradePeriods));
        ASSERT_NE(periods, nullptr);
        EXPECT_EQ(periods->maximum(), 100);
        periods->setValue(12);  // as twelve steps up
        EXPECT_EQ(d->control(FieldTradeEnd)->property("text").toString(), "200.00    ");
        Picture(d, "dialog-trade-off.png");
        Button(d, ui::IdOk)->click();
    });
    EXPECT_EQ(DispatchCommand(CmdTradeOff), 1);
    ResetCalculators();
    ReadTradeOffSettings();
    std::remove("tradeinf.dat");
}

// Find Safe Spending as a real window on the bundled example: Start runs the
// search to its answer; a second search is stopped by Escape from inside the
// search, where the window handles its input. With TILLORY_DIALOG_PICTURES the
// answer is saved as dialog-safe-spending.png.
TEST_F(QtDialogs, SafeSpendingAnswersAndEscapeStopsARunningSearch) {
    qtui::QtUi qui(window.get());
    ui::ScopedUi scoped(&qui);
    ASSERT_EQ(OpenScenario(TILLORY_EXAMPLES "/retirement.ret"), 1);
    SortEvents();
    const std::vector<char> before(reinterpret_cast<const char*>(&scenario),
                                   reinterpret_cast<const char*>(&scenario) + sizeof scenario);
    QString answer, stopped;
    bool offered = false, aliveDuringSearch = false;
    WhenShownTitled("Find Safe Spending", [&](qtui::TemplateDialog* d) {
        auto* events = qobject_cast<QComboBox*>(d->control(FieldSafeEvent));
        EXPECT_EQ(events->currentText(), "3. Living expenses");
        Button(d, ui::IdOk)->click();
        answer = Edit(d, FieldSafeAmount)->text();
        offered = Button(d, FieldSafeApply)->isEnabled();
        Picture(d, "dialog-safe-spending.png");
        QTimer::singleShot(0, d, [&aliveDuringSearch, d] {
            aliveDuringSearch = Button(d, ui::IdCancel)->text() == "Cancel" && !Button(d, ui::IdOk)->isEnabled();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        // The window handles input every 50 ms of a search; at the plan's 100
        // trials a fast machine finishes the whole search sooner than that.
        state.mcTrials = 1000;
        Button(d, ui::IdOk)->click();
        stopped = Edit(d, FieldSafeProgress)->text();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    const int trials = state.mcTrials;
    EXPECT_EQ(SafeSpendingDialog(), 0);
    state.mcTrials = trials;
    EXPECT_EQ(answer, "$44,511.00");  // as tillory-cli safe-spending finds it
    EXPECT_TRUE(offered);
    EXPECT_TRUE(aliveDuringSearch);
    // How far the search got before Escape depends on the machine's speed:
    // either stop says so.
    EXPECT_TRUE(stopped.startsWith("Stopped")) << stopped.toStdString();
    EXPECT_EQ(std::memcmp(before.data(), &scenario, sizeof scenario), 0);
}

}  // namespace
