#pragma once
// One object of the canvas: its kind, place and size, its outline, every rendering
// attribute, its button looks and its two render caches (the object image and the effect
// layer). Every operation that changes the look ends by rendering, so drawing the canvas
// is only a blend of the caches.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"
#include "effects/effect_geometry.h"
#include "image/dib_section.h"
#include "image/kept_bitmap.h"
#include "objects/bezier.h"
#include "objects/logfont.h"
#include "objects/polynome.h"

namespace lumi {

class FontFace;
class CArchive;
struct RgbImage;
class Host;
struct RenderContext;
class Settings;
class TextDialog;

// Object kinds (m_kind). Code 2 is not used.
enum ObjectKind : int { kKindNone = 0, kKindShape = 1, kKindBitmap = 3, kKindPolynome = 4 };

// Edge qualities (m_edgeQuality).
enum EdgeQuality : int { kHardEdge = 1, kAntiAlias = 2, kSuperSmooth = 3, kExtreme = 4 };

// Size limits every creation and resize keeps to.
constexpr int kMaxObjectWidth = 1700;
constexpr int kMaxObjectHeight = 1500;

// One getter and one setter per attribute, named after the field.
#define LUMI_ATTRIBUTE(Type, Name, field) \
  Type Get##Name() const { return field; } \
  void Set##Name(Type value) { field = value; }

class CDrawObject {
 public:
  // `host` shows the object's messages and the wait cursor while rendering; `settings`
  // (section "Font") gives the default font, built-in defaults when null.
  explicit CDrawObject(Host& host, const Settings* settings = nullptr);
  ~CDrawObject();
  CDrawObject(const CDrawObject&) = delete;
  CDrawObject& operator=(const CDrawObject&) = delete;

  // ---- creation (each returns 1 on success, 0 when nothing was created)
  int CreateRectangle(int left, int top, int right, int bottom);
  int CreateCircle(int left, int top, int right, int bottom);
  int CreateRoundRect(int left, int top, int right, int bottom, int corner);
  int CreateStar(int left, int top, int right, int bottom, int points, int inner);
  int CreatePath(const std::vector<Point>& points, bool closed);
  int CreateFreePath(const std::vector<Point>& points, bool closed);
  int CreateArrow(Point tip, Point second, Point third);

  // ---- text (draw_object_text.cpp)
  // Live text at (x, y) from the text dialog opened on `text`; 0 (kind unchanged) on
  // Cancel, an empty text or when no font can be opened.
  int CreateText(int x, int y, const std::string& text, TextDialog& dialog);
  // "Edit Text...": the dialog on the object's text, keeping the current stretch of the
  // box over the text extent. Kind 4 only; 1 when edited, 0 on Cancel.
  int EditText(TextDialog& dialog);
  // The dialog with the missing-font notice and the size checks; on OK (1) the values
  // are copied into the object, on Cancel (0) nothing changes. Does not rebuild.
  int EditTextDialog(TextDialog& dialog);
  // Rebuilds the outline from the text and font at the outline height; 0 (the outline
  // kept as it was) when no font can be opened.
  int BuildTextOutline();
  // The text rectangle at the line height (0, 0, width, height); (0, 10, 10, 20) when no
  // font can be opened.
  Rect TextExtent() const;
  // `height` with (remove) or, for a text with descender characters, plus the line
  // count times the font's descent.
  int AdjustForDescenders(int height, bool remove) const;
  // The box height per text line.
  double LineHeight() const;
  // "Reset Transformations" of text: the envelope back to its default and off.
  int ResetTextTransformations();
  // The style library's sample: a 50 x 50 live text "AB" in bold Arial at (0, 0).
  void MakeStyleSample();

