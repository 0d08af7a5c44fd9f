#include "edit/tool_machine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/command_services.h"
#include "edit/tool_drags.h"
#include "edit/tool_geometry.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

namespace lumi {

namespace {

// Paths and polynomes drawn as strokes; every other object is closed.
bool IsOpenOutline(const CDrawObject& o) {
  if (o.IsShape()) return !o.Outline().IsClosed();
  if (o.IsPolynome() && !o.IsText()) return o.Polynome().IsOpen();
  return false;
}

bool EditsEnvelope(const CDrawObject& o) { return o.IsText() || (o.IsBitmap() && o.IsEnvelope()); }

// The envelope handle (0..7) under `p`, or -1.
int EnvelopeHandleAt(const CDrawObject& o, Point p) {
  const auto& e = o.Polynome().GetEnvelope();
  for (int i = 0; i < 8; ++i) {
    const int x = static_cast<int>(o.GetX() + o.GetWidth() * e[static_cast<std::size_t>(2 * i)]);
    const int y = static_cast<int>(o.GetY() + o.GetHeight() * e[static_cast<std::size_t>(2 * i + 1)]);
    if (std::abs(x - p.x) < 4 && std::abs(y - p.y) < 4) return i;
  }
  return -1;
}

COLORREF FrameColour(const CDrawObject& o) {
  if (o.IsText()) return 0xFF0080;
  if (o.IsPolynome()) return 0x008000;
  if (o.IsBitmap()) return 0x0080FF;
  return 0xFF8000;
}

Rect Deflated(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void DrawFrameWithHandles(Overlay& out, const Rect& bounds, COLORREF colour) {
  out.Frame(Deflated(bounds, 2), colour);
  const std::array<Rect, 8> handles = SelectionHandles(bounds);
  for (std::size_t i = 0; i < handles.size(); ++i) out.Fill(handles[i], i == 2 ? 0x808080 : colour);
}

void DrawPolylines(Overlay& out, OutlineFeedback f, COLORREF colour) {
  for (auto& line : f.polylines) out.Line(std::move(line), colour);
}

}  // namespace

ToolMachine::ToolMachine(CPlenivorDoc& doc, ToolViewPort& port, QuickTools& quick_tools,
                         TextDialog* text_dialog)
    : doc_(doc), port_(port), quick_(quick_tools), text_dialog_(text_dialog) {
  // New text starts in the font the settings give new objects.
  text_defaults_.font = doc_.MakeObject()->GetFont();
}

ToolMachine::~ToolMachine() = default;

Host& ToolMachine::GetHost() const { return doc_.GetHost(); }

void ToolMachine::Status(std::string_view text) const { GetHost().StatusText(0, text); }

Tool ToolMachine::CurrentTool() const { return drag_ ? drag_->DragTool() : tool_; }

void ToolMachine::SetTool(Tool tool) {
  tool_ = tool;
  port_.ToolChanged();
}

// ---- mouse events

void ToolMachine::Press(Point p, Keys keys) {
  if (drag_) return;  // the button is already down
  switch (tool_) {
    case Tool::Select: SelectPress(p, keys); break;
    case Tool::Zoom: drag_ = StartZoomDrag(*this, p); break;
    case Tool::ExportCrop: drag_ = StartExportCropDrag(*this, p); break;
    case Tool::Placeholder: ResumeSelect(); break;
    case Tool::Shape: ShapePress(p, keys); break;
    case Tool::AddPoint: AddPointPress(p, keys); break;
    case Tool::Rotate: RotatePress(p, keys); break;
    case Tool::Skew: SkewPress(p, keys); break;
    case Tool::Texture: TexturePress(p); break;
    default: DrawToolPress(p, keys); break;
  }
  if (drag_) port_.ToolChanged();
  RefreshOverlay();
}

void ToolMachine::Move(Point p, Keys keys) {
  if (!drag_) return Hover(p, keys);
  drag_->Move(p, keys);
  RefreshOverlay();
}

void ToolMachine::Release(Point p, Keys keys) {
  if (!drag_) {
    // The arrow holds the mouse through its clicks; the third one's release makes it.
    if (tool_ == Tool::Arrow && arrow_.clicks == 3) {
      MakeArrow();
      RefreshOverlay();
    }
    return;
  }
  // The drag may resume select, which must not delete the drag under its own feet.
  std::unique_ptr<ToolDrag> drag = std::move(drag_);
  drag->Release(p, keys);
  drag.reset();
  port_.ToolChanged();
  RefreshOverlay();
}

bool ToolMachine::Escape() {
  if (drag_) {
    std::unique_ptr<ToolDrag> drag = std::move(drag_);
    drag->Cancel();
    drag.reset();
    port_.ToolChanged();
    RefreshOverlay();
    return true;
  }
  // A path or arrow being clicked together is dropped first; the tool stays.
  if ((tool_ == Tool::NewPath || tool_ == Tool::FreePath) && !path_.points.empty()) {
    path_ = {};
    port_.InvalidateAll();
    RefreshOverlay();
    return true;
  }
  if (tool_ == Tool::Arrow && arrow_.clicks > 0) {
    arrow_ = {};
    port_.InvalidateAll();
    RefreshOverlay();
    return true;
  }
  if (tool_ == Tool::Select) return false;
  ResumeSelect();
  RefreshOverlay();
  return true;
}

void ToolMachine::Hover(Point p, Keys keys) {
  if (drag_) return;
  if (tool_ == Tool::NewPath && !path_.points.empty()) {
    const bool was_closing = path_.closing;
    PenHover(p, keys);
    if (path_.closing != was_closing) port_.ToolChanged();
    RefreshOverlay();
    return;
  }
  if (tool_ == Tool::Arrow && arrow_.clicks > 0) {
    arrow_.mouse = arrow_.clicks >= 2 ? Point{p.x, arrow_.points[1].y} : p;
    RefreshOverlay();
    return;
  }
  int handle = 0;
  if (tool_ == Tool::Select && selected_) {
    handle = HandleAt(selected_->GetSelectionRect(), p);
  } else if (tool_ == Tool::Select && !multi_.empty()) {
    handle = HandleAt(MultiSelectionFrame(multi_), p);
  } else if (tool_ == Tool::Skew && selected_) {
    const std::array<Point, 4> centres = SkewHandleCentres(*selected_, skew_);
    for (int i = 0; i < 4; ++i)
      if (SquareAt(centres[static_cast<std::size_t>(i)]).Contains(p)) handle = i + 1;
  }
  if (handle != hover_handle_) {
    hover_handle_ = handle;
    port_.ToolChanged();
  }
}

void ToolMachine::DoubleClick(Point p, Keys keys) {
  if (tool_ == Tool::NewPath) {
    FinishPath(false);
    RefreshOverlay();
    return;
  }
  if (tool_ == Tool::Arrow) {
    // After two clicks the shaft ends at the second point.
    if (arrow_.clicks == 2) arrow_.points[2] = arrow_.points[1];
    if (arrow_.clicks >= 2) MakeArrow();
    RefreshOverlay();
    return;
  }
  drag_.reset();
  switch (tool_) {
    case Tool::Select: {
      CDrawObject* hit = HitTest(doc_, p, keys.ctrl, nullptr);
      if (!hit) break;
      if (hit->IsText()) {
        EditTextOf(*hit);
      } else {
        selected_ = hit;
        SetTool(Tool::Shape);
        quick_.Configure(selected_, {"", 0, kQuickNodePanel, -1});
        Status("Select and move points, CTRL - Select control handle, DEL - delete point");
      }
      break;
    }
    case Tool::Shape:
    case Tool::AddPoint:
    case Tool::Rotate:
    case Tool::Skew:
      ResumeSelect();
      break;
    default:
      break;
  }
  port_.ToolChanged();
  SelectObject(selected_);
  RefreshOverlay();
}

bool ToolMachine::EditTextOf(CDrawObject& text) {
  if (!text_dialog_) return false;
  CDrawObject* hit = &text;
  const Rect before = hit->GetInvalidRect(hit->GetSelectionRect());
  hit->EditText(*text_dialog_);
  if (hit->GetText().empty()) {
    // An emptied text is deleted; the snapshot keeps the deletion undoable.
    if (selected_ == hit) SelectObject(nullptr);
    std::erase_if(multi_, [&](const CDrawObject* m) { return m == hit; });
    auto& objects = doc_.Objects();
    objects.erase(std::find_if(objects.begin(), objects.end(),
                               [&](const auto& o) { return o.get() == hit; }));
    port_.InvalidateCanvas(before);
    doc_.TakeSnapshot();
    return true;
  }
  text_defaults_.font = hit->GetFont();
  text_defaults_.bold = hit->GetTextBold();
  text_defaults_.italic = hit->GetTextItalic();
  text_defaults_.line_height = hit->GetLineHeight();
  text_defaults_.align = hit->GetTextAlign();
  InvalidateObject(*hit, before);
  doc_.TakeSnapshot();
  return true;
}

CommandServices& ToolMachine::Services() const {
  if (services_) return *services_;
  if (!own_services_) own_services_ = std::make_unique<MemoryCommandServices>();
  return *own_services_;
}

void ToolMachine::RightPress(Point, Keys) {
  // Only the path pen answers the right button: it finishes the path open.
  if (tool_ != Tool::NewPath) return;
  FinishPath(false);
  RefreshOverlay();
}

// ---- select tool

void ToolMachine::ToggleInMultiSelection(CDrawObject* object) {
  std::vector<CDrawObject*> members = multi_;
  if (selected_ && selected_ != object && members.empty()) members.push_back(selected_);
  auto it = std::find(members.begin(), members.end(), object);
  if (it != members.end())
    members.erase(it);
  else
    members.push_back(object);
  SetMultiSelection(std::move(members), false);
}

std::vector<CDrawObject*> ToolMachine::GroupAt(Point p) const {
  const auto& groups = doc_.Groups();
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    if (!g->m_rect.Contains(p)) continue;
    std::vector<CDrawObject*> members;
    for (const std::string& id : g->m_members)
      if (CDrawObject* m = doc_.FindObject(id)) members.push_back(m);
    return members;
  }
  return {};
}

void ToolMachine::SelectPress(Point p, Keys keys) {
  // 1. Inside the multi-selection frame: toggle with Shift, else move or resize it.
  if (!multi_.empty()) {
    const Rect frame = MultiSelectionFrame(multi_);
    if (frame.Contains(p)) {
      if (keys.shift) {
        if (CDrawObject* hit = HitTest(doc_, p, false, nullptr)) {
          ToggleInMultiSelection(hit);
          return;
        }
      }
      drag_ = StartMultiDrag(*this, p, HandleAt(frame, p));
      return;
    }
  }
  // 2. Shift elsewhere toggles the object, or adds a group's members.
  if (keys.shift) {
    if (CDrawObject* hit = HitTest(doc_, p, false, nullptr)) {
      ToggleInMultiSelection(hit);
      return;
    }
    std::vector<CDrawObject*> members = GroupAt(p);
    if (!members.empty()) {
      std::vector<CDrawObject*> all = multi_;
      if (selected_ && all.empty()) all.push_back(selected_);
      for (CDrawObject* m : members)
        if (std::find(all.begin(), all.end(), m) == all.end()) all.push_back(m);
      SetMultiSelection(all, false);
      char text[48];
      std::snprintf(text, sizeof text, "Group of %d objects", static_cast<int>(members.size()));
      Status(text);
      return;
    }
  } else if (!multi_.empty()) {
    SetMultiSelection({}, false);
  }
  // 3. The crop region's corner handles.
  const Rect crop = doc_.GetCropRect();
  if (doc_.IsCropActive() && !crop.IsEmpty()) {
    if (Rect{crop.left - 8, crop.top - 8, crop.left, crop.top}.Contains(p)) {
      drag_ = StartCropCornerDrag(*this, p, 1);
      return;
    }
    if (Rect{crop.right, crop.bottom, crop.right + 8, crop.bottom + 8}.Contains(p)) {
      drag_ = StartCropCornerDrag(*this, p, 2);
      return;
    }
  }
  // 4. The object under the press; the selection's own handles keep it.
  CDrawObject* hit = HitTest(doc_, p, keys.ctrl, &GetHost());
  if (selected_ && selected_->GetSelectionRect().Contains(p) &&
      HandleAt(selected_->GetSelectionRect(), p) != 0)
    hit = selected_;
  // 5. A hit: Shift collects it, otherwise it is selected and dragged.
  if (hit) {
    // With Shift a different selection joins the multi-selection first, then the hit
    // object is toggled in it.
    if (keys.shift && (!multi_.empty() || (selected_ && selected_ != hit))) {
      ToggleInMultiSelection(hit);
      return;
    }
    if (hit != selected_) SelectObject(hit);
    ConfigureQuickToolsForSelection();
    drag_ = StartObjectDrag(*this, *hit, p, HandleAt(hit->GetSelectionRect(), p));
    return;
  }
  // 6. A group's rectangle: the group is moved or resized as a multi-selection.
  std::vector<CDrawObject*> members = GroupAt(p);
  if (!members.empty()) {
    std::vector<CDrawObject*> all;
    if (keys.shift && selected_) all.push_back(selected_);
    all.insert(all.end(), members.begin(), members.end());
    SetMultiSelection(all, true);
    char text[48];
    std::snprintf(text, sizeof text, "Group of %d objects", static_cast<int>(members.size()));
    Status(text);
    drag_ = StartMultiDrag(*this, p, HandleAt(MultiSelectionFrame(multi_), p));
    return;
  }
  // 7. Empty canvas: a rubber band.
  ClearQuickTools();
  drag_ = StartRubberBand(*this, p);
}

// ---- transform tools

CDrawObject* ToolMachine::TransformHit(Point p, Keys keys) {
  CDrawObject* hit = HitTest(doc_, p, keys.ctrl, nullptr);
  if (selected_ && selected_->GetSelectionRect().Contains(p) &&
      HandleAt(selected_->GetSelectionRect(), p) != 0)
    hit = selected_;
  return hit;
}

void ToolMachine::RotatePress(Point p, Keys keys) {
  CDrawObject* hit = TransformHit(p, keys);
  if (hit != selected_) SelectObject(hit);
  if (hit) drag_ = StartRotateDrag(*this, *hit, p);
}

void ToolMachine::SkewPress(Point p, Keys keys) {
  if (selected_) {
    const std::array<Point, 4> centres = SkewHandleCentres(*selected_, skew_);
    for (int i = 0; i < 4; ++i) {
      if (SquareAt(centres[static_cast<std::size_t>(i)]).Contains(p)) {
        drag_ = StartSkewDrag(*this, *selected_, p, i + 1);
        return;
      }
    }
  }
  if (CDrawObject* hit = TransformHit(p, keys)) {
    if (hit != selected_) {
      skew_ = {};
      SelectObject(hit);
    }
  }
}

void ToolMachine::TexturePress(Point p) {
  if (!selected_) return;
  const std::array<Point, 3> centres = TextureHandleCentres(*selected_);
  // The later handles lie on top when they cover the centre.
  for (int i = 2; i >= 0; --i) {
    if (SquareAt(centres[static_cast<std::size_t>(i)], 8).Contains(p)) {
      drag_ = StartTextureDrag(*this, *selected_, p, i + 1);
      return;
    }
  }
}

// ---- node tools

void ToolMachine::ShapePress(Point p, Keys keys) {
  if (selected_ && selected_->IsBall()) {
    node_index_ = -2;
    drag_ = StartLightDrag(*this, *selected_, p);
    return;
  }
  if (selected_ && selected_->IsBitmap() && !selected_->IsEnvelope()) {
    GetHost().Message(
        "To edit the shape of this bitmap you have to first convert the bitmap to the envelope.",
        MessageKind::Warning);
    return;
  }
  if (selected_) {
    const bool envelope = EditsEnvelope(*selected_);
    const int index = envelope ? EnvelopeHandleAt(*selected_, p) : selected_->HitNode(p, keys.ctrl);
    ShowNodePanel();
    if (index >= 0) {
      node_index_ = index;
      char text[48];
      std::snprintf(text, sizeof text, selected_->IsPolynome() ? "Polynome Point: %d" : "Path Point: %d", index);
      Status(text);
      drag_ = StartNodeDrag(*this, *selected_, p, index, envelope, false);
      return;
    }
  }
  CDrawObject* hit = HitTest(doc_, p, false, nullptr);
  if (hit) {
    if (hit != selected_) SelectObject(hit);
    node_index_ = -1;
    drag_ = StartNodeDrag(*this, *hit, p, -1, false, false);
    return;
  }
  node_index_ = -2;
  if (selected_) port_.InvalidateCanvas(selected_->NodeSelectionRect());
  SelectObject(nullptr);
  ClearQuickTools();
}

void ToolMachine::AddPointPress(Point p, Keys keys) {
  const bool had_selection = selected_ != nullptr;
  int index = -1;
  if (selected_) {
    const Rect before = selected_->NodeSelectionRect();
    if (selected_->IsShape() || (selected_->IsPolynome() && !selected_->IsEnvelope()))
      selected_->InsertNodeAt(p, keys.shift, index);
    if (index >= 0) port_.InvalidateCanvas(Union(before, selected_->NodeSelectionRect()));
  }
  if (index < 0) {
    CDrawObject* hit = HitTest(doc_, p, false, nullptr);
    if (hit && hit != selected_) SelectObject(hit);
    if (!had_selection) {
      ShowObjectStatus();
    } else if (selected_ && selected_->IsShape()) {
      Status("Add point to the existing Path");
    } else if (selected_ && selected_->IsPolynome() && !selected_->IsEnvelope()) {
      Status("Add point to the Polynome. CTRL - add detached point");
    } else {
      Status("Select Path or Polynome");
    }
    return;
  }
  node_index_ = (selected_->IsPolynome() && keys.ctrl) ? index + 1 : index;
  ShowNodePanel();
  drag_ = StartNodeDrag(*this, *selected_, p, node_index_, false, true);
}

void ToolMachine::DeletePoint() {
  if (tool_ != Tool::Shape || !selected_ || node_index_ < 0) return;
  CDrawObject& o = *selected_;
  const Rect before = o.GetInvalidRect(Union(o.GetSelectionRect(), o.NodeSelectionRect()));
  const int count_before = o.IsShape() ? o.Outline().Count() : o.Polynome().Count();
  o.DeleteNode(node_index_);
  node_index_ = -2;
  const int count_after = o.IsShape() ? o.Outline().Count() : o.Polynome().Count();
  if (count_after == count_before) return;
  InvalidateObject(o, before);
  doc_.TakeSnapshot();
  RefreshOverlay();
}

void ToolMachine::SetNodeCusp(bool sharp) {
  if (tool_ != Tool::Shape || !selected_ || node_index_ < 0) return;
  const Rect before = selected_->GetInvalidRect(selected_->GetSelectionRect());
  selected_->SetCusp(node_index_, sharp);
  InvalidateObject(*selected_, before);
  doc_.TakeSnapshot();
  RefreshOverlay();
}

void ToolMachine::BreakPath() {
  if (!selected_) return;
  const Rect before = selected_->GetInvalidRect(selected_->GetSelectionRect());
  selected_->BreakPath();
  InvalidateObject(*selected_, before);
  SetTool(Tool::Shape);
  ShowNodePanel();
  doc_.TakeSnapshot();
  RefreshOverlay();
}

void ToolMachine::ClosePath() {
  if (!selected_) return;
  const Rect before = selected_->GetInvalidRect(selected_->GetSelectionRect());
  selected_->ClosePath();
  InvalidateObject(*selected_, before);
  SetTool(Tool::Shape);
  ShowNodePanel();
  doc_.TakeSnapshot();
  RefreshOverlay();
}

void ToolMachine::WidthSliderReleased(int value) {
  default_line_width_ = value;
  if (!selected_ || !IsOpenOutline(*selected_)) return;
  const Rect before = selected_->GetInvalidRect(selected_->GetSelectionRect());
  selected_->SetLineWidth(value);
  selected_->Render();
  InvalidateObject(*selected_, before);
}

// ---- tools

bool ToolMachine::CanChooseTool(Tool tool) const {
  switch (tool) {
    case Tool::Select:
    case Tool::Zoom:
    case Tool::Shape:
    case Tool::AddPoint:
    case Tool::Rotate:
    case Tool::Skew:
    case Tool::ExportCrop:
      return true;
    case Tool::Texture:
      return selected_ && selected_->HasTextureFill();
    default:
      return CanChooseDrawTool(tool);
  }
}

bool ToolMachine::ChooseTool(Tool tool) {
  if (drag_ || !CanChooseTool(tool)) return false;
  switch (tool) {
    case Tool::Select:
      ResumeSelect();
      break;
    case Tool::Shape:
      SetTool(Tool::Shape);
      if (!multi_.empty()) SetMultiSelection({}, false);
      ShowNodePanel();
      Status("Select and move points, CTRL - Select control handle, DEL - delete point");
      break;
    case Tool::AddPoint:
      SetTool(Tool::AddPoint);
      if (!multi_.empty()) SetMultiSelection({}, false);
      ShowNodePanel();
      if (selected_ && selected_->IsPolynome() && !selected_->IsEnvelope())
        Status("Add point to the Polynome. SHIFT - insert island");
      else if (selected_ && selected_->IsShape())
        Status("Add point to the existing Path");
      else
        Status("Select Path or Polynome");
      break;
    case Tool::Rotate:
      SelectObject(nullptr);
      SetTool(Tool::Rotate);
      break;
    case Tool::Skew:
      skew_ = {};
      if (!multi_.empty()) SetMultiSelection({}, false);
      SetTool(Tool::Skew);
      break;
    case Tool::Texture:
      SetTool(Tool::Texture);
      Status("SHIFT - Angle only, CTRL - Size only");
      break;
    case Tool::ExportCrop: {
      const bool now_active = !doc_.IsCropActive();
      doc_.SetCropActive(now_active);
      if (now_active && doc_.GetCropRect().IsEmpty()) SetTool(Tool::ExportCrop);
      port_.InvalidateAll();
      break;
    }
    default:
      ChooseDrawTool(tool);
      break;
  }
  RefreshOverlay();
  return true;
}

void ToolMachine::ResumeSelect() {
  if (tool_ == Tool::Shape && selected_) port_.InvalidateCanvas(selected_->NodeSelectionRect());
  SetTool(Tool::Select);
  if (selected_ && IsOpenOutline(*selected_))
    quick_.Configure(selected_, {"", 1, kQuickNodePanel, -1});
  else
    quick_.Configure(selected_, {"", 0, kQuickPlain, -1});
  SelectObject(selected_);
}

CursorRole ToolMachine::Cursor() const {
  if (drag_) return drag_->Cursor();
  switch (tool_) {
    case Tool::Select:
      switch (hover_handle_) {
        case 1: case 3: return hover_handle_ == 3 ? CursorRole::SizeCorner : CursorRole::SizeDiagonalDown;
        case 2: case 4: return CursorRole::SizeDiagonalUp;
        case 5: case 7: return CursorRole::SizeVertical;
        case 6: case 8: return CursorRole::SizeHorizontal;
        default: return CursorRole::Arrow;
      }
    case Tool::Zoom: return CursorRole::Zoom;
    case Tool::Shape: return CursorRole::Node;
    case Tool::AddPoint: return CursorRole::AddPoint;
    case Tool::Rotate: return CursorRole::Rotate;
    case Tool::Skew:
      if (hover_handle_ == 0) return CursorRole::Arrow;
      return hover_handle_ % 2 == 1 ? CursorRole::SizeHorizontal : CursorRole::SizeVertical;
    case Tool::ExportCrop: return CursorRole::Crop;
    case Tool::Placeholder: return CursorRole::Insert;
    default: return DrawToolCursor();
  }
}

// ---- selection

void ToolMachine::InvalidateObject(const CDrawObject& object, const Rect& extra) {
  Rect area = Union(object.GetInvalidRect(object.GetSelectionRect()), extra);
  if (tool_ == Tool::Shape || tool_ == Tool::AddPoint) area = Union(area, object.NodeSelectionRect());
  port_.InvalidateCanvas(area);
}

void ToolMachine::SelectObject(CDrawObject* object) {
  CDrawObject* old = selected_;
  const bool had_multi = !multi_.empty();
  selected_ = object;
  multi_.clear();
  group_selected_ = false;
  if (old) InvalidateObject(*old);
  if (object) InvalidateObject(*object);
  if (had_multi) port_.InvalidateAll();
  port_.SelectionChanged(selected_, {}, false);
}

void ToolMachine::SetMultiSelection(std::vector<CDrawObject*> members, bool group) {
  if (selected_) InvalidateObject(*selected_);
  selected_ = nullptr;
  multi_ = std::move(members);
  group_selected_ = group && !multi_.empty();
  port_.InvalidateAll();
  std::vector<const CDrawObject*> shown(multi_.begin(), multi_.end());
  port_.SelectionChanged(nullptr, shown, group_selected_);
}

void ToolMachine::ForgetSelection() {
  drag_.reset();
  selected_ = nullptr;
  multi_.clear();
  group_selected_ = false;
  node_index_ = -2;
  overlay_bounds_ = {};
  ClearQuickTools();
  port_.SelectionChanged(nullptr, {}, false);
}

std::vector<int> ToolMachine::SelectedIndexes() const {
  std::vector<int> indexes;
  const auto& objects = doc_.Objects();
  for (int i = 0; i < static_cast<int>(objects.size()); ++i) {
    const CDrawObject* o = objects[static_cast<std::size_t>(i)].get();
    if (o == selected_ || std::find(multi_.begin(), multi_.end(), o) != multi_.end())
      indexes.push_back(i);
  }
  return indexes;
}

std::string ToolMachine::ObjectStatusText(const CDrawObject* o) {
  if (!o) return "Ready.";
  if (o->IsShape()) return o->Outline().IsClosed() ? "Object: Closed Path" : "Object: Opened Path";
  if (o->IsPolynome()) {
    if (o->IsText()) return "Object: Text";
    if (o->IsEnvelope()) return "Object: Polynome Envelope";
    return "Object: Polynome";
  }
  if (o->IsBitmap()) return o->IsEnvelope() ? "Object: Bitmap Envelope" : "Object: Bitmap";
  return "Ready.";
}

void ToolMachine::ShowObjectStatus() { Status(ObjectStatusText(selected_)); }

void ToolMachine::ShowNodePanel() {
  quick_.Configure(selected_, {"", selected_ && IsOpenOutline(*selected_) ? 1 : 0, kQuickNodePanel, -1});
}

void ToolMachine::ConfigureQuickToolsForSelection() {
  if (selected_ && IsOpenOutline(*selected_))
    quick_.Configure(selected_, {"", 1, kQuickNodePanel, -1});
  else
    quick_.Configure(selected_, {"", 0, kQuickPlain, -1});
}

void ToolMachine::ClearQuickTools() { quick_.Configure(nullptr, {"", 0, kQuickPlain, -1}); }

// ---- overlays

void ToolMachine::DrawSelection(Overlay& out) const {
  if (!selected_) {
    if (multi_.empty()) return;
    const Rect frame = MultiSelectionFrame(multi_);
    const COLORREF colour = group_selected_ ? 0x0000FF : 0xFF0000;
    DrawFrameWithHandles(out, frame, colour);
    if (group_selected_) {
      out.Frame(Deflated(frame, 5), colour);
    } else {
      for (const CDrawObject* m : multi_) out.Frame(Deflated(m->GetSelectionRect(), 2), FrameColour(*m));
    }
    return;
  }
  const CDrawObject& o = *selected_;
  switch (tool_) {
    case Tool::Rotate:
      return;
    case Tool::Skew: {
      const std::array<Point, 4> c = SkewFrameCorners(o, skew_);
      out.Line({c[0], c[1], c[2], c[3], c[0]}, 0x000000);
      for (const Point& h : SkewHandleCentres(o, skew_)) out.Fill(SquareAt(h), 0x000000);
      return;
    }
    case Tool::Texture: {
      const std::array<Point, 3> h = TextureHandleCentres(o);
      out.Frame(o.GetRect(), 0x000000);
      out.Line({h[2], h[0], h[1]}, 0x000000);
      out.Frame(SquareAt(h[0], 8), 0x000000);
      out.Fill(SquareAt(h[1], 8), 0x0000FF);
      out.Frame(SquareAt(h[2], 8), 0x000000);
      return;
    }
    case Tool::Shape:
    case Tool::AddPoint: {
      if (o.IsBall()) {
        // The light gadget: where the light comes from over the object's box.
        out.Circle(o.GetRect(), 0x808080);
        const Point l{o.GetX() + static_cast<int>((o.GetLightX() + 1) * o.GetWidth() / 2),
                      o.GetY() + static_cast<int>((o.GetLightY() + 1) * o.GetHeight() / 2)};
        out.Circle(SquareAt(l, 6), 0x000000);
        out.Circle(SquareAt(l, 4), 0x000000);
        if (o.GetLightZ() >= 0) out.Line({o.GetCenter(), l}, 0x000000);
        return;
      }
      if (o.IsShape()) {
        DrawPolylines(out, o.DrawFeedback(), 0x000000);
        const std::vector<Point> pts = o.Outline().PixelPoints(o.GetX(), o.GetY(), o.GetWidth(), o.GetHeight());
        const int n = std::min(o.Outline().EditorPointCount(), static_cast<int>(pts.size()));
        for (int i = 0; i < n; i += 3) {
          const Point a = pts[static_cast<std::size_t>(i)];
          if (i > 0) out.Line({pts[static_cast<std::size_t>(i - 1)], a}, 0x808080);
          else if (o.Outline().IsClosed() && pts.size() > 1) out.Line({pts.back(), a}, 0x808080);
          if (i + 1 < static_cast<int>(pts.size())) out.Line({a, pts[static_cast<std::size_t>(i + 1)]}, 0x808080);
        }
        for (int i = 0; i < n; ++i) {
          const Rect box = SquareAt(pts[static_cast<std::size_t>(i)]);
          if (i == 0) out.Circle(box, 0x00C000);
          else out.Frame(box, i % 3 == 0 ? 0x0000FF : 0xFF8000);
        }
        if (node_index_ >= 0 && node_index_ < n) {
          const Rect box = SquareAt(pts[static_cast<std::size_t>(node_index_)]);
          out.Frame(Deflated(box, 1), 0x000000);
          out.Frame(Deflated(box, 2), 0x000000);
        }
        return;
      }
      if (EditsEnvelope(o)) {
        OutlineFeedback f = o.DrawFeedback();
        for (const FeedbackSquare& s : f.squares)
          out.Frame(SquareAt(s.centre), s.kind == FeedbackSquare::Kind::Corner ? 0x0000FF : 0xFF8000);
        DrawPolylines(out, std::move(f), 0x000000);
        return;
      }
      if (o.IsPolynome()) {
        DrawPolylines(out, o.DrawFeedback(), 0x000000);
        const std::vector<Point> pts = o.Polynome().PixelPoints(o.GetX(), o.GetY(), o.GetWidth(), o.GetHeight());
        for (std::size_t i = 0; i < pts.size(); ++i) {
          if (i == 0) out.Circle(SquareAt(pts[i]), 0x00C000);
          else out.Frame(SquareAt(pts[i]), o.Polynome().Nodes()[i].IsBezier() ? 0xFF8000 : 0x0000FF);
        }
        if (node_index_ >= 0 && node_index_ < static_cast<int>(pts.size())) {
          const Rect box = SquareAt(pts[static_cast<std::size_t>(node_index_)]);
          out.Frame(Deflated(box, 1), 0x000000);
          out.Frame(Deflated(box, 2), 0x000000);
        }
        return;
      }
      DrawFrameWithHandles(out, o.GetSelectionRect(), FrameColour(o));
      return;
    }
    default:
      if (IsOpenOutline(o))
        DrawPolylines(out, o.DrawFeedback(), FrameColour(o));
      else
        DrawFrameWithHandles(out, o.GetSelectionRect(), FrameColour(o));
      return;
  }
}

Overlay ToolMachine::BuildOverlay() const {
  Overlay out;
  DrawSelection(out);
  const Rect crop = doc_.GetCropRect();
  if (doc_.IsCropActive() && !crop.IsEmpty()) {
    out.Dotted(crop, 0x000000);
    out.Fill(Deflated({crop.left - 8, crop.top - 8, crop.left, crop.top}, 2), 0x0000FF);
    out.Fill(Deflated({crop.right, crop.bottom, crop.right + 8, crop.bottom + 8}, 2), 0x0000FF);
  }
  DrawToolOverlay(out);
  if (drag_) drag_->Draw(out);
  return out;
}

void ToolMachine::RefreshOverlay() {
  const Rect now = BuildOverlay().Bounds();
  port_.InvalidateCanvas(Union(overlay_bounds_, now));
  overlay_bounds_ = now;
}

}  // namespace lumi
