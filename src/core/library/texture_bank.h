#pragma once
// The application-wide texture cache. Fill and transparency textures are found here by
// lower-cased name; entries come from the texture folders on demand, from bitmaps made
// into project textures, and from the texture block of portable projects.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumi {

class CArchive;
class CDIBSection;
class Host;

struct CTextureEntry {
  std::string name;                 // always lower case
  std::vector<std::uint8_t> pixels;  // width x height x 3 bytes: red, green, blue, top row first
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t used = 0;            // meaningful only while pruning
};

// A texture as the renderer receives it: bank-owned pixels, valid until the next
// RemoveAll or RemoveUnused.
struct TextureView {
  const std::uint8_t* pixels = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  explicit operator bool() const { return pixels != nullptr; }
};

class CTextureBank {
 public:
  // Largest texture the bank accepts from a project file, per side and in pixels.
  static constexpr std::int32_t kMaxSide = 32768;
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  // The first entry holding pixels whose name equals the lower-cased `name`; none for an
  // empty name. Entries without pixels (a zero-length entry from a project file) are
  // passed over: the renderer could not use them.
  TextureView Find(std::string_view name) const;
  // Whether an entry of that name exists, with or without pixels.
  bool Contains(std::string_view name) const;

  // Reads the image file at `path` (the reader chosen by its last four characters:
  // .jpg, .png, .bmp, .pcx, .tif or .gif, any case) and appends it as an entry named by
  // the lower-cased part of the path after its last separator. Nothing is added on
  // failure; a GIF that cannot be read shows the GIF reader's text through `host`, other
  // failures are silent.
  TextureView Load(const std::string& path, Host& host);

  // Appends an entry named `name` (lower-cased) holding a copy of the RGB pixels.
  TextureView Add(std::string_view name, std::vector<std::uint8_t> rgb, std::int32_t width,
                  std::int32_t height);

  // Makes a project texture from a 32-bit bitmap ("project-texture", "project-texture 1",
  // ... whichever is free first) and returns its name, or "" when the bitmap is empty.
  std::string AddProjectTexture(const CDIBSection& bitmap);

  void RemoveAll() { entries_.clear(); }
  void ClearUsedMarks();
  // Marks every entry named like either texture name (compared lower-cased).
  void MarkUsed(std::string_view fill_name, std::string_view transparency_name);
  // Deletes the unmarked entries, and marked entries without pixels whose name a kept
  // entry with pixels also has.
  void RemoveUnused();

  // The texture block of a portable project. Writing stores each entry's own pixels and
  // their length (0 for an entry without pixels). Reading empties the bank first and appends
  // the entries in file order without checking for duplicate names; a damaged block
  // throws ArchiveError and leaves the bank empty.
  void Serialize(CArchive& ar);

  std::size_t Size() const { return entries_.size(); }
  const CTextureEntry& Entry(std::size_t i) const { return *entries_[i]; }

 private:
  std::vector<std::unique_ptr<CTextureEntry>> entries_;
};

// Lower-cases ASCII and the Latin-1 capitals of UTF-8 text, as names are compared.
std::string LowerTextureName(std::string_view name);

}  // namespace lumi
