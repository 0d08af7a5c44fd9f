// The render pipeline of a drawing object: outline to coverage mask, fill, alpha, and the
// blend of the cached bitmaps onto the canvas.
#include <cstdint>
#include <vector>

#include "base/host.h"
#include "objects/draw_object.h"
#include "render/blend_onto.h"
#include "render/outline_paths.h"
#include "render/rasterizer.h"
#include "render/supersampling.h"

namespace lumi {

// Bevel kinds with their own steps in the pipeline.
namespace {
constexpr int kBevelBumpOut = 8;
constexpr int kBevelBall = 12;
}  // namespace

// The steps run in a fixed order: coverage and fill, the "Bump Out" grey, the outline and
// feather preparations of the mask, texture or gradient, alpha (with the transparency
// modes), the conversion to a bitmap, the shadow or glow layer and the bevel. Stages
// belonging to features not built yet are simply not called.
void CDrawObject::Render() {
  if (m_width < 1 || m_height < 1) return;  // no creation has given the object a size yet
  WaitCursor wait(*host_);
  if (m_image.IsEmpty() || m_image.Width() != m_width || m_image.Height() != m_height)
    m_image.Create(m_width, m_height, 32, true);

  std::vector<std::uint8_t> mask(static_cast<std::size_t>(m_width) * m_height, 255);

  // Image and coverage. Bitmap objects take both from their source bitmap in a stage of
  // their own; vector objects rasterise their outline and take the fill colour.
  if (!IsBitmap()) {
    m_rasterOk = Rasterise(mask);
    FillWithColour();
  }
  // "Bump Out" shades a neutral grey, whatever the fill.
  if (m_bevelKind == kBevelBumpOut) m_image.FillRGB(0x808080);

  SetAlphaFromMask(mask);
  if (m_convertToBitmap) KeepImageAsSourceBitmap();
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
  if (m_bevelKind == kBevelBall) {
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
  // Effect 6 (Cutout) works inside the object and never shows its layer.
  if (m_effectKind > 0 && m_effectKind != 6) {
    const Point d = EffectOffset(false);
    BlendOnto(m_effectLayer, canvas, x - m_effectMargin + d.x, y - m_effectMargin + d.y);
  }
  BlendOnto(m_image, canvas, x, y);
}

}  // namespace lumi
