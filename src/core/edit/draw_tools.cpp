// The tools that make objects or paint into bitmaps: choosing them, their presses, the
// pen's and the arrow's clicks between drags, and the step that adds a new object.
#include <algorithm>
#include <cstdlib>

#include "collections/new_object_defaults.h"
#include "document/plenivor_doc.h"
#include "edit/image_import.h"
#include "edit/tool_drags.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

namespace lumi {

namespace {

bool IsBitmapAtSourceSize(const CDrawObject* o) {
  return o && o->IsBitmap() && o->GetWidth() == o->GetSourceWidth() &&
         o->GetHeight() == o->GetSourceHeight();
}

}  // namespace

// ---- the create-object step

void ToolMachine::ApplyDefaultAttributes(CDrawObject& o, const NewObjectDefaults& set) const {
  ApplyNewObjectDefaults(o, set, default_line_width_);
}

CDrawObject* ToolMachine::CreateObject(DefaultSet set, const std::function<int(CDrawObject&)>& build) {
  auto& objects = doc_.Objects();
  const bool was_modified = doc_.IsModified();
  objects.push_back(doc_.MakeObject());
  CDrawObject* o = objects.back().get();
  doc_.SetModified();
  if (set == DefaultSet::Shapes) ApplyDefaultAttributes(*o, defaults_->shapes);
  if (set == DefaultSet::Text) ApplyDefaultAttributes(*o, defaults_->text);
  if (!build(*o)) {
    // Nothing was made: the document is as it was.
    objects.erase(std::find_if(objects.begin(), objects.end(), [&](const auto& p) { return p.get() == o; }));
    doc_.SetModified(was_modified);
    return nullptr;
  }
  doc_.TakeSnapshot();
  InvalidateObject(*o);
  SelectObject(o);
  doc_.Views().RebuildLayers();
  return o;
}

// ---- choosing

void ToolMachine::ChooseDrawTool(Tool tool) {
  const QuickToolsRequest plain{"", 0, kQuickPlain, -1};
  const QuickToolsRequest node_panel{"", 1, kQuickNodePanel, -1};
  switch (tool) {
    case Tool::Rectangle:
      SetTool(tool);
      quick_.Configure(selected_, plain);
      break;
    case Tool::Circle:
    case Tool::Arrow:
      if (!multi_.empty()) SetMultiSelection({}, false);
      SetTool(tool);
      quick_.Configure(selected_, plain);
      if (tool == Tool::Arrow) arrow_ = {};
      break;
    case Tool::RoundRect:
      if (!multi_.empty()) SetMultiSelection({}, false);
      SetTool(tool);
      quick_.Configure(selected_, {"Corners", params_.corner, kQuickPlain, -1});
      break;
    case Tool::Star:
      SetTool(tool);
      quick_.Configure(selected_, {"Angles", params_.star_points, kQuickStar, params_.star_ratio});
      SelectObject(selected_);
      break;
    case Tool::FreePath:
    case Tool::NewPath:
      SelectObject(nullptr);
      SetTool(tool);
      quick_.Configure(selected_, node_panel);
      path_ = {};
      if (tool == Tool::NewPath) Status("Options: SHIFT - Draw Straight Line, DOUBLECLICK - Finish drawing");
      break;
    case Tool::Image:
    case Tool::ArtisticText:
      SelectObject(nullptr);
      SetTool(tool);
      quick_.Configure(selected_, plain);
      break;
    case Tool::PaintTransparency:
    case Tool::PaintOpaque:
    case Tool::TransparencyFromColour:
      // Each is a toggle: chosen again, it gives the select tool back.
      if (tool_ == tool) {
        ResumeSelect();
        break;
      }
      SetTool(tool);
      if (tool == Tool::TransparencyFromColour)
        quick_.Configure(selected_, {"Tolerance", 2 * params_.tolerance, kQuickPlain, -1});
      else
        quick_.Configure(selected_, {"", 0, kQuickBrush, -1});
      break;
    default:
      SetTool(tool);
      break;
  }
}

// ---- presses

bool ToolMachine::DrawToolPress(Point p, Keys keys) {
  switch (tool_) {
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::RoundRect:
    case Tool::Star:
      drag_ = StartShapeDrag(*this, tool_, p);
      return true;
    case Tool::FreePath:
      drag_ = StartFreePathDrag(*this, p);
      return true;
    case Tool::NewPath:
      PenPress(p, keys);
      return true;
    case Tool::Arrow:
      ArrowPress(p);
      return true;
    case Tool::Image:
      ImagePress(p);
      return true;
    case Tool::ArtisticText:
      ArtisticTextPress(p);
      return true;
    case Tool::PaintTransparency:
    case Tool::PaintOpaque:
      if (selected_) drag_ = StartBrushDrag(*this, *selected_, p, tool_);
      return true;
    case Tool::TransparencyFromColour:
      TransparencyFromColourPress(p);
      return true;
    default:
      return false;
  }
}

void ToolMachine::PenPress(Point p, Keys keys) {
  std::vector<Point>& pts = path_.points;
  if (pts.empty()) {
    path_.start = path_.last = p;
    path_.closing = false;
    pts.insert(pts.end(), 3, p);
    drag_ = StartPenDrag(*this);
    return;
  }
  path_.rubber = false;
  if (keys.shift) {
    // The node goes where the Shift rubber line showed it: level with the last node or
    // plumb below it. The click is held the same way, so a click without a move first
    // lands there too.
    PenHover(p, keys);
    path_.rubber = false;
    const Point q = path_.mouse;
    if (ClosesPath(q, path_.start)) return FinishPath(true);
    path_.last = q;
    pts.insert(pts.end(), 3, q);  // a corner: both controls on the node
    return;
  }
  if (ClosesPath(p, path_.start)) return FinishPath(true);
  path_.last = p;
  pts.insert(pts.end(), 3, p);
  drag_ = StartPenDrag(*this);
}

void ToolMachine::PenHover(Point p, Keys keys) {
  const std::vector<Point>& pts = path_.points;
  if (pts.size() < 2) return;
  const Point node = pts[pts.size() - 2];
  if (keys.shift) {
    // The smaller displacement from the last node is dropped.
    if (std::abs(p.x - node.x) < std::abs(p.y - node.y))
      p.x = node.x;
    else
      p.y = node.y;
  }
  path_.mouse = p;
  path_.rubber = true;
  path_.closing = ClosesPath(p, path_.start);
}

void ToolMachine::FinishPath(bool closed) {
  drag_.reset();
  path_.rubber = false;
  path_.closing = false;
  // A path needs more than its first node.
  if (path_.points.size() > 3) {
    const std::vector<Point> points = path_.points;
    CreateObject(DefaultSet::Shapes, [&](CDrawObject& o) { return o.CreatePath(points, closed); });
  }
  ResumeSelect();
}

void ToolMachine::ArrowPress(Point p) {
  if (arrow_.clicks >= 3) return;
  switch (arrow_.clicks) {
    case 0: arrow_.points[0] = p; break;
    case 1: arrow_.points[1] = p; break;
    default: arrow_.points[2] = {p.x, arrow_.points[1].y}; break;
  }
  ++arrow_.clicks;
  arrow_.mouse = arrow_.points[static_cast<std::size_t>(arrow_.clicks - 1)];
}

void ToolMachine::MakeArrow() {
  const std::array<Point, 3> pts = arrow_.points;
  CreateObject(DefaultSet::None, [&](CDrawObject& o) {
    o.SetTextureStrength(0);
    o.SetTextureScreen(0);
    o.SetTextureTwoColor(0);
    o.SetFillColor(0x000000);
    o.SetFillColor2(0xFFFFFF);
    if (!o.CreateArrow(pts[0], pts[1], pts[2])) return 0;
    o.SetKindName("Arrow");
    return 1;
  });
  arrow_.clicks = 0;
  path_.closing = false;
  ResumeSelect();
}

void ToolMachine::ImagePress(Point p) {
  if (image_import_) {
    CreateObject(DefaultSet::None, [&](CDrawObject& o) {
      const std::optional<std::filesystem::path> file = image_import_->ChooseImageFile();
      return file ? o.CreateBitmap(p.x, p.y, *file) : 0;
    });
  }
  ResumeSelect();
}

void ToolMachine::ArtisticTextPress(Point p) {
  if (text_dialog_) {
    CDrawObject* made = CreateObject(DefaultSet::Text, [&](CDrawObject& o) {
      o.SetFont(text_defaults_.font);
      o.SetTextBold(text_defaults_.bold);
      o.SetTextItalic(text_defaults_.italic);
      o.SetLineHeight(text_defaults_.line_height);
      o.SetTextAlign(text_defaults_.align);
      return o.CreateText(p.x, p.y, "", *text_dialog_);
    });
    if (made) {
      text_defaults_.font = made->GetFont();
      text_defaults_.bold = made->GetTextBold();
      text_defaults_.italic = made->GetTextItalic();
      text_defaults_.line_height = made->GetLineHeight();
      text_defaults_.align = made->GetTextAlign();
    }
  }
  ResumeSelect();
}

void ToolMachine::TransparencyFromColourPress(Point p) {
  if (!selected_) return;
  params_.tolerance = quick_.FirstValue() / 2;
  selected_->ColorTransparency(selected_->ImageColorAt(p), params_.tolerance);
  doc_.TakeSnapshot();
  InvalidateObject(*selected_);
  ResumeSelect();
}

// ---- what they show

void ToolMachine::DrawToolOverlay(Overlay& out) const {
  if (tool_ == Tool::NewPath && !drag_) DrawPathInProgress(out, path_);
  if (tool_ == Tool::Arrow && arrow_.clicks > 0) {
    const Point tip = arrow_.points[0];
    out.Circle({tip.x - 3, tip.y - 3, tip.x + 4, tip.y + 4}, 0x000000);
    std::vector<Point> line(arrow_.points.begin(), arrow_.points.begin() + arrow_.clicks);
    line.push_back(arrow_.mouse);
    out.Line(std::move(line), 0x000000);
  }
}

CursorRole ToolMachine::DrawToolCursor() const {
  switch (tool_) {
    case Tool::NewPath:
      return path_.closing ? CursorRole::Node : CursorRole::Drawing;
    case Tool::FreePath:
      return CursorRole::Pencil;
    case Tool::ArtisticText:
      return CursorRole::Insert;
    case Tool::PaintTransparency:
      return CursorRole::TransparencyBrush;
    case Tool::PaintOpaque:
      return CursorRole::OpaqueBrush;
    case Tool::TransparencyFromColour:
      return CursorRole::ColourPicker;
    default:
      return CursorRole::Drawing;
  }
}

bool ToolMachine::CanChooseDrawTool(Tool tool) const {
  switch (tool) {
    case Tool::Image:
      return image_import_ != nullptr;
    case Tool::ArtisticText:
      return text_dialog_ != nullptr;
    case Tool::PaintTransparency:
    case Tool::PaintOpaque:
    case Tool::TransparencyFromColour:
      return IsBitmapAtSourceSize(selected_);
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::RoundRect:
    case Tool::Star:
    case Tool::FreePath:
    case Tool::NewPath:
    case Tool::Arrow:
      return true;
    default:
      return false;  // the internal tools have no command
  }
}

}  // namespace lumi
