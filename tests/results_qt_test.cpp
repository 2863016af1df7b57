// The result folders in the main window on the offscreen platform, over the
// bundled example: what they show, and what the pointer does on them.
#include <cstring>

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "bench/largest_scenario.h"
#include "montecarlo/montecarlo.h"
#include "qt_fixture.h"
#include "ui/qt/folders.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class ResultFoldersTest : public QtWindowTest {
protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        accountList = AccountListState{};
        summaryPanel = SummaryState{};
        StartWindow(EXAMPLE_SCENARIO);
        window->resize(860, 640);
    }
    template <typename T>
    T* Shown(int folder) {
        ShowFolder(folder);
        QApplication::processEvents();
        return qobject_cast<T*>(window->currentFolder());
    }
    // Saves the main window as docs would show it, when asked to.
    void Picture(const char* name) {
        QByteArray dir = qgetenv("TILLORY_SCREENSHOTS");
        QApplication::processEvents();
        QImage image = window->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (!dir.isEmpty()) image.save(QString::fromLocal8Bit(dir) + "/" + name);
    }
    // How many pixels of `folder` have colour `c`.
    static int Pixels(QWidget* folder, QColor c) {
        QImage image = folder->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == c;
        return n;
    }
};

TEST_F(ResultFoldersTest, SummaryShowsThreeGraphsAndThePanel) {
    auto* summary = Shown<qtui::GraphFolder>(FolderSummary);
    if (!summary) {  // the maker's page holds the first tab at start
        ShowFolder(FolderNetWorth);
        summary = Shown<qtui::GraphFolder>(FolderSummary);
    }
    ASSERT_NE(summary, nullptr);
    EXPECT_GT(Pixels(summary, QColor(0, 0, 255)), 100);  // the net worth curve
    Picture("folder-summary.png");
}

TEST_F(ResultFoldersTest, NetWorthInEachStyleAndThePieOfAnAge) {
    auto* graph = Shown<qtui::GraphFolder>(FolderNetWorth);
    ASSERT_NE(graph, nullptr);
    Picture("folder-networth-lines.png");
    QPoint inside(graph->width() / 3, graph->height() / 2);
    QTest::mouseDClick(graph, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_EQ(graph->view().style, StyleBars);
    Picture("folder-networth-bars.png");
    QTest::mouseDClick(graph, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_EQ(graph->view().style, StyleDepth);
    Picture("folder-networth-depth.png");
    QTest::mouseDClick(graph, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_EQ(graph->view().style, StyleLines);

    // Two picked ages and Shift + right click: the age window.
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(graph->width() / 4, graph->height() / 2));
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(graph->width() / 2, graph->height() / 2));
    QTest::mouseClick(graph, Qt::RightButton, Qt::ShiftModifier, inside);
    EXPECT_EQ(graph->view().windowOn, 1);
    QTest::mouseClick(graph, Qt::RightButton, Qt::ShiftModifier, inside);
    EXPECT_EQ(graph->view().windowOn, 0);

    QTest::mouseDClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(graph->width() / 5, graph->height() / 2));
    EXPECT_EQ(graph->view().showPies, 1);
    EXPECT_GE(graph->view().selectedRow, 0);
    Picture("folder-networth-pie.png");
    QTest::mouseDClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(graph->view().showPies, 0);
}

// View > "Show In Today's Dollars" is a check item, off at start, that
// deflates the folder shown and says so in its heading.
TEST_F(ResultFoldersTest, TodaysDollarsIsACheckItemOfTheViewMenu) {
    auto* graph = Shown<qtui::GraphFolder>(FolderNetWorth);
    ASSERT_NE(graph, nullptr);
    QAction* item = window->action(CmdTodaysDollars);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(shell.todaysDollars, 1);
    Picture("graph-todays-dollars.png");
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(shell.todaysDollars, 0);
}

