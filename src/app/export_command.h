#pragma once
// File > "Export...": the document's canvas (or its export crop region) composed once,
// then the Export dialog on it. The window repaints its views afterwards (the hint of a
// flat export).
#include <filesystem>

class QWidget;

namespace lumi {
class CPlenivorDoc;
class Host;
class Settings;
}  // namespace lumi

namespace lumi::app {

// Runs the command modally. The preview's temporary file goes to `temp_folder` (the
// per-user data folder). Returns true when a file was exported.
bool RunExportCommand(QWidget* owner, CPlenivorDoc& document, Host& host, Settings& settings,
                      const std::filesystem::path& temp_folder);

}  // namespace lumi::app
