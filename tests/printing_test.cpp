// The page printer without a printer: header texts, page order, page files,
// the job loop over a recording device, the Results Report's pages and the
// clean-up at close.
#include <filesystem>

#include "engine_fixture.h"
#include "results/printing.h"
#include "shell/shell.h"
#include "recording_painter.h"

namespace {

// A printer that keeps what each page drew; it can refuse a page or ask for
// a cancel while a given page prints.
class RecordingDevice : public PrintDevice {
public:
    std::vector<ui::RecordingPainter> pages;
    std::vector<std::string> progress;
    std::string document;
    int refusePage = -1;   // StartPage fails for this printed page (0-based)
    int cancelDuring = -1; // the cancel arrives while this page prints
    int documentsEnded = 0, dialogsClosed = 0, ownerDisabled = 0;

    bool refuseDocument = false;
    int StartDocument(const std::string& name) override {
        document = name;
        return refuseDocument ? 0 : 1;
    }
    ui::Painter* StartPage(PageLayout& layout) override {
        if (static_cast<int>(pages.size()) == refusePage) return nullptr;
        layout.area = {100, 50, 5000, 8000};
        layout.fontHeight = 14;
        layout.titleHeight = 20;
        pages.emplace_back();
        return &pages.back();
    }
    int EndPage() override { return 1; }
    void EndDocument() override { ++documentsEnded; }
    void ShowProgress(const std::string& text) override { progress.push_back(text); }
    void CloseCancelDialog() override { ++dialogsClosed; }
    void EnableOwner(bool on) override { ownerDisabled += on ? -1 : 1; }
    void ProcessMessages() override {
        if (static_cast<int>(pages.size()) - 1 == cancelDuring) RequestPrintCancel();
    }
    // The page number line of each printed page.
    std::vector<std::string> PageNumbers() const {
        std::vector<std::string> out;
        for (const auto& p : pages)
            for (const auto& t : p.texts)
                if (t.text.rfind("Page ", 0) == 0) out.push_back(t.text);
        return out;
    }
};

class PrintingTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        shell = ShellState{};
        shellHooks = ShellHooks{};
        printState = PrintState{};
        printHooks = PrintHooks{};
        // 13:00:00 on 8 December 2026, local time.
        std::tm t{};
        t.tm_year = 126;
        t.tm_mon = 11;
        t.tm_mday = 8;
        t.tm_hour = 13;
        t.tm_isdst = -1;
        printState.headerTime = std::mktime(&t);
        SetScenarioPath("plan.ret");
    }
    void WritePages(const char* prefix, int count) {
        for (int i = 1; i <= count; ++i)
            Put(prefix + std::to_string(i), "Age\tValue\n---------\n\n65.0\t" + std::to_string(i) + ".00\nDooooone\n");
    }
    void AllPages(int count) {
        printState.fromPage = 0;
        printState.toPage = count;
    }
};

std::vector<std::string> TextsOf(const ui::RecordingPainter& p) {
    std::vector<std::string> out;
    for (const auto& t : p.texts) out.push_back(t.text);
    return out;
}

}  // namespace

