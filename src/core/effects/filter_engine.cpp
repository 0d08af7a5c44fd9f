// The 27 filter rules. Each rule reads only the unfiltered copy and writes red, green and
// blue of its own pixel, clamped to 0..255. Values that depend only on the parameters or
// the size are worked out once per run, values that depend only on the row once per row;
// everything else is exactly the per-pixel formula.
#include "effects/filter_engine.h"

#include <array>
#include <cmath>
#include <vector>

#include "effects/filter_math.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumi::fx {

namespace {

// Byte offsets of red, green and blue inside a pixel, in the order the rules take their
// per-channel parameters.
constexpr int kRed = 2, kGreen = 1, kBlue = 0;
constexpr int kChannels[3] = {kRed, kGreen, kBlue};

class Image {
 public:
  explicit Image(const FilterRun& run)
      : src_(run.source), dst_(run.target), w_(run.width), h_(run.height), P(run.params) {}

  int W() const { return w_; }
  int H() const { return h_; }

  // Channel ch of the copy at (x, y), coordinates clamped into the image.
  Int N(Int x, Int y, int ch) const {
    const int cx = x.v < 0 ? 0 : x.v >= w_ ? w_ - 1 : x.v;
    const int cy = y.v < 0 ? 0 : y.v >= h_ ? h_ - 1 : y.v;
    return src_[(static_cast<std::size_t>(cy) * static_cast<std::size_t>(w_) +
                 static_cast<std::size_t>(cx)) * 4 + static_cast<std::size_t>(ch)];
  }

  // Calls f(x, y, in, out) for every pixel in row order, in and out pointing at the
  // pixel's four bytes in the copy and in the live image.
  template <class F>
  void ForEach(F&& f) const {
    for (int y = 0; y < h_; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) * 4;
      const std::uint8_t* in = src_ + row;
      std::uint8_t* out = dst_ + row;
      for (int x = 0; x < w_; ++x, in += 4, out += 4) f(x, y, in, out);
    }
  }

  // Like ForEach, in tiles of kTile x kTile pixels, for rules whose samples lie far from
  // the pixel but near each other from pixel to pixel of a tile.
  template <class F>
  void ForEachTiled(F&& f) const {
    constexpr int kTile = 32;
    for (int ty = 0; ty < h_; ty += kTile) {
      const int y_end = ty + kTile < h_ ? ty + kTile : h_;
      for (int tx = 0; tx < w_; tx += kTile) {
        const int x_end = tx + kTile < w_ ? tx + kTile : w_;
        for (int y = ty; y < y_end; ++y) {
          const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) +
                                  static_cast<std::size_t>(tx)) * 4;
          const std::uint8_t* in = src_ + at;
          std::uint8_t* out = dst_ + at;
          for (int x = tx; x < x_end; ++x, in += 4, out += 4) f(x, y, in, out);
        }
      }
    }
  }

  // The pixel of the copy at (x, y), coordinates clamped into the image.
  const std::uint8_t* At(int x, int y) const {
    const int cx = x < 0 ? 0 : x >= w_ ? w_ - 1 : x;
    const int cy = y < 0 ? 0 : y >= h_ ? h_ - 1 : y;
    return src_ + (static_cast<std::size_t>(cy) * static_cast<std::size_t>(w_) +
                   static_cast<std::size_t>(cx)) * 4;
  }

  // Like ForEach, with a value worked out once per row: f(x, y, rowValue, in, out).
  template <class RowF, class F>
  void ForEachRow(RowF&& rowValue, F&& f) const {
    for (int y = 0; y < h_; ++y) {
      const auto value = rowValue(y);
      const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) * 4;
      const std::uint8_t* in = src_ + row;
      std::uint8_t* out = dst_ + row;
      for (int x = 0; x < w_; ++x, in += 4, out += 4) f(x, y, value, in, out);
    }
  }

  // The 3 x 3 neighbourhood of one pixel with coordinates already clamped: rows above,
  // at and below, and the byte offsets of the columns left, at and right.
  struct Window {
    const std::uint8_t* rows[3];
    std::size_t cols[3];
    Int at(int dx, int dy, int ch) const {
      return rows[dy + 1][cols[dx + 1] + static_cast<std::size_t>(ch)];
    }
    // The weighted sum of channel ch over the window divided by d (0 taken as 1).
    Int Conv(int ch, const int (&k)[9], Int d) const {
      Int sum = 0;
      for (int i = 0; i < 9; ++i)
        if (k[i] != 0) sum = sum + k[i] * at(i % 3 - 1, i / 3 - 1, ch);
      return sum / (d.v == 0 ? Int(1) : d);
    }
  };

  // Calls f(x, y, window, in, out) for every pixel in row order.
  template <class F>
  void ForEachWindow(F&& f) const {
    const std::size_t stride = static_cast<std::size_t>(w_) * 4;
    for (int y = 0; y < h_; ++y) {
      Window win;
      win.rows[0] = src_ + static_cast<std::size_t>(y > 0 ? y - 1 : 0) * stride;
      win.rows[1] = src_ + static_cast<std::size_t>(y) * stride;
      win.rows[2] = src_ + static_cast<std::size_t>(y + 1 < h_ ? y + 1 : h_ - 1) * stride;
      const std::uint8_t* in = win.rows[1];
      std::uint8_t* out = dst_ + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < w_; ++x, in += 4, out += 4) {
        win.cols[0] = static_cast<std::size_t>(x > 0 ? x - 1 : 0) * 4;
        win.cols[1] = static_cast<std::size_t>(x) * 4;
        win.cols[2] = static_cast<std::size_t>(x + 1 < w_ ? x + 1 : w_ - 1) * 4;
        f(x, y, win, in, out);
      }
    }
  }

 private:
  const std::uint8_t* src_;
  std::uint8_t* dst_;
  int w_, h_;

 public:
  const int* P;
};

