#include "edit/edit_script.h"

#include "collections/library_commands.h"
#include "document/plenivor_doc.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>

#include "edit/canvas_commands.h"
#include "edit/quick_tools.h"
#include "edit/script_dialogs.h"
#include "edit/tool_commands.h"
#include "edit/tool_ids.h"
#include "edit/view_keys.h"

namespace lumi {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(int index, std::string_view key, std::string_view why) {
  throw EditScriptError("step " + std::to_string(index) + ": " + std::string(key) + ": " + std::string(why));
}

// Far beyond any screen, and small enough that sums of a few coordinates stay in an int
// (a number past it used to be cut to a wrapped int and sent objects towards the int limits).
constexpr std::int64_t kFarthestPoint = 1'000'000;

Point ParsePoint(const json& v, int index, std::string_view key) {
  if (!v.is_array() || v.size() != 2 || !v[0].is_number_integer() || !v[1].is_number_integer())
    Fail(index, key, "a point is [x, y] in whole canvas pixels");
  for (const json& c : v) {
    // A number above the signed range reads as unsigned; it is out of range either way.
    if (c.is_number_unsigned() ? c.get<std::uint64_t>() > static_cast<std::uint64_t>(kFarthestPoint)
                               : std::llabs(c.get<std::int64_t>()) > kFarthestPoint)
      Fail(index, key, "a point lies within 1000000 pixels of the canvas origin");
  }
  return {v[0].get<int>(), v[1].get<int>()};
}

bool IsQuestionAnswer(const json& a) {
  return a.is_string() && (a == "yes" || a == "no" || a == "ok" || a == "cancel");
}

// The text dialog's fields and what each must be.
const std::map<std::string, json::value_t>& TextAnswerFields() {
  static const std::map<std::string, json::value_t> fields = {
      {"text", json::value_t::string},          {"font", json::value_t::string},
      {"lineHeight", json::value_t::number_float}, {"textBold", json::value_t::boolean},
      {"textItalic", json::value_t::boolean},   {"textAlign", json::value_t::number_integer},
  };
  return fields;
}

void CheckAnswer(const json& a, int index) {
  if (IsQuestionAnswer(a)) return;
  if (!a.is_object())
    Fail(index, "answers", "an answer is \"yes\", \"no\", \"ok\", \"cancel\", {\"file\": PATH}, {\"angle\": N}, a dialog's answer object or a text dialog object");
  if (a.contains("file")) {
    if (a.size() != 1 || !a["file"].is_string() || a["file"].get<std::string>().empty())
      Fail(index, "answers", "an image answer is {\"file\": PATH} alone");
    return;
  }
  if (a.contains("angle")) {
    if (a.size() != 1 || !a["angle"].is_number_integer())
      Fail(index, "answers", "the rotate dialog's answer is {\"angle\": whole degrees}");
    return;
  }
  if (IsCommandDialogAnswer(a)) {
    if (const auto problem = CommandDialogAnswerProblem(a)) Fail(index, "answers", *problem);
    return;
  }
  for (const auto& [name, value] : a.items()) {
    const auto field = TextAnswerFields().find(name);
    if (field == TextAnswerFields().end()) Fail(index, "answers", "unknown text dialog field '" + name + "'");
    const bool number = value.is_number();
    const bool ok = field->second == json::value_t::number_float ? number
                    : field->second == json::value_t::number_integer ? value.is_number_integer()
                                                                      : value.type() == field->second;
    if (!ok) Fail(index, "answers", "text dialog field '" + name + "' has the wrong type");
  }
}

// How each action key is read; a new action is one more row.
using StepParser = std::function<void(const json&, EditStep&)>;

// The library command that is not a tool command: it needs the data folder's styles.
constexpr std::string_view kAddToStyles = "Add to Styles";

const std::map<std::string, StepParser>& StepParsers() {
  static const std::map<std::string, StepParser> parsers = {
      {"tool", [](const json& v, EditStep& s) {
         if (!v.is_string() || !ToolForCommand(v.get<std::string>()))
           Fail(s.index, s.key, "unknown tool " + v.dump());
         s.text = v.get<std::string>();
       }},
      {"press", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"move", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"release", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"doubleClick", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"rightPress", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"drag", [](const json& v, EditStep& s) {
         if (!v.is_array() || v.empty()) Fail(s.index, s.key, "a drag is a list of points [[x, y], ...]");
         for (const json& p : v) s.points.push_back(ParsePoint(p, s.index, s.key));
       }},
      {"command", [](const json& v, EditStep& s) {
         if (!v.is_string() || (!FindMenuCommand(v.get<std::string>()) &&
                                !FindCanvasCommand(v.get<std::string>()) && v != kAddToStyles))
           Fail(s.index, s.key, "unknown command " + v.dump());
         s.text = v.get<std::string>();
       }},
      {"key", [](const json& v, EditStep& s) {
         if (!v.is_string() || !IsViewKey(v.get<std::string>())) Fail(s.index, s.key, "unknown key " + v.dump());
         s.text = v.get<std::string>();
       }},
      {"wheel", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"pinch", [](const json& v, EditStep& s) { s.points = {ParsePoint(v, s.index, s.key)}; }},
      {"quickTools", [](const json& v, EditStep& s) {
         if (!v.is_object() || v.empty()) Fail(s.index, s.key, "give {\"first\": n} and/or {\"second\": m}");
         for (const auto& [name, value] : v.items()) {
           if ((name != "first" && name != "second") || !value.is_number_integer())
             Fail(s.index, s.key, "'" + name + "' is not a slider position");
           (name == "first" ? s.first : s.second) = value.get<int>();
         }
       }},
      {"applyStyle", [](const json& v, EditStep& s) {
         if (!v.is_string() || v.get<std::string>().empty()) Fail(s.index, s.key, "the path of a .sty file");
         s.text = v.get<std::string>();
       }},
      {"insertObject", [](const json& v, EditStep& s) {
         if (!v.is_string() || v.get<std::string>().empty()) Fail(s.index, s.key, "the path of a library entry");
         s.text = v.get<std::string>();
       }},
      {"bar", [](const json& v, EditStep& s) {
         if (!v.is_string() || !IsBarTitle(v.get<std::string>())) Fail(s.index, s.key, "unknown bar " + v.dump());
         s.text = v.get<std::string>();
       }},
      {"answers", [](const json& v, EditStep& s) {
         if (!v.is_array()) Fail(s.index, s.key, "a list of answers");
         for (const json& a : v) CheckAnswer(a, s.index);
         s.answers.assign(v.begin(), v.end());
       }},
  };
  return parsers;
}

bool IsMouseStep(const std::string& key) {
  return key == "press" || key == "move" || key == "release" || key == "doubleClick" ||
         key == "rightPress" || key == "drag" || key == "wheel";
}

void CheckBarStep(const json& step, const EditStep& s) {
  if (!step.contains("control") || !step.contains("value"))
    Fail(s.index, s.key, "a bar step gives \"control\" and \"value\"");
  const BarValueKind* kind = FindBarControl(s.text, s.control);
  if (!kind) Fail(s.index, s.key, "\"" + s.text + "\" has no control \"" + s.control + "\"");
  const std::string problem = BarValueProblem(*kind, s.value);
  if (!problem.empty()) Fail(s.index, s.key, "\"" + s.control + "\": " + problem);
}

}  // namespace

