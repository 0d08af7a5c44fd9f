#include "edit/dropped_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <fstream>
#include <string>

#include "document/editable_jpg.h"
#include "document/plenivor_doc.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

std::string LowerEnding(const std::filesystem::path& path) {
  std::string ending = path.extension().string();
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending;
}

// Whether the file ends in the editable JPG's trailer: the tag, then the block length.
bool EndsInProjectTrailer(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
  constexpr std::streamoff kTrailer = static_cast<std::streamoff>(kEJpgTrailerTag.size()) + 4;
  if (size < kTrailer) return false;
  std::array<char, kEJpgTrailerTag.size()> tag{};
  in.seekg(size - kTrailer);
  in.read(tag.data(), static_cast<std::streamsize>(tag.size()));
  return in && std::memcmp(tag.data(), kEJpgTrailerTag.data(), tag.size()) == 0;
}

}  // namespace

DroppedFileUse UseOfDroppedFile(const std::filesystem::path& path) {
  const std::string ending = LowerEnding(path);
  if (ending == ".jpg") return EndsInProjectTrailer(path) ? DroppedFileUse::kOpen : DroppedFileUse::kInsertPicture;
  for (const char* picture : {".png", ".bmp", ".pcx", ".tif", ".gif"})
    if (ending == picture) return DroppedFileUse::kInsertPicture;
  return DroppedFileUse::kOpen;
}

CDrawObject* InsertPictureFile(CPlenivorDoc& doc, const std::filesystem::path& path, Point centre) {
  std::unique_ptr<CDrawObject> object = doc.MakeObject();
  if (!object->CreateBitmap(0, 0, path)) return nullptr;
  object->MoveTo(centre.x - object->GetWidth() / 2, centre.y - object->GetHeight() / 2);
  object->Render();
  CDrawObject* inserted = object.get();
  doc.Objects().push_back(std::move(object));
  doc.SetModified();
  doc.TakeSnapshot();
  return inserted;
}

}  // namespace lumi