TEST_F(PrintingTest, PageOrderCoversTheRangeCopiesAndCollation) {
    EXPECT_EQ(PageOrder(3, 0, 3, 1, false), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(PageOrder(3, 2, 3, 1, false), (std::vector<int>{2, 3}));
    // Collated copies come as whole sets, uncollated ones page by page.
    EXPECT_EQ(PageOrder(2, 0, 2, 2, true), (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(PageOrder(2, 0, 2, 2, false), (std::vector<int>{0, 0, 1, 1, 2, 2}));
    // A range beyond the pages written stops at the last one.
    EXPECT_EQ(PageOrder(2, 1, 9, 0, false), (std::vector<int>{1, 2}));
}

TEST_F(PrintingTest, HeaderTexts) {
    EXPECT_EQ(PrintTimeText(0, 5, 9), "12:05:09 AM ");
    EXPECT_EQ(PrintTimeText(13, 0, 0), "1:00:00 PM ");
    EXPECT_EQ(PrintTimeText(12, 30, 0), "12:30:00 PM ");
    EXPECT_EQ(PrintTimeText(11, 59, 59), "11:59:59 AM ");
    EXPECT_EQ(PrintDateText(0, 5, 126), "January 5, 2026");
    EXPECT_EQ(PrintDateText(11, 31, 99), "December 31, 2099");
    EXPECT_EQ(PrintTitle(PrintNetWorth, false), " Net Worth Report");
    EXPECT_EQ(PrintTitle(PrintOutgoing, true), "Outgoing Report");
    EXPECT_EQ(PrintTitle(PrintAccounts, true), " Accounts");
    EXPECT_EQ(PrintTitle(PrintResultsReport, false), "Financial Schedule");
    printState.selectedAge = 67;
    EXPECT_EQ(PrintTitle(PrintAccountsOutgoingAtAge, false), "Accounts Outgoing Report -- Age 67");
    printState.titleText = "Groceries";
    EXPECT_EQ(PrintTitle(PrintBudget, false), "Groceries");
    EXPECT_EQ(PrintTitle(PrintRefinance, false), "Refinance Analysis Report");
}

TEST_F(PrintingTest, HeaderLinesTakeTheSwitchedOnTitlesAndTheGrandTotal) {
    std::tm now{};
    now.tm_year = 126;
    now.tm_mon = 5;
    now.tm_mday = 1;
    now.tm_hour = 0;
    now.tm_min = 5;
    now.tm_sec = 9;
    EXPECT_EQ(PrintHeaderLines(PrintIncoming, 2, 3, now),
              (std::vector<std::string>{" Incoming Report", " File: plan.ret", "June 1, 2026", "12:05:09 AM ",
                                        "Page 2 of 3"}));
    EXPECT_EQ(PrintHeaderLines(PrintResultsReport, 0, 3, now)[1], "File: plan.ret");
    ReportOptions& o = scenario.reportOptions;
    SetFieldText(o.title1, "The Smiths");
    SetFieldText(o.title2, "Plan B");
    SetFieldText(o.title3, "Draft");
    o.title1On = o.title2On = o.title3On = 1;
    printState.grandTotal = 9;
    printState.pagesPrinted = 4;
    EXPECT_EQ(PrintHeaderLines(PrintGroups, 1, 2, now),
              (std::vector<std::string>{" Groups", "The Smiths", "               Plan B", "Draft", "Page 5 of 9"}));
}

TEST_F(PrintingTest, PageFilesAreReadUpToTheirMarker) {
    std::vector<std::string> lines;
    Put("a", "one\ttwo\n?BO\nthree\nDooooone\nafter\n");
    ASSERT_EQ(ReadPageFile("a", lines), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"one\ttwo", "?BO", "three"}));
    Put("b", "one\r\nDooone\r\nafter\n");
    ASSERT_EQ(ReadPageFile("b", lines), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"one"}));
    Put("c", "one\ntwo");  // no marker, no last line end
    ASSERT_EQ(ReadPageFile("c", lines), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(ReadPageFile("missing", lines), 0);
    EXPECT_EQ(PageFileName(PrintResultsReport, 3), "page3");
    EXPECT_EQ(PageFileName(PrintBudget, 12), "rpage12");
}