inline Int Ch(const std::uint8_t* px, int ch) { return px[ch]; }
inline Int LumOf(const std::uint8_t* px) { return Lum(px[kRed], px[kGreen], px[kBlue]); }
inline void Put(std::uint8_t* px, int ch, Int v) { px[ch] = Clamp255(v); }

void Boost(const Image& im) {
  const Int a = Map(im.P[0], 255, 1);
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int R = Ch(in, kRed), G = Ch(in, kGreen), B = Ch(in, kBlue);
    Put(out, kRed, Mix(2 * R, B + G, 255, a) / 2);
    Put(out, kGreen, Mix(2 * G, B + R, 255, a) / 2);
    Put(out, kBlue, Mix(2 * B, R + G, 255, a) / 2);
  });
}

void Saturation(const Image& im) {
  const bool desaturate = im.P[0] < 128;
  const Int u = Map(im.P[0], 255, -255);
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int R = Ch(in, kRed), G = Ch(in, kGreen), B = Ch(in, kBlue);
    if (R == G || G == B || R == B) return;  // already copied unchanged
    const Int hi = Max(Max(R, G), B), lo = Min(Min(R, G), B);
    const Int room = Min(255 - hi, lo);
    const Int L = LumOf(in);
    if (desaturate) {
      for (int ch : kChannels) Put(out, ch, Mix(L, Ch(in, ch), u, 255));
    } else {
      const Int s = Map(im.P[0], -room, room);
      for (int ch : kChannels) Put(out, ch, Remap(Ch(in, ch), lo, hi, lo - s, hi + s));
    }
  });
}

void Balance(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) Put(out, kChannels[i], im.P[i] * Ch(in, kChannels[i]) * 2 / 256);
  });
}

void Contrast(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    for (int ch : kChannels) {
      const Int v = Ch(in, ch);
      Put(out, ch, v + AbsDiff(v, Mix(0, v, im.P[0], 128)) - AbsDiff(v, Mix(255, v, im.P[1], 128)));
    }
  });
}

void Sharpen(const Image& im) {
  static constexpr int k[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      Put(out, ch, Mix(win.Conv(ch, k, 1), Ch(in, ch), im.P[i], 255));
    }
  });
}

