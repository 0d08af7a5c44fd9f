// The colour-gene rules. Every value that depends only on the gene or the size is worked
// out once per image, values that depend only on the row once per row and values that
// depend only on the column once per image into a small table; what is left per pixel is
// the exact formula. The rules' scratch values that carry from one pixel to the next
// (rule A's T13 and T14) are kept in the traversal order: rows top to bottom in stored
// order, each row left to right.
#include "library/gene_rules.h"

#include <cmath>
#include <vector>

#include "effects/filter_math.h"
#include "effects/sine_table.h"

namespace lumi::gene {

namespace {

using fx::AbsDiff;
using fx::D;
using fx::Int;
using fx::Map;
using fx::Max;
using fx::Min;
using fx::Remap;
using fx::Trunc;

// Sines of integer angles through the shared exact table.
inline Int TableSin512(Int a) { return fx::SineTable::Get().Sin512(a); }
inline Int TableCos512(Int a) { return fx::SineTable::Get().Cos512(a); }

constexpr int kRed = 2, kGreen = 1, kBlue = 0;

struct Order {
  int r1, r2, r3;  // byte offsets the three outputs go to
};
constexpr Order kRGB{kRed, kGreen, kBlue};
constexpr Order kBGR{kBlue, kGreen, kRed};
constexpr Order kGRB{kGreen, kRed, kBlue};
constexpr Order kRBG{kRed, kBlue, kGreen};

// The image and the position functions of the rules.
class Field {
 public:
  explicit Field(const GeneRun& run)
      : W(run.width), H(run.height), hw(run.width / 2), hh(run.height / 2), P(run.P),
        pixels_(run.pixels) {
    halfDiag = Trunc(0.5 * std::sqrt(static_cast<double>(W) * W + static_cast<double>(H) * H));
  }

  Int CDist(int x, int y) const { return fx::Dist(Int(y) - hh, Int(x) - hw); }
  Int CAngle(int x, int y) const { return fx::Angle(Int(x) - hw, Int(y) - hh); }
  Int CX(Int a, Int r) const { return Trunc(fx::SineTable::Get().Cos(a) * D(r) + hw); }
  Int CY(Int a, Int r) const { return Trunc(fx::SineTable::Get().Sin(a) * D(r) + hh); }

  std::uint8_t* Row(int y) const {
    return pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(W) * 4;
  }
  static void Put(std::uint8_t* px, const Order& o, Int r1, Int r2, Int r3) {
    px[o.r1] = fx::Clamp255(r1);
    px[o.r2] = fx::Clamp255(r2);
    px[o.r3] = fx::Clamp255(r3);
  }

  const int W, H, hw, hh;
  const int* const P;
  Int halfDiag;

 private:
  std::uint8_t* pixels_;
};

// A: crossing spirals, fed back through T13 and T14 from the previous pixel.
void RuleA(const Field& f, const Order& order) {
  const int* P = f.P;
  const bool spiral = 90 < P[6] && P[6] <= 180;
  const bool byDist = P[6] <= 180;
  const Int turn = Map(P[6], 0, 2000);
  const Int reachA = Map(P[3], -500, 500), reachB = Map(P[3], 0, 1012);
  // T3 and T4 are never written by this rule and read as 0, so T5 and the angle of T6
  // are fixed for the whole image.
  const Int T3 = 0, T4 = 0;
  const Int T5 = f.CX(Max(T3, T4), AbsDiff(T3, Map(P[5], 0, 333) + T4));
  const Int angle6 = AbsDiff(T3, Map(P[4], 30, 255) + T4);
  const Int m7a = Map(P[7], 0, 225), m7b = Map(P[7], -60, 0), m7c = Map(P[7], -25, 80),
            m7d = Map(P[7], 30, -65), m7e = Map(P[7], 150, -70);
  const Int m1 = Map(P[1], 10, 512), m0 = Map(P[0], -180, -3600);
  const Int diag = f.halfDiag;  // 0 only for 1 x 1 images: the quotient is then 0
  Int T13 = 0, T14 = 0;
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Int a = f.CAngle(x, y), b = f.CDist(x, y);
      const Int T22 = spiral ? turn + a : Int(0);
      const Int T23 = byDist ? fx::Dist(reachA + T13, T14) : AbsDiff(reachB + T13, T14);
      const Int T6 = f.CY(angle6, T23);
      const Int T7 = fx::Angle(T5, T6);
      const Int T8 = AbsDiff(T5, T6) / 2;
      const Int T9 = f.CY(T7, T8) / 5;
      const Int T10 = 2 * fx::Angle(T7, T8);
      const Int T11 = AbsDiff(T7, T8);
      const Int r1 = AbsDiff(AbsDiff(T10, m7a + T11), m7b + T9);
      const Int T15 = TableCos512(a * m1 * 14 / 1024);
      T13 = TableCos512(b * m0 / diag + T22);
      T14 = Map(P[2], T15 / 4, 3 * T15);
      const Int r2 = AbsDiff(AbsDiff(T10, m7c + T11), m7d + T9);
      const Int r3 = AbsDiff(AbsDiff(T10, m7e + T11), T9);
      Field::Put(px, order, r1, r2, r3);
    }
  }
}

