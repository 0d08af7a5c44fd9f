#include "ui/property_bar.h"

#include <cstdio>
#include <stdexcept>

#include "document/plenivor_doc.h"
#include "edit/edit_script.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"
#include "objects/object_attributes.h"

namespace lumi {

namespace {

const ObjectAttribute& Attribute(const char* key) {
  const ObjectAttribute* a = FindObjectAttribute(key);
  if (!a) throw std::logic_error(std::string("no attribute ") + key);
  return *a;
}

bool PlenivorHolds(const CPlenivorDoc& doc, const CDrawObject* object) {
  for (const auto& o : doc.Objects())
    if (o.get() == object) return true;
  return false;
}

}  // namespace

PropertyBar::PropertyBar() = default;
PropertyBar::~PropertyBar() = default;

void PropertyBar::SetObject(CDrawObject* object) {
  if (object != object_) saved_look_.reset();
  object_ = object;
  if (object_) Refresh(*object_);
}

CDrawObject* PropertyBar::LiveObject() {
  // A bar's object is only borrowed: once the view no longer holds it, it may be gone.
  if (view_ && view_->Selected() != object_) object_ = nullptr;
  if (view_ && object_ && !PlenivorHolds(view_->Doc(), object_)) object_ = nullptr;
  return object_;
}

void PropertyBar::Apply() {
  if (CDrawObject* object = LiveObject()) {
    const Rect before = Previewing() ? preview_before_ : object->GetInvalidRect(object->GetSelectionRect());
    saved_look_.reset();
    Write(*object);
    Finish(*object, before);
  }
  saved_look_.reset();
  AfterApply();
}

void PropertyBar::Preview() {
  CDrawObject* object = LiveObject();
  if (!object || !view_) return;
  const Rect before = object->GetInvalidRect(object->GetSelectionRect());
  if (!saved_look_) {
    saved_look_ = view_->Doc().MakeObject();
    CopyCarriedAttributes(*saved_look_, *object, kCarriedByLook);
    preview_before_ = before;
  }
  Write(*object);
  object->Render();
  view_->Port().InvalidateCanvas(RepaintArea(*object, before));
}

void PropertyBar::CancelPreview() {
  if (!saved_look_) return;
  std::unique_ptr<CDrawObject> saved = std::move(saved_look_);
  CDrawObject* object = LiveObject();
  if (!object) return;
  const Rect before = object->GetInvalidRect(object->GetSelectionRect());
  CopyCarriedAttributes(*object, *saved, kCarriedByLook);
  object->Render();
  view_->Port().InvalidateCanvas(RepaintArea(*object, before));
}

Rect PropertyBar::RepaintArea(const CDrawObject& object, const Rect& before) const {
  return Union(before, object.GetInvalidRect(object.GetSelectionRect()));
}

void PropertyBar::Finish(CDrawObject& object, const Rect& before) {
  object.Render();
  if (!view_) return;
  view_->Doc().SetModified();
  view_->Doc().TakeSnapshot();
  view_->Port().InvalidateCanvas(RepaintArea(object, before));
}

void WriteAttribute(CDrawObject& object, const char* key, int value) { Attribute(key).SetInt(object, value); }
void WriteColourAttribute(CDrawObject& object, const char* key, COLORREF value) {
  Attribute(key).Colour(object) = value;
}
void WriteTextAttribute(CDrawObject& object, const char* key, const std::string& value) {
  Attribute(key).SetText(object, value);
}
int ReadAttribute(const CDrawObject& object, const char* key) { return Attribute(key).Int(object); }
COLORREF ReadColourAttribute(const CDrawObject& object, const char* key) { return Attribute(key).Colour(object); }
const std::string& ReadTextAttribute(const CDrawObject& object, const char* key) {
  return Attribute(key).Text(object);
}

void FailControl(std::string_view name, const std::string& why) {
  throw EditScriptError("\"" + std::string(name) + "\": " + why);
}

int ScriptPosition(std::string_view name, const nlohmann::json& value, int minimum, int maximum) {
  const int position = value.get<int>();
  if (position < minimum || position > maximum)
    FailControl(name, "the position " + std::to_string(position) + " is outside " + std::to_string(minimum) +
                          ".." + std::to_string(maximum));
  return position;
}

int ScriptItem(std::string_view name, const nlohmann::json& value, const std::vector<std::string>& items) {
  const std::string text = value.get<std::string>();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == text) return static_cast<int>(i);
  FailControl(name, "the list has no item \"" + text + "\"");
}

COLORREF ColourFromText(std::string_view text) {
  const unsigned long v = std::stoul(std::string(text.substr(1)), nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::string ColourText(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace lumi
