#include "collections/object_library.h"

#include <algorithm>
#include <system_error>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "objects/object_stream.h"
#include "collections/library_picture.h"
#include "objects/draw_object.h"

namespace lumi {

namespace fs = std::filesystem;

std::vector<std::string> ObjectGroupNames(const fs::path& objects_folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(objects_folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_directory(type_ec)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> ChooseObjectGroup(const std::vector<std::string>& groups,
                                             const std::string& stored) {
  if (groups.empty()) return std::nullopt;
  if (std::find(groups.begin(), groups.end(), stored) != groups.end()) return stored;
  return groups.front();
}

std::string ObjectGroupFolder(const std::string& objects_folder,
                              const std::optional<std::string>& group) {
  std::string folder = objects_folder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  if (group) folder += *group + "/";
  return folder;
}

bool WriteObjectEntry(const fs::path& group_folder, int n,
                      const std::vector<const CDrawObject*>& objects) {
  if (n < 1) return false;
  const NumberedEntries entries = ObjectEntries(group_folder);
  return WriteObjectEntryFile(entries.MainFile(n), entries.Picture(n), objects);
}

bool WriteObjectEntryFile(const fs::path& entry_file, const fs::path& picture_file,
                          const std::vector<const CDrawObject*>& objects) {
  if (objects.empty()) return false;
  std::unique_ptr<CDrawObject> moved;
  std::vector<const CDrawObject*> stored = objects;
  int margin = 0;
  if (objects.size() == 1) {
    moved = std::make_unique<CDrawObject>(objects[0]->GetHost());
    moved->SetRenderContext(objects[0]->GetRenderContext());
    moved->CopyAttributes(*objects[0]);
    moved->MoveTo(0, 0);
    moved->SetSize(objects[0]->GetWidth(), objects[0]->GetHeight());
    stored = {moved.get()};
    margin = 10;
  }
  return WriteEntryWithPicture(entry_file, picture_file,
                               MakeLibraryPicture(stored, margin),
                               [&](CArchive& ar) { WriteObjectStream(ar, stored); });
}

int AddObjectEntry(const fs::path& group_folder, const std::vector<const CDrawObject*>& objects) {
  const int n = ObjectEntries(group_folder).NextFree();
  return WriteObjectEntry(group_folder, n, objects) ? n : 0;
}

std::optional<std::vector<std::unique_ptr<CDrawObject>>> ReadObjectEntry(
    const fs::path& path, Host& host, const Settings* settings, const RenderContext* context) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxObjectEntryBytes);
  } catch (const FileError&) {
    std::error_code ec;
    if (fs::exists(path, ec) && fs::file_size(path, ec) > kMaxObjectEntryBytes) {
      throw ArchiveError(path.filename().string() + ": too large for a library entry");
    }
    return std::nullopt;
  }
  return ReadObjectEntryBytes(bytes, host, settings, context);
}

std::vector<std::unique_ptr<CDrawObject>> ReadObjectEntryBytes(std::span<const std::uint8_t> bytes,
                                                               Host& host, const Settings* settings,
                                                               const RenderContext* context) {
  MemorySource source(bytes);
  CArchive ar(source);
  return ReadObjectStream(ar, [&] {
    auto object = std::make_unique<CDrawObject>(host, settings);
    object->SetRenderContext(context);
    return object;
  });
}

}  // namespace lumi
