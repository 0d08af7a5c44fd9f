#include "qt_host.h"

#include <QApplication>
#include <QMessageBox>

#include "controls/shaded_progress_ctrl.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

const QString kTitle = QStringLiteral("Lumiverdant");

}  // namespace

QtHost::QtHost(QWidget* owner, QStatusBar* status) : owner_(owner), status_(status) {}

QtHost::~QtHost() { delete progress_; }

void QtHost::Message(std::string_view text, MessageKind kind) {
  const QString body = ToQString(text);
  switch (kind) {
    case MessageKind::Information:
      QMessageBox::information(owner_, kTitle, body);
      break;
    case MessageKind::Warning:
      QMessageBox::warning(owner_, kTitle, body);
      break;
    case MessageKind::Error:
      QMessageBox::critical(owner_, kTitle, body);
      break;
  }
}

Answer QtHost::Ask(std::string_view text, AskButtons buttons) {
  QMessageBox::StandardButtons set;
  switch (buttons) {
    case AskButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case AskButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case AskButtons::YesNoCancel:
      set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
    case AskButtons::RetryCancel: set = QMessageBox::Retry | QMessageBox::Cancel; break;
  }
  switch (QMessageBox::question(owner_, kTitle, ToQString(text), set)) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Cancel;
  }
}

void QtHost::StatusText(int pane, std::string_view text) {
  if (!status_) return;
  // Pane 0 is the message pane; the others are permanent labels the window adds.
  if (pane == 0) {
    status_->showMessage(ToQString(text));
    return;
  }
  const auto labels = status_->findChildren<QWidget*>(QStringLiteral("pane%1").arg(pane));
  for (QWidget* w : labels) w->setProperty("text", ToQString(text));
}

void QtHost::ProgressStart(std::string_view title, int range) {
  delete progress_;
  range_ = range > 0 ? range : 1;
  progress_ = new QProgressDialog(ToQString(title), QString(), 0, range_, owner_);
  auto* bar = new CShadedProgressCtrl;  // a blue tube with the percentage over it
  bar->SetColour(RGB(0, 0, 255));
  bar->SetStep(10);
  bar->setTextVisible(true);
  progress_->setBar(bar);
  progress_->setRange(0, range_);
  progress_->setWindowTitle(kTitle);
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->setMinimumDuration(0);
  progress_->setValue(0);
}

void QtHost::ProgressStep(int position) {
  if (!progress_) return;
  progress_->setValue(std::min(position, range_));
  // Keep the window painted during long work on this thread.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtHost::ProgressEnd() {
  delete progress_;
  progress_ = nullptr;
}

void QtHost::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtHost::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace lumi::app
