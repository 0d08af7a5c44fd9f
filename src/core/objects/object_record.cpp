// The object record: how one drawing object is stored in projects, undo snapshots, the
// clipboard and the library files. The same fields in the same order both ways; the
// button looks follow as complete records of their own.
//
// Reading is a transaction: the record is read into a fresh object (rendering it where
// the format says), and only a completely read record is moved into this object. A
// damaged record throws ArchiveError and this object keeps what it had.
#include <cmath>
#include <cstring>
#include <memory>

#include "base/archive.h"
#include "base/errors.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

// Look copies are made from plain attributes, so a stored look never holds looks of its
// own; one level more is tolerated, anything deeper is a damaged record (and would
// otherwise let a hostile file recurse until the stack runs out).
constexpr int kMaxLookDepth = 2;

// The program always gives the effect layer a margin of 10; a stored margin beyond this
// would make every render allocate a layer far larger than the object.
constexpr int kMaxEffectMargin = 500;

// The bevel width slider ends at 30; "3D Ball" runs 35 - width * 35 / 30 highlight steps
// per pixel, so a large negative width would stall the render.
constexpr int kMaxBevelWidth = 1000;

// Positions and the shadow distance are added to sizes and margins in int arithmetic
// when the object is drawn; far beyond any canvas they would overflow.
constexpr int kMaxPlace = 1 << 24;

void Require(bool ok, const char* what) {
  if (!ok) throw ArchiveError(std::string("Object record: ") + what);
}

bool Within(int v, int low, int high) { return v >= low && v <= high; }

}  // namespace

void CDrawObject::SerializeObject(CArchive& ar, bool no_render) {
  if (ar.IsStoring()) {
    WriteRecord(ar);
    return;
  }
  // The fresh object renders as this one would: with this object's context.
  CDrawObject read(*host_);
  read.render_context_ = render_context_;
  read.ReadRecord(ar, no_render ? kRenderLooksOnly : kRenderAll, 0, m_font);
  AdoptRecord(read);
}

void CDrawObject::ReadRecordForLaterRender(CArchive& ar) {
  CDrawObject read(*host_);
  read.render_context_ = render_context_;
  read.ReadRecord(ar, kRenderNone, 0, m_font);
  AdoptRecord(read);
}

// The renders of a record read, in the order reading makes them: the object at its size,
// each look as it is read, then the look shown at the start.
void CDrawObject::RenderAsRead() {
  SetSize(m_width, m_height);
  for (CDrawObject* look : {m_highlighted.get(), m_pushed.get(), m_normal.get()}) {
    if (look) look->RenderAsRead();
  }
  ShowState(0);
}

void CDrawObject::SetHost(Host& host) {
  host_ = &host;
  for (CDrawObject* look : {m_highlighted.get(), m_pushed.get(), m_normal.get()}) {
    if (look) look->SetHost(host);
  }
}

