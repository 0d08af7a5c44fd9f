#pragma once
// The object library: group folders under the Objects folder, each holding numbered
// entries "Object<n>.obj" (an object stream) with their 50 x 50 pictures.
#include <filesystem>
#include <memory>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "library/numbered_entries.h"

namespace lumi {

class CDrawObject;
class Host;
class Settings;
struct RenderContext;

inline NumberedEntries ObjectEntries(const std::filesystem::path& group_folder) {
  return {group_folder, "Object", ".obj"};
}

// The names of the sub-folders of the Objects folder, sorted; empty when there are none
// or the folder cannot be read.
std::vector<std::string> ObjectGroupNames(const std::filesystem::path& objects_folder);

// The group the panel opens with: `stored` when it is listed, else the first group, else
// none (entries then live in the Objects folder itself).
std::optional<std::string> ChooseObjectGroup(const std::vector<std::string>& groups,
                                             const std::string& stored);

// The folder of a group, or the Objects folder itself without one; ends with a slash.
std::string ObjectGroupFolder(const std::string& objects_folder,
                              const std::optional<std::string>& group);

// Writes entry `n` of the group: one object is stored moved to (0, 0) with its size kept
// and pictured with a 10-pixel margin; several keep their canvas positions, stored in
// the order given (document order) and pictured by their bounding square. The picture is
// written first and the entry last, each through a temporary file and a rename; a new
// entry whose file fails loses its picture again. Returns whether the entry was written.
bool WriteObjectEntry(const std::filesystem::path& group_folder, int n,
                      const std::vector<const CDrawObject*>& objects);

// The same to any entry file and picture file.
bool WriteObjectEntryFile(const std::filesystem::path& entry_file,
                          const std::filesystem::path& picture_file,
                          const std::vector<const CDrawObject*>& objects);

// "Add to Library": the first free number; returns it, or 0 when nothing was written.
int AddObjectEntry(const std::filesystem::path& group_folder,
                   const std::vector<const CDrawObject*>& objects);

// Reads an entry's objects (each rendered with `context`) bound to `host`. Nothing when
// the file cannot be opened; a damaged file throws ArchiveError and gives no objects at all.
std::optional<std::vector<std::unique_ptr<CDrawObject>>> ReadObjectEntry(
    const std::filesystem::path& path, Host& host, const Settings* settings = nullptr,
    const RenderContext* context = nullptr);

// The same from a file's bytes.
std::vector<std::unique_ptr<CDrawObject>> ReadObjectEntryBytes(std::span<const std::uint8_t> bytes,
                                                               Host& host,
                                                               const Settings* settings = nullptr,
                                                               const RenderContext* context = nullptr);

// The largest entry file read.
inline constexpr std::uint64_t kMaxObjectEntryBytes = 256u << 20;

}  // namespace lumi
