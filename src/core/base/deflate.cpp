#include "base/deflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

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
                                                      std::size_t max_size) {
  if (stream.size() > UINT_MAX) return std::nullopt;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  std::vector<std::uint8_t> out;
  int status = Z_OK;
  // Grows in steps, so a lying stream costs at most `max_size` before it is refused.
  while (status == Z_OK) {
    const std::size_t used = out.size();
    if (used >= max_size) break;
    const std::size_t step = std::min<std::size_t>({max_size - used, std::max<std::size_t>(used, 1 << 16), 1u << 30});
    out.resize(used + step);
    z.next_out = out.data() + used;
    z.avail_out = static_cast<uInt>(step);
    status = inflate(&z, Z_NO_FLUSH);
    out.resize(used + step - z.avail_out);
    if (status == Z_BUF_ERROR && z.avail_out != 0) break;  // input ended early
    if (status == Z_BUF_ERROR) status = Z_OK;
  }
  const bool complete = status == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  if (!complete) return std::nullopt;
  return out;
}

}  // namespace lumi
