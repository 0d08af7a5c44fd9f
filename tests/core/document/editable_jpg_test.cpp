// The editable JPG: the project block codec, appending a project to a JPG and reading it
// back, through the reader and through the document's open of .jpg names.
#include "document/editable_jpg.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <zlib.h>

#include <csetjmp>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <random>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "document/document_fixture.h"
#include "document/editable_jpg_block.h"
#include "export/export_image.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Int32At;
using testing::PutInt32At;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kCorrupted = "Corrupted e-JPG file (2)";
const std::string kUncompression = "Uncompression failed ";

// ---- an independent look at the JPEG through libjpeg itself

struct JpegFacts {
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = false;
  std::vector<std::string> comments;
};

struct JumpingErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JumpingErrors*>(cinfo->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

// Decodes every scanline, keeping the comment markers. Holds nothing with a destructor,
// because an error jumps back to the setjmp point.
bool DecodeWithLibjpeg(const std::uint8_t* data, std::size_t size, JpegFacts* facts) {
  jpeg_decompress_struct cinfo;
  JumpingErrors errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = JumpOnError;
  errors.pub.emit_message = Quiet;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
    if (m->marker == JPEG_COM) {
      facts->comments.emplace_back(reinterpret_cast<const char*>(m->data), m->data_length);
    }
  }
  facts->progressive = cinfo.progressive_mode != 0;
  facts->components = cinfo.num_components;
  jpeg_start_decompress(&cinfo);
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                              JPOOL_IMAGE,
                                              cinfo.output_width * cinfo.output_components, 1);
  while (cinfo.output_scanline < cinfo.output_height) jpeg_read_scanlines(&cinfo, row, 1);
  facts->width = static_cast<int>(cinfo.output_width);
  facts->height = static_cast<int>(cinfo.output_height);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// ---- building files

Bytes Gradient(int width, int height) {
  Bytes rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 9);
      p[1] = static_cast<std::uint8_t>(y * 13);
      p[2] = static_cast<std::uint8_t>(x * y);
    }
  }
  return rgb;
}

