#pragma once
// Help: the data folder's help page opened in the desktop's browser.
#include <filesystem>
#include <functional>

#include <QUrl>

#include "base/host.h"

namespace lumi::app {

// Asks the desktop to open a URL; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;

// Opens `index` with `open` (the desktop's handler when empty). A missing file is
// reported as "Cannot find " and its path; a file nothing opens as the lack of an
// application for the extension.
void OpenHelpPage(const std::filesystem::path& index, Host& host, const UrlOpener& open = {});

}  // namespace lumi::app
