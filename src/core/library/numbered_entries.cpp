#include "library/numbered_entries.h"

#include <system_error>
#include <utility>
#include <vector>

namespace lumi {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// Renames carried out so far, undone in reverse order when a later one fails.
class RenameJournal {
 public:
  bool Move(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) return false;
    done_.emplace_back(from, to);
    return true;
  }
  void Undo() {
    for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
      std::error_code ec;
      fs::rename(it->second, it->first, ec);
    }
    done_.clear();
  }

 private:
  std::vector<std::pair<fs::path, fs::path>> done_;
};

}  // namespace

int NumberedEntries::Count() const {
  int n = 0;
  while (Exists(MainFile(n + 1))) ++n;
  return n;
}

bool NumberedEntries::Remove(int i) const {
  if (i < 1 || !Exists(MainFile(i))) return false;
  // The removed files first go aside under names no entry uses, and are deleted only once
  // every entry after them has moved down.
  const fs::path removed_main = folder / ("." + FileName(i) + ".removed");
  const fs::path removed_picture = folder / ("." + FileName(i) + ".tmb.removed");
  RenameJournal journal;
  bool ok = journal.Move(MainFile(i), removed_main);
  if (ok && Exists(Picture(i))) ok = journal.Move(Picture(i), removed_picture);
  for (int j = i; ok && Exists(MainFile(j + 1)); ++j) {
    ok = journal.Move(MainFile(j + 1), MainFile(j));
    if (ok && Exists(Picture(j + 1))) ok = journal.Move(Picture(j + 1), Picture(j));
  }
  if (!ok) {
    journal.Undo();
    return false;
  }
  std::error_code ec;
  fs::remove(removed_main, ec);
  fs::remove(removed_picture, ec);
  return true;
}

}  // namespace lumi
