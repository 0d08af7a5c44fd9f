#include "save_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

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

std::optional<std::filesystem::path> AskSavePath(QWidget* parent, const SaveDialogRequest& request) {
  // The export runs under the wait cursor; the user needs the arrow to choose a file.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const QString chosen =
      QFileDialog::getSaveFileName(parent, FromView(request.title), SaveDialogStartFolder(request.start_folder),
                                   QtFileFilter(request.filter));
  QApplication::restoreOverrideCursor();
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(WithDefaultExtension(chosen, request.default_name).toStdString());
}

}  // namespace lumi::app
