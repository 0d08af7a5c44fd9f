#pragma once
// What every property bar round the view shares: the view it works for, the object it
// shows, and the one way a change is written into that object: forget an object the
// view no longer holds, write the bar's attributes, render, record an undo step and
// repaint the object's area.
//
//   BevelBar bar;
//   bar.SetView(&tools);  bar.SetObject(tools.Selected());   // the controls show the object
//   bar.kind = 1;  bar.Apply();                               // "Smooth Bevel" on the object
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/colour.h"
#include "base/geometry.h"

namespace lumi {

class CDrawObject;
class ToolMachine;

class PropertyBar {
 public:
  PropertyBar();
  virtual ~PropertyBar();
  PropertyBar(const PropertyBar&) = delete;
  PropertyBar& operator=(const PropertyBar&) = delete;
  // The window title, which edit scripts also name the bar by.
  virtual std::string_view Title() const = 0;

  // The view the bar works for; null while the document is being emptied.
  void SetView(ToolMachine* view) { view_ = view; }
  ToolMachine* View() const { return view_; }
  // Remembers the object and shows it in the controls; with none the controls keep
  // their state.
  void SetObject(CDrawObject* object);
  CDrawObject* Object() const { return object_; }

  // Writes the controls into the object (when there still is one) as the end of a
  // user's change does.
  void Apply();

  // While a slider or dial is dragged: the object shows the controls at once, without an
  // undo step or new defaults. The Apply at the end of the change takes over from it (the
  // repaint covers the area before the first preview); CancelPreview gives the object
  // back its look when the drag ended where it started.
  void Preview();
  void CancelPreview();
  bool Previewing() const { return saved_look_ != nullptr; }

  // An edit script's step: sets the control (caption or name) as a user would and
  // applies as the end of that change does. Throws EditScriptError when it cannot.
  virtual void SetControl(std::string_view name, const nlohmann::json& value) = 0;

 protected:
  // The controls from the object.
  virtual void Refresh(const CDrawObject& object) = 0;
  // The bar's attributes into the object (render, undo and repaint follow).
  virtual void Write(CDrawObject& object) = 0;
  // Done at every Apply, with or without an object (the defaults for new objects).
  virtual void AfterApply() {}
  // The area repainted after a change: the object's area before and after it.
  virtual Rect RepaintArea(const CDrawObject& object, const Rect& before) const;

  // The object when the view still holds it; otherwise it is forgotten and null.
  CDrawObject* LiveObject();
  // Render, undo step, repaint: the end of every change of an object.
  void Finish(CDrawObject& object, const Rect& before);

 private:
  ToolMachine* view_ = nullptr;
  CDrawObject* object_ = nullptr;
  // The object's look before the first preview of a drag, and its area then.
  std::unique_ptr<CDrawObject> saved_look_;
  Rect preview_before_;
};

// The attribute table's writes and reads by key (the keys of objects/object_attributes).
void WriteAttribute(CDrawObject& object, const char* key, int value);
void WriteColourAttribute(CDrawObject& object, const char* key, COLORREF value);
void WriteTextAttribute(CDrawObject& object, const char* key, const std::string& value);
int ReadAttribute(const CDrawObject& object, const char* key);
COLORREF ReadColourAttribute(const CDrawObject& object, const char* key);
const std::string& ReadTextAttribute(const CDrawObject& object, const char* key);

// A script's slider or dial position, which must lie in the control's range.
int ScriptPosition(std::string_view name, const nlohmann::json& value, int minimum, int maximum);
// A script's list item, which must be in the list.
int ScriptItem(std::string_view name, const nlohmann::json& value, const std::vector<std::string>& items);
[[noreturn]] void FailControl(std::string_view name, const std::string& why);

// "#RRGGBB" as a colour, and back.
COLORREF ColourFromText(std::string_view text);
std::string ColourText(COLORREF colour);

}  // namespace lumi
