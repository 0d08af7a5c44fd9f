#pragma once
// The program's folders, all computed from one root: the per-user data folder, where the
// program keeps its libraries, samples and help. Library folder paths end with a slash,
// as other code appends file names to them directly.
#include <filesystem>
#include <string>

namespace lumi {

struct FolderSet {
  std::filesystem::path root;  // backup.plv, export.tmp and the .dna libraries live here
  std::string textures;        // root + "/Textures/"
  std::string transparencies;  // root + "/Transp/"
  std::string styles;          // root + "/Styles/"
  std::string objects;         // root + "/Objects/"
  std::string current_objects; // starts as `objects`; the object library changes it
  std::string samples;         // root + "/Samples/"
  std::string help;            // root + "/Help/"

  static FolderSet FromRoot(const std::filesystem::path& root);
  std::filesystem::path HelpIndex() const { return std::filesystem::path(help) / "index.htm"; }
  std::filesystem::path BackupFile() const { return root / "backup.plv"; }
  std::filesystem::path ExportPreviewFile() const { return root / "export.tmp"; }
};

}  // namespace lumi
