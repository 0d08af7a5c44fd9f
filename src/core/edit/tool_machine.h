#pragma once
// The mouse tools of the drawing view without a window. The window (or an edit script)
// feeds it canvas points with the Shift and Ctrl state; each press that starts a drag
// creates a small drag object that receives the moves and, at the release, makes the
// change and takes the undo snapshot. What the tools show comes back as an Overlay in
// canvas coordinates.
//
//   ToolMachine tools(doc, port, quick_tools, &text_dialog);
//   tools.ChooseTool(Tool::Select);
//   tools.Press({120, 80}, {});  tools.Move({160, 80}, {});  tools.Release({160, 80}, {});
//   Overlay overlay = tools.BuildOverlay();
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "collections/style_library.h"
#include "edit/overlay.h"
#include "edit/quick_tools.h"
#include "edit/tool_ids.h"
#include "objects/logfont.h"

namespace lumi {

class CDrawObject;
class CommandServices;
class CPlenivorDoc;
class Host;
class ImageImport;
class TextDialog;

// What new text starts with: the last edited text's font and options.
struct TextDefaults {
  LOGFONT font;
  int bold = 0;
  int italic = 0;
  double line_height = 20.0;
  int align = 0;
};

struct Keys {
  bool shift = false;
  bool ctrl = false;
};

// What the drawing tools remember between objects.
struct DrawToolParameters {
  int corner = 100;      // rounded rectangles, in 1/1024 of the width
  int star_points = 6;
  int star_ratio = 4;
  int tolerance = 14;    // colour tolerance, kept halved
  int brush_size = 8;    // b: the dab reaches 2b pixels from its centre
  int brush_value = 128; // v: the strength at the centre
};

// The path the pencil or the Bezier pen is drawing, in canvas pixels. The pen keeps
// three entries per node: incoming control, node, outgoing control.
struct PathInProgress {
  std::vector<Point> points;
  Point start;
  Point last;
  bool closing = false;  // the next click (pen) or the release (pencil) closes the path
  bool rubber = false;   // the pen's rubber line from the last node to `mouse` is shown
  Point mouse;
};

// The arrow being clicked: the tip, the second and the third point.
struct ArrowInProgress {
  int clicks = 0;
  std::array<Point, 3> points{};
  Point mouse;
};

// Which of the two default sets a new object takes, if any.
enum class DefaultSet { None, Shapes, Text };

// What the tools ask of the view that shows them. Every call does nothing unless
// overridden.
class ToolViewPort {
 public:
  virtual ~ToolViewPort() = default;
  // The selection changed: one object, or a multi-selection (a group when `group`).
  virtual void SelectionChanged(const CDrawObject* /*selected*/,
                                const std::vector<const CDrawObject*>& /*multi*/,
                                bool /*group*/) {}
  // A canvas area (objects or overlays) must be painted again.
  virtual void InvalidateCanvas(const Rect& /*canvas*/) {}
  virtual void InvalidateAll() {}
  // The end of a zoom-tool drag.
  virtual void ZoomToRectangle(const Rect& /*canvas*/) {}
  // The composite below the selection: dropped (deleted), or rebuilt at the next paint.
  virtual void DropCache() {}
  virtual void MarkCacheInvalid() {}
  // The tool or the cursor changed (check marks, cursor shape).
  virtual void ToolChanged() {}
};

// One drag in progress: it receives the moves, draws its feedback and at the release
// makes its change.
class ToolDrag {
 public:
  virtual ~ToolDrag() = default;
  virtual void Move(Point p, Keys keys) = 0;
  virtual void Release(Point p, Keys keys) = 0;
  virtual void Draw(Overlay& /*out*/) const {}
  // The tool shown while the drag runs (the internal tools 16, 19 and 20).
  virtual Tool DragTool() const = 0;
  virtual CursorRole Cursor() const { return CursorRole::SystemDefault; }
  // The drag is given up (Escape): what its moves changed is put back. Drags that change
  // nothing before the release need nothing here.
  virtual void Cancel() {}
};

class ToolMachine {
 public:
  // `text_dialog` edits live text on a double-click; null leaves text alone.
  ToolMachine(CPlenivorDoc& doc, ToolViewPort& port, QuickTools& quick_tools,
              TextDialog* text_dialog);
  ~ToolMachine();
  ToolMachine(const ToolMachine&) = delete;
  ToolMachine& operator=(const ToolMachine&) = delete;

