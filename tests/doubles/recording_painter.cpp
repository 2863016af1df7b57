// The recording drawing surface of the tests.
#include <cstdio>

#include "recording_painter.h"

namespace ui {

namespace {

std::string Colour(DrawColour c) {
    char t[40];
    std::snprintf(t, sizeof t, "(%d,%d,%d)", c.r, c.g, c.b);
    return t;
}

std::string Points(const std::vector<Point>& points) {
    std::string s;
    for (const Point& p : points) s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    return s;
}

}  // namespace

void RecordingPainter::SetPen(DrawColour c, int width) {
    pen = c;
    penWidth = width;
    calls.push_back("pen " + Colour(c) + " " + std::to_string(width));
}

void RecordingPainter::SetBrush(DrawColour c, bool filled) {
    brush = c;
    calls.push_back(std::string("brush ") + (filled ? Colour(c) : "none"));
}

void RecordingPainter::SetTextColour(DrawColour c) { textColour = c; }

void RecordingPainter::SetFont(int height, bool bold) {
    calls.push_back("font " + std::to_string(height) + (bold ? " bold" : ""));
}

void RecordingPainter::Line(int x1, int y1, int x2, int y2) {
    calls.push_back("line " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
                    std::to_string(y2));
}

void RecordingPainter::Polyline(const std::vector<Point>& points) {
    calls.push_back("polyline " + Colour(pen) + Points(points));
}

void RecordingPainter::Rectangle(int left, int top, int right, int bottom) {
    calls.push_back("rect " + Colour(brush) + " " + std::to_string(left) + " " + std::to_string(top) + " " +
                    std::to_string(right) + " " + std::to_string(bottom));
}

void RecordingPainter::Polygon(const std::vector<Point>& points) {
    calls.push_back("polygon " + Colour(brush) + Points(points));
}

void RecordingPainter::Pie(int left, int top, int right, int bottom, float startDegrees, float spanDegrees) {
    char t[160];
    std::snprintf(t, sizeof t, "pie %s %d %d %d %d %.2f %.2f", Colour(brush).c_str(), left, top, right, bottom,
                  startDegrees, spanDegrees);
    calls.push_back(t);
}

void RecordingPainter::Text(int x, int y, const std::string& text, TextAlign align) {
    int left = align == AlignLeft ? x : align == AlignCentre ? x - TextWidth(text) / 2 : x - TextWidth(text);
    texts.push_back({left, y, text, textColour});
    calls.push_back("text " + std::to_string(left) + " " + std::to_string(y) + " " + text);
}

int RecordingPainter::TextWidth(const std::string& text) { return charWidth * static_cast<int>(text.size()); }

void RecordingPainter::Clip(int left, int top, int right, int bottom) {
    calls.push_back("clip " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) + " " +
                    std::to_string(bottom));
}

void RecordingPainter::NoClip() { calls.push_back("noclip"); }

int RecordingPainter::Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
}

std::vector<RecordingPainter::Drawn> RecordingPainter::TextsWith(const std::string& part) const {
    std::vector<Drawn> out;
    for (const auto& t : texts)
        if (t.text.find(part) != std::string::npos) out.push_back(t);
    return out;
}

}  // namespace ui
