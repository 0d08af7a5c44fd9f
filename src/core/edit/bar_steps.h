#pragma once
// The property bars as an edit script reaches them: a step names a bar by its window
// title and a control by its caption (check boxes and buttons) or its name (lists,
// colours, sliders and dials), and gives the value a user would leave it at.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace lumi {

// What a control's value is in a script.
enum class BarValueKind {
  kCheck,   // true or false
  kButton,  // true: pressed once
  kItem,    // a list item's text
  kColour,  // "#RRGGBB"
  kPosition,  // a slider's or dial's position
};

// The control `name` of the bar titled `bar`, or null when the bar has no such control.
const BarValueKind* FindBarControl(std::string_view bar, std::string_view name);
// Whether `bar` is the title of a property bar.
bool IsBarTitle(std::string_view bar);
// Why `value` does not suit a control of this kind (empty when it does).
std::string BarValueProblem(BarValueKind kind, const nlohmann::json& value);

// The bars a script run sets controls on.
class BarSteps {
 public:
  virtual ~BarSteps() = default;
  // Sets the control as a user would and applies as the end of that change does. Throws
  // EditScriptError when the control cannot take the value now.
  virtual void SetControl(std::string_view bar, std::string_view control, const nlohmann::json& value) = 0;
};

}  // namespace lumi
