// The drags of the drawing tools: boxes for the rectangle, circle, rounded rectangle and
// star, the pencil's stroke, the pen's control point and the transparency brushes.
#include <cstdlib>
#include <vector>

#include "document/plenivor_doc.h"
#include "edit/brush_dab.h"
#include "edit/quick_tools.h"
#include "edit/tool_drags.h"
#include "edit/tool_geometry.h"
#include "objects/bezier.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

constexpr COLORREF kFeedbackColour = 0x000000;

void DrawBezier(Overlay& out, const CBezier& outline, const Rect& r) {
  OutlineFeedback f = outline.DrawFeedback(r.left, r.top, r.Width(), r.Height(), 0.0);
  for (auto& line : f.polylines) out.Line(std::move(line), kFeedbackColour);
}

class ShapeDrag final : public ToolDrag {
 public:
  ShapeDrag(ToolMachine& m, Tool tool, Point press)
      : m_(m), tool_(tool), press_(SnapToCanvasOrigin(press)), shown_{press_.x, press_.y, press_.x, press_.y} {}

  void Move(Point p, Keys keys) override {
    const Point corner = SnapToCanvasEdges(p, m_.Doc().GetCanvasWidth(), m_.Doc().GetCanvasHeight());
    shown_ = keys.shift ? SquareFromPress(press_, corner) : Rect{press_.x, press_.y, corner.x, corner.y};
  }

  void Release(Point p, Keys keys) override {
    const Point corner = SnapToCanvasEdges(p, m_.Doc().GetCanvasWidth(), m_.Doc().GetCanvasHeight());
    Rect r{press_.x, press_.y, corner.x, corner.y};
    r.Normalize();
    if (keys.shift) r = SquareFromTopLeft(r);
    DrawToolParameters& params = m_.DrawParameters();
    switch (tool_) {
      case Tool::Rectangle:
        m_.CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) {
          return o.CreateRectangle(r.left, r.top, r.right, r.bottom);
        });
        break;
      case Tool::Circle:
        m_.CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) {
          return o.CreateCircle(r.left, r.top, r.right, r.bottom);
        });
        break;
      case Tool::RoundRect:
        params.corner = m_.Quick().FirstValue();
        m_.CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) {
          return o.CreateRoundRect(r.left, r.top, r.right, r.bottom, params.corner);
        });
        break;
      default:
        params.star_points = std::max(3, m_.Quick().FirstValue());
        params.star_ratio = m_.Quick().SecondValue();
        m_.CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) {
          return o.CreateStar(r.left, r.top, r.right, r.bottom, params.star_points, params.star_ratio);
        });
        break;
    }
    m_.ResumeSelect();
  }

  void Draw(Overlay& out) const override {
    Rect r = shown_;
    r.Normalize();
    CBezier preview;
    switch (tool_) {
      case Tool::Rectangle:
        out.Dotted(r, kFeedbackColour);
        return;
      case Tool::Circle:
        out.Circle(r, kFeedbackColour);
        return;
      case Tool::RoundRect:
        preview.MakeRoundRect(m_.Quick().FirstValue() / 1024.0, r.Width(), r.Height());
        break;
      default:
        preview.MakeStar(std::max(3, m_.Quick().FirstValue()), m_.Quick().SecondValue());
        break;
    }
    DrawBezier(out, preview, r);
  }
  Tool DragTool() const override { return tool_; }
  CursorRole Cursor() const override { return CursorRole::Drawing; }

 private:
  ToolMachine& m_;
  Tool tool_;
  Point press_;
  Rect shown_;
};

class FreePathDrag final : public ToolDrag {
 public:
  FreePathDrag(ToolMachine& m, Point press) : m_(m) {
    PathInProgress& path = m_.MutablePath();
    path.points = {press};
    path.start = path.last = press;
    path.closing = false;
    path.rubber = false;
  }

  void Move(Point p, Keys) override {
    PathInProgress& path = m_.MutablePath();
    path.points.push_back(p);
    path.last = p;
    path.closing = ClosesPath(p, path.start) && path.points.size() > 5;
  }

  void Release(Point p, Keys) override {
    PathInProgress& path = m_.MutablePath();
    path.closing = false;
    const bool closed = ClosesPath(p, path.start);
    if (path.points.empty()) return;
    const std::vector<Point> points = path.points;
    m_.CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) { return o.CreateFreePath(points, closed); });
    // The pencil stays: each stroke makes another path.
  }

  void Draw(Overlay& out) const override {
    const PathInProgress& path = m_.Path();
    if (path.points.size() == 1) out.Fill(Rect{path.start.x, path.start.y, path.start.x + 1, path.start.y + 1}, kFeedbackColour);
    out.Line(path.points, kFeedbackColour);
  }
  void Cancel() override { m_.MutablePath() = {}; }
  Tool DragTool() const override { return Tool::FreePath; }
  CursorRole Cursor() const override { return m_.Path().closing ? CursorRole::Node : CursorRole::Pencil; }

 private:
  ToolMachine& m_;
};

