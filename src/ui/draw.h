// The drawing surface the result folders paint on: pens, brushes, lines,
// polylines, rectangles, polygons, pies, text and clipping, in device units.
// The desktop program implements it over a QPainter (screen or printer
// page); tests use a recording implementation (tests/doubles).
#pragma once

#include <string>
#include <vector>

#include "ui/ui.h"

namespace ui {

struct DrawColour {
    int r = 0, g = 0, b = 0;
    bool operator==(const DrawColour&) const = default;
};
struct Point {
    int x = 0, y = 0;
};
enum TextAlign : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

class Painter {
public:
    virtual ~Painter() = default;
    // Width 0 draws no outline at all.
    virtual void SetPen(DrawColour c, int width) = 0;
    // The fill of rectangles, polygons and pies; `filled` false leaves them hollow.
    virtual void SetBrush(DrawColour c, bool filled = true) = 0;
    virtual void SetTextColour(DrawColour c) = 0;
    // Font height in device units; 0 keeps the surface's own.
    virtual void SetFont(int height, bool bold) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Polyline(const std::vector<Point>& points) = 0;
    // Right and bottom are inclusive of the outline.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const std::vector<Point>& points) = 0;
    // A slice of the ellipse in the box, from `startDegrees` (0 = three
    // o'clock) counter-clockwise over `spanDegrees`.
    virtual void Pie(int left, int top, int right, int bottom, float startDegrees, float spanDegrees) = 0;
    // Text with its top at y; x is its left edge, centre or right edge.
    virtual void Text(int x, int y, const std::string& text, TextAlign align = AlignLeft) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int LineHeight() = 0;
    virtual void Clip(int left, int top, int right, int bottom) = 0;
    virtual void NoClip() = 0;
};

}  // namespace ui
