#include "export/pvx_project.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "button_fixture.h"
#include "export/multi_state_export.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using namespace fixtures;

// Reads a .pvx file field by field from its bytes, without the program's archive code,
// and checks every constant on the way.
class PvxReader {
 public:
  struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
  };
  struct Item {
    int kind = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string name;
    std::vector<std::optional<Image>> images;
  };
  struct Page {
    std::string name;
    std::uint32_t colour = 0;
    std::vector<Item> items;
  };

  explicit PvxReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::int32_t Int() {
    Need(4);
    std::int32_t v;
    std::memcpy(&v, bytes_.data() + pos_, 4);  // the test machine is little-endian
    pos_ += 4;
    return v;
  }
  double Double() {
    Need(8);
    double v;
    std::memcpy(&v, bytes_.data() + pos_, 8);
    pos_ += 8;
    return v;
  }
  std::string String() {
    Need(1);
    std::size_t length = bytes_[pos_++];
    if (length == 0xFF) {
      Need(2);
      length = bytes_[pos_] | (bytes_[pos_ + 1] << 8);
      pos_ += 2;
    }
    Need(length);
    std::string s(bytes_.begin() + pos_, bytes_.begin() + pos_ + length);
    pos_ += length;
    return s;
  }
  void Expect(std::initializer_list<std::int32_t> ints) {
    for (std::int32_t v : ints) EXPECT_EQ(Int(), v) << "at " << pos_ - 4;
  }
  void ExpectEmptyStrings(int count) {
    for (int i = 0; i < count; ++i) EXPECT_EQ(String(), "") << "at " << pos_;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

  Page ReadPage() {
    Page page;
    page.name = String();
    Expect({0});
    ExpectEmptyStrings(1);
    Expect({0, 0, 0, 0});
    page.colour = static_cast<std::uint32_t>(Int());
    Expect({0, 0x5900});
    const int count = Int();
    for (int i = 0; i < count; ++i) page.items.push_back(ReadItem());
    ExpectEmptyStrings(3);
    Expect({0, 0, 0, 0, 0, 100, 0, -1});
    return page;
  }

 private:
  Item ReadItem() {
    Item item;
    ExpectEmptyStrings(5);
    Expect({0});
    item.kind = Int();
    item.left = Int();
    item.top = Int();
    item.right = Int();
    item.bottom = Int();
    item.name = String();
    const bool bitmap = item.name.rfind("Bitmap", 0) == 0;
    const bool button = !bitmap && item.name != "Background";
    Expect({0, 0, bitmap ? 0 : 1, 0, 0});
    ExpectEmptyStrings(2);
    Expect({0, 0});
    ExpectEmptyStrings(1);
    Expect({0, button ? 1 : 0, 0});
    Expect({0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 3; ++i) {
      if (Int() == 0) {
        item.images.push_back(std::nullopt);
        continue;
      }
      Image image;
      image.width = Int();
      image.height = Int();
      const std::size_t size = static_cast<std::size_t>(image.width) * image.height * 3;
      Need(size);
      image.pixels.assign(bytes_.begin() + pos_, bytes_.begin() + pos_ + size);
      pos_ += size;
      item.images.push_back(std::move(image));
    }
    Expect({0, 0, 0, 0});
    ExpectEmptyStrings(3);
    Expect({0, 0, 0, 0, 0, 0});
    Expect({0, 0, 0, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Double(), 1.0);
    Expect({bitmap ? 1 : 0, 0});
    ExpectEmptyStrings(1);
    Expect({0, 0, 0, 0, 0, 0, 0, 0});  // then eight zero bytes
    ExpectEmptyStrings(1);
    Expect({0});
    return item;
  }
  void Need(std::size_t n) const {
    if (n > bytes_.size() - pos_) throw std::runtime_error("the file ends too early");
  }

  std::vector<std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Writes the scene as a .pvx file and reads it back, checking the whole layout.
PvxReader::Page ExportAndRead(ButtonScene& scene) {
  TempDir dir;
  const auto path = dir.File("buttons.pvx");
  EXPECT_TRUE(ExportMultiState(MultiStateTarget::Pavonix, path.string(), scene.canvas,
                               scene.objects, scene.host));
  const std::vector<std::uint8_t> bytes = TempDir::Read(path);
  const std::string start = "\x0APavonix006\x0AProject...";
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + start.size()), start);
  PvxReader reader(bytes);
  EXPECT_EQ(reader.String(), "Pavonix006");
  EXPECT_EQ(reader.String(), "Project...");
  reader.Expect({1, 0, 0, 0});
  reader.Expect({1});
  PvxReader::Page page = reader.ReadPage();
  EXPECT_EQ(page.name, "Page 1");
  EXPECT_EQ(page.colour, scene.canvas.colour);
  reader.Expect({0});
  for (const char* name : {"Master Page 000", "Master Layer 000"}) {
    const PvxReader::Page master = reader.ReadPage();
    EXPECT_EQ(master.name, name);
    EXPECT_TRUE(master.items.empty());
  }
  reader.ExpectEmptyStrings(3);
  reader.Expect({0, 0, 0, 0, 0, 0});
  reader.Expect({0, scene.canvas.width, scene.canvas.height, 0});
  reader.ExpectEmptyStrings(2);
  EXPECT_EQ(reader.String(), "Tarnwick");
  EXPECT_EQ(reader.String(), "Tarnwick");
  EXPECT_EQ(reader.String(), "Created with Tarnwick");
  reader.Expect({0, 0, 0});
  EXPECT_EQ(reader.String(), "TARNWK");
  reader.Expect({0});
  EXPECT_TRUE(reader.AtEnd());
  return page;
}

TEST(PvxProject, BackgroundThenOneButtonPerExportedFramedObject) {
  ButtonScene scene;
  scene.canvas.colour = RGB(10, 20, 30);
  scene.Add({0, 0, 120, 30}, kGrey);
  scene.AddButton({20, 20, 50, 40}, kRed, 0, kBlue);
  scene.AddButton({80, 50, 90, 60}, kYellow, kCyan, 0).SetExcludeFromButtons(1);
  const PvxReader::Page page = ExportAndRead(scene);
  ASSERT_EQ(page.items.size(), 2u) << "count + 1";

  const PvxReader::Item& background = page.items[0];
  EXPECT_EQ(background.name, "Background");
  EXPECT_EQ(background.kind, 3);
  EXPECT_EQ((Rect{background.left, background.top, background.right, background.bottom}),
            (Rect{0, 0, 120, 90}));
  ASSERT_TRUE(background.images[0]);
  EXPECT_FALSE(background.images[1]);
  EXPECT_FALSE(background.images[2]);
  EXPECT_EQ(background.images[0]->width, 120);
  EXPECT_EQ(background.images[0]->height, 90);
  // Rows from the top, red, green, blue: the grey band, then the canvas colour.
  EXPECT_EQ(background.images[0]->pixels[(15 * 120 + 60) * 3], 128);
  const std::size_t low = (80 * 120 + 5) * 3;
  EXPECT_EQ(std::vector<std::uint8_t>(background.images[0]->pixels.begin() + low,
                                      background.images[0]->pixels.begin() + low + 3),
            (std::vector<std::uint8_t>{10, 20, 30}));

  const PvxReader::Item& button = page.items[1];
  EXPECT_EQ(button.name, "Button0");
  EXPECT_EQ(button.kind, 5);
  EXPECT_EQ((Rect{button.left, button.top, button.right, button.bottom}), (Rect{20, 20, 50, 40}));
  ASSERT_TRUE(button.images[0] && button.images[1] && button.images[2]);
  EXPECT_EQ(button.images[1]->pixels, button.images[0]->pixels)
      << "a pushed-only button's highlighted image shows its normal look";
  EXPECT_NE(button.images[2]->pixels, button.images[0]->pixels);
}

TEST(PvxProject, OnlyButtonsLeaveTheBackgroundOut) {
  ButtonScene scene;
  scene.AddButton({10, 10, 30, 30}, kRed, kGreen, kBlue);
  scene.AddCircle({40, 40, 70, 70}, kRed);
  AddLook(*scene.objects.back(), 1, kGreen);
  scene.objects.back()->SetStates(0, true, false, true);  // Solo mode
  EXPECT_EQ(PvxPageItemCount(scene.objects), 2);
  const PvxReader::Page page = ExportAndRead(scene);
  ASSERT_EQ(page.items.size(), 2u) << "count only";
  EXPECT_EQ(page.items[0].name, "Button0");
  const PvxReader::Item& bitmap = page.items[1];
  EXPECT_EQ(bitmap.name, "Bitmap1");
  EXPECT_EQ(bitmap.kind, 3);
  ASSERT_TRUE(bitmap.images[0]);
  EXPECT_FALSE(bitmap.images[1]);
  ASSERT_TRUE(bitmap.images[2]);
  EXPECT_EQ(bitmap.images[2]->pixels[0], 0) << "the alpha mask is clear at the box's corner";
  const int w = bitmap.images[2]->width;
  const std::size_t centre = (static_cast<std::size_t>(w / 2) * w + w / 2) * 3;
  EXPECT_EQ(bitmap.images[2]->pixels[centre], 255);
}

TEST(PvxProject, HiddenObjectsStillCountAsObjectsOfThePage) {
  ButtonScene scene;
  scene.AddButton({10, 10, 30, 30}, kRed, kGreen, kBlue);
  scene.Add({0, 0, 5, 5}, kGrey).SetHidden(1);
  EXPECT_EQ(PvxPageItemCount(scene.objects), 2);
}

}  // namespace
}  // namespace lumi
