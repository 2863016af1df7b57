// The drawing surface of the tests.
#pragma once

#include <string>
#include <vector>

#include "ui/draw.h"

namespace ui {

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
