// The program's pictures, drawn rather than shipped: the 24 toolbar icons,
// the window icon and the maker's page.
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/qt/qt_ui.h"

namespace qtui {

namespace {

const QColor ink(40, 40, 40);
const QColor paper(255, 255, 250);
const QColor blue(30, 90, 200);
const QColor green(20, 140, 60);
const QColor red(200, 40, 40);
const QColor gold(220, 170, 30);

void Page(QPainter& p, QColor fold = ink) {
    QPolygonF sheet({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}});
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawPolygon(sheet);
    p.setPen(fold);
    p.drawLine(QPointF(10, 1), QPointF(10, 4));
    p.drawLine(QPointF(10, 4), QPointF(13, 4));
}

void Folder(QPainter& p) {
    p.setPen(ink);
    p.setBrush(gold);
    p.drawPolygon(QPolygonF({{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 14}, {1, 14}}));
    p.setBrush(gold.lighter(130));
    p.drawPolygon(QPolygonF({{1, 14}, {3, 8}, {15, 8}, {14, 14}}));
}

void Disk(QPainter& p, QColor body = blue) {
    p.setPen(ink);
    p.setBrush(body);
    p.drawRect(QRectF(2, 2, 12, 12));
    p.setBrush(paper);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(5, 10, 6, 4));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor c) {
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QLineF l(to, from);
    QLineF a = l;
    a.setLength(4);
    a.setAngle(l.angle() + 35);
    QLineF b = l;
    b.setLength(4);
    b.setAngle(l.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void Printer(QPainter& p) {
    p.setPen(ink);
    p.setBrush(paper);
    p.drawRect(QRectF(4, 1, 8, 5));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1, 6, 14, 6));
    p.setBrush(paper);
    p.drawRect(QRectF(4, 10, 8, 5));
    p.setPen(green);
    p.drawPoint(QPointF(13, 8));
}

void Bars(QPainter& p, QRectF area) {
    p.setPen(Qt::NoPen);
    const QColor colours[3] = {blue, red, green};
    const double heights[3] = {0.5, 0.9, 0.7};
    double w = area.width() / 3;
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        double h = area.height() * heights[i];
        p.drawRect(QRectF(area.left() + i * w + 0.5, area.bottom() - h, w - 1, h));
    }
    p.setPen(ink);
    p.drawLine(area.bottomLeft(), area.bottomRight());
}

void House(QPainter& p, QColor roof = red) {
    p.setPen(ink);
    p.setBrush(roof);
    p.drawPolygon(QPolygonF({{1, 8}, {8, 2}, {15, 8}}));
    p.setBrush(paper);
    p.drawRect(QRectF(3, 8, 10, 7));
    p.setBrush(QColor(140, 90, 40));
    p.drawRect(QRectF(7, 11, 3, 4));
}

void Glyph(QPainter& p, const QString& text, QColor c, QRectF box = QRectF(0, 0, 16, 16), int size = 10) {
    QFont f("Sans");
    f.setPixelSize(size);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(box, Qt::AlignCenter, text);
}

void Table(QPainter& p) {
    p.setPen(ink);
    p.setBrush(paper);
    p.drawRect(QRectF(1, 2, 10, 12));
    for (int y = 5; y < 14; y += 3) p.drawLine(QPointF(1, y), QPointF(11, y));
    p.drawLine(QPointF(5, 2), QPointF(5, 14));
}

