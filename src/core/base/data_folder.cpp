#include "base/data_folder.h"

#include <cstdlib>
#include <system_error>

#include "base/errors.h"

namespace lumi {

namespace fs = std::filesystem;

fs::path UserDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  fs::path base;
  if (xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return base / "Plenivor" / "Lumiverdant";
}

const std::vector<std::string>& SeededFolderNames() {
  static const std::vector<std::string> names = {"Textures", "Transp",  "Styles",
                                                 "Objects",  "Samples", "Help"};
  return names;
}

std::vector<std::string> SeedDataFolder(const fs::path& installed, const fs::path& user) {
  std::error_code ec;
  const bool first_start = !fs::exists(user, ec);
  fs::create_directories(user, ec);
  if (ec) throw FileError("Cannot create the data folder \"" + user.string() + "\": " + ec.message());
  std::vector<std::string> copied;
  for (const std::string& name : SeededFolderNames()) {
    const fs::path from = installed / name;
    const fs::path to = user / name;
    if (fs::exists(to, ec) || !fs::is_directory(from, ec)) continue;
    // Copy into a temporary name first, so an interrupted copy is not taken for a
    // complete folder at the next start.
    const fs::path partial = user / (name + ".partial");
    fs::remove_all(partial, ec);
    fs::copy(from, partial, fs::copy_options::recursive, ec);
    if (!ec) fs::rename(partial, to, ec);
    if (ec) {
      std::error_code ignored;
      fs::remove_all(partial, ignored);
      throw FileError("Cannot copy \"" + from.string() + "\" to \"" + to.string() + "\": " + ec.message());
    }
    copied.push_back(name);
  }
  // Gene libraries live in the folder itself. They are copied on the first start only,
  // so a library the user deleted stays deleted.
  if (first_start) {
    for (const auto& entry : fs::directory_iterator(installed, ec)) {
      if (!entry.is_regular_file(ec) || entry.path().extension() != ".dna") continue;
      const fs::path to = user / entry.path().filename();
      fs::copy_file(entry.path(), to, ec);
      if (ec) throw FileError("Cannot copy \"" + entry.path().string() + "\" to \"" + to.string() + "\": " + ec.message());
      copied.push_back(entry.path().filename().string());
    }
  }
  return copied;
}

}  // namespace lumi
