// The drags of the zoom, export crop, rotate, skew and texture tools and of the light
// direction of ball-bevelled objects.
#include <cmath>
#include <cstdio>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/tool_drags.h"
#include "edit/tool_geometry.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

constexpr double kDegreesPerRadian = 57.29577951471995;

// Zoom and export crop: a rectangle from the press, its moving corner snapped to the
// canvas edges and squared with Shift while dragging.
class RectangleDrag : public ToolDrag {
 public:
  RectangleDrag(ToolMachine& m, Point press) : m_(m), press_(press), shown_{press.x, press.y, press.x, press.y} {}

  void Move(Point p, Keys keys) override {
    const Point corner = SnapToCanvasEdges(p, m_.Doc().GetCanvasWidth(), m_.Doc().GetCanvasHeight());
    shown_ = keys.shift ? SquareFromPress(press_, corner) : Rect{press_.x, press_.y, corner.x, corner.y};
  }
  void Draw(Overlay& out) const override {
    Rect r = shown_;
    r.Normalize();
    out.Dotted(r, 0x000000);
  }

 protected:
  // The release point unsnapped, normalised.
  Rect Released(Point p) const {
    Rect r{press_.x, press_.y, p.x, p.y};
    r.Normalize();
    return r;
  }
  ToolMachine& m_;
  Point press_;
  Rect shown_;
};

class ZoomDrag final : public RectangleDrag {
 public:
  using RectangleDrag::RectangleDrag;
  void Release(Point p, Keys) override {
    // The rectangle as released: the square shown with Shift is only feedback.
    m_.Port().ZoomToRectangle(Released(p));
    m_.Port().DropCache();
    m_.ResumeSelect();
  }
  Tool DragTool() const override { return Tool::Zoom; }
  CursorRole Cursor() const override { return CursorRole::ZoomDragging; }
};

class ExportCropDrag final : public RectangleDrag {
 public:
  using RectangleDrag::RectangleDrag;
  void Release(Point p, Keys keys) override {
    Rect r = Released(p);
    if (keys.shift) r = SquareFromTopLeft(r);
    CPlenivorDoc& doc = m_.Doc();
    if (r.Width() < 1 || r.Height() < 1) {
      doc.SetCropRect({});
      doc.SetCropActive(false);
    } else {
      doc.SetCropRect(r);
      doc.SetCropActive(true);
    }
    m_.Port().DropCache();
    m_.ResumeSelect();
    m_.Port().InvalidateAll();
  }
  Tool DragTool() const override { return Tool::ExportCrop; }
  CursorRole Cursor() const override { return CursorRole::Crop; }
};

Point BoxCentre(const CDrawObject& o) { return {o.GetX() + o.GetWidth() / 2, o.GetY() + o.GetHeight() / 2}; }

class RotateDrag final : public ToolDrag {
 public:
  RotateDrag(ToolMachine& m, CDrawObject& object, Point press)
      : m_(m), object_(object), centre_(BoxCentre(object)),
        start_(RotateDirection(press.x - centre_.x, press.y - centre_.y)) {}

  void Move(Point p, Keys) override {
    angle_ = static_cast<int>(RotateDirection(p.x - centre_.x, p.y - centre_.y) - start_);
  }
  void Release(Point p, Keys keys) override {
    Move(p, keys);
    const Rect before = object_.GetInvalidRect(object_.GetSelectionRect());
    object_.Rotate(angle_, false);
    m_.InvalidateObject(object_, before);
    m_.Doc().TakeSnapshot();
  }
  void Draw(Overlay& out) const override {
    OutlineFeedback f = object_.DrawFeedback(angle_);
    for (auto& line : f.polylines) out.Line(std::move(line), 0x000000);
    out.Circle({centre_.x - 1, centre_.y - 1, centre_.x + 1, centre_.y + 1}, 0x000000);
    out.Circle({centre_.x - 7, centre_.y - 7, centre_.x + 7, centre_.y + 7}, 0x000000);
    if (object_.IsShape() && f.first.x != -1000) out.Frame(SquareAt(f.first), 0x000000);
  }
  Tool DragTool() const override { return Tool::Rotate; }
  CursorRole Cursor() const override { return CursorRole::Rotate; }
  int Angle() const { return angle_; }

 private:
  ToolMachine& m_;
  CDrawObject& object_;
  Point centre_;
  double start_;
  int angle_ = 0;
};

class SkewDrag final : public ToolDrag {
 public:
  SkewDrag(ToolMachine& m, CDrawObject& object, Point press, int handle)
      : m_(m), object_(object), press_(press), handle_(handle) {}

