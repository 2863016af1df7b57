// The Summary and graph folders: painting, the pointer read-out, picked
// ages, the age window, display styles and the selected-age pies.
#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "engine/engine.h"
#include "ui/qt/folders.h"
#include "ui/qt/painter.h"
#include "ui/ui.h"

namespace qtui {

GraphFolder::GraphFolder(QWidget* parent, int folder) : QWidget(parent), folder_(folder) {
    setMouseTracking(true);
    setAutoFillBackground(false);
    setObjectName(QString("folder%1").arg(folder));
}

void GraphFolder::Show(int block) {
    if (block != block_) views_[0] = GraphView();
    block_ = block;
    // A new run may have fewer rows than a window or a selection made before.
    for (GraphView& v : views_) {
        if (v.windowOn && v.toRow >= results.rowCount) v.windowOn = 0;
        if (v.selectedRow >= results.rowCount) v.showPies = 0;
    }
    if (Summary() && (summaryPanel.row < 0 || summaryPanel.row >= results.rowCount)) summaryPanel.row = 0;
    readOut_.clear();
    update();
}

int GraphFolder::CodeOf(int quarter) const {
    return Summary() ? SummaryQuarterCode(quarter) : GraphCodeOfFolder(folder_);
}

void GraphFolder::DrawOn(ui::Painter& p, const ui::Rect& box, const DrawScale& scale) {
    if (Summary()) {
        DrawSummaryFolder(p, box, views_, plots_, pies_, scale);
        return;
    }
    if (views_[0].showPies) {
        pies_[0] = DrawPies(p, box, CodeOf(0), block_, views_[0].selectedRow, scale);
        plots_[0] = PlotArea();
    } else {
        plots_[0] = DrawGraph(p, box, CodeOf(0), block_, views_[0], scale);
        pies_[0] = PieArea();
    }
}

void GraphFolder::paintEvent(QPaintEvent*) {
    QPainter qp(this);
    qp.fillRect(rect(), palette().window());
    QtPainter p(&qp);
    ui::Rect box{8, 8, width() - 14, height() - 14};
    DrawOn(p, box, DrawScale{});
    if (!readOut_.isEmpty()) {
        QFontMetrics m(font());
        QRect r = m.boundingRect(readOut_).adjusted(-4, -2, 4, 2);
        r.moveTopLeft(readOutAt_ + QPoint(14, -r.height() - 4));
        if (r.right() > width() - 4) r.moveRight(readOutAt_.x() - 14);
        if (r.top() < 2) r.moveTop(readOutAt_.y() + 16);
        qp.setPen(Qt::black);
        qp.setBrush(QColor(255, 255, 225));
        qp.drawRect(r);
        qp.drawText(r, Qt::AlignCenter, readOut_);
    }
}

int GraphFolder::QuarterAt(QPoint pos) const {
    for (int q = 0; q < Quarters(); ++q)
        if (InsidePlot(plots_[q], pos.x(), pos.y())) return q;
    return -1;
}

void GraphFolder::mouseMoveEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    int q = QuarterAt(pos);
    QString text = q < 0 ? QString() : QString::fromLocal8Bit(ReadOut(plots_[q], pos.x(), pos.y()));
    if (text != readOut_ || (!text.isEmpty() && pos != readOutAt_)) {
        readOut_ = text;
        readOutAt_ = pos;
        update();
    }
}

void GraphFolder::mousePressEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    int q = QuarterAt(pos);
    if (event->button() == Qt::LeftButton) {
        // Only the pick of this press may be taken back by a double-click.
        for (GraphView& v : views_) v.justPicked = 0;
        if (q >= 0) PickAge(views_[q], RowAtX(plots_[q], pos.x()));
    } else if (event->button() == Qt::RightButton && (event->modifiers() & Qt::ShiftModifier)) {
        for (int k = 0; k < Quarters(); ++k)
            if (q < 0 ? k == 0 || Summary() : k == q) ApplyAgeWindow(views_[k]);
        update();
    } else if (event->button() == Qt::RightButton) {
        // A slice under the pointer shows its part and share.
        for (int k = 0; k < Quarters(); ++k) {
            if (!views_[k].showPies) continue;
            const PieArea& a = pies_[k];
            int i = PieSliceAt(a.slices, a.cx, a.cy, a.radius, pos.x(), pos.y());
            if (i < 0) continue;
            readOut_ = QString::fromLocal8Bit(PieSliceText(a, i));
            readOutAt_ = pos;
            update();
        }
    }
}