EditScript ParseEditScript(const json& steps) {
  if (!steps.is_array()) throw EditScriptError("the script is a JSON array of steps");
  EditScript script;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const json& step = steps[i];
    EditStep s;
    s.index = static_cast<int>(i);
    if (!step.is_object()) Fail(s.index, "", "a step is one JSON object");
    for (const auto& [name, value] : step.items()) {
      if (name == "at") {
        // The drop point of an insertObject step.
        s.points = {ParsePoint(value, s.index, name)};
        continue;
      }
      if (name == "delta" || name == "pixels" || name == "scale") {
        // How far a wheel turns (eighths of a degree; or pixels) and a pinch spreads.
        if (name == "delta" && !value.is_number_integer()) Fail(s.index, name, "a whole number, 120 a notch");
        if (name == "pixels") s.wheel.pixels = ParsePoint(value, s.index, name);
        if (name == "delta") s.wheel.angle.y = value.get<int>();
        if (name == "scale" && !value.is_number()) Fail(s.index, name, "a number, 0.5 spreads by half");
        if (name == "scale") s.pinch = value.get<double>();
        continue;
      }
      if (name == "control" || name == "value") {
        // The two halves of a bar step.
        if (name == "value") {
          s.value = value;
        } else if (value.is_string()) {
          s.control = value.get<std::string>();
        } else {
          Fail(s.index, name, "a control's caption or name");
        }
        continue;
      }
      if (name == "shift" || name == "ctrl") {
        if (!value.is_boolean()) Fail(s.index, name, "true or false");
        (name == "shift" ? s.keys.shift : s.keys.ctrl) = value.get<bool>();
        continue;
      }
      const auto parser = StepParsers().find(name);
      if (parser == StepParsers().end()) Fail(s.index, name, "unknown key");
      if (!s.key.empty()) Fail(s.index, name, "one action per step (this one also has '" + s.key + "')");
      s.key = name;
      parser->second(value, s);
    }
    if (s.key.empty()) Fail(s.index, "", "the step has no action");
    if (s.key == "bar") CheckBarStep(step, s);
    if ((step.contains("control") || step.contains("value")) && s.key != "bar")
      Fail(s.index, step.contains("control") ? "control" : "value", "only bar steps name a control");
    if (step.contains("at") && s.key != "insertObject") Fail(s.index, "at", "only insertObject takes a drop point");
    if ((step.contains("delta") || step.contains("pixels")) && s.key != "wheel")
      Fail(s.index, step.contains("delta") ? "delta" : "pixels", "only wheel steps turn");
    if (s.key == "wheel" && !step.contains("delta") && !step.contains("pixels"))
      Fail(s.index, s.key, "give \"delta\" (120 a notch) or \"pixels\": [dx, dy]");
    if (step.contains("scale") != (s.key == "pinch")) Fail(s.index, "scale", "a pinch and only a pinch has a scale");
    s.wheel.ctrl = s.keys.ctrl;
    s.wheel.shift = s.keys.shift;
    if ((s.keys.shift || s.keys.ctrl) && !IsMouseStep(s.key))
      Fail(s.index, s.keys.shift ? "shift" : "ctrl", "only mouse steps take modifiers");
    script.push_back(std::move(s));
  }
  return script;
}

