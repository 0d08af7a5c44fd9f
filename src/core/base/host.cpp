#include "base/host.h"

#include <string>

namespace lumi {

void RecordingHost::Message(std::string_view text, MessageKind) {
  messages_.emplace_back(text);
  log_.push_back("message: " + std::string(text));
}

Answer RecordingHost::Ask(std::string_view text, AskButtons) {
  log_.push_back("ask: " + std::string(text));
  return next_answer_ < answers_.size() ? answers_[next_answer_++] : Answer::Cancel;
}

void RecordingHost::StatusText(int pane, std::string_view text) {
  log_.push_back("status " + std::to_string(pane) + ": " + std::string(text));
}

void RecordingHost::ProgressStart(std::string_view title, int range) {
  log_.push_back("progress start: " + std::string(title) + " (" + std::to_string(range) + ")");
}

void RecordingHost::ProgressStep(int position) {
  log_.push_back("progress: " + std::to_string(position));
}

void RecordingHost::ProgressEnd() { log_.push_back("progress end"); }
void RecordingHost::BeginWaitCursor() { log_.push_back("wait on"); }
void RecordingHost::EndWaitCursor() { log_.push_back("wait off"); }

void RecordingHost::Clear() {
  messages_.clear();
  log_.clear();
  answers_.clear();
  next_answer_ = 0;
}

}  // namespace lumi
