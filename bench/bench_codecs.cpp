// Decoding BMP, GIF and PCX: ours against the byte-at-a-time reference decoders, and
// JPEG and PNG writing of the same picture for their throughput.
// Run: build/bench/bench_codecs
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "codec_reference.h"
#include "image/gif_read.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"
#include "ratio_main.h"

namespace {

using lumi::fixtures::Bytes;

// A photo-like picture: smooth shapes, soft edges and a little grain.
Bytes Photo(int w, int h) {
  std::mt19937 rng(2);
  Bytes rgb;
  rgb.reserve(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double s = std::sin(x * 0.01) * std::cos(y * 0.013);
      rgb.push_back(static_cast<std::uint8_t>(128 + 100 * s + rng() % 6));
      rgb.push_back(static_cast<std::uint8_t>((x + y) * 255 / (w + h)));
      rgb.push_back(static_cast<std::uint8_t>(x * x / (w + 1) % 256));
    }
  }
  return rgb;
}

Bytes Bmp24(int w, int h) {
  const Bytes rgb = Photo(w, h);
  const std::size_t row = ((24 * w + 31) / 32) * 4;
  Bytes pixels(row * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* s = &rgb[(static_cast<std::size_t>(h - 1 - y) * w + x) * 3];
      std::uint8_t* d = &pixels[y * row + x * 3];
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
    }
  }
  return lumi::fixtures::Bmp(w, h, 24, {}, pixels);
}

// 8-bit run-length: runs of a few pixels, as a posterised picture gives.
Bytes BmpRle8(int w, int h) {
  Bytes table;
  for (int i = 0; i < 256; ++i) table.insert(table.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2), 0});
  Bytes data;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      const int n = std::min(w - x, 1 + (x * 7 + y) % 12);
      data.insert(data.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>((x + y) & 255)});
      x += n;
    }
    data.insert(data.end(), {0, 0});
  }
  data.insert(data.end(), {0, 1});
  return lumi::fixtures::Bmp(w, h, 8, table, data, 1);
}

Bytes Gif(int w, int h) {
  const Bytes rgb = Photo(w, h);
  lumi::fixtures::GifImage image;
  image.width = w;
  image.height = h;
  image.min_size = 8;
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    image.indices.push_back(static_cast<std::uint8_t>((rgb[i] & 0xE0) | ((rgb[i + 1] >> 3) & 0x1C) | (rgb[i + 2] >> 6)));
  }
  return lumi::fixtures::Gif(lumi::fixtures::RampTable(256), {lumi::fixtures::GifImageBlock(image)});
}

Bytes Pcx24(int w, int h) {
  const Bytes rgb = Photo(w, h);
  const int line = (w + 1) & ~1;
  Bytes raw;
  for (int y = 0; y < h; ++y) {
    for (int c = 0; c < 3; ++c) {
      for (int x = 0; x < line; ++x) raw.push_back(x < w ? rgb[(static_cast<std::size_t>(y) * w + x) * 3 + c] & 0xF8 : 0);
    }
  }
  Bytes file = lumi::fixtures::PcxHeader(w, h, 8, 3, line);
  const Bytes encoded = lumi::fixtures::PcxEncode(raw);
  file.insert(file.end(), encoded.begin(), encoded.end());
  return file;
}

template <typename Decode>
void Run(benchmark::State& state, const Bytes& file, Decode decode) {
  for (auto _ : state) {
    auto image = decode(file);
    if (!image) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0) * 3 / 4);
}

const auto kOurGif = [](const Bytes& f) {
  std::string message;
  return lumi::GIFDecode(f, "bench.gif", message);
};
const auto kOurBmp = [](const Bytes& f) { return lumi::PxDecodeBMP(f); };
const auto kOurPcx = [](const Bytes& f) { return lumi::PxDecodePCX(f); };

// Pictures are n x 3n/4.
void BM_Bmp24Ours(benchmark::State& s) { Run(s, Bmp24(s.range(0), s.range(0) * 3 / 4), kOurBmp); }
void BM_Bmp24Ref(benchmark::State& s) { Run(s, Bmp24(s.range(0), s.range(0) * 3 / 4), lumi::reference::DecodeBmp); }
void BM_Rle8Ours(benchmark::State& s) { Run(s, BmpRle8(s.range(0), s.range(0) * 3 / 4), kOurBmp); }
void BM_Rle8Ref(benchmark::State& s) { Run(s, BmpRle8(s.range(0), s.range(0) * 3 / 4), lumi::reference::DecodeBmp); }
void BM_GifOurs(benchmark::State& s) { Run(s, Gif(s.range(0), s.range(0) * 3 / 4), kOurGif); }
void BM_GifRef(benchmark::State& s) { Run(s, Gif(s.range(0), s.range(0) * 3 / 4), lumi::reference::DecodeGif); }
void BM_PcxOurs(benchmark::State& s) { Run(s, Pcx24(s.range(0), s.range(0) * 3 / 4), kOurPcx); }
void BM_PcxRef(benchmark::State& s) { Run(s, Pcx24(s.range(0), s.range(0) * 3 / 4), lumi::reference::DecodePcx); }

BENCHMARK(BM_Bmp24Ours)->Name("Bmp24Decode/ours")->Arg(1024);
BENCHMARK(BM_Bmp24Ref)->Name("Bmp24Decode/reference")->Arg(1024);
BENCHMARK(BM_Rle8Ours)->Name("BmpRle8Decode/ours")->Arg(1024);
BENCHMARK(BM_Rle8Ref)->Name("BmpRle8Decode/reference")->Arg(1024);
BENCHMARK(BM_GifOurs)->Name("GifDecode/ours")->Arg(1024);
BENCHMARK(BM_GifRef)->Name("GifDecode/reference")->Arg(1024);
BENCHMARK(BM_PcxOurs)->Name("Pcx24Decode/ours")->Arg(1024);
BENCHMARK(BM_PcxRef)->Name("Pcx24Decode/reference")->Arg(1024);

// Writing an 1800 x 1500 picture (the largest export) to a file.
void BM_WriteJpeg(benchmark::State& s) {
  const Bytes rgb = Photo(1800, 1500);
  const auto path = std::filesystem::temp_directory_path() / "lumi_bench_codecs.jpg";
  lumi::PxSetDCTMethod(3);
  for (auto _ : s) {
    if (!lumi::PxSaveJPG(path, rgb.data(), 1800, 1500, 95, true, s.range(0) != 0)) s.SkipWithError("write failed");
  }
  std::filesystem::remove(path);
  s.SetItemsProcessed(s.iterations() * 1800 * 1500);
}

void BM_WritePng(benchmark::State& s) {
  const Bytes rgb = Photo(1800, 1500);
  const auto path = std::filesystem::temp_directory_path() / "lumi_bench_codecs.png";
  for (auto _ : s) {
    if (!lumi::PxSavePNG(path, rgb.data(), 1800, 1500)) s.SkipWithError("write failed");
  }
  std::filesystem::remove(path);
  s.SetItemsProcessed(s.iterations() * 1800 * 1500);
}

BENCHMARK(BM_WriteJpeg)->Name("JpegWrite1800x1500/progressive")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePng)->Name("PngWrite1800x1500")->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
