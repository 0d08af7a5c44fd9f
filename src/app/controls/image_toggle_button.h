#pragma once
// CImageToggleButton: a button with three pictures from one strip: disabled, off and on.
// The owner decides the on state (the frame buttons of the Multimedia Extension panel);
// clicks are ordinary `clicked` signals.
#include <QAbstractButton>
#include <QImage>
#include <array>

namespace lumi::app {

class CImageToggleButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CImageToggleButton(QWidget* parent = nullptr);

  // Cuts the strip (a program icon name or an image path) into pictures `image_width`
  // pixels wide. False when it cannot be read or holds fewer than three pictures.
  bool LoadImages(const QString& strip, int image_width);
  void SetOn(bool on);
  bool IsOn() const { return on_; }
  const QImage& Image(int index) const { return images_.at(index); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<QImage, 3> images_;
  bool on_ = false;
};

}  // namespace lumi::app
