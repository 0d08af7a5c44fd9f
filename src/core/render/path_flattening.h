#pragma once
// Turns a RasterPath into polylines: each cubic Bezier becomes a run of straight pieces.
// The flattening is deterministic (a fixed number of evenly spaced parameter steps per
// curve, each point evaluated directly), so every scan converter that starts from it sees
// exactly the same edges.
#include <cstddef>
#include <functional>
#include <vector>

#include "base/geometry.h"
#include "render/raster_path.h"

namespace lumi {

struct Polyline {
  std::vector<PointD> points;
  bool closed = false;  // the figure was marked closed (strokes join end to start)
};

// Largest distance, in work pixels, between a curve and the straight pieces replacing it.
inline constexpr double kFlatteningTolerance = 0.1;
// Coordinates are clamped to +-kCoordinateLimit work pixels (far beyond any work surface)
// and a coordinate that is not a number counts as 0, so that every later computation
// stays finite.
inline constexpr double kCoordinateLimit = 16777216.0;
// Upper bound on the pieces of one curve, reached only by curves that are mostly far
// outside any surface.
inline constexpr int kMaxPiecesPerCurve = 4096;

// One polyline per figure, in path order. A figure starts at each move-to; an incomplete
// Bezier triple at the end of the path is ignored.
std::vector<Polyline> FlattenPath(const RasterPath& path);

// The same figures handed over one at a time in one reused buffer, so that only the
// largest figure is ever held.
void ForEachFlattenedFigure(const RasterPath& path, const std::function<void(const Polyline&)>& visit);

// The number of points FlattenPath produces, computed without producing them.
std::size_t FlattenedPointCount(const RasterPath& path);

}  // namespace lumi
