// The scan converter against the pixel rules: worked examples with known masks, and
// many shapes, factors and sizes compared value for value with the full-size reference.
#include "render/rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "rasterizer_reference.h"
#include "render/raster_path.h"

namespace lumi {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A mask buffer pre-filled with a value no rule produces at these factors' edges, so a
// pixel the rasteriser forgets to write shows up.
struct Mask {
  int width, height, factor;
  std::vector<std::uint8_t> pixels;
  Mask(int w, int h, int f) : width(w), height(h), factor(f), pixels(std::size_t(w) * h, 0x5A) {}
  MaskTarget Target() { return {pixels.data(), width, height, factor}; }
  std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  int WorkWidth() const { return width * factor; }
  int WorkHeight() const { return height * factor; }
};

// "" when equal, else where they first differ.
std::string FirstDifference(const Mask& ours, const Mask& reference) {
  for (int y = 0; y < ours.height; ++y)
    for (int x = 0; x < ours.width; ++x)
      if (ours.At(x, y) != reference.At(x, y))
        return "mask pixel (" + std::to_string(x) + ", " + std::to_string(y) + "): ours " +
               std::to_string(ours.At(x, y)) + ", reference " + std::to_string(reference.At(x, y));
  return "";
}

// Outlines are described in unit coordinates of the work surface; `Scale` maps them to work
// pixels, optionally rounded to whole pixels the way object nodes are.
struct Scale {
  double w, h;
  bool round;
  PointD operator()(double u, double v) const {
    PointD p{w * u, h * v};
    if (round) p = {std::trunc(p.x + 0.5), std::trunc(p.y + 0.5)};
    return p;
  }
};

void AddRectangle(RasterPath& path, const Scale& s, double l, double t, double r, double b) {
  path.MoveTo(s(l, t));
  path.LineTo(s(r, t));
  path.LineTo(s(r, b));
  path.LineTo(s(l, b));
  path.CloseFigure();
}

// Four Bezier quarters, as outlines of ellipses are laid out.
void AddEllipse(RasterPath& path, const Scale& s, double l, double t, double r, double b) {
  const double k = 0.5522847498 * 0.5;
  const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
  path.MoveTo(s(l, cy));
  path.BezierTo(s(l, cy - 2 * k * ry), s(cx - 2 * k * rx, t), s(cx, t));
  path.BezierTo(s(cx + 2 * k * rx, t), s(r, cy - 2 * k * ry), s(r, cy));
  path.BezierTo(s(r, cy + 2 * k * ry), s(cx + 2 * k * rx, b), s(cx, b));
  path.BezierTo(s(cx - 2 * k * rx, b), s(l, cy + 2 * k * ry), s(l, cy));
  path.CloseFigure();
}

// A star of n points in one figure, each edge straight; with `skip` = 2 and n = 5 the
// pentagram drawn in one stroke, which crosses itself.
void AddStar(RasterPath& path, const Scale& s, int n, double inner, int skip = 0) {
  for (int i = 0; i < (skip ? n : 2 * n); ++i) {
    const double angle = skip ? 2 * kPi * i * skip / n : kPi * i / n;
    const double radius = (skip || i % 2 == 0) ? 0.5 : 0.5 * inner;
    const PointD p = s(0.5 + radius * std::cos(angle), 0.5 + radius * std::sin(angle));
    if (i == 0) path.MoveTo(p);
    else path.LineTo(p);
  }
  path.CloseFigure();
}

// A figure eight: one closed curve crossing itself in the middle.
void AddFigureEight(RasterPath& path, const Scale& s) {
  path.MoveTo(s(0.5, 0.5));
  path.BezierTo(s(0.8, 0.1), s(1.0, 0.2), s(1.0, 0.5));
  path.BezierTo(s(1.0, 0.8), s(0.8, 0.9), s(0.5, 0.5));
  path.BezierTo(s(0.2, 0.1), s(0.0, 0.2), s(0.0, 0.5));
  path.BezierTo(s(0.0, 0.8), s(0.2, 0.9), s(0.5, 0.5));
  path.CloseFigure();
}

void AddWave(RasterPath& path, const Scale& s) {
  path.MoveTo(s(0.1, 0.5));
  path.BezierTo(s(0.3, -0.2), s(0.4, 1.2), s(0.6, 0.5));
  path.BezierTo(s(0.7, 0.2), s(0.8, 0.3), s(0.9, 0.8));
  path.LineTo(s(0.2, 0.85));
}

// ---------------------------------------------------------------------------------------
// Worked examples

TEST(Rasterizer, HardEdgeMasksAreOnlyBlackOrWhite) {
  Mask mask(57, 43, 1);
  RasterPath path;
  const Scale s{57, 43, false};
  AddEllipse(path, s, 0.05, 0.1, 0.95, 0.9);
  AddStar(path, s, 6, 0.5);
  FillPathEvenOdd(path, mask.Target());
  int white = 0, black = 0;
  for (std::uint8_t v : mask.pixels) {
    ASSERT_TRUE(v == 0 || v == 255) << int(v);
    (v ? white : black)++;
  }
  EXPECT_GT(white, 100);
  EXPECT_GT(black, 100);
}

// A block's value is 255 times its covered share, truncated: 1 of 4 gives 63, 2 of 4 127,
// 3 of 4 191, 1 of 9 28, 5 of 9 141.
TEST(Rasterizer, BlockAverageTruncates) {
  struct Case {
    int factor;
    double right, bottom;  // rectangle from the block's top-left corner, work pixels
    int expected;
  };
  for (const Case& c : std::vector<Case>{{2, 1, 1, 63},
                                         {2, 1, 2, 127},
                                         {2, 2, 2, 255},
                                         {3, 1, 1, 28},
                                         {3, 3, 1, 85},
                                         {3, 2, 2, 113},
                                         {11, 1, 1, 2},
                                         {11, 11, 1, 23}}) {
    Mask mask(2, 1, c.factor);
    RasterPath path;
    path.MoveTo({0, 0});
    path.LineTo({c.right, 0});
    path.LineTo({c.right, c.bottom});
    path.LineTo({0, c.bottom});
    FillPathEvenOdd(path, mask.Target());
    EXPECT_EQ(mask.At(0, 0), c.expected) << "factor " << c.factor;
    EXPECT_EQ(mask.At(1, 0), 0);
  }
  // An L covering three of the four work pixels of a 2 x 2 block.
  Mask mask(1, 1, 2);
  RasterPath path;
  path.MoveTo({0, 0});
  path.LineTo({2, 0});
  path.LineTo({2, 2});
  path.LineTo({1, 2});
  path.LineTo({1, 1});
  path.LineTo({0, 1});
  FillPathEvenOdd(path, mask.Target());
  EXPECT_EQ(mask.At(0, 0), 191);
}

// Pixels are inside when their centre is: an edge exactly through centres keeps the pixels
// on its right (the span runs from the first centre at or right of the left crossing to
// the last centre before the right crossing).
TEST(Rasterizer, EdgesThroughPixelCentres) {
  Mask mask(10, 3, 1);
  RasterPath path;
  path.MoveTo({2.5, 0.5});
  path.LineTo({7.5, 0.5});
  path.LineTo({7.5, 2.5});
  path.LineTo({2.5, 2.5});
  FillPathEvenOdd(path, mask.Target());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(mask.At(x, y), (y >= 0 && y < 2 && x >= 2 && x < 7) ? 255 : 0) << x << "," << y;
}

// A pen 6 work pixels wide across a 40 x 20 object: 6 object pixels high without
// enlargement, 2 at factor 3 (the pen is not scaled with the factor).
TEST(Rasterizer, OpenPathPenWidthIsInWorkPixels) {
  for (int factor : {1, 3}) {
    Mask mask(40, 20, factor);
    RasterPath path;
    path.MoveTo({5.0 * factor, 10.0 * factor});
    path.LineTo({35.0 * factor, 10.0 * factor});
    StrokePath(path, 6, mask.Target());
    std::vector<int> column;
    for (int y = 0; y < 20; ++y) column.push_back(mask.At(20, y));
    std::vector<int> expected(20, 0);
    if (factor == 1) {
      for (int y = 7; y <= 12; ++y) expected[y] = 255;
    } else {
      expected[9] = expected[10] = 255;
    }
    EXPECT_EQ(column, expected) << "factor " << factor;
  }
}

// Round caps: the end of a wide line is a half disc around the end point.
TEST(Rasterizer, WidePenHasRoundCapsAndJoins) {
  Mask mask(30, 30, 1);
  RasterPath path;
  path.MoveTo({10, 10});
  path.LineTo({20, 10});
  path.LineTo({20, 20});
  StrokePath(path, 8, mask.Target());  // radius 4
  EXPECT_EQ(mask.At(6, 10), 255);       // centre 6.5: 3.5 left of the start
  EXPECT_EQ(mask.At(5, 10), 0);         // centre 5.5: 4.5 away
  EXPECT_EQ(mask.At(6, 7), 0);          // (3.5, 2.5) from the start: a square cap covers it
  EXPECT_EQ(mask.At(7, 7), 255);        // (2.5, 2.5): within the round cap
  // Outside corner of the join is round: (23.5, 6.5) is (3.5, 3.5) from the corner.
  EXPECT_EQ(mask.At(23, 6), 0);
  EXPECT_EQ(mask.At(22, 7), 255);       // (2.5, 2.5): within 4
  EXPECT_EQ(mask.At(15, 15), 0);        // inside the bend, away from both pieces
}

// One-pixel lines: one pixel per column for a mostly horizontal line, per row otherwise.
TEST(Rasterizer, ThinPenDrawsOnePixelLines) {
  Mask mask(12, 12, 1);
  RasterPath path;
  path.MoveTo({1, 1});
  path.LineTo({11, 11});  // 45 degrees through pixel corners
  path.MoveTo({0, 5});
  path.LineTo({3, 5});    // horizontal along a pixel boundary: the row below it
  StrokePath(path, 1, mask.Target());
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool diagonal = x == y && x >= 1 && x <= 10;
      const bool horizontal = y == 5 && x <= 2;
      EXPECT_EQ(mask.At(x, y), (diagonal || horizontal) ? 255 : 0) << x << "," << y;
    }
  }
}