// A double-click in a Summary quarter shows its pies, with no age left
// picked by its first press; a right click on a slice then reads it out.
TEST_F(ResultFoldersTest, SummaryPiesAnswerARightClickOnASlice) {
    auto* summary = Shown<qtui::GraphFolder>(FolderSummary);
    if (!summary) {
        ShowFolder(FolderNetWorth);
        summary = Shown<qtui::GraphFolder>(FolderSummary);
    }
    ASSERT_NE(summary, nullptr);
    summary->grab();
    QPoint inside(summary->width() / 5, summary->height() / 4);
    QTest::mouseClick(summary, Qt::LeftButton, Qt::NoModifier, inside);
    ASSERT_EQ(summary->view(0).pickedCount, 1);
    QTest::mouseDClick(summary, Qt::LeftButton, Qt::NoModifier, inside);
    ASSERT_EQ(summary->view(0).showPies, 1);
    EXPECT_EQ(summary->view(0).pickedCount, 0);

    // A slice of the Net Worth pie in the top left quarter.
    QImage image = summary->grab().toImage();
    QPoint slice(-1, -1);
    for (int y = 0; y < image.height() / 2 && slice.x() < 0; ++y)
        for (int x = 0; x < image.width() / 2 && slice.x() < 0; ++x) {
            QColor c = image.pixelColor(x, y);
            for (int k = 1; k <= 5; ++k) {
                Colour g = GraphColour(k);
                // Inside the slice, clear of its outline and of the label swatches.
                QPoint at(x + 6, y + 6);
                if (c == QColor(g.r, g.g, g.b) && image.pixelColor(at) == c && x < image.width() / 4) slice = at;
            }
        }
    ASSERT_GE(slice.x(), 0);
    const QColor tip(255, 255, 225);
    EXPECT_EQ(Pixels(summary, tip), 0);
    QTest::mouseClick(summary, Qt::RightButton, Qt::NoModifier, slice);
    EXPECT_GT(Pixels(summary, tip), 100);
}

TEST_F(ResultFoldersTest, AccountListSortsTheScenarioByAHeadingClick) {
    auto* folder = Shown<qtui::AccountsFolder>(FolderAccounts);
    ASSERT_NE(folder, nullptr);
    QTableWidget* table = folder->table();
    ASSERT_EQ(table->rowCount(), scenario.accountTable.accountCount);
    EXPECT_EQ(table->columnCount(), 14);
    EXPECT_EQ(table->horizontalHeaderItem(7)->text(), "Amount");
    emit table->horizontalHeader()->sectionClicked(7);
    for (int r = 1; r < table->rowCount(); ++r)
        EXPECT_LE(+scenario.accountTable.accounts[r - 1].initialAmount, +scenario.accountTable.accounts[r].initialAmount);
    EXPECT_EQ(table->item(0, 0)->text(), QString::fromLocal8Bit(FieldText(scenario.accountTable.accounts[0].name)));
}

TEST_F(ResultFoldersTest, AccountListButtonsDeleteAndSortByWithdrawalOrder) {
    auto* folder = Shown<qtui::AccountsFolder>(FolderAccounts);
    ASSERT_NE(folder, nullptr);
    // An account no event needs can go; the list follows.
    int n = scenario.accountTable.accountCount;
    SetFieldText(scenario.accountTable.accounts[n].name, "Spare");
    std::memcpy(scenario.accountTable.accounts[n].accessOrder, "0", 2);
    AssignAccountId(n);
    folder->Refill();
    QTableWidget* table = folder->table();
    ASSERT_EQ(table->rowCount(), n + 1);

    QCheckBox* order = folder->findChild<QCheckBox*>();
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->text(), "Sort by withdrawal order");
    order->click();
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), "Spare");
    EXPECT_EQ(table->item(0, 0)->text(), "Spare");

    QPushButton* erase = nullptr;
    for (QPushButton* b : folder->findChildren<QPushButton*>())
        if (b->text() == "&Delete") erase = b;
    ASSERT_NE(erase, nullptr);
    int spare = -1;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == "Spare") spare = r;
    ASSERT_EQ(spare, 0);
    table->setCurrentCell(spare, 0);
    erase->click();
    EXPECT_EQ(+scenario.accountTable.accountCount, n);
    EXPECT_EQ(table->rowCount(), n);
    EXPECT_EQ(state.modified, 1);
}

