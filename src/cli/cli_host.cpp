#include "cli_host.h"

#include <unistd.h>

#include <algorithm>

namespace lumi::cli {

std::string EscapedLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n')
      line += "\\n";
    else if (c != '\r')
      line += c;
  }
  return line;
}

std::string OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
      continue;
    }
    line += c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

CliHost::CliHost(std::FILE* out) : out_(out), terminal_(isatty(fileno(out)) != 0) {}

void CliHost::Message(std::string_view text, MessageKind kind) {
  if (collecting_) {
    if (!collected_.empty()) collected_ += "; ";
    collected_ += OneLine(text);
    return;
  }
  ClearBar();
  if (trace_) {
    std::fprintf(out_, "message: %s\n", EscapedLine(text).c_str());
    ++messages_;
    return;
  }
  const char* label = kind == MessageKind::Error ? "error" : kind == MessageKind::Warning ? "warning" : "note";
  std::fprintf(out_, "lumiverdant-cli: %s: %s\n", label, OneLine(text).c_str());
  ++messages_;
}

std::string CliHost::CollectDuring(const std::function<void()>& work) {
  collecting_ = true;
  try {
    work();
  } catch (...) {
    collecting_ = false;
    collected_.clear();
    throw;
  }
  collecting_ = false;
  std::string text = std::move(collected_);
  collected_.clear();
  return text;
}

void CliHost::StatusText(int pane, std::string_view text) {
  if (!trace_ || pane != 0) return;
  ClearBar();
  std::fprintf(out_, "status: %s\n", EscapedLine(text).c_str());
}

Answer CliHost::Ask(std::string_view text, AskButtons) {
  ClearBar();
  if (trace_) std::fprintf(out_, "message: %s\n", EscapedLine(text).c_str());
  if (answer_source_) {
    if (const std::optional<Answer> answer = answer_source_()) return *answer;
  }
  std::fprintf(out_, "lumiverdant-cli: question answered Cancel: %s\n", OneLine(text).c_str());
  return Answer::Cancel;
}

void CliHost::ProgressStart(std::string_view title, int range) {
  title_ = OneLine(title);
  range_ = std::max(range, 1);
  last_percent_ = -1;
  DrawBar(0);
}

void CliHost::ProgressStep(int position) { DrawBar(position); }

void CliHost::ProgressEnd() {
  ClearBar();
  range_ = 0;
}

void CliHost::DrawBar(int position) {
  if (!terminal_ || range_ == 0) return;
  const int percent = std::clamp(position * 100 / range_, 0, 100);
  if (percent == last_percent_) return;
  last_percent_ = percent;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(out_, "\r[%.*s%*s] %3d%% %s", filled, "##############################",
               kWidth - filled, "", percent, title_.c_str());
  std::fflush(out_);
  bar_shown_ = true;
}

void CliHost::ClearBar() {
  if (!bar_shown_) return;
  std::fprintf(out_, "\r\033[K");
  std::fflush(out_);
  bar_shown_ = false;
}

}  // namespace lumi::cli