  // ---- mouse events, in canvas pixels
  void Press(Point p, Keys keys);
  void Move(Point p, Keys keys);
  void Release(Point p, Keys keys);
  void DoubleClick(Point p, Keys keys);
  // Escape: a drag in progress is given up and leaves everything as it was (no undo
  // step; the release that follows does nothing); without a drag the select tool comes
  // back. False when neither happened.
  bool Escape();
  void RightPress(Point p, Keys keys);
  // The mouse moved without a drag: the handle under the cursor (select and skew), the
  // rubber lines of the Bezier pen and the arrow.
  void Hover(Point p, Keys keys = {});

  // ---- tools
  Tool CurrentTool() const;
  // Whether the tool's command can be chosen now (the texture tool needs a texture fill,
  // the brushes and the colour tool a bitmap shown at its source size).
  bool CanChooseTool(Tool tool) const;
  // The tool command: false (nothing changed) when it cannot be chosen now.
  bool ChooseTool(Tool tool);
  // Back to the select tool, as most tools do when they finish.
  void ResumeSelect();
  CursorRole Cursor() const;
  bool Dragging() const { return drag_ != nullptr; }

  // ---- node commands (shape tool)
  // "Delete Object", the Delete key and "Remove Point" with the shape tool.
  void DeletePoint();
  void SetNodeCusp(bool sharp);
  void BreakPath();
  void ClosePath();
  // The node panel's "Width" slider was released at `value`.
  void WidthSliderReleased(int value);
  int NodeIndex() const { return node_index_; }
  int DefaultLineWidth() const { return default_line_width_; }
  const TextDefaults& GetTextDefaults() const { return text_defaults_; }

  // ---- drawing tools (draw_tools.cpp)
  DrawToolParameters& DrawParameters() { return params_; }
  const DrawToolParameters& DrawParameters() const { return params_; }
  const PathInProgress& Path() const { return path_; }
  PathInProgress& MutablePath() { return path_; }
  const ArrowInProgress& ArrowState() const { return arrow_; }
  // The two default sets new objects take; the window shares its own with the bars.
  NewObjectDefaultSets& DefaultSets() { return *defaults_; }
  void SetNewObjectDefaults(NewObjectDefaultSets* sets) { defaults_ = sets ? sets : &own_defaults_; }
  // Where the image tool gets its file; without one the image tool makes nothing.
  void SetImageImport(ImageImport* import) { image_import_ = import; }
  // The step every drawing tool ends with: a new object appended to the document, the
  // chosen default set applied, then `build`; a failing build (0) removes the object and
  // returns null. Otherwise one undo snapshot, and the object becomes the selection.
  CDrawObject* CreateObject(DefaultSet set, const std::function<int(CDrawObject&)>& build);
  void ApplyDefaultAttributes(CDrawObject& object, const NewObjectDefaults& set) const;
  // The pen finishes its path: closed, or open (a double-click or the right button).
  void FinishPath(bool closed);
  // ---- object commands (object_commands.h)
  // The clipboard, the rotate dialog and the settings the commands use; until set, an
  // in-memory set of its own.
  void SetCommandServices(CommandServices* services) { services_ = services; }
  CommandServices& Services() const;
  // "Edit Text..." and the double-click on text: the text dialog on `text`. An emptied
  // text deletes the object; otherwise its font and options become the text defaults.
  // False when there is no text dialog.
  bool EditTextOf(CDrawObject& text);

