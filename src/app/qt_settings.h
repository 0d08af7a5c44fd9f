#pragma once
// The settings store kept by QSettings: one group per section, in the INI file of
// organisation "Plenivor", application "Lumiverdant".
#include <QSettings>

#include "base/settings.h"

namespace lumi::app {

class QtSettings final : public Settings {
 public:
  QtSettings();
  // For tests and tools: a store in a given INI file.
  explicit QtSettings(const QString& ini_path);

  int GetInt(std::string_view section, std::string_view name, int fallback) const override;
  void SetInt(std::string_view section, std::string_view name, int value) override;
  std::string GetString(std::string_view section, std::string_view name,
                        std::string_view fallback) const override;
  void SetString(std::string_view section, std::string_view name,
                 std::string_view value) override;
  void Sync() { store_.sync(); }

 private:
  mutable QSettings store_;
};

}  // namespace lumi::app
