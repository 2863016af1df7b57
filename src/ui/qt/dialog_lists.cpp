// The "Scenario" folder's event list.
#include "ui/qt/dialog_lists.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/engine.h"
#include "shell/dialogs.h"
#include "shell/shell.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_ui.h"

namespace qtui {

namespace {
enum : int { ButtonAdd, ButtonEdit, ButtonCopy, ButtonDelete, ButtonHelp };
}

ScenarioFolder::ScenarioFolder(QWidget* parent) : QWidget(parent) {
    setObjectName(QString("folder%1").arg(FolderScenario));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(list_, 1);
    auto* row = new QHBoxLayout;
    const char* const names[] = {"Add", "Edit", "Copy", "Delete", "Help"};
    for (int b = ButtonAdd; b <= ButtonHelp; ++b) {
        auto* button = new QPushButton(names[b], this);
        button->setObjectName(QString("event%1").arg(names[b]));
        connect(button, &QPushButton::clicked, this, [this, b] { Press(b); });
        row->addWidget(button);
    }
    row->addSpacing(12);
    row->addWidget(new QLabel("Double click an event to edit.", this));
    row->addStretch(1);
    layout->addLayout(row);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Press(ButtonEdit); });
}

void ScenarioFolder::Refill() {
    int row = list_->currentRow();
    BuildEventList();
    list_->setFont(FontOrDefault(2, QFontDatabase::systemFont(QFontDatabase::FixedFont)));
    list_->clear();
    for (int i = 0; i < eventList.count; ++i) list_->addItem(Text(LineAt(eventList, i)));
    if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
}

void ScenarioFolder::Press(int button) {
    int row = list_->currentRow();
    switch (button) {
        case ButtonAdd: EventListAdd(); break;
        case ButtonEdit:
            if (row >= 0) EventListEdit(row);
            break;
        case ButtonCopy:
            if (row >= 0) EventListCopy(row);
            break;
        case ButtonDelete:
            if (row >= 0) EventListDelete(row);
            break;
        case ButtonHelp: Help(HelpContext, 514); break;
        default: break;
    }
}

}  // namespace qtui
