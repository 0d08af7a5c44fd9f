#pragma once
// Where the image tool gets its picture: the window asks with its "Load Image" dialog,
// edit scripts answer from their answers list.
#include <filesystem>
#include <optional>

namespace lumi {

class ImageImport {
 public:
  virtual ~ImageImport() = default;
  // The image file the user chose, or nullopt for Cancel.
  virtual std::optional<std::filesystem::path> ChooseImageFile() = 0;
};

}  // namespace lumi
