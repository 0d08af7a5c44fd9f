// The render pipeline of a drawing object: outline to coverage mask, fill, alpha, and the
// blend of the cached bitmaps onto the canvas.
#include <cstdint>
#include <vector>

#include "base/host.h"
#include "library/texture_factory.h"
#include "objects/draw_object.h"
#include "render/bevels.h"
#include "render/bitmap_stage.h"
#include "render/blend_onto.h"
#include "render/effects.h"
#include "render/outline_paths.h"
#include "render/rasterizer.h"
#include "render/render_context.h"
#include "render/supersampling.h"
#include "render/surface_stage.h"
#include "render/transparency.h"

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
  effect.colour = o.GetEffectColor();
  effect.margin = o.GetEffectMargin();
  return effect;
}

SurfaceSettings SurfaceAttributes(const CDrawObject& o) {
  SurfaceSettings s;
  TextureMapping& m = s.mapping;
  m.strength = o.GetTextureStrength();
  m.screen = o.GetTextureScreen() != 0;
  m.two_colour = o.GetTextureTwoColor() != 0;
  m.transparent = o.GetTextureTransparent() != 0;
  m.colour2 = o.GetFillColor2();
  m.scale_x = o.GetTextureScaleX();
  m.scale_y = o.GetTextureScaleY();
  m.angle_x = o.GetTextureAngleX();
  m.angle_y = o.GetTextureAngleY();
  m.offset_x = o.GetTextureOffsetX();
  m.offset_y = o.GetTextureOffsetY();
  s.gradient_angle = o.GetGradientAngle();
  s.relief = o.GetTextureRelief() != 0;
  s.relief_depth = o.GetTextureReliefDepth();
  return s;
}

}  // namespace

// Bitmap objects: the image from the source bitmap, and its alpha as the coverage mask.
void CDrawObject::RenderBitmapStage(std::vector<std::uint8_t>& mask) {
  const CPolynome::Envelope* envelope = IsEnvelope() ? &m_polynome.GetEnvelope() : nullptr;
  CDIBSection& image = image_.Rewrite();
  RenderBitmapImage(m_sourceBitmap, envelope, m_bitmapAngle, image);
  // The image's alpha is the coverage for the rest of the pipeline.
  for (int r = 0; r < m_height; ++r) {
    const std::uint8_t* p = image.Row(r);
    std::uint8_t* m = mask.data() + static_cast<std::size_t>(r) * m_width;
    for (int x = 0; x < m_width; ++x) m[x] = p[4 * x + 3];
  }
}

// The steps run in a fixed order: coverage and fill, the "Bump Out" grey, the outline and
// feather preparations of the mask, texture or gradient, alpha (with the transparency
// modes), the conversion to a bitmap, the shadow or glow layer and the bevel. Bitmap
// objects take their image from the source bitmap instead of the fill and the texture.
// Once done, the image and the layer are packed where that saves memory.
void CDrawObject::Render() {
  if (m_width < 1 || m_height < 1) return;  // no creation has given the object a size yet
  WaitCursor wait(*host_);
  CDIBSection& image = image_.Rewrite();
  if (image.IsEmpty() || image.Width() != m_width || image.Height() != m_height)
    image.Create(m_width, m_height, 32, true);

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
  if (m_bevelKind == kBumpOutBevel) image.FillRGB(0x808080);
  // "Outline" turns the (shrunk) coverage into a soft band along its edge.
  if (m_bevelKind == kOutlineBevel) PrepareOutlineBand(mask.data(), m_width, m_height, m_bevelWidth);
  // Texture or gradient, then the texture relief; a missing texture clears the name.
  // No context is the empty one: nothing found, names kept, nothing said.
  const RenderContext* context = render_context_;
  if (!IsBitmap())
    ApplySurfaceStage(image, mask.data(), SurfaceAttributes(*this), m_textureName, context, *host_);
  // "Feather" and the linear feather soften the coverage; no lighting follows.
  PrepareFeather(mask.data(), m_width, m_height, bevel);

  // Alpha from the mask, with the cut or painted transparency; a transparency image cut
  // also rewrites the mask the effects and bevels read.
  ApplyAlphaStage(image, mask.data(), m_transparency, m_transparencyAngle, m_transparencyCut == 1,
                  m_transparencyName, context, *host_);
  if (m_convertToBitmap) KeepImageAsSourceBitmap();

  // The shadow or glow reads the alpha just written; it comes before the bevel so that
  // "Bump Out" can clear the layer under the object's visible slopes.
  CDIBSection& layer = effect_layer_.Rewrite();
  if (m_effectKind > 0) ApplyEffectStage(image, layer, mask.data(), EffectAttributes(*this));
  // A layer left from an earlier effect is never drawn again: its memory goes now.
  if (!DrawsEffectLayer(m_effectKind) && !effect_layer_.IsEmpty()) effect_layer_.Reset();
  EffectLayerPlacement placement;
  if (m_effectKind > 0) {
    const Point d = EffectOffset(false);
    placement = {&layer, m_effectMargin, d.x, d.y};
  }
  // The bevel blurs the mask in place into its height map.
  ApplyBevelStage(image, mask.data(), bevel, placement);
  image_.Settle();
  effect_layer_.Settle();
  rendered_ = 1;
}