  void Move(Point p, Keys) override {
    // Handles 1 and 3 shift their edge horizontally, 2 and 4 vertically.
    m_.MutableSkew()[static_cast<std::size_t>(handle_ - 1)] =
        (handle_ % 2 == 1) ? p.x - press_.x : p.y - press_.y;
  }
  void Release(Point p, Keys keys) override {
    Move(p, keys);
    const Rect before = object_.GetInvalidRect(object_.GetSelectionRect());
    const std::array<int, 4> s = m_.SkewOffsets();
    object_.Skew(s[0], s[1], s[2], s[3]);
    m_.MutableSkew() = {};
    m_.InvalidateObject(object_, before);
    m_.Doc().TakeSnapshot();
  }
  void Cancel() override { m_.MutableSkew() = {}; }
  Tool DragTool() const override { return Tool::Skew; }
  CursorRole Cursor() const override {
    return handle_ % 2 == 1 ? CursorRole::SizeHorizontal : CursorRole::SizeVertical;
  }

 private:
  ToolMachine& m_;
  CDrawObject& object_;
  Point press_;
  int handle_;
};

std::string FormatG(const char* format, double a, double b) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

class TextureDrag final : public ToolDrag {
 public:
  TextureDrag(ToolMachine& m, CDrawObject& object, Point press, int handle)
      : m_(m), object_(object), last_(press), handle_(handle),
        before_{object.GetTextureOffsetX(), object.GetTextureOffsetY(), object.GetTextureAngleX(),
                object.GetTextureAngleY(), object.GetTextureScaleX(), object.GetTextureScaleY()} {}

  void Move(Point p, Keys keys) override {
    CDrawObject& o = object_;
    const Point k{o.GetX() + o.GetWidth() / 2 + o.GetTextureOffsetX(),
                  o.GetY() + o.GetHeight() / 2 + o.GetTextureOffsetY()};
    const int dx = p.x - k.x, dy = p.y - k.y;
    const double distance = std::trunc(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (handle_ == 1) {
      o.SetTextureOffsetX(o.GetTextureOffsetX() + p.x - last_.x);
      o.SetTextureOffsetY(o.GetTextureOffsetY() + p.y - last_.y);
      char text[64];
      std::snprintf(text, sizeof text, "Offset: %d,%d", o.GetTextureOffsetX(), o.GetTextureOffsetY());
      m_.Status(text);
    } else if (handle_ == 2) {
      if (!keys.ctrl) {
        const double old_angle = o.GetTextureAngleX();
        const double angle = 90.0 - std::atan2(dy, dx) * kDegreesPerRadian;
        o.SetTextureAngleX(angle);
        o.SetTextureAngleY(o.GetTextureAngleY() + old_angle - angle);
      }
      const int half = o.GetHeight() / 2;
      if (!keys.shift && half != 0 && distance > 0) {
        const double old_scale = o.GetTextureScaleX();
        const double scale = distance / half;
        o.SetTextureScaleX(scale);
        if (old_scale != 0.0) o.SetTextureScaleY(o.GetTextureScaleY() * scale / old_scale);
      }
      m_.Status(FormatG("Angle: %.3G, Size time %.3G", o.GetTextureAngleX(), o.GetTextureScaleX()));
    } else {
      if (!keys.ctrl) o.SetTextureAngleY(90.0 - std::atan2(dx, dy) * kDegreesPerRadian);
      const int half = o.GetWidth() / 2;
      if (!keys.shift && half != 0 && distance > 0) o.SetTextureScaleY(distance / half);
      m_.Status(FormatG("Angle Y: %.3G, Size time %.3G", o.GetTextureAngleY(), o.GetTextureScaleY()));
    }
    last_ = p;
  }
  void Release(Point, Keys) override {
    object_.Render();
    m_.InvalidateObject(object_);
    m_.Doc().TakeSnapshot();
  }
  void Cancel() override {
    object_.SetTextureOffsetX(before_.offset_x);
    object_.SetTextureOffsetY(before_.offset_y);
    object_.SetTextureAngleX(before_.angle_x);
    object_.SetTextureAngleY(before_.angle_y);
    object_.SetTextureScaleX(before_.scale_x);
    object_.SetTextureScaleY(before_.scale_y);
    m_.InvalidateObject(object_);
  }
  Tool DragTool() const override { return Tool::Texture; }

 private:
  struct Texture {
    int offset_x, offset_y;
    double angle_x, angle_y, scale_x, scale_y;
  };
  ToolMachine& m_;
  CDrawObject& object_;
  Point last_;
  int handle_;
  Texture before_;
};

class LightDrag final : public ToolDrag {
 public:
  LightDrag(ToolMachine& m, CDrawObject& object, Point press)
      : m_(m), object_(object), last_(press),
        before_{object.GetLightX(), object.GetLightY(), object.GetLightZ()} {}

