#include "filter_reference.h"

#include <cmath>

#include "effects/filter_math.h"

namespace lumi::reference {

namespace {

using fx::Int;

// One run's state: the unfiltered copy, the live image, the parameters, the position.
struct Run {
  std::vector<std::uint8_t> copy;
  std::vector<std::uint8_t>* live;
  int W, H;
  const int* P;
  std::int32_t* T;
  int x = 0, y = 0;

  Int At(int px, int py, int ch) const {
    return copy[(static_cast<std::size_t>(py) * W + px) * 4 + ch];
  }
  // Clamped neighbour read.
  Int N(Int px, Int py, int ch) const {
    int cx = px.v, cy = py.v;
    if (cx < 0) cx = 0;
    if (cx > W - 1) cx = W - 1;
    if (cy < 0) cy = 0;
    if (cy > H - 1) cy = H - 1;
    return At(cx, cy, ch);
  }
  Int R() const { return At(x, y, 2); }
  Int G() const { return At(x, y, 1); }
  Int B() const { return At(x, y, 0); }
  Int Lum() const { return fx::Lum(R(), G(), B()); }
  Int Map(int i, Int lo, Int hi) const { return fx::Map(P[i], lo, hi); }
  Int Conv(int ch, int k1, int k2, int k3, int k4, int k5, int k6, int k7, int k8, int k9,
           Int d) const {
    Int s = k1 * N(x - 1, y - 1, ch) + k2 * N(x, y - 1, ch) + k3 * N(x + 1, y - 1, ch) +
            k4 * N(x - 1, y, ch) + k5 * N(x, y, ch) + k6 * N(x + 1, y, ch) +
            k7 * N(x - 1, y + 1, ch) + k8 * N(x, y + 1, ch) + k9 * N(x + 1, y + 1, ch);
    if (d.v == 0) d = 1;
    return s / d;
  }
  void Write(int ch, Int v) {
    (*live)[(static_cast<std::size_t>(y) * W + x) * 4 + ch] = fx::Clamp255(v);
  }
  void WriteRGB(Int r, Int g, Int b) {
    Write(2, r);
    Write(1, g);
    Write(0, b);
  }
};

using fx::AbsDiff;
using fx::Max;
using fx::Min;
using fx::Mix;
using fx::Remap;

// Channel byte and value for "red, green, blue" index c.
int ChannelByte(int c) { return 2 - c; }

void Pixel(int id, Run& r) {
  const int* P = r.P;
  const Int R = r.R(), G = r.G(), B = r.B();
  const int W = r.W, H = r.H, x = r.x, y = r.y;
  switch (id) {
    case 0: {
      Int a = r.Map(0, 255, 1);
      r.WriteRGB(Mix(2 * R, B + G, 255, a) / 2, Mix(2 * G, B + R, 255, a) / 2,
                 Mix(2 * B, R + G, 255, a) / 2);
      break;
    }
    case 1: {
      if (R == G || R == B || G == B) {
        r.WriteRGB(R, G, B);
        break;
      }
      Int hi = Max(R, Max(G, B)), lo = Min(R, Min(G, B));
      Int room = Min(255 - hi, lo);
      Int L = r.Lum();
      if (P[0] < 128) {
        Int u = r.Map(0, 255, -255);
        r.WriteRGB(Mix(L, R, u, 255), Mix(L, G, u, 255), Mix(L, B, u, 255));
      } else {
        Int s = r.Map(0, -room, room);
        r.WriteRGB(Remap(R, lo, hi, lo - s, hi + s), Remap(G, lo, hi, lo - s, hi + s),
                   Remap(B, lo, hi, lo - s, hi + s));
      }
      break;
    }
    case 2:
      r.WriteRGB(P[0] * R * 2 / 256, P[1] * G * 2 / 256, P[2] * B * 2 / 256);
      break;
    case 3: {
      Int out[3];
      Int in[3] = {R, G, B};
      for (int c = 0; c < 3; ++c) {
        Int v = in[c];
        out[c] = v + AbsDiff(v, Mix(0, v, P[0], 128)) - AbsDiff(v, Mix(255, v, P[1], 128));
      }
      r.WriteRGB(out[0], out[1], out[2]);
      break;
    }
    case 4:
      r.WriteRGB(Mix(r.Conv(2, 0, -1, 0, -1, 5, -1, 0, -1, 0, 1), R, P[0], 255),
                 Mix(r.Conv(1, 0, -1, 0, -1, 5, -1, 0, -1, 0, 1), G, P[1], 255),
                 Mix(r.Conv(0, 0, -1, 0, -1, 5, -1, 0, -1, 0, 1), B, P[2], 255));
      break;
    case 5:
      for (int c = 0; c < 3; ++c) {
        int ch = ChannelByte(c);
        Int v = r.N(x, y, ch);
        Int n1 = r.N(x - 1, y, ch), n2 = r.N(x + 1, y, ch), n3 = r.N(x, y - 1, ch),
            n4 = r.N(x, y + 1, ch);
        Int lim = 255 - Int(P[c]);
        if (AbsDiff(n1, v) > lim || AbsDiff(n2, v) > lim || AbsDiff(n3, v) > lim ||
            AbsDiff(n4, v) > lim)
          r.Write(ch, (v + n4 + n2 + n1 + n3) / 5);
        else
          r.Write(ch, v);
      }
      break;
    case 6:
      r.WriteRGB(Remap(r.Lum(), 0, 255, 0, 2 * Int(P[0])), Remap(r.Lum(), 0, 255, 0, 2 * Int(P[1])),
                 Remap(r.Lum(), 0, 255, 0, 2 * Int(P[2])));
      break;
    case 7: {
      Int p0 = P[0], p1 = P[1], p2 = P[2], p3 = P[3], p4 = P[4], p5 = P[5];
      r.WriteRGB(((255 - p1) * B / 255 + p1 * G / 255) * p0 / 255 + (255 - p0) * R / 255,
                 ((255 - p3) * B / 255 + p3 * R / 255) * p2 / 255 + (255 - p2) * G / 255,
                 ((255 - p5) * G / 255 + p5 * R / 255) * p4 / 255 + (255 - p4) * B / 255);
      break;
    }
    case 8: {
      Int S = R + G + B;
      Int in[3] = {R, G, B}, out[3];
      for (int c = 0; c < 3; ++c) out[c] = 3 * Int(P[c]) >= S ? in[c] + (3 * Int(P[c]) - S) : in[c];
      r.WriteRGB(out[0], out[1], out[2]);
      break;
    }
    case 9:
      r.WriteRGB(R & (Int(255) << r.Map(0, 0, 7).v), G & (Int(255) << r.Map(1, 0, 7).v),
                 B & (Int(255) << r.Map(2, 0, 7).v));
      break;
    case 10: {
      Int hi = r.Conv(2, 0, 0, 0, 0, 1, 1, 0, 1, 1, 4);
      Int lo = r.Conv(2, 1, 1, 0, 1, 1, 0, 0, 0, 0, 4);
      Int a = (Int(P[0]) + 1) * (hi - lo) / 20 + P[1] + P[1] - 255;
      r.WriteRGB(Mix(R, a, P[2], 255), Mix(G, a, P[2], 255), Mix(B, a, P[2], 255));
      break;
    }
    case 11: {
      Int a = r.Conv(2, 0, 2, 0, 0, 0, 0, 0, -2, 0, 1), b = -a;
      Int e = r.Conv(2, 0, 0, 0, 2, 0, -2, 0, 0, 0, 1), f = -e;
      Int h = r.Lum() / 2;
      Int in[3] = {R, G, B}, out[3];
      for (int c = 0; c < 3; ++c) {
        Int k = h + AbsDiff(e, f) + AbsDiff(a, b) - r.Map(2 + c, -20, 60);
        Int rr = fx::Angle(k, in[c]);
        Int t = rr + r.Map(1, e, f) + r.Map(0, a, b) + 40;
        out[c] = fx::Trunc(fx::D(t - in[c]) * 192 / 256 + fx::D(in[c]));
      }
      r.WriteRGB(out[0], out[1], out[2]);
      break;
    }
    case 12: {
      r.T[255] = fx::Rand(-Int(P[1]) / 2, Int(P[1]) / 2).v;
      int k = x % 255;
      if (y == 0 && x <= 254) r.T[k] = fx::Rand(-Int(P[0]) / 2, Int(P[0]) / 2).v;
      Int L = r.Lum();
      Int f = fx::Trunc(std::sqrt(fx::D(Int(W) * W + Int(H) * H)) * 0.5);
      f = f * f / 12;
      Int g = fx::Dist(Int(y) - H / 2, Int(x) - W / 2);
      Int fr = f.v == 0 ? Int(0) : g * P[3] * g / f;
      Int fg = f.v == 0 ? Int(0) : g * P[4] * g / f;
      Int fb = f.v == 0 ? Int(0) : g * P[5] * g / f;
      r.WriteRGB(Mix(L + 30, R, P[2], 255) + fr - r.T[k] - r.T[255],
                 Mix(L, G, P[2], 255) + fg - r.T[k] - r.T[255],
                 Mix(L - 30, B, P[2], 255) + fb - r.T[k] - r.T[255]);
      break;
    }
    case 13: {
      Int a = r.Lum();
      if (a.v == 0) a = 1;
      r.WriteRGB(Int(P[0]) % a + R, Int(P[0]) % a + G, Int(P[0]) % a + B);
      break;
    }
    case 14:
      r.WriteRGB(Mix(R, R | (B + r.Map(0, -128, 128)), 1, 4),
                 Mix(G, R | (B + r.Map(1, -128, 128)), 1, 4),
                 Mix(B, R | (B + r.Map(2, -128, 128)), 1, 4));
      break;
    case 15:
      r.WriteRGB(R ^ AbsDiff(r.Lum(), P[0]), G ^ AbsDiff(r.Lum(), P[1]), B ^ AbsDiff(r.Lum(), P[2]));
      break;
    case 16: {
      Int in[3] = {R, G, B}, out[3];
      for (int c = 0; c < 3; ++c) {
        Int b = r.Map(0, P[c + 1], in[c] * 255 / 32);
        out[c] = (b & 256).v != 0 ? 511 - (b & 511) : b & 255;
      }
      r.WriteRGB(out[0], out[1], out[2]);
      break;
    }
    case 17: {
      Int a = (B + R + G) / 3;
      Int out[3];
      for (int c = 0; c < 3; ++c) {
        Int p = P[2 * c], range = P[2 * c + 1];
        out[c] = (p - range < a && a < range + p) ? 255 - AbsDiff(a, p) * 255 / range : Int(0);
      }
      r.WriteRGB(out[0], out[1], out[2]);
      break;
    }
    case 18: {
      Int L = r.Lum();
      r.WriteRGB(Int(P[0]) < L ? 0 : 255, Int(P[1]) < L ? 0 : 255, Int(P[2]) < L ? 0 : 255);
      break;
    }
    case 19:
      for (int c = 0; c < 3; ++c) {
        int ch = ChannelByte(c);
        Int v = r.N(x, y, ch);
        r.Write(ch, Mix(v - r.N(y, x, ch), r.N(W - x, H - y, ch) - r.N(H - y, W - x, ch), P[2 * c],
                        P[2 * c + 1]));
      }
      break;
    case 20: {
      Int L = r.Lum();
      for (int c = 0; c < 3; ++c) {
        int ch = ChannelByte(c);
        Int v = r.N(x, y, ch);
        Int S = AbsDiff(r.N(x - 1, y - 1, ch), v) + AbsDiff(r.N(x, y - 1, ch), v) +
                AbsDiff(r.N(x + 1, y - 1, ch), v) + AbsDiff(r.N(x - 1, y, ch), v) +
                AbsDiff(r.N(x + 1, y, ch), v) + AbsDiff(r.N(x - 1, y + 1, ch), v) +
                AbsDiff(r.N(x, y + 1, ch), v) + AbsDiff(r.N(x + 1, y + 1, ch), v);
        r.Write(ch, L + P[c] * (v - L) * S / 2048);
      }
      break;
    }
    case 21:
      for (int c = 0; c < 3; ++c) {
        int ch = ChannelByte(c);
        r.Write(ch, Mix(r.N(x, y, ch), r.N(x + 1, y + 1, ch), P[2 * c], P[2 * c + 1]));
      }
      break;
    case 22: {
      Int d = r.Map(0, 1, H), e = r.Map(0, 1, W);
      Int f = fx::Cos512(d * e * y * x / 2);
      Int g = Remap(f, -511, 512, 0, 255);
      Int q = r.Map(4, -128, 128);
      r.WriteRGB(q + r.Map(1, -128, 128) + 2 * R - g, q + r.Map(2, -128, 128) + 2 * G - g,
                 q + r.Map(3, -128, 128) + 2 * B - g);
      break;
    }
    case 23: {
      Int L = r.Lum();
      Int s = r.Map(1, 255, 1);
      Int f = Remap(L - L % s, 0, 255, 0, 4 * Int(W) * P[2] / 255);
      Int o = r.Map(0, 0, W);
      Int w = W;
      r.WriteRGB(Remap(fx::Sin512((o + f + w + x) % w * 512 / w), 0, 512, 0, 255),
                 Remap(fx::Sin512((o + f + w / 3 + w + x) % w * 512 / w), 0, 512, 0, 255),
                 Remap(fx::Sin512((2 * w / 3 + f + o + w + x) % w * 512 / w), 0, 512, 0, 255));
      break;
    }
    case 24: {
      Int s = r.Map(0, 1, W);
      Int u = Int(x) % s, v = Int(y) % s;
      Int x0 = Int(x) - u, y0 = Int(y) - v, h = s / 2;
      Int px, py;
      if (v <= u && v <= s - u) {
        px = x0;
        py = y0 - h;
      } else if (v > u && v <= s - u) {
        px = x0 - h;
        py = y0;
      } else if (v <= u && v > s - u) {
        px = x0;
        py = y0 + h;
      } else {
        px = x0 + h;
        py = y0;
      }
      r.WriteRGB(r.N(px, py, 2), r.N(px, py, 1), r.N(px, py, 0));
      break;
    }
    case 25:
    case 26: {
      Int bw = r.Map(0, 0, W), bh = r.Map(0, 0, H);
      if (bw < 1) bw = 1;
      if (bh < 1) bh = 1;
      Int u = Int(x) % bw, v = Int(y) % bh;
      Int cx = bw / 2 + x - u, cy = Int(y) + bh / 2 - v;
      if (id == 26) {
        if (u.v != 0 && v.v != 0)
          r.WriteRGB(r.N(cx, cy, 2), r.N(cx, cy, 1), r.N(cx, cy, 0));
        else
          r.WriteRGB(0, 0, 0);
      } else {
        Int s = fx::Sin512(Remap(y, 0, 2 * bh, -512, 512)) * fx::Sin512(Remap(x, 0, 2 * bw, -512, 512));
        Int w = Remap(fx::Abs(s), 0, 262144, 0, 255);
        r.WriteRGB(w * r.N(cx, cy, 2) / 255, w * r.N(cx, cy, 1) / 255, w * r.N(cx, cy, 0) / 255);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

void ApplyFilter(int id, const int* P, std::vector<std::uint8_t>& image, int width, int height,
                 std::int32_t* T) {
  Run r;
  r.copy = image;
  r.live = &image;
  r.W = width;
  r.H = height;
  r.P = P;
  r.T = T;
  for (r.y = 0; r.y < height; ++r.y)
    for (r.x = 0; r.x < width; ++r.x) Pixel(id, r);
}

}  // namespace lumi::reference
