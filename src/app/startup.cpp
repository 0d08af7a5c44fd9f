#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "base/data_folder.h"
#include "base/errors.h"

namespace lumi::app {

QString InstalledDataFolder() {
  const QString beside = QDir(QCoreApplication::applicationDirPath())
                             .absoluteFilePath(QStringLiteral("../share/lumiverdant"));
  if (QDir(beside).exists()) return QDir::cleanPath(beside);
  return QStringLiteral(LUMI_SOURCE_DATA_DIR);
}

QString UserDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/Plenivor/Lumiverdant");
}

FolderSet PrepareDataFolder(Host& host) {
  const QString user = UserDataFolder();
  try {
    SeedDataFolder(InstalledDataFolder().toStdString(), user.toStdString());
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Warning);
  }
  return FolderSet::FromRoot(user.toStdString());
}

void PublishFolders(const FolderSet& folders, Host& host, const QString& file_path) {
  QSettings key = file_path.isEmpty()
                      ? QSettings(QSettings::IniFormat, QSettings::UserScope,
                                  QStringLiteral("LumiverdantFile"))
                      : QSettings(file_path, QSettings::IniFormat);
  key.setValue(QStringLiteral("Textures"), QString::fromStdString(folders.textures));
  key.setValue(QStringLiteral("Transpar"), QString::fromStdString(folders.transparencies));
  key.setValue(QStringLiteral("Styles"), QString::fromStdString(folders.styles));
  key.setValue(QStringLiteral("Objects"), QString::fromStdString(folders.objects));
  key.sync();
  if (key.status() != QSettings::NoError) {
    const QString reason = key.status() == QSettings::AccessError
                               ? QStringLiteral("Access is denied.")
                               : QStringLiteral("The file is damaged.");
    host.Message(QStringLiteral("Error opening writable key in the system Registry:\n%1\n%2")
                     .arg(key.fileName(), reason)
                     .toStdString(),
                 MessageKind::Error);
  }
}

}  // namespace lumi::app