  // ---- bitmap objects (bitmap_object.cpp, bitmap_commands.cpp)
  // An image file read with the reader its name asks for, placed at (x, y) with the
  // image's size (clamped by SetSize); keeps the full path and the file name. On a read
  // failure shows the reader's message and returns 0, changing nothing.
  int CreateBitmap(int x, int y, const std::filesystem::path& path);
  // A pasted picture (top-down RGB) centred on (centre_x, centre_y); 0 when the buffer
  // does not hold width x height pixels or cannot be stored.
  int CreateBitmapFromClipboard(const RgbImage& rgb, int centre_x, int centre_y);
  // The same from a clipboard bitmap of any depth.
  int CreateBitmapFromClipboard(const CDIBSection& bitmap, int centre_x, int centre_y);
  // "Convert To Bitmap": the rendered image before bevel and shadow becomes the source;
  // every style attribute then goes back to its default. 0 for an object without a size.
  int ConvertToBitmap();
  // The box has the source size (no scaling, rotation or envelope fitted in).
  bool IsUntransformedBitmap() const;
  // The commands below act on bitmap objects only and return 1 when they changed it.
  int ResetTransformation();
  int ResetAll();
  int TransparencyFromIntensity();
  int ColorTransparency(COLORREF colour, int tolerance);
  // "White Transparency": white with tolerance 15.
  int WhiteTransparency();
  // The colour of the rendered image under a canvas point (the colour tool's pick);
  // white outside the image.
  COLORREF ImageColorAt(Point canvas) const;
  // Limits the alpha by the other object's rendered alpha where it covers the bitmap.
  int TransparencyFromObject(const CDrawObject& other, bool inverted, bool hard);
  int CropToObject(const CDrawObject& other);
  // "Update from original": reads the stored path again; the box keeps its size.
  int UpdateFromSource();
  // "Apply Changes" (and before every save): a source larger than the box in width or
  // height is resampled to the box, freeing its memory. Turned bitmaps are left alone.
  int ApplySizeChanges();
  // The source pixels for a project texture (empty for other kinds).
  const CDIBSection& SourcePixels() const;
  // Asks, then turns the bitmap into an envelope bitmap edited by its envelope handles.
  int ConvertToEnvelope();
  // The outline's bounds on the canvas: the curve for shapes, the nodes for polynomes,
  // the box otherwise.
  Rect OutlineBounds() const;

  // ---- attribute transfer (attribute_transfer.cpp): "Paste Atributes", styles and the
  // reset of "Convert To Bitmap". Takes the look of `source` (colours, texture, relief,
  // transparency, bevel, effect, genes, line width and the look flags) and the source's
  // highlighted and pushed looks, keeps kind, geometry, text, font and source bitmap,
  // then renders.
  void TransferAttributes(const CDrawObject& source);

  // ---- size, place and drawing
  // Clamps to 1..1700 x 1..1500 (telling the user once when cut), recreates the image
  // and renders.
  void SetSize(int width, int height);
  // Rebuilds the object image and the effect layer from the attributes.
  void Render();
  // Fills the coverage mask (m_width x m_height, top row first) from the outline; 1 when
  // done, 0 when this kind has no outline to rasterise (the mask is left as it was).
  int Rasterise(std::vector<std::uint8_t>& mask);
  // Blends the effect layer and the image onto a canvas bitmap whose top-left pixel is
  // the canvas point `origin` (the crop region's corner when exporting a region). The
  // canvas keeps its alpha, or with `alpha` = kBlendCanvasAlpha its alpha is blended like
  // the colours (a bitmap composed on a clear background then knows where objects are).
  enum CanvasAlpha { kKeepCanvasAlpha, kBlendCanvasAlpha };
  void DrawTo(CDIBSection& canvas, Point origin = {}, CanvasAlpha alpha = kKeepCanvasAlpha) const;
  // The same, kept to the canvas rows from `first_row` up to `last_row` (excluded), for
  // bands composed on several threads; with the canvas alpha kept.
  void DrawRowsTo(CDIBSection& canvas, Point origin, int first_row, int last_row) const;
  void MoveTo(int x, int y);
  Rect GetRect() const { return {m_x, m_y, m_x + m_width, m_y + m_height}; }
  Rect GetSelectionRect() const {
    return {m_x - 3, m_y - 3, m_x + m_width + 3, m_y + m_height + 3};
  }
  Point GetCenter() const { return {m_x + m_width / 2, m_y + m_height / 2}; }
  Rect GetInvalidRect(const Rect& rect) const;
  Rect GetVisualRect(const Rect& rect) const;
  Rect GetVisualRectAllLooks() const;
  void SetPendingRect(int x, int y, int width, int height);
  int ApplyPendingRect();
  // The exact shape test: alpha samples of the rendered image around (x, y).
  bool HitShape(int x, int y) const;

