#pragma once
// The library list of the "Mutavia Colors" dialog: either the .dna files of the
// program's folder, or the entries of the one open library (".." first, then genes).
// Changes reach the disk only through Save, which runs when ".." is chosen, a gene is
// added, a library is created and on OK.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "library/gene_library.h"

namespace lumi {

class GeneLibraryList {
 public:
  explicit GeneLibraryList(std::filesystem::path folder);

  const std::filesystem::path& Folder() const { return folder_; }
  // The open library's file name, empty when the list shows the libraries.
  const std::string& OpenName() const { return open_; }
  // The list in its (sorted) order.
  const std::vector<std::string>& Items() const { return items_; }
  // "Mutavia Library" while the libraries are listed, else "Mutavia : " + caption.
  std::string Title() const;

  // Reads library `name` from the folder. A library that cannot be opened or read is
  // closed again (the libraries are listed) and false returned.
  bool Open(const std::string& name);
  // Lists the .dna files; no library open.
  void ShowLibraries();
  // Writes the open library in list order; false when none is open or the write failed.
  bool Save() const;

  // What choosing entry `index` did.
  enum class Choice { kNothing, kClosedLibrary, kOpenedLibrary, kGene };
  // "..": saves and closes the library; a file name: opens it; a gene: parsed into `gene`.
  Choice Choose(int index, Gene* gene);

  // Adds a gene entry and saves; false (nothing added) when no library is open.
  bool AddGene(const std::string& name, const GeneWords& words);
  // Removes entry `index` when a library is open and it is not "..". Not saved.
  bool Delete(int index);
  // "Add New Group": saves an open library, then creates the library named by the file
  // part of `chosen` in this folder with the single entry "..", and lists the libraries.
  // False when the name is empty or the file could not be written. A library of that
  // name already in this folder is only replaced when `chosen` is that very file (the
  // save dialog asked about it); one chosen elsewhere never empties it.
  enum class Created { kCreated, kFailed, kExistsHere };
  Created CreateLibrary(const std::filesystem::path& chosen);

 private:
  std::filesystem::path folder_;
  std::string open_;
  std::vector<std::string> items_;
};

}  // namespace lumi
