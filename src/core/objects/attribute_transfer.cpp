// The attribute transfer: the look of one object put onto another ("Paste Atributes",
// styles, and the reset that follows "Convert To Bitmap").
#include "objects/draw_object.h"

namespace lumi {

void CDrawObject::CopyStyleFrom(const CDrawObject& s) {
  m_textureRelief = s.m_textureRelief;
  m_textureReliefDepth = s.m_textureReliefDepth;
  m_textureScreen = s.m_textureScreen;
  m_textureTwoColor = s.m_textureTwoColor;
  m_textureTransparent = s.m_textureTransparent;
  m_rasterOk = s.m_rasterOk;
  m_transparencyCut = s.m_transparencyCut;
  m_fillColor = s.m_fillColor;
  m_fillColor2 = s.m_fillColor2;
  m_effectColor = s.m_effectColor;
  m_textureName = s.m_textureName;
  m_transparencyName = s.m_transparencyName;
  m_bevelKind = s.m_bevelKind;
  m_bevelWidth = s.m_bevelWidth;
  m_bevelIntensity = s.m_bevelIntensity;
  m_bevelAngle = s.m_bevelAngle;
  m_bitmapAngle = s.m_bitmapAngle;
  m_geneSeed = s.m_geneSeed;
  m_geneParam1 = s.m_geneParam1;
  m_geneParam2 = s.m_geneParam2;
  m_geneParam3 = s.m_geneParam3;
  m_effectKind = s.m_effectKind;
  m_effectDistance = s.m_effectDistance;
  m_effectAngle = s.m_effectAngle;
  m_effectSoftness = s.m_effectSoftness;
  m_effectOpacity = s.m_effectOpacity;
  m_effectMargin = s.m_effectMargin;
  m_gradientAngle = s.m_gradientAngle;
  m_lineWidth = s.m_lineWidth;
  m_textureStrength = s.m_textureStrength;
  m_transparency = s.m_transparency;
  m_transparencyAngle = s.m_transparencyAngle;
  m_textureScaleX = s.m_textureScaleX;
  m_textureScaleY = s.m_textureScaleY;
  m_textureAngleX = s.m_textureAngleX;
  m_textureAngleY = s.m_textureAngleY;
  m_textureOffsetX = s.m_textureOffsetX;
  m_textureOffsetY = s.m_textureOffsetY;
  m_statesSuppressed = s.m_statesSuppressed;
  m_excludeFromButtons = s.m_excludeFromButtons;
}

void CDrawObject::TransferAttributes(const CDrawObject& source) {
  if (&source != this) {
    CopyStyleFrom(source);
    // Each look the source has is rebuilt from this object's own attributes with the
    // source look's style on top, so it keeps this object's shape and text.
    if (source.m_hasHighlighted && source.m_highlighted && !source.m_statesSuppressed) {
      m_hasHighlighted = source.m_hasHighlighted;
      m_highlighted = std::make_unique<CDrawObject>(*host_);
      m_highlighted->CopyAttributes(*this);
      m_highlighted->CopyStyleFrom(*source.m_highlighted);
    }
    if (source.m_hasPushed && source.m_pushed && !m_statesSuppressed) {
      m_hasPushed = source.m_hasPushed;
      m_pushed = std::make_unique<CDrawObject>(*host_);
      m_pushed->CopyAttributes(*this);
      m_pushed->CopyStyleFrom(*source.m_pushed);
    }
  }
  Render();
}

}  // namespace lumi
