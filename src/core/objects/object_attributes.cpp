#include "objects/object_attributes.h"

#include <limits>
#include <vector>

namespace lumi {

// Takes the members' addresses, which only a friend of CDrawObject may.
struct ObjectAttributeTable {
  static const std::vector<ObjectAttribute>& Get();
};

namespace {

constexpr double kAny = 1 << 24;  // integers a scene may give where any value works
constexpr double kLine = std::numeric_limits<double>::infinity();
constexpr unsigned kStyle = kCarriedByStyle, kLook = kCarriedByLook, kScene = kSceneField;
constexpr unsigned kPlace = kSceneField | kScenePlace;

using AT = AttributeType;
using O = CDrawObject;

}  // namespace

const std::vector<ObjectAttribute>& ObjectAttributeTable::Get() {
  static const std::vector<ObjectAttribute> table = {
      // Written with the place, before the outline.
      {"kindName", AT::kText, &O::m_kindName, kPlace | kLook, 0, 0},
      {"x", AT::kInt, &O::m_x, kPlace | kLook, -kAny, kAny},
      {"y", AT::kInt, &O::m_y, kPlace | kLook, -kAny, kAny},
      // The look, in the order scenes write it.
      {"fillColor", AT::kColour, &O::m_fillColor, kScene | kStyle | kLook, 0, 0},
      {"fillColor2", AT::kColour, &O::m_fillColor2, kScene | kStyle | kLook, 0, 0},
      {"effectColor", AT::kColour, &O::m_effectColor, kScene | kStyle | kLook, 0, 0},
      {"edgeQuality", AT::kInt, &O::m_edgeQuality, kScene | kLook, 1, 4, &O::SetEdgeQuality},
      {"gradientAngle", AT::kInt, &O::m_gradientAngle, kScene | kStyle | kLook, -kAny, kAny},
      {"bevelKind", AT::kInt, &O::m_bevelKind, kScene | kStyle | kLook, 0, 13},
      {"bevelWidth", AT::kInt, &O::m_bevelWidth, kScene | kStyle | kLook, 0, 1000},
      {"bevelIntensity", AT::kInt, &O::m_bevelIntensity, kScene | kStyle | kLook, 0, 100},
      {"bevelAngle", AT::kInt, &O::m_bevelAngle, kScene | kStyle | kLook, -kAny, kAny},
      {"textureName", AT::kText, &O::m_textureName, kScene | kStyle | kLook, 0, 0, nullptr,
       &O::SetTextureName},
      // The look copies take the texture strength too, or a look would change when shown
      // again.
      {"textureStrength", AT::kInt, &O::m_textureStrength, kScene | kStyle | kLook, 0, 255},
      {"textureScreen", AT::kFlag, &O::m_textureScreen, kScene | kStyle | kLook, 0, 1},
      {"textureTwoColor", AT::kFlag, &O::m_textureTwoColor, kScene | kStyle | kLook, 0, 1},
      {"textureTransparent", AT::kFlag, &O::m_textureTransparent, kScene | kStyle | kLook, 0, 1},
      {"textureRelief", AT::kFlag, &O::m_textureRelief, kScene | kStyle | kLook, 0, 1},
      {"textureReliefDepth", AT::kInt, &O::m_textureReliefDepth, kScene | kStyle | kLook, 0, 200},
      {"textureScaleX", AT::kDouble, &O::m_textureScaleX, kScene | kStyle | kLook, -kLine, kLine},
      {"textureScaleY", AT::kDouble, &O::m_textureScaleY, kScene | kStyle | kLook, -kLine, kLine},
      {"textureAngleX", AT::kDouble, &O::m_textureAngleX, kScene | kStyle | kLook, -kLine, kLine},
      {"textureAngleY", AT::kDouble, &O::m_textureAngleY, kScene | kStyle | kLook, -kLine, kLine},
      {"textureOffsetX", AT::kInt, &O::m_textureOffsetX, kScene | kStyle | kLook, -kAny, kAny},
      {"textureOffsetY", AT::kInt, &O::m_textureOffsetY, kScene | kStyle | kLook, -kAny, kAny},
      {"transparency", AT::kInt, &O::m_transparency, kScene | kStyle | kLook, 0, 255},
      {"transparencyName", AT::kText, &O::m_transparencyName, kScene | kStyle | kLook, 0, 0},
      {"transparencyAngle", AT::kInt, &O::m_transparencyAngle, kScene | kStyle | kLook, -kAny, kAny},
      {"transparencyCut", AT::kFlag, &O::m_transparencyCut, kScene | kStyle | kLook, 0, 1},
      {"effectKind", AT::kInt, &O::m_effectKind, kScene | kStyle | kLook, 0, 7},
      {"effectDistance", AT::kInt, &O::m_effectDistance, kScene | kStyle | kLook, 0, 1000},
      {"effectAngle", AT::kInt, &O::m_effectAngle, kScene | kStyle | kLook, -kAny, kAny},
      {"effectSoftness", AT::kInt, &O::m_effectSoftness, kScene | kStyle | kLook, 0, 1000},
      {"effectOpacity", AT::kInt, &O::m_effectOpacity, kScene | kStyle | kLook, 0, 255},
      {"effectMargin", AT::kInt, &O::m_effectMargin, kScene | kStyle | kLook, 0, 1000},
      {"geneSeed", AT::kInt, &O::m_geneSeed, kScene | kStyle | kLook, 0, 14},
      {"geneParam1", AT::kInt, &O::m_geneParam1, kScene | kStyle | kLook, -kAny, kAny},
      {"geneParam2", AT::kInt, &O::m_geneParam2, kScene | kStyle | kLook, -kAny, kAny},
      {"geneParam3", AT::kInt, &O::m_geneParam3, kScene | kStyle | kLook, -kAny, kAny},
      {"lightX", AT::kDouble, &O::m_lightX, kScene | kLook, -kLine, kLine},
      {"lightY", AT::kDouble, &O::m_lightY, kScene | kLook, -kLine, kLine},
      {"lightZ", AT::kDouble, &O::m_lightZ, kScene | kLook, -kLine, kLine},
      {"lineWidth", AT::kInt, &O::m_lineWidth, kScene | kStyle | kLook, 1, 1000},
      {"hidden", AT::kFlag, &O::m_hidden, kScene | kLook, 0, 1},
      {"grouped", AT::kFlag, &O::m_grouped, kScene | kLook, 0, 1},
      // A look copy keeps its own button exclusion.
      {"excludeFromButtons", AT::kFlag, &O::m_excludeFromButtons, kScene | kStyle, 0, 1},
      {"editableText", AT::kFlag, &O::m_editableText, kScene | kLook, 0, 1},
      {"text", AT::kText, &O::m_text, kScene | kLook, 0, 0},
      {"textBold", AT::kFlag, &O::m_textBold, kScene | kLook, 0, 1},
      {"textItalic", AT::kFlag, &O::m_textItalic, kScene | kLook, 0, 1},
      {"textAlign", AT::kInt, &O::m_textAlign, kScene | kLook, 0, 2},
      {"lineHeight", AT::kDouble, &O::m_lineHeight, kScene | kLook, 1, 4000},
      {"font", AT::kFont, &O::m_font, kScene | kLook, 0, 0},
      // Attributes scenes set in other ways (sizes, kinds, bitmap data, states) or not at
      // all.
      {"width", AT::kInt, &O::m_width, kLook, 1, kMaxObjectWidth},
      {"height", AT::kInt, &O::m_height, kLook, 1, kMaxObjectHeight},
      {"kind", AT::kInt, &O::m_kind, kLook, 0, 4},
      {"sourceWidth", AT::kInt, &O::m_sourceWidth, kLook, 0, kAny},
      {"sourceHeight", AT::kInt, &O::m_sourceHeight, kLook, 0, kAny},
      {"bitmapAngle", AT::kInt, &O::m_bitmapAngle, kStyle | kLook, -kAny, kAny},
      {"convertToBitmap", AT::kFlag, &O::m_convertToBitmap, kLook, 0, 1},
      {"rasterOk", AT::kFlag, &O::m_rasterOk, kStyle | kLook, 0, 1},
      {"rendered", AT::kFlag, &O::rendered_, kLook, 0, 1},
      {"textReserved", AT::kInt, &O::m_textReserved, kLook, -kAny, kAny},
      {"spare", AT::kInt, &O::m_spare, kLook, -kAny, kAny},
      // Solo looks are a choice of the whole object, so only a style brings it.
      {"statesSuppressed", AT::kFlag, &O::m_statesSuppressed, kStyle, 0, 1},
  };
  return table;
}

bool ObjectAttribute::HasRange() const { return min != -kLine || max != kLine; }

void ObjectAttribute::SetInt(CDrawObject& o, int value) const {
  if (set_int) {
    (o.*set_int)(value);
  } else {
    Int(o) = value;
  }
}

void ObjectAttribute::SetText(CDrawObject& o, const std::string& value) const {
  if (set_text) {
    (o.*set_text)(value);
  } else {
    o.*std::get<std::string CDrawObject::*>(member) = value;
  }
}

void ObjectAttribute::Copy(CDrawObject& to, const CDrawObject& from) const {
  std::visit([&](auto field) { to.*field = from.*field; }, member);
}

std::span<const ObjectAttribute> ObjectAttributes() { return ObjectAttributeTable::Get(); }

const ObjectAttribute* FindObjectAttribute(const std::string& key) {
  for (const ObjectAttribute& a : ObjectAttributes()) {
    if (key == a.key) return &a;
  }
  return nullptr;
}

void CopyCarriedAttributes(CDrawObject& to, const CDrawObject& from, AttributeCarry walk) {
  for (const ObjectAttribute& a : ObjectAttributes()) {
    if (a.Carries(walk)) a.Copy(to, from);
  }
}

}  // namespace lumi
