#include "bars/bar_controls.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

#include "controls/color_slider.h"
#include "controls/round_slider_ctrl.h"
#include "ui/property_bar.h"

namespace lumi::app {

PreviewPacer::PreviewPacer(PropertyBar& bar, QObject* parent) : QObject(parent), bar_(bar) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &PreviewPacer::ShowPending);
}

void PreviewPacer::Changing() {
  pending_ = true;
  if (timer_.isActive()) return;
  const qint64 since = since_last_.isValid() ? since_last_.elapsed() : kIntervalMs;
  timer_.start(static_cast<int>(std::max<qint64>(0, kIntervalMs - since)));
}

void PreviewPacer::Stop() {
  timer_.stop();
  pending_ = false;
}

void PreviewPacer::ShowPending() {
  if (!pending_) return;
  pending_ = false;
  bar_.Preview();
  ++previews_;
  since_last_.restart();
}

namespace {

// After a mouse release on the control: when no end of change came (the value went back
// to where it started), the previewed look is withdrawn.
class ReleaseWatch : public QObject {
 public:
  ReleaseWatch(PreviewPacer& pacer, PropertyBar& bar, std::function<void()> refresh, QObject* parent)
      : QObject(parent), pacer_(pacer), bar_(bar), refresh_(std::move(refresh)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      QTimer::singleShot(0, this, [this] {
        if (!bar_.Previewing()) return;
        pacer_.Stop();
        bar_.CancelPreview();
        refresh_();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  PreviewPacer& pacer_;
  PropertyBar& bar_;
  std::function<void()> refresh_;
};

template <typename Control>
void Bind(Control* control, int& field, PreviewPacer& pacer, PropertyBar& bar, std::function<void()> apply,
          std::function<void()> refresh) {
  QObject::connect(control, &Control::valueChanging, control, [&field, &pacer](int position) {
    field = position;
    pacer.Changing();
  });
  QObject::connect(control, &Control::changeFinished, control, [&field, &pacer, apply](int position) {
    pacer.Stop();
    field = position;
    apply();
  });
  control->installEventFilter(new ReleaseWatch(pacer, bar, std::move(refresh), control));
}

}  // namespace

void BindValueControl(CColorSlider* slider, int& field, PreviewPacer& pacer, std::function<void()> apply,
                      std::function<void()> refresh) {
  Bind(slider, field, pacer, pacer.Bar(), std::move(apply), std::move(refresh));
}

void BindValueControl(CRoundSliderCtrl* dial, int& field, PreviewPacer& pacer, std::function<void()> apply,
                      std::function<void()> refresh) {
  Bind(dial, field, pacer, pacer.Bar(), std::move(apply), std::move(refresh));
}

}  // namespace lumi::app
