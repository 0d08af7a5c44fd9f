#include "library/gene_library_list.h"

#include "base/errors.h"

namespace lumi {

GeneLibraryList::GeneLibraryList(std::filesystem::path folder) : folder_(std::move(folder)) {
  ShowLibraries();
}

std::string GeneLibraryList::Title() const {
  return open_.empty() ? "Mutavia Library" : "Mutavia : " + GeneLibraryCaption(open_);
}

bool GeneLibraryList::Open(const std::string& name) {
  std::optional<std::vector<std::string>> entries;
  try {
    entries = ReadGeneLibrary(folder_ / name);
  } catch (const ArchiveError&) {
    // A damaged library is closed like one that cannot be opened, and never written.
  }
  if (!entries || name.empty()) {
    ShowLibraries();
    return false;
  }
  open_ = name;
  items_ = std::move(*entries);
  SortGeneList(items_);
  return true;
}

void GeneLibraryList::ShowLibraries() {
  open_.clear();
  items_ = GeneLibraryFiles(folder_);
}

bool GeneLibraryList::Save() const {
  if (open_.empty()) return false;
  return WriteGeneLibrary(folder_ / open_, items_);
}

GeneLibraryList::Choice GeneLibraryList::Choose(int index, Gene* gene) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return Choice::kNothing;
  const std::string entry = items_[static_cast<std::size_t>(index)];
  if (entry == "..") {
    Save();
    ShowLibraries();
    return Choice::kClosedLibrary;
  }
  if (const std::optional<GeneEntry> parsed = ParseGeneEntry(entry)) {
    if (gene) *gene = UnpackLibraryGene(parsed->words);
    return Choice::kGene;
  }
  return Open(entry) ? Choice::kOpenedLibrary : Choice::kNothing;
}

bool GeneLibraryList::AddGene(const std::string& name, const GeneWords& words) {
  if (open_.empty()) return false;
  items_.push_back(FormatGeneEntry(name, words));
  SortGeneList(items_);
  Save();
  return true;
}

bool GeneLibraryList::Delete(int index) {
  if (open_.empty() || index < 0 || index >= static_cast<int>(items_.size())) return false;
  if (items_[static_cast<std::size_t>(index)] == "..") return false;
  items_.erase(items_.begin() + index);
  return true;
}

GeneLibraryList::Created GeneLibraryList::CreateLibrary(const std::filesystem::path& chosen) {
  if (!open_.empty()) Save();
  ShowLibraries();
  const std::string name = chosen.filename().string();
  if (name.empty()) return Created::kFailed;
  const std::filesystem::path target = folder_ / name;
  std::error_code ec;
  if (std::filesystem::exists(target, ec) && !std::filesystem::equivalent(target, chosen, ec)) {
    return Created::kExistsHere;
  }
  const bool written = WriteGeneLibrary(target, {".."});
  ShowLibraries();
  return written ? Created::kCreated : Created::kFailed;
}

}  // namespace lumi
