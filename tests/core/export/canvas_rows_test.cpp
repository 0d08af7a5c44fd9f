// The canvas handed to the JPEG writer a band of rows at a time: the same rows as the whole
// composition at every thread count, whatever order they are asked in, and through the
// export the same file and the same calls to the user as composing the canvas whole.
#include "export/canvas_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "base/settings.h"
#include "export/export_image.h"
#include "export/render_canvas_for_export.h"
#include "image_fixtures.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

using Objects = std::vector<std::unique_ptr<CDrawObject>>;

// Objects of every effect kind, bevelled and flat, crossing the band edges (rows 64 and
// 128) and the canvas edges.
Objects Scene(Host& host, int width, int height) {
  std::mt19937 rng(5);
  Objects objects;
  for (int i = 0; i < 24; ++i) {
    auto o = std::make_unique<CDrawObject>(host);
    o->SetFillColor(RGB(rng() % 256, rng() % 256, rng() % 256));
    o->SetEffectKind(i % 8);
    o->SetEffectSoftness(2 + i % 4);
    o->SetEffectDistance(static_cast<int>(rng() % 12));
    o->SetBevelKind(i % 3 == 0 ? 1 + i % 12 : 0);
    o->SetBevelWidth(4);
    const int left = static_cast<int>(rng() % width) - 25;
    const int top = (i % 3 == 0 ? 40 + 64 * (i / 3 % 2) : static_cast<int>(rng() % height)) - 25;
    const int right = left + 20 + static_cast<int>(rng() % 70), bottom = top + 20 + static_cast<int>(rng() % 60);
    if (i % 2)
      o->CreateCircle(left, top, right, bottom);
    else
      o->CreateRectangle(left, top, right, bottom);
    if (i % 7 == 6) o->SetHidden(1);
    objects.push_back(std::move(o));
  }
  return objects;
}

class CanvasRowsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetRenderThreadCount(0); }
  SilentHost host_;
};

TEST_F(CanvasRowsTest, RowsAreThoseOfTheWholeCompositionInAnyOrderAtEveryThreadCount) {
  struct Area {
    const char* name;
    CanvasArea canvas;
  };
  const Area areas[] = {
      {"157 rows: two bands and part of a third", {150, 157, RGB(20, 40, 60), std::nullopt}},
      {"exactly two bands", {150, 128, RGB(200, 200, 255), std::nullopt}},
      {"a crop region across the bands", {150, 157, RGB(0, 0, 0), Rect{15, 30, 131, 140}}},
      {"one row", {150, 157, RGB(9, 9, 9), Rect{0, 70, 150, 71}}},
  };
  for (const Area& area : areas) {
    const Objects objects = Scene(host_, area.canvas.width, area.canvas.height);
    const RgbImage whole = RenderCanvasForExport(area.canvas, objects, host_);
    const std::size_t row_bytes = static_cast<std::size_t>(whole.width) * 3;
    std::vector<int> shuffled(static_cast<std::size_t>(whole.height));
    for (int y = 0; y < whole.height; ++y) shuffled[static_cast<std::size_t>(y)] = whole.height - 1 - y;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(2));
    for (const int threads : {1, 2, 8}) {
      SetRenderThreadCount(threads);
      for (const bool in_order : {true, false}) {
        int checked = 0;
        WithCanvasRows(area.canvas, objects, [&](const RgbRowSource& rows) {
          for (int i = 0; i < whole.height; ++i) {
            const int y = in_order ? i : shuffled[static_cast<std::size_t>(i)];
            const std::uint8_t* row = rows(y);
            ASSERT_NE(row, nullptr) << area.name << ", row " << y;
            ASSERT_TRUE(std::equal(row, row + row_bytes, whole.pixels.begin() + static_cast<std::ptrdiff_t>(y * row_bytes)))
                << area.name << ", " << threads << " threads, row " << y << (in_order ? "" : " (out of order)");
            ++checked;
          }
          EXPECT_EQ(rows(-1), nullptr);
          EXPECT_EQ(rows(whole.height), nullptr);
        });
        EXPECT_EQ(checked, whole.height) << area.name;
      }
    }
  }
}