TEST(Rasterizer, ClosedFigureStrokeJoinsEndToStart) {
  Mask open_mask(20, 20, 1), closed_mask(20, 20, 1);
  for (bool closed : {false, true}) {
    RasterPath path;
    path.MoveTo({4, 4});
    path.LineTo({16, 4});
    path.LineTo({16, 16});
    path.LineTo({4, 16});
    if (closed) path.CloseFigure();
    StrokePath(path, 3, (closed ? closed_mask : open_mask).Target());
  }
  EXPECT_EQ(open_mask.At(4, 10), 0);  // the left side is only drawn when closed
  EXPECT_EQ(closed_mask.At(4, 10), 255);
}

// Even-odd: both loops of a figure eight are filled (they wind in opposite directions);
// the centre of a five-pointed star drawn in one stroke is crossed twice and stays empty.
TEST(Rasterizer, EvenOddFigureEightAndPentagram) {
  Mask eight(100, 60, 1);
  RasterPath eight_path;
  AddFigureEight(eight_path, {100, 60, false});
  FillPathEvenOdd(eight_path, eight.Target());
  EXPECT_EQ(eight.At(20, 30), 255);
  EXPECT_EQ(eight.At(80, 30), 255);
  EXPECT_EQ(eight.At(50, 10), 0);

  Mask star(101, 101, 1);
  RasterPath star_path;
  AddStar(star_path, {101, 101, false}, 5, 0, 2);
  FillPathEvenOdd(star_path, star.Target());
  EXPECT_EQ(star.At(50, 50), 0);   // the pentagon in the middle
  EXPECT_EQ(star.At(95, 50), 255); // inside the tip at angle 0
  EXPECT_EQ(star.At(60, 50), 0);
}

