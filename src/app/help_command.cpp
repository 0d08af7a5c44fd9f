#include "help_command.h"

#include <system_error>

#include <QDesktopServices>
#include <QString>

namespace lumi::app {

void OpenHelpPage(const std::filesystem::path& index, Host& host, const UrlOpener& open) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(index, ec)) {
    host.Message("Cannot find " + index.string(), MessageKind::Warning);
    return;
  }
  const QUrl url = QUrl::fromLocalFile(QString::fromStdString(index.string()));
  const bool opened = open ? open(url) : QDesktopServices::openUrl(url);
  if (!opened) {
    host.Message(
        "There is no application associated with the HTM filename extension.\n"
        "You need Netscape Navigator or Internet Explorer to view the help files.",
        MessageKind::Warning);
  }
}

}  // namespace lumi::app
