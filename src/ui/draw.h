// The drawing surface the result folders paint on: pens, brushes, lines,
// polylines, rectangles, polygons, pies, text and clipping, in device units.
// The desktop program implements it over a QPainter (screen or printer
// page); tests use the recording implementation below.
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

// Records every call as one line of text ("line 1 2 3 4", "text 5 6 0 Age"),
// with fixed text metrics, so tests can check what was drawn.
class RecordingPainter : public Painter {
public:
    std::vector<std::string> calls;
    struct Drawn {
        int x, y;
        std::string text;
        DrawColour colour;
    };
    std::vector<Drawn> texts;
    DrawColour pen, brush, textColour;
    int penWidth = 1;
    int charWidth = 7, lineHeight = 14;

    void SetPen(DrawColour c, int width) override;
    void SetBrush(DrawColour c, bool filled = true) override;
    void SetTextColour(DrawColour c) override;
    void SetFont(int height, bool bold) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<Point>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<Point>& points) override;
    void Pie(int left, int top, int right, int bottom, float startDegrees, float spanDegrees) override;
    void Text(int x, int y, const std::string& text, TextAlign align = AlignLeft) override;
    int TextWidth(const std::string& text) override;
    int LineHeight() override { return lineHeight; }
    void Clip(int left, int top, int right, int bottom) override;
    void NoClip() override;
    // Whether any call line starts with `prefix`.
    int Count(const std::string& prefix) const;
    // The drawn texts that contain `part`.
    std::vector<Drawn> TextsWith(const std::string& part) const;
};

}  // namespace ui
