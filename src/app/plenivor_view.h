#pragma once
// The drawing view's window: a scroll area that hands its size, scroll bars and mouse to
// the core view and paints the composite the core view returns.
#include <QAbstractScrollArea>
#include <QImage>

class QMimeData;

#include <memory>
#include <optional>

#include "edit/drawing_view.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"

namespace lumi {
class CPlenivorDoc;
class Host;
class TextDialog;
class ViewDocument;
}  // namespace lumi

namespace lumi::app {

class CPlenivorView : public QAbstractScrollArea, private ViewSurface {
  Q_OBJECT
 public:
  explicit CPlenivorView(Host& host, QWidget* parent = nullptr);
  ~CPlenivorView() override;

  // Shows `document` (kept by the caller for as long as it is shown).
  void SetDocument(const ViewDocument* document);
  DrawingView& View() { return view_; }
  const DrawingView& View() const { return view_; }
  // The mouse tools on `doc` (the document shown); until then the mouse only reports its
  // position. `text_dialog` edits text on a double-click (null: text is left alone).
  void AttachTools(CPlenivorDoc& doc, TextDialog* text_dialog);
  ToolMachine* Tools() { return tools_.get(); }
  QuickTools& Quick() { return quick_tools_; }
  // The Quick Tools bar the tools configure and read from now on.
  void SetQuickToolsBar(QuickTools* bar) { quick_tools_.SetBar(bar); }
  // The document's refresh for the view and its tools: hints other than a repaint leave
  // the tools with nothing selected.
  void OnUpdate(int hint);

 public:
  // The object-library entry a drag offers: its path as text, or one .obj file URL.
  static std::optional<QString> LibraryEntryPath(const QMimeData& data);

 public slots:
  void chooseZoomEntry(int index);
  void zoomIn();
  void zoomOut();
  void originalSize();
  void toggleMatte();

 signals:
  // The zoom list should show entry `index`.
  void zoomEntryChanged(int index);
  // The current tool changed (the Tools menu moves its check mark).
  void toolChanged();
  // The tools selected another current object (null: none); the Layers panel follows.
  void currentObjectChanged(const lumi::CDrawObject* object);
  // An object-library entry (its file path as text) was dropped at a canvas point.
  void libraryEntryDropped(const QString& path, QPoint canvas);
  // The context menu is wanted at a global position (right click or the menu key).
  void contextMenuWanted(QPoint global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // What the core view asks of the window.
  void InvalidateAll() override;
  void InvalidateDeviceRect(const Rect& device) override;
  void ScrollGeometryChanged() override;
  void ShowZoomEntry(int index) override;

  void EndScroll();
  // What the tools ask of the view.
  class ToolPort;
  friend class ToolPort;
  void InvalidateCanvas(const Rect& canvas);
  Point CanvasPoint(const QMouseEvent& event) const;
  void UpdateCursor();
  // Panning: the middle button, or the left one while Space is held, drags the view with
  // any tool; the tool is untouched and takes over again at the release.
  bool StartPan(const QMouseEvent& event);
  void EndPan();
  // The part `source` of the composite as an image, kept between paints: only the part
  // `composed` this paint recomposed is copied again.
  const QImage& CanvasImage(const CDIBSection& bitmap, const Rect& source, const Rect& composed);

  DrawingView view_;
  QuickToolsRelay quick_tools_;
  std::unique_ptr<ToolPort> tool_port_;
  std::unique_ptr<ToolMachine> tools_;
  bool shown_ = false;
  bool syncing_bars_ = false;
  bool space_held_ = false;
  Qt::MouseButton pan_button_ = Qt::NoButton;
  QPoint pan_last_;
  QImage canvas_image_;
  QImage frame_;
};

}  // namespace lumi::app
