#include "image/two_pass_scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "image/dib_section.h"

namespace lumi {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

bool SizeInLimits(int width, int height) {
  return width >= 1 && height >= 1 && width <= CDIBSection::kMaxSide &&
         height <= CDIBSection::kMaxSide &&
         std::int64_t{width} * height <= CDIBSection::kMaxPixels;
}

// One pass's table, with exactly-zero weights trimmed off both ends of every window.
// Adding 0 x v to a sum changes nothing that survives truncation, so the trimmed sums
// give the same bytes with fewer taps (a same-size pass becomes one tap of weight 1).
struct Taps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<double> weights;  // count[j] weights of output j start at start[j]
  std::vector<std::size_t> start;
  bool identity = true;  // every output j reads source j with weight 1
};

Taps TrimmedTaps(const ScaleContributions& table) {
  Taps taps;
  const std::size_t n = table.first.size();
  taps.first.resize(n);
  taps.count.resize(n);
  taps.start.resize(n);
  taps.weights.reserve(n * 2);
  for (std::size_t j = 0; j < n; ++j) {
    const double* w = &table.weights[j * table.window_size];
    int lo = 0, hi = table.last[j] - table.first[j];
    while (lo <= hi && w[lo] == 0.0) ++lo;
    while (hi >= lo && w[hi] == 0.0) --hi;
    taps.first[j] = table.first[j] + lo;
    taps.count[j] = hi - lo + 1;  // 0 when every weight is 0: the output is 0
    taps.start[j] = taps.weights.size();
    taps.weights.insert(taps.weights.end(), w + lo, w + hi + 1);
    if (taps.count[j] != 1 || taps.first[j] != static_cast<int>(j) ||
        taps.weights.back() != 1.0) {
      taps.identity = false;
    }
  }
  return taps;
}

// One row: output pixel j is the weighted sum of source pixels first..first+count-1.
template <int kChannels>
void ScaleRow(const std::uint8_t* source, std::uint8_t* out, const Taps& taps, int output_width) {
  for (int j = 0; j < output_width; ++j) {
    const double* w = taps.weights.data() + taps.start[j];
    const std::uint8_t* s = source + static_cast<std::size_t>(taps.first[j]) * kChannels;
    double sum[kChannels] = {};
    for (int k = 0; k < taps.count[j]; ++k, s += kChannels) {
      for (int c = 0; c < kChannels; ++c) sum[c] += w[k] * s[c];
    }
    for (int c = 0; c < kChannels; ++c) out[c] = TruncateChannel(sum[c]);
    out += kChannels;
  }
}

}  // namespace

ScaleKernel ScaleKernelFromIndex(int index) {
  return index >= 0 && index <= 3 ? static_cast<ScaleKernel>(index) : ScaleKernel::kBox;
}

double KernelHalfWidth(ScaleKernel kernel) { return kernel == ScaleKernel::kBilinear ? 1.0 : 0.5; }

double KernelValue(ScaleKernel kernel, double t) {
  const double a = std::fabs(t);
  switch (kernel) {
    case ScaleKernel::kBox:
      return a <= 0.5 ? 1.0 : 0.0;
    case ScaleKernel::kBilinear:
      return a < 1.0 ? 1.0 - a : 0.0;
    case ScaleKernel::kHamming: {
      if (a > 0.5) return 0.0;
      const double window = 0.54 + 0.46 * std::cos(kTwoPi * t);
      if (t == 0.0) return window;
      const double pt = kPi * t;
      return window * (std::sin(pt) / pt);
    }
    case ScaleKernel::kBlackman:
      if (a > 0.5) return 0.0;
      return 0.42 + 0.5 * std::cos(kTwoPi * t) + 0.08 * std::cos(2.0 * kTwoPi * t);
  }
  return 0.0;
}

ScaleContributions BuildContributions(ScaleKernel kernel, int source_size, int output_size) {
  ScaleContributions table;
  const double scale = static_cast<double>(output_size) / source_size;
  const double half = KernelHalfWidth(kernel);
  // Shrinking widens the kernel by 1 / scale and lowers it by scale, so every source
  // sample is covered; enlarging keeps the kernel as it is.
  const double width = scale < 1.0 ? half / scale : half;
  const double factor = scale < 1.0 ? scale : 1.0;
  table.window_size = 2 * static_cast<int>(std::ceil(width)) + 1;
  table.first.resize(output_size);
  table.last.resize(output_size);
  table.weights.assign(static_cast<std::size_t>(output_size) * table.window_size, 0.0);
  for (int j = 0; j < output_size; ++j) {
    const double centre = j / scale;
    int left = std::max(0, static_cast<int>(std::floor(centre - width)));
    const int right = std::min(static_cast<int>(std::ceil(centre + width)), source_size - 1);
    if (right - left + 1 > table.window_size) ++left;
    double* w = &table.weights[static_cast<std::size_t>(j) * table.window_size];
    double total = 0.0;
    for (int k = left; k <= right; ++k) {
      w[k - left] = factor * KernelValue(kernel, factor * (centre - k));
      total += w[k - left];
    }
    if (total > 0.0) {
      for (int k = left; k <= right; ++k) w[k - left] /= total;
    } else {
      // No source sample lies under the kernel: the narrow kernels (half width 0.5)
      // miss the last samples when enlarging more than twice, and Blackman is zero at
      // its ends, half-way between two samples. Such an output would come out black;
      // it takes the sample nearest to its centre instead.
      const int nearest = std::clamp(static_cast<int>(std::floor(centre + 0.5)), left, right);
      for (int k = left; k <= right; ++k) w[k - left] = k == nearest ? 1.0 : 0.0;
    }
    table.first[j] = left;
    table.last[j] = right;
  }
  return table;
}

