// The Refinance Analysis dialog under scripted dialogs: its checks and
// messages, the refinanced amount, the result fields and files, the details
// window, and the refinance Event made from a Mortgage and undone again.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "dialogs_fixture.h"
#include "engine/payment.h"
#include "results/printing.h"
#include "results/reports.h"
#include "refinance_fixture.h"
#include "shell/refinance.h"

namespace {

class RefinanceDialogs : public DialogsTest {
protected:
    std::string graphProgram;  // a runnable kvref beside the program
    void SetUp() override {
        DialogsTest::SetUp();
        ResetCalculators();
        const std::filesystem::path bin = std::filesystem::current_path() / "bin";
        std::filesystem::create_directories(bin);
        graphProgram = (bin / "kvref").string();
        std::ofstream(graphProgram) << "#!/bin/sh\n";
        std::filesystem::permissions(graphProgram, std::filesystem::perms::owner_all);
        SetCompanionDirectory(bin.string());
        screen.programs = {graphProgram};
    }
    void TearDown() override {
        printHooks = PrintHooks{};
        DialogsTest::TearDown();
    }
    // A 30-year mortgage of 100,000 at 6 % from 40, refinanced at 45 into
    // 15 years at 4.5 %.
    static Dlg::Script Fields() {
        return {Type(FieldRefStartAge, "40"), Type(FieldRefAmount, "100000"), Type(FieldRefRate, "6"),
                Type(FieldRefYears, "30"),    Type(FieldRefAge, "45"),        Type(FieldRefNewRate, "4.5"),
                Type(FieldRefNewYears, "15"), Type(FieldRefCashOut, "0")};
    }
    static Dlg::Script With(Dlg::Script s, std::initializer_list<Dlg::Step> more) {
        s.insert(s.end(), more);
        return s;
    }
    // Runs the analysis on the fields with one field changed; the message shown.
    std::string RefusalFor(int id, const std::string& text) {
        screen.Clear();
        Script(With(Fields(), {Type(id, text), Click(FieldRefAnalysis)}));
        RefinanceDialog();
        return LastCaption() + ": " + LastText();
    }
    // The mortgage in slot 0, from 42 to 72, sold at 80.
    static void AddMortgage(int16_t applyInflation) {
        Event m = ElmStreet(applyInflation);
        m.startAge = 42;
        m.endAge = 72;
        m.acceleratedAmount = 0;
        m.accountId = 0;
        m.monthlyPayment = LevelPayment(200000, MonthlyRate(6), 360);
        scenario.events[0] = m;
        state.eventCount = 1;
    }
};

TEST_F(RefinanceDialogs, FromTheMenuAFreeAnalysisWithoutTheEventButton) {
    shell.scenarioCommands = 1;
    Script({Click(FieldRefCreate)});
    EXPECT_EQ(DispatchCommand(CmdRefinance), 0);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.caption, "Refinance Analysis");
    EXPECT_FALSE(r.Enabled(FieldRefCreate));
    EXPECT_FALSE(r.Enabled(FieldRefRefinanced));
    EXPECT_TRUE(r.Enabled(FieldRefStartAge));
    EXPECT_EQ(r.Shown(FieldRefStartAge), "0");
    EXPECT_EQ(r.Shown(FieldRefAmount), "0.0");
    EXPECT_EQ(r.Shown(FieldRefTaxRate), "15.00  ");
    EXPECT_EQ(r.Shown(FieldRefSavingsRate), "5.00   ");
    EXPECT_EQ(state.eventCount, 0);
    Script({Click(ui::IdHelp)});
    RefinanceDialog();
    EXPECT_EQ(screen.helpPages.back(), "topic1537.html");
}

