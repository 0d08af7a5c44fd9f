#include "frame/splash.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>

namespace lumi::app {

QPixmap SplashPicture() { return QPixmap(QStringLiteral(":/splash/splash.svg")); }

Splash::Splash(QWidget* main_window, int show_ms) : QObject(main_window), main_window_(main_window) {
  screen_ = new QSplashScreen(SplashPicture());
  screen_->setObjectName(QStringLiteral("splash"));
  screen_->setCursor(Qt::ArrowCursor);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    screen_->move(screen->geometry().center() - screen_->rect().center());
  screen_->show();
  qApp->installEventFilter(this);
  QTimer::singleShot(show_ms, this, &Splash::Close);
}

Splash::~Splash() { delete screen_; }

bool Splash::IsShown() const { return screen_ && screen_->isVisible(); }

void Splash::Close() {
  if (!screen_) return;
  qApp->removeEventFilter(this);
  screen_->close();
  screen_->deleteLater();
  screen_ = nullptr;
  if (main_window_) main_window_->repaint();
  emit closed();
}

bool Splash::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Not a shortcut: the key comes as a key press, which closes the splash below.
      event->accept();
      return true;
    case QEvent::KeyPress:
      Close();
      return true;  // the press that closes the splash goes nowhere else
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: {
      const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
      if (button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton) {
        Close();
        return true;
      }
      break;
    }
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumi::app
