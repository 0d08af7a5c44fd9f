#pragma once
// What the object commands need beyond the document and the selection: the clipboard,
// the "Rotate Object" dialog, the per-user settings and the Layers panel. The window
// gives the real ones; edit scripts and tests give in-memory ones.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/settings.h"
#include "image/pixwerk.h"

namespace lumi {

// The clipboard type of the object stream, shared by every instance of the program.
inline constexpr const char* kObjectStreamMimeType = "application/x-vantremold";

// The clipboard as the commands see it: the program's object stream, or a plain image.
class ObjectClipboard {
 public:
  virtual ~ObjectClipboard() = default;
  // Replaces the clipboard's contents with an object stream.
  virtual void SetObjectStream(std::vector<std::uint8_t> bytes) = 0;
  // The object stream, when the clipboard holds one.
  virtual std::optional<std::vector<std::uint8_t>> ObjectStream() const = 0;
  // A plain image, when the clipboard holds one (and no object stream).
  virtual std::optional<RgbImage> Image() const { return std::nullopt; }
};

// A clipboard that lives as long as its owner: one edit run, one test.
class MemoryClipboard final : public ObjectClipboard {
 public:
  void SetObjectStream(std::vector<std::uint8_t> bytes) override {
    stream_ = std::move(bytes);
    image_.reset();
  }
  std::optional<std::vector<std::uint8_t>> ObjectStream() const override { return stream_; }
  std::optional<RgbImage> Image() const override { return image_; }
  void SetImage(RgbImage image) {
    image_ = std::move(image);
    stream_.reset();
  }

 private:
  std::optional<std::vector<std::uint8_t>> stream_;
  std::optional<RgbImage> image_;
};

class CommandServices {
 public:
  virtual ~CommandServices() = default;
  virtual ObjectClipboard& Clipboard() = 0;
  // The "Rotate Object" dialog opened on `angle`: the typed angle on OK, nullopt on Cancel.
  virtual std::optional<int> AskRotateAngle(int angle) = 0;
  // Where "Settings"/"Angle" is kept.
  virtual Settings& UserSettings() = 0;
  // The Layers panel shows the object list again.
  virtual void RebuildLayers() {}
};

// In-memory services: the clipboard and settings live here, and the rotate dialog takes
// the angles queued in `rotate_answers` (none left: Cancel).
class MemoryCommandServices : public CommandServices {
 public:
  ObjectClipboard& Clipboard() override { return clipboard; }
  std::optional<int> AskRotateAngle(int angle) override {
    asked_angles.push_back(angle);
    if (rotate_answers.empty()) return std::nullopt;
    const std::optional<int> answer = rotate_answers.front();
    rotate_answers.erase(rotate_answers.begin());
    return answer;
  }
  Settings& UserSettings() override { return settings; }
  void RebuildLayers() override { ++layer_rebuilds; }

  MemoryClipboard clipboard;
  MemorySettings settings;
  std::vector<std::optional<int>> rotate_answers;
  std::vector<int> asked_angles;
  int layer_rebuilds = 0;
};

}  // namespace lumi