TEST_F(RefinanceDialogs, ChecksInOrderWithTheirMessages) {
    EXPECT_EQ(RefusalFor(FieldRefStartAge, "0"), "AGE ERROR: This age must be between 1.0 and 120.0.");
    EXPECT_EQ(RefusalFor(FieldRefAmount, "-5"), "AMOUNT ERROR: " + MessageString(2));
    EXPECT_EQ(RefusalFor(FieldRefRate, "0"), "RATE ERROR: " + MessageString(6));
    EXPECT_EQ(RefusalFor(FieldRefYears, "0"), "Number of Years Error!: The number of years be greater than 0.");
    EXPECT_EQ(screen.messages.back().icon, ui::Icon::Exclamation);
    EXPECT_EQ(RefusalFor(FieldRefYears, "51"), "Number of Years Error!: The number of years be less than 50.");
    EXPECT_EQ(RefusalFor(FieldRefAge, "-1"), "AGE ERROR: This age must be between 1.0 and 120.0.");
    EXPECT_EQ(RefusalFor(FieldRefAge, "39"),
              "Age Error!: The age at refinancing must be greater the the age of the orginal mortgage.");
    // A refinancing age past the existing term has nothing left to refinance.
    EXPECT_EQ(RefusalFor(FieldRefAge, "70"),
              "Age Error!: The age at refinancing must be before the original mortgage is paid off.");
    EXPECT_EQ(RefusalFor(FieldRefCashOut, "-1"), "AMOUNT ERROR: " + MessageString(2));
    EXPECT_EQ(RefusalFor(FieldRefNewRate, "nan"), "RATE ERROR: " + MessageString(6));
    EXPECT_EQ(RefusalFor(FieldRefNewYears, "0"), "Number of Years Error!: The number of years be greater than 0.");
    EXPECT_EQ(RefusalFor(FieldRefTaxRate, "0"), "RATE ERROR: The Tax Rate must be between 1.00   % and 100.00 %.");
    EXPECT_EQ(RefusalFor(FieldRefSavingsRate, "201"),
              "RATE ERROR: The Savings Rate must be between -200.00% and 200.00 %.");
    EXPECT_EQ(RefusalFor(FieldRefClosing, "inf"),
              "Closing Costs Error!: The closing costs must be between -100000000.00 and 100000000.00.");
    // Nothing was shown for a refused analysis.
    EXPECT_EQ(dialogs.Last().Text(FieldRefBreakEven), "");
}

TEST_F(RefinanceDialogs, SavingsThatOutgrowTheFiguresAreRefusedWithoutNaN) {
    Script({Type(FieldRefStartAge, "70"), Type(FieldRefAmount, "100000"), Type(FieldRefRate, "6"),
            Type(FieldRefYears, "50"), Type(FieldRefAge, "70"), Type(FieldRefNewRate, "3"),
            Type(FieldRefNewYears, "50"), Type(FieldRefCashOut, "0"), Type(FieldRefSavingsRate, "200"),
            Type(FieldRefTaxRate, "1"), Click(FieldRefAnalysis), Click(FieldRefGraph)});
    RefinanceDialog();
    EXPECT_EQ(LastCaption(), "RATE ERROR");
    EXPECT_EQ(LastText(), "The savings grow beyond what can be shown. Please use a lower savings rate.");
    EXPECT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(dialogs.Last().Text(FieldRefLoan), "");
    EXPECT_TRUE(screen.launches.empty());
}

