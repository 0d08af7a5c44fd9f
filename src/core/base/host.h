#pragma once
// What core needs from whoever runs it: messages and questions for the user, status
// texts, progress and the wait cursor. The window answers with dialogs and the status
// bar, the command line prints to stderr, and tests record every text.
#include <string>
#include <string_view>
#include <vector>

namespace lumi {

enum class MessageKind { Information, Warning, Error };
enum class AskButtons { OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Host {
 public:
  virtual ~Host() = default;
  // A modal message box with one OK button.
  virtual void Message(std::string_view text, MessageKind kind = MessageKind::Warning) = 0;
  // A modal question; returns the button pressed.
  virtual Answer Ask(std::string_view text, AskButtons buttons) = 0;
  // Text in one pane of the status bar; pane 0 is the main message pane.
  virtual void StatusText(int pane, std::string_view text) = 0;
  // Progress over 0..range; Step sets the position reached so far.
  virtual void ProgressStart(std::string_view title, int range) = 0;
  virtual void ProgressStep(int position) = 0;
  virtual void ProgressEnd() = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(Host& host) : host_(host) { host_.BeginWaitCursor(); }
  ~WaitCursor() { host_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Host& host_;
};

// Keeps every call as one line of text, in order, so tests can assert exact wording and
// sequence; questions are answered from a queue (Cancel when it runs dry).
class RecordingHost final : public Host {
 public:
  void Message(std::string_view text, MessageKind kind) override;
  Answer Ask(std::string_view text, AskButtons buttons) override;
  void StatusText(int pane, std::string_view text) override;
  void ProgressStart(std::string_view title, int range) override;
  void ProgressStep(int position) override;
  void ProgressEnd() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

  void QueueAnswer(Answer a) { answers_.push_back(a); }
  // Only the texts of Message calls, in order.
  const std::vector<std::string>& Messages() const { return messages_; }
  // Every call: "message: ...", "ask: ...", "status 0: ...", "progress start: T (R)",
  // "progress: N", "progress end", "wait on", "wait off".
  const std::vector<std::string>& Log() const { return log_; }
  void Clear();

 private:
  std::vector<std::string> messages_;
  std::vector<std::string> log_;
  std::vector<Answer> answers_;
  std::size_t next_answer_ = 0;
};

// Swallows everything and answers Cancel: for work with nobody to ask.
class SilentHost final : public Host {
 public:
  void Message(std::string_view, MessageKind) override {}
  Answer Ask(std::string_view, AskButtons) override { return Answer::Cancel; }
  void StatusText(int, std::string_view) override {}
  void ProgressStart(std::string_view, int) override {}
  void ProgressStep(int) override {}
  void ProgressEnd() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
};

}  // namespace lumi