void GraphFolder::mouseDoubleClickEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    int q = QuarterAt(pos);
    if (event->button() == Qt::RightButton) {
        for (int k = 0; k < Quarters(); ++k)
            if (q < 0 || k == q) StepStyle(views_[k]);
    } else if (event->button() == Qt::LeftButton) {
        if (q >= 0) {
            // The first press of the double-click picked this age; selecting
            // the year is what was meant.
            UnpickAge(views_[q]);
            int row = RowAtX(plots_[q], pos.x());
            for (int k = 0; k < Quarters(); ++k) {
                views_[k].selectedRow = row;
                views_[k].showPies = 1;
            }
            if (Summary()) {
                summaryPanel.row = row;
                summaryPanel.view = q == 0 ? 0 : q + 1;
            }
        } else {
            for (GraphView& v : views_) v.showPies = 0;
        }
    }
    readOut_.clear();
    update();
}

// ---- Monte Carlo -------------------------------------------------------------

MonteCarloFolder::MonteCarloFolder(QWidget* parent) : QWidget(parent), resized_(new QTimer(this)) {
    setObjectName(QString("folder%1").arg(FolderMonteCarlo));
    // A new size is a new drawing, and the drawing is the analysis: it runs
    // once the size has settled, not at every step of a drag.
    resized_->setSingleShot(true);
    resized_->setInterval(400);
    connect(resized_, &QTimer::timeout, this, &MonteCarloFolder::Run);
}

void MonteCarloFolder::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!picture_.isNull() && isVisible() && picture_.size() != size()) resized_->start();
}

void MonteCarloFolder::Refresh(void* context) {
    auto* self = static_cast<MonteCarloFolder*>(context);
    self->repaint();
    // The person's input too: Escape stops the analysis (the ui holds the
    // rest back while it runs).
    QCoreApplication::processEvents();
}

void MonteCarloFolder::Run() {
    if (running_) return;
    if (shell.windowOpen[WindowMonteCarloSettings]) {
        ui::Current().RaiseWindow(WindowMonteCarloSettings);
        return;
    }
    // The safe-spending search runs analyses of the plan with other amounts
    // while its dialog is open: the folder waits for the plan to be itself.
    if (shell.windowOpen[WindowSafeSpending]) return;
    running_ = true;
    QSize size = this->size().expandedTo(QSize(200, 150));
    picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(palette().window().color());
    {
        QPainter qp(&picture_);
        qp.setFont(font());
        QtPainter p(&qp);
        MonteCarloFolderRun run;
        run.painter = &p;
        run.box = {8, 8, size.width() - 14, size.height() - 14};
        run.refresh = Refresh;
        run.context = this;
        ui::Current().SetWaitCursor(true);
        RunMonteCarloFolder(run);
        ui::Current().SetWaitCursor(false);
    }
    running_ = false;
    update();
}

int DrawFolderOnPage(QWidget* page, QPainter& painter, const QRect& area) {
    QtPainter p(&painter);
    DrawScale printed;
    printed.curveWidth = 8;
    printed.printing = 1;
    ui::Rect box{area.left(), area.top(), area.right(), area.bottom()};
    if (auto* g = qobject_cast<GraphFolder*>(page)) {
        g->DrawOn(p, box, printed);
        return 1;
    }
    if (qobject_cast<MonteCarloFolder*>(page)) {
        MonteCarloFolderRun run;
        run.painter = &p;
        run.box = box;
        run.scale = printed;
        RunMonteCarloFolder(run);
        return 1;
    }
    return 0;
}

void MonteCarloFolder::paintEvent(QPaintEvent*) {
    QPainter qp(this);
    qp.fillRect(rect(), palette().window());
    if (!picture_.isNull()) qp.drawImage(0, 0, picture_);
}

}  // namespace qtui
