// Templates as Qt dialogs.
#include "ui/qt/dialog_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

#include "ui/qt/qt_ui.h"

namespace qtui {

namespace {

QPointer<TemplateDialog> last;

std::string Std(const QString& s) { return s.toStdString(); }

Qt::Alignment ColumnAlignment(char a) {
    if (a == 'r') return Qt::AlignRight | Qt::AlignVCenter;
    if (a == 'c') return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Columns share the list's width by their parts; the headings align as the cells do.
void ShareColumns(QTreeWidget* l, const std::vector<int>& shares) {
    int parts = 0;
    for (int n : shares) parts += n;
    const int width = l->width() - 2 * l->frameWidth() - l->verticalScrollBar()->sizeHint().width();
    for (int k = 0; k < static_cast<int>(shares.size()) && parts > 0; ++k)
        l->setColumnWidth(k, width * shares[k] / parts);
}

}  // namespace

TemplateDialog::TemplateDialog(QWidget* parent, const ui::DialogTemplate& t, ui::DialogRoutine routine)
    : QDialog(parent), routine_(routine), modeless_(t.modeless), leaveMessages_(t.leaveMessages) {
    setObjectName(qtui::Text(t.name));
    setWindowTitle(qtui::Text(t.caption));
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);

    QVBoxLayout* column = nullptr;
    QFormLayout* form = nullptr;
    QWidget* formParent = this;
    QList<QVBoxLayout*> allColumns;
    auto newColumn = [&] {
        if (!allColumns.isEmpty()) columns->addSpacing(12);
        column = new QVBoxLayout;
        allColumns << column;
        columns->addLayout(column);
        form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        column->addLayout(form);
        formParent = this;
    };
    newColumn();
    bool buttonsFromHere = false;
    for (const auto& c : t.controls) {
        if (c.id == ui::IdOk) buttonsFromHere = true;
        switch (c.kind) {
            case ui::ControlKind::Column: newColumn(); continue;
            case ui::ControlKind::Group:
                if (c.text.empty()) {
                    form = new QFormLayout;
                    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    column->addLayout(form);
                    formParent = this;
                } else {
                    auto* box = new QGroupBox(qtui::Text(c.text), this);
                    column->addWidget(box);
                    form = new QFormLayout(box);
                    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    formParent = box;
                }
                continue;
            default: break;
        }
        if (c.kind == ui::ControlKind::Button && buttonsFromHere) {
            QWidget* w = Make(c, this);
            buttonRow->addWidget(w);
            continue;
        }
        QWidget* w = Make(c, formParent);
        bool labelled = c.kind == ui::ControlKind::Edit || c.kind == ui::ControlKind::ReadOnly ||
                        c.kind == ui::ControlKind::Combo || c.kind == ui::ControlKind::TrackBar ||
                        c.kind == ui::ControlKind::Spin;
        if (labelled) {
            auto* label = new QLabel(qtui::Text(c.text), formParent);
            label->setBuddy(w);
            labels_[c.id] = label;
            form->addRow(label, w);
        } else {
            form->addRow(w);
        }
    }
    for (QVBoxLayout* l : allColumns) l->addStretch(1);
    outer->addStretch(1);
    outer->addLayout(buttonRow);
    if (auto* ok = qobject_cast<QPushButton*>(control(ui::IdOk))) ok->setDefault(true);
    if (modeless_) setAttribute(Qt::WA_DeleteOnClose);
    last = this;
}

QWidget* TemplateDialog::Make(const ui::Control& c, QWidget* parent) {
    QWidget* w = nullptr;
    const int id = c.id;
    switch (c.kind) {
        case ui::ControlKind::Label: w = new QLabel(qtui::Text(c.text), parent); break;
        case ui::ControlKind::Edit: {
            auto* e = new QLineEdit(parent);
            if (c.maxChars > 1) e->setMaxLength(c.maxChars - 1);
            e->setMinimumWidth(c.maxChars > 20 ? 260 : 110);
            if (leaveMessages_) e->installEventFilter(this);
            w = e;
            break;
        }
        case ui::ControlKind::ReadOnly: {
            auto* e = new QLineEdit(parent);
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
            e->setMinimumWidth(c.maxChars > 0 ? e->fontMetrics().averageCharWidth() * c.maxChars : 110);
            e->setStyleSheet("QLineEdit { background: palette(window); }");
            w = e;
            break;
        }
        case ui::ControlKind::Check: {
            auto* b = new QCheckBox(qtui::Text(c.text), parent);
            connect(b, &QCheckBox::clicked, this, [this, id] { Send(ui::DialogCommand, id); });
            w = b;
            break;
        }
        case ui::ControlKind::Radio: {
            auto* b = new QRadioButton(qtui::Text(c.text), parent);
            connect(b, &QRadioButton::clicked, this, [this, id] { Send(ui::DialogCommand, id); });
            w = b;
            break;
        }
        case ui::ControlKind::Combo: {
            auto* b = new QComboBox(parent);
            b->setMinimumWidth(180);
            connect(b, &QComboBox::activated, this, [this, id] { Send(ui::DialogCommand, id); });
            w = b;
            break;
        }
        case ui::ControlKind::Button: {
            auto* b = new QPushButton(qtui::Text(c.text), parent);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, id] { Send(ui::DialogCommand, id); });
            w = b;
            break;
        }
        case ui::ControlKind::List: {
            auto* l = new QTreeWidget(parent);
            l->setRootIsDecorated(false);
            l->setAlternatingRowColors(true);
            l->setHeaderLabels(qtui::Text(c.text).split('\t'));
            l->setMinimumSize(520, 260);
            listLooks_[id] = {c.columnAlign, c.columnShares};
            if (!c.columnShares.empty()) {
                l->header()->setStretchLastSection(false);
                for (int k = 0; k < static_cast<int>(c.columnAlign.size()) && k < l->columnCount(); ++k)
                    l->headerItem()->setTextAlignment(k, ColumnAlignment(c.columnAlign[k]));
                l->installEventFilter(this);
            }
            connect(l, &QTreeWidget::itemDoubleClicked, this, [this, id] { Send(ui::DialogDoubleClick, id); });
            // A click on a row is a command of its own (the double click follows it).
            connect(l, &QTreeWidget::itemClicked, this, [this, id] { Send(ui::DialogCommand, id); });
            w = l;
            break;
        }
        case ui::ControlKind::TrackBar: {
            auto* s = new QSlider(Qt::Horizontal, parent);
            s->setTickPosition(QSlider::TicksBelow);
            // Every movement by the user is a command; Select moves it silently.
            connect(s, &QSlider::valueChanged, this, [this, id] { Send(ui::DialogCommand, id); });
            w = s;
            break;
        }
        case ui::ControlKind::Spin: {
            auto* s = new QSpinBox(parent);
            // A step by the user is a command; Select and SetText set it silently.
            connect(s, &QSpinBox::valueChanged, this, [this, id] { Send(ui::DialogCommand, id); });
            w = s;
            break;
        }
        case ui::ControlKind::Column:
        case ui::ControlKind::Group: break;
    }
    if (w) {
        w->setObjectName(QString("control%1").arg(id));
        controls_[id] = w;
    }
    return w;
}