// The JPG part as the Export dialog writes it for the editable format.
void WriteExportJpg(const std::filesystem::path& path, int width, int height, bool progressive) {
  const Bytes rgb = Gradient(width, height);
  PxClearJPGText();
  PxAddJPGText(std::string(kEJpgComment));
  ASSERT_TRUE(PxSaveJPG(path, rgb.data(), width, height, 80, true, progressive));
  PxClearJPGText();
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// "STANDALONE" and the block length, as the container ends.
Bytes Trailer(std::size_t block_len) {
  Bytes t = {'S', 'T', 'A', 'N', 'D', 'A', 'L', 'O', 'N', 'E', 0, 0, 0, 0};
  PutInt32At(t, 10, static_cast<std::int32_t>(block_len));
  return t;
}

// A block laid out by hand: 5 "KVELT", projectLen, then `rest` as it stands.
Bytes HandBlock(std::uint32_t project_len, const Bytes& rest) {
  Bytes b = {5, 'K', 'V', 'E', 'L', 'T', 0, 0, 0, 0};
  PutInt32At(b, 6, static_cast<std::int32_t>(project_len));
  return Concat(b, rest);
}

Bytes U32(std::uint32_t v) {
  Bytes b(4);
  PutInt32At(b, 0, static_cast<std::int32_t>(v));
  return b;
}

Bytes Zlib(const Bytes& data) {
  uLongf len = compressBound(data.size());
  Bytes out(len);
  EXPECT_EQ(compress(out.data(), &len, data.data(), data.size()), Z_OK);
  out.resize(len);
  return out;
}

class EditableJpgTest : public testing::DocumentTest {
 protected:
  // Two rendered objects with a bevel and a shadow, a group and an active crop region.
  static void FillSmallProject(CPlenivorDoc& doc, int objects = 2) {
    doc.SetCanvasSize(120, 90);
    doc.SetCanvasColor(0x00336699);
    doc.SetCropRect({2, 3, 100, 80});
    doc.SetCropActive(true);
    for (int i = 0; i < objects; ++i) {
      auto o = doc.MakeObject();
      if (i % 2 == 0) {
        o->CreateRectangle(5 + i, 6, 50 + i, 40);
      } else {
        o->CreateStar(30, 20, 90, 80, 5, 2);
      }
      o->SetFillColor(0x00102030 + 0x10 * i);
      o->SetBevelKind(1 + i % 12);
      o->SetEffectKind(1 + i % 7);
      o->Render();
      doc.Objects().push_back(std::move(o));
    }
    // The rectangle a load computes again for the group.
    const Rect bounds = Union(doc.Objects()[0]->GetRect(), doc.Objects()[1]->GetRect());
    doc.Groups().push_back(
        CObjectGroup{{doc.Objects()[0]->GetId(), doc.Objects()[1]->GetId()}, bounds});
  }

  static Bytes ProjectOf(CPlenivorDoc& doc) {
    MemorySink sink;
    CArchive ar(sink);
    doc.Serialize(ar);
    return sink.TakeBytes();
  }

  // A source document of its own, written as an editable JPG at `path`.
  Bytes WriteEditableJpg(const std::filesystem::path& path, int objects = 2,
                         bool progressive = true, int width = 40, int height = 30) {
    WriteExportJpg(path, width, height, progressive);
    CPlenivorDoc source(host_, settings_, bank_);
    FillSmallProject(source, objects);
    EXPECT_TRUE(AppendProjectToJpg(source, path, host_));
    return ProjectOf(source);
  }

  // Reads `path` into the fixture's untouched document.
  bool Read(const std::filesystem::path& path) { return ReadEditableJpg(doc_, path, host_); }

  // The document is as constructed: nothing loaded, canvas untouched.
  void ExpectUntouched() {
    EXPECT_TRUE(doc_.Objects().empty());
    EXPECT_TRUE(doc_.Groups().empty());
    EXPECT_EQ(doc_.GetCanvasWidth(), 400);
    EXPECT_EQ(doc_.GetCanvasHeight(), 300);
  }

  std::vector<std::filesystem::path> Files() {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) files.push_back(e.path());
    return files;
  }
};

// ---- the block codec

TEST_F(EditableJpgTest, EncodedBlockHoldsTheHeaderAndOneDefaultLevelZlibStream) {
  const Bytes project(3000, 'p');
  const Bytes block = EncodeProjectBlock(project);
  ASSERT_GT(block.size(), 14u);
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 6), (Bytes{5, 'K', 'V', 'E', 'L', 'T'}));
  EXPECT_EQ(Int32At(block, 6), 3000);
  EXPECT_EQ(static_cast<std::size_t>(Int32At(block, 10)), block.size() - 14);
  // zlib header of the default level.
  EXPECT_EQ(block[14], 0x78);
  EXPECT_EQ(block[15], 0x9C);
  Bytes back(3000);
  uLongf back_len = back.size();
  ASSERT_EQ(uncompress(back.data(), &back_len, block.data() + 14, block.size() - 14), Z_OK);
  EXPECT_EQ(back_len, 3000u);
  EXPECT_EQ(back, project);
}

TEST_F(EditableJpgTest, AnEmptyStreamGivesNoBlockAtAll) {
  EXPECT_TRUE(EncodeProjectBlock({}).empty());
}

TEST_F(EditableJpgTest, DecodeRefusesABlockWithoutTheTagSilently) {
  for (const Bytes& block : {Bytes{6, 'K', 'V', 'E', 'L', 'T', 'X', 0, 0, 0, 0},
                             Bytes{5, 'K', 'V', 'E', 'L', 'D', 0, 0, 0, 0}, Bytes{}}) {
    EXPECT_FALSE(DecodeProjectBlock(block, doc_));
  }
  EXPECT_TRUE(host_.Messages().empty());
  ExpectUntouched();
}

TEST_F(EditableJpgTest, ProjectLenZeroSucceedsAndLoadsNothing) {
  EXPECT_TRUE(DecodeProjectBlock(HandBlock(0, {}), doc_));
  EXPECT_TRUE(host_.Messages().empty());
  ExpectUntouched();
}

