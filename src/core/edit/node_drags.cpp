// The drags of the shape and add-point tools: one point (or envelope handle) follows the
// mouse, or the whole object does.
#include "document/plenivor_doc.h"
#include "edit/tool_drags.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

class NodeDrag final : public ToolDrag {
 public:
  NodeDrag(ToolMachine& m, CDrawObject& object, Point press, int index, bool envelope,
           bool after_insert)
      : m_(m), object_(object), last_(press), offset_{press.x - object.GetX(), press.y - object.GetY()},
        index_(index), envelope_(envelope), after_insert_(after_insert),
        area_(Union(object.GetInvalidRect(object.GetSelectionRect()), object.NodeSelectionRect())),
        box_(object.GetRect()), outline_(object.Outline()), polynome_(object.Polynome()) {}

  void Move(Point p, Keys keys) override {
    if (index_ < 0) {
      const Rect before = object_.GetInvalidRect(object_.GetSelectionRect());
      object_.MoveTo(p.x - offset_.x, p.y - offset_.y);
      m_.Port().InvalidateCanvas(Union(before, object_.GetInvalidRect(object_.GetSelectionRect())));
      return;
    }
    const int dx = p.x - last_.x, dy = p.y - last_.y;
    last_ = p;
    if (envelope_) {
      object_.MoveEnvelopeHandle(index_, dx, dy);
      return;
    }
    object_.MoveNode(index_, dx, dy);
    // A smooth node stays smooth unless Shift moves one handle alone.
    if (object_.IsShape() && !keys.shift) object_.Outline().MirrorControl(index_);
  }

  void Release(Point, Keys) override {
    if (index_ >= 0) object_.FinishNodeDrag();
    m_.InvalidateObject(object_, Union(area_, object_.NodeSelectionRect()));
    m_.Doc().TakeSnapshot();
    if (after_insert_) {
      m_.SetTool(Tool::Shape);
      m_.ShowObjectStatus();
    }
  }

  // The outline as it was before the first move (the moves change no size before the
  // release re-fits the box).
  void Cancel() override {
    object_.MoveTo(box_.left, box_.top);
    object_.Outline() = outline_;
    object_.Polynome() = polynome_;
    m_.InvalidateObject(object_, area_);
  }

  Tool DragTool() const override { return after_insert_ ? Tool::AddPoint : Tool::Shape; }
  CursorRole Cursor() const override { return index_ < 0 ? CursorRole::Move : CursorRole::Node; }

 private:
  ToolMachine& m_;
  CDrawObject& object_;
  Point last_;
  Point offset_;
  int index_;
  bool envelope_;
  bool after_insert_;
  Rect area_;
  Rect box_;
  CBezier outline_;
  CPolynome polynome_;
};

}  // namespace

std::unique_ptr<ToolDrag> StartNodeDrag(ToolMachine& m, CDrawObject& object, Point press,
                                        int index, bool envelope, bool after_insert) {
  return std::make_unique<NodeDrag>(m, object, press, index, envelope, after_insert);
}

}  // namespace lumi
