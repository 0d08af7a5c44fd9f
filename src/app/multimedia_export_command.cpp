#include "multimedia_export_command.h"

#include <string>

#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "export/multi_state_export.h"
#include "export/multi_state_objects.h"
#include "multimedia_export_dialog.h"

namespace lumi::app {

MultimediaExportSteps QtMultimediaExportSteps(QWidget* owner) {
  MultimediaExportSteps steps;
  steps.choose_target = [owner]() -> std::optional<MultiStateTarget> {
    CMultimediaExportDlg dialog(owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Target();
  };
  steps.ask_path = [owner](const SaveDialogRequest& request) { return AskSavePath(owner, request); };
  return steps;
}

bool RunMultimediaExport(CPlenivorDoc& document, Host& host, Settings& settings,
                         const MultimediaExportSteps& steps) {
  ObjectList& objects = document.Objects();
  if (!PrepareMultiStateExport(objects, host)) return false;
  const std::optional<MultiStateTarget> target = steps.choose_target();
  if (!target) return false;
  const MultiStateSaveDialog& dialog = MultiStateSaveDialogFor(*target);
  const std::string start = settings.GetString(kMultiStateSettingsSection, dialog.setting, "");
  const std::optional<std::filesystem::path> path =
      steps.ask_path({std::string(dialog.title), std::string(dialog.filter),
                      std::string(dialog.default_name), start});
  if (!path) return false;
  settings.SetString(kMultiStateSettingsSection, dialog.setting, path->string());
  const CanvasArea canvas{document.GetCanvasWidth(), document.GetCanvasHeight(),
                            document.GetCanvasColor()};
  return ExportMultiState(*target, path->string(), canvas, objects, host);
}

}  // namespace lumi::app
