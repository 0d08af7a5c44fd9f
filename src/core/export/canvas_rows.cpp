#include "export/canvas_rows.h"

#include <tbb/task_group.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "base/errors.h"
#include "base/parallel_render.h"
#include "image/bmp_rows.h"
#include "image/dib_section.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

struct Band {
  CDIBSection bitmap;
  std::vector<std::uint8_t> rgb;
  int index = -1;  // the band of the area it holds, -1 for none
};

class BandComposer {
 public:
  BandComposer(const CanvasArea& canvas, const std::vector<std::unique_ptr<CDrawObject>>& objects)
      : canvas_(canvas), objects_(objects) {
    area_ = ComposedArea(canvas);
    CheckBitmapSize(area_.Width(), area_.Height());
    const int rows = std::min(kCanvasBandRows, area_.Height());
    for (Band& band : bands_) {
      band.bitmap.Create(area_.Width(), rows, 32, true);
      try {
        band.rgb.resize(RowBytes() * static_cast<std::size_t>(rows));
      } catch (const std::bad_alloc&) {
        throw BitmapError("Not enough memory");
      }
    }
  }

  int Height() const { return area_.Height(); }
  int Bands() const { return (area_.Height() + kCanvasBandRows - 1) / kCanvasBandRows; }
  Band& SlotOf(int band) { return bands_[static_cast<std::size_t>(band % 2)]; }

  // Composes band `index` into its slot, as ComposeCanvas composes those rows of the area.
  // Its rows are split in a few parts, so a thread waiting for the band (the writer, done
  // with the band before) helps compose it.
  void Compose(int index) noexcept {
    Band& band = SlotOf(index);
    band.index = -1;
    try {
      const int first = index * kCanvasBandRows;
      const int rows = std::min(kCanvasBandRows, area_.Height() - first);
      const int parts = std::clamp(rows / kRowsPerPart, 1, RenderThreadCount() * 2);
      ParallelFor(static_cast<std::size_t>(parts), [&](std::size_t part) {
        const int top = static_cast<int>(rows * part / parts), bottom = static_cast<int>(rows * (part + 1) / parts);
        ComposeRows(band, first, top, bottom);
      });
      band.index = index;
    } catch (...) {
      // Left without a band index: its rows come out null and the writer stops.
    }
  }

  const std::uint8_t* Row(int y) {
    Band& band = SlotOf(y / kCanvasBandRows);
    if (band.index != y / kCanvasBandRows) return nullptr;
    return band.rgb.data() + RowBytes() * static_cast<std::size_t>(y % kCanvasBandRows);
  }

 private:
  // Parts of a band smaller than this cost more in going over the objects than they gain.
  static constexpr int kRowsPerPart = 16;

  std::size_t RowBytes() const { return static_cast<std::size_t>(area_.Width()) * 3; }

  // Rows [top, bottom) of a band starting at area row `first`.
  void ComposeRows(Band& band, int first, int top, int bottom) const {
    band.bitmap.FillRowsRGBA(canvas_.colour, top, bottom);
    for (const auto& object : objects_) object->DrawRowsTo(band.bitmap, {area_.left, area_.top + first}, top, bottom);
    static constexpr std::array<std::uint8_t, 256 * 4> kNoColourTable{};
    for (int y = top; y < bottom; ++y)
      pixwerk::BmpRowToRgb(band.bitmap.Row(y), 32, area_.Width(), kNoColourTable.data(),
                           band.rgb.data() + RowBytes() * static_cast<std::size_t>(y));
  }

  const CanvasArea& canvas_;
  const std::vector<std::unique_ptr<CDrawObject>>& objects_;
  Rect area_;
  std::array<Band, 2> bands_;
};

}  // namespace

void WithCanvasRows(const CanvasArea& canvas, const std::vector<std::unique_ptr<CDrawObject>>& objects,
                    const std::function<void(const RgbRowSource&)>& write) {
  BandComposer composer(canvas, objects);
  const int threads = RenderThreadCount();
  OnRenderThreads([&] {
    tbb::task_group ahead;  // composes the band after the one being written
    bool composing = false;
    int current = -1;
    auto wait_ahead = [&] {
      if (composing) ahead.wait();
      composing = false;
    };
    const RgbRowSource rows = [&](int y) -> const std::uint8_t* {
      if (y < 0 || y >= composer.Height()) return nullptr;
      const int band = y / kCanvasBandRows;
      if (band != current) {
        wait_ahead();
        if (composer.SlotOf(band).index != band) composer.Compose(band);
        current = band;
        // The other slot held the band before this one, which the writer is done with.
        if (threads > 1 && band + 1 < composer.Bands()) {
          ahead.run([&composer, band] { composer.Compose(band + 1); });
          composing = true;
        }
      }
      return composer.Row(y);
    };
    try {
      write(rows);
    } catch (...) {
      wait_ahead();
      throw;
    }
    wait_ahead();
  });
}

}  // namespace lumi