TEST_F(RefinanceDialogs, LeavingTheAgeOrCashOutFillsTheRefinancedAmount) {
    const float paid = PrincipalPaidBefore(40, 100000, 6, 30, 45);
    Script(With(Fields(), {Dlg::Leave(FieldRefAge)}));
    RefinanceDialog();
    EXPECT_EQ(dialogs.Last().Text(FieldRefRefinanced), Format("%-12.2f", 100000 - paid));
    EXPECT_EQ(dialogs.Last().Text(FieldRefLoan), Format("%-12.2f", 100000 - paid));
    // At the start age nothing is paid yet: the amount plus the cash out.
    Script(With(Fields(), {Type(FieldRefAge, "40"), Type(FieldRefCashOut, "5000"), Dlg::Leave(FieldRefCashOut)}));
    RefinanceDialog();
    EXPECT_EQ(dialogs.Last().Text(FieldRefRefinanced), "105000.00   ");
    // An age left at 0 counts no principal; one out of range is refused.
    Script(With(Fields(), {Type(FieldRefAge, "0"), Dlg::Leave(FieldRefAge)}));
    RefinanceDialog();
    EXPECT_EQ(dialogs.Last().Text(FieldRefRefinanced), "100000.00   ");
    Script(With(Fields(), {Type(FieldRefAge, "121"), Dlg::Leave(FieldRefAge)}));
    RefinanceDialog();
    EXPECT_EQ(LastCaption(), "AGE ERROR");
    // Without a rate the payment is undefined: nothing paid, never NaN.
    Script(With(Fields(), {Type(FieldRefRate, "0"), Dlg::Leave(FieldRefAge)}));
    RefinanceDialog();
    EXPECT_EQ(dialogs.Last().Text(FieldRefRefinanced), "100000.00   ");
}

TEST_F(RefinanceDialogs, AnalysisShowsItsFiguresAndGraphStartsTheCompanion) {
    Script(With(Fields(), {Type(FieldRefClosing, "2000"), Click(FieldRefAnalysis), Click(FieldRefGraph)}));
    RefinanceDialog();
    const auto& r = dialogs.Last();
    const RefinanceResult expected = [] {
        RefinanceInput in;
        in.startAge = 40, in.years = 30, in.amount = 100000, in.rate = 6, in.refinanceAge = 45;
        in.newRate = 4.5f, in.newYears = 15, in.closingCosts = 2000, in.taxRate = 15, in.savingsRate = 5;
        return RunRefinance(in);
    }();
    EXPECT_EQ(r.Text(FieldRefPayment), "$599.55");  // PMT(0.5%, 360, -100000)
    EXPECT_EQ(r.Text(FieldRefRefinanced), Format("%-12.2f", expected.refinanced));
    EXPECT_EQ(r.Text(FieldRefLoan), Dollars("%-12.2f", expected.loan));
    EXPECT_EQ(r.Text(FieldRefNewPayment), Dollars("%-12.2f", expected.newPayment));
    EXPECT_EQ(r.Text(FieldRefCosts), "$2,000.00");
    EXPECT_EQ(r.Text(FieldRefBreakEven), Format("%-3d", expected.breakEvenMonths));
    // Outside the details the table file holds its header and end lines only.
    EXPECT_EQ(ReadText(RefinanceTableFile).substr(ReadText(RefinanceTableFile).find('\n') + 1), "Dooone\nDooone\n");
    ASSERT_EQ(screen.launches.size(), 1u);
    EXPECT_EQ(screen.launches[0].program, graphProgram);
    EXPECT_EQ(screen.launches[0].arguments, std::vector<std::string>{"ref.tmp"});
    EXPECT_EQ(ReadText(RefinanceGraphFile).substr(0, 2), "1\n");
}

