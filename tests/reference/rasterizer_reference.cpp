#include "rasterizer_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/path_flattening.h"

namespace lumi::reference {
namespace {

// The enlarged bitmap: 0 = black, 255 = white, top row first.
struct WorkSurface {
  int factor = 1;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  explicit WorkSurface(const MaskTarget& target) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) return;
    factor = std::clamp(target.factor, 1, 11);
    width = target.width * factor;
    height = target.height * factor;
    pixels.assign(static_cast<std::size_t>(width) * height, 0);
  }
  bool Empty() const { return pixels.empty(); }
  void Set(int x, int y) { pixels[static_cast<std::size_t>(y) * width + x] = 255; }

  void AverageInto(const MaskTarget& target) const {
    for (int my = 0; my < target.height; ++my) {
      for (int mx = 0; mx < target.width; ++mx) {
        int sum = 0;
        for (int y = my * factor; y < (my + 1) * factor; ++y)
          for (int x = mx * factor; x < (mx + 1) * factor; ++x)
            sum += pixels[static_cast<std::size_t>(y) * width + x];
        target.pixels[static_cast<std::size_t>(my) * target.width + mx] =
            static_cast<std::uint8_t>(sum / (factor * factor));
      }
    }
  }
};

struct Segment {
  PointD a, b;
};

// The straight pieces a pen follows: consecutive points, and end to start when closed.
std::vector<Segment> StrokeSegments(const RasterPath& path) {
  std::vector<Segment> segments;
  for (const Polyline& figure : FlattenPath(path)) {
    const auto& p = figure.points;
    if (p.size() < 2) continue;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) segments.push_back({p[i], p[i + 1]});
    if (figure.closed) segments.push_back({p.back(), p.front()});
  }
  return segments;
}

// Within `radius_squared` of the segment a-b? The ends are ordered by y, then x.
bool NearSegment(Segment s, double px, double py, double radius_squared) {
  if (s.b.y < s.a.y || (s.b.y == s.a.y && s.b.x < s.a.x)) std::swap(s.a, s.b);
  const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
  const double qx = px - s.a.x, qy = py - s.a.y;
  const double along = qx * dx + qy * dy;
  const double length_squared = dx * dx + dy * dy;
  double distance_squared;
  if (along <= 0) {
    distance_squared = qx * qx + qy * qy;  // nearest to the first end
  } else if (along >= length_squared) {
    const double ex = px - s.b.x, ey = py - s.b.y;
    distance_squared = ex * ex + ey * ey;  // nearest to the second end
  } else {
    const double cross = qx * dy - qy * dx;
    distance_squared = cross * cross / length_squared;  // beside the segment
  }
  return distance_squared <= radius_squared;
}

// One-pixel line: per column (mostly horizontal) or per row (mostly vertical) centre on the
// segment, the pixel holding the segment's point there.
bool OnThinLine(Segment s, int x, int y) {
  if (s.a.x == s.b.x && s.a.y == s.b.y) return false;
  if (std::abs(s.b.x - s.a.x) >= std::abs(s.b.y - s.a.y)) {
    if (s.b.x < s.a.x) std::swap(s.a, s.b);
    const double cx = x + 0.5;
    if (cx < s.a.x || cx > s.b.x) return false;
    return std::floor(s.a.y + (cx - s.a.x) * ((s.b.y - s.a.y) / (s.b.x - s.a.x))) == y;
  }
  if (s.b.y < s.a.y) std::swap(s.a, s.b);
  const double cy = y + 0.5;
  if (cy < s.a.y || cy > s.b.y) return false;
  return std::floor(s.a.x + (cy - s.a.y) * ((s.b.x - s.a.x) / (s.b.y - s.a.y))) == x;
}

int ClampTo(double v, int lo, int hi) {
  return static_cast<int>(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
}

}  // namespace

void FillPathEvenOdd(const RasterPath& path, const MaskTarget& target) {
  WorkSurface work(target);
  if (work.Empty()) return;
  std::vector<Segment> edges;
  for (const Polyline& figure : FlattenPath(path)) {
    const auto& p = figure.points;
    for (std::size_t i = 0; i < p.size(); ++i) {
      Segment e{p[i], p[(i + 1) % p.size()]};
      if (e.a.y > e.b.y) std::swap(e.a, e.b);
      edges.push_back(e);
    }
  }
  std::vector<double> crossings;
  for (int y = 0; y < work.height; ++y) {
    // Where the outline crosses the line through this row's pixel centres; an edge
    // counts from its upper end inclusive to its lower end exclusive.
    const double cy = y + 0.5;
    crossings.clear();
    for (const Segment& e : edges)
      if (e.a.y <= cy && cy < e.b.y)
        crossings.push_back(e.a.x + (cy - e.a.y) * ((e.b.x - e.a.x) / (e.b.y - e.a.y)));
    std::sort(crossings.begin(), crossings.end());
    // A pixel is inside when an odd number of crossings lie at or left of its centre.
    std::size_t left = 0;
    for (int x = 0; x < work.width; ++x) {
      while (left < crossings.size() && crossings[left] <= x + 0.5) ++left;
      if (left % 2 == 1) work.Set(x, y);
    }
  }
  work.AverageInto(target);
}

void StrokePath(const RasterPath& path, double pen_width, const MaskTarget& target) {
  WorkSurface work(target);
  if (work.Empty()) return;
  const bool thin = !(pen_width > 1);
  const double radius = thin ? 0.0 : std::min(pen_width, 1e6) * 0.5;
  const double radius_squared = radius * radius;
  for (const Segment& s : StrokeSegments(path)) {
    // Every pixel near the segment's bounding box is tested on its own.
    const int x0 = ClampTo(std::floor(std::min(s.a.x, s.b.x) - radius) - 2, 0, work.width);
    const int x1 = ClampTo(std::ceil(std::max(s.a.x, s.b.x) + radius) + 2, 0, work.width);
    const int y0 = ClampTo(std::floor(std::min(s.a.y, s.b.y) - radius) - 2, 0, work.height);
    const int y1 = ClampTo(std::ceil(std::max(s.a.y, s.b.y) + radius) + 2, 0, work.height);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (thin ? OnThinLine(s, x, y) : NearSegment(s, x + 0.5, y + 0.5, radius_squared))
          work.Set(x, y);
  }
  work.AverageInto(target);
}

void FillEllipseWithBlackOutline(const Rect& box, const MaskTarget& target) {
  WorkSurface work(target);
  if (work.Empty()) return;
  using Wide = __int128;
  const Wide left = std::min(box.left, box.right), right = std::max(box.left, box.right);
  const Wide top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom);
  const Wide a = right - left, b = bottom - top;
  // The pixel centre inside the inscribed ellipse, doubled to stay in integers:
  // (u / a)^2 + (v / b)^2 <= 1 with u = 2x + 1 - (left + right), v likewise.
  auto inside = [&](int x, int y) {
    if (a <= 0 || b <= 0) return false;
    const Wide u = 2 * static_cast<Wide>(x) + 1 - (left + right);
    const Wide v = 2 * static_cast<Wide>(y) + 1 - (top + bottom);
    return u * u * b * b + v * v * a * a <= a * a * b * b;
  };
  // The black pen paints the ellipse's pixels that touch the outside; the rest is white.
  for (int y = 0; y < work.height; ++y)
    for (int x = 0; x < work.width; ++x)
      if (inside(x, y) && inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) &&
          inside(x, y + 1))
        work.Set(x, y);
  work.AverageInto(target);
}

}  // namespace lumi::reference
