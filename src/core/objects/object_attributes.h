#pragma once
// The one table of an object's attributes: each with its scene key, its member, its type,
// the range the scene reader accepts, and which copies carry it. The scene reader and
// writer, the attribute transfer ("Paste Atributes", styles) and the look copies walk
// this table; property bars and edit scripts read it too. Records are written in their
// own fixed order and do not use it.
#include <span>
#include <string>
#include <variant>

#include "base/colour.h"
#include "objects/draw_object.h"
#include "objects/logfont.h"

namespace lumi {

// kFlag is an int holding 0 or 1 (scenes also take true and false); kFont is the
// LOGFONT, written as an object of its fields.
enum class AttributeType { kInt, kFlag, kDouble, kColour, kText, kFont };

// Which walks take an attribute, as bits of ObjectAttribute::carried.
enum AttributeCarry : unsigned {
  kCarriedByStyle = 1,  // the attribute transfer: "Paste Atributes" and styles
  kCarriedByLook = 2,   // CopyAttributes: the button looks and the shown look
  kSceneField = 4,      // set by its key in a scene object or look, and written back
  kScenePlace = 8,      // a scene field written with the place, before the outline
};

struct ObjectAttribute {
  using Member = std::variant<int CDrawObject::*, COLORREF CDrawObject::*,
                              double CDrawObject::*, std::string CDrawObject::*,
                              LOGFONT CDrawObject::*>;
  const char* key;
  AttributeType type;
  Member member;
  unsigned carried;
  // The range a scene may give (integers inclusive; a double from `min` to below `max`
  // when the range is not the whole line).
  double min;
  double max;
  // Setters whose side effects a scene relies on (choosing a texture resets its placing,
  // a new edge quality renders); null when the member is simply assigned.
  void (CDrawObject::*set_int)(int) = nullptr;
  void (CDrawObject::*set_text)(const std::string&) = nullptr;

  bool Carries(unsigned walk) const { return (carried & walk) != 0; }
  bool HasRange() const;

  // Typed access; the type must match `type` (kInt and kFlag are int).
  int& Int(CDrawObject& o) const { return o.*std::get<int CDrawObject::*>(member); }
  int Int(const CDrawObject& o) const { return o.*std::get<int CDrawObject::*>(member); }
  COLORREF& Colour(CDrawObject& o) const { return o.*std::get<COLORREF CDrawObject::*>(member); }
  COLORREF Colour(const CDrawObject& o) const { return o.*std::get<COLORREF CDrawObject::*>(member); }
  double& Double(CDrawObject& o) const { return o.*std::get<double CDrawObject::*>(member); }
  double Double(const CDrawObject& o) const { return o.*std::get<double CDrawObject::*>(member); }
  const std::string& Text(const CDrawObject& o) const {
    return o.*std::get<std::string CDrawObject::*>(member);
  }
  const LOGFONT& Font(const CDrawObject& o) const { return o.*std::get<LOGFONT CDrawObject::*>(member); }
  LOGFONT& Font(CDrawObject& o) const { return o.*std::get<LOGFONT CDrawObject::*>(member); }

  // Sets an integer or text the way a scene does (through the setter when there is one).
  void SetInt(CDrawObject& o, int value) const;
  void SetText(CDrawObject& o, const std::string& value) const;
  // to.member = from.member.
  void Copy(CDrawObject& to, const CDrawObject& from) const;
};

// Every attribute in the order scenes write them.
std::span<const ObjectAttribute> ObjectAttributes();

// The attribute with this key, or null.
const ObjectAttribute* FindObjectAttribute(const std::string& key);

// Copies every attribute that `walk` carries from `from` to `to`.
void CopyCarriedAttributes(CDrawObject& to, const CDrawObject& from, AttributeCarry walk);

}  // namespace lumi
