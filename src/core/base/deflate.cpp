#include "base/deflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>

#include "base/errors.h"

namespace lumi {

std::vector<std::uint8_t> DeflateBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > UINT_MAX / 2) throw Error("The data is too large to compress.");
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::vector<std::uint8_t> out(size);
  if (compress(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size())) != Z_OK) {
    throw Error("Compression failed.");
  }
  out.resize(size);
  return out;
}

std::optional<std::vector<std::uint8_t>> InflateBytes(std::span<const std::uint8_t> stream,
                                                      std::size_t max_size, TrailingInput trailing) {
  if (stream.size() > UINT_MAX) return std::nullopt;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  std::vector<std::uint8_t> out;
  std::size_t used = 0;
  int status = Z_OK;
  try {
    while (status == Z_OK) {
      if (used == out.size() && out.size() < max_size) {
        const std::size_t step =
            std::min<std::size_t>({max_size - used, std::max<std::size_t>(used, 1 << 16), 1u << 30});
        out.resize(used + step);
      }
      // A full buffer at `max_size` still lets zlib read the stream's end and check value;
      // Z_BUF_ERROR then means the data want more room, or the input ended early.
      z.next_out = out.data() + used;
      z.avail_out = static_cast<uInt>(out.size() - used);
      status = inflate(&z, Z_NO_FLUSH);
      used = out.size() - z.avail_out;
    }
  } catch (const std::bad_alloc&) {
    status = Z_MEM_ERROR;
  }
  const bool complete =
      status == Z_STREAM_END && (trailing == TrailingInput::kIgnored || z.avail_in == 0);
  inflateEnd(&z);
  if (!complete) return std::nullopt;
  out.resize(used);
  return out;
}

}  // namespace lumi