bool CDrawObject::RenderNeedsItsTurn() const {
  if (m_bevelKind == kRandomNoiseBevel || m_geneSeed != 0) return true;
  const bool fill_image = !IsBitmap() && !m_textureName.empty() && m_textureName != "No Texture.bmp" &&
                          m_textureName != "Linear Gradient.tmb" && m_textureName != "Radial Gradient.tmb";
  if (fill_image) return true;
  if (m_transparency >= 1 && PatternOfName(m_transparencyName) == TransparencyPattern::kImage) return true;
  for (const CDrawObject* look : {m_highlighted.get(), m_pushed.get(), m_normal.get()}) {
    if (look && look->RenderNeedsItsTurn()) return true;
  }
  return false;
}

// The colour-gene generator when a gene is set (mode = gene seed - 1), else the flat
// fill colour; either way the alpha is left for the coverage.
void CDrawObject::FillWithColour() {
  if (m_geneSeed != 0) {
    // Negative seeds (only damaged files hold them) give the first mode, as every mode
    // below zero does; the subtraction itself must not run past the int range.
    GenerateGeneFill(image_.Rewrite(), m_geneParam1, m_geneParam2, m_geneParam3, m_geneSeed > 0 ? m_geneSeed - 1 : 0);
  } else {
    image_.Rewrite().FillRGB(m_fillColor);
  }
}

void CDrawObject::KeepImageAsSourceBitmap() {
  m_sourceBitmap.CopyFrom(&image_.Rewrite());
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

void CDrawObject::DrawTo(CDIBSection& canvas, Point origin, CanvasAlpha alpha) const {
  if (m_hidden) return;
  const int x = m_x - origin.x, y = m_y - origin.y;
  auto blend = [&](const KeptBitmap& bitmap, int left, int top) {
    BlendOnto(bitmap, canvas, left, top, alpha == kKeepCanvasAlpha);
  };
  // Effect 6 (Cutout) works inside the object and never shows its layer; values beyond
  // the effect list build no layer, so a stale one is not shown for them either.
  if (DrawsEffectLayer(m_effectKind)) {
    const Point d = EffectOffset(false);
    blend(effect_layer_, x - m_effectMargin + d.x, y - m_effectMargin + d.y);
  }
  blend(image_, x, y);
}

void CDrawObject::DrawRowsTo(CDIBSection& canvas, Point origin, int first_row, int last_row) const {
  if (m_hidden) return;
  const int x = m_x - origin.x, y = m_y - origin.y;
  if (DrawsEffectLayer(m_effectKind)) {
    const Point d = EffectOffset(false);
    BlendOnto(effect_layer_, canvas, x - m_effectMargin + d.x, y - m_effectMargin + d.y, true, first_row,
              last_row);
  }
  BlendOnto(image_, canvas, x, y, true, first_row, last_row);
}

}  // namespace lumi