// Rows 1 to 80, in record order. Exchange only reads the fields when storing, so writing
// leaves the object as it is.
void CDrawObject::ExchangeAttributeRows(CArchive& ar) {
  ar.Exchange(m_kindName);
  ar.Exchange(m_textureRelief);
  ar.Exchange(m_textureTwoColor);
  ar.Exchange(m_textureScreen);
  ar.Exchange(m_hidden);
  ar.Exchange(m_grouped);
  ar.Exchange(m_textureTransparent);
  ar.Exchange(m_rasterOk);
  ar.Exchange(m_transparencyCut);
  m_outline.Serialize(ar);
  m_polynome.Serialize(ar);
  m_sourceBitmap.Serialize(ar, *host_);
  ar.Exchange(m_fillColor2);
  ar.Exchange(m_effectColor);
  ar.Exchange(m_fillColor);
  ar.Exchange(m_text);
  ar.Exchange(m_textureName);
  ar.Exchange(m_transparencyName);
  ar.Exchange(m_lightX);
  ar.Exchange(m_lightY);
  ar.Exchange(m_lightZ);
  ar.Exchange(m_textureScaleX);
  ar.Exchange(m_textureScaleY);
  ar.Exchange(m_textureAngleX);
  ar.Exchange(m_textureAngleY);
  ar.Exchange(m_sourceHeight);
  ar.Exchange(m_sourceWidth);
  ar.Exchange(m_edgeQuality);
  ar.Exchange(m_bevelAngle);
  ar.Exchange(m_bevelIntensity);
  ar.Exchange(m_bevelKind);
  ar.Exchange(m_bevelWidth);
  ar.Exchange(m_bitmapAngle);
  ar.Exchange(m_textureReliefDepth);
  ar.Exchange(m_geneSeed);
  ar.Exchange(m_effectAngle);
  ar.Exchange(m_effectOpacity);
  ar.Exchange(m_effectDistance);
  ar.Exchange(m_effectMargin);
  ar.Exchange(m_effectKind);
  ar.Exchange(m_effectSoftness);
  ar.Exchange(m_geneParam1);
  ar.Exchange(m_geneParam2);
  ar.Exchange(m_geneParam3);
  ar.Exchange(m_gradientAngle);
  ar.Exchange(m_height);
  ar.Exchange(m_x);
  ar.Exchange(m_pendingHeight);
  ar.Exchange(m_pendingX);
  ar.Exchange(m_pendingY);
  ar.Exchange(m_pendingWidth);
  ar.Exchange(m_lineWidth);
  ar.Exchange(m_textureOffsetX);
  ar.Exchange(m_textureOffsetY);
  ar.Exchange(m_textureStrength);
  ar.Exchange(m_y);
  ar.Exchange(m_transparencyAngle);
  ar.Exchange(m_transparency);
  ar.Exchange(m_kind);
  ar.Exchange(m_editableText);
  ar.Exchange(m_width);
  ar.Exchange(m_font.lfHeight);
  ar.Exchange(m_font.lfWidth);
  ar.Exchange(m_font.lfEscapement);
  ar.Exchange(m_font.lfOrientation);
  ar.Exchange(m_font.lfWeight);
  ar.Exchange(m_font.lfItalic);
  ar.Exchange(m_font.lfUnderline);
  ar.Exchange(m_font.lfStrikeOut);
  ar.Exchange(m_font.lfCharSet);
  ar.Exchange(m_font.lfOutPrecision);
  ar.Exchange(m_font.lfClipPrecision);
  ar.Exchange(m_font.lfQuality);
  ar.Exchange(m_font.lfPitchAndFamily);
  if (ar.IsStoring()) {
    ar.WriteString(FaceName(m_font));
  } else {
    // The face-name field holds 31 characters and its terminator; a longer stored name
    // cannot be a face the program wrote, so the default face stays.
    SetFaceName(m_font, ar.ReadString());
  }
  ar.Exchange(m_textBold);
  ar.Exchange(m_textItalic);
  ar.Exchange(m_textReserved);
  ar.Exchange(m_lineHeight);
  ar.Exchange(m_textAlign);
}

void CDrawObject::WriteRecord(CArchive& ar) {
  ExchangeAttributeRows(ar);
  ar.WriteInt32(m_hasHighlighted);
  ar.WriteInt32(m_hasPushed);
  ar.WriteInt32(m_statesSuppressed);
  const bool has_looks = m_hasHighlighted != 0 || m_hasPushed != 0;
  if (has_looks && m_statesSuppressed == 0) {
    if (m_hasHighlighted) WriteLook(ar, m_highlighted.get());
    if (m_hasPushed) WriteLook(ar, m_pushed.get());
    ar.WriteInt32(m_normal ? 1 : 0);
    if (m_normal) m_normal->SerializeObject(ar, false);
  }
  if (has_looks) ar.WriteInt32(m_excludeFromButtons);
  ar.WriteInt32(m_currentState);
  ar.WriteInt32(-1);
}