void Antialias(const Image& im) {
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      const Int c = Ch(in, ch);
      const Int left = win.at(-1, 0, ch), right = win.at(1, 0, ch);
      const Int up = win.at(0, -1, ch), down = win.at(0, 1, ch);
      const Int limit = 255 - Int(im.P[i]);
      if (AbsDiff(left, c) > limit || AbsDiff(right, c) > limit || AbsDiff(up, c) > limit ||
          AbsDiff(down, c) > limit)
        Put(out, ch, (c + down + right + left + up) / 5);
    }
  });
}

void Colorize(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int L = LumOf(in);
    for (int i = 0; i < 3; ++i) Put(out, kChannels[i], Remap(L, 0, 255, 0, 2 * Int(im.P[i])));
  });
}

void Shift(const Image& im) {
  const int* P = im.P;
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int R = Ch(in, kRed), G = Ch(in, kGreen), B = Ch(in, kBlue);
    Put(out, kRed,
        ((255 - Int(P[1])) * B / 255 + P[1] * G / 255) * P[0] / 255 + (255 - Int(P[0])) * R / 255);
    Put(out, kGreen,
        ((255 - Int(P[3])) * B / 255 + P[3] * R / 255) * P[2] / 255 + (255 - Int(P[2])) * G / 255);
    Put(out, kBlue,
        ((255 - Int(P[5])) * G / 255 + P[5] * R / 255) * P[4] / 255 + (255 - Int(P[4])) * B / 255);
  });
}

void Solarize(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int S = Ch(in, kRed) + Ch(in, kGreen) + Ch(in, kBlue);
    for (int i = 0; i < 3; ++i) {
      const Int p3 = 3 * Int(im.P[i]);
      if (p3 >= S) Put(out, kChannels[i], Ch(in, kChannels[i]) + (p3 - S));
    }
  });
}

void Quantize(const Image& im) {
  Int masks[3];
  for (int i = 0; i < 3; ++i) masks[i] = Int(255) << Map(im.P[i], 0, 7).v;
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) Put(out, kChannels[i], Ch(in, kChannels[i]) & masks[i]);
  });
}

void Embossed(const Image& im) {
  static constexpr int kHi[9] = {0, 0, 0, 0, 1, 1, 0, 1, 1};
  static constexpr int kLo[9] = {1, 1, 0, 1, 1, 0, 0, 0, 0};
  const int* P = im.P;
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    const Int hi = win.Conv(kRed, kHi, 4);
    const Int lo = win.Conv(kRed, kLo, 4);
    const Int a = (Int(P[0]) + 1) * (hi - lo) / 20 + P[1] + P[1] - 255;
    for (int ch : kChannels) Put(out, ch, Mix(Ch(in, ch), a, P[2], 255));
  });
}

void OilEmboss(const Image& im) {
  static constexpr int kVertical[9] = {0, 2, 0, 0, 0, 0, 0, -2, 0};
  static constexpr int kHorizontal[9] = {0, 0, 0, 2, 0, -2, 0, 0, 0};
  const Int lift[3] = {Map(im.P[2], -20, 60), Map(im.P[3], -20, 60), Map(im.P[4], -20, 60)};
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    const Int a = win.Conv(kRed, kVertical, 1), b = -a;
    const Int e = win.Conv(kRed, kHorizontal, 1), f = -e;
    const Int h = LumOf(in) / 2;
    const Int edges = AbsDiff(e, f) + AbsDiff(a, b);
    const Int light = Map(im.P[1], e, f) + Map(im.P[0], a, b) + 40;
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      const Int v = Ch(in, ch);
      const Int k = h + edges - lift[i];
      const Int t = Angle(k, v) + light;
      Put(out, ch, Trunc(D(t - v) * 192 / 256 + D(v)));
    }
  });
}