// Islands and holes: a ring with an island in its hole.
TEST(Rasterizer, NestedFiguresAlternate) {
  Mask mask(60, 60, 2);
  RasterPath path;
  const Scale s{120, 120, true};
  AddRectangle(path, s, 0.1, 0.1, 0.9, 0.9);
  AddEllipse(path, s, 0.2, 0.2, 0.8, 0.8);
  AddRectangle(path, s, 0.4, 0.4, 0.6, 0.6);
  FillPathEvenOdd(path, mask.Target());
  EXPECT_EQ(mask.At(8, 30), 255);   // the ring
  EXPECT_EQ(mask.At(18, 30), 0);    // the hole
  EXPECT_EQ(mask.At(30, 30), 255);  // the island
}

// The outlined ellipse: a 5 x 5 box keeps a 3 x 3 white middle; the ring and the corners
// outside the ellipse are black.
TEST(Rasterizer, EllipseHasBlackRingAndWhiteInside) {
  Mask mask(5, 5, 1);
  FillEllipseWithBlackOutline({0, 0, 5, 5}, mask.Target());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(mask.At(x, y), (x >= 1 && x <= 3 && y >= 1 && y <= 3) ? 255 : 0) << x << "," << y;
}

// The ball of a 100 x 60 object at factor 1: box inset by 11 on every side. Row 30 of
// the ellipse runs from pixel 11 to 88; those two are the black ring.
TEST(Rasterizer, BallEllipseRowEnds) {
  Mask mask(100, 60, 1);
  FillEllipseWithBlackOutline({11, 11, 89, 49}, mask.Target());
  EXPECT_EQ(mask.At(10, 30), 0);
  EXPECT_EQ(mask.At(11, 30), 0);
  EXPECT_EQ(mask.At(12, 30), 255);
  EXPECT_EQ(mask.At(87, 30), 255);
  EXPECT_EQ(mask.At(88, 30), 0);
  EXPECT_EQ(mask.At(50, 11), 0);  // top of the ring
  EXPECT_EQ(mask.At(50, 12), 255);
  EXPECT_EQ(mask.At(50, 48), 0);  // bottom of the ring
  EXPECT_EQ(mask.At(50, 47), 255);
  EXPECT_EQ(mask.At(5, 5), 0);
}