  // ---- selection
  CDrawObject* Selected() const { return selected_; }
  const std::vector<CDrawObject*>& MultiSelection() const { return multi_; }
  bool GroupSelected() const { return group_selected_; }
  // Makes `object` the single selection (or clears it) and clears the multi-selection.
  void SelectObject(CDrawObject* object);
  void SetMultiSelection(std::vector<CDrawObject*> members, bool group);
  // After loading, undo and redo the objects are new: nothing stays selected.
  void ForgetSelection();
  // The list indexes of the selected objects (single or multi), ascending.
  std::vector<int> SelectedIndexes() const;

  // ---- what the tools show
  Overlay BuildOverlay() const;
  // The skew tool's four edge shifts (top, right, bottom, left).
  const std::array<int, 4>& SkewOffsets() const { return skew_; }

  // ---- for the drags
  CPlenivorDoc& Doc() const { return doc_; }
  Host& GetHost() const;
  ToolViewPort& Port() const { return port_; }
  QuickTools& Quick() const { return quick_; }
  void SetTool(Tool tool);
  // The kind of the selection in the status bar ("Object: Closed Path", "Ready.", ...).
  void ShowObjectStatus();
  static std::string ObjectStatusText(const CDrawObject* object);
  void Status(std::string_view text) const;
  // Repaints an object's area with its effects.
  void InvalidateObject(const CDrawObject& object, const Rect& extra = {});
  void SetNodeIndex(int index) { node_index_ = index; }
  void ShowNodePanel();
  // The bar for a selection under the select tool: node panel for an open path.
  void ConfigureQuickToolsForSelection();
  void ClearQuickTools();
  std::array<int, 4>& MutableSkew() { return skew_; }
  void ToggleInMultiSelection(CDrawObject* object);
  // The topmost group whose rectangle contains `p`, as its member objects.
  std::vector<CDrawObject*> GroupAt(Point p) const;

 private:
  void SelectPress(Point p, Keys keys);
  void ShapePress(Point p, Keys keys);
  void AddPointPress(Point p, Keys keys);
  void RotatePress(Point p, Keys keys);
  void SkewPress(Point p, Keys keys);
  void TexturePress(Point p);
  // draw_tools.cpp
  void ChooseDrawTool(Tool tool);
  bool CanChooseDrawTool(Tool tool) const;
  bool DrawToolPress(Point p, Keys keys);
  void PenPress(Point p, Keys keys);
  void PenHover(Point p, Keys keys);
  void ArrowPress(Point p);
  void MakeArrow();
  void TransparencyFromColourPress(Point p);
  void ArtisticTextPress(Point p);
  void ImagePress(Point p);
  void DrawToolOverlay(Overlay& out) const;
  CursorRole DrawToolCursor() const;
  // A press of the rotate and skew tools: Ctrl hits by rectangle, and a press on the
  // selection's handles keeps it.
  CDrawObject* TransformHit(Point p, Keys keys);
  void DrawSelection(Overlay& out) const;
  // Repaints what the overlay covered before and covers now.
  void RefreshOverlay();

  CPlenivorDoc& doc_;
  ToolViewPort& port_;
  QuickTools& quick_;
  TextDialog* text_dialog_;
  CommandServices* services_ = nullptr;
  mutable std::unique_ptr<CommandServices> own_services_;
  Tool tool_ = Tool::Select;
  std::unique_ptr<ToolDrag> drag_;
  CDrawObject* selected_ = nullptr;
  std::vector<CDrawObject*> multi_;
  bool group_selected_ = false;
  int hover_handle_ = 0;
  int node_index_ = -2;
  int default_line_width_ = 6;
  TextDefaults text_defaults_;
  DrawToolParameters params_;
  PathInProgress path_;
  ArrowInProgress arrow_;
  NewObjectDefaultSets own_defaults_;
  NewObjectDefaultSets* defaults_ = &own_defaults_;
  ImageImport* image_import_ = nullptr;
  std::array<int, 4> skew_{};
  Rect overlay_bounds_;
};

}  // namespace lumi