TEST_F(PrintingTest, AJobPrintsTheTitlePageThenEachPageFile) {
    WritePages("rpage", 3);
    AllPages(3);
    RecordingDevice device;
    EXPECT_EQ(RunPrintJob(device, 3, PrintNetWorth), 1);
    EXPECT_EQ(device.document, "Printing Schedule");
    EXPECT_EQ(device.PageNumbers(), (std::vector<std::string>{"Page 0 of 3", "Page 1 of 3", "Page 2 of 3", "Page 3 of 3"}));
    EXPECT_EQ(device.progress.front(), "   Now printing Page 0 of 3.....");
    EXPECT_EQ(device.progress.back(), "   Now printing Page 3 of 3.....");
    // The title page is the header block alone; page 2 shows its file.
    EXPECT_EQ(TextsOf(device.pages[0]), (std::vector<std::string>{" Net Worth Report", " File: plan.ret",
                                                                   "December 8, 2026", "1:00:00 PM ", "Page 0 of 3"}));
    EXPECT_EQ(device.pages[2].TextsWith("2.00").size(), 1u);
    EXPECT_EQ(device.documentsEnded, 1);
    EXPECT_EQ(device.dialogsClosed, 1);
    EXPECT_EQ(device.ownerDisabled, 0);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(PrintingTest, RangeAndCopiesChooseThePages) {
    WritePages("rpage", 3);
    printState.fromPage = 2;
    printState.toPage = 3;
    printState.copies = 2;
    printState.collate = 1;
    RecordingDevice device;
    EXPECT_EQ(RunPrintJob(device, 3, PrintIncoming), 1);
    EXPECT_EQ(device.PageNumbers(), (std::vector<std::string>{"Page 2 of 3", "Page 3 of 3", "Page 2 of 3", "Page 3 of 3"}));
}

TEST_F(PrintingTest, CancelStopsAfterTheCurrentPage) {
    WritePages("rpage", 3);
    AllPages(3);
    RecordingDevice device;
    device.cancelDuring = 1;
    EXPECT_EQ(RunPrintJob(device, 3, PrintOutgoing), 0);
    EXPECT_EQ(device.pages.size(), 2u);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot print page!");
    EXPECT_EQ(screen.messages[0].caption, "Print Error");
    EXPECT_EQ(device.documentsEnded, 1);
    // The next job starts without the old request.
    RecordingDevice again;
    EXPECT_EQ(RunPrintJob(again, 3, PrintOutgoing), 1);
    EXPECT_EQ(again.pages.size(), 4u);
}

TEST_F(PrintingTest, MissingPagesAndRefusedPagesEndTheJob) {
    WritePages("rpage", 1);
    AllPages(2);
    RecordingDevice device;
    EXPECT_EQ(RunPrintJob(device, 2, PrintGroups), 0);
    EXPECT_EQ(device.pages.size(), 2u);  // the title page and page 1
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot print page!");
    EXPECT_EQ(device.documentsEnded, 1);

    screen.Clear();
    RecordingDevice refusing;
    refusing.refusePage = 0;
    EXPECT_EQ(RunPrintJob(refusing, 1, PrintGroups), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot Print Title Page");
    EXPECT_EQ(screen.messages[0].caption, "Print Schedule");
    EXPECT_EQ(refusing.ownerDisabled, 0);

    screen.Clear();
    RecordingDevice absent;
    absent.refuseDocument = true;
    EXPECT_EQ(RunPrintJob(absent, 1, PrintGroups), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Invalid Printer");
    EXPECT_EQ(screen.messages[0].caption, "Print Error");
    EXPECT_TRUE(absent.pages.empty());
}

TEST_F(PrintingTest, PrintAllReportsNumbersOutOfTheGrandTotal) {
    WritePages("rpage", 2);
    AllPages(2);
    printState.grandTotal = 7;
    static std::vector<RecordingDevice> devices;
    devices.clear();
    static int refuse;
    refuse = 0;
    printHooks.printPages = [](int count, int kind) {
        if (refuse) return 0;  // the print dialog cancelled
        devices.emplace_back();
        return RunPrintJob(devices.back(), count, kind);
    };
    EXPECT_EQ(PrintPages(2, PrintNetWorth), 1);
    refuse = 1;
    EXPECT_EQ(PrintPages(2, PrintIncoming), 0);
    refuse = 0;
    EXPECT_EQ(PrintPages(2, PrintOutgoing), 1);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].PageNumbers(), (std::vector<std::string>{"Page 0 of 7", "Page 1 of 7", "Page 2 of 7"}));
    // The report not printed still counts: the next one goes on after it.
    EXPECT_EQ(devices[1].PageNumbers(), (std::vector<std::string>{"Page 4 of 7", "Page 5 of 7", "Page 6 of 7"}));
    // Without a grand total every printout counts on its own again.
    printState.grandTotal = 0;
    RecordingDevice alone;
    EXPECT_EQ(RunPrintJob(alone, 2, PrintIncoming), 1);
    EXPECT_EQ(alone.PageNumbers().back(), "Page 2 of 2");
}

TEST_F(PrintingTest, PrintPagesNeedsTheDesktopsPrinter) {
    EXPECT_EQ(PrintPages(3, PrintNetWorth), 0);
    EXPECT_TRUE(screen.messages.empty());
    static int asked[2];
    printHooks.printPages = [](int count, int kind) {
        asked[0] = count;
        asked[1] = kind;
        return 1;
    };
    EXPECT_EQ(PrintPages(3, PrintBudgetList), 1);
    EXPECT_EQ(asked[0], 3);
    EXPECT_EQ(asked[1], PrintBudgetList);
}

TEST_F(PrintingTest, ABodyDrawsCellsInColumnsRulesAndBands) {
    ui::RecordingPainter p;
    PageLayout layout;
    layout.area = {0, 0, 2000, 2000};
    layout.fontHeight = 14;
    layout.titleHeight = 20;
    ReportLook look;
    look.banding = true;
    look.band = {1, 2, 3};
    std::vector<std::string> header{"T", "F", "D", "H", "Page 1 of 1"};
    std::vector<std::string> body{"Age\tNet Worth", "---------------------------", "", " 65.0\t 12.00",
                                  " 66.0\t1234.00", "?XY"};
    DrawPrintedPage(p, layout, header, &body, PrintNetWorth, look);
    // Header: title at the top, four lines after it; the body a line lower.
    EXPECT_EQ(p.TextsWith("T")[0].y, 0);
    EXPECT_EQ(p.TextsWith("Page 1")[0].y, 14 * 4);
    auto age = p.TextsWith("Age");
    ASSERT_EQ(age.size(), 1u);
    EXPECT_EQ(age[0].y, 14 * 6);
    // The money column is right-aligned at one edge: "Net Worth" is the widest.
    auto twelve = p.TextsWith("12.00"), big = p.TextsWith("1234.00"), head = p.TextsWith("Net Worth");
    ASSERT_EQ(twelve.size(), 1u);
    EXPECT_EQ(twelve[0].x + 7 * 5, head[0].x + 7 * 9);
    EXPECT_EQ(big[0].x + 7 * 7, head[0].x + 7 * 9);
    // The dash line is a rule, the marker is not drawn, the second data row is banded.
    EXPECT_TRUE(p.TextsWith("---").empty());
    EXPECT_TRUE(p.TextsWith("?").empty());
    EXPECT_EQ(p.Count("line "), 1);
    EXPECT_EQ(p.Count("rect (1,2,3)"), 1);
    // Cells stand two blanks inside the body's edge.
    EXPECT_EQ(p.TextsWith("Age")[0].x, 14);
}

TEST_F(PrintingTest, OnResultsPagesOnlyYearRowsAreBandedAndTheHeadingIsBoxedAtItsRules) {
    ui::RecordingPainter p;
    PageLayout layout;
    layout.area = {0, 0, 3000, 3000};
    layout.fontHeight = 14;
    ReportLook look;
    look.banding = look.boxing = true;
    look.band = {1, 2, 3};
    std::string ten = "          ";
    std::vector<std::string> body{"?BO", ten + "------", ten + "\t Investment", ten + "Age\t Accounts", ten + "------",
                                  "?Bo", ten + "65.0 \t $1.00", ten + "Financial Events:", ten + "66.0 \t $2.00",
                                  ten + "67.0 \t $3.00"};
    DrawPrintedPage(p, layout, {"T", "F", "D", "H", "P"}, &body, PrintResultsReport, look);
    // The body starts at line 6: the rules stand in the middle of lines 6 and 9.
    int top = 6 * 14 + 7, bottom = 9 * 14 + 7;
    int right = p.TextsWith("$1.00")[0].x + 7 * 5 + 14;
    EXPECT_EQ(p.Count("rect (255,255,255) 0 " + std::to_string(top) + " " + std::to_string(right) + " " +
                      std::to_string(bottom)),
              1);
    // Three year rows boxed, the second one banded; heading and event lines neither.
    EXPECT_EQ(p.Count("rect (1,2,3)"), 1);
    EXPECT_EQ(p.Count("rect (1,2,3) 0 " + std::to_string(12 * 14)), 1);
    EXPECT_EQ(p.Count("rect (255,255,255)"), 1 + 3);
}

TEST_F(PrintingTest, ACrowdedPageGetsASmallerFont) {
    ui::RecordingPainter p;
    PageLayout layout;
    layout.area = {0, 0, 2000, 20 * 14};
    layout.fontHeight = 14;
    layout.titleHeight = 20;
    std::vector<std::string> body(40, "line");
    DrawPrintedPage(p, layout, {"T", "F", "D", "H", "P"}, &body, PrintNetWorth, ReportLook{});
    // 46 lines on a page of 20: the font is asked at a smaller size (the
    // recording surface keeps its metrics, so every size is tried).
    EXPECT_GT(p.Count("font 6"), 0);
}

TEST_F(PrintingTest, CentredHeaderLinesStandOnTheMiddle) {
    ui::RecordingPainter p;
    PageLayout layout;
    layout.area = {0, 0, 1000, 2000};
    ReportLook look;
    look.centred = true;
    DrawPrintedPage(p, layout, {"Net Worth Report", "x", "y", "z", "Page 0 of 1"}, nullptr, PrintNetWorth, look);
    auto title = p.TextsWith("Net Worth Report");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].x, 500 - 7 * 16 / 2);
}

