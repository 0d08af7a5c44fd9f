#pragma once
// The dialogs of the canvas and colour commands answered by an edit script: each takes
// the next answer of the script's "answers" steps.
//
//   {"width": 800, "height": 600, "color": "#FFEECC", "removeUnused": true}  Document Properties
//   {"STexture": true, "Portable": false, "DefWidth": 640, "DefHeight": 480,
//    "Backup": 10, "Undo": 12}                                            General Settings
//   {"filter": "Color - Balance", "params": [200, 128, 90]}                Bitmap Color Tweak
//   {"filter": "Art - Oceanic", "random": true}
//   {"from": "#640000", "towards": "#960000"}                              Shift Color
//
// Fields left out keep the dialog's values; "ok" presses OK as the dialog opened, and
// "cancel" or no answer left presses Cancel. A size the dialog refuses is told (as the
// window does) and the dialog takes the next answer.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "edit/command_dialogs.h"

namespace lumi {

class Host;
class ScriptAnswers;

// Whether an answer object is meant for one of these dialogs, and if so what is wrong
// with it (nullopt when it is sound).
bool IsCommandDialogAnswer(const nlohmann::json& answer);
std::optional<std::string> CommandDialogAnswerProblem(const nlohmann::json& answer);

class ScriptCommandDialogs final : public CommandDialogs {
 public:
  ScriptCommandDialogs(ScriptAnswers& answers, Host& host) : answers_(answers), host_(host) {}
  bool DocumentProperties(CPlenivorDoc& doc, DocumentPropertiesValues& values) override;
  bool GeneralSettings(GeneralSettingsValues& values) override;
  bool ColourTweak(const CDIBSection& image, ColourTweakChoice& choice) override;
  bool ShiftColour(ShiftColourChoice& choice) override;

 private:
  // The next answer for `dialog`: nullopt for Cancel, an empty object for "ok".
  std::optional<nlohmann::json> Next(std::string_view dialog, std::initializer_list<const char*> fields);

  ScriptAnswers& answers_;
  Host& host_;
};

}  // namespace lumi
