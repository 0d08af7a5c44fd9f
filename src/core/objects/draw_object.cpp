// CDrawObject: construction, attributes, size and place, the rectangles the view and
// export ask for, the shape test and the multi-state looks.
#include "objects/draw_object.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/host.h"
#include "base/settings.h"
#include "effects/effect_geometry.h"
#include "objects/object_attributes.h"
#include "objects/object_id.h"

namespace lumi {

CDrawObject::CDrawObject(Host& host, const Settings* settings) : host_(&host), id_(NewObjectId()) {
  // Each new object starts from the font last chosen by the user.
  auto number = [&](const char* name, int fallback) {
    return settings ? settings->GetInt("Font", name, fallback) : fallback;
  };
  m_font.lfHeight = number("Height", 20);
  m_font.lfWidth = number("Width", 0);
  m_font.lfEscapement = number("Escape", 0);
  m_font.lfOrientation = number("Orient", 0);
  m_font.lfWeight = number("Weight", 400);
  m_font.lfItalic = static_cast<std::uint8_t>(number("Italic", 0));
  m_font.lfPitchAndFamily = 0x20;
  const std::string face = settings ? settings->GetString("Font", "Name", "Arial") : "Arial";
  // Only a name that fits the face-name field with its terminator is taken.
  const std::string fitted = face.size() < sizeof(m_font.lfFaceName) ? face : "Arial";
  std::memcpy(m_font.lfFaceName, fitted.c_str(), fitted.size() + 1);
}

CDrawObject::~CDrawObject() = default;

void CDrawObject::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width > kMaxObjectWidth || height > kMaxObjectHeight) {
    host_->Message("Image is too big for the memory, I will just resize it to max 1700 x 1500",
                   MessageKind::Warning);
    width = std::min(width, kMaxObjectWidth);
    height = std::min(height, kMaxObjectHeight);
  }
  const bool changed = width != m_width || height != m_height;
  m_width = width;
  m_height = height;
  image_.Rewrite().Create(width, height, 32, true);
  if (IsText() && changed) m_lineHeight = static_cast<double>(m_height) / TextLineCount();
  // A resized bitmap drops its turn; setting the same size again (as loading a record
  // or showing a look does) keeps it, so a turned bitmap reopens turned.
  if (IsBitmap() && changed) m_bitmapAngle = 0;
  Render();
}

int CDrawObject::TextLineCount() const {
  return 1 + static_cast<int>(std::count(m_text.begin(), m_text.end(), '\n'));
}

void CDrawObject::MoveTo(int x, int y) {
  const int dx = x - m_x, dy = y - m_y;
  m_x = x;
  m_y = y;
  if (x + m_width < -300 || y + m_height < -300) {
    host_->Message("The object " + m_kindName +
                       " was moved outside the drawing area\nand it may become invisible. "
                       "Please Zoom out to see the whole area.",
                   MessageKind::Warning);
  }
  // The other looks keep their place relative to the normal look.
  if (m_currentState != 0) return;
  if (m_highlighted && !m_statesSuppressed) {
    m_highlighted->m_x += dx;
    m_highlighted->m_y += dy;
  }
  if (m_pushed) {
    m_pushed->m_x += dx;
    m_pushed->m_y += dy;
  }
}

Point CDrawObject::EffectOffset(bool keep_centred_offset) const {
  // Rendering draws the layer of "Inset + Shadow" centred; callers that want where its
  // shadow points ask for the plain shadow offset.
  const lumi::EffectOffset d =
      keep_centred_offset && m_effectKind == kInsetShadow
          ? ShadowOffset(m_effectDistance, m_effectAngle)
          : LayerOffset(m_effectKind, m_effectDistance, m_effectAngle);
  return {d.dx, d.dy};
}

namespace {

EffectReach ReachOf(const CDrawObject& o) {
  return {o.GetEffectKind(), o.GetEffectDistance(), o.GetEffectAngle(), o.GetEffectSoftness(),
          o.GetEffectMargin()};
}

}  // namespace

Rect CDrawObject::GetInvalidRect(const Rect& rect) const {
  return EffectInvalidArea(GetRect(), rect, ReachOf(*this));
}

Rect CDrawObject::GetVisualRect(const Rect& rect) const {
  return EffectVisualArea(GetRect(), rect, ReachOf(*this));
}

Rect CDrawObject::GetVisualRectAllLooks() const {
  Rect visual = GetVisualRect(GetRect());
  if (m_statesSuppressed) return visual;
  if (m_hasHighlighted && m_highlighted)
    visual = Union(visual, m_highlighted->GetVisualRect(m_highlighted->GetRect()));
  if (m_hasPushed && m_pushed)
    visual = Union(visual, m_pushed->GetVisualRect(m_pushed->GetRect()));
  return visual;
}

void CDrawObject::SetPendingRect(int x, int y, int width, int height) {
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  m_pendingX = x;
  m_pendingY = y;
  m_pendingWidth = width;
  m_pendingHeight = height;
  has_pending_rect_ = 1;
}

int CDrawObject::ApplyPendingRect() {
  if (!has_pending_rect_) return 0;
  m_x = m_pendingX;
  m_y = m_pendingY;
  const int width = m_pendingWidth, height = m_pendingHeight;
  // The recorded geometry stays in the fields (records store it); only the flag clears.
  has_pending_rect_ = 0;
  SetSize(width, height);
  return 1;
}