void CDrawObject::WriteLook(CArchive& ar, CDrawObject* copy) {
  if (copy) {
    copy->SerializeObject(ar, false);
    return;
  }
  // The flag promises a record: a look not made yet looks like the object now.
  CDrawObject current(*host_);
  current.render_context_ = render_context_;
  current.CopyAttributes(*this);
  current.SerializeObject(ar, false);
}

void CDrawObject::ReadRecord(CArchive& ar, RecordRender render, int depth,
                             const LOGFONT& default_font) {
  const bool no_render = render != kRenderAll;
  // A face name the record cannot give keeps the face this object started with.
  m_font = default_font;
  ExchangeAttributeRows(ar);
  CheckReadAttributes();
  if (!no_render) SetSize(m_width, m_height);

  m_hasHighlighted = ar.ReadInt32();
  m_hasPushed = ar.ReadInt32();
  m_statesSuppressed = ar.ReadInt32();
  const bool has_looks = m_hasHighlighted != 0 || m_hasPushed != 0;
  if (has_looks && m_statesSuppressed == 0) {
    Require(depth < kMaxLookDepth, "button looks nested too deeply");
    auto read_look = [&] {
      auto look = MakeRelative();
      look->ReadRecord(ar, render == kRenderNone ? kRenderNone : kRenderAll, depth + 1, default_font);
      return look;
    };
    if (m_hasHighlighted) m_highlighted = read_look();
    if (m_hasPushed) m_pushed = read_look();
    if (ar.ReadInt32() == 1) m_normal = read_look();
  }
  if (has_looks) m_excludeFromButtons = ar.ReadInt32();
  m_currentState = ar.ReadInt32();
  Require(Within(m_currentState, 0, 2), "unknown shown look");
  if (!no_render) ShowState(0);
  ar.ReadInt32();  // end mark, whatever it holds
}

// Values no writer of the program produces and that would make a later render allocate
// without bound, stall or overflow. Everything else is taken as stored: sizes are
// clamped by SetSize, and the render stages clamp kinds, qualities and blur radii.
void CDrawObject::CheckReadAttributes() const {
  Require(Within(m_effectMargin, 0, kMaxEffectMargin), "effect margin out of range");
  Require(Within(m_bevelWidth, 0, kMaxBevelWidth), "bevel width out of range");
  // 0..255 on its slider; the effect scales alpha by it in int arithmetic.
  Require(Within(m_effectOpacity, 0, 255), "effect opacity out of range");
  Require(Within(m_x, -kMaxPlace, kMaxPlace) && Within(m_y, -kMaxPlace, kMaxPlace),
          "position out of range");
  Require(Within(m_effectDistance, -kMaxPlace, kMaxPlace), "shadow distance out of range");
  Require(Within(m_width, -kMaxPlace, kMaxPlace) && Within(m_height, -kMaxPlace, kMaxPlace),
          "size out of range");
  for (double v : {m_lightX, m_lightY, m_lightZ, m_textureScaleX, m_textureScaleY,
                   m_textureAngleX, m_textureAngleY, m_lineHeight}) {
    Require(std::isfinite(v), "number out of range");
  }
}

void CDrawObject::AdoptRecord(CDrawObject& read) {
  // The source bitmap is moved rather than copied: it may be large.
  CDIBSection source = std::move(read.m_sourceBitmap);
  CopyAttributes(read);
  m_sourceBitmap = std::move(source);
  m_highlighted = std::move(read.m_highlighted);
  m_pushed = std::move(read.m_pushed);
  m_normal = std::move(read.m_normal);
  m_hasHighlighted = read.m_hasHighlighted;
  m_hasPushed = read.m_hasPushed;
  m_statesSuppressed = read.m_statesSuppressed;
  m_currentState = read.m_currentState;
  m_excludeFromButtons = read.m_excludeFromButtons;
  image_ = std::move(read.image_);
  effect_layer_ = std::move(read.effect_layer_);
}

}  // namespace lumi
