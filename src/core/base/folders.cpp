#include "base/folders.h"

namespace lumi {

FolderSet FolderSet::FromRoot(const std::filesystem::path& root) {
  std::string base = root.string();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  FolderSet f;
  f.root = base;
  f.textures = base + "/Textures/";
  f.transparencies = base + "/Transp/";
  f.styles = base + "/Styles/";
  f.objects = base + "/Objects/";
  f.current_objects = f.objects;
  f.samples = base + "/Samples/";
  f.help = base + "/Help/";
  return f;
}

}  // namespace lumi
