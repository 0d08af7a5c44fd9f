#include "resample_reference.h"

#include <algorithm>
#include <cmath>

namespace lumi::reference {

namespace {

double Kernel(ScaleKernel kernel, double t) {
  const double pi = 3.141592653589793, two_pi = 6.283185307179586;
  switch (kernel) {
    case ScaleKernel::kBox:
      return std::fabs(t) <= 0.5 ? 1.0 : 0.0;
    case ScaleKernel::kBilinear:
      return std::fabs(t) < 1.0 ? 1.0 - std::fabs(t) : 0.0;
    case ScaleKernel::kHamming: {
      if (std::fabs(t) > 0.5) return 0.0;
      const double s = t == 0.0 ? 1.0 : std::sin(pi * t) / (pi * t);
      return (0.54 + 0.46 * std::cos(two_pi * t)) * s;
    }
    case ScaleKernel::kBlackman:
      if (std::fabs(t) > 0.5) return 0.0;
      return 0.42 + 0.5 * std::cos(two_pi * t) + 0.08 * std::cos(2.0 * two_pi * t);
  }
  return 0.0;
}

// Output sample j of a pass from n samples to m samples: `get(k)` reads source k.
template <class Get>
std::uint8_t Sample(ScaleKernel kernel, int n, int m, int j, Get get) {
  const double s = static_cast<double>(m) / n;
  const double half = kernel == ScaleKernel::kBilinear ? 1.0 : 0.5;
  const double w = s < 1 ? half / s : half;
  const double f = s < 1 ? s : 1.0;
  const int window = 2 * static_cast<int>(std::ceil(w)) + 1;
  const double centre = j / s;
  int left = std::max(0, static_cast<int>(std::floor(centre - w)));
  const int right = std::min(static_cast<int>(std::ceil(centre + w)), n - 1);
  if (right - left + 1 > window) ++left;
  std::vector<double> weight;
  double total = 0;
  for (int k = left; k <= right; ++k) {
    weight.push_back(f * Kernel(kernel, f * (centre - k)));
    total += weight.back();
  }
  if (total > 0) {
    for (double& x : weight) x /= total;
  } else {
    // Nothing under the kernel: the sample nearest to the centre.
    const int nearest = std::clamp(static_cast<int>(std::floor(centre + 0.5)), left, right);
    for (int k = left; k <= right; ++k) weight[k - left] = k == nearest ? 1.0 : 0.0;
  }
  double sum = 0;
  for (int k = left; k <= right; ++k) sum += weight[k - left] * get(k);
  if (sum <= 0) return 0;
  if (sum >= 255) return 255;
  return static_cast<std::uint8_t>(std::trunc(sum));
}

}  // namespace

std::vector<std::uint8_t> Resample(ScaleKernel kernel, const std::vector<std::uint8_t>& source,
                                   int source_width, int source_height, int output_width,
                                   int output_height, int channels) {
  const int sw = source_width, sh = source_height, dw = output_width, dh = output_height;
  std::vector<std::uint8_t> temporary(static_cast<std::size_t>(dw) * sh * channels);
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < dw; ++x) {
      for (int c = 0; c < channels; ++c) {
        temporary[(y * dw + x) * channels + c] = Sample(kernel, sw, dw, x, [&](int k) {
          return source[(static_cast<std::size_t>(y) * sw + k) * channels + c];
        });
      }
    }
  }
  std::vector<std::uint8_t> out(static_cast<std::size_t>(dw) * dh * channels);
  for (int x = 0; x < dw; ++x) {
    for (int y = 0; y < dh; ++y) {
      for (int c = 0; c < channels; ++c) {
        out[(y * dw + x) * channels + c] = Sample(kernel, sh, dh, y, [&](int k) {
          return temporary[(static_cast<std::size_t>(k) * dw + x) * channels + c];
        });
      }
    }
  }
  return out;
}

}  // namespace lumi::reference
