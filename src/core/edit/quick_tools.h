#pragma once
// The Quick Tools bar as the tools see it: one request configures it, and the tools read
// the two value sliders back. The window implements it with the real bar; tests and edit
// scripts with RecordingQuickTools.
#include <string>
#include <vector>

namespace lumi {

class CDrawObject;

enum QuickToolsVariant : int {
  kQuickPlain = 0,      // first slider 0..255
  kQuickNodePanel = 1,  // node commands; its "Width" slider shown when the first value is 1
  kQuickBrush = 2,
  kQuickStar = 10,  // first slider 0..25
};

struct QuickToolsRequest {
  std::string caption;  // empty: the values are hidden
  int first = 0;
  int variant = kQuickPlain;
  int second = -1;  // below 0: no second slider
  friend bool operator==(const QuickToolsRequest&, const QuickToolsRequest&) = default;
};

class QuickTools {
 public:
  virtual ~QuickTools() = default;
  // The bar is told the view's selected object and shows the request.
  virtual void Configure(const CDrawObject* selected, const QuickToolsRequest& request) = 0;
  virtual int FirstValue() const = 0;
  virtual int SecondValue() const = 0;
};

// Keeps every request; its sliders are set by the caller (a script's "quickTools" step).
class RecordingQuickTools final : public QuickTools {
 public:
  void Configure(const CDrawObject*, const QuickToolsRequest& request) override {
    requests.push_back(request);
    first_value = request.first;
    if (request.second >= 0) second_value = request.second;
  }
  int FirstValue() const override { return first_value; }
  int SecondValue() const override { return second_value; }
  const QuickToolsRequest& Last() const { return requests.back(); }

  std::vector<QuickToolsRequest> requests;
  int first_value = 0;
  int second_value = 0;
};

// The view's Quick Tools: every request goes to the bar once the window has one, and is
// recorded too (tests and the window before its bars exist read the record).
class QuickToolsRelay final : public QuickTools {
 public:
  void SetBar(QuickTools* bar) { bar_ = bar; }
  void Configure(const CDrawObject* selected, const QuickToolsRequest& request) override {
    record.Configure(selected, request);
    if (bar_) bar_->Configure(selected, request);
  }
  int FirstValue() const override { return bar_ ? bar_->FirstValue() : record.FirstValue(); }
  int SecondValue() const override { return bar_ ? bar_->SecondValue() : record.SecondValue(); }

  RecordingQuickTools record;

 private:
  QuickTools* bar_ = nullptr;
};

}  // namespace lumi
