#include "save_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "file_filter.h"

namespace lumi::app {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString SaveDialogStartFolder(std::string_view stored) {
  const QString path = FromView(stored);
  if (path.isEmpty()) return {};
  const QFileInfo info(path);
  return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QString WithDefaultExtension(const QString& chosen, std::string_view default_name) {
  const QString name = QFileInfo(chosen).fileName();
  // A leading dot names a hidden file, not an extension.
  if (name.mid(1).contains(u'.')) return chosen;
  const QString pattern = FromView(default_name);  // "*.jpg"
  const qsizetype dot = pattern.lastIndexOf(u'.');
  return dot < 0 ? chosen : chosen + pattern.mid(dot);
}

QString WithExtension(const QString& chosen, const QString& suffix) {
  const QFileInfo info(chosen);
  QString name = info.fileName();
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot > 0) name.truncate(dot);
  const QString folder = chosen.left(chosen.size() - info.fileName().size());
  return folder + name + u'.' + suffix;
}

QString FilterSuffix(const QString& name_filter) {
  const qsizetype star = name_filter.indexOf(QStringLiteral("*."));
  if (star < 0) return {};
  qsizetype end = star + 2;
  while (end < name_filter.size() && name_filter[end] != u')' && name_filter[end] != u' ' &&
         name_filter[end] != u';' && name_filter[end] != u'*')
    ++end;
  return name_filter.mid(star + 2, end - star - 2);
}

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& start,
                        const QString& qt_filter, QString* selected_filter, bool replace_extension) {
  QFileDialog dialog(parent, title, start, qt_filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (selected_filter && !selected_filter->isEmpty()) dialog.selectNameFilter(*selected_filter);
  dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (selected_filter) *selected_filter = dialog.selectedNameFilter();
  const QString chosen = dialog.selectedFiles().front();
  const QString suffix = FilterSuffix(dialog.selectedNameFilter());
  if (suffix.isEmpty()) return chosen;
  const QString completed = replace_extension ? WithExtension(chosen, suffix)
                                              : WithDefaultExtension(chosen, ("*." + suffix).toStdString());
  if (completed != chosen && QFileInfo::exists(completed)) {
    const auto answer = QMessageBox::warning(
        parent, title,
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(completed).fileName()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return {};
  }
  return completed;
}

std::optional<std::filesystem::path> AskSavePath(QWidget* parent, const SaveDialogRequest& request) {
  // The export runs under the wait cursor; the user needs the arrow to choose a file.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  // The default name's extension is the dialog's default suffix whatever filter shows.
  QString filter = QtFileFilter(request.filter);
  const QString default_suffix = FilterSuffix(FromView(request.default_name));
  QString selected;
  const QStringList filters = filter.split(QStringLiteral(";;"));
  for (const QString& f : filters) {
    if (!default_suffix.isEmpty() && FilterSuffix(f) == default_suffix) selected = f;
  }
  const QString chosen = AskSaveFileName(parent, FromView(request.title),
                                         SaveDialogStartFolder(request.start_folder), filter, &selected);
  QApplication::restoreOverrideCursor();
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(WithDefaultExtension(chosen, request.default_name).toStdString());
}

}  // namespace lumi::app