TEST_F(ResultFoldersTest, MonteCarloFolderRunsTheAnalysisWhenShown) {
    scenario.settings.mcTrials = 40;
    state.mcTrials = 40;
    auto* folder = Shown<qtui::MonteCarloFolder>(FolderMonteCarlo);
    ASSERT_NE(folder, nullptr);
    for (int i = 0; i < 200 && !(monteCarlo.done && !folder->running()); ++i) QTest::qWait(20);
    EXPECT_EQ(monteCarlo.outcome, McCompleted);
    EXPECT_EQ(monteCarlo.trials, 40);
    EXPECT_FALSE(folder->picture().isNull());
    EXPECT_TRUE(QFile::exists("stats.dat"));
    Picture("folder-montecarlo.png");
}

// 1000 trials of the largest plan, drawn as they come: the folder repaints
// meanwhile, and Escape stops the analysis, which then closes over the
// trials that ran and says so.
TEST_F(ResultFoldersTest, EscapeStopsTheMonteCarloAnalysis) {
    BuildLargestRandomScenario(0, 0);
    state.mcTrials = 1000;
    state.mcMinInflationRate = scenario.settings.mcMinInflationRate;
    state.mcMaxInflationRate = scenario.settings.mcMaxInflationRate;
    const std::string firstAccount = FieldText(scenario.accountTable.accounts[0].name);
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject* watched, QEvent* e) override {
            paints += e->type() == QEvent::Paint && qobject_cast<qtui::MonteCarloFolder*>(watched);
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    QTimer escape;  // Escape once the analysis lets the window handle events
    QObject::connect(&escape, &QTimer::timeout, [&] {
        auto* shown = qobject_cast<qtui::MonteCarloFolder*>(window->currentFolder());
        if (shown && shown->running()) QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    escape.start(30);
    auto* folder = Shown<qtui::MonteCarloFolder>(FolderMonteCarlo);
    ASSERT_NE(folder, nullptr);
    for (int i = 0; i < 500 && !(monteCarlo.done && !folder->running()); ++i) QTest::qWait(20);
    escape.stop();
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(monteCarlo.outcome, McStopped);
    EXPECT_GE(monteCarlo.trialsRun, 1);
    EXPECT_LT(monteCarlo.trialsRun, 1000);
    EXPECT_GE(counter.paints, 2);
    char line[96];
    std::snprintf(line, sizeof line, "Stopped after %d of 1000 trials: ", monteCarlo.trialsRun);
    EXPECT_EQ(SuccessLine().rfind(line, 0), 0u) << SuccessLine();
    EXPECT_EQ(FieldText(scenario.accountTable.accounts[0].name), firstAccount);  // the list's own order again
    EXPECT_FALSE(ui::Current().StopRequested());  // the window takes input again
}

TEST_F(ResultFoldersTest, GraphAndMonteCarloFoldersDrawOnAPrinterPage) {
    scenario.settings.mcTrials = 5;
    state.mcTrials = 5;
    for (int folder : {FolderNetWorth, FolderSummary, FolderMonteCarlo}) {
        QWidget* page = Shown<QWidget>(folder);
        ASSERT_NE(page, nullptr);
        QTest::qWait(50);
        QFile::remove("stats.dat");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("page.pdf");
        QPainter painter(&printer);
        EXPECT_EQ(qtui::DrawFolderOnPage(page, painter, painter.viewport().adjusted(20, 20, -20, -20)), 1);
        painter.end();
        EXPECT_GT(QFile("page.pdf").size(), 1000) << folder;
        EXPECT_FALSE(QFile::exists("stats.dat")) << folder;  // a printed analysis keeps no statistics
    }
    EXPECT_EQ(monteCarlo.outcome, McCompleted);
    EXPECT_EQ(monteCarlo.trials, 5);

    // Print Current Graph prints the graph folder shown, and only a graph.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("graph.pdf");
    Shown<QWidget>(FolderIncoming);
    EXPECT_EQ(qtui::PrintShownGraph(printer), 1);
    EXPECT_GT(QFile("graph.pdf").size(), 1000);
    EXPECT_NE(FindCommand(CmdPrintGraphButton)->run, nullptr);
}

}  // namespace