// Every call writes every mask pixel, including where nothing is drawn.
TEST(Rasterizer, EveryMaskPixelIsWritten) {
  for (int factor : {1, 4}) {
    Mask fill(7, 5, factor), stroke(7, 5, factor), ellipse(7, 5, factor);
    FillPathEvenOdd(RasterPath{}, fill.Target());
    StrokePath(RasterPath{}, 3, stroke.Target());
    FillEllipseWithBlackOutline({0, 0, 0, 0}, ellipse.Target());
    for (const Mask* m : {&fill, &stroke, &ellipse})
      for (std::uint8_t v : m->pixels) EXPECT_EQ(v, 0);
  }
}

// ---------------------------------------------------------------------------------------
// Ours against the reference

using PathMaker = std::function<void(RasterPath&, const Scale&)>;

struct FillCase {
  const char* name;
  PathMaker make;
};

const std::vector<FillCase>& FillCases() {
  static const std::vector<FillCase> cases = {
      {"rectangle", [](RasterPath& p, const Scale& s) { AddRectangle(p, s, 0, 0, 1, 1); }},
      {"inset rectangle", [](RasterPath& p, const Scale& s) { AddRectangle(p, s, .13, .21, .77, .9); }},
      {"ellipse", [](RasterPath& p, const Scale& s) { AddEllipse(p, s, 0, 0, 1, 1); }},
      {"six-point star", [](RasterPath& p, const Scale& s) { AddStar(p, s, 6, 0.5); }},
      {"thin star", [](RasterPath& p, const Scale& s) { AddStar(p, s, 17, 0.1); }},
      {"pentagram", [](RasterPath& p, const Scale& s) { AddStar(p, s, 5, 0, 2); }},
      {"figure eight", [](RasterPath& p, const Scale& s) { AddFigureEight(p, s); }},
      {"wave (closed by filling)", [](RasterPath& p, const Scale& s) { AddWave(p, s); }},
      {"ring with island",
       [](RasterPath& p, const Scale& s) {
         AddRectangle(p, s, 0.05, 0.05, 0.95, 0.95);
         AddEllipse(p, s, 0.15, 0.2, 0.85, 0.8);
         AddStar(p, s, 5, 0.4);
       }},
      {"overlapping figures",
       [](RasterPath& p, const Scale& s) {
         AddEllipse(p, s, 0, 0, 0.7, 0.7);
         AddEllipse(p, s, 0.3, 0.3, 1, 1);
       }},
      {"partly outside",
       [](RasterPath& p, const Scale& s) {
         AddEllipse(p, s, -0.4, -0.3, 0.8, 1.6);
         AddRectangle(p, s, 0.6, -2, 3, 0.4);
       }},
      {"entirely outside", [](RasterPath& p, const Scale& s) { AddRectangle(p, s, 1.2, -1, 2, 2); }},
      {"empty", [](RasterPath&, const Scale&) {}},
      {"single point", [](RasterPath& p, const Scale& s) { p.MoveTo(s(0.5, 0.5)); }},
      {"zero area",
       [](RasterPath& p, const Scale& s) {
         p.MoveTo(s(0.1, 0.1));
         p.LineTo(s(0.9, 0.7));
         p.LineTo(s(0.1, 0.1));
         p.MoveTo(s(0.2, 0.5));
         p.LineTo(s(0.8, 0.5));
       }},
      {"sliver",
       [](RasterPath& p, const Scale& s) {
         p.MoveTo(s(0, 0));
         p.LineTo(s(1, 0.02));
         p.LineTo(s(0.1, 0.03));
       }},
  };
  return cases;
}