// ---- Results Report pages ---------------------------------------------------------

namespace {

std::string Heading(bool rules) {
    std::string dashes = "          " + std::string(184, '-') + "\n";
    std::string text =
        "          \t      Investment\t       Tax-Free\t      Retirement\t           Asset\t          Equity\n"
        "          Age\t       Accounts\t       Accounts\t       Accounts\t       Accounts\t       Accounts\t    "
        "Liabilities\t       Net Worth\n";
    return rules ? "?BO\n" + dashes + text + dashes + "?Bo\n" : text;
}

std::string Numbered(const char* prefix, int from, int to) {
    std::string s;
    for (int i = from; i <= to; ++i) s += prefix + std::to_string(i) + "\n";
    return s;
}

}  // namespace

TEST_F(PrintingTest, ALongFirstSectionContinuesWithoutHeadingLaterPagesStartWithIt) {
    std::string source = Numbered("d", 1, 60) + std::string(184, '-') + "\n" + Numbered("y", 1, 52);
    Put(PrintFileName, source);
    EXPECT_EQ(PaginateResults(true), 4);
    std::string ten = "          ";
    std::string page1 = "          Financial Scenario:\n";
    for (int i = 1; i <= 54; ++i) page1 += ten + "d" + std::to_string(i) + "\n";
    EXPECT_EQ(Bytes("page1"), page1 + "Dooooone\n");
    std::string page2;
    for (int i = 55; i <= 60; ++i) page2 += ten + "d" + std::to_string(i) + "\n";
    EXPECT_EQ(Bytes("page2"), page2 + "Dooooone\n");
    // Schedule pages: heading (4 counted lines) and 49 lines up to 55.
    std::string page3 = Heading(true);
    for (int i = 1; i <= 49; ++i) page3 += ten + "y" + std::to_string(i) + "\n";
    EXPECT_EQ(Bytes("page3"), page3 + "Dooooone\n");
    EXPECT_EQ(Bytes("page4"), Heading(true) + ten + "y50\n" + ten + "y51\n" + ten + "y52\nDooooone\n");
}