bool CTwoPassScaler::Report(int percent) {
  if (progress_ && progress_(percent) == 0) {
    cancelled_ = true;
    return false;
  }
  return true;
}

bool CTwoPassScaler::HorizontalPass(const std::uint8_t* source, int source_width, int height,
                                    std::uint8_t* destination, int output_width,
                                    int channels) {
  cancelled_ = false;
  if ((channels != 3 && channels != 4) || !SizeInLimits(source_width, height) ||
      !SizeInLimits(output_width, height)) {
    return false;
  }
  try {
    const Taps taps = TrimmedTaps(BuildContributions(kernel_, source_width, output_width));
    const std::size_t in_row = static_cast<std::size_t>(source_width) * channels;
    const std::size_t out_row = static_cast<std::size_t>(output_width) * channels;
    for (int i = 0; i < height; ++i) {
      if (!Report(static_cast<int>(static_cast<double>(i) / height * 50))) return false;
      const std::uint8_t* s = source + i * in_row;
      std::uint8_t* d = destination + i * out_row;
      if (taps.identity) {
        std::memcpy(d, s, out_row);
      } else if (channels == 3) {
        ScaleRow<3>(s, d, taps, output_width);
      } else {
        ScaleRow<4>(s, d, taps, output_width);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool CTwoPassScaler::VerticalPass(const std::uint8_t* source, int width, int source_height,
                                  std::uint8_t* destination, int output_height, int channels) {
  cancelled_ = false;
  if ((channels != 3 && channels != 4) || !SizeInLimits(width, source_height) ||
      !SizeInLimits(width, output_height)) {
    return false;
  }
  try {
    const Taps taps = TrimmedTaps(BuildContributions(kernel_, source_height, output_height));
    const std::size_t row_bytes = static_cast<std::size_t>(width) * channels;
    // Each output column is a weighted sum down the column. Summing whole rows into a
    // row of doubles, tap by tap, adds the same products in the same order for every
    // element, so the bytes equal a column-by-column pass while memory is read row-wise.
    // With a progress callback the columns go in strips, the callback asked for each
    // column of a strip before the strip is summed.
    const int strip = progress_ ? std::min(width, 64) : width;
    std::vector<double> sum(static_cast<std::size_t>(strip) * channels);
    for (int x0 = 0; x0 < width; x0 += strip) {
      const int columns = std::min(strip, width - x0);
      for (int x = x0; x < x0 + columns; ++x) {
        if (!Report(50 + static_cast<int>(static_cast<double>(x) / width * 50))) return false;
      }
      const std::size_t offset = static_cast<std::size_t>(x0) * channels;
      const std::size_t n = static_cast<std::size_t>(columns) * channels;
      for (int j = 0; j < output_height; ++j) {
        std::uint8_t* d = destination + j * row_bytes + offset;
        const int count = taps.count[j];
        if (count == 0) {
          std::memset(d, 0, n);
          continue;
        }
        const double* w = taps.weights.data() + taps.start[j];
        const std::uint8_t* s = source + taps.first[j] * row_bytes + offset;
        if (count == 1 && w[0] == 1.0) {
          std::memcpy(d, s, n);
          continue;
        }
        double* acc = sum.data();
        for (std::size_t e = 0; e < n; ++e) acc[e] = w[0] * s[e];
        for (int k = 1; k < count; ++k) {
          s += row_bytes;
          const double wk = w[k];
          for (std::size_t e = 0; e < n; ++e) acc[e] += wk * s[e];
        }
        for (std::size_t e = 0; e < n; ++e) d[e] = TruncateChannel(acc[e]);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool CTwoPassScaler::Scale(const std::uint8_t* source, int source_width, int source_height,
                           std::uint8_t* destination, int output_width, int output_height,
                           int channels) {
  cancelled_ = false;
  if ((channels != 3 && channels != 4) || !SizeInLimits(source_width, source_height) ||
      !SizeInLimits(output_width, output_height) ||
      !SizeInLimits(output_width, source_height)) {
    return false;
  }
  std::vector<std::uint8_t> temporary;
  try {
    temporary.resize(static_cast<std::size_t>(output_width) * source_height * channels);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!HorizontalPass(source, source_width, source_height, temporary.data(), output_width,
                      channels)) {
    return false;
  }
  return VerticalPass(temporary.data(), output_width, source_height, destination,
                      output_height, channels);
}

bool CTwoPassScaler::ScaleBitmap(const CDIBSection& source, CDIBSection& destination,
                                 int width, int height) {
  cancelled_ = false;
  if (source.IsEmpty() || source.Bits() != 32 || !SizeInLimits(width, height)) return false;
  CDIBSection result;
  try {
    result.Create(width, height, 32, source.HasAlphaFlag());
  } catch (const std::exception&) {
    return false;
  }
  if (!Scale(source.Pixels(), source.Width(), source.Height(), result.Pixels(), width, height,
             4)) {
    return false;
  }
  destination = std::move(result);
  return true;
}

}  // namespace lumi