void AgedPhoto(const Image& im, std::int32_t* T) {
  const int* P = im.P;
  const int W = im.W(), H = im.H();
  Int f = Trunc(std::sqrt(D(Int(W) * W + Int(H) * H)) * 0.5);
  f = f * f / 12;  // 0 for images whose half diagonal is below 4: no fading then
  const Int noiseLo = -Int(P[1]) / 2, noiseHi = Int(P[1]) / 2;
  const Int scratchLo = -Int(P[0]) / 2, scratchHi = Int(P[0]) / 2;
  im.ForEach([&](int x, int y, const std::uint8_t* in, std::uint8_t* out) {
    T[255] = Rand(noiseLo, noiseHi).v;
    const int k = x % 255;
    if (y == 0 && x <= 254) T[k] = Rand(scratchLo, scratchHi).v;
    const Int L = LumOf(in);
    const Int g = Dist(Int(y) - H / 2, Int(x) - W / 2);
    const Int noise = T[k];
    auto fade = [&](int p) { return f.v == 0 ? Int(0) : g * p * g / f; };
    Put(out, kRed, Mix(L + 30, Ch(in, kRed), P[2], 255) + fade(P[3]) - noise - T[255]);
    Put(out, kGreen, Mix(L, Ch(in, kGreen), P[2], 255) + fade(P[4]) - noise - T[255]);
    Put(out, kBlue, Mix(L - 30, Ch(in, kBlue), P[2], 255) + fade(P[5]) - noise - T[255]);
  });
}

void PastelPop(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    Int a = LumOf(in);
    if (a.v == 0) a = 1;
    const Int lift = Int(im.P[0]) % a;
    for (int ch : kChannels) Put(out, ch, lift + Ch(in, ch));
  });
}

void PosterArt(const Image& im) {
  const Int shift[3] = {Map(im.P[0], -128, 128), Map(im.P[1], -128, 128), Map(im.P[2], -128, 128)};
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int R = Ch(in, kRed), B = Ch(in, kBlue);
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      Put(out, ch, Mix(Ch(in, ch), R | (B + shift[i]), 1, 4));
    }
  });
}

void Colored(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int L = LumOf(in);
    for (int i = 0; i < 3; ++i)
      Put(out, kChannels[i], Ch(in, kChannels[i]) ^ AbsDiff(L, im.P[i]));
  });
}

void Melter(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      const Int b = Map(im.P[0], im.P[i + 1], Ch(in, ch) * 255 / 32);
      Put(out, ch, Fold(b));
    }
  });
}

void PopColors(const Image& im) {
  const int* P = im.P;
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int a = (Ch(in, kBlue) + Ch(in, kRed) + Ch(in, kGreen)) / 3;
    for (int i = 0; i < 3; ++i) {
      const Int centre = P[2 * i], range = P[2 * i + 1];
      const bool inside = centre - range < a && a < range + centre;
      Put(out, kChannels[i], inside ? 255 - AbsDiff(a, centre) * 255 / range : Int(0));
    }
  });
}

void ThreeColors(const Image& im) {
  im.ForEach([&](int, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int L = LumOf(in);
    for (int i = 0; i < 3; ++i) Put(out, kChannels[i], Int(im.P[i]) < L ? 0 : 255);
  });
}

// Clamp255(Mix(a, b, n, d)) for differences a and b of two channel values (-255..255), as the sum
// of its two terms looked up by difference: the same double operations as Mix, done once
// per difference instead of once per pixel.
class MixByDifference {
 public:
  MixByDifference(Int n, Int d) {
    for (int v = -255; v <= 255; ++v) {
      if (d.v == 0) {
        a_[v + 255] = v;  // Mix gives a: a + 0 truncates to a
        b_[v + 255] = 0;
      } else {
        a_[v + 255] = D(v) * D(n) / D(d);
        b_[v + 255] = D(v) * (D(d) - D(n)) / D(d);
      }
    }
  }
  // Clamp255(Trunc(sum)) without branches on the value: Trunc gives INT_MIN (so 0) for
  // NaN and sums beyond the int range, the only case left to a branch.
  std::uint8_t operator()(int a, int b) const {
    const double r = a_[a + 255] + b_[b + 255];
    if (!(r < 2147483648.0)) return 0;
#if defined(__SSE2__)
    const __m128d v = _mm_min_sd(_mm_max_sd(_mm_set_sd(r), _mm_setzero_pd()), _mm_set_sd(255.0));
    return static_cast<std::uint8_t>(_mm_cvttsd_si32(v));
#else
    return Clamp255(Trunc(r));
#endif
  }

 private:
  std::array<double, 511> a_, b_;
};

