// The render pipeline of a drawing object: outline to coverage mask, fill, alpha, and the
// blend of the cached bitmaps onto the canvas.
#include <cstdint>
#include <vector>

#include "base/host.h"
#include "objects/draw_object.h"
#include "render/bevels.h"
#include "render/blend_onto.h"
#include "render/effects.h"
#include "render/outline_paths.h"
#include "render/rasterizer.h"
#include "render/supersampling.h"

namespace lumi {

namespace {

BevelSettings BevelAttributes(const CDrawObject& o) {
  BevelSettings bevel;
  bevel.kind = o.GetBevelKind();
  bevel.width = o.GetBevelWidth();
  bevel.intensity = o.GetBevelIntensity();
  bevel.angle = o.GetBevelAngle();
  bevel.light_x = o.GetLightX();
  bevel.light_y = o.GetLightY();
  bevel.light_z = o.GetLightZ();
  return bevel;
}

EffectSettings EffectAttributes(const CDrawObject& o) {
  EffectSettings effect;
  effect.kind = o.GetEffectKind();
  effect.distance = o.GetEffectDistance();
  effect.angle = o.GetEffectAngle();
  effect.softness = o.GetEffectSoftness();
  effect.opacity = o.GetEffectOpacity();
  effect.color = o.GetEffectColor();
  effect.margin = o.GetEffectMargin();
  return effect;
}

}  // namespace

// The steps run in a fixed order: coverage and fill, the "Bump Out" grey, the outline and
// feather preparations of the mask, texture or gradient, alpha (with the transparency
// modes), the conversion to a bitmap, the shadow or glow layer and the bevel. Stages
// belonging to features not built yet (texture, transparency, colour genes) are simply
// not called.
void CDrawObject::Render() {
  if (m_width < 1 || m_height < 1) return;  // no creation has given the object a size yet
  WaitCursor wait(*host_);
  if (m_image.IsEmpty() || m_image.Width() != m_width || m_image.Height() != m_height)
    m_image.Create(m_width, m_height, 32, true);

  std::vector<std::uint8_t> mask(static_cast<std::size_t>(m_width) * m_height, 255);

  // Image and coverage. Bitmap objects take both from their source bitmap in a stage of
  // their own; vector objects rasterise their outline and take the fill colour.
  if (IsBitmap()) {
    RenderBitmapStage(mask);
  } else {
    m_rasterOk = Rasterise(mask);
    FillWithColour();
  }
  const BevelSettings bevel = BevelAttributes(*this);
  // "Bump Out" shades a neutral grey, whatever the fill.
  if (m_bevelKind == kBumpOutBevel) m_image.FillRGB(0x808080);
  // "Outline" turns the (shrunk) coverage into a soft band along its edge.
  if (m_bevelKind == kOutlineBevel) PrepareOutlineBand(mask.data(), m_width, m_height, m_bevelWidth);
  // "Feather" and the linear feather soften the coverage; no lighting follows.
  PrepareFeather(mask.data(), m_width, m_height, bevel);

  SetAlphaFromMask(mask);
  if (m_convertToBitmap) KeepImageAsSourceBitmap();

  // The shadow or glow reads the alpha just written; it comes before the bevel so that
  // "Bump Out" can clear the layer under the object's visible slopes.
  if (m_effectKind > 0) ApplyEffectStage(m_image, m_effectLayer, mask.data(), EffectAttributes(*this));
  EffectLayerPlacement placement;
  if (m_effectKind > 0) {
    const Point d = EffectOffset(false);
    placement = {&m_effectLayer, m_effectMargin, d.x, d.y};
  }
  // The bevel blurs the mask in place into its height map.
  ApplyBevelStage(m_image, mask.data(), bevel, placement);
  m_rendered = 1;
}

void CDrawObject::FillWithColour() { m_image.FillRGB(m_fillColor); }

void CDrawObject::SetAlphaFromMask(const std::vector<std::uint8_t>& mask) {
  m_image.SetAlphaFromMask(mask.data());
}

void CDrawObject::KeepImageAsSourceBitmap() {
  m_sourceBitmap.CopyFrom(&m_image);
  m_sourceWidth = m_width;
  m_sourceHeight = m_height;
  m_convertToBitmap = 0;
  m_kind = kKindBitmap;
}

int CDrawObject::Rasterise(std::vector<std::uint8_t>& mask) {
  if (m_width < 1 || m_height < 1 ||
      mask.size() != static_cast<std::size_t>(m_width) * m_height)
    return 0;
  if (m_bevelKind == kBallBevel) {
    // The ball ignores the outline: an ellipse inside the box, 11 pixels in.
    const int f = ShapeSupersampling(m_edgeQuality, m_width, m_height);
    FillEllipseWithBlackOutline(BallBox(m_width, m_height, f),
                                {mask.data(), m_width, m_height, f});
    return 1;
  }
  // Outline-based bevels test the shape outline's closed mark for polynomes too.
  const int inset = OutlineInset(m_bevelKind, m_bevelWidth, m_outline.IsClosed());
  if (IsShape()) {
    m_outline.SetLineWidth(m_lineWidth);
    const int f = ShapeSupersampling(m_edgeQuality, m_width, m_height);
    const MaskTarget target{mask.data(), m_width, m_height, f};
    const RasterPath path = ShapeRasterPath(m_outline, f * m_width, f * m_height, inset);
    // The pen width is in work pixels: open lines look thinner at higher qualities.
    if (m_outline.IsClosed())
      FillPathEvenOdd(path, target);
    else
      StrokePath(path, m_lineWidth, target);
    return 1;
  }
  if (IsPolynome()) {
    m_polynome.SetLineWidth(m_lineWidth);
    const int f = PolynomeSupersampling(m_edgeQuality, m_width, m_height, m_editableText == 1,
                                        TextLineCount());
    const MaskTarget target{mask.data(), m_width, m_height, f};
    const RasterPath path = PolynomeRasterPath(m_polynome, f * m_width, f * m_height, inset);
    if (m_polynome.IsOpen())
      StrokePath(path, m_lineWidth, target);
    else
      FillPathEvenOdd(path, target);
    return 1;
  }
  return 0;
}

void CDrawObject::DrawTo(CDIBSection& canvas, Point origin) const {
  if (m_hidden) return;
  const int x = m_x - origin.x, y = m_y - origin.y;
  // Effect 6 (Cutout) works inside the object and never shows its layer; values beyond
  // the effect list build no layer, so a stale one is not shown for them either.
  if (DrawsEffectLayer(m_effectKind)) {
    const Point d = EffectOffset(false);
    BlendOnto(m_effectLayer, canvas, x - m_effectMargin + d.x, y - m_effectMargin + d.y);
  }
  BlendOnto(m_image, canvas, x, y);
}

}  // namespace lumi
