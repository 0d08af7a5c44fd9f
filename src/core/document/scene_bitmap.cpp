// Bitmap objects in scenes: read from an image file, or restored from the pixels that
// `info --json` embeds (the stored bitmap record, zlib-compressed, in Base64).
#include <filesystem>
#include <system_error>

#include "base/archive.h"
#include "base/base64.h"
#include "base/byte_stream.h"
#include "base/deflate.h"
#include "base/host.h"
#include "document/scene.h"
#include "document/scene_detail.h"
#include "objects/draw_object.h"

namespace lumi::scene_detail {

namespace {

// A stored bitmap is at most 2^28 pixels of 4 bytes plus its small header.
constexpr std::size_t kMaxStoredBitmap = (std::size_t{1} << 30) + 64;

std::vector<std::string> FromFile(CDrawObject& o, const json& entry, const std::string& where,
                                  const std::filesystem::path& base_folder) {
  if (!entry.contains("at")) Fail(where, "at", "missing for shape \"bitmap\"");
  const auto at = PointsOf(json::array({entry["at"]}), where, "at");
  std::filesystem::path file = Text(entry["file"], where, "file");
  if (file.empty()) Fail(where, "file", "must not be empty");
  if (file.is_relative() && !base_folder.empty()) file = base_folder / file;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) Fail(where, "file", "no such file: " + file.string());
  if (!o.CreateBitmap(at[0].x, at[0].y, file)) Fail(where, "file", "cannot be read as an image: " + file.string());
  return {"shape", "at", "file"};
}

void ReadSource(CDrawObject& o, const json& v, const std::string& where) {
  const std::string key = "source";
  CheckKeys(v, where, key, {"zlib"});
  if (!v.contains("zlib")) Fail(where, key + ".zlib", "missing");
  const auto packed = DecodeBase64(Text(v["zlib"], where, key + ".zlib"));
  if (!packed) Fail(where, key + ".zlib", "is not Base64");
  const auto stored = InflateBytes(*packed, kMaxStoredBitmap);
  if (!stored) Fail(where, key + ".zlib", "is not a complete zlib stream of a stored bitmap");
  MemorySource source(*stored);
  CArchive ar(source);
  CDIBSection bitmap;
  SilentHost quiet;
  try {
    bitmap.Serialize(ar, quiet);
  } catch (const Error& e) {
    Fail(where, key + ".zlib", std::string("holds a damaged bitmap: ") + e.what());
  }
  if (source.Remaining() != 0) Fail(where, key + ".zlib", "holds more than one bitmap");
  o.SourceBitmap() = std::move(bitmap);
}

// The form `info --json` writes: the stored pixels and geometry, rendered at the box.
std::vector<std::string> FromStoredSource(CDrawObject& o, const json& entry, const std::string& where) {
  o.SetKind(kKindBitmap);
  ReadSource(o, entry["source"], where);
  if (entry.contains("outline")) o.Outline() = OutlineOf(entry["outline"], where);
  if (entry.contains("polynome")) o.Polynome() = PolynomeOf(entry["polynome"], where);
  const int side = 1 << 15;
  if (entry.contains("sourceWidth")) o.SetSourceWidth(IntIn(entry["sourceWidth"], where, "sourceWidth", 0, side));
  if (entry.contains("sourceHeight")) o.SetSourceHeight(IntIn(entry["sourceHeight"], where, "sourceHeight", 0, side));
  if (entry.contains("bitmapAngle")) o.SetBitmapAngle(IntIn(entry["bitmapAngle"], where, "bitmapAngle", -3600, 3600));
  if (entry.contains("sourcePath")) o.SetSourcePath(Text(entry["sourcePath"], where, "sourcePath"));
  for (const char* key : {"width", "height"}) {
    if (!entry.contains(key)) Fail(where, key, "missing for a bitmap given by its \"source\"");
  }
  // The box is in place before any look is copied from the object.
  o.SetWidth(IntIn(entry["width"], where, "width", 1, kMaxObjectWidth));
  o.SetHeight(IntIn(entry["height"], where, "height", 1, kMaxObjectHeight));
  return {"shape", "source", "outline", "polynome", "sourceWidth", "sourceHeight", "bitmapAngle", "sourcePath"};
}

}  // namespace

std::vector<std::string> CreateBitmapShape(CDrawObject& o, const json& entry, const std::string& where,
                                           const std::filesystem::path& base_folder) {
  const bool has_file = entry.contains("file");
  const bool has_source = entry.contains("source");
  if (has_file == has_source) Fail(where, "file", "a bitmap takes either \"file\" or \"source\"");
  return has_file ? FromFile(o, entry, where, base_folder) : FromStoredSource(o, entry, where);
}

}  // namespace lumi::scene_detail
