// CDrawObject operations on its outline: creation of every vector kind, rotate, flip,
// skew, the polynome conversions, combining and the node-editing wrappers.
#include <algorithm>

#include "objects/curve_math.h"
#include "objects/draw_object.h"

namespace lumi {

void CDrawObject::ApplyRelativeBox(const Rect& box) {
  m_x += box.left;
  m_y += box.top;
  m_width = box.Width();
  m_height = box.Height();
  // Every re-fit ends here: a box that could not follow its points (a refused fit) must
  // not let them drift beyond what a saved record may hold.
  m_outline.KeepReadable();
  m_polynome.KeepReadable();
}

// ---- creation

namespace {

Rect Normalised(int left, int top, int right, int bottom) {
  Rect r{left, top, right, bottom};
  r.Normalize();
  return r;
}

}  // namespace

int CDrawObject::CreateRectangle(int left, int top, int right, int bottom) {
  const Rect r = Normalised(left, top, right, bottom);
  m_x = r.left;
  m_y = r.top;
  m_kind = kKindShape;
  m_kindName = "Rectangle";
  m_outline.MakeRectangle();
  const Rect box = m_outline.FitAnchors(r.left, r.top, r.Width(), r.Height());
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

int CDrawObject::CreateCircle(int left, int top, int right, int bottom) {
  const Rect r = Normalised(left, top, right, bottom);
  m_kind = kKindShape;
  m_kindName = "Circle";
  m_outline.MakeEllipse();
  m_polynome.RemoveAll();
  const Rect box = m_outline.FitAnchors(r.left, r.top, r.Width(), r.Height());
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

int CDrawObject::CreateRoundRect(int left, int top, int right, int bottom, int corner) {
  const Rect r = Normalised(left, top, right, bottom);
  m_kind = kKindShape;
  m_kindName = "Round-Rect";
  m_outline.MakeRoundRect(corner / 1024.0, r.Width(), r.Height());
  const Rect box = m_outline.FitAnchors(r.left, r.top, r.Width(), r.Height());
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

int CDrawObject::CreateStar(int left, int top, int right, int bottom, int points, int inner) {
  const Rect r = Normalised(left, top, right, bottom);
  m_x = r.left;
  m_y = r.top;
  m_kind = kKindShape;
  m_kindName = "Star";
  m_outline.MakeStar(points, inner);
  SetSize(r.Width(), r.Height());
  return 1;
}

int CDrawObject::CreatePath(const std::vector<Point>& points, bool closed) {
  CBezier outline = m_outline;
  const Rect box = outline.MakePath(points, closed);
  if (box.IsEmpty()) return 0;
  m_outline = std::move(outline);
  m_kind = kKindShape;
  m_kindName = "Path";
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

int CDrawObject::CreateFreePath(const std::vector<Point>& points, bool closed) {
  CBezier outline = m_outline;
  const Rect box = outline.MakeFreePath(points, closed);
  if (box.IsEmpty()) return 0;
  m_outline = std::move(outline);
  m_kind = kKindShape;
  m_kindName = "Free Path";
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

int CDrawObject::CreateArrow(Point tip, Point second, Point third) {
  CPolynome polynome = m_polynome;
  const Rect box = polynome.MakeArrow(tip, second, third);
  if (box.IsEmpty()) return 0;
  m_polynome = std::move(polynome);
  m_kind = kKindPolynome;
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

// ---- transforms

bool CDrawObject::Rotate(double angle_degrees, bool refit) {
  if (angle_degrees == 0.0 && !refit) return false;
  if (IsShape()) {
    ApplyRelativeBox(m_outline.Rotate(angle_degrees, 0, 0, m_width, m_height));
    ApplyRelativeBox(m_outline.FitBox(0, 0, m_width, m_height));
  } else if (IsPolynome() || (IsBitmap() && IsEnvelope())) {
    if (IsText() || IsBitmap()) {
      ApplyRelativeBox(m_polynome.RotateEnvelope(angle_degrees, 0, 0, m_width, m_height));
      ApplyRelativeBox(m_polynome.FitBox(0, 0, m_width, m_height));
    } else {
      ApplyRelativeBox(m_polynome.Rotate(angle_degrees, 0, 0, m_width, m_height));
      ApplyRelativeBox(m_polynome.FitNodes(0, 0, m_width, m_height));
    }
  } else if (IsBitmap()) {
    return RotateBitmap(static_cast<int>(angle_degrees));  // turns the source pixels
  } else {
    return false;
  }
  SetSize(m_width, m_height);
  return true;
}

bool CDrawObject::Flip(bool vertical) {
  if (IsShape()) {
    m_outline.Flip(vertical);
  } else if (IsText()) {
    m_polynome.FlipEnvelope(vertical);
  } else if (IsPolynome()) {
    m_polynome.Flip(vertical);
  } else if (IsBitmap()) {
    FlipBitmap(vertical);  // mirrors the source pixels
    return true;
  } else {
    return false;
  }
  Render();
  return true;
}

bool CDrawObject::Skew(int top_shift, int right_shift, int bottom_shift, int left_shift) {
  if (IsShape()) {
    m_outline.Skew(top_shift, right_shift, bottom_shift, left_shift, m_width, m_height);
  } else if (IsText() || (IsBitmap() && IsEnvelope())) {
    m_polynome.SkewEnvelope(top_shift, right_shift, bottom_shift, left_shift, m_width, m_height);
  } else if (IsPolynome()) {
    m_polynome.Skew(top_shift, right_shift, bottom_shift, left_shift, m_width, m_height);
  } else {
    return false;
  }
  RefitAfterEdit();
  return true;
}

void CDrawObject::RefitAfterEdit() {
  if (IsShape()) {
    ApplyRelativeBox(m_outline.FitBox(0, 0, m_width, m_height));
  } else if (IsText() || (IsBitmap() && IsEnvelope())) {
    ApplyRelativeBox(m_polynome.FitBox(0, 0, m_width, m_height));
  } else if (IsPolynome()) {
    ApplyRelativeBox(m_polynome.FitNodes(0, 0, m_width, m_height));
  }
  SetSize(m_width, m_height);
}

// ---- conversions

int CDrawObject::ConvertToPolynome() {
  if (!IsShape()) return 0;
  const std::vector<Point> points = m_outline.PixelPoints(0, 0, m_width, m_height);
  m_kind = kKindPolynome;
  m_editableText = 0;
  // An open path stays a stroke.
  m_polynome.SetOpen(!m_outline.IsClosed());
  m_outline.RemoveAll();
  m_polynome.FromBezier(points, 0, 0, m_width, m_height);
  ApplyRelativeBox(m_polynome.FitNodes(0, 0, m_width, m_height));
  SetSize(m_width, m_height);
  return 1;
}

int CDrawObject::ConvertTextToPolynome() {
  if (!IsText()) return 0;
  m_editableText = 0;
  m_polynome.BakeEnvelope();
  ApplyRelativeBox(m_polynome.FitNodes(0, 0, m_width, m_height));
  m_text.clear();
  SetSize(m_width, m_height);
  return 1;
}

int CDrawObject::ConvertPolynomeToEnvelope(bool resize) {
  if (!IsPolynome() || IsText()) return 0;
  m_editableText = 1;
  m_polynome.ResetEnvelope();
  ApplyRelativeBox(m_polynome.FitNodes(0, 0, m_width, m_height));
  m_text.clear();
  // A box the refit made larger than an object may be is cut as every other size is:
  // a saved object must not read back at another size.
  if (resize || m_width > kMaxObjectWidth || m_height > kMaxObjectHeight) SetSize(m_width, m_height);
  return 1;
}

int CDrawObject::Combine(CDrawObject& other) {
  if (!IsPolynome()) return 0;
  if (IsText()) return 1;
  if (other.IsText())
    other.ConvertTextToPolynome();
  else if (other.IsShape())
    other.ConvertToPolynome();
  else if (!other.IsPolynome())
    return 0;
  m_polynome.Append(other.m_polynome, other.GetRect(), GetRect());
  const Rect box = m_polynome.FitNodes(m_x, m_y, m_width, m_height);
  m_x = box.left;
  m_y = box.top;
  SetSize(box.Width(), box.Height());
  return 1;
}

// ---- node editing

int CDrawObject::HitNode(Point p, bool prefer_control) const {
  if (IsShape()) return m_outline.HitNode(p, m_x, m_y, m_width, m_height, prefer_control);
  if (IsPolynome() && !IsText())
    return m_polynome.HitNode(p, m_x, m_y, m_width, m_height, prefer_control);
  return -2;
}

void CDrawObject::MoveNode(int index, int dx, int dy) {
  if (IsShape())
    m_outline.MoveNode(index, dx, dy, m_width, m_height);
  else if (IsPolynome() && !IsText())
    m_polynome.MoveNode(index, dx, dy, m_width, m_height);
}

void CDrawObject::MoveEnvelopeHandle(int handle, int dx, int dy) {
  if (IsText() || (IsBitmap() && IsEnvelope()))
    m_polynome.MoveEnvelopeHandle(handle, dx, dy, m_width, m_height);
}

Rect CDrawObject::FinishNodeDrag() {
  const bool changed = IsShape() ? m_outline.TakeModified() : m_polynome.TakeModified();
  if (changed) RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::DeleteNode(int index) {
  if (index < 0) return {};
  bool changed = false;
  if (IsShape())
    changed = m_outline.DeleteNode(index);
  else if (IsPolynome() && !IsText())
    changed = m_polynome.DeleteNode(index, *host_);
  if (changed) RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::SetCusp(int index, bool straight) {
  if (index < 0) return {};
  if (IsShape())
    m_outline.SetCusp(index, straight);
  else if (IsPolynome() && !IsText())
    m_polynome.SetCusp(index, straight);
  else
    return GetSelectionRect();
  RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::InsertNodeAt(Point p, bool island, int& index) {
  index = -1;
  if (IsShape())
    index = m_outline.InsertNodeAt(p, m_x, m_y, m_width, m_height);
  else if (IsPolynome() && !IsText())
    index = m_polynome.InsertNodeAt(p, m_x, m_y, m_width, m_height, island);
  if (index < 0) return {};
  RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::BreakPath() {
  if (IsShape())
    m_outline.BreakPath();
  else if (IsPolynome())
    m_polynome.BreakPath();
  else
    return GetSelectionRect();
  RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::ClosePath() {
  if (IsShape())
    m_outline.ClosePath();
  else if (IsPolynome())
    m_polynome.ClosePath();
  else
    return GetSelectionRect();
  RefitAfterEdit();
  return GetSelectionRect();
}

Rect CDrawObject::NodeSelectionRect() const {
  PointBounds bounds;
  bool open = false;
  if (IsShape()) {
    for (const Point& p : m_outline.PixelPoints(m_x, m_y, m_width, m_height)) bounds.Add(p);
    open = !m_outline.IsClosed();
  } else if (IsPolynome()) {
    for (const Point& p : m_polynome.PixelPoints(m_x, m_y, m_width, m_height)) bounds.Add(p);
    open = m_polynome.IsOpen();
  }
  if (bounds.Empty()) return GetSelectionRect();
  return bounds.Grown(open ? 15 : 3);
}

OutlineFeedback CDrawObject::DrawFeedback(double angle_degrees) const {
  if (IsShape()) return m_outline.DrawFeedback(m_x, m_y, m_width, m_height, angle_degrees);
  if (IsText() || (IsBitmap() && IsEnvelope()))
    return m_polynome.EnvelopeFeedback(m_x, m_y, m_width, m_height);
  if (IsPolynome()) return m_polynome.DrawFeedback(m_x, m_y, m_width, m_height, angle_degrees);
  return {};
}

}  // namespace lumi