// ---- answers

std::optional<json> ScriptAnswers::TakeNext() {
  if (queue_.empty()) return std::nullopt;
  json a = queue_.front();
  queue_.pop_front();
  return a;
}

void ScriptAnswers::Add(const std::vector<json>& answers) {
  queue_.insert(queue_.end(), answers.begin(), answers.end());
}

std::optional<Answer> ScriptAnswers::NextQuestionAnswer() {
  if (queue_.empty()) return std::nullopt;
  const json a = queue_.front();
  queue_.pop_front();
  if (a == "yes") return Answer::Yes;
  if (a == "no") return Answer::No;
  if (a == "ok") return Answer::Ok;
  if (a == "cancel") return Answer::Cancel;
  throw EditScriptError("a question was asked, but the next answer is a text dialog's");
}

bool ScriptAnswers::Run(TextDialogValues& values) {
  if (queue_.empty()) return false;
  const json a = queue_.front();
  queue_.pop_front();
  if (a == "cancel") return false;
  if (!a.is_object() || a.contains("file") || a.contains("angle") || IsCommandDialogAnswer(a))
    throw EditScriptError("the text dialog opened, but the next answer is " + a.dump());
  if (a.contains("text")) values.text = a["text"].get<std::string>();
  if (a.contains("font") && !SetFaceName(values.font, a["font"].get<std::string>()))
    throw EditScriptError("font name too long: " + a["font"].get<std::string>());
  if (a.contains("lineHeight")) values.size = a["lineHeight"].get<double>();
  if (a.contains("textBold")) values.bold = a["textBold"].get<bool>();
  if (a.contains("textItalic")) values.italic = a["textItalic"].get<bool>();
  if (a.contains("textAlign")) values.alignment = a["textAlign"].get<int>();
  return true;
}

std::optional<std::filesystem::path> ScriptAnswers::ChooseImageFile() {
  if (queue_.empty()) return std::nullopt;
  const json a = queue_.front();
  queue_.pop_front();
  if (a == "cancel") return std::nullopt;
  if (!a.is_object() || !a.contains("file"))
    throw EditScriptError("the image dialog opened, but the next answer is " + a.dump());
  return std::filesystem::path(a["file"].get<std::string>());
}

std::optional<int> ScriptAnswers::NextRotateAngle() {
  if (queue_.empty()) return std::nullopt;
  const json a = queue_.front();
  queue_.pop_front();
  if (a == "cancel") return std::nullopt;
  if (!a.is_object() || !a.contains("angle"))
    throw EditScriptError("the rotate dialog opened, but the next answer is " + a.dump());
  return a["angle"].get<int>();
}

// ---- running

void EditScriptRunner::Run(const EditScript& script) {
  for (const EditStep& step : script) RunStep(step);
}

