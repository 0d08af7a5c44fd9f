#include "base/settings.h"

#include <charconv>

namespace lumi {

int MemorySettings::GetInt(std::string_view section, std::string_view name, int fallback) const {
  auto it = values_.find(Key(section, name));
  if (it == values_.end()) return fallback;
  int value = 0;
  const std::string& s = it->second;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size() ? value : fallback;
}

void MemorySettings::SetInt(std::string_view section, std::string_view name, int value) {
  values_[Key(section, name)] = std::to_string(value);
}

std::string MemorySettings::GetString(std::string_view section, std::string_view name,
                                      std::string_view fallback) const {
  auto it = values_.find(Key(section, name));
  return it == values_.end() ? std::string(fallback) : it->second;
}

void MemorySettings::SetString(std::string_view section, std::string_view name,
                               std::string_view value) {
  values_[Key(section, name)] = std::string(value);
}

bool MemorySettings::Has(std::string_view section, std::string_view name) const {
  return values_.count(Key(section, name)) != 0;
}

}  // namespace lumi