void UrbanArt(const Image& im) {
  const int W = im.W(), H = im.H();
  const std::array<MixByDifference, 3> mix{MixByDifference(im.P[0], im.P[1]),
                                           MixByDifference(im.P[2], im.P[3]),
                                           MixByDifference(im.P[4], im.P[5])};
  // Two of the four samples are mirrored across the diagonal; tiles keep them in cache.
  im.ForEachTiled([&](int x, int y, const std::uint8_t* in, std::uint8_t* out) {
    // The first and last samples swap x and y on purpose: that is the look.
    const std::uint8_t* swapped = im.At(y, x);
    const std::uint8_t* mirrored = im.At(W - x, H - y);
    const std::uint8_t* both = im.At(H - y, W - x);
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      out[ch] = mix[static_cast<std::size_t>(i)](in[ch] - swapped[ch], mirrored[ch] - both[ch]);
    }
  });
}

void NeonArt(const Image& im) {
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    const Int L = LumOf(in);
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      const Int v = Ch(in, ch);
      const Int S = AbsDiff(win.at(-1, -1, ch), v) + AbsDiff(win.at(0, -1, ch), v) +
                    AbsDiff(win.at(1, -1, ch), v) + AbsDiff(win.at(-1, 0, ch), v) +
                    AbsDiff(win.at(1, 0, ch), v) + AbsDiff(win.at(-1, 1, ch), v) +
                    AbsDiff(win.at(0, 1, ch), v) + AbsDiff(win.at(1, 1, ch), v);
      Put(out, ch, L + im.P[i] * (v - L) * S / 2048);
    }
  });
}

void GlowingEdge(const Image& im) {
  im.ForEachWindow([&](int, int, const Image::Window& win, const std::uint8_t* in, std::uint8_t* out) {
    for (int i = 0; i < 3; ++i) {
      const int ch = kChannels[i];
      Put(out, ch, Mix(Ch(in, ch), win.at(1, 1, ch), im.P[2 * i], im.P[2 * i + 1]));
    }
  });
}

void Oceanic(const Image& im) {
  const int* P = im.P;
  const Int d = Map(P[0], 1, im.H()), e = Map(P[0], 1, im.W());
  const Int q = Map(P[4], -128, 128);
  const Int base[3] = {q + Map(P[1], -128, 128), q + Map(P[2], -128, 128), q + Map(P[3], -128, 128)};
  const Int de = d * e;
  im.ForEachRow([&](int y) { return de * y; },
                [&](int x, int, Int dey, const std::uint8_t* in, std::uint8_t* out) {
                  const Int f = Cos512(dey * x / 2);
                  const Int g = Remap(f, -511, 512, 0, 255);
                  for (int i = 0; i < 3; ++i) {
                    const int ch = kChannels[i];
                    Put(out, ch, base[i] + 2 * Ch(in, ch) - g);
                  }
                });
}

void GradientPoster(const Image& im) {
  const int* P = im.P;
  const Int W = im.W();
  const Int s = Map(P[1], 255, 1);
  const Int span = 4 * W * P[2] / 255;
  const Int o = Map(P[0], 0, W);
  const Int offset[3] = {o + W, o + W / 3 + W, 2 * W / 3 + o + W};
  // The phase (...) mod W x 512 / W always lies in 0..511: its output is a table lookup.
  std::array<std::uint8_t, 512> wave{};
  for (int k = 0; k < 512; ++k)
    wave[static_cast<std::size_t>(k)] = Clamp255(Remap(Sin512(k), 0, 512, 0, 255));
  im.ForEach([&](int x, int, const std::uint8_t* in, std::uint8_t* out) {
    const Int L = LumOf(in);
    const Int f = Remap(L - L % s, 0, 255, 0, span);
    // (o + f + W + x) and its shifted variants: wrap-around addition is associative and
    // commutative, so the constant part can be added first.
    for (int i = 0; i < 3; ++i) {
      const Int phase = (offset[i] + f + x) % W * 512 / W;
      out[kChannels[i]] = (phase.v >= 0 && phase.v < 512)
                              ? wave[static_cast<std::size_t>(phase.v)]
                              : Clamp255(Remap(Sin512(phase), 0, 512, 0, 255));
    }
  });
}

