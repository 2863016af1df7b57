// ui::Painter over a QPainter: the result folders draw through it on the
// screen, into an off-screen picture, or on a printer page.
#pragma once

#include <QFont>
#include <QPainter>

#include "ui/draw.h"

namespace qtui {

class QtPainter : public ui::Painter {
public:
    // `painter` is not owned; its device decides screen or printer.
    explicit QtPainter(QPainter* painter);
    void SetPen(ui::DrawColour c, int width) override;
    void SetBrush(ui::DrawColour c, bool filled = true) override;
    void SetTextColour(ui::DrawColour c) override;
    void SetFont(int height, bool bold) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<ui::Point>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<ui::Point>& points) override;
    void Pie(int left, int top, int right, int bottom, float startDegrees, float spanDegrees) override;
    void Text(int x, int y, const std::string& text, ui::TextAlign align = ui::AlignLeft) override;
    int TextWidth(const std::string& text) override;
    int LineHeight() override;
    void Clip(int left, int top, int right, int bottom) override;
    void NoClip() override;

private:
    QPainter* p_;
    QFont base_;
    QColor text_;
};

}  // namespace qtui
