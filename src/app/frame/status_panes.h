#pragma once
// The status bar's panes after the window's own: "CAP", "NUM", "SCRL" (shown while the
// lock is on, read from the X server's keyboard indicators) and the free-memory pane
// "Mem:%lu KB", refreshed every minute and when the program is idle, and as wide as
// its text.
#include <QElapsedTimer>
#include <QObject>
#include <optional>

class QLabel;
class QStatusBar;

namespace lumi::app {

class StatusPanes : public QObject {
  Q_OBJECT
 public:
  explicit StatusPanes(QStatusBar* status);

  QLabel* Caps() const { return caps_; }
  QLabel* Num() const { return num_; }
  QLabel* Scroll() const { return scroll_; }
  QLabel* Memory() const { return memory_; }

  // Shows `available_bytes` in the free-memory pane and fits the pane to the text.
  void ShowFreeMemory(unsigned long long available_bytes);
  // Reads the available memory and the lock states again.
  void Refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefreshLocks();

  QStatusBar* status_;
  QLabel* caps_;
  QLabel* num_;
  QLabel* scroll_;
  QLabel* memory_;
  QElapsedTimer since_idle_refresh_;
};

// The available physical memory in bytes; empty when the system does not say.
std::optional<unsigned long long> AvailablePhysicalMemory();

}  // namespace lumi::app
