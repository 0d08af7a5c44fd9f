// The drags of the select tool: one object moved or resized, the rubber band, the
// multi-selection moved or resized, and a corner of the export crop region.
#include <cstdio>
#include <cstdlib>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/tool_drags.h"
#include "edit/tool_geometry.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

constexpr COLORREF kFeedbackColour = 0x000000;

void DrawOutline(Overlay& out, const CDrawObject& object, COLORREF colour, double angle = 0.0) {
  OutlineFeedback f = object.DrawFeedback(angle);
  if (f.polylines.empty()) {
    out.Frame(object.GetRect(), colour);
    return;
  }
  for (auto& line : f.polylines) out.Line(std::move(line), colour);
}

class ObjectDrag final : public ToolDrag {
 public:
  ObjectDrag(ToolMachine& m, CDrawObject& object, Point press, int handle)
      : m_(m), object_(object), handle_(handle), box_(object.GetRect()),
        area_(object.GetInvalidRect(object.GetSelectionRect())),
        had_pending_(object.HasPendingRect()), pending_(object.GetPendingRect()),
        offset_(handle ? HandleDragOffset(handle, box_, press)
                       : Point{press.x - box_.left, press.y - box_.top}) {}

  void Move(Point p, Keys) override {
    const int mx = p.x - offset_.x, my = p.y - offset_.y;
    if (handle_ == 0) {
      const Rect before = object_.GetInvalidRect(object_.GetSelectionRect());
      object_.MoveTo(mx, my);
      m_.Port().InvalidateCanvas(Union(before, object_.GetInvalidRect(object_.GetSelectionRect())));
      return;
    }
    const Rect r = PendingBox(handle_, box_, mx, my);
    object_.SetPendingRect(r.left, r.top, r.Width(), r.Height());
  }

  void Release(Point p, Keys keys) override {
    // The release point counts as the last move.
    Move(p, keys);
    object_.ApplyPendingRect();
    m_.InvalidateObject(object_, area_);
    m_.Doc().TakeSnapshot();
    m_.ShowObjectStatus();
  }

  void Cancel() override {
    if (handle_ == 0) {
      object_.MoveTo(box_.left, box_.top);
    } else {
      object_.SetStoredPendingRect(pending_.left, pending_.top, pending_.Width(), pending_.Height());
      if (!had_pending_) object_.DropPendingRect();
    }
    m_.InvalidateObject(object_, area_);
  }

  void Draw(Overlay& out) const override {
    if (handle_ == 0)
      DrawOutline(out, object_, kFeedbackColour);
    else if (object_.HasPendingRect())
      out.Dotted(object_.GetPendingRect(), kFeedbackColour);
  }
  Tool DragTool() const override { return Tool::Select; }
  CursorRole Cursor() const override { return handle_ == 0 ? CursorRole::Move : CursorRole::Arrow; }

 private:
  ToolMachine& m_;
  CDrawObject& object_;
  int handle_;
  Rect box_;
  Rect area_;
  bool had_pending_;
  Rect pending_;
  Point offset_;
};

class RubberBand final : public ToolDrag {
 public:
  RubberBand(ToolMachine& m, Point press) : m_(m), rect_{press.x, press.y, press.x, press.y} {}

  void Move(Point p, Keys) override {
    rect_.right = p.x;
    rect_.bottom = p.y;
  }

  void Release(Point p, Keys) override {
    rect_.right = p.x;
    rect_.bottom = p.y;
    m_.ResumeSelect();
    m_.SelectObject(nullptr);
    Rect r = rect_;
    r.Normalize();
    if (r.Width() < 3 || r.Height() < 3) return;
    // The band is widened by 3 so that a box touching its edge from inside is collected.
    auto inside = [&](const Rect& b) {
      return r.left - 3 < b.left && r.top - 3 < b.top && b.right < r.right + 3 &&
             b.bottom < r.bottom + 3;
    };
    std::vector<CDrawObject*> found;
    for (const auto& o : m_.Doc().Objects())
      if (!o->GetHidden() && !o->GetGrouped() && inside(o->GetRect())) found.push_back(o.get());
    for (const CObjectGroup& g : m_.Doc().Groups()) {
      if (!inside(g.m_rect)) continue;
      for (const std::string& id : g.m_members)
        if (CDrawObject* member = m_.Doc().FindObject(id)) found.push_back(member);
    }
    if (found.size() == 1) {
      m_.SelectObject(found[0]);
    } else if (found.size() > 1) {
      m_.SetMultiSelection(found, false);
      char text[64];
      std::snprintf(text, sizeof text, " %d objects selected", static_cast<int>(found.size()));
      m_.Status(text);
    }
    m_.ShowObjectStatus();
  }

  void Draw(Overlay& out) const override {
    Rect r = rect_;
    r.Normalize();
    out.Dotted(r, kFeedbackColour);
  }
  Tool DragTool() const override { return Tool::RubberBand; }

 private:
  ToolMachine& m_;
  Rect rect_;
};

class MultiDrag final : public ToolDrag {
 public:
  MultiDrag(ToolMachine& m, Point press, int handle)
      : m_(m), handle_(handle), frame_(MultiSelectionFrame(m.MultiSelection())), dragged_(frame_),
        offset_(handle ? HandleDragOffset(handle, frame_, press)
                       : Point{press.x - frame_.left, press.y - frame_.top}) {}

