#include "cli_session.h"

#include <fstream>

#include "base/data_folder.h"
#include "base/errors.h"
#include "document/scene.h"
#include "document/scene_project.h"
#include "document/editable_jpg.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "options.h"

namespace lumi::cli {

namespace fs = std::filesystem;

std::string LowerExtension(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return ext;
}

namespace {

// The folder given, else the program's per-user data folder when it exists.
std::optional<FolderSet> DataFolders(const std::optional<std::string>& data_dir) {
  if (data_dir) return FolderSet::FromRoot(*data_dir);
  const fs::path user = UserDataFolder();
  std::error_code ec;
  if (!user.empty() && fs::is_directory(user, ec)) return FolderSet::FromRoot(user.string());
  return std::nullopt;
}

}  // namespace

CliSession::CliSession(const std::optional<std::string>& data_dir)
    : folders_(DataFolders(data_dir)),
      context_{&bank_, folders_ ? &*folders_ : nullptr},
      doc_(host_, settings_, bank_) {
  doc_.SetRenderContext(&context_);
  doc_.NewDocument();
}

CliSession::~CliSession() = default;

void CliSession::Load(const fs::path& input) {
  const std::string ext = LowerExtension(input);
  if (ext == ".json") return LoadScene(input);
  if (ext == ".plv" || ext == ".jpg" || ext == ".jpeg") return LoadProject(input);
  throw UsageError("the input must be a .plv project, an editable .jpg or a .json scene: " + input.string());
}

void CliSession::LoadScene(const fs::path& input) {
  // What the objects tell while they are built ("Image Load Error") joins the scene's own
  // error, so a failure is one line.
  std::optional<SceneError> failure;
  const std::string why = host_.CollectDuring([&] {
    try {
      MoveSceneIntoDocument(ReadSceneFile(input, host_, nullptr, &context_), doc_);
    } catch (const SceneError& e) {
      failure.emplace(e);
    }
  });
  if (failure) throw SceneError(why.empty() ? failure->what() : std::string(failure->what()) + " (" + why + ")");
  if (!why.empty()) host_.Message(why, MessageKind::Warning);
}

void CliSession::LoadLibraryFile(const fs::path& input) {
  std::error_code ec;
  if (!fs::is_regular_file(input, ec)) throw FileError("cannot read " + input.string());
  try {
    LoadLibraryObjects(input);
  } catch (const ArchiveError& e) {
    throw ArchiveError(input.string() + ": " + e.what());
  }
}

void CliSession::LoadLibraryObjects(const fs::path& input) {
  if (LowerExtension(input) == ".sty") {
    std::unique_ptr<CDrawObject> style = ReadStyle(input, host_, &settings_, &context_);
    if (!style) throw FileError("cannot read " + input.string());
    doc_.Objects().push_back(std::move(style));
    return;
  }
  auto objects = ReadObjectEntry(input, host_, &settings_, &context_);
  if (!objects) throw FileError("cannot read " + input.string());
  for (auto& object : *objects) doc_.Objects().push_back(std::move(object));
}

void CliSession::LoadProject(const fs::path& input) {
  // A file that cannot be read at all is the user's mistake, not damaged input.
  std::error_code ec;
  if (!fs::is_regular_file(input, ec) || !std::ifstream(input, std::ios::binary)) {
    throw FileError("cannot read " + input.string());
  }
  // The document tells why it refused the file through the host; on the command line
  // that becomes the one line of the error instead of extra message lines.
  bool opened = false;
  const std::string why = host_.CollectDuring([&] { opened = doc_.Open(input); });
  if (!opened) {
    // A JPG without a project is a plain picture, not a damaged file.
    if (why.rfind(kOrdinaryJpgText.substr(0, 30), 0) == 0) {
      throw UsageError(input.string() + " is an ordinary JPG without a project (editable JPGs are made by 'export --format ejpg')");
    }
    throw ArchiveError(input.string() + ": " + (why.empty() ? "not a project" : why));
  }
  if (!why.empty()) host_.Message(why, MessageKind::Warning);
}

}  // namespace lumi::cli