// ---- the whole container

TEST_F(EditableJpgTest, RoundTripGivesTheSameProjectBehindTheUnchangedJpg) {
  const auto path = dir_ / "art.jpg";
  WriteExportJpg(path, 40, 30, true);
  const Bytes jpg = ReadBytes(path);
  CPlenivorDoc source(host_, settings_, bank_);
  FillSmallProject(source);
  ASSERT_TRUE(AppendProjectToJpg(source, path, host_));
  const Bytes project = ProjectOf(source);

  // The JPEG data copied as they were, then the block and the trailer.
  const Bytes file = ReadBytes(path);
  const Bytes block = EncodeProjectBlock(project);
  EXPECT_EQ(file, Concat(Concat(jpg, block), Trailer(block.size())));
  EXPECT_EQ(Files(), std::vector<std::filesystem::path>{path});

  ASSERT_TRUE(Read(path));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_EQ(doc_.Objects().size(), 2u);
  EXPECT_EQ(ProjectOf(doc_), project);
  EXPECT_EQ(ReadBytes(path), file);
}

TEST_F(EditableJpgTest, ProgressiveEditableJpgIsAnOrdinaryJpegWithTheComment) {
  const auto path = dir_ / "prog.jpg";
  WriteEditableJpg(path, 2, true, 40, 30);
  const Bytes file = ReadBytes(path);
  JpegFacts facts;
  ASSERT_TRUE(DecodeWithLibjpeg(file.data(), file.size(), &facts));
  EXPECT_TRUE(facts.progressive);
  EXPECT_EQ(facts.width, 40);
  EXPECT_EQ(facts.height, 30);
  EXPECT_EQ(facts.components, 3);
  EXPECT_EQ(facts.comments, std::vector<std::string>{"Lumiverdant PLV"});
  // And the program's own loader reads it as an image.
  const auto image = PxLoadJPG(path);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 40);
}

TEST_F(EditableJpgTest, OpeningThroughTheDocumentLoadsWithoutTakingThePath) {
  const auto path = dir_ / "Art.JPEG";
  const Bytes project = WriteEditableJpg(path);
  const Bytes file = ReadBytes(path);
  EXPECT_TRUE(doc_.Open(path));
  ASSERT_FALSE(views_.hints.empty());
  EXPECT_EQ(views_.hints.back(), kHintCanvasChanged);
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_TRUE(doc_.GetPath().empty());
  EXPECT_EQ(doc_.UndoDepth(), 1u);
  EXPECT_EQ(ProjectOf(doc_), project);
  EXPECT_EQ(ReadBytes(path), file);
}

TEST_F(EditableJpgTest, FilesWithoutTheTrailerAreOrdinaryJpgs) {
  const auto jpg = dir_ / "plain.jpg";
  WriteExportJpg(jpg, 8, 8, false);
  const Bytes rgb = Gradient(8, 8);
  const auto png = dir_ / "picture.png";
  ASSERT_TRUE(PxSavePNG(png, rgb.data(), 8, 8));
  const auto png_as_jpg = dir_ / "picture.jpg";
  std::filesystem::rename(png, png_as_jpg);
  const auto empty = dir_ / "empty.jpg";
  WriteBytes(empty, {});
  const auto tiny = dir_ / "tiny.jpg";
  WriteBytes(tiny, {'S', 'T', 'A', 'N', 'D'});

  for (const auto& path : {jpg, png_as_jpg, empty, tiny}) {
    SCOPED_TRACE(path.filename().string());
    host_.Clear();
    const Bytes before = ReadBytes(path);
    EXPECT_FALSE(doc_.Open(path));
    EXPECT_EQ(host_.Messages(), std::vector<std::string>{std::string(kOrdinaryJpgText)});
    EXPECT_TRUE(doc_.Objects().empty());
    EXPECT_TRUE(doc_.GetPath().empty());
    EXPECT_EQ(ReadBytes(path), before);
  }
  EXPECT_EQ(kOrdinaryJpgText.substr(0, 35), "This is just an ordinary JPG file!\n");
}