TEST_F(PrintingTest, SectionMarksPlaceTheHeadingWhenThePageHasRoom) {
    // After 44 schedule lines the counter stands at 50: later dash lines are
    // dropped, and a "??" mark still has 5 lines before 55 for the heading.
    std::string source = "d1\n-----\n" + Numbered("a", 1, 44) + "-----\n??\nb1\n";
    Put(PrintFileName, source);
    EXPECT_EQ(PaginateResults(false), 2);
    std::string ten = "          ";
    std::string page2 = Heading(false);
    for (int i = 1; i <= 44; ++i) page2 += ten + "a" + std::to_string(i) + "\n";
    EXPECT_EQ(Bytes("page2"), page2 + Heading(false) + ten + "b1\nDooooone\n");

    // One line later there is no room: the mark is dropped.
    Put(PrintFileName, "d1\n-----\n" + Numbered("a", 1, 45) + "??\nb1\n");
    EXPECT_EQ(PaginateResults(false), 2);
    EXPECT_EQ(Bytes("page2").find(Heading(false), 1), std::string::npos);

    // "?" lines are copied but not counted.
    Put(PrintFileName, "d1\n-----\n?note\n" + Numbered("a", 1, 50));
    EXPECT_EQ(PaginateResults(false), 3);
    EXPECT_EQ(Bytes("page2").rfind(Heading(false) + ten + "?note\n" + ten + "a1\n", 0), 0u);
    EXPECT_EQ(Bytes("page3"), Heading(false) + ten + "a50\nDooooone\n");
}

