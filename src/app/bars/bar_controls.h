#pragma once
// What the bar windows share: the pacing of the previews shown while a slider or dial is
// dragged, and the binding of a value control to a bar's field.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace lumi {
class PropertyBar;
}

namespace lumi::app {

class CColorSlider;
class CRoundSliderCtrl;

// At most one preview every kInterval while values keep moving. The render runs on this
// thread, so the values that arrive during it wait in the event queue; the next preview
// takes only the latest of them, and none is queued.
class PreviewPacer : public QObject {
  Q_OBJECT
 public:
  static constexpr int kIntervalMs = 30;

  PreviewPacer(PropertyBar& bar, QObject* parent);
  // A value moved during a drag.
  void Changing();
  // The change ended (applied or given up): no preview follows.
  void Stop();
  int PreviewCount() const { return previews_; }
  PropertyBar& Bar() const { return bar_; }
  void ResetCount() { previews_ = 0; }

 private:
  void ShowPending();

  PropertyBar& bar_;
  QTimer timer_;
  QElapsedTimer since_last_;
  bool pending_ = false;
  int previews_ = 0;
};

// Binds a slider or dial to `field`: moves preview through `pacer`, the end of a change
// stores the position and calls `apply`; a drag that ends without a change gives the
// object back its look and calls `refresh`.
void BindValueControl(CColorSlider* slider, int& field, PreviewPacer& pacer, std::function<void()> apply,
                      std::function<void()> refresh);
void BindValueControl(CRoundSliderCtrl* dial, int& field, PreviewPacer& pacer, std::function<void()> apply,
                      std::function<void()> refresh);

}  // namespace lumi::app
