#include "image/kept_bitmap.h"

#include <cstring>

#include "image/blend_rows.h"

namespace lumi {

const CDIBSection& KeptBitmap::Pixels() const {
  if (IsPacked() && pixels_.IsEmpty()) packed_.UnpackInto(pixels_);
  return pixels_;
}

CDIBSection& KeptBitmap::Edit() {
  Pixels();
  packed_.Clear();
  return pixels_;
}

CDIBSection& KeptBitmap::Rewrite() {
  packed_.Clear();
  return pixels_;
}

void KeptBitmap::Settle() {
  // Only an alpha bitmap is packed: the runs give back 32 bits with the alpha flag.
  if (!IsPacked() && pixels_.HasAlphaFlag() && !packed_.Pack(pixels_)) return;
  if (IsPacked()) pixels_.ResetToDefault();
}

void KeptBitmap::Reset() {
  packed_.Clear();
  pixels_.ResetToDefault();
}

void KeptBitmap::ReadRow(int row, std::uint8_t* out) const {
  if (IsPacked()) return packed_.ReadRow(row, out);
  std::memcpy(out, pixels_.Row(row), static_cast<std::size_t>(pixels_.Width()) * 4);
}

std::array<std::uint8_t, 4> KeptBitmap::PixelAt(int x, int y) const {
  if (IsPacked()) return packed_.PixelAt(x, y);
  std::array<std::uint8_t, 4> bytes;
  std::memcpy(bytes.data(), pixels_.Row(y) + 4 * x, 4);
  return bytes;
}

void KeptBitmap::BlendRow(int row, int x, int count, std::uint8_t* d, bool keep_alpha) const {
  if (IsPacked()) return packed_.BlendRow(row, x, count, d, keep_alpha);
  lumi::BlendRow(d, pixels_.Row(row) + 4 * x, count, keep_alpha);
}

}  // namespace lumi