  // ---- outline operations
  // Rotates the outline (or the envelope of text and envelopes) and re-fits the box.
  // Bitmap objects without an envelope are left alone here. Returns true when done.
  bool Rotate(double angle_degrees, bool refit);
  // Mirrors the outline; text and envelopes mirror their envelope so they stay editable.
  bool Flip(bool vertical);
  // The skew tool's four edge shifts, then a re-fit.
  bool Skew(int top_shift, int right_shift, int bottom_shift, int left_shift);
  // "Convert to Polynome" for a vector shape (kind 1): the outline becomes one figure.
  int ConvertToPolynome();
  // Live text becomes a plain polynome with its envelope baked into the nodes.
  int ConvertTextToPolynome();
  // A plain polynome becomes a polynome envelope (edited through its envelope handles).
  int ConvertPolynomeToEnvelope(bool resize);
  // Appends another vector object's outline to this polynome ("Combine Objects").
  int Combine(CDrawObject& other);

  // ---- node editing (the view's node editor); each edit re-fits and renders and returns
  // the new selection rectangle, or an empty rectangle for a negative index.
  int HitNode(Point p, bool prefer_control) const;
  // Moves a node during a drag (no re-fit yet).
  void MoveNode(int index, int dx, int dy);
  // Moves one of the eight envelope handles of text and envelopes during a drag.
  void MoveEnvelopeHandle(int handle, int dx, int dy);
  // Ends a node or handle drag: re-fits and renders when the outline changed.
  Rect FinishNodeDrag();
  Rect DeleteNode(int index);
  Rect SetCusp(int index, bool straight);
  // Inserts a point (an island for polynomes when asked); `index` receives the index to
  // edit next, or -1.
  Rect InsertNodeAt(Point p, bool island, int& index);
  Rect BreakPath();
  Rect ClosePath();
  // Bounds of all nodes inflated by 3 (and 12 more for open outlines).
  Rect NodeSelectionRect() const;
  OutlineFeedback DrawFeedback(double angle_degrees = 0.0) const;

  // ---- records (object_record.cpp)
  // Writes or reads the object record: every persistent field in record order, the
  // outline, the polynome, the source bitmap and the button looks as nested records.
  // Writing never changes the object. Reading is meant for a just-constructed object: it
  // renders the object once its size is read and shows the normal look at the end,
  // unless `no_render` is set (callers that only want the attributes); look copies are
  // always rendered. A damaged record throws ArchiveError and leaves the object as it was.
  void SerializeObject(CArchive& ar, bool no_render);
  // Reads a record like SerializeObject(ar, false) without any of its renders, so that a
  // list of records can be read first and rendered together; RenderAsRead then makes
  // exactly the renders the read would have made, looks included.
  void ReadRecordForLaterRender(CArchive& ar);
  void RenderAsRead();
  // Whether rendering this object or one of its looks draws from the shared random
  // generator ("Random Noise", colour genes) or reads texture images from the bank:
  // such renders keep their order when many objects render at once.
  bool RenderNeedsItsTurn() const;
  // Who this object and its looks tell things to from now on.
  void SetHost(Host& host);

  // ---- attributes
  void CopyAttributes(const CDrawObject& from);
  void SetEdgeQuality(int quality);
  void SetTextureName(const std::string& name);

  // ---- multi-state looks
  void SetStates(int requested, bool has_highlighted, bool has_pushed, bool suppressed);
  void ShowState(int requested);
  void StoreShownState();
  const CDrawObject* HighlightedLook() const { return m_highlighted.get(); }
  const CDrawObject* PushedLook() const { return m_pushed.get(); }
  const CDrawObject* NormalLook() const { return m_normal.get(); }

  // ---- queries
  bool IsShape() const { return m_kind == kKindShape; }
  bool IsText() const { return m_kind == kKindPolynome && m_editableText != 0; }
  bool HasText() const { return IsText() && !m_text.empty(); }
  bool IsPolynome() const { return m_kind == kKindPolynome; }
  bool IsBitmap() const { return m_kind == kKindBitmap; }
  bool IsBall() const { return m_bevelKind == kBallBevel; }
  bool IsEnvelope() const { return m_polynome.IsEnvelopeOn(); }
  bool HasTextureFill() const;

