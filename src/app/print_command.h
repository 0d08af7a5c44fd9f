#pragma once
// Printing the canvas: the whole canvas composed at its own resolution and stretched onto
// the page with its aspect kept, at the page's top-left; the rest of the page stays blank.
#include <QRect>
#include <QSize>

class QPainter;
class QPrinter;
class QWidget;

namespace lumi {
class CPlenivorDoc;
class Host;
}  // namespace lumi

namespace lumi::app {

// The largest rectangle of the canvas's proportions that fits `page`, anchored at the
// page's top-left. Sizes are truncated to whole device pixels. Empty when either is empty.
QRect FitCanvasToPage(QSize canvas, const QRect& page);

// Composes the document's canvas (the crop region is for export only and is ignored
// here) and draws it into `page` on `painter`.
void PaintCanvasOnPage(QPainter& painter, const QRect& page, const CPlenivorDoc& document,
                       Host& host);

// File > Print and Print Preview. The printer keeps its choices (paper, orientation,
// printer) from one use to the next.
class PrintCommand {
 public:
  PrintCommand(QWidget* owner, const CPlenivorDoc& document, Host& host);
  ~PrintCommand();
  PrintCommand(const PrintCommand&) = delete;
  PrintCommand& operator=(const PrintCommand&) = delete;

  // The print dialog, then the page; nothing is printed when the dialog is cancelled.
  void Print();
  void Preview();
  // One page on `printer`: what both commands end in.
  void PrintOn(QPrinter& printer);

 private:
  QWidget* owner_;
  const CPlenivorDoc& document_;
  Host& host_;
  QPrinter* printer_ = nullptr;
};

}  // namespace lumi::app
