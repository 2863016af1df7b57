// The "Results" folder: the owner-drawn schedule list and its panel.
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "shell/results_panel.h"
#include "shell/shell.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_ui.h"

namespace qtui {

namespace {
constexpr Colour ScrollBarColour{200, 200, 200};

// `f` at the largest pixel size, up to its own, at which a money cell of
// `cellWidth` holds "$-9,999,999.99": a right-aligned figure wider than its
// cell would lose its leading digits into the cell before, and
// $1,327,146.00 read as 327,146.00.
QFont FittingCell(QFont f, int cellWidth) {
    int size = QFontInfo(f).pixelSize();
    for (; size > 7; --size) {
        f.setPixelSize(size);
        if (QFontMetrics(f).horizontalAdvance("$-9,999,999.99") <= cellWidth - 4) break;
    }
    f.setPixelSize(size);
    return f;
}

// The headings over the table rows' eight cells, at the cells' own widths
// and in the list's font, so that each stands over its column.
class ResultsHeader : public QWidget {
public:
    ResultsHeader(QWidget* parent, QWidget* sizeFrom, QListView* list)
        : QWidget(parent), sizeFrom_(sizeFrom), list_(list) {
        setObjectName("resultsHeader");
    }
    QSize sizeHint() const override { return {0, QFontMetrics(HeadingFont()).height() + 6}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        int widths[8];
        ResultsColumnWidths(sizeFrom_->width(), widths);
        p.setFont(FittingCell(HeadingFont(), widths[1]));
        int x = list_->frameWidth() + 2;  // where the rows start their cells
        for (int i = 0; i < 8; ++i) {
            QRect cell(x, 0, widths[i], height());
            int align = (i == 0 ? Qt::AlignLeft | Qt::TextDontClip : Qt::AlignRight) | Qt::AlignVCenter;
            p.drawText(cell.adjusted(2, 0, -2, 0), align, ResultsColumnHeading(i));
            x += widths[i];
        }
    }

private:
    QFont HeadingFont() const {
        QFont f = FontOrDefault(3, list_->font());
        f.setBold(true);
        return f;
    }
    QWidget* sizeFrom_;
    QListView* list_;
};
}  // namespace

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ResultLineCount();
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return Text(ResultLine(index.row()));
}

void ResultsModel::Reload() {
    beginResetModel();
    endResetModel();
}

ResultsDelegate::ResultsDelegate(QObject* parent, QWidget* sizeFrom)
    : QStyledItemDelegate(parent), sizeFrom_(sizeFrom) {}

// Every row has one height, room for the value font and its extra spacing.
QSize ResultsDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    int height = std::max(option.fontMetrics.height(), QFontMetrics(FontOrDefault(3, option.font)).height());
    return QSize(option.rect.width(), height + 4 + static_cast<int>(std::lround(shell.valueFontSpacing)));
}

void ResultsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const std::string line = ResultLine(index.row());
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    Colour band = ResultsBandingColour(ScrollBarColour);
    QColor background = index.row() % 2 == 0 ? QColor(Qt::white) : QColor(band.r, band.g, band.b);
    QColor ink = ResultLineIsRed(line) ? QColor(Qt::red) : QColor(Qt::black);
    if (selected) {
        background = option.palette.color(QPalette::Active, QPalette::Highlight);
        ink = Qt::white;
    }
    painter->save();
    painter->fillRect(r, background);
    painter->setPen(ink);
    painter->setFont(option.font);
    if (ResultLineIsTableRow(line)) {
        int widths[8];
        ResultsColumnWidths(sizeFrom_->width(), widths);
        painter->setFont(FittingCell(FontOrDefault(3, option.font), widths[1]));
        std::vector<std::string> cells = ResultTableCells(line);
        int x = r.left() + 2;
        for (int i = 0; i < 8; ++i) {
            QRect cell(x, r.top(), widths[i], r.height());
            QPen rule(selected ? QColor(Qt::white) : QColor(160, 160, 160));
            painter->setPen(rule);
            painter->drawLine(cell.topLeft(), cell.topRight());
            painter->drawLine(cell.bottomLeft(), cell.bottomRight());
            painter->setPen(ink);
            if (i < static_cast<int>(cells.size())) {
                // The narrow age cell may run into the next one, which is right-aligned.
                int align = (i == 0 ? Qt::AlignLeft | Qt::TextDontClip : Qt::AlignRight) | Qt::AlignVCenter;
                painter->drawText(cell.adjusted(2, 0, -2, 0), align, Text(cells[i]));
            }
            x += widths[i];
        }
    } else {
        painter->drawText(r.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, Text(line));
    }
    painter->restore();
}