void EditScriptRunner::RunStep(const EditStep& s) {
  try {
    const Point p = s.points.empty() ? Point{} : s.points.front();
    if (s.key == "tool") {
      const Tool tool = *ToolForCommand(s.text);
      if (!machine_.ChooseTool(tool)) Fail(s.index, s.key, "\"" + s.text + "\" is not available now");
    } else if (s.key == "press") {
      machine_.Press(p, s.keys);
    } else if (s.key == "move") {
      machine_.Move(p, s.keys);
    } else if (s.key == "release") {
      machine_.Release(p, s.keys);
    } else if (s.key == "doubleClick") {
      machine_.DoubleClick(p, s.keys);
    } else if (s.key == "rightPress") {
      machine_.RightPress(p, s.keys);
    } else if (s.key == "drag") {
      machine_.Press(s.points.front(), s.keys);
      for (std::size_t i = 1; i < s.points.size(); ++i) machine_.Move(s.points[i], s.keys);
      machine_.Release(s.points.back(), s.keys);
    } else if (s.key == "applyStyle" || s.key == "insertObject" || (s.key == "command" && s.text == kAddToStyles)) {
      RunLibraryStep(s);
    } else if (s.key == "command" && FindCanvasCommand(s.text)) {
      const DialogCommand* c = FindCanvasCommand(s.text);
      if (!c->enabled(machine_)) Fail(s.index, s.key, "\"" + s.text + "\" is not available now");
      ScriptCommandDialogs dialogs(answers_, machine_.GetHost());
      CommandContext context{machine_, dialogs, machine_.Doc().GetSettings()};
      c->run(context);
    } else if (s.key == "command") {
      const MenuCommand* c = FindMenuCommand(s.text);
      if (!c->enabled(machine_)) Fail(s.index, s.key, "\"" + s.text + "\" is not available now");
      c->run(machine_);
    } else if (s.key == "key") {
      // Escape and the zoom keys may find nothing to do, as in the window; a tool or
      // command key that is disabled stops the script like its menu entry would.
      const bool zoom = s.text == "+" || s.text == "-";
      if (!PressViewKey(s.text, machine_, zoom ? &View() : nullptr) && !zoom && s.text != "Escape")
        Fail(s.index, s.key, "\"" + s.text + "\" is not available now");
    } else if (s.key == "wheel") {
      WheelTurn turn = s.wheel;
      turn.device = View().Zoom().CanvasToDevice(p);
      View().Wheel(turn);
    } else if (s.key == "pinch") {
      View().ZoomAbout(View().Zoom().CanvasToDevice(p), 1.0 + s.pinch);
    } else if (s.key == "quickTools") {
      if (s.first) quick_.first_value = *s.first;
      if (s.second) quick_.second_value = *s.second;
      // The node panel's Width slider acts when released.
      if (s.first && !quick_.requests.empty() && quick_.Last().variant == kQuickNodePanel &&
          quick_.Last().first == 1)
        machine_.WidthSliderReleased(*s.first);
    } else if (s.key == "answers") {
      answers_.Add(s.answers);
    } else if (s.key == "bar") {
      if (!bars_) Fail(s.index, s.key, "this run has no property bars");
      bars_->SetControl(s.text, s.control, s.value);
    }
  } catch (const EditScriptError& e) {
    const std::string what = e.what();
    if (what.rfind("step ", 0) == 0) throw;
    Fail(s.index, s.key, what);
  }
}

DrawingView& EditScriptRunner::View() {
  if (!view_) view_ = std::make_unique<ScriptView>(machine_.Doc(), machine_.GetHost());
  return view_->View();
}

void EditScriptRunner::RunLibraryStep(const EditStep& s) {
  ScriptLibraries& libraries = libraries_ ? *libraries_ : own_libraries_;
  CPlenivorDoc& doc = machine_.Doc();
  if (s.key == "applyStyle") {
    CDrawObject* current = machine_.Selected();
    if (!ApplyStyleFile(doc, current, s.text, machine_.DefaultSets()))
      Fail(s.index, s.key, "the style could not be applied: " + s.text);
    return;
  }
  if (s.key == "insertObject") {
    std::optional<Point> drop;
    if (!s.points.empty()) drop = s.points.front();
    const std::optional<InsertedEntry> inserted = InsertLibraryEntry(doc, s.text, drop);
    if (!inserted) Fail(s.index, s.key, "the entry could not be inserted: " + s.text);
    if (inserted->objects.size() == 1) {
      machine_.SelectObject(inserted->objects.front());
    } else {
      machine_.SetMultiSelection(inserted->objects, inserted->grouped);
    }
    return;
  }
  // "Add to Styles": the current object's look becomes the next style.
  const CDrawObject* current = machine_.Selected();
  if (!current || libraries.styles_folder.empty())
    Fail(s.index, s.key, "\"" + s.text + "\" is not available now");
  if (AddStyle(libraries.styles_folder, *current) == 0)
    Fail(s.index, s.key, "the style could not be written into " + libraries.styles_folder.string());
}

std::string SelectionText(const ToolMachine& machine) {
  std::string text = "[";
  for (int i : machine.SelectedIndexes()) {
    if (text.size() > 1) text += ", ";
    text += std::to_string(i);
  }
  return text + "]";
}

}  // namespace lumi
