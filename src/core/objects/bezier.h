#pragma once
// The outline of a vector shape: one cubic Bezier spline, open or closed, in unit
// coordinates of the object's box (0 = left or top edge, 1 = right or bottom edge).
//
// Node layout: nodes whose index is divisible by 3 are anchors; the two nodes after an
// anchor are the controls of the segment to the next anchor. A closed spline has 3n
// nodes and its last segment returns to node 0; an open spline has 3n + 1 nodes. A
// straight segment has its controls on its anchors.
#include <vector>

#include "base/geometry.h"
#include "objects/outline_feedback.h"

namespace lumi {

class CArchive;

struct CBezierNode {
  double x = 0.0;
  double y = 0.0;
  int type = 0;  // always 0; kept in records
};

class CBezier {
 public:
  // ---- state
  bool IsClosed() const { return closed_ != 0; }
  void SetClosed(bool closed) { closed_ = closed ? 1 : 0; }
  int LineWidth() const { return line_width_; }
  void SetLineWidth(int width) { line_width_ = width; }
  const std::vector<CBezierNode>& Nodes() const { return nodes_; }
  std::vector<CBezierNode>& Nodes() { return nodes_; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  void RemoveAll() { nodes_.clear(); }
  // Points shown to node editors: 3 x floor(nodes / 3), plus one when open.
  int EditorPointCount() const;
  // Returns the modified flag set by node moves and clears it.
  bool TakeModified();

  // A node's pixel position for a box at (x, y) of size w x h.
  static Point PixelOf(const CBezierNode& node, int x, int y, int w, int h);
  std::vector<Point> PixelPoints(int x, int y, int w, int h) const;

  // ---- generators
  void MakeRectangle();
  void MakeEllipse();
  // Corner radius r as a fraction of the width; the box size makes the corners round.
  void MakeRoundRect(double r, int width, int height);
  void MakeStar(int points, int inner_divisor);
  // From pixel points laid out as anchors and controls; the first entry is not used.
  // Returns the box in pixels, or an all-zero box when the list is shorter than 2.
  Rect MakePath(const std::vector<Point>& points, bool closed);
  // From raw mouse points; thins them and uses them as anchors and controls. Returns the
  // box, or an all-zero box for an empty list.
  Rect MakeFreePath(const std::vector<Point>& points, bool closed);

  // ---- bounds and re-fitting (boxes are left, top, right, bottom in canvas pixels)
  // Bounding box of all nodes in pixels, relative to the box origin.
  Rect Bounds(int w, int h) const;
  // Re-fits the box to the sampled curve (margin 2 closed, 14 open).
  Rect FitBox(int x, int y, int w, int h);
  // Re-fits the box to the anchors only (margin 2 closed, 7 open).
  Rect FitAnchors(int x, int y, int w, int h);

  // ---- transforms
  Rect Rotate(double angle_degrees, int x, int y, int w, int h);
  void Flip(bool vertical);
  // Pulls every node back within the limits of outline_limits.h.
  void KeepReadable();
  void Skew(int top_shift, int right_shift, int bottom_shift, int left_shift, int w, int h);

  // ---- node primitives (the view's node editor drives them)
  // The node under `p`, or -2.
  int HitNode(Point p, int x, int y, int w, int h, bool prefer_control) const;
  void MoveNode(int index, int dx, int dy, int w, int h);
  // Splits the segment under `p`; returns the index of the control after the new anchor,
  // or -1 when no segment is near.
  int InsertNodeAt(Point p, int x, int y, int w, int h);
  // Returns true when the outline changed.
  bool DeleteNode(int index);
  void SetCusp(int index, bool straight);
  void MirrorControl(int index);
  void BreakPath();
  void ClosePath();

  // Closed flag, node count, nodes (x, y, type), line width, end mark -1. A damaged
  // record throws ArchiveError and leaves the spline as it was.
  void Serialize(CArchive& ar);

  // The spline as a polyline in canvas pixels, rotated by `angle_degrees` about the box
  // centre when it is not 0.
  OutlineFeedback DrawFeedback(int x, int y, int w, int h, double angle_degrees = 0.0) const;

 private:
  // Node j of the spline, wrapping to node 0 at the end of a closed spline.
  int Wrap(int j) const { return j % Count(); }
  // Start indexes of every full segment (the closing one included when closed).
  std::vector<int> SegmentStarts() const;
  void Refit(const Rect& old_box, const Rect& new_box);

  int closed_ = 1;
  int modified_ = 0;
  int line_width_ = 2;
  std::vector<CBezierNode> nodes_;
};

}  // namespace lumi
