#include "library/texture_bank.h"

#include <cctype>
#include <optional>
#include <string>

#include "base/archive.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/text_encoding.h"
#include "image/dib_section.h"
#include "image/image_loader.h"
#include "image/pixwerk.h"
#include "library/texture_lookup.h"

namespace lumi {

namespace {
constexpr const char* kProjectTextureBase = "Project-Texture";
constexpr std::int32_t kEndMark = -1;

// width x height x 3 without overflow; 0 for sizes that hold no pixels.
std::size_t ExpectedLength(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
}
}  // namespace

std::string LowerTextureName(std::string_view name) {
  std::u32string chars = DecodeUtf8(name);
  for (char32_t& c : chars) {
    // The letters Windows-1252 can hold: ASCII, Latin-1 capitals and the three others.
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
      c += 0x20;
    } else if (c == 0x160 || c == 0x17D || c == 0x152) {
      c += 1;
    } else if (c == 0x178) {
      c = 0xFF;
    }
  }
  return EncodeUtf8(chars);
}

namespace {
const CTextureEntry* FirstNamed(const std::vector<std::unique_ptr<CTextureEntry>>& entries,
                                std::string_view name, bool with_pixels) {
  if (name.empty()) return nullptr;
  const std::string wanted = LowerTextureName(name);
  for (const auto& e : entries) {
    if (e->name == wanted && (!with_pixels || !e->pixels.empty())) return e.get();
  }
  return nullptr;
}
}  // namespace

TextureView CTextureBank::Find(std::string_view name) const {
  // An entry read without pixels is passed over: the texture loaded from the folder in
  // its place comes after it.
  const CTextureEntry* e = FirstNamed(entries_, name, true);
  if (!e) return {};
  return {e->pixels.data(), e->width, e->height};
}

bool CTextureBank::Contains(std::string_view name) const {
  return FirstNamed(entries_, name, false) != nullptr;
}

TextureView CTextureBank::Add(std::string_view name, std::vector<std::uint8_t> rgb,
                              std::int32_t width, std::int32_t height) {
  auto entry = std::make_unique<CTextureEntry>();
  entry->name = LowerTextureName(name);
  entry->pixels = std::move(rgb);
  entry->width = width;
  entry->height = height;
  entries_.push_back(std::move(entry));
  const CTextureEntry& e = *entries_.back();
  return {e.pixels.data(), e.width, e.height};
}

TextureView CTextureBank::Load(const std::string& path, Host& host) {
  std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string failure;
  std::optional<RgbImage> image = LoadImageFile(path, &failure);
  if (!image) {
    if (ending == ".GIF" && !failure.empty()) host.Message(failure);
    return {};
  }
  if (image->width < 1 || image->height < 1 ||
      image->pixels.size() != static_cast<std::size_t>(image->width) * image->height * 3)
    return {};
  return Add(FinalPathPart(path), std::move(image->pixels), image->width, image->height);
}

std::string CTextureBank::AddProjectTexture(const CDIBSection& bitmap) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) return "";
  // Red, green, blue of every pixel, the fourth byte dropped, top row first.
  std::optional<RgbImage> rgb = PxBitmapToRGB(bitmap);
  if (!rgb) return "";
  std::string name = kProjectTextureBase;
  for (int n = 1; Contains(name); ++n) name = std::string(kProjectTextureBase) + " " + std::to_string(n);
  name = LowerTextureName(name);
  Add(name, std::move(rgb->pixels), rgb->width, rgb->height);
  return name;
}

void CTextureBank::ClearUsedMarks() {
  for (auto& e : entries_) e->used = 0;
}

void CTextureBank::MarkUsed(std::string_view fill_name, std::string_view transparency_name) {
  const std::string fill = LowerTextureName(fill_name);
  const std::string transparency = LowerTextureName(transparency_name);
  for (auto& e : entries_) {
    if (e->name == fill || e->name == transparency) e->used = 1;
  }
}

void CTextureBank::RemoveUnused() {
  // An entry without pixels is dropped too when an entry of its name holds them: marking
  // goes by name, and keeping both would store the name twice in every later save.
  for (auto& e : entries_) {
    if (e->used != 0 && e->pixels.empty() && FirstNamed(entries_, e->name, true)) e->used = 0;
  }
  std::erase_if(entries_, [](const auto& e) { return e->used == 0; });
}

void CTextureBank::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(static_cast<std::int32_t>(entries_.size()));
    for (const auto& e : entries_) {
      // The length is what the entry holds: 0 and no bytes for an entry read without
      // pixels, so the block stays readable whatever its sizes say.
      const std::size_t length = e->pixels.size();
      if (length != 0 && (length != ExpectedLength(e->width, e->height) ||
                          length > static_cast<std::size_t>(INT32_MAX))) {
        throw ArchiveError("Texture \"" + e->name + "\" does not match its size");
      }
      ar.WriteString(e->name);
      ar.WriteInt32(e->width);
      ar.WriteInt32(e->height);
      ar.WriteInt32(static_cast<std::int32_t>(length));
      ar.WriteBytes(e->pixels);
      ar.WriteInt32(kEndMark);
    }
    ar.WriteInt32(kEndMark);
    return;
  }

  entries_.clear();
  try {
    const std::int32_t count = ar.ReadInt32();
    if (count < 0) throw ArchiveError("Texture block: negative texture count");
    // Each entry takes at least 17 bytes (empty name, three sizes, end mark).
    ar.RequireRemaining(static_cast<std::uint64_t>(count), 17, "Texture block");
    for (std::int32_t i = 0; i < count; ++i) {
      auto entry = std::make_unique<CTextureEntry>();
      entry->name = ar.ReadString();
      entry->width = ar.ReadInt32();
      entry->height = ar.ReadInt32();
      const std::int32_t length = ar.ReadInt32();
      if (length != 0) {
        // The sides are checked before they are multiplied.
        if (entry->width <= 0 || entry->height <= 0 || entry->width > kMaxSide ||
            entry->height > kMaxSide ||
            std::int64_t{entry->width} * entry->height > kMaxPixels ||
            static_cast<std::size_t>(length) != ExpectedLength(entry->width, entry->height)) {
          throw ArchiveError("Texture block: texture \"" + entry->name + "\" has a damaged size");
        }
        ar.RequireRemaining(static_cast<std::uint64_t>(length), 1, "Texture block");
        entry->pixels.resize(static_cast<std::size_t>(length));
        ar.ReadBytes(entry->pixels);
      }
      ar.ReadInt32();  // end mark, not checked
      entries_.push_back(std::move(entry));
    }
    ar.ReadInt32();  // end mark, not checked
  } catch (...) {
    entries_.clear();
    throw;
  }
}

}  // namespace lumi