TEST_F(RefinanceDialogs, DetailsListTheYearsWriteTheTableAndPrintIt) {
    static std::vector<std::pair<int, int>> jobs;
    jobs.clear();
    printHooks.printPages = [](int pages, int kind) {
        jobs.emplace_back(pages, kind);
        return 1;
    };
    dialogHooks.printRefinance = PrintRefinanceDetails;
    Script(With(Fields(), {Type(FieldRefAge, "41"), Click(FieldRefDetails)}));
    Script({Click(FieldRefPrint), Click(ui::IdOk)});
    RefinanceDialog();
    const auto& details = dialogs.Find("Refinance Analysis");
    EXPECT_EQ(details.name, "RASCHEDULE");
    const auto& rows = details.items.at(FieldRefTable);
    ASSERT_EQ(rows.size(), 2u * (70 - 41 + 1));
    EXPECT_EQ(rows[0].substr(0, 5), " 41 O");
    EXPECT_EQ(rows[3].substr(0, 5), " 42 R");
    const std::string table = ReadText(RefinanceTableFile);
    EXPECT_NE(table.find(rows[2] + "\n" + rows[3] + "\n"), std::string::npos);
    // 60 rows: 56 on the first page below its heading, 4 on the second.
    ASSERT_EQ(jobs, (std::vector<std::pair<int, int>>{{2, PrintRefinance}}));
    const std::string page1 = ReadText("rpage1"), page2 = ReadText("rpage2");
    const std::string heading =
        "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t"
        "-Savings Interest\t-Tax on Interest\t\n-----------------------\n";
    EXPECT_EQ(page1.substr(0, heading.size()), heading);
    EXPECT_EQ(page2.substr(0, heading.size()), heading);
    EXPECT_EQ(page1.substr(heading.size(), 17), "        41.00 O\t ");
    EXPECT_EQ(std::count(page1.begin(), page1.end(), '\n'), 2 + 56 + 1);
    EXPECT_EQ(std::count(page2.begin(), page2.end(), '\n'), 2 + 4 + 1);
    EXPECT_EQ(page2.substr(page2.size() - 7), "Dooone\n");
    EXPECT_NE(page2.find("        70.00 R\t"), std::string::npos);
    // A table without rows prints nothing.
    ASSERT_EQ(WriteRefinanceTable(RefinanceTableFile, {}), 1);
    EXPECT_EQ(PrintRefinanceDetails(), 0);
    EXPECT_EQ(jobs.size(), 1u);
    // Escape in the details starts the graph as its button does.
    Script(With(Fields(), {Click(FieldRefDetails)}));
    Script({});
    RefinanceDialog();
    ASSERT_FALSE(screen.launches.empty());
    EXPECT_EQ(screen.launches.back().program, graphProgram);
}

TEST_F(RefinanceDialogs, OkKeepsTheFieldsForTheNextOpeningFromAMortgage) {
    AddMortgage(0);
    Script({Type(FieldRefAge, "50"), Type(FieldRefNewRate, "5"), Type(FieldRefNewYears, "20"), Ok()});
    EXPECT_EQ(RefinanceDialogFor(0), 0);
    Script({});
    RefinanceDialogFor(0);
    const auto& r = dialogs.Last();
    EXPECT_EQ(r.Shown(FieldRefStartAge), "42.00 ");
    EXPECT_EQ(r.Shown(FieldRefAmount), "200000.00   ");
    EXPECT_EQ(r.Shown(FieldRefPayment), "$1,199.10");
    EXPECT_FALSE(r.shownEnabled.at(FieldRefAmount));
    EXPECT_EQ(r.Shown(FieldRefAge), "50.00 ");
    EXPECT_EQ(r.Shown(FieldRefNewRate), "5.00  ");
    EXPECT_EQ(r.Shown(FieldRefNewYears), "20");
    EXPECT_TRUE(r.Enabled(FieldRefCreate));
    // From the menu the template's texts stand there instead.
    Script({});
    RefinanceDialog();
    EXPECT_EQ(dialogs.Last().Shown(FieldRefAge), "0");
}

