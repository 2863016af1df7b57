// The main window: menu bar and accelerators from the shell's command table,
// the toolbar, the folder tabs and the folder pages.
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "exchange/exchange.h"
#include "model/model.h"
#include "results/reports.h"
#include "shell/dialogs.h"
#include "shell/shell.h"
#include "ui/qt/fonts.h"
#include "ui/qt/printing.h"
#include "ui/qt/report_window.h"
#include "ui/qt/folders.h"
#include "ui/qt/qt_ui.h"

namespace qtui {

QString Text(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

namespace {

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

// The system scroll-bar colour of the classic desktop the colour rules were
// made for; the window background is this colour through the lightening rule.
constexpr Colour ScrollBarColour{200, 200, 200};

QString FolderName(int folder) {
    switch (folder) {
        case FolderSummary: return "Summary";
        case FolderAccounts: return "Accounts";
        case FolderScenario: return "Scenario";
        case FolderNetWorth: return "Net Worth";
        case FolderIncomingOutgoing: return "Incoming/Outgoing";
        case FolderIncoming: return "Incoming";
        case FolderOutgoing: return "Outgoing";
        case FolderGroups: return "Groups";
        case FolderAccountGraph: return "Accounts graph";
        case FolderMonteCarlo: return "Monte Carlo Analysis";
        default: return "";
    }
}

}  // namespace

MainWindow::MainWindow() {
    setWindowTitle("K&V Tillory");
    setWindowIcon(ProgramIcon());
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(WindowColour(ScrollBarColour)));
    setPalette(p);
    setAutoFillBackground(true);

    BuildMenus();
    BuildToolbar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs_ = new QTabBar(central);
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    tabs_->setUsesScrollButtons(true);
    layout->addWidget(tabs_);
    pages_ = new QStackedWidget(central);
    layout->addWidget(pages_, 1);
    setCentralWidget(central);

    results_ = new ResultsFolder(this);
    pages_->addWidget(results_);

    connect(tabs_, &QTabBar::currentChanged, this, [](int index) {
        if (index >= 0) SelectFolderTab(index, 0);
    });
    // The keyboard's way between the folders, as in other tabbed programs:
    // Ctrl+PgDown and Ctrl+Tab to the next, Ctrl+PgUp and Ctrl+Shift+Tab back.
    const std::pair<QKeySequence, int> steps[] = {{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
                                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
    for (const auto& [keys, by] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, by = by] {
            const int n = tabs_->count();
            if (n > 0) tabs_->setCurrentIndex((tabs_->currentIndex() + by + n) % n);
        });
    }
}

QAction* MainWindow::CommandAction(int id) {
    if (QAction* a = actions_.value(id)) return a;
    const Command* c = FindCommand(id);
    auto* a = new QAction(this);
    if (c && c->text) a->setText(c->text);
    if (c && c->accelerator) {
        if (c->flags & CommandShortcutElsewhere)
            a->setText(a->text() + "\t" + c->accelerator);
        else
            a->setShortcut(QKeySequence(c->accelerator));
    }
    if (c && c->tooltip) a->setToolTip(c->tooltip);
    if (c && (c->flags & CommandCheckable)) a->setCheckable(true);
    a->setShortcutContext(Qt::ApplicationShortcut);
    connect(a, &QAction::triggered, this, [id] { DispatchCommand(id); });
    addAction(a);  // accelerators work whether or not the item is in a menu
    actions_[id] = a;
    return a;
}

void MainWindow::BuildMenus() {
    QList<QMenu*> open;
    for (const MenuEntry& e : MenuLayout()) {
        switch (e.kind) {
            case MenuKind::Popup: {
                QMenu* m = open.isEmpty() ? menuBar()->addMenu(e.text) : open.back()->addMenu(e.text);
                if (open.isEmpty() && QString(e.text) == "File") fileMenu_ = m;
                open.push_back(m);
                break;
            }
            case MenuKind::End:
                if (!open.isEmpty()) open.pop_back();
                break;
            case MenuKind::Item:
                if (!open.isEmpty()) open.back()->addAction(CommandAction(e.id));
                if (e.id == CmdAbout) recentAnchor_ = CommandAction(e.id);
                break;
            case MenuKind::Separator:
                if (!open.isEmpty()) open.back()->addSeparator();
                break;
            case MenuKind::Recent:
                break;
        }
    }
    // Commands without a menu item still need their accelerators.
    for (const Command& c : Commands())
        if (c.accelerator || !c.text) CommandAction(c.id);
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(16, 16));
    toolbar_->setFixedHeight(29);
    // Buttons packed as tightly as the classic 23-pixel toolbar, so that all
    // 24 fit in the narrowest window.
    toolbar_->setStyleSheet("QToolBar { spacing: 0px; padding: 0px; } QToolButton { padding: 1px; margin: 0px; }");
    for (const ToolbarButton& b : ToolbarButtons()) {
        if (b.bitmap < 0) {
            toolbar_->addSeparator();
            continue;
        }
        // The toolbar has its own action so that its tooltip and picture do
        // not change the menu item; enabling goes by command id to both.
        QAction* menuAction = CommandAction(b.command);
        auto* a = new QAction(ToolbarIcon(b.bitmap), menuAction->toolTip(), this);
        a->setToolTip(menuAction->toolTip());
        int id = b.command;
        connect(a, &QAction::triggered, this, [id] { DispatchCommand(id); });
        connect(menuAction, &QAction::enabledChanged, a, &QAction::setEnabled);
        a->setEnabled(menuAction->isEnabled());
        toolbar_->addAction(a);
    }
}

