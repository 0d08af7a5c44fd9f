#pragma once
// What the library panels need of the drawing view: its selection, the document's host,
// and the view operations a panel starts (apply a style, insert an entry).
#include <filesystem>
#include <optional>
#include <vector>

#include "base/geometry.h"

namespace lumi {
class CDrawObject;
class Host;
}  // namespace lumi

namespace lumi::app {

class LibraryViewLink {
 public:
  virtual ~LibraryViewLink() = default;
  virtual Host& LinkHost() = 0;
  // The current single object, or null.
  virtual const CDrawObject* CurrentObject() = 0;
  // The current object alone, or the multi-selection in document order; empty for none.
  virtual std::vector<const CDrawObject*> SelectedObjects() = 0;
  virtual void ApplyStyle(const std::filesystem::path& path) = 0;
  virtual void InsertLibraryEntry(const std::filesystem::path& path, std::optional<Point> drop) = 0;
};

}  // namespace lumi::app