// B: gradient planes picked by the gene.
void RuleB(const Field& f, const Order& order) {
  const int* P = f.P;
  const int pick[3] = {Map(P[3], 0, 4).v, Map(P[4], 0, 4).v, Map(P[5], 0, 4).v};
  const Int lift[3] = {Map(P[0], -255, 255), Map(P[1], -255, 255), Map(P[2], -255, 255)};
  const bool needAngle = pick[0] == 3 || pick[1] == 3 || pick[2] == 3;
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    const Int g = Int(y) * 255 / f.H;
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Int d = Int(x) * 255 / f.W;
      const Int e = f.CDist(x, y) * 255 / f.W;
      Int T[4] = {e - d, e - g, d - g, 0};
      if (needAngle) {
        const Int angle = f.CAngle(x, y);
        T[3] = y >= f.hh ? Remap(angle, 1, 512, 0, 255) : Remap(angle, -511, 0, 255, 0);
      }
      Field::Put(px, order, fx::Abs(T[pick[0]] + lift[0]), fx::Abs(T[pick[1]] + lift[1]),
                 fx::Abs(T[pick[2]] + lift[2]));
    }
  }
}

// C: angles seen from the four corners.
void RuleC(const Field& f, const Order& order) {
  const int* P = f.P;
  const int pick[3] = {Map(P[3], 0, 4).v, Map(P[4], 0, 4).v, Map(P[5], 0, 4).v};
  const Int lift[3] = {Map(P[0], -128, 128), Map(P[1], -128, 128), Map(P[2], -128, 128)};
  const bool invert = P[6] < 128;
  bool need[4] = {false, false, false, false};
  for (int k : pick) need[k] = true;
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    for (int x = 0; x < f.W; ++x, px += 4) {
      Int T[4];
      if (need[0]) T[0] = fx::Angle(x, y);
      if (need[1]) T[1] = fx::Angle(x, f.H - y);
      if (need[2]) T[2] = fx::Angle(f.W - x, y);
      if (need[3]) T[3] = fx::Angle(f.W - x, f.H - y);
      Int r[3];
      for (int k = 0; k < 3; ++k) {
        const Int T5 = T[pick[k]];
        r[k] = (invert ? 255 - T5 : T5) + lift[k];
      }
      Field::Put(px, order, r[0], r[1], r[2]);
    }
  }
}

// D: beating sines.
void RuleD(const Field& f, const Order& order) {
  const int* P = f.P;
  const Int c = f.halfDiag;  // 0 only for 1 x 1 images: the quotients are then 0
  const Int lift = Map(P[4], -255, 255);
  std::vector<Int> colF(static_cast<std::size_t>(f.W)), colE(static_cast<std::size_t>(f.W));
  for (int x = 0; x < f.W; ++x) {
    colF[static_cast<std::size_t>(x)] = TableCos512(Int(x) * P[3] * 16 / c);
    colE[static_cast<std::size_t>(x)] = Int(x) * P[0] * 32 / c;
  }
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    const Int d = TableCos512(Int(y) * P[1] * 16 / c);
    const Int rowG = Int(y) * P[2] * 32 / c;
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Int e = TableSin512(d + colE[static_cast<std::size_t>(x)]);
      const Int g = TableSin512(colF[static_cast<std::size_t>(x)] + rowG);
      const Int T1 = 32 * (e + g);
      Field::Put(px, order, fx::Fold(P[5] * T1 / 16384 + lift), fx::Fold(P[6] * T1 / 16384 + lift),
                 fx::Fold(P[7] * T1 / 16384 + lift));
    }
  }
}