TEST_F(EditableJpgTest, AMissingFileCannotBeOpened) {
  EXPECT_FALSE(Read(dir_ / "none.jpg"));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Cannot Open " + (dir_ / "none.jpg").string()});
  host_.Clear();
  std::filesystem::create_directory(dir_ / "folder.jpg");
  EXPECT_FALSE(Read(dir_ / "folder.jpg"));
  EXPECT_EQ(host_.Messages(),
            std::vector<std::string>{"Cannot Open " + (dir_ / "folder.jpg").string()});
}

TEST_F(EditableJpgTest, HandMadeBlocksOfEveryLayoutLoad) {
  CPlenivorDoc source(host_, settings_, bank_);
  FillSmallProject(source);
  const Bytes project = ProjectOf(source);
  const auto n = static_cast<std::uint32_t>(project.size());
  struct Case {
    const char* name;
    Bytes block;
  };
  const Case cases[] = {
      {"packedLen 0 and the raw stream", HandBlock(n, Concat(U32(0), project))},
      // The older layout: no packedLen, the raw stream right after projectLen.
      {"older layout", HandBlock(n, project)},
      {"compressed, with bytes after the zlib stream",
       HandBlock(n, Concat(Concat(U32(static_cast<std::uint32_t>(Zlib(project).size()) + 3),
                                  Zlib(project)),
                           {1, 2, 3}))},
  };
  WriteExportJpg(dir_ / "base.jpg", 16, 16, false);
  const Bytes jpg = ReadBytes(dir_ / "base.jpg");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir_ / "hand.jpg";
    WriteBytes(path, Concat(Concat(jpg, c.block), Trailer(c.block.size())));
    CPlenivorDoc target(host_, settings_, bank_);
    host_.Clear();
    ASSERT_TRUE(ReadEditableJpg(target, path, host_));
    EXPECT_TRUE(host_.Messages().empty());
    EXPECT_EQ(ProjectOf(target), project);
  }
}

// Every stored length is checked before it is trusted. Offsets are from the start of the
// block: projectLen at 6, packedLen at 10; "trailer" patches blockLen.
TEST_F(EditableJpgTest, LyingLengthsAreRefusedAndChangeNothing) {
  const auto path = dir_ / "lie.jpg";
  const Bytes project = WriteEditableJpg(path);
  const Bytes good = ReadBytes(path);
  const std::size_t block_len = static_cast<std::uint32_t>(Int32At(good, good.size() - 4));
  const std::size_t block_at = good.size() - 14 - block_len;
  const auto packed_len = static_cast<std::uint32_t>(Int32At(good, block_at + 10));
  const auto n = static_cast<std::uint32_t>(project.size());

  enum Field { kBlockLen, kProjectLen, kPackedLen };
  struct Case {
    const char* name;
    Field field;
    std::uint32_t value;
    std::string message;
  };
  const Case cases[] = {
      {"blockLen past the start of the file", kBlockLen, static_cast<std::uint32_t>(good.size()),
       kCorrupted},
      {"blockLen 0xFFFFFFFF", kBlockLen, 0xFFFFFFFFu, kCorrupted},
      {"blockLen shorter than the block head", kBlockLen, 9, kCorrupted},
      {"blockLen one short", kBlockLen, static_cast<std::uint32_t>(block_len - 1), kCorrupted},
      {"projectLen above 1 GiB", kProjectLen, 0x40000001u, kCorrupted},
      {"projectLen 0xFFFFFFFF", kProjectLen, 0xFFFFFFFFu, kCorrupted},
      {"projectLen far too large but below the bound", kProjectLen, 900'000'000u, kUncompression},
      {"projectLen one too many", kProjectLen, n + 1, kUncompression},
      {"projectLen one too few", kProjectLen, n - 1, kUncompression},
      {"packedLen past the block", kPackedLen, packed_len + 1, kCorrupted},
      {"packedLen at the older-layout threshold", kPackedLen, 10'000'000u, kCorrupted},
      {"packedLen cutting the zlib stream", kPackedLen, packed_len - 8, kUncompression},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes lie = good;
    const std::size_t at = c.field == kBlockLen     ? lie.size() - 4
                           : c.field == kProjectLen ? block_at + 6
                                                    : block_at + 10;
    PutInt32At(lie, at, static_cast<std::int32_t>(c.value));
    WriteBytes(path, lie);
    host_.Clear();
    EXPECT_FALSE(Read(path));
    EXPECT_EQ(host_.Messages(), std::vector<std::string>{c.message});
    ExpectUntouched();
    EXPECT_EQ(ReadBytes(path), lie);
  }
}