TEST_F(CanvasRowsTest, AnAreaThatCannotBeComposedFailsBeforeAnyRowIsWritten) {
  const Objects objects = Scene(host_, 150, 157);
  for (const Rect crop : {Rect{10, 10, 10, 50}, Rect{10, 10, 50, 10}}) {
    bool written = false;
    EXPECT_THROW(WithCanvasRows(CanvasArea{150, 157, RGB(0, 0, 0), crop}, objects,
                                [&](const RgbRowSource&) { written = true; }),
                 BitmapError);
    EXPECT_FALSE(written);
  }
}

// The export of the canvas, streamed or composed whole, against composing it whole and
// exporting that: the same file and the same calls to the user, at 1, 2 and 8 threads.
TEST_F(CanvasRowsTest, ExportOfTheComposedCanvasGivesTheFileAndCallsOfTheWholeExport) {
  fixtures::TempDir dir;
  struct Case {
    const char* name;
    ImageFormat format;
    void (*adjust)(ExportChoices&);
    bool cropped;
  };
  const Case cases[] = {
      {"JPG", ImageFormat::kJpg, [](ExportChoices&) {}, false},
      {"JPG of the crop region", ImageFormat::kJpg, [](ExportChoices&) {}, true},
      {"greyscale progressive JPG", ImageFormat::kJpg, [](ExportChoices& c) { c.greyscale = c.progressive = true; }, false},
      {"editable JPG", ImageFormat::kEditableJpg, [](ExportChoices&) {}, true},
      {"resized JPG (composed whole)", ImageFormat::kJpg, [](ExportChoices& c) { c.width /= 2; c.height /= 2; }, false},
      {"sharpened JPG (composed whole)", ImageFormat::kJpg, [](ExportChoices& c) { c.sharpen = 30; }, false},
      {"PNG (composed whole)", ImageFormat::kPng, [](ExportChoices&) {}, true},
      {"refused quality", ImageFormat::kJpg, [](ExportChoices& c) { c.quality = 101; }, false},
  };
  const Objects objects = [&] {
    SetRenderThreadCount(1);
    return Scene(host_, 150, 157);
  }();
  for (const Case& c : cases) {
    CanvasArea canvas{150, 157, RGB(250, 240, 230), std::nullopt};
    if (c.cropped) canvas.crop = Rect{15, 30, 131, 140};
    const Rect area = ComposedArea(canvas);
    auto export_with = [&](RecordingHost& host, const std::filesystem::path& path, bool whole) {
      MemorySettings settings;
      ExportChoices choices = LoadExportChoices(settings, area.Width(), area.Height());
      choices.format = c.format;
      c.adjust(choices);
      const ExportContext context{
          host, settings, dir.File("."), [&](const SaveDialogRequest&) { return std::optional(path); },
          [](const std::filesystem::path& to, std::span<const std::uint8_t> jpeg) {
            std::vector<std::uint8_t> file(jpeg.begin(), jpeg.end());
            file.insert(file.end(), {'P', 'L', 'V'});
            WriteFileAtomically(to, file);
            return true;
          }};
      if (!whole) return ExportComposedCanvas(ExportMode::kExport, canvas, objects, choices, context).written;
      const RgbImage source = RenderCanvasForExport(canvas, objects, host);
      return ExportImage(ExportMode::kExport, &source, choices, context).written;
    };
    RecordingHost whole_host;
    const bool whole_written = export_with(whole_host, dir.File("whole"), true);
    EXPECT_EQ(whole_written, std::string(c.name) != "refused quality") << c.name;
    for (const int threads : {1, 2, 8}) {
      SetRenderThreadCount(threads);
      RecordingHost host;
      const auto path = dir.File("rows" + std::to_string(threads));
      EXPECT_EQ(export_with(host, path, false), whole_written) << c.name << ", " << threads << " threads";
      EXPECT_EQ(host.Log(), whole_host.Log()) << c.name << ", " << threads << " threads";
      if (whole_written)
        EXPECT_TRUE(fixtures::TempDir::Read(path) == fixtures::TempDir::Read(dir.File("whole")))
            << c.name << ", " << threads << " threads";
    }
    SetRenderThreadCount(1);
  }
}

}  // namespace
}  // namespace lumi