void Mosaic3(const Image& im) {
  const Int s = Map(im.P[0], 1, im.W());
  const Int h = s / 2;
  im.ForEach([&](int x, int y, const std::uint8_t*, std::uint8_t* out) {
    const Int u = Int(x) % s, v = Int(y) % s;
    const Int x0 = x - u, y0 = y - v;
    Int sx = x0, sy = y0;
    const bool vu = v <= u, vsu = v <= s - u;
    if (vu && vsu) sy = y0 - h;
    else if (!vu && vsu) sx = x0 - h;
    else if (vu && !vsu) sy = y0 + h;
    else sx = x0 + h;
    for (int ch : kChannels) Put(out, ch, im.N(sx, sy, ch));
  });
}

struct MosaicBlocks {
  Int bw, bh;
};
MosaicBlocks Blocks(const Image& im) {
  return {Max(Map(im.P[0], 0, im.W()), 1), Max(Map(im.P[0], 0, im.H()), 1)};
}

void MosaicHard(const Image& im) {
  const MosaicBlocks b = Blocks(im);
  im.ForEach([&](int x, int y, const std::uint8_t*, std::uint8_t* out) {
    const Int u = Int(x) % b.bw, v = Int(y) % b.bh;
    if (u.v != 0 && v.v != 0) {
      const Int cx = b.bw / 2 + x - u, cy = y + b.bh / 2 - v;
      for (int ch : kChannels) Put(out, ch, im.N(cx, cy, ch));
    } else {
      for (int ch : kChannels) out[ch] = 0;  // grid line
    }
  });
}

void MosaicSoft(const Image& im) {
  const MosaicBlocks b = Blocks(im);
  // The horizontal sine depends on the column only: one table per run.
  std::vector<Int> columnSine(static_cast<std::size_t>(im.W()));
  for (int x = 0; x < im.W(); ++x)
    columnSine[static_cast<std::size_t>(x)] = Sin512(Remap(x, 0, 2 * b.bw, -512, 512));
  im.ForEachRow([&](int y) { return Sin512(Remap(y, 0, 2 * b.bh, -512, 512)); },
                [&](int x, int y, Int sy, const std::uint8_t*, std::uint8_t* out) {
                  const Int u = Int(x) % b.bw, v = Int(y) % b.bh;
                  const Int cx = b.bw / 2 + x - u, cy = y + b.bh / 2 - v;
                  const Int s = sy * columnSine[static_cast<std::size_t>(x)];
                  const Int w = Remap(Abs(s), 0, 262144, 0, 255);
                  for (int ch : kChannels) Put(out, ch, w * im.N(cx, cy, ch) / 255);
                });
}

}  // namespace

void RunFilter(int id, const FilterRun& run) {
  if (run.source == nullptr || run.target == nullptr || run.width <= 0 || run.height <= 0) return;
  const Image im(run);
  switch (id) {
    case 0: Boost(im); break;
    case 1: Saturation(im); break;
    case 2: Balance(im); break;
    case 3: Contrast(im); break;
    case 4: Sharpen(im); break;
    case 5: Antialias(im); break;
    case 6: Colorize(im); break;
    case 7: Shift(im); break;
    case 8: Solarize(im); break;
    case 9: Quantize(im); break;
    case 10: Embossed(im); break;
    case 11: OilEmboss(im); break;
    case 12: AgedPhoto(im, run.scratch); break;
    case 13: PastelPop(im); break;
    case 14: PosterArt(im); break;
    case 15: Colored(im); break;
    case 16: Melter(im); break;
    case 17: PopColors(im); break;
    case 18: ThreeColors(im); break;
    case 19: UrbanArt(im); break;
    case 20: NeonArt(im); break;
    case 21: GlowingEdge(im); break;
    case 22: Oceanic(im); break;
    case 23: GradientPoster(im); break;
    case 24: Mosaic3(im); break;
    case 25: MosaicSoft(im); break;
    case 26: MosaicHard(im); break;
    default: break;
  }
}

}  // namespace lumi::fx