// projectLen may claim up to 1 GiB; the output buffer grows only as the data really
// inflate, so the lie costs nothing.
TEST_F(EditableJpgTest, ALyingProjectLenAllocatesOnlyWhatTheDataInflateTo) {
  const Bytes packed = Zlib(Bytes(1000, 'z'));
  const Bytes block =
      HandBlock(kMaxProjectLen, Concat(U32(static_cast<std::uint32_t>(packed.size())), packed));
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  EXPECT_FALSE(DecodeProjectBlock(block, doc_));
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{kUncompression});
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes
  ExpectUntouched();
}

TEST_F(EditableJpgTest, UncheckedLayoutsWithLyingLengthsAreRefused) {
  WriteExportJpg(dir_ / "base.jpg", 16, 16, false);
  const Bytes jpg = ReadBytes(dir_ / "base.jpg");
  const Bytes ten(10, 'x');
  struct Case {
    const char* name;
    Bytes block;
    std::string message;
  };
  const Case cases[] = {
      {"raw stream shorter than projectLen", HandBlock(11, Concat(U32(0), ten)), kCorrupted},
      {"older layout shorter than projectLen", HandBlock(100, Concat(U32(0xAABBCCDD), ten)),
       kCorrupted},
      {"older layout under four bytes", HandBlock(3, U32(0xAABBCCDD)), kCorrupted},
      {"no packedLen after projectLen", HandBlock(5, {}), kCorrupted},
      {"damaged zlib data", HandBlock(10, Concat(U32(10), Bytes(10, 0xEE))), kUncompression},
      // Its bytes 1..5 read "KVELT" but the archive string is six bytes long.
      {"KVELT behind a wrong length byte", [] {
         Bytes b = HandBlock(0, {});
         b[0] = 6;
         return b;
       }(), kCorrupted},
      {"no KVELT", [] {
         Bytes b = HandBlock(0, {});
         b[3] = 'A';
         return b;
       }(), kCorrupted},
  };
  const auto path = dir_ / "bad.jpg";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = Concat(Concat(jpg, c.block), Trailer(c.block.size()));
    WriteBytes(path, file);
    host_.Clear();
    EXPECT_FALSE(Read(path));
    EXPECT_EQ(host_.Messages(), std::vector<std::string>{c.message});
    ExpectUntouched();
    EXPECT_EQ(ReadBytes(path), file);
  }
}

TEST_F(EditableJpgTest, DamageInsideTheProjectStreamIsTheDocumentsToReport) {
  WriteExportJpg(dir_ / "base.jpg", 16, 16, false);
  const Bytes jpg = ReadBytes(dir_ / "base.jpg");
  const auto path = dir_ / "inner.jpg";

  // A stream that is no project: the document's own message, nothing loaded.
  Bytes not_project = {4, 'J', 'U', 'N', 'K'};
  Bytes block = HandBlock(5, Concat(U32(0), not_project));
  WriteBytes(path, Concat(Concat(jpg, block), Trailer(block.size())));
  EXPECT_FALSE(doc_.Open(path));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"This is not a valid project file"});
  EXPECT_TRUE(doc_.Objects().empty());

  // A truncated project: the open fails as any damaged project does, and is reset.
  CPlenivorDoc source(host_, settings_, bank_);
  FillSmallProject(source);
  Bytes project = ProjectOf(source);
  project.resize(project.size() / 2);
  block = HandBlock(static_cast<std::uint32_t>(project.size()), Concat(U32(0), project));
  WriteBytes(path, Concat(Concat(jpg, block), Trailer(block.size())));
  host_.Clear();
  EXPECT_FALSE(doc_.Open(path));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Unexpected file format."});
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_EQ(doc_.GetCanvasWidth(), 400);
}