  // ---- parts
  const std::string& GetId() const { return id_; }
  void SetId(const std::string& id) { id_ = id; }
  const CBezier& Outline() const { return m_outline; }
  CBezier& Outline() { return m_outline; }
  const CPolynome& Polynome() const { return m_polynome; }
  CPolynome& Polynome() { return m_polynome; }
  // The rendered image and effect layer, unpacked for reading (see KeptBitmap::Pixels:
  // not from two threads at once). Drawing uses KeptImage and KeptEffectLayer as kept.
  const CDIBSection& Image() const { return image_.Pixels(); }
  // The brushes tint the rendered image directly until the next render replaces it.
  CDIBSection& MutableImage() { return image_.Edit(); }
  const CDIBSection& EffectLayer() const { return effect_layer_.Pixels(); }
  CDIBSection& MutableEffectLayer() { return effect_layer_.Edit(); }
  const KeptBitmap& KeptImage() const { return image_; }
  const KeptBitmap& KeptEffectLayer() const { return effect_layer_; }
  const CDIBSection& SourceBitmap() const { return m_sourceBitmap; }
  CDIBSection& SourceBitmap() { return m_sourceBitmap; }
  const LOGFONT& GetFont() const { return m_font; }
  void SetFont(const LOGFONT& font) { m_font = font; }
  bool HasPendingRect() const { return has_pending_rect_ != 0; }
  // The last recorded geometry as a record stores it, without starting a resize.
  void SetStoredPendingRect(int x, int y, int width, int height) {
    m_pendingX = x;
    m_pendingY = y;
    m_pendingWidth = width;
    m_pendingHeight = height;
  }
  // A resize given up before it was applied: the stored geometry is put back by the caller.
  void DropPendingRect() { has_pending_rect_ = 0; }
  Rect GetPendingRect() const {
    return {m_pendingX, m_pendingY, m_pendingX + m_pendingWidth, m_pendingY + m_pendingHeight};
  }

