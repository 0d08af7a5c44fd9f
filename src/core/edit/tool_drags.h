#pragma once
// The drags the tools start at a press. Each returns the drag object the machine keeps
// until the release.
#include <memory>

#include "edit/tool_machine.h"

namespace lumi {

// Select tool on one object: a move (handle 0) or a resize by handle 1..8.
std::unique_ptr<ToolDrag> StartObjectDrag(ToolMachine& m, CDrawObject& object, Point press,
                                          int handle);
// Select tool on empty canvas: the rubber band.
std::unique_ptr<ToolDrag> StartRubberBand(ToolMachine& m, Point press);
// Select tool inside the multi-selection frame: move (handle 0) or resize.
std::unique_ptr<ToolDrag> StartMultiDrag(ToolMachine& m, Point press, int handle);
// Select tool on a crop handle: 1 top-left, 2 bottom-right.
std::unique_ptr<ToolDrag> StartCropCornerDrag(ToolMachine& m, Point press, int handle);
// Zoom and export crop tools.
std::unique_ptr<ToolDrag> StartZoomDrag(ToolMachine& m, Point press);
std::unique_ptr<ToolDrag> StartExportCropDrag(ToolMachine& m, Point press);

std::unique_ptr<ToolDrag> StartRotateDrag(ToolMachine& m, CDrawObject& object, Point press);
// Skew handle 1 top, 2 right, 3 bottom, 4 left.
std::unique_ptr<ToolDrag> StartSkewDrag(ToolMachine& m, CDrawObject& object, Point press,
                                        int handle);
// Texture handle 1 offset, 2 angle and size, 3 second axis.
std::unique_ptr<ToolDrag> StartTextureDrag(ToolMachine& m, CDrawObject& object, Point press,
                                           int handle);
// The light direction of a ball-bevelled object.
std::unique_ptr<ToolDrag> StartLightDrag(ToolMachine& m, CDrawObject& object, Point press);
// Shape and add-point tools: a point (index >= 0) or the whole object (index -1);
// `envelope` drags an envelope handle of text and envelope bitmaps instead.
std::unique_ptr<ToolDrag> StartNodeDrag(ToolMachine& m, CDrawObject& object, Point press,
                                        int index, bool envelope, bool after_insert);

// The drawing tools (draw_drags.cpp): a rectangle, circle, rounded rectangle or star
// dragged from the press; the pencil's stroke; the pen's outgoing control point dragged
// from the node just clicked; a brush painting the selected bitmap.
std::unique_ptr<ToolDrag> StartShapeDrag(ToolMachine& m, Tool tool, Point press);
std::unique_ptr<ToolDrag> StartFreePathDrag(ToolMachine& m, Point press);
std::unique_ptr<ToolDrag> StartPenDrag(ToolMachine& m);
std::unique_ptr<ToolDrag> StartBrushDrag(ToolMachine& m, CDrawObject& object, Point press, Tool tool);
// Strictly within 4 pixels of `start` in both directions: where a path closes.
bool ClosesPath(Point p, Point start);
// The pen's path so far with its node boxes and control lines, and its rubber line.
void DrawPathInProgress(Overlay& out, const PathInProgress& path);

// Where the texture tool's three handles are (centres), for drawing and pressing.
std::array<Point, 3> TextureHandleCentres(const CDrawObject& object);
// The skew frame's corners (top-left, top-right, bottom-right, bottom-left) and the
// centres of its four handles.
std::array<Point, 4> SkewFrameCorners(const CDrawObject& object, const std::array<int, 4>& s);
std::array<Point, 4> SkewHandleCentres(const CDrawObject& object, const std::array<int, 4>& s);
// A 6 x 6 (or `size`) square centred on `p`.
Rect SquareAt(Point p, int size = 6);

}  // namespace lumi