TEST_F(EditableJpgTest, ReExportReplacesBothTheImageAndTheProject) {
  const auto path = dir_ / "again.jpg";
  WriteEditableJpg(path, 2, true, 40, 30);
  // The Export dialog writes a fresh JPG over the old file, then appends.
  WriteExportJpg(path, 24, 20, false);
  const Bytes second_jpg = ReadBytes(path);
  CPlenivorDoc source(host_, settings_, bank_);
  FillSmallProject(source, 3);
  ASSERT_TRUE(AppendProjectToJpg(source, path, host_));
  const Bytes project = ProjectOf(source);

  const Bytes file = ReadBytes(path);
  const Bytes block = EncodeProjectBlock(project);
  EXPECT_EQ(file, Concat(Concat(second_jpg, block), Trailer(block.size())));
  JpegFacts facts;
  ASSERT_TRUE(DecodeWithLibjpeg(file.data(), file.size(), &facts));
  EXPECT_EQ(facts.width, 24);
  EXPECT_FALSE(facts.progressive);
  ASSERT_TRUE(Read(path));
  EXPECT_EQ(doc_.Objects().size(), 3u);
  EXPECT_EQ(ProjectOf(doc_), project);
}

TEST_F(EditableJpgTest, AppendFailuresLeaveTheJpgIntact) {
  CPlenivorDoc source(host_, settings_, bank_);
  FillSmallProject(source);

  // No JPG to append to: nothing is created.
  const auto missing = dir_ / "missing.jpg";
  EXPECT_FALSE(AppendProjectToJpg(source, missing, host_));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Cannot Open " + missing.string()});
  EXPECT_TRUE(Files().empty());

  // No folder to write in.
  host_.Clear();
  const auto nowhere = dir_ / "no" / "such.jpg";
  EXPECT_FALSE(AppendProjectToJpg(source, nowhere, host_));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Cannot Create " + nowhere.string()});

  // The disk fills up after the JPEG data: the write fails, the JPG is as it was and the
  // temporary file is gone. A file size limit stands in for the full disk.
  const auto path = dir_ / "full.jpg";
  WriteExportJpg(path, 40, 30, true);
  const Bytes jpg = ReadBytes(path);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = jpg.size() + 20;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  host_.Clear();
  const bool appended = AppendProjectToJpg(source, path, host_);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(host_.Messages().size(), 1u);
  EXPECT_EQ(ReadBytes(path), jpg);
  EXPECT_EQ(Files(), std::vector<std::filesystem::path>{path});
}

// A portable project whose texture block holds an entry read without pixels (length 0,
// sizes kept) beside one with pixels, both named by objects: every file the program
// writes from it opens again and stores the same project.
TEST_F(EditableJpgTest, EmptyTextureEntrySurvivesSaveOpenBackupAndEditableJpg) {
  doc_.SetPortable(true);
  bank_.Add("ghost.jpg", {}, 300, 200);
  bank_.Add("real.jpg", Bytes(12, 7), 2, 2);
  AddRectangle(5, 5, 40, 30).SetTextureName("ghost.jpg");
  AddRectangle(10, 10, 50, 50).SetTextureName("real.jpg");
  doc_.TakeSnapshot();

  const auto first = dir_ / "first.plv";
  ASSERT_TRUE(doc_.SaveAs(first, ImageFormat::kProject));
  const Bytes saved = ReadBytes(first);
  ASSERT_TRUE(doc_.Open(first));
  ASSERT_EQ(bank_.Size(), 2u);
  EXPECT_TRUE(bank_.Entry(0).pixels.empty());
  ASSERT_EQ(doc_.Save(), SaveResult::Saved);
  EXPECT_EQ(ReadBytes(first), saved);

  const auto backup = dir_ / "backup.plv";
  ASSERT_TRUE(doc_.WriteBackup(backup));
  EXPECT_EQ(ReadBytes(backup), saved);

  const auto jpg = dir_ / "art.jpg";
  WriteExportJpg(jpg, 40, 30, false);
  ASSERT_TRUE(AppendProjectToJpg(doc_, jpg, host_));
  for (const auto& path : {backup, jpg}) {
    SCOPED_TRACE(path.filename().string());
    ASSERT_TRUE(doc_.Open(path));
    EXPECT_EQ(doc_.Objects().size(), 2u);
    EXPECT_EQ(ProjectOf(doc_), saved);
  }
  EXPECT_TRUE(host_.Messages().empty());
}

