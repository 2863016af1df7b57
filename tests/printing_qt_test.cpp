// Printing in Qt on the offscreen platform, into PDF files: the job with its
// cancel dialog, the print and page-setup dialogs, the folder as a picture
// and a printed page of the example Scenario.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "model/model.h"
#include "results/reports.h"
#include "qt_fixture.h"
#include "ui/qt/printing.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class PrintingQtTest : public QtWindowTest {
protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        printState = PrintState{};
    }
    static void PdfTo(QPrinter& printer, const char* path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    // Pages of a PDF file as Qt writes them: one "/Type /Page" object each.
    static int PdfPages(const char* path) {
        std::string pdf = Bytes(path);
        int pages = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
            pages += pdf.compare(at, 12, "/Type /Pages") != 0;
        return pages;
    }
    void OpenExample() {
        std::filesystem::copy_file(EXAMPLE_SCENARIO, "retirement.ret");
        ASSERT_EQ(OpenScenario("retirement.ret"), 1);
        SetScenarioPath("retirement.ret");
    }
    // A printed page on Letter paper at 100 dots per inch with the usual
    // margins; its ink must stay inside them. `inkRight` receives the
    // rightmost inked column.
    static QImage PagePicture(int kind, int number, int pages, int* inkRightOut = nullptr) {
        QImage page(850, 1100, QImage::Format_RGB32);
        page.fill(Qt::white);
        QRect area(100, 100, 850 - 150, 1100 - 200);
        {
            QPainter painter(&page);
            qtui::DrawPageOn(painter, area, 100, kind, number, pages);
        }
        int inkRight = -1, inkBottom = -1;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) {
                    inkRight = std::max(inkRight, x);
                    inkBottom = std::max(inkBottom, y);
                }
        if (inkRightOut) *inkRightOut = inkRight;
        EXPECT_LE(inkRight, area.right()) << kind;
        EXPECT_LE(inkBottom, area.bottom()) << kind;
        return page;
    }
    void WritePages(int count) {
        for (int i = 1; i <= count; ++i)
            Put("rpage" + std::to_string(i), " Age\tNet Worth\n---------------------------\n\n 65.0\t  1000.00\nDooooone\n");
        printState.fromPage = 0;
        printState.toPage = count;
    }
};

}  // namespace

TEST_F(PrintingQtTest, AJobPrintsTheTitlePageAndEveryPageFile) {
    WritePages(3);
    QPrinter printer(QPrinter::ScreenResolution);
    PdfTo(printer, "job.pdf");
    EXPECT_EQ(qtui::PrintPagesOn(printer, 3, PrintNetWorth), 1);
    EXPECT_EQ(PdfPages("job.pdf"), 4);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(PrintingQtTest, CancelInTheCancelDialogStopsAfterTheCurrentPage) {
    WritePages(3);
    QString seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != "PrCancel" || !w->isVisible()) continue;
            auto* text = w->findChild<QLabel*>("102");
            if (!text || !text->text().contains("Page 1 of 3")) continue;
            seen = text->text();
            w->findChild<QPushButton*>("2")->click();
        }
    });
    watch.start(0);
    QPrinter printer(QPrinter::ScreenResolution);
    PdfTo(printer, "cancelled.pdf");
    EXPECT_EQ(qtui::PrintPagesOn(printer, 3, PrintNetWorth), 0);
    watch.stop();
    EXPECT_EQ(seen, "   Now printing Page 1 of 3.....");
    EXPECT_EQ(PdfPages("cancelled.pdf"), 2);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Cannot print page!");
}

