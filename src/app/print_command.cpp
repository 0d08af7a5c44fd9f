#include "print_command.h"

#include <cstdint>
#include <cstring>

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "render/canvas_composition.h"
#include "qt_convert.h"

namespace lumi::app {

QRect FitCanvasToPage(QSize canvas, const QRect& page) {
  if (canvas.isEmpty() || page.isEmpty()) return {};
  const std::int64_t cw = canvas.width(), ch = canvas.height();
  const std::int64_t pw = page.width(), ph = page.height();
  // Compare the proportions in integers: the page is the narrower one when pw/ph <= cw/ch.
  if (pw * ch <= ph * cw)
    return {page.left(), page.top(), int(pw), int(ch * pw / cw)};
  return {page.left(), page.top(), int(cw * ph / ch), int(ph)};
}

void PaintCanvasOnPage(QPainter& painter, const QRect& page, const CPlenivorDoc& document,
                       Host& host) {
  const CanvasArea canvas{document.GetCanvasWidth(), document.GetCanvasHeight(),
                          document.GetCanvasColor(), std::nullopt};
  const QRect target = FitCanvasToPage({canvas.width, canvas.height}, page);
  if (target.isEmpty()) return;
  const QImage image = ToQImage(ComposeCanvas(canvas, document.Objects(), host));
  // One stretch from canvas pixels to device pixels; smoothing would blur hard edges.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, image);
}

PrintCommand::PrintCommand(QWidget* owner, const CPlenivorDoc& document, Host& host)
    : owner_(owner), document_(document), host_(host) {}

PrintCommand::~PrintCommand() { delete printer_; }

void PrintCommand::PrintOn(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    host_.Message("The printer could not be started.", MessageKind::Warning);
    return;
  }
  // The painter's origin is the top-left of the printable area.
  const QRect page(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
  WaitCursor wait(host_);
  try {
    PaintCanvasOnPage(painter, page, document_, host_);
  } catch (const Error& e) {
    host_.Message(e.what(), MessageKind::Error);
  }
}

void PrintCommand::Print() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  QPrintDialog dialog(printer_, owner_);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintOn(*printer_);
}

void PrintCommand::Preview() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(printer_, owner_);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* printer) { PrintOn(*printer); });
  dialog.exec();
}

}  // namespace lumi::app
