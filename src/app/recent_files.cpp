#include "recent_files.h"

#include <string>

#include <QDir>
#include <QFileInfo>

namespace lumi::app {

namespace {

constexpr std::string_view kSection = "Recent File List";
constexpr qsizetype kMaxShownLength = 30;

std::string EntryName(int i) { return "File" + std::to_string(i + 1); }

QString Absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

QString Abbreviate(const QString& path) {
  if (path.size() <= kMaxShownLength) return path;
  const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
  if (parts.isEmpty()) return path;
  const QString lead = path.startsWith(u'/') ? QStringLiteral("/...") : QStringLiteral("...");
  QString tail = u'/' + parts.back();
  if (lead.size() + tail.size() > kMaxShownLength) return parts.back();
  for (qsizetype i = parts.size() - 2; i >= 0; --i) {
    const QString longer = u'/' + parts[i] + tail;
    if (lead.size() + longer.size() > kMaxShownLength) break;
    tail = longer;
  }
  return lead + tail;
}

}  // namespace

RecentFiles::RecentFiles(Settings& settings) : settings_(settings) {
  for (int i = 0; i < kSize; ++i) {
    const QString file = QString::fromStdString(settings_.GetString(kSection, EntryName(i), ""));
    if (!file.isEmpty() && !files_.contains(file)) files_ << file;
  }
}

void RecentFiles::Add(const QString& path) {
  const QString file = Absolute(path);
  files_.removeAll(file);
  files_.prepend(file);
  while (files_.size() > kSize) files_.removeLast();
  Store();
}

void RecentFiles::Remove(const QString& path) {
  if (files_.removeAll(Absolute(path)) > 0) Store();
}

void RecentFiles::Store() {
  // The store has no way to delete a value: unused entries are written empty.
  for (int i = 0; i < kSize; ++i)
    settings_.SetString(kSection, EntryName(i), i < files_.size() ? files_[i].toStdString() : "");
}

QString RecentMenuText(int index, const QString& path) {
  QString shown = Abbreviate(path);
  shown.replace(u'&', QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(QString::number(index + 1), shown);
}

}  // namespace lumi::app