TEST_F(PrintingQtTest, CancellingThePrintDialogPrintsNothingAndSaysNothing) {
    WritePages(2);
    int printingWhileAsked = -1;
    AnswerModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<QPrintDialog*>(w), nullptr);
        printingWhileAsked = shell.printing;
        qobject_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(PrintPages(2, PrintIncoming), 0);
    EXPECT_EQ(printingWhileAsked, 1);
    EXPECT_EQ(shell.printing, 0);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(PrintingQtTest, TheResultsFoldersPrintButtonPrintsTheResultsReport) {
    MakeScenarioFile("last.ret");
    WriteSettings("last.ret");
    StartWindow();
    ShowFolder(FolderResults);
    bool asked = false;
    AnswerModal([&](QWidget* w) {
        asked = qobject_cast<QPrintDialog*>(w) != nullptr;
        qobject_cast<QDialog*>(w)->reject();
    });
    window->resultsFolder()->button(ResultsPrint)->click();
    EXPECT_TRUE(asked);
    // The pages were cut before the printer was asked for.
    EXPECT_NE(Bytes("page1").find("Financial Scenario:"), std::string::npos);
    EXPECT_EQ(shell.printing, 0);
}

TEST_F(PrintingQtTest, PageSetupStoresMarginsAndOrientationInTheScenario) {
    state.marginLeft = 750;
    state.printOrientation = 1;
    AnswerModal([](QWidget* w) {
        ASSERT_NE(qobject_cast<QPageSetupDialog*>(w), nullptr);
        if (auto* landscape = w->findChild<QRadioButton*>("landscape")) landscape->click();
        qobject_cast<QDialog*>(w)->accept();
    });
    EXPECT_EQ(DispatchCommand(CmdPageSetup), 1);
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.marginLeft, 750);
    EXPECT_EQ(+scenario.pageSettings.marginLeft, 750);
    EXPECT_EQ(+scenario.pageSettings.marginBottom, state.marginBottom);
    EXPECT_EQ(state.printOrientation, 2);
    EXPECT_EQ(+scenario.pageSettings.orientation, 2);
    EXPECT_EQ(shell.printing, 0);

    // Cancel changes nothing.
    state.modified = 0;
    AnswerModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(DispatchCommand(CmdPageSetup), 1);
    EXPECT_EQ(state.modified, 0);
}

TEST_F(PrintingQtTest, TheShownFolderPrintsAsOnePicture) {
    StartWindow();
    QPrinter printer(QPrinter::ScreenResolution);
    PdfTo(printer, "window.pdf");
    ASSERT_NE(window->currentFolder(), nullptr);
    EXPECT_EQ(qtui::PrintWindowContents(window->currentFolder(), printer), 1);
    EXPECT_EQ(printer.docName(), "Window Contents");
    EXPECT_EQ(PdfPages("window.pdf"), 1);
    EXPECT_EQ(qtui::PrintWindowContents(nullptr, printer), 0);
}

TEST_F(PrintingQtTest, APrintedResultsPageOfTheExampleFitsItsPaper) {
    OpenExample();
    ASSERT_EQ(RunProjection(OutputPrintFile), 1);
    state.reportBoxing = 1;
    int pages = PaginateResults(true);
    ASSERT_GE(pages, 3);
    int inkRight = 0;
    QImage page = PagePicture(PrintResultsReport, 2, pages, &inkRight);
    // The schedule's eight columns reach across the page.
    EXPECT_GT(inkRight, 100 + 700 * 3 / 4);
    if (const char* dir = std::getenv("TILLORY_SCREENSHOTS"))
        page.save(QString(dir) + "/print-results-page.png");

    // On the printer: the title page and every page file.
    printState.fromPage = 0;
    printState.toPage = pages;
    QPrinter printer(QPrinter::ScreenResolution);
    PdfTo(printer, "results.pdf");
    EXPECT_EQ(qtui::PrintPagesOn(printer, pages, PrintResultsReport), 1);
    EXPECT_EQ(PdfPages("results.pdf"), pages + 1);
}

TEST_F(PrintingQtTest, PrintedReportPagesOfTheExampleFitTheirPaper) {
    OpenExample();
    ASSERT_EQ(RunProjection(OutputResultsList), 1);
    for (int report : {ReportNetWorth, ReportAccountFlows}) {
        int pages = WriteReport(report, 1);
        ASSERT_GE(pages, 1) << report;
        QImage page = PagePicture(report, 1, pages);
        if (const char* dir = std::getenv("TILLORY_PRINT_PICTURES"))
            page.save(QString(dir) + "/report" + QString::number(report) + ".png");
    }
}
