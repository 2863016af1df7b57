// The drawing surface over a QPainter.
#include "ui/qt/painter.h"

#include <QFontMetrics>
#include <QPolygon>

namespace qtui {

namespace {

QColor ToQ(ui::DrawColour c) { return QColor(c.r, c.g, c.b); }

QPolygon ToPolygon(const std::vector<ui::Point>& points) {
    QPolygon polygon;
    for (const ui::Point& p : points) polygon << QPoint(p.x, p.y);
    return polygon;
}

QString ToText(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QtPainter::QtPainter(QPainter* painter) : p_(painter), base_(painter->font()), text_(Qt::black) {
    p_->setRenderHint(QPainter::Antialiasing, false);
}

void QtPainter::SetPen(ui::DrawColour c, int width) {
    if (width <= 0) {
        p_->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQ(c));
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p_->setPen(pen);
}

void QtPainter::SetBrush(ui::DrawColour c, bool filled) {
    p_->setBrush(filled ? QBrush(ToQ(c)) : QBrush(Qt::NoBrush));
}

void QtPainter::SetTextColour(ui::DrawColour c) { text_ = ToQ(c); }

void QtPainter::SetFont(int height, bool bold) {
    QFont f = base_;
    if (height > 0) f.setPixelSize(height);
    f.setBold(bold);
    p_->setFont(f);
}

void QtPainter::Line(int x1, int y1, int x2, int y2) { p_->drawLine(x1, y1, x2, y2); }

void QtPainter::Polyline(const std::vector<ui::Point>& points) {
    p_->setRenderHint(QPainter::Antialiasing, true);
    p_->drawPolyline(ToPolygon(points));
    p_->setRenderHint(QPainter::Antialiasing, false);
}

void QtPainter::Rectangle(int left, int top, int right, int bottom) {
    p_->drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtPainter::Polygon(const std::vector<ui::Point>& points) { p_->drawPolygon(ToPolygon(points)); }

void QtPainter::Pie(int left, int top, int right, int bottom, float startDegrees, float spanDegrees) {
    p_->setRenderHint(QPainter::Antialiasing, true);
    // Qt counts sixteenths of a degree, counter-clockwise from three o'clock.
    p_->drawPie(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), qRound(startDegrees * 16),
                qRound(spanDegrees * 16));
    p_->setRenderHint(QPainter::Antialiasing, false);
}

void QtPainter::Text(int x, int y, const std::string& text, ui::TextAlign align) {
    QString t = ToText(text);
    QFontMetrics m(p_->font(), p_->device());
    int w = m.horizontalAdvance(t);
    int left = align == ui::AlignLeft ? x : align == ui::AlignCentre ? x - w / 2 : x - w;
    QPen saved = p_->pen();
    p_->setPen(text_);
    p_->drawText(left, y + m.ascent(), t);
    p_->setPen(saved);
}

int QtPainter::TextWidth(const std::string& text) {
    return QFontMetrics(p_->font(), p_->device()).horizontalAdvance(ToText(text));
}

int QtPainter::LineHeight() { return QFontMetrics(p_->font(), p_->device()).height(); }

void QtPainter::Clip(int left, int top, int right, int bottom) {
    p_->setClipRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void QtPainter::NoClip() { p_->setClipping(false); }

}  // namespace qtui
