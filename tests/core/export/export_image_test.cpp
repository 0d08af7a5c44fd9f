// The Export dialog's preview and export: the files written for every format and colour
// mode, the size label, the save dialog, the stored settings and the refusals.
#include "export/export_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>

// libjpeg reads the written files independently of the program's own reader.
#include <jpeglib.h>

#include "base/byte_stream.h"
#include "base/host.h"
#include "base/settings.h"
#include "effects/sharpen_soften.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::TempDir;

// A gradient with noise: far more than 256 colours, and sharpening changes it.
RgbImage Picture(int w, int h) {
  std::mt19937 rng(5);
  RgbImage image{w, h, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      image.pixels.push_back(static_cast<std::uint8_t>(x * 255 / w));
      image.pixels.push_back(static_cast<std::uint8_t>(y * 255 / h));
      image.pixels.push_back(static_cast<std::uint8_t>(rng() % 256));
    }
  }
  return image;
}

std::uint32_t Le(const Bytes& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}
std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// The length of a PNG chunk of the given type, or -1.
long PngChunkLength(const Bytes& png, const char* type) {
  for (std::size_t p = 8; p + 8 <= png.size();) {
    const std::uint32_t len = Be32(png, p);
    if (std::memcmp(&png[p + 4], type, 4) == 0) return static_cast<long>(len);
    p += 12 + len;
  }
  return -1;
}

// What libjpeg sees in a JPEG file's header.
struct JpegHeader {
  int components = 0;
  bool progressive = false;
  std::vector<std::string> comments;
  std::vector<int> luminance_table;  // quantisation table 0, natural order
};

JpegHeader ReadJpegHeader(const Bytes& file) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_save_markers(&info, JPEG_COM, 0xFFFF);
  jpeg_read_header(&info, TRUE);
  JpegHeader h;
  h.components = info.num_components;
  h.progressive = jpeg_has_multiple_scans(&info);
  for (auto* m = info.marker_list; m; m = m->next)
    h.comments.emplace_back(reinterpret_cast<const char*>(m->data), m->data_length);
  if (info.quant_tbl_ptrs[0])
    for (int i = 0; i < DCTSIZE2; ++i)
      h.luminance_table.push_back(info.quant_tbl_ptrs[0]->quantval[i]);
  jpeg_destroy_decompress(&info);
  return h;
}

class ExportImageTest : public ::testing::Test {
 protected:
  ExportImageTest() {
    std::filesystem::create_directories(dir_.File("data"));
    std::filesystem::create_directories(dir_.File("out"));
  }
  void TearDown() override { PxClearJPGText(); }

  ExportContext Context() {
    return ExportContext{
        host_,
        settings_,
        dir_.File("data"),
        [this](const SaveDialogRequest& r) -> std::optional<std::filesystem::path> {
          requests_.push_back(r);
          return answer_;
        },
        {}};
  }
  ExportChoices Choices(ImageFormat format, int colour_mode = 0, int count = 64) const {
    ExportChoices c = LoadExportChoices(MemorySettings{}, source_.width, source_.height);
    c.format = format;
    c.colour_mode = colour_mode;
    c.custom_count = count;
    return c;
  }
  std::filesystem::path TempFile() const { return dir_.File("data") / "export.tmp"; }
  bool Empty(const char* folder) const { return std::filesystem::is_empty(dir_.File(folder)); }

  TempDir dir_;
  RecordingHost host_;
  MemorySettings settings_;
  RgbImage source_ = Picture(61, 47);
  std::vector<SaveDialogRequest> requests_;
  std::optional<std::filesystem::path> answer_;
};

