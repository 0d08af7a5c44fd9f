// The attribute transfer: the look of one object put onto another ("Paste Atributes",
// styles, and the reset that follows "Convert To Bitmap").
#include "objects/draw_object.h"
#include "objects/object_attributes.h"

namespace lumi {

void CDrawObject::CopyStyleFrom(const CDrawObject& s) {
  CopyCarriedAttributes(*this, s, kCarriedByStyle);
}

void CDrawObject::TransferAttributes(const CDrawObject& source) {
  if (&source != this) {
    CopyStyleFrom(source);
    // Each look the source has is rebuilt from this object's own attributes with the
    // source look's style on top, so it keeps this object's shape and text.
    if (source.m_hasHighlighted && source.m_highlighted && !source.m_statesSuppressed) {
      m_hasHighlighted = source.m_hasHighlighted;
      m_highlighted = MakeRelative();
      m_highlighted->CopyAttributes(*this);
      m_highlighted->CopyStyleFrom(*source.m_highlighted);
    }
    if (source.m_hasPushed && source.m_pushed && !m_statesSuppressed) {
      m_hasPushed = source.m_hasPushed;
      m_pushed = MakeRelative();
      m_pushed->CopyAttributes(*this);
      m_pushed->CopyStyleFrom(*source.m_pushed);
    }
  }
  Render();
}

}  // namespace lumi
