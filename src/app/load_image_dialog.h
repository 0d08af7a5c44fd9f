#pragma once
// The "Load Image" dialog: a file dialog (Qt's own, so a pane can sit in it) with a
// preview of the selected picture, its size and file size, and a "&Preview" check box.
// The picture is read by the core's image loaders, as the import reads it.
#include <QFileDialog>
#include <QImage>
#include <QWidget>

#include "edit/image_import.h"

class QCheckBox;
class QLabel;

namespace lumi {
class Settings;
}

namespace lumi::app {

class ImagePreviewPane : public QWidget {
  Q_OBJECT
 public:
  explicit ImagePreviewPane(QWidget* parent = nullptr);
  // Reads the file; an unreadable one leaves the pane empty. Returns whether it showed.
  bool ShowFile(const QString& path);
  void Clear();
  const QImage& Picture() const { return picture_; }
  // Where the picture is drawn in the pane (empty without one).
  QRect ShownRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

class LoadImageDialog : public QFileDialog {
  Q_OBJECT
 public:
  // Starts at `start` (a file or folder; empty for the current folder).
  LoadImageDialog(const QString& start, QWidget* parent = nullptr);

  ImagePreviewPane* Pane() const { return pane_; }
  QCheckBox* PreviewBox() const { return preview_; }
  QLabel* InfoLabel() const { return info_; }

 private:
  void ShowSelection(const QString& path);

  ImagePreviewPane* pane_ = nullptr;
  QCheckBox* preview_ = nullptr;
  QLabel* info_ = nullptr;
  QString current_;
};

// The image tool's file choice through the dialog; remembers the last file in the
// settings ("Import"/"Path").
class QtImageImport final : public ImageImport {
 public:
  QtImageImport(Settings& settings, QWidget* parent) : settings_(settings), parent_(parent) {}
  std::optional<std::filesystem::path> ChooseImageFile() override;

 private:
  Settings& settings_;
  QWidget* parent_;
};

}  // namespace lumi::app
