// The Qt face on the offscreen platform: what the window shows and that its
// controls reach the shell. The rules themselves are tested in shell_test.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <memory>

#include "model/model.h"
#include "qt_fixture.h"
#include "ui/qt/fonts.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class QtTest : public QtWindowTest {
protected:
    // Runs `answer` on the next modal window once it is shown.
    static void WhenModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) {
                WhenModal(answer);
                return;
            }
            answer(w);
        });
    }
    QAction* ToolbarAction(const QString& tooltip) {
        for (QAction* a : window->toolbar()->actions())
            if (a->toolTip() == tooltip) return a;
        return nullptr;
    }
};

TEST_F(QtTest, MenusCarryTheCommandTextsAndAccelerators) {
    QStringList titles;
    for (QAction* a : window->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "Tools/Aids", "Reports", "Graphs", "Help"}));
    EXPECT_EQ(window->action(CmdNew)->text(), "&New");
    EXPECT_EQ(window->action(CmdNew)->shortcut(), QKeySequence("Alt+N"));
    EXPECT_EQ(window->action(CmdSaveAs)->text(), "S&ave as..");
    EXPECT_EQ(window->action(CmdPrintResults)->shortcut(), QKeySequence("Ctrl+F1"));
    EXPECT_EQ(window->action(CmdMailMaker)->text(), "Contact K&&V Software by Email");
    // Ctrl+G reaches the toolbar's command; the menu item only shows it.
    EXPECT_EQ(window->action(CmdPrintGraph)->text(), "Print Current &Graph\tCtrl+G");
    EXPECT_TRUE(window->action(CmdPrintGraph)->shortcut().isEmpty());
    EXPECT_EQ(window->action(CmdPrintGraphButton)->shortcut(), QKeySequence("Ctrl+G"));
    EXPECT_EQ(window->action(CmdSummaryInfo)->shortcut(), QKeySequence("Shift+F11"));

    QStringList file;
    for (QAction* a : window->fileMenu()->actions())
        if (!a->isSeparator()) file << a->text();
    EXPECT_EQ(file.front(), "&New");
    EXPECT_EQ(file.back(), "E&xit");
    EXPECT_EQ(file[file.size() - 2], "A&bout..");
}

TEST_F(QtTest, ToolbarHas24ButtonsWithTheirTooltipsAndPictures) {
    QList<QAction*> actions = window->toolbar()->actions();
    ASSERT_EQ(actions.size(), 29);
    int separators = 0;
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            ++separators;
            continue;
        }
        EXPECT_FALSE(a->toolTip().isEmpty());
        EXPECT_FALSE(a->icon().isNull());
    }
    EXPECT_EQ(separators, 5);
    EXPECT_EQ(actions[0]->toolTip(), "Create a New Scenario");
    EXPECT_EQ(actions[28]->toolTip(), "Help");
    EXPECT_EQ(actions[25]->toolTip(), "Open Window's Calculator");
}

TEST_F(QtTest, StartWithoutSettingsGraysTheScenarioCommandsInMenuAndToolbar) {
    StartWindow();
    EXPECT_EQ(window->windowTitle(), "Tillory -- Pro - tmp01.ret");
    EXPECT_FALSE(window->action(CmdWithdrawal)->isEnabled());
    EXPECT_FALSE(ToolbarAction("Print the Results")->isEnabled());
    EXPECT_TRUE(ToolbarAction("Open a Scenario")->isEnabled());
    ASSERT_EQ(window->tabs()->count(), 10);
    EXPECT_EQ(window->tabs()->tabText(0), "K&&V Software");
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    EXPECT_GE(window->width(), 600);
}