// E, F and G: two rings of sines, combined three ways.
void RuleEFG(const Field& f, const Order& order, char rule) {
  const int* P = f.P;
  const Int k0 = Map(P[0], 1, 24), k1 = Map(P[1], 1, 24);
  const Int s0 = Map(P[3], -8, 8), s1 = Map(P[4], -8, 8);
  const int flags = P[2];
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Int a = f.CDist(x, y), b = f.CAngle(x, y);
      const Int T0 = (TableSin512(k0 * (b + a * s0) % 1024) + 512) / 4;
      const Int T1 = (TableSin512(k1 * (b + a * s1) % 1024) + 512) / 4;
      const Int lo = Min(T0, T1), hi = Max(T0, T1);
      const auto hiF = [&](int bit) { return (flags & bit) ? hi : T1 - T0; };
      const auto loF = [&](int bit) { return (flags & bit) ? lo : T0 - T1; };
      const auto band = [&](int k) { return Remap(P[k], 64, 192, lo, hi); };
      const auto diff = [&](int k) { return fx::Abs(T0 - T1) * P[k] / 128; };
      Int red, green, blue;
      if (rule == 'E') {
        red = Remap(P[5], 64, 192, loF(128), hiF(16));
        green = Remap(P[6], 64, 192, loF(64), hiF(8));
        blue = Remap(P[7], 64, 192, loF(32), hiF(4));
      } else {
        if (rule == 'F')
          red = Remap(P[5], 64, 192, loF(128), hiF(16));
        else
          red = (flags & 128) ? band(5) : TableSin512(T1 * T0 / (P[5] + 32)) / 2;
        green = (flags & 64) ? band(6) : diff(6);
        blue = (flags & 32) ? band(7) : diff(7);
      }
      Field::Put(px, order, red, green, blue);
    }
  }
}

// H: wavy rings. o, v and E are rounded to single precision where the rule says so.
void RuleH(const Field& f, const Order& order) {
  const int* P = f.P;
  const Int g = f.halfDiag;
  const Int h = Map(P[2], 0, 1024), l = Map(P[2], 0, 1024);
  const Int t = Map(P[3], 0, 100);
  const Int m4a = Map(P[4], 0, 10), m4b = Map(P[4], -10, 10);
  const Int m1a = Map(P[1], -32, 10), m1b = Map(P[1], -4, 4), m1c = Map(P[1], -4, 30);
  const Int K = Map(P[0], -10, 4), m0a = Map(P[0], -4, 30), m0b = Map(P[0], -10, 4),
            m0c = Map(P[0], -4, 4);
  const Int P2 = Map(P[2], 0, 1024), Q = Map(P[3], 0, 1024);
  const Int W1 = Map(P[4], 0, 25), ae = Map(P[4], 0, 25);
  const Int ak = Map(P[3], 0, 1024), al = Map(P[2], 0, 1024);

  // Per column: v and the sines and cosines of it.
  struct Column {
    float v;
    Int w, D, C1, M, Y, az;
  };
  std::vector<Column> cols(static_cast<std::size_t>(f.W));
  for (int x = 0; x < f.W; ++x) {
    Column& c = cols[static_cast<std::size_t>(x)];
    c.v = static_cast<float>(static_cast<double>(x) / f.W * 100);
    const double v = c.v;
    c.w = TableCos512(Trunc(v * D(m4b)));
    c.D = TableCos512(Trunc(v * D(m1b)));
    c.C1 = TableCos512(Trunc(v));
    c.M = TableCos512(Trunc(v * D(m0a)));  // also ah and ar
    c.Y = TableCos512(Trunc(v * D(m1c)));
    c.az = TableCos512(Trunc(v * D(m0c)));
  }
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    const double o = static_cast<float>(static_cast<double>(y) / f.H * 100);
    const Int r = TableSin512(Trunc(o * D(m4a)));
    const Int B = TableSin512(Trunc(o * D(m1a)));  // also V and aw
    const Int S1 = TableSin512(Trunc(o));
    const double sinOK = std::sin(o * D(K));
    const Int ad = TableSin512(Trunc(o * D(m0b)));  // also ap
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Column& c = cols[static_cast<std::size_t>(x)];
      const Int e = f.CAngle(x, y), fd = f.CDist(x, y);
      // A 1 x 1 image has no half diagonal; its only pixel sits at the centre.
      const float E = g.v == 0 ? 0.0f : static_cast<float>(D(fd) / D(g) * 200);
      const Int F = f.CY(e - B - c.D, Trunc(static_cast<float>(E - D(t) + D(r)) - D(c.w)));
      const Int ring = Trunc(static_cast<float>(E + D(S1)) - D(c.C1));
      const Int N = f.CX(Trunc(D(e) - sinOK - D(c.M)), ring);
      const Int red = Remap(N - F, -l, h, 0, 255);
      const Int Z = f.CY(red * W1 - B - c.Y, ring);
      const Int ai = f.CX(red * ae - ad - c.M, ring);
      const Int green = Remap(ai - Z, -Q, P2, 0, 255);
      const Int as = f.CX(4 * red - ad - c.M, ring);
      const Int aA = f.CY(4 * green - B - c.az, ring);
      const Int blue = Remap(as - aA, -al, ak, 0, 255);
      Field::Put(px, order, red, green, blue);
    }
  }
}