TEST_F(ExportImageTest, EveryFormatAndColourModeRow) {
  struct Row {
    ImageFormat format;
    int colour_mode, count;
    const char* title;
    int bmp_bits;  // BMP rows
    int entries;   // palette entries in the file (0: none)
  };
  const Row rows[] = {
      {ImageFormat::kBmp, 0, 64, "Export True Color BMP", 24, 0},
      {ImageFormat::kBmp, 1, 64, "Export 8bit BMP", 8, 256},
      {ImageFormat::kBmp, 2, 16, "Export 4-bit BMP", 4, 16},
      {ImageFormat::kBmp, 2, 17, "Export 8-bit BMP", 8, 17},
      {ImageFormat::kBmp, 2, 300, "Export 8-bit BMP", 8, 256},
      {ImageFormat::kBmp, 2, 2, "Export 4-bit BMP", 4, 2},
      {ImageFormat::kPng, 0, 64, "Export True Color PNG", 0, 0},
      {ImageFormat::kPng, 1, 64, "Export 8-bit PNG", 0, 256},
      {ImageFormat::kPng, 2, 64, "Export 8-bit PNG", 0, 64},
      {ImageFormat::kPng, 2, 300, "Export 8-bit PNG", 0, 256},
  };
  settings_.SetString("Export", "Path", "/pictures");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.title + std::string(" count ") + std::to_string(row.count));
    const bool bmp = row.format == ImageFormat::kBmp;
    answer_ = dir_.File("out") / (bmp ? "a.bmp" : "a.png");
    requests_.clear();
    const ExportResult r = ExportImage(ExportMode::kExport, &source_,
                                       Choices(row.format, row.colour_mode, row.count), Context());
    ASSERT_TRUE(r.written);
    EXPECT_EQ(r.path, *answer_);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].title, row.title);
    EXPECT_EQ(requests_[0].filter, bmp ? "BMP File (*.bmp)|*.bmp||" : "PNG File (*.png)|*.png||");
    EXPECT_EQ(requests_[0].default_name, bmp ? "*.bmp" : "*.png");
    const Bytes file = TempDir::Read(*answer_);
    if (bmp) {
      EXPECT_EQ(Le(file, 28, 2), static_cast<std::uint32_t>(row.bmp_bits));
      EXPECT_EQ(Le(file, 46, 4), static_cast<std::uint32_t>(row.entries));
      EXPECT_EQ(Le(file, 10, 4), static_cast<std::uint32_t>(54 + 4 * row.entries));
    } else {
      EXPECT_EQ(file[25], row.entries ? 3 : 2) << "PNG colour type";
      EXPECT_EQ(PngChunkLength(file, "PLTE"), row.entries ? 3 * row.entries : -1);
    }
    EXPECT_TRUE(host_.Messages().empty());
  }
  EXPECT_EQ(settings_.GetString("Export", "Path", ""), (dir_.File("out") / "a.png").string());
  EXPECT_TRUE(Empty("data")) << "an export never writes the temporary file";
}

TEST_F(ExportImageTest, FourBitRowsOfOddWidthEndWithZeroBits) {
  const ExportResult r =
      ExportImage(ExportMode::kPreview, &source_, Choices(ImageFormat::kBmp, 2, 16), Context());
  ASSERT_TRUE(r.written);
  const Bytes file = TempDir::Read(TempFile());
  const std::size_t row_bytes = ((4 * 61 + 31) >> 5) * 4;
  const std::size_t offset = Le(file, 10, 4);
  for (int y = 0; y < 47; ++y)
    EXPECT_EQ(file[offset + y * row_bytes + 30] & 0x0F, 0) << "row " << y;
}

TEST_F(ExportImageTest, CancelledSaveDialogWritesNothing) {
  settings_.SetString("Export", "Path", "/start/folder");
  for (ImageFormat format : {ImageFormat::kJpg, ImageFormat::kBmp, ImageFormat::kPng}) {
    const ExportResult r = ExportImage(ExportMode::kExport, &source_, Choices(format), Context());
    EXPECT_FALSE(r.written);
    ASSERT_FALSE(requests_.empty());
    EXPECT_EQ(requests_.back().start_folder, "/start/folder");
  }
  ASSERT_EQ(requests_.size(), 3u);
  EXPECT_EQ(requests_[0].title, "Export");
  EXPECT_EQ(requests_[0].filter, "JPG File (*.jpg)|*.jpg||");
  EXPECT_EQ(requests_[0].default_name, "*.jpg");
  EXPECT_TRUE(Empty("data"));
  EXPECT_TRUE(Empty("out"));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_EQ(settings_.GetString("Export", "Path", ""), "/start/folder");
}

