#pragma once
// The outline of text, polynomes, arrows and bitmap envelopes: figures of move-to,
// line-to and Bezier-to points in per mille of the object's box (0..1000), with an
// optional envelope (a top and a bottom cubic, in unit coordinates of the box) that warps
// the outline when it is drawn.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "objects/glyph_path.h"
#include "objects/outline_feedback.h"

namespace lumi {

class CArchive;
class FontFace;
class Host;

// Point types, as a platform path reports them: a Bezier-to point comes in threes (two
// controls and the end point); the close flag ends a figure.
enum PolynomePointType : std::uint8_t {
  kPtCloseFigure = 1,
  kPtLineTo = 2,
  kPtLineToClose = 3,
  kPtBezierTo = 4,
  kPtBezierToClose = 5,
  kPtMoveTo = 6,
};

struct CPolynomeNode {
  double x = 0.0;
  double y = 0.0;
  std::uint8_t type = kPtMoveTo;
  // The type without the close flag.
  std::uint8_t Base() const { return type & ~kPtCloseFigure; }
  bool IsBezier() const { return Base() == kPtBezierTo; }
};

class CPolynome {
 public:
  // P0..P3 of the top curve, then Q0..Q3 of the bottom curve, each x then y.
  using Envelope = std::array<double, 16>;
  static constexpr Envelope kDefaultEnvelope = {0, 0, 0.4, 0, 0.6, 0, 1, 0,
                                                0, 1, 0.4, 1, 0.6, 1, 1, 1};

  // ---- state
  const std::vector<CPolynomeNode>& Nodes() const { return nodes_; }
  std::vector<CPolynomeNode>& Nodes() { return nodes_; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  void RemoveAll() { nodes_.clear(); }
  bool IsOpen() const { return open_ != 0; }
  void SetOpen(bool open) { open_ = open ? 1 : 0; }
  int LineWidth() const { return line_width_; }
  void SetLineWidth(int width) { line_width_ = width; }
  const Envelope& GetEnvelope() const { return envelope_; }
  Envelope& GetEnvelope() { return envelope_; }
  bool IsEnvelopeOn() const { return envelope_on_ != 0; }
  void SetEnvelopeOn(bool on) { envelope_on_ = on ? 1 : 0; }
  // Default envelope points, warp off.
  void ResetEnvelope();
  bool TakeModified();

  // A node's pixel position for a box at (x, y) of size w x h (truncated).
  static Point PixelOf(const CPolynomeNode& node, int x, int y, int w, int h);
  std::vector<Point> PixelPoints(int x, int y, int w, int h) const;

  // ---- building
  // One figure from a spline's pixel points: a move-to and Bezier-to points; a closed
  // spline (count divisible by 3) gets a last Bezier-to back to its first point.
  void FromBezier(const std::vector<Point>& points, int x, int y, int w, int h);
  // An arrow from its tip, a second point and a third point; returns its box (an empty
  // box means no arrow).
  Rect MakeArrow(Point tip, Point second, Point third);
  // Appends another polynome's nodes, re-expressed from its box into this one's.
  void Append(const CPolynome& other, const Rect& other_box, const Rect& box);
  // Takes the figures of a text path (pixels, y pointing down): every point becomes a
  // node with its type, scaled so that the largest x and the largest y of all points
  // land on 1000. A figure whose last point's x differs from its first point's gets a
  // line-to back to its first point. Returns the largest x and y; an empty path (or one
  // with no point right of or below the origin) gives (0, 0) and an empty polynome.
  PointD FromTextPath(const PathPoints& path);
  // The text laid out by `face` at cell height `height` with `alignment` (text_layout.h),
  // taken as above; a text the layout refuses gives (0, 0) and an empty polynome.
  PointD FromText(FontFace& face, std::string_view text, int height, int alignment);
  // Bakes the envelope into the nodes (each coordinate first truncated to a whole per
  // mille, then warped as a point of a 1000 x 1000 box) and resets the envelope.
  void BakeEnvelope();

  // ---- bounds and re-fitting (boxes are left, top, right, bottom in canvas pixels)
  // Fits the box to the envelope; the nodes stay as they are.
  Rect FitBox(int x, int y, int w, int h);
  // Fits the box to the nodes (margin 14 open, 2 filled); the envelope is not consulted.
  Rect FitNodes(int x, int y, int w, int h);

  // ---- transforms
  Rect Rotate(double angle_degrees, int x, int y, int w, int h);
  Rect RotateEnvelope(double angle_degrees, int x, int y, int w, int h);
  void Flip(bool vertical);
  // Pulls every node and envelope point back within the limits of outline_limits.h.
  void KeepReadable();
  void FlipEnvelope(bool vertical);
  void Skew(int top_shift, int right_shift, int bottom_shift, int left_shift, int w, int h);
  void SkewEnvelope(int top_shift, int right_shift, int bottom_shift, int left_shift, int w,
                    int h);
  void MoveEnvelopeHandle(int handle, int dx, int dy, int w, int h);
  // The envelope warp applied to pixel points of a box at (x, y) of size w x h.
  void WarpPoints(std::vector<Point>& points, int x, int y, int w, int h) const;

  // ---- node primitives
  // The point under `p`, or -1.
  int HitNode(Point p, int x, int y, int w, int h, bool prefer_control) const;
  void MoveNode(int index, int dx, int dy, int w, int h);
  // A new island at `p` (or when the polynome is empty), otherwise a Bezier-to triple on
  // the segment under `p`. Returns the index to edit next, or -1 when nothing was added.
  int InsertNodeAt(Point p, int x, int y, int w, int h, bool island);
  // Refuses the start point (and indexes past the end) with a message through `host`.
  bool DeleteNode(int index, Host& host);
  void SetCusp(int index, bool straight);
  void BreakPath() { open_ = 1; }
  void ClosePath() { open_ = 0; }

  // Node count, nodes (x, y, type byte), 16 envelope doubles, envelope flag, open flag,
  // line width, end mark -1. A damaged record throws ArchiveError and leaves the
  // polynome as it was.
  void Serialize(CArchive& ar);

  // The figures as polylines in canvas pixels, warped by the envelope when it is on and
  // rotated about the box centre when the angle is not 0.
  OutlineFeedback DrawFeedback(int x, int y, int w, int h, double angle_degrees = 0.0) const;
  // The envelope editor: the two envelope curves, the four handle lines and the eight
  // handle squares (corner points and inner control points).
  OutlineFeedback EnvelopeFeedback(int x, int y, int w, int h) const;

 private:
  // For every point: 0 not in a Bezier-to triple, 1 first control, 2 second control,
  // 3 end point.
  std::vector<int> TripleRoles() const;

  std::vector<CPolynomeNode> nodes_;
  int open_ = 0;
  int line_width_ = 2;
  Envelope envelope_ = kDefaultEnvelope;
  int envelope_on_ = 0;
  int modified_ = 0;
};

}  // namespace lumi
