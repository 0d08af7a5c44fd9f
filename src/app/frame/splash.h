#pragma once
// The picture shown at start: centred on the screen, closed after 1600 ms or by the
// first key or mouse-button press, which it takes for itself.
#include <QObject>
#include <QPointer>

class QSplashScreen;
class QWidget;

namespace lumi::app {

class Splash : public QObject {
  Q_OBJECT
 public:
  static constexpr int kShowMs = 1600;

  // Shows the splash; `main_window` is repainted when it closes.
  explicit Splash(QWidget* main_window, int show_ms = kShowMs);
  ~Splash() override;

  bool IsShown() const;
  QSplashScreen* Screen() const { return screen_; }

 signals:
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Close();

  QPointer<QWidget> main_window_;
  QSplashScreen* screen_ = nullptr;
};

// The splash picture itself.
QPixmap SplashPicture();

}  // namespace lumi::app
