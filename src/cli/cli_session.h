#pragma once
// What every subcommand that reads a drawing needs: the host, settings, the texture bank
// with the data folder behind it, and a project document the drawing is loaded into.
#include <filesystem>
#include <optional>
#include <string>

#include "base/folders.h"
#include "base/settings.h"
#include "cli_host.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "render/render_context.h"

namespace lumi::cli {

// The extension of `path` in lower case, with its dot.
std::string LowerExtension(const std::filesystem::path& path);

class CliSession {
 public:
  // `data_dir`: the data folder whose Textures/ and Transp/ the objects read; without one
  // the program's per-user data folder when it exists, else no texture files are read and
  // the objects keep the names they give.
  explicit CliSession(const std::optional<std::string>& data_dir);
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  CliHost& GetHost() { return host_; }
  CPlenivorDoc& Doc() { return doc_; }
  Settings& GetSettings() { return settings_; }
  // The data folder's layout, when the session has one.
  const std::optional<FolderSet>& Folders() const { return folders_; }

  // Loads a JSON scene (.json), a project (.plv) or an editable JPG (.jpg, .jpeg) into the
  // document. A bad scene throws SceneError, a file that cannot be read FileError, an
  // ordinary JPG UsageError, a damaged project or editable JPG ArchiveError.
  void Load(const std::filesystem::path& input);
  void LoadScene(const std::filesystem::path& input);
  void LoadProject(const std::filesystem::path& input);
  // Appends the objects of a style file (.sty) or an object-library entry (.obj). A file
  // that cannot be read throws FileError, a damaged one ArchiveError.
  void LoadLibraryFile(const std::filesystem::path& input);

 private:
  void LoadLibraryObjects(const std::filesystem::path& input);

  CliHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  std::optional<FolderSet> folders_;
  RenderContext context_;
  CPlenivorDoc doc_;
};

}  // namespace lumi::cli