void TemplateDialog::Send(int message, int id) {
    if (ended_) return;
    routine_(*this, message, id);
}

// Escape and the close button ask the routine; once it has ended the dialog
// (a close after End) the window really goes.
void TemplateDialog::reject() {
    if (ended_)
        QDialog::reject();
    else
        Send(ui::DialogCommand, ui::IdCancel);
}

std::string TemplateDialog::Text(int id) {
    QWidget* w = control(id);
    if (auto* s = qobject_cast<QSpinBox*>(w)) return Std(s->text());
    if (auto* e = qobject_cast<QLineEdit*>(w)) return Std(e->text());
    if (auto* l = qobject_cast<QLabel*>(w)) return Std(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return Std(b->text());
    if (auto* c = qobject_cast<QComboBox*>(w)) return Std(c->currentText());
    return "";
}

void TemplateDialog::SetText(int id, const std::string& text) {
    QWidget* w = control(id);
    if (auto* s = qobject_cast<QSpinBox*>(w)) {
        QSignalBlocker quiet(s);
        s->setValue(std::atoi(text.c_str()));
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(qtui::Text(text));
        e->setCursorPosition(0);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(qtui::Text(text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(qtui::Text(text));
    }
}

bool TemplateDialog::Checked(int id) {
    auto* b = qobject_cast<QAbstractButton*>(control(id));
    return b && b->isChecked();
}

void TemplateDialog::SetChecked(int id, bool on) {
    if (auto* b = qobject_cast<QAbstractButton*>(control(id))) b->setChecked(on);
}

void TemplateDialog::Enable(int id, bool on) {
    if (QWidget* w = control(id)) w->setEnabled(on);
    if (QWidget* label = labels_.value(id)) label->setEnabled(on);
}

bool TemplateDialog::Enabled(int id) {
    QWidget* w = control(id);
    return w && w->isEnabled();
}

void TemplateDialog::SetItems(int id, const std::vector<std::string>& items) {
    QWidget* w = control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->clear();
        for (const auto& s : items) c->addItem(qtui::Text(s));
        c->setCurrentIndex(-1);
    } else if (auto* l = qobject_cast<QTreeWidget*>(w)) {
        l->clear();
        const ListLook look = listLooks_.value(id);
        for (const auto& s : items) {
            auto* item = new QTreeWidgetItem(l, qtui::Text(s).split('\t'));
            // Figures line up on the right, beside a first column that names the row.
            for (int k = 1; k < item->columnCount(); ++k) {
                bool number = false;
                item->text(k).trimmed().remove(',').remove('$').toDouble(&number);
                if (number) item->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
            }
            for (int k = 0; k < item->columnCount() && k < static_cast<int>(look.align.size()); ++k)
                item->setTextAlignment(k, ColumnAlignment(look.align[k]));
        }
        if (!look.shares.empty()) {
            ShareColumns(l, look.shares);
            return;
        }
        int total = 0;
        for (int k = 0; k < l->columnCount(); ++k) {
            l->resizeColumnToContents(k);
            total += l->columnWidth(k);
        }
        l->setMinimumWidth(std::min(std::max(total + 24, 520), 1100));
    }
}

int TemplateDialog::Selected(int id) {
    QWidget* w = control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* s = qobject_cast<QSlider*>(w)) return s->value();
    if (auto* s = qobject_cast<QSpinBox*>(w)) return s->value();
    if (auto* l = qobject_cast<QTreeWidget*>(w)) {
        QTreeWidgetItem* item = l->currentItem();
        return item ? l->indexOfTopLevelItem(item) : -1;
    }
    return -1;
}

void TemplateDialog::Select(int id, int index) {
    QWidget* w = control(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(index);
    if (auto* s = qobject_cast<QSlider*>(w)) {
        QSignalBlocker quiet(s);
        s->setValue(index);
    }
    if (auto* s = qobject_cast<QSpinBox*>(w)) {
        QSignalBlocker quiet(s);
        s->setValue(index);
    }
    if (auto* l = qobject_cast<QTreeWidget*>(w)) l->setCurrentItem(l->topLevelItem(index));
}

void TemplateDialog::SetRange(int id, int low, int high) {
    if (auto* s = qobject_cast<QSlider*>(control(id))) {
        QSignalBlocker quiet(s);
        s->setRange(low, high);
    }
    if (auto* s = qobject_cast<QSpinBox*>(control(id))) {
        QSignalBlocker quiet(s);
        s->setRange(low, high);
    }
}

void TemplateDialog::Focus(int id) {
    QWidget* w = control(id);
    if (!w) return;
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
}

// An edit field that loses the focus to another control tells the routine;
// a window going inactive (a message box opening) does not.
bool TemplateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        auto* l = qobject_cast<QTreeWidget*>(watched);
        const int id = controls_.key(l, 0);
        if (l && listLooks_.contains(id)) ShareColumns(l, listLooks_[id].shares);
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const int id = controls_.key(qobject_cast<QWidget*>(watched), 0);
            if (id) Send(ui::DialogLeave, id);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// done() hides a modeless window too (and deletes it, as it closes); a plain
// close() would come back through reject() and leave it on the screen.
void TemplateDialog::End(int result) {
    ended_ = true;
    done(result);
}

TemplateDialog* QtDialogHost::Current() { return last; }

int QtDialogHost::Run(const ui::DialogTemplate& t, ui::DialogRoutine routine) {
    QWidget* parent = window_ && window_->isVisible() ? static_cast<QWidget*>(window_) : nullptr;
    if (t.modeless) {
        auto* d = new TemplateDialog(parent, t, routine);
        d->setModal(false);
        routine(*d, ui::DialogOpen, 0);
        if (window_) {
            d->move(window_->geometry().topLeft());
            if (t.window >= 0) window_->RegisterEditingWindow(t.window, d);
        }
        d->show();
        return 1;
    }
    TemplateDialog d(parent, t, routine);
    routine(d, ui::DialogOpen, 0);
    int result = d.exec();
    return result;
}

}  // namespace qtui