struct Size {
  int width, height;
};

const std::vector<Size> kSizes = {{1, 1}, {3, 7}, {9, 9}, {40, 25}, {123, 77}, {301, 190}};

TEST(RasterizerMatchesReference, FilledShapes) {
  for (const FillCase& shape : FillCases()) {
    for (const Size& size : kSizes) {
      for (int factor = 1; factor <= 11; ++factor) {
        for (bool round : {true, false}) {
          Mask ours(size.width, size.height, factor), ref(size.width, size.height, factor);
          RasterPath path;
          shape.make(path, {double(ours.WorkWidth()), double(ours.WorkHeight()), round});
          FillPathEvenOdd(path, ours.Target());
          reference::FillPathEvenOdd(path, ref.Target());
          ASSERT_EQ(FirstDifference(ours, ref), "")
              << shape.name << " " << size.width << "x" << size.height << " factor " << factor
              << (round ? " rounded" : "");
        }
      }
    }
  }
}

TEST(RasterizerMatchesReference, Strokes) {
  const std::vector<double> widths = {0, 1, 1.5, 2, 3, 6, 11.5};
  const std::vector<Size> sizes = {{1, 1}, {3, 7}, {9, 9}, {40, 25}, {160, 90}, {301, 190}};
  for (const FillCase& shape : FillCases()) {
    for (const Size& size : sizes) {
      for (int factor = 1; factor <= 11; factor += (size.width > 100 ? 3 : 1)) {
        for (double width : widths) {
          Mask ours(size.width, size.height, factor), ref(size.width, size.height, factor);
          RasterPath path;
          shape.make(path, {double(ours.WorkWidth()), double(ours.WorkHeight()), true});
          StrokePath(path, width, ours.Target());
          reference::StrokePath(path, width, ref.Target());
          ASSERT_EQ(FirstDifference(ours, ref), "")
              << shape.name << " " << size.width << "x" << size.height << " factor " << factor
              << " pen " << width;
        }
      }
    }
  }
}

