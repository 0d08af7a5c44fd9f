#pragma once
// The desktop clipboard for the object commands: the object stream under the program's
// own type, which other instances read back, and plain images from other programs.
#include "edit/command_services.h"

namespace lumi::app {

class QtObjectClipboard final : public ObjectClipboard {
 public:
  void SetObjectStream(std::vector<std::uint8_t> bytes) override;
  std::optional<std::vector<std::uint8_t>> ObjectStream() const override;
  std::optional<RgbImage> Image() const override;
};

}  // namespace lumi::app