TEST_F(QtTest, ResultsFolderShowsTheRunAndGoToSelectsTheAge) {
    MakeScenarioFile("last.ret");
    WriteSettings("last.ret");
    StartWindow();
    EXPECT_EQ(window->windowTitle(), "Tillory -- Pro - last.ret");
    EXPECT_TRUE(window->action(CmdWithdrawal)->isEnabled());

    // Ctrl+PgDown and Ctrl+PgUp step through the folders, wrapping round.
    const int tabs = window->tabs()->count();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->tabs()->setCurrentIndex(tabs - 1);
    QTest::keyClick(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    QTest::keyClick(window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->tabs()->currentIndex(), tabs - 1);
    window->tabs()->setCurrentIndex(FolderResults - 1);
    QTest::keyClick(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->tabs()->currentIndex(), FolderResults);

    window->tabs()->setCurrentIndex(FolderResults);  // as a click on the tab
    ASSERT_EQ(window->currentFolder(), window->resultsFolder());
    QListView* list = window->resultsFolder()->list();
    ASSERT_EQ(list->model()->rowCount(), ResultLineCount());
    EXPECT_EQ(list->currentIndex().row(), ResultLineCount() - 1);  // Bottom at first

    window->resultsFolder()->ageField()->setText("67");
    QTest::mouseClick(window->resultsFolder()->button(ResultsGoTo), Qt::LeftButton);
    EXPECT_EQ(list->currentIndex().row(), results.lineIndexByAge[67]);
    QTest::mouseClick(window->resultsFolder()->button(ResultsRunAgain), Qt::LeftButton);
    EXPECT_EQ(list->currentIndex().row(), results.lineIndexByAge[67]);
    QTest::mouseClick(window->resultsFolder()->button(ResultsTop), Qt::LeftButton);
    EXPECT_EQ(list->currentIndex().row(), 0);

    // The age check speaks through a real message box.
    QString shown;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + ": " + box->text();
        box->accept();
    });
    window->resultsFolder()->ageField()->setText("130");
    QTest::mouseClick(window->resultsFolder()->button(ResultsGoTo), Qt::LeftButton);
    EXPECT_EQ(shown, "AGE ERROR: This age must be between 1.0 and 120.0.");
}

TEST_F(QtTest, ResultLinesAreBandedAndWarningsDrawnInRed) {
    MakeScenarioFile("last.ret");
    WriteSettings("last.ret");
    StartWindow();
    ShowFolder(FolderResults);  // runs the projection; its lines are replaced below
    ClearLines(resultsList);
    AddLine(resultsList, "Financial Events:");
    AddLine(resultsList, "Red flags at age(s):");
    AddLine(resultsList, "65.0\t$1.00\t$2.00\t$3.00\t$4.00\t$5.00\t$6.00\t$7.00");
    window->resultsFolder()->Refill(-1);
    QListView* list = window->resultsFolder()->list();
    list->clearSelection();
    list->setCurrentIndex(QModelIndex());
    QApplication::processEvents();  // the view lays out its rows later
    QImage image = list->viewport()->grab().toImage();
    auto redPixels = [&](int row) {
        QRect r = list->visualRect(list->model()->index(row, 0));
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right() && x < image.width(); ++x) {
                QColor c = image.pixelColor(x, y);
                if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++n;
            }
        return n;
    };
    EXPECT_EQ(redPixels(0), 0);
    EXPECT_GT(redPixels(1), 0);
    EXPECT_EQ(redPixels(2), 0);
    // Even lines white, odd lines banded.
    QRect r0 = list->visualRect(list->model()->index(0, 0));
    QRect r1 = list->visualRect(list->model()->index(1, 0));
    EXPECT_EQ(image.pixelColor(r0.right() - 2, r0.center().y()), QColor(Qt::white));
    Colour band = ResultsBandingColour({200, 200, 200});
    EXPECT_EQ(image.pixelColor(r1.right() - 2, r1.center().y()), QColor(band.r, band.g, band.b));
}

TEST_F(QtTest, RecentFilesGoBeforeAboutAndOpenTheirScenario) {
    MakeScenarioFile("A.ret");
    MakeScenarioFile("B.ret");
    WriteSettings("A.ret", "B.ret");
    StartWindow();
    QList<QAction*> file = window->fileMenu()->actions();
    int about = file.indexOf(window->action(CmdAbout));
    ASSERT_GE(about, 2);
    EXPECT_EQ(file[about - 2]->text(), "(1) B.ret");
    EXPECT_TRUE(file[about - 1]->isSeparator());
    file[about - 2]->trigger();
    EXPECT_EQ(window->windowTitle(), "Tillory -- Pro - B.ret");
    file = window->fileMenu()->actions();
    about = file.indexOf(window->action(CmdAbout));
    EXPECT_EQ(file[about - 3]->text(), "(1) A.ret");
    EXPECT_EQ(file[about - 2]->text(), "(2) B.ret");
}

TEST_F(QtTest, OpenUsesAFileDialogWithTheScenarioFilter) {
    MakeScenarioFile("B.ret");
    StartWindow();
    QString title, filter;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filter = dialog->nameFilters().join(";");
        dialog->selectFile("B");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    window->action(CmdOpen)->trigger();
    EXPECT_EQ(title, "Open a Scenario");
    EXPECT_EQ(filter, "Scenario Files (*.RET)");
    EXPECT_EQ(window->windowTitle(), "Tillory -- Pro - " + QDir::current().absoluteFilePath("B.ret"));
}