TEST(RasterizerMatchesReference, Ellipses) {
  for (const Size& size : kSizes) {
    for (int factor = 1; factor <= 11; ++factor) {
      const int f = factor;
      const std::vector<Rect> boxes = {
          {11 * f, 11 * f, f * (size.width - 11), f * (size.height - 11)},  // the ball
          {0, 0, size.width * f, size.height * f},
          {-5 * f, 2, size.width * f / 2 + 1, size.height * f + 9},
          {3, 1, 4, 2},
          {7, 3, 7, 30},
          {size.width * f, size.height * f, 0, 0},  // given reversed
      };
      for (const Rect& box : boxes) {
        Mask ours(size.width, size.height, factor), ref(size.width, size.height, factor);
        FillEllipseWithBlackOutline(box, ours.Target());
        reference::FillEllipseWithBlackOutline(box, ref.Target());
        ASSERT_EQ(FirstDifference(ours, ref), "")
            << size.width << "x" << size.height << " factor " << factor << " box " << box.left
            << "," << box.top << "," << box.right << "," << box.bottom;
      }
    }
  }
}

// Random figures of lines and curves, some reaching outside the surface, with points on
// whole, half and arbitrary work-pixel positions.
RasterPath RandomPath(std::mt19937& rng, double w, double h) {
  std::uniform_real_distribution<double> unit(-0.2, 1.2);
  std::uniform_int_distribution<int> kind(0, 2), count(1, 7), figures(1, 3);
  auto point = [&] {
    PointD p{unit(rng) * w, unit(rng) * h};
    switch (kind(rng)) {
      case 0: return PointD{std::round(p.x), std::round(p.y)};
      case 1: return PointD{std::floor(p.x) + 0.5, std::floor(p.y) + 0.5};
      default: return p;
    }
  };
  RasterPath path;
  for (int f = figures(rng); f > 0; --f) {
    path.MoveTo(point());
    for (int n = count(rng); n > 0; --n) {
      if (kind(rng) == 0) path.BezierTo(point(), point(), point());
      else path.LineTo(point());
    }
    if (kind(rng) == 0) path.CloseFigure();
  }
  return path;
}

TEST(RasterizerMatchesReference, RandomPaths) {
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> side(1, 90), factor_of(1, 11);
  std::uniform_real_distribution<double> pen(0.0, 14.0);
  for (int i = 0; i < 400; ++i) {
    const int width = side(rng), height = side(rng), factor = factor_of(rng);
    RasterPath path = RandomPath(rng, double(width) * factor, double(height) * factor);
    const double pen_width = pen(rng);
    Mask ours(width, height, factor), ref(width, height, factor);
    FillPathEvenOdd(path, ours.Target());
    reference::FillPathEvenOdd(path, ref.Target());
    ASSERT_EQ(FirstDifference(ours, ref), "") << "fill, case " << i;
    Mask ours_stroke(width, height, factor), ref_stroke(width, height, factor);
    StrokePath(path, pen_width, ours_stroke.Target());
    reference::StrokePath(path, pen_width, ref_stroke.Target());
    ASSERT_EQ(FirstDifference(ours_stroke, ref_stroke), "")
        << "stroke, case " << i << " pen " << pen_width;
  }
}

// Coordinates that are not numbers or absurdly large are tamed rather than trusted.
TEST(RasterizerMatchesReference, HostileCoordinates) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  RasterPath path;
  path.MoveTo({nan, 5});
  path.LineTo({1e300, 20});
  path.BezierTo({-inf, 3}, {4, nan}, {10, 30});
  path.LineTo({-1e18, -1e18});
  for (double pen_width : {nan, 4.0, inf}) {
    Mask ours(30, 20, 3), ref(30, 20, 3);
    StrokePath(path, pen_width, ours.Target());
    reference::StrokePath(path, pen_width, ref.Target());
    EXPECT_EQ(FirstDifference(ours, ref), "") << "pen " << pen_width;
  }
  Mask ours(30, 20, 3), ref(30, 20, 3);
  FillPathEvenOdd(path, ours.Target());
  reference::FillPathEvenOdd(path, ref.Target());
  EXPECT_EQ(FirstDifference(ours, ref), "");
}

}  // namespace
}  // namespace lumi
