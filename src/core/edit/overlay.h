#pragma once
// What the tools show over the composed canvas, as a small display list in canvas
// coordinates: frames, handles, dotted rubber rectangles, node boxes, outlines being
// dragged. The window paints it after the composite, so nothing is drawn by inverting.
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"

namespace lumi {

struct OverlayShape {
  enum class Kind {
    Frame,         // a 1-pixel rectangle outline
    DottedFrame,   // a dotted 1-pixel rectangle outline (rubber bands, pending sizes)
    FilledRect,    // a solid rectangle
    Circle,        // an ellipse outline inside `rect`
    FilledCircle,  // a solid ellipse inside `rect`
    Polyline,      // `points` joined by 1-pixel lines
  };
  Kind kind = Kind::Frame;
  COLORREF colour = 0;
  Rect rect;
  std::vector<Point> points;
};

struct Overlay {
  std::vector<OverlayShape> shapes;

  void Frame(const Rect& r, COLORREF c) { shapes.push_back({OverlayShape::Kind::Frame, c, r, {}}); }
  void Dotted(const Rect& r, COLORREF c) {
    shapes.push_back({OverlayShape::Kind::DottedFrame, c, r, {}});
  }
  void Fill(const Rect& r, COLORREF c) {
    shapes.push_back({OverlayShape::Kind::FilledRect, c, r, {}});
  }
  void Circle(const Rect& r, COLORREF c, bool filled = false) {
    shapes.push_back({filled ? OverlayShape::Kind::FilledCircle : OverlayShape::Kind::Circle, c, r, {}});
  }
  void Line(std::vector<Point> points, COLORREF c) {
    if (points.size() >= 2) shapes.push_back({OverlayShape::Kind::Polyline, c, {}, std::move(points)});
  }
  bool Empty() const { return shapes.empty(); }
  // Every pixel the list touches, plus one pixel for line ends.
  Rect Bounds() const;
};

}  // namespace lumi