TEST_F(RefinanceDialogs, CreateThisRefinanceEventAndCancelItsMortgageDialog) {
    AddMortgage(1);
    scenario.initialValues.inflationRate = 4;
    // Mortgage dialog -> Do Refinancing Analysis -> Create, then the new
    // Event's Mortgage dialog, cancelled.
    Script({Click(FieldRefinance)});
    Script({Type(FieldRefAge, "44.6"), Type(FieldRefNewRate, "5"), Type(FieldRefNewYears, "20"),
            Type(FieldRefCashOut, "10000"), Type(FieldRefClosing, "3000"), Click(FieldRefIncludeClosing),
            Click(FieldRefCreate)});
    Script({Click(ui::IdCancel)});
    EXPECT_EQ(EditEvent(0), 0);
    const auto& opened = dialogs.Last();
    EXPECT_EQ(opened.caption, "Mortgage");
    EXPECT_EQ(opened.Shown(FieldDescription), "RF-Elm Street");
    EXPECT_EQ(opened.Shown(FieldYears), "20");
    EXPECT_EQ(state.eventCount, 1);
    EXPECT_EQ(scenario.events[1].eventType, EventFreeSlot);
    EXPECT_EQ(+scenario.events[0].applyRate, 80.0f);
    EXPECT_EQ(+scenario.events[0].salePercent, 94.0f);

    // The same, confirmed: the new Event stays and the source is sold to it.
    Script({Click(FieldRefinance)});
    Script({Type(FieldRefAge, "44.6"), Type(FieldRefNewRate, "5"), Type(FieldRefNewYears, "20"),
            Type(FieldRefCashOut, "10000"), Type(FieldRefClosing, "3000"), Click(FieldRefCreate)});
    Script({Ok()});
    EXPECT_EQ(EditEvent(0), 1);
    ASSERT_EQ(state.eventCount, 2);
    const Event e = scenario.events[1];
    EXPECT_EQ(FieldText(e.description), "RF-Elm Street");
    EXPECT_EQ(+e.eventType, EventMortgage);
    EXPECT_EQ(+e.startAge, 44.0f);
    EXPECT_EQ(+e.loanRate, 5.0f);
    EXPECT_EQ(+e.years, 20);
    EXPECT_EQ(+e.closingCosts, 3000.0f);  // not included: paid apart
    EXPECT_EQ(+e.applyRate, 120.0f);
    EXPECT_EQ(+scenario.events[0].applyRate, 44.0f);
    EXPECT_EQ(+scenario.events[0].salePercent, 0.0f);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(RefinanceDialogs, CreateRefusesWhatCannotBeRefinanced) {
    AddMortgage(0);
    auto create = [this](std::initializer_list<Dlg::Step> steps) {
        screen.Clear();
        Dlg::Script s = {Type(FieldRefAge, "50"), Type(FieldRefNewRate, "5"), Type(FieldRefNewYears, "20"),
                         Type(FieldRefCashOut, "0")};
        s.insert(s.end(), steps);
        s.push_back(Click(FieldRefCreate));
        Script(s);
        EXPECT_EQ(RefinanceDialogFor(0), 0);
        return LastCaption() + ": " + LastText();
    };
    EXPECT_EQ(create({Type(FieldRefAge, "41")}),
              "Age Error!: The age at refinancing must be greater the the age of the orginal mortgage.");
    EXPECT_EQ(create({Type(FieldRefCashOut, "260000")}),
              "AMOUNT ERROR: The cash out cannot be more than the value of the home, $250,000.00.");
    EXPECT_EQ(create({Type(FieldRefClosing, "-1")}),
              "Closing Costs Error!: The closing costs must be greater or equal to zero.");
    EXPECT_EQ(create({Type(FieldRefPoints, "-1")}),
              "Mortgage points Error!: The mortgage points must be greater or equal to zero.");
    EXPECT_EQ(state.eventCount, 1);
    // With every slot in use there is no room for the new Event.
    for (int i = 1; i < MaxEvents; ++i) {
        ResetEventSlot(i);
        scenario.events[i].eventType = EventDeposit;
    }
    state.eventCount = MaxEvents;
    Script({Click(FieldRefinance)});
    Script({Type(FieldRefAge, "50"), Type(FieldRefNewRate, "5"), Type(FieldRefNewYears, "20"),
            Type(FieldRefCashOut, "0"), Click(FieldRefCreate)});
    EXPECT_EQ(EditEvent(0), 0);
    EXPECT_EQ(LastCaption(), "Event Warning");
    EXPECT_EQ(state.eventCount, MaxEvents);
    EXPECT_EQ(+scenario.events[0].applyRate, 80.0f);
}

}  // namespace
