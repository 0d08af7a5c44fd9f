#include "file_filter.h"

#include <QStringList>

namespace lumi::app {

QString QtFileFilter(std::string_view filter) {
  const QStringList parts =
      QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(u'|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString pattern = parts[i + 1].trimmed();
    if (description.isEmpty()) break;  // the closing "||"
    const QString wrapped = QStringLiteral("(%1)").arg(pattern);
    entries << (description.endsWith(wrapped) ? description
                                              : description + u' ' + wrapped);
  }
  return entries.join(QStringLiteral(";;"));
}

int QtFilterIndex(const QString& qt_filter, const QString& selected) {
  return static_cast<int>(qt_filter.split(QStringLiteral(";;")).indexOf(selected));
}

}  // namespace lumi::app
