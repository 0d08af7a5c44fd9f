#pragma once
// The arithmetic the tools share: selection handles, the pending rectangle of a handle
// drag, edge snapping and the square constraint, the rotate direction and the hit test.
#include <array>
#include <vector>

#include "base/geometry.h"

namespace lumi {

class CDrawObject;
class CPlenivorDoc;
class Host;

// The eight 6 x 6 handle squares of a selection whose bounding rectangle is `bounds`
// (an object's box grown by 3, or a multi-selection's frame): the frame is drawn 2
// pixels inside it and each handle reaches 2 pixels outside the frame and 4 inside.
// Index 0 is handle 1 (top-left); then bottom-left, bottom-right, top-right, top centre,
// right centre, bottom centre, left centre.
std::array<Rect, 8> SelectionHandles(const Rect& bounds);
// The handle (1..8) under `p`, or 0.
int HandleAt(const Rect& bounds, Point p);

// The offset a handle drag keeps from the object's box: from its top-left corner, but
// from the bottom for handles 2 and 7, from the bottom-right for handle 3 and from the
// right for handles 4 and 6.
Point HandleDragOffset(int handle, const Rect& box, Point press);
// The box a handle drag shows for the mouse minus that offset (mx, my); the object's
// box before the drag is `box`. Width and height may come out negative (the drag went
// past the opposite side); the caller normalises.
Rect PendingBox(int handle, const Rect& box, int mx, int my);

// The moving corner of a rectangle drag kept on the canvas edge when within 4 pixels.
Point SnapToCanvasEdges(Point p, int canvas_width, int canvas_height);
// A press of the drawing tools kept on the canvas origin when within 4 pixels.
Point SnapToCanvasOrigin(Point p);
// The square a Shift drag shows: anchored at the press, with the larger signed side.
Rect SquareFromPress(Point press, Point corner);
// The square a Shift release makes from a normalised rectangle: anchored at its
// top-left corner, side the larger of width and height.
Rect SquareFromTopLeft(const Rect& normalised);

// The direction of an offset in whole-circle degrees, y pointing down: straight up 0,
// left 90, down 180, right 270.
double RotateDirection(int dx, int dy);

// The topmost object at `p`: not hidden, its box grown by 3 contains `p`, and either
// `by_rectangle` or its exact shape test. When a box matched but its shape did not and
// `hint_host` is given, that host's status bar suggests Ctrl. A found object marks the
// document modified; a grouped object is no result (groups are found by their frame).
CDrawObject* HitTest(CPlenivorDoc& doc, Point p, bool by_rectangle, Host* hint_host);

// The frame of a multi-selection: the union of the members' boxes grown by 4.
Rect MultiSelectionFrame(const std::vector<CDrawObject*>& members);

}  // namespace lumi