TEST_F(ExportImageTest, QualityExtremesReachTheJpegLibraryUnchanged) {
  struct Case {
    int quality;
    int table_value;  // every luminance table entry at this quality (baseline tables)
    const char* label_end;
  };
  for (const Case& k : {Case{0, 255, ",   Quality: 0"}, Case{100, 1, ",   Quality: 100"}}) {
    ExportChoices c = Choices(ImageFormat::kJpg);
    c.quality = k.quality;
    c.progressive = false;
    const ExportResult r = ExportImage(ExportMode::kPreview, &source_, c, Context());
    ASSERT_TRUE(r.written);
    EXPECT_EQ(PxGetDCTMethod(), 3);
    const Bytes file = TempDir::Read(TempFile());
    EXPECT_EQ(ReadJpegHeader(file).luminance_table, std::vector<int>(64, k.table_value));
    // The same bytes as a direct write at that quality.
    const auto direct = dir_.File("out") / "direct.jpg";
    ASSERT_TRUE(PxSaveJPG(direct, source_.pixels.data(), 61, 47, k.quality, true, false));
    EXPECT_EQ(TempDir::Read(direct), file);
    EXPECT_TRUE(r.size_label.starts_with("Size: ")) << r.size_label;
    EXPECT_TRUE(r.size_label.ends_with(k.label_end)) << r.size_label;
    ASSERT_TRUE(r.preview);
    EXPECT_EQ(r.preview->width, 61);
  }
}

TEST_F(ExportImageTest, GreyscaleJpegHasOneComponent) {
  ExportChoices c = Choices(ImageFormat::kJpg);
  c.greyscale = true;
  ASSERT_TRUE(ExportImage(ExportMode::kPreview, &source_, c, Context()).written);
  const JpegHeader h = ReadJpegHeader(TempDir::Read(TempFile()));
  EXPECT_EQ(h.components, 1);
  EXPECT_TRUE(h.progressive) << "the default choice";
  EXPECT_TRUE(h.comments.empty()) << "plain JPEGs carry no comment";
  c.greyscale = false;
  ASSERT_TRUE(ExportImage(ExportMode::kPreview, &source_, c, Context()).written);
  EXPECT_EQ(ReadJpegHeader(TempDir::Read(TempFile())).components, 3);
}

TEST_F(ExportImageTest, SizeLabelOfBmpAndPngCountsTheFile) {
  // 61 x 47 at 24 bits: rows of 184 bytes, 54 + 184 x 47 = 8702 bytes = 8.498 kB.
  ExportChoices c = Choices(ImageFormat::kBmp);
  ExportResult r = ExportImage(ExportMode::kPreview, &source_, c, Context());
  EXPECT_EQ(r.size_label, "Size: 8.498 kB");
  ASSERT_TRUE(r.preview);
  EXPECT_EQ(r.preview->pixels, source_.pixels) << "24-bit BMP reads back exactly";
  EXPECT_EQ(r.path, TempFile());
  // 16 colours at 4 bits: rows of 32 bytes, 54 + 64 + 32 x 47 = 1622 bytes = 1.584 kB.
  c.colour_mode = kExportCustomColours;
  c.custom_count = 16;
  r = ExportImage(ExportMode::kPreview, &source_, c, Context());
  EXPECT_EQ(r.size_label, "Size: 1.584 kB");
}

TEST_F(ExportImageTest, SharpenAmountIsHalfTheSliderTruncated) {
  auto sharpened = [&](int amount) {
    std::vector<std::uint8_t> out(source_.pixels.size());
    PxSharpen(source_.pixels.data(), out.data(), 61, 47, amount);
    return out;
  };
  ASSERT_NE(sharpened(20), sharpened(21)) << "the picture tells the amounts apart";
  struct Case {
    int slider, amount;
  };
  for (const Case& k : {Case{1, 0}, Case{40, 20}, Case{41, 20}, Case{100, 50}}) {
    ExportChoices c = Choices(ImageFormat::kBmp);
    c.sharpen = k.slider;
    const ExportResult r = ExportImage(ExportMode::kPreview, &source_, c, Context());
    EXPECT_EQ(r.size_label, "Size: 8.498 kB (Sharpened)") << "slider " << k.slider;
    ASSERT_TRUE(r.preview);
    EXPECT_EQ(r.preview->pixels, sharpened(k.amount)) << "slider " << k.slider;
  }
  ExportChoices c = Choices(ImageFormat::kJpg);
  c.sharpen = 1;
  const ExportResult r = ExportImage(ExportMode::kPreview, &source_, c, Context());
  EXPECT_TRUE(r.size_label.ends_with(",   Quality: 95 (Sharpened)")) << r.size_label;
  EXPECT_EQ(sharpened(0), source_.pixels) << "amount 0 leaves the picture as it was";
}