bool CDrawObject::HitShape(int x, int y) const {
  if (x < m_x || x > m_x + m_width || y < m_y || y > m_y + m_height) return false;
  if (IsPolynome() && m_polynome.Count() == 0) return true;
  if (IsText() && !m_text.empty() && m_text[0] == ' ') return true;
  if (image_.IsEmpty() || !image_.Is32Bit()) return false;
  const int w = image_.Width(), h = image_.Height();
  const int lx = x - m_x, ly = y - m_y;
  if (lx >= w || ly >= h) return false;
  auto alpha = [&](int col, int row) -> int {
    row = std::clamp(row, 0, h - 1);
    col = std::clamp(col, 0, w - 1);
    return image_.PixelAt(col, row)[3];
  };
  int sum = 0;
  for (int row : {ly - 4, ly}) {
    for (int col : {lx - 5, lx - 4, lx, lx + 4, lx + 5}) sum += alpha(col, row);
  }
  for (int col : {lx - 4, lx, lx + 4}) sum += alpha(col, ly + 4);
  return sum != 0;
}

void CDrawObject::SetEdgeQuality(int quality) {
  m_edgeQuality = quality;
  Render();
}

void CDrawObject::SetTextureName(const std::string& name) {
  if (name != m_textureName) {
    m_textureScaleX = m_textureScaleY = 1.0;
    m_textureAngleX = m_textureAngleY = 0.0;
    m_textureOffsetX = m_textureOffsetY = 0;
  }
  m_textureName = name;
}

bool CDrawObject::HasTextureFill() const {
  return !m_textureName.empty() && m_textureName != "No Texture.bmp" &&
         m_textureName != "Linear Gradient.tmb" && m_textureName != "Radial Gradient.tmb";
}

void CDrawObject::CopyAttributes(const CDrawObject& from) {
  if (&from == this) return;
  CopyCarriedAttributes(*this, from, kCarriedByLook);
  // The parts and a move or resize in progress come along with the attributes.
  m_outline = from.m_outline;
  m_polynome = from.m_polynome;
  m_sourceBitmap = from.m_sourceBitmap;
  m_pendingX = from.m_pendingX;
  m_pendingY = from.m_pendingY;
  m_pendingWidth = from.m_pendingWidth;
  m_pendingHeight = from.m_pendingHeight;
  has_pending_rect_ = from.has_pending_rect_;
}

void CDrawObject::SetRenderContext(const RenderContext* context) {
  render_context_ = context;
  for (CDrawObject* look : {m_highlighted.get(), m_pushed.get(), m_normal.get()}) {
    if (look) look->SetRenderContext(context);
  }
}

std::unique_ptr<CDrawObject> CDrawObject::MakeRelative() const {
  auto made = std::make_unique<CDrawObject>(*host_);
  made->render_context_ = render_context_;
  return made;
}

std::unique_ptr<CDrawObject>& CDrawObject::LookCopy(int state) {
  return state == 1 ? m_highlighted : state == 2 ? m_pushed : m_normal;
}

void CDrawObject::SetStates(int requested, bool has_highlighted, bool has_pushed,
                            bool suppressed) {
  m_hasHighlighted = has_highlighted ? 1 : 0;
  m_hasPushed = has_pushed ? 1 : 0;
  m_statesSuppressed = suppressed ? 1 : 0;
  if (suppressed) {
    m_highlighted.reset();
    m_pushed.reset();
    if (m_normal) {
      // Back to the normal look for good.
      CopyAttributes(*m_normal);
      SetSize(m_width, m_height);
      m_normal.reset();
    }
    m_currentState = 0;
    return;
  }
  if (!m_hasHighlighted && !m_hasPushed) return;
  if (requested == m_currentState) return;
  std::unique_ptr<CDrawObject>& shown = LookCopy(m_currentState);
  if (!shown) shown = MakeRelative();
  shown->CopyAttributes(*this);
  const bool exists = requested == 0 || (requested == 1 && m_hasHighlighted) ||
                      (requested == 2 && m_hasPushed);
  if (!exists) return;
  std::unique_ptr<CDrawObject>& wanted = LookCopy(requested);
  if (!wanted) {
    wanted = MakeRelative();
    wanted->CopyAttributes(*this);
  }
  CopyAttributes(*wanted);
  m_currentState = requested;
  SetSize(m_width, m_height);
}

void CDrawObject::ShowState(int requested) {
  if (requested == m_currentState || m_statesSuppressed) return;
  const bool exists = requested == 0 || (requested == 1 && m_hasHighlighted) ||
                      (requested == 2 && m_hasPushed);
  if (!exists || requested < 0 || requested > 2) return;
  const std::unique_ptr<CDrawObject>& copy = LookCopy(requested);
  if (!copy) return;
  CopyAttributes(*copy);
  m_currentState = requested;
  SetSize(m_width, m_height);
}

void CDrawObject::StoreShownState() {
  if ((!m_hasHighlighted && !m_hasPushed) || m_statesSuppressed) return;
  std::unique_ptr<CDrawObject>& shown = LookCopy(m_currentState);
  if (!shown) shown = MakeRelative();
  shown->CopyAttributes(*this);
}

}  // namespace lumi