ResultsFolder::ResultsFolder(QWidget* mainWindow) : QWidget(mainWindow) {
    setObjectName("resultsFolder");
    model_ = new ResultsModel(this);
    list_ = new QListView(this);
    list_->setObjectName("resultsList");
    list_->setModel(model_);
    list_->setItemDelegate(new ResultsDelegate(list_, mainWindow));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto button = [this](int id) {
        auto* b = new QPushButton(ResultsButtonText(id), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, id] { Press(id); });
        buttons_[id] = b;
        return b;
    };
    age_ = new QLineEdit(this);
    age_->setObjectName("goToAge");
    age_->setMaxLength(6);
    age_->setFixedWidth(48);
    connect(age_, &QLineEdit::returnPressed, this, [this] { Press(ResultsGoTo); });
    detailed_ = new QCheckBox(ResultsButtonText(ResultsDetailed), this);
    accounts_ = new QCheckBox(ResultsButtonText(ResultsAccounts), this);
    connect(detailed_, &QCheckBox::clicked, this, [this] { Press(ResultsDetailed); });
    connect(accounts_, &QCheckBox::clicked, this, [this] { Press(ResultsAccounts); });

    // Three centred rows that fit the narrowest main window.
    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* r = new QHBoxLayout;
        r->setSpacing(4);
        r->addStretch();
        for (QWidget* w : widgets) r->addWidget(w);
        r->addStretch();
        return r;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    header_ = new ResultsHeader(this, mainWindow, list_);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    layout->addLayout(row({button(ResultsTop), button(ResultsBottom), button(ResultsGoTo), age_,
                           button(ResultsRunAgain), button(ResultsHelp)}));
    layout->addLayout(row({detailed_, accounts_, button(ResultsSave), button(ResultsPrint)}));
    layout->addLayout(
        row({button(ResultsRandomAccounts), button(ResultsRandomGroups), button(ResultsEditInitialValues)}));
}

void ResultsFolder::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitFont();
}

// The list font is the largest, up to the usual size, at which a money
// cell of the table rows holds "$-9,999,999.99".
void ResultsFolder::FitFont() {
    int widths[8];
    ResultsColumnWidths(parentWidget() ? window()->width() : width(), widths);
    if (ChosenFont(2) || ChosenFont(3)) {
        // A chosen font is shown as chosen.
        QFont chosen = FontOrDefault(2, font());
        if (list_->font() != chosen) list_->setFont(chosen);
        list_->doItemsLayout();
        header_->updateGeometry();
        header_->update();
        return;
    }
    const QFont f = FittingCell(font(), widths[1]);
    if (list_->font() != f) list_->setFont(f);
    header_->updateGeometry();
    header_->update();
}

void ResultsFolder::Press(int id) {
    ResultsButton(id, age_->text().toStdString());
    // The check boxes mirror the switches, also when the press was ignored.
    QSignalBlocker a(detailed_), b(accounts_);
    detailed_->setChecked(ResultsDetailedShown());
    accounts_->setChecked(ResultsAccountsShown());
}

void ResultsFolder::Refill(int selectLine) {
    FitFont();
    model_->Reload();
    if (selectLine == -2) selectLine = ResultsPositionLine();
    if (selectLine >= 0 && selectLine < model_->rowCount()) {
        QModelIndex index = model_->index(selectLine);
        list_->setCurrentIndex(index);
        list_->scrollTo(index, QAbstractItemView::EnsureVisible);
    }
    QSignalBlocker a(detailed_), b(accounts_);
    detailed_->setChecked(ResultsDetailedShown());
    accounts_->setChecked(ResultsAccountsShown());
}

}  // namespace qtui
