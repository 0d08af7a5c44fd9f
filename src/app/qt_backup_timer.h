#pragma once
// The backup scheduler's timer as a QTimer on the window's thread.
#include <chrono>
#include <functional>

#include <QTimer>

#include "document/backup_scheduler.h"

namespace lumi::app {

class QtBackupTimer final : public BackupTimer {
 public:
  QtBackupTimer(QObject* owner, std::function<void()> on_timeout) : timer_(owner) {
    timer_.setSingleShot(false);
    QObject::connect(&timer_, &QTimer::timeout, owner, std::move(on_timeout));
  }
  void Start(std::int64_t period_ms) override {
    // The scheduler counts in minutes of 60 000 ms; tests shorten the minute.
    const std::int64_t scaled = period_ms / 60000 * minute_.count() + period_ms % 60000;
    timer_.start(std::chrono::milliseconds(scaled));
  }
  void Stop() override { timer_.stop(); }
  bool IsActive() const { return timer_.isActive(); }
  void SetMinuteLength(std::chrono::milliseconds minute) { minute_ = minute; }

 private:
  QTimer timer_;
  std::chrono::milliseconds minute_{60000};
};

}  // namespace lumi::app
