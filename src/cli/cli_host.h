#pragma once
// The Host of the command-line program: messages go to stderr one per line, nobody can be
// asked (questions are answered Cancel and said so), and progress is a bar on stderr
// when stderr is a terminal, quiet otherwise.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "base/host.h"

namespace lumi::cli {

class CliHost final : public Host {
 public:
  explicit CliHost(std::FILE* out = stderr);

  void Message(std::string_view text, MessageKind kind) override;
  Answer Ask(std::string_view text, AskButtons buttons) override;
  void StatusText(int pane, std::string_view text) override;
  void ProgressStart(std::string_view title, int range) override;
  void ProgressStep(int position) override;
  void ProgressEnd() override;
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  int MessageCount() const { return messages_; }
  // Edit scripts: every main status-bar text and message box text becomes one line,
  // "status: TEXT" or "message: TEXT" (line feeds written as \n).
  void SetTrace(bool trace) { trace_ = trace; }
  // Where questions get their answers; without one (or when it has none) they are
  // answered Cancel and said so.
  using AnswerSource = std::function<std::optional<Answer>()>;
  void SetAnswerSource(AnswerSource source) { answer_source_ = std::move(source); }
  // Runs `work` with its messages kept back (joined with "; ") instead of printed, and
  // returns them, so that a failing operation's explanation can become the single line of
  // the error.
  std::string CollectDuring(const std::function<void()>& work);

 private:
  void DrawBar(int position);
  void ClearBar();

  std::FILE* out_;
  bool terminal_;
  bool bar_shown_ = false;
  std::string title_;
  int range_ = 0;
  int last_percent_ = -1;
  int messages_ = 0;
  bool collecting_ = false;
  bool trace_ = false;
  AnswerSource answer_source_;
  std::string collected_;
};

// Message texts may hold line breaks; on the command line each message is one line.
std::string OneLine(std::string_view text);
// A text on one line with its line feeds written as the two characters \n.
std::string EscapedLine(std::string_view text);

}  // namespace lumi::cli
