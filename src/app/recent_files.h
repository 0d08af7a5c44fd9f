#pragma once
// The recently used files of the File menu: at most four, the newest first, kept in the
// settings section "Recent File List" as the strings "File1" to "File4".
#include <QString>
#include <QStringList>

#include "base/settings.h"

namespace lumi::app {

class RecentFiles {
 public:
  static constexpr int kSize = 4;

  // Reads the list now; an empty or missing value ends nothing, it is only skipped.
  explicit RecentFiles(Settings& settings);

  const QStringList& Files() const { return files_; }
  // Puts `path` (made absolute) first, moving it up when it is already listed and
  // dropping the oldest entry beyond four. Stored at once.
  void Add(const QString& path);
  // Takes `path` out of the list, as when it could no longer be opened.
  void Remove(const QString& path);

 private:
  void Store();

  Settings& settings_;
  QStringList files_;
};

// The menu text of entry `index` (0-based): "&1 " and the path shortened to 30
// characters by leaving out middle folders ("/.../folder/name.plv"), or the bare file
// name when even that is too long. Ampersands of the path show as themselves.
QString RecentMenuText(int index, const QString& path);

}  // namespace lumi::app
