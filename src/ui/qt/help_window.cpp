// The help window: the program's own HTML pages, compiled in as resources.
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/qt/qt_ui.h"

namespace qtui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("helpWindow");
    setWindowTitle("Tillory Help");
    resize(560, 480);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    // One look for every page, kept here rather than repeated in each file.
    browser_->document()->setDefaultStyleSheet(
        "body { font-family: sans-serif; }"
        "h1 { font-size: x-large; color: #1f3a5f; }"
        "h2 { font-size: large; color: #1f3a5f; margin-top: 14px; }"
        "th { background-color: #dde6f0; text-align: left; }"
        "td { vertical-align: top; }"
        "pre { background-color: #f3f3f3; }"
        "p.nav { margin-top: 16px; }");
    auto* contents = new QPushButton("Contents", this);
    auto* back = new QPushButton("Back", this);
    auto* close = new QPushButton("Close", this);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage("contents.html"); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes it, as it does the program's other windows.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        page_ = url.fileName();
        setWindowTitle("Tillory Help - " + browser_->documentTitle());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void HelpWindow::ShowPage(const QString& page) {
    browser_->setSource(QUrl("qrc:/help/" + page));
    page_ = page;
    // A help request should be seen: a minimised or buried window comes back
    // to the front rather than changing its page out of sight.
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

}  // namespace qtui
