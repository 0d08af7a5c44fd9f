#pragma once
// The core's Host answered with Qt: message boxes, questions, status bar panes, a progress
// window and the wait cursor.
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QWidget>

#include "base/host.h"

namespace lumi::app {

class QtHost final : public Host {
 public:
  // `owner` parents the dialogs; `status` may be null until the main window has one.
  explicit QtHost(QWidget* owner = nullptr, QStatusBar* status = nullptr);
  ~QtHost() override;

  void SetStatusBar(QStatusBar* status) { status_ = status; }

  void Message(std::string_view text, MessageKind kind) override;
  Answer Ask(std::string_view text, AskButtons buttons) override;
  void StatusText(int pane, std::string_view text) override;
  void ProgressStart(std::string_view title, int range) override;
  void ProgressStep(int position) override;
  void ProgressEnd() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 private:
  QPointer<QWidget> owner_;
  QPointer<QStatusBar> status_;
  QProgressDialog* progress_ = nullptr;
  int range_ = 0;
};

}  // namespace lumi::app
