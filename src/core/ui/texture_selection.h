#pragma once
// A texture list's items and its selection, as the colour and transparency bars keep
// them: an object's texture name is found by a case-insensitive prefix search, and a
// name the list lacks (a texture the project brought along) is appended and selected.
#include <string>
#include <vector>

namespace lumi {

struct TextureSelection {
  std::vector<std::string> items;
  int selection = 0;

  // The selected item's text ("" when the list is empty).
  std::string Selected() const;
  // Shows `name`: "" selects item 0; otherwise the first item that starts with it
  // (any case); when none does, the name is appended and selected.
  void Show(const std::string& name);
  // The item whose text is `text` exactly, or -1.
  int Find(const std::string& text) const;
};

}  // namespace lumi
