#pragma once
// Separable resampling of RGB and RGBA images: a horizontal pass that changes the width,
// then a vertical pass that changes the height, each a weighted sum of source samples
// under one of four kernels. Used by the export (any kernel, three channels) and, with
// the bilinear kernel on four channels, by bitmap objects, the filter preview and the
// style pictures.
#include <cstdint>
#include <functional>
#include <vector>

namespace lumi {

class CDIBSection;

// The kernels. The numbering is the Export dialog's "ResType": its "Cubic" entry is the
// box kernel; there is no cubic kernel.
enum class ScaleKernel { kBox = 0, kBilinear = 1, kHamming = 2, kBlackman = 3 };

// The Export dialog's kernel index as a kernel; an index outside 0..3 (a damaged setting)
// falls back to the dialog's default, the box kernel.
ScaleKernel ScaleKernelFromIndex(int index);

// Half width of the kernel's support: 0.5 for box, Hamming and Blackman, 1 for bilinear.
double KernelHalfWidth(ScaleKernel kernel);
// The kernel's value at distance t (in source samples at scale 1).
double KernelValue(ScaleKernel kernel, double t);

// For every output position of one pass: the first and last source index it reads and
// their weights (normalised when they sum to more than 0).
struct ScaleContributions {
  int window_size = 0;
  std::vector<int> first;  // per output position
  std::vector<int> last;   // per output position
  // Weights of first..last for output j start at j * window_size.
  std::vector<double> weights;
};

// The table for resampling `source_size` samples to `output_size` samples. Both sizes
// must be at least 1.
ScaleContributions BuildContributions(ScaleKernel kernel, int source_size, int output_size);

// Converts a weighted sum to a channel value: truncated toward zero. The weights are
// normalised and (almost) non-negative, so the sum stays within 0..255 but for rounding
// dust; the clamp only keeps a stray -1e-15 or 255.0000001 from wrapping.
inline std::uint8_t TruncateChannel(double sum) {
  if (!(sum > 0.0)) return 0;
  if (sum >= 255.0) return 255;
  return static_cast<std::uint8_t>(static_cast<int>(sum));
}

class CTwoPassScaler {
 public:
  // Percent done (0..99); answering 0 cancels the pass.
  using ProgressCallback = std::function<int(int percent)>;

  explicit CTwoPassScaler(ScaleKernel kernel) : kernel_(kernel) {}

  ScaleKernel Kernel() const { return kernel_; }
  void SetProgressCallback(ProgressCallback callback) { progress_ = std::move(callback); }
  bool Cancelled() const { return cancelled_; }

  // Resamples a source_width x source_height image of packed rows of `channels` bytes
  // per pixel (3: red, green, blue; 4: any four channels) into `destination`, which
  // holds output_width x output_height pixels of the same layout. Rows are processed in
  // the order given; the first row of the buffer is the top of the sampling grid.
  // Returns false, leaving `destination` as it was, when a size is below 1 or beyond the
  // program's bitmap limits, the channel count is not 3 or 4, or memory runs out;
  // returns false with the output partly written when the progress callback cancels.
  bool Scale(const std::uint8_t* source, int source_width, int source_height,
             std::uint8_t* destination, int output_width, int output_height, int channels);

  // The two passes on their own (same checks as Scale). The horizontal pass reads
  // `height` rows of source_width pixels and writes rows of output_width pixels; the
  // vertical pass reads source_height rows of `width` pixels and writes output_height.
  bool HorizontalPass(const std::uint8_t* source, int source_width, int height,
                      std::uint8_t* destination, int output_width, int channels);
  bool VerticalPass(const std::uint8_t* source, int width, int source_height,
                    std::uint8_t* destination, int output_height, int channels);

  // Resamples all four channels of a 32-bit bitmap into `destination`, recreated at
  // width x height (32 bits, the source's alpha flag). The rows are sampled in storage
  // order, bottom row first, exactly as the bitmap holds its bytes. Returns false and
  // leaves `destination` as it was when the source is empty or not 32-bit, a size is out
  // of range, or the pass is cancelled. `destination` may be `source`.
  bool ScaleBitmap(const CDIBSection& source, CDIBSection& destination, int width, int height);

 private:
  bool Report(int percent);

  const ScaleKernel kernel_;
  ProgressCallback progress_;
  bool cancelled_ = false;
};

}  // namespace lumi