TEST_F(PrintingTest, ResultsReportFailuresAreReported) {
    EXPECT_EQ(PaginateResults(true), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, ".\\ptmpsch.dat");
    EXPECT_EQ(screen.messages[0].caption, "FILE OPEN ERROR");
    screen.Clear();
    Put(PrintFileName, "d1\n");
    std::filesystem::create_directory("page1");  // a page file that cannot be created
    EXPECT_EQ(PaginateResults(true), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "page1");
    EXPECT_EQ(screen.messages[0].caption, "FILE OPEN ERROR");
}

TEST_F(PrintingTest, PrintResultsReportPaginatesASmallProjection) {
    int savings = AddAccount("Savings", AccountInvestmentSavings, 100000, 5);
    Event& gift = AddEvent(EventDeposit, 66, 66, "Gift");
    gift.amount = 1000;
    gift.oneTimeOnly = 1;
    gift.accountId = static_cast<int16_t>(+scenario.accountTable.accounts[savings].accountId);
    InstallPrintCommands();
    static int printed[2];
    printHooks.printPages = [](int count, int kind) {
        printed[0] = count;
        printed[1] = kind;
        return 1;
    };
    EXPECT_EQ(DispatchCommand(CmdPrintResults), 1);
    EXPECT_EQ(printed[1], PrintResultsReport);
    EXPECT_EQ(printed[0], 2);
    EXPECT_EQ(Bytes("page1"),
              "          Financial Scenario:\n"
              "           65.0 Initial Rates  Tax=20.00% Inflation=0.00%\n"
              "           66.0 Gift - Deposit $1,000.00 after taxes to Savings.\n"
              "          \n"
              "          \n"
              "Dooooone\n");
    std::string page2 = Bytes("page2");
    EXPECT_EQ(page2.rfind(Heading(false), 0), 0u);
    EXPECT_NE(page2.find("          65.0 \t"), std::string::npos);
    // With rectangle boxing the heading comes with its rules.
    state.reportBoxing = 1;
    EXPECT_EQ(DispatchCommand(CmdPrintResults), 1);
    EXPECT_EQ(Bytes("page2").rfind(Heading(true), 0), 0u);

    // Nothing happens while a job runs.
    printed[0] = 0;
    shell.printing = 1;
    EXPECT_EQ(DispatchCommand(CmdPrintResults), 0);
    EXPECT_EQ(printed[0], 0);
}

TEST_F(PrintingTest, ClosingDeletesTheTemporaryFilesAfterEarlierCleanUp) {
    for (const char* name : {"bigfile.tmp", "infile.tmp", "ptmpsch.dat", "page1", "page49", "rpage24", "spage1",
                             "plotinf01.tmp", "keep.ret", "page50"})
        Put(name, "x");
    static int earlier;
    earlier = 0;
    shellHooks.cleanUpPlotFiles = [] { ++earlier; };
    InstallPrintCommands();
    InstallPrintCommands();  // installing twice still cleans once
    shellHooks.cleanUpPlotFiles();
    EXPECT_EQ(earlier, 1);
    for (const char* name : {"bigfile.tmp", "infile.tmp", "ptmpsch.dat", "page1", "page49", "rpage24", "spage1",
                             "plotinf01.tmp"})
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    EXPECT_TRUE(std::filesystem::exists("keep.ret"));
    EXPECT_TRUE(std::filesystem::exists("page50"));
}
