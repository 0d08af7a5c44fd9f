#pragma once
// COXBitmapButton: a push button that shows a picture. With the flat look it shows no
// frame and a grey "cold" picture until the pointer rests on it, then a raised frame
// and the picture in colour. Its text holds the caption and, after a line feed ("\n"),
// the tool tip. Clicks are ordinary `clicked` signals.
#include <QAbstractButton>
#include <QImage>

#include "base/colour.h"

namespace lumi::app {

class COXBitmapButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit COXBitmapButton(QWidget* parent = nullptr);

  // Loads the picture (an icon name of the program, or any image file or resource path);
  // pixels of the mask colour become transparent. With `fit` the button takes the
  // picture's size plus 3 pixels on each side (and its caption). False when nothing
  // could be loaded: the button then draws its frame only.
  bool LoadBitmap(const QString& picture, bool fit = true, COLORREF mask = RGB(255, 0, 255));
  // The text after the line feed.
  void SetToolTipText(const QString& tip);
  // Always succeeds: every button of this class draws itself.
  bool SetFlatLook(bool on);
  bool IsFlatLook() const { return flat_; }
  void SetToolTipEnabled(bool on);

  bool IsHovered() const { return hovered_; }
  QString Caption() const;
  // The three pictures: normal, cold (grey) and disabled.
  const QImage& NormalImage() const { return normal_; }
  const QImage& ColdImage() const { return cold_; }
  const QImage& DisabledImage() const { return disabled_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void UpdateToolTip();

  QImage normal_, cold_, disabled_;
  bool flat_ = false;
  bool hovered_ = false;
  bool tooltip_enabled_ = false;
  bool fit_ = false;
};

// The cold picture of an image: every visible pixel of another colour than the mask
// becomes the grey level of its brightness (four levels).
QImage ColdImageOf(const QImage& image, COLORREF mask);

}  // namespace lumi::app