class PenDrag final : public ToolDrag {
 public:
  explicit PenDrag(ToolMachine& m) : m_(m) {}

  void Move(Point p, Keys) override { m_.MutablePath().points.back() = p; }

  void Release(Point p, Keys) override {
    // The outgoing control follows the release; the incoming one mirrors it.
    std::vector<Point>& pts = m_.MutablePath().points;
    if (pts.size() < 3) return;
    const Point node = pts[pts.size() - 2];
    pts.back() = p;
    pts[pts.size() - 3] = {node.x - (p.x - node.x), node.y - (p.y - node.y)};
  }

  void Draw(Overlay& out) const override { DrawPathInProgress(out, m_.Path()); }
  // The path is only being clicked together: giving up the drag drops it.
  void Cancel() override { m_.MutablePath() = {}; }
  Tool DragTool() const override { return Tool::NewPath; }
  CursorRole Cursor() const override { return CursorRole::Drawing; }

 private:
  ToolMachine& m_;
};

class BrushDrag final : public ToolDrag {
 public:
  BrushDrag(ToolMachine& m, CDrawObject& object, Point press, Tool tool)
      : m_(m), object_(object), tool_(tool) {
    // The source's alpha as it was, for a stroke given up with Escape.
    const CDIBSection& source = object_.SourceBitmap();
    if (source.Bits() == 32) {
      const int w = source.Width(), h = source.Height();
      alpha_before_.resize(static_cast<std::size_t>(w) * h);
      for (int r = 0; r < h; ++r) {
        const std::uint8_t* row = source.Row(r);
        for (int c = 0; c < w; ++c) alpha_before_[static_cast<std::size_t>(r) * w + c] = row[4 * c + 3];
      }
    }
    Dab(press);
  }

  void Cancel() override {
    CDIBSection& source = object_.SourceBitmap();
    const int w = source.Width(), h = source.Height();
    if (alpha_before_.size() != static_cast<std::size_t>(w) * h) return;
    for (int r = 0; r < h; ++r) {
      std::uint8_t* row = source.Row(r);
      for (int c = 0; c < w; ++c) row[4 * c + 3] = alpha_before_[static_cast<std::size_t>(r) * w + c];
    }
    object_.Render();  // takes the tint away
    m_.InvalidateObject(object_);
  }

  void Move(Point p, Keys) override { Dab(p); }

  void Release(Point, Keys) override {
    m_.Doc().TakeSnapshot();
    // The render from the source replaces the tinted feedback.
    object_.Render();
    m_.InvalidateObject(object_);
  }

  Tool DragTool() const override { return tool_; }
  CursorRole Cursor() const override {
    return tool_ == Tool::PaintOpaque ? CursorRole::OpaqueBrush : CursorRole::TransparencyBrush;
  }

 private:
  void Dab(Point p) {
    const DrawToolParameters& params = m_.DrawParameters();
    const Rect changed = PaintDab(object_, p, params.brush_size, params.brush_value,
                                  tool_ == Tool::PaintOpaque ? BrushKind::Opaque : BrushKind::Transparency);
    if (!changed.IsEmpty()) m_.Port().InvalidateCanvas(changed);
  }

  ToolMachine& m_;
  CDrawObject& object_;
  Tool tool_;
  std::vector<std::uint8_t> alpha_before_;
};

}  // namespace

bool ClosesPath(Point p, Point start) { return std::abs(p.x - start.x) < 4 && std::abs(p.y - start.y) < 4; }

void DrawPathInProgress(Overlay& out, const PathInProgress& path) {
  const std::vector<Point>& pts = path.points;
  if (pts.empty()) return;
  if (pts.size() > 3) {
    CBezier outline;
    const Rect box = outline.MakePath(pts, false);
    if (!box.IsEmpty()) DrawBezier(out, outline, box);
  }
  // Each node: its box, and lines to its two control points.
  for (std::size_t i = 1; i < pts.size(); i += 3) {
    out.Line({pts[i - 1], pts[i]}, 0x808080);
    if (i + 1 < pts.size()) out.Line({pts[i], pts[i + 1]}, 0x808080);
    out.Frame(SquareAt(pts[i]), i == 1 ? 0x00C000 : 0x0000FF);
  }
  if (path.rubber && pts.size() >= 2) out.Line({pts[pts.size() - 2], path.mouse}, kFeedbackColour);
}

std::unique_ptr<ToolDrag> StartShapeDrag(ToolMachine& m, Tool tool, Point press) {
  return std::make_unique<ShapeDrag>(m, tool, press);
}
std::unique_ptr<ToolDrag> StartFreePathDrag(ToolMachine& m, Point press) {
  return std::make_unique<FreePathDrag>(m, press);
}
std::unique_ptr<ToolDrag> StartPenDrag(ToolMachine& m) { return std::make_unique<PenDrag>(m); }
std::unique_ptr<ToolDrag> StartBrushDrag(ToolMachine& m, CDrawObject& object, Point press, Tool tool) {
  return std::make_unique<BrushDrag>(m, object, press, tool);
}

}  // namespace lumi