  LUMI_ATTRIBUTE(int, X, m_x)
  LUMI_ATTRIBUTE(int, Y, m_y)
  LUMI_ATTRIBUTE(int, Width, m_width)
  LUMI_ATTRIBUTE(int, Height, m_height)
  LUMI_ATTRIBUTE(int, Kind, m_kind)
  LUMI_ATTRIBUTE(const std::string&, KindName, m_kindName)
  LUMI_ATTRIBUTE(int, EditableText, m_editableText)
  LUMI_ATTRIBUTE(int, SourceWidth, m_sourceWidth)
  LUMI_ATTRIBUTE(int, SourceHeight, m_sourceHeight)
  LUMI_ATTRIBUTE(const std::string&, SourcePath, source_path_)
  LUMI_ATTRIBUTE(int, ConvertToBitmap, m_convertToBitmap)
  LUMI_ATTRIBUTE(int, BitmapAngle, m_bitmapAngle)
  LUMI_ATTRIBUTE(COLORREF, FillColor, m_fillColor)
  LUMI_ATTRIBUTE(COLORREF, FillColor2, m_fillColor2)
  LUMI_ATTRIBUTE(int, RasterOk, m_rasterOk)
  LUMI_ATTRIBUTE(int, TextureTransparent, m_textureTransparent)
  int GetEdgeQuality() const { return m_edgeQuality; }
  LUMI_ATTRIBUTE(int, GradientAngle, m_gradientAngle)
  LUMI_ATTRIBUTE(int, Rendered, rendered_)
  LUMI_ATTRIBUTE(int, BevelKind, m_bevelKind)
  LUMI_ATTRIBUTE(int, BevelWidth, m_bevelWidth)
  LUMI_ATTRIBUTE(int, BevelIntensity, m_bevelIntensity)
  LUMI_ATTRIBUTE(int, BevelAngle, m_bevelAngle)
  const std::string& GetTextureName() const { return m_textureName; }
  LUMI_ATTRIBUTE(int, TextureStrength, m_textureStrength)
  LUMI_ATTRIBUTE(int, TextureScreen, m_textureScreen)
  LUMI_ATTRIBUTE(int, TextureTwoColor, m_textureTwoColor)
  LUMI_ATTRIBUTE(int, Transparency, m_transparency)
  LUMI_ATTRIBUTE(const std::string&, TransparencyName, m_transparencyName)
  LUMI_ATTRIBUTE(int, TransparencyAngle, m_transparencyAngle)
  LUMI_ATTRIBUTE(int, TransparencyCut, m_transparencyCut)
  LUMI_ATTRIBUTE(const std::string&, Text, m_text)
  LUMI_ATTRIBUTE(int, TextBold, m_textBold)
  LUMI_ATTRIBUTE(int, TextItalic, m_textItalic)
  LUMI_ATTRIBUTE(int, TextReserved, m_textReserved)
  LUMI_ATTRIBUTE(double, LineHeight, m_lineHeight)
  LUMI_ATTRIBUTE(int, TextAlign, m_textAlign)
  LUMI_ATTRIBUTE(int, EffectKind, m_effectKind)
  LUMI_ATTRIBUTE(int, EffectDistance, m_effectDistance)
  LUMI_ATTRIBUTE(int, EffectAngle, m_effectAngle)
  LUMI_ATTRIBUTE(int, EffectSoftness, m_effectSoftness)
  LUMI_ATTRIBUTE(int, EffectOpacity, m_effectOpacity)
  LUMI_ATTRIBUTE(COLORREF, EffectColor, m_effectColor)
  LUMI_ATTRIBUTE(int, EffectMargin, m_effectMargin)
  LUMI_ATTRIBUTE(int, HasHighlighted, m_hasHighlighted)
  LUMI_ATTRIBUTE(int, HasPushed, m_hasPushed)
  LUMI_ATTRIBUTE(int, StatesSuppressed, m_statesSuppressed)
  LUMI_ATTRIBUTE(int, CurrentState, m_currentState)
  LUMI_ATTRIBUTE(int, ExcludeFromButtons, m_excludeFromButtons)
  LUMI_ATTRIBUTE(double, LightX, m_lightX)
  LUMI_ATTRIBUTE(double, LightY, m_lightY)
  LUMI_ATTRIBUTE(double, LightZ, m_lightZ)
  LUMI_ATTRIBUTE(int, GeneSeed, m_geneSeed)
  LUMI_ATTRIBUTE(int, GeneParam1, m_geneParam1)
  LUMI_ATTRIBUTE(int, GeneParam2, m_geneParam2)
  LUMI_ATTRIBUTE(int, GeneParam3, m_geneParam3)
  LUMI_ATTRIBUTE(int, TextureRelief, m_textureRelief)
  LUMI_ATTRIBUTE(int, TextureReliefDepth, m_textureReliefDepth)
  LUMI_ATTRIBUTE(int, LineWidth, m_lineWidth)
  LUMI_ATTRIBUTE(double, TextureScaleX, m_textureScaleX)
  LUMI_ATTRIBUTE(double, TextureScaleY, m_textureScaleY)
  LUMI_ATTRIBUTE(double, TextureAngleX, m_textureAngleX)
  LUMI_ATTRIBUTE(double, TextureAngleY, m_textureAngleY)
  LUMI_ATTRIBUTE(int, TextureOffsetX, m_textureOffsetX)
  LUMI_ATTRIBUTE(int, TextureOffsetY, m_textureOffsetY)
  LUMI_ATTRIBUTE(int, Spare, m_spare)
  LUMI_ATTRIBUTE(int, Hidden, m_hidden)
  LUMI_ATTRIBUTE(int, Grouped, m_grouped)

  Host& GetHost() const { return *host_; }
  // The texture bank and folders this object and its looks render with; null (the start)
  // is the empty context of render_context.h. Objects this one makes take the same.
  void SetRenderContext(const RenderContext* context);
  const RenderContext* GetRenderContext() const { return render_context_; }

 private:
  // The attribute table (object_attributes.cpp) names the members it copies and sets.
  friend struct ObjectAttributeTable;

