#pragma once
// The numbering shared by the style library and the object library: entry n of a folder
// is a main file "<stem><n><ext>" (Style3.sty, Object3.obj) with its picture
// "<stem><n>.tmb". Entries count contiguously from 1; the first missing main file ends
// the library, and files after a gap are not part of it.
#include <filesystem>
#include <string>

namespace lumi {

struct NumberedEntries {
  std::filesystem::path folder;
  std::string stem;  // "Style" or "Object"
  std::string ext;   // ".sty" or ".obj"

  std::string FileName(int n) const { return stem + std::to_string(n) + ext; }
  std::filesystem::path MainFile(int n) const { return folder / FileName(n); }
  std::filesystem::path Picture(int n) const {
    return folder / (stem + std::to_string(n) + ".tmb");
  }
  // N: the entries 1..N whose main files exist without a gap.
  int Count() const;
  // The number the next added entry takes: N + 1.
  int NextFree() const { return Count() + 1; }

  // Removes entry `i` and closes the gap: every following entry moves down by one number
  // with its picture. Every step is a rename, and a step that fails undoes the ones
  // before it, so the library is either fully renumbered or left exactly as it was.
  // Returns false when entry i does not exist or a rename failed.
  bool Remove(int i) const;
};

// The panels show three pictures a row: rows for N entries, and the entry in a cell.
inline int LibraryRowCount(int entries) { return entries <= 0 ? 0 : (entries + 2) / 3; }
inline int LibraryCellEntry(int row, int column) { return 3 * row + column + 1; }

}  // namespace lumi
