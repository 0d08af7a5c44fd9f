#include "ui/texture_selection.h"

#include <algorithm>
#include <cctype>

namespace lumi {

namespace {

bool StartsWithAnyCase(const std::string& item, const std::string& prefix) {
  if (prefix.size() > item.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), item.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

std::string TextureSelection::Selected() const {
  if (selection < 0 || selection >= static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(selection)];
}

void TextureSelection::Show(const std::string& name) {
  if (name.empty()) {
    selection = 0;
    return;
  }
  if (Selected() == name) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (StartsWithAnyCase(items[i], name)) {
      selection = static_cast<int>(i);
      return;
    }
  }
  items.push_back(name);
  selection = static_cast<int>(items.size()) - 1;
}

int TextureSelection::Find(const std::string& text) const {
  const auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace lumi