// I: sine plasma.
void RuleI(const Field& f, const Order& order) {
  const int* P = f.P;
  const Int e = Map(P[0], 2, 255);
  const Int top1 = Map(P[1], 1, 255), top2 = Map(P[2], 1, 255), top3 = Map(P[3], 1, 255);
  struct Column {
    Int c2, c4, c8;  // TableSin512(c + 2e), TableSin512(c + 4e), TableSin512(c + 8e)
  };
  std::vector<Column> cols(static_cast<std::size_t>(f.W));
  for (int x = 0; x < f.W; ++x) {
    const Int c = Remap(x, 0, f.W - 1, -511, 512);
    cols[static_cast<std::size_t>(x)] = {TableSin512(c + 2 * e), TableSin512(c + 4 * e), TableSin512(c + 8 * e)};
  }
  for (int y = 0; y < f.H; ++y) {
    std::uint8_t* px = f.Row(y);
    const Int d = Remap(y, 0, f.H - 1, -511, 512);
    const Int d2 = TableSin512(d + 2 * e), d4 = TableSin512(d + 4 * e), d8 = TableSin512(d + 8 * e),
              d16 = TableSin512(d + 16 * e);
    for (int x = 0; x < f.W; ++x, px += 4) {
      const Column& c = cols[static_cast<std::size_t>(x)];
      const Int common = TableSin512(c.c2 + d4);
      const Int r1 = Remap(TableSin512(common - TableSin512(c.c8 + d16)) / 2, 0, 255, 0, top1);
      const Int r2 = Remap(TableSin512(common - TableSin512(d8 + c.c4)) / 2, 0, 255, 0, top2);
      const Int r3 = Remap(TableSin512(TableSin512(d2 + c.c8) - TableSin512(c.c4 + d16)) / 2, 0, 255, 0, top3);
      Field::Put(px, order, r1, r2, r3);
    }
  }
}

}  // namespace

void Generate(const GeneRun& run) {
  if (run.pixels == nullptr || run.width <= 0 || run.height <= 0 || run.P == nullptr) return;
  const Field f(run);
  switch (run.mode) {
    case 10: RuleA(f, kRGB); break;
    case 11: RuleA(f, kGRB); break;
    case 1: RuleB(f, kRGB); break;
    case 13: RuleB(f, kRBG); break;
    case 8: RuleB(f, kBGR); break;
    case 2: RuleC(f, kRGB); break;
    case 12: RuleC(f, kBGR); break;
    case 3: RuleD(f, kRGB); break;
    case 4: RuleEFG(f, kRGB, 'E'); break;
    case 5: RuleEFG(f, kRGB, 'F'); break;
    case 6: RuleEFG(f, kRGB, 'G'); break;
    case 7: RuleH(f, kRGB); break;
    case 9: RuleI(f, kBGR); break;
    default: RuleA(f, kBGR); break;  // mode 0 and anything outside 1..13
  }
}

}  // namespace lumi::gene
