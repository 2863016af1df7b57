// The report window as a real Qt dialog on the offscreen platform, over the
// bundled example. With TILLORY_SCREENSHOTS=DIR the Net Worth Report's
// window is saved there as report-net-worth.png.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "qt_fixture.h"
#include "results/reports.h"
#include "ui/qt/dialog_host.h"
#include "scripted_dialogs.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class ReportWindowTest : public QtWindowTest {
protected:
    std::unique_ptr<qtui::QtDialogHost> host;
    std::unique_ptr<ui::ScopedDialogs> dialogs;

    void SetUp() override {
        QtWindowTest::SetUp();
        host = std::make_unique<qtui::QtDialogHost>(window.get());
        dialogs = std::make_unique<ui::ScopedDialogs>(host.get());
        StartWindow(EXAMPLE_SCENARIO);
    }
    void TearDown() override {
        dialogs.reset();
        QtWindowTest::TearDown();
    }
    // Runs `act` on the report window once it is shown.
    static void WhenShown(std::function<void(qtui::TemplateDialog*)> act) {
        QTimer::singleShot(0, [act] {
            qtui::TemplateDialog* d = qtui::QtDialogHost::Current();
            if (!d || !d->isVisible() || d->objectName() != "REPORTS") {
                WhenShown(act);
                return;
            }
            act(d);
        });
    }
};

TEST_F(ReportWindowTest, NetWorthColumnsHoldHeadingAndSample) {
    int rows = -1, columns = -1;
    bool wideEnough = true;
    QString caption, selected;
    WhenShown([&](qtui::TemplateDialog* d) {
        caption = d->windowTitle();
        auto* list = qobject_cast<QTreeWidget*>(d->control(FieldReportList));
        rows = list->topLevelItemCount();
        columns = list->columnCount();
        const QFontMetrics body(list->font()), heading(list->header()->font());
        for (int k = 0; k < columns; ++k) {
            const char* sample = ColumnSample(k);
            wideEnough = wideEnough && list->columnWidth(k) >= heading.horizontalAdvance(list->headerItem()->text(k)) &&
                         list->columnWidth(k) >= body.horizontalAdvance(sample);
        }
        selected = qobject_cast<QLineEdit*>(d->control(FieldSelectedAge))->text();
        QByteArray dir = qgetenv("TILLORY_SCREENSHOTS");
        if (!dir.isEmpty()) {
            d->adjustSize();
            QApplication::processEvents();
            d->grab().save(QString::fromLocal8Bit(dir) + "/report-net-worth.png");
        }
        qobject_cast<QPushButton*>(d->control(ui::IdOk))->click();
    });
    EXPECT_EQ(DispatchCommand(CmdNetWorthReport), 1);
    EXPECT_EQ(caption, "Net Worth Report");
    EXPECT_EQ(columns, 8);
    EXPECT_EQ(rows, results.rowCount - 1);
    EXPECT_TRUE(wideEnough);
    EXPECT_EQ(selected, "0.0");
}

TEST_F(ReportWindowTest, DoubleClickedLineGivesTheSelectedAge) {
    QString selected;
    bool printEnabled = false;
    WhenShown([&](qtui::TemplateDialog* d) {
        auto* list = qobject_cast<QTreeWidget*>(d->control(FieldReportList));
        printEnabled = d->control(FieldPrintSelectedAge)->isEnabled();
        if (list->topLevelItemCount() > 1) {
            list->setCurrentItem(list->topLevelItem(1));
            emit list->itemDoubleClicked(list->topLevelItem(1), 0);
        }
        selected = qobject_cast<QLineEdit*>(d->control(FieldSelectedAge))->text();
        d->reject();
    });
    DispatchCommand(CmdAccountsReport);
    EXPECT_TRUE(printEnabled);
    EXPECT_TRUE(selected.endsWith("-O")) << selected.toStdString();
}

}  // namespace
