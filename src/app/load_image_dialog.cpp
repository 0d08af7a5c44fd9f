#include "load_image_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

#include "base/settings.h"
#include "image/image_loader.h"
#include "qt_convert.h"
#include "ui/image_preview_fit.h"

namespace lumi::app {

namespace {

const QStringList& ImageFilters() {
  static const QStringList filters = {
      QStringLiteral("Image Files (*.BMP *.JPG *.PCX *.PNG *.TIF *.GIF *.bmp *.jpg *.pcx *.png *.tif *.gif)"),
      QStringLiteral("JPG Files (*.JPG *.jpg)"),
      QStringLiteral("GIF Files (*.GIF *.gif)"),
      QStringLiteral("PNG Files (*.PNG *.png)"),
      QStringLiteral("TIFF Files (*.TIF *.tif)"),
      QStringLiteral("BMP Files (*.BMP *.bmp)"),
      QStringLiteral("PCX Files (*.PCX *.pcx)"),
      QStringLiteral("All files (*)"),
  };
  return filters;
}

// The pane's client rectangle inset by 1 pixel, as the core's placement takes it.
Rect Inset(const QWidget& w) { return {1, 1, w.width() - 1, w.height() - 1}; }

}  // namespace

ImagePreviewPane::ImagePreviewPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("imagePreview"));
  setMinimumSize(160, 120);
}

bool ImagePreviewPane::ShowFile(const QString& path) {
  picture_ = QImage();
  if (const std::optional<RgbImage> rgb = LoadImageFile(std::filesystem::path(path.toStdString()))) {
    // The pane keeps its own copy of the reader's pixels.
    picture_ = ToQImage(*rgb);
  }
  update();
  return !picture_.isNull();
}

void ImagePreviewPane::Clear() {
  picture_ = QImage();
  update();
}

QRect ImagePreviewPane::ShownRect() const {
  if (picture_.isNull()) return {};
  const Rect r = PreviewPlacement(Inset(*this), picture_.width(), picture_.height());
  return {r.left, r.top, r.Width(), r.Height()};
}

void ImagePreviewPane::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
  const QRect shown = ShownRect();
  if (shown.isEmpty()) return;
  if (shown.size() == picture_.size())
    p.drawImage(shown.topLeft(), picture_);
  else
    p.drawImage(shown.topLeft(), picture_.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

LoadImageDialog::LoadImageDialog(const QString& start, QWidget* parent) : QFileDialog(parent) {
  setWindowTitle(QStringLiteral("Load Image"));
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setNameFilters(ImageFilters());
  if (!start.isEmpty()) {
    const QFileInfo info(start);
    if (info.isDir()) {
      setDirectory(start);
    } else {
      setDirectory(info.absolutePath());
      if (info.exists()) selectFile(info.fileName());
    }
  }

  pane_ = new ImagePreviewPane(this);
  preview_ = new QCheckBox(QStringLiteral("&Preview"), this);
  preview_->setChecked(true);
  info_ = new QLabel(this);
  info_->setObjectName(QStringLiteral("imageInfo"));
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    const int row = grid->rowCount();
    grid->addWidget(preview_, row, 0);
    grid->addWidget(info_, row, 1, 1, -1);
    grid->addWidget(pane_, row + 1, 0, 1, -1);
  }
  connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) { ShowSelection(path); });
  connect(preview_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) {
      ShowSelection(current_);
    } else {
      pane_->Clear();
      info_->clear();
    }
  });
}

void LoadImageDialog::ShowSelection(const QString& path) {
  current_ = path;
  if (!preview_->isChecked()) return;
  const QFileInfo file(path);
  if (!file.isFile() || !pane_->ShowFile(path)) {
    pane_->Clear();
    info_->clear();
    return;
  }
  info_->setText(QStringLiteral("%1 x %2 pixels, %3 KB")
                     .arg(pane_->Picture().width())
                     .arg(pane_->Picture().height())
                     .arg((file.size() + 1023) / 1024));
}

std::optional<std::filesystem::path> QtImageImport::ChooseImageFile() {
  const std::string last = settings_.GetString("Import", "Path", "");
  LoadImageDialog dialog(QString::fromStdString(last), parent_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  settings_.SetString("Import", "Path", chosen.toStdString());
  return std::filesystem::path(chosen.toStdString());
}

}  // namespace lumi::app
