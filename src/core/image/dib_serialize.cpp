// The stored form of a bitmap inside projects, object records and undo snapshots.
#include <cstdint>

#include "base/archive.h"
#include "base/errors.h"
#include "base/host.h"
#include "image/dib_section.h"

namespace lumi {

namespace {
constexpr const char* kCorrupted = "Corupted Data!";
constexpr const char* kShortRead = "Bitmap:: Data Read Error!";
}  // namespace

void CDIBSection::Serialize(CArchive& ar, Host& host) {
  if (ar.IsStoring()) {
    // A bitmap of another depth is never stored; it would not read back as 32 bits.
    const bool empty = IsEmpty() || bits_ != 32;
    ar.WriteInt32(empty ? 1 : 0);
    if (empty) return;
    ar.WriteInt32(width_);
    ar.WriteInt32(height_);
    ar.WriteInt32(width_ * height_ * 4);
    ar.WriteBytes(pixels_);
    return;
  }

  if (ar.ReadInt32() != 0) {
    ResetToDefault();
    return;
  }
  const std::int32_t width = ar.ReadInt32();
  const std::int32_t height = ar.ReadInt32();
  const std::int32_t count = ar.ReadInt32();
  // The sides are checked against the bitmap limits before their product is formed, so
  // hostile sides cannot overflow it.
  bool plausible = width > 0 && height > 0;
  if (plausible) {
    try {
      CheckBitmapSize(width, height);
    } catch (const BitmapError&) {
      plausible = false;
    }
  }
  plausible = plausible && count == std::int64_t{width} * height * 4;
  if (!plausible) {
    host.Message(kCorrupted, MessageKind::Error);
    throw ArchiveError(kCorrupted);
  }
  if (ar.Remaining() < static_cast<std::uint64_t>(count)) {
    host.Message(kShortRead, MessageKind::Error);
    throw ArchiveError(kShortRead);
  }
  CDIBSection loaded;
  loaded.Create(width, height, 32, true);
  ar.ReadBytes(loaded.pixels_);
  *this = std::move(loaded);
}

}  // namespace lumi