// A small file system of its own, mounted for one test (root only) and detached after.
class SmallDisk {
 public:
  explicit SmallDisk(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    mounted_ = ::mount("lumi-small-disk", folder_.c_str(), "tmpfs", 0, "size=256k") == 0;
    if (!mounted_) why_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  const std::string& Why() const { return why_; }
  std::uint64_t Free() const {
    struct statvfs info {};
    return ::statvfs(folder_.c_str(), &info) == 0 ? std::uint64_t{info.f_bavail} * info.f_frsize : 0;
  }
  // Takes space away until at most `left` bytes are free.
  void FillUntil(std::uint64_t left) {
    std::ofstream filler(folder_ / "filler", std::ios::binary);
    const std::vector<char> page(1024, 'f');
    while (Free() > left && filler.write(page.data(), page.size())) filler.flush();
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_;
};

TEST_F(EditableJpgTest, FullDiskExportKeepsTheEditableJpgItWouldReplace) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  SmallDisk disk(dir_ / "small");
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small file system: " << disk.Why();
  const auto path = dir_ / "small" / "drawing.jpg";

  const Bytes rgb = Gradient(120, 90);
  RgbImage picture{120, 90, rgb};
  ExportChoices choices;
  choices.format = ImageFormat::kEditableJpg;
  choices.width = 120;
  choices.height = 90;
  CPlenivorDoc source(host_, settings_, bank_);
  ExportContext context{host_, settings_, dir_,
                        [&](const SaveDialogRequest&) { return std::optional(path); },
                        [&](const std::filesystem::path& p, std::span<const std::uint8_t> jpeg) {
                          return lumi::WriteEditableJpg(source, p, jpeg, host_);
                        }};
  FillSmallProject(source, 2);
  ASSERT_TRUE(ExportImage(ExportMode::kExport, &picture, choices, context).written);
  const Bytes before = ReadBytes(path);
  const std::size_t jpeg_size = before.size() - EncodeProjectBlock(ProjectOf(source)).size() - 14;

  // The drawing grows by a bitmap that does not compress; the disk keeps room for the
  // JPEG part alone, not for the JPEG with the grown project.
  auto noise = source.MakeObject();
  noise->CreateRectangle(0, 0, 100, 100);
  noise->SourceBitmap().Create(100, 100, 32, true);
  std::mt19937 rng(3);
  for (std::size_t i = 0; i < noise->SourceBitmap().PixelBytes(); ++i) {
    noise->SourceBitmap().Pixels()[i] = static_cast<std::uint8_t>(rng());
  }
  source.Objects().push_back(std::move(noise));
  ASSERT_GT(EncodeProjectBlock(ProjectOf(source)).size(), before.size() + 12 * 1024)
      << "the grown project must not fit where the old file was";
  disk.FillUntil(jpeg_size + 8 * 1024);
  ASSERT_GE(disk.Free(), jpeg_size + 2048);

  host_.Clear();
  EXPECT_FALSE(ExportImage(ExportMode::kExport, &picture, choices, context).written);
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_NE(host_.Messages()[0].find("No space left on device"), std::string::npos)
      << host_.Messages()[0];
  EXPECT_EQ(ReadBytes(path), before) << "the editable JPG was replaced";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "small"),
                          std::filesystem::directory_iterator()),
            2)
      << "only the drawing and the filler remain";
  EXPECT_TRUE(Read(path));
}

}  // namespace
}  // namespace lumi