TEST_F(QtTest, AnOpenEditingWindowTakesTheCommand) {
    StartWindow();
    QWidget editing;
    window->RegisterEditingWindow(WindowInitialValues, &editing);
    shell.windowOpen[WindowInitialValues] = 1;
    window->action(CmdOpen)->trigger();  // no file dialog: it would block here
    EXPECT_TRUE(editing.isVisible());
    shell.windowOpen[WindowInitialValues] = 0;
}

TEST_F(QtTest, HelpPagesAreBuiltInAndShownInTheHelpWindow) {
    for (const auto& t : HelpTopics())
        EXPECT_TRUE(QFile::exists(QString(":/help/topic%1.html").arg(t.context))) << t.context;
    StartWindow();
    window->action(780)->trigger();  // Quick Tips: Results Folder
    qtui::HelpWindow* help = window->helpWindow();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage(), "topic1554.html");
    EXPECT_EQ(help->findChild<QTextBrowser*>()->documentTitle(), "Quick Tips: Results Folder");
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

TEST_F(QtTest, ClosingWritesTheSettingsAndTheWindowComesBackAtItsSize) {
    StartWindow();
    window->resize(700, 520);
    std::filesystem::remove("finance.dat");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists("finance.dat"));
    PageSettings p{};
    std::string bytes = Bytes("prefinf.dat");
    ASSERT_EQ(bytes.size(), sizeof p);
    std::memcpy(&p, bytes.data(), sizeof p);
    EXPECT_EQ(+p.windowWidth, 700);
    EXPECT_EQ(+p.windowHeight, 520);

    installed.reset();
    window = std::make_unique<qtui::MainWindow>();
    qui = std::make_unique<qtui::QtUi>(window.get());
    StartWindow();
    EXPECT_EQ(window->size(), QSize(700, 520));
}

}  // namespace

namespace {

TEST_F(QtTest, ChosenFontsAndTheValueSpacingReachTheFolders) {
    // The stored description and the font it stands for agree both ways.
    QFont chosen("DejaVu Serif");
    chosen.setPixelSize(22);
    chosen.setItalic(true);
    chosen.setWeight(QFont::Bold);
    FontDescription d = qtui::DescriptionOf(chosen);
    EXPECT_EQ(+d.height, -22);
    EXPECT_EQ(+d.weight, 700);
    EXPECT_EQ(FieldText(d.faceName), "DejaVu Serif");
    QFont back = qtui::FontOf(d);
    EXPECT_EQ(back.pixelSize(), 22);
    EXPECT_TRUE(back.italic());
    EXPECT_EQ(back.family(), chosen.family());

    MakeScenarioFile("last.ret");
    WriteSettings("last.ret");
    StartWindow();
    ShowFolder(FolderResults);
    QListView* list = window->resultsFolder()->list();
    QApplication::processEvents();
    int before = list->visualRect(list->model()->index(0, 0)).height();

    scenario.pageSettings.defaultFonts = 0;
    StoreChosenFont(2, d, 165);
    StoreChosenFont(3, d, 165);  // 16.5 points: two extra pixels a row
    EXPECT_EQ(shell.valueFontSpacing, 2.0f);
    ShowFolder(FolderResults);
    QApplication::processEvents();
    EXPECT_EQ(list->font().pixelSize(), 22);
    int after = list->visualRect(list->model()->index(0, 0)).height();
    EXPECT_GE(after, QFontMetrics(back).height() + 4 + 2);
    EXPECT_GT(after, before);

    ShowFolder(FolderScenario);
    QApplication::processEvents();
    QWidget* scenarioFolder = window->currentFolder();
    ASSERT_NE(scenarioFolder, nullptr);
    auto* events = scenarioFolder->findChild<QListWidget*>();
    ASSERT_NE(events, nullptr);
    EXPECT_EQ(events->font().pixelSize(), 22);

    // In the large font no figure of the account list is cut short: the
    // columns widen and the table scrolls.
    ShowFolder(FolderAccounts);
    QApplication::processEvents();
    auto* accounts = window->currentFolder()->findChild<QTableWidget*>();
    ASSERT_NE(accounts, nullptr);
    ASSERT_GT(accounts->rowCount(), 0);
    QFontMetrics cells(accounts->font());
    for (int c = 0; c < accounts->columnCount(); ++c)
        for (int r = 0; r < accounts->rowCount(); ++r)
            EXPECT_GE(accounts->columnWidth(c), cells.horizontalAdvance(accounts->item(r, c)->text())) << r << "," << c;
}

}  // namespace