TEST_F(ExportImageTest, ScaleComboSizeIsTheOutputSize) {
  source_ = Picture(800, 600);
  ExportChoices c = Choices(ImageFormat::kPng);
  const ExportSize quarter = ScaledExportSize(800, 600, 3);
  c.width = quarter.width;
  c.height = quarter.height;
  const ExportResult r = ExportImage(ExportMode::kPreview, &source_, c, Context());
  ASSERT_TRUE(r.preview);
  EXPECT_EQ(r.preview->width, 200);
  EXPECT_EQ(r.preview->height, 150);
}

TEST_F(ExportImageTest, EditableJpgCarriesTheCommentThenTheProject) {
  std::vector<std::filesystem::path> appended;
  ExportContext context = Context();
  context.append_project = [&](const std::filesystem::path& p, std::span<const std::uint8_t> jpeg) {
    // The JPEG is complete when the project is appended; the file is written once, by
    // the appender.
    EXPECT_TRUE(ReadJpegHeader(std::vector<std::uint8_t>(jpeg.begin(), jpeg.end())).comments ==
                std::vector<std::string>{"Lumiverdant PLV"});
    WriteFileAtomically(p, jpeg);
    appended.push_back(p);
    return true;
  };
  ExportChoices c = Choices(ImageFormat::kEditableJpg);
  c.progressive = true;
  answer_ = dir_.File("out") / "e.jpg";
  const ExportResult r = ExportImage(ExportMode::kExport, &source_, c, context);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(appended, std::vector<std::filesystem::path>{*answer_});
  EXPECT_EQ(requests_.at(0).title, "Export");
  const JpegHeader h = ReadJpegHeader(TempDir::Read(*answer_));
  EXPECT_TRUE(h.progressive);
  EXPECT_EQ(h.comments, std::vector<std::string>{"Lumiverdant PLV"});
  EXPECT_TRUE(PxJPGTexts().empty()) << "the comment list is emptied after the write";

  // A preview appends too, to the temporary file, so its size counts the project.
  appended.clear();
  ASSERT_TRUE(ExportImage(ExportMode::kPreview, &source_, c, context).written);
  EXPECT_EQ(appended, std::vector<std::filesystem::path>{TempFile()});

  // A failed append is no editable JPG.
  context.append_project = [](const std::filesystem::path&, std::span<const std::uint8_t>) {
    return false;
  };
  const ExportResult failed = ExportImage(ExportMode::kPreview, &source_, c, context);
  EXPECT_FALSE(failed.written);
  EXPECT_TRUE(failed.size_label.empty());
}

TEST_F(ExportImageTest, SettingsAreStoredAtTheirMoments) {
  ExportChoices c = Choices(ImageFormat::kJpg);
  c.greyscale = true;
  c.progressive = false;
  c.kernel = 3;
  answer_ = dir_.File("out") / "x.jpg";
  ASSERT_TRUE(ExportImage(ExportMode::kExport, &source_, c, Context()).written);
  EXPECT_EQ(settings_.GetInt("Export", "ResType", -1), 3);
  EXPECT_EQ(settings_.GetInt("Export", "Gray", -1), -1) << "only a preview stores the JPEG options";
  ASSERT_TRUE(ExportImage(ExportMode::kPreview, &source_, c, Context()).written);
  EXPECT_EQ(settings_.GetInt("Export", "Gray", -1), 1);
  EXPECT_EQ(settings_.GetInt("Export", "Prog", -1), 0);
  EXPECT_EQ(settings_.GetInt("Export", "NumCol", -1), -1);

  c = Choices(ImageFormat::kPng, 2, 33);
  c.dither = 1;
  answer_.reset();
  EXPECT_FALSE(ExportImage(ExportMode::kExport, &source_, c, Context()).written);
  EXPECT_EQ(settings_.GetInt("Export", "Type", -1), 2) << "PNG's number in the settings";
  EXPECT_EQ(settings_.GetInt("Export", "Colors", -1), 2) << "stored before the path is asked";
  EXPECT_EQ(settings_.GetInt("Export", "Dither", -1), 1);
  EXPECT_EQ(settings_.GetInt("Export", "NumCol", -1), 33);
}

