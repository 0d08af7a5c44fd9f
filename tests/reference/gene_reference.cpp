#include "gene_reference.h"

#include <cmath>

#include "effects/filter_math.h"

namespace lumi::reference {

namespace {

using namespace lumi::fx;  // NOLINT: the rules read best with the helpers' plain names

struct Gen {
  std::uint8_t* px;
  int W, H;
  const int* P;
  std::int32_t T[256] = {};
  int x = 0, y = 0;

  Int t(int i) const { return i >= 0 && i < 256 ? Int(T[i]) : Int(0); }
  void set(int i, Int v) {
    if (i >= 0 && i < 256) T[i] = v.v;
  }
  Int M(int i, Int lo, Int hi) const { return Map(P[i], lo, hi); }
  Int HalfDiag() const { return Trunc(0.5 * std::sqrt(double(W) * W + double(H) * H)); }
  Int CDist() const {
    const double a = y - H / 2, b = x - W / 2;
    return Trunc(std::sqrt(a * a + b * b));
  }
  Int CAngle() const {
    if (y - H / 2 == 0 && x - W / 2 == 0) return 0;
    return Trunc(std::atan2(double(y - H / 2), double(x - W / 2)) * 162.97466173075898);
  }
  Int CX(Int a, Int r) const { return Trunc(std::cos(D(a) * 0.006135923151367188) * D(r) + W / 2); }
  Int CY(Int a, Int r) const { return Trunc(std::sin(D(a) * 0.006135923151367188) * D(r) + H / 2); }
  Int Div(Int a, Int b) const { return b.v == 0 ? Int(0) : a / b; }