  void Move(Point p, Keys) override {
    const double a = 0.05 * (p.x - last_.x), b = -0.05 * (p.y - last_.y);
    double x = object_.GetLightX(), y = object_.GetLightY(), z = object_.GetLightZ();
    // About the vertical axis, then about the horizontal axis.
    const double x1 = x * std::cos(a) + z * std::sin(a);
    const double z1 = -x * std::sin(a) + z * std::cos(a);
    const double y2 = y * std::cos(b) - z1 * std::sin(b);
    const double z2 = y * std::sin(b) + z1 * std::cos(b);
    x = x1;
    y = y2;
    z = z2;
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 1e-6) {
      x /= length;
      y /= length;
      z /= length;
    } else {
      x = 0.0;
      y = 0.0;
      z = 1.0;
    }
    object_.SetLightX(x);
    object_.SetLightY(y);
    object_.SetLightZ(z);
    last_ = p;
  }
  void Release(Point, Keys) override {
    object_.Render();
    m_.InvalidateObject(object_);
  }
  void Cancel() override {
    object_.SetLightX(before_[0]);
    object_.SetLightY(before_[1]);
    object_.SetLightZ(before_[2]);
  }
  Tool DragTool() const override { return Tool::Shape; }
  CursorRole Cursor() const override { return CursorRole::Node; }

 private:
  ToolMachine& m_;
  CDrawObject& object_;
  Point last_;
  std::array<double, 3> before_;
};

}  // namespace

std::unique_ptr<ToolDrag> StartZoomDrag(ToolMachine& m, Point press) {
  return std::make_unique<ZoomDrag>(m, press);
}
std::unique_ptr<ToolDrag> StartExportCropDrag(ToolMachine& m, Point press) {
  return std::make_unique<ExportCropDrag>(m, press);
}
std::unique_ptr<ToolDrag> StartRotateDrag(ToolMachine& m, CDrawObject& object, Point press) {
  return std::make_unique<RotateDrag>(m, object, press);
}
std::unique_ptr<ToolDrag> StartSkewDrag(ToolMachine& m, CDrawObject& object, Point press, int handle) {
  return std::make_unique<SkewDrag>(m, object, press, handle);
}
std::unique_ptr<ToolDrag> StartTextureDrag(ToolMachine& m, CDrawObject& object, Point press, int handle) {
  return std::make_unique<TextureDrag>(m, object, press, handle);
}
std::unique_ptr<ToolDrag> StartLightDrag(ToolMachine& m, CDrawObject& object, Point press) {
  return std::make_unique<LightDrag>(m, object, press);
}

std::array<Point, 3> TextureHandleCentres(const CDrawObject& o) {
  const Point k{o.GetX() + o.GetWidth() / 2 + o.GetTextureOffsetX(),
                o.GetY() + o.GetHeight() / 2 + o.GetTextureOffsetY()};
  const double f = o.GetHeight() / 2 * o.GetTextureScaleX();
  const double g = o.GetWidth() / 2 * o.GetTextureScaleY();
  const double a = static_cast<int>(o.GetTextureAngleX()) / kDegreesPerRadian;
  const double b = static_cast<int>(o.GetTextureAngleY()) / kDegreesPerRadian;
  return {{k,
           {k.x + static_cast<int>(f * std::sin(a)), k.y + static_cast<int>(f * std::cos(a))},
           {k.x + static_cast<int>(g * std::cos(b)), k.y + static_cast<int>(g * std::sin(b))}}};
}

std::array<Point, 4> SkewFrameCorners(const CDrawObject& o, const std::array<int, 4>& s) {
  const int l = o.GetX() + 1, t = o.GetY() + 1, r = o.GetX() + o.GetWidth() - 1,
            b = o.GetY() + o.GetHeight() - 1;
  return {{{l + s[0], t + s[3]}, {r + s[0], t + s[1]}, {r + s[2], b + s[1]}, {l + s[2], b + s[3]}}};
}

std::array<Point, 4> SkewHandleCentres(const CDrawObject& o, const std::array<int, 4>& s) {
  const std::array<Point, 4> c = SkewFrameCorners(o, s);
  auto mid = [](Point a, Point b) { return Point{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
  return {{mid(c[0], c[1]), mid(c[1], c[2]), mid(c[2], c[3]), mid(c[3], c[0])}};
}

}  // namespace lumi
