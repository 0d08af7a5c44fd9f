#pragma once
// A rendered bitmap as an object keeps it between renders: full pixels while a render
// writes them, packed into runs once the render is over wherever that saves memory. The
// canvas is drawn from either form with the same result; code that reads pixels directly
// gets them unpacked.
#include <array>
#include <cstddef>
#include <cstdint>

#include "image/dib_section.h"
#include "image/run_image.h"

namespace lumi {

class KeptBitmap {
 public:
  bool IsEmpty() const { return packed_.IsEmpty() && pixels_.IsEmpty(); }
  bool IsPacked() const { return !packed_.IsEmpty(); }
  int Width() const { return IsPacked() ? packed_.Width() : pixels_.Width(); }
  int Height() const { return IsPacked() ? packed_.Height() : pixels_.Height(); }
  // 32-bit pixels (the packed form holds nothing else).
  bool Is32Bit() const { return IsPacked() || (!pixels_.IsEmpty() && pixels_.Bits() == 32); }
  // The bytes held on the heap by both forms.
  std::size_t HeldBytes() const { return pixels_.HeldBytes() + packed_.HeldBytes(); }

  // The full pixels for reading. A packed bitmap is unpacked into a copy kept beside the
  // runs until the next Settle; this is not for two threads at once.
  const CDIBSection& Pixels() const;
  // The full pixels for changes in place; the packed form is dropped.
  CDIBSection& Edit();
  // The storage a new render writes: the packed form is dropped and the full pixels are
  // left as they are (empty after a Settle that packed them).
  CDIBSection& Rewrite();
  // After a render: packs the pixels where that saves memory and lets the full ones go.
  void Settle();
  // Back to an empty bitmap.
  void Reset();

  // Row `row` (from the top) of a 32-bit bitmap, 4 bytes a pixel, into `out`.
  void ReadRow(int row, std::uint8_t* out) const;
  // Pixel (x, y), rows from the top, inside a 32-bit bitmap: blue, green, red, alpha.
  std::array<std::uint8_t, 4> PixelAt(int x, int y) const;
  // Blends `count` pixels of `row` (from the top) starting at column `x` onto `d`, as
  // BlendRowKeepAlpha (keep_alpha) or BlendRowWithAlpha does with the full row.
  void BlendRow(int row, int x, int count, std::uint8_t* d, bool keep_alpha) const;

 private:
  mutable CDIBSection pixels_;
  RunImage packed_;
};

}  // namespace lumi