  void Out(int order, Int r1, Int r2, Int r3) {
    std::uint8_t* p = px + (static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * W) * 4;
    // order 0: red, green, blue; 1: blue, green, red; 2: green, red, blue; 3: red, blue, green
    static const int kOffsets[4][3] = {{2, 1, 0}, {0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
    p[kOffsets[order][0]] = Clamp255(r1);
    p[kOffsets[order][1]] = Clamp255(r2);
    p[kOffsets[order][2]] = Clamp255(r3);
  }

  void A(int order) {
    Int a = CAngle(), b = CDist(), c = HalfDiag();
    set(22, (90 < P[6] && P[6] <= 180) ? M(6, 0, 2000) + a : Int(0));
    set(23, P[6] <= 180 ? Dist(M(3, -500, 500) + t(13), t(14)) : AbsDiff(M(3, 0, 1012) + t(13), t(14)));
    set(5, CX(Max(t(3), t(4)), AbsDiff(t(3), M(5, 0, 333) + t(4))));
    set(6, CY(AbsDiff(t(3), M(4, 30, 255) + t(4)), t(23)));
    set(7, Angle(t(5), t(6)));
    set(8, AbsDiff(t(5), t(6)) / 2);
    set(9, CY(t(7), t(8)) / 5);
    set(10, 2 * Angle(t(7), t(8)));
    set(11, AbsDiff(t(7), t(8)));
    Int r1 = AbsDiff(AbsDiff(t(10), M(7, 0, 225) + t(11)), M(7, -60, 0) + t(9));
    set(15, Cos512(a * M(1, 10, 512) * 14 / 1024));
    set(13, Cos512(Div(b * M(0, -180, -3600), c) + t(22)));
    set(14, M(2, t(15) / 4, 3 * t(15)));
    Int r2 = AbsDiff(AbsDiff(t(10), M(7, -25, 80) + t(11)), M(7, 30, -65) + t(9));
    Int r3 = AbsDiff(AbsDiff(t(10), M(7, 150, -70) + t(11)), t(9));
    Out(order, r1, r2, r3);
  }

  void B(int order) {
    Int d = Int(x) * 255 / W, e = CDist() * 255 / W, g = Int(y) * 255 / H;
    set(0, e - d);
    set(1, e - g);
    set(2, d - g);
    set(3, y >= H / 2 ? Remap(CAngle(), 1, 512, 0, 255) : Remap(CAngle(), -511, 0, 255, 0));
    Out(order, Abs(t(M(3, 0, 4).v) + M(0, -255, 255)), Abs(t(M(4, 0, 4).v) + M(1, -255, 255)),
        Abs(t(M(5, 0, 4).v) + M(2, -255, 255)));
  }

  void C(int order) {
    set(0, Angle(x, y));
    set(1, Angle(x, H - y));
    set(2, Angle(W - x, y));
    set(3, Angle(W - x, H - y));
    Int r[3];
    for (int k = 1; k <= 3; ++k) {
      set(5, t(M(k + 2, 0, 4).v));
      Int v = P[6] < 128 ? 255 - t(5) : t(5);
      r[k - 1] = v + M(k - 1, -128, 128);
    }
    Out(order, r[0], r[1], r[2]);
  }

  void Dr(int order) {
    Int c = HalfDiag();
    Int d = Cos512(Div(Int(y) * P[1] * 16, c));
    Int e = Sin512(d + Div(Int(x) * P[0] * 32, c));
    Int f = Cos512(Div(Int(x) * P[3] * 16, c));
    Int g = Sin512(f + Div(Int(y) * P[2] * 32, c));
    set(1, 32 * (e + g));
    Int out[3];
    for (int k = 0; k < 3; ++k) {
      set(0, P[5 + k] * t(1) / 16384 + M(4, -255, 255));
      out[k] = Fold(t(0));
    }
    Out(order, out[0], out[1], out[2]);
  }

  void EFG(int order, char rule) {
    Int a = CDist(), b = CAngle();
    set(0, (M(0, 1, 24) * (b + a * M(3, -8, 8))) % 1024);
    set(0, (Sin512(t(0)) + 512) / 4);
    set(1, (M(1, 1, 24) * (b + a * M(4, -8, 8))) % 1024);
    set(1, (Sin512(t(1)) + 512) / 4);
    Int T0 = t(0), T1 = t(1);
    auto hiF = [&](int f) { return (P[2] & f) != 0 ? Max(T0, T1) : T1 - T0; };
    auto loF = [&](int f) { return (P[2] & f) != 0 ? Min(T0, T1) : T0 - T1; };
    auto Band = [&](int k) { return Remap(P[k], 64, 192, Min(T0, T1), Max(T0, T1)); };
    auto Diff = [&](int k) { return Abs(T0 - T1) * P[k] / 128; };
    Int red, green, blue;
    if (rule == 'E') {
      red = Remap(P[5], 64, 192, loF(128), hiF(16));
      green = Remap(P[6], 64, 192, loF(64), hiF(8));
      blue = Remap(P[7], 64, 192, loF(32), hiF(4));
    } else {
      if (rule == 'F')
        red = Remap(P[5], 64, 192, loF(128), hiF(16));
      else
        red = (P[2] & 128) != 0 ? Band(5) : Sin512(T1 * T0 / (P[5] + 32)) / 2;
      green = (P[2] & 64) != 0 ? Band(6) : Diff(6);
      blue = (P[2] & 32) != 0 ? Band(7) : Diff(7);
    }
    Out(order, red, green, blue);
  }

  void Hr(int order) {
    Int e = CAngle(), f = CDist(), g = HalfDiag();
    float o = float(double(y) / H * 100);
    float v = float(double(x) / W * 100);
    float E = g.v == 0 ? 0.0f : float(D(f) / D(g) * 200);
    Int h = M(2, 0, 1024), l = M(2, 0, 1024);
    Int r = Sin512(Trunc(double(o) * D(M(4, 0, 10))));
    Int tt = M(3, 0, 100);
    Int w = Cos512(Trunc(double(v) * D(M(4, -10, 10))));
    Int B = Sin512(Trunc(double(o) * D(M(1, -32, 10))));
    Int Dd = Cos512(Trunc(double(v) * D(M(1, -4, 4))));
    Int F = CY(e - B - Dd, Trunc(double(float(double(E) - D(tt) + D(r))) - D(w)));
    Int S1 = Sin512(Trunc(double(o)));
    Int C1 = Cos512(Trunc(double(v)));
    Int K = M(0, -10, 4);
    Int Mm = Cos512(Trunc(double(v) * D(M(0, -4, 30))));
    Int N = CX(Trunc(D(e) - std::sin(double(o) * D(K)) - D(Mm)), Trunc(double(float(double(E) + D(S1))) - D(C1)));
    Int red = Remap(N - F, -l, h, 0, 255);
    Int P2 = M(2, 0, 1024), Q = M(3, 0, 1024);
    Int V = Sin512(Trunc(double(o) * D(M(1, -32, 10))));
    Int W1 = M(4, 0, 25);
    Int Y = Cos512(Trunc(double(v) * D(M(1, -4, 30))));
    Int Z = CY(red * W1 - V - Y, Trunc(double(float(double(E) + D(S1))) - D(C1)));
    Int ad = Sin512(Trunc(double(o) * D(M(0, -10, 4))));
    Int ae = M(4, 0, 25);
    Int ah = Cos512(Trunc(double(v) * D(M(0, -4, 30))));
    Int ai = CX(red * ae - ad - ah, Trunc(double(float(double(E) + D(S1))) - D(C1)));
    Int green = Remap(ai - Z, -Q, P2, 0, 255);
    Int ak = M(3, 0, 1024), al = M(2, 0, 1024);
    Int ap = Sin512(Trunc(double(o) * D(M(0, -10, 4))));
    Int ar = Cos512(Trunc(double(v) * D(M(0, -4, 30))));
    Int as = CX(4 * red - ap - ar, Trunc(double(float(double(E) + D(S1))) - D(C1)));
    Int aw = Sin512(Trunc(double(o) * D(M(1, -32, 10))));
    Int az = Cos512(Trunc(double(v) * D(M(0, -4, 4))));
    Int aA = CY(4 * green - aw - az, Trunc(double(float(double(E) + D(S1))) - D(C1)));
    Int blue = Remap(as - aA, -al, ak, 0, 255);
    Out(order, red, green, blue);
  }

  void I(int order) {
    Int c = Remap(x, 0, W - 1, -511, 512), d = Remap(y, 0, H - 1, -511, 512), e = M(0, 2, 255);
    Int r1 = Remap(Sin512(Sin512(Sin512(c + 2 * e) + Sin512(d + 4 * e)) -
                          Sin512(Sin512(c + 8 * e) + Sin512(d + 16 * e))) / 2,
                   0, 255, 0, M(1, 1, 255));
    Int r2 = Remap(Sin512(Sin512(Sin512(c + 2 * e) + Sin512(d + 4 * e)) -
                          Sin512(Sin512(d + 8 * e) + Sin512(c + 4 * e))) / 2,
                   0, 255, 0, M(2, 1, 255));
    Int r3 = Remap(Sin512(Sin512(Sin512(d + 2 * e) + Sin512(c + 8 * e)) -
                          Sin512(Sin512(c + 4 * e) + Sin512(d + 16 * e))) / 2,
                   0, 255, 0, M(3, 1, 255));
    Out(order, r1, r2, r3);
  }

  void Pixel(int mode) {
    switch (mode) {
      case 10: A(0); break;
      case 11: A(2); break;
      case 1: B(0); break;
      case 13: B(3); break;
      case 8: B(1); break;
      case 2: C(0); break;
      case 12: C(1); break;
      case 3: Dr(0); break;
      case 4: EFG(0, 'E'); break;
      case 5: EFG(0, 'F'); break;
      case 6: EFG(0, 'G'); break;
      case 7: Hr(0); break;
      case 9: I(1); break;
      default: A(1); break;
    }
  }
};

}  // namespace

void GenerateGene(std::uint8_t* pixels, int width, int height, const int* P, int mode) {
  Gen g{pixels, width, height, P};
  for (g.y = 0; g.y < height; ++g.y)
    for (g.x = 0; g.x < width; ++g.x) g.Pixel(mode < 0 ? 0 : mode);
}

}  // namespace lumi::reference
