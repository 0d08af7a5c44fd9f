#include "qt_settings.h"

#include "qt_convert.h"

namespace lumi::app {

namespace {

QString Key(std::string_view section, std::string_view name) {
  return ToQString(section) + '/' + ToQString(name);
}

}  // namespace

QtSettings::QtSettings()
    : store_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Plenivor"),
             QStringLiteral("Lumiverdant")) {}

QtSettings::QtSettings(const QString& ini_path) : store_(ini_path, QSettings::IniFormat) {}

int QtSettings::GetInt(std::string_view section, std::string_view name, int fallback) const {
  bool ok = false;
  const int value = store_.value(Key(section, name)).toInt(&ok);
  return ok ? value : fallback;
}

void QtSettings::SetInt(std::string_view section, std::string_view name, int value) {
  store_.setValue(Key(section, name), value);
}

std::string QtSettings::GetString(std::string_view section, std::string_view name,
                                  std::string_view fallback) const {
  const QVariant value = store_.value(Key(section, name));
  if (!value.isValid()) return std::string(fallback);
  return value.toString().toStdString();
}

void QtSettings::SetString(std::string_view section, std::string_view name,
                           std::string_view value) {
  store_.setValue(Key(section, name), ToQString(value));
}

}  // namespace lumi::app