  // Applies a box returned by an outline operation given the box (0, 0, w, h).
  void ApplyRelativeBox(const Rect& box);
  // Re-fits the box to the edited outline the way each kind is fitted.
  void RefitAfterEdit();
  // Where DrawTo puts the effect layer relative to the image (effect 7 centred unless
  // `keep_centred_offset`, effect 2 five pixels lower).
  Point EffectOffset(bool keep_centred_offset) const;
  std::unique_ptr<CDrawObject>& LookCopy(int state);
  // A new object on this object's host and render context.
  std::unique_ptr<CDrawObject> MakeRelative() const;
  // The number of text lines: one more than the line feeds.
  int TextLineCount() const;
  // The face of the text font, or null when no font can be opened.
  FontFace* TextFace() const;
  // Render pipeline steps.
  void FillWithColour();
  void KeepImageAsSourceBitmap();
  // Bitmap objects: the image and the coverage mask from the source bitmap.
  void RenderBitmapStage(std::vector<std::uint8_t>& mask);
  bool RotateBitmap(int angle_degrees);
  void FlipBitmap(bool vertical);
  // Replaces the source with top-down RGB pixels at alpha 255.
  void SetSourceFromRGB(const RgbImage& rgb);
  // Reads an image file into the source bitmap under the wait cursor; on failure shows the
  // reader's text (or "Image Load Error") and returns false, leaving the source as it was.
  bool LoadSourceFile(const std::filesystem::path& path);
  // A new bitmap object at (x, y): a plain box of the source's size, no bevel or turn.
  void PlaceNewBitmap(int x, int y);
  // The plain attribute list of the transfer, without the looks.
  void CopyStyleFrom(const CDrawObject& source);
  // Record steps (object_record.cpp): rows 1 to 80 in either direction, the rest of the
  // record written, a whole record read into this fresh object, and the move of a read
  // object's state into this one.
  void ExchangeAttributeRows(CArchive& ar);
  void WriteRecord(CArchive& ar);
  void WriteLook(CArchive& ar, CDrawObject* copy);
  // Which renders a record read makes: all, only those of the looks, or none.
  enum RecordRender { kRenderAll, kRenderLooksOnly, kRenderNone };
  void ReadRecord(CArchive& ar, RecordRender render, int depth, const LOGFONT& default_font);
  void CheckReadAttributes() const;
  void AdoptRecord(CDrawObject& read);

  Host* host_;
  const RenderContext* render_context_ = nullptr;

  std::string id_;
  CDIBSection m_sourceBitmap;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
  int m_convertToBitmap = 0;
  int m_bitmapAngle = 0;
  CBezier m_outline;
  CPolynome m_polynome;
  int m_pendingX = 0, m_pendingY = 0, m_pendingWidth = 0, m_pendingHeight = 0;
  int has_pending_rect_ = 0;
  COLORREF m_fillColor = 0x000000FF;
  COLORREF m_fillColor2 = 0x00FF0000;
  int m_rasterOk = 0;
  int m_textureTransparent = 0;
  int m_edgeQuality = kSuperSmooth;
  int m_gradientAngle = 0;
  int rendered_ = 0;
  int m_bevelKind = 0;
  int m_bevelWidth = 8;
  int m_bevelIntensity = 75;
  int m_bevelAngle = 135;
  int m_kind = kKindNone;
  int m_editableText = 0;
  std::string m_textureName;
  int m_textureStrength = 255;
  int m_textureScreen = 0;
  int m_textureTwoColor = 0;
  int m_transparency = 0;
  std::string m_transparencyName;
  int m_transparencyAngle = 0;
  int m_transparencyCut = 1;
  std::string m_text;
  int m_textBold = 0;
  int m_textItalic = 0;
  int m_textReserved = 0;
  double m_lineHeight = 20.0;
  int m_textAlign = 0;
  LOGFONT m_font;
  int m_effectKind = 0;
  int m_effectDistance = 3;
  int m_effectAngle = 45;
  int m_effectSoftness = 2;
  int m_effectOpacity = 200;
  COLORREF m_effectColor = 0;
  std::unique_ptr<CDrawObject> m_highlighted;
  std::unique_ptr<CDrawObject> m_pushed;
  std::unique_ptr<CDrawObject> m_normal;
  int m_hasHighlighted = 0;
  int m_hasPushed = 0;
  int m_statesSuppressed = 0;
  int m_currentState = 0;
  int m_excludeFromButtons = 0;
  KeptBitmap effect_layer_;
  KeptBitmap image_;
  int m_effectMargin = 10;
  int m_x = 0, m_y = 0;
  int m_width = 0, m_height = 0;
  std::string m_kindName;
  std::string source_path_;
  double m_lightX = -0.6476, m_lightY = -0.52906, m_lightZ = 0.54827;
  int m_geneSeed = 0;
  int m_geneParam1 = 2334, m_geneParam2 = 243, m_geneParam3 = 243;
  int m_textureRelief = 0;
  int m_textureReliefDepth = 40;
  int m_lineWidth = 6;
  double m_textureScaleX = 1.0, m_textureScaleY = 1.0;
  double m_textureAngleX = 0.0, m_textureAngleY = 0.0;
  int m_textureOffsetX = 0, m_textureOffsetY = 0;
  int m_spare = 0;
  int m_hidden = 0;
  int m_grouped = 0;
};

#undef LUMI_ATTRIBUTE

}  // namespace lumi