TEST_F(ExportImageTest, WriteFailureShowsTheLibraryText) {
  ExportContext context = Context();
  context.temp_folder = dir_.File("missing");
  for (ImageFormat format : {ImageFormat::kJpg, ImageFormat::kBmp, ImageFormat::kPng}) {
    host_.Clear();
    EXPECT_FALSE(ExportImage(ExportMode::kPreview, &source_, Choices(format), context).written);
    EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Error on file open"}) << ExportFormatIndex(format);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("missing")));
}

TEST_F(ExportImageTest, UnusableSizesAndCountsAreRefusedBeforeAnythingIsWritten) {
  struct Case {
    ImageFormat format;
    int width, height, colour_mode, count;
    const char* message;
  };
  const char* size = "The width and height must be between 1 and 32768 pixels.";
  const char* area = "The image is too big to export: at most 268435456 pixels are allowed.";
  const char* count = "The number of colors must be at least 2.";
  const char* unknown = "Unknown export format.";
  const Case cases[] = {
      {ImageFormat::kProject, 61, 47, 0, 64, unknown},
      {ImageFormat::kJpg, 0, 47, 0, 64, size},       {ImageFormat::kJpg, 61, 0, 0, 64, size},
      {ImageFormat::kBmp, -5, 47, 0, 64, size},       {ImageFormat::kPng, 61, -1, 0, 64, size},
      {ImageFormat::kJpg, 32769, 10, 0, 64, size},   {ImageFormat::kBmp, 10, 40000, 0, 64, size},
      {ImageFormat::kPng, 20000, 20000, 0, 64, area}, {ImageFormat::kBmp, 61, 47, 2, 1, count},
      {ImageFormat::kPng, 61, 47, 2, 0, count},       {ImageFormat::kBmp, 61, 47, 2, -3, count},
  };
  for (int quality : {-1, 101}) {
    host_.Clear();
    ExportChoices c = Choices(ImageFormat::kJpg);
    c.quality = quality;
    EXPECT_FALSE(ExportImage(ExportMode::kPreview, &source_, c, Context()).written);
    EXPECT_EQ(host_.Messages(),
              std::vector<std::string>{"The quality and the sharpening must be between 0 and 100."});
  }
  for (const Case& k : cases) {
    for (ExportMode mode : {ExportMode::kPreview, ExportMode::kExport}) {
      host_.Clear();
      requests_.clear();
      answer_ = dir_.File("out") / "never";
      ExportChoices c = Choices(k.format, k.colour_mode, k.count);
      c.width = k.width;
      c.height = k.height;
      const ExportResult r = ExportImage(mode, &source_, c, Context());
      EXPECT_FALSE(r.written);
      EXPECT_EQ(host_.Messages(), std::vector<std::string>{k.message})
          << k.width << "x" << k.height;
      EXPECT_TRUE(requests_.empty()) << "no save dialog for choices that cannot be written";
    }
  }
  EXPECT_TRUE(Empty("data"));
  EXPECT_TRUE(Empty("out"));
  // A count below 2 is harmless where no custom count is used.
  EXPECT_TRUE(
      ExportImage(ExportMode::kPreview, &source_, Choices(ImageFormat::kBmp, 1, 0), Context()).written);
  EXPECT_TRUE(
      ExportImage(ExportMode::kPreview, &source_, Choices(ImageFormat::kJpg, 2, 0), Context()).written);
}

TEST_F(ExportImageTest, NothingWithoutASource) {
  EXPECT_FALSE(ExportImage(ExportMode::kPreview, nullptr, Choices(ImageFormat::kJpg), Context()).written);
  RgbImage broken{10, 10, std::vector<std::uint8_t>(12)};
  EXPECT_FALSE(ExportImage(ExportMode::kPreview, &broken, Choices(ImageFormat::kJpg), Context()).written);
  EXPECT_TRUE(Empty("data"));
  EXPECT_TRUE(host_.Log().empty());
}

}  // namespace
}  // namespace lumi
