#pragma once
// The per-user settings store: integer and string values by section and name. The window
// keeps them in QSettings, tests in memory.
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace lumi {

class Settings {
 public:
  virtual ~Settings() = default;
  virtual int GetInt(std::string_view section, std::string_view name, int fallback) const = 0;
  virtual void SetInt(std::string_view section, std::string_view name, int value) = 0;
  virtual std::string GetString(std::string_view section, std::string_view name,
                                std::string_view fallback) const = 0;
  virtual void SetString(std::string_view section, std::string_view name,
                         std::string_view value) = 0;
};

class MemorySettings final : public Settings {
 public:
  int GetInt(std::string_view section, std::string_view name, int fallback) const override;
  void SetInt(std::string_view section, std::string_view name, int value) override;
  std::string GetString(std::string_view section, std::string_view name,
                        std::string_view fallback) const override;
  void SetString(std::string_view section, std::string_view name,
                 std::string_view value) override;
  bool Has(std::string_view section, std::string_view name) const;

 private:
  using Key = std::pair<std::string, std::string>;
  // Integers and strings share one namespace, as in the registry: writing one kind
  // replaces a value of the other kind.
  std::map<Key, std::string, std::less<>> values_;
};

}  // namespace lumi
