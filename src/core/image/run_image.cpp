#include "image/run_image.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/blend_rows.h"
#include "image/dib_section.h"

namespace lumi {

namespace {

// Shorter repeats stay in the pixel-by-pixel runs: a run of its own costs 8 bytes and
// splits its neighbour in two, and short runs slow the blend down.
constexpr int kMinRepeat = 8;

// Repeated pixels are blended from a short row of copies, through the same row blends
// as full images, so the result cannot differ from theirs.
constexpr int kRepeatChunk = 64;

void BlendRepeated(std::uint8_t* d, std::uint32_t pixel, int count, bool keep_alpha) {
  std::uint8_t bytes[4];
  std::memcpy(bytes, &pixel, 4);
  if (bytes[3] == 0) return;  // a clear pixel leaves the destination as it is
  std::uint32_t copies[kRepeatChunk];
  std::fill_n(copies, std::min(count, kRepeatChunk), pixel);
  const auto* s = reinterpret_cast<const std::uint8_t*>(copies);
  for (int done = 0; done < count; done += kRepeatChunk)
    lumi::BlendRow(d + 4 * done, s, std::min(kRepeatChunk, count - done), keep_alpha);
}

// The end of the run of pixels equal to row[i], four at a time where the processor can.
int RunEnd(const std::uint32_t* row, int i, int w) {
  int j = i + 1;
  if (j < w && row[j] != row[i]) return j;  // most pixels of a shaded edge differ at once
#if defined(__SSE2__)
  const __m128i pixel = _mm_set1_epi32(static_cast<int>(row[i]));
  for (; j + 4 <= w; j += 4) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + j));
    const int equal = _mm_movemask_epi8(_mm_cmpeq_epi32(four, pixel));
    if (equal != 0xFFFF) return j + __builtin_ctz(~equal & 0xFFFF) / 4;
  }
#endif
  while (j < w && row[j] == row[i]) ++j;
  return j;
}

}  // namespace

void RunImage::Clear() {
  width_ = height_ = 0;
  // Moved-from empty vectors: assigning {} would keep the storage.
  row_starts_ = std::vector<std::uint32_t>();
  runs_ = std::vector<Run>();
  literals_ = std::vector<std::uint32_t>();
}

std::size_t RunImage::HeldBytes() const {
  return row_starts_.capacity() * sizeof(std::uint32_t) + runs_.capacity() * sizeof(Run) +
         literals_.capacity() * sizeof(std::uint32_t);
}

bool RunImage::Pack(const CDIBSection& image) {
  Clear();
  if (image.IsEmpty() || image.Bits() != 32) return false;
  const int w = image.Width(), h = image.Height();
  const std::size_t budget = static_cast<std::size_t>(w) * h * 3;  // 3/4 of 4 bytes a pixel
  std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
  row_starts_.reserve(static_cast<std::size_t>(h) + 1);
  auto used = [&] {
    return row_starts_.size() * sizeof(std::uint32_t) + runs_.size() * sizeof(Run) +
           literals_.size() * sizeof(std::uint32_t);
  };
  for (int y = 0; y < h; ++y) {
    std::memcpy(row.data(), image.Row(y), row.size() * 4);
    row_starts_.push_back(static_cast<std::uint32_t>(runs_.size()));
    int literal_start = -1;
    auto end_literal = [&](int end) {
      if (literal_start < 0) return;
      runs_.push_back({static_cast<std::uint32_t>(end - literal_start) | kLiteral,
                       static_cast<std::uint32_t>(literals_.size())});
      literals_.insert(literals_.end(), row.begin() + literal_start, row.begin() + end);
      literal_start = -1;
    };
    for (int i = 0; i < w;) {
      const int j = RunEnd(row.data(), i, w);
      if (j - i >= kMinRepeat) {
        end_literal(i);
        runs_.push_back({static_cast<std::uint32_t>(j - i), row[i]});
      } else if (literal_start < 0) {
        literal_start = i;
      }
      i = j;
    }
    end_literal(w);
    if (used() > budget) {
      Clear();
      return false;
    }
  }
  row_starts_.push_back(static_cast<std::uint32_t>(runs_.size()));
  runs_.shrink_to_fit();
  literals_.shrink_to_fit();
  width_ = w;
  height_ = h;
  return true;
}

void RunImage::ReadRow(int row, std::uint8_t* out) const {
  for (std::uint32_t r = row_starts_[row]; r < row_starts_[row + 1]; ++r) {
    const Run run = runs_[r];
    const int n = Count(run);
    if (IsLiteral(run)) {
      std::memcpy(out, literals_.data() + run.value, static_cast<std::size_t>(n) * 4);
    } else {
      for (int i = 0; i < n; ++i) std::memcpy(out + 4 * i, &run.value, 4);
    }
    out += 4 * n;
  }
}

void RunImage::UnpackInto(CDIBSection& image) const {
  image.Create(width_, height_, 32, true);
  for (int y = 0; y < height_; ++y) ReadRow(y, image.Row(y));
}

std::array<std::uint8_t, 4> RunImage::PixelAt(int x, int y) const {
  std::array<std::uint8_t, 4> bytes{};
  int run_x = 0;
  for (std::uint32_t r = row_starts_[y]; r < row_starts_[y + 1]; ++r) {
    const Run run = runs_[r];
    const int n = Count(run);
    if (x < run_x + n) {
      const std::uint32_t word = IsLiteral(run) ? literals_[run.value + (x - run_x)] : run.value;
      std::memcpy(bytes.data(), &word, 4);
      break;
    }
    run_x += n;
  }
  return bytes;
}

void RunImage::BlendRow(int row, int x, int count, std::uint8_t* d, bool keep_alpha) const {
  const Run* run = runs_.data() + row_starts_[row];
  const Run* const end = runs_.data() + row_starts_[row + 1];
  int run_x = 0;
  for (; run != end && run_x + Count(*run) <= x; ++run) run_x += Count(*run);
  for (int done = 0; done < count && run != end; ++run) {
    const int n = Count(*run);
    const int from = x + done - run_x;
    const int take = std::min(n - from, count - done);
    std::uint8_t* out = d + 4 * done;
    if (IsLiteral(*run)) {
      const auto* s = reinterpret_cast<const std::uint8_t*>(literals_.data() + run->value + from);
      lumi::BlendRow(out, s, take, keep_alpha);
    } else {
      BlendRepeated(out, run->value, take, keep_alpha);
    }
    done += take;
    run_x += n;
  }
}

}  // namespace lumi
