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

QString QtDialogFilter(FormatDialog dialog) { return QtFileFilter(DialogFilter(dialog)); }

std::optional<ImageFormat> QtFilterFormat(FormatDialog dialog, const QString& selected) {
  for (const DialogFilterEntry& e : kDialogFilterEntries) {
    if (e.dialog != dialog) continue;
    if (QtFileFilter(DialogFilter(dialog, e.format)) == selected)
      return FormatOfFilter(dialog, e.description);
  }
  return std::nullopt;
}

}  // namespace lumi::app