  void Move(Point p, Keys) override {
    const int mx = p.x - offset_.x, my = p.y - offset_.y;
    if (handle_ == 0) {
      dragged_ = {mx, my, mx + frame_.Width(), my + frame_.Height()};
    } else {
      dragged_ = PendingBox(handle_, frame_, mx, my);
    }
  }

  void Release(Point p, Keys keys) override {
    Move(p, keys);
    const Rect old_frame = frame_;
    if (handle_ != 0) {
      Rect d = dragged_;
      d.Normalize();
      const double sx = static_cast<double>(d.Width()) / frame_.Width();
      const double sy = static_cast<double>(d.Height()) / frame_.Height();
      for (CDrawObject* o : m_.MultiSelection()) {
        o->SetPendingRect(static_cast<int>(d.left + (o->GetX() - frame_.left) * sx),
                          static_cast<int>(d.top + (o->GetY() - frame_.top) * sy),
                          static_cast<int>(o->GetWidth() * sx), static_cast<int>(o->GetHeight() * sy));
        o->ApplyPendingRect();
      }
    } else {
      const int dx = dragged_.left - frame_.left, dy = dragged_.top - frame_.top;
      for (CDrawObject* o : m_.MultiSelection()) o->MoveTo(o->GetX() + dx, o->GetY() + dy);
    }
    m_.Doc().RecomputeGroupRects();
    m_.Port().MarkCacheInvalid();
    m_.Port().InvalidateCanvas(
        Inflate(Union(old_frame, MultiSelectionFrame(m_.MultiSelection())), 16));
    m_.Doc().TakeSnapshot();
    m_.SetTool(Tool::Select);
  }

  void Draw(Overlay& out) const override {
    Rect d = dragged_;
    d.Normalize();
    out.Dotted(d, m_.GroupSelected() ? 0x0000FF : 0xFF0000);
  }
  Tool DragTool() const override { return Tool::MultiMove; }
  CursorRole Cursor() const override { return handle_ == 0 ? CursorRole::Move : CursorRole::Arrow; }

 private:
  static Rect Inflate(const Rect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
  }
  ToolMachine& m_;
  int handle_;
  Rect frame_;
  Rect dragged_;
  Point offset_;
};

class CropCornerDrag final : public ToolDrag {
 public:
  CropCornerDrag(ToolMachine& m, Point press, int handle)
      : m_(m), handle_(handle), crop_(m.Doc().GetCropRect()) {
    const Rect crop = crop_;
    start_ = handle == 1 ? Point{crop.left, crop.top} : Point{crop.right, crop.bottom};
    offset_ = {press.x - start_.x, press.y - start_.y};
  }

  void Move(Point p, Keys keys) override {
    Point corner{p.x - offset_.x, p.y - offset_.y};
    if (keys.ctrl) {
      // Along the axis of the larger displacement only.
      if (std::abs(corner.x - start_.x) >= std::abs(corner.y - start_.y))
        corner.y = start_.y;
      else
        corner.x = start_.x;
    }
    Rect crop = m_.Doc().GetCropRect();
    if (handle_ == 1) {
      crop.left = corner.x;
      crop.top = corner.y;
    } else {
      crop.right = corner.x;
      crop.bottom = corner.y;
    }
    m_.Doc().SetCropRect(crop);
    m_.Port().InvalidateAll();
  }

  void Release(Point, Keys) override {
    const Rect crop = m_.Doc().GetCropRect();
    if (crop.right < crop.left || crop.bottom < crop.top) {
      m_.Doc().SetCropRect({});
      m_.Doc().SetCropActive(false);
    }
    m_.ResumeSelect();
    m_.Port().InvalidateAll();
  }

  void Cancel() override {
    m_.Doc().SetCropRect(crop_);
    m_.Port().InvalidateAll();
  }

  Tool DragTool() const override { return Tool::CropCorner; }
  CursorRole Cursor() const override { return CursorRole::Crop; }

 private:
  ToolMachine& m_;
  int handle_;
  Rect crop_;
  Point start_;
  Point offset_;
};

}  // namespace

std::unique_ptr<ToolDrag> StartObjectDrag(ToolMachine& m, CDrawObject& object, Point press,
                                          int handle) {
  return std::make_unique<ObjectDrag>(m, object, press, handle);
}

std::unique_ptr<ToolDrag> StartRubberBand(ToolMachine& m, Point press) {
  return std::make_unique<RubberBand>(m, press);
}

std::unique_ptr<ToolDrag> StartMultiDrag(ToolMachine& m, Point press, int handle) {
  return std::make_unique<MultiDrag>(m, press, handle);
}

std::unique_ptr<ToolDrag> StartCropCornerDrag(ToolMachine& m, Point press, int handle) {
  return std::make_unique<CropCornerDrag>(m, press, handle);
}

Rect SquareAt(Point p, int size) {
  return {p.x - size / 2, p.y - size / 2, p.x - size / 2 + size, p.y - size / 2 + size};
}

}  // namespace lumi
