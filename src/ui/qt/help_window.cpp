// The help window: the program's own HTML pages, compiled in as resources.
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
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
    auto* contents = new QPushButton("Contents", this);
    auto* back = new QPushButton("Back", this);
    auto* close = new QPushButton("Close", this);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage("contents.html"); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
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
    show();
    raise();
    activateWindow();
}

}  // namespace qtui
