// The "Accounts" folder: the account list, its heading sort and totals, and
// the buttons that edit the list.
#include <algorithm>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "model/model.h"
#include "shell/dialogs.h"
#include "shell/shell.h"
#include "ui/qt/dialog_lists.h"
#include "ui/qt/folders.h"
#include "ui/qt/fonts.h"

namespace qtui {

AccountsFolder::AccountsFolder(QWidget* parent) : QWidget(parent) {
    setObjectName(QString("folder%1").arg(FolderAccounts));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(this);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setAlternatingRowColors(true);
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->horizontalHeader()->setHighlightSections(false);
    layout->addWidget(table_, 1);
    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel("Number of Accounts", this));
    count_ = new QLabel(this);
    totals->addWidget(count_);
    totals->addSpacing(30);
    totals->addWidget(new QLabel("Total", this));
    total_ = new QLabel(this);
    totals->addWidget(total_);
    totals->addStretch(1);
    layout->addLayout(totals);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (SortAccountList(column)) Refill();
        order_->setChecked(accountList.withdrawalOrderBox != 0);
    });

    // The list's rules live with the account routines; the buttons only ask.
    // A row is the account's position: the list shows the table in order.
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* text, int (*action)(QTableWidget*)) {
        auto* b = new QPushButton(text, this);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, action] {
            if (action(table_)) Refill();
        });
    };
    button("&Add", [](QTableWidget*) { return CommandAddAccount(); });
    button("&Edit", [](QTableWidget* t) { return AccountListEdit(t->currentRow()); });
    button("&Import", [](QTableWidget*) { return AccountListImport(); });
    button("&Delete", [](QTableWidget* t) { return AccountListDelete(t->currentRow()); });
    button("Help", [](QTableWidget*) {
        Help(HelpContext, 513);
        return 0;
    });
    order_ = new QCheckBox("Sort by withdrawal order", this);
    buttons->addSpacing(20);
    buttons->addWidget(order_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    buttons->addWidget(new QLabel("Double click an account to edit.", this));
    connect(order_, &QCheckBox::clicked, this, [this](bool on) {
        // The box's order stands until a heading is clicked again.
        accountList.lastSorted = -1;
        AccountListSortByWithdrawalOrder(on);
        Refill();
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (AccountListEdit(row)) Refill();
    });
}

void AccountsFolder::Refill() {
    int rows = PrepareAccountList();
    int columns = AccountListColumnCount();
    table_->setFont(FontOrDefault(2, font()));
    table_->clear();
    table_->setColumnCount(columns);
    table_->setRowCount(rows);
    QStringList headings;
    // The standard deviation's heading is cut at the column's width, as the
    // "ID" in it belongs over the fifteenth column.
    for (int c = 0; c < columns; ++c) headings << QString(AccountListHeading(c)).left(c == 13 ? 9 : 100);
    table_->setHorizontalHeaderLabels(headings);
    for (int c = 0; c < columns; ++c)
        if (*AccountListHeadingTip(c)) table_->horizontalHeaderItem(c)->setToolTip(AccountListHeadingTip(c));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromLocal8Bit(AccountListCell(r, c)));
            item->setTextAlignment((AccountListAlignment(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    count_->setText(QString::fromLocal8Bit(AccountCountText()));
    total_->setText(QString::fromLocal8Bit(AccountTotalText()));
    FitColumns();
}

void AccountsFolder::FitColumns() {
    QFontMetrics m(table_->horizontalHeader()->font());
    QFontMetrics cells(table_->font());
    int width = table_->viewport()->width();
    for (int c = 0; c < table_->columnCount(); ++c) {
        std::string heading = c == 13 ? "Std. Dev.  " : AccountListHeading(c);
        int text = m.horizontalAdvance(QString::fromLocal8Bit(heading)) + 16;
        int w = AccountListColumnWidth(c, width, text);
        // A share too narrow for its heading still shows the heading.
        if (c < SortableColumns && w < m.horizontalAdvance(AccountListHeading(c)) + 12)
            w = m.horizontalAdvance(AccountListHeading(c)) + 12;
        // Nor is a figure ever cut: in a large font "420000.00" elided to
        // "42000..." reads as a tenth of itself. The table scrolls instead.
        for (int r = 0; r < table_->rowCount(); ++r)
            if (const QTableWidgetItem* item = table_->item(r, c))
                w = std::max(w, cells.horizontalAdvance(item->text()) + 12);
        table_->setColumnWidth(c, w);
    }
}

void AccountsFolder::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}


// ---- The folders in the main window's pages ------------------------------------

QWidget* CreateResultFolder(QWidget* parent, int folder) {
    if (folder == FolderAccounts) return new AccountsFolder(parent);
    if (folder == FolderScenario) return new ScenarioFolder(parent);
    if (folder == FolderMonteCarlo) return new MonteCarloFolder(parent);
    if (folder == FolderSummary || GraphCodeOfFolder(folder)) return new GraphFolder(parent, folder);
    return nullptr;
}

namespace {

// The result folder shown last, for Print Current Graph.
QPointer<QWidget> shownPage;

int CommandPrintGraph() {
    if (!shownPage || !shownPage->isVisible() || !qobject_cast<GraphFolder*>(shownPage)) return 0;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(state.printOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, shownPage->window());
    if (dialog.exec() != QDialog::Accepted) return 0;
    return PrintShownGraph(printer);
}

}  // namespace

int PrintShownGraph(QPrinter& printer) {
    if (!shownPage) return 0;
    // Margins are kept in thousandths of an inch.
    printer.setPageMargins(QMarginsF(state.marginLeft / 1000.0, state.marginTop / 1000.0, state.marginRight / 1000.0,
                                     state.marginBottom / 1000.0),
                           QPageLayout::Inch);
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    QFont face("Times");
    face.setStyleHint(QFont::Serif);
    face.setPointSize(9);
    painter.setFont(face);
    int drawn = DrawFolderOnPage(shownPage, painter, painter.viewport());
    painter.end();
    return drawn;
}

void InstallFolderCommands() {
    SetCommandRoutine(CmdPrintGraph, CommandPrintGraph);
    SetCommandRoutine(CmdPrintGraphButton, CommandPrintGraph);
}

void RefreshResultFolder(QWidget* page, int tab) {
    shownPage = page;
    if (auto* g = qobject_cast<GraphFolder*>(page)) g->Show(g->folder() == FolderAccountGraph ? tab - TabOfFolder(FolderAccountGraph) : 0);
    if (auto* a = qobject_cast<AccountsFolder*>(page)) a->Refill();
    if (auto* e = qobject_cast<ScenarioFolder*>(page)) e->Refill();
    if (auto* m = qobject_cast<MonteCarloFolder*>(page)) QTimer::singleShot(0, m, &MonteCarloFolder::Run);
}

}  // namespace qtui
