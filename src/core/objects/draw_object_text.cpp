// CDrawObject as live text: creating and editing through the text dialog, the outline
// built from the font, the text extent and descender room, and the text commands.
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/host.h"
#include "objects/draw_object.h"
#include "objects/font_engine.h"
#include "objects/text_dialog.h"
#include "objects/text_layout.h"

namespace lumi {
namespace {

// Outlines are built at this cell height and scaled to the box, so one outline serves
// every size.
constexpr int kTextOutlineHeight = 500;
// Sizes the dialog accepts: at least 1, below 4000.
constexpr double kMinTextSize = 1.0;
constexpr double kMaxTextSize = 4000.0;
// The largest cell height a stored line height is measured at; larger values only come
// from damaged records.
constexpr int kMaxMeasuredHeight = 100000;

const char kSizeTooBig[] =
    "Please, please put the font size smaller!\nI don't think your PC have enough memory nor "
    "I have enough patience to calculate it.";
const char kSizeTooSmall[] = "Please put size bigger than 1";

// trunc(value) held within int; a NaN counts as 0.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  if (value >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

// The font engine, or null when fontconfig cannot start.
FontEngine* Engine() {
  try {
    return &SharedFontEngine();
  } catch (const FontError&) {
    return nullptr;
  }
}

}  // namespace

FontFace* CDrawObject::TextFace() const {
  FontEngine* engine = Engine();
  if (!engine) return nullptr;
  try {
    return &engine->Face({FaceName(m_font), m_textBold != 0, m_textItalic != 0});
  } catch (const FontError&) {
    return nullptr;
  }
}

double CDrawObject::LineHeight() const {
  return static_cast<double>(m_height) / TextLineCount();
}

Rect CDrawObject::TextExtent() const {
  const Rect unavailable{0, 10, 10, 20};
  FontFace* face = TextFace();
  if (!face) return unavailable;
  const int height = std::clamp(TruncToInt(m_lineHeight), 1, kMaxMeasuredHeight);
  try {
    const TextExtentSize size = MeasureText(*face, m_text, height);
    return {0, 0, size.width, size.height};
  } catch (const FontError&) {
    return unavailable;  // a text too long to measure
  }
}

int CDrawObject::AdjustForDescenders(int height, bool remove) const {
  if (!remove && !HasDescenderCharacters(m_text)) return height;
  FontFace* face = TextFace();
  if (!face) return height;
  const int cell = std::clamp(TruncToInt(m_lineHeight), 1, kMaxMeasuredHeight);
  const long long room = static_cast<long long>(TextLineCount()) * face->Metrics(cell).descent;
  const long long adjusted = remove ? height - room : height + room;
  return static_cast<int>(std::clamp<long long>(adjusted, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int CDrawObject::BuildTextOutline() {
  FontFace* face = TextFace();
  if (!face) return 0;
  m_polynome.FromText(*face, m_text, kTextOutlineHeight, m_textAlign);
  return 1;
}

int CDrawObject::EditTextDialog(TextDialog& dialog) {
  TextDialogValues values;
  values.text = m_text;
  values.bold = m_textBold != 0;
  values.italic = m_textItalic != 0;
  values.size = m_lineHeight;
  values.alignment = m_textAlign;
  values.font = m_font;

  const std::string face = FaceName(m_font);
  if (FontEngine* engine = Engine(); engine && !engine->IsFamilyAvailable(face)) {
    const std::vector<std::string> families = engine->OutlineFamilies();
    if (!families.empty()) SetFaceName(values.font, families.front());
    host_->Message("This Object was originally designed with the '" + face +
                       "' font.\nThis font doesn't exist on your system, please select other "
                       "font or press Cancel.",
                   MessageKind::Warning);
  }

  while (true) {
    if (!dialog.Run(values)) return 0;
    if (values.size >= kMaxTextSize) {
      host_->Message(kSizeTooBig, MessageKind::Warning);
    } else if (!(values.size >= kMinTextSize)) {
      host_->Message(kSizeTooSmall, MessageKind::Warning);
    } else {
      break;
    }
  }
  m_text = values.text;
  m_textBold = values.bold ? 1 : 0;
  m_textItalic = values.italic ? 1 : 0;
  m_lineHeight = values.size;
  m_textAlign = values.alignment;
  m_font = values.font;
  return 1;
}

int CDrawObject::CreateText(int x, int y, const std::string& text, TextDialog& dialog) {
  m_x = x;
  m_y = y;
  m_text = text;
  if (!EditTextDialog(dialog) || m_text.empty()) return 0;
  if (!TextFace()) return 0;
  m_kind = kKindPolynome;
  m_kindName = "Text";
  m_editableText = 1;
  m_bitmapAngle = 0;
  m_width = m_height = 50;
  BuildTextOutline();
  // The box is stored before SetSize so that the line height stays the size chosen.
  const Rect extent = TextExtent();
  m_width = extent.Width();
  m_height = AdjustForDescenders(extent.Height(), false);
  SetSize(m_width, m_height);
  return 1;
}

int CDrawObject::EditText(TextDialog& dialog) {
  if (m_kind != kKindPolynome) return 0;
  const Rect before = TextExtent();
  const bool had_descenders = HasDescenderCharacters(m_text);
  // The stretch of the box over the text; an object without a measurable text (a
  // converted polynome) has none.
  const double sx = before.Width() > 0 ? static_cast<double>(m_width) / before.Width() : 1.0;
  const double sy = before.Height() > 0 ? static_cast<double>(m_height) / before.Height() : 1.0;
  if (!EditTextDialog(dialog)) return 0;

  const Rect after = TextExtent();
  const int width = TruncToInt(after.Width() * sx);
  int height = TruncToInt(after.Height() * sy);
  m_kind = kKindPolynome;
  m_editableText = 1;
  BuildTextOutline();
  const bool has_descenders = HasDescenderCharacters(m_text);
  if (has_descenders && !had_descenders) height = AdjustForDescenders(height, false);
  if (!has_descenders && had_descenders) height = AdjustForDescenders(height, true);
  // An emptied text keeps its box and is not drawn again.
  if (width <= 0 || height <= 0) return 1;
  // Stored before SetSize, so the line height stays the size chosen in the dialog.
  m_width = width;
  m_height = height;
  if (m_x + m_width < -300 || m_y + m_height < -300) {
    host_->Message("The text object was moved outside the drawing area\nand it may become "
                   "invisible. Please Zoom out to see the whole area.",
                   MessageKind::Warning);
  }
  SetSize(m_width, m_height);
  return 1;
}

int CDrawObject::ResetTextTransformations() {
  if (!IsText()) return 0;
  m_polynome.ResetEnvelope();
  ApplyRelativeBox(m_polynome.FitBox(0, 0, m_width, m_height));
  SetSize(m_width, m_height);
  return 1;
}

void CDrawObject::MakeStyleSample() {
  m_x = 0;
  m_y = 0;
  m_kind = kKindPolynome;
  m_editableText = 1;
  m_bitmapAngle = 0;
  m_text = "AB";
  m_font = LOGFONT{};
  if (FontEngine* engine = Engine()) {
    try {
      m_polynome.FromText(engine->Face({"Arial", true, false}), m_text, kTextOutlineHeight,
                          m_textAlign);
    } catch (const FontError&) {
      // No face at all: the sample keeps the outline it had.
    }
  }
  SetSize(50, 50);
}

}  // namespace lumi