void MainWindow::SetRecentFiles(const std::vector<std::string>& entries) {
    if (!fileMenu_) return;
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    if (entries.empty()) return;
    for (int k = 0; k < static_cast<int>(entries.size()) && k < RecentFileCount; ++k) {
        auto* a = new QAction(Text(RecentFileMenuText(k)), fileMenu_);
        int id = RecentFileMenuId(k);
        a->setData(id);
        connect(a, &QAction::triggered, this, [id] { DispatchCommand(id); });
        fileMenu_->insertAction(recentAnchor_, a);
        recentActions_.push_back(a);
    }
    QAction* separator = new QAction(fileMenu_);
    separator->setSeparator(true);
    separator->setData(MenuRecentSeparator);
    fileMenu_->insertAction(recentAnchor_, separator);
    recentActions_.push_back(separator);
}

void MainWindow::SetTabs(const std::vector<std::string>& labels, int selected) {
    QSignalBlocker block(tabs_);
    bool same = tabs_->count() == static_cast<int>(labels.size());
    for (int i = 0; same && i < tabs_->count(); ++i) same = tabs_->tabText(i) == Text(labels[i]);
    if (!same) {
        while (tabs_->count() > 0) tabs_->removeTab(0);
        for (const auto& l : labels) tabs_->addTab(Text(l));
    }
    tabs_->setCurrentIndex(selected);
}

QWidget* MainWindow::Placeholder(int folder) {
    if (QWidget* w = placeholders_.value(folder)) return w;
    if (QWidget* w = CreateResultFolder(pages_, folder)) {
        pages_->addWidget(w);
        placeholders_[folder] = w;
        return w;
    }
    auto* label = new QLabel(pages_);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    if (folder == FolderMaker) {
        label->setPixmap(MakerPicture(QSize(600, 320)));
    } else {
        label->setText(QString("<h3>%1</h3><p>This folder's content is not available in this version.</p>")
                           .arg(FolderName(folder).toHtmlEscaped()));
    }
    label->setObjectName(QString("folder%1").arg(folder));
    pages_->addWidget(label);
    placeholders_[folder] = label;
    return label;
}

void MainWindow::ShowFolderContent(int tab, int folder) {
    {
        QSignalBlocker block(tabs_);
        if (tab >= 0 && tab < tabs_->count()) tabs_->setCurrentIndex(tab);
    }
    shownFolder_ = folder;
    if (folder == FolderResults) {
        pages_->setCurrentWidget(results_);
        results_->Refill(-2);
    } else {
        pages_->setCurrentWidget(Placeholder(folder));
        RefreshResultFolder(pages_->currentWidget(), tab);
    }
}

QWidget* MainWindow::currentFolder() const { return pages_->currentWidget(); }

HelpWindow* MainWindow::helpWindow() {
    if (!help_) help_ = new HelpWindow(this);
    return help_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shell.closed || CloseMainWindow()) {
        if (help_) help_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace qtui