void Draw(QPainter& p, int index) {
    switch (index) {
        case 0:  // New
            Page(p);
            Glyph(p, "+", green, QRectF(3, 4, 10, 11), 11);
            break;
        case 1:  // Open
            Folder(p);
            break;
        case 2:  // Save
            Disk(p);
            break;
        case 3:  // Save as
            Disk(p, QColor(90, 60, 160));
            p.setPen(QPen(red, 2));
            p.drawLine(QPointF(9, 14), QPointF(15, 8));
            break;
        case 4:  // Import accounts
            Table(p);
            Arrow(p, QPointF(15, 8), QPointF(8, 8), green);
            break;
        case 5:  // Export accounts
            Table(p);
            Arrow(p, QPointF(8, 8), QPointF(15, 8), blue);
            break;
        case 6:  // Write accounts
            Disk(p, green);
            Arrow(p, QPointF(8, 0), QPointF(8, 6), red);
            break;
        case 7:  // Read accounts
            Disk(p, green);
            Arrow(p, QPointF(8, 6), QPointF(8, 0), blue);
            break;
        case 8:  // Print results
            Printer(p);
            break;
        case 9:  // Save graphs
            Disk(p, QColor(60, 130, 170));
            Bars(p, QRectF(5, 9, 6, 5));
            break;
        case 10:  // Print current graph
            Printer(p);
            Bars(p, QRectF(5, 10, 6, 4));
            break;
        case 11:  // Graph window
            p.setPen(ink);
            p.setBrush(paper);
            p.drawRect(QRectF(1, 1, 14, 14));
            Bars(p, QRectF(3, 4, 10, 10));
            break;
        case 12:  // Help
            p.setPen(ink);
            p.setBrush(QColor(255, 240, 120));
            p.drawEllipse(QRectF(1, 1, 14, 14));
            Glyph(p, "?", blue, QRectF(1, 1, 14, 14), 11);
            break;
        case 13:  // Mortgage calculator
            House(p);
            break;
        case 14:  // Refinance
            House(p, blue);
            Arrow(p, QPointF(14, 15), QPointF(14, 9), green);
            break;
        case 15:  // Accelerated payments
            House(p, green);
            Arrow(p, QPointF(0, 4), QPointF(6, 4), red);
            break;
        case 16:  // Inflation
            Glyph(p, "$", green, QRectF(0, 2, 10, 14), 12);
            Arrow(p, QPointF(13, 14), QPointF(13, 2), red);
            break;
        case 17:  // Taxes, inflation, investment
            Glyph(p, "%", blue, QRectF(0, 0, 16, 16), 12);
            break;
        case 18:  // Trade-off
            p.setPen(QPen(ink, 1.5));
            p.drawLine(QPointF(8, 2), QPointF(8, 14));
            p.drawLine(QPointF(2, 5), QPointF(14, 5));
            p.drawLine(QPointF(4, 14), QPointF(12, 14));
            p.setBrush(gold);
            p.drawChord(QRectF(0, 5, 6, 6), 180 * 16, 180 * 16);
            p.drawChord(QRectF(10, 5, 6, 6), 180 * 16, 180 * 16);
            break;
        case 19:  // Compare scenarios
            Bars(p, QRectF(1, 3, 6, 11));
            Bars(p, QRectF(9, 3, 6, 11));
            break;
        case 20:  // Desktop calculator
            p.setPen(ink);
            p.setBrush(QColor(210, 210, 210));
            p.drawRect(QRectF(3, 1, 10, 14));
            p.setBrush(QColor(180, 230, 180));
            p.drawRect(QRectF(4, 2, 8, 3));
            p.setBrush(ink);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) p.drawRect(QRectF(4.5 + c * 2.7, 7 + r * 2.6, 1.5, 1.5));
            break;
        case 21:  // About
            p.setPen(ink);
            p.setBrush(blue);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            Glyph(p, "i", Qt::white, QRectF(1, 1, 14, 14), 11);
            break;
        case 22:  // Effective yearly rate
            Glyph(p, "%", red, QRectF(0, 0, 11, 16), 11);
            Arrow(p, QPointF(11, 14), QPointF(15, 4), green);
            break;
        case 23:  // Credit card payoff
            p.setPen(ink);
            p.setBrush(QColor(60, 120, 200));
            p.drawRoundedRect(QRectF(1, 3, 14, 10), 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawRect(QRectF(1, 5, 14, 2));
            p.setBrush(gold);
            p.drawRect(QRectF(3, 9, 3, 2));
            break;
        default:
            break;
    }
}

QPixmap Picture(int index, int scale) {
    QPixmap pm(16 * scale, 16 * scale);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    Draw(p, index);
    return pm;
}

}  // namespace

QIcon ToolbarIcon(int index) {
    QIcon icon;
    icon.addPixmap(Picture(index, 1));
    icon.addPixmap(Picture(index, 2));
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 110, 70));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        Bars(p, QRectF(3, 4, 10, 9));
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap MakerPicture(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(18, 70, 52));
    g.setColorAt(1, QColor(40, 130, 90));
    p.fillRect(pm.rect(), g);
    // A rising line of savings over the years.
    QPainterPath path;
    double w = size.width(), h = size.height();
    path.moveTo(0.08 * w, 0.8 * h);
    for (int i = 1; i <= 20; ++i) {
        double x = 0.08 * w + i * 0.042 * w;
        double y = 0.8 * h - 0.5 * h * (i / 20.0) * (i / 20.0) - 0.03 * h * ((i % 3) - 1);
        path.lineTo(x, y);
    }
    p.setPen(QPen(QColor(230, 200, 80), 4));
    p.drawPath(path);
    QFont title("Serif");
    title.setPixelSize(static_cast<int>(h / 6));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0.08 * h, w, h / 4), Qt::AlignCenter, "Tillory");
    QFont sub("Sans");
    sub.setPixelSize(static_cast<int>(h / 16));
    p.setFont(sub);
    p.drawText(QRectF(0, 0.32 * h, w, h / 10), Qt::AlignCenter, "K&V Software  -  Retirement Planning");
    return pm;
}

}  // namespace qtui
